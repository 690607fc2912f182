#include "colourtool/app/drawn_pictures.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace tintara {
namespace {

// Draws into `bitmap` through a memory device context.
void paintBitmap(HBITMAP bitmap, int width, int height, const std::function<COLORREF(int, int)>& colour) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            SetPixelV(dc, x, y, colour(x, y));
    SelectObject(dc, old);
    DeleteDC(dc);
}

std::vector<COLORREF> pixelsOf(HBITMAP picture, int width, int height) {
    std::vector<COLORREF> pixels(static_cast<std::size_t>(width) * height);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, picture);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[static_cast<std::size_t>(y) * width + x] = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return pixels;
}

// A colour of hue 0-360 and lightness 0-1 at full saturation: within each sixth of the hue circle one
// component is at its strongest (c), one rises or falls (x) and one is off.
COLORREF hueColour(double hue, double lightness) {
    const double c = 1 - std::fabs(2 * lightness - 1);
    const double h = hue / 60;
    const double x = c * (1 - std::fabs(std::fmod(h, 2) - 1));
    const double sixths[6][3] = {{c, x, 0}, {x, c, 0}, {0, c, x}, {0, x, c}, {x, 0, c}, {c, 0, x}};
    const double* rgb = sixths[std::clamp(static_cast<int>(h), 0, 5)];
    const double m = lightness - c / 2;
    auto byte = [m](double v) { return static_cast<int>(std::lround(std::clamp(v + m, 0.0, 1.0) * 255)); };
    return RGB(byte(rgb[0]), byte(rgb[1]), byte(rgb[2]));
}

// The hand, row by row: 'X' outline, 'o' fill, anything else background.
const char* const kHand[] = {
    ".....XX..........", "....XooX.........", "....XooX.........", "....XooX.........", "....XooX.........",
    "....XooXXX.......", "....XooXooXXX....", "....XooXooXooXX..", ".XX.XooXooXooXoX.", "XooXXooooooooooX.",
    "XoooXooooooooooX.", ".XooXooooooooooX.", "..XooooooooooooX.", "..XooooooooooooX.", "...XoooooooooooX.",
    "...XooooooooooX..", "....XoooooooooX..", "....XooooooooX...", ".....XoooooooX...", ".....XoooooooX...",
    ".....XXXXXXXXX...",
};

} // namespace

HBITMAP drawPicture(int width, int height, const std::function<COLORREF(int x, int y)>& colour) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    if (bitmap) paintBitmap(bitmap, width, height, colour);
    return bitmap;
}

HICON iconOfPicture(HBITMAP picture, COLORREF transparent, bool isIcon, int hotX, int hotY) {
    BITMAP info{};
    if (!picture || !GetObject(picture, sizeof info, &info)) return nullptr;
    int w = info.bmWidth;
    int h = info.bmHeight;
    std::vector<COLORREF> pixels = pixelsOf(picture, w, h);
    auto at = [&](int x, int y) { return pixels[static_cast<std::size_t>(y) * w + x]; };
    // The colour is black wherever the mask lets the background through.
    HBITMAP colour = drawPicture(w, h, [&](int x, int y) { return at(x, y) == transparent ? 0 : at(x, y); });
    HBITMAP mask = CreateBitmap(w, h, 1, 1, nullptr);
    paintBitmap(mask, w, h, [&](int x, int y) { return at(x, y) == transparent ? 0xFFFFFFu : 0u; });
    ICONINFO iconInfo{isIcon ? TRUE : FALSE, static_cast<DWORD>(hotX), static_cast<DWORD>(hotY), mask,
                      colour};
    HICON icon = CreateIconIndirect(&iconInfo);
    DeleteObject(colour);
    DeleteObject(mask);
    return icon;
}

HBITMAP drawTrayPicture(int size) {
    const int inner = size - 2;
    const double darker = 0.04 * 14 / inner; // from 0.8 at the top to 0.28 at the bottom
    return drawPicture(size, size, [size, inner, darker](int x, int y) -> COLORREF {
        if (x == 0 || y == 0 || x == size - 1 || y == size - 1) return RGB(64, 64, 64);
        return hueColour((x - 1) * 360.0 / inner, 0.8 - (y - 1) * darker);
    });
}

HBITMAP drawHandPicture() {
    constexpr int rows = static_cast<int>(sizeof kHand / sizeof kHand[0]);
    return drawPicture(32, 32, [](int x, int y) -> COLORREF {
        if (y >= rows || x >= static_cast<int>(std::string(kHand[y]).size())) return kHandBackground;
        char c = kHand[y][x];
        if (c == 'X') return RGB(0, 0, 0);
        if (c == 'o') return RGB(255, 255, 255);
        return kHandBackground;
    });
}

HCURSOR createHandCursor() {
    HBITMAP hand = drawHandPicture();
    HCURSOR cursor = iconOfPicture(hand, kHandBackground, false, 5, 0);
    DeleteObject(hand);
    return cursor;
}

} // namespace tintara
