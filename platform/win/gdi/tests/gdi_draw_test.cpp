// Lines and shapes with Win32's pixel rules, binary raster operations, mapping modes, clipping,
// saved states, regions and palettes.
#include "platform/win/gdi/dc_surface.h"
#include "platform/win/gdi/tests/gdi_canvas.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

TEST(Lines, LineToLeavesOutTheLastPixelAndMovesThePosition) {
    GdiCanvas c(20, 20);
    MoveToEx(c.dc(), 2, 5, nullptr);
    LineTo(c.dc(), 12, 5);
    EXPECT_EQ(kBlack, c.at(2, 5));
    EXPECT_EQ(kBlack, c.at(11, 5));
    EXPECT_EQ(kWhite, c.at(12, 5));
    EXPECT_EQ(10, c.count(kBlack));
    POINT p{};
    GetCurrentPositionEx(c.dc(), &p);
    EXPECT_EQ(12, p.x);
    LineTo(c.dc(), 12, 5); // zero length draws nothing
    EXPECT_EQ(10, c.count(kBlack));
}

TEST(Shapes, RectangleCoversLeftTopButNotRightBottom) {
    GdiCanvas c(20, 20);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HGDIOBJ old = SelectObject(c.dc(), red);
    Rectangle(c.dc(), 2, 3, 8, 9);
    EXPECT_EQ(kBlack, c.at(2, 3));
    EXPECT_EQ(kBlack, c.at(7, 8));
    EXPECT_EQ(kWhite, c.at(8, 8));
    EXPECT_EQ(RGB(255, 0, 0), c.at(3, 4));
    EXPECT_EQ(RGB(255, 0, 0), c.at(6, 7));
    EXPECT_EQ(20, c.count(kBlack));
    // Without a pen the fill is one pixel smaller to the right and bottom.
    SelectObject(c.dc(), GetStockObject(NULL_PEN));
    Rectangle(c.dc(), 10, 10, 14, 14);
    EXPECT_EQ(9, c.count(RGB(255, 0, 0)) - 16);
    SelectObject(c.dc(), old);
    SelectObject(c.dc(), GetStockObject(BLACK_PEN));
    DeleteObject(red);
}

TEST(Shapes, XorRectangleDrawnTwiceLeavesThePixels) {
    GdiCanvas c(40, 40, RGB(100, 150, 200));
    SetPixel(c.dc(), 15, 10, RGB(7, 7, 7));
    QImage before = c.image();
    SetROP2(c.dc(), R2_XORPEN);
    HPEN white = CreatePen(PS_SOLID, 1, kWhite);
    SelectObject(c.dc(), white);
    SelectObject(c.dc(), GetStockObject(NULL_BRUSH));
    Rectangle(c.dc(), 10, 10, 30, 30);
    // The outline of a 20 x 20 rectangle, every pixel changed once.
    EXPECT_EQ(76, [&] {
        QImage after = c.image();
        int n = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                n += after.pixel(x, y) != before.pixel(x, y);
        return n;
    }());
    Rectangle(c.dc(), 10, 10, 30, 30);
    EXPECT_EQ(before, c.image());
    SetROP2(c.dc(), R2_NOT);
    MoveToEx(c.dc(), 0, 0, nullptr);
    LineTo(c.dc(), 5, 0);
    EXPECT_EQ(RGB(155, 105, 55), c.at(0, 0));
    MoveToEx(c.dc(), 0, 0, nullptr);
    LineTo(c.dc(), 5, 0);
    EXPECT_EQ(before, c.image());
    SelectObject(c.dc(), GetStockObject(BLACK_PEN));
    DeleteObject(white);
}

TEST(Shapes, EllipseAndPolygonStayInsideTheirBox) {
    GdiCanvas c(30, 30);
    SelectObject(c.dc(), GetStockObject(BLACK_BRUSH));
    Ellipse(c.dc(), 5, 5, 15, 15);
    EXPECT_EQ(kBlack, c.at(10, 10));
    EXPECT_EQ(kWhite, c.at(5, 5));
    EXPECT_EQ(kWhite, c.at(15, 10));
    const POINT tri[3] = {{20, 20}, {28, 20}, {20, 28}};
    Polygon(c.dc(), tri, 3);
    EXPECT_EQ(kBlack, c.at(21, 21));
    EXPECT_EQ(kWhite, c.at(27, 27));
}

