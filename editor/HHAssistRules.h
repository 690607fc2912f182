#pragma once
// Pure rules of the code-assistance control: line markers that follow their lines through edits,
// bookmark walking, the protected range, the member list's typed prefix, commit characters and
// order, and where the list and the tip go on the screen.

#include "editor/CHHLineMarker.h"
#include "editor/CHHMemberItem.h"

#include <functional>
#include <string_view>

namespace hh {

enum MarkerOperation { kMarkerClear = 0, kMarkerSet = 1, kMarkerToggle = 2 };

// Clears, sets or toggles bits on a line's record; a record left with no flag goes, and a line
// without one gets a new record when setting or toggling.
void ApplyLineMarker(CHHLineMarkerArray& markers, int line, int lineStart, BYTE bits, int operation);
// Clears bits in every record and drops the records left empty.
void ClearMarkerBits(CHHLineMarkerArray& markers, BYTE bits);
BYTE MarkerFlagsOf(const CHHLineMarkerArray& markers, int line);

// Moves the records' positions for the change [start, end) (deleted or inserted). A line start
// inside a deleted block takes its marks with it; a record is never moved before the change's
// start. The records' lines are left for RelineMarkers.
void MoveMarkerStarts(CHHLineMarkerArray& markers, bool deleted, int start, int end);
// Puts each record on the line lineOf gives for its position; records that end on one line are
// merged into the first. True when any record's line changed.
bool RelineMarkers(CHHLineMarkerArray& markers, const std::function<int(int)>& lineOf);
// MoveMarkerStarts, then RelineMarkers.
bool ShiftLineMarkers(CHHLineMarkerArray& markers, bool deleted, int start, int end,
                      const std::function<int(int)>& lineOf);

// Where two texts differ: [start, oldEnd) of the old text became [start, newEnd) of the new one.
struct ChangedSpan {
    int start = 0;
    int oldEnd = 0;
    int newEnd = 0;
};
ChangedSpan FindChangedSpan(std::string_view before, std::string_view after);

// The nearest line after (forward) or before the caret's line with all of flag, wrapping round
// the text; -1 when only the caret's line, or no line, has it.
int NextMarkedLine(const CHHLineMarkerArray& markers, BYTE flag, int caretLine, bool forward);

// The protected range: editable [S, E - 2] of a range (S, E); S < 0 is no range.
struct EditableRange {
    int start = -1;
    int end = 0;
};
// The selection clipped into the editable part; empty selections and ones wholly outside stay.
void ConstrainToRange(const EditableRange& range, int& selStart, int& selEnd);
// Where a caret at pos stands for typing, given the range of the part that ends the text (text
// length textLength): just past that part's closing line break, at E with nothing after it, no
// typing is taken, and the nearest place that takes it is the part's last editable position E - 2.
// Any other caret stays where it is.
int CaretForTyping(const EditableRange& last, int pos, int textLength);

// What a protected change looks like to the rules: which input caused it and the range [a, b).
enum ProtectedInput { kInputOther = 0, kInputEnter, kInputCut, kInputDelete, kInputBackspace };
struct ProtectedChange {
    int input = kInputOther;
    int a = 0;
    int b = 0;
    bool aStartsLine = false; // a is the start of its line
};
bool IsChangeAllowed(const EditableRange& range, const ProtectedChange& change);

// The characters that commit the list's selection before they are typed.
bool IsCommitChar(int ch);
bool IsWordChar(int ch);
// Length of the run of word characters at the start of text: the prefix typed since the anchor.
int TypedPrefixLength(std::string_view text);
// Whether text begins with prefix, without regard to case (ASCII letters).
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
// The list's order: by colour group first when byGroup, then by text without regard to case.
int CompareMemberItems(const CHHMemberItem& a, const CHHMemberItem& b, bool byGroup);

// The list shows at most ten rows.
int MemberListHeight(int items, int itemHeight);
// Below the line when it fits on the screen (the tip then goes above the line), else above the
// line with the tip below. pointY is the screen y of the line's top.
struct ListPlacement {
    bool below = true;
    int listY = 0;
    int tipY = 0;
    bool tipAbove = false;
};
ListPlacement PlaceMemberList(int pointY, int lineHeight, int listHeight, int screenHeight);

// The tip's window for a text measured textWidth by textHeight: at refX, moved left to end at the
// owner's right edge; above the reference point when below it would reach the screen's bottom.
struct TipPlacement {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool above = false;
};
TipPlacement PlaceTip(int refX, int refY, bool above, int textWidth, int textHeight, int ownerRight,
                      int screenHeight);
// The width the tip's text wraps in: the owner's width less 30, never below a usable minimum.
int TipWrapWidth(int ownerWidth);

} // namespace hh
