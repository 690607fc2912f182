// CMDIChildWnd: creation through the MDI client, activation, the shared menu and the title.

#include "platform/framework/CMDIChildWnd.h"

#include "platform/framework/CDocTemplate.h"
#include "platform/framework/CDocument.h"
#include "platform/framework/CMDIFrameWnd.h"
#include "platform/framework/CMenu.h"
#include "platform/framework/CView.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/FrameworkStrings.h"

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_MDIACTIVATE()
    ON_WM_MOUSEACTIVATE()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs) {
    BOOL result = CFrameWnd::PreCreateWindow(cs);
    cs.style |= WS_CHILD;
    cs.style &= ~static_cast<LONG>(FWS_PREFIXTITLE);
    return result;
}

HWND CMDIChildWnd::CreateThroughClient(const CREATESTRUCT& cs, CMDIFrameWnd* pParentWnd) {
    MDICREATESTRUCT mcs{cs.lpszClass,
                        cs.lpszName,
                        nullptr,
                        cs.x,
                        cs.y,
                        cs.cx,
                        cs.cy,
                        static_cast<DWORD>(cs.style) & ~static_cast<DWORD>(WS_MAXIMIZE | WS_VISIBLE),
                        reinterpret_cast<LPARAM>(cs.lpCreateParams)};
    AfxHookWindowCreate(this);
    auto hWnd = reinterpret_cast<HWND>(
        ::SendMessage(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    if (!AfxUnhookWindowCreate()) PostNcDestroy();
    return hWnd;
}

void CMDIChildWnd::ShowAfterCreate(DWORD dwStyle, CMDIFrameWnd* pParentWnd) {
    if (!(dwStyle & WS_VISIBLE)) return;
    ::BringWindowToTop(m_hWnd);
    if (dwStyle & WS_MINIMIZE)
        ShowWindow(SW_SHOWMINIMIZED);
    else if (dwStyle & WS_MAXIMIZE)
        ShowWindow(SW_SHOWMAXIMIZED);
    else
        ShowWindow(SW_SHOWNORMAL);
    MDIActivate();
    ::SendMessage(pParentWnd->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
}

BOOL CMDIChildWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext) {
    if (!pParentWnd) pParentWnd = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    if (!pParentWnd) return FALSE;
    pParentWnd->RecalcLayout();
    pm::afx::registerStandardClasses();
    CREATESTRUCT cs{pContext,
                    nullptr,
                    nullptr,
                    pParentWnd->m_hWnd,
                    pm::afx::createHeight(rect),
                    pm::afx::createWidth(rect),
                    rect.top,
                    rect.left,
                    static_cast<LONG>(dwStyle),
                    lpszWindowName,
                    lpszClassName,
                    0};
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    if (!CreateThroughClient(cs, pParentWnd)) return FALSE;
    ShowAfterCreate(static_cast<DWORD>(cs.style), pParentWnd);
    return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                             CCreateContext* pContext) {
    m_nIDHelp = nIDResource;
    CString full, title;
    if (full.LoadString(nIDResource)) AfxExtractSubString(title, full, 0);
    HICON icon = ::LoadIcon(nullptr, MAKEINTRESOURCE(nIDResource));
    LPCSTR cls =
        icon ? AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                   reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)), icon)
             : nullptr;
    return Create(cls, title, dwDefaultStyle, rectDefault, dynamic_cast<CMDIFrameWnd*>(pParentWnd), pContext);
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpcs) {
    auto* mcs = static_cast<MDICREATESTRUCT*>(lpcs->lpCreateParams);
    return OnCreateHelper(lpcs, mcs ? reinterpret_cast<CCreateContext*>(mcs->lParam) : nullptr);
}

LRESULT CMDIChildWnd::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) {
    WNDPROC super = *GetSuperWndProcAddr();
    // The class procedure (DefWindowProc for framework classes) gives way to the MDI defaults.
    if (super && super != &::DefWindowProc) return ::CallWindowProc(super, m_hWnd, nMsg, wParam, lParam);
    return ::DefMDIChildProc(m_hWnd, nMsg, wParam, lParam);
}

BOOL CMDIChildWnd::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    if (!GetMDIFrame()) return CWnd::DestroyWindow();
    // The client destroys its children and activates the next; this object may be gone after.
    MDIDestroy();
    return TRUE;
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const {
    HWND client = ::GetParent(m_hWnd);
    return client ? dynamic_cast<CMDIFrameWnd*>(CWnd::FromHandlePermanent(::GetParent(client))) : nullptr;
}

