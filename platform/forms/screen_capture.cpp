#include "platform/forms/screen_capture.h"

#include <algorithm>
#include <cstdint>

namespace vb {
namespace {

ScreenCapture* g_capture = nullptr;

HBITMAP newBitmap(HDC reference, const RECT& area) {
    return CreateCompatibleBitmap(reference, area.right - area.left, area.bottom - area.top);
}

} // namespace

HBITMAP SystemScreenCapture::capture(const RECT& area) {
    HDC desktop = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(desktop);
    HBITMAP bitmap = newBitmap(desktop, area);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, area.right - area.left, area.bottom - area.top, desktop, area.left, area.top,
           SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, desktop);
    return bitmap;
}

HBITMAP FakeScreenCapture::capture(const RECT& area) {
    int width = std::max(0, static_cast<int>(area.right - area.left));
    int height = std::max(0, static_cast<int>(area.bottom - area.top));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = std::max(width, 1);
    info.bmiHeader.biHeight = -std::max(height, 1);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) return bitmap;
    // Written straight into the bits: a whole screen of single pixels through the DC would crawl.
    auto* row = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < height; ++y, row += std::max(width, 1))
        for (int x = 0; x < width; ++x) {
            COLORREF c = m_pixel(area.left + x, area.top + y);
            row[x] = (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    return bitmap;
}

ScreenCapture& screenCapture() {
    static SystemScreenCapture system;
    return g_capture ? *g_capture : system;
}

void setScreenCapture(ScreenCapture* capture) {
    g_capture = capture;
}

} // namespace vb
