#include "platform/win/gdi/raster.h"

#include "platform/win/gdi/image_pixels.h"
#include "platform/win/gdi/objects.h"
#include "platform/win/gdi/surface.h"

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

// Makes the pattern's tile its own: width x height pixels, each colour(x, y).
template <class Colour> void makeTile(Pattern& p, int width, int height, Colour colour) {
    p.ownTile.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.ownTile[static_cast<std::size_t>(y) * width + x] = colour(x, y);
    p.tile = ConstPixelView(p.ownTile.data(), width, width, height);
}

void hatchTile(Pattern& p, int hatch, std::uint32_t fore, std::uint32_t back) {
    makeTile(p, 8, 8, [&](int x, int y) { return hatchBit(hatch, x, y) ? fore : back; });
}

// A monochrome pattern in the DC's colours: black pixels take the text colour, white the background.
void monoTile(Pattern& p, ConstPixelView pattern, std::uint32_t text, std::uint32_t back) {
    makeTile(p, pattern.width, pattern.height,
             [&](int x, int y) { return (pattern.pixel(x, y) & 0xFFFFFF) ? back : text; });
}

// A colour pattern as a monochrome DC draws it.
void monoOfTile(Pattern& p, ConstPixelView pattern) {
    makeTile(p, pattern.width, pattern.height, [&](int x, int y) { return monoOf(pattern.pixel(x, y)); });
}

} // namespace

Pattern patternFor(const DeviceContext& dc, HBRUSH brush) {
    auto value = reinterpret_cast<std::uintptr_t>(brush);
    if (value > 0 && value <= 31) brush = GetSysColorBrush(static_cast<int>(value) - 1);
    Pattern p;
    const Brush* b = objectAs<Brush>(brush);
    if (!b || b->style == BS_NULL) return p;
    p.present = true;
    p.anchor = POINT{dc.origin().x + dc.state.brushOrg.x, dc.origin().y + dc.state.brushOrg.y};
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
        hatchTile(p, b->hatch, dc.resolve(b->color), dc.resolve(dc.state.bkColor));
    else if (b->monoPattern)
        monoTile(p, constPixelsOf(*b->pattern), dc.resolve(dc.state.textColor), dc.resolve(dc.state.bkColor));
    else if (dc.monochrome())
        monoOfTile(p, constPixelsOf(*b->pattern));
    else
        p.tile = constPixelsOf(*b->pattern);
    if (p.tile.empty()) p.present = false;
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
        int w = p->tile.width, h = p->tile.height;
        m_row = p->tile.line(((y - p->anchor.y) % h + h) % h);
        m_width = w;
        m_tx = ((x - p->anchor.x) % w + w) % w;
    }
    std::uint32_t next() {
        if (!m_row) return m_pattern ? m_pattern->color : 0;
        std::uint32_t v = m_row[m_tx];
        if (++m_tx == m_width) m_tx = 0;
        return v;
    }

private:
    const Pattern* m_pattern;
    const std::uint32_t* m_row = nullptr;
    int m_width = 0, m_tx = 0;
};

// Runs op(p, s, d) over the target, one row at a time.
template <class Op>
void eachPixel(const Target& dst, const RectRegion& target, const Pattern* pattern, const ConstPixelView& src,
               POINT srcDelta, Op op) {
    const bool keyed = dst.keyed;
    for (const RECT& r : target)
        for (int y = r.top; y < r.bottom; ++y) {
            std::uint32_t* line = dst.pixels.line(y);
            const std::uint32_t* sline = src.empty() ? nullptr : src.line(y + srcDelta.y) + srcDelta.x;
            PatternRow pat(pattern, r.left, y);
            for (int x = r.left; x < r.right; ++x)
                line[x] = storedPixel(op(pat.next(), sline ? sline[x] : 0u, line[x]), keyed);
        }
}

RECT boundsOf(const ConstPixelView& v) {
    return RECT{0, 0, v.width, v.height};
}

} // namespace

