#pragma once
// The Qt side of the pictures of windows, for the window system's own tests: a window as a QImage.

#include "platform/win/tests/support/test_windows.h"

#include <QImage>

namespace pm::test {

// The window as it shows on screen: its non-client area, client area and visible child windows.
QImage windowImage(HWND hwnd);

} // namespace pm::test
