#include "platform/forms/vb_numeric.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

struct ValCase {
    const char* text;
    double value;
};

TEST(Val, ReadsTheLeadingNumber) {
    const ValCase cases[] = {
        {"  12.5e1abc", 125},
        {"2457", 2457},
        {" 2 45 7", 2457},
        {"24 and 57", 24},
        {"", 0},
        {"abc", 0},
        {"-3.5", -3.5},
        {"+7", 7},
        {".5", 0.5},
        {"1e", 1},
        {"1e+", 1},
        {"1.5D2", 150},
        {"2E-1", 0.2},
        {"1,000", 1},
        {"12-3", 12},
        {"--1", 0},
        {"1.2.3", 1.2},
        {"\t\n9", 9},
        {"&HFFFF", -1},
        {"&H10000", 65536},
        {"&HFFFFFFFF", -1},
        {"&hff", 255},
        {"&O17", 15},
        {"&H", 0},
        {"&HG", 0},
        {"-", 0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(vb::Val(c.text), c.value) << '"' << c.text << '"';
}

TEST(ParseNumber, AcceptsOnlyAWholeNumber) {
    EXPECT_EQ(vb::ParseNumber(" 128 "), 128);
    EXPECT_EQ(vb::ParseNumber("-1.5e2"), -150);
    EXPECT_EQ(vb::ParseNumber("&HFF"), 255);
    for (const char* bad : {"", "  ", "12a", "1 2", "abc", "&H", "+", "1e5x", "."})
        EXPECT_FALSE(vb::IsNumeric(bad)) << '"' << bad << '"';
}

TEST(Rounding, IntFloorsAndFixTruncates) {
    EXPECT_EQ(vb::Int(8.7), 8);
    EXPECT_EQ(vb::Int(-8.4), -9);
    EXPECT_EQ(vb::Fix(-8.4), -8);
    EXPECT_EQ(vb::Fix(8.7), 8);
}

TEST(Rounding, CIntAndCLngRoundHalfToEven) {
    const struct {
        double value;
        int rounded;
    } cases[] = {{0.5, 0},   {1.5, 2},    {2.5, 2},    {-0.5, 0},        {-1.5, -2},
                 {-2.5, -2}, {2.4999, 2}, {2.5001, 3}, {32767.4, 32767}, {-32768.5, -32768}};
    for (const auto& c : cases) {
        EXPECT_EQ(vb::CInt(c.value), c.rounded) << c.value;
        EXPECT_EQ(vb::CLng(c.value), c.rounded) << c.value;
    }
    EXPECT_THROW(vb::CInt(32767.5), std::overflow_error);
    EXPECT_THROW(vb::CInt(-32769), std::overflow_error);
    EXPECT_EQ(vb::CLng(2147483647.4), 2147483647);
    EXPECT_THROW(vb::CLng(2147483647.5), std::overflow_error);
}

TEST(Rounding, IntegerDivisionRoundsOperandsThenTruncates) {
    EXPECT_EQ(vb::IntDiv(7, 2), 3);
    EXPECT_EQ(vb::IntDiv(-7, 2), -3);
    EXPECT_EQ(vb::IntDiv(7.5, 2), 4);
    EXPECT_EQ(vb::IntDiv(6.5, 2), 3);
    EXPECT_EQ(vb::IntDiv(100, 15), 6);
    EXPECT_THROW(vb::IntDiv(5, 0), std::domain_error);
    EXPECT_THROW(vb::IntDiv(1, 0.4), std::domain_error);
}

TEST(Hex, UpperCaseWithoutPaddingAndTwosComplement) {
    const struct {
        double value;
        const char* hex;
    } cases[] = {{0, "0"},           {15, "F"},  {255, "FF"}, {16, "10"},          {-1, "FFFFFFFF"},
                 {-256, "FFFFFF00"}, {2.5, "2"}, {3.5, "4"},  {0xABCDEF, "ABCDEF"}};
    for (const auto& c : cases)
        EXPECT_EQ(vb::Hex(c.value), c.hex) << c.value;
}

TEST(Colour, RGBPacksRedLowAndClampsAbove255) {
    EXPECT_EQ(vb::RGB(1, 2, 3), 0x030201);
    EXPECT_EQ(vb::RGB(300, 0, 256), 0xFF00FF);
    EXPECT_THROW(vb::RGB(-1, 0, 0), std::invalid_argument);
}

TEST(Sqr, RootsAndRefusesNegatives) {
    EXPECT_DOUBLE_EQ(vb::Sqr(16), 4);
    EXPECT_DOUBLE_EQ(vb::Sqr(0), 0);
    EXPECT_THROW(vb::Sqr(-1), std::invalid_argument);
}

TEST(Rnd, StaysInRangeAndRepeatsForASeed) {
    vb::Randomize(1234);
    double first[5];
    for (double& r : first) {
        r = vb::Rnd();
        EXPECT_GE(r, 0.0);
        EXPECT_LT(r, 1.0);
    }
    vb::Randomize(1234);
    for (double r : first)
        EXPECT_EQ(vb::Rnd(), r);
    vb::Randomize();
    for (int i = 0; i < 1000; ++i) {
        double r = vb::Rnd();
        ASSERT_TRUE(r >= 0.0 && r < 1.0);
    }
}

} // namespace
