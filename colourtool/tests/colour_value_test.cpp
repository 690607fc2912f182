#include "colourtool/core/colour_value.h"
#include "colourtool/core/vb_text.h"

#include <gtest/gtest.h>

using namespace tintara;

TEST(ColourValue, ComponentsUseTruncatingDivision) {
    struct Case {
        ColourValue value;
        int r, g, b;
    };
    const Case cases[] = {
        {0, 0, 0, 0},
        {255, 255, 0, 0},
        {65535, 255, 255, 0},
        {8388863, 255, 0, 128},
        {0xFFFFFF, 255, 255, 255},
        {-1, 255, 0, 0},   // \ truncates toward zero: -1 \ 256 = 0
        {-256, 0, 255, 0}, // -256 \ 256 = -1, And 255 = 255
        {-65536, 0, 0, 255},
        {INT32_MIN, 0, 0, 0},
        {0x7FFFFFFF, 255, 255, 255},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(Globals_GetR(c.value), c.r);
        EXPECT_EQ(Globals_GetG(c.value), c.g);
        EXPECT_EQ(Globals_GetB(c.value), c.b);
    }
}

TEST(ColourValue, ValueOfComponents) {
    EXPECT_EQ(colourValue(Rgb{255, 0, 128}), 8388863);
    EXPECT_EQ(colourValue(Rgb{255, 255, 0}), 65535);
    EXPECT_EQ(colourValue(Rgb{0, 0, 0}), 0);
    EXPECT_EQ(colourValue(Rgb{255, 255, 255}), 0xFFFFFF);
}

TEST(ColourValue, ClampPinsBothEnds) {
    EXPECT_EQ(clampComponent(-10), 0);
    EXPECT_EQ(clampComponent(0), 0);
    EXPECT_EQ(clampComponent(128), 128);
    EXPECT_EQ(clampComponent(255), 255);
    EXPECT_EQ(clampComponent(300), 255);
    EXPECT_EQ(clampComponent(-4000000000LL), 0);
    EXPECT_EQ(clamp(Rgb{-10, 300, 7}), (Rgb{0, 255, 7}));
}

TEST(ColourValue, HtmlNotationIsUpperCaseAndPadded) {
    struct Case {
        Rgb rgb;
        const char* text;
    };
    const Case cases[] = {
        {{5, 171, 0}, "#05AB00"},     {{255, 0, 128}, "#FF0080"}, {{0, 0, 0}, "#000000"},
        {{255, 255, 255}, "#FFFFFF"}, {{136, 0, 136}, "#880088"}, {{15, 16, 1}, "#0F1001"},
        {{-3, 999, 10}, "#00FF0A"}, // components are clamped first
    };
    for (const Case& c : cases)
        EXPECT_EQ(htmlNotation(c.rgb), c.text);
}

TEST(ColourValue, EveryColourRoundTripsThroughItsNotationAndValue) {
    for (int r = 0; r < 256; r += 5) {
        for (int g = 0; g < 256; g += 3) {
            for (int b = 0; b < 256; b += 17) {
                const Rgb rgb{r, g, b};
                ASSERT_EQ(rgbOfNotation(htmlNotation(rgb)), rgb);
                ASSERT_EQ(rgbOf(colourValue(rgb)), rgb);
                ASSERT_EQ(hexValue(htmlNotation(rgb).substr(1)), (r << 16) | (g << 8) | b);
            }
        }
    }
}

TEST(ColourValue, NotationReadsAsFarAsItIsHexadecimal) {
    EXPECT_EQ(rgbOfNotation("#ff8c00"), (Rgb{255, 140, 0}));
    EXPECT_EQ(rgbOfNotation("#FFF"), (Rgb{255, 15, 0}));
    EXPECT_EQ(rgbOfNotation(""), (Rgb{0, 0, 0}));
    EXPECT_EQ(rgbOfNotation("#G1ZZ2"), (Rgb{0, 0, 2}));
}

TEST(ColourValue, PicksOutsideAPictureAreIgnored) {
    EXPECT_FALSE(pickedColour(-1).has_value());
    EXPECT_FALSE(pickedColour(0x1000000).has_value());
    EXPECT_EQ(pickedColour(0x0005C80A), (Rgb{10, 200, 5}));
    EXPECT_EQ(pickedColour(0), (Rgb{0, 0, 0}));
}

TEST(ColourValue, GradientHoldsTheOtherTwoComponents) {
    const Rgb working{10, 20, 30};
    EXPECT_EQ(gradientColour(0, 0, working), colourValue(Rgb{0, 20, 30}));
    EXPECT_EQ(gradientColour(0, 255, working), colourValue(Rgb{255, 20, 30}));
    EXPECT_EQ(gradientColour(1, 100, working), colourValue(Rgb{10, 100, 30}));
    EXPECT_EQ(gradientColour(2, 7, working), colourValue(Rgb{10, 20, 7}));
}

TEST(VbText, HexHasNoPaddingAndCoversNegatives) {
    EXPECT_EQ(vbHex(0), "0");
    EXPECT_EQ(vbHex(15), "F");
    EXPECT_EQ(vbHex(128), "80");
    EXPECT_EQ(vbHex(65535), "FFFF");
    EXPECT_EQ(vbHex(-1), "FFFFFFFF");
}

TEST(VbText, HexValueIsThirtyTwoBit) {
    EXPECT_EQ(hexValue("00FFFF"), 65535); // a six-digit value is not a 16-bit -1
    EXPECT_EQ(hexValue("ff"), 255);
    EXPECT_EQ(hexValue(""), 0);
    EXPECT_EQ(hexValue("1G"), 1);
    EXPECT_EQ(hexValue("FFFFFFFF"), -1);
    EXPECT_EQ(hexValue("123456789"), 0x12345678); // at most eight digits
}

TEST(VbText, CaseChangesTouchOnlyAscii) {
    const std::string text = "a\xC3\x9F z\xE4Z";
    EXPECT_EQ(asciiUpper(text), "A\xC3\x9F Z\xE4Z");
    EXPECT_EQ(asciiLower(text), "a\xC3\x9F z\xE4z");
    EXPECT_EQ(asciiUpper(text).size(), text.size());
}
