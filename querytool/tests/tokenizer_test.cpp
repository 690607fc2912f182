#include "querytool/sql_tokenizer.h"

#include "cmake/test_files.h"
#include "support/test_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

const SqlKeywordTables& tables() {
    static const SqlKeywordTables loaded = [] {
        SqlKeywordTables t;
        LoadKeywordTables(t);
        return t;
    }();
    return loaded;
}

const char* kindName(std::uint32_t kind) {
    static const char* const names[] = {"keyword", "function", "comment", "string", "operator"};
    return names[kind];
}

// One line per token: kind, start, end and the covered text (comments up to end, others through end).
std::string describe(const std::string& text, const std::vector<SqlToken>& tokens) {
    std::string out;
    for (const SqlToken& t : tokens) {
        const std::uint32_t stop =
            t.kind == SQL_TOKEN_COMMENT ? t.end : std::min<std::uint32_t>(t.end + 1, text.size());
        out += std::string(kindName(t.kind)) + " " + std::to_string(t.start) + " " + std::to_string(t.end) +
               " |" + text.substr(t.start, stop - t.start) + "|\n";
    }
    return out;
}

std::vector<SqlToken> tokenize(const std::string& text) {
    CSqlTokenizer tokenizer(tables());
    EXPECT_EQ(0, tokenizer.Tokenize(text.c_str(), 0));
    return tokenizer.Tokens();
}

bool sameTokens(const std::vector<SqlToken>& a, const std::vector<SqlToken>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const SqlToken& x, const SqlToken& y) {
        return x.kind == y.kind && x.start == y.start && x.end == y.end;
    });
}

std::vector<std::string> sampleNames() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(TestDataPath("tokenizer")))
        if (entry.path().extension() == ".sql") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(KeywordTables, HoldTheirEntriesSortedWithDuplicates) {
    EXPECT_EQ(236u, tables().keywords.size());
    EXPECT_EQ(6u, tables().operators.size());
    EXPECT_EQ(127u, tables().functions.size());
    for (const auto* table : {&tables().keywords, &tables().operators, &tables().functions})
        EXPECT_TRUE(std::is_sorted(table->begin(), table->end(),
                                   [](const char* a, const char* b) { return CompareKeywords(a, b) < 0; }));
    EXPECT_EQ(2, std::count_if(tables().keywords.begin(), tables().keywords.end(),
                               [](const char* w) { return std::string(w) == "then"; }));
}

TEST(KeywordTables, CompareFoldsCaseAndSortsUnderscoreBeforeLetters) {
    EXPECT_EQ(0, CompareKeywords("SELECT", "select"));
    EXPECT_LT(CompareKeywords("day_hour", "dayofmonth"), 0);
    EXPECT_GT(CompareKeywords("b", "A"), 0);
}

TEST(Tokenizer, GoldenSamples) {
    const auto names = sampleNames();
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const std::string text = pm::test::readFile(TestDataPath("tokenizer/" + name + ".sql"));
        pm::test::expectGolden(TestDataPath("tokenizer/" + name + ".tokens"), describe(text, tokenize(text)));
    }
}

TEST(Tokenizer, IncrementalPassesGiveTheWholePassRuns) {
    for (const std::string& name : sampleNames()) {
        const std::string text = pm::test::readFile(TestDataPath("tokenizer/" + name + ".sql"));
        const std::vector<SqlToken> whole = tokenize(text);
        for (std::size_t slice : {1u, 2u, 7u, 100000u}) {
            SCOPED_TRACE(name + " in slices of " + std::to_string(slice));
            CSqlTokenizer tokenizer(tables());
            ASSERT_TRUE(tokenizer.BeginPass(text.c_str(), 0));
            int rounds = 0;
            while (!tokenizer.ContinuePass(slice))
                ++rounds;
            EXPECT_TRUE(sameTokens(whole, tokenizer.Tokens()));
            if (slice == 1) {
                EXPECT_GT(rounds, 3);
            }
        }
    }
}

