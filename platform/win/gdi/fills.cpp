// Rectangle and region fills done per pixel: FillRect, PatBlt, frames, inversions, focus rectangles.
#include "platform/win/gdi/objects.h"
#include "platform/win/gdi/raster.h"
#include "platform/win/gdi/surface.h"

using namespace pm::gdi;

namespace {

// Fills `deviceArea` (device coordinates) of dc with `brush` through the ternary operation `code`.
bool fillArea(DeviceContext& dc, const RectRegion& deviceArea, HBRUSH brush, std::uint8_t code) {
    Target target = dc.target();
    if (target.pixels.empty()) return true;
    Pattern pat = ropUsesPattern(code) ? patternFor(dc, brush) : Pattern{};
    applyRop3(target, inPixels(dc, visibleRegion(dc) & deviceArea), code, &pat, Source(), POINT{0, 0});
    return true;
}

RECT deviceRectOf(const DeviceContext& dc, int x, int y, int cx, int cy) {
    return deviceRect(dc, RECT{x, y, x + cx, y + cy});
}

// The device rectangle of a logical one; empty unless its right maps to the right of its left and its
// bottom below its top (so y-up mapping modes take their natural rectangles, and inverted ones fill
// nothing).
RECT filledRect(const DeviceContext& dc, const RECT& r) {
    POINT a = dc.toDevice(r.left, r.top), b = dc.toDevice(r.right, r.bottom);
    if (b.x <= a.x || b.y <= a.y) return RECT{0, 0, 0, 0};
    return RECT{a.x, a.y, b.x, b.y};
}

RectRegion frameOf(const RECT& r, int w, int h) {
    if (widthOf(r) <= 2 * w || heightOf(r) <= 2 * h) return RectRegion(r);
    return RectRegion(r) - RectRegion(RECT{r.left + w, r.top + h, r.right - w, r.bottom - h});
}

} // namespace

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || !rect) return 0;
    return fillArea(*dc, RectRegion(filledRect(*dc, *rect)), brush, rop3Code(PATCOPY)) ? 1 : 0;
}

int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || !rect) return 0;
    RECT r = filledRect(*dc, *rect);
    if (IsRectEmpty(&r)) return 1;
    return fillArea(*dc, frameOf(r, 1, 1), brush, rop3Code(PATCOPY)) ? 1 : 0;
}

BOOL InvertRect(HDC hdc, const RECT* rect) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || !rect) return FALSE;
    return fillArea(*dc, RectRegion(filledRect(*dc, *rect)), nullptr, rop3Code(DSTINVERT));
}

BOOL PatBlt(HDC hdc, int x, int y, int cx, int cy, DWORD rop) {
    DeviceContext* dc = dcOf(hdc);
    std::uint8_t code = rop3Code(rop);
    if (!dc || ropUsesSource(code)) return FALSE;
    return fillArea(*dc, RectRegion(deviceRectOf(*dc, x, y, cx, cy)), dc->selectedBrush(), code);
}

BOOL DrawFocusRect(HDC hdc, const RECT* rect) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || !rect) return FALSE;
    Target target = dc->target();
    if (target.pixels.empty()) return TRUE;
    RECT r = deviceRect(*dc, *rect);
    // Every other pixel of the one-pixel frame, inverted, so a second call removes it.
    RectRegion area = outputArea(*dc, r) & inPixels(*dc, frameOf(r, 1, 1));
    POINT start{r.left + dc->origin().x, r.top + dc->origin().y};
    for (const RECT& part : area)
        for (int y = part.top; y < part.bottom; ++y) {
            std::uint32_t* line = target.pixels.line(y);
            for (int x = part.left; x < part.right; ++x)
                if (((x - start.x) + (y - start.y)) % 2 == 0)
                    line[x] = storedPixel(line[x] ^ 0xFFFFFFu, target.keyed);
        }
    return TRUE;
}

namespace {

Region* regionOf(HRGN rgn) {
    return objectAs<Region>(rgn);
}

// A region's rectangles from logical to device coordinates.
RectRegion deviceRegion(const DeviceContext& dc, const RectRegion& logical) {
    if (dc.state.mapMode == MM_TEXT) {
        POINT at = dc.toDevice(0, 0);
        return logical.translated(at.x, at.y);
    }
    RectRegion out;
    for (const RECT& r : logical)
        out |= RectRegion(deviceRect(dc, r));
    return out;
}

} // namespace

BOOL FillRgn(HDC hdc, HRGN rgn, HBRUSH brush) {
    DeviceContext* dc = dcOf(hdc);
    Region* r = regionOf(rgn);
    if (!dc || !r) return FALSE;
    return fillArea(*dc, deviceRegion(*dc, r->region), brush, rop3Code(PATCOPY));
}

BOOL PaintRgn(HDC hdc, HRGN rgn) {
    DeviceContext* dc = dcOf(hdc);
    return dc ? FillRgn(hdc, rgn, dc->selectedBrush()) : FALSE;
}

BOOL InvertRgn(HDC hdc, HRGN rgn) {
    DeviceContext* dc = dcOf(hdc);
    Region* r = regionOf(rgn);
    if (!dc || !r) return FALSE;
    return fillArea(*dc, deviceRegion(*dc, r->region), nullptr, rop3Code(DSTINVERT));
}

BOOL FrameRgn(HDC hdc, HRGN rgn, HBRUSH brush, int width, int height) {
    DeviceContext* dc = dcOf(hdc);
    Region* r = regionOf(rgn);
    if (!dc || !r || width < 0 || height < 0) return FALSE;
    RectRegion area = deviceRegion(*dc, r->region);
    // The inside shrunk by the frame size: the part of the region that stays when moved every way.
    RectRegion inside = area;
    for (POINT d : {POINT{width, 0}, POINT{-width, 0}, POINT{0, height}, POINT{0, -height}})
        inside &= area.translated(d.x, d.y);
    return fillArea(*dc, area - inside, brush, rop3Code(PATCOPY));
}
