#include "platform/win/richedit/rich_text_model.h"
#include "platform/win/richedit/split_vector.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace pm::richedit;

namespace {

// The model's text and formats compared with a plain string and a format per byte.
struct Reference {
    std::string text;
    std::vector<FormatId> formats;

    void replace(int pos, int len, const std::string& stored, FormatId f) {
        text.replace(static_cast<std::size_t>(pos), static_cast<std::size_t>(len), stored);
        formats.erase(formats.begin() + pos, formats.begin() + pos + len);
        formats.insert(formats.begin() + pos, stored.size(), f);
    }
};

void expectSame(const RichTextModel& m, const Reference& r) {
    ASSERT_EQ(m.text(), r.text);
    for (int i = 0; i < m.length(); ++i)
        ASSERT_EQ(m.runs().formatAt(i), r.formats[static_cast<std::size_t>(i)]) << i;
    // Runs never hold two equal neighbours and cover the text exactly.
    int end = 0;
    for (int i = 0; i < m.runs().runCount(); ++i) {
        Run run = m.runs().run(i);
        ASSERT_EQ(run.start, end);
        if (m.length() > 0) {
            ASSERT_LT(run.start, run.end);
        }
        if (i > 0) {
            ASSERT_NE(run.format, m.runs().run(i - 1).format);
        }
        end = run.end;
    }
    ASSERT_EQ(end, m.length());
    // Lines agree with the breaks of the reference.
    int line = 0;
    for (int i = 0; i <= m.length(); ++i) {
        ASSERT_EQ(m.lineFromPosition(i), line) << i;
        if (i < m.length() && r.text[static_cast<std::size_t>(i)] == '\r') {
            ++line;
            ASSERT_EQ(m.lineStart(line), i + 1);
            ASSERT_EQ(m.lineEnd(line - 1), i);
        }
    }
    ASSERT_EQ(m.lineCount(), line + 1);
}

} // namespace

TEST(TextBuffer, LineBreaksOfEveryFormBecomeOneCr) {
    const struct {
        std::string text, stored;
    } cases[] = {{"", ""},           {"a\r\nb", "a\rb"}, {"a\nb", "a\rb"},
                 {"a\rb", "a\rb"},   {"\n\n", "\r\r"},   {"\r\n\n", "\r\r"},
                 {"\r\r\n", "\r\r"}, {"\nx\r", "\rx\r"}, {"x\r\n", "x\r"}};
    for (const auto& c : cases)
        EXPECT_EQ(normalizeLineBreaks(c.text), c.stored) << c.text;
}

TEST(RichTextModel, RandomEditsMatchAPlainStringAndPerByteFormats) {
    std::mt19937 rng(7);
    RichTextModel m;
    Reference r;
    FormatId ids[3];
    for (int i = 0; i < 3; ++i) {
        RunFormat f;
        f.color = static_cast<COLORREF>(i * 100);
        f.autoColor = false;
        ids[i] = m.formats().intern(f);
    }
    const char* pieces[] = {"a", "bc\r\nd", "\n", "xyz", "\r", "", "hello world\r\n\r\n", "\xC3\xA9"};
    for (int step = 0; step < 3000; ++step) {
        int len = m.length();
        int pos = len ? static_cast<int>(rng() % static_cast<unsigned>(len + 1)) : 0;
        int cut = (rng() % 4 == 0 && len - pos > 0)
                      ? static_cast<int>(rng() % static_cast<unsigned>(std::min(len - pos, 12) + 1))
                      : 0;
        std::string piece = pieces[rng() % 8];
        FormatId f = ids[rng() % 3];
        if (rng() % 5 == 0) {
            int fl = len - pos > 0 ? static_cast<int>(rng() % static_cast<unsigned>(len - pos + 1)) : 0;
            m.setFormat(pos, fl, f);
            std::fill(r.formats.begin() + pos, r.formats.begin() + pos + fl, f);
        } else {
            m.replace(pos, cut, piece, f);
            r.replace(pos, cut, normalizeLineBreaks(piece), f);
        }
        m.checkInvariants();
        if (step % 50 == 0) expectSame(m, r);
    }
    expectSame(m, r);
}

