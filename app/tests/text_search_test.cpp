#include "app/CTextSearch.h"
#include "app/file_helpers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct FindCase {
    const char* target;
    const char* text;
    int start;
    bool forward;
    bool matchCase;
    int expected;
};

TEST(TextSearch, FindSkippingBlanks) {
    const FindCase cases[] = {
        {"a  b", "ab", 0, true, true, 0},      {"xab", "ab", 0, true, true, 1},
        {"ab", "ab", 0, true, true, 0},        {"a\tb\r\nc", "abc", 0, true, true, 0},
        {"aaab", "aab", 0, true, true, 1},     {"aaa=new", "aa=new", 0, true, true, 1},
        {"xab", "ab", 2, true, true, -1},      {"ab", "ab", 2, true, true, -1},
        {"ab", "ab", 5, true, true, -1},       {"a b", "ab ", 0, true, true, -1},
        {"", "ab", 0, true, true, -1},         {"ab", "", 0, true, true, -1},
        {"AB", "ab", 0, true, true, -1},       {"AB", "ab", 0, true, false, 0},
        {"x A  b y", "aB", 0, true, false, 2}, {"ab ab", "ab", 4, false, true, 3},
        {"ab ab", "ab", 2, false, true, 0},    {"a  b", "ab", 3, false, true, 0},
        {"baab", "aab", 3, false, true, 1},    {"ab", "ab", 0, false, true, -1},
        {"xAB", "ab", 2, false, false, 1},     {"ab", "ab", 1, false, true, 0},
    };
    for (const FindCase& c : cases) {
        CString target(c.target);
        CTextSearch search(target);
        EXPECT_EQ(search.Find(c.text, c.start, c.forward, c.matchCase), c.expected)
            << "'" << c.text << "' in '" << c.target << "' from " << c.start
            << (c.forward ? " forward" : " backward");
    }
}

TEST(TextSearch, ReplaceAll) {
    struct {
        const char* target;
        const char* name;
        const char* replacement;
        bool firstOnly;
        const char* expected;
        bool result;
    } cases[] = {
        {"a $x b $x", "$x", "1", false, "a 1 b 1", true},
        {"a $x b $x", "$x", "1", true, "a 1 b $x", true},
        {"$x$x", "$x", "<$x>", false, "<$x><$x>", true}, // a replacement holding the name does not loop
        {"none", "$x", "1", false, "none", false},
        {"[$(Nope)]", "$(Nope)", nullptr, false, "[]", true}, // unknown macros are removed
        {"Cased", "cased", "x", false, "Cased", false},
    };
    for (const auto& c : cases) {
        CString target(c.target);
        CTextSearch search(target);
        EXPECT_EQ(search.ReplaceAll(c.name, c.replacement, c.firstOnly), c.result ? TRUE : FALSE) << c.target;
        EXPECT_STREQ(target, c.expected);
    }
}

TEST(TextSearch, ReplaceWithMacro) {
    CString target("[App]");
    CTextSearch search(target);
    ASSERT_TRUE(search.ReplaceAll("App", nullptr, FALSE));
    CString dir = GetAppDirectory();
    EXPECT_EQ(std::string(target), "[" + std::string(dir.Left(dir.GetLength() - 1)) + "]");
}

TEST(TextSearch, ExpandMacro) {
    CString app = CTextSearch::ExpandMacro("App");
    EXPECT_FALSE(app.IsEmpty());
    EXPECT_NE(app[app.GetLength() - 1], '/');
    EXPECT_STREQ(CTextSearch::ExpandMacro("Windows"), "/usr/share");
    EXPECT_STREQ(CTextSearch::ExpandMacro("System"), "/usr/lib");
    EXPECT_STREQ(CTextSearch::ExpandMacro("date"), "");
    EXPECT_STREQ(CTextSearch::ExpandMacro("Other"), "");
    CString today = CTextSearch::ExpandMacro("Date");
    EXPECT_NE(std::string(today).find(", "), std::string::npos);
}

TEST(TextSearch, FormatDate) {
    struct {
        int year, month, day, weekday;
        const char* expected;
    } cases[] = {{2026, 11, 7, 1, "Monday, December 7, 2026"},
                 {2000, 0, 1, 6, "Saturday, January 1, 2000"},
                 {1999, 8, 30, 4, "Thursday, September 30, 1999"},
                 {2024, 1, 29, 4, "Thursday, February 29, 2024"}};
    for (const auto& c : cases) {
        std::tm date{};
        date.tm_year = c.year - 1900;
        date.tm_mon = c.month;
        date.tm_mday = c.day;
        date.tm_wday = c.weekday;
        EXPECT_STREQ(CTextSearch::FormatDate(date), c.expected);
    }
}

} // namespace
