#include "docking/CDKMDIChildWndSizeDock.h"

#include "docking/CDKMDIFrameWndSizeDock.h"
#include "platform/framework/CMenu.h"
#include "platform/framework/CPreviewView.h"

IMPLEMENT_DYNCREATE(CDKMDIChildWndSizeDock, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CDKMDIChildWndSizeDock, CMDIChildWnd)
    ON_WM_CREATE()
    ON_WM_SYSCOMMAND()
    ON_COMMAND_RUNTIME(s_nDockCommand, OnDockCommand)
    ON_WM_STYLECHANGING()
    ON_WM_WINDOWPOSCHANGING()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_WM_CONTEXTMENU()
    ON_WM_NCRBUTTONDOWN()
    ON_WM_PARENTNOTIFY()
    ON_WM_CLOSE()
    ON_WM_MDIACTIVATE()
    ON_WM_MOUSEACTIVATE()
    ON_WM_NCACTIVATE()
END_MESSAGE_MAP()

CDKMDIChildWndSizeDock::CDKMDIChildWndSizeDock() : m_strDockMenuText("Dock window") {
    DockCommandId();
}

UINT CDKMDIChildWndSizeDock::s_nDockCommand = 0;

UINT CDKMDIChildWndSizeDock::DockCommandId() {
    static const UINT id = [] {
        const UINT registered = ::RegisterWindowMessage("_DOCK_MDICHILD_");
        s_nDockCommand = LOWORD(registered);
        return registered;
    }();
    return id;
}

int CDKMDIChildWndSizeDock::OnCreate(LPCREATESTRUCT lpcs) {
    if (CMDIChildWnd::OnCreate(lpcs) == -1) return -1;
    if (CMenu* menu = GetSystemMenu(FALSE)) AppendDockSystemMenuItems(menu);
    return 0;
}

void CDKMDIChildWndSizeDock::AppendDockSystemMenuItems(CMenu* pMenu) {
    pMenu->AppendMenu(MF_SEPARATOR);
    AppendDockMenuItem(pMenu->m_hMenu);
}

void CDKMDIChildWndSizeDock::AppendDockMenuItem(HMENU hMenu) {
    ::AppendMenuA(hMenu, MF_STRING | (m_bDocked ? MF_CHECKED : MF_UNCHECKED), DockCommandId(),
                  m_strDockMenuText);
}

namespace {

CDKMDIFrameWndSizeDock* DockingFrame(CMDIFrameWnd* frame) {
    return frame && frame->IsKindOf(RUNTIME_CLASS(CDKMDIFrameWndSizeDock))
               ? static_cast<CDKMDIFrameWndSizeDock*>(frame)
               : nullptr;
}

} // namespace

CMDIChildWnd* CDKMDIChildWndSizeDock::GetActiveChild() const {
    CMDIFrameWnd* frame = GetMDIFrame();
    CMDIChildWnd* active = frame ? frame->GetActiveChildFrame() : nullptr;
    return active && ::IsWindow(active->m_hWnd) ? active : nullptr;
}

void CDKMDIChildWndSizeDock::MDIActivate() {
    if (CDKMDIFrameWndSizeDock* frame = DockingFrame(GetMDIFrame()))
        frame->ActivateChild(this);
    else
        CMDIChildWnd::MDIActivate();
}

void CDKMDIChildWndSizeDock::MDIMaximize() {
    if (!m_bDocked) CMDIChildWnd::MDIMaximize();
}

void CDKMDIChildWndSizeDock::MDIRestore() {
    if (!m_bDocked) CMDIChildWnd::MDIRestore();
}

BOOL CDKMDIChildWndSizeDock::SetDocked(BOOL bDocked) {
    CMDIFrameWnd* frame = GetMDIFrame();
    if (!frame || !frame->IsKindOf(RUNTIME_CLASS(CDKMDIFrameWndSizeDock))) return FALSE;
    if (bDocked == m_bDocked) return TRUE;
    if (bDocked) {
        if (!m_wndViewBar.Dock(this)) return FALSE;
        m_bDocked = TRUE;
        return TRUE;
    }
    m_wndViewBar.Undock(TRUE);
    RecalcLayout();
    m_bDocked = FALSE;
    return TRUE;
}

