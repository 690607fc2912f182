#pragma once
// Icon and cursor objects made from pictures, and their pictures, for the GDI and the platform's
// other backend files (the cursor of the desktop, window and tray icons).

#include "platform/win/wingdi.h"

#include <QImage>
#include <QPoint>

namespace pm::gdi {

// An icon or cursor from an ARGB picture (alpha below 128 is transparent); shared ones are never
// destroyed.
HICON addIcon(const QImage& picture, QPoint hotspot, bool isIcon, bool shared);

// The picture of an icon or cursor as ARGB32 (transparent where the mask shows the background),
// with its hot spot when asked. A null image for a bad handle.
QImage imageOfIcon(HICON icon, QPoint* hotspot);
// An icon or cursor made from an ARGB32 picture (alpha below 128 counts as transparent).
HICON createIconFromImage(const QImage& image, QPoint hotspot, bool isIcon);

} // namespace pm::gdi
