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
    // What was drawn was dropped: the window was covered and had no image (or let it go). The
    // image made next asks the window to paint all of it again.
    bool lost = false;
};

// The window's image at the window's size. It is made or resized here, when it is about to be
// drawn into, shown or read, so the sizes a layout pass goes through cost nothing: the pixels
// that every size since the last image covered stay, the rest is white.
QImage& windowImage(const Window* w);

// Whether the window has no image and nothing of it shows: its visible children cover it all.
// Nothing drawn into it could be seen, so it is drawn nowhere.
bool drawnNowhere(const Window* w);
// The part of the window's rectangle (window coordinates) that its visible children leave.
QRegion shownArea(const Window* w);

void invalidate(Window* w, const QRegion& windowRegion, UINT flags);
QRect clientRectInWindow(const Window* w);
void flushWidget(Window* w, const QRect& windowRect = QRect());

} // namespace pm::wm
