// Whole-text snapshots that share storage with the snapshot they were taken against.

#include "editor/TextSnapshot.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using hh::TextSnapshot;

struct EditCase {
    const char* name;
    std::string before;
    std::string after;
};

class SnapshotEdits : public ::testing::TestWithParam<EditCase> {};

TEST_P(SnapshotEdits, HoldsTheTextAndSharesTheRest) {
    const EditCase& c = GetParam();
    const TextSnapshot base = TextSnapshot::Take(c.before.data(), c.before.size());
    const TextSnapshot next = TextSnapshot::Take(c.after.data(), c.after.size(), &base);
    EXPECT_EQ(next.ToStdString(), c.after);
    EXPECT_TRUE(next.Equals(c.after.data(), c.after.size()));
    EXPECT_EQ(next.GetLength(), c.after.size());
    const std::size_t changed = c.after.size() > c.before.size() ? c.after.size() - c.before.size() : 0;
    EXPECT_LE(TextSnapshot::SharedBytes({&base, &next}), c.before.size() + changed + 16);
}

const std::string kText = std::string(40000, 'a') + "middle" + std::string(40000, 'z');

INSTANTIATE_TEST_SUITE_P(
    Snapshots, SnapshotEdits,
    ::testing::Values(EditCase{"Same", kText, kText}, EditCase{"InsertAtStart", kText, "X" + kText},
                      EditCase{"InsertAtEnd", kText, kText + "X"},
                      EditCase{"InsertInMiddle", kText, kText.substr(0, 40003) + "XYZ" + kText.substr(40003)},
                      EditCase{"DeleteInMiddle", kText, kText.substr(0, 40000) + kText.substr(40006)},
                      EditCase{"ReplaceInMiddle", kText,
                               kText.substr(0, 40000) + "MIDDLE" + kText.substr(40006)},
                      EditCase{"DeleteEverything", kText, ""}, EditCase{"FromEmpty", "", "abc"},
                      EditCase{"RepeatedCharacterInserted", "aaaa", "aaaaa"}),
    [](const ::testing::TestParamInfo<EditCase>& info) { return std::string(info.param.name); });

// Every position of a short text: insert, delete and replace one character.
TEST(Snapshots, EditsAtEveryPosition) {
    const std::string text = "abcdefghij";
    const TextSnapshot base = TextSnapshot::Take(text.data(), text.size());
    for (std::size_t pos = 0; pos <= text.size(); ++pos) {
        std::string edits[3] = {text.substr(0, pos) + "#" + text.substr(pos), text, text};
        if (pos < text.size()) {
            edits[1] = text.substr(0, pos) + text.substr(pos + 1);
            edits[2] = text.substr(0, pos) + "#" + text.substr(pos + 1);
        }
        for (const std::string& edited : edits) {
            const TextSnapshot next = TextSnapshot::Take(edited.data(), edited.size(), &base);
            EXPECT_EQ(next.ToStdString(), edited) << pos;
            EXPECT_STREQ(next.ToString(), edited.c_str()) << pos;
        }
    }
}

// A long chain of small edits keeps the text right and the piece count bounded.
TEST(Snapshots, LongChainStaysCompact) {
    std::string text(200000, '.');
    TextSnapshot last = TextSnapshot::Take(text.data(), text.size());
    for (int i = 0; i < 3000; ++i) {
        const std::size_t pos = (static_cast<std::size_t>(i) * 7919u) % text.size();
        text.insert(pos, "w" + std::to_string(i));
        last = TextSnapshot::Take(text.data(), text.size(), &last);
    }
    EXPECT_EQ(last.ToStdString(), text);
    EXPECT_LT(last.GetPieceCount(), 200u);
}

TEST(Snapshots, EmptyAndNull) {
    const TextSnapshot empty;
    EXPECT_EQ(empty.GetLength(), 0u);
    EXPECT_STREQ(empty.ToString(), "");
    EXPECT_TRUE(empty.Equals("", 0));
    const TextSnapshot none = TextSnapshot::Take(nullptr, 5);
    EXPECT_EQ(none.GetLength(), 0u);
    const TextSnapshot fromCString = TextSnapshot::Take(CString("abc"), &empty);
    EXPECT_EQ(fromCString.ToStdString(), "abc");
    EXPECT_FALSE(fromCString.Equals("abd", 3));
    EXPECT_FALSE(fromCString.Equals("ab", 2));
}

} // namespace
