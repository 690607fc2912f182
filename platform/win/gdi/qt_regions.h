#pragma once
// Regions and Qt's: the GDI's regions as Qt regions and back, for the painter and the platform's
// other backend files. Private to platform/.

#include "platform/win/gdi/rect_region.h"

#include <QRect>
#include <QRegion>

namespace pm::gdi {

inline QRect qrectOf(const RECT& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}
inline RECT rectOf(const QRect& r) {
    return RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

QRegion toQRegion(const RectRegion& region);
RectRegion fromQRegion(const QRegion& region);

} // namespace pm::gdi
