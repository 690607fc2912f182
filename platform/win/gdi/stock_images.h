#pragma once
// The pictures of the stock cursors (IDC_*) and icons (IDI_*), drawn by us at 32 x 32.

#include <QImage>
#include <QPoint>

namespace pm::gdi {

// The ARGB32 picture and hot spot of stock cursor `id`; false for an unknown id.
bool stockCursorImage(int id, QImage* image, QPoint* hotspot);
// The ARGB32 picture of stock icon `id`; false for an unknown id.
bool stockIconImage(int id, QImage* image);

} // namespace pm::gdi
