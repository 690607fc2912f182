// CFrameWnd's control bars: the dock bars on its sides, docking and floating bars, showing and
// hiding them, and the saved layout.

#include "platform/framework/CDockBar.h"
#include "platform/framework/CDockContext.h"
#include "platform/framework/CDockState.h"
#include "platform/framework/CFrameWnd.h"
#include "platform/framework/CMiniDockFrameWnd.h"
#include "platform/framework/Exceptions.h"

#include <algorithm>
#include <vector>

namespace {

// The dock bars in creation order (which is their layout order): top, bottom, left, right.
struct DockSide {
    UINT id;
    DWORD style;
};
const DockSide kDockSides[4] = {{AFX_IDW_DOCKBAR_TOP, CBRS_TOP},
                                {AFX_IDW_DOCKBAR_BOTTOM, CBRS_BOTTOM},
                                {AFX_IDW_DOCKBAR_LEFT, CBRS_LEFT},
                                {AFX_IDW_DOCKBAR_RIGHT, CBRS_RIGHT}};

// A saved floating frame's place, moved so that at least an icon's size of the frame is on the
// screen: a layout saved on a larger screen never brings a pane back where it cannot be reached.
CPoint onScreen(CPoint saved) {
    const int right = ::GetSystemMetrics(SM_CXSCREEN) - ::GetSystemMetrics(SM_CXICON);
    const int bottom = ::GetSystemMetrics(SM_CYSCREEN) - ::GetSystemMetrics(SM_CYICON);
    return CPoint(std::max(0, std::min<int>(saved.x, right)), std::max(0, std::min<int>(saved.y, bottom)));
}

std::vector<CControlBar*> barsOf(const CPtrList& list) {
    std::vector<CControlBar*> bars;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        bars.push_back(static_cast<CControlBar*>(list.GetNext(pos)));
    return bars;
}

} // namespace

void CFrameWnd::EnableDocking(DWORD dwDockStyle) {
    m_pFloatingFrameClass = RUNTIME_CLASS(CMiniDockFrameWnd);
    for (const DockSide& side : kDockSides) {
        if (!(side.style & dwDockStyle & CBRS_ALIGN_ANY) || GetControlBar(side.id)) continue;
        auto* dock = new CDockBar;
        dock->m_bAutoDelete = TRUE;
        if (!dock->Create(this, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CHILD | WS_VISIBLE | side.style,
                          side.id)) {
            delete dock;
            AfxThrowResourceException();
        }
    }
}

DWORD CFrameWnd::CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar) {
    dwDockStyle &= CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI;
    if (ppDockBar) *ppDockBar = nullptr;
    for (CControlBar* bar : barsOf(m_listControlBars)) {
        if (!bar->IsDockBar() || !bar->IsWindowVisible()) continue;
        auto* dock = static_cast<CDockBar*>(bar);
        if (!(dock->m_dwStyle & dwDockStyle & CBRS_ALIGN_ANY)) continue;
        if (dock->m_bFloating && !(dwDockStyle & dock->m_dwStyle & CBRS_FLOAT_MULTI)) continue;
        CRect rectBar;
        dock->GetWindowRect(&rectBar);
        // An empty side is a line along the frame's edge: give it a pixel to meet.
        if (rectBar.Width() == 0) rectBar.right++;
        if (rectBar.Height() == 0) rectBar.bottom++;
        CRect overlap;
        if (overlap.IntersectRect(&rectBar, &rect)) {
            if (ppDockBar) *ppDockBar = dock;
            return dock->m_dwStyle & dwDockStyle;
        }
    }
    return 0;
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect) {
    CControlBar* found = nDockBarID ? GetControlBar(nDockBarID) : nullptr;
    DockControlBar(pBar, found && found->IsDockBar() ? static_cast<CDockBar*>(found) : nullptr, lpRect);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
    if (!pDockBar) {
        // The side the bar is aligned to.
        for (const DockSide& side : kDockSides) {
            if ((side.style & CBRS_ALIGN_ANY) != (pBar->m_dwStyle & CBRS_ALIGN_ANY)) continue;
            CControlBar* found = GetControlBar(side.id);
            if (found && found->IsDockBar()) pDockBar = static_cast<CDockBar*>(found);
            break;
        }
    }
    if (!pDockBar) return; // docking on that side was not enabled
    pDockBar->DockControlBar(pBar, lpRect);
}

void CFrameWnd::ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
    DockControlBar(pBar, pDockBar, lpRect);
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle) {
    CDockBar* current = pBar->m_pDockBar;
    if (current && current->m_bFloating && current->GetDockedCount() == 1 &&
        (dwStyle & current->m_dwStyle & CBRS_ALIGN_ANY)) {
        // Already floating alone in that orientation: only the frame moves.
        CFrameWnd* frame = current->GetParentFrame();
        frame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        frame->RecalcLayout(TRUE);
        frame->UpdateWindow();
        return;
    }
    if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) {
        dwStyle |= CBRS_SIZE_DYNAMIC;
        if (dwStyle & CBRS_ORIENT_VERT)
            dwStyle = (dwStyle & ~static_cast<DWORD>(CBRS_ALIGN_ANY)) | CBRS_ALIGN_TOP;
    }
    CMiniDockFrameWnd* frame = CreateFloatingFrame(dwStyle);
    frame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!frame->m_hWndOwner) frame->m_hWndOwner = pBar->m_hWnd;
    frame->m_wndDockBar.DockControlBar(pBar);
    frame->RecalcLayout(TRUE);
    if (pBar->GetStyle() & WS_VISIBLE) {
        frame->ShowWindow(SW_SHOWNA);
        frame->UpdateWindow();
    }
}

