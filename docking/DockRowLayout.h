#pragma once
// The layout pass of a sizeable dock bar, without windows. It decides the rows first: a bar that does
// not fit what is left of its row, or a sizeable bar that has no place yet, starts a new row (sizeable
// bars moved so share their new row's length). Then it places the bars in the rows it decided, with
// the splitters between sizeable bars and between rows. Positions run along the rows and across them
// from the dock bar's client origin.

#include "docking/DockRowModel.h"

#include <string>
#include <vector>

namespace dock {

struct LayoutParams {
    int extent = 0;        // the length the rows may fill
    int overlap = 2;       // how far neighbours along a row overlap
    int overlapAcross = 2; // how far neighbouring rows overlap
    bool leading = false;  // a left or top dock bar: row splitters follow their rows, not lead them
    bool floating = false; // a floating dock bar: fixed bars keep no place and are not moved back
    int finalSplitterGrowth = kSplitterSize; // what the last row splitter of a leading dock bar adds
};

// Where a bar goes: its start along and across, its length and thickness.
struct Placement {
    int along = 0;
    int across = 0;
    int length = 0;
    int thickness = 0;
};

// A splitter, between two rows (it runs the dock bar's length) or between two bars of a row.
struct SplitterPlacement {
    bool betweenRows = false;
    int index = 0; // the entry it stands in front of (after the last row: the last entry)
    int row = 0;   // the first entry of the row whose thickness it changes (a splitter between rows)
    int along = 0, across = 0, alongEnd = 0, acrossEnd = 0;
};

struct Layout {
    Row entries;             // the rows decided: the input's entries, new boundaries, shared sizes
    std::vector<int> source; // per entry, the input entry it is; -1 for a boundary the pass added
    std::vector<Placement> placed;
    std::vector<SplitterPlacement> splitters;
    int alongSize = 0; // what the rows cover, from the size they were given
    int acrossSize = 0;
};

// Lays the rows of entries out; the size covered starts from baseAlong and baseAcross.
Layout LayOutRows(const Row& entries, const LayoutParams& params, int baseAlong = 0, int baseAcross = 0);

// Whether a layout keeps its rules: its rows hold together, every input entry is there once in its
// order, bars of a row follow each other and overlap no more than neighbours do, every bar lies in
// its row's band and the rows follow each other, a bar that is not the first of its row starts
// before the extent's end, and the size covers every bar.
bool checkInvariants(const Layout& layout, const Row& input, const LayoutParams& params,
                     std::string* why = nullptr);

} // namespace dock
