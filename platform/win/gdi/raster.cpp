#include "platform/win/gdi/raster.h"

#include "platform/win/gdi/image_store.h"
#include "platform/win/gdi/objects.h"

#include <algorithm>
#include <cstring>

namespace pm::gdi {

namespace {

bool hatchBit(int hatch, int x, int y) {
    switch (hatch) {
    case HS_HORIZONTAL:
        return y == 4;
    case HS_VERTICAL:
        return x == 4;
    case HS_FDIAGONAL:
        return x == y;
    case HS_BDIAGONAL:
        return x + y == 7;
    case HS_CROSS:
        return x == 4 || y == 4;
    case HS_DIAGCROSS:
        return x == y || x + y == 7;
    default:
        return false;
    }
}

QImage hatchTile(int hatch, QRgb fore, QRgb back) {
    QImage tile(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            tile.setPixel(x, y, hatchBit(hatch, x, y) ? fore : back);
    return tile;
}

// A monochrome tile in the DC's colours: black pixels take the text colour, white the background.
QImage monoTile(const QImage& pattern, QRgb text, QRgb back) {
    QImage tile = pattern.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < tile.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(tile.scanLine(y));
        for (int x = 0; x < tile.width(); ++x)
            line[x] = (line[x] & 0xFFFFFF) ? back : text;
    }
    return tile;
}

QImage monoOfTile(const QImage& pattern) {
    QImage tile = pattern.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < tile.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(tile.scanLine(y));
        for (int x = 0; x < tile.width(); ++x)
            line[x] = monoOf(line[x]);
    }
    return tile;
}

} // namespace

Pattern patternFor(const DeviceContext& dc, HBRUSH brush) {
    auto value = reinterpret_cast<std::uintptr_t>(brush);
    if (value > 0 && value <= 31) brush = GetSysColorBrush(static_cast<int>(value) - 1);
    Pattern p;
    const Brush* b = objectAs<Brush>(brush);
    if (!b || b->style == BS_NULL) return p;
    p.present = true;
    p.anchor = originOf(dc) + QPoint(dc.state.brushOrg.x, dc.state.brushOrg.y);
    if (brush == GetStockObject(DC_BRUSH)) {
        p.color = dc.resolve(dc.state.dcBrushColor);
        return p;
    }
    if (b->style == BS_SOLID) {
        p.color = dc.resolve(b->color);
        return p;
    }
    p.tiled = true;
    if (b->style == BS_HATCHED)
        p.tile = hatchTile(b->hatch, dc.resolve(b->color), dc.resolve(dc.state.bkColor));
    else if (b->monoPattern)
        p.tile = monoTile(*b->pattern, dc.resolve(dc.state.textColor), dc.resolve(dc.state.bkColor));
    else
        p.tile =
            dc.monochrome() ? monoOfTile(*b->pattern) : b->pattern->convertToFormat(QImage::Format_RGB32);
    if (p.tile.isNull()) p.present = false;
    return p;
}

std::uint32_t rop3Pixel(std::uint8_t code, std::uint32_t p, std::uint32_t s, std::uint32_t d) {
    switch (code) {
    case 0x00:
        return 0;
    case 0xFF:
        return 0xFFFFFFFFu;
    case 0xCC:
        return s;
    case 0xF0:
        return p;
    case 0x33:
        return ~s;
    case 0x55:
        return ~d;
    case 0x66:
        return s ^ d;
    case 0x88:
        return s & d;
    case 0xEE:
        return s | d;
    case 0x44:
        return s & ~d;
    case 0x5A:
        return p ^ d;
    case 0xC0:
        return p & s;
    case 0xB8:
        return (p & ~s) | (d & s);
    default:
        break;
    }
    std::uint32_t r = 0;
    for (int i = 0; i < 8; ++i) {
        if (!(code >> i & 1)) continue;
        r |= (i & 4 ? p : ~p) & (i & 2 ? s : ~s) & (i & 1 ? d : ~d);
    }
    return r;
}

