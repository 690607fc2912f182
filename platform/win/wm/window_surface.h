#pragma once
// What a window shows: its image and the area still to paint, kept by the painting backend.
// Private to platform/win.

#include "platform/win/wm/window.h"

#include <QImage>
#include <QRect>
#include <QRegion>

namespace pm::wm {

struct WindowSurface {
    QImage image;   // the whole window rectangle
    QRegion update; // invalid area, window coordinates
};

void invalidate(Window* w, const QRegion& windowRegion, UINT flags);
QRect clientRectInWindow(const Window* w);
void flushWidget(Window* w, const QRect& windowRect = QRect());

} // namespace pm::wm
