#pragma once
// Where the tabs of a tab control go: one row, or rows of a multi-line control with the selected
// tab's row moved next to the display area and the other rows following in turn. A single row too
// long for the control is scrolled: it starts at a chosen tab, the tabs before it left of the
// control.

#include "platform/win/wintypes.h"

#include <vector>

namespace pm::cc {

struct TabLayoutInput {
    std::vector<int> widths; // natural width of each tab
    int width = 0;           // of the control's client area
    int itemHeight = 0;
    int selected = -1;
    bool multiline = false;
    bool bottom = false;
    bool buttons = false;
    bool ragged = false; // multi-line rows keep natural widths instead of filling the row
    // A single row longer than the width scrolls when the control has room for its up-down control
    // of this width (0: the row never scrolls): the row then starts at its tab firstShown.
    int scrollerWidth = 0;
    int firstShown = 0;
};

struct TabLayout {
    std::vector<RECT> rects; // per tab, client coordinates
    std::vector<int> rowOf;  // per tab, the row it was placed in (0: the first filled)
    int rows = 0;
    int areaHeight = 0;    // of every row of tabs together
    bool overflow = false; // the single row is longer than the width and scrolls
    int firstShown = 0;    // the tab at the left margin of a scrolled row (firstShown, at most lastFirst)
    int lastFirst = 0;     // the first tab that shows the last tab whole left of the up-down control

    static TabLayout compute(const TabLayoutInput& in, int clientHeight);
};

// The gap between rows of buttons and the margin before the first tab.
constexpr int kTabButtonGap = 3;
constexpr int kTabMargin = 2;

} // namespace pm::cc
