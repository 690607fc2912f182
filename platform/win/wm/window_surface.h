#pragma once
// What a window shows: its image and the area still to paint, kept by the painting backend.
// Private to platform/win.

#include "platform/win/wm/window.h"

#include <QImage>
#include <QRect>
#include <QRegion>

namespace pm::wm {

struct WindowSurface {
    QImage image;     // the whole window rectangle, as last made: read it through windowImage
    QSize kept{0, 0}; // the part of image, from its top left, that every size since then has covered
    QRegion update;   // invalid area, window coordinates
};

// The window's image at the window's size. It is made or resized here, when it is about to be
// drawn into, shown or read, so the sizes a layout pass goes through cost nothing: the pixels
// that every size since the last image covered stay, the rest is white.
QImage& windowImage(const Window* w);

void invalidate(Window* w, const QRegion& windowRegion, UINT flags);
QRect clientRectInWindow(const Window* w);
void flushWidget(Window* w, const QRect& windowRect = QRect());

} // namespace pm::wm