TEST(Tokenizer, EdgeCases) {
    struct Case {
        const char* name;
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"line comment after words", "select * from t -- note",
         "keyword 0 5 |select|\noperator 7 7 |*|\nkeyword 9 12 |from|\ncomment 16 23 |-- note|\n"},
        {"two dashes between words", "a--b", "operator 1 1 |-|\noperator 2 2 |-|\n"},
        {"two dashes at line end", "x --\ny", "operator 2 2 |-|\noperator 3 3 |-|\n"},
        {"dashes and tab are operators", "--\tx", "operator 0 0 |-|\noperator 1 1 |-|\n"},
        {"unterminated block comment", "x /* a\nb", "comment 2 8 |/* a\nb|\n"},
        {"block comment end is after slash", "/*c*/x", "comment 0 5 |/*c*/|\n"},
        {"unterminated quote across lines", "'a\nb", "string 0 4 |'a\nb|\n"},
        {"doubled quote gives two strings", "'it''s'", "string 0 3 |'it'|\nstring 4 6 |'s'|\n"},
        {"backslash does not escape", "'a\\'b'", "string 0 3 |'a\\'|\nstring 5 6 |'|\n"},
        {"pairs give one token per character", "x<=y", "operator 1 1 |<|\noperator 2 2 |=|\n"},
        {"double ampersand", "x&&y", "operator 1 1 |&|\noperator 2 2 |&|\n"},
        {"word operator", "a and b", "operator 2 4 |and|\n"},
        {"keyword before function", "CASE WHEN", "keyword 0 3 |CASE|\nfunction 5 8 |WHEN|\n"},
        {"misspelt entries are the words", "DISTINCTROW distincerow", "keyword 12 22 |distincerow|\n"},
        {"qualified names and numbers are no tokens", "db.select 12 `from`", ""},
        {"hash comment stops at carriage return", "#a\rselect", "comment 0 2 |#a|\nkeyword 3 8 |select|\n"},
        {"lone slash is an operator", "a/b", "operator 1 1 |/|\n"},
        {"blank text", " \t\r\n", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, describe(c.text, tokenize(c.text)));
    }
}

TEST(Tokenizer, LongWordMatchesNothingAndDoesNotOverrun) {
    const std::string text = "select " + std::string(300, 's') + " from";
    EXPECT_EQ("keyword 0 5 |select|\nkeyword 308 311 |from|\n", describe(text, tokenize(text)));
}

TEST(Tokenizer, NullTextStopsWithAnEmptyList) {
    CSqlTokenizer tokenizer(tables());
    ASSERT_EQ(0, tokenizer.Tokenize("select", 0));
    EXPECT_EQ(-1, tokenizer.Tokenize(nullptr, 0));
    EXPECT_TRUE(tokenizer.Tokens().empty());
}

TEST(Tokenizer, StopCheckEndsThePassAndKeepsTheTokensFound) {
    CSqlTokenizer tokenizer(tables());
    int steps = 0;
    tokenizer.SetStopCheck([&steps] { return ++steps > 2; });
    EXPECT_EQ(-1, tokenizer.Tokenize("select a from b where c", 0));
    EXPECT_EQ("keyword 0 5 |select|\n", describe("select a from b where c", tokenizer.Tokens()));
    tokenizer.SetStopCheck(nullptr);
    EXPECT_EQ(0, tokenizer.Tokenize("select a from b where c", 0));
    EXPECT_EQ(3u, tokenizer.Tokens().size());
}

TEST(Tokenizer, StartPositionSkipsTheTextBefore) {
    CSqlTokenizer tokenizer(tables());
    ASSERT_EQ(0, tokenizer.Tokenize("select from", 7));
    EXPECT_EQ("keyword 7 10 |from|\n", describe("select from", tokenizer.Tokens()));
}
