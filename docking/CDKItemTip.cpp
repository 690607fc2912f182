// CDKItemTip: the cell under a point of a report-view list, and whether and where its text needs
// a tip.

#include "docking/CDKItemTip.h"

#include "platform/framework/CGdiObject.h"
#include "platform/win/commctrl.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CDKItemTip, CDKHookWnd)
IMPLEMENT_DYNAMIC(CDKEditTip, CDKHookWnd)
IMPLEMENT_DYNAMIC(CDKListBoxTip, CDKHookWnd)
IMPLEMENT_DYNAMIC(CDKComboBoxTip, CDKHookWnd)
IMPLEMENT_DYNAMIC(CDKComboBoxTipHelper, CComboBox)

BOOL CDKItemTip::FindRow(ItemTipInfo* pInfo, CRect& row) const {
    HWND list = m_pList->GetSafeHwnd();
    int count = ListView_GetItemCount(list);
    int top = static_cast<int>(::SendMessage(list, LVM_GETTOPINDEX, 0, 0));
    int last = std::min(count - 1, top + static_cast<int>(::SendMessage(list, LVM_GETCOUNTPERPAGE, 0, 0)));
    for (int i = top; i <= last; ++i) {
        if (!ListView_GetItemRect(list, i, &row, LVIR_BOUNDS) || !row.PtInRect(pInfo->point)) continue;
        pInfo->nRow = i;
        return TRUE;
    }
    return FALSE;
}

BOOL CDKItemTip::FindColumn(ItemTipInfo* pInfo, const CRect& row, CRect& cell) const {
    HWND list = m_pList->GetSafeHwnd();
    HWND header = ListView_GetHeader(list);
    int columns = header ? static_cast<int>(::SendMessage(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    int left = row.left;
    for (int order = 0; order < columns; ++order) {
        int column = -1;
        for (int i = 0; i < columns && column < 0; ++i) {
            HDITEMA item{};
            item.mask = HDI_ORDER;
            ::SendMessage(header, HDM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
            if (item.iOrder == order) column = i;
        }
        int width = column < 0 ? -1 : ListView_GetColumnWidth(list, column);
        if (width < 0) return FALSE;
        cell.SetRect(left, row.top, left + width, row.bottom);
        left += width;
        if (!cell.PtInRect(pInfo->point)) continue;
        pInfo->nColumn = column;
        return TRUE;
    }
    return FALSE;
}

void CDKItemTip::GetListItemInfo(ItemTipInfo* pInfo) {
    HWND list = m_pList->GetSafeHwnd();
    if ((::GetWindowLong(list, GWL_STYLE) & LVS_TYPEMASK) != LVS_REPORT) {
        pInfo->nResult = ItemTipInfo::notReport;
        return;
    }
    CRect row, cell;
    if (ListView_GetItemCount(list) == 0 || !FindRow(pInfo, row) || !FindColumn(pInfo, row, cell)) {
        pInfo->nResult = ItemTipInfo::noCell;
        return;
    }
    int margin = pInfo->nOffset;
    if (pInfo->nColumn == 0) {
        ListView_GetItemRect(list, pInfo->nRow, &cell, LVIR_LABEL);
        CRect label = cell;
        label.InflateRect(1, 0);
        if (!label.PtInRect(pInfo->point)) {
            pInfo->nResult = ItemTipInfo::outsideLabel;
            return;
        }
        margin = pInfo->nOffset / 2;
    }
    cell.DeflateRect(margin, 0);
    char text[300] = {};
    ListView_GetItemText(list, pInfo->nRow, pInfo->nColumn, text, sizeof(text));
    if (!text[0]) {
        pInfo->nResult = ItemTipInfo::fits;
        return;
    }
    std::strncpy(pInfo->szText, text, static_cast<size_t>(std::max(0, pInfo->nTextSize - 1)));
    HDC dc = ::GetDC(list);
    HGDIOBJ old = pInfo->pFont
                      ? ::SelectObject(dc, pInfo->pFont->GetSafeHandle())
                      : ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessage(list, WM_GETFONT, 0, 0)));
    CRect measured(0, 0, 0, 0);
    ::DrawTextA(dc, pInfo->szText, -1, &measured, DT_CALCRECT | DT_SINGLELINE);
    ::SelectObject(dc, old);
    ::ReleaseDC(list, dc);
    LVCOLUMNA format{};
    format.mask = LVCF_FMT;
    ::SendMessage(list, LVM_GETCOLUMNA, static_cast<WPARAM>(pInfo->nColumn),
                  reinterpret_cast<LPARAM>(&format));
    int justify = format.fmt & LVCFMT_JUSTIFYMASK;
    pInfo->nAlignment = justify == LVCFMT_RIGHT ? 2 : justify == LVCFMT_CENTER ? 1 : 0;
    CRect client;
    ::GetClientRect(list, &client);
    CRect screenCell = cell;
    ::ClientToScreen(list, reinterpret_cast<POINT*>(&screenCell.left));
    ::ClientToScreen(list, reinterpret_cast<POINT*>(&screenCell.right));
    CRect bounds = CDKItemTipWnd::Bounds(m_pList);
    CRect inClient, inBounds;
    inClient.IntersectRect(&cell, &client);
    inBounds.IntersectRect(&screenCell, &bounds);
    if (measured.Width() <= cell.Width() && inClient == cell && inBounds == screenCell) {
        pInfo->nResult = ItemTipInfo::fits;
        return;
    }
    cell.InflateRect(margin, 0);
    cell.right = cell.left + std::min<int>(cell.Width(), measured.Width() + 2 * margin);
    pInfo->rect = cell;
    pInfo->nOffset = margin;
    BOOL selected = (ListView_GetItemState(list, pInfo->nRow, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    if (pInfo->clrText == static_cast<COLORREF>(-1))
        pInfo->clrText = selected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT)
                                  : static_cast<COLORREF>(::SendMessage(list, LVM_GETTEXTCOLOR, 0, 0));
    if (pInfo->clrBack == static_cast<COLORREF>(-1) && selected)
        pInfo->clrBack = ::GetSysColor(COLOR_HIGHLIGHT);
    pInfo->nResult = ItemTipInfo::show;
}
