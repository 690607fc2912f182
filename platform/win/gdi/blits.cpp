// Block transfers between DCs: BitBlt, StretchBlt, MaskBlt, TransparentBlt and StretchDIBits, with
// monochrome and colour sources converted through the DCs' text and background colours as Win32 does.
#include "platform/win/gdi/image_pixels.h"
#include "platform/win/gdi/objects.h"
#include "platform/win/gdi/raster.h"
#include "platform/win/gdi/surface.h"
#include "platform/win/winuser.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

using namespace pm::gdi;

namespace {

// The source pixels as the destination sees them: a monochrome source takes the destination's text
// colour for black and background colour for white; a colour source going to a monochrome
// destination is white where it has the source's background colour and black elsewhere.
void convertSource(const DeviceContext& src, const DeviceContext& dst, const PixelView& pixels) {
    bool srcMono = src.monochrome(), dstMono = dst.monochrome();
    if (srcMono == dstMono) return;
    std::uint32_t text = dst.resolve(dst.state.textColor), back = dst.resolve(dst.state.bkColor);
    std::uint32_t key = toRgb(src.state.bkColor & 0xFFFFFF);
    for (int y = 0; y < pixels.height; ++y) {
        std::uint32_t* line = pixels.line(y);
        for (int x = 0; x < pixels.width; ++x) {
            if (srcMono)
                line[x] = (line[x] & 0xFFFFFF) ? back : text;
            else
                line[x] = (line[x] | 0xFF000000u) == key ? 0xFFFFFFFFu : 0xFF000000u;
        }
    }
}

// Source and destination rectangles of a transfer in device pixels, and whether it mirrors.
struct Transfer {
    RECT dst;
    RECT src;
    bool flipX = false;
    bool flipY = false;
};

// A device span from a to b as its start and end; a reversed span covers b+1 .. a, as mirrored
// transfers do.
std::pair<int, int> span(int a, int b) {
    return b >= a ? std::make_pair(a, b) : std::make_pair(b + 1, a + 1);
}

RECT rectOf(POINT a, POINT b) {
    auto [left, right] = span(a.x, b.x);
    auto [top, bottom] = span(a.y, b.y);
    return RECT{left, top, right, bottom};
}

Transfer transferOf(const DeviceContext& dst, int x, int y, int cx, int cy, const DeviceContext& src, int xs,
                    int ys, int cxs, int cys) {
    POINT d0 = dst.toDevice(x, y), d1 = dst.toDevice(x + cx, y + cy);
    POINT s0 = src.toDevice(xs, ys), s1 = src.toDevice(xs + cxs, ys + cys);
    Transfer t;
    t.dst = rectOf(d0, d1);
    t.src = rectOf(s0, s1);
    t.flipX = (d1.x < d0.x) != (s1.x < s0.x);
    t.flipY = (d1.y < d0.y) != (s1.y < s0.y);
    return t;
}

bool sameSize(const RECT& a, const RECT& b) {
    return widthOf(a) == widthOf(b) && heightOf(a) == heightOf(b);
}

// A copy of a part of the source's pixels, opaque where the source keeps transparency; pixels
// outside the source are black.
ImageRef copyPart(const Source& source, const RECT& part) {
    ImageRef copy = copyOfPart(source.pixels, part);
    if (!source.keyed) return copy;
    PixelView pixels = pixelsOf(*copy);
    for (int y = 0; y < pixels.height; ++y)
        for (std::uint32_t* p = pixels.line(y); p != pixels.line(y) + pixels.width; ++p)
            *p |= 0xFF000000u;
    return copy;
}

void mirror(const PixelView& pixels, bool flipX, bool flipY) {
    if (flipY)
        for (int y = 0; y < pixels.height / 2; ++y)
            std::swap_ranges(pixels.line(y), pixels.line(y) + pixels.width,
                             pixels.line(pixels.height - 1 - y));
    if (flipX)
        for (int y = 0; y < pixels.height; ++y)
            std::reverse(pixels.line(y), pixels.line(y) + pixels.width);
}

// The source pixels of a transfer, converted, stretched and mirrored to the destination's size.
ImageRef prepareSource(const DeviceContext& dst, const DeviceContext& src, const Transfer& t) {
    ImageRef part = copyPart(src.source(), translated(t.src, src.origin().x, src.origin().y));
    convertSource(src, dst, pixelsOf(*part));
    part = stretched(std::move(part), widthOf(t.dst), heightOf(t.dst));
    if (t.flipX || t.flipY) mirror(pixelsOf(*part), t.flipX, t.flipY);
    return part;
}

// Where a transfer may write, in destination pixels, given where its source exists.
RectRegion transferArea(const DeviceContext& dst, const DeviceContext& src, const Transfer& t) {
    RectRegion area = outputArea(dst, t.dst);
    if (sameSize(t.src, t.dst) && !t.flipX && !t.flipY) {
        // An unstretched copy leaves pixels whose source lies outside the source surface alone.
        RECT valid = translated(intersectionOf(surfaceRect(src), t.src), t.dst.left - t.src.left,
                                t.dst.top - t.src.top);
        area &= inPixels(dst, RectRegion(valid));
    }
    return area;
}

BOOL stretch(HDC hdcDst, int x, int y, int cx, int cy, HDC hdcSrc, int xs, int ys, int cxs, int cys,
             DWORD rop) {
    DeviceContext* dst = dcOf(hdcDst);
    if (!dst) return FALSE;
    std::uint8_t code = rop3Code(rop);
    if (!ropUsesSource(code)) return PatBlt(hdcDst, x, y, cx, cy, rop);
    DeviceContext* src = dcOf(hdcSrc);
    if (!src) return FALSE;
    Source whole = src->source();
    if (whole.pixels.empty()) return FALSE;
    Target out = dst->target();
    if (out.pixels.empty()) return TRUE;
    Transfer t = transferOf(*dst, x, y, cx, cy, *src, xs, ys, cxs, cys);
    if (IsRectEmpty(&t.dst) || IsRectEmpty(&t.src)) return TRUE;
    Pattern pat = ropUsesPattern(code) ? patternFor(*dst, dst->selectedBrush()) : Pattern{};
    RectRegion area = transferArea(*dst, *src, t);
    POINT at{t.dst.left + dst->origin().x, t.dst.top + dst->origin().y};
    bool direct = whole.pixels.bits != out.pixels.bits && sameSize(t.src, t.dst) && !t.flipX && !t.flipY &&
                  src->monochrome() == dst->monochrome();
    if (direct) {
        // Same size from other pixels without conversion: read the source in place.
        POINT delta{t.src.left + src->origin().x - at.x, t.src.top + src->origin().y - at.y};
        applyRop3(out, area, code, &pat, whole, delta);
        return TRUE;
    }
    ImageRef pixels = prepareSource(*dst, *src, t);
    applyRop3(out, area, code, &pat, Source{constPixelsOf(*pixels), false}, POINT{-at.x, -at.y});
    return TRUE;
}

} // namespace

