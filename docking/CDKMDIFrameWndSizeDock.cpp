#include "docking/CDKMDIFrameWndSizeDock.h"

#include "docking/CDKMDIChildWndSizeDock.h"
#include "docking/CDKSizeControlBar.h"
#include "platform/framework/CControlBarInfo.h"
#include "platform/framework/CDocTemplate.h"
#include "platform/framework/CDocument.h"
#include "platform/framework/CDockState.h"
#include "platform/framework/CWinApp.h"

#include <vector>

IMPLEMENT_DYNCREATE(CDKMDIFrameWndSizeDock, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CDKMDIFrameWndSizeDock, CMDIFrameWnd)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

namespace {

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

CDKMDIFrameWndSizeDock::~CDKMDIFrameWndSizeDock() { CDKSizeControlBar::DeleteAutoDeleteBars(this); }

CMDIChildWnd* CDKMDIFrameWndSizeDock::MDIGetActive(BOOL* pbMaximized) const {
    if (m_pActiveDockedChild && ::IsWindow(m_pActiveDockedChild->m_hWnd)) {
        if (pbMaximized)
            *pbMaximized = FALSE;
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
    if (active && active->GetActiveView())
        SetActiveView(active->GetActiveView());
    OnUpdateFrameTitle(TRUE);
}

void CDKMDIFrameWndSizeDock::UndockAllChildren() {
    for (CDKMDIChildWndSizeDock* child : DockableChildren(m_hWndMDIClient))
        if (child->m_bDocked && ::IsWindow(child->m_wndViewBar.m_hWnd)) {
            child->m_wndViewBar.Undock(FALSE);
            child->m_bDocked = FALSE;
        }
    m_pActiveDockedChild = nullptr;
}

void CDKMDIFrameWndSizeDock::GetDockState(CDockState& state) const {
    state.Clear();
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos;) {
        auto* bar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (bar->IsKindOf(RUNTIME_CLASS(CDKSizeViewBar)))
            continue;
        if (!bar->IsDockBar() && !bar->m_pDockContext && !bar->m_pDockBar)
            continue;
        auto* info = new CControlBarInfo;
        bar->GetBarInfo(info);
        info->m_pBar = nullptr;
        // A dock bar's rows do not name the panes of document windows either.
        for (INT_PTR i = info->m_arrBarID.GetSize() - 1; i >= 0; --i) {
            CControlBar* held = const_cast<CDKMDIFrameWndSizeDock*>(this)->GetControlBar(info->m_arrBarID[i]);
            if (held && held->IsKindOf(RUNTIME_CLASS(CDKSizeViewBar)))
                info->m_arrBarID.RemoveAt(i);
        }
        state.m_arrBarInfo.Add(info);
    }
}

BOOL CDKMDIFrameWndSizeDock::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    // A docked active child is not the client's active one: it is asked first here.
    if (m_pActiveDockedChild && ::IsWindow(m_pActiveDockedChild->m_hWnd) &&
        m_pActiveDockedChild->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CMDIFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CDKMDIFrameWndSizeDock::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (m_pActiveDockedChild && ::IsWindow(m_pActiveDockedChild->m_hWnd) &&
        m_pActiveDockedChild->SendMessage(WM_COMMAND, wParam, lParam))
        return TRUE;
    return CMDIFrameWnd::OnCommand(wParam, lParam);
}

LRESULT CDKMDIFrameWndSizeDock::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) {
    // While the active child is docked, the title is the frame's own (no child title added).
    if (nMsg == WM_SETTEXT && m_pActiveDockedChild)
        return CWnd::DefWindowProc(nMsg, wParam, lParam);
    return CMDIFrameWnd::DefWindowProc(nMsg, wParam, lParam);
}

CFrameWnd* CDKMDIFrameWndSizeDock::GetActiveFrame() {
    CMDIChildWnd* active = MDIGetActive();
    return active ? static_cast<CFrameWnd*>(active) : this;
}

BOOL CDKMDIFrameWndSizeDock::DestroyWindow() {
    SetActiveView(nullptr);
    return CMDIFrameWnd::DestroyWindow();
}

void CDKMDIFrameWndSizeDock::OnClose() {
    if (m_lpfnCloseProc && !m_lpfnCloseProc(this))
        return;
    if (m_bClosing)
        return;
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
