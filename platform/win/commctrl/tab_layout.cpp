// Tab rows: filling, stretching and rotating so that the selected row touches the display area.

#include "platform/win/commctrl/tab_layout.h"

#include <algorithm>

namespace pm::cc {
namespace {

// Splits the tabs into rows no wider than `room`; a tab wider than the room gets a row of its own.
std::vector<int> fillRows(const std::vector<int>& widths, int room, bool multiline, int gap) {
    std::vector<int> rowOf(widths.size(), 0);
    int row = 0, used = 0;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        if (multiline && used > 0 && used + widths[i] > room) {
            ++row;
            used = 0;
        }
        rowOf[i] = row;
        used += widths[i] + gap;
    }
    return rowOf;
}

// A single row longer than the width starts at its first shown tab, and scrolls no further than to
// show its last tab whole in the room left of the up-down control.
void scrollRow(const TabLayoutInput& in, TabLayout& out) {
    std::vector<RECT>& rects = out.rects;
    out.overflow = !in.multiline && in.scrollerWidth > 0 && rects.back().right > in.width;
    if (!out.overflow) return;
    const int room = in.width - in.scrollerWidth;
    const int last = static_cast<int>(rects.size()) - 1;
    while (out.lastFirst < last &&
           rects.back().right - rects[static_cast<std::size_t>(out.lastFirst)].left + kTabMargin > room)
        ++out.lastFirst;
    out.firstShown = std::clamp(in.firstShown, 0, out.lastFirst);
    const int shift = rects[static_cast<std::size_t>(out.firstShown)].left - kTabMargin;
    for (RECT& r : rects) {
        r.left -= shift;
        r.right -= shift;
    }
}

} // namespace

TabLayout TabLayout::compute(const TabLayoutInput& in, int clientHeight) {
    TabLayout out;
    std::size_t n = in.widths.size();
    out.rects.resize(n);
    if (n == 0) return out;
    int gap = in.buttons ? kTabButtonGap : 0;
    int room = std::max(1, in.width - 2 * kTabMargin);
    out.rowOf = fillRows(in.widths, room, in.multiline, gap);
    out.rows = out.rowOf.back() + 1;
    int rowStep = in.itemHeight + gap;
    out.areaHeight = out.rows * rowStep - gap;

    // The selected tab's row goes last (next to the display area), the others keep their order.
    int selectedRow = in.selected >= 0 && static_cast<std::size_t>(in.selected) < n
                          ? out.rowOf[static_cast<std::size_t>(in.selected)]
                          : out.rows - 1;
    for (int row = 0; row < out.rows; ++row) {
        int place = (row - selectedRow - 1 + 2 * out.rows) % out.rows;
        // Bottom tabs stack downwards from the display area, so the last place is the highest row.
        int top = in.bottom ? clientHeight - kTabMargin - (place + 1) * rowStep + gap
                            : kTabMargin + place * rowStep;
        std::vector<std::size_t> members;
        int natural = 0;
        for (std::size_t i = 0; i < n; ++i)
            if (out.rowOf[i] == row) members.push_back(i), natural += in.widths[i] + gap;
        bool stretch = in.multiline && !in.ragged && out.rows > 1;
        int extra = stretch ? std::max(0, room - natural + gap) : 0;
        int x = kTabMargin;
        for (std::size_t k = 0; k < members.size(); ++k) {
            std::size_t i = members[k];
            int count = static_cast<int>(members.size());
            int share = extra / count + (static_cast<int>(k) < extra % count ? 1 : 0);
            int w = in.widths[i] + share;
            out.rects[i] = RECT{x, top, x + w, top + in.itemHeight};
            x += w + gap;
        }
    }
    scrollRow(in, out);
    return out;
}

} // namespace pm::cc
