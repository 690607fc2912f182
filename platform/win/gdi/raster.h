#pragma once
// Raster operations done per pixel: the ternary operations of BitBlt, PatBlt and MaskBlt, with the
// pattern of a brush as a DC draws it, and the moves of scrolling.

#include "platform/win/gdi/device_context.h"
#include "platform/win/gdi/rect_region.h"

#include <cstdint>
#include <vector>

namespace pm::gdi {

// A brush as one DC draws it: one colour, or a tile repeated from an anchor pixel. The tile's
// pixels are the brush's own or the pattern's copy made for the DC; a Pattern lives no longer than
// the call that made it.
struct Pattern {
    Pattern() = default;
    Pattern(Pattern&&) = default;
    Pattern& operator=(Pattern&&) = default;
    Pattern(const Pattern&) = delete;
    Pattern& operator=(const Pattern&) = delete;

    bool present = false; // false for the null brush
    bool tiled = false;
    std::uint32_t color = 0xFF000000u;
    ConstPixelView tile;
    POINT anchor{0, 0};                 // surface pixel where tile pixel (0,0) falls
    std::vector<std::uint32_t> ownTile; // the tile's pixels when they are made for the DC

    std::uint32_t at(int x, int y) const {
        if (!tiled) return color;
        int w = tile.width, h = tile.height;
        int tx = ((x - anchor.x) % w + w) % w, ty = ((y - anchor.y) % h + h) % h;
        return tile.line(ty)[tx];
    }
};

// The pattern `brush` gives on `dc` (a system colour index plus one stands for its brush).
Pattern patternFor(const DeviceContext& dc, HBRUSH brush);

inline std::uint8_t rop3Code(DWORD rop) {
    return static_cast<std::uint8_t>(rop >> 16);
}
inline bool ropUsesSource(std::uint8_t code) {
    return ((code >> 2 ^ code) & 0x33) != 0;
}
inline bool ropUsesPattern(std::uint8_t code) {
    return ((code >> 4 ^ code) & 0x0F) != 0;
}

// One pixel of the ternary operation `code` (bit (P<<2 | S<<1 | D) of code is the result bit).
std::uint32_t rop3Pixel(std::uint8_t code, std::uint32_t p, std::uint32_t s, std::uint32_t d);

// Applies `code` to the pixels of `area` (pixels of dst). The source pixel of a destination pixel
// (x, y) is src(x + srcDelta.x, y + srcDelta.y); the source may be empty and the pattern null when
// the operation does not use them.
void applyRop3(const Target& dst, const RectRegion& area, std::uint8_t code, const Pattern* pattern,
               const Source& src, POINT srcDelta);

// Fills a device area of dc with one colour (clipped as all output is).
void fillSolid(DeviceContext& dc, const RectRegion& deviceArea, std::uint32_t color);
void fillSolid(DeviceContext& dc, const RECT& deviceRect, std::uint32_t color);

// Moves the pixels that `dest` will show from dest moved by -delta into it, in place: what
// scrolling does to a backing image. The parts of dest whose source lies outside the pixels keep
// theirs.
void movePixels(const PixelView& pixels, const RECT& dest, POINT delta);

} // namespace pm::gdi
