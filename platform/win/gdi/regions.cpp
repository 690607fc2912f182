// Regions (kept by the region store in the coordinates they were made in) and the DC's clip region.
#include "platform/win/gdi/dc_surface.h"
#include "platform/win/gdi/objects.h"
#include "platform/win/gdi/region_store.h"

#include <QPolygon>

using namespace pm::gdi;

namespace {

QRect rectOf(int left, int top, int right, int bottom) {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    return QRect(left, top, right - left, bottom - top);
}

HRGN addRegion(QRegion region) {
    return addObject<HRGN>(Region{storeRegion(std::move(region))});
}

int complexity(const QRegion& r) {
    if (r.isEmpty()) return NULLREGION;
    return r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

Region* regionOf(HRGN rgn) {
    return objectAs<Region>(rgn);
}

// The DC's clip region, or its whole surface when it has none (device coordinates).
QRegion clipOrSurface(const DeviceContext& dc) {
    return dc.state.clip ? QRegion(*dc.state.clip) : QRegion(surfaceRect(dc));
}

void setClip(DcState& s, QRegion clip) {
    if (s.clip)
        *s.clip = std::move(clip);
    else
        s.clip = storeRegion(std::move(clip));
}

} // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    return addRegion(QRegion(rectOf(left, top, right, bottom)));
}

HRGN CreateRectRgnIndirect(const RECT* r) {
    return r ? CreateRectRgn(r->left, r->top, r->right, r->bottom) : nullptr;
}

HRGN CreateEllipticRgn(int left, int top, int right, int bottom) {
    return addRegion(QRegion(rectOf(left, top, right, bottom), QRegion::Ellipse));
}

HRGN CreateEllipticRgnIndirect(const RECT* r) {
    return r ? CreateEllipticRgn(r->left, r->top, r->right, r->bottom) : nullptr;
}

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int width, int height) {
    QRect r = rectOf(left, top, right, bottom);
    int w = std::min(std::abs(width), r.width()), h = std::min(std::abs(height), r.height());
    if (w < 2 || h < 2) return addRegion(QRegion(r));
    // The straight bands plus the four corner ellipses.
    QRegion out(r.adjusted(w / 2, 0, -w / 2, 0));
    out += QRegion(r.adjusted(0, h / 2, 0, -h / 2));
    QRect corner(0, 0, w, h);
    out += QRegion(corner.translated(r.topLeft()), QRegion::Ellipse);
    out += QRegion(corner.translated(r.right() + 1 - w, r.top()), QRegion::Ellipse);
    out += QRegion(corner.translated(r.left(), r.bottom() + 1 - h), QRegion::Ellipse);
    out += QRegion(corner.translated(r.right() + 1 - w, r.bottom() + 1 - h), QRegion::Ellipse);
    return addRegion(out);
}

HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode) {
    if (!points || count < 3) return nullptr;
    QPolygon poly;
    for (int i = 0; i < count; ++i)
        poly << QPoint(points[i].x, points[i].y);
    return addRegion(QRegion(poly, fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill));
}

BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom) {
    Region* r = regionOf(rgn);
    if (!r) return FALSE;
    *r->region = QRegion(rectOf(left, top, right, bottom));
    return TRUE;
}

int CombineRgn(HRGN dst, HRGN a, HRGN b, int mode) {
    Region *d = regionOf(dst), *ra = regionOf(a), *rb = regionOf(b);
    if (!d || !ra || (mode != RGN_COPY && !rb)) return ERROR;
    switch (mode) {
    case RGN_AND:
        *d->region = *ra->region & *rb->region;
        break;
    case RGN_OR:
        *d->region = *ra->region | *rb->region;
        break;
    case RGN_XOR:
        *d->region = *ra->region ^ *rb->region;
        break;
    case RGN_DIFF:
        *d->region = ra->region->subtracted(*rb->region);
        break;
    case RGN_COPY:
        *d->region = *ra->region;
        break;
    default:
        return ERROR;
    }
    return complexity(*d->region);
}

