#pragma once
// Raster operations done per pixel on 32-bit images: the ternary operations of BitBlt, PatBlt and
// MaskBlt, with the pattern of a brush as a DC draws it, and the moves of scrolling.

#include "platform/win/gdi/dc_surface.h"

#include <QImage>
#include <QRegion>

#include <cstdint>

namespace pm::gdi {

// A brush as one DC draws it: one colour, or a tile repeated from an anchor pixel.
struct Pattern {
    bool present = false; // false for the null brush
    bool tiled = false;
    QRgb color = 0xFF000000u;
    QImage tile;   // RGB32
    QPoint anchor; // image pixel where tile pixel (0,0) falls

    QRgb at(int x, int y) const {
        if (!tiled) return color;
        int w = tile.width(), h = tile.height();
        int tx = ((x - anchor.x()) % w + w) % w, ty = ((y - anchor.y()) % h + h) % h;
        return reinterpret_cast<const QRgb*>(tile.constScanLine(ty))[tx];
    }
};

// The pattern `brush` gives on `dc` (a system colour index plus one stands for its brush).
Pattern patternFor(const DeviceContext& dc, HBRUSH brush);

// A result pixel as stored: opaque, except that on images with transparency (the desktop overlay)
// black is stored as transparent, so XOR drawing done twice leaves them as they were.
inline QRgb storedPixel(std::uint32_t v, bool keyed) {
    v &= 0xFFFFFFu;
    return keyed && v == 0 ? 0u : v | 0xFF000000u;
}

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

// Applies `code` to the pixels of `area` (image pixels of dst). The source pixel of a destination
// pixel (x, y) is src(x + srcDelta.x, y + srcDelta.y); source and pattern may be null when the
// operation does not use them.
void applyRop3(QImage& dst, const QRegion& area, std::uint8_t code, const Pattern* pattern, const QImage* src,
               QPoint srcDelta);

// The region of device rectangle `rect` that output of `dc` may reach, in image pixels.
QRegion outputArea(const DeviceContext& dc, const QRect& rect);

// Fills a device area of dc with one colour (clipped as all output is).
void fillSolid(DeviceContext& dc, const QRegion& deviceArea, QRgb color);

// Moves the pixels that `dest` (image pixels) will show from dest.translated(-delta) into it, in
// place: what scrolling does to a backing image. The parts of dest whose source lies outside the
// image keep their pixels.
void moveImagePixels(QImage& image, const QRect& dest, QPoint delta);

} // namespace pm::gdi
