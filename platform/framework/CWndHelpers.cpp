// CWnd's helpers: relations (parents, owners, frames), geometry, painting and menu wrappers, the
// layout of control bars, message broadcasting, modal loops, dialog data and tool tips.

#include "platform/framework/CWnd.h"

#include "platform/framework/CCmdUI.h"
#include "platform/framework/CDC.h"
#include "platform/framework/CFrameWnd.h"
#include "platform/framework/CGdiObject.h"
#include "platform/framework/CMenu.h"
#include "platform/framework/DataExchange.h"
#include "platform/framework/afxres.h"

AUX_DATA afxData;

namespace {

bool isComboBox(HWND hWnd) {
    char name[16] = {};
    return hWnd && ::GetClassName(hWnd, name, sizeof(name)) && CString(name).CompareNoCase("ComboBox") == 0;
}

} // namespace

void AfxCancelModes(HWND hWndRcvr) {
    HWND focus = ::GetFocus();
    if (!focus || focus == hWndRcvr) return;
    HWND combo = isComboBox(focus) ? focus : ::GetParent(focus);
    if (combo == hWndRcvr || !isComboBox(combo)) return;
    ::SendMessage(combo, CB_SHOWDROPDOWN, FALSE, 0);
}

// ---- Messages ----

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::PostMessage(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendDlgItemMessageA(m_hWnd, nID, message, wParam, lParam);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm) {
    SendMessageToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

void CWnd::SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                    BOOL bOnlyPerm) {
    HWND next = nullptr;
    for (HWND child = ::GetTopWindow(hWnd); child; child = next) {
        next = ::GetNextWindow(child, GW_HWNDNEXT);
        if (!bOnlyPerm) {
            ::SendMessage(child, message, wParam, lParam);
        } else if (CWnd* pWnd = FromHandlePermanent(child)) {
            AfxCallWndProc(pWnd, child, message, wParam, lParam);
        }
        if (bDeep && ::IsWindow(child) && ::GetTopWindow(child))
            SendMessageToDescendants(child, message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

// ---- Relations ----

CWnd* CWnd::GetParent() const {
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::SetParent(CWnd* pWndNewParent) {
    return FromHandle(::SetParent(m_hWnd, pm::afx::safeHwnd(pWndNewParent)));
}

CWnd* CWnd::GetOwner() const {
    return m_hWndOwner ? FromHandle(m_hWndOwner) : GetParent();
}

CWnd* CWnd::GetParentOwner() const {
    if (CWnd* pWnd = FromHandlePermanent(m_hWnd)) return pWnd->GetOwner();
    HWND hWnd = (GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    return FromHandle(hWnd);
}

CFrameWnd* CWnd::GetParentFrame() const {
    if (!GetSafeHwnd()) return nullptr;
    for (CWnd* pParent = GetParent(); pParent; pParent = pParent->GetParent())
        if (pParent->IsFrameWnd()) return static_cast<CFrameWnd*>(pParent);
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const {
    if (!GetSafeHwnd()) return nullptr;
    CFrameWnd* pFrame = IsFrameWnd() ? static_cast<CFrameWnd*>(const_cast<CWnd*>(this)) : GetParentFrame();
    while (pFrame) {
        CFrameWnd* pUp = pFrame->GetParentFrame();
        if (!pUp) break;
        pFrame = pUp;
    }
    return pFrame;
}

CWnd* CWnd::GetTopLevelParent() const {
    if (!GetSafeHwnd()) return nullptr;
    const CWnd* pWnd = this;
    for (CWnd* pUp = pWnd->GetParentOwner(); pUp && pUp->m_hWnd; pUp = pUp->GetParentOwner())
        pWnd = pUp;
    return FromHandle(pWnd->m_hWnd);
}

CWnd* CWnd::GetTopLevelOwner() const {
    if (!GetSafeHwnd()) return nullptr;
    HWND hWnd = m_hWnd;
    while (HWND owner = ::GetWindow(hWnd, GW_OWNER))
        hWnd = owner;
    return FromHandle(hWnd);
}

CWnd* CWnd::GetWindow(UINT nCmd) const {
    return FromHandle(::GetWindow(m_hWnd, nCmd));
}

CWnd* CWnd::GetTopWindow() const {
    return FromHandle(::GetTopWindow(m_hWnd));
}

CWnd* CWnd::GetNextWindow(UINT nFlag) const {
    return FromHandle(::GetNextWindow(m_hWnd, nFlag));
}

CWnd* CWnd::GetDlgItem(int nID) const {
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}

void CWnd::GetDlgItem(int nID, HWND* phWnd) const {
    *phWnd = ::GetDlgItem(m_hWnd, nID);
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const {
    return GetDescendantWindow(m_hWnd, nID, bOnlyPerm);
}

CWnd* CWnd::GetDescendantWindow(HWND hWnd, int nID, BOOL bOnlyPerm) {
    // The direct child first (its own children with the same id before it), then depth first.
    if (HWND direct = ::GetDlgItem(hWnd, nID)) {
        if (::GetTopWindow(direct))
            if (CWnd* pInner = GetDescendantWindow(direct, nID, bOnlyPerm)) return pInner;
        if (!bOnlyPerm) return FromHandle(direct);
        if (CWnd* pWnd = FromHandlePermanent(direct)) return pWnd;
    }
    for (HWND child = ::GetTopWindow(hWnd); child; child = ::GetNextWindow(child, GW_HWNDNEXT)) {
        if (CWnd* pWnd = GetDescendantWindow(child, nID, bOnlyPerm)) return pWnd;
    }
    return nullptr;
}

int CWnd::SetDlgCtrlID(int nID) {
    return static_cast<int>(::SetWindowLongPtr(m_hWnd, GWLP_ID, nID));
}

CWnd* CWnd::ChildWindowFromPoint(POINT point) const {
    return FromHandle(::ChildWindowFromPoint(m_hWnd, point));
}

CWnd* CWnd::WindowFromPoint(POINT point) {
    return FromHandle(::WindowFromPoint(point));
}

CWnd* CWnd::GetFocus() {
    return FromHandle(::GetFocus());
}

CWnd* CWnd::SetFocus() {
    return FromHandle(::SetFocus(m_hWnd));
}

CWnd* CWnd::GetActiveWindow() {
    return FromHandle(::GetActiveWindow());
}

CWnd* CWnd::SetActiveWindow() {
    return FromHandle(::SetActiveWindow(m_hWnd));
}

CWnd* CWnd::GetCapture() {
    return FromHandle(::GetCapture());
}

CWnd* CWnd::SetCapture() {
    return FromHandle(::SetCapture(m_hWnd));
}

CWnd* CWnd::GetDesktopWindow() {
    return FromHandle(::GetDesktopWindow());
}

CWnd* CWnd::GetForegroundWindow() {
    return FromHandle(::GetForegroundWindow());
}

CWnd* CWnd::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const {
    return FromHandle(::GetNextDlgTabItem(m_hWnd, pm::afx::safeHwnd(pWndCtl), bPrevious));
}

CWnd* CWnd::GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious) const {
    return FromHandle(::GetNextDlgGroupItem(m_hWnd, pm::afx::safeHwnd(pWndCtl), bPrevious));
}

// ---- Styles ----

namespace {

BOOL modifyLong(HWND hWnd, int index, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    auto old = static_cast<DWORD>(::GetWindowLong(hWnd, index));
    DWORD now = (old & ~dwRemove) | dwAdd;
    if (old == now) return FALSE;
    ::SetWindowLong(hWnd, index, static_cast<LONG>(now));
    if (nFlags)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

} // namespace

BOOL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return modifyLong(hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return modifyLong(hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags);
}

// ---- Geometry ----

void CWnd::ClientToScreen(LPRECT lpRect) const {
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::ScreenToClient(LPRECT lpRect) const {
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const {
    ::MapWindowPoints(m_hWnd, pm::afx::safeHwnd(pwndTo), lpPoint, nCount);
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const {
    ::MapWindowPoints(m_hWnd, pm::afx::safeHwnd(pwndTo), reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) {
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint) {
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
               bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
    return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy, nFlags);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
    CRect area;
    HWND owner = pAlternateOwner
                     ? pAlternateOwner->m_hWnd
                     : ((GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER));
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) {
        ::GetWindowRect(owner, &area);
    } else {
        ::SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
    }
    CRect rc;
    GetWindowRect(&rc);
    int x = area.left + (area.Width() - rc.Width()) / 2;
    int y = area.top + (area.Height() - rc.Height()) / 2;
    if (GetStyle() & WS_CHILD) {
        POINT pt{x, y};
        ::ScreenToClient(::GetParent(m_hWnd), &pt);
        x = pt.x;
        y = pt.y;
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect) {
    CRect old;
    ::GetWindowRect(hWnd, &old);
    ::MapWindowPoints(nullptr, ::GetParent(hWnd), reinterpret_cast<LPPOINT>(&old), 2);
    if (::EqualRect(&old, lpRect)) return;
    int cx = lpRect->right - lpRect->left;
    int cy = lpRect->bottom - lpRect->top;
    if (lpLayout && lpLayout->hDWP) {
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, nullptr, lpRect->left, lpRect->top, cx, cy,
                                          SWP_NOACTIVATE | SWP_NOZORDER);
    } else {
        ::SetWindowPos(hWnd, nullptr, lpRect->left, lpRect->top, cx, cy, SWP_NOACTIVATE | SWP_NOZORDER);
    }
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch) {
    AFX_SIZEPARENTPARAMS layout{};
    layout.bStretch = bStretch;
    if (lpRectClient)
        layout.rect = *lpRectClient;
    else
        GetClientRect(&layout.rect);
    layout.hDWP = nFlag == CWnd_reposQuery ? nullptr : ::BeginDeferWindowPos(8);

    HWND leftOver = nullptr;
    for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetNextWindow(child, GW_HWNDNEXT)) {
        auto id = static_cast<UINT>(static_cast<WORD>(::GetDlgCtrlID(child)));
        if (id == nIDLeftOver)
            leftOver = child;
        else if (id >= nIDFirst && id <= nIDLast && FromHandlePermanent(child))
            ::SendMessage(child, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }
    if (nFlag == CWnd_reposQuery) {
        if (!lpRectParam) return;
        if (bStretch)
            *lpRectParam = layout.rect;
        else
            *lpRectParam = RECT{0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy};
        return;
    }
    if (nIDLeftOver != 0 && leftOver) {
        if (nFlag == CWnd_reposExtra && lpRectParam) {
            layout.rect.left += lpRectParam->left;
            layout.rect.top += lpRectParam->top;
            layout.rect.right -= lpRectParam->right;
            layout.rect.bottom -= lpRectParam->bottom;
        }
        FromHandle(leftOver)->CalcWindowRect(&layout.rect);
        AfxRepositionWindow(&layout, leftOver, &layout.rect);
    }
    if (layout.hDWP) ::EndDeferWindowPos(layout.hDWP);
}

// ---- State ----

int CWnd::GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const {
    return ::GetWindowText(m_hWnd, lpszStringBuf, nMaxCount);
}

void CWnd::GetWindowText(CString& rString) const {
    int length = ::GetWindowTextLength(m_hWnd);
    ::GetWindowText(m_hWnd, rString.GetBufferSetLength(length), length + 1);
    rString.ReleaseBuffer();
}

int CWnd::GetDlgItemText(int nID, CString& rString) const {
    rString.Empty();
    if (HWND item = ::GetDlgItem(m_hWnd, nID)) FromHandle(item)->GetWindowText(rString);
    return rString.GetLength();
}

UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const {
    return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned);
}

void CWnd::CheckRadioButton(int nIDFirst, int nIDLast, int nIDCheck) {
    ::CheckRadioButton(m_hWnd, nIDFirst, nIDLast, nIDCheck);
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw) {
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pm::afx::safeHandle(pFont)), bRedraw);
}

CFont* CWnd::GetFont() const {
    return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

HICON CWnd::GetIcon(BOOL bBigIcon) const {
    return reinterpret_cast<HICON>(SendMessage(WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL));
}

// ---- Painting ----

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, HRGN hrgnUpdate, UINT flags) {
    return ::RedrawWindow(m_hWnd, lpRectUpdate, hrgnUpdate, flags);
}

CDC* CWnd::GetDC() {
    return CDC::FromHandle(::GetDC(m_hWnd));
}

CDC* CWnd::GetWindowDC() {
    return CDC::FromHandle(::GetWindowDC(m_hWnd));
}

int CWnd::ReleaseDC(CDC* pDC) {
    return ::ReleaseDC(m_hWnd, pm::afx::safeHdc(pDC));
}

CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint) {
    return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint));
}

// ---- Menus, timers, scrolling ----

CMenu* CWnd::GetMenu() const {
    return CMenu::FromHandle(::GetMenu(m_hWnd));
}

BOOL CWnd::SetMenu(CMenu* pMenu) {
    return ::SetMenu(m_hWnd, pMenu ? pMenu->m_hMenu : nullptr);
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const {
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer) {
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}

void CWnd::SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw) {
    ::SetScrollRange(m_hWnd, nBar, nMinPos, nMaxPos, bRedraw);
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) {
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw) {
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}

void CWnd::DragAcceptFiles(BOOL bAccept) {
    ::DragAcceptFiles(m_hWnd, bAccept);
}

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType) {
    CString caption = lpszCaption ? CString(lpszCaption) : pm::afx::appTitle();
    return ::MessageBoxA(m_hWnd, lpszText, caption, nType);
}

// ---- Dialog data and control updates ----

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (CUserException* e) {
        // A field failed validation: the user was told and the focus is on it; nothing is stored.
        dx.RollBack();
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
    CCmdUI state;
    CWnd wndTemp;
    for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetNextWindow(child, GW_HWNDNEXT)) {
        wndTemp.m_hWnd = child;
        state.m_nID = static_cast<WORD>(::GetDlgCtrlID(child));
        state.m_pOther = &wndTemp;
        // A control with its own update handler answers first.
        if (CWnd* pControl = FromHandlePermanent(child))
            if (pControl->CWnd::OnCmdMsg(0, static_cast<int>(MAKELONG(0xFFFF, WM_COMMAND + WM_REFLECT_BASE)),
                                         &state, nullptr))
                continue;
        if (CWnd::OnCmdMsg(state.m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, nullptr)) continue;
        // Only push buttons are disabled for lack of a handler; check boxes and radios stay.
        BOOL disable = bDisableIfNoHndler;
        if (disable) {
            UINT code = static_cast<UINT>(::SendMessage(child, WM_GETDLGCODE, 0, 0));
            UINT style = static_cast<UINT>(::GetWindowLong(child, GWL_STYLE)) & 0x0F;
            if (!(code & DLGC_BUTTON) || (style != BS_PUSHBUTTON && style != BS_DEFPUSHBUTTON))
                disable = FALSE;
        }
        state.DoUpdate(pTarget, disable);
    }
    wndTemp.m_hWnd = nullptr;
}

// ---- Modal loops ----

BOOL CWnd::ContinueModal() {
    return (m_nFlags & WF_CONTINUEMODAL) != 0;
}

void CWnd::EndModalLoop(int nResult) {
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL) {
        m_nFlags &= ~static_cast<UINT>(WF_CONTINUEMODAL);
        ::PostMessage(m_hWnd, WM_NULL, 0, 0);
    }
}

