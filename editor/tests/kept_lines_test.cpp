// The lines kept for colouring: after one change they are the text of the same lines read afresh,
// with the characters overwritten in the wide copy put back; after two changes, a change outside
// them or a read of other lines, they are not used.

#include "editor/KeptLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Bytes as 16-bit characters, as the control widens them.
std::u16string widened(const std::string& bytes) {
    std::u16string wide;
    for (char c : bytes)
        wide += static_cast<char16_t>(static_cast<unsigned char>(c));
    return wide;
}

struct Change {
    int from;
    int to;
    std::string inserted;
};

class KeptLinesTest : public ::testing::Test {
protected:
    // The second line kept as read (its line break left out), its wide copy blanked at two places.
    void SetUp() override {
        lineFrom = 10;
        lineTo = 26;
        read(lineFrom, lineTo);
        wide[2] = u' ';
        wide[9] = u' ';
        kept.Altered(hh::Stretch(lineFrom + 2, lineFrom + 10));
    }
    void read(int from, int to) {
        text = doc.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
        wide = widened(text);
        kept.Read(from, to);
    }
    void change(const Change& c) {
        kept.Change(c.from, c.to, static_cast<int>(doc.size()));
        doc.replace(static_cast<std::size_t>(c.from), static_cast<std::size_t>(c.to - c.from), c.inserted);
    }
    bool splice(int from, int to) {
        reads.clear();
        return kept.Splice(
            from, to, static_cast<int>(doc.size()), text, wide, [this](int first, int last, char* out) {
                reads.emplace_back(first, last);
                const std::string piece =
                    doc.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(last - first));
                std::copy(piece.begin(), piece.end(), out);
                out[piece.size()] = '\0';
            });
    }
    void expectLines(int from, int to, const char* name) {
        const std::string want =
            doc.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
        EXPECT_EQ(text, want) << name;
        EXPECT_EQ(wide, widened(want)) << name;
    }

    std::string doc = "line one\r\nsecond\xe9line here\r\nthird";
    int lineFrom = 0;
    int lineTo = 0;
    std::string text;
    std::u16string wide;
    std::vector<std::pair<int, int>> reads;
    hh::KeptLines kept;
};

// One change inside the lines or at either end of them: the lines of the new text, with only the
// inserted characters read.
TEST_F(KeptLinesTest, OneChangeIsSplicedIn) {
    const struct {
        const char* name;
        Change change;
        int newTo; // the end of the lines after it
    } cases[] = {{"a letter typed inside", {14, 14, "x"}, 27},
                 {"a letter deleted", {14, 15, ""}, 25},
                 {"a word typed over", {12, 16, "\xe8ZZ"}, 25},
                 {"typed at the start", {10, 10, "ab"}, 28},
                 {"typed at the end", {26, 26, "!"}, 27},
                 {"a line break typed inside", {16, 16, "\r\n"}, 28},
                 {"the blanked characters replaced", {12, 20, "??"}, 20}};
    for (const auto& c : cases) {
        SetUp();
        const std::string before = doc;
        change(c.change);
        ASSERT_TRUE(splice(lineFrom, c.newTo)) << c.name;
        expectLines(lineFrom, c.newTo, c.name);
        const int inserted = static_cast<int>(c.change.inserted.size());
        ASSERT_EQ(reads.size(), 1u) << c.name;
        EXPECT_EQ(reads[0], std::make_pair(c.change.from, c.change.from + inserted)) << c.name;
        // The lines spliced are kept as read: the next change splices in too.
        change({lineFrom + 1, lineFrom + 1, "y"});
        ASSERT_TRUE(splice(lineFrom, c.newTo + 1)) << c.name;
        expectLines(lineFrom, c.newTo + 1, c.name);
        doc = before;
    }
}

TEST_F(KeptLinesTest, NoChangePutsTheOverwrittenCharactersBack) {
    ASSERT_TRUE(splice(lineFrom, lineTo));
    EXPECT_TRUE(reads.empty());
    expectLines(lineFrom, lineTo, "unchanged");
}

// What the buffers cannot be made from: they are left as they are.
TEST_F(KeptLinesTest, OtherLinesOrOtherChangesAreNotSpliced) {
    const struct {
        const char* name;
        std::vector<Change> changes;
        int from;
        int to;
    } cases[] = {{"other lines read", {}, 0, 10},
                 {"the lines read further", {}, lineFrom, 33},
                 {"two changes", {{12, 12, "a"}, {14, 14, "b"}}, lineFrom, lineTo + 2},
                 {"a change before the lines", {{2, 2, "a"}}, lineFrom + 1, lineTo + 1},
                 {"a change after them", {{30, 30, "a"}}, lineFrom, lineTo},
                 {"a change reaching past them", {{24, 29, ""}}, lineFrom, lineTo - 2},
                 {"the line end taken away", {{26, 28, ""}}, lineFrom, 31}};
    for (const auto& c : cases) {
        SetUp();
        const std::string before = doc;
        for (const Change& ch : c.changes)
            change(ch);
        const std::string heldText = text;
        const std::u16string heldWide = wide;
        EXPECT_FALSE(splice(c.from, c.to)) << c.name;
        EXPECT_EQ(text, heldText) << c.name;
        EXPECT_EQ(wide, heldWide) << c.name;
        doc = before;
    }
}

TEST_F(KeptLinesTest, ForgottenLinesAreNotSpliced) {
    kept.Forget();
    EXPECT_FALSE(splice(lineFrom, lineTo));
}

} // namespace
