// Image lists: adding with and without masks, colour keys, icons, removal, drawing styles,
// overlays, and loading a bitmap resource.
#include "platform/win/gdi/tests/gdi_canvas.h"

#include "platform/win/commctrl.h"
#include "platform/win/windows.h"

#include "platform/win/res/resources.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kBack = RGB(0, 0, 128);

// A strip of n 4x4 images: image k is filled with colours[k] and its top left pixel is magenta.
HBITMAP strip(const std::vector<COLORREF>& colours) {
    HBITMAP bm = CreateBitmap(4 * static_cast<int>(colours.size()), 4, 1, 32, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bm);
    for (std::size_t k = 0; k < colours.size(); ++k) {
        HBRUSH b = CreateSolidBrush(colours[k]);
        RECT rc{static_cast<int>(k) * 4, 0, static_cast<int>(k) * 4 + 4, 4};
        FillRect(dc, &rc, b);
        DeleteObject(b);
        SetPixel(dc, static_cast<int>(k) * 4, 0, kMagenta);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return bm;
}

class ImageListTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (list) ImageList_Destroy(list);
    }
    HIMAGELIST list = nullptr;
};

TEST_F(ImageListTest, CreateCountsAndStaleHandles) {
    list = ImageList_Create(4, 4, ILC_COLOR32 | ILC_MASK, 1, 1);
    ASSERT_NE(list, nullptr);
    int cx = 0, cy = 0;
    EXPECT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
    EXPECT_EQ(cx, 4);
    EXPECT_EQ(cy, 4);
    HBITMAP bm = strip({kRed, kGreen, kRed});
    EXPECT_EQ(ImageList_Add(list, bm, nullptr), 0);
    EXPECT_EQ(ImageList_Add(list, bm, nullptr), 3);
    EXPECT_EQ(ImageList_GetImageCount(list), 6);
    EXPECT_TRUE(ImageList_Remove(list, 1));
    EXPECT_EQ(ImageList_GetImageCount(list), 5);
    EXPECT_FALSE(ImageList_Remove(list, 5));
    EXPECT_TRUE(ImageList_RemoveAll(list));
    EXPECT_EQ(ImageList_GetImageCount(list), 0);
    DeleteObject(bm);

    HIMAGELIST stale = list;
    ASSERT_TRUE(ImageList_Destroy(list));
    list = nullptr;
    EXPECT_FALSE(ImageList_Destroy(stale));
    EXPECT_EQ(ImageList_GetImageCount(stale), 0);
    EXPECT_EQ(ImageList_Create(0, 4, ILC_COLOR, 1, 1), nullptr);
}

TEST_F(ImageListTest, GrowingOneByOneKeepsEveryImage) {
    list = ImageList_Create(4, 4, ILC_COLOR32 | ILC_MASK, 1, 1);
    HBITMAP red = strip({kRed}), green = strip({kGreen});
    for (int i = 0; i < 2000; ++i)
        ASSERT_EQ(ImageList_AddMasked(list, i % 2 ? green : red, kMagenta), i);
    DeleteObject(red);
    DeleteObject(green);
    EXPECT_EQ(ImageList_GetImageCount(list), 2000);
    GdiCanvas c(12, 4, kBack);
    ImageList_Draw(list, 0, c.dc(), 0, 0, ILD_TRANSPARENT);
    ImageList_Draw(list, 1001, c.dc(), 4, 0, ILD_TRANSPARENT);
    ImageList_Draw(list, 1998, c.dc(), 8, 0, ILD_TRANSPARENT);
    EXPECT_EQ(c.at(2, 2), kRed);
    EXPECT_EQ(c.at(6, 2), kGreen);
    EXPECT_EQ(c.at(10, 2), kRed);
    EXPECT_EQ(c.at(8, 0), kBack);
}

TEST_F(ImageListTest, RemoveShiftsLaterImages) {
    list = ImageList_Create(4, 4, ILC_COLOR32, 2, 2);
    HBITMAP bm = strip({kRed, kGreen, kBack});
    ImageList_Add(list, bm, nullptr);
    DeleteObject(bm);
    ASSERT_TRUE(ImageList_Remove(list, 0));
    GdiCanvas c(8, 4);
    ImageList_Draw(list, 0, c.dc(), 0, 0, ILD_NORMAL);
    ImageList_Draw(list, 1, c.dc(), 4, 0, ILD_NORMAL);
    EXPECT_EQ(c.at(1, 1), kGreen);
    EXPECT_EQ(c.at(5, 1), kBack);
}