BOOL BitBlt(HDC dst, int x, int y, int cx, int cy, HDC src, int x1, int y1, DWORD rop) {
    DeviceContext* s = dcOf(src);
    if (!s) return stretch(dst, x, y, cx, cy, src, x1, y1, cx, cy, rop);
    // The source has the destination's extent in device pixels.
    DeviceContext* d = dcOf(dst);
    if (d && d->state.mapMode != s->state.mapMode) {
        POINT a = d->toDevice(x, y), b = d->toDevice(x + cx, y + cy);
        POINT sa = s->toDevice(x1, y1);
        POINT sb = s->toLogical(sa.x + (b.x - a.x), sa.y + (b.y - a.y));
        return stretch(dst, x, y, cx, cy, src, x1, y1, sb.x - x1, sb.y - y1, rop);
    }
    return stretch(dst, x, y, cx, cy, src, x1, y1, cx, cy, rop);
}

BOOL StretchBlt(HDC dst, int x, int y, int cx, int cy, HDC src, int xs, int ys, int cxs, int cys, DWORD rop) {
    return stretch(dst, x, y, cx, cy, src, xs, ys, cxs, cys, rop);
}

BOOL MaskBlt(HDC hdcDst, int x, int y, int cx, int cy, HDC hdcSrc, int xs, int ys, HBITMAP mask, int xm,
             int ym, DWORD rop) {
    Bitmap* m = objectAs<Bitmap>(mask);
    DeviceContext* dst = dcOf(hdcDst);
    if (!m) return BitBlt(hdcDst, x, y, cx, cy, hdcSrc, xs, ys, rop & 0xFFFFFF);
    if (!dst || !m->mono) return FALSE;
    Target out = dst->target();
    if (out.pixels.empty()) return TRUE;
    // Both operations on copies of the destination, then per pixel: foreground where the mask is 1.
    RECT target = intersectionOf(
        translated(deviceRect(*dst, RECT{x, y, x + cx, y + cy}), dst->origin().x, dst->origin().y),
        RECT{0, 0, out.pixels.width, out.pixels.height});
    if (IsRectEmpty(&target)) return TRUE;
    ImageRef before = copyPart(Source{out.pixels, false}, target);
    DWORD fore = rop & 0xFFFFFF, back = (rop >> 8 & 0xFF0000) | (rop & 0xFFFF);
    if (!BitBlt(hdcDst, x, y, cx, cy, hdcSrc, xs, ys, fore)) return FALSE;
    out = dst->target();
    ImageRef foreground = copyPart(Source{out.pixels, false}, target);
    ConstPixelView saved = constPixelsOf(*before), f = constPixelsOf(*foreground);
    for (int ty = 0; ty < heightOf(target); ++ty)
        std::memcpy(out.pixels.line(target.top + ty) + target.left, saved.line(ty),
                    static_cast<std::size_t>(widthOf(target)) * 4);
    BitBlt(hdcDst, x, y, cx, cy, hdcSrc, xs, ys, back);
    out = dst->target();
    POINT corner = dst->toDevice(x, y);
    POINT maskOrigin{xm + target.left - dst->origin().x - corner.x,
                     ym + target.top - dst->origin().y - corner.y};
    ConstPixelView bits = constPixelsOf(*m->image);
    for (int ty = 0; ty < heightOf(target); ++ty) {
        int my = maskOrigin.y + ty;
        if (my < 0 || my >= bits.height) continue;
        std::uint32_t* line = out.pixels.line(target.top + ty) + target.left;
        const std::uint32_t* fl = f.line(ty);
        const std::uint32_t* ml = bits.line(my);
        for (int tx = 0; tx < widthOf(target); ++tx) {
            int mx = maskOrigin.x + tx;
            if (mx >= 0 && mx < bits.width && (ml[mx] & 0xFFFFFF)) line[tx] = fl[tx];
        }
    }
    return TRUE;
}