TEST(Mapping, TwipsMapAnInchTo96PixelsWithYUp) {
    GdiCanvas c(200, 200);
    SetMapMode(c.dc(), MM_TWIPS);
    POINT p[2] = {{1440, -1440}, {720, -360}};
    LPtoDP(c.dc(), p, 2);
    EXPECT_EQ(96, p[0].x);
    EXPECT_EQ(96, p[0].y);
    EXPECT_EQ(48, p[1].x);
    EXPECT_EQ(24, p[1].y);
    DPtoLP(c.dc(), p, 1);
    EXPECT_EQ(1440, p[0].x);
    EXPECT_EQ(-1440, p[0].y);
    // A rectangle of one inch by half an inch, 15 twips a pixel.
    RECT r{150, -150, 1590, -870};
    FillRect(c.dc(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    // Extents of a fixed mode cannot be changed.
    SIZE ext{};
    SetWindowExtEx(c.dc(), 5, 5, nullptr);
    GetWindowExtEx(c.dc(), &ext);
    EXPECT_EQ(1440, ext.cx);
    SetMapMode(c.dc(), MM_TEXT);
    EXPECT_EQ(kBlack, c.at(10, 10));
    EXPECT_EQ(kBlack, c.at(105, 57));
    EXPECT_EQ(kWhite, c.at(106, 57));
    EXPECT_EQ(kWhite, c.at(105, 58));
    EXPECT_EQ(96 * 48, c.count(kBlack));
}

TEST(Mapping, LoEnglishAnisotropicAndOrigins) {
    GdiCanvas c(10, 10);
    struct Case {
        const char* name;
        int mode;
        SIZE window, viewport;
        POINT windowOrg, viewportOrg;
        POINT logical, device;
    } cases[] = {
        {"text with origins", MM_TEXT, {1, 1}, {1, 1}, {10, 20}, {3, 4}, {15, 25}, {8, 9}},
        {"lo english", MM_LOENGLISH, {1, 1}, {1, 1}, {0, 0}, {0, 0}, {100, -50}, {96, 48}},
        {"anisotropic halves", MM_ANISOTROPIC, {200, 100}, {100, 100}, {0, 0}, {0, 0}, {50, 50}, {25, 50}},
        {"anisotropic flipped", MM_ANISOTROPIC, {100, 100}, {100, -100}, {0, 0}, {0, 50}, {10, 10}, {10, 40}},
        {"isotropic keeps squares", MM_ISOTROPIC, {100, 100}, {200, 100}, {0, 0}, {0, 0}, {10, 10}, {10, 10}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        SetMapMode(c.dc(), MM_TEXT);
        SetMapMode(c.dc(), k.mode);
        SetWindowExtEx(c.dc(), k.window.cx, k.window.cy, nullptr);
        SetViewportExtEx(c.dc(), k.viewport.cx, k.viewport.cy, nullptr);
        SetWindowOrgEx(c.dc(), k.windowOrg.x, k.windowOrg.y, nullptr);
        SetViewportOrgEx(c.dc(), k.viewportOrg.x, k.viewportOrg.y, nullptr);
        POINT p = k.logical;
        LPtoDP(c.dc(), &p, 1);
        EXPECT_EQ(k.device.x, p.x);
        EXPECT_EQ(k.device.y, p.y);
    }
}

TEST(Mapping, PageDcsMapByTheirResolution) {
    HDC page = pm::gdi::createPageDC(QSize(850, 1100), 100);
    ASSERT_NE(nullptr, page);
    EXPECT_EQ(100, GetDeviceCaps(page, LOGPIXELSY));
    EXPECT_EQ(DT_RASPRINTER, GetDeviceCaps(page, TECHNOLOGY));
    EXPECT_EQ(1100, GetDeviceCaps(page, PHYSICALHEIGHT));
    EXPECT_EQ(850, GetDeviceCaps(page, HORZRES));
    GdiCanvas small(10, 10);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), GetDeviceCaps(small.dc(), HORZRES));
    EXPECT_EQ(96, GetDeviceCaps(small.dc(), LOGPIXELSX));
    SetMapMode(page, MM_LOENGLISH);
    RECT inch{100, -100, 200, -200};
    FillRect(page, &inch, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    QImage* img = pm::gdi::pageImageOf(page);
    ASSERT_NE(nullptr, img);
    EXPECT_EQ(qRgb(0, 0, 0), img->pixel(100, 100));
    EXPECT_EQ(qRgb(0, 0, 0), img->pixel(199, 199));
    EXPECT_EQ(qRgb(255, 255, 255), img->pixel(200, 199));
    EXPECT_TRUE(DeleteDC(page));
    EXPECT_EQ(nullptr, pm::gdi::pageImageOf(page));
}

TEST(Clipping, ExcludeIntersectSelectAndTheClipBox) {
    GdiCanvas c(20, 20);
    RECT all{0, 0, 20, 20};
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    EXPECT_EQ(SIMPLEREGION, IntersectClipRect(c.dc(), 2, 2, 12, 12));
    EXPECT_EQ(COMPLEXREGION, ExcludeClipRect(c.dc(), 4, 4, 6, 6));
    FillRect(c.dc(), &all, black);
    EXPECT_EQ(100 - 4, c.count(kBlack));
    RECT box{};
    EXPECT_EQ(COMPLEXREGION, GetClipBox(c.dc(), &box));
    EXPECT_TRUE(EqualRect(&box, &(const RECT&)RECT{2, 2, 12, 12}));
    EXPECT_FALSE(PtVisible(c.dc(), 5, 5));
    EXPECT_TRUE(PtVisible(c.dc(), 2, 2));
    SelectClipRgn(c.dc(), nullptr);
    EXPECT_EQ(SIMPLEREGION, GetClipBox(c.dc(), &box));
    EXPECT_TRUE(EqualRect(&box, &all));
    HRGN rgn = CreateRectRgn(0, 0, 1, 1);
    EXPECT_EQ(0, GetClipRgn(c.dc(), rgn));
    DeleteObject(rgn);
}

TEST(SavedState, RestoreDcBringsBackObjectsColoursAndClip) {
    GdiCanvas c(10, 10);
    HPEN pen = CreatePen(PS_DOT, 1, RGB(1, 1, 1));
    int level = SaveDC(c.dc());
    EXPECT_EQ(1, level);
    SelectObject(c.dc(), pen);
    SetTextColor(c.dc(), RGB(9, 9, 9));
    SetMapMode(c.dc(), MM_TWIPS);
    IntersectClipRect(c.dc(), 0, 0, 1, -1);
    EXPECT_EQ(2, SaveDC(c.dc()));
    SetBkMode(c.dc(), TRANSPARENT);
    EXPECT_TRUE(RestoreDC(c.dc(), -1));
    EXPECT_EQ(TRANSPARENT, GetBkMode(c.dc()) == TRANSPARENT ? OPAQUE : TRANSPARENT);
    EXPECT_TRUE(RestoreDC(c.dc(), level));
    EXPECT_FALSE(RestoreDC(c.dc(), 1));
    EXPECT_EQ(GetStockObject(BLACK_PEN), GetCurrentObject(c.dc(), OBJ_PEN));
    EXPECT_EQ(kBlack, GetTextColor(c.dc()));
    EXPECT_EQ(MM_TEXT, GetMapMode(c.dc()));
    RECT box{};
    GetClipBox(c.dc(), &box);
    EXPECT_EQ(10, box.right);
    DeleteObject(pen);
}

TEST(SavedState, RestoreDcSelectsTheSavedBitmapAgain) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP first = CreateBitmap(4, 4, 1, 32, nullptr), second = CreateBitmap(2, 2, 1, 32, nullptr);
    HGDIOBJ original = SelectObject(dc, first);
    SaveDC(dc);
    SelectObject(dc, second);
    EXPECT_TRUE(RestoreDC(dc, -1));
    EXPECT_EQ(first, GetCurrentObject(dc, OBJ_BITMAP));
    EXPECT_TRUE(DeleteObject(second)); // no longer selected anywhere
    EXPECT_FALSE(DeleteObject(first));
    SelectObject(dc, original);
    EXPECT_TRUE(DeleteObject(first));
    DeleteDC(dc);
}

TEST(Regions, CombineTestAndFill) {
    HRGN a = CreateRectRgn(0, 0, 10, 10), b = CreateRectRgn(5, 5, 15, 15), r = CreateRectRgn(0, 0, 0, 0);
    struct Case {
        int mode;
        int type;
        POINT in, out;
    } cases[] = {
        {RGN_AND, SIMPLEREGION, {7, 7}, {2, 2}},
        {RGN_OR, COMPLEXREGION, {12, 12}, {12, 2}},
        {RGN_XOR, COMPLEXREGION, {2, 2}, {7, 7}},
        {RGN_DIFF, COMPLEXREGION, {2, 2}, {12, 12}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.mode);
        EXPECT_EQ(k.type, CombineRgn(r, a, b, k.mode));
        EXPECT_TRUE(PtInRegion(r, k.in.x, k.in.y));
        EXPECT_FALSE(PtInRegion(r, k.out.x, k.out.y));
    }
    EXPECT_EQ(NULLREGION, CombineRgn(r, a, a, RGN_DIFF));
    RECT box{};
    EXPECT_EQ(SIMPLEREGION, GetRgnBox(b, &box));
    EXPECT_EQ(15, box.right);
    GdiCanvas c(20, 20);
    FillRgn(c.dc(), b, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(100, c.count(kBlack));
    FrameRgn(c.dc(), a, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)), 1, 1);
    EXPECT_EQ(36, c.count(RGB(128, 128, 128)));
    HRGN ellipse = CreateEllipticRgn(0, 0, 10, 10);
    EXPECT_FALSE(PtInRegion(ellipse, 0, 0));
    EXPECT_TRUE(PtInRegion(ellipse, 5, 5));
    for (HRGN h : {a, b, r, ellipse})
        DeleteObject(h);
}