TEST_F(ImageListTest, AddMaskedMakesTheKeyColourTransparent) {
    list = ImageList_Create(4, 4, ILC_COLOR32 | ILC_MASK, 1, 4);
    HBITMAP bm = strip({kRed, kGreen});
    EXPECT_EQ(ImageList_AddMasked(list, bm, kMagenta), 0);
    DeleteObject(bm);

    struct Case {
        const char* name;
        UINT style;
        COLORREF listBk;
        COLORREF corner;
    };
    const Case cases[] = {
        {"transparent", ILD_TRANSPARENT, kBack, kGreen},
        {"normal without background", ILD_NORMAL, CLR_NONE, kGreen},
        {"normal over the list's background", ILD_NORMAL, kBack, kBack},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        ImageList_SetBkColor(list, k.listBk);
        GdiCanvas c(4, 4, kGreen);
        ASSERT_TRUE(ImageList_Draw(list, 0, c.dc(), 0, 0, k.style));
        EXPECT_EQ(c.at(0, 0), k.corner);
        EXPECT_EQ(c.at(2, 2), kRed);
    }
    GdiCanvas mask(4, 4);
    ImageList_Draw(list, 1, mask.dc(), 0, 0, ILD_MASK);
    EXPECT_EQ(mask.at(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(mask.at(1, 1), RGB(0, 0, 0));
}

TEST_F(ImageListTest, SelectedAndFocusBlendWithTheHighlight) {
    list = ImageList_Create(4, 4, ILC_COLOR32, 1, 1);
    HBITMAP bm = strip({RGB(0, 0, 0)});
    ImageList_Add(list, bm, nullptr);
    DeleteObject(bm);
    GdiCanvas c(8, 4);
    ImageList_DrawEx(list, 0, c.dc(), 0, 0, 0, 0, CLR_NONE, RGB(200, 100, 0), ILD_SELECTED);
    ImageList_DrawEx(list, 0, c.dc(), 4, 0, 0, 0, CLR_NONE, RGB(200, 100, 0), ILD_FOCUS);
    EXPECT_EQ(c.at(2, 2), RGB(100, 50, 0));
    EXPECT_EQ(c.at(6, 2), RGB(50, 25, 0));
}

TEST_F(ImageListTest, OverlayDrawsOverTheImage) {
    list = ImageList_Create(4, 4, ILC_COLOR32 | ILC_MASK, 1, 1);
    HBITMAP bm = strip({kRed, kGreen});
    ImageList_AddMasked(list, bm, kMagenta);
    DeleteObject(bm);
    ASSERT_TRUE(ImageList_SetOverlayImage(list, 1, 1));
    EXPECT_FALSE(ImageList_SetOverlayImage(list, 1, 16));
    GdiCanvas c(4, 4, kBack);
    ImageList_Draw(list, 0, c.dc(), 0, 0, ILD_TRANSPARENT | INDEXTOOVERLAYMASK(1));
    EXPECT_EQ(c.at(2, 2), kGreen);
    EXPECT_EQ(c.at(0, 0), kBack);
}

TEST_F(ImageListTest, IconsGoInAndComeOut) {
    list = ImageList_Create(4, 4, ILC_COLOR32 | ILC_MASK, 1, 1);
    HBITMAP bm = strip({kRed});
    ImageList_AddMasked(list, bm, kMagenta);
    DeleteObject(bm);
    HICON icon = ImageList_GetIcon(list, 0, ILD_NORMAL);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(ImageList_AddIcon(list, icon), 1);
    EXPECT_EQ(ImageList_ReplaceIcon(list, 0, icon), 0);
    EXPECT_EQ(ImageList_ReplaceIcon(list, 7, icon), -1);
    DestroyIcon(icon);
    GdiCanvas c(4, 4, kGreen);
    ImageList_Draw(list, 1, c.dc(), 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(c.at(0, 0), kGreen);
    EXPECT_EQ(c.at(3, 3), kRed);

    IMAGEINFO info{};
    ASSERT_TRUE(ImageList_GetImageInfo(list, 1, &info));
    EXPECT_NE(info.hbmImage, nullptr);
    EXPECT_NE(info.hbmMask, nullptr);
    EXPECT_EQ(info.rcImage.right - info.rcImage.left, 4);
    EXPECT_EQ(info.rcImage.bottom - info.rcImage.top, 4);
}

TEST_F(ImageListTest, DuplicateIsIndependent) {
    list = ImageList_Create(4, 4, ILC_COLOR32, 1, 1);
    HBITMAP bm = strip({kRed, kGreen});
    ImageList_Add(list, bm, nullptr);
    DeleteObject(bm);
    HIMAGELIST copy = ImageList_Duplicate(list);
    ImageList_Remove(list, 0);
    EXPECT_EQ(ImageList_GetImageCount(copy), 2);
    GdiCanvas c(4, 4);
    ImageList_Draw(copy, 0, c.dc(), 0, 0, ILD_NORMAL);
    EXPECT_EQ(c.at(2, 2), kRed);
    ImageList_Destroy(copy);
}

// A 24-bit BMP file of a w by h picture, all `fill` except a `key` top left pixel per 4 columns.
std::vector<unsigned char> bmpFile(int w, int h, COLORREF fill, COLORREF key) {
    int stride = (w * 3 + 3) & ~3;
    std::vector<unsigned char> out(54 + static_cast<std::size_t>(stride * h));
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(v >> (8 * i));
    };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, static_cast<std::uint32_t>(out.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(w));
    put32(22, static_cast<std::uint32_t>(h));
    out[26] = 1;
    out[28] = 24;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            COLORREF c = (y == h - 1 && x % 4 == 0) ? key : fill;
            std::size_t at = 54 + static_cast<std::size_t>(y * stride + x * 3);
            out[at] = GetBValue(c);
            out[at + 1] = GetGValue(c);
            out[at + 2] = GetRValue(c);
        }
    return out;
}

TEST_F(ImageListTest, LoadsABitmapResourceWithAMaskColour) {
    static const std::vector<unsigned char> file = bmpFile(12, 4, kRed, kMagenta);
    pm::res::addImage(pm::res::ImageKind::Bitmap, 9301, file.data(), file.size());
    list = ImageList_LoadBitmap(nullptr, MAKEINTRESOURCE(9301), 4, 1, kMagenta);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(list), 3);
    GdiCanvas c(4, 4, kGreen);
    ImageList_Draw(list, 2, c.dc(), 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(c.at(0, 0), kGreen);
    EXPECT_EQ(c.at(1, 1), kRed);
    EXPECT_EQ(ImageList_LoadBitmap(nullptr, MAKEINTRESOURCE(9302), 4, 1, kMagenta), nullptr);
}

} // namespace