int CWnd::RunModalLoop(DWORD) {
    m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
    HWND hWnd = m_hWnd;
    bool idle = true;
    MSG msg{};
    while (ContinueModal() && ::IsWindow(hWnd)) {
        if (idle && !::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            ::SendMessage(hWnd, WM_KICKIDLE, MSGF_DIALOGBOX, 0);
            idle = false;
            continue;
        }
        if (!::GetMessage(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!pm::afx::preTranslateForApp(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
        idle = true;
    }
    if (::IsWindow(hWnd)) m_nFlags &= ~static_cast<UINT>(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}

// ---- Tool tips ----

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
    HWND child = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE);
    if (!child || child == m_hWnd) return -1;
    int id = ::GetDlgCtrlID(child);
    if (id == 0 || id == -1) return -1;
    if (pTI) {
        pTI->hwnd = m_hWnd;
        pTI->uId = reinterpret_cast<UINT_PTR>(child);
        pTI->uFlags |= TTF_IDISHWND;
        pTI->lpszText = LPSTR_TEXTCALLBACK;
    }
    return id;
}

BOOL CWnd::EnableToolTips(BOOL bEnable) {
    if (!bEnable) {
        m_nFlags &= ~static_cast<UINT>(WF_TOOLTIPS);
        if (m_hWndToolTip) ::SendMessage(m_hWndToolTip, TTM_ACTIVATE, FALSE, 0);
        return TRUE;
    }
    if (!m_hWndToolTip) {
        ::InitCommonControls();
        m_hWndToolTip =
            ::CreateWindowEx(0, TOOLTIPS_CLASS, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr, nullptr, nullptr);
        if (!m_hWndToolTip) return FALSE;
    }
    ::SendMessage(m_hWndToolTip, TTM_ACTIVATE, TRUE, 0);
    m_nFlags |= WF_TOOLTIPS;
    return TRUE;
}

void CWnd::FilterToolTipMessage(MSG* pMsg) {
    if (!m_hWndToolTip) return;
    UINT message = pMsg->message;
    bool mouse = message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP ||
                 message == WM_RBUTTONDOWN || message == WM_RBUTTONUP || message == WM_MBUTTONDOWN ||
                 message == WM_MBUTTONUP;
    if (!mouse) return;
    CPoint point(pMsg->pt);
    ScreenToClient(&point);
    TOOLINFO ti{};
    ti.cbSize = sizeof(ti);
    INT_PTR hit = OnToolHitTest(point, &ti);
    if (hit != m_nLastHit) {
        if (m_nLastHit != -1)
            ::SendMessage(m_hWndToolTip, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&m_lastTool));
        if (hit != -1) {
            if (!(ti.uFlags & TTF_IDISHWND) && ::IsRectEmpty(&ti.rect)) GetClientRect(&ti.rect);
            ::SendMessage(m_hWndToolTip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti));
        }
        m_lastTool = ti;
        m_nLastHit = hit;
    }
    ::SendMessage(m_hWndToolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(pMsg));
}

