// Pictures drawn pixel by pixel and their files, written field by field.

#include "app/program/pixel_canvas.h"

#include <cstdint>

namespace {

constexpr int kCursorSide = 32;

void put16(std::vector<unsigned char>& out, uint32_t v) {
    out.push_back(static_cast<unsigned char>(v));
    out.push_back(static_cast<unsigned char>(v >> 8));
}

void put32(std::vector<unsigned char>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// A 40-byte information header of a picture of bottom-up rows.
void putInfoHeader(std::vector<unsigned char>& out, int width, int height, int bits, uint32_t imageBytes) {
    put32(out, 40);
    put32(out, static_cast<uint32_t>(width));
    put32(out, static_cast<uint32_t>(height));
    put16(out, 1);
    put16(out, static_cast<uint32_t>(bits));
    put32(out, 0);
    put32(out, imageBytes);
    for (int i = 0; i < 4; ++i)
        put32(out, 0);
}

} // namespace

PixelCanvas::PixelCanvas(int width, int height, COLORREF background)
    : m_width(width), m_height(height), m_pixels(static_cast<size_t>(width * height), background) {}

void PixelCanvas::Set(int x, int y, COLORREF colour) {
    if (x >= 0 && y >= 0 && x < m_width && y < m_height)
        m_pixels[static_cast<size_t>(y * m_width + x)] = colour;
}

void PixelCanvas::Fill(int x, int y, int w, int h, COLORREF colour) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            Set(i, j, colour);
}

void PixelCanvas::Frame(int x, int y, int w, int h, COLORREF colour) {
    Fill(x, y, w, 1, colour);
    Fill(x, y + h - 1, w, 1, colour);
    Fill(x, y, 1, h, colour);
    Fill(x + w - 1, y, 1, h, colour);
}

void PixelCanvas::Draw(int x, int y, const PixelCanvas& picture) {
    for (int j = 0; j < picture.Height(); ++j)
        for (int i = 0; i < picture.Width(); ++i)
            Set(x + i, y + j, picture.At(i, j));
}

std::vector<unsigned char> PixelCanvas::BmpFile() const {
    const int stride = (m_width * 3 + 3) & ~3;
    const uint32_t imageBytes = static_cast<uint32_t>(stride * m_height);
    std::vector<unsigned char> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + imageBytes);
    put32(out, 0);
    put32(out, 54);
    putInfoHeader(out, m_width, m_height, 24, imageBytes);
    for (int y = m_height - 1; y >= 0; --y) {
        for (int x = 0; x < m_width; ++x) {
            const COLORREF c = At(x, y);
            out.push_back(GetBValue(c));
            out.push_back(GetGValue(c));
            out.push_back(GetRValue(c));
        }
        out.resize(out.size() + static_cast<size_t>(stride - m_width * 3), 0);
    }
    return out;
}

std::vector<unsigned char> PixelCanvas::CursorFile(COLORREF transparent, int hotX, int hotY) const {
    const int n = kCursorSide;
    auto clear = [&](int x, int y) { return x >= m_width || y >= m_height || At(x, y) == transparent; };
    const uint32_t imageBytes = static_cast<uint32_t>(40 + n * n * 4 + n * 4);
    std::vector<unsigned char> out;
    put16(out, 0);
    put16(out, 2); // a cursor file
    put16(out, 1);
    out.push_back(static_cast<unsigned char>(n));
    out.push_back(static_cast<unsigned char>(n));
    out.push_back(0);
    out.push_back(0);
    put16(out, static_cast<uint32_t>(hotX));
    put16(out, static_cast<uint32_t>(hotY));
    put32(out, imageBytes);
    put32(out, 22);
    // The colour picture and the mask below it count as one picture of twice the height.
    putInfoHeader(out, n, 2 * n, 32, imageBytes - 40);
    for (int y = n - 1; y >= 0; --y)
        for (int x = 0; x < n; ++x) {
            const COLORREF c = clear(x, y) ? 0 : At(x, y);
            out.push_back(GetBValue(c));
            out.push_back(GetGValue(c));
            out.push_back(GetRValue(c));
            out.push_back(clear(x, y) ? 0 : 0xFF);
        }
    for (int y = n - 1; y >= 0; --y)
        for (int byte = 0; byte < 4; ++byte) {
            unsigned char mask = 0;
            for (int bit = 0; bit < 8; ++bit)
                if (clear(byte * 8 + bit, y)) mask |= static_cast<unsigned char>(0x80 >> bit);
            out.push_back(mask);
        }
    return out;
}
