// Pictures decoded from bytes in memory: the picture formats give bitmaps of their natural size and
// pixels; text and broken data give none.
#include "cmake/test_files.h"
#include "platform/win/windows.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

QByteArray encoded(const char* format) {
    QImage image(5, 3, QImage::Format_RGB32);
    image.fill(QColor(200, 30, 40));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

} // namespace

TEST(LoadPictureFromMemory, PictureFormatsDecodeAtTheirNaturalSize) {
    for (const char* format : {"BMP", "PNG", "JPG"}) {
        SCOPED_TRACE(format);
        const QByteArray bytes = encoded(format);
        HBITMAP bitmap = LoadPictureFromMemory(bytes.constData(), static_cast<size_t>(bytes.size()));
        ASSERT_NE(nullptr, bitmap);
        BITMAP info{};
        GetObject(bitmap, sizeof info, &info);
        EXPECT_EQ(5, info.bmWidth);
        EXPECT_EQ(3, info.bmHeight);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, bitmap);
        const COLORREF pixel = GetPixel(dc, 2, 1);
        EXPECT_NEAR(200, GetRValue(pixel), 8);
        EXPECT_NEAR(30, GetGValue(pixel), 8);
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
}

TEST(LoadPictureFromMemory, TextAndBrokenBytesAreNoPicture) {
    const std::string texts[] = {"plain text, not a picture", "P1\n2 2\n0 1 1 0\n", "/* XPM */", ""};
    for (const std::string& text : texts)
        EXPECT_EQ(nullptr, LoadPictureFromMemory(text.data(), text.size())) << text;
    QByteArray cut = encoded("PNG").left(20);
    EXPECT_EQ(nullptr, LoadPictureFromMemory(cut.constData(), static_cast<size_t>(cut.size())));
    EXPECT_EQ(nullptr, LoadPictureFromMemory(nullptr, 10));
}

namespace {

void put16(std::string& b, std::size_t at, unsigned v) {
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>(v >> 8);
}
void put32(std::string& b, std::size_t at, unsigned v) {
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}

// A 4 by 4 BMP of `bits` per pixel whose rows all hold `index` (or, at 24 bits, blue 10 green 20 red
// 30), cut after its first `rows` rows in the file (the bottom ones). At 8 bits colour 0 of the
// palette is green and colour 1 red.
std::string cutBmp(int bits, int rows, unsigned index) {
    const int stride = (4 * bits + 31) / 32 * 4;
    const std::size_t palette = bits == 8 ? 256 * 4 : 0;
    std::string b(14 + 40 + palette, '\0');
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 10, static_cast<unsigned>(b.size()));
    put32(b, 14, 40);
    put32(b, 18, 4);
    put32(b, 22, 4);
    put16(b, 26, 1);
    put16(b, 28, static_cast<unsigned>(bits));
    put32(b, 34, static_cast<unsigned>(stride * 4));
    if (bits == 8) {
        put32(b, 54, 0x00A000); // green
        put32(b, 58, 0xFF0000); // red
    }
    std::string row(static_cast<std::size_t>(stride), '\0');
    for (int x = 0; x < 4; ++x) {
        if (bits == 8) row[static_cast<std::size_t>(x)] = static_cast<char>(index);
        if (bits == 24) row.replace(static_cast<std::size_t>(x * 3), 3, "\x0a\x14\x1e");
    }
    for (int y = 0; y < rows; ++y)
        b += row;
    put32(b, 2, static_cast<unsigned>(b.size()));
    return b;
}

std::vector<COLORREF> columnOf(HBITMAP bitmap) {
    std::vector<COLORREF> column;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (int y = 0; y < 4; ++y)
        column.push_back(GetPixel(dc, 1, y));
    SelectObject(dc, old);
    DeleteDC(dc);
    return column;
}

} // namespace

// The rows a cut file lacks (the top ones: a BMP is stored bottom up) come out in a defined colour,
// never as whatever memory held: palette colour 0, or black.
TEST(LoadPictureFromMemory, RowsMissingFromACutBitmapHaveADefinedColour) {
    struct Case {
        int bits;
        unsigned index;
        COLORREF present;
        COLORREF missing;
    } const cases[] = {{8, 1, RGB(255, 0, 0), RGB(0, 160, 0)}, {24, 0, RGB(30, 20, 10), RGB(0, 0, 0)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bits);
        const std::string bytes = cutBmp(c.bits, 2, c.index);
        HBITMAP bitmap = LoadPictureFromMemory(bytes.data(), bytes.size());
        ASSERT_NE(nullptr, bitmap);
        const std::vector<COLORREF> cut{c.missing, c.missing, c.present, c.present};
        EXPECT_EQ(columnOf(bitmap), cut);
        DeleteObject(bitmap);
        const std::string path = std::string(PM_TEST_OUTPUT_DIR) + "/cut.bmp";
        pm::test::writeFile(path, bytes);
        bitmap = static_cast<HBITMAP>(LoadImage(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
        ASSERT_NE(nullptr, bitmap) << "a cut file loads too";
        EXPECT_EQ(columnOf(bitmap), cut);
        DeleteObject(bitmap);
        const std::string whole = cutBmp(c.bits, 4, c.index);
        bitmap = LoadPictureFromMemory(whole.data(), whole.size());
        ASSERT_NE(nullptr, bitmap);
        EXPECT_EQ(columnOf(bitmap), std::vector<COLORREF>(4, c.present));
        DeleteObject(bitmap);
    }
}
