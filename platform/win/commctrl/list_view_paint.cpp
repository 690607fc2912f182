// The list view's painting: only the rows the update region touches, with NM_CUSTOMDRAW for the
// whole control, each row and each sub-item, before and after, as the receiver asks.

#include "platform/win/commctrl/list_view.h"

#include <algorithm>

namespace pm::cc {
namespace {

constexpr int kCheckBox = 13;

} // namespace

COLORREF ListView::textColour() const {
    return m_text == CLR_DEFAULT ? GetSysColor(COLOR_WINDOWTEXT) : m_text;
}

COLORREF ListView::backColour() const {
    return m_back == CLR_DEFAULT || m_back == CLR_NONE ? GetSysColor(COLOR_WINDOW) : m_back;
}

LRESULT ListView::customDraw(HDC dc, DWORD stage, const RECT& rc, int item, int sub, COLORREF& text,
                             COLORREF& back) const {
    NMLVCUSTOMDRAW nm{};
    nm.nmcd.dwDrawStage = stage;
    nm.nmcd.hdc = dc;
    nm.nmcd.rc = rc;
    if (valid(item)) {
        nm.nmcd.dwItemSpec = static_cast<DWORD_PTR>(item);
        nm.nmcd.uItemState =
            (isSelected(item) ? CDIS_SELECTED : 0u) | (item == m_focus && hasFocus() ? CDIS_FOCUS : 0u);
        nm.nmcd.lItemlParam = rowParam(item);
    }
    nm.clrText = text;
    nm.clrTextBk = back;
    nm.iSubItem = sub;
    LRESULT answer = sendNotify(nm.nmcd.hdr, NM_CUSTOMDRAW);
    text = nm.clrText;
    back = nm.clrTextBk;
    return answer;
}

void ListView::cacheHint(int first, int last) {
    if (first >= m_hintFrom && last <= m_hintTo) return;
    NMLVCACHEHINT nm{};
    nm.iFrom = first;
    nm.iTo = last;
    m_hintFrom = first;
    m_hintTo = last;
    sendNotify(nm.hdr, LVN_ODCACHEHINT);
}

// The check box or state image and the small icon at the left of the first column.
void ListView::drawImages(HDC dc, int i, const RECT& cell, bool selected) {
    RECT icon = itemRect(i, LVIR_ICON);
    // Owner data is asked for states only when something shows them.
    UINT wanted = (m_state || (m_exStyle & LVS_EX_CHECKBOXES) ? LVIS_STATEIMAGEMASK : 0u) |
                  (m_small ? LVIS_OVERLAYMASK : 0u);
    UINT state = wanted ? itemState(i, wanted) : 0u;
    int stateImage = static_cast<int>(state >> 12);
    int cy = rowHeight();
    if (m_state && stateImage > 0) {
        ImageList_Draw(m_state, stateImage - 1, dc, icon.left - stateWidth(), cell.top, ILD_TRANSPARENT);
    } else if ((m_exStyle & LVS_EX_CHECKBOXES) && stateImage > 0) {
        int left = icon.left - stateWidth() + (stateWidth() - kCheckBox) / 2,
            top = cell.top + (cy - kCheckBox) / 2;
        RECT box{left, top, left + kCheckBox, top + kCheckBox};
        DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | (stateImage == 2 ? DFCS_CHECKED : 0));
    }
    int image = m_small ? rowImage(i) : I_IMAGENONE;
    if (!m_small || image < 0) return;
    int cx = 0, icy = 0;
    ImageList_GetIconSize(m_small, &cx, &icy);
    UINT flags = ILD_TRANSPARENT | (selected ? ILD_SELECTED : 0u) | (state & LVIS_OVERLAYMASK);
    ImageList_Draw(m_small, image, dc, icon.left, cell.top + (cy - icy) / 2, flags);
}

