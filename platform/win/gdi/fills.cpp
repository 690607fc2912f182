// Rectangle and region fills done per pixel: FillRect, PatBlt, frames, inversions, focus rectangles.
#include "platform/win/gdi/objects.h"
#include "platform/win/gdi/raster.h"
#include "platform/win/gdi/region_store.h"

using namespace pm::gdi;

namespace {

// Fills `deviceArea` (device coordinates) of dc with `brush` through the ternary operation `code`.
bool fillArea(DeviceContext& dc, const QRegion& deviceArea, HBRUSH brush, std::uint8_t code) {
    QImage* img = imageOf(dc);
    if (!img) return true;
    Pattern pat = ropUsesPattern(code) ? patternFor(dc, brush) : Pattern{};
    QRegion area = (visibleRegion(dc) & deviceArea).translated(originOf(dc));
    applyRop3(*img, area, code, &pat, nullptr, QPoint());
    return true;
}

QRect deviceRectOf(const DeviceContext& dc, int x, int y, int cx, int cy) {
    return deviceRect(dc, RECT{x, y, x + cx, y + cy});
}

// The device rectangle of a logical one; empty unless its right maps to the right of its left and its
// bottom below its top (so y-up mapping modes take their natural rectangles, and inverted ones fill
// nothing).
QRect filledRect(const DeviceContext& dc, const RECT& r) {
    QPoint a = devicePoint(dc, r.left, r.top), b = devicePoint(dc, r.right, r.bottom);
    if (b.x() <= a.x() || b.y() <= a.y()) return QRect();
    return QRect(a, b - QPoint(1, 1));
}

QRegion frameOf(const QRect& r, int w, int h) {
    if (r.width() <= 2 * w || r.height() <= 2 * h) return QRegion(r);
    return QRegion(r).subtracted(QRegion(r.adjusted(w, h, -w, -h)));
}

} // namespace

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || !rect) return 0;
    return fillArea(*dc, QRegion(filledRect(*dc, *rect)), brush, rop3Code(PATCOPY)) ? 1 : 0;
}

int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || !rect) return 0;
    QRect r = filledRect(*dc, *rect);
    if (r.isEmpty()) return 1;
    return fillArea(*dc, frameOf(r, 1, 1), brush, rop3Code(PATCOPY)) ? 1 : 0;
}

BOOL InvertRect(HDC hdc, const RECT* rect) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || !rect) return FALSE;
    return fillArea(*dc, QRegion(filledRect(*dc, *rect)), nullptr, rop3Code(DSTINVERT));
}

BOOL PatBlt(HDC hdc, int x, int y, int cx, int cy, DWORD rop) {
    DeviceContext* dc = dcOf(hdc);
    std::uint8_t code = rop3Code(rop);
    if (!dc || ropUsesSource(code)) return FALSE;
    return fillArea(*dc, QRegion(deviceRectOf(*dc, x, y, cx, cy)), dc->selectedBrush(), code);
}

BOOL DrawFocusRect(HDC hdc, const RECT* rect) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || !rect) return FALSE;
    QImage* img = imageOf(*dc);
    if (!img) return TRUE;
    QRect r = deviceRect(*dc, *rect);
    // Every other pixel of the one-pixel frame, inverted, so a second call removes it.
    QRegion area = outputArea(*dc, r) & frameOf(r, 1, 1).translated(originOf(*dc));
    QPoint start = r.topLeft() + originOf(*dc);
    bool keyed = img->hasAlphaChannel();
    for (const QRect& part : area)
        for (int y = part.top(); y <= part.bottom(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(img->scanLine(y));
            for (int x = part.left(); x <= part.right(); ++x)
                if (((x - start.x()) + (y - start.y())) % 2 == 0)
                    line[x] = storedPixel(line[x] ^ 0xFFFFFFu, keyed);
        }
    return TRUE;
}

namespace {

Region* regionOf(HRGN rgn) {
    return objectAs<Region>(rgn);
}

// A region's rectangles from logical to device coordinates.
QRegion deviceRegion(const DeviceContext& dc, const QRegion& logical) {
    QRegion out;
    for (const QRect& r : logical)
        out += deviceRect(dc, RECT{r.left(), r.top(), r.right() + 1, r.bottom() + 1});
    return out;
}

} // namespace

BOOL FillRgn(HDC hdc, HRGN rgn, HBRUSH brush) {
    DeviceContext* dc = dcOf(hdc);
    Region* r = regionOf(rgn);
    if (!dc || !r) return FALSE;
    return fillArea(*dc, deviceRegion(*dc, *r->region), brush, rop3Code(PATCOPY));
}

BOOL PaintRgn(HDC hdc, HRGN rgn) {
    DeviceContext* dc = dcOf(hdc);
    return dc ? FillRgn(hdc, rgn, dc->selectedBrush()) : FALSE;
}

BOOL InvertRgn(HDC hdc, HRGN rgn) {
    DeviceContext* dc = dcOf(hdc);
    Region* r = regionOf(rgn);
    if (!dc || !r) return FALSE;
    return fillArea(*dc, deviceRegion(*dc, *r->region), nullptr, rop3Code(DSTINVERT));
}

BOOL FrameRgn(HDC hdc, HRGN rgn, HBRUSH brush, int width, int height) {
    DeviceContext* dc = dcOf(hdc);
    Region* r = regionOf(rgn);
    if (!dc || !r || width < 0 || height < 0) return FALSE;
    QRegion area = deviceRegion(*dc, *r->region);
    // The inside shrunk by the frame size: the part of the region that stays when moved every way.
    QRegion inside = area;
    for (QPoint d : {QPoint(width, 0), QPoint(-width, 0), QPoint(0, height), QPoint(0, -height)})
        inside &= area.translated(d);
    return fillArea(*dc, area.subtracted(inside), brush, rop3Code(PATCOPY));
}
