// The kept text of a long line: after any run of edits, held apart or spliced in, it reads as the
// edited text, read whole at the end or after each edit.

#include "editor/KeptText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Edit {
    int at;
    int removed;
    int inserted; // characters written, taken from a running letter
};

struct Case {
    const char* name;
    std::vector<Edit> edits;
};

// at and removed name the text before the edit.
void apply(std::u16string& text, hh::KeptText& kept, const Edit& e, char16_t& letter) {
    std::u16string piece;
    for (int i = 0; i < e.inserted; ++i, letter = letter == u'z' ? u'a' : static_cast<char16_t>(letter + 1))
        piece += letter;
    text.replace(static_cast<std::size_t>(e.at), static_cast<std::size_t>(e.removed), piece);
    const int count = static_cast<int>(text.size());
    kept.Edit(e.at, e.at + e.inserted, e.inserted - e.removed, text.data());
    ASSERT_EQ(kept.Size(), count);
}

TEST(KeptText, ReadsAsTheEditedText) {
    const Case cases[] = {
        {"one key", {{5000, 0, 1}}},
        {"keys typed on", {{5000, 0, 1}, {5001, 0, 1}, {5002, 0, 1}}},
        {"keys typed, then taken back", {{5000, 0, 1}, {5001, 0, 1}, {5001, 1, 0}, {5000, 1, 0}}},
        {"a key before the last", {{5000, 0, 1}, {4990, 0, 2}}},
        {"a key a little after the last", {{5000, 0, 1}, {5020, 0, 3}}},
        {"a deletion over the last key", {{5000, 0, 4}, {4998, 8, 0}}},
        {"a deletion from inside the last key on", {{5000, 0, 4}, {5002, 10, 1}}},
        {"a replacement inside the last", {{5000, 2, 10}, {5003, 3, 1}}},
        {"edits far apart", {{100, 0, 1}, {9000, 0, 1}, {200, 3, 0}}},
        {"a piece grown past the longest held", {{1000, 0, 3000}, {4000, 0, 2000}, {4500, 1, 1}}},
        {"a deletion of most of the text", {{5000, 0, 1}, {10, 9000, 0}, {20, 0, 5}}},
        {"at the very start and end", {{0, 0, 2}, {10001, 0, 1}, {0, 1, 0}}},
    };
    for (const Case& c : cases) {
        for (const bool eachTime : {false, true}) {
            std::u16string text;
            for (int i = 0; i < 10000; ++i)
                text += static_cast<char16_t>(u'0' + i % 10);
            hh::KeptText kept;
            kept.Assign(text.data(), static_cast<int>(text.size()));
            char16_t letter = u'a';
            for (const Edit& e : c.edits) {
                apply(text, kept, e, letter);
                if (eachTime) {
                    ASSERT_EQ(kept.Whole(), text) << c.name << ", read after each edit";
                }
            }
            EXPECT_EQ(kept.Whole(), text) << c.name;
            EXPECT_EQ(kept.Size(), static_cast<int>(text.size())) << c.name;
        }
    }
}

TEST(KeptText, EmptyUntilAssignedAndAfterClear) {
    hh::KeptText kept;
    EXPECT_TRUE(kept.Empty());
    const std::u16string text(5000, u'x');
    kept.Assign(text.data(), 5000);
    kept.Edit(10, 11, 1, (text + u'y').data());
    EXPECT_FALSE(kept.Empty());
    kept.Clear();
    EXPECT_TRUE(kept.Empty());
    EXPECT_TRUE(kept.Whole().empty());
}

} // namespace
