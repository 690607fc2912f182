#pragma once
// Drawing a scroll bar and following a press on it (arrows and page areas repeat, the thumb is
// dragged), for the window scroll bars and the scroll-bar control alike.

#include "platform/win/controls/scroll_bar_model.h"

#include <functional>

namespace pm::ctl {

// Draws the bar into area; track is the brush of the page areas (null: the classic dither).
void drawScrollBar(HDC dc, const RECT& area, bool vertical, const ScrollState& s, bool enabled,
                   ScrollPart pressed, HBRUSH track);

// The layout of a bar drawn in area.
ScrollLayout layoutOf(const RECT& area, bool vertical, const ScrollState& s, bool enabled);

struct ScrollTarget {
    HWND capture = nullptr; // the window that holds the capture while tracking
    bool vertical = true;
    std::function<ScrollState*()> state; // null once the bar is gone
    std::function<RECT()> screenArea;
    std::function<void(int code, int pos)> notify;
    std::function<void(ScrollPart pressed)> redraw;
};

// Runs the modal tracking loop of a press at screen point `at`; returns when the button is released
// or the capture is lost.
void trackScrollBar(const ScrollTarget& target, POINT at);

} // namespace pm::ctl
