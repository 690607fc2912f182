#include "colourtool/core/colour_transforms.h"
#include "colourtool/core/notations.h"

#include <gtest/gtest.h>

using namespace tintara;

namespace {

DocumentColours sampleColours() {
    DocumentColours c;
    c.setTag(Sample::Background, "#FFFFF0");
    c.setTag(Sample::NormalText, "#000001");
    c.setTag(Sample::Link, "#0000F2");
    c.setTag(Sample::VisitedLink, "#880083");
    c.setTag(Sample::ActiveLink, "#0000F4");
    return c;
}

} // namespace

TEST(Notations, EachNotationOfAColour) {
    struct Case {
        Rgb rgb;
        const char* decimal;
        const char* vbHex;
        const char* macroDec;
        const char* macroHex;
        const char* javaDec;
        const char* javaHex;
    };
    const Case cases[] = {
        {{255, 0, 128},
         "8388863",
         "&H8000FF",
         "RGB(255, 0, 128)",
         "RGB(&HFF, &H0, &H80)",
         "new Color(255, 0, 128)",
         "new Color(0xFF, 0x0, 0x80)"},
        {{0, 0, 0},
         "0",
         "&H000000",
         "RGB(0, 0, 0)",
         "RGB(&H0, &H0, &H0)",
         "new Color(0, 0, 0)",
         "new Color(0x0, 0x0, 0x0)"},
        {{15, 16, 255},
         "16715791",
         "&HFF100F",
         "RGB(15, 16, 255)",
         "RGB(&HF, &H10, &HFF)",
         "new Color(15, 16, 255)",
         "new Color(0xF, 0x10, 0xFF)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(htmlNotation(c.rgb));
        EXPECT_EQ(decimalNotation(colourValue(c.rgb)), c.decimal);
        EXPECT_EQ(vbHexNotation(htmlNotation(c.rgb)), c.vbHex);
        EXPECT_EQ(vbMacroDec(c.rgb), c.macroDec);
        EXPECT_EQ(vbMacroHex(c.rgb), c.macroHex);
        EXPECT_EQ(javaObjectDec(c.rgb), c.javaDec);
        EXPECT_EQ(javaObjectHex(c.rgb), c.javaHex);
    }
}

TEST(Notations, DefaultDocumentIsEightCrLfLines) {
    EXPECT_EQ(defaultDocument(), "<HTML>\r\n <HEAD>\r\n  <TITLE>Insert Title Here</TITLE>\r\n </HEAD>\r\n"
                                 " <BODY BGCOLOR=\"#FFFFFF\" TEXT=\"#000000\" LINK=\"#000088\" "
                                 "VLINK=\"#880088\" ALINK=\"#0000FF\">\r\n"
                                 "\r\n </BODY>\r\n</HTML>");
}

TEST(Notations, BodyHtmlAndStyleCode) {
    const DocumentColours colours = sampleColours();
    const std::string body =
        "<BODY BGCOLOR=\"#FFFFF0\" TEXT=\"#000001\" LINK=\"#0000F2\" VLINK=\"#880083\" ALINK=\"#0000F4\">";
    EXPECT_EQ(bodyTagCode(colours), body);
    EXPECT_EQ(htmlCode(colours), "<HTML>\r\n <HEAD>\r\n  <TITLE>Insert Title Here</TITLE>\r\n </HEAD>\r\n " +
                                     body + "\r\n\r\n </BODY>\r\n</HTML>");
    EXPECT_EQ(styleCode(colours), "  <STYLE TYPE=\"text/css\">\r\n"
                                  "   BODY       { Background: #FFFFF0; Color: #000001; }\r\n"
                                  "   A          { Color: #0000F2; }\r\n"
                                  "   A:Visited  { Color: #880083; }\r\n"
                                  "   A:Active   { Color: #0000F4; }\r\n"
                                  "  </STYLE>");
}

TEST(Notations, HtmlCodeOfTheDefaultsDiffersFromTheDefaultDocumentOnlyInLink) {
    std::string expected = defaultDocument();
    expected.replace(expected.find("#000088"), 7, "#0000FF");
    EXPECT_EQ(htmlCode(DocumentColours::defaults()), expected);
}

TEST(ColourTransforms, WebSafeOfEveryComponentFollowsTheRangeTable) {
    for (int c = 0; c < 256; ++c) {
        const int expected = c <= 25    ? 0
                             : c <= 76  ? 51
                             : c <= 128 ? 102
                             : c <= 179 ? 153
                             : c <= 230 ? 204
                                        : 255;
        ASSERT_EQ(webSafe(c), expected) << c;
    }
    EXPECT_EQ(webSafe(Rgb{25, 26, 128}), (Rgb{0, 51, 102}));
    EXPECT_EQ(webSafe(Rgb{129, 230, 231}), (Rgb{153, 204, 255}));
}

TEST(ColourTransforms, NegativeTwiceRestores) {
    EXPECT_EQ(negative(Rgb{255, 255, 255}), (Rgb{0, 0, 0}));
    EXPECT_EQ(negative(Rgb{10, 200, 5}), (Rgb{245, 55, 250}));
    for (int c = 0; c < 256; ++c)
        ASSERT_EQ(negative(negative(c)), c);
}

TEST(ColourTransforms, RandomComponentsCoverTheWholeRange) {
    EXPECT_EQ(randomComponent(0.0), 0);
    EXPECT_EQ(randomComponent(0.99999999), 255);
    EXPECT_EQ(randomComponent(0.5), 128);
    EXPECT_EQ(randomComponent(1.0), 255); // out of range inputs stay in range
    EXPECT_EQ(randomComponent(-0.5), 0);

    RandomColourSource source(1234);
    bool seen[256] = {};
    for (int i = 0; i < 20000; ++i) {
        const Rgb c = source.next();
        ASSERT_EQ(clamp(c), c);
        seen[c.red] = seen[c.green] = seen[c.blue] = true;
    }
    for (int c = 0; c < 256; ++c)
        EXPECT_TRUE(seen[c]) << c;
}
