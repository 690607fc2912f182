// Block transfers between DCs: BitBlt, StretchBlt, MaskBlt, TransparentBlt and StretchDIBits, with
// monochrome and colour sources converted through the DCs' text and background colours as Win32 does.
#include "platform/win/gdi/image_store.h"
#include "platform/win/gdi/objects.h"
#include "platform/win/gdi/raster.h"
#include "platform/win/gdi/region_store.h"
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
QImage convertSource(const DeviceContext& src, const DeviceContext& dst, QImage pixels) {
    bool srcMono = src.monochrome(), dstMono = dst.monochrome();
    if (srcMono == dstMono) return pixels;
    QRgb text = dst.resolve(dst.state.textColor), back = dst.resolve(dst.state.bkColor);
    QRgb key = toRgb(src.state.bkColor & 0xFFFFFF);
    for (int y = 0; y < pixels.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(pixels.scanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            if (srcMono)
                line[x] = (line[x] & 0xFFFFFF) ? back : text;
            else
                line[x] = (line[x] | 0xFF000000u) == key ? 0xFFFFFFFFu : 0xFF000000u;
        }
    }
    return pixels;
}

// Source and destination rectangles of a transfer in device pixels, and whether it mirrors.
struct Transfer {
    QRect dst;
    QRect src;
    bool flipX = false;
    bool flipY = false;
};

// A device span from a to b; a reversed span covers b+1 .. a, as mirrored transfers do.
std::pair<int, int> span(int a, int b) {
    return b >= a ? std::make_pair(a, b - a) : std::make_pair(b + 1, a - b);
}

QRect rectOf(QPoint a, QPoint b) {
    auto [x, w] = span(a.x(), b.x());
    auto [y, h] = span(a.y(), b.y());
    return QRect(x, y, w, h);
}

Transfer transferOf(const DeviceContext& dst, int x, int y, int cx, int cy, const DeviceContext& src, int xs,
                    int ys, int cxs, int cys) {
    QPoint d0 = devicePoint(dst, x, y), d1 = devicePoint(dst, x + cx, y + cy);
    QPoint s0 = devicePoint(src, xs, ys), s1 = devicePoint(src, xs + cxs, ys + cys);
    Transfer t;
    t.dst = rectOf(d0, d1);
    t.src = rectOf(s0, s1);
    t.flipX = (d1.x() < d0.x()) != (s1.x() < s0.x());
    t.flipY = (d1.y() < d0.y()) != (s1.y() < s0.y());
    return t;
}

