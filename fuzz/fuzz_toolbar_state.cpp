// Reads arbitrary bytes as a tool bar's buttons kept by TB_SAVERESTORE; what reads is written
// again and must read back the same.
#include "platform/win/commctrl/toolbar.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<pm::cc::SavedButton> saved;
    if (!pm::cc::readSavedButtons(data, size, saved)) return 0;
    std::vector<TBBUTTON> buttons;
    for (const pm::cc::SavedButton& s : saved) {
        TBBUTTON b{};
        b.idCommand = s.command;
        b.fsState = s.state;
        b.fsStyle = s.style;
        buttons.push_back(b);
    }
    std::vector<BYTE> again = pm::cc::writeSavedButtons(buttons);
    std::vector<pm::cc::SavedButton> back;
    if (!pm::cc::readSavedButtons(again.data(), again.size(), back) || back.size() != saved.size())
        std::abort();
    for (std::size_t i = 0; i < back.size(); ++i)
        if (back[i].command != saved[i].command || back[i].state != saved[i].state ||
            back[i].style != saved[i].style)
            std::abort();
    return 0;
}
