#pragma once
// A persistent drawing surface: a 32-bit bitmap in a memory device context. What is drawn stays
// until drawn over; the window owning it shows it when painting.

#include "platform/win/windows.h"

namespace vb {

class DrawingSurface {
public:
    DrawingSurface(int width, int height, COLORREF back);
    ~DrawingSurface();
    DrawingSurface(const DrawingSurface&) = delete;
    DrawingSurface& operator=(const DrawingSurface&) = delete;

    HDC dc() const { return m_dc; }
    int width() const { return m_width; }
    int height() const { return m_height; }

    // Changes the size, keeping what was drawn at the top-left; new parts are `back`.
    void resize(int width, int height, COLORREF back);
    // Fills the surface with `back`, then draws `picture` (when given) at the top-left at its size.
    void clear(COLORREF back, HBITMAP picture);
    // A one-pixel line including both ends.
    void line(int x1, int y1, int x2, int y2, COLORREF colour);
    // A filled box including both corners.
    void fillBox(int x1, int y1, int x2, int y2, COLORREF colour);
    // Draws `picture` at (x, y), scaled to width x height when they are not negative.
    void paintPicture(HBITMAP picture, int x, int y, int width = -1, int height = -1);
    // The colour at (x, y), or -1 outside the surface.
    long point(int x, int y) const;
    // Copies the surface to (0, 0) of `target`.
    void drawTo(HDC target) const;

private:
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    int m_width = 0;
    int m_height = 0;
};

} // namespace vb
