#include "docking/CDKMDIChildWndSizeDock.h"

#include "docking/CDKMDIFrameWndSizeDock.h"
#include "platform/framework/CMenu.h"

IMPLEMENT_DYNCREATE(CDKMDIChildWndSizeDock, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CDKMDIChildWndSizeDock, CMDIChildWnd)
    ON_WM_CREATE()
    ON_WM_SYSCOMMAND()
    ON_WM_STYLECHANGING()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

CDKMDIChildWndSizeDock::CDKMDIChildWndSizeDock() : m_strDockMenuText("Dock window") {}

UINT CDKMDIChildWndSizeDock::DockCommandId() {
    static const UINT id = ::RegisterWindowMessage("_DOCK_MDICHILD_");
    return id;
}

int CDKMDIChildWndSizeDock::OnCreate(LPCREATESTRUCT lpcs) {
    if (CMDIChildWnd::OnCreate(lpcs) == -1)
        return -1;
    if (CMenu* menu = GetSystemMenu(FALSE))
        AppendDockSystemMenuItems(menu);
    return 0;
}

void CDKMDIChildWndSizeDock::AppendDockSystemMenuItems(CMenu* pMenu) {
    pMenu->AppendMenu(MF_SEPARATOR);
    AppendDockMenuItem(pMenu->m_hMenu);
}

void CDKMDIChildWndSizeDock::AppendDockMenuItem(HMENU hMenu) {
    ::AppendMenuA(hMenu, MF_STRING | (m_bDocked ? MF_CHECKED : MF_UNCHECKED), DockCommandId(), m_strDockMenuText);
}

CMDIChildWnd* CDKMDIChildWndSizeDock::GetActiveChild() const {
    CMDIFrameWnd* frame = GetMDIFrame();
    if (!frame)
        return nullptr;
    CMDIChildWnd* active = frame->IsKindOf(RUNTIME_CLASS(CDKMDIFrameWndSizeDock))
                               ? static_cast<CDKMDIFrameWndSizeDock*>(frame)->MDIGetActive()
                               : frame->MDIGetActive();
    return active && ::IsWindow(active->m_hWnd) ? active : nullptr;
}

BOOL CDKMDIChildWndSizeDock::SetDocked(BOOL bDocked) {
    CMDIFrameWnd* frame = GetMDIFrame();
    if (!frame || !frame->IsKindOf(RUNTIME_CLASS(CDKMDIFrameWndSizeDock)))
        return FALSE;
    if (bDocked == m_bDocked)
        return TRUE;
    if (bDocked) {
        if (!m_wndViewBar.Dock(this))
            return FALSE;
        m_bDocked = TRUE;
        return TRUE;
    }
    m_wndViewBar.Undock(TRUE);
    RecalcLayout();
    m_bDocked = FALSE;
    return TRUE;
}

BOOL CDKMDIChildWndSizeDock::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == LOWORD(DockCommandId()) && lParam == 0) {
        ToggleDocking();
        return TRUE;
    }
    return CMDIChildWnd::OnCommand(wParam, lParam);
}

void CDKMDIChildWndSizeDock::OnSysCommand(UINT nID, LPARAM) {
    if (nID == DockCommandId()) {
        ToggleDocking();
        return;
    }
    Default();
}

BOOL CDKMDIChildWndSizeDock::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (m_bDocked && ::IsWindow(m_wndViewBar.m_hWnd) && m_wndViewBar.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CMDIChildWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CDKMDIChildWndSizeDock::OnStyleChanging(int nStyleType, LPSTYLESTRUCT lpStyleStruct) {
    // A docked document window never shows.
    if (m_bDocked)
        lpStyleStruct->styleNew &= ~static_cast<DWORD>(WS_VISIBLE);
    (void)nStyleType;
    Default();
}

LRESULT CDKMDIChildWndSizeDock::OnSetText(WPARAM, LPARAM lParam) {
    if (m_bDocked && ::IsWindow(m_wndViewBar.m_hWnd))
        m_wndViewBar.SetWindowText(reinterpret_cast<LPCSTR>(lParam));
    return Default();
}

void CDKMDIChildWndSizeDock::OnContextMenu(CWnd*, CPoint point) {
    CMenu menu;
    menu.CreatePopupMenu();
    AppendDockMenuItem(menu.m_hMenu);
    menu.TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, this);
}

void CDKMDIChildWndSizeDock::OnUpdateFrameTitle(BOOL bAddToTitle) {
    CMDIChildWnd::OnUpdateFrameTitle(bAddToTitle);
    if (!m_bDocked || !::IsWindow(m_wndViewBar.m_hWnd))
        return;
    CString text;
    GetWindowText(text);
    m_wndViewBar.SetWindowText(text);
}

BOOL CDKMDIChildWndSizeDock::DestroyWindow() {
    m_bClosing = TRUE;
    if (::IsWindow(m_wndViewBar.m_hWnd) && !m_wndViewBar.m_bDestroyed)
        m_wndViewBar.DestroyWindow();
    m_bDocked = FALSE;
    // The main frame holds this window's view as its own active view, and may hold it as active.
    if (CMDIFrameWnd* frame = GetMDIFrame()) {
        frame->SetActiveView(nullptr, FALSE);
        if (frame->IsKindOf(RUNTIME_CLASS(CDKMDIFrameWndSizeDock))) {
            auto* docking = static_cast<CDKMDIFrameWndSizeDock*>(frame);
            if (docking->m_pActiveDockedChild == this)
                docking->m_pActiveDockedChild = nullptr;
        }
    }
    return CMDIChildWnd::DestroyWindow();
}
