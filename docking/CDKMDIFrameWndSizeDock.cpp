#include "docking/CDKMDIFrameWndSizeDock.h"

#include "docking/CDKMDIChildWndSizeDock.h"
#include "docking/CDKMDIFloatWnd.h"
#include "docking/CDKSizeControlBar.h"
#include "platform/framework/CControlBarInfo.h"
#include "platform/framework/CDocTemplate.h"
#include "platform/framework/CDocument.h"
#include "platform/framework/CDockState.h"
#include "platform/framework/CMiniDockFrameWnd.h"
#include "platform/framework/CView.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/Exceptions.h"

#include <algorithm>

#include <vector>

IMPLEMENT_DYNCREATE(CDKMDIFrameWndSizeDock, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CDKMDIFrameWndSizeDock, CMDIFrameWnd)
    ON_WM_CLOSE()
    ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnViewStatusBar)
    ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
END_MESSAGE_MAP()

namespace {

// Help ids of commands: this base plus the command.
constexpr DWORD kHelpCommandBase = 0x10000;

std::vector<CDKMDIChildWndSizeDock*> DockableChildren(HWND client) {
    std::vector<CDKMDIChildWndSizeDock*> children;
    for (HWND h = ::GetWindow(client, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        CWnd* wnd = CWnd::FromHandlePermanent(h);
        if (wnd && wnd->IsKindOf(RUNTIME_CLASS(CDKMDIChildWndSizeDock)))
            children.push_back(static_cast<CDKMDIChildWndSizeDock*>(wnd));
    }
    return children;
}

} // namespace

CDKMDIFrameWndSizeDock::~CDKMDIFrameWndSizeDock() {
    CDKSizeControlBar::DeleteAutoDeleteBars(this);
}

CMDIChildWnd* CDKMDIFrameWndSizeDock::MDIGetActive(BOOL* pbMaximized) const {
    if (m_pActiveDockedChild && ::IsWindow(m_pActiveDockedChild->m_hWnd)) {
        if (pbMaximized) *pbMaximized = FALSE;
        return m_pActiveDockedChild;
    }
    CMDIChildWnd* active = CMDIFrameWnd::MDIGetActive(pbMaximized);
    return active && ::IsWindow(active->m_hWnd) ? active : nullptr;
}

BOOL CDKMDIFrameWndSizeDock::IsDocked(CMDIChildWnd* pChild) const {
    return pChild && pChild->IsKindOf(RUNTIME_CLASS(CDKMDIChildWndSizeDock)) &&
           static_cast<CDKMDIChildWndSizeDock*>(pChild)->m_bDocked;
}

void CDKMDIFrameWndSizeDock::ActivateChild(CMDIChildWnd* pChild) {
    if (IsDocked(pChild)) {
        m_pActiveDockedChild = static_cast<CDKMDIChildWndSizeDock*>(pChild);
    } else {
        m_pActiveDockedChild = nullptr;
        ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pChild->m_hWnd), 0);
    }
    RefreshDockedChildren();
}

void CDKMDIFrameWndSizeDock::RefreshDockedChildren() {
    CMDIChildWnd* active = MDIGetActive();
    for (CDKMDIChildWndSizeDock* child : DockableChildren(m_hWndMDIClient))
        child->SendMessage(WM_NCACTIVATE, child == active);
    if (CView* view = active ? active->GetActiveView() : nullptr) SetActiveViewFromPane(view, active);
    OnUpdateFrameTitle(TRUE);
}

void CDKMDIFrameWndSizeDock::SetActiveViewFromPane(CView* pView, CMDIChildWnd* pChild) {
    CFrameWnd* viewFrame = pView->GetParentFrame();
    const bool floating = viewFrame && viewFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)) &&
                          pView->IsWindowVisible() && pChild->IsKindOf(RUNTIME_CLASS(CDKMDIChildWndSizeDock));
    if (!floating) {
        SetActiveView(pView);
        return;
    }
    // A view floating in its pane becomes the frame's while it is made the active one (hidden
    // meanwhile), then goes back to the pane.
    const LONG style = ::GetWindowLong(pView->m_hWnd, GWL_STYLE);
    ::SetWindowLong(pView->m_hWnd, GWL_STYLE, style & ~static_cast<LONG>(WS_VISIBLE));
    pView->SetParent(this);
    SetActiveView(pView);
    pView->SetParent(&static_cast<CDKMDIChildWndSizeDock*>(pChild)->m_wndViewBar);
    ::SetWindowLong(pView->m_hWnd, GWL_STYLE, style);
}

