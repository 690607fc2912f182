// Block transfers: the raster operations per pixel, monochrome and colour conversions, pattern
// brushes, stretching, masks, transparency, device-independent bits and scrolling a DC.
#include "platform/win/gdi/tests/gdi_canvas.h"

#include "platform/win/winuser.h"

#include <gtest/gtest.h>

namespace {

struct RopCase {
    const char* name;
    DWORD rop;
    COLORREF expected; // source 0x0F0F0F-ish against destination and pattern below
};

// Source RGB(0x0F, 0xF0, 0x33), destination RGB(0x55, 0x55, 0xAA), pattern RGB(0xFF, 0x00, 0x0F).
constexpr COLORREF kSrc = RGB(0x0F, 0xF0, 0x33);
constexpr COLORREF kDst = RGB(0x55, 0x55, 0xAA);
constexpr COLORREF kPat = RGB(0xFF, 0x00, 0x0F);

TEST(BitBlt, RasterOperationsPerPixel) {
    const RopCase cases[] = {
        {"SRCCOPY", SRCCOPY, kSrc},
        {"SRCAND", SRCAND, kSrc & kDst},
        {"SRCPAINT", SRCPAINT, kSrc | kDst},
        {"SRCINVERT", SRCINVERT, kSrc ^ kDst},
        {"SRCERASE", SRCERASE, kSrc & (~kDst & 0xFFFFFF)},
        {"NOTSRCCOPY", NOTSRCCOPY, ~kSrc & 0xFFFFFF},
        {"MERGECOPY", MERGECOPY, kSrc & kPat},
        {"PATCOPY", PATCOPY, kPat},
        {"PATINVERT", PATINVERT, kPat ^ kDst},
        {"DSTINVERT", DSTINVERT, ~kDst & 0xFFFFFF},
        {"PSDPxax", 0x00B8074A, ((kPat ^ kDst) & kSrc) ^ kPat},
        {"BLACKNESS", BLACKNESS, 0},
        {"WHITENESS", WHITENESS, 0xFFFFFF},
    };
    GdiCanvas src(8, 8, kSrc);
    for (const RopCase& c : cases) {
        SCOPED_TRACE(c.name);
        GdiCanvas dst(8, 8, kDst);
        HBRUSH pat = CreateSolidBrush(kPat);
        HGDIOBJ old = SelectObject(dst.dc(), pat);
        EXPECT_TRUE(BitBlt(dst.dc(), 2, 2, 4, 4, src.dc(), 0, 0, c.rop));
        EXPECT_EQ(c.expected, dst.at(3, 3));
        EXPECT_EQ(kDst, dst.at(1, 1));
        EXPECT_EQ(kDst, dst.at(6, 6));
        SelectObject(dst.dc(), old);
        DeleteObject(pat);
    }
}

TEST(BitBlt, XorDragFrameDrawnTwiceLeavesThePixels) {
    GdiCanvas c(40, 30, RGB(192, 192, 192));
    SetPixel(c.dc(), 12, 12, RGB(1, 2, 3));
    QImage before = c.image();
    HBRUSH half = CreateHalftoneBrush();
    HGDIOBJ old = SelectObject(c.dc(), half);
    auto frame = [&] {
        RECT r{10, 10, 30, 25};
        PatBlt(c.dc(), r.left, r.top, r.right - r.left, 3, PATINVERT);
        PatBlt(c.dc(), r.left, r.bottom - 3, r.right - r.left, 3, PATINVERT);
        PatBlt(c.dc(), r.left, r.top + 3, 3, r.bottom - r.top - 6, PATINVERT);
        PatBlt(c.dc(), r.right - 3, r.top + 3, 3, r.bottom - r.top - 6, PATINVERT);
    };
    frame();
    EXPECT_NE(before, c.image());
    // Half of the frame's pixels are inverted: white pattern pixels invert, black ones stay.
    EXPECT_EQ(RGB(63, 63, 63), c.at(11, 10));
    EXPECT_EQ(RGB(192, 192, 192), c.at(10, 10));
    frame();
    EXPECT_EQ(before, c.image());
    SelectObject(c.dc(), old);
    DeleteObject(half);
}

TEST(BitBlt, MonochromeSourceTakesTheDestinationsTextAndBackgroundColours) {
    // Bits: first row 10110000: 1 is white, 0 black.
    const WORD rows[2] = {0x00B0, 0x0000};
    HBITMAP mono = CreateBitmap(8, 2, 1, 1, rows);
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ oldBm = SelectObject(mem, mono);
    GdiCanvas dst(8, 2, RGB(0, 0, 0));
    SetTextColor(dst.dc(), RGB(255, 0, 0));
    SetBkColor(dst.dc(), RGB(0, 0, 255));
    BitBlt(dst.dc(), 0, 0, 8, 2, mem, 0, 0, SRCCOPY);
    EXPECT_EQ(RGB(0, 0, 255), dst.at(0, 0));
    EXPECT_EQ(RGB(255, 0, 0), dst.at(1, 0));
    EXPECT_EQ(RGB(0, 0, 255), dst.at(2, 0));
    EXPECT_EQ(RGB(0, 0, 255), dst.at(3, 0));
    EXPECT_EQ(RGB(255, 0, 0), dst.at(4, 1));
    SelectObject(mem, oldBm);
    DeleteDC(mem);
    DeleteObject(mono);
}

TEST(BitBlt, ColourSourceToMonochromeIsWhiteWhereItHasTheSourceBackground) {
    GdiCanvas src(4, 1, RGB(255, 0, 255));
    SetPixel(src.dc(), 1, 0, RGB(10, 20, 30));
    SetBkColor(src.dc(), RGB(255, 0, 255));
    GdiCanvas mask(4, 1, RGB(0, 0, 0), true);
    BitBlt(mask.dc(), 0, 0, 4, 1, src.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(RGB(255, 255, 255), mask.at(0, 0));
    EXPECT_EQ(RGB(0, 0, 0), mask.at(1, 0));
    BITMAP bm{};
    GetObject(mask.bitmap(), sizeof bm, &bm);
    EXPECT_EQ(1, bm.bmBitsPixel);
    // A memory DC holding a monochrome bitmap makes monochrome compatible bitmaps.
    HBITMAP made = CreateCompatibleBitmap(mask.dc(), 3, 3);
    GetObject(made, sizeof bm, &bm);
    EXPECT_EQ(1, bm.bmBitsPixel);
    DeleteObject(made);
}

TEST(PatternBrush, MonochromePatternUsesTextAndBackgroundColours) {
    // 8x8 with only the top left pixel black (0) of each tile.
    WORD bits[8];
    for (WORD& w : bits)
        w = 0xFFFF;
    bits[0] = 0xFF7F; // bytes 7F FF: the first pixel is 0
    HBITMAP pattern = CreateBitmap(8, 8, 1, 1, bits);
    HBRUSH brush = CreatePatternBrush(pattern);
    DeleteObject(pattern); // the brush keeps its own copy
    GdiCanvas c(16, 16);
    SetTextColor(c.dc(), RGB(0, 128, 0));
    SetBkColor(c.dc(), RGB(255, 255, 0));
    RECT r{0, 0, 16, 16};
    FillRect(c.dc(), &r, brush);
    EXPECT_EQ(RGB(0, 128, 0), c.at(0, 0));
    EXPECT_EQ(RGB(0, 128, 0), c.at(8, 8));
    EXPECT_EQ(RGB(255, 255, 0), c.at(1, 0));
    EXPECT_EQ(4, c.count(RGB(0, 128, 0)));
    // The brush origin moves the pattern.
    SetBrushOrgEx(c.dc(), 3, 2, nullptr);
    FillRect(c.dc(), &r, brush);
    EXPECT_EQ(RGB(0, 128, 0), c.at(3, 2));
    EXPECT_EQ(RGB(255, 255, 0), c.at(0, 0));
    DeleteObject(brush);
}

TEST(PatternBrush, HatchDrawsItsLinesOverTheBackgroundColour) {
    GdiCanvas c(8, 8);
    HBRUSH hatch = CreateHatchBrush(HS_CROSS, RGB(255, 0, 0));
    SetBkColor(c.dc(), RGB(0, 0, 0));
    RECT r{0, 0, 8, 8};
    FillRect(c.dc(), &r, hatch);
    EXPECT_EQ(15, c.count(RGB(255, 0, 0)));
    EXPECT_EQ(49, c.count(RGB(0, 0, 0)));
    DeleteObject(hatch);
}

TEST(StretchBlt, ScalesAndMirrors) {
    GdiCanvas src(2, 1);
    SetPixel(src.dc(), 0, 0, RGB(255, 0, 0));
    SetPixel(src.dc(), 1, 0, RGB(0, 0, 255));
    GdiCanvas dst(4, 2);
    StretchBlt(dst.dc(), 0, 0, 4, 2, src.dc(), 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(RGB(255, 0, 0), dst.at(1, 1));
    EXPECT_EQ(RGB(0, 0, 255), dst.at(2, 0));
    StretchBlt(dst.dc(), 3, 0, -4, 2, src.dc(), 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(RGB(0, 0, 255), dst.at(0, 0));
    EXPECT_EQ(RGB(255, 0, 0), dst.at(3, 0));
}

TEST(BitBlt, OverlappingCopyInsideOneBitmap) {
    GdiCanvas c(6, 1);
    for (int x = 0; x < 6; ++x)
        SetPixel(c.dc(), x, 0, RGB(x * 10, 0, 0));
    BitBlt(c.dc(), 1, 0, 5, 1, c.dc(), 0, 0, SRCCOPY);
    for (int x = 1; x < 6; ++x)
        EXPECT_EQ(RGB((x - 1) * 10, 0, 0), c.at(x, 0));
}

TEST(MaskBlt, ForegroundWhereTheMaskIsSet) {
    GdiCanvas src(2, 1, RGB(255, 0, 0));
    GdiCanvas dst(2, 1, RGB(0, 255, 0));
    const WORD bits[1] = {0x0080}; // 10: first pixel set
    HBITMAP mask = CreateBitmap(2, 1, 1, 1, bits);
    EXPECT_TRUE(MaskBlt(dst.dc(), 0, 0, 2, 1, src.dc(), 0, 0, mask, 0, 0, MAKEROP4(SRCCOPY, 0x00AA0029)));
    EXPECT_EQ(RGB(255, 0, 0), dst.at(0, 0));
    EXPECT_EQ(RGB(0, 255, 0), dst.at(1, 0));
    DeleteObject(mask);
}

TEST(TransparentBlt, SkipsTheKeyColour) {
    GdiCanvas src(3, 1, RGB(255, 255, 255));
    SetPixel(src.dc(), 1, 0, RGB(9, 9, 9));
    GdiCanvas dst(3, 1, RGB(0, 0, 255));
    EXPECT_TRUE(TransparentBlt(dst.dc(), 0, 0, 3, 1, src.dc(), 0, 0, 3, 1, RGB(255, 255, 255)));
    EXPECT_EQ(RGB(0, 0, 255), dst.at(0, 0));
    EXPECT_EQ(RGB(9, 9, 9), dst.at(1, 0));
}

TEST(DibBits, RoundTripBottomUp24And1Bit) {
    GdiCanvas c(3, 2);
    SetPixel(c.dc(), 0, 0, RGB(1, 2, 3));
    SetPixel(c.dc(), 2, 1, RGB(40, 50, 60));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    EXPECT_EQ(2, GetDIBits(c.dc(), c.bitmap(), 0, 2, nullptr, &info, DIB_RGB_COLORS));
    EXPECT_EQ(32, info.bmiHeader.biBitCount);
    info.bmiHeader.biBitCount = 24;
    BYTE bits[2 * 12] = {};
    SelectObject(c.dc(), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(2, GetDIBits(c.dc(), c.bitmap(), 0, 2, bits, &info, DIB_RGB_COLORS));
    // Bottom-up: the first scan line is the image's last row; bytes are blue, green, red.
    EXPECT_EQ(60, bits[6]);
    EXPECT_EQ(40, bits[8]);
    EXPECT_EQ(3, bits[12]);
    HBITMAP copy = CreateBitmap(3, 2, 1, 32, nullptr);
    EXPECT_EQ(2, SetDIBits(c.dc(), copy, 0, 2, bits, &info, DIB_RGB_COLORS));
    EXPECT_EQ(c.image(), pm::gdi::imageOfBitmap(copy));
    DeleteObject(copy);

    struct {
        BITMAPINFOHEADER h;
        RGBQUAD colours[2];
    } mono{};
    mono.h = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 8, -1, 1, 1, BI_RGB, 0, 0, 0, 0, 0};
    mono.colours[0] = RGBQUAD{0, 0, 255, 0};
    mono.colours[1] = RGBQUAD{0, 255, 0, 0};
    const BYTE row[4] = {0x80, 0, 0, 0};
    GdiCanvas d(8, 1);
    EXPECT_EQ(1, StretchDIBits(d.dc(), 0, 0, 8, 1, 0, 0, 8, 1, row, reinterpret_cast<BITMAPINFO*>(&mono),
                               DIB_RGB_COLORS, SRCCOPY));
    EXPECT_EQ(RGB(0, 255, 0), d.at(0, 0));
    EXPECT_EQ(RGB(255, 0, 0), d.at(1, 0));
}

TEST(DibSection, BitsAreThePixels) {
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 4, -3, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(nullptr, section);
    ASSERT_NE(nullptr, bits);
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, section);
    SetPixel(mem, 1, 2, RGB(10, 20, 30));
    auto* px = static_cast<BYTE*>(bits) + (2 * 4 + 1) * 4;
    EXPECT_EQ(30, px[0]);
    EXPECT_EQ(10, px[2]);
    px[0] = 99;
    EXPECT_EQ(RGB(10, 20, 99), GetPixel(mem, 1, 2));
    BITMAP bm{};
    GetObject(section, sizeof bm, &bm);
    EXPECT_EQ(bits, bm.bmBits);
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(section);
}

} // namespace

// ScrollDC moves the pixels of the scroll rectangle, inside the clip, in every direction (the
// moves overlap their sources), and reports the uncovered part of the clip.
TEST(ScrollDC, MovesPixelsInPlaceAndReportsTheUncoveredArea) {
    struct Case {
        int dx, dy;
        bool clipped;
    };
    const Case cases[] = {{0, -7, false}, {0, 7, false},   {5, 0, false}, {-5, 0, false},
                          {3, 4, false},  {-4, -3, false}, {0, 6, true},  {-6, 0, true}};
    const RECT scroll{10, 5, 50, 35};
    const RECT clip{12, 8, 46, 30};
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << k.dx << "," << k.dy << (k.clipped ? " clipped" : ""));
        GdiCanvas c(60, 40);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 60; ++x)
                SetPixel(c.dc(), x, y, RGB(x * 4, y * 6, (x + y) * 2));
        QImage before = c.image();
        HRGN update = CreateRectRgn(0, 0, 0, 0);
        RECT updated{};
        const RECT* clipRect = k.clipped ? &clip : nullptr;
        ASSERT_TRUE(ScrollDC(c.dc(), k.dx, k.dy, &scroll, clipRect, update, &updated));
        QRect inside = QRect(10, 5, 40, 30) & (k.clipped ? QRect(12, 8, 34, 22) : QRect(0, 0, 60, 40));
        QRect dest = inside & QRect(10, 5, 40, 30).translated(k.dx, k.dy) & inside.translated(k.dx, k.dy);
        QImage after = c.image();
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 60; ++x) {
                QPoint from = dest.contains(x, y) ? QPoint(x - k.dx, y - k.dy) : QPoint(x, y);
                ASSERT_EQ(before.pixel(from), after.pixel(x, y)) << "at " << x << "," << y;
            }
        QRect exposed = (QRegion(inside) - QRegion(dest)).boundingRect();
        EXPECT_EQ(
            QRect(updated.left, updated.top, updated.right - updated.left, updated.bottom - updated.top),
            exposed);
        RECT box{};
        GetRgnBox(update, &box);
        EXPECT_TRUE(EqualRect(&box, &updated));
        DeleteObject(update);
    }
}
