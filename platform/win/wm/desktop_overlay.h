#pragma once
// The desktop's DC: a transparent window over the whole screen that takes what is drawn on the
// desktop (XOR drag outlines), above every window of ours, shown while something is drawn on it.
// Private to platform/win.

#include "platform/win/handles.h"

class QImage;

namespace pm::wm {

// A DC that draws on the overlay (window DCs of the desktop: drag outlines).
HDC desktopOverlayDC();
// A DC on a copy of the screen taken when its pixels are first read (client DCs of the desktop:
// screen captures read it; what is drawn on it is not shown).
HDC desktopSnapshotDC();
bool releaseDesktopOverlayDC(HDC dc); // false if dc is not a desktop DC
bool isDesktopOverlayDC(HDC dc);
const QImage* desktopOverlayImage();

} // namespace pm::wm
