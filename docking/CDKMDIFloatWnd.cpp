#include "docking/CDKMDIFloatWnd.h"

#include "docking/CDKSizeControlBar.h"
#include "platform/framework/CDockContext.h"
#include "platform/framework/CMDIFrameWnd.h"

IMPLEMENT_DYNCREATE(CDKMDIFloatWnd, CDKMDIChildWndSizeDock)

BEGIN_MESSAGE_MAP(CDKMDIFloatWnd, CDKMDIChildWndSizeDock)
    ON_WM_SIZE()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_CLOSE()
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

namespace {

CDKSizeControlBar* AsSizeBar(CControlBar* bar) {
    return bar && bar->IsKindOf(RUNTIME_CLASS(CDKSizeControlBar)) ? static_cast<CDKSizeControlBar*>(bar)
                                                                  : nullptr;
}

} // namespace

CDKMDIFloatWnd::CDKMDIFloatWnd() : m_wndDockBar(TRUE) {}

BOOL CDKMDIFloatWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (!CDKMDIChildWndSizeDock::PreCreateWindow(cs)) return FALSE;
    cs.dwExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
    return TRUE;
}

BOOL CDKMDIFloatWnd::Create(CMDIFrameWnd* pDockSite, DWORD dwBarStyle) {
    m_bCreating = TRUE;
    static LPCSTR className = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
    if (!CDKMDIChildWndSizeDock::Create(className, "", WS_CHILD | WS_CLIPCHILDREN | WS_OVERLAPPEDWINDOW,
                                        rectDefault, pDockSite)) {
        m_bCreating = FALSE;
        return FALSE;
    }
    const DWORD align =
        (dwBarStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP;
    const BOOL made = m_wndDockBar.Create(
        pDockSite, align | (dwBarStyle & CBRS_FLOAT_MULTI) | WS_CHILD | WS_VISIBLE, AFX_IDW_DOCKBAR_FLOAT);
    if (made) m_wndDockBar.SetParent(this);
    m_bCreating = FALSE;
    return made;
}

CControlBar* CDKMDIFloatWnd::FirstBar() const {
    for (int i = 0; i < m_wndDockBar.m_arrBars.GetSize(); ++i)
        if (CControlBar* bar = m_wndDockBar.GetDockedControlBar(i)) return bar;
    return nullptr;
}

void CDKMDIFloatWnd::RecalcLayout(BOOL bNotify) {
    if (m_bCreating) return;
    CDKMDIChildWndSizeDock::RecalcLayout(bNotify);
    if (!::IsWindow(m_wndDockBar.m_hWnd)) return;
    CString title;
    m_wndDockBar.GetWindowText(title);
    SetWindowText(title);
}

void CDKMDIFloatWnd::FitToBar() {
    CDKSizeControlBar* bar = AsSizeBar(FirstBar());
    if (!bar) return;
    CRect rect(CPoint(0, 0), bar->m_szFloat);
    ::AdjustWindowRectEx(&rect, GetStyle(), FALSE, GetExStyle());
    SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RecalcLayout();
}

void CDKMDIFloatWnd::OnSize(UINT nType, int cx, int cy) {
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
    CDKMDIChildWndSizeDock::OnSize(nType, cx, cy);
}

void CDKMDIFloatWnd::OnWindowPosChanged(WINDOWPOS*) {
    Default();
    CControlBar* bar = FirstBar();
    if (!bar || !bar->m_pDockContext) return;
    CRect rect;
    GetWindowRect(&rect);
    bar->m_pDockContext->m_ptMRUFloatPos = rect.TopLeft();
}

void CDKMDIFloatWnd::OnClose() {
    CDKSizeControlBar* bar = AsSizeBar(FirstBar());
    if (bar && (bar->GetSizeBarStyle() & SZBAR_DELETEONCLOSE)) {
        bar->DestroyWindow();
        delete bar;
        DestroyWindow();
        return;
    }
    if (bar) bar->SendMessage(WM_COMMAND, ID_SZBAR_HIDE);
}

void CDKMDIFloatWnd::OnShowWindow(BOOL bShow, UINT nStatus) {
    // Shown by a call: above the document windows.
    if (bShow && nStatus == 0)
        SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Default();
}