namespace {

// The pattern along one row: a colour, or a tile row walked with wrap-around.
class PatternRow {
public:
    PatternRow(const Pattern* p, int x, int y) : m_pattern(p) {
        if (!p || !p->tiled) return;
        int w = p->tile.width(), h = p->tile.height();
        int ty = ((y - p->anchor.y()) % h + h) % h;
        m_row = reinterpret_cast<const QRgb*>(p->tile.constScanLine(ty));
        m_width = w;
        m_tx = ((x - p->anchor.x()) % w + w) % w;
    }
    std::uint32_t next() {
        if (!m_row) return m_pattern ? m_pattern->color : 0;
        std::uint32_t v = m_row[m_tx];
        if (++m_tx == m_width) m_tx = 0;
        return v;
    }

private:
    const Pattern* m_pattern;
    const QRgb* m_row = nullptr;
    int m_width = 0, m_tx = 0;
};

// Runs op(p, s, d) over the target, one row at a time.
template <class Op>
void eachPixel(QImage& dst, const QRegion& target, const Pattern* pattern, const QImage* src, QPoint srcDelta,
               bool keyed, Op op) {
    for (const QRect& r : target)
        for (int y = r.top(); y <= r.bottom(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(dst.scanLine(y));
            const QRgb* sline =
                src ? reinterpret_cast<const QRgb*>(src->constScanLine(y + srcDelta.y())) + srcDelta.x()
                    : nullptr;
            PatternRow pat(pattern, r.left(), y);
            for (int x = r.left(); x <= r.right(); ++x)
                line[x] = storedPixel(op(pat.next(), sline ? sline[x] : 0u, line[x]), keyed);
        }
}

} // namespace

void applyRop3(QImage& dst, const QRegion& area, std::uint8_t code, const Pattern* pattern, const QImage* src,
               QPoint srcDelta) {
    bool usesSrc = ropUsesSource(code), usesPat = ropUsesPattern(code);
    if (usesPat && (!pattern || !pattern->present)) return;
    if (usesSrc && !src) return;
    QRegion target = area & dst.rect();
    if (usesSrc) target &= QRegion(src->rect().translated(-srcDelta));
    bool keyed = dst.hasAlphaChannel();
    const Pattern* pat = usesPat ? pattern : nullptr;
    const QImage* source = usesSrc ? src : nullptr;
    using P = std::uint32_t;
    switch (code) {
    case 0xF0:
        if (!pattern->tiled) {
            // A plain fill, the most common operation: whole spans at once.
            for (const QRect& r : target)
                for (int y = r.top(); y <= r.bottom(); ++y) {
                    auto* line = reinterpret_cast<QRgb*>(dst.scanLine(y));
                    std::fill(line + r.left(), line + r.right() + 1, storedPixel(pattern->color, keyed));
                }
            return;
        }
        return eachPixel(dst, target, pat, source, srcDelta, keyed, [](P p, P, P) { return p; });
    case 0xCC:
        if (!keyed && src->format() == QImage::Format_RGB32) {
            // A plain copy between opaque images: whole spans at once.
            for (const QRect& r : target)
                for (int y = r.top(); y <= r.bottom(); ++y)
                    std::memcpy(dst.scanLine(y) + r.left() * 4,
                                src->constScanLine(y + srcDelta.y()) + (r.left() + srcDelta.x()) * 4,
                                static_cast<std::size_t>(r.width()) * 4);
            return;
        }
        return eachPixel(dst, target, pat, source, srcDelta, keyed, [](P, P s, P) { return s; });
    case 0x5A:
        return eachPixel(dst, target, pat, source, srcDelta, keyed, [](P p, P, P d) { return p ^ d; });
    case 0x66:
        return eachPixel(dst, target, pat, source, srcDelta, keyed, [](P, P s, P d) { return s ^ d; });
    case 0x88:
        return eachPixel(dst, target, pat, source, srcDelta, keyed, [](P, P s, P d) { return s & d; });
    case 0xEE:
        return eachPixel(dst, target, pat, source, srcDelta, keyed, [](P, P s, P d) { return s | d; });
    default:
        return eachPixel(dst, target, pat, source, srcDelta, keyed,
                         [code](P p, P s, P d) { return rop3Pixel(code, p, s, d); });
    }
}

QRegion outputArea(const DeviceContext& dc, const QRect& rect) {
    return (visibleRegion(dc) & rect).translated(originOf(dc));
}

void fillSolid(DeviceContext& dc, const QRegion& deviceArea, QRgb color) {
    QImage* img = imageOf(dc);
    if (!img) return;
    Pattern p;
    p.present = true;
    p.color = dc.monochrome() ? monoOf(color) : color;
    applyRop3(*img, (visibleRegion(dc) & deviceArea).translated(originOf(dc)), 0xF0, &p, nullptr, QPoint());
}

void moveImagePixels(QImage& image, const QRect& dest, QPoint delta) {
    QRect to = dest & image.rect() & image.rect().translated(delta);
    if (to.isEmpty() || delta.isNull() || image.depth() != 32) return;
    std::size_t bytes = static_cast<std::size_t>(to.width()) * 4;
    // Rows are taken in the order that reads each source row before it is overwritten.
    bool down = delta.y() > 0;
    for (int k = 0; k < to.height(); ++k) {
        int y = down ? to.bottom() - k : to.top() + k;
        std::memmove(image.scanLine(y) + to.left() * 4,
                     image.constScanLine(y - delta.y()) + (to.left() - delta.x()) * 4, bytes);
    }
}

} // namespace pm::gdi