TEST(RichTextModel, LineBreakFormsAndLegacyPositions) {
    struct Case {
        const char* input;
        const char* stored;
        int lines;
    } cases[] = {
        {"", "", 1},
        {"abc", "abc", 1},
        {"a\r\nb", "a\rb", 2},
        {"a\nb\rc\r\nd", "a\rb\rc\rd", 4},
        {"last\r\n", "last\r", 2},
        {"\r\n\r\n", "\r\r", 3},
    };
    for (const Case& c : cases) {
        RichTextModel m;
        m.replace(0, 0, c.input, m.defaultFormat());
        EXPECT_EQ(m.text(), c.stored) << c.input;
        EXPECT_EQ(m.lineCount(), c.lines) << c.input;
        // Each compact position maps to a legacy one and back; legacy positions inside a CR LF pair
        // fall back before the pair.
        for (int p = 0; p <= m.length(); ++p)
            EXPECT_EQ(m.compactFromLegacy(m.legacyFromCompact(p)), p) << c.input;
        EXPECT_EQ(m.legacyLength(), static_cast<int>(m.textCrLf(0, m.length()).size()));
    }
    RichTextModel m;
    m.replace(0, 0, "ab\r\ncd", m.defaultFormat());
    EXPECT_EQ(m.legacyFromCompact(3), 4);  // 'c'
    EXPECT_EQ(m.compactFromLegacy(3), 2);  // between CR and LF: before the pair
    EXPECT_EQ(m.compactFromLegacy(99), 5); // past the end: the end
}

TEST(RichTextModel, PositionsNeverSplitAUtf8Sequence) {
    RichTextModel m;
    m.replace(0, 0,
              "a\xE2\x82\xAC"
              "b\xC3",
              m.defaultFormat()); // a, euro sign, b, a stray lead byte
    EXPECT_EQ(m.validPosition(2), 1);
    EXPECT_EQ(m.validPosition(3, true), 4);
    EXPECT_EQ(m.nextCharPosition(1), 4);
    EXPECT_EQ(m.previousCharPosition(4), 1);
    EXPECT_EQ(m.nextCharPosition(5), 6); // the stray byte stands alone
    m.setSelection(2, 3);
    EXPECT_EQ(m.anchor(), 1);
    EXPECT_EQ(m.caret(), 1);
}

TEST(RichTextModel, FindForwardWithCaseAndWholeWords) {
    RichTextModel m;
    m.replace(0, 0, "Foo foobar\r\nfoo_x FOO", m.defaultFormat());
    struct Case {
        const char* pattern;
        int from, to;
        bool matchCase, wholeWord;
        int expected;
    } cases[] = {
        {"foo", 0, -1, false, false, 0},    {"foo", 0, -1, true, false, 4},
        {"foo", 1, -1, false, true, 17},    {"foo", 0, -1, true, true, -1},
        {"", 0, -1, false, false, -1},      {"bar\r\nfoo", 0, -1, false, false, 7},
        {"foo", 5, 16, false, false, 11},   {"FOO", 18, -1, true, false, -1},
        {"x FOO", 0, 19, false, false, -1}, {"x FOO", 0, 20, false, false, 15},
    };
    for (const Case& c : cases)
        EXPECT_EQ(m.find(c.from, c.to, c.pattern, FindOptions{c.matchCase, c.wholeWord}), c.expected)
            << c.pattern;
}

// Every match over a text of many blocks, with a gap inside one, is what a plain search from the
// end of each match before finds: matches that overlap, in either case, and across the edges of
// blocks and of the gap.
TEST(RichTextModel, FindAllFindsWhatAPlainSearchFindsAcrossBlocks) {
    RichTextModel m;
    std::string text;
    for (int i = 0; text.size() < 70000; ++i)
        text += i % 3 ? "aAaA\r" : "xaaa\rAaa";
    m.replace(0, 0, text, m.defaultFormat());
    m.replace(30001, 0, "aAa", m.defaultFormat()); // leaves a gap where the text was added
    text.insert(30001, "aAa");
    auto fold = [](std::string s) {
        for (char& c : s)
            c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        return s;
    };
    const struct {
        const char* pattern;
        bool matchCase;
    } cases[] = {{"aa", false}, {"Aa", true}, {"a\raA", false}, {"aaa", true}};
    for (const auto& c : cases) {
        const std::string haystack = c.matchCase ? text : fold(text);
        const std::string needle = c.matchCase ? c.pattern : fold(c.pattern);
        std::vector<int> expected;
        for (std::size_t at = haystack.find(needle); at != std::string::npos;
             at = haystack.find(needle, at + needle.size()))
            expected.push_back(static_cast<int>(at));
        EXPECT_EQ(m.findAll(0, -1, c.pattern, FindOptions{c.matchCase, false}), expected) << c.pattern;
        EXPECT_EQ(m.find(20000, -1, c.pattern, FindOptions{c.matchCase, false}),
                  static_cast<int>(haystack.find(needle, 20000)))
            << c.pattern;
    }
}

