#include "docking/CDKSizableMiniDockFrameWnd.h"

#include "docking/CDKMDIChildWndSizeDock.h"
#include "docking/CDKSizeControlBar.h"
#include "platform/framework/CDockContext.h"
#include "platform/framework/CMenu.h"
#include "platform/framework/FrameworkStrings.h"

IMPLEMENT_DYNCREATE(CDKSizableMiniDockFrameWnd, CMiniDockFrameWnd)

BEGIN_MESSAGE_MAP(CDKSizableMiniDockFrameWnd, CMiniDockFrameWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_SETCURSOR()
    ON_WM_SYSCOMMAND()
    ON_WM_INITMENUPOPUP()
    ON_WM_PARENTNOTIFY()
    ON_WM_NCACTIVATE()
    ON_WM_ACTIVATE()
END_MESSAGE_MAP()

namespace {

CDKSizeControlBar* AsSizeBar(CControlBar* bar) {
    return bar && bar->IsKindOf(RUNTIME_CLASS(CDKSizeControlBar)) ? static_cast<CDKSizeControlBar*>(bar)
                                                                  : nullptr;
}

bool IsSizingBorder(UINT nHitTest) {
    return nHitTest >= HTSIZEFIRST && nHitTest <= HTSIZELAST;
}

bool IsPress(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
}

} // namespace

BOOL CDKSizableMiniDockFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style |= WS_THICKFRAME | MFS_THICKFRAME;
    cs.style &= ~static_cast<LONG>(MFS_4THICKFRAME | MFS_MOVEFRAME);
    return CMiniDockFrameWnd::PreCreateWindow(cs);
}

int CDKSizableMiniDockFrameWnd::OnCreate(LPCREATESTRUCT) {
    m_bClosing = FALSE;
    m_nKind = kindUndecided;
    return static_cast<int>(Default());
}

CControlBar* CDKSizableMiniDockFrameWnd::FirstBar() const {
    for (int i = 0; i < m_wndDockBar.m_arrBars.GetSize(); ++i)
        if (CControlBar* bar = m_wndDockBar.GetDockedControlBar(i)) return bar;
    return nullptr;
}

void CDKSizableMiniDockFrameWnd::DecideKind() {
    if (m_nKind != kindUndecided) return;
    m_nKind = kindOrdinary;
    CControlBar* first = FirstBar();
    const bool multi = (m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI) != 0;
    if (CDKSizeControlBar* bar = multi ? nullptr : AsSizeBar(first)) {
        m_nKind = kindSizeBar;
        GetSystemMenu(TRUE);
        CMenu* menu = GetSystemMenu(FALSE);
        for (UINT command : {SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE, SC_TASKLIST})
            menu->DeleteMenu(command, MF_BYCOMMAND);
        for (int i = static_cast<int>(menu->GetMenuItemCount()) - 1; i >= 0; --i)
            if (menu->GetMenuState(static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR)
                menu->DeleteMenu(static_cast<UINT>(i), MF_BYPOSITION);
        if (!(bar->GetSizeBarStyle() & SZBAR_DELETEONCLOSE))
            menu->ModifyMenu(SC_CLOSE, MF_BYCOMMAND | MF_STRING, SC_CLOSE, AfxLoadString(IDS_SZBAR_HIDE));
        return;
    }
    if (first && !AsSizeBar(first) && (first->m_dwStyle & CBRS_SIZE_DYNAMIC)) {
        m_dwMiniStyle |= MFS_4THICKFRAME;
        return;
    }
    m_dwMiniStyle = (m_dwMiniStyle & ~static_cast<DWORD>(MFS_THICKFRAME)) | MFS_MOVEFRAME;
    ModifyStyle(WS_THICKFRAME, 0, SWP_FRAMECHANGED);
}

void CDKSizableMiniDockFrameWnd::RecalcLayout(BOOL bNotify) {
    // Decided before the layout, so the frame fits the bar with the borders of its kind.
    CControlBar* first = FirstBar();
    if (m_nKind == kindUndecided && first && !AsSizeBar(first)) DecideKind();
    CMiniDockFrameWnd::RecalcLayout(bNotify);
}

void CDKSizableMiniDockFrameWnd::OnSize(UINT, int cx, int cy) {
    CDKSizeControlBar* bar = (m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI) ? nullptr : AsSizeBar(FirstBar());
    if (bar && bar->IsWindowVisible() && cx > 0 && cy > 0) {
        const DWORD style = bar->m_dwStyle;
        CSize size(cx, cy);
        size.cx += ((style & CBRS_BORDER_LEFT) ? afxData.cxBorder2 : 0) +
                   ((style & CBRS_BORDER_RIGHT) ? afxData.cxBorder2 : 0);
        size.cy += ((style & CBRS_BORDER_TOP) ? afxData.cyBorder2 : 0) +
                   ((style & CBRS_BORDER_BOTTOM) ? afxData.cyBorder2 : 0);
        bar->m_szFloat = size;
    }
    Default();
    RecalcLayout();
}

void CDKSizableMiniDockFrameWnd::OnClose() {
    if (m_bClosing) return;
    m_bClosing = TRUE;
    CDKSizeControlBar* bar = (m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI) ? nullptr : AsSizeBar(FirstBar());
    auto* viewBar =
        bar && bar->IsKindOf(RUNTIME_CLASS(CDKSizeViewBar)) ? static_cast<CDKSizeViewBar*>(bar) : nullptr;
    if (viewBar && viewBar->m_pChild && ::IsWindow(viewBar->m_pChild->m_hWnd)) {
        // A floating document window closes as the window it is; refused by its document, it
        // stays as it was (hidden, it could not be reached any more).
        m_bClosing = FALSE;
        if (!viewBar->CanClose()) return;
        // Docking the pane back destroys this frame: nothing of it is touched afterwards. The
        // document has agreed already: the window goes without being asked again.
        CDKMDIChildWndSizeDock* child = viewBar->m_pChild;
        viewBar->ShowWindow(SW_HIDE);
        if (viewBar->m_pDockContext) viewBar->m_pDockContext->ToggleDocking();
        child->DestroyWindow();
        return;
    }
    if (bar && (bar->GetSizeBarStyle() & SZBAR_DELETEONCLOSE)) {
        // The bar's window goes with the frame, and this object with its window: nothing of it is
        // touched afterwards. (Destroying the bar first had its dock bar destroy the frame under us.)
        DestroyWindow();
        delete bar;
        return;
    }
    CMiniDockFrameWnd::OnClose();
    m_bClosing = FALSE;
}

void CDKSizableMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point) {
    if (m_nKind != kindSizeBar) {
        CMiniDockFrameWnd::OnNcLButtonDown(nHitTest, point);
        return;
    }
    if (IsSizingBorder(nHitTest)) {
        // The main frame stays the active window; the system sizing loop sizes this frame, and
        // with it the bar's floating size.
        if (CWnd* top = GetTopLevelParent(); top && top != this) top->SetActiveWindow();
        Default();
        return;
    }
    if (nHitTest == HTSYSMENU) {
        TrackSystemMenu();
        return;
    }
    CMiniDockFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CDKSizableMiniDockFrameWnd::TrackSystemMenu() {
    CMenu* menu = GetSystemMenu(FALSE);
    if (!menu) return;
    AppendDockItem(menu);
    CRect window;
    GetWindowRect(&window);
    CPoint below(0, 0);
    ClientToScreen(&below);
    const UINT command =
        static_cast<UINT>(menu->TrackPopupMenu(TPM_LEFTALIGN | TPM_RETURNCMD, window.left, below.y, this));
    if (command) SendMessage(WM_SYSCOMMAND, command, MAKELPARAM(window.left, below.y));
}

void CDKSizableMiniDockFrameWnd::ActivateViewBar() {
    if (CControlBar* bar = ViewBar())
        bar->SendMessage(WM_SZBAR_ACTIVATE, TRUE, CDKSizeViewBar::kFromFloatingFrame);
}

BOOL CDKSizableMiniDockFrameWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    // Only a press: the pointer passing over the frame leaves the active document where it is.
    if (IsPress(message)) ActivateViewBar();
    if (m_nKind == kindSizeBar && IsSizingBorder(nHitTest))
        return static_cast<BOOL>(Default()); // the system's sizing cursors
    return CMiniDockFrameWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CDKSizableMiniDockFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
    CMiniDockFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    if (CControlBar* bar = ViewBar())
        bar->SendMessage(WM_SZBAR_ACTIVATE, nState != WA_INACTIVE, CDKSizeViewBar::kFromFloatingFrame);
}

