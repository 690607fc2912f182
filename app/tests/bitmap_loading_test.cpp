// Loading the bitmap button's pictures: BMP files, PCX images of every layout offered, and bitmap
// and PCX resources, with damaged and cut-short files refused.

#include "app/CBmp.h"
#include "app/bmp_decoder.h"
#include "app/decoded_bitmap.h"
#include "app/pcx_decoder.h"

#include "platform/win/res/resources.h"

#include "cmake/test_files.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

void put16(Bytes& b, std::size_t at, unsigned v) {
    b[at] = static_cast<unsigned char>(v);
    b[at + 1] = static_cast<unsigned char>(v >> 8);
}

void put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(v >> (8 * i));
}

// A BMP file: headers, `colours` table entries (blue, green, red) and the rows as given.
Bytes bmpFile(int width, int height, int bits, std::uint32_t usedField,
              const std::vector<std::uint32_t>& table, const Bytes& rows) {
    Bytes b(54 + 4 * table.size(), 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 10, static_cast<std::uint32_t>(b.size()));
    put32(b, 14, 40);
    put32(b, 18, static_cast<std::uint32_t>(width));
    put32(b, 22, static_cast<std::uint32_t>(height));
    put16(b, 26, 1);
    put16(b, 28, static_cast<unsigned>(bits));
    put32(b, 46, usedField);
    for (std::size_t i = 0; i < table.size(); ++i)
        put32(b, 54 + 4 * i, table[i]);
    b.insert(b.end(), rows.begin(), rows.end());
    return b;
}

struct PcxLayout {
    unsigned version = 5;
    unsigned bits = 8;
    unsigned planes = 1;
    int width = 1;
    int height = 1;
    unsigned bytesPerLine = 1;
    std::vector<std::uint32_t> palette16; // 0xRRGGBB
};

PcxLayout layout(unsigned bits, unsigned planes, int width, int height = 1, unsigned bytesPerLine = 1,
                 std::vector<std::uint32_t> palette16 = {}) {
    PcxLayout l;
    l.bits = bits;
    l.planes = planes;
    l.width = width;
    l.height = height;
    l.bytesPerLine = bytesPerLine;
    l.palette16 = std::move(palette16);
    return l;
}

Bytes pcxHeader(const PcxLayout& l) {
    Bytes b(128, 0);
    b[0] = 10;
    b[1] = static_cast<unsigned char>(l.version);
    b[2] = 1;
    b[3] = static_cast<unsigned char>(l.bits);
    put16(b, 4, 10);
    put16(b, 6, 20);
    put16(b, 8, static_cast<unsigned>(10 + l.width - 1));
    put16(b, 10, static_cast<unsigned>(20 + l.height - 1));
    for (std::size_t i = 0; i < l.palette16.size(); ++i) {
        b[16 + 3 * i] = static_cast<unsigned char>(l.palette16[i] >> 16);
        b[17 + 3 * i] = static_cast<unsigned char>(l.palette16[i] >> 8);
        b[18 + 3 * i] = static_cast<unsigned char>(l.palette16[i]);
    }
    b[65] = static_cast<unsigned char>(l.planes);
    put16(b, 66, l.bytesPerLine);
    return b;
}

// Run-length encodes bytes as a PCX writer does: runs of up to 63, and single bytes of 192 or
// more as runs of one.
Bytes encodeRuns(const Bytes& raw) {
    Bytes out;
    for (std::size_t i = 0; i < raw.size();) {
        std::size_t run = 1;
        while (i + run < raw.size() && raw[i + run] == raw[i] && run < 63)
            ++run;
        if (run > 1 || raw[i] >= 192) out.push_back(static_cast<unsigned char>(192 + run));
        out.push_back(raw[i]);
        i += run;
    }
    return out;
}

Bytes pcxFile(const PcxLayout& l, const Bytes& raw) {
    Bytes b = pcxHeader(l);
    Bytes data = encodeRuns(raw);
    b.insert(b.end(), data.begin(), data.end());
    return b;
}

