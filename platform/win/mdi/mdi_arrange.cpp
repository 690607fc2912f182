// Arranging an MDI client's children: cascade, tile, and minimised children along the bottom.

#include "platform/win/mdi/mdi_client.h"

#include <algorithm>
#include <cmath>

namespace pm::mdi {
namespace {

bool isMdiChild(HWND c) {
    return (GetWindowLongPtr(c, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0;
}

void place(HWND c, int x, int y, int cx, int cy) {
    SetWindowPos(c, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

// Shown children in stacking order (topmost first), minimised ones or the others.
std::vector<HWND> MdiClient::arrangeable(UINT how, bool minimised) {
    std::vector<HWND> list;
    for (HWND c = GetWindow(m_hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (!isMdiChild(c) || !IsWindowVisible(c) || (IsIconic(c) != FALSE) != minimised) continue;
        if ((how & MDITILE_SKIPDISABLED) && !IsWindowEnabled(c)) continue;
        list.push_back(c);
    }
    return list;
}

RECT MdiClient::iconSlot(int index) const {
    RECT area = clientRect();
    int w = GetSystemMetrics(SM_CXMINIMIZED), h = GetSystemMetrics(SM_CYMINIMIZED);
    int perRow = std::max<int>(1, area.right / w);
    int col = index % perRow, row = index / perRow;
    return RECT{col * w, area.bottom - (row + 1) * h, (col + 1) * w, area.bottom - row * h};
}

int MdiClient::iconRows() const {
    int icons = 0;
    for (HWND c = GetWindow(m_hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (isMdiChild(c) && IsWindowVisible(c) && IsIconic(c)) ++icons;
    if (!icons) return 0;
    int perRow = std::max<int>(1, clientRect().right / GetSystemMetrics(SM_CXMINIMIZED));
    return (icons + perRow - 1) / perRow;
}

void MdiClient::placeIcon(HWND child) {
    std::vector<RECT> taken;
    for (HWND c = GetWindow(m_hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (c == child || !isMdiChild(c) || !IsWindowVisible(c) || !IsIconic(c)) continue;
        RECT r{};
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, m_hwnd, reinterpret_cast<POINT*>(&r), 2);
        taken.push_back(r);
    }
    for (int i = 0;; ++i) {
        RECT slot = iconSlot(i);
        bool free = std::none_of(taken.begin(), taken.end(), [&](const RECT& r) {
            RECT overlap{};
            return IntersectRect(&overlap, &r, &slot) != FALSE;
        });
        if (free || i > static_cast<int>(taken.size())) {
            place(child, slot.left, slot.top, slot.right - slot.left, slot.bottom - slot.top);
            return;
        }
    }
}

void MdiClient::arrangeIcons() {
    std::vector<HWND> icons;
    for (HWND c : children())
        if (IsWindowVisible(c) && IsIconic(c)) icons.push_back(c);
    for (std::size_t i = 0; i < icons.size(); ++i) {
        RECT slot = iconSlot(static_cast<int>(i));
        place(icons[i], slot.left, slot.top, slot.right - slot.left, slot.bottom - slot.top);
    }
}

// Children overlap from the top-left corner, each one a caption lower and further right, the
// topmost last, so that every caption shows.
void MdiClient::cascade(UINT how) {
    HoldBars hold(*this);
    if (maximised()) ShowWindow(m_active, SW_RESTORE);
    std::vector<HWND> list = arrangeable(how, false);
    arrangeIcons();
    if (list.empty()) return;
    RECT area = clientRect();
    area.bottom -= iconRows() * GetSystemMetrics(SM_CYMINIMIZED);
    int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
    int n = static_cast<int>(list.size());
    int cx = std::max<int>(area.right - step * (n - 1), area.right / 2);
    int cy = std::max<int>(area.bottom - step * (n - 1), area.bottom / 2);
    int fits = std::max<int>(1, (area.bottom - cy) / step + 1);
    for (int i = 0; i < n; ++i) {
        int k = (n - 1 - i) % fits;
        place(list[static_cast<std::size_t>(i)], k * step, k * step, cx, cy);
    }
}

// Children side by side (MDITILE_VERTICAL) or one above the other (MDITILE_HORIZONTAL); more than
// three go into a grid of about as many lines as windows per line.
void MdiClient::tile(UINT how) {
    HoldBars hold(*this);
    if (maximised()) ShowWindow(m_active, SW_RESTORE);
    std::vector<HWND> list = arrangeable(how, false);
    arrangeIcons();
    if (list.empty()) return;
    RECT area = clientRect();
    area.bottom -= iconRows() * GetSystemMetrics(SM_CYMINIMIZED);
    int n = static_cast<int>(list.size());
    int lines = n <= 3 ? n : static_cast<int>(std::ceil(std::sqrt(static_cast<double>(n))));
    bool columns = !(how & MDITILE_HORIZONTAL);
    int across = columns ? area.right : area.bottom;
    int along = columns ? area.bottom : area.right;
    int k = 0;
    for (int line = 0; line < lines; ++line) {
        // Later lines take the remainder, so the windows add up to n.
        int inLine = n <= 3 ? 1 : (n - k) / (lines - line);
        int a0 = across * line / lines, a1 = across * (line + 1) / lines;
        for (int j = 0; j < inLine; ++j, ++k) {
            int b0 = along * j / inLine, b1 = along * (j + 1) / inLine;
            HWND c = list[static_cast<std::size_t>(k)];
            if (columns)
                place(c, a0, b0, a1 - a0, b1 - b0);
            else
                place(c, b0, a0, b1 - b0, a1 - a0);
        }
    }
}

} // namespace pm::mdi
