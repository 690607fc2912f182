#pragma once
// A picture decoded from a BMP or PCX file, ready for bitmap creation: a 40-byte information header
// followed by room for a 256-entry colour table, and the pixel rows, bottom row first, each padded
// to a multiple of 4 bytes.

#include "platform/win/wingdi.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class DecodedBitmap {
public:
    static constexpr int kMaxSide = 16384;
    static constexpr int kMaxColours = 256;

    // Lays out a picture of width x height pixels (height negative for rows stored top down) of
    // bitCount bits with `colours` table entries; false for sizes outside 1..kMaxSide, a table
    // larger than kMaxColours, or rows that would take more than maxPixelBytes (what the source
    // can fill: nothing is allocated for sizes a short file only claims). The pixels start zero
    // and the table black.
    bool Allocate(int width, int height, int bitCount, int colours, std::size_t maxPixelBytes = SIZE_MAX);

    const BITMAPINFOHEADER& Header() const { return m_info.header; }
    // The header followed by the colour table, as bitmap creation reads them.
    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(&m_info); }
    int ColourCount() const { return static_cast<int>(m_info.header.biClrUsed); }
    RGBQUAD& Colour(int index) { return m_info.colours[index]; }
    const RGBQUAD& Colour(int index) const { return m_info.colours[index]; }

    int Height() const;
    std::size_t Stride() const { return m_stride; }
    unsigned char* Pixels() { return m_pixels.data(); }
    const unsigned char* Pixels() const { return m_pixels.data(); }
    std::size_t PixelBytes() const { return m_pixels.size(); }
    // The row of the picture's line y, counted from the top.
    unsigned char* Line(int y);
    const unsigned char* Line(int y) const;

private:
    struct HeaderAndTable {
        BITMAPINFOHEADER header{};
        RGBQUAD colours[kMaxColours]{};
    };
    static_assert(sizeof(HeaderAndTable) == 40 + 4 * kMaxColours, "the table follows the header directly");

    HeaderAndTable m_info;
    std::vector<unsigned char> m_pixels;
    std::size_t m_stride = 0;
};
