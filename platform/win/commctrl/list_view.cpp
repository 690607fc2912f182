// The list view's rows, columns, states and messages.

#include "platform/win/commctrl/list_view.h"

#include <algorithm>
#include <cstring>

namespace pm::cc {
namespace {

constexpr int kLabelMax = 260;              // the text buffer offered with LVN_GETDISPINFO
constexpr std::size_t kAnswerMax = 1 << 16; // longest text read from a receiver's own buffer
constexpr int kReserveMax = 1 << 20;        // rows LVM_SETITEMCOUNT reserves room for at most

} // namespace

ListView::ListView(HWND hwnd, const CREATESTRUCT&) : Control(hwnd) {
    m_font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// ---- Notifications ----------------------------------------------------------------------------------

LRESULT ListView::notifyItem(UINT code, int item, int sub, UINT newState, UINT oldState, UINT changed,
                             POINT pt) const {
    NMLISTVIEW nm{};
    nm.iItem = item;
    nm.iSubItem = sub;
    nm.uNewState = newState;
    nm.uOldState = oldState;
    nm.uChanged = changed;
    nm.ptAction = pt;
    nm.lParam = valid(item) ? rowParam(item) : 0;
    return sendNotify(nm.hdr, code);
}

// Header notifications go on to the list's parent; widths, clicks and order changes act here too.
LRESULT ListView::headerNotify(NMHDR* nm) {
    HWND parent = GetParent(m_hwnd);
    LRESULT answer = parent ? SendMessage(parent, WM_NOTIFY, nm->idFrom, reinterpret_cast<LPARAM>(nm)) : 0;
    auto* h = reinterpret_cast<NMHEADER*>(nm);
    switch (nm->code) {
    case HDN_ITEMCHANGED:
        if (h->pitem && (h->pitem->mask & HDI_WIDTH) && h->iItem >= 0 && h->iItem < columnCount()) {
            m_columns[static_cast<std::size_t>(h->iItem)].width = h->pitem->cxy;
            updateScrollBars();
            redraw();
        }
        break;
    case HDN_ITEMCLICK:
        notifyItem(LVN_COLUMNCLICK, -1, h->iItem, 0, 0, 0);
        break;
    case HDN_ENDDRAG:
        redraw();
        break;
    default:
        break;
    }
    return answer;
}

// ---- Rows -------------------------------------------------------------------------------------------

int ListView::sortedPosition(const std::string& text) const {
    bool down = (style() & LVS_SORTDESCENDING) != 0;
    auto at =
        std::upper_bound(m_rows.begin(), m_rows.end(), text, [&](const std::string& t, const ListRow& r) {
            int c = ctl::compareNoCase(t, r.cells.empty() ? std::string() : r.cells[0].text);
            return down ? c > 0 : c < 0;
        });
    return static_cast<int>(at - m_rows.begin());
}

LRESULT ListView::insertItem(const LVITEM* item) {
    if (!item || item->iSubItem != 0 || item->iItem < 0 || ownerData()) return -1;
    ListRow row;
    row.cells.resize(1);
    if (item->mask & LVIF_TEXT) {
        if (item->pszText == LPSTR_TEXTCALLBACK)
            row.cells[0].callback = true;
        else if (item->pszText)
            row.cells[0].text = item->pszText;
    }
    if (item->mask & LVIF_IMAGE) row.image = item->iImage;
    if (item->mask & LVIF_PARAM) row.lParam = item->lParam;
    if (item->mask & LVIF_INDENT) row.indent = std::max(0, item->iIndent);
    UINT state = (item->mask & LVIF_STATE) ? (item->state & item->stateMask) : 0;
    if ((m_exStyle & LVS_EX_CHECKBOXES) && !(state & LVIS_STATEIMAGEMASK)) state |= INDEXTOSTATEIMAGEMASK(1);
    row.state = state & ~static_cast<UINT>(LVIS_FOCUSED | LVIS_SELECTED);
    int i = (style() & (LVS_SORTASCENDING | LVS_SORTDESCENDING)) && !row.cells[0].callback
                ? sortedPosition(row.cells[0].text)
                : std::min(item->iItem, count());
    m_rows.insert(m_rows.begin() + i, std::move(row));
    if (m_focus >= i) ++m_focus;
    if (m_mark >= i) ++m_mark;
    notifyItem(LVN_INSERTITEM, i, 0, 0, 0, 0);
    if (state & (LVIS_FOCUSED | LVIS_SELECTED)) changeState(i, state, LVIS_FOCUSED | LVIS_SELECTED);
    updateScrollBars();
    redraw();
    return i;
}

LRESULT ListView::setItem(const LVITEM* item) {
    if (!item || !valid(item->iItem)) return FALSE;
    int i = item->iItem;
    if (item->mask & LVIF_STATE)
        if (!changeState(i, item->state, item->stateMask)) return FALSE;
    if (ownerData()) return TRUE;
    if (item->mask & LVIF_TEXT) setItemText(i, item);
    if (item->iSubItem != 0) return TRUE;
    ListRow& row = m_rows[static_cast<std::size_t>(i)];
    if (item->mask & LVIF_IMAGE) row.image = item->iImage;
    if (item->mask & LVIF_PARAM) row.lParam = item->lParam;
    if (item->mask & LVIF_INDENT) row.indent = std::max(0, item->iIndent);
    invalidateRow(i);
    return TRUE;
}

void ListView::askDispInfo(LVITEM& item, std::vector<char>& buffer) const {
    NMLVDISPINFO nm{};
    nm.item = item;
    buffer.assign(kLabelMax, '\0');
    nm.item.pszText = buffer.data();
    nm.item.cchTextMax = kLabelMax;
    if (valid(item.iItem)) nm.item.lParam = rowParam(item.iItem);
    sendNotify(nm.hdr, LVN_GETDISPINFO);
    item.iImage = nm.item.iImage;
    item.state = nm.item.state;
    item.iIndent = nm.item.iIndent;
    if (!(item.mask & LVIF_TEXT)) return;
    const char* text = nm.item.pszText && nm.item.pszText != LPSTR_TEXTCALLBACK ? nm.item.pszText : "";
    std::size_t limit = text == buffer.data() ? buffer.size() - 1 : kAnswerMax;
    buffer.assign(text, text + strnlen(text, limit));
    buffer.push_back('\0');
}

std::string ListView::cellText(int i, int sub) const {
    if (!valid(i)) return {};
    if (!ownerData()) {
        const ListRow& row = m_rows[static_cast<std::size_t>(i)];
        if (sub < 0 || sub >= static_cast<int>(row.cells.size())) return {};
        if (!row.cells[static_cast<std::size_t>(sub)].callback)
            return row.cells[static_cast<std::size_t>(sub)].text;
    }
    LVITEM item{};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.iSubItem = sub;
    std::vector<char> buffer;
    askDispInfo(item, buffer);
    return std::string(buffer.data());
}

int ListView::rowImage(int i) const {
    if (!ownerData()) {
        int image = m_rows[static_cast<std::size_t>(i)].image;
        if (image != I_IMAGECALLBACK) return image;
    }
    LVITEM item{};
    item.mask = LVIF_IMAGE;
    item.iItem = i;
    item.iImage = I_IMAGENONE;
    std::vector<char> buffer;
    askDispInfo(item, buffer);
    return item.iImage;
}

LPARAM ListView::rowParam(int i) const {
    return ownerData() ? 0 : m_rows[static_cast<std::size_t>(i)].lParam;
}

bool ListView::isSelected(int i) const {
    return ownerData() ? m_owned.contains(i)
                       : (m_rows[static_cast<std::size_t>(i)].state & LVIS_SELECTED) != 0;
}

long long ListView::selectedCount() const {
    if (ownerData()) return m_owned.count();
    return std::count_if(m_rows.begin(), m_rows.end(),
                         [](const ListRow& r) { return (r.state & LVIS_SELECTED) != 0; });
}

UINT ListView::itemState(int i, UINT mask) const {
    if (!valid(i)) return 0;
    UINT state = (i == m_focus ? LVIS_FOCUSED : 0u) | (isSelected(i) ? LVIS_SELECTED : 0u);
    if (!ownerData()) return (state | m_rows[static_cast<std::size_t>(i)].state) & mask;
    UINT asked = mask & ~static_cast<UINT>(LVIS_FOCUSED | LVIS_SELECTED);
    if (asked) {
        LVITEM item{};
        item.mask = LVIF_STATE;
        item.iItem = i;
        item.stateMask = asked;
        std::vector<char> buffer;
        askDispInfo(item, buffer);
        state |= item.state & asked;
    }
    return state & mask;
}

LRESULT ListView::getItem(LVITEM* item) const {
    if (!item || !valid(item->iItem)) return FALSE;
    int i = item->iItem;
    if (item->mask & LVIF_TEXT) ctl::copyText(cellText(i, item->iSubItem), item->pszText, item->cchTextMax);
    if (item->mask & LVIF_STATE) item->state = itemState(i, item->stateMask);
    if (item->iSubItem != 0) return TRUE;
    if (item->mask & LVIF_IMAGE) item->iImage = rowImage(i);
    if (item->mask & LVIF_PARAM) item->lParam = rowParam(i);
    if (item->mask & LVIF_INDENT)
        item->iIndent = ownerData() ? 0 : m_rows[static_cast<std::size_t>(i)].indent;
    return TRUE;
}

LRESULT ListView::getItemText(int i, LVITEM* item) const {
    if (!item || !valid(i)) return 0;
    return ctl::copyText(cellText(i, item->iSubItem), item->pszText, item->cchTextMax);
}

LRESULT ListView::setItemText(int i, const LVITEM* item) {
    if (!item || !valid(i) || ownerData() || item->iSubItem < 0) return FALSE;
    ListRow& row = m_rows[static_cast<std::size_t>(i)];
    std::size_t sub = static_cast<std::size_t>(item->iSubItem);
    if (row.cells.size() <= sub) row.cells.resize(sub + 1);
    row.cells[sub].callback = item->pszText == LPSTR_TEXTCALLBACK;
    row.cells[sub].text = item->pszText && !row.cells[sub].callback ? item->pszText : "";
    invalidateRow(i);
    return TRUE;
}

LRESULT ListView::deleteItem(int i) {
    if (!valid(i)) return FALSE;
    notifyItem(LVN_DELETEITEM, i, 0, 0, 0, 0);
    if (!valid(i)) return FALSE; // the receiver deleted rows itself
    if (ownerData()) {
        m_owned.removeRow(i);
        --m_count;
    } else {
        m_rows.erase(m_rows.begin() + i);
    }
    if (m_focus == i) m_focus = -1;
    if (m_focus > i) --m_focus;
    if (m_mark >= i) --m_mark;
    setTop(m_top);
    updateScrollBars();
    redraw();
    return TRUE;
}

LRESULT ListView::deleteAll() {
    bool quiet = notifyItem(LVN_DELETEALLITEMS, -1, 0, 0, 0, 0) != 0;
    if (!ownerData() && !quiet)
        for (int i = 0; i < count(); ++i)
            notifyItem(LVN_DELETEITEM, i, 0, 0, 0, 0);
    m_rows.clear();
    m_owned.clear();
    m_count = 0;
    m_focus = m_mark = -1;
    m_top = m_scrollX = 0;
    m_hintFrom = m_hintTo = -1;
    updateScrollBars();
    redraw();
    return TRUE;
}

LRESULT ListView::setItemCount(int n) {
    n = std::max(0, n);
    if (!ownerData()) {
        m_rows.reserve(static_cast<std::size_t>(std::min(n, kReserveMax))); // a hint, not a promise
        return TRUE;
    }
    m_count = n;
    m_owned.truncate(n);
    if (m_focus >= n) m_focus = -1;
    if (m_mark >= n) m_mark = -1;
    m_hintFrom = m_hintTo = -1;
    setTop(m_top);
    updateScrollBars();
    redraw();
    return TRUE;
}

bool ListView::changeState(int i, UINT state, UINT mask) {
    if (i == -1) {
        changeStateAll(state, mask);
        return true;
    }
    if (!valid(i)) return false;
    UINT old = itemState(i, ~0u);
    UINT now = (old & ~mask) | (state & mask);
    if (now == old) return true;
    if ((now & LVIS_FOCUSED) && m_focus >= 0 && m_focus != i) changeState(m_focus, 0, LVIS_FOCUSED);
    if ((now & LVIS_SELECTED) && !(old & LVIS_SELECTED) && (style() & LVS_SINGLESEL)) deselectOthers(i);
    if (notifyItem(LVN_ITEMCHANGING, i, 0, now, old, LVIF_STATE) || !valid(i)) return false;
    if (now & LVIS_FOCUSED)
        m_focus = i;
    else if (m_focus == i)
        m_focus = -1;
    if (ownerData()) {
        m_owned.set(i, i, (now & LVIS_SELECTED) != 0);
    } else {
        m_rows[static_cast<std::size_t>(i)].state = now & ~static_cast<UINT>(LVIS_FOCUSED);
    }
    invalidateRow(i);
    notifyItem(LVN_ITEMCHANGED, i, 0, now, old, LVIF_STATE);
    return true;
}

void ListView::changeStateAll(UINT state, UINT mask) {
    if (!ownerData()) {
        for (int i = 0; i < count(); ++i)
            changeState(i, state, mask);
        return;
    }
    // Owner data: selection of every row in one notice, as item -1.
    UINT bits = mask & LVIS_SELECTED;
    if (bits) {
        bool on = (state & LVIS_SELECTED) != 0;
        if (!notifyItem(LVN_ITEMCHANGING, -1, 0, state & bits, ~state & bits, LVIF_STATE)) {
            m_owned.clear();
            if (on && m_count > 0) m_owned.set(0, m_count - 1, true);
            notifyItem(LVN_ITEMCHANGED, -1, 0, state & bits, ~state & bits, LVIF_STATE);
        }
    }
    if ((mask & LVIS_FOCUSED) && !(state & LVIS_FOCUSED) && m_focus >= 0)
        changeState(m_focus, 0, LVIS_FOCUSED);
    redraw();
}

void ListView::deselectOthers(int keep) {
    if (ownerData()) {
        bool others = m_owned.count() > (m_owned.contains(keep) ? 1 : 0);
        if (!others) return;
        bool kept = m_owned.contains(keep);
        changeStateAll(0, LVIS_SELECTED);
        if (kept) m_owned.set(keep, keep, true);
        return;
    }
    for (int i = 0; i < count(); ++i)
        if (i != keep && (m_rows[static_cast<std::size_t>(i)].state & LVIS_SELECTED))
            changeState(i, 0, LVIS_SELECTED);
}

void ListView::selectRange(int first, int last) {
    if (first > last) std::swap(first, last);
    if (!ownerData()) {
        for (int i = first; i <= last; ++i)
            changeState(i, LVIS_SELECTED, LVIS_SELECTED);
        return;
    }
    NMLVODSTATECHANGE nm{};
    nm.iFrom = first;
    nm.iTo = last;
    nm.uNewState = LVIS_SELECTED;
    nm.uOldState = 0;
    m_owned.set(first, last, true);
    sendNotify(nm.hdr, LVN_ODSTATECHANGED);
    redraw();
}

int ListView::nextItem(int start, UINT flags) const {
    UINT want = flags & (LVNI_FOCUSED | LVNI_SELECTED | LVNI_CUT | LVNI_DROPHILITED);
    bool up = (flags & LVNI_ABOVE) != 0;
    if (flags & (LVNI_TOLEFT | LVNI_TORIGHT)) return -1; // one column of rows in report mode
    if (want == LVNI_FOCUSED) {
        if (up) return m_focus >= 0 && m_focus < start ? m_focus : -1;
        return m_focus > start || (m_focus >= 0 && start < 0) ? m_focus : -1;
    }
    if (ownerData() && want == LVNI_SELECTED && !up) return m_owned.next(start);
    int step = up ? -1 : 1;
    int i = up ? std::min(start, count()) - 1 : std::max(start, -1) + 1;
    if (flags & (LVNI_ABOVE | LVNI_BELOW)) i = start + step;
    for (; i >= 0 && i < count(); i += step)
        if ((itemState(i, want) & want) == want) return i;
    return -1;
}

LRESULT ListView::sortItems(PFNLVCOMPARE compare, LPARAM data) {
    if (!compare || ownerData()) return FALSE;
    bool hadFocus = valid(m_focus);
    // The focus travels with its row: mark it, sort, find it again.
    if (hadFocus) m_rows[static_cast<std::size_t>(m_focus)].state |= LVIS_FOCUSED;
    std::stable_sort(m_rows.begin(), m_rows.end(), [&](const ListRow& a, const ListRow& b) {
        return compare(a.lParam, b.lParam, data) < 0;
    });
    m_focus = -1;
    for (int i = 0; hadFocus && i < count(); ++i)
        if (m_rows[static_cast<std::size_t>(i)].state & LVIS_FOCUSED) {
            m_rows[static_cast<std::size_t>(i)].state &= ~static_cast<UINT>(LVIS_FOCUSED);
            m_focus = i;
            break;
        }
    redraw();
    return TRUE;
}

void ListView::setExtendedStyle(DWORD mask, DWORD styles) {
    if (!mask) mask = ~0u;
    DWORD old = m_exStyle;
    m_exStyle = (m_exStyle & ~mask) | (styles & mask);
    m_rowHeight = 0;
    if ((m_exStyle & LVS_EX_CHECKBOXES) && !(old & LVS_EX_CHECKBOXES))
        for (ListRow& row : m_rows)
            if (!(row.state & LVIS_STATEIMAGEMASK)) row.state |= INDEXTOSTATEIMAGEMASK(1);
    if (m_header) {
        LONG_PTR hs = GetWindowLongPtr(m_header, GWL_STYLE);
        hs = (m_exStyle & LVS_EX_HEADERDRAGDROP) ? hs | HDS_DRAGDROP
                                                 : hs & ~static_cast<LONG_PTR>(HDS_DRAGDROP);
        SetWindowLongPtr(m_header, GWL_STYLE, hs);
    }
    updateScrollBars();
    redraw();
}

// ---- Columns ----------------------------------------------------------------------------------------

void ListView::syncHeaderItem(int i, UINT mask) const {
    if (!m_header) return;
    const ListColumn& c = m_columns[static_cast<std::size_t>(i)];
    HDITEM h{};
    h.mask = mask;
    h.cxy = c.width;
    h.pszText = const_cast<LPSTR>(c.text.c_str());
    h.fmt = (c.fmt & LVCFMT_JUSTIFYMASK) | HDF_STRING | ((c.fmt & LVCFMT_IMAGE) ? HDF_IMAGE : 0);
    h.iImage = c.image;
    SendMessage(m_header, HDM_SETITEM, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&h));
}

LRESULT ListView::insertColumn(int i, const LVCOLUMN* column) {
    if (!column || i < 0) return -1;
    i = std::min(i, columnCount());
    ListColumn c;
    if (column->mask & LVCF_FMT) c.fmt = column->fmt;
    if (column->mask & LVCF_WIDTH) c.width = std::max(0, column->cx);
    if ((column->mask & LVCF_TEXT) && column->pszText) c.text = column->pszText;
    if (column->mask & LVCF_IMAGE) c.image = column->iImage;
    c.subItem = (column->mask & LVCF_SUBITEM) ? column->iSubItem : i;
    if (i == 0) c.fmt &= ~LVCFMT_JUSTIFYMASK; // the first column is always left aligned
    m_columns.insert(m_columns.begin() + i, c);
    if (m_header) {
        HDITEM h{};
        h.mask =
            HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_IMAGE | ((column->mask & LVCF_ORDER) ? HDI_ORDER : 0);
        h.cxy = c.width;
        h.pszText = const_cast<LPSTR>(c.text.c_str());
        h.fmt = (c.fmt & LVCFMT_JUSTIFYMASK) | HDF_STRING | ((c.fmt & LVCFMT_IMAGE) ? HDF_IMAGE : 0);
        h.iImage = c.image;
        h.iOrder = column->iOrder;
        SendMessage(m_header, HDM_INSERTITEM, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&h));
    }
    updateScrollBars();
    redraw();
    return i;
}

