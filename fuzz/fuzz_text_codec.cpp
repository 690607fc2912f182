// Shown text from arbitrary bytes: every byte is accounted for, offsets stay in order, and the
// shown text survives a trip through UTF-8.
#include "platform/win/utf8.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::u16string shown(const char* bytes, std::size_t size, std::vector<int>* offsets) {
    std::u16string text;
    pm::decodeShownText(bytes, size, [&](char16_t unit, int at) {
        text.push_back(unit);
        if (offsets) offsets->push_back(at);
    });
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<int> offsets;
    const std::u16string text = shown(reinterpret_cast<const char*>(data), size, &offsets);
    offsets.push_back(static_cast<int>(size));
    if (offsets.size() != text.size() + 1) std::abort();
    for (std::size_t i = 1; i < offsets.size(); ++i)
        if (offsets[i] < offsets[i - 1]) std::abort();
    const std::string utf8 = pm::utf8::fromUtf16(text);
    if (shown(utf8.data(), utf8.size(), nullptr) != text) std::abort();
    return 0;
}