CMiniDockFrameWnd* CFrameWnd::CreateFloatingFrame(DWORD dwStyle) {
    CRuntimeClass* cls = m_pFloatingFrameClass ? m_pFloatingFrameClass : RUNTIME_CLASS(CMiniDockFrameWnd);
    auto* frame = static_cast<CMiniDockFrameWnd*>(cls->CreateObject());
    if (!frame) AfxThrowResourceException();
    if (!frame->Create(this, dwStyle)) AfxThrowResourceException();
    return frame;
}

CControlBar* CFrameWnd::GetControlBar(UINT nID) {
    if (nID == 0) return nullptr;
    for (CControlBar* bar : barsOf(m_listControlBars))
        if (static_cast<UINT>(bar->GetDlgCtrlID()) == nID) return bar;
    return nullptr;
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) {
    CFrameWnd* frame = pBar->GetDockingFrame();
    if (bDelay) {
        pBar->DelayShow(bShow);
        frame->DelayRecalcLayout();
    } else {
        pBar->m_nStateFlags &= ~static_cast<UINT>(CControlBar::delayHide | CControlBar::delayShow);
        pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
                           SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE |
                               (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        if (bShow || !pBar->IsFloating()) frame->RecalcLayout(FALSE);
    }
    if (!pBar->IsFloating() || !pBar->m_pDockBar) return;
    // The mini frame shows while it holds a visible bar.
    int visible = pBar->m_pDockBar->GetDockedVisibleCount();
    if (visible > 0) {
        frame->RecalcLayout(FALSE);
        frame->ShowWindow(SW_SHOWNA);
    } else {
        frame->ShowWindow(SW_HIDE);
    }
}

void CFrameWnd::AddControlBar(CControlBar* pBar) {
    if (!m_listControlBars.Find(pBar)) m_listControlBars.AddTail(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar) {
    if (POSITION pos = m_listControlBars.Find(pBar)) m_listControlBars.RemoveAt(pos);
}

void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags) {
    for (CControlBar* bar : barsOf(m_listControlBars)) {
        if (!bar->IsDockBar() || !static_cast<CDockBar*>(bar)->m_bFloating) continue;
        if (CFrameWnd* frame = bar->GetParentFrame(); frame && frame != this)
            frame->SendMessage(WM_FLOATSTATUS, dwFlags);
    }
}

void CFrameWnd::DestroyDockBars() {
    // The list changes while frames go: collect the floating frames first.
    std::vector<HWND> frames;
    for (CControlBar* bar : barsOf(m_listControlBars)) {
        if (!bar->IsDockBar() || !static_cast<CDockBar*>(bar)->m_bFloating) continue;
        if (CFrameWnd* frame = bar->GetParentFrame(); frame && frame != this) frames.push_back(frame->m_hWnd);
    }
    for (HWND frame : frames)
        if (::IsWindow(frame)) ::DestroyWindow(frame);
}

// ---- Saved layout ----

void CFrameWnd::GetDockState(CDockState& state) const {
    state.Clear();
    for (CControlBar* bar : barsOf(m_listControlBars)) {
        // Bars without docking that sit directly on the frame (a status bar) keep no state.
        if (!bar->IsDockBar() && !bar->m_pDockContext && !bar->m_pDockBar) continue;
        auto* info = new CControlBarInfo;
        bar->GetBarInfo(info);
        info->m_pBar = nullptr;
        state.m_arrBarInfo.Add(info);
    }
}

void CFrameWnd::SetDockState(const CDockState& state) {
    // First the dock bars, floating ones in new mini frames; the bars they name move into them.
    std::vector<std::pair<CControlBarInfo*, CControlBar*>> applied;
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
        CControlBarInfo* info = state.m_arrBarInfo[i];
        CControlBar* bar = nullptr;
        if (info->m_bDockBar && info->m_bFloating) {
            CMiniDockFrameWnd* frame = CreateFloatingFrame(info->m_bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
            const CPoint at = onScreen(info->m_pointPos);
            frame->SetWindowPos(nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            bar = &frame->m_wndDockBar;
        } else {
            bar = GetControlBar(info->m_nBarID);
            // A saved dock bar must still be a dock bar, and a saved bar still a bar.
            if (!bar || bar->IsDockBar() != static_cast<bool>(info->m_bDockBar)) continue;
        }
        applied.emplace_back(info, bar);
    }
    for (auto& [info, bar] : applied)
        if (bar->IsDockBar()) bar->SetBarInfo(info, this);
    for (auto& [info, bar] : applied) {
        if (bar->IsDockBar()) continue;
        // Positions are kept within the dock bar's rows; a bar the saved rows left out of every dock
        // bar keeps its place.
        bar->SetBarInfo(info, this);
    }
    for (auto& [info, bar] : applied) {
        if (!bar->IsDockBar() || !info->m_bFloating) continue;
        auto* dock = static_cast<CDockBar*>(bar);
        CFrameWnd* frame = dock->GetParentFrame();
        if (dock->GetDockedCount() == 0) {
            frame->DestroyWindow(); // a saved floating frame whose bars are gone
            continue;
        }
        frame->RecalcLayout();
        if (dock->GetDockedVisibleCount() > 0 && info->m_bVisible) frame->ShowWindow(SW_SHOWNA);
    }
    RecalcLayout();
}

void CFrameWnd::LoadBarState(LPCSTR lpszProfileName) {
    CDockState state;
    if (state.LoadState(lpszProfileName)) SetDockState(state);
}

void CFrameWnd::SaveBarState(LPCSTR lpszProfileName) const {
    CDockState state;
    GetDockState(state);
    state.SaveState(lpszProfileName);
}