LRESULT ListView::setColumn(int i, const LVCOLUMN* column) {
    if (!column || i < 0 || i >= columnCount()) return FALSE;
    ListColumn& c = m_columns[static_cast<std::size_t>(i)];
    if (column->mask & LVCF_FMT) c.fmt = i == 0 ? column->fmt & ~LVCFMT_JUSTIFYMASK : column->fmt;
    if (column->mask & LVCF_WIDTH) c.width = std::max(0, column->cx);
    if (column->mask & LVCF_TEXT) c.text = column->pszText ? column->pszText : "";
    if (column->mask & LVCF_IMAGE) c.image = column->iImage;
    if (column->mask & LVCF_SUBITEM) c.subItem = column->iSubItem;
    syncHeaderItem(i, HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_IMAGE);
    if (column->mask & LVCF_ORDER) {
        HDITEM h{};
        h.mask = HDI_ORDER;
        h.iOrder = column->iOrder;
        if (m_header)
            SendMessage(m_header, HDM_SETITEM, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&h));
    }
    updateScrollBars();
    redraw();
    return TRUE;
}

LRESULT ListView::getColumn(int i, LVCOLUMN* column) const {
    if (!column || i < 0 || i >= columnCount()) return FALSE;
    const ListColumn& c = m_columns[static_cast<std::size_t>(i)];
    if (column->mask & LVCF_FMT) column->fmt = c.fmt;
    if (column->mask & LVCF_WIDTH) column->cx = c.width;
    if (column->mask & LVCF_TEXT) ctl::copyText(c.text, column->pszText, column->cchTextMax);
    if (column->mask & LVCF_IMAGE) column->iImage = c.image;
    if (column->mask & LVCF_SUBITEM) column->iSubItem = c.subItem;
    if (column->mask & LVCF_ORDER) {
        std::vector<int> order = columnOrder();
        column->iOrder = static_cast<int>(std::find(order.begin(), order.end(), i) - order.begin());
    }
    return TRUE;
}

