#include "docking/CDKMDIFrameWndSizeDock.h"

#include "docking/CDKMDIChildWndSizeDock.h"
#include "docking/CDKMDIFloatWnd.h"
#include "docking/CDKSizeControlBar.h"
#include "platform/framework/CControlBarInfo.h"
#include "platform/framework/CDocTemplate.h"
#include "platform/framework/CDocument.h"
#include "platform/framework/CDockState.h"
#include "platform/framework/CMiniDockFrameWnd.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/Exceptions.h"

#include <algorithm>

#include <vector>

IMPLEMENT_DYNCREATE(CDKMDIFrameWndSizeDock, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CDKMDIFrameWndSizeDock, CMDIFrameWnd)
    ON_WM_CLOSE()
    ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
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
            floatWnd->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            return;
        }
    }
    auto* floatWnd = static_cast<CDKMDIFloatWnd*>(RUNTIME_CLASS(CDKMDIFloatWnd)->CreateObject());
    if (!floatWnd || !floatWnd->Create(this, dwStyle))
        AfxThrowResourceException();
    floatWnd->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!floatWnd->m_hWndOwner)
        floatWnd->m_hWndOwner = pBar->m_hWnd;
    floatWnd->m_wndDockBar.DockControlBar(pBar);
    floatWnd->FitToBar();
    if (bShow) {
        floatWnd->ShowWindow(SW_SHOWNA);
        floatWnd->UpdateWindow();
    }
    ::SendMessage(m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
}

void CDKMDIFrameWndSizeDock::FloatBarOutOfMDIChild(CControlBar* pBar, CPoint point, DWORD dwStyle) {
    CMiniDockFrameWnd* frame = CreateFloatingFrame(dwStyle);
    frame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!frame->m_hWndOwner)
        frame->m_hWndOwner = pBar->m_hWnd;
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

BOOL CDKMDIFrameWndSizeDock::PreTranslateMessage(MSG* pMsg) {
    // A docked active child translates its keys (its accelerators) before the client's child.
    if (m_pActiveDockedChild && ::IsWindow(m_pActiveDockedChild->m_hWnd) &&
        pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST &&
        m_pActiveDockedChild->PreTranslateMessage(pMsg))
        return TRUE;
    return CMDIFrameWnd::PreTranslateMessage(pMsg);
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

void CDKMDIFrameWndSizeDock::OnUpdateFrameMenu(HMENU hMenuAlt) {
    if (m_pActiveDockedChild && ::IsWindow(m_pActiveDockedChild->m_hWnd)) {
        m_pActiveDockedChild->OnUpdateFrameMenu(TRUE, m_pActiveDockedChild, hMenuAlt);
        return;
    }
    CMDIFrameWnd::OnUpdateFrameMenu(hMenuAlt);
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
