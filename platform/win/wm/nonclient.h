#pragma once
// Where the parts of a window's non-client area lie, in window coordinates. Private to platform/win.

#include "platform/win/wm/window.h"

#include <QRect>

namespace pm::wm {

struct NcLayout {
    int frame = 0;      // frame width on each side (thick, dialog or thin border)
    bool thick = false; // sizing border
    QRect caption;      // the caption bar, empty without one
    QRect sysIcon, minButton, maxButton, closeButton;
    QRect menuBar;
    QRect vscroll, hscroll, sizeBox;
    QRect client;
};

NcLayout ncLayout(const Window* w);
bool hasMenuBar(const Window* w);

} // namespace pm::wm
