// CMiniDockFrameWnd: creation around its dock bar, and the caption and border presses.

#include "platform/framework/CMiniDockFrameWnd.h"

#include "platform/framework/CDockContext.h"
#include "platform/framework/CMenu.h"
#include "platform/framework/FrameworkStrings.h"

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
    ON_WM_CLOSE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(TRUE) {}

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle) {
    // Nothing to lay out until a bar docks.
    m_bInRecalcLayout = TRUE;
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_MOVEFRAME | MFS_4THICKFRAME | MFS_SYNCACTIVE |
                  MFS_BLOCKSYSMENU | FWS_SNAPTOBARS;
    if (dwBarStyle & CBRS_SIZE_DYNAMIC) style = (style & ~static_cast<DWORD>(MFS_MOVEFRAME)) | MFS_THICKFRAME;
    // Placed and sized once a bar docks in it.
    if (!CMiniFrameWnd::CreateEx(0, nullptr, "", style, CRect(0, 0, 0, 0), pParent)) {
        return FALSE;
    }
    if (CMenu* sysMenu = GetSystemMenu(FALSE)) {
        for (UINT command : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE})
            sysMenu->DeleteMenu(command, MF_BYCOMMAND);
        CString hide = AfxLoadString(AFX_IDS_HIDE);
        if (!hide.IsEmpty()) {
            sysMenu->DeleteMenu(SC_CLOSE, MF_BYCOMMAND);
            sysMenu->AppendMenu(MF_STRING | MF_ENABLED, SC_CLOSE, hide);
        }
    }
    DWORD dockStyle = (dwBarStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP;
    dockStyle |= dwBarStyle & CBRS_FLOAT_MULTI;
    // Created under the main frame, so the frame counts it among its bars, then moved in here.
    if (!m_wndDockBar.Create(pParent, WS_CHILD | WS_VISIBLE | dockStyle, AFX_IDW_DOCKBAR_FLOAT)) {
        m_bInRecalcLayout = FALSE;
        return FALSE;
    }
    m_wndDockBar.SetParent(this);
    m_bInRecalcLayout = FALSE;
    return TRUE;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL bNotify) {
    CMiniFrameWnd::RecalcLayout(bNotify);
    CString title;
    m_wndDockBar.GetWindowText(title);
    SetWindowText(title);
}

CControlBar* CMiniDockFrameWnd::FirstBar() const {
    for (int i = 0; i < m_wndDockBar.m_arrBars.GetSize(); ++i)
        if (CControlBar* bar = m_wndDockBar.GetDockedControlBar(i)) return bar;
    return nullptr;
}

void CMiniDockFrameWnd::OnClose() {
    m_wndDockBar.ShowAll(FALSE);
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point) {
    CControlBar* bar = (m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI) ? nullptr : FirstBar();
    if (bar && bar->m_pDockContext) {
        if (nHitTest == HTCAPTION) {
            bar->m_pDockContext->StartDrag(point);
            return;
        }
        if (nHitTest >= HTSIZEFIRST && nHitTest <= HTSIZELAST && (bar->m_dwStyle & CBRS_SIZE_DYNAMIC)) {
            bar->m_pDockContext->StartResize(static_cast<int>(nHitTest), point);
            return;
        }
    }
    Default();
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint) {
    CControlBar* bar = (m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI) ? nullptr : FirstBar();
    if (nHitTest == HTCAPTION && bar && bar->m_pDockContext) {
        bar->m_pDockContext->ToggleDocking();
        return;
    }
    Default();
}

// A press on a floating bar leaves the main frame active.
int CMiniDockFrameWnd::OnMouseActivate(CWnd*, UINT, UINT) {
    return MA_NOACTIVATE;
}
