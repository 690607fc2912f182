#include "docking/DockRowModel.h"

#include <algorithm>

namespace dock {

namespace {

int Size(const Row& entries) { return static_cast<int>(entries.size()); }

bool TakesPart(const RowEntry& e) { return !e.boundary && e.visible; }

int NonNegative(int v) { return std::max(v, 0); }

} // namespace

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
        if (!TakesPart(e))
            continue;
        const int length = NonNegative(e.length);
        const int thickness = NonNegative(e.thickness);
        ++s.barCount;
        s.thickness = std::max(s.thickness, thickness);
        if (e.sizeable) {
            s.sizeableLength += length;
            ++s.sizeableCount;
            if (previousSizeable)
                s.fixedLength += kSplitterSize;
        } else {
            s.fixedLength += length;
            s.fixedThickness = std::max(s.fixedThickness, thickness);
        }
        previousSizeable = e.sizeable;
    }
    s.totalLength = s.fixedLength + s.sizeableLength;
    return s;
}

bool ShareRowLength(Row& entries, int index, int length, int overlap) {
    const RowStats s = RowStatistics(entries, index);
    if (s.sizeableCount == 0)
        return false;
    const long long available = static_cast<long long>(length) + overlap * s.barCount - s.fixedLength;
    long long remaining = available;
    for (int i = index; i < RowEnd(entries, index); ++i) {
        RowEntry& e = entries[i];
        if (!TakesPart(e) || !e.sizeable)
            continue;
        long long share = remaining;
        if (s.sizeableLength > 0)
            share = available * NonNegative(e.length) / s.sizeableLength;
        remaining -= share;
        e.length = static_cast<int>(std::max(share, 0LL));
        e.thickness = s.thickness;
    }
    return true;
}

bool ShareAllRows(Row& entries, int length, int overlap) {
    bool any = false;
    for (int i = 0; i < Size(entries); i = RowEnd(entries, i) + 1) {
        if (entries[i].boundary)
            continue;
        any = ShareRowLength(entries, i, length, overlap) || any;
    }
    return any;
}

namespace {

// Takes what remains from one bar: all of a shorter bar, else the remainder. The amount taken.
int Take(RowEntry& e, int remaining, bool commit) {
    const int length = NonNegative(e.length);
    const int taken = std::min(length, remaining);
    if (commit)
        e.length = length - taken;
    return taken;
}

// Where the last visible bar of the row from start ends, laid out from -overlap.
int RowExtentEnd(const Row& entries, int start, int overlap) {
    int pt = -overlap;
    int end = 0;
    bool previousSizeable = false;
    for (int i = start; i < RowEnd(entries, start); ++i) {
        const RowEntry& e = entries[i];
        if (!TakesPart(e))
            continue;
        if (e.sizeable && previousSizeable)
            pt += kSplitterSize;
        end = pt + NonNegative(e.length);
        pt = end - overlap;
        previousSizeable = e.sizeable;
    }
    return end;
}

} // namespace

int ShrinkBackward(Row& entries, int index, int amount, bool commit, int* visited) {
    int remaining = amount;
    int count = 0;
    for (int i = index; i >= 0 && !entries[i].boundary && remaining > 0; --i) {
        if (!TakesPart(entries[i]) || !entries[i].sizeable)
            continue;
        ++count;
        remaining -= Take(entries[i], remaining, commit);
    }
    if (visited)
        *visited = count;
    return amount - remaining;
}

int ShrinkForward(Row& entries, int index, int amount, bool commit, int extent, int overlap, int* visited) {
    const int freeRoom = NonNegative(extent - RowExtentEnd(entries, RowStart(entries, index), overlap));
    int remaining = amount;
    int count = 0;
    for (int i = index; i < RowEnd(entries, index) && remaining > 0; ++i) {
        if (!TakesPart(entries[i]) || !entries[i].sizeable)
            continue;
        ++count;
        remaining -= Take(entries[i], remaining, commit);
    }
    if (remaining > 0)
        remaining -= std::min(remaining, freeRoom);
    if (visited)
        *visited = count;
    return amount - remaining;
}

namespace {

void Save(RowEntry& e) {
    e.savedLength = e.length;
    e.savedThickness = e.thickness;
}

void Restore(RowEntry& e) {
    e.length = e.savedLength;
    e.thickness = e.savedThickness;
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
        if (i == index || !TakesPart(e) || !e.sizeable)
            continue;
        if (expand) {
            if (save)
                Save(e);
            given += e.length - kCollapsedLength;
            e.length = kCollapsedLength;
        } else {
            Restore(e);
        }
        e.expanded = false;
    }
    RowEntry& bar = entries[index];
    if (!expand) {
        Restore(bar);
    } else {
        if (save)
            Save(bar);
        bar.length += given;
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
        if (!e.visible)
            continue;
        ++count;
        a += 1;
        if (e.sizeable)
            a += static_cast<unsigned>(i);
    }
    return static_cast<int>(count | (a << 8));
}

int RowBarCount(const Row& entries, int offset, int exclude, int overlap, int thinBy) {
    int pos = 0;
    for (int i = 0; i < Size(entries); i = RowEnd(entries, i) + 1) {
        if (entries[i].boundary)
            continue;
        const int end = RowEnd(entries, i);
        int thickness = 0;
        int bars = 0;
        for (int j = i; j < end; ++j) {
            if (entries[j].visible)
                thickness = std::max(thickness, NonNegative(entries[j].thickness) - thinBy);
            if (j != exclude)
                ++bars;
        }
        const int rowEnd = pos + thickness - overlap;
        if (offset >= pos && offset < rowEnd)
            return bars;
        pos = rowEnd;
    }
    return 0;
}

} // namespace dock
