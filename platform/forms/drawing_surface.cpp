#include "platform/forms/drawing_surface.h"

#include <algorithm>

namespace vb {
namespace {

HBITMAP newSurfaceBitmap(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = std::max(width, 1);
    info.bmiHeader.biHeight = -std::max(height, 1);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

SIZE bitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    GetObject(bitmap, sizeof info, &info);
    return SIZE{info.bmWidth, info.bmHeight};
}

void fill(HDC dc, const RECT& box, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &box, brush);
    DeleteObject(brush);
}

} // namespace

DrawingSurface::DrawingSurface(int width, int height, COLORREF back) {
    resize(width, height, back);
}

DrawingSurface::~DrawingSurface() {
    SelectObject(m_dc, m_oldBitmap);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
}

void DrawingSurface::resize(int width, int height, COLORREF back) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    HDC fresh = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = newSurfaceBitmap(width, height);
    HGDIOBJ old = SelectObject(fresh, bitmap);
    fill(fresh, RECT{0, 0, std::max(width, 1), std::max(height, 1)}, back);
    if (m_dc) {
        BitBlt(fresh, 0, 0, std::min(width, m_width), std::min(height, m_height), m_dc, 0, 0, SRCCOPY);
        SelectObject(m_dc, m_oldBitmap);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    m_dc = fresh;
    m_bitmap = bitmap;
    m_oldBitmap = old;
    m_width = width;
    m_height = height;
}

void DrawingSurface::clear(COLORREF back, HBITMAP picture) {
    fill(m_dc, RECT{0, 0, m_width, m_height}, back);
    if (picture) paintPicture(picture, 0, 0);
}

void DrawingSurface::line(int x1, int y1, int x2, int y2, COLORREF colour) {
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ old = SelectObject(m_dc, pen);
    MoveToEx(m_dc, x1, y1, nullptr);
    LineTo(m_dc, x2, y2);
    SetPixelV(m_dc, x2, y2, colour);
    SelectObject(m_dc, old);
    DeleteObject(pen);
}

void DrawingSurface::fillBox(int x1, int y1, int x2, int y2, COLORREF colour) {
    fill(m_dc, RECT{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1}, colour);
}

void DrawingSurface::paintPicture(HBITMAP picture, int x, int y, int width, int height) {
    if (!picture) return;
    SIZE size = bitmapSize(picture);
    if (width < 0) width = size.cx;
    if (height < 0) height = size.cy;
    HDC source = CreateCompatibleDC(m_dc);
    HGDIOBJ old = SelectObject(source, picture);
    if (width == size.cx && height == size.cy)
        BitBlt(m_dc, x, y, width, height, source, 0, 0, SRCCOPY);
    else
        StretchBlt(m_dc, x, y, width, height, source, 0, 0, size.cx, size.cy, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

long DrawingSurface::point(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return -1;
    return static_cast<long>(GetPixel(m_dc, x, y));
}

void DrawingSurface::drawTo(HDC target) const {
    BitBlt(target, 0, 0, m_width, m_height, m_dc, 0, 0, SRCCOPY);
}

} // namespace vb
