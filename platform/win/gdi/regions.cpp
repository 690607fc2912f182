// Regions (kept in the coordinates they were made in) and the DC's clip region.
#include "platform/win/gdi/objects.h"
#include "platform/win/gdi/region_shapes.h"
#include "platform/win/gdi/surface.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

using namespace pm::gdi;

namespace {

RECT rectOf(int left, int top, int right, int bottom) {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    return RECT{left, top, right, bottom};
}

HRGN addRegion(RectRegion region) {
    return addObject<HRGN>(Region{std::move(region)});
}

int complexity(const RectRegion& r) {
    if (r.empty()) return NULLREGION;
    return r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

Region* regionOf(HRGN rgn) {
    return objectAs<Region>(rgn);
}

// The DC's clip region, or its whole surface when it has none (device coordinates).
RectRegion clipOrSurface(const DeviceContext& dc) {
    return dc.state.clip ? *dc.state.clip : RectRegion(surfaceRect(dc));
}

} // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    return addRegion(RectRegion(rectOf(left, top, right, bottom)));
}

HRGN CreateRectRgnIndirect(const RECT* r) {
    return r ? CreateRectRgn(r->left, r->top, r->right, r->bottom) : nullptr;
}

HRGN CreateEllipticRgn(int left, int top, int right, int bottom) {
    return addRegion(ellipseRegion(rectOf(left, top, right, bottom)));
}

HRGN CreateEllipticRgnIndirect(const RECT* r) {
    return r ? CreateEllipticRgn(r->left, r->top, r->right, r->bottom) : nullptr;
}

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int width, int height) {
    RECT r = rectOf(left, top, right, bottom);
    int w = std::min(std::abs(width), widthOf(r)), h = std::min(std::abs(height), heightOf(r));
    if (w < 2 || h < 2) return addRegion(RectRegion(r));
    // The straight bands plus the four corner ellipses.
    RectRegion out(RECT{r.left + w / 2, r.top, r.right - w / 2, r.bottom});
    out |= RectRegion(RECT{r.left, r.top + h / 2, r.right, r.bottom - h / 2});
    for (POINT corner : {POINT{r.left, r.top}, POINT{r.right - w, r.top}, POINT{r.left, r.bottom - h},
                         POINT{r.right - w, r.bottom - h}})
        out |= ellipseRegion(RECT{corner.x, corner.y, corner.x + w, corner.y + h});
    return addRegion(std::move(out));
}

HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode) {
    if (!points || count < 3) return nullptr;
    return addRegion(polygonRegion(points, count, fillMode == WINDING));
}

BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom) {
    Region* r = regionOf(rgn);
    if (!r) return FALSE;
    r->region = RectRegion(rectOf(left, top, right, bottom));
    return TRUE;
}

int CombineRgn(HRGN dst, HRGN a, HRGN b, int mode) {
    Region *d = regionOf(dst), *ra = regionOf(a), *rb = regionOf(b);
    if (!d || !ra || (mode != RGN_COPY && !rb)) return ERROR;
    switch (mode) {
    case RGN_AND:
        d->region = ra->region & rb->region;
        break;
    case RGN_OR:
        d->region = ra->region | rb->region;
        break;
    case RGN_XOR:
        d->region = ra->region ^ rb->region;
        break;
    case RGN_DIFF:
        d->region = ra->region - rb->region;
        break;
    case RGN_COPY:
        d->region = ra->region;
        break;
    default:
        return ERROR;
    }
    return complexity(d->region);
}

int OffsetRgn(HRGN rgn, int dx, int dy) {
    Region* r = regionOf(rgn);
    if (!r) return ERROR;
    r->region.translate(dx, dy);
    return complexity(r->region);
}

int GetRgnBox(HRGN rgn, LPRECT rect) {
    Region* r = regionOf(rgn);
    if (!r || !rect) return ERROR;
    *rect = r->region.bounds();
    return complexity(r->region);
}

BOOL PtInRegion(HRGN rgn, int x, int y) {
    Region* r = regionOf(rgn);
    return r && r->region.contains(x, y);
}

BOOL RectInRegion(HRGN rgn, const RECT* rect) {
    Region* r = regionOf(rgn);
    return r && rect && r->region.intersects(rectOf(rect->left, rect->top, rect->right, rect->bottom));
}

BOOL EqualRgn(HRGN a, HRGN b) {
    Region *ra = regionOf(a), *rb = regionOf(b);
    return ra && rb && ra->region == rb->region;
}

// ---- The clip region of a DC (device coordinates) ------------------------------------------------------

int ExtSelectClipRgn(HDC hdc, HRGN rgn, int mode) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc) return ERROR;
    DcState& s = dc->state;
    if (!rgn) {
        if (mode != RGN_COPY) return ERROR;
        s.clip.reset();
        return SIMPLEREGION;
    }
    Region* r = regionOf(rgn);
    if (!r) return ERROR;
    RectRegion current = clipOrSurface(*dc);
    switch (mode) {
    case RGN_AND:
        s.clip = current & r->region;
        break;
    case RGN_OR:
        s.clip = current | r->region;
        break;
    case RGN_XOR:
        s.clip = current ^ r->region;
        break;
    case RGN_DIFF:
        s.clip = current - r->region;
        break;
    case RGN_COPY:
        s.clip = r->region;
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
    dc->state.clip = clipOrSurface(*dc) - RectRegion(deviceRect(*dc, RECT{left, top, right, bottom}));
    return complexity(visibleRegion(*dc));
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc) return ERROR;
    RectRegion area(deviceRect(*dc, RECT{left, top, right, bottom}));
    dc->state.clip = dc->state.clip ? *dc->state.clip & area : area;
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
    RectRegion visible = visibleRegion(*dc);
    bool surface = !dc->source().pixels.empty();
    RECT box = surface ? visible.bounds() : dc->state.clip ? dc->state.clip->bounds() : RECT{0, 0, 0, 0};
    *rect = IsRectEmpty(&box) ? RECT{0, 0, 0, 0} : logicalRect(*dc, box);
    return complexity(visible);
}

int GetClipRgn(HDC hdc, HRGN rgn) {
    DeviceContext* dc = dcOf(hdc);
    Region* r = regionOf(rgn);
    if (!dc || !r) return -1;
    if (!dc->state.clip) return 0;
    r->region = *dc->state.clip;
    return 1;
}

BOOL PtVisible(HDC hdc, int x, int y) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc) return FALSE;
    POINT p = dc->toDevice(x, y);
    return visibleRegion(*dc).contains(p.x, p.y);
}

BOOL RectVisible(HDC hdc, const RECT* rect) {
    DeviceContext* dc = dcOf(hdc);
    return dc && rect && visibleRegion(*dc).intersects(deviceRect(*dc, *rect));
}
