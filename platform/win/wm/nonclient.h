#pragma once
// Where the parts of a window's non-client area lie, in window coordinates. Private to platform/win.

#include "platform/win/wm/window.h"

namespace pm::wm {

struct NcLayout {
    int frame = 0;      // frame width on each side (thick, dialog or thin border)
    bool thick = false; // sizing border
    RECT caption{};     // the caption bar, empty without one
    RECT sysIcon{}, minButton{}, maxButton{}, closeButton{};
    RECT menuBar{};
    RECT vscroll{}, hscroll{}, sizeBox{};
    RECT client{};
};

NcLayout ncLayout(const Window* w);
bool hasMenuBar(const Window* w);

} // namespace pm::wm
