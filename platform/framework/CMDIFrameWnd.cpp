// CMDIFrameWnd: the MDI client, routing through the active child, the Window menu and commands.

#include "platform/framework/CMDIFrameWnd.h"

#include "platform/framework/CCmdUI.h"
#include "platform/framework/CDocTemplate.h"
#include "platform/framework/CDocument.h"
#include "platform/framework/CMDIChildWnd.h"
#include "platform/framework/CMenu.h"
#include "platform/framework/CWinApp.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_MENUCHAR()
    ON_COMMAND_EX(ID_WINDOW_ARRANGE, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_CASCADE, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_TILE_HORZ, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_TILE_VERT, OnMDIWindowCmd)
    ON_UPDATE_COMMAND_UI_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_NEW, OnUpdateMDIWindowCmd)
    ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
END_MESSAGE_MAP()

BOOL CMDIFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    // The program's name comes first in an MDI frame's title ("App - Document").
    if (!cs.lpszClass) cs.lpszClass = AFX_WNDMDIFRAME;
    return TRUE;
}

BOOL CMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                             CCreateContext* pContext) {
    if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext)) return FALSE;
    m_hMenuDefault = ::GetMenu(m_hWnd);
    return TRUE;
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar) {
    if (!hMenuBar) return nullptr;
    int count = ::GetMenuItemCount(hMenuBar);
    for (int i = count - 1; i >= 0; --i) {
        HMENU popup = ::GetSubMenu(hMenuBar, i);
        if (!popup) continue;
        int items = ::GetMenuItemCount(popup);
        for (int j = 0; j < items; ++j) {
            UINT id = ::GetMenuItemID(popup, j);
            if (id >= ID_WINDOW_NEW && id <= ID_WINDOW_SPLIT) return popup;
        }
    }
    return nullptr;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*) {
    HMENU bar = ::GetMenu(m_hWnd);
    HMENU windowMenu = GetWindowMenuPopup(bar);
    // Without Window commands the menu before Help lists the children.
    if (!windowMenu && bar && ::GetMenuItemCount(bar) >= 2)
        windowMenu = ::GetSubMenu(bar, ::GetMenuItemCount(bar) - 2);
    return CreateClient(lpcs, CMenu::FromHandle(windowMenu));
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu) {
    DWORD style = WS_VISIBLE | WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | MDIS_ALLCHILDSTYLES;
    CLIENTCREATESTRUCT ccs{pm::afx::safeHmenu(pWindowMenu), AFX_IDM_FIRST_MDICHILD};
    if (lpCreateStruct->style & (WS_HSCROLL | WS_VSCROLL)) {
        style |= lpCreateStruct->style & (WS_HSCROLL | WS_VSCROLL);
        ModifyStyle(WS_HSCROLL | WS_VSCROLL, 0, SWP_NOREDRAW | SWP_FRAMECHANGED);
    }
    m_hWndMDIClient =
        ::CreateWindowEx(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr, style, 0, 0, 0, 0, m_hWnd,
                         reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)), nullptr, &ccs);
    if (!m_hWndMDIClient) return FALSE;
    ::BringWindowToTop(m_hWndMDIClient);
    return TRUE;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) {
    return ::DefFrameProc(m_hWnd, m_hWndMDIClient, nMsg, wParam, lParam);
}

// ---- Children ----

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const {
    if (pbMaximized) *pbMaximized = FALSE;
    if (!m_hWndMDIClient) return nullptr;
    BOOL maximized = FALSE;
    auto hWnd = reinterpret_cast<HWND>(
        ::SendMessage(m_hWndMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
    auto* pWnd = dynamic_cast<CMDIChildWnd*>(CWnd::FromHandlePermanent(hWnd));
    // A child hidden as the last one is active for the client only.
    if (!pWnd || pWnd->m_bPseudoInactive) return nullptr;
    if (pbMaximized) *pbMaximized = maximized;
    return pWnd;
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate) {
    ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pm::afx::safeHwnd(pWndActivate)),
                  0);
}

void CMDIFrameWnd::MDINext() {
    ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 0);
}

void CMDIFrameWnd::MDIPrev() {
    ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 1);
}

void CMDIFrameWnd::MDIMaximize(CWnd* pWnd) {
    ::SendMessage(m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(pm::afx::safeHwnd(pWnd)), 0);
}

void CMDIFrameWnd::MDIRestore(CWnd* pWnd) {
    ::SendMessage(m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(pm::afx::safeHwnd(pWnd)), 0);
}

void CMDIFrameWnd::MDITile(int nType) {
    ::SendMessage(m_hWndMDIClient, WM_MDITILE, static_cast<WPARAM>(nType), 0);
}

void CMDIFrameWnd::MDICascade() {
    ::SendMessage(m_hWndMDIClient, WM_MDICASCADE, 0, 0);
}

void CMDIFrameWnd::MDIIconArrange() {
    ::SendMessage(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0);
}

