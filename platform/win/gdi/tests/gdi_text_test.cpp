// Fonts (substitution, metrics, extents), text output and DrawText, and the shared text decoder.
#include "platform/win/gdi/tests/gdi_canvas.h"

#include "platform/win/gdi/fonts.h"
#include "platform/win/text_codec.h"

#include <QFontInfo>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

HFONT font(const char* face, int height, int weight = FW_NORMAL) {
    return CreateFont(height, 0, 0, 0, weight, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, face);
}

// The columns in which a row range of the canvas has anything but white.
std::pair<int, int> inkColumns(const GdiCanvas& c, int width, int height) {
    QImage img = c.image();
    int first = -1, last = -1;
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y)
            if (img.pixel(x, y) != qRgb(255, 255, 255)) {
                if (first < 0) first = x;
                last = x;
                break;
            }
    return {first, last};
}

TEST(TextCodec, Utf8SequencesAndWindows1252Bytes) {
    struct Case {
        const char* name;
        std::string bytes;
        std::u16string shown;
    } cases[] = {
        {"ascii", "abc", u"abc"},
        {"two-byte sequence", "\xC3\xA9", u"\u00E9"},
        {"three-byte sequence", "\xE2\x82\xAC", u"\u20AC"},
        {"four-byte sequence", "\xF0\x9F\x98\x80", u"\U0001F600"},
        {"lone 1252 byte", "\xE9t\xE9", u"\u00E9t\u00E9"},
        {"1252 high controls", "\x80\x93\x81", u"\u20AC\u201C\u0081"},
        {"overlong form", "\xC0\xAF", u"\u00C0\u00AF"},
        {"surrogate half", "\xED\xA0\x80", u"\u00ED\u00A0\u20AC"},
        {"cut sequence", "\xE2\x82", u"\u00E2\u201A"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        EXPECT_EQ(QString::fromStdU16String(k.shown), pm::decodeText(k.bytes));
        EXPECT_EQ(k.shown, pm::shownText(k.bytes.data(), k.bytes.size()));
    }
    std::vector<int> offsets;
    pm::decodeText("a\xC3\xA9"
                   "b",
                   4, &offsets);
    EXPECT_EQ((std::vector<int>{0, 1, 3, 4}), offsets);
    // Both units of a pair come from the same bytes.
    EXPECT_EQ(u"\U0001F600x", pm::shownText("\xF0\x9F\x98\x80x", 5, &offsets));
    EXPECT_EQ((std::vector<int>{0, 0, 4, 5}), offsets);
    EXPECT_EQ("\xE2\x82\xAC", pm::encodeText(QString(QChar(0x20AC))));
}

TEST(Fonts, FacesAreSubstitutedAndLogFontsKept) {
    struct Case {
        const char* face;
        BYTE pitch;
        const char* family;
    } cases[] = {
        {"MS Sans Serif", 0, "Liberation Sans"}, {"Tahoma", 0, "Liberation Sans"},
        {"arial", 0, "Liberation Sans"},         {"Courier New", 0, "Liberation Mono"},
        {"Verdana", 0, "DejaVu Sans"},           {"", FIXED_PITCH, "Liberation Mono"},
        {"", FF_ROMAN, "Liberation Serif"},      {"", 0, "Liberation Sans"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.face);
        EXPECT_EQ(QString::fromLatin1(k.family), pm::gdi::substituteFace(k.face, k.pitch));
    }
    HFONT f = font("Courier New", -13, FW_BOLD);
    LOGFONT lf{};
    EXPECT_EQ(static_cast<int>(sizeof lf), GetObject(f, sizeof lf, &lf));
    EXPECT_EQ(-13, lf.lfHeight);
    EXPECT_EQ(FW_BOLD, lf.lfWeight);
    EXPECT_STREQ("Courier New", lf.lfFaceName);
    GdiCanvas c(4, 4);
    SelectObject(c.dc(), f);
    char face[LF_FACESIZE];
    EXPECT_EQ(11, GetTextFace(c.dc(), sizeof face, face));
    EXPECT_STREQ("Courier New", face);
    TEXTMETRIC tm{};
    EXPECT_TRUE(GetTextMetrics(c.dc(), &tm));
    EXPECT_EQ(0, tm.tmPitchAndFamily & TMPF_FIXED_PITCH); // fixed pitch clears the bit
    EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
    EXPECT_GE(tm.tmHeight, 13);
    SelectObject(c.dc(), GetStockObject(SYSTEM_FONT));
    DeleteObject(f);
}

TEST(Fonts, HeightsInPixelsAndCells) {
    GdiCanvas c(4, 4);
    HFONT em = font("Arial", -11), cell = font("Arial", 16);
    TEXTMETRIC tm{};
    SelectObject(c.dc(), em);
    GetTextMetrics(c.dc(), &tm);
    EXPECT_EQ(11, tm.tmHeight - tm.tmInternalLeading);
    EXPECT_GE(tm.tmAveCharWidth, 4);
    EXPECT_LE(tm.tmAveCharWidth, 7);
    SelectObject(c.dc(), cell);
    GetTextMetrics(c.dc(), &tm);
    EXPECT_NEAR(16, tm.tmHeight, 1);
    SelectObject(c.dc(), GetStockObject(SYSTEM_FONT));
    DeleteObject(em);
    DeleteObject(cell);
}

TEST(Fonts, ExtentsCountBytesAndSumAdvances) {
    GdiCanvas c(4, 4);
    HFONT f = font("Arial", -12);
    SelectObject(c.dc(), f);
    SIZE ab{}, a{}, b{};
    GetTextExtentPoint32(c.dc(), "AW", 2, &ab);
    GetTextExtentPoint32(c.dc(), "A", 1, &a);
    GetTextExtentPoint32(c.dc(), "W", 1, &b);
    EXPECT_EQ(a.cx + b.cx, ab.cx); // no kerning, as GDI
    INT widths[3];
    GetCharWidth(c.dc(), 'A', 'C', widths);
    EXPECT_EQ(a.cx, widths[0]);

    // "é" in UTF-8 is two bytes and one character; both bytes end at the same extent.
    const char* text = "x\xC3\xA9y";
    INT dx[4] = {};
    int fit = 0;
    SIZE all{};
    GetTextExtentExPoint(c.dc(), text, 4, 1000, &fit, dx, &all);
    EXPECT_EQ(4, fit);
    EXPECT_EQ(dx[1], dx[2]);
    EXPECT_GT(dx[1], dx[0]);
    EXPECT_EQ(all.cx, dx[3]);
    GetTextExtentExPoint(c.dc(), text, 4, dx[1], &fit, dx, &all);
    EXPECT_EQ(3, fit);
    SelectObject(c.dc(), GetStockObject(SYSTEM_FONT));
    DeleteObject(f);
}

// Fonts made from equal LOGFONTs share what they laid out and rendered; a font that differs in any
// one field draws as itself even while an otherwise equal font lives, and a font outlives the
// others made like it.
TEST(Fonts, EqualLogFontsShareTheirGlyphsAndOthersDrawAsThemselves) {
    const char* text = "Wg fi 0O";
    const int length = static_cast<int>(std::strlen(text));
    auto picture = [&](HFONT f) {
        GdiCanvas c(120, 40);
        HGDIOBJ old = SelectObject(c.dc(), f);
        SetBkMode(c.dc(), TRANSPARENT);
        TextOut(c.dc(), 2, 2, text, length);
        TextOut(c.dc(), 2, 2, text, length); // drawn again: from what the first drawing kept
        SelectObject(c.dc(), old);
        return c.image();
    };
    LOGFONTA base{};
    base.lfHeight = -14;
    base.lfWeight = FW_NORMAL;
    std::strcpy(base.lfFaceName, "Arial");
    HFONT kept = CreateFontIndirect(&base);
    const QImage basePicture = picture(kept);

    struct Case {
        const char* name;
        void (*change)(LOGFONTA&);
    } cases[] = {
        {"height", [](LOGFONTA& lf) { lf.lfHeight = -18; }},
        {"width", [](LOGFONTA& lf) { lf.lfWidth = 10; }},
        {"weight", [](LOGFONTA& lf) { lf.lfWeight = FW_BOLD; }},
        {"italic", [](LOGFONTA& lf) { lf.lfItalic = 1; }},
        {"underline", [](LOGFONTA& lf) { lf.lfUnderline = 1; }},
        {"strike-out", [](LOGFONTA& lf) { lf.lfStrikeOut = 1; }},
        {"pitch and family",
         [](LOGFONTA& lf) {
             lf.lfFaceName[0] = 0;
             lf.lfPitchAndFamily = FIXED_PITCH;
         }},
        {"face", [](LOGFONTA& lf) { std::strcpy(lf.lfFaceName, "Times New Roman"); }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        LOGFONTA lf = base;
        k.change(lf);
        HFONT other = CreateFontIndirect(&lf);
        EXPECT_NE(basePicture, picture(other));
        DeleteObject(other);
    }

    // Bytes after the face's end are no part of it: the same font, drawn the same.
    LOGFONTA tail = base;
    std::strcpy(tail.lfFaceName + 6, "junk");
    HFONT same = CreateFontIndirect(&tail);
    EXPECT_EQ(basePicture, picture(same));
    DeleteObject(kept);
    EXPECT_EQ(basePicture, picture(same));
    DeleteObject(same);
    HFONT again = CreateFontIndirect(&base);
    EXPECT_EQ(basePicture, picture(again));
    DeleteObject(again);
}

TEST(Fonts, MarlettGlyphsAreSquareCells) {
    GdiCanvas c(30, 20);
    HFONT marlett = CreateFont(GetSystemMetrics(SM_CYMENUCHECK), 0, 0, 0, FW_NORMAL, 0, 0, 0, SYMBOL_CHARSET,
                               0, 0, 0, 0, "Marlett");
    SelectObject(c.dc(), marlett);
    INT w = 0;
    GetCharWidth(c.dc(), '6', '6', &w);
    EXPECT_EQ(13, w);
    SetBkMode(c.dc(), TRANSPARENT);
    TextOut(c.dc(), 0, 0, "6", 1);
    // A down arrow: wider at its top row than at its bottom.
    auto [first, last] = inkColumns(c, 30, 20);
    EXPECT_GE(first, 2);
    EXPECT_LE(last, 11);
    SelectObject(c.dc(), GetStockObject(SYSTEM_FONT));
    DeleteObject(marlett);
}

// How heavy the strokes on a canvas are: the mean length of the rows of pixels that are not white.
double strokeWeight(const GdiCanvas& c) {
    QImage img = c.image();
    int ink = 0, rows = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            bool set = img.pixel(x, y) != qRgb(255, 255, 255);
            ink += set;
            rows += set && (x == 0 || img.pixel(x - 1, y) == qRgb(255, 255, 255));
        }
    return rows ? static_cast<double>(ink) / rows : 0;
}

// Bold text has heavier strokes than regular text at every size, 8 points included, where the
// bold face's hinted stems come out as thin as the regular ones; what is drawn stays inside what
// the font measures.
TEST(Fonts, BoldTextIsHeavierAndDrawnWithinItsExtent) {
    struct Case {
        const char* face;
        int height;
    } cases[] = {{"MS Sans Serif", -11},   {"Tahoma", -11},  {"Arial", -12}, {"Courier New", -13},
                 {"Times New Roman", -12}, {"Verdana", -11}, {"Arial", -20}};
    const char* text = "Objects: Default 0123";
    const int length = static_cast<int>(std::strlen(text));
    for (const Case& k : cases) {
        SCOPED_TRACE(std::string(k.face) + " " + std::to_string(k.height));
        double weight[2] = {};
        for (int bold = 0; bold < 2; ++bold) {
            GdiCanvas c(300, 40);
            HFONT f = font(k.face, k.height, bold ? FW_BOLD : FW_NORMAL);
            SelectObject(c.dc(), f);
            SetBkMode(c.dc(), TRANSPARENT);
            TextOut(c.dc(), 2, 2, text, length);
            weight[bold] = strokeWeight(c);
            SIZE extent{};
            GetTextExtentPoint32(c.dc(), text, length, &extent);
            TEXTMETRIC tm{};
            GetTextMetrics(c.dc(), &tm);
            int sum = 0;
            for (const char* p = text; *p; ++p) {
                INT w = 0;
                GetCharWidth(c.dc(), static_cast<BYTE>(*p), static_cast<BYTE>(*p), &w);
                EXPECT_LE(w, tm.tmMaxCharWidth) << *p;
                sum += w;
            }
            EXPECT_EQ(sum, extent.cx) << "bold " << bold;
            auto [first, last] = inkColumns(c, 300, 40);
            EXPECT_GE(first, 2) << "bold " << bold;
            EXPECT_LT(last, 2 + extent.cx) << "bold " << bold;
            SelectObject(c.dc(), GetStockObject(SYSTEM_FONT));
            DeleteObject(f);
        }
        EXPECT_GE(weight[1], weight[0] + 0.5) << "regular " << weight[0] << ", bold " << weight[1];
    }
}

TEST(TextOut, EscapementTurnsTheText) {
    GdiCanvas c(60, 120);
    HFONT up = CreateFont(-14, 0, 900, 900, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    SelectObject(c.dc(), up);
    SetBkMode(c.dc(), TRANSPARENT);
    TextOut(c.dc(), 10, 110, "Vertical", 8);
    QImage img = c.image();
    QRect ink;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 60; ++x)
            if (img.pixel(x, y) != qRgb(255, 255, 255)) ink |= QRect(x, y, 1, 1);
    EXPECT_GT(ink.height(), 2 * ink.width());
    EXPECT_LE(ink.bottom(), 110);
    SelectObject(c.dc(), GetStockObject(SYSTEM_FONT));
    DeleteObject(up);
}

TEST(TextOut, AlignmentBackgroundAndOpaqueRectangle) {
    GdiCanvas c(100, 30);
    HFONT f = font("Arial", -12);
    SelectObject(c.dc(), f);
    SIZE s{};
    GetTextExtentPoint32(c.dc(), "Hi", 2, &s);
    SetBkColor(c.dc(), RGB(0, 255, 0));
    TextOut(c.dc(), 10, 5, "Hi", 2);
    EXPECT_EQ(RGB(0, 255, 0), c.at(10, 5)); // opaque mode fills the cell
    EXPECT_EQ(RGB(0, 255, 0), c.at(10 + s.cx - 1, 5 + s.cy - 1));
    EXPECT_EQ(kWhite, c.at(10 + s.cx, 5));
    SetTextAlign(c.dc(), TA_RIGHT | TA_BOTTOM);
    SetBkColor(c.dc(), RGB(0, 0, 255));
    TextOut(c.dc(), 90, 30, "Hi", 2);
    EXPECT_EQ(RGB(0, 0, 255), c.at(89, 29));
    EXPECT_EQ(RGB(0, 0, 255), c.at(90 - s.cx, 30 - s.cy));
    EXPECT_EQ(kWhite, c.at(90, 29));
    SetTextAlign(c.dc(), TA_LEFT | TA_TOP);
    RECT r{0, 20, 5, 25};
    ExtTextOut(c.dc(), 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    EXPECT_EQ(RGB(0, 0, 255), c.at(4, 24));
    SelectObject(c.dc(), GetStockObject(SYSTEM_FONT));
    DeleteObject(f);
}

// Text drawn from a font's cached glyphs lands on the very pixels QPainter::drawText gives (twice,
// the second time a pixel to the right, for overstruck bold), the first time and from the cache,
// clipped or not, including characters the font lacks (drawn from another font), ligature
// candidates, accents and texts the cache leaves to drawText.
TEST(TextOut, CachedGlyphsDrawWhatDrawTextDraws) {
    struct Case {
        const char* face;
        int height, weight;
        BYTE italic, underline;
        const char* text; // UTF-8
    };
    const Case cases[] = {
        {"Arial", -13, FW_NORMAL, 0, 0, "office flight: \"final\" fi fl ff"},
        {"Courier New", -13, FW_NORMAL, 0, 0, "var x = a[i] * 3; // done"},
        {"Tahoma", 16, FW_BOLD, 0, 0, "Bold AVATAR Wave To"},
        {"Times New Roman", -17, FW_NORMAL, 1, 0,
         "Italic f\xc3\xa9"
         "e caf\xc3\xa9 na\xc3\xaf"
         "ve"},
        {"Verdana", -11, FW_NORMAL, 0, 0,
         "Greek \xce\xb1\xce\xb2\xce\xb3 CJK \xe4\xb8\xad\xe6\x96\x87"
         " end"},
        {"Verdana", -13, FW_NORMAL, 0, 0, "office affluent fifty flows"}, // a face with ligatures
        {"Arial", -12, FW_NORMAL, 0, 1, "underlined link text"},
        {"Arial", -12, FW_NORMAL, 0, 0, "tab\there and \xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d"},
        {"MS Sans Serif", -11, FW_BOLD, 0, 0, "Bold caption: Objects fi 123"},
        {"MS Sans Serif", -11, FW_BOLD, 0, 1, "bold underlined"},
        {"MS Sans Serif", -11, FW_BOLD, 1, 0, "bold italic\tand tab"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.text);
        HFONT f = CreateFont(k.height, 0, 0, 0, k.weight, k.italic, k.underline, 0, ANSI_CHARSET, 0, 0, 0, 0,
                             k.face);
        LOGFONTA lf{};
        GetObject(f, sizeof lf, &lf);
        pm::gdi::FontCache drawn(pm::gdi::makeQFont(lf));
        QImage expected(300, 30, QImage::Format_RGB32);
        expected.fill(Qt::white);
        {
            QPainter p(&expected);
            p.setFont(drawn.font());
            p.setPen(Qt::black);
            for (int dx = 0; dx <= (drawn.overstruck() ? 1 : 0); ++dx)
                p.drawText(QPoint(4 + dx, 3 + drawn.ascent()), QString::fromUtf8(k.text));
        }
        GdiCanvas c(300, 30);
        SelectObject(c.dc(), f);
        SetBkMode(c.dc(), TRANSPARENT);
        int length = static_cast<int>(std::strlen(k.text));
        RECT all{0, 0, 300, 30};
        for (int pass = 0; pass < 3; ++pass) {
            FillRect(c.dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            TextOut(c.dc(), 4, 3, k.text, length);
            EXPECT_EQ(expected, c.image().convertToFormat(QImage::Format_RGB32)) << "pass " << pass;
        }
        // Clipped through the middle of the glyphs, in both directions.
        const RECT clip{30, 8, 90, 14};
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 300; ++x)
                if (x < clip.left || x >= clip.right || y < clip.top || y >= clip.bottom)
                    expected.setPixel(x, y, qRgb(255, 255, 255));
        FillRect(c.dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        ExtTextOut(c.dc(), 4, 3, ETO_CLIPPED, &clip, k.text, static_cast<UINT>(length), nullptr);
        EXPECT_EQ(expected, c.image().convertToFormat(QImage::Format_RGB32)) << "clipped";
        SelectObject(c.dc(), GetStockObject(SYSTEM_FONT));
        DeleteObject(f);
    }
}

TEST(TabbedText, TabsMoveToTheStops) {
    GdiCanvas c(200, 20);
    HFONT f = font("Arial", -12);
    SelectObject(c.dc(), f);
    INT stops[2] = {50, 120};
    LONG size = TabbedTextOut(c.dc(), 0, 0, "a\tb\tc", 5, 2, stops, 0);
    SIZE cw{};
    GetTextExtentPoint32(c.dc(), "c", 1, &cw);
    EXPECT_EQ(120 + cw.cx, LOWORD(size));
    DWORD ext = GetTabbedTextExtent(c.dc(), "a\tb", 3, 1, stops);
    SIZE bw{};
    GetTextExtentPoint32(c.dc(), "b", 1, &bw);
    EXPECT_EQ(50 + bw.cx, static_cast<int>(LOWORD(ext)));
    SelectObject(c.dc(), GetStockObject(SYSTEM_FONT));
    DeleteObject(f);
}

class DrawTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        f = font("Arial", -12);
        SelectObject(c.dc(), f);
        SetBkMode(c.dc(), TRANSPARENT);
        TEXTMETRIC tm{};
        GetTextMetrics(c.dc(), &tm);
        lineHeight = tm.tmHeight;
    }
    void TearDown() override {
        SelectObject(c.dc(), GetStockObject(SYSTEM_FONT));
        DeleteObject(f);
    }
    GdiCanvas c{200, 100};
    HFONT f = nullptr;
    int lineHeight = 0;
};

TEST_F(DrawTextTest, CalcRectMeasuresWithoutDrawing) {
    SIZE s{};
    GetTextExtentPoint32(c.dc(), "Hello", 5, &s);
    RECT r{10, 10, 10, 10};
    EXPECT_EQ(lineHeight, DrawText(c.dc(), "Hello", -1, &r, DT_CALCRECT | DT_SINGLELINE));
    EXPECT_EQ(10 + s.cx, r.right);
    EXPECT_EQ(10 + lineHeight, r.bottom);
    EXPECT_EQ(200 * 100, c.count(kWhite));
    // Two lines from a line break; '&' prefixes take no room.
    RECT two{0, 0, 0, 0};
    EXPECT_EQ(2 * lineHeight, DrawText(c.dc(), "&File\r\nHello", -1, &two, DT_CALCRECT));
    SIZE file{};
    GetTextExtentPoint32(c.dc(), "File", 4, &file);
    EXPECT_EQ(std::max(file.cx, s.cx), two.right);
    RECT raw{0, 0, 0, 0};
    DrawText(c.dc(), "&File", -1, &raw, DT_CALCRECT | DT_NOPREFIX);
    EXPECT_GT(raw.right, file.cx);
}

TEST_F(DrawTextTest, WordBreakWrapsToTheWidth) {
    const char* text = "one two three four five six seven";
    RECT r{0, 0, 60, 0};
    int h = DrawText(c.dc(), text, -1, &r, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_GE(h, 3 * lineHeight);
    EXPECT_EQ(h, r.bottom);
    EXPECT_LE(r.right, 60);
    RECT box{0, 0, 60, 100};
    DrawText(c.dc(), text, -1, &box, DT_WORDBREAK);
    auto [first, last] = inkColumns(c, 200, 100);
    EXPECT_GE(first, 0);
    EXPECT_LT(last, 60);
    // Rows of ink down to the last line.
    QImage img = c.image();
    bool inkLow = false;
    for (int x = 0; x < 60; ++x)
        for (int y = h - lineHeight; y < h; ++y)
            inkLow |= img.pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_TRUE(inkLow);
}

TEST_F(DrawTextTest, EndEllipsisFitsTheRectangle) {
    const char* text = "A rather long caption that cannot fit";
    RECT r{0, 0, 80, 20};
    DrawText(c.dc(), text, -1, &r, DT_SINGLELINE | DT_NOCLIP | DT_END_ELLIPSIS);
    auto [first, last] = inkColumns(c, 200, 100);
    EXPECT_LT(last, 80);
    EXPECT_GT(last, 60);
    RECT plain{0, 30, 80, 50};
    DrawText(c.dc(), text, -1, &plain, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(inkColumns(c, 200, 100).second, 80);
    // The measured rectangle of an ellipsised line is no wider than the box.
    RECT calc{0, 0, 80, 0};
    DrawText(c.dc(), text, -1, &calc, DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_LE(calc.right, 80);
}

TEST_F(DrawTextTest, PathEllipsisKeepsTheLastElement) {
    const char* path = "/home/someone/projects/deeply/nested/file.js";
    RECT calc{0, 0, 110, 0};
    DrawText(c.dc(), path, -1, &calc, DT_CALCRECT | DT_SINGLELINE | DT_PATH_ELLIPSIS);
    EXPECT_LE(calc.right, 110);
    SIZE tail{};
    GetTextExtentPoint32(c.dc(), ".../file.js", 11, &tail);
    EXPECT_GE(calc.right, tail.cx);
}

TEST_F(DrawTextTest, SingleLineCentredAndRightAligned) {
    RECT r{0, 0, 200, 100};
    int answer = DrawText(c.dc(), "X", 1, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    EXPECT_EQ((100 - lineHeight) / 2 + lineHeight, answer);
    auto [first, last] = inkColumns(c, 200, 100);
    EXPECT_NEAR(100, (first + last) / 2, 3);
    GdiCanvas right(200, 20);
    SelectObject(right.dc(), f);
    RECT rr{0, 0, 200, 20};
    DrawText(right.dc(), "X", 1, &rr, DT_SINGLELINE | DT_RIGHT);
    EXPECT_GT(inkColumns(right, 200, 20).first, 185);
    SelectObject(right.dc(), GetStockObject(SYSTEM_FONT));
}

TEST_F(DrawTextTest, TabsExpandToEightAverageCharactersOrTheGivenStop) {
    TEXTMETRIC tm{};
    GetTextMetrics(c.dc(), &tm);
    SIZE b{};
    GetTextExtentPoint32(c.dc(), "b", 1, &b);
    RECT r{0, 0, 0, 0};
    DrawText(c.dc(), "a\tb", -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
    EXPECT_EQ(8 * tm.tmAveCharWidth + b.cx, r.right);
    // DT_TABSTOP takes the tab size from bits 8-15, so it cannot measure: it draws.
    RECT box{0, 0, 200, 20};
    DrawText(c.dc(), "\tW", -1, &box, DT_SINGLELINE | DT_EXPANDTABS | DT_TABSTOP | (4 << 8));
    int first = inkColumns(c, 200, 100).first;
    EXPECT_GE(first, 4 * tm.tmAveCharWidth);
    EXPECT_LE(first, 4 * tm.tmAveCharWidth + 2);
}

TEST_F(DrawTextTest, PrefixUnderlinesTheMarkedCharacter) {
    RECT r{0, 0, 200, 30};
    SetBkMode(c.dc(), OPAQUE);
    SetBkColor(c.dc(), kWhite);
    DrawText(c.dc(), "&Open", -1, &r, DT_SINGLELINE);
    TEXTMETRIC tm{};
    GetTextMetrics(c.dc(), &tm);
    SIZE o{};
    GetTextExtentPoint32(c.dc(), "O", 1, &o);
    // The underline runs under the 'O' only.
    QImage img = c.image();
    int underline = tm.tmAscent + 1;
    EXPECT_EQ(qRgb(0, 0, 0), img.pixel(o.cx / 2, underline));
    EXPECT_EQ(qRgb(255, 255, 255), img.pixel(o.cx + 3, underline));
}

} // namespace
