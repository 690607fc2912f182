// The list view's report geometry: rows of one height under the header, columns in the header's
// order, scrolling by whole rows vertically and by pixels horizontally.

#include "platform/win/commctrl/list_view.h"

#include <algorithm>

namespace pm::cc {
namespace {

constexpr int kCheckWidth = 16; // the state image column of LVS_EX_CHECKBOXES

} // namespace

int ListView::rowHeight() const {
    if (m_rowHeight > 0) return m_rowHeight;
    TEXTMETRIC tm = fontMetrics();
    int h = tm.tmHeight + 4;
    int cx = 0, cy = 0;
    if (m_small && ImageList_GetIconSize(m_small, &cx, &cy)) h = std::max(h, cy + 1);
    if (m_state && ImageList_GetIconSize(m_state, &cx, &cy)) h = std::max(h, cy + 1);
    if (m_exStyle & LVS_EX_CHECKBOXES) h = std::max(h, kCheckWidth);
    // A view without a size yet has no device to measure on: the height is measured again later.
    if (tm.tmHeight <= 0) return std::max(h, 1);
    m_rowHeight = std::max(h, 1);
    return m_rowHeight;
}

int ListView::headerHeight() const {
    if (!m_header || (style() & LVS_NOCOLUMNHEADER)) return 0;
    RECT rc{};
    GetWindowRect(m_header, &rc);
    return rc.bottom - rc.top;
}

int ListView::fullRows() const {
    int h = static_cast<int>(clientRect().bottom) - headerHeight();
    return std::max(0, h / rowHeight());
}

int ListView::totalWidth() const {
    int w = 0;
    for (const ListColumn& c : m_columns)
        w += c.width;
    return w;
}

int ListView::columnLeft(int column) const {
    int x = 0;
    for (int index : columnOrder()) {
        if (index == column) return x;
        x += m_columns[static_cast<std::size_t>(index)].width;
    }
    return x;
}

int ListView::rowTop(int i) const {
    return headerHeight() + (i - m_top) * rowHeight();
}

int ListView::stateWidth() const {
    int cx = 0, cy = 0;
    if (m_state && ImageList_GetIconSize(m_state, &cx, &cy)) return cx;
    return (m_exStyle & LVS_EX_CHECKBOXES) ? kCheckWidth : 0;
}

int ListView::iconWidth() const {
    int cx = 0, cy = 0;
    return m_small && ImageList_GetIconSize(m_small, &cx, &cy) ? cx : 0;
}

RECT ListView::itemRect(int i, int code) const {
    int top = rowTop(i), bottom = top + rowHeight();
    int left = -m_scrollX;
    if (code == LVIR_BOUNDS || (code == LVIR_SELECTBOUNDS && (m_exStyle & LVS_EX_FULLROWSELECT)))
        return RECT{left, top, left + totalWidth(), bottom};
    int first = m_columns.empty() ? 0 : m_columns[0].width;
    int x = left + (m_columns.empty() ? 0 : columnLeft(0));
    int indent = ownerData() ? 0 : m_rows[static_cast<std::size_t>(i)].indent * iconWidth();
    int icon = x + indent + stateWidth();
    int label = icon + iconWidth();
    if (code == LVIR_ICON) return RECT{icon, top, label, bottom};
    if (code == LVIR_LABEL) return RECT{label, top, std::max(label, x + first), bottom};
    return RECT{icon, top, std::max(label, x + first), bottom}; // LVIR_SELECTBOUNDS
}

RECT ListView::subItemRect(int i, int sub, int code) const {
    if (sub == 0) return itemRect(i, code);
    int top = rowTop(i), bottom = top + rowHeight();
    int left = columnLeft(sub) - m_scrollX, right = left + m_columns[static_cast<std::size_t>(sub)].width;
    if (code == LVIR_ICON) return RECT{left, top, left, bottom}; // no sub-item images
    return RECT{left, top, right, bottom};
}

int ListView::hitTest(LVHITTESTINFO& info, bool subItems) const {
    RECT client = clientRect();
    POINT pt = info.pt;
    info.flags = 0;
    info.iItem = -1;
    info.iSubItem = 0;
    if (pt.y < 0) info.flags |= LVHT_ABOVE;
    if (pt.y >= client.bottom) info.flags |= LVHT_BELOW;
    if (pt.x < 0) info.flags |= LVHT_TOLEFT;
    if (pt.x >= client.right) info.flags |= LVHT_TORIGHT;
    if (info.flags) return -1;
    int y = pt.y - headerHeight();
    int i = y < 0 ? -1 : m_top + y / rowHeight();
    int x = pt.x + m_scrollX;
    if (!valid(i) || x >= totalWidth()) {
        info.flags = LVHT_NOWHERE;
        return -1;
    }
    int column = -1, left = 0;
    for (int index : columnOrder()) {
        int w = m_columns[static_cast<std::size_t>(index)].width;
        if (x >= left && x < left + w) column = index;
        left += w;
    }
    RECT state = itemRect(i, LVIR_ICON), icon = state, label = itemRect(i, LVIR_LABEL);
    state.right = state.left;
    state.left -= stateWidth();
    UINT flags = LVHT_NOWHERE;
    if (column == 0 && pt.x >= state.left && pt.x < state.right)
        flags = LVHT_ONITEMSTATEICON;
    else if (column == 0 && pt.x >= icon.left && pt.x < icon.right)
        flags = LVHT_ONITEMICON;
    else if (column == 0 && pt.x >= label.left)
        flags = LVHT_ONITEMLABEL;
    else if (subItems || (m_exStyle & LVS_EX_FULLROWSELECT))
        flags = LVHT_ONITEMLABEL;
    info.flags = flags;
    if (flags == LVHT_NOWHERE) return -1;
    info.iItem = i;
    info.iSubItem = subItems ? std::max(0, column) : 0;
    return i;
}

void ListView::invalidateRow(int i) const {
    if (!valid(i) || i < m_top) return;
    RECT client = clientRect();
    int top = rowTop(i);
    if (top >= client.bottom) return;
    RECT rc{0, top, client.right, top + rowHeight()};
    InvalidateRect(m_hwnd, &rc, FALSE);
}

void ListView::setTop(int top) {
    int page = std::max(1, fullRows());
    top = std::clamp(top, 0, std::max(0, count() - page));
    if (top == m_top) return;
    m_top = top;
    updateScrollBars();
    RECT client = clientRect();
    RECT rows{0, headerHeight(), client.right, client.bottom};
    InvalidateRect(m_hwnd, &rows, FALSE);
}

void ListView::setScrollX(int x) {
    int width = static_cast<int>(clientRect().right);
    x = std::clamp(x, 0, std::max(0, totalWidth() - width));
    if (x == m_scrollX) return;
    m_scrollX = x;
    layoutHeader();
    updateScrollBars();
    redraw();
}

void ListView::layoutHeader() {
    if (!m_header) return;
    RECT client = clientRect();
    RECT area{0, 0, client.right, client.bottom};
    WINDOWPOS pos{};
    HDLAYOUT layout{&area, &pos};
    SendMessage(m_header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout));
    int height = (style() & LVS_NOCOLUMNHEADER) ? 0 : pos.cy;
    SetWindowPos(m_header, nullptr, -m_scrollX, 0, std::max<int>(client.right + m_scrollX, totalWidth()),
                 height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The scroll bars follow the rows and columns; showing or hiding one resizes the client area,
// which comes back here through WM_SIZE, so nested calls are skipped.
void ListView::updateScrollBars() {
    if (m_updatingBars || (style() & LVS_NOSCROLL)) return;
    m_updatingBars = true;
    RECT client = clientRect();
    SCROLLINFO v{sizeof v,
                 SIF_RANGE | SIF_PAGE | SIF_POS,
                 0,
                 std::max(0, count() - 1),
                 static_cast<UINT>(std::max(1, fullRows())),
                 m_top,
                 0};
    if (count() <= fullRows()) v.nMax = 0, v.nPage = 0;
    SetScrollInfo(m_hwnd, SB_VERT, &v, TRUE);
    SCROLLINFO h{sizeof h,
                 SIF_RANGE | SIF_PAGE | SIF_POS,
                 0,
                 std::max(0, totalWidth() - 1),
                 static_cast<UINT>(std::max<LONG>(1, client.right)),
                 m_scrollX,
                 0};
    if (totalWidth() <= client.right) h.nMax = 0, h.nPage = 0;
    SetScrollInfo(m_hwnd, SB_HORZ, &h, TRUE);
    m_updatingBars = false;
    RECT now = clientRect();
    if (now.right != client.right || now.bottom != client.bottom) {
        layoutHeader();
        setTop(m_top);
        setScrollX(m_scrollX);
    }
}

bool ListView::ensureVisible(int i, bool partial) {
    if (!valid(i)) return false;
    int page = std::max(1, fullRows());
    if (i < m_top)
        setTop(i);
    else if (i >= m_top + page && !(partial && i == m_top + page))
        setTop(i - page + 1);
    return true;
}

// LVM_SCROLL: dy in pixels, rounded to whole rows away from zero.
LRESULT ListView::scroll(int dx, int dy) {
    int h = rowHeight();
    int rows = dy / h + (dy % h > 0 ? 1 : dy % h < 0 ? -1 : 0);
    setTop(m_top + rows);
    setScrollX(m_scrollX + dx);
    return TRUE;
}

void ListView::onScroll(bool vertical, int code) {
    int page = vertical ? std::max(1, fullRows()) : std::max(1, static_cast<int>(clientRect().right));
    std::optional<int> pos = scrollTarget(vertical, code, vertical ? m_top : m_scrollX, vertical ? 1 : 8,
                                          page, vertical ? count() : totalWidth());
    if (!pos) return;
    if (vertical)
        setTop(*pos);
    else
        setScrollX(*pos);
}

} // namespace pm::cc
