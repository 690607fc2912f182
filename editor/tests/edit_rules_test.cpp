// The edit control's pure rules: which changes continue an undo snapshot, the caret column, and
// the per-line edits of the line commands and of Enter's indentation.

#include "editor/HHEditRules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace hh;

TEST(EditRules, SnapshotContinuation) {
    const struct {
        int lastKind, lastStart, lastEnd, kind, start, end;
        bool continues;
        int typedLength = 1;
    } cases[] = {
        {kEditTyped, 5, 5, kEditTyped, 6, 6, true},     // typing on
        {kEditTyped, 5, 5, kEditTyped, 8, 8, false},    // typing elsewhere
        {kEditTyped, 5, 5, kEditTyped, 7, 7, true, 2},  // after a two-byte character
        {kEditTyped, 5, 5, kEditTyped, 6, 6, false, 2}, // inside where it went
        {kEditTyped, 5, 7, kEditTyped, 6, 6, false},    // typed over a selection before
        {kEditOther, 5, 5, kEditTyped, 6, 6, false},    // after a space, Tab or Enter reset the kind
        {kEditDelete, 5, 6, kEditDelete, 5, 6, true},   // Delete held down
        {kEditDelete, 5, 6, kEditDelete, 4, 5, true},   // Backspace held down
        {kEditDelete, 5, 6, kEditDelete, 3, 4, false},  // a jump
        {kEditDelete, 5, 7, kEditDelete, 5, 6, false},  // a selection deleted before
        {kEditTyped, 5, 5, kEditDelete, 5, 6, false},   // a different kind
        {kEditReplace, 5, 5, kEditReplace, 6, 6, false} // replacements never continue
    };
    for (const auto& c : cases)
        EXPECT_EQ(
            ContinuesSnapshot(c.lastKind, c.lastStart, c.lastEnd, c.kind, c.start, c.end, c.typedLength),
            c.continues)
            << c.lastKind << " " << c.lastStart << " " << c.kind << " " << c.start;
}

TEST(EditRules, CaretColumnCountsTabsAsTabSize) {
    EXPECT_EQ(CaretColumn("\tab", 1, 4), 4);
    EXPECT_EQ(CaretColumn("ab\tc", 3, 4), 6);     // not up to the next tab stop
    EXPECT_EQ(CaretColumn("\xC3\xA9x", 3, 4), 2); // a two-byte character is one column
    const std::string longLine(5000, 'x');
    EXPECT_EQ(CaretColumn(longLine, 4000, 4), 4000); // no fixed buffer
}

TEST(EditRules, OutdentRemovesOneLevel) {
    const struct {
        const char* line;
        int removed;
    } cases[] = {{"    x", 4}, {"      x", 4}, {"  \tx", 3}, {"\t\tx", 1},
                 {"   x", 3},  {"x", 0},       {"", 0},      {"    \tx", 4}};
    for (const auto& c : cases)
        EXPECT_EQ(OutdentLength(c.line, 4), c.removed) << '"' << c.line << '"';
}

TEST(EditRules, CommentAfterIndentationAndEnterIndent) {
    EXPECT_EQ(FindLeadingComment("  // x", "//"), 2);
    EXPECT_EQ(FindLeadingComment("\t//", "//"), 1);
    EXPECT_EQ(FindLeadingComment("x // y", "//"), -1);
    EXPECT_EQ(FindLeadingComment("/", "//"), -1);
    EXPECT_EQ(FindLeadingComment("'x", "'"), 0);

    EXPECT_EQ(AutoIndentLength("    x", 5), 4);
    EXPECT_EQ(AutoIndentLength("    x", 2), 2); // between the second and third space
    EXPECT_EQ(AutoIndentLength("    x", 0), 0);
    EXPECT_EQ(AutoIndentLength("\t x", 9), 2);
}

} // namespace