void applyRop3(const Target& dst, const RectRegion& area, std::uint8_t code, const Pattern* pattern,
               const Source& src, POINT srcDelta) {
    bool usesSrc = ropUsesSource(code), usesPat = ropUsesPattern(code);
    if (usesPat && (!pattern || !pattern->present)) return;
    if (usesSrc && src.pixels.empty()) return;
    RectRegion target = area & RectRegion(boundsOf(dst.pixels));
    if (usesSrc) target &= RectRegion(translated(boundsOf(src.pixels), -srcDelta.x, -srcDelta.y));
    const Pattern* pat = usesPat ? pattern : nullptr;
    const ConstPixelView source = usesSrc ? src.pixels : ConstPixelView();
    using P = std::uint32_t;
    switch (code) {
    case 0xF0:
        if (!pattern->tiled) {
            // A plain fill, the most common operation: whole spans at once.
            const P colour = storedPixel(pattern->color, dst.keyed);
            for (const RECT& r : target)
                for (int y = r.top; y < r.bottom; ++y) {
                    P* line = dst.pixels.line(y);
                    std::fill(line + r.left, line + r.right, colour);
                }
            return;
        }
        return eachPixel(dst, target, pat, source, srcDelta, [](P p, P, P) { return p; });
    case 0xCC:
        if (!dst.keyed && !src.keyed) {
            // A plain copy between opaque pixels: whole spans at once.
            for (const RECT& r : target)
                for (int y = r.top; y < r.bottom; ++y)
                    std::memcpy(dst.pixels.line(y) + r.left,
                                source.line(y + srcDelta.y) + r.left + srcDelta.x,
                                static_cast<std::size_t>(widthOf(r)) * 4);
            return;
        }
        return eachPixel(dst, target, pat, source, srcDelta, [](P, P s, P) { return s; });
    case 0x5A:
        return eachPixel(dst, target, pat, source, srcDelta, [](P p, P, P d) { return p ^ d; });
    case 0x66:
        return eachPixel(dst, target, pat, source, srcDelta, [](P, P s, P d) { return s ^ d; });
    case 0x88:
        return eachPixel(dst, target, pat, source, srcDelta, [](P, P s, P d) { return s & d; });
    case 0xEE:
        return eachPixel(dst, target, pat, source, srcDelta, [](P, P s, P d) { return s | d; });
    default:
        return eachPixel(dst, target, pat, source, srcDelta,
                         [code](P p, P s, P d) { return rop3Pixel(code, p, s, d); });
    }
}

void fillSolid(DeviceContext& dc, const RectRegion& deviceArea, std::uint32_t color) {
    Target t = dc.target();
    if (t.pixels.empty()) return;
    Pattern p;
    p.present = true;
    p.color = dc.monochrome() ? monoOf(color) : color;
    applyRop3(t, inPixels(dc, visibleRegion(dc) & deviceArea), 0xF0, &p, Source(), POINT{0, 0});
}

void fillSolid(DeviceContext& dc, const RECT& deviceRect, std::uint32_t color) {
    fillSolid(dc, RectRegion(deviceRect), color);
}

void movePixels(const PixelView& pixels, const RECT& dest, POINT delta) {
    RECT all{0, 0, pixels.width, pixels.height};
    RECT to = intersectionOf(intersectionOf(dest, all), translated(all, delta.x, delta.y));
    if (IsRectEmpty(&to) || (delta.x == 0 && delta.y == 0) || pixels.empty()) return;
    std::size_t bytes = static_cast<std::size_t>(widthOf(to)) * 4;
    // Rows are taken in the order that reads each source row before it is overwritten.
    bool down = delta.y > 0;
    for (int k = 0; k < heightOf(to); ++k) {
        int y = down ? to.bottom - 1 - k : to.top + k;
        std::memmove(pixels.line(y) + to.left, pixels.line(y - delta.y) + to.left - delta.x, bytes);
    }
}

} // namespace pm::gdi
