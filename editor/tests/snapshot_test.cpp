// Whole-text snapshots that share storage with the snapshot they were taken against.

#include "editor/TextSnapshot.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// Two snapshots of one chain, some stretches stored apart and alike: the common start and end
// are found through shared and separate storage alike, and a slice gives the stretch between.
TEST(Snapshots, CommonStartEndAndSlice) {
    const std::string text = std::string(30000, 'a') + "0123456789" + std::string(30000, 'b');
    const TextSnapshot base = TextSnapshot::Take(text.data(), text.size());
    const struct {
        const char* name;
        std::string other;
        std::size_t start, end;
    } cases[] = {
        {"same text", text, text.size(), 0},
        {"middle changed", text.substr(0, 30003) + "xy" + text.substr(30005), 30003, 30005},
        {"inserted", text.substr(0, 30000) + "++" + text.substr(30000), 30000, 30010},
        {"copy of the same text", std::string(text), text.size(), 0},
        {"emptied", "", 0, 0},
    };
    for (const auto& c : cases) {
        // Taken against base, and as a copy of its own: shared storage must not decide the result.
        const TextSnapshot shared = TextSnapshot::Take(c.other.data(), c.other.size(), &base);
        const TextSnapshot apart = TextSnapshot::Take(c.other.data(), c.other.size());
        for (const TextSnapshot* other : {&shared, &apart}) {
            const std::size_t start = TextSnapshot::CommonStart(base, *other);
            const std::size_t shorter = std::min(text.size(), c.other.size());
            const std::size_t end = TextSnapshot::CommonEnd(base, *other, shorter - start);
            EXPECT_EQ(start, c.start) << c.name;
            if (c.start < text.size()) {
                EXPECT_EQ(end, c.end) << c.name;
            }
            EXPECT_LE(start + end, shorter) << c.name;
            EXPECT_EQ(other->Slice(start, other->GetLength() - end),
                      c.other.substr(start, c.other.size() - end - start))
                << c.name;
        }
    }
    EXPECT_EQ(base.Slice(29998, 30002), "aa01");
    EXPECT_EQ(base.Slice(5, 5), "");
}

TEST(Snapshots, EmptyAndNull) {
    const TextSnapshot empty;
    EXPECT_EQ(empty.GetLength(), 0u);
    EXPECT_STREQ(empty.ToString(), "");
    const TextSnapshot none = TextSnapshot::Take(nullptr, 5);
    EXPECT_EQ(none.GetLength(), 0u);
    const TextSnapshot fromCString = TextSnapshot::Take(CString("abc"), &empty);
    EXPECT_EQ(fromCString.ToStdString(), "abc");
}

} // namespace
