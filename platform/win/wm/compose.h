#pragma once
// Pictures made of the backing images: a window with its visible children, and the whole screen
// as our windows show it. Private to platform/win.

#include "platform/win/wm/window.h"

#include <QImage>

namespace pm::wm {

// The window's picture: non-client and client area with the visible children above, each clipped
// to its parent's client area. Drawn even when the window itself is hidden.
QImage composeWindow(const Window* w);
// The screen as the desktop services see it (desktop_backend.h): the desktop's own picture where
// one runs, else composeDesktopWindows.
QImage composeScreen();
// Our visible top-level windows in Z-order, with the drag overlay over them.
QImage composeDesktopWindows();

} // namespace pm::wm