BOOL TransparentBlt(HDC hdcDst, int x, int y, int cx, int cy, HDC hdcSrc, int xs, int ys, int cxs, int cys,
                    UINT transparent) {
    DeviceContext *dst = dcOf(hdcDst), *src = dcOf(hdcSrc);
    if (!dst || !src || cx < 0 || cy < 0 || cxs < 0 || cys < 0) return FALSE;
    Source whole = src->source();
    if (whole.pixels.empty()) return FALSE;
    Target out = dst->target();
    if (out.pixels.empty()) return TRUE;
    Transfer t = transferOf(*dst, x, y, cx, cy, *src, xs, ys, cxs, cys);
    if (IsRectEmpty(&t.dst) || IsRectEmpty(&t.src)) return TRUE;
    ImageRef part = stretched(copyPart(whole, translated(t.src, src->origin().x, src->origin().y)),
                              widthOf(t.dst), heightOf(t.dst));
    ConstPixelView pixels = constPixelsOf(*part);
    std::uint32_t key = toRgb(transparent & 0xFFFFFF) & 0xFFFFFF;
    POINT at{t.dst.left + dst->origin().x, t.dst.top + dst->origin().y};
    for (const RECT& r : outputArea(*dst, t.dst))
        for (int py = r.top; py < r.bottom; ++py) {
            std::uint32_t* line = out.pixels.line(py);
            const std::uint32_t* s = pixels.line(py - at.y);
            for (int px = r.left; px < r.right; ++px) {
                std::uint32_t c = s[px - at.x];
                if ((c & 0xFFFFFF) != key) line[px] = storedPixel(c, out.keyed);
            }
        }
    return TRUE;
}

int StretchDIBits(HDC hdc, int x, int y, int cx, int cy, int xs, int ys, int cxs, int cys, const void* bits,
                  const BITMAPINFO* info, UINT usage, DWORD rop) {
    if (!info || !bits) return 0;
    int w = info->bmiHeader.biWidth, h = std::abs(info->bmiHeader.biHeight);
    if (w <= 0 || h <= 0) return 0;
    HBITMAP bm = CreateBitmap(w, h, 1, 32, nullptr);
    if (!bm) return 0;
    int lines = SetDIBits(hdc, bm, 0, static_cast<UINT>(h), bits, info, usage);
    HDC mem = CreateCompatibleDC(hdc);
    HGDIOBJ old = SelectObject(mem, bm);
    // DIB source coordinates count from the bottom for bottom-up DIBs.
    int top = info->bmiHeader.biHeight > 0 ? h - ys - cys : ys;
    BOOL ok = StretchBlt(hdc, x, y, cx, cy, mem, xs, top, cxs, cys, rop);
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(bm);
    return ok ? lines : 0;
}

// Moves the pixels of the scroll rectangle (the whole surface without one) by (dx, dy), inside the
// clip rectangle and the DC's visible region; the update region and rectangle receive the part of
// the clip left uncovered, in device coordinates.
BOOL ScrollDC(HDC hdc, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update, LPRECT updateRect) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc) return FALSE;
    RECT surface = surfaceRect(*dc);
    RECT area = scroll ? intersectionOf(deviceRect(*dc, *scroll), surface) : surface;
    RECT clipArea = clip ? intersectionOf(deviceRect(*dc, *clip), surface) : surface;
    RectRegion visible = visibleRegion(*dc) & RectRegion(intersectionOf(area, clipArea));
    RectRegion dest = visible & RectRegion(translated(area, dx, dy)) & visible.translated(dx, dy);
    // Rectangles nearer the direction of the move go first, so none overwrites another's source.
    std::vector<RECT> parts(dest.begin(), dest.end());
    std::sort(parts.begin(), parts.end(), [dx, dy](const RECT& a, const RECT& b) {
        if (a.top != b.top) return dy > 0 ? a.top > b.top : a.top < b.top;
        return dx > 0 ? a.left > b.left : a.left < b.left;
    });
    Target target = dc->target();
    for (const RECT& r : parts)
        movePixels(target.pixels, translated(r, dc->origin().x, dc->origin().y), POINT{dx, dy});
    RectRegion exposed = visible - dest;
    if (updateRect) *updateRect = exposed.bounds();
    if (Region* r = objectAs<Region>(update)) r->region = exposed;
    return TRUE;
}
