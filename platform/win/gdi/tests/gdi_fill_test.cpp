// Fills, stock objects, system colours and the handle rules of GDI objects and DCs.
#include "platform/win/gdi/dc_surface.h"

#include <gtest/gtest.h>

namespace {

class MemoryDc : public ::testing::Test {
protected:
    void SetUp() override {
        dc = CreateCompatibleDC(nullptr);
        HDC screen = CreateDC("DISPLAY", nullptr, nullptr, nullptr);
        bitmap = CreateCompatibleBitmap(screen, 40, 30);
        DeleteDC(screen);
        old = SelectObject(dc, bitmap);
        RECT all{0, 0, 40, 30};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    void TearDown() override {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
};

TEST_F(MemoryDc, FillRectCoversLeftTopAndStopsBeforeRightBottom) {
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT r{5, 6, 15, 16};
    EXPECT_EQ(1, FillRect(dc, &r, red));
    EXPECT_EQ(RGB(255, 0, 0), GetPixel(dc, 5, 6));
    EXPECT_EQ(RGB(255, 0, 0), GetPixel(dc, 14, 15));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(dc, 15, 15));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(dc, 14, 16));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(dc, 4, 6));
    // An inverted rectangle fills nothing.
    RECT inverted{30, 6, 20, 16};
    EXPECT_EQ(1, FillRect(dc, &inverted, red));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(dc, 25, 10));
    EXPECT_TRUE(DeleteObject(red));
}

TEST_F(MemoryDc, FillRectTakesASystemColourIndexPlusOne) {
    RECT r{0, 0, 3, 3};
    FillRect(dc, &r, reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(COLOR_BTNFACE + 1)));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), GetPixel(dc, 1, 1));
}

TEST_F(MemoryDc, PixelsOutsideTheBitmapAreInvalid) {
    EXPECT_EQ(CLR_INVALID, GetPixel(dc, 40, 0));
    EXPECT_EQ(CLR_INVALID, GetPixel(dc, -1, 0));
    EXPECT_EQ(CLR_INVALID, SetPixel(dc, 0, 30, RGB(1, 2, 3)));
    EXPECT_EQ(RGB(1, 2, 3), SetPixel(dc, 39, 29, RGB(1, 2, 3)));
}

TEST(GdiHandles, StaleAndForeignHandlesAreRefused) {
    HBRUSH b = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_TRUE(DeleteObject(b));
    EXPECT_FALSE(DeleteObject(b));
    EXPECT_EQ(0, GetObject(b, 0, nullptr));
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(nullptr, SelectObject(dc, b));
    EXPECT_EQ(nullptr, SelectObject(reinterpret_cast<HDC>(b), GetStockObject(BLACK_PEN)));
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
    RECT r{0, 0, 1, 1};
    EXPECT_EQ(0, FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
}

TEST(GdiHandles, StockObjectsSurviveDeleteAndSelectReturnsThePrevious) {
    HGDIOBJ white = GetStockObject(WHITE_BRUSH);
    EXPECT_TRUE(DeleteObject(white));
    EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), GetObjectType(white));
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    EXPECT_TRUE(DeleteObject(face));
    LOGBRUSH lb{};
    EXPECT_EQ(static_cast<int>(sizeof lb), GetObject(face, sizeof lb, &lb));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), lb.lbColor);

    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(static_cast<DWORD>(OBJ_MEMDC), GetObjectType(dc));
    HPEN pen = CreatePen(PS_SOLID, 3, RGB(9, 8, 7));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    EXPECT_EQ(GetStockObject(BLACK_PEN), oldPen);
    EXPECT_EQ(pen, SelectObject(dc, oldPen));
    LOGPEN lp{};
    GetObject(pen, sizeof lp, &lp);
    EXPECT_EQ(3, lp.lopnWidth.x);
    EXPECT_EQ(RGB(9, 8, 7), lp.lopnColor);
    DeleteObject(pen);
    DeleteDC(dc);
}

TEST_F(MemoryDc, APenDeletedWhileSelectedDrawsAsTheDefault) {
    HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    SelectObject(dc, red);
    EXPECT_TRUE(DeleteObject(red));
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, 5, 0);
    EXPECT_EQ(RGB(0, 0, 0), GetPixel(dc, 2, 0));
    SelectObject(dc, GetStockObject(BLACK_PEN));
}

