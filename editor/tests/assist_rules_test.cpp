// The code-assistance rules without windows: markers kept on their lines through edits, bookmark
// walking, the protected range, the list's prefix and order, and list and tip placement.

#include "editor/HHAssistRules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace hh;

// Line of a position in a text of lines of 10 characters each (8 + CR LF).
int lineOfTen(int pos) {
    return pos / 10;
}

TEST(AssistRules, SetClearToggleKeepOneRecordPerLine) {
    CHHLineMarkerArray m;
    ApplyLineMarker(m, 3, 30, HHMARK_BOOKMARK, kMarkerToggle);
    ApplyLineMarker(m, 3, 30, HHMARK_BREAKPOINT, kMarkerSet);
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(MarkerFlagsOf(m, 3), HHMARK_BOOKMARK | HHMARK_BREAKPOINT);
    ApplyLineMarker(m, 3, 30, HHMARK_BOOKMARK, kMarkerToggle);
    ApplyLineMarker(m, 3, 30, HHMARK_BREAKPOINT, kMarkerClear);
    EXPECT_TRUE(m.empty());
    ApplyLineMarker(m, 4, 40, HHMARK_BOOKMARK, kMarkerClear); // clearing never adds
    EXPECT_TRUE(m.empty());
    ApplyLineMarker(m, 1, 10, HHMARK_BOOKMARK | HHMARK_BREAKPOINT, kMarkerSet);
    ApplyLineMarker(m, 2, 20, HHMARK_BOOKMARK, kMarkerSet);
    ClearMarkerBits(m, HHMARK_BOOKMARK);
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(MarkerFlagsOf(m, 1), HHMARK_BREAKPOINT);
}

TEST(AssistRules, MarkersFollowTheirLinesThroughEdits) {
    CHHLineMarkerArray m{{2, 20, HHMARK_BOOKMARK}, {4, 40, HHMARK_BREAKPOINT}};
    // Two lines inserted above both.
    EXPECT_TRUE(ShiftLineMarkers(m, false, 5, 25, lineOfTen));
    EXPECT_EQ(m[0].m_nLine, 4);
    EXPECT_EQ(m[1].m_nLine, 6);
    // Typing on a line below changes nothing.
    EXPECT_FALSE(ShiftLineMarkers(m, false, 65, 66, lineOfTen));
    EXPECT_EQ(m[1].m_nLineStart, 60);
    // A block holding the first record's line start goes, the other moves up by the block.
    EXPECT_TRUE(ShiftLineMarkers(m, true, 35, 55, lineOfTen));
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].m_nLine, 4);
    EXPECT_EQ(m[0].m_nFlags, HHMARK_BREAKPOINT);
}

TEST(AssistRules, JoinedLinesMergeAndNeverMoveBeforeTheChange) {
    // The line break before line 3 deleted: lines 2 and 3 become one, their flags joined.
    CHHLineMarkerArray m{{2, 20, HHMARK_BOOKMARK}, {3, 30, HHMARK_BREAKPOINT}};
    EXPECT_TRUE(ShiftLineMarkers(m, true, 28, 30, lineOfTen));
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].m_nLine, 2);
    EXPECT_EQ(m[0].m_nFlags, HHMARK_BOOKMARK | HHMARK_BREAKPOINT);
    // A line start one past a deleted block's start stays at the block's start, not before it.
    CHHLineMarkerArray n{{3, 30, HHMARK_BOOKMARK}};
    ShiftLineMarkers(n, true, 29, 60, lineOfTen);
    ASSERT_EQ(n.size(), 1u);
    EXPECT_EQ(n[0].m_nLineStart, 29);
    EXPECT_EQ(n[0].m_nLine, 2);
}

