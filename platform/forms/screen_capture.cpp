#include "platform/forms/screen_capture.h"

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
    HDC desktop = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(desktop);
    HBITMAP bitmap = newBitmap(desktop, area);
    HGDIOBJ old = SelectObject(memory, bitmap);
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            SetPixelV(memory, x - area.left, y - area.top, m_pixel(x, y));
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, desktop);
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
