#pragma once
// The state of one scroll bar (range, page, position, thumb tracking, disabled arrows) and its
// geometry along the bar's axis: arrows, page areas and thumb.

#include "platform/win/windows.h"

namespace pm::ctl {

struct ScrollState {
    int min = 0;
    int max = 100;
    UINT page = 0;
    int pos = 0;
    int trackPos = 0;
    bool tracking = false;
    UINT arrows = ESB_ENABLE_BOTH; // ESB_DISABLE_* bits

    // The highest position the range and page allow.
    int maxPos() const;
    // True when the range is larger than a page, so the bar has something to scroll.
    bool needed() const;
    // Applies the fields of info that its fMask names; returns the new position.
    int set(const SCROLLINFO& info);
    // Fills the fields of info that its fMask names.
    void get(SCROLLINFO& info) const;
    int shownPos() const { return tracking ? trackPos : pos; }
};

enum class ScrollPart { None, LineUp, PageUp, Thumb, PageDown, LineDown };

// Positions along the bar, from its start (top or left), for a bar `length` long.
struct ScrollLayout {
    int length = 0;
    int arrow = 0;      // length of each arrow button
    int thumbStart = 0; // 0 when there is no thumb
    int thumbSize = 0;

    static ScrollLayout compute(const ScrollState& s, int length, int arrowSize, bool enabled);
    ScrollPart hit(int at) const;
    int trackLength() const { return length - 2 * arrow; }
    // The position that puts the thumb's start at thumbAt.
    int posForThumb(const ScrollState& s, int thumbAt) const;
};

// The SB_ code a press on a part sends.
int scrollCode(ScrollPart part);

} // namespace pm::ctl
