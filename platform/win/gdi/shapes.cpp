// Lines and filled shapes through QPainter, with Win32's pixel rules: a line leaves out its last
// pixel, and a shape covers its rectangle's left and top edges but not its right and bottom ones.
#include "platform/win/gdi/painter.h"
#include "platform/win/gdi/qt_regions.h"
#include "platform/win/gdi/surface.h"

#include <QPainterPath>
#include <QPolygon>

#include <cmath>

using namespace pm::gdi;

namespace {

// Draws with the pen (and the brush when `fill`) under the DC's raster operation.
template <class F> BOOL draw(HDC hdc, bool fill, F shape) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc) return FALSE;
    DcPainter dp(*dc);
    if (!dp.active() || !dp.useRop2(dc->state.rop2)) return TRUE;
    QPainter& p = dp.painter();
    PenShape pen = penOf(*dc);
    QBrush brush = fill ? brushOf(*dc) : QBrush(Qt::NoBrush);
    QColor fixed;
    if (DcPainter::fixedRop2Colour(dc->state.rop2, &fixed)) {
        pen.pen.setColor(fixed);
        if (brush.style() != Qt::NoBrush) brush = QBrush(fixed);
    }
    if (pen.dashed && dc->state.bkMode == OPAQUE) {
        // The gaps of a styled line take the background colour.
        QPen back = pen.pen;
        back.setStyle(Qt::SolidLine);
        back.setColor(QColor::fromRgb(dc->resolve(dc->state.bkColor)));
        p.setPen(back);
        p.setBrush(Qt::NoBrush);
        shape(p, *dc, pen, false);
    }
    p.setPen(pen.none ? QPen(Qt::NoPen) : pen.pen);
    p.setBrush(brush);
    shape(p, *dc, pen, fill);
    return TRUE;
}

// The rectangle a shape's outline runs along, in device pixels (inclusive right and bottom).
QRect outlineRect(const DeviceContext& dc, int l, int t, int r, int b, const PenShape& pen) {
    QRect box = qrectOf(deviceRect(dc, RECT{l, t, r, b}));
    if (pen.insideFrame && pen.width > 1) {
        int in = pen.width / 2;
        box.adjust(in, in, -(pen.width - 1 - in), -(pen.width - 1 - in));
    }
    return box.adjusted(0, 0, -1, -1);
}

// A filled shape without a pen is one pixel smaller to the right and bottom, as in Win32.
QRect fillOnlyRect(const DeviceContext& dc, int l, int t, int r, int b) {
    return qrectOf(deviceRect(dc, RECT{l, t, r, b})).adjusted(0, 0, -1, -1);
}

double angleOf(QPointF centre, QPoint at) {
    return std::atan2(-(at.y() - centre.y()), at.x() - centre.x()) * 180.0 / M_PI;
}

// Start and span (in 1/16 degree, counter-clockwise) of an arc from radial r1 to radial r2.
void arcAngles(const QRect& box, QPoint r1, QPoint r2, int* start, int* span) {
    QPointF c = QRectF(box).center();
    double a = angleOf(c, r1), b = angleOf(c, r2);
    double s = b - a;
    while (s <= 0)
        s += 360.0;
    *start = static_cast<int>(std::lround(a * 16));
    *span = static_cast<int>(std::lround(s * 16));
}

} // namespace

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT old) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc) return FALSE;
    if (old) *old = dc->state.position;
    dc->state.position = POINT{x, y};
    return TRUE;
}

BOOL GetCurrentPositionEx(HDC hdc, LPPOINT pos) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || !pos) return FALSE;
    *pos = dc->state.position;
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc) return FALSE;
    POINT from = dc->state.position;
    dc->state.position = POINT{x, y};
    return draw(hdc, false, [&](QPainter& p, DeviceContext& d, const PenShape& pen, bool) {
        QPoint a = devicePoint(d, from), b = devicePoint(d, x, y);
        // One-pixel lines use a flat cap, which leaves the last pixel out as Win32 does.
        if (a != b || pen.width > 1) p.drawLine(a, b);
    });
}

BOOL Polyline(HDC hdc, const POINT* points, int count) {
    if (!points || count < 2) return count >= 0 && dcOf(hdc) ? TRUE : FALSE;
    return draw(hdc, false, [&](QPainter& p, DeviceContext& d, const PenShape&, bool) {
        QPolygon poly;
        for (int i = 0; i < count; ++i)
            poly << devicePoint(d, points[i]);
        p.drawPolyline(poly);
    });
}

BOOL PolylineTo(HDC hdc, const POINT* points, DWORD count) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || !points) return FALSE;
    for (DWORD i = 0; i < count; ++i)
        if (!LineTo(hdc, points[i].x, points[i].y)) return FALSE;
    return TRUE;
}

BOOL Polygon(HDC hdc, const POINT* points, int count) {
    if (!points || count < 2) return FALSE;
    return draw(hdc, true, [&](QPainter& p, DeviceContext& d, const PenShape&, bool) {
        QPolygon poly;
        for (int i = 0; i < count; ++i)
            poly << devicePoint(d, points[i]);
        p.drawPolygon(poly, d.state.polyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    });
}

BOOL Rectangle(HDC hdc, int l, int t, int r, int b) {
    return draw(hdc, true, [&](QPainter& p, DeviceContext& d, const PenShape& pen, bool fill) {
        if (pen.none) {
            if (fill) p.fillRect(fillOnlyRect(d, l, t, r, b), p.brush());
            return;
        }
        p.drawRect(outlineRect(d, l, t, r, b, pen));
    });
}

BOOL RoundRect(HDC hdc, int l, int t, int r, int b, int width, int height) {
    return draw(hdc, true, [&](QPainter& p, DeviceContext& d, const PenShape& pen, bool) {
        QRect box = pen.none ? fillOnlyRect(d, l, t, r, b) : outlineRect(d, l, t, r, b, pen);
        p.drawRoundedRect(box, d.lengthToDevice(width) / 2.0, d.lengthToDevice(height) / 2.0);
    });
}

BOOL Ellipse(HDC hdc, int l, int t, int r, int b) {
    return draw(hdc, true, [&](QPainter& p, DeviceContext& d, const PenShape& pen, bool) {
        p.drawEllipse(pen.none ? fillOnlyRect(d, l, t, r, b) : outlineRect(d, l, t, r, b, pen));
    });
}

BOOL Pie(HDC hdc, int l, int t, int r, int b, int xr1, int yr1, int xr2, int yr2) {
    return draw(hdc, true, [&](QPainter& p, DeviceContext& d, const PenShape& pen, bool) {
        QRect box = pen.none ? fillOnlyRect(d, l, t, r, b) : outlineRect(d, l, t, r, b, pen);
        int start, span;
        arcAngles(box, devicePoint(d, xr1, yr1), devicePoint(d, xr2, yr2), &start, &span);
        p.drawPie(box, start, span);
    });
}

BOOL Arc(HDC hdc, int l, int t, int r, int b, int xr1, int yr1, int xr2, int yr2) {
    return draw(hdc, false, [&](QPainter& p, DeviceContext& d, const PenShape& pen, bool) {
        QRect box = outlineRect(d, l, t, r, b, pen);
        int start, span;
        arcAngles(box, devicePoint(d, xr1, yr1), devicePoint(d, xr2, yr2), &start, &span);
        p.drawArc(box, start, span);
    });
}