void CMDIChildWnd::MDIDestroy() {
    ::SendMessage(::GetParent(m_hWnd), WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIActivate() {
    ::SendMessage(::GetParent(m_hWnd), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIMaximize() {
    ::SendMessage(::GetParent(m_hWnd), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIRestore() {
    ::SendMessage(::GetParent(m_hWnd), WM_MDIRESTORE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

// ---- Activation ----

int CMDIChildWnd::DefaultShowCommand(int nCmdShow) const {
    if (nCmdShow != -1) return nCmdShow;
    BOOL maximized = FALSE;
    if (CMDIFrameWnd* pFrame = GetMDIFrame()) pFrame->GetActiveChildFrame(&maximized);
    DWORD style = GetStyle();
    if (maximized || (style & WS_MAXIMIZE)) return SW_SHOWMAXIMIZED;
    if (style & WS_MINIMIZE) return SW_SHOWMINIMIZED;
    return -1;
}

void CMDIChildWnd::UpdatePseudoActive(BOOL bVisibleBefore) {
    CMDIFrameWnd* pFrame = GetMDIFrame();
    BOOL visibleNow = (GetStyle() & WS_VISIBLE) != 0;
    if (!pFrame || visibleNow == bVisibleBefore) return;
    if (visibleNow) {
        if (m_bPseudoInactive) OnMDIActivate(TRUE, this, nullptr);
        return;
    }
    auto active = reinterpret_cast<HWND>(::SendMessage(pFrame->m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0));
    if (active != m_hWnd) return;
    pFrame->MDINext();
    active = reinterpret_cast<HWND>(::SendMessage(pFrame->m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0));
    if (active == m_hWnd) {
        // The only child went hidden: it stays active for the client but not for the frame.
        OnMDIActivate(FALSE, nullptr, this);
        m_bPseudoInactive = TRUE;
    }
}

void CMDIChildWnd::ActivateFrame(int nCmdShow) {
    BOOL visibleBefore = (GetStyle() & WS_VISIBLE) != 0;
    CFrameWnd::ActivateFrame(DefaultShowCommand(nCmdShow));
    if (CMDIFrameWnd* pFrame = GetMDIFrame()) {
        // Showing does not activate an MDI child; the client does.
        if (IsWindowVisible() && !IsIconic()) MDIActivate();
        ::SendMessage(pFrame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    }
    UpdatePseudoActive(visibleBefore);
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd*) {
    m_bPseudoInactive = FALSE;
    CView* pActiveView = GetActiveView();
    if (!bActivate && pActiveView) pActiveView->OnActivateView(FALSE, pActiveView, pActiveView);
    OnUpdateFrameTitle(bActivate || pActivateWnd != nullptr);
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (bActivate && pActiveView && pFrame && ::GetActiveWindow() == pFrame->m_hWnd)
        pActiveView->OnActivateView(TRUE, pActiveView, pActiveView);
    OnUpdateFrameMenu(bActivate, pActivateWnd, nullptr);
    if (pFrame) pFrame->DrawMenuBar();
}

int CMDIChildWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
    int result = CFrameWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT) return result;
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        if (pFrame->GetActiveChildFrame() != this) MDIActivate();
    return result;
}

void CMDIChildWnd::OnWindowPosChanging(WINDOWPOS* lpWndPos) {
    CFrameWnd::OnWindowPosChanging(lpWndPos);
}

void CMDIChildWnd::OnSize(UINT nType, int cx, int cy) {
    // The MDI defaults keep the maximised state and the frame's title; then the layout.
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED) RecalcLayout();
    if (CMDIFrameWnd* pFrame = GetMDIFrame()) pFrame->OnUpdateFrameTitle(TRUE);
}

// ---- Menu, title and accelerators ----

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt) {
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (!pFrame) return;
    if (!hMenuAlt && bActive)
        if (CDocument* pDoc = GetActiveDocument()) hMenuAlt = pDoc->GetDefaultMenu();
    if (!hMenuAlt) hMenuAlt = m_hMenuShared;
    if (hMenuAlt && bActive) {
        pFrame->MDISetMenu(CMenu::FromHandle(hMenuAlt),
                           CMenu::FromHandle(pFrame->GetWindowMenuPopup(hMenuAlt)));
    } else if (!bActive && !pActivateWnd && pFrame->m_hMenuDefault) {
        // The last child went: the frame's own menu comes back.
        pFrame->MDISetMenu(CMenu::FromHandle(pFrame->m_hMenuDefault),
                           CMenu::FromHandle(pFrame->GetWindowMenuPopup(pFrame->m_hMenuDefault)));
    }
}

void CMDIChildWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
    OnUpdateFrameMenu(TRUE, this, hMenuAlt);
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
    if (CMDIFrameWnd* pFrame = GetMDIFrame()) pFrame->OnUpdateFrameTitle(bAddToTitle);
    if (!(GetStyle() & FWS_ADDTOTITLE)) return;
    CDocument* pDocument = GetActiveDocument();
    if (!bAddToTitle || !pDocument) return;
    CString text = pDocument->GetTitle();
    if (m_nWindow > 0) text.AppendFormat(":%d", m_nWindow);
    CString current;
    GetWindowText(current);
    if (current != text) SetWindowText(text);
}

CWnd* CMDIChildWnd::GetMessageBar() {
    CMDIFrameWnd* pFrame = GetMDIFrame();
    return pFrame ? pFrame->GetMessageBar() : nullptr;
}

HACCEL CMDIChildWnd::GetDefaultAccelerator() {
    if (HACCEL hAccel = CFrameWnd::GetDefaultAccelerator()) return hAccel;
    if (m_hAccelShared) return m_hAccelShared;
    CMDIFrameWnd* pFrame = GetMDIFrame();
    return pFrame ? pFrame->m_hAccelTable : nullptr;
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg) {
    if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) return FALSE;
    // Accelerators are translated for the frame, which owns the menu.
    HACCEL hAccel = GetDefaultAccelerator();
    CMDIFrameWnd* pFrame = GetMDIFrame();
    return hAccel && pFrame && ::TranslateAccelerator(pFrame->m_hWnd, hAccel, pMsg);
}