TEST(AssistRules, ChangedSpanOfTwoTexts) {
    const struct {
        const char* before;
        const char* after;
        int start, oldEnd, newEnd;
    } cases[] = {{"abc", "abc", 3, 3, 3}, {"abc", "aXbc", 1, 1, 2}, {"aXbc", "abc", 1, 2, 1},
                 {"aaa", "aa", 2, 3, 2},  {"", "x", 0, 0, 1},       {"ab\r\ncd", "cd", 0, 4, 0}};
    for (const auto& c : cases) {
        const ChangedSpan span = FindChangedSpan(c.before, c.after);
        EXPECT_EQ(span.start, c.start) << c.before << " -> " << c.after;
        EXPECT_EQ(span.oldEnd, c.oldEnd) << c.before << " -> " << c.after;
        EXPECT_EQ(span.newEnd, c.newEnd) << c.before << " -> " << c.after;
    }
}

TEST(AssistRules, BookmarkWalkWrapsRound) {
    const CHHLineMarkerArray m{{7, 0, HHMARK_BOOKMARK}, {2, 0, HHMARK_BOOKMARK}, {5, 0, HHMARK_BREAKPOINT}};
    const struct {
        int caret;
        bool forward;
        int expected;
    } cases[] = {{0, true, 2},  {2, true, 7},  {7, true, 2}, {9, true, 2},
                 {5, false, 2}, {2, false, 7}, {0, false, 7}};
    for (const auto& c : cases)
        EXPECT_EQ(NextMarkedLine(m, HHMARK_BOOKMARK, c.caret, c.forward), c.expected)
            << c.caret << " " << c.forward;
    const CHHLineMarkerArray only{{4, 0, HHMARK_BOOKMARK}};
    EXPECT_EQ(NextMarkedLine(only, HHMARK_BOOKMARK, 4, true), -1);
    EXPECT_EQ(NextMarkedLine(only, HHMARK_BOOKMARK, 4, false), -1);
}

TEST(AssistRules, SelectionsAreClippedIntoTheEditableRange) {
    const EditableRange range{10, 50}; // editable 10..48
    const struct {
        int start, end, clippedStart, clippedEnd;
    } cases[] = {{5, 20, 10, 20}, {20, 60, 20, 48}, {5, 60, 10, 48}, {20, 30, 20, 30},
                 {2, 8, 2, 8},    {55, 60, 55, 60}, {5, 5, 5, 5}};
    for (const auto& c : cases) {
        int s = c.start, e = c.end;
        ConstrainToRange(range, s, e);
        EXPECT_EQ(s, c.clippedStart) << c.start << "-" << c.end;
        EXPECT_EQ(e, c.clippedEnd) << c.start << "-" << c.end;
    }
    int s = 0, e = 100;
    ConstrainToRange(EditableRange{}, s, e);
    EXPECT_EQ(s, 0);
    EXPECT_EQ(e, 100);
}

TEST(AssistRules, ACaretPastTheLastLineBreakIsBroughtBackToTheEditablePart) {
    const EditableRange last{10, 50}; // the part that ends a text of 50: editable 10..48
    const struct {
        EditableRange range;
        int pos, textLength, expected;
    } cases[] = {
        {last, 50, 50, 48},     // after the closing line break, at the text's end
        {last, 48, 50, 48},     // the last editable position stays
        {last, 20, 50, 20},     // inside stays
        {last, 5, 50, 5},       // before the part (a head) stays
        {{10, 50}, 60, 60, 60}, // the part does not end the text: what follows is its own
        {{10, 50}, 50, 60, 50}, // the start of what follows stays
        {{10, 11}, 11, 11, 11}, // no editable position to go to
        {{10, 12}, 12, 12, 10}, // a part of a bare line break: its start
        {{}, 50, 50, 50},       // no range
    };
    for (const auto& c : cases)
        EXPECT_EQ(CaretForTyping(c.range, c.pos, c.textLength), c.expected)
            << c.range.start << "," << c.range.end << " at " << c.pos << " of " << c.textLength;
}

