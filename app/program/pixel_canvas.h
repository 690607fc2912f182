#pragma once
// A small picture drawn pixel by pixel, for the program's own images (tool-bar buttons, the bitmap
// button's arrows, the pictures of the dialogs, the hand cursor), written out as a BMP or cursor
// file for the resources.

#include "platform/win/wingdi.h"

#include <vector>

class PixelCanvas {
public:
    PixelCanvas(int width, int height, COLORREF background);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Points outside the picture are left out.
    void Set(int x, int y, COLORREF colour);
    void Fill(int x, int y, int w, int h, COLORREF colour);
    void Frame(int x, int y, int w, int h, COLORREF colour);
    COLORREF At(int x, int y) const { return m_pixels[static_cast<size_t>(y * m_width + x)]; }
    // Copies another picture with its top left corner at (x, y).
    void Draw(int x, int y, const PixelCanvas& picture);

    // A 24-bit BMP file of the picture.
    std::vector<unsigned char> BmpFile() const;
    // A 32 x 32 cursor file of the picture's top left corner, with hot spot (hotX, hotY): pixels of
    // the colour `transparent` let the screen show through.
    std::vector<unsigned char> CursorFile(COLORREF transparent, int hotX, int hotY) const;

private:
    int m_width;
    int m_height;
    std::vector<COLORREF> m_pixels;
};
