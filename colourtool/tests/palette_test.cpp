#include "colourtool/core/palette.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace tintara;

namespace {

const std::string kData = std::string(PM_TEST_DATA_DIR) + "/palettes/";

// A GIF header with a global colour table of 2^(bits+1) entries (colour k = k, 255-k, k/2).
std::string gifBytes(unsigned packed, std::size_t tableBytesKept = std::string::npos) {
    std::string bytes = "GIF89a";
    bytes += std::string("\x10\x00\x10\x00", 4);
    bytes += static_cast<char>(packed);
    bytes += std::string("\x00\x00", 2);
    const std::size_t count = std::size_t{2} << (packed & 7u);
    std::string table;
    for (std::size_t k = 0; k < count; ++k) {
        table += static_cast<char>(k);
        table += static_cast<char>(255 - k);
        table += static_cast<char>(k / 2);
    }
    return bytes + table.substr(0, tableBytesKept);
}

// A 128-byte PCX header whose 16-colour palette holds colour k = 16k, k, 255-k.
std::string pcxBytes(std::size_t length = 128) {
    std::string bytes(128, '\0');
    bytes[0] = 10;
    bytes[1] = 5;
    for (int k = 0; k < 16; ++k) {
        bytes[16 + 3 * k] = static_cast<char>(16 * k);
        bytes[17 + 3 * k] = static_cast<char>(k);
        bytes[18 + 3 * k] = static_cast<char>(255 - k);
    }
    return bytes.substr(0, length);
}

std::string jasc(const std::string& countLine, const std::string& colourLines) {
    return "JASC-PAL\r\n0100\r\n" + countLine + "\r\n" + colourLines;
}

} // namespace

TEST(PaletteFormat, ChosenByTheLastFourCharactersIgnoringCase) {
    struct Case {
        const char* name;
        PaletteFormat format;
    };
    const Case cases[] = {
        {"a.pal", PaletteFormat::Jasc},        {"X.PAL", PaletteFormat::Jasc},
        {"dir.gif/b.Gif", PaletteFormat::Gif}, {".pcx", PaletteFormat::Pcx},
        {"a.txt", PaletteFormat::Unknown},     {"pal", PaletteFormat::Unknown},
        {"x.PAL ", PaletteFormat::Unknown},    {"a.jpal", PaletteFormat::Unknown},
        {"", PaletteFormat::Unknown},          {"a.bmp", PaletteFormat::Unknown},
    };
    for (const Case& c : cases)
        EXPECT_EQ(paletteFormatOf(c.name), c.format) << c.name;
}