std::uint32_t rgbOf(const RGBQUAD& q) {
    return static_cast<std::uint32_t>(q.rgbRed) << 16 | q.rgbGreen << 8 | q.rgbBlue;
}

// The picture's pixel at (x, y) of a created bitmap, as 0xRRGGBB.
std::uint32_t pixelOf(HBITMAP bitmap, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return static_cast<std::uint32_t>(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c);
}

} // namespace

TEST(BmpDecoding, TableFromTheColoursUsedFieldAndRowsBottomUp) {
    // 3 x 2, 4 bits, three colours: top row 0 1 2, bottom row 2 1 0.
    const Bytes rows = {0x21, 0x00, 0, 0, 0x01, 0x20, 0, 0};
    Bytes file = bmpFile(3, 2, 4, 3, {0x0000FF, 0x00FF00, 0xFF0000}, rows);
    DecodedBitmap picture;
    ASSERT_TRUE(DecodeBmpFile(file.data(), file.size(), picture));
    EXPECT_EQ(picture.ColourCount(), 3);
    EXPECT_EQ(rgbOf(picture.Colour(2)), 0xFF0000u);
    EXPECT_EQ(picture.Line(0)[0], 0x01) << "the first stored row is the bottom line";
    EXPECT_EQ(picture.Line(1)[0], 0x21);

    Bytes truecolour = bmpFile(1, 1, 24, 0, {}, {1, 2, 3, 0});
    ASSERT_TRUE(DecodeBmpFile(truecolour.data(), truecolour.size(), picture));
    EXPECT_EQ(picture.ColourCount(), 0) << "no table for 24 bits";
}