LRESULT ListView::deleteColumn(int i) {
    if (i < 0 || i >= columnCount()) return FALSE;
    m_columns.erase(m_columns.begin() + i);
    if (m_header) SendMessage(m_header, HDM_DELETEITEM, static_cast<WPARAM>(i), 0);
    for (ListRow& row : m_rows)
        if (static_cast<int>(row.cells.size()) > i && i > 0) row.cells.erase(row.cells.begin() + i);
    updateScrollBars();
    redraw();
    return TRUE;
}

int ListView::autoWidth(int i, bool useHeader) const {
    HDC dc = GetDC(m_hwnd);
    HGDIOBJ old = SelectObject(dc, font());
    auto widthOf = [dc](const std::string& s) {
        SIZE size{0, 0};
        GetTextExtentPoint32(dc, s.c_str(), static_cast<int>(s.size()), &size);
        return static_cast<int>(size.cx);
    };
    int sub = m_columns[static_cast<std::size_t>(i)].subItem;
    int widest = 0;
    int first = ownerData() ? m_top : 0;
    int last = ownerData() ? std::min(count(), m_top + fullRows() + 1) : count();
    for (int row = first; row < last; ++row)
        widest = std::max(widest, widthOf(cellText(row, sub)));
    widest += sub == 0 ? 4 + stateWidth() + iconWidth() : 12;
    if (useHeader) widest = std::max(widest, widthOf(m_columns[static_cast<std::size_t>(i)].text) + 12);
    SelectObject(dc, old);
    ReleaseDC(m_hwnd, dc);
    return widest;
}