TEST(JascPalette, WellFormedFiles) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<Rgb> colours;
    };
    const Case cases[] = {
        {"crlf", jasc("2", "1 2 3\r\n255 128 0\r\n"), {{1, 2, 3}, {255, 128, 0}}},
        {"lf only", "JASC-PAL\n0100\n2\n1 2 3\n4 5 6\n", {{1, 2, 3}, {4, 5, 6}}},
        {"no final line end", jasc("1", "7 8 9"), {{7, 8, 9}}},
        {"extra fields ignored", jasc("1", "7 8 9 10 x\r\n"), {{7, 8, 9}}},
        {"fractions round down", jasc("1", "12.7 0.999 +3\r\n"), {{12, 0, 3}}},
        {"over 255 counts as 255", jasc("1", "256 1000 99999999999999999999\r\n"), {{255, 255, 255}}},
        {"negatives count as 0", jasc("1", "-1 -0.5 -300\r\n"), {{0, 0, 0}}},
        {"exponents", jasc("1", "1e2 2.5E1 1e-5\r\n"), {{100, 25, 0}}},
        {"lines past the count ignored", jasc("1", "1 1 1\r\nnot a colour\r\n"), {{1, 1, 1}}},
        {"count with blanks", jasc(" 1 ", "1 1 1\r\n"), {{1, 1, 1}}},
        {"any version line", "JASC-PAL\r\n\r\n1\r\n0 0 0\r\n", {{0, 0, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PaletteResult result = readJascPalette(c.bytes);
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_EQ(result.colours, c.colours);
    }
}

TEST(JascPalette, MalformedFilesAreRefused) {
    struct Case {
        const char* name;
        std::string bytes;
        const char* why; // a part of the reason given; past line 1 the file counts as damaged
    };
    std::string lying;
    for (int i = 0; i < 10; ++i)
        lying += "1 2 3\r\n";
    const Case cases[] = {
        {"empty", "", "line 1"},
        {"trailing space in magic", "JASC-PAL \r\n0100\r\n1\r\n1 2 3\r\n", "line 1"},
        {"lower-case magic", "jasc-pal\r\n0100\r\n1\r\n1 2 3\r\n", "line 1"},
        {"byte order mark", "\xEF\xBB\xBFJASC-PAL\r\n0100\r\n1\r\n1 2 3\r\n", "line 1"},
        {"no version", "JASC-PAL", "version"},
        {"no count", "JASC-PAL\r\n0100\r\n", "count"},
        {"zero count", jasc("0", ""), "count"},
        {"negative count", jasc("-4", "1 2 3\r\n"), "count"},
        {"huge count", jasc("4000000000000", lying), "count"},
        {"count over 256", jasc("257", lying), "count"},
        {"count not a number", jasc("sixteen", lying), "count"},
        {"fewer lines than announced", jasc("16", lying), "ends after 10 colours"},
        {"two fields", jasc("1", "1 2\r\n"), "line 4"},
        {"tab separated", jasc("1", "1\t2\t3\r\n"), "line 4"},
        {"double space", jasc("1", "1  2 3\r\n"), "line 4"},
        {"non-number", jasc("2", "1 2 3\r\n1 two 3\r\n"), "line 5"},
        {"empty colour line", jasc("1", "\r\n"), "line 4"},
        {"bare sign", jasc("1", "- 2 3\r\n"), "line 4"},
        {"bare exponent", jasc("1", "1e 2 3\r\n"), "line 4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PaletteResult result = readJascPalette(c.bytes);
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.colours.empty());
        EXPECT_NE(result.error.find(c.why), std::string::npos) << result.error;
        EXPECT_EQ(result.damaged, std::string(c.why) != "line 1");
    }
}

TEST(GifPalette, TableSizeFromTheLowBits) {
    for (unsigned bits = 0; bits < 8; ++bits) {
        SCOPED_TRACE(bits);
        const PaletteResult result = readGifPalette(gifBytes(0x80u | 0x70u | bits));
        ASSERT_TRUE(result.ok) << result.error;
        const std::size_t count = std::size_t{2} << bits;
        ASSERT_EQ(result.colours.size(), count);
        EXPECT_EQ(result.colours.front(), (Rgb{0, 255, 0}));
        EXPECT_EQ(result.colours.back(), (Rgb{int(count - 1), int(256 - count), int((count - 1) / 2)}));
    }
}

TEST(GifPalette, MalformedFilesAreRefused) {
    struct Case {
        const char* name;
        std::string bytes;
        const char* why;
    };
    // A file that begins as a GIF image but ends early is damaged.
    const Case cases[] = {
        {"empty", "", "GIF"},
        {"lower-case signature", "gif89a" + gifBytes(0x87).substr(6), "GIF"},
        {"only the signature", "GIF", "screen descriptor"},
        {"short descriptor", gifBytes(0x87).substr(0, 12), "screen descriptor"},
        {"no global table", gifBytes(0x07), "no global colour table"},
        {"table cut short", gifBytes(0x87, 767), "global colour table"},
        {"table missing", gifBytes(0x81, 0), "global colour table"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PaletteResult result = readGifPalette(c.bytes);
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.error.find(c.why), std::string::npos) << result.error;
        EXPECT_EQ(result.damaged, result.error.find("ends inside") != std::string::npos);
    }
}

// The file's last 769 bytes: the marker 12, then 256 colours k = (k, 255 - k, 7).
std::string pcxEndPalette(char marker = 12) {
    std::string end(1, marker);
    for (int k = 0; k < 256; ++k)
        end += std::string{static_cast<char>(k), static_cast<char>(255 - k), 7};
    return end;
}

// A PCX header of one plane of `bits` a pixel.
std::string pcxHeader(char bits, char planes = 1) {
    std::string header = pcxBytes();
    header[3] = bits;
    header[65] = planes;
    return header;
}

TEST(PcxPalette, TheHeaderColoursUnlessAnEightBitImageEndsWithItsPalette) {
    const struct {
        const char* what;
        std::string header, end;
        std::size_t count;
    } cases[] = {
        {"short header", pcxBytes(64), "", 16},
        {"no end palette", pcxHeader(8), "", 16},
        {"8 bits", pcxHeader(8), pcxEndPalette(), 256},
        {"no marker", pcxHeader(8), pcxEndPalette(10), 16},
        {"4 bits", pcxHeader(4), pcxEndPalette(), 16},
        {"3 planes", pcxHeader(8, 3), pcxEndPalette(), 16},
        {"cut end", pcxHeader(8), pcxEndPalette().substr(0, 768), 16},
        {"header cut before its planes", pcxHeader(8).substr(0, 64), pcxEndPalette(), 16},
    };
    for (const auto& c : cases) {
        const PaletteResult result = readPcxPalette(c.header, c.end);
        ASSERT_TRUE(result.ok) << c.what << ": " << result.error;
        ASSERT_EQ(result.colours.size(), c.count) << c.what;
        if (c.count == 16) {
            EXPECT_EQ(result.colours[0], (Rgb{0, 0, 255})) << c.what;
            EXPECT_EQ(result.colours[15], (Rgb{240, 15, 240})) << c.what;
        } else {
            EXPECT_EQ(result.colours[0], (Rgb{0, 255, 7}));
            EXPECT_EQ(result.colours[255], (Rgb{255, 0, 7}));
        }
    }
    EXPECT_FALSE(readPcxPalette(pcxBytes(63), pcxEndPalette()).ok);
    EXPECT_FALSE(readPcxPalette("", "").ok);
}

TEST(PaletteFile, ReadsByExtension) {
    TempFolder folder;
    struct Case {
        std::string path;
        bool ok;
        std::size_t count;
    };
    const Case cases[] = {
        {kData + "sixteen.pal", true, 16},
        {kData + "shouting.PAL", true, 16},
        {kData + "sixteen.txt", false, 0}, // a JASC-PAL file under another name
        {folder.write("g.gif", gifBytes(0xF7)), true, 256},
        {folder.write("g3.GIF", gifBytes(0x83)), true, 16},
        {folder.write("p.pcx", pcxBytes()), true, 16},
        {folder.write("p256.pcx", pcxHeader(8) + std::string(500, '\x0C') + pcxEndPalette()), true, 256},
        // Too short to hold a header and the 256 colours after it.
        {folder.write("tiny256.pcx", pcxHeader(8).substr(0, 100) + pcxEndPalette()), true, 16},
        {folder.write("pcx-as.gif", pcxBytes()), false, 0},
        {folder.write("gif-as.pcx", gifBytes(0x87)), true, 16},
        {folder.file("missing.pal"), false, 0},
        {folder.path() + "/", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const PaletteResult result = readPaletteFile(c.path);
        EXPECT_EQ(result.ok, c.ok) << result.error;
        EXPECT_EQ(result.colours.size(), c.count);
        if (!c.ok) {
            EXPECT_FALSE(result.error.empty());
        }
    }
    const PaletteResult sixteen = readPaletteFile(kData + "sixteen.pal");
    EXPECT_EQ(sixteen.colours[1], (Rgb{17, 238, 40}));
}

TEST(PaletteFile, AFolderNamedLikeAPaletteIsRefused) {
    TempFolder folder;
    std::filesystem::create_directory(folder.file("dir.pal"));
    EXPECT_FALSE(readPaletteFile(folder.file("dir.pal")).ok);
}

TEST(PaletteFile, TextsAreTheProgramsOwn) {
    EXPECT_STREQ(kUnknownPaletteFormat, "Unknown palette format.");
    EXPECT_STREQ(kInvalidCustomPalette,
                 "Invalid picture. All BMP pictures in the app directory are shown here.");
    EXPECT_STREQ(kPaletteDialogTitle, "Import file containing palette");
    EXPECT_STREQ(kPaletteFilterName, "Files containing a palette.");
    EXPECT_STREQ(kPaletteFilterPattern, "*.PAL;*.GIF;*.PCX");
}

TEST(PaletteGrid, SquareCountsAndWrappedOnes) {
    struct Case {
        std::size_t count;
        int columns, rows;
    };
    const Case cases[] = {{256, 16, 16}, {16, 4, 4},    {1, 1, 1},     {2, 2, 1}, {8, 3, 3},
                          {32, 6, 6},    {128, 12, 11}, {255, 16, 16}, {17, 5, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        const PaletteGrid grid = PaletteGrid::forCount(c.count);
        EXPECT_EQ(grid.columns, c.columns);
        EXPECT_EQ(grid.rows, c.rows);
        EXPECT_EQ(grid.clientWidth(), 10 * c.columns);
        EXPECT_EQ(grid.clientHeight(), 10 * c.rows);
        // every swatch lies inside the client area
        const std::size_t last = c.count - 1;
        EXPECT_LT(grid.swatchLeft(last), grid.clientWidth());
        EXPECT_LT(grid.swatchTop(last), grid.clientHeight());
    }
    const PaletteGrid grid = PaletteGrid::forCount(16);
    EXPECT_EQ(grid.swatchLeft(5), 10);
    EXPECT_EQ(grid.swatchTop(5), 10);
    EXPECT_EQ(grid.swatchLeft(3), 30);
    EXPECT_EQ(grid.swatchTop(4), 10);
}

TEST(CustomPalettes, CaptionsFromFileNames) {
    struct Case {
        const char* file;
        const char* caption;
    };
    const Case cases[] = {{"Sky.bmp", "Sky"}, {"my.palette.bmp", "My"}, {"SUNSET.BMP", "Sunset"},
                          {".bmp", ""},       {"sky.old.bmp", "Sky"},   {"\xC4pfel.bmp", "\xC4pfel"}};
    for (const Case& c : cases)
        EXPECT_EQ(customPaletteCaption(c.file), c.caption) << c.file;
}

TEST(CustomPalettes, BitmapFilesOfAFolderInAnyCaseSortedByName) {
    TempFolder folder;
    for (const char* name : {"sky.bmp", "Ocean.BMP", "notes.txt", "b.bmp.txt", "apple.Bmp", "x.bmpx"})
        folder.write(name, "x");
    std::filesystem::create_directory(folder.file("folder.bmp"));
    EXPECT_EQ(listCustomPalettes(folder.path()),
              (std::vector<std::string>{"apple.Bmp", "Ocean.BMP", "sky.bmp"}));
    EXPECT_TRUE(listCustomPalettes(folder.file("no-such-folder")).empty());
}

namespace {

// A BMP file with an info header (or, when `core`, the short core header) of width x height
// pixels of `bits` each, its pixels all zero; `cut` bytes are left off its end.
std::string bmpBytes(int width, int height, int bits, bool core = false, int compression = 0, int cut = 0) {
    const int header = core ? 12 : 40;
    const int rowBytes = (width * bits + 31) / 32 * 4;
    std::string bytes(static_cast<std::size_t>(14 + header + rowBytes * std::abs(height)), '\0');
    auto put = [&bytes](int at, int value, int count) {
        for (int i = 0; i < count; ++i)
            bytes[static_cast<std::size_t>(at + i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    bytes[0] = 'B', bytes[1] = 'M';
    put(10, 14 + header, 4), put(14, header, 4);
    if (core) {
        put(18, width, 2), put(20, height, 2), put(22, 1, 2), put(24, bits, 2);
    } else {
        put(18, width, 4), put(22, height, 4), put(26, 1, 2), put(28, bits, 2), put(30, compression, 4);
    }
    bytes.resize(bytes.size() - static_cast<std::size_t>(cut));
    return bytes;
}

} // namespace

TEST(CustomPalettes, BitmapsCutBeforeTheirLastRow) {
    struct Case {
        const char* name;
        std::string bytes;
        bool cut;
    };
    const Case cases[] = {
        {"whole 24-bit", bmpBytes(5, 3, 24), false},
        {"one byte short", bmpBytes(5, 3, 24, false, 0, 1), true},
        {"only its headers", bmpBytes(292, 63, 24, false, 0, 292 * 3 * 63), true},
        {"top-down, cut", bmpBytes(5, -3, 24, false, 0, 4), true},
        {"core header, cut", bmpBytes(7, 2, 8, true, 0, 3), true},
        {"core header, whole", bmpBytes(7, 2, 8, true), false},
        {"32-bit fields, cut", bmpBytes(2, 2, 32, false, 3, 1), true},
        {"run-length coded, short", bmpBytes(8, 8, 8, false, 1, 30), false},
        {"not a BMP", std::string("GIF89a") + std::string(60, '\0'), false},
        {"BMP signature only", "BM", false},
        {"cut inside its header", bmpBytes(5, 3, 24).substr(0, 40), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isCutBitmap(c.bytes), c.cut) << c.name;
}