void CDKMDIFrameWndSizeDock::UndockAllChildren() {
    for (CDKMDIChildWndSizeDock* child : DockableChildren(m_hWndMDIClient))
        if (child->m_bDocked && ::IsWindow(child->m_wndViewBar.m_hWnd)) {
            child->m_wndViewBar.Undock(FALSE);
            child->m_bDocked = FALSE;
        }
    m_pActiveDockedChild = nullptr;
}

void CDKMDIFrameWndSizeDock::FloatBarInMDIChild(CControlBar* pBar, CPoint point, DWORD dwStyle, BOOL bShow) {
    CRect client;
    ::GetClientRect(m_hWndMDIClient, &client);
    ::ScreenToClient(m_hWndMDIClient, &point);
    CRect bar;
    pBar->GetClientRect(&bar);
    point.x = std::max<LONG>(0, std::min<LONG>(point.x, client.right - bar.Width()));
    point.y = std::max<LONG>(0, std::min<LONG>(point.y, client.bottom - bar.Height()));
    CFrameWnd* current = pBar->GetParentFrame();
    if (current && current->IsKindOf(RUNTIME_CLASS(CDKMDIFloatWnd))) {
        auto* floatWnd = static_cast<CDKMDIFloatWnd*>(current);
        if (floatWnd->m_wndDockBar.GetDockedCount() == 1 &&
            (floatWnd->m_wndDockBar.m_dwStyle & CBRS_ALIGN_ANY) == CBRS_ALIGN_ANY &&
            (dwStyle & CBRS_ALIGN_ANY) == CBRS_ALIGN_ANY) {
            floatWnd->SetWindowPos(nullptr, point.x, point.y, 0, 0,
                                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            return;
        }
    }
    auto* floatWnd = static_cast<CDKMDIFloatWnd*>(RUNTIME_CLASS(CDKMDIFloatWnd)->CreateObject());
    if (!floatWnd || !floatWnd->Create(this, dwStyle)) AfxThrowResourceException();
    floatWnd->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!floatWnd->m_hWndOwner) floatWnd->m_hWndOwner = pBar->m_hWnd;
    floatWnd->m_wndDockBar.DockControlBar(pBar);
    floatWnd->FitToBar();
    if (bShow) {
        floatWnd->ShowWindow(SW_SHOWNA);
        floatWnd->UpdateWindow();
    }
    ::SendMessage(m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
}

void CDKMDIFrameWndSizeDock::FloatBarOutOfMDIChild(CControlBar* pBar, CPoint, DWORD dwStyle) {
    CRect place;
    pBar->GetParentFrame()->GetWindowRect(&place);
    CMiniDockFrameWnd* frame = CreateFloatingFrame(dwStyle);
    frame->SetWindowPos(nullptr, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!frame->m_hWndOwner) frame->m_hWndOwner = pBar->m_hWnd;
    frame->m_wndDockBar.DockControlBar(pBar);
    frame->RecalcLayout(TRUE);
    frame->ShowWindow(SW_SHOWNA);
    frame->UpdateWindow();
    pBar->SendMessage(WM_SZBAR_FLOATKIND);
    ::SendMessage(m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
}

void CDKMDIFrameWndSizeDock::GetDockState(CDockState& state) const {
    state.Clear();
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos;) {
        auto* bar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (bar->IsKindOf(RUNTIME_CLASS(CDKSizeViewBar))) continue;
        if (!bar->IsDockBar() && !bar->m_pDockContext && !bar->m_pDockBar) continue;
        auto* info = new CControlBarInfo;
        bar->GetBarInfo(info);
        info->m_pBar = nullptr;
        // A dock bar's rows do not name the panes of document windows either.
        for (INT_PTR i = info->m_arrBarID.GetSize() - 1; i >= 0; --i) {
            CControlBar* held = const_cast<CDKMDIFrameWndSizeDock*>(this)->GetControlBar(info->m_arrBarID[i]);
            if (held && held->IsKindOf(RUNTIME_CLASS(CDKSizeViewBar))) info->m_arrBarID.RemoveAt(i);
        }
        state.m_arrBarInfo.Add(info);
    }
}

BOOL CDKMDIFrameWndSizeDock::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CMDIFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    if (!m_lpfnCloseProc) SetActiveView(nullptr);
    return FALSE;
}