void CDKMDIChildWndSizeDock::OnSysCommand(UINT nID, LPARAM) {
    if (nID == DockCommandId()) {
        ToggleDocking();
        return;
    }
    Default();
}

BOOL CDKMDIChildWndSizeDock::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (m_bDocked && ::IsWindow(m_wndViewBar.m_hWnd) &&
        m_wndViewBar.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CMDIChildWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CDKMDIChildWndSizeDock::OnStyleChanging(int nStyleType, LPSTYLESTRUCT lpStyleStruct) {
    // A docked document window never shows.
    if (m_bDocked) lpStyleStruct->styleNew &= ~static_cast<DWORD>(WS_VISIBLE);
    (void)nStyleType;
    Default();
}

void CDKMDIChildWndSizeDock::OnWindowPosChanging(WINDOWPOS* lpWndPos) {
    // Nor through a show: its view is in the pane.
    if (m_bDocked) lpWndPos->flags &= ~static_cast<UINT>(SWP_SHOWWINDOW);
    CMDIChildWnd::OnWindowPosChanging(lpWndPos);
}

void CDKMDIChildWndSizeDock::ActivateFrame(int nCmdShow) {
    if (!m_bDocked || !::IsWindow(m_wndViewBar.m_hWnd)) {
        CMDIChildWnd::ActivateFrame(nCmdShow);
        return;
    }
    // Asked to come forward (its document opened again, say), a docked window shows its pane, which
    // its close button may have hidden, and becomes the active child.
    CFrameWnd* site = m_wndViewBar.m_pDockSite;
    if (site && !m_wndViewBar.IsWindowVisible()) site->ShowControlBar(&m_wndViewBar, TRUE, FALSE);
    MDIActivate();
}

LRESULT CDKMDIChildWndSizeDock::OnSetText(WPARAM, LPARAM lParam) {
    if (m_bDocked && ::IsWindow(m_wndViewBar.m_hWnd))
        m_wndViewBar.SetWindowText(reinterpret_cast<LPCSTR>(lParam));
    return Default();
}

void CDKMDIChildWndSizeDock::TrackDockMenu(CPoint point) {
    CMenu menu;
    menu.CreatePopupMenu();
    AppendDockMenuItem(menu.m_hMenu);
    menu.TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, this);
}

void CDKMDIChildWndSizeDock::OnContextMenu(CWnd*, CPoint point) {
    TrackDockMenu(point);
}

void CDKMDIChildWndSizeDock::OnNcRButtonDown(UINT nHitTest, CPoint point) {
    Default();
    // Without a system menu, the caption still offers to dock the window.
    if (nHitTest == HTCAPTION && ::IsWindow(m_hWnd) && !(GetStyle() & WS_SYSMENU)) TrackDockMenu(point);
}

void CDKMDIChildWndSizeDock::OnParentNotify(UINT message, LPARAM lParam) {
    Default();
    if (LOWORD(message) != WM_CREATE) return;
    // A new view (not a print preview's) takes over: no frame keeps the old one as active.
    CWnd* created = CWnd::FromHandlePermanent(reinterpret_cast<HWND>(lParam));
    if (!created || !created->IsKindOf(RUNTIME_CLASS(CView)) ||
        created->IsKindOf(RUNTIME_CLASS(CPreviewView)))
        return;
    SetActiveView(nullptr);
    if (CMDIFrameWnd* frame = GetMDIFrame()) frame->SetActiveView(nullptr);
}