TEST(GdiHandles, ABitmapIsSelectedIntoOneDcAndNotDeletedThere) {
    HDC a = CreateCompatibleDC(nullptr), b = CreateCompatibleDC(nullptr);
    HBITMAP bm = CreateBitmap(8, 8, 1, 1, nullptr);
    HGDIOBJ oldA = SelectObject(a, bm);
    ASSERT_NE(nullptr, oldA);
    EXPECT_EQ(nullptr, SelectObject(b, bm));
    EXPECT_FALSE(DeleteObject(bm));
    SelectObject(a, oldA);
    EXPECT_NE(nullptr, SelectObject(b, bm));
    DeleteDC(b);
    EXPECT_TRUE(DeleteObject(bm));
    DeleteDC(a);
}

TEST(SystemTables, ClassicColoursAndMetrics) {
    EXPECT_EQ(RGB(192, 192, 192), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(RGB(128, 128, 128), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(RGB(255, 255, 255), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(RGB(0, 0, 128), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(RGB(255, 255, 225), GetSysColor(COLOR_INFOBK));
    EXPECT_EQ(2, GetSystemMetrics(SM_CXEDGE));
    EXPECT_EQ(16, GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(13, GetSystemMetrics(SM_CYMENUCHECK));
    EXPECT_GT(GetSystemMetrics(SM_CXSCREEN), 0);
    RECT work{};
    EXPECT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_GT(work.right, work.left);
    NONCLIENTMETRICS ncm{};
    ncm.cbSize = sizeof ncm;
    EXPECT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0));
    EXPECT_EQ(-11, ncm.lfMenuFont.lfHeight);
}

TEST(ImageDc, DrawsAtTheOriginAndOnlyInsideTheClip) {
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    HDC dc = pm::gdi::createImageDC(&image, QPoint(5, 5), QRegion(0, 0, 10, 20));
    RECT r{0, 0, 10, 10};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(qRgb(255, 255, 255), image.pixel(4, 5));
    EXPECT_EQ(qRgb(0, 0, 0), image.pixel(5, 5));
    EXPECT_EQ(qRgb(0, 0, 0), image.pixel(9, 14));
    EXPECT_EQ(qRgb(255, 255, 255), image.pixel(10, 10)); // clipped away
    RECT box{};
    EXPECT_EQ(SIMPLEREGION, GetClipBox(dc, &box));
    EXPECT_EQ(-5, box.left);
    EXPECT_EQ(5, box.right);
    pm::gdi::releaseImageDC(dc);
    EXPECT_EQ(0, FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
}

TEST(ImageDc, XorTwiceOnATransparentImageLeavesItTransparent) {
    QImage overlay(16, 16, QImage::Format_ARGB32_Premultiplied);
    overlay.fill(0);
    HDC dc = pm::gdi::createImageDC(&overlay, QPoint(0, 0), QRegion());
    HBRUSH half = CreateHalftoneBrush();
    SelectObject(dc, half);
    PatBlt(dc, 2, 2, 10, 3, PATINVERT);
    // White pattern pixels show; black ones (no change under XOR) stay transparent.
    EXPECT_EQ(0xFFFFFFFFu, overlay.pixel(3, 2));
    EXPECT_EQ(0u, overlay.pixel(2, 2));
    RECT focus{1, 8, 12, 14};
    DrawFocusRect(dc, &focus);
    PatBlt(dc, 2, 2, 10, 3, PATINVERT);
    DrawFocusRect(dc, &focus);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(0u, overlay.pixel(x, y)) << x << "," << y;
    // Lines under R2_NOT show on it and go away again.
    SetROP2(dc, R2_NOT);
    MoveToEx(dc, 0, 15, nullptr);
    LineTo(dc, 8, 15);
    EXPECT_EQ(0xFFFFFFFFu, overlay.pixel(3, 15));
    MoveToEx(dc, 0, 15, nullptr);
    LineTo(dc, 8, 15);
    EXPECT_EQ(0u, overlay.pixel(3, 15));
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    pm::gdi::releaseImageDC(dc);
    DeleteObject(half);
}

} // namespace
