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
