#include "docking/DockRowModel.h"

#include <algorithm>
#include <limits>

namespace dock {

namespace {

int Size(const Row& entries) {
    return static_cast<int>(entries.size());
}

// The most a splitter drag asks of a row's bars.
constexpr int kRoomLimit = 16000;

// A sizeable bar that splitters, drags and expands act on.
bool Splits(const RowEntry& e) {
    return TakesPart(e) && e.SplitsRow();
}

bool Broken(std::string* why, const std::string& rule) {
    if (why) *why = rule;
    return false;
}

} // namespace

bool checkInvariants(const Row& entries, std::string* why) {
    if (entries.empty() || !entries.front().boundary) return Broken(why, "the rows start with a boundary");
    if (!entries.back().boundary) return Broken(why, "the rows end with a boundary");
    for (int i = 0; i < Size(entries); ++i) {
        const RowEntry& e = entries[i];
        if (e.boundary) continue;
        const std::string at = " (entry " + std::to_string(i) + ")";
        if (e.length < 0 || e.thickness < 0 || e.wantLength < 0 || e.wantThickness < 0)
            return Broken(why, "a bar's size is not negative" + at);
        if (e.savedLength < 0 || e.savedThickness < 0)
            return Broken(why, "a saved size is not negative" + at);
        if (e.expanded && !e.sizeable) return Broken(why, "only a sizeable bar is expanded" + at);
        if (e.toolBar && !e.sizeable) return Broken(why, "a sizeable tool bar is sizeable" + at);
    }
    return true;
}

int RowStart(const Row& entries, int index) {
    while (index > 0 && !entries[index - 1].boundary)
        --index;
    return index;
}

int RowEnd(const Row& entries, int index) {
    while (index < Size(entries) && !entries[index].boundary)
        ++index;
    return index;
}

RowStats RowStatistics(const Row& entries, int index) {
    RowStats s;
    bool previousSizeable = false;
    for (int i = index; i < RowEnd(entries, index); ++i) {
        const RowEntry& e = entries[i];
        if (!TakesPart(e)) continue;
        const int length = NonNegative(e.length);
        const int thickness = NonNegative(e.thickness);
        ++s.barCount;
        s.thickness = std::max(s.thickness, thickness);
        if (e.sizeable) {
            s.sizeableLength += length;
            ++s.sizeableCount;
            if (previousSizeable && e.SplitsRow()) s.fixedLength += kSplitterSize;
        } else {
            s.fixedLength += length;
            s.fixedThickness = std::max(s.fixedThickness, thickness);
        }
        previousSizeable = e.SplitsRow();
    }
    s.totalLength = s.fixedLength + s.sizeableLength;
    return s;
}

bool ShareRowLength(Row& entries, int index, int length, int overlap) {
    const RowStats s = RowStatistics(entries, index);
    if (s.sizeableCount == 0) return false;
    const long long available = static_cast<long long>(length) + overlap * s.barCount - s.fixedLength;
    long long remaining = available;
    for (int i = index; i < RowEnd(entries, index); ++i) {
        RowEntry& e = entries[i];
        if (!TakesPart(e) || !e.sizeable) continue;
        long long share = remaining;
        if (s.sizeableLength > 0) share = available * NonNegative(e.length) / s.sizeableLength;
        remaining -= share;
        e.length = e.wantLength = static_cast<int>(std::max(share, 0LL));
        e.thickness = e.wantThickness = s.thickness;
    }
    return true;
}

bool ShareAllRows(Row& entries, int length, int overlap) {
    bool any = false;
    for (int i = 0; i < Size(entries); i = RowEnd(entries, i) + 1) {
        if (entries[i].boundary) continue;
        any = ShareRowLength(entries, i, length, overlap) || any;
    }
    return any;
}

namespace {

// Takes what remains from one bar: all of a shorter bar, else the remainder. The amount taken.
int Take(RowEntry& e, int remaining, bool commit) {
    const int length = NonNegative(e.length);
    const int taken = std::min(length, remaining);
    if (commit) e.length = e.wantLength = length - taken;
    return taken;
}

void Grow(RowEntry& e, int by) {
    e.length = e.wantLength = NonNegative(e.length + by);
}

// Where the last visible bar of the row from start ends, laid out from -overlap.
int RowExtentEnd(const Row& entries, int start, int overlap) {
    int pt = -overlap;
    int end = 0;
    bool previousSizeable = false;
    for (int i = start; i < RowEnd(entries, start); ++i) {
        const RowEntry& e = entries[i];
        if (!TakesPart(e)) continue;
        if (e.SplitsRow() && previousSizeable) pt += kSplitterSize;
        end = pt + NonNegative(e.length);
        pt = end - overlap;
        previousSizeable = e.SplitsRow();
    }
    return end;
}

} // namespace

int ShrinkBackward(Row& entries, int index, int amount, bool commit, int* visited) {
    int remaining = amount;
    int count = 0;
    for (int i = index; i >= 0 && !entries[i].boundary && remaining > 0; --i) {
        if (!Splits(entries[i])) continue;
        ++count;
        remaining -= Take(entries[i], remaining, commit);
    }
    if (visited) *visited = count;
    return amount - remaining;
}

int ShrinkForward(Row& entries, int index, int amount, bool commit, int extent, int overlap, int* visited) {
    const int freeRoom = NonNegative(extent - RowExtentEnd(entries, RowStart(entries, index), overlap));
    int remaining = amount;
    int count = 0;
    for (int i = index; i < RowEnd(entries, index) && remaining > 0; ++i) {
        if (!Splits(entries[i])) continue;
        ++count;
        remaining -= Take(entries[i], remaining, commit);
    }
    if (remaining > 0) remaining -= std::min(remaining, freeRoom);
    if (visited) *visited = count;
    return amount - remaining;
}

Range RowSplitterRange(const Row& entries, int rowStart, bool leading) {
    const RowStats s = RowStatistics(entries, rowStart);
    Range r{std::numeric_limits<int>::min(), std::numeric_limits<int>::max()};
    if (leading)
        r.min = s.fixedThickness - s.thickness;
    else
        r.max = s.thickness - s.fixedThickness;
    return r;
}

void MoveRowSplitter(Row& entries, int rowStart, bool leading, int delta) {
    const RowStats s = RowStatistics(entries, rowStart);
    const int thickness = std::max(s.fixedThickness, s.thickness + (leading ? delta : -delta));
    for (int i = rowStart; i < RowEnd(entries, rowStart); ++i)
        if (entries[i].SplitsRow()) entries[i].thickness = entries[i].wantThickness = thickness;
}

Range InRowSplitterRange(const Row& entries, int index, int extent, int overlap) {
    Row probe = entries;
    int forwardBars = 0, backwardBars = 0;
    const int forward = ShrinkForward(probe, index, kRoomLimit, false, extent, overlap, &forwardBars);
    const int backward = ShrinkBackward(probe, index - 1, kRoomLimit, false, &backwardBars);
    if (forwardBars + backwardBars < 2) return Range{};
    return Range{-NonNegative(backward - kCollapsedLength), NonNegative(forward - kCollapsedLength)};
}

void MoveInRowSplitter(Row& entries, int index, int delta, int extent, int overlap) {
    if (delta < 0) {
        const int given = ShrinkBackward(entries, index - 1, -delta, true);
        for (int i = index; i < RowEnd(entries, index); ++i)
            if (Splits(entries[i])) {
                Grow(entries[i], given);
                return;
            }
        return;
    }
    const int given = ShrinkForward(entries, index, delta, true, extent, overlap);
    for (int i = index - 1; i > 0 && !entries[i].boundary; --i)
        if (Splits(entries[i])) {
            Grow(entries[i], given);
            return;
        }
}

bool AdjustForNewBar(Row& entries, int index, int overlap) {
    const int start = RowStart(entries, index);
    const RowStats before = RowStatistics(entries, start);
    const RowEntry added = entries[index];
    entries[index].visible = false; // the others share what the new bar leaves
    const RowStats others = RowStatistics(entries, start);
    int length = before.totalLength - NonNegative(added.length);
    if (added.SplitsRow() && others.sizeableCount > 0) length -= kSplitterSize;
    const bool shared = ShareRowLength(entries, start, NonNegative(length), overlap);
    entries[index] = added;
    return shared;
}

bool ReturnShownBars(Row& entries, const std::vector<bool>& returned, int length, int overlap) {
    auto wasHidden = [&](int i) { return i < static_cast<int>(returned.size()) && returned[i]; };
    bool changed = false;
    for (int start = 1; start < Size(entries); start = RowEnd(entries, start) + 1) {
        const int end = RowEnd(entries, start);
        Row others = entries;
        int returning = 0;
        bool returningSizeable = false;
        for (int i = start; i < end; ++i) {
            if (!wasHidden(i)) continue;
            others[i].visible = false;
            if (TakesPart(entries[i])) {
                returning += NonNegative(entries[i].length);
                returningSizeable = returningSizeable || entries[i].SplitsRow();
            }
        }
        if (!returning) continue;
        // Out of the dock bar's length, not the row's total: that would count the room the others
        // took while the bars were away twice. A returning sizeable bar brings its splitter back.
        const int splitter = returningSizeable ? kSplitterSize : 0;
        if (!ShareRowLength(others, start, NonNegative(length - returning - splitter), overlap)) continue;
        for (int i = start; i < end; ++i)
            if (others[i].visible) entries[i] = others[i];
        changed = true;
    }
    return changed;
}

namespace {

void Save(RowEntry& e) {
    e.savedLength = e.length;
    e.savedThickness = e.thickness;
}

void Restore(RowEntry& e) {
    e.length = e.wantLength = e.savedLength;
    e.thickness = e.wantThickness = e.savedThickness;
}

} // namespace

void Expand(Row& entries, int index, bool expand) {
    const int start = RowStart(entries, index);
    const int end = RowEnd(entries, index);
    bool otherExpanded = false;
    for (int i = start; i < end; ++i)
        otherExpanded = otherExpanded || (i != index && TakesPart(entries[i]) && entries[i].expanded);
    const bool save = !(expand && otherExpanded);

    int given = 0;
    for (int i = start; i < end; ++i) {
        RowEntry& e = entries[i];
        if (i == index || !Splits(e)) continue;
        if (expand) {
            if (save) Save(e);
            given += e.length - kCollapsedLength;
            e.length = e.wantLength = kCollapsedLength;
        } else {
            Restore(e);
        }
        e.expanded = false;
    }
    RowEntry& bar = entries[index];
    if (!expand) {
        Restore(bar);
    } else {
        if (save) Save(bar);
        // Neighbours shorter than a collapsed bar take room from it; it never goes below nothing.
        Grow(bar, given);
    }
    bar.expanded = expand;
}

int ArrangementCode(const Row& entries) {
    unsigned a = 0;
    unsigned count = 0;
    for (int i = 0; i < Size(entries); ++i) {
        const RowEntry& e = entries[i];
        if (e.boundary) {
            a *= 2;
            continue;
        }
        if (!e.visible) continue;
        ++count;
        a += 1;
        if (e.SplitsRow()) a += static_cast<unsigned>(i);
    }
    return static_cast<int>(count | (a << 8));
}

int RowBarCount(const Row& entries, int offset, int exclude, int overlap, int thinBy) {
    int pos = 0;
    for (int i = 0; i < Size(entries); i = RowEnd(entries, i) + 1) {
        if (entries[i].boundary) continue;
        const int end = RowEnd(entries, i);
        int thickness = 0;
        int bars = 0;
        for (int j = i; j < end; ++j) {
            if (entries[j].visible)
                thickness = std::max(thickness, NonNegative(entries[j].thickness) - thinBy);
            if (j != exclude) ++bars;
        }
        const int rowEnd = pos + thickness - overlap;
        if (offset >= pos && offset < rowEnd) return bars;
        pos = rowEnd;
    }
    return 0;
}

} // namespace dock
