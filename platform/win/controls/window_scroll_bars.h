#pragma once
// The standard scroll bars of windows (SB_HORZ, SB_VERT), kept per window.

#include "platform/win/windows.h"

namespace pm::ctl {

// Gives the window manager the drawing and tracking of window scroll bars.
void installWindowScrollBars();
int setWindowScrollInfo(HWND hwnd, int bar, const SCROLLINFO& info, bool redraw);
bool getWindowScrollInfo(HWND hwnd, int bar, SCROLLINFO& info);
bool enableWindowScrollBar(HWND hwnd, int bar, UINT arrows);
bool showWindowScrollBar(HWND hwnd, int bar, bool show);

} // namespace pm::ctl