BOOL CDKMDIFrameWndSizeDock::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_LBUTTONDOWN || pMsg->message == WM_NCLBUTTONDOWN) AfxCancelModes(pMsg->hwnd);
    if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
    CMDIChildWnd* active = MDIGetActive();
    if (active && active->PreTranslateMessage(pMsg)) return TRUE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) return FALSE;
    if (m_hAccelTable && ::TranslateAccelerator(m_hWnd, m_hAccelTable, pMsg)) return TRUE;
    // The documents' keys (Ctrl+F6, Ctrl+Tab, Ctrl+F4) work with a maximised document too, as its
    // system menu says.
    if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN)
        return ::TranslateMDISysAccel(m_hWndMDIClient, pMsg);
    return FALSE;
}

LRESULT CDKMDIFrameWndSizeDock::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) {
    // While the active child is docked, the title is the frame's own (no child title added).
    if (nMsg == WM_SETTEXT && m_pActiveDockedChild) return CWnd::DefWindowProc(nMsg, wParam, lParam);
    return CMDIFrameWnd::DefWindowProc(nMsg, wParam, lParam);
}

BOOL CDKMDIFrameWndSizeDock::DestroyWindow() {
    SetActiveView(nullptr);
    return CMDIFrameWnd::DestroyWindow();
}

void CDKMDIFrameWndSizeDock::OnClose() {
    if (m_lpfnCloseProc && !m_lpfnCloseProc(this)) return;
    if (m_bClosing) return;
    CWinApp* app = AfxGetApp();
    if (!app || app->m_pMainWnd != this) {
        CMDIFrameWnd::OnClose();
        return;
    }
    m_bClosing = TRUE;
    if (!app->SaveAllModified()) {
        m_bClosing = FALSE;
        return;
    }
    // Saved or discarded already: closing the documents asks nothing more.
    for (POSITION t = app->GetFirstDocTemplatePosition(); t;) {
        CDocTemplate* tmpl = app->GetNextDocTemplate(t);
        for (POSITION d = tmpl->GetFirstDocPosition(); d;)
            tmpl->GetNextDoc(d)->SetModifiedFlag(FALSE);
    }
    app->HideApplication();
    UndockAllChildren();
    // The frame keeps no view of a document that is about to close.
    SetActiveView(nullptr);
    app->CloseAllDocuments(FALSE);
    if (!app->m_pMainWnd) {
        AfxPostQuitMessage(0);
        return;
    }
    DestroyWindow();
}

void CDKMDIFrameWndSizeDock::OnWindowNew() {
    CMDIChildWnd* active = MDIGetActive();
    CDocument* doc = active ? active->GetActiveDocument() : nullptr;
    CDocTemplate* tmpl = doc ? doc->GetDocTemplate() : nullptr;
    CFrameWnd* frame = tmpl ? tmpl->CreateNewFrame(doc, active) : nullptr;
    if (!frame) {
        AfxMessageBox(AFX_IDP_COMMAND_FAILURE);
        return;
    }
    tmpl->InitialUpdateFrame(frame, doc);
    RefreshDockedChildren();
}

BOOL CDKMDIFrameWndSizeDock::OnViewStatusBar(UINT nID) {
    const BOOL handled = OnBarCheck(nID);
    CControlBar* bar = GetControlBar(nID);
    if (bar && bar->IsKindOf(RUNTIME_CLASS(CDKSizeControlBar)) && bar->m_pDockBar &&
        bar->GetParentFrame() == MDIGetActive() && !bar->IsWindowVisible())
        ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 0);
    ::SendMessage(m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    return handled;
}

LRESULT CDKMDIFrameWndSizeDock::OnCommandHelp(WPARAM wParam, LPARAM lParam) {
    // Asked while a menu is tracked: the help of the item under the pointer.
    if (lParam == 0 && m_nIDTracking != 0 && m_nIDTracking != AFX_IDS_IDLEMESSAGE)
        lParam = static_cast<LPARAM>(kHelpCommandBase + m_nIDTracking);
    if (CMDIChildWnd* active = MDIGetActive())
        if (active->SendMessage(WM_COMMANDHELP, wParam, lParam)) return TRUE;
    CWinApp* app = AfxGetApp();
    if (lParam == 0 || !app) return FALSE;
    app->WinHelp(static_cast<DWORD_PTR>(lParam), HELP_CONTEXT);
    return TRUE;
}
