#pragma once
// A memory DC with its own bitmap, for the GDI tests.

#include "platform/win/gdi/image_store.h"

class GdiCanvas {
public:
    GdiCanvas(int width, int height, COLORREF fill = RGB(255, 255, 255), bool mono = false)
        : width_(width), height_(height) {
        dc_ = CreateCompatibleDC(nullptr);
        if (mono) {
            bitmap_ = CreateBitmap(width, height, 1, 1, nullptr);
        } else {
            HDC screen = CreateDC("DISPLAY", nullptr, nullptr, nullptr);
            bitmap_ = CreateCompatibleBitmap(screen, width, height);
            DeleteDC(screen);
        }
        old_ = SelectObject(dc_, bitmap_);
        fill_(fill);
    }
    ~GdiCanvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    HDC dc() const { return dc_; }
    HBITMAP bitmap() const { return bitmap_; }
    COLORREF at(int x, int y) const { return GetPixel(dc_, x, y); }
    QImage image() const { return pm::gdi::imageOfBitmap(bitmap_); }
    // The number of pixels of colour c.
    int count(COLORREF c) const {
        int n = 0;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                n += GetPixel(dc_, x, y) == c;
        return n;
    }

private:
    void fill_(COLORREF c) {
        HBRUSH b = CreateSolidBrush(c);
        RECT r{0, 0, width_, height_};
        FillRect(dc_, &r, b);
        DeleteObject(b);
    }
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};