TEST(RichTextModel, SelectionFollowsEditsAndInsertionTakesThePreviousFormat) {
    RichTextModel m;
    RunFormat red;
    red.color = RGB(255, 0, 0);
    red.autoColor = false;
    FormatId r = m.formats().intern(red);
    m.replace(0, 0, "hello world", r);
    m.setFormat(5, 6, m.defaultFormat());
    EXPECT_EQ(m.formatForInsertion(5), r);
    EXPECT_EQ(m.formatForInsertion(6), m.defaultFormat());
    m.setSelection(6, 11);
    m.replace(0, 6, "", m.defaultFormat());
    EXPECT_EQ(m.selectionStart(), 0);
    EXPECT_EQ(m.selectionEnd(), 5);
    m.replace(2, 10, "", m.defaultFormat());
    EXPECT_EQ(m.text(), "wo");
    EXPECT_EQ(m.selectionEnd(), 2);
}

TEST(RichTextModel, FormattedTextTakesItsPiecesAsRuns) {
    RichTextModel m;
    RunFormat red;
    red.color = RGB(255, 0, 0);
    red.autoColor = false;
    FormatId r = m.formats().intern(red);
    FormatId d = m.defaultFormat();
    struct Case {
        const char* name;
        std::vector<FormattedPiece> pieces;
        std::vector<FormatId> perByte; // of "abcde"
    } cases[] = {
        {"exact", {{2, r}, {3, d}}, {r, r, d, d, d}},
        {"short: the rest is default", {{1, d}, {2, r}}, {d, r, r, d, d}},
        {"long: cut at the end", {{4, r}, {9, d}, {3, r}}, {r, r, r, r, d}},
        {"equal neighbours merge", {{1, r}, {1, r}, {3, d}}, {r, r, d, d, d}},
        {"none", {}, {d, d, d, d, d}},
    };
    for (const Case& c : cases) {
        m.setFormattedText("abcde", c.pieces);
        Reference ref{"abcde", c.perByte};
        expectSame(m, ref);
        if (HasFatalFailure()) return;
        m.replace(5, 0, "f", m.formatForInsertion(5));
        EXPECT_EQ(m.runs().formatAt(5), c.perByte.back())
            << c.name << ": typing at the end continues the last run";
    }
    m.setFormattedText("", {});
    EXPECT_EQ(m.length(), 0);
    EXPECT_EQ(m.runs().runCount(), 1);
}

TEST(SplitVector, KeepsItsValuesWhileGrowingIntoLargeStorage) {
    // Past a megabyte the storage changes kind and then grows by remapping; the gap moves between.
    SplitVector<int> v;
    const int n = 700000;
    for (int i = 0; i < n; ++i) {
        int value = i;
        v.insert(v.size(), &value, 1);
        if (i == n / 2) v.insertValue(0, 1, -1); // the gap at the front once
    }
    ASSERT_EQ(v.size(), static_cast<std::size_t>(n) + 1);
    EXPECT_EQ(v[0], -1);
    SplitVector<int> copy = v;
    v.erase(0, 1);
    for (std::size_t i : {std::size_t{0}, std::size_t{12345}, std::size_t{n / 2}, std::size_t{n - 1}}) {
        EXPECT_EQ(v[i], static_cast<int>(i));
        EXPECT_EQ(copy[i + 1], static_cast<int>(i));
    }
    v.clear();
    EXPECT_TRUE(v.empty());
}
