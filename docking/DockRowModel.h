#pragma once
// The arithmetic of a sizeable dock bar's rows, kept apart from windows so it can be tested alone.
// A dock bar's entries are listed as in m_arrBars: a boundary opens the list and ends every row.
// Lengths run along a row, thickness across it. Sizeable bars share their row's length in
// proportion to their current lengths; fixed bars keep theirs.

#include <string>
#include <vector>

namespace dock {

// The gap a splitter takes between two sizeable bars, and the length a collapsed bar keeps.
constexpr int kSplitterSize = 8;
constexpr int kCollapsedLength = 21;

struct RowEntry {
    bool boundary = false; // a row boundary (a NULL entry), not a bar
    bool visible = true;   // a window that is visible; hidden bars take no part in a row
    bool sizeable = false; // a sizeable bar (shares its row's length)
    bool toolBar = false; // a sizeable tool bar: it shares like a sizeable bar but is laid out as a fixed one
    // The window's size along and across the row.
    int length = 0;
    int thickness = 0;
    // What the layout pass places: the size the bar asks for, where its window starts along the row,
    // and whether the bar has no place yet (its window is empty or lies wholly before the origin).
    int wantLength = 0;
    int wantThickness = 0;
    int start = 0;
    bool nowhere = false;
    // Expand state: the length and thickness before an expand, and whether the bar is expanded.
    int savedLength = 0;
    int savedThickness = 0;
    bool expanded = false;

    // A sizeable bar that has splitters beside it and takes part in dragging and expanding; a sizeable
    // tool bar does not.
    bool SplitsRow() const { return sizeable && !toolBar; }

    static RowEntry Boundary() {
        RowEntry e;
        e.boundary = true;
        return e;
    }
    static RowEntry Bar(int length, int thickness, bool sizeable, bool visible = true) {
        RowEntry e;
        e.length = e.wantLength = length;
        e.thickness = e.wantThickness = thickness;
        e.sizeable = sizeable;
        e.visible = visible;
        return e;
    }
};

using Row = std::vector<RowEntry>;

// A visible bar: one that takes part in its row.
inline bool TakesPart(const RowEntry& e) {
    return !e.boundary && e.visible;
}
inline int NonNegative(int v) {
    return v < 0 ? 0 : v;
}

struct RowStats {
    int sizeableLength = 0;
    int fixedLength = 0; // fixed bars plus the splitters that stand between neighbouring sizeable bars
    int thickness = 0;
    int fixedThickness = 0;
    int sizeableCount = 0;
    int barCount = 0;
    int totalLength = 0;
};

// Whether entries hold together as a dock bar's rows: they start and end with a boundary, and no size
// is negative. With why, the first broken rule is named there.
bool checkInvariants(const Row& entries, std::string* why = nullptr);

// The index of the first entry of the row that holds index (after its boundary).
int RowStart(const Row& entries, int index);
// The index of the boundary that ends the row holding index (entries.size() when there is none).
int RowEnd(const Row& entries, int index);

// The statistics of the visible bars from index to the end of their row.
RowStats RowStatistics(const Row& entries, int index);

// Gives the sizeable bars from index to the end of the row their share of length L (overlap B
// between neighbours): lengths in proportion to their current ones, integer floors, the row's
// greatest thickness as their thickness. FALSE when the row holds no sizeable bar.
bool ShareRowLength(Row& entries, int index, int length, int overlap);
// Shares every row to length L; TRUE when any row holds sizeable bars.
bool ShareAllRows(Row& entries, int length, int overlap);

// Takes up to amount of length from the visible sizeable bars walking back from index (forward
// from it), whole bars first; changes the lengths only with commit. The amount given; visited
// counts the bars walked. Walking forward, when the bars run out, the free room between the last
// bar's end and extent counts as given too.
int ShrinkBackward(Row& entries, int index, int amount, bool commit, int* visited = nullptr);
int ShrinkForward(Row& entries, int index, int amount, bool commit, int extent, int overlap,
                  int* visited = nullptr);

// The deltas a splitter may move by as far as its row allows (the frame's client bounds it too).
struct Range {
    int min = 0;
    int max = 0;
};

// A splitter between rows changes the thickness of the row that starts at rowStart: in a left or top
// dock bar (leading) it stands after that row, in a right or bottom one before it. The row never
// becomes thinner than its thickest fixed bar.
Range RowSplitterRange(const Row& entries, int rowStart, bool leading);
void MoveRowSplitter(Row& entries, int rowStart, bool leading, int delta);

// A splitter in front of the bar at index trades length: backward the sizeable bars before it give
// theirs to the first sizeable bar after it, forward those after it (and the free room up to extent)
// give theirs to the nearest one before it. With fewer than two sizeable bars taking part it does
// not move; the bar at the far end keeps kCollapsedLength.
Range InRowSplitterRange(const Row& entries, int index, int extent, int overlap);
void MoveInRowSplitter(Row& entries, int index, int delta, int extent, int overlap);

// A bar docked at index by a drag: the row's other bars share what the row held before less the new
// bar's length (and less a splitter when both it and another bar are sizeable). FALSE when no other
// bar of the row shares.
bool AdjustForNewBar(Row& entries, int index, int overlap);
// Bars that were hidden at the last layout (returned[i]) and are visible again take back their room:
// the other bars of their row share length less what the returning bars hold. TRUE when a row
// changed.
bool ReturnShownBars(Row& entries, const std::vector<bool>& returned, int length, int overlap);

// Expands the bar at index in its row (the other sizeable bars collapse to kCollapsedLength and
// give it their length), or with expand FALSE gives every bar of the row its saved size back.
void Expand(Row& entries, int index, bool expand);

// The row arrangement code: it changes when bars are added, removed, shown, hidden or moved
// between rows, so a layout knows when to share the rows again.
int ArrangementCode(const Row& entries);

// The number of visible bars other than exclude in the row that holds offset (across the rows, from
// the dock bar's origin); rows are as thick as their thickest bar less thinBy, and each boundary
// lies overlap before the sum. 0 in front of the first row or past the last.
int RowBarCount(const Row& entries, int offset, int exclude, int overlap, int thinBy = 0);

} // namespace dock
