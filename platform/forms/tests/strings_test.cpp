#include "platform/forms/vb_strings.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using Fields = std::vector<std::string>;

TEST(Substrings, MidIsOneBased) {
    EXPECT_EQ(vb::Mid("abc", 1), "abc");
    EXPECT_EQ(vb::Mid("abc", 3), "c");
    EXPECT_EQ(vb::Mid("abc", 4), "");
    EXPECT_EQ(vb::Mid("abc", 99), "");
    EXPECT_EQ(vb::Mid("abc", 2, 1), "b");
    EXPECT_EQ(vb::Mid("abc", 2, 10), "bc");
    EXPECT_EQ(vb::Mid("abc", 2, 0), "");
    EXPECT_EQ(vb::Mid("", 1), "");
    EXPECT_THROW(vb::Mid("abc", 0), std::invalid_argument);
    EXPECT_THROW(vb::Mid("abc", 1, -1), std::invalid_argument);
}

TEST(Substrings, LeftAndRightTakeAtMostTheText) {
    EXPECT_EQ(vb::Left("abc", 2), "ab");
    EXPECT_EQ(vb::Left("abc", 9), "abc");
    EXPECT_EQ(vb::Left("abc", 0), "");
    EXPECT_EQ(vb::Right("abc", 2), "bc");
    EXPECT_EQ(vb::Right("abc", 9), "abc");
    EXPECT_EQ(vb::Right("abc", 0), "");
    EXPECT_THROW(vb::Left("abc", -1), std::invalid_argument);
    EXPECT_THROW(vb::Right("abc", -1), std::invalid_argument);
}

TEST(Substrings, InStrFindsOneBasedPositions) {
    const struct {
        long start;
        const char* text;
        const char* find;
        long at;
    } cases[] = {{1, "abc", "b", 2}, {1, "abc", "", 1},    {3, "abc", "", 3},  {4, "abc", "", 0},
                 {1, "", "", 0},     {2, "abab", "ab", 3}, {1, "abc", "d", 0}, {1, "abc", "abcd", 0},
                 {3, "abc", "c", 3}, {9, "abc", "a", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(vb::InStr(c.start, c.text, c.find), c.at) << c.start << " " << c.text << " " << c.find;
    EXPECT_EQ(vb::InStr("xyz", "z"), 3);
    EXPECT_THROW(vb::InStr(0, "abc", "a"), std::invalid_argument);
}

TEST(Trimming, OnlySpaces) {
    EXPECT_EQ(vb::Trim("  a b  "), "a b");
    EXPECT_EQ(vb::LTrim("  a "), "a ");
    EXPECT_EQ(vb::RTrim(" a  "), " a");
    EXPECT_EQ(vb::Trim("\ta\t"), "\ta\t");
    EXPECT_EQ(vb::Trim("   "), "");
}

TEST(Case, ChangesAsciiLettersOnly) {
    EXPECT_EQ(vb::UCase("abc-xyz \xe4\xc4"), "ABC-XYZ \xe4\xc4");
    EXPECT_EQ(vb::LCase("ABC-XYZ \xc4\xe4"), "abc-xyz \xc4\xe4");
}

TEST(Split, KeepsEmptyFields) {
    const struct {
        const char* text;
        Fields fields;
    } cases[] = {{"a,,b", {"a", "", "b"}}, {"", {}},          {",", {"", ""}},
                 {"abc", {"abc"}},         {"a,", {"a", ""}}, {",a", {"", "a"}}};
    for (const auto& c : cases)
        EXPECT_EQ(vb::Split(c.text, ','), c.fields) << '"' << c.text << '"';
}

} // namespace
