// Pictures decoded from bytes in memory: the picture formats give bitmaps of their natural size and
// pixels; text and broken data give none.
#include "platform/win/windows.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

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
