// The docking library's stored data and typed input: a history list read from the registry must
// split into entries that store back to the same entries; a stored tool-bar layout is read with
// bounds and, when taken, stores back to the same bytes; and any pasted or typed text driven
// through a masked edit's input model must keep the input inside its mask.

#include "docking/CDKEditText.h"
#include "docking/HistoryText.h"
#include "docking/ToolBarState.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void checkHistory(const std::string& stored) {
    const auto entries = docking::SplitHistory(stored);
    if (docking::SplitHistory(docking::JoinHistory(entries)) != entries) std::abort();
}

void checkToolBarState(const uint8_t* data, size_t size) {
    std::vector<TBBUTTON> buttons;
    if (!docking::DecodeToolBarState(data, size, buttons)) return;
    const std::vector<BYTE> again = docking::EncodeToolBarState(buttons);
    if (again.size() != size) std::abort();
    for (size_t i = 0; i < size; ++i) {
        const size_t field = i < 4 ? 0 : (i - 4) % docking::kToolBarStateRecord;
        const bool bKept = i < 4 || field < 10; // reserved bytes, data and string index are not
        if (bKept && again[i] != data[i]) std::abort();
    }
}

// The first byte picks a mask; the rest are operations with their characters.
void checkMaskedInput(const uint8_t* data, size_t size) {
    static const char* const masks[] = {"", "(###) ###-####", "AA-aa??", "#"};
    CDKEditText text;
    text.SetFixedTexts("L:", ":R");
    const std::string mask = masks[data[0] % 4];
    text.SetMask(mask, '_');
    const size_t length = text.Input().size();
    for (size_t i = 1; i + 2 < size; i += 3) {
        int pos = data[i + 1] % 40 - 5;
        int end = pos + data[i + 2] % 8;
        const char ch = static_cast<char>(data[i + 2]);
        switch (data[i] % 5) {
        case 0:
            text.InsertCharAt(ch, pos);
            break;
        case 1:
            text.SetCharAt(pos, ch);
            break;
        case 2:
            text.DeleteRange(pos, end);
            break;
        case 3:
            text.Backspace(pos);
            break;
        default:
            text.SetInputText(std::string(reinterpret_cast<const char*>(data + i), 3), pos);
            break;
        }
        if (!mask.empty() && text.Input().size() != length) std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    checkHistory(std::string(reinterpret_cast<const char*>(data), size));
    checkToolBarState(data, size);
    checkMaskedInput(data, size);
    return 0;
}
