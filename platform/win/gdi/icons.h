#pragma once
// Icon and cursor objects made from pictures (private to GDI).

#include "platform/win/wingdi.h"

#include <QImage>
#include <QPoint>

namespace pm::gdi {

// An icon or cursor from an ARGB picture (alpha below 128 is transparent); shared ones are never
// destroyed.
HICON addIcon(const QImage& picture, QPoint hotspot, bool isIcon, bool shared);

} // namespace pm::gdi