TEST(Palettes, EntriesNearestIndexAndPaletteColours) {
    HPALETTE def = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    PALETTEENTRY e[20];
    EXPECT_EQ(20u, GetPaletteEntries(def, 0, 20, e));
    EXPECT_EQ(192, e[8].peRed);
    EXPECT_EQ(220, e[8].peGreen);
    EXPECT_EQ(255, e[19].peBlue);
    EXPECT_EQ(13u, GetNearestPaletteIndex(def, RGB(250, 5, 5)));

    struct {
        LOGPALETTE head;
        PALETTEENTRY more[1];
    } lp{};
    lp.head.palVersion = 0x300;
    lp.head.palNumEntries = 2;
    lp.head.palPalEntry[0] = PALETTEENTRY{10, 20, 30, 0};
    lp.more[0] = PALETTEENTRY{200, 100, 50, 0};
    HPALETTE pal = CreatePalette(&lp.head);
    ASSERT_NE(nullptr, pal);
    WORD count = 0;
    EXPECT_EQ(2, GetObject(pal, sizeof count, &count));
    EXPECT_EQ(2, count);
    EXPECT_EQ(0u, GetPaletteEntries(pal, 2, 1, e));
    GdiCanvas c(2, 2);
    HPALETTE old = SelectPalette(c.dc(), pal, FALSE);
    EXPECT_EQ(def, old);
    RealizePalette(c.dc());
    SetPixel(c.dc(), 0, 0, PALETTEINDEX(1));
    EXPECT_EQ(RGB(200, 100, 50), c.at(0, 0));
    EXPECT_EQ(RGB(1, 2, 3), GetNearestColor(c.dc(), RGB(1, 2, 3)));
    SelectPalette(c.dc(), old, FALSE);
    DeleteObject(pal);
}

} // namespace