void CDKSizableMiniDockFrameWnd::OnSysCommand(UINT nID, LPARAM) {
    CDKSizeViewBar* bar = ViewBar();
    if (nID == CDKMDIChildWndSizeDock::DockCommandId() && bar) {
        if (bar->m_pChild) bar->m_pChild->ToggleDocking();
        return;
    }
    Default();
}

void CDKSizableMiniDockFrameWnd::OnInitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu) {
    if (!bSysMenu) {
        CMiniDockFrameWnd::OnInitMenuPopup(pMenu, nIndex, bSysMenu);
        return;
    }
    AfxCancelModes(m_hWnd);
    AppendDockItem(pMenu);
}

void CDKSizableMiniDockFrameWnd::AppendDockItem(CMenu* pMenu) {
    // A floating document window offers to dock back among the documents.
    CDKSizeViewBar* bar = ViewBar();
    CDKMDIChildWndSizeDock* child = bar ? bar->m_pChild : nullptr;
    if (!child || !::IsWindow(child->m_hWnd) ||
        pMenu->GetMenuState(CDKMDIChildWndSizeDock::DockCommandId(), MF_BYCOMMAND) != static_cast<UINT>(-1))
        return;
    child->AppendDockSystemMenuItems(pMenu);
}

CDKSizeViewBar* CDKSizableMiniDockFrameWnd::ViewBar() const {
    CControlBar* bar = FirstBar();
    return bar && bar->IsKindOf(RUNTIME_CLASS(CDKSizeViewBar)) ? static_cast<CDKSizeViewBar*>(bar) : nullptr;
}

void CDKSizableMiniDockFrameWnd::OnParentNotify(UINT message, LPARAM) {
    // A press inside the floating pane makes its document window the active one.
    if (IsPress(LOWORD(message)))
        if (CControlBar* bar = FirstBar())
            bar->SendMessage(WM_SZBAR_ACTIVATE, TRUE, CDKSizeViewBar::kFromFloatingFrame);
    Default();
}

BOOL CDKSizableMiniDockFrameWnd::OnNcActivate(BOOL bActive) {
    // A floating document window's frame shows as active only while its window is the active one.
    CDKSizeViewBar* bar = ViewBar();
    if (bActive && bar && bar->m_pChild && ::IsWindow(bar->m_pChild->m_hWnd) &&
        bar->m_pChild->GetActiveChild() != bar->m_pChild)
        return FALSE;
    return static_cast<BOOL>(Default());
}
