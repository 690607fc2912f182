#pragma once
// A memory DC with its own bitmap, for the GDI tests.

#include "platform/win/gdi/image_store.h"

class GdiCanvas {
public:
    GdiCanvas(int width, int height, COLORREF fill = RGB(255, 255, 255), bool mono = false)
        : m_width(width), m_height(height) {
        m_dc = CreateCompatibleDC(nullptr);
        if (mono) {
            m_bitmap = CreateBitmap(width, height, 1, 1, nullptr);
        } else {
            HDC screen = CreateDC("DISPLAY", nullptr, nullptr, nullptr);
            m_bitmap = CreateCompatibleBitmap(screen, width, height);
            DeleteDC(screen);
        }
        m_old = SelectObject(m_dc, m_bitmap);
        fillWith(fill);
    }
    ~GdiCanvas() {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    HDC dc() const { return m_dc; }
    HBITMAP bitmap() const { return m_bitmap; }
    COLORREF at(int x, int y) const { return GetPixel(m_dc, x, y); }
    QImage image() const { return pm::gdi::imageOfBitmap(m_bitmap); }
    // The number of pixels of colour c.
    int count(COLORREF c) const {
        int n = 0;
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                n += GetPixel(m_dc, x, y) == c;
        return n;
    }

private:
    void fillWith(COLORREF c) {
        HBRUSH b = CreateSolidBrush(c);
        RECT r{0, 0, m_width, m_height};
        FillRect(m_dc, &r, b);
        DeleteObject(b);
    }
    int m_width, m_height;
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
};