CMenu* CMDIFrameWnd::MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu) {
    auto old = reinterpret_cast<HMENU>(::SendMessage(
        m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(pm::afx::safeHmenu(pFrameMenu)),
        reinterpret_cast<LPARAM>(pm::afx::safeHmenu(pWindowMenu))));
    return CMenu::FromHandle(old);
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame() {
    CMDIChildWnd* pActiveChild = GetActiveChildFrame();
    return pActiveChild ? static_cast<CFrameWnd*>(pActiveChild) : this;
}

// ---- Routing ----

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CMDIChildWnd* pActiveChild = GetActiveChildFrame()) {
        CPushRoutingFrame push(this);
        if (pActiveChild->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    }
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    // The active child sees the command first (its own map and its OnCommand).
    if (CMDIChildWnd* pActiveChild = GetActiveChildFrame()) {
        if (AfxCallWndProc(pActiveChild, pActiveChild->m_hWnd, WM_COMMAND, wParam, lParam) != 0) return TRUE;
    }
    if (CFrameWnd::OnCommand(wParam, lParam)) return TRUE;
    // System commands of a maximised child and the window list go to the MDI defaults.
    if (lParam == 0 && (LOWORD(wParam) & 0xF000) == 0xF000) {
        DefWindowProc(WM_COMMAND, wParam, lParam);
        return TRUE;
    }
    return FALSE;
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg) {
    if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
    CMDIChildWnd* pActiveChild = GetActiveChildFrame();
    if (pActiveChild && pActiveChild->PreTranslateMessage(pMsg)) return TRUE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) return FALSE;
    if (m_hAccelTable && ::TranslateAccelerator(m_hWnd, m_hAccelTable, pMsg)) return TRUE;
    if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN)
        return ::TranslateMDISysAccel(m_hWndMDIClient, pMsg);
    return FALSE;
}

// ---- Title and menu ----

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
    if (!(GetStyle() & FWS_ADDTOTITLE)) return;
    CMDIChildWnd* pActiveChild = GetActiveChildFrame();
    CDocument* pDocument = GetActiveDocument();
    bool childMaximized = pActiveChild && (pActiveChild->GetStyle() & WS_MAXIMIZE);
    if (bAddToTitle && pActiveChild && !childMaximized &&
        (pDocument || (pDocument = pActiveChild->GetActiveDocument()) != nullptr)) {
        UpdateFrameTitleForDocument(pDocument->GetTitle());
        return;
    }
    // A maximised child's title is added by the MDI defaults.
    CString title;
    if (pActiveChild && !childMaximized) pActiveChild->GetWindowText(title);
    UpdateFrameTitleForDocument(title.IsEmpty() ? nullptr : static_cast<LPCSTR>(title));
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
    if (CMDIChildWnd* pActiveChild = GetActiveChildFrame()) {
        pActiveChild->OnUpdateFrameMenu(TRUE, pActiveChild, hMenuAlt);
        return;
    }
    HMENU menu = hMenuAlt ? hMenuAlt : m_hMenuDefault;
    if (!menu) return;
    MDISetMenu(CMenu::FromHandle(menu), CMenu::FromHandle(GetWindowMenuPopup(menu)));
    ::DrawMenuBar(m_hWnd);
}

void CMDIFrameWnd::RecalcLayout(BOOL bNotify) {
    CFrameWnd::RecalcLayout(bNotify);
}

// ---- Messages and commands ----

void CMDIFrameWnd::OnDestroy() {
    // The default menu comes back before the windows go.
    if (m_hMenuDefault && ::GetMenu(m_hWnd) != m_hMenuDefault)
        MDISetMenu(CMenu::FromHandle(m_hMenuDefault), nullptr);
    CFrameWnd::OnDestroy();
}

void CMDIFrameWnd::OnSize(UINT nType, int, int) {
    // Not the default: it would size the client over the bars.
    if (nType != SIZE_MINIMIZED) RecalcLayout();
}

LRESULT CMDIFrameWnd::OnMenuChar(UINT, UINT, CMenu*) {
    return Default();
}

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT nID) {
    switch (nID) {
    case ID_WINDOW_ARRANGE:
        ::SendMessage(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0);
        return TRUE;
    case ID_WINDOW_CASCADE:
        ::SendMessage(m_hWndMDIClient, WM_MDICASCADE, 0, 0);
        return TRUE;
    case ID_WINDOW_TILE_HORZ:
        ::SendMessage(m_hWndMDIClient, WM_MDITILE, MDITILE_HORIZONTAL, 0);
        return TRUE;
    case ID_WINDOW_TILE_VERT:
        ::SendMessage(m_hWndMDIClient, WM_MDITILE, MDITILE_VERTICAL, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI) {
    pCmdUI->Enable(GetActiveChildFrame() != nullptr);
}

void CMDIFrameWnd::OnWindowNew() {
    CMDIChildWnd* pActiveChild = GetActiveChildFrame();
    CDocument* pDocument = pActiveChild ? pActiveChild->GetActiveDocument() : nullptr;
    CDocTemplate* pTemplate = pDocument ? pDocument->GetDocTemplate() : nullptr;
    CFrameWnd* pFrame = pTemplate ? pTemplate->CreateNewFrame(pDocument, pActiveChild) : nullptr;
    if (!pFrame) {
        AfxMessageBox(AFX_IDP_COMMAND_FAILURE);
        return;
    }
    pTemplate->InitialUpdateFrame(pFrame, pDocument);
}