void CWnd::CancelToolTips(BOOL) {
    if (CWnd* pMain = AfxGetMainWnd())
        if (pMain->m_hWndToolTip) ::SendMessage(pMain->m_hWndToolTip, TTM_POP, 0, 0);
}

// ---- Base handlers: the window's default processing ----

int CWnd::OnCreate(LPCREATESTRUCT) {
    return static_cast<int>(Default());
}
void CWnd::OnDestroy() {
    Default();
}
void CWnd::OnClose() {
    Default();
}
void CWnd::OnSize(UINT, int, int) {
    Default();
}
void CWnd::OnMove(int, int) {
    Default();
}
void CWnd::OnPaint() {
    Default();
}
void CWnd::OnNcPaint() {
    Default();
}
BOOL CWnd::OnEraseBkgnd(CDC*) {
    return static_cast<BOOL>(Default());
}
void CWnd::OnTimer(UINT_PTR) {
    Default();
}
void CWnd::OnSetFocus(CWnd*) {
    Default();
}
void CWnd::OnKillFocus(CWnd*) {
    Default();
}
void CWnd::OnActivate(UINT, CWnd*, BOOL) {
    Default();
}
BOOL CWnd::OnNcActivate(BOOL) {
    return static_cast<BOOL>(Default());
}
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) {
    return static_cast<int>(Default());
}
void CWnd::OnShowWindow(BOOL, UINT) {
    Default();
}
void CWnd::OnWindowPosChanging(WINDOWPOS*) {
    Default();
}
void CWnd::OnWindowPosChanged(WINDOWPOS*) {
    Default();
}
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) {
    Default();
}
void CWnd::OnLButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonDblClk(UINT, CPoint) {
    Default();
}
void CWnd::OnRButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnRButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnRButtonDblClk(UINT, CPoint) {
    Default();
}
void CWnd::OnMButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnMButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnMouseMove(UINT, CPoint) {
    Default();
}
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) {
    return static_cast<BOOL>(Default());
}
void CWnd::OnNcLButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnNcLButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnNcLButtonDblClk(UINT, CPoint) {
    Default();
}
void CWnd::OnNcRButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnNcRButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnNcMouseMove(UINT, CPoint) {
    Default();
}
LRESULT CWnd::OnNcHitTest(CPoint) {
    return Default();
}
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) {
    Default();
}
BOOL CWnd::OnNcCreate(LPCREATESTRUCT) {
    return static_cast<BOOL>(Default());
}
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) {
    return static_cast<BOOL>(Default());
}
void CWnd::OnContextMenu(CWnd*, CPoint) {
    Default();
}
void CWnd::OnKeyDown(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnKeyUp(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnChar(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnSysKeyDown(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnSysKeyUp(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnSysChar(UINT, UINT, UINT) {
    Default();
}
UINT CWnd::OnGetDlgCode() {
    return static_cast<UINT>(Default());
}
void CWnd::OnInitMenu(CMenu*) {
    Default();
}
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) {
    Default();
}
void CWnd::OnMenuSelect(UINT, UINT, HMENU) {
    Default();
}
LRESULT CWnd::OnMenuChar(UINT, UINT, CMenu*) {
    return Default();
}
void CWnd::OnEnterMenuLoop(BOOL) {
    Default();
}
void CWnd::OnExitMenuLoop(BOOL) {
    Default();
}
void CWnd::OnSysCommand(UINT, LPARAM) {
    Default();
}
void CWnd::OnSettingChange(UINT, LPCSTR) {
    Default();
}
void CWnd::OnSysColorChange() {
    Default();
}
void CWnd::OnDropFiles(HDROP) {
    Default();
}
BOOL CWnd::OnCopyData(CWnd*, COPYDATASTRUCT*) {
    return static_cast<BOOL>(Default());
}
void CWnd::OnCancelMode() {
    Default();
}
void CWnd::OnCaptureChanged(CWnd*) {
    Default();
}
void CWnd::OnStyleChanging(int, LPSTYLESTRUCT) {
    Default();
}
void CWnd::OnStyleChanged(int, LPSTYLESTRUCT) {
    Default();
}
void CWnd::OnChildActivate() {
    Default();
}
void CWnd::OnEnable(BOOL) {
    Default();
}
void CWnd::OnMDIActivate(BOOL, CWnd*, CWnd*) {
    Default();
}
void CWnd::OnSizing(UINT, LPRECT) {
    Default();
}
void CWnd::OnMoving(UINT, LPRECT) {
    Default();
}
BOOL CWnd::OnQueryEndSession() {
    return static_cast<BOOL>(Default());
}
void CWnd::OnEndSession(BOOL) {
    Default();
}
void CWnd::OnActivateApp(BOOL, DWORD) {
    Default();
}
BOOL CWnd::OnQueryNewPalette() {
    return static_cast<BOOL>(Default());
}
void CWnd::OnPaletteChanged(CWnd*) {
    Default();
}