TEST(AssistRules, ProtectedChanges) {
    const EditableRange r{10, 50};
    const struct {
        EditableRange range;
        ProtectedChange change;
        bool allowed;
    } cases[] = {
        {{}, {kInputOther, 0, 100}, true},            // no range never refuses
        {{10, 0}, {kInputOther, 20, 20}, false},      // an empty range refuses all
        {r, {kInputOther, 20, 21}, true},             // typing inside
        {r, {kInputOther, 49, 49}, false},            // after the last editable position
        {r, {kInputOther, 9, 9}, false},              // before the range
        {r, {kInputEnter, 50, 50}, true},             // Enter at the range's end
        {r, {kInputEnter, 8, 8}, true},               // Enter two before its start
        {r, {kInputDelete, 47, 48}, true},            // Delete inside
        {r, {kInputDelete, 48, 48, false}, false},    // Delete would eat the closing line end
        {r, {kInputDelete, 48, 48, true}, true},      // unless it stands at a line's start
        {{10, 12}, {kInputDelete, 10, 10}, false},    // nothing editable left to delete
        {r, {kInputBackspace, 20, 21}, true},         // Backspace in the middle of a line
        {r, {kInputBackspace, 18, 20}, true},         // Backspace joining two lines of the range
        {r, {kInputBackspace, 10, 11}, true},         // Backspace at the range's second position
        {r, {kInputBackspace, 8, 10}, false},         // Backspace would join the range to the line above
        {r, {kInputBackspace, 48, 49}, false},        // Backspace would eat the closing line end
        {{10, 12}, {kInputBackspace, 10, 11}, false}, // nothing editable left to remove
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsChangeAllowed(c.range, c.change), c.allowed)
            << c.range.start << "," << c.range.end << " input " << c.change.input << " [" << c.change.a << ","
            << c.change.b << ")";
}

TEST(AssistRules, PrefixCommitCharsAndOrder) {
    EXPECT_EQ(TypedPrefixLength("wri_2te(x"), 7);
    EXPECT_EQ(TypedPrefixLength(" x"), 0);
    EXPECT_TRUE(StartsWithNoCase("writeln", "WR"));
    EXPECT_FALSE(StartsWithNoCase("w", "wr"));
    for (char c : std::string("\r\t ().,;+-*/<>=!?'"))
        EXPECT_TRUE(IsCommitChar(c)) << int(c);
    for (char c : std::string("a_1[\"\x1b"))
        EXPECT_FALSE(IsCommitChar(c)) << int(c);
    const CHHMemberItem blueB{"b", 0x4000}, plainZ{"Z", 0}, plainA{"a", 0};
    EXPECT_LT(CompareMemberItems(plainZ, blueB, true), 0); // group 0 before group 1
    EXPECT_GT(CompareMemberItems(plainZ, blueB, false), 0);
    EXPECT_LT(CompareMemberItems(plainA, plainZ, true), 0); // case ignored
}

TEST(AssistRules, ListAndTipPlacement) {
    EXPECT_EQ(MemberListHeight(11, 16), 162);
    EXPECT_EQ(MemberListHeight(3, 16), 50);
    const ListPlacement below = PlaceMemberList(100, 16, 162, 768);
    EXPECT_TRUE(below.below);
    EXPECT_EQ(below.listY, 117);
    EXPECT_TRUE(below.tipAbove);
    const ListPlacement above = PlaceMemberList(700, 16, 162, 768);
    EXPECT_FALSE(above.below);
    EXPECT_EQ(above.listY, 537);
    EXPECT_EQ(above.tipY, 717);
    EXPECT_FALSE(above.tipAbove);
    // A tip passing the owner's right edge ends there; near the screen's bottom it goes above.
    const TipPlacement tip = PlaceTip(500, 200, false, 200, 30, 600, 768);
    EXPECT_EQ(tip.left + tip.width, 600);
    EXPECT_EQ(tip.top, 200);
    const TipPlacement low = PlaceTip(10, 750, false, 100, 30, 600, 768);
    EXPECT_TRUE(low.above);
    EXPECT_EQ(low.top, 750 - 34);
    EXPECT_GT(TipWrapWidth(10), 0); // a narrow owner still leaves room to wrap
}

} // namespace
