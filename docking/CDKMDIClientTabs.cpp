#include "docking/CDKMDIClientTabs.h"

#include "platform/framework/CMDIFrameWnd.h"

#include <algorithm>
#include <limits>

namespace {

// rect shrunk by border on each side, or collapsed to its far edge where it is too small.
void ShrinkByBorder(CRect& rect, int border) {
    if (rect.Width() > 2 * border)
        rect.DeflateRect(border, 0);
    else
        rect.left = rect.right;
    if (rect.Height() > 2 * border)
        rect.DeflateRect(0, border);
    else
        rect.top = rect.bottom;
}

} // namespace

BOOL CDKMDIClientTabs::Attach(CMDIFrameWnd* pFrame, DWORD dwTabStyle) {
    if (m_pFrame || !pFrame || !pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) return FALSE;
    HWND client = pFrame->m_hWndMDIClient;
    if (!client || CWnd::FromHandlePermanent(client) || !SubclassWindow(client)) return FALSE;
    m_pFrame = pFrame;
    m_wndTabs.m_pOwner = this;
    if (!m_wndTabs.Create(dwTabStyle | WS_CHILD | WS_VISIBLE | TCS_FOCUSNEVER, CRect(0, 0, 0, 0), pFrame,
                          kStripId)) {
        Detach();
        return FALSE;
    }
    pFrame->RecalcLayout();
    m_wndTabs.Update(TRUE, FALSE);
    return TRUE;
}

BOOL CDKMDIClientTabs::Detach() {
    if (!m_pFrame) return FALSE;
    if (::IsWindow(m_wndTabs.m_hWnd)) m_wndTabs.DestroyWindow();
    m_wndTabs.m_pOwner = nullptr;
    if (m_hWnd) UnsubclassWindow();
    if (::IsWindow(m_pFrame->m_hWnd)) m_pFrame->RecalcLayout();
    m_pFrame = nullptr;
    return TRUE;
}

void CDKMDIClientTabs::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType) {
    CRect rect(lpClientRect);
    if (::IsWindow(m_wndTabs.m_hWnd) && (m_wndTabs.GetStyle() & WS_VISIBLE)) {
        const DWORD style = m_wndTabs.GetStyle();
        const bool verticalButtons = (style & TCS_BUTTONS) && (style & TCS_VERTICAL);
        // The strip lies under the client, around it.
        m_wndTabs.SetWindowPos(&CWnd::wndBottom, rect.left, rect.top, rect.Width(), rect.Height(),
                               SWP_NOACTIVATE);
        if (verticalButtons) {
            // The tab column's width: the strip's display area measured across.
            CRect display(0, 0, rect.Width(), rect.Height());
            m_wndTabs.AdjustRect(FALSE, &display);
            const int column = std::max<int>(rect.Width() - display.Width(), 0);
            ShrinkByBorder(rect, m_wndTabs.m_nBorder);
            if (style & TCS_RIGHT)
                rect.right -= column;
            else
                rect.left += column;
        } else if ((style & TCS_BUTTONS) && (style & TCS_BOTTOM)) {
            // The client ends where the highest row of buttons begins.
            ShrinkByBorder(rect, m_wndTabs.m_nBorder);
            rect.bottom = std::min<LONG>(rect.bottom, ButtonRowsTop());
        } else {
            // The display area inside the border, which is the strip's non-client area.
            ShrinkByBorder(rect, m_wndTabs.m_nBorder);
            CRect display(0, 0, rect.Width(), rect.Height());
            m_wndTabs.AdjustRect(FALSE, &display);
            display.OffsetRect(rect.left, rect.top);
            rect = display;
        }
        if (rect.left > rect.right || rect.top > rect.bottom) rect.SetRectEmpty();
        m_wndTabs.ShowWindow(SW_SHOWNA);
    }
    *lpClientRect = rect;
    CWnd::CalcWindowRect(lpClientRect, nAdjustType);
}

LONG CDKMDIClientTabs::ButtonRowsTop() {
    LONG top = std::numeric_limits<LONG>::max();
    for (int i = 0; i < m_wndTabs.GetItemCount(); ++i) {
        CRect item;
        if (m_wndTabs.GetItemRect(i, &item)) top = std::min<LONG>(top, item.top);
    }
    if (top == std::numeric_limits<LONG>::max()) return top;
    CPoint p(0, top);
    m_wndTabs.MapWindowPoints(m_wndTabs.GetParent(), &p, 1);
    return p.y;
}

void CDKMDIClientTabs::PostTick() {
    if (::IsWindow(m_wndTabs.m_hWnd)) m_wndTabs.PostMessage(WM_TIMER, CDKMDITabStrip::kTimerId, 0);
}

LRESULT CDKMDIClientTabs::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MDIACTIVATE: {
        const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
        const int tab = m_wndTabs.FindTab(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));
        if (tab >= 0) m_wndTabs.SetCurSel(tab);
        PostTick();
        return result;
    }
    case WM_MDICREATE: {
        const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
        if (result) {
            m_wndTabs.SetCurSel(-1);
            PostTick();
        }
        return result;
    }
    case WM_MDIDESTROY:
        m_wndTabs.RemoveTab(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), TRUE);
        {
            const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
            PostTick();
            return result;
        }
    case WM_SIZE: {
        const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
        m_bChanged = TRUE;
        PostTick();
        return result;
    }
    case WM_SHOWWINDOW:
        if (lParam == 0 && ::IsWindow(m_wndTabs.m_hWnd))
            m_wndTabs.ModifyStyle(wParam ? 0 : WS_VISIBLE, wParam ? WS_VISIBLE : 0);
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
