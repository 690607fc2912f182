// The decoded picture's header, table and rows.

#include "app/decoded_bitmap.h"

#include <cstdlib>

bool DecodedBitmap::Allocate(int width, int height, int bitCount, int colours, std::size_t maxPixelBytes) {
    const int rows = std::abs(height);
    if (width < 1 || width > kMaxSide || rows < 1 || rows > kMaxSide || colours < 0 || colours > kMaxColours)
        return false;
    const std::size_t stride =
        (static_cast<std::size_t>(width) * static_cast<std::size_t>(bitCount) + 31) / 32 * 4;
    if (stride * static_cast<std::size_t>(rows) > maxPixelBytes) return false;
    m_stride = stride;
    m_pixels.assign(m_stride * static_cast<std::size_t>(rows), 0);
    m_info = HeaderAndTable{};
    BITMAPINFOHEADER& header = m_info.header;
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bitCount);
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(m_pixels.size());
    header.biClrUsed = static_cast<DWORD>(colours);
    return true;
}

int DecodedBitmap::Height() const {
    return std::abs(static_cast<int>(m_info.header.biHeight));
}

unsigned char* DecodedBitmap::Line(int y) {
    const bool bottomUp = m_info.header.biHeight > 0;
    return m_pixels.data() + m_stride * static_cast<std::size_t>(bottomUp ? Height() - 1 - y : y);
}

const unsigned char* DecodedBitmap::Line(int y) const {
    return const_cast<DecodedBitmap*>(this)->Line(y);
}