LRESULT ListView::setColumnWidth(int i, int cx) {
    if (i < 0 || i >= columnCount()) return FALSE;
    int width = cx;
    if (cx == LVSCW_AUTOSIZE) width = autoWidth(i, false);
    if (cx == LVSCW_AUTOSIZE_USEHEADER) {
        width = autoWidth(i, true);
        if (i == columnCount() - 1) {
            std::vector<int> order = columnOrder();
            if (!order.empty() && order.back() == i)
                width = std::max(width, static_cast<int>(clientRect().right) - columnLeft(i));
        }
    }
    m_columns[static_cast<std::size_t>(i)].width = std::max(0, width);
    syncHeaderItem(i, HDI_WIDTH);
    updateScrollBars();
    redraw();
    return TRUE;
}

std::vector<int> ListView::columnOrder() const {
    std::vector<int> order(m_columns.size());
    for (std::size_t k = 0; k < order.size(); ++k)
        order[k] = static_cast<int>(k);
    if (m_header && !order.empty())
        SendMessage(m_header, HDM_GETORDERARRAY, order.size(), reinterpret_cast<LPARAM>(order.data()));
    return order;
}

// ---- Messages ---------------------------------------------------------------------------------------

LRESULT ListView::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT common = 0;
    if (msg == WM_SETFONT && m_header) SendMessage(m_header, WM_SETFONT, wParam, lParam);
    if (handleCommon(msg, wParam, lParam, common)) {
        if (msg == WM_SETFONT) m_rowHeight = 0, layoutHeader(), updateScrollBars();
        return common;
    }
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (msg) {
    case WM_CREATE: {
        DWORD hs = WS_CHILD | HDS_HORZ | HDS_FULLDRAG | ((style() & LVS_NOSORTHEADER) ? 0 : HDS_BUTTONS) |
                   ((style() & LVS_NOCOLUMNHEADER) ? 0 : WS_VISIBLE);
        m_header = CreateWindowEx(0, WC_HEADER, "", hs, 0, 0, 0, 0, m_hwnd, nullptr, nullptr, nullptr);
        SendMessage(m_header, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), 0);
        layoutHeader();
        return 0;
    }
    case WM_DESTROY:
        // Receivers free what their items' lParams own on LVN_DELETEITEM, so a list going away says
        // goodbye to its items, without repainting anything.
        if (count() > 0 && !notifyItem(LVN_DELETEALLITEMS, -1, 0, 0, 0, 0) && !ownerData())
            for (int i = 0; i < count(); ++i)
                notifyItem(LVN_DELETEITEM, i, 0, 0, 0, 0);
        m_rows.clear();
        m_count = 0;
        return defaultProc(msg, wParam, lParam);
    case WM_SIZE:
        layoutHeader();
        setTop(m_top);
        updateScrollBars();
        return 0;
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (valid(m_focus) || count() > 0) redraw();
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_VSCROLL:
    case WM_HSCROLL:
        onScroll(msg == WM_VSCROLL, LOWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        setTop(m_top - 3 * (static_cast<short>(HIWORD(wParam)) / WHEEL_DELTA));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        mouseDown(pt, wParam, msg == WM_RBUTTONDOWN);
        return 0;
    case WM_MOUSEMOVE:
        mouseMove(pt);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        if (mouseUp(pt, msg == WM_RBUTTONUP) || msg == WM_LBUTTONUP) return 0;
        return defaultProc(msg, wParam, lParam); // WM_CONTEXTMENU
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
        clickNotify(msg == WM_LBUTTONDBLCLK ? NM_DBLCLK : NM_RDBLCLK, pt);
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != m_hwnd) m_pressed = false;
        return 0;
    case WM_KEYDOWN:
        keyDown(wParam);
        return 0;
    case WM_NOTIFY: {
        auto* nm = reinterpret_cast<NMHDR*>(lParam);
        if (nm && nm->hwndFrom == m_header) return headerNotify(nm);
        return 0;
    }
    case LVM_GETITEMCOUNT:
        return count();
    case LVM_SETITEMCOUNT:
        return setItemCount(static_cast<int>(wParam));
    case LVM_INSERTITEMA:
        return insertItem(reinterpret_cast<const LVITEM*>(lParam));
    case LVM_SETITEMA:
        return setItem(reinterpret_cast<const LVITEM*>(lParam));
    case LVM_GETITEMA:
        return getItem(reinterpret_cast<LVITEM*>(lParam));
    case LVM_DELETEITEM:
        return deleteItem(static_cast<int>(wParam));
    case LVM_DELETEALLITEMS:
        return deleteAll();
    case LVM_GETITEMTEXTA:
        return getItemText(static_cast<int>(wParam), reinterpret_cast<LVITEM*>(lParam));
    case LVM_SETITEMTEXTA:
        return setItemText(static_cast<int>(wParam), reinterpret_cast<const LVITEM*>(lParam));
    case LVM_SETITEMSTATE: {
        auto* item = reinterpret_cast<const LVITEM*>(lParam);
        if (!item) return FALSE;
        int i = static_cast<int>(wParam);
        if (i != -1 && !valid(i)) return FALSE;
        if (!changeState(i, item->state, item->stateMask)) return FALSE;
        if (i >= 0 && (item->stateMask & item->state & LVIS_SELECTED)) m_mark = i;
        return TRUE;
    }
    case LVM_GETITEMSTATE:
        return itemState(static_cast<int>(wParam), static_cast<UINT>(lParam));
    case LVM_GETNEXTITEM:
        return nextItem(static_cast<int>(wParam), static_cast<UINT>(LOWORD(lParam)));
    case LVM_GETSELECTEDCOUNT:
        return static_cast<LRESULT>(selectedCount());
    case LVM_GETSELECTIONMARK:
        return m_mark;
    case LVM_SETSELECTIONMARK: {
        int old = m_mark;
        m_mark = valid(static_cast<int>(lParam)) ? static_cast<int>(lParam) : -1;
        return old;
    }
    case LVM_SORTITEMS:
        return sortItems(reinterpret_cast<PFNLVCOMPARE>(lParam), static_cast<LPARAM>(wParam));
    case LVM_INSERTCOLUMNA:
        return insertColumn(static_cast<int>(wParam), reinterpret_cast<const LVCOLUMN*>(lParam));
    case LVM_SETCOLUMNA:
        return setColumn(static_cast<int>(wParam), reinterpret_cast<const LVCOLUMN*>(lParam));
    case LVM_GETCOLUMNA:
        return getColumn(static_cast<int>(wParam), reinterpret_cast<LVCOLUMN*>(lParam));
    case LVM_DELETECOLUMN:
        return deleteColumn(static_cast<int>(wParam));
    case LVM_GETCOLUMNWIDTH:
        return wParam < m_columns.size() ? m_columns[wParam].width : 0;
    case LVM_SETCOLUMNWIDTH:
        return setColumnWidth(static_cast<int>(wParam), static_cast<int>(static_cast<short>(LOWORD(lParam))));
    case LVM_GETCOLUMNORDERARRAY: {
        auto* out = reinterpret_cast<int*>(lParam);
        if (!out || wParam != m_columns.size()) return FALSE;
        std::vector<int> order = columnOrder();
        std::copy(order.begin(), order.end(), out);
        return TRUE;
    }
    case LVM_SETCOLUMNORDERARRAY: {
        LRESULT ok = m_header ? SendMessage(m_header, HDM_SETORDERARRAY, wParam, lParam) : FALSE;
        redraw();
        return ok;
    }
    case LVM_GETHEADER:
        return reinterpret_cast<LRESULT>(m_header);
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
        DWORD old = m_exStyle;
        setExtendedStyle(static_cast<DWORD>(wParam), static_cast<DWORD>(lParam));
        return old;
    }
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
        return m_exStyle;
    case LVM_SETIMAGELIST: {
        HIMAGELIST* slot = wParam == LVSIL_SMALL ? &m_small : wParam == LVSIL_STATE ? &m_state : &m_normal;
        HIMAGELIST old = *slot;
        *slot = reinterpret_cast<HIMAGELIST>(lParam);
        m_rowHeight = 0;
        setTop(m_top);
        updateScrollBars();
        redraw();
        return reinterpret_cast<LRESULT>(old);
    }
    case LVM_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(wParam == LVSIL_SMALL   ? m_small
                                         : wParam == LVSIL_STATE ? m_state
                                                                 : m_normal);
    case LVM_GETTEXTCOLOR:
        return textColour();
    case LVM_SETTEXTCOLOR:
        m_text = static_cast<COLORREF>(lParam);
        redraw();
        return TRUE;
    case LVM_GETBKCOLOR:
        return backColour();
    case LVM_SETBKCOLOR:
        m_back = static_cast<COLORREF>(lParam);
        redraw();
        return TRUE;
    case LVM_GETTEXTBKCOLOR:
        return m_textBack == CLR_DEFAULT ? backColour() : m_textBack;
    case LVM_SETTEXTBKCOLOR:
        m_textBack = static_cast<COLORREF>(lParam);
        redraw();
        return TRUE;
    case LVM_GETTOPINDEX:
        return count() ? m_top : 0;
    case LVM_GETCOUNTPERPAGE:
        return fullRows();
    case LVM_ENSUREVISIBLE:
        return ensureVisible(static_cast<int>(wParam), lParam != 0);
    case LVM_SCROLL:
        return scroll(static_cast<int>(wParam), static_cast<int>(lParam));
    case LVM_REDRAWITEMS:
        for (int i = std::max(0, static_cast<int>(wParam));
             i <= static_cast<int>(lParam) && i < m_top + fullRows() + 1; ++i)
            invalidateRow(i);
        return TRUE;
    case LVM_UPDATE:
        invalidateRow(static_cast<int>(wParam));
        return TRUE;
    case LVM_GETORIGIN: {
        auto* p = reinterpret_cast<POINT*>(lParam);
        if (p) *p = POINT{m_scrollX, 0};
        return FALSE; // report mode has no origin
    }
    case LVM_GETVIEWRECT: {
        auto* rc = reinterpret_cast<RECT*>(lParam);
        if (!rc) return FALSE;
        *rc = RECT{-m_scrollX, 0, totalWidth() - m_scrollX, count() * rowHeight()};
        return TRUE;
    }
    case LVM_GETITEMRECT: {
        auto* rc = reinterpret_cast<RECT*>(lParam);
        int i = static_cast<int>(wParam);
        if (!rc || !valid(i)) return FALSE;
        *rc = itemRect(i, static_cast<int>(rc->left));
        return TRUE;
    }
    case LVM_GETSUBITEMRECT: {
        auto* rc = reinterpret_cast<RECT*>(lParam);
        int i = static_cast<int>(wParam);
        if (!rc || !valid(i) || rc->top < 0 || rc->top >= std::max(1, columnCount())) return FALSE;
        *rc = subItemRect(i, static_cast<int>(rc->top), static_cast<int>(rc->left));
        return TRUE;
    }
    case LVM_HITTEST:
    case LVM_SUBITEMHITTEST: {
        auto* info = reinterpret_cast<LVHITTESTINFO*>(lParam);
        return info ? hitTest(*info, msg == LVM_SUBITEMHITTEST) : -1;
    }
    default:
        return defaultProc(msg, wParam, lParam);
    }
}

void registerListViewClass() {
    ctl::registerControlClass(WC_LISTVIEW, ctl::controlProc<ListView>, CS_DBLCLKS, IDC_ARROW);
}

} // namespace pm::cc