void CDKMDIChildWndSizeDock::OnClose() {
    if (m_bClosing) return;
    m_bClosing = TRUE;
    const HWND self = m_hWnd;
    CMDIChildWnd::OnClose();
    // Still here: the close was refused.
    if (::IsWindow(self)) m_bClosing = FALSE;
}

BOOL CDKMDIChildWndSizeDock::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_LBUTTONDOWN || pMsg->message == WM_NCLBUTTONDOWN) AfxCancelModes(pMsg->hwnd);
    return CMDIChildWnd::PreTranslateMessage(pMsg);
}

void CDKMDIChildWndSizeDock::OnUpdateFrameTitle(BOOL bAddToTitle) {
    CMDIChildWnd::OnUpdateFrameTitle(bAddToTitle);
    if (!m_bDocked || !::IsWindow(m_wndViewBar.m_hWnd)) return;
    CString text;
    GetWindowText(text);
    m_wndViewBar.SetWindowText(text);
}

BOOL CDKMDIChildWndSizeDock::DestroyWindow() {
    m_bClosing = TRUE;
    if (::IsWindow(m_wndViewBar.m_hWnd) && !m_wndViewBar.m_bDestroyed) m_wndViewBar.DestroyWindow();
    m_bDocked = FALSE;
    CMDIFrameWnd* frame = GetMDIFrame();
    if (!frame) return CMDIChildWnd::DestroyWindow();
    if (CDKMDIFrameWndSizeDock* docking = DockingFrame(frame);
        docking && docking->m_pActiveDockedChild == this)
        docking->m_pActiveDockedChild = nullptr;
    // While the window goes, the frame's title takes no child's name; it is brought up to date after.
    const bool addToTitle = (frame->GetStyle() & FWS_ADDTOTITLE) != 0;
    if (addToTitle) frame->ModifyStyle(FWS_ADDTOTITLE, 0);
    frame->SetActiveView(nullptr);
    const HWND frameWnd = frame->m_hWnd;
    const BOOL destroyed = CMDIChildWnd::DestroyWindow(); // this object may be gone now
    if (addToTitle && ::IsWindow(frameWnd)) {
        frame->ModifyStyle(0, FWS_ADDTOTITLE);
        frame->OnUpdateFrameTitle(TRUE);
    }
    return destroyed;
}

void CDKMDIChildWndSizeDock::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd) {
    // Activated by the client (a click, the Window menu, the tabs): a docked window's turn ends.
    CDKMDIFrameWndSizeDock* frame = DockingFrame(GetMDIFrame());
    if (bActivate && !m_bDocked && frame && frame->m_pActiveDockedChild &&
        frame->m_pActiveDockedChild != this) {
        frame->m_pActiveDockedChild = nullptr;
        frame->RefreshDockedChildren();
    }
    CMDIChildWnd::OnMDIActivate(bActivate, pActivateWnd, pDeactivateWnd);
    if (m_bDocked && ::IsWindow(m_wndViewBar.m_hWnd))
        m_wndViewBar.SendMessage(WM_SZBAR_ACTIVATE, bActivate, CDKSizeViewBar::kFromChild);
}

int CDKMDIChildWndSizeDock::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
    const int result = CFrameWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT) return result;
    CDKMDIFrameWndSizeDock* frame = DockingFrame(GetMDIFrame());
    if (!frame) {
        if (GetActiveChild() != this) MDIActivate();
        return result;
    }
    if (GetActiveChild() != this)
        frame->ActivateChild(this);
    else
        frame->RefreshDockedChildren();
    return result;
}

BOOL CDKMDIChildWndSizeDock::OnNcActivate(BOOL bActive) {
    // Only the frame's active child shows as active; a docked one shows it on its pane.
    if (bActive && GetActiveChild() != this) return FALSE;
    if (m_bDocked && ::IsWindow(m_wndViewBar.m_hWnd))
        m_wndViewBar.SendMessage(WM_SZBAR_ACTIVATE, bActive, CDKSizeViewBar::kFromChild);
    return static_cast<BOOL>(Default());
}
