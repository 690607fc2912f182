#include "docking/CDKSizeViewBar.h"

#include "docking/CDKMDIChildWndSizeDock.h"
#include "docking/CDKMDIFrameWndSizeDock.h"
#include "docking/CDKSizableMiniDockFrameWnd.h"
#include "platform/framework/CMenu.h"
#include "platform/framework/CDocument.h"
#include "platform/framework/CView.h"
#include "platform/framework/Exceptions.h"

IMPLEMENT_DYNAMIC(CDKSizeViewBar, CDKSizeControlBar)

BEGIN_MESSAGE_MAP(CDKSizeViewBar, CDKSizeControlBar)
    ON_MESSAGE(WM_SZBAR_APPENDMENU, OnAppendMenu)
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_SZBAR_ACTIVATE, OnActivateNotice)
END_MESSAGE_MAP()

namespace {

// View bars take ids of their own, so two never share one in a frame.
constexpr UINT kFirstViewBarId = 0xE8A0;
constexpr UINT kLastViewBarId = 0xE8FF;

UINT NextViewBarId(CFrameWnd* frame) {
    for (UINT id = kFirstViewBarId; id <= kLastViewBarId; ++id)
        if (!frame->GetControlBar(id)) return id;
    return kLastViewBarId;
}

UINT DockBarIdOf(DWORD side) {
    if (side == CBRS_ALIGN_LEFT) return AFX_IDW_DOCKBAR_LEFT;
    if (side == CBRS_ALIGN_TOP) return AFX_IDW_DOCKBAR_TOP;
    if (side == CBRS_ALIGN_RIGHT) return AFX_IDW_DOCKBAR_RIGHT;
    if (side == CBRS_ALIGN_BOTTOM) return AFX_IDW_DOCKBAR_BOTTOM;
    return 0; // any side: the bar's own alignment
}

CDKMDIFrameWndSizeDock* DockingFrameOf(CMDIChildWnd* child) {
    CMDIFrameWnd* frame = child ? child->GetMDIFrame() : nullptr;
    return frame && frame->IsKindOf(RUNTIME_CLASS(CDKMDIFrameWndSizeDock))
               ? static_cast<CDKMDIFrameWndSizeDock*>(frame)
               : nullptr;
}

} // namespace

CDKSizeViewBar::CDKSizeViewBar() : CDKSizeControlBar(SZBAR_CONTEXTMENU | SZBAR_SOLIDCAPTION) {}

