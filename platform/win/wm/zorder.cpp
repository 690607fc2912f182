// Sibling Z-order. Top-level windows keep topmost windows in a band above the others.

#include "platform/win/wm/wm.h"

#include <algorithm>

namespace pm::wm {
namespace {

bool topmost(const Window* w) {
    return (w->exStyle & WS_EX_TOPMOST) != 0;
}

std::size_t firstNonTopmost(const std::vector<Window*>& list) {
    std::size_t i = 0;
    while (i < list.size() && topmost(list[i]))
        ++i;
    return i;
}

} // namespace

void unlinkFromParent(Window* w) {
    if (!w->parent) return;
    auto& list = w->parent->children;
    list.erase(std::remove(list.begin(), list.end(), w), list.end());
}

void insertInZOrder(Window* w, HWND after) {
    auto& list = w->parent->children;
    bool top = w->parent == desktop();
    std::size_t pos = 0;
    if (after == HWND_TOPMOST && top) {
        w->exStyle |= WS_EX_TOPMOST;
        pos = 0;
    } else if (after == HWND_NOTOPMOST && top) {
        w->exStyle &= ~static_cast<DWORD>(WS_EX_TOPMOST);
        pos = firstNonTopmost(list);
    } else if (after == HWND_BOTTOM) {
        if (top) w->exStyle &= ~static_cast<DWORD>(WS_EX_TOPMOST);
        pos = list.size();
    } else if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
        pos = top && !topmost(w) ? firstNonTopmost(list) : 0;
    } else {
        auto it = std::find_if(list.begin(), list.end(), [&](Window* s) { return s->handle == after; });
        pos = it == list.end() ? 0 : static_cast<std::size_t>(it - list.begin()) + 1;
        if (top) {
            std::size_t band = firstNonTopmost(list);
            pos = topmost(w) ? std::min(pos, band) : std::max(pos, band);
        }
    }
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(pos), w);
}

} // namespace pm::wm
