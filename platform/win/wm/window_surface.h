#pragma once
// What a window shows: its image and the area still to paint, kept by the painting backend.
// Private to platform/win.

#include "platform/win/wm/window.h"

#include <QImage>
#include <QRegion>

namespace pm::wm {

struct WindowSurface {
    QImage image;   // the whole window rectangle
    QRegion update; // invalid area, window coordinates
};

} // namespace pm::wm