void CDKSizeViewBar::PlaceView(CWnd* pParent) {
    if (!m_pView || !::IsWindow(m_pView->m_hWnd)) return;
    if (m_pView->GetParent() != pParent) m_pView->SetParent(pParent);
    CRect client;
    pParent->GetClientRect(&client);
    m_pView->SetWindowPos(nullptr, client.left, client.top, client.Width(), client.Height(),
                          SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

BOOL CDKSizeViewBar::Dock(CDKMDIChildWndSizeDock* pChild) {
    CDKMDIFrameWndSizeDock* frame = DockingFrameOf(pChild);
    if (!frame) return FALSE;
    m_pChild = pChild;
    m_pView = pChild->GetActiveView();
    if (!m_pView) return FALSE;
    const bool created = m_hWnd == nullptr;
    if (created) {
        if (!Create(frame, "", NextViewBarId(frame),
                    WS_CHILD | WS_VISIBLE | CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP, CFrameWnd::rectDefault))
            return FALSE;
        EnableDocking(pChild->m_dwDockSide);
        ShowWindow(SW_HIDE);
    }
    CString text;
    pChild->GetWindowText(text);
    SetWindowText(text);
    m_pView->SetParent(this);
    BOOL maximized = FALSE;
    if (frame->MDIGetActive(&maximized) == pChild) {
        m_bMaximizedWhenDocked = maximized;
        if (maximized) {
            ::SendMessage(frame->m_hWndMDIClient, WM_MDINEXT, reinterpret_cast<WPARAM>(pChild->m_hWnd), 0);
            // The next document took the maximised state, restoring this one; restoring it again
            // would make it the active document once more, maximised, and the others restored.
            // Alone, it is restored here (the client restores only its active child: the window
            // restores itself as well).
            if (pChild->IsZoomed()) {
                pChild->CMDIChildWnd::MDIRestore();
                pChild->ShowWindow(SW_RESTORE);
            }
            pChild->ShowWindow(SW_HIDE);
        }
        pChild->m_bDocked = TRUE;
        frame->ActivateChild(pChild);
        pChild->m_bDocked = FALSE;
    }
    pChild->ShowWindow(SW_HIDE);
    if (created) {
        ShowWindow(SW_SHOWNA);
        frame->DockControlBar(this, DockBarIdOf(pChild->m_dwDockSide & CBRS_ALIGN_ANY));
    } else {
        frame->ShowControlBar(this, !IsWindowVisible(), FALSE);
    }
    frame->RecalcLayout();
    CRect window;
    GetWindowRect(&window);
    pChild->m_bDocked = TRUE;
    OnBarResized(window.Width(), window.Height(), IsFloating(), 2);
    ::SendMessage(frame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    return TRUE;
}

BOOL CDKSizeViewBar::Undock(BOOL bShow) {
    CDKMDIFrameWndSizeDock* frame = DockingFrameOf(m_pChild);
    if (!frame || !m_pChild->m_bDocked || !m_pView) return FALSE;
    if (::IsWindow(m_wndWrapper.m_hWnd)) m_wndWrapper.ShowWindow(SW_HIDE);
    m_pView->SetParent(m_pChild);
    frame->SetActiveView(nullptr);
    m_pChild->SetActiveView(m_pView);
    if (bShow) {
        frame->ShowControlBar(this, FALSE, FALSE);
        frame->RecalcLayout();
        m_pChild->m_bDocked = FALSE; // a docked window refuses to show
        m_pChild->ShowWindow(SW_SHOW);
        m_pChild->m_bDocked = TRUE;
    }
    if (frame->MDIGetActive() == m_pChild) {
        m_pChild->m_bDocked = FALSE;
        frame->ActivateChild(m_pChild);
        m_pChild->m_bDocked = TRUE;
        if (m_bMaximizedWhenDocked) m_pChild->CMDIChildWnd::MDIMaximize();
    }
    m_pChild->RecalcLayout();
    ::SendMessage(frame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    return TRUE;
}

void CDKSizeViewBar::OnBarResized(int cx, int cy, BOOL bFloating, UINT nChangeMask) {
    CDKSizeControlBar::OnBarResized(cx, cy, bFloating, nChangeMask);
    if (!m_pChild || !m_pChild->m_bDocked || !::IsWindow(m_pChild->m_hWnd)) return;
    if (bFloating) {
        if (::IsWindow(m_wndWrapper.m_hWnd)) m_wndWrapper.ShowWindow(SW_HIDE);
        PlaceView(this);
    } else {
        CRect client;
        GetClientRect(&client);
        if (!::IsWindow(m_wndWrapper.m_hWnd)) {
            CString text;
            GetWindowText(text);
            m_wndWrapper.m_pChild = m_pChild;
            if (!m_wndWrapper.CreateIn(this, text, client)) AfxThrowResourceException();
        }
        m_wndWrapper.SetWindowPos(nullptr, client.left, client.top, client.Width(), client.Height(),
                                  SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        PlaceView(&m_wndWrapper);
    }
    const bool active = m_pChild->GetActiveChild() == m_pChild;
    // Floated or docked again, the pane's new frame shows whether its window is the active one.
    if (nChangeMask & 2) ShowChildActivation(active);
    if (active && m_pView) m_pView->SetFocus();
}

void CDKSizeViewBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

BOOL CDKSizeViewBar::CanClose() {
    if (!::IsWindow(m_hWnd) || !m_pView || !::IsWindow(m_pView->m_hWnd) || !m_pChild ||
        !::IsWindow(m_pChild->m_hWnd))
        return TRUE;
    CDocument* doc = m_pView->GetDocument();
    return !doc || doc->CanCloseFrame(m_pChild);
}

LRESULT CDKSizeViewBar::OnAppendMenu(WPARAM, LPARAM lParam) {
    if (m_pChild) m_pChild->AppendDockMenuItem(reinterpret_cast<HMENU>(lParam));
    return 1;
}

void CDKSizeViewBar::OnDestroy() {
    m_bDestroyed = TRUE;
    m_wndWrapper.m_bBarDestroying = TRUE;
    CDKSizeControlBar::OnDestroy();
    if (m_pChild && m_pChild->m_bDocked) Undock(FALSE);
}

void CDKSizeViewBar::OnNcDestroy() {
    m_bDestroyed = TRUE;
    if (::IsWindow(m_wndWrapper.m_hWnd) && !m_wndWrapper.m_bDestroying) m_wndWrapper.DestroyWindow();
    CDKSizeControlBar::OnNcDestroy();
    // A pane that goes while its document window stays docked takes that window along.
    const bool childStays =
        m_pChild && ::IsWindow(m_pChild->m_hWnd) && m_pChild->m_bDocked && !m_pChild->m_bClosing;
    if (childStays) {
        m_pChild->PostMessage(WM_CLOSE);
        return;
    }
    if (CDKMDIFrameWndSizeDock* frame = DockingFrameOf(m_pChild)) frame->SetActiveView(nullptr);
}

LRESULT CDKSizeViewBar::OnSetText(WPARAM, LPARAM lParam) {
    const auto text = reinterpret_cast<LPCSTR>(lParam);
    if (IsFloating() && m_pDockBar) {
        // The floating frame takes its title from its dock bar.
        m_pDockBar->SetWindowText(text);
        if (CFrameWnd* frame = GetParentFrame()) frame->SetWindowText(text);
    } else if (::IsWindow(m_wndWrapper.m_hWnd)) {
        m_wndWrapper.SetWindowText(text);
    }
    const LRESULT result = Default();
    // Docked, the caption is the bar's own drawing: it shows the new text at once.
    if (!IsFloating()) RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    return result;
}

void CDKSizeViewBar::ShowChildActivation(BOOL bActive) {
    if (!IsFloating()) {
        if (::IsWindow(m_wndWrapper.m_hWnd)) m_wndWrapper.SendMessage(WM_NCACTIVATE, bActive);
        return;
    }
    CFrameWnd* frame = GetParentFrame();
    if (!frame || !frame->IsKindOf(RUNTIME_CLASS(CDKSizableMiniDockFrameWnd))) return;
    frame->SendMessage(WM_NCACTIVATE, FALSE);
    frame->SendMessage(WM_FLOATSTATUS, bActive ? FS_ACTIVATE : FS_DEACTIVATE);
}

LRESULT CDKSizeViewBar::OnActivateNotice(WPARAM wParam, LPARAM lParam) {
    const BOOL activate = wParam != 0;
    const bool fromPane = lParam == kFromWrapper || lParam == kFromFloatingFrame;
    if (lParam == kFromChild && m_pChild && m_pChild->m_bDocked) ShowChildActivation(activate);
    if (fromPane && activate && m_pChild && m_pChild->m_bDocked) {
        if (CDKMDIFrameWndSizeDock* frame = DockingFrameOf(m_pChild);
            frame && frame->MDIGetActive() != m_pChild)
            frame->ActivateChild(m_pChild);
        if (m_pView && ::IsWindow(m_pView->m_hWnd)) m_pView->SetFocus();
    }
    SetActive(activate);
    return 0;
}