// The source pixels of a transfer, converted, stretched and mirrored to the destination's size.
QImage prepareSource(const DeviceContext& dst, const DeviceContext& src, const Transfer& t) {
    QImage* img = imageOf(src);
    QImage part = img->copy(t.src.translated(originOf(src))).convertToFormat(QImage::Format_RGB32);
    part = convertSource(src, dst, part);
    if (part.size() != t.dst.size())
        part = part.scaled(t.dst.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (t.flipX || t.flipY) part = part.mirrored(t.flipX, t.flipY);
    return part;
}

// Where a transfer may write, in destination image pixels, given where its source exists.
QRegion transferArea(const DeviceContext& dst, const DeviceContext& src, const Transfer& t) {
    QRegion area = outputArea(dst, t.dst);
    if (t.src.size() == t.dst.size() && !t.flipX && !t.flipY) {
        // An unstretched copy leaves pixels whose source lies outside the source surface alone.
        QRect valid = (surfaceRect(src) & t.src).translated(t.dst.topLeft() - t.src.topLeft());
        area &= QRegion(valid.translated(originOf(dst)));
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
    if (!src || !imageOf(*src)) return FALSE;
    QImage* out = imageOf(*dst);
    if (!out) return TRUE;
    Transfer t = transferOf(*dst, x, y, cx, cy, *src, xs, ys, cxs, cys);
    if (t.dst.isEmpty() || t.src.isEmpty()) return TRUE;
    Pattern pat = ropUsesPattern(code) ? patternFor(*dst, dst->selectedBrush()) : Pattern{};
    QRegion area = transferArea(*dst, *src, t);
    QImage* whole = imageOf(*src);
    bool direct = whole != out && t.src.size() == t.dst.size() && !t.flipX && !t.flipY &&
                  src->monochrome() == dst->monochrome() && whole->depth() == 32;
    if (direct) {
        // Same size from another image without conversion: read the source in place.
        QPoint delta = (t.src.topLeft() + originOf(*src)) - (t.dst.topLeft() + originOf(*dst));
        applyRop3(*out, area, code, &pat, whole, delta);
        return TRUE;
    }
    QImage pixels = prepareSource(*dst, *src, t);
    applyRop3(*out, area, code, &pat, &pixels, -(t.dst.topLeft() + originOf(*dst)));
    return TRUE;
}

} // namespace

BOOL BitBlt(HDC dst, int x, int y, int cx, int cy, HDC src, int x1, int y1, DWORD rop) {
    DeviceContext* s = dcOf(src);
    if (!s) return stretch(dst, x, y, cx, cy, src, x1, y1, cx, cy, rop);
    // The source has the destination's extent in device pixels.
    DeviceContext* d = dcOf(dst);
    if (d && d->state.mapMode != s->state.mapMode) {
        QPoint a = devicePoint(*d, x, y), b = devicePoint(*d, x + cx, y + cy);
        QPoint sa = devicePoint(*s, x1, y1);
        POINT sb = s->toLogical(sa.x() + (b.x() - a.x()), sa.y() + (b.y() - a.y()));
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
    QImage* out = imageOf(*dst);
    if (!out) return TRUE;
    // Both operations on copies of the destination, then per pixel: foreground where the mask is 1.
    QRect target = deviceRect(*dst, RECT{x, y, x + cx, y + cy}).translated(originOf(*dst)) & out->rect();
    if (target.isEmpty()) return TRUE;
    QImage before = out->copy(target);
    DWORD fore = rop & 0xFFFFFF, back = (rop >> 8 & 0xFF0000) | (rop & 0xFFFF);
    if (!BitBlt(hdcDst, x, y, cx, cy, hdcSrc, xs, ys, fore)) return FALSE;
    QImage foreground = out->copy(target);
    for (int ty = 0; ty < target.height(); ++ty)
        std::memcpy(out->scanLine(target.top() + ty) + target.left() * 4, before.constScanLine(ty),
                    static_cast<std::size_t>(target.width()) * 4);
    BitBlt(hdcDst, x, y, cx, cy, hdcSrc, xs, ys, back);
    QPoint maskOrigin = QPoint(xm, ym) + (target.topLeft() - originOf(*dst) - devicePoint(*dst, x, y));
    for (int ty = 0; ty < target.height(); ++ty) {
        auto* line = reinterpret_cast<QRgb*>(out->scanLine(target.top() + ty));
        const auto* f = reinterpret_cast<const QRgb*>(foreground.constScanLine(ty));
        int my = maskOrigin.y() + ty;
        if (my < 0 || my >= m->image->height()) continue;
        const auto* ml = reinterpret_cast<const QRgb*>(m->image->constScanLine(my));
        for (int tx = 0; tx < target.width(); ++tx) {
            int mx = maskOrigin.x() + tx;
            if (mx >= 0 && mx < m->image->width() && (ml[mx] & 0xFFFFFF)) line[target.left() + tx] = f[tx];
        }
    }
    return TRUE;
}

BOOL TransparentBlt(HDC hdcDst, int x, int y, int cx, int cy, HDC hdcSrc, int xs, int ys, int cxs, int cys,
                    UINT transparent) {
    DeviceContext *dst = dcOf(hdcDst), *src = dcOf(hdcSrc);
    if (!dst || !src || !imageOf(*src) || cx < 0 || cy < 0 || cxs < 0 || cys < 0) return FALSE;
    QImage* out = imageOf(*dst);
    if (!out) return TRUE;
    Transfer t = transferOf(*dst, x, y, cx, cy, *src, xs, ys, cxs, cys);
    if (t.dst.isEmpty() || t.src.isEmpty()) return TRUE;
    QImage* whole = imageOf(*src);
    QImage pixels = whole->copy(t.src.translated(originOf(*src))).convertToFormat(QImage::Format_RGB32);
    if (pixels.size() != t.dst.size())
        pixels = pixels.scaled(t.dst.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QRgb key = toRgb(transparent & 0xFFFFFF) & 0xFFFFFF;
    QPoint at = t.dst.topLeft() + originOf(*dst);
    bool keyed = out->hasAlphaChannel();
    for (const QRect& r : outputArea(*dst, t.dst))
        for (int py = r.top(); py <= r.bottom(); ++py) {
            auto* line = reinterpret_cast<QRgb*>(out->scanLine(py));
            const auto* s = reinterpret_cast<const QRgb*>(pixels.constScanLine(py - at.y()));
            for (int px = r.left(); px <= r.right(); ++px) {
                QRgb c = s[px - at.x()];
                if ((c & 0xFFFFFF) != key) line[px] = storedPixel(c, keyed);
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
    QRect surface = surfaceRect(*dc);
    QRect area = scroll ? deviceRect(*dc, *scroll) & surface : surface;
    QRect clipArea = clip ? deviceRect(*dc, *clip) & surface : surface;
    QRegion visible = visibleRegion(*dc) & (area & clipArea);
    QRegion dest = visible & area.translated(dx, dy) & visible.translated(dx, dy);
    // Rectangles nearer the direction of the move go first, so none overwrites another's source.
    std::vector<QRect> parts(dest.begin(), dest.end());
    std::sort(parts.begin(), parts.end(), [dx, dy](const QRect& a, const QRect& b) {
        if (a.top() != b.top()) return dy > 0 ? a.top() > b.top() : a.top() < b.top();
        return dx > 0 ? a.left() > b.left() : a.left() < b.left();
    });
    if (QImage* image = imageOf(*dc))
        for (const QRect& r : parts)
            moveImagePixels(*image, r.translated(originOf(*dc)), QPoint(dx, dy));
    QRegion exposed = visible - dest;
    if (updateRect)
        *updateRect = exposed.isEmpty()
                          ? RECT{0, 0, 0, 0}
                          : RECT{exposed.boundingRect().left(), exposed.boundingRect().top(),
                                 exposed.boundingRect().right() + 1, exposed.boundingRect().bottom() + 1};
    if (Region* r = objectAs<Region>(update)) *r->region = exposed;
    return TRUE;
}
