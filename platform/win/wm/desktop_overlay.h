#pragma once
// The desktop's DC: a transparent window over the whole screen that takes what is drawn on the
// desktop (XOR drag outlines), above every window of ours. Private to platform/win.

#include "platform/win/handles.h"

class QImage;

namespace pm::wm {

HDC desktopOverlayDC();
bool releaseDesktopOverlayDC(HDC dc); // false if dc is not a desktop DC
bool isDesktopOverlayDC(HDC dc);
const QImage* desktopOverlayImage();

} // namespace pm::wm