TEST(BmpDecoding, DamagedFilesAreRefused) {
    const Bytes good = bmpFile(2, 2, 8, 0, std::vector<std::uint32_t>(256, 0), Bytes(8, 1));
    DecodedBitmap picture;
    ASSERT_TRUE(DecodeBmpFile(good.data(), good.size(), picture));
    struct Case {
        const char* name;
        Bytes bytes;
    };
    auto changed = [&good](std::size_t at, std::uint32_t value, int width = 4) {
        Bytes b = good;
        if (width == 4)
            put32(b, at, value);
        else
            put16(b, at, value);
        return b;
    };
    const Case cases[] = {
        {"cut in the pixels", Bytes(good.begin(), good.end() - 1)},
        {"cut in the header", Bytes(good.begin(), good.begin() + 40)},
        {"not BM", changed(0, 0x4142, 2)},
        {"a core header", changed(14, 12)},
        {"a table larger than 256", changed(46, 1000)},
        {"compressed", changed(30, 1)},
        {"no width", changed(18, 0)},
        {"a height of -2^31", changed(22, 0x80000000u)},
        {"too wide", changed(18, 100000)},
        {"odd depth", changed(28, 7, 2)},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(DecodeBmpFile(c.bytes.data(), c.bytes.size(), picture)) << c.name;
    Bytes shortTable = bmpFile(1, 1, 8, 200, std::vector<std::uint32_t>(10, 0), {});
    EXPECT_FALSE(DecodeBmpFile(shortTable.data(), shortTable.size(), picture)) << "a table cut short";

    Bytes claimsMost = changed(18, DecodedBitmap::kMaxSide);
    put32(claimsMost, 22, DecodedBitmap::kMaxSide);
    put16(claimsMost, 28, 32);
    DecodedBitmap fresh;
    EXPECT_FALSE(DecodeBmpFile(claimsMost.data(), claimsMost.size(), fresh));
    EXPECT_EQ(fresh.PixelBytes(), 0u) << "no memory is taken for the rows a short file only claims";
}

TEST(PcxDecoding, ThreePlanesOfOneBitGiveSixteenColours) {
    PcxLayout l = layout(1, 3, 4);
    for (std::uint32_t i = 0; i < 16; ++i)
        l.palette16.push_back(i * 0x111111u);
    // Pixels 0..3: plane 0 = 1010, plane 1 = 0110, plane 2 = 0000.
    Bytes file = pcxFile(l, {0xA0, 0x60, 0x00});
    DecodedBitmap picture;
    ASSERT_TRUE(DecodePcx(file.data(), file.size(), picture));
    EXPECT_EQ(picture.Header().biBitCount, 4);
    EXPECT_EQ(picture.ColourCount(), 16) << "eight colours are kept as sixteen";
    // Values 1|8, 2|8, 3|8 and 0: the fourth bit marks a pixel set in any plane.
    EXPECT_EQ(picture.Line(0)[0], 0x9A);
    EXPECT_EQ(picture.Line(0)[1], 0xB0);
    EXPECT_EQ(rgbOf(picture.Colour(15)), 0xFFFFFFu) << "the header's palette";

    l.planes = 4;
    file = pcxFile(l, {0xA0, 0x60, 0x00, 0xF0});
    ASSERT_TRUE(DecodePcx(file.data(), file.size(), picture));
    EXPECT_EQ(picture.Line(0)[0], 0x9A) << "bit 3 from the fourth plane";
    EXPECT_EQ(picture.Line(0)[1], 0xB8);
}

TEST(PcxDecoding, DefaultTables) {
    PcxLayout l = layout(4, 1, 2, 1, 1, std::vector<std::uint32_t>(16, 0x123456));
    l.version = 3;
    Bytes file = pcxFile(l, {0x7F});
    DecodedBitmap picture;
    ASSERT_TRUE(DecodePcx(file.data(), file.size(), picture));
    EXPECT_EQ(rgbOf(picture.Colour(7)), 0x808080u) << "version 3 carries no palette";
    EXPECT_EQ(rgbOf(picture.Colour(8)), 0xC0C0C0u);
    EXPECT_EQ(rgbOf(picture.Colour(12)), 0xFF0000u);
    EXPECT_EQ(picture.Line(0)[0], 0x7F);

    PcxLayout mono = layout(1, 1, 8, 1, 1, {0x102030, 0x102030});
    file = pcxFile(mono, {0x0F});
    ASSERT_TRUE(DecodePcx(file.data(), file.size(), picture));
    EXPECT_EQ(rgbOf(picture.Colour(0)), 0u) << "two equal entries: black and white";
    EXPECT_EQ(rgbOf(picture.Colour(1)), 0xFFFFFFu);
    mono.palette16 = {0x102030, 0x405060};
    file = pcxFile(mono, {0x0F});
    ASSERT_TRUE(DecodePcx(file.data(), file.size(), picture));
    EXPECT_EQ(rgbOf(picture.Colour(1)), 0x405060u);
}

TEST(PcxDecoding, TwoHundredFiftySixColoursFromTheMarkedPalette) {
    const PcxLayout l = layout(8, 1, 2, 2, 2);
    Bytes file = pcxFile(l, {1, 2, 3, 4});
    Bytes unmarked = file;
    file.push_back(12);
    for (int i = 0; i < 256; ++i) {
        file.push_back(static_cast<unsigned char>(i));
        file.push_back(0);
        file.push_back(static_cast<unsigned char>(255 - i));
    }
    DecodedBitmap picture;
    ASSERT_TRUE(DecodePcx(file.data(), file.size(), picture));
    EXPECT_EQ(picture.ColourCount(), 256);
    EXPECT_EQ(rgbOf(picture.Colour(3)), 0x0300FCu);
    EXPECT_EQ(picture.Line(1)[1], 4);

    ASSERT_TRUE(DecodePcx(unmarked.data(), unmarked.size(), picture));
    EXPECT_EQ(rgbOf(picture.Colour(200)), 0xC8C8C8u) << "without a palette: a grey ramp";
    file.pop_back();
    ASSERT_TRUE(DecodePcx(file.data(), file.size(), picture));
    EXPECT_EQ(rgbOf(picture.Colour(3)), 0x030303u) << "a palette cut short is no palette";
}

TEST(PcxDecoding, TwentyFourBitsRunsAcrossLinesAndLongLines) {
    const PcxLayout l = layout(8, 3, 1, 2);
    // Red, green, blue planes of each line; the same byte from the end of line 1 into line 2.
    Bytes file = pcxHeader(l);
    for (unsigned char b : {0x10, 0x20, 0xC3, 0x30, 0x40})
        file.push_back(b);
    DecodedBitmap picture;
    ASSERT_TRUE(DecodePcx(file.data(), file.size(), picture));
    EXPECT_EQ(picture.ColourCount(), 0);
    const unsigned char* top = picture.Line(0);
    EXPECT_EQ(top[0], 0x30) << "blue first";
    EXPECT_EQ(top[1], 0x20);
    EXPECT_EQ(top[2], 0x10);
    const unsigned char* bottom = picture.Line(1);
    EXPECT_EQ(bottom[0], 0x40);
    EXPECT_EQ(bottom[1], 0x30) << "the run went on into the second line";
    EXPECT_EQ(bottom[2], 0x30);

    // A line of 3 x 12000 bytes whose encoding is longer than 8192 bytes.
    const PcxLayout wide = layout(8, 3, 12000, 1, 12000);
    Bytes raw(36000);
    for (std::size_t i = 0; i < raw.size(); ++i)
        raw[i] = static_cast<unsigned char>(192 + i % 2);
    file = pcxFile(wide, raw);
    ASSERT_GT(file.size(), 128u + 8192u);
    ASSERT_TRUE(DecodePcx(file.data(), file.size(), picture));
    EXPECT_EQ(picture.Line(0)[3 * 11999], 193);
}

TEST(PcxDecoding, DamagedImagesAreRefused) {
    const PcxLayout l = layout(8, 1, 4, 4, 4);
    const Bytes good = pcxFile(l, Bytes(16, 7));
    DecodedBitmap picture;
    ASSERT_TRUE(DecodePcx(good.data(), good.size(), picture));
    auto changed = [&good](std::size_t at, unsigned value, bool wide = false) {
        Bytes b = good;
        if (wide)
            put16(b, at, value);
        else
            b[at] = static_cast<unsigned char>(value);
        return b;
    };
    struct Case {
        const char* name;
        Bytes bytes;
    };
    const Case cases[] = {
        {"cut short", Bytes(good.begin(), good.end() - 1)},
        {"a header only", Bytes(good.begin(), good.begin() + 128)},
        {"a short header", Bytes(good.begin(), good.begin() + 100)},
        {"another maker", changed(0, 9)},
        {"no run-length encoding", changed(2, 0)},
        {"2 bits in 2 planes",
         [&] {
             Bytes b = changed(3, 2);
             b[65] = 2;
             return b;
         }()},
        {"xmax below xmin", changed(8, 5, true)},
        {"lines too short for the width", changed(66, 3, true)},
        {"lines of no bytes", changed(66, 0, true)},
        {"more lines than the data could hold", changed(10, 60000, true)},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(DecodePcx(c.bytes.data(), c.bytes.size(), picture)) << c.name;
    const Bytes lastRunWithoutItsByte = [&] {
        Bytes b = pcxHeader(l);
        b.push_back(0xCF);
        return b;
    }();
    EXPECT_FALSE(DecodePcx(lastRunWithoutItsByte.data(), lastRunWithoutItsByte.size(), picture));
}

TEST(CBmpLoad, TheExtensionChoosesTheSourceInAnyCase) {
    TempFolder folder;
    const Bytes bmp = bmpFile(1, 1, 24, 0, {}, {0x30, 0x20, 0x10, 0});
    pm::test::writeFile(folder / "pic.bmp", std::string(bmp.begin(), bmp.end()));
    pm::test::writeFile(folder / "PIC.BMP", std::string(bmp.begin(), bmp.end()));
    pm::test::writeFile(folder / "pic", std::string(bmp.begin(), bmp.end()));
    pm::test::writeFile(folder / "pic.gif", std::string(bmp.begin(), bmp.end()));
    const PcxLayout l = layout(1, 1, 8, 1, 1, {0x000000, 0x00FF00});
    const Bytes pcx = pcxFile(l, {0x80});
    pm::test::writeFile(folder / "dot.Pcx", std::string(pcx.begin(), pcx.end()));

    CBmp loader;
    for (const char* name : {"pic.bmp", "PIC.BMP"}) {
        HBITMAP bitmap = nullptr;
        HPALETTE palette = nullptr;
        ASSERT_TRUE(loader.Load((folder / name).c_str(), bitmap, palette)) << name;
        EXPECT_EQ(pixelOf(bitmap, 0, 0), 0x102030u) << name;
        EXPECT_EQ(palette, nullptr) << "no palette for 24 bits";
        DeleteObject(bitmap);
    }
    HBITMAP bitmap = nullptr;
    HPALETTE palette = nullptr;
    ASSERT_TRUE(loader.Load((folder / "dot.Pcx").c_str(), bitmap, palette));
    EXPECT_EQ(pixelOf(bitmap, 0, 0), 0x00FF00u);
    EXPECT_EQ(pixelOf(bitmap, 1, 0), 0u);
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(GetPaletteEntries(palette, 0, 0, nullptr), 2u);
    DeleteObject(bitmap);
    DeleteObject(palette);
    for (const char* name : {"pic", "pic.gif", "missing.bmp"}) {
        EXPECT_FALSE(loader.Load((folder / name).c_str(), bitmap, palette)) << name;
        EXPECT_EQ(bitmap, nullptr);
        EXPECT_EQ(palette, nullptr);
    }
}

TEST(CBmpLoad, ResourcesOfPcxAndBitmaps) {
    const PcxLayout l = layout(1, 1, 8, 1, 1, {0x000000, 0x0000FF});
    static const Bytes pcx = pcxFile(l, {0x40});
    pm::res::addData("pcx", "Arrow.P", pcx.data(), pcx.size());
    static const Bytes plain = bmpFile(1, 1, 24, 0, {}, {0, 0, 0xFF, 0});
    pm::res::addImage(pm::res::ImageKind::Bitmap, "Plain.B4", plain.data(), plain.size());
    std::vector<std::uint32_t> table(256, 0);
    table[5] = 0x00FFFF;
    // Only five colours said to be used: the whole table of 256 is taken all the same.
    static const Bytes indexed = bmpFile(1, 1, 8, 5, table, {5, 0, 0, 0});
    pm::res::addImage(pm::res::ImageKind::Bitmap, "Many.B8", indexed.data(), indexed.size());
    static const Bytes small = bmpFile(1, 1, 8, 2, {0, 0xFFFFFF}, {1, 0, 0, 0});
    pm::res::addImage(pm::res::ImageKind::Bitmap, "Small.B8", small.data(), small.size());

    CBmp loader;
    HBITMAP bitmap = nullptr;
    HPALETTE palette = nullptr;
    ASSERT_TRUE(loader.Load("arrow.p", bitmap, palette));
    EXPECT_EQ(pixelOf(bitmap, 1, 0), 0x0000FFu);
    DeleteObject(bitmap);
    DeleteObject(palette);
    ASSERT_TRUE(loader.Load("plain.b4", bitmap, palette));
    EXPECT_EQ(pixelOf(bitmap, 0, 0), 0xFF0000u);
    EXPECT_EQ(palette, nullptr);
    DeleteObject(bitmap);
    ASSERT_TRUE(loader.Load("Many.B8", bitmap, palette));
    EXPECT_EQ(pixelOf(bitmap, 0, 0), 0x00FFFFu);
    EXPECT_EQ(GetPaletteEntries(palette, 0, 0, nullptr), 256u);
    DeleteObject(bitmap);
    DeleteObject(palette);
    EXPECT_FALSE(loader.Load("Small.B8", bitmap, palette)) << "a table of two holds no 256 entries";
    EXPECT_FALSE(loader.Load("missing.P", bitmap, palette));
}
