#include "docking/DockRowLayout.h"

#include "platform/win/pm_assert.h"

#include <algorithm>

namespace dock {

namespace {

// Where the next bar (or row) starts after one of this size: they overlap by their borders, but a bar
// thinner than its borders never has the next one start before it does.
int Next(int start, int size, int overlap) {
    return start + std::max(size - overlap, 0);
}

// One row while the rows are decided: its entries, where each came from, and which bars were moved
// here by this pass (they take the row's start and are not moved again).
struct Segment {
    Row entries;
    std::vector<int> source;
    std::vector<bool> settled;

    Segment Slice(int from, int to) const {
        Segment s;
        s.entries.assign(entries.begin() + from, entries.begin() + to);
        s.source.assign(source.begin() + from, source.begin() + to);
        s.settled.assign(settled.begin() + from, settled.begin() + to);
        return s;
    }
    int Size() const { return static_cast<int>(entries.size()); }
};

// A bar that must leave its row: before it a new row starts (sharing its length when the bar is
// sizeable), or, for a sizeable bar first in its row without a place, after it.
struct Break {
    enum Kind { none, before, after } kind = none;
    int at = -1;
    bool share = false;
};

// The bars of one row placed along it: their starts and the in-row splitters, up to the first bar
// that must go to a new row.
struct RowPass {
    std::vector<int> start;
    std::vector<std::pair<int, int>> splitters; // the entry a splitter stands in front of, its start
    Break brk;
};

RowPass PlaceAlong(const Segment& row, const LayoutParams& p) {
    RowPass out;
    out.start.assign(row.entries.size(), 0);
    const int B = p.overlap;
    const bool rowSplits = std::any_of(row.entries.begin(), row.entries.end(),
                                       [](const RowEntry& e) { return TakesPart(e) && e.SplitsRow(); });
    int pt = -B;
    bool first = true, previousSplits = false;
    for (int j = 0; j < row.Size(); ++j) {
        const RowEntry& e = row.entries[j];
        if (!TakesPart(e)) continue;
        const bool splits = e.SplitsRow();
        if (!first && splits && previousSplits) {
            out.splitters.emplace_back(j, pt);
            pt += kSplitterSize;
        }
        const int length = NonNegative(e.wantLength);
        const bool checked = !row.settled[j];
        int start = pt;
        if (!splits) {
            // A fixed bar keeps its place further along a row of fixed bars, and comes back into the
            // extent when it reaches past it; one with no room left starts a new row.
            if (checked && e.start > start && !p.floating && !previousSplits && !rowSplits) start = e.start;
            if (start + length > p.extent && !p.floating) start = std::max(p.extent - length, pt);
            if (checked && !first && start >= p.extent - B) {
                out.brk = Break{Break::before, j, false};
                return out;
            }
        } else if (checked && (e.nowhere || start >= p.extent - B)) {
            out.brk = first ? Break{Break::after, j, true} : Break{Break::before, j, true};
            return out;
        }
        out.start[j] = start;
        pt = Next(start, length, B);
        first = false;
        previousSplits = splits;
    }
    return out;
}

// The rows of one row of the input: it is split where a bar must leave it, and each part is decided
// again (a part without sizeable bars lets its tool bars keep their places), until every part fits.
void DecideRows(Segment row, const LayoutParams& p, std::vector<Segment>* rows,
                std::vector<RowPass>* passes) {
    RowPass pass = PlaceAlong(row, p);
    const Break brk = pass.brk;
    if (brk.kind == Break::none) {
        rows->push_back(std::move(row));
        passes->push_back(std::move(pass));
        return;
    }
    // The bar that leaves takes its new place for good: it is not moved on again in this pass.
    row.settled[brk.at] = true;
    row.entries[brk.at].nowhere = false;
    if (brk.kind == Break::before) {
        Segment rest = row.Slice(brk.at, row.Size());
        rest.entries[0].start = -p.overlap; // it starts the new row, wherever its window was
        if (brk.share) ShareRowLength(rest.entries, 0, p.extent, p.overlap);
        DecideRows(row.Slice(0, brk.at), p, rows, passes);
        DecideRows(std::move(rest), p, rows, passes);
        return;
    }
    // A sizeable bar first in its row without a place: a row of its own, the rest after it.
    Segment alone = row.Slice(0, brk.at + 1);
    ShareRowLength(alone.entries, 0, p.extent, p.overlap);
    DecideRows(std::move(alone), p, rows, passes);
    if (brk.at + 1 == row.Size()) return;
    Segment rest = row.Slice(brk.at + 1, row.Size());
    ShareRowLength(rest.entries, 0, p.extent, p.overlap);
    DecideRows(std::move(rest), p, rows, passes);
}

int AlongEnd(const Placement& at) {
    return at.along + at.length;
}

} // namespace

namespace {

// The rows decided, each with the pass that placed its bars along it and the input boundary that
// ends it (kAddedBoundary for one this pass adds, kNoBoundary after a last row the input left open).
constexpr int kAddedBoundary = -1, kNoBoundary = -2;

struct DecidedRows {
    std::vector<Segment> rows;
    std::vector<RowPass> passes;
    std::vector<int> boundaryAfter;
};

DecidedRows DecideAllRows(const Row& entries, const LayoutParams& p, int first) {
    DecidedRows out;
    Segment row;
    auto endRow = [&](int boundary) {
        const size_t before = out.rows.size();
        if (row.Size() > 0) DecideRows(std::move(row), p, &out.rows, &out.passes);
        row = Segment{};
        for (size_t k = before; k < out.rows.size(); ++k)
            out.boundaryAfter.push_back(k + 1 == out.rows.size() ? boundary : kAddedBoundary);
        if (out.rows.size() > before) return;
        // An empty row keeps its boundary.
        out.rows.emplace_back();
        out.passes.emplace_back();
        out.boundaryAfter.push_back(boundary);
    };
    for (int i = first; i < static_cast<int>(entries.size()); ++i) {
        if (entries[i].boundary) {
            endRow(i);
            continue;
        }
        row.entries.push_back(entries[i]);
        row.source.push_back(i);
        row.settled.push_back(false);
    }
    if (row.Size() > 0) endRow(kNoBoundary);
    return out;
}

// Places the bars of one decided row across the dock bar at `across`, with the splitters between
// its bars and, where one belongs, the splitter between it and the rows before; `across` moves on.
struct RowsState {
    int across = 0;
    bool previousRowSplits = false;
    int previousRow = 0; // the first entry of the last row that held a visible bar
};

void PlaceRow(const Segment& seg, const RowPass& pass, int base, const LayoutParams& p, RowsState& state,
              Layout& out) {
    int firstVisible = -1;
    bool rowSplits = false;
    for (int j = 0; j < seg.Size(); ++j) {
        if (!TakesPart(seg.entries[j])) continue;
        if (firstVisible < 0) firstVisible = j;
        rowSplits = rowSplits || seg.entries[j].SplitsRow();
    }
    if (firstVisible < 0) return;
    const bool splitterHere =
        p.leading ? state.previousRowSplits : rowSplits && !seg.entries[firstVisible].toolBar;
    if (splitterHere) {
        const int sized = p.leading ? state.previousRow : base;
        out.splitters.push_back(
            SplitterPlacement{true, base + firstVisible, sized, 0, state.across, 0, state.across});
        state.across += kSplitterSize;
    }
    int thickness = 0, alongEnd = -p.overlap;
    for (int j = 0; j < seg.Size(); ++j) {
        const RowEntry& e = seg.entries[j];
        if (!TakesPart(e)) continue;
        Placement& at = out.placed[base + j];
        at = Placement{pass.start[j], state.across, NonNegative(e.wantLength), NonNegative(e.wantThickness)};
        thickness = std::max(thickness, at.thickness);
        alongEnd = Next(at.along, at.length, p.overlap);
    }
    const int rowEnd = Next(state.across, thickness, p.overlapAcross);
    for (const auto& [j, along] : pass.splitters)
        out.splitters.push_back(
            SplitterPlacement{false, base + j, base, along, state.across, along + kSplitterSize, rowEnd});
    state.across = rowEnd;
    out.alongSize = std::max(out.alongSize, alongEnd);
    out.acrossSize = std::max(out.acrossSize, state.across);
    state.previousRowSplits = rowSplits;
    state.previousRow = base;
}

} // namespace

Layout LayOutRows(const Row& entries, const LayoutParams& p, int baseAlong, int baseAcross) {
    Layout out;
    out.alongSize = baseAlong;
    out.acrossSize = baseAcross;
    int first = 0;
    if (!entries.empty() && entries[0].boundary) {
        out.entries.push_back(entries[0]);
        out.source.push_back(0);
        first = 1;
    }
    // Rows first: each row of the input as the parts it must be split into.
    const DecidedRows decided = DecideAllRows(entries, p, first);
    // Then the bars placed in the rows decided, row after row across the dock bar.
    RowsState state;
    state.across = -p.overlapAcross;
    int lastIndex = 0;
    for (size_t r = 0; r < decided.rows.size(); ++r) {
        const Segment& seg = decided.rows[r];
        const int base = static_cast<int>(out.entries.size());
        out.entries.insert(out.entries.end(), seg.entries.begin(), seg.entries.end());
        out.source.insert(out.source.end(), seg.source.begin(), seg.source.end());
        out.placed.resize(out.entries.size());
        PlaceRow(seg, decided.passes[r], base, p, state, out);
        lastIndex = static_cast<int>(out.entries.size());
        if (decided.boundaryAfter[r] == kNoBoundary) continue;
        out.entries.push_back(RowEntry::Boundary());
        out.source.push_back(decided.boundaryAfter[r]);
    }
    out.placed.resize(out.entries.size());
    if (p.leading && state.previousRowSplits) {
        out.splitters.push_back(
            SplitterPlacement{true, lastIndex, state.previousRow, 0, state.across, 0, state.across});
        out.acrossSize += p.finalSplitterGrowth;
    }
    for (SplitterPlacement& s : out.splitters)
        if (s.betweenRows) {
            s.alongEnd = out.alongSize;
            s.acrossEnd = s.across + kSplitterSize;
        }
    PM_ASSERT(checkInvariants(out, entries, p));
    return out;
}

namespace {

bool Broken(std::string* why, const std::string& rule) {
    if (why) *why = rule;
    return false;
}

} // namespace

bool checkInvariants(const Layout& layout, const Row& input, const LayoutParams& p, std::string* why) {
    const Row& entries = layout.entries;
    const int n = static_cast<int>(entries.size());
    if (!input.empty() && input.front().boundary && input.back().boundary && !checkInvariants(entries, why))
        return false;
    if (static_cast<int>(layout.source.size()) != n || static_cast<int>(layout.placed.size()) != n)
        return Broken(why, "every entry has its source and its place");
    int next = 0;
    for (int i = 0; i < n; ++i) {
        const int s = layout.source[i];
        if (s < 0) {
            if (!entries[i].boundary) return Broken(why, "only boundaries are added");
            if (i == 0 || entries[i - 1].boundary || (i + 1 < n && entries[i + 1].boundary))
                return Broken(why, "an added boundary makes no empty row");
            continue;
        }
        if (s != next++) return Broken(why, "every input entry is there once, in its order");
        if (entries[i].boundary != input[s].boundary) return Broken(why, "bars stay bars");
    }
    if (next != static_cast<int>(input.size())) return Broken(why, "no input entry is lost");

    const int B = p.overlap, Bx = p.overlapAcross;
    int previousRowEnd = -Bx - 1; // where the last row ended across, less its overlap
    for (int i = 0; i < n; i = std::max(i + 1, RowEnd(entries, i))) {
        if (entries[i].boundary) continue;
        const int end = RowEnd(entries, i);
        const Placement* previous = nullptr;
        bool previousSplits = false;
        int thickness = 0;
        int rowAcross = 0;
        for (int j = i; j < end; ++j) {
            const RowEntry& e = entries[j];
            if (!TakesPart(e)) continue;
            const Placement& at = layout.placed[j];
            const std::string where = " (entry " + std::to_string(j) + ")";
            if (at.length < 0 || at.thickness < 0) return Broken(why, "a place has no negative size" + where);
            if (!previous) {
                rowAcross = at.across;
                if (at.along < -B) return Broken(why, "a row starts at its origin" + where);
                if (at.across < previousRowEnd) return Broken(why, "rows follow each other" + where);
            } else {
                const int gap = (previousSplits && e.SplitsRow()) ? kSplitterSize : 0;
                if (at.along < Next(previous->along, previous->length, B) + gap)
                    return Broken(why, "neighbours overlap no more than their borders" + where);
                if (at.along >= p.extent - B)
                    return Broken(why, "a bar after the first starts in the extent" + where);
                if (at.across != rowAcross)
                    return Broken(why, "a row's bars start across where it does" + where);
            }
            const int flow = previous ? Next(previous->along, previous->length, B) : -B;
            if (!e.SplitsRow() && !p.floating && AlongEnd(at) > p.extent && at.along != flow)
                return Broken(why, "a fixed bar that could go back into the extent does" + where);
            if (AlongEnd(at) - B > layout.alongSize || at.across + at.thickness - Bx > layout.acrossSize)
                return Broken(why, "the size covers every bar" + where);
            thickness = std::max(thickness, at.thickness);
            previous = &at;
            previousSplits = e.SplitsRow();
        }
        if (previous) previousRowEnd = Next(rowAcross, thickness, Bx);
    }
    return true;
}

} // namespace dock
