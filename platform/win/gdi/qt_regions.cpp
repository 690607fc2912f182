#include "platform/win/gdi/qt_regions.h"

#include "platform/win/gdi/region_shapes.h"

#include <QPolygon>

#include <vector>

namespace pm::gdi {

QRegion toQRegion(const RectRegion& region) {
    std::vector<QRect> rects;
    rects.reserve(region.rectCount());
    for (const RECT& r : region)
        rects.push_back(qrectOf(r));
    QRegion out;
    out.setRects(rects.data(), static_cast<int>(rects.size()));
    return out;
}

RectRegion fromQRegion(const QRegion& region) {
    std::vector<RECT> rects;
    rects.reserve(static_cast<std::size_t>(region.rectCount()));
    for (const QRect& r : region)
        rects.push_back(rectOf(r));
    return RectRegion::fromBands(rects.data(), rects.size());
}

RectRegion ellipseRegion(const RECT& box) {
    return fromQRegion(QRegion(qrectOf(box), QRegion::Ellipse));
}

RectRegion polygonRegion(const POINT* points, int count, bool winding) {
    QPolygon polygon;
    for (int i = 0; i < count; ++i)
        polygon << QPoint(points[i].x, points[i].y);
    return fromQRegion(QRegion(polygon, winding ? Qt::WindingFill : Qt::OddEvenFill));
}

} // namespace pm::gdi
