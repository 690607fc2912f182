#include "docking/CDKSizeToolBar.h"

#include "platform/framework/afxres.h"

#include <cstdio>

IMPLEMENT_DYNAMIC(CDKSizeToolBar, CDKSizeControlBar)

BEGIN_MESSAGE_MAP(CDKSizeToolBar, CDKSizeControlBar)
    ON_WM_CREATE()
END_MESSAGE_MAP()

namespace {

// The tip part of a command's string (after the first line feed); false when there is none.
bool TipTextOf(const CString& strings, CString& tip) {
    const int lineFeed = strings.Find('\n');
    if (lineFeed < 0) return false;
    tip = strings.Mid(lineFeed + 1);
    return true;
}

} // namespace

CDKSizeToolBar::CDKSizeToolBar(const UINT* pAvailable, int nAvailable, DWORD dwBarStyle)
    : CDKSizeControlBar(dwBarStyle) {
    if (pAvailable && nAvailable > 0) m_availableButtons.assign(pAvailable, pAvailable + nAvailable);
}

DWORD CDKSizeToolBar::ToolBarStyle() const {
    DWORD style = WS_CHILD | WS_VISIBLE | TBSTYLE_WRAPABLE | TBSTYLE_TOOLTIPS | CCS_NODIVIDER |
                  CCS_NOPARENTALIGN | CCS_NORESIZE;
    if (!m_availableButtons.empty()) style |= CCS_ADJUSTABLE;
    return style;
}

int CDKSizeToolBar::OnCreate(LPCREATESTRUCT lpcs) {
    if (CDKSizeControlBar::OnCreate(lpcs) == -1) return -1;
    CRect client;
    GetClientRect(&client);
    return m_wndToolBar.Create(ToolBarStyle(), client, this, IDC_TOOLBAR) ? 0 : -1;
}

void CDKSizeToolBar::OnBarResized(int cx, int cy, BOOL bFloating, UINT nChangeMask) {
    CDKSizeControlBar::OnBarResized(cx, cy, bFloating, nChangeMask);
    if (!::IsWindow(m_wndToolBar.m_hWnd)) return;
    // The control fills the client area, so its rows wrap to the bar's new width.
    CRect client;
    GetClientRect(&client);
    m_wndToolBar.SetWindowPos(nullptr, client.left, client.top, client.Width(), client.Height(),
                              SWP_NOZORDER | SWP_NOACTIVATE);
    m_wndToolBar.Invalidate();
}

INT_PTR CDKSizeToolBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
    if (::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE) == m_wndToolBar.m_hWnd) return -1;
    return CDKSizeControlBar::OnToolHitTest(point, pTI);
}

BOOL CDKSizeToolBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    switch (pNMHDR->code) {
    case TTN_NEEDTEXTA:
        OnNeedText(reinterpret_cast<NMTTDISPINFOA*>(pNMHDR), pResult);
        return TRUE;
    case TBN_QUERYINSERT:
    case TBN_QUERYDELETE:
        *pResult = TRUE;
        return TRUE;
    case TBN_BEGINADJUST:
    case TBN_TOOLBARCHANGE:
        *pResult = 0;
        return TRUE;
    case TBN_GETBUTTONINFOA:
        if (pNMHDR->idFrom != IDC_TOOLBAR) break;
        OnGetButtonInfo(reinterpret_cast<NMTOOLBARA*>(pNMHDR), pResult);
        return TRUE;
    default:
        break;
    }
    return CDKSizeControlBar::OnNotify(wParam, lParam, pResult);
}

// The identifier names the command's string: its second part is the tip, and the whole string
// makes the status bar show the command's prompt. A tip longer than the tip's own buffer is cut.
void CDKSizeToolBar::OnNeedText(NMTTDISPINFOA* pTip, LRESULT* pResult) {
    *pResult = 0;
    pTip->lpszText = nullptr;
    const UINT nID = static_cast<UINT>(pTip->hdr.idFrom);
    CString strings, tip;
    if (!strings.LoadString(nID)) return;
    if (TipTextOf(strings, tip)) {
        std::snprintf(pTip->szText, sizeof pTip->szText, "%s", static_cast<LPCSTR>(tip));
        pTip->lpszText = pTip->szText;
        if (CToolTipCtrl* pTips = m_wndToolBar.GetToolTips())
            pTips->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    if (CWnd* pMain = AfxGetMainWnd()) pMain->SendMessage(WM_SETMESSAGESTRING, nID);
}

// The Customize dialog asks for the available commands one by one, until the answer is FALSE.
void CDKSizeToolBar::OnGetButtonInfo(NMTOOLBARA* pInfo, LRESULT* pResult) {
    *pResult = FALSE;
    if (pInfo->iItem < 0 || static_cast<size_t>(pInfo->iItem) >= m_availableButtons.size()) return;
    const UINT nID = m_availableButtons[static_cast<size_t>(pInfo->iItem)];
    pInfo->tbButton = TBBUTTON{};
    pInfo->tbButton.iBitmap = pInfo->iItem;
    pInfo->tbButton.idCommand = static_cast<int>(nID);
    pInfo->tbButton.fsState = TBSTATE_ENABLED;
    pInfo->tbButton.fsStyle = 0;
    pInfo->tbButton.iString = 0;
    if (pInfo->pszText && pInfo->cchText > 0) {
        CString strings, tip;
        if (!strings.LoadString(nID) || !TipTextOf(strings, tip)) tip = "???";
        std::snprintf(pInfo->pszText, static_cast<size_t>(pInfo->cchText), "%s", static_cast<LPCSTR>(tip));
    }
    *pResult = TRUE;
}