void ListView::drawCell(HDC dc, int i, int sub, const RECT& cell, COLORREF text, COLORREF back,
                        bool customColours) {
    bool fullRow = (m_exStyle & LVS_EX_FULLROWSELECT) != 0;
    bool focused = hasFocus();
    bool highlight = isSelected(i) && (focused || (style() & LVS_SHOWSELALWAYS)) && (fullRow || sub == 0);
    RECT label = cell;
    if (sub == 0) label.left = itemRect(i, LVIR_ICON).right;
    if (highlight) {
        ctl::fillSolid(dc, label, GetSysColor(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
        text = GetSysColor(focused ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
    } else if ((customColours || m_textBack != CLR_DEFAULT) && back != CLR_NONE && back != CLR_DEFAULT) {
        ctl::fillSolid(dc, label, back);
    }
    if (sub == 0) drawImages(dc, i, cell, highlight && focused);
    std::string s = cellText(i, sub);
    if (s.empty()) return;
    int fmt = 0;
    for (const ListColumn& c : m_columns)
        if (c.subItem == sub) fmt = c.fmt;
    UINT align = (fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT    ? DT_RIGHT
                 : (fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_CENTER ? DT_CENTER
                                                               : DT_LEFT;
    RECT rc = label;
    rc.left += sub == 0 ? 2 : 6;
    rc.right -= 6;
    if (rc.right <= rc.left) return;
    SetTextColor(dc, text == CLR_DEFAULT ? textColour() : text);
    DrawText(dc, s.c_str(), static_cast<int>(s.size()), &rc,
             align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void ListView::drawRow(HDC dc, int i, const std::vector<int>& order, DWORD drawFlags) {
    RECT row = itemRect(i, LVIR_BOUNDS);
    COLORREF text = textColour(), back = m_textBack == CLR_DEFAULT ? backColour() : m_textBack;
    COLORREF text0 = text, back0 = back;
    HGDIOBJ oldFont = SelectObject(dc, font());
    LRESULT r = 0;
    if (drawFlags & CDRF_NOTIFYITEMDRAW) r = customDraw(dc, CDDS_ITEMPREPAINT, row, i, 0, text, back);
    if (!(r & CDRF_SKIPDEFAULT)) {
        bool custom = text != text0 || back != back0;
        int x = -m_scrollX;
        for (int column : order) {
            const ListColumn& c = m_columns[static_cast<std::size_t>(column)];
            RECT cell{x, row.top, x + c.width, row.bottom};
            x = cell.right;
            if (cell.right <= cell.left) continue;
            COLORREF t = text, b = back;
            LRESULT rs = 0;
            if (r & CDRF_NOTIFYSUBITEMDRAW)
                rs = customDraw(dc, CDDS_SUBITEM | CDDS_ITEMPREPAINT, cell, i, c.subItem, t, b);
            if (!(rs & CDRF_SKIPDEFAULT))
                drawCell(dc, i, c.subItem, cell, t, b, custom || t != text0 || b != back0);
            if (rs & CDRF_NOTIFYPOSTPAINT)
                customDraw(dc, CDDS_SUBITEM | CDDS_ITEMPOSTPAINT, cell, i, c.subItem, t, b);
        }
        if (i == m_focus && hasFocus() && showFocus()) {
            RECT focus = (m_exStyle & LVS_EX_FULLROWSELECT) ? row : itemRect(i, LVIR_LABEL);
            if (m_exStyle & LVS_EX_GRIDLINES) focus.bottom -= 1;
            DrawFocusRect(dc, &focus);
        }
    }
    if (r & CDRF_NOTIFYPOSTPAINT) customDraw(dc, CDDS_ITEMPOSTPAINT, row, i, 0, text, back);
    SelectObject(dc, oldFont);
}

void ListView::drawGrid(HDC dc, const std::vector<int>& order, const RECT& client) const {
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
    HGDIOBJ old = SelectObject(dc, pen);
    int top = headerHeight(), h = rowHeight(), right = std::max<int>(client.right, totalWidth() - m_scrollX);
    for (int y = top + h - 1; y < client.bottom; y += h) {
        MoveToEx(dc, 0, y, nullptr);
        LineTo(dc, right, y);
    }
    int x = -m_scrollX;
    for (int column : order) {
        x += m_columns[static_cast<std::size_t>(column)].width;
        MoveToEx(dc, x - 1, top, nullptr);
        LineTo(dc, x - 1, client.bottom);
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}

void ListView::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hwnd, &ps);
    RECT client = clientRect();
    int top = headerHeight();
    RECT area{ps.rcPaint.left, std::max<int>(ps.rcPaint.top, top), ps.rcPaint.right, ps.rcPaint.bottom};
    HGDIOBJ oldFont = beginPaintText(dc, area, backColour());
    COLORREF text = textColour(), back = backColour();
    LRESULT pre = customDraw(dc, CDDS_PREPAINT, client, -1, 0, text, back);
    if (!(pre & CDRF_SKIPDEFAULT) && area.bottom > area.top) {
        std::vector<int> order = columnOrder();
        int h = rowHeight();
        int first = m_top + (area.top - top) / h;
        int last = std::min(count() - 1, m_top + (area.bottom - 1 - top) / h);
        if (ownerData() && first <= last) cacheHint(first, last);
        for (int i = first; i <= last; ++i)
            drawRow(dc, i, order, static_cast<DWORD>(pre));
        if (m_exStyle & LVS_EX_GRIDLINES) drawGrid(dc, order, client);
    }
    if (pre & CDRF_NOTIFYPOSTPAINT) customDraw(dc, CDDS_POSTPAINT, client, -1, 0, text, back);
    SelectObject(dc, oldFont);
    EndPaint(m_hwnd, &ps);
}

} // namespace pm::cc