int OffsetRgn(HRGN rgn, int dx, int dy) {
    Region* r = regionOf(rgn);
    if (!r) return ERROR;
    r->region->translate(dx, dy);
    return complexity(*r->region);
}

int GetRgnBox(HRGN rgn, LPRECT rect) {
    Region* r = regionOf(rgn);
    if (!r || !rect) return ERROR;
    QRect b = r->region->boundingRect();
    *rect = b.isEmpty() ? RECT{0, 0, 0, 0} : RECT{b.left(), b.top(), b.right() + 1, b.bottom() + 1};
    return complexity(*r->region);
}

BOOL PtInRegion(HRGN rgn, int x, int y) {
    Region* r = regionOf(rgn);
    return r && r->region->contains(QPoint(x, y));
}

BOOL RectInRegion(HRGN rgn, const RECT* rect) {
    Region* r = regionOf(rgn);
    return r && rect && r->region->intersects(rectOf(rect->left, rect->top, rect->right, rect->bottom));
}

BOOL EqualRgn(HRGN a, HRGN b) {
    Region *ra = regionOf(a), *rb = regionOf(b);
    return ra && rb && *ra->region == *rb->region;
}

// ---- The clip region of a DC (device coordinates) ------------------------------------------------------

int ExtSelectClipRgn(HDC hdc, HRGN rgn, int mode) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc) return ERROR;
    DcState& s = dc->state;
    if (!rgn) {
        if (mode != RGN_COPY) return ERROR;
        s.clip = RegionRef();
        return SIMPLEREGION;
    }
    Region* r = regionOf(rgn);
    if (!r) return ERROR;
    QRegion current = clipOrSurface(*dc);
    switch (mode) {
    case RGN_AND:
        setClip(s, current & *r->region);
        break;
    case RGN_OR:
        setClip(s, current | *r->region);
        break;
    case RGN_XOR:
        setClip(s, current ^ *r->region);
        break;
    case RGN_DIFF:
        setClip(s, current.subtracted(*r->region));
        break;
    case RGN_COPY:
        setClip(s, *r->region);
        break;
    default:
        return ERROR;
    }
    return complexity(visibleRegion(*dc));
}

int SelectClipRgn(HDC hdc, HRGN rgn) {
    return ExtSelectClipRgn(hdc, rgn, RGN_COPY);
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc) return ERROR;
    setClip(dc->state,
            clipOrSurface(*dc).subtracted(QRegion(deviceRect(*dc, RECT{left, top, right, bottom}))));
    return complexity(visibleRegion(*dc));
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc) return ERROR;
    QRegion area(deviceRect(*dc, RECT{left, top, right, bottom}));
    setClip(dc->state, dc->state.clip ? *dc->state.clip & area : area);
    return complexity(visibleRegion(*dc));
}

int OffsetClipRgn(HDC hdc, int dx, int dy) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc) return ERROR;
    if (dc->state.clip) dc->state.clip->translate(dc->lengthToDevice(dx), dc->lengthToDevice(dy));
    return complexity(visibleRegion(*dc));
}

int GetClipBox(HDC hdc, LPRECT rect) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || !rect) return ERROR;
    QRegion visible = visibleRegion(*dc);
    QRect box =
        imageOf(*dc) ? visible.boundingRect() : (dc->state.clip ? dc->state.clip->boundingRect() : QRect());
    *rect = box.isEmpty() ? RECT{0, 0, 0, 0} : logicalRect(*dc, box);
    return complexity(visible);
}

int GetClipRgn(HDC hdc, HRGN rgn) {
    DeviceContext* dc = dcOf(hdc);
    Region* r = regionOf(rgn);
    if (!dc || !r) return -1;
    if (!dc->state.clip) return 0;
    *r->region = *dc->state.clip;
    return 1;
}

BOOL PtVisible(HDC hdc, int x, int y) {
    DeviceContext* dc = dcOf(hdc);
    return dc && visibleRegion(*dc).contains(devicePoint(*dc, x, y));
}

BOOL RectVisible(HDC hdc, const RECT* rect) {
    DeviceContext* dc = dcOf(hdc);
    return dc && rect && visibleRegion(*dc).intersects(deviceRect(*dc, *rect));
}
