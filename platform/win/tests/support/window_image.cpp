#include "platform/win/tests/support/test_images.h"

#include "platform/win/gdi/gdi_private.h"
#include "platform/win/gdi/image_store.h"
#include "platform/win/wm/compose.h"
#include "platform/win/wm/wm.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <utility>

namespace pm::test {

Picture::Picture(HBITMAP bitmap) : m_bitmap(bitmap) {}

Picture::~Picture() {
    if (m_bitmap) DeleteObject(m_bitmap);
}

Picture::Picture(Picture&& other) noexcept : m_bitmap(std::exchange(other.m_bitmap, nullptr)) {}

Picture& Picture::operator=(Picture&& other) noexcept {
    if (this != &other) {
        if (m_bitmap) DeleteObject(m_bitmap);
        m_bitmap = std::exchange(other.m_bitmap, nullptr);
    }
    return *this;
}

int Picture::width() const {
    return gdi::bitmapPixels(m_bitmap).width;
}

int Picture::height() const {
    return gdi::bitmapPixels(m_bitmap).height;
}

std::uint32_t Picture::pixel(int x, int y) const {
    gdi::PixelView v = gdi::bitmapPixels(m_bitmap);
    return x >= 0 && y >= 0 && x < v.width && y < v.height ? v.pixel(x, y) : 0;
}

Picture Picture::copy(const RECT& r) const {
    gdi::PixelView v = gdi::bitmapPixels(m_bitmap);
    const int left = std::max(0, static_cast<int>(r.left)), top = std::max(0, static_cast<int>(r.top));
    const int right = std::min(v.width, static_cast<int>(r.right));
    const int bottom = std::min(v.height, static_cast<int>(r.bottom));
    if (v.empty() || right <= left || bottom <= top) return Picture();
    Picture part(CreateBitmap(right - left, bottom - top, 1, 32, nullptr));
    gdi::PixelView to = gdi::bitmapPixels(part.m_bitmap);
    for (int y = top; y < bottom; ++y)
        std::memcpy(to.line(y - top), v.line(y) + left, sizeof(std::uint32_t) * (right - left));
    return part;
}

bool Picture::operator==(const Picture& other) const {
    gdi::PixelView a = gdi::bitmapPixels(m_bitmap), b = gdi::bitmapPixels(other.m_bitmap);
    if (a.width != b.width || a.height != b.height) return false;
    for (int y = 0; y < a.height; ++y)
        if (std::memcmp(a.line(y), b.line(y), sizeof(std::uint32_t) * a.width) != 0) return false;
    return true;
}

QImage windowImage(HWND hwnd) {
    wm::Window* w = wm::window(hwnd);
    return w ? wm::composeWindow(w) : QImage();
}

Picture windowPicture(HWND hwnd) {
    QImage image = windowImage(hwnd);
    return Picture(image.isNull() ? nullptr : gdi::createBitmapFromImage(image));
}

bool savePng(const Picture& picture, const std::string& path) {
    if (picture.isNull()) return false;
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    return gdi::saveBitmapPng(picture.bitmap(), path);
}

bool saveWindowPng(HWND hwnd, const std::string& path) {
    return savePng(windowPicture(hwnd), path);
}

std::string outputFolder() {
    return PM_TEST_OUTPUT_DIR;
}

void expectScrollsRepaintWhole(HWND hwnd, const std::vector<ScrollStep>& steps) {
    UpdateWindow(hwnd);
    for (const ScrollStep& step : steps) {
        SendMessage(hwnd, step.msg, step.wParam, step.lParam);
        UpdateWindow(hwnd);
        QImage scrolled = windowImage(hwnd);
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        EXPECT_EQ(scrolled, windowImage(hwnd)) << step.name;
    }
}

std::string solidPictureBytes(int width, int height, COLORREF colour, const char* format) {
    Picture picture(CreateBitmap(width, height, 1, 32, nullptr));
    gdi::PixelView v = gdi::bitmapPixels(picture.bitmap());
    const std::uint32_t argb =
        0xFF000000u | GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
    for (int y = 0; y < v.height; ++y)
        std::fill(v.line(y), v.line(y) + v.width, argb);
    return gdi::encodeBitmap(picture.bitmap(), format);
}

} // namespace pm::test
