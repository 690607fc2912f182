#pragma once
// The Qt side of the desktop's windows: rectangles in Qt's type, the widget flags of a top-level
// window's kind, and the widget that parents the desktop's own dialogs. Private to platform/win.

#include "platform/win/wm/desktop_window.h"

#include <QRect>
#include <QWidget>

namespace pm::wm {

RECT toRECT(const QRect& r);
QRect toQRect(const RECT& r);

Qt::WindowFlags topLevelWindowFlags(const Window* w);

// The widget of hwnd's top-level window, as parent for the desktop's own dialogs; nullptr for none.
QWidget* desktopWidgetOf(HWND hwnd);

} // namespace pm::wm
