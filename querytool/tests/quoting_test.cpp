#include "querytool/sql_quote.h"

#include <gtest/gtest.h>

TEST(Quoting, NamesAreQuotedOnlyWhenNeeded) {
    struct Case {
        const char* name;
        const char* expected;
    };
    const Case cases[] = {
        {"t", "t"},
        {"order_items", "order_items"},
        {"Tab$1", "Tab$1"},
        {"order", "`order`"},
        {"SELECT", "`SELECT`"},
        {"my-table", "`my-table`"},
        {"my table", "`my table`"},
        {"odd`name", "`odd``name`"},
        {"1abc", "`1abc`"},
        {"", "``"},
        {"caf\xC3\xA9", "`caf\xC3\xA9`"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, quoteIdent(c.name)) << c.name;
    EXPECT_EQ("`id`", backquoteIdent("id"));
    EXPECT_EQ("d.`order`", quoteQualified("d", "order"));
}

TEST(Quoting, DumpValuesEscapeEachSpecialByteWhereverItStands) {
    struct Case {
        std::string value;
        std::string expected;
    };
    const Case cases[] = {
        {"", ""},
        {"plain caf\xC3\xA9 100%_", "plain caf\xC3\xA9 100%_"},
        {std::string("\0", 1), "\\0"},
        {"it's", "it\\'s"},
        {"\"quoted\"", "\\\"quoted\\\""},
        {"a\\b", "a\\\\b"},
        {"line\r\nnext\n", "line\\r\\nnext\\n"},
        {"\x1a", "\\Z"},
        {std::string("''\0\0", 4), "\\'\\'\\0\\0"},
        {"`%_\t", "`%_\t"},
    };
    for (const Case& c : cases) {
        std::string out = "head:";
        appendBackslashEscaped(c.value, out);
        EXPECT_EQ("head:" + c.expected, out) << c.expected;
    }
}
