#include "docking/DockWrapperWnd.h"

#include "docking/CDKMDIChildWndSizeDock.h"
#include "docking/CDKSizeViewBar.h"
#include "platform/framework/CMDIFrameWnd.h"
#include "platform/framework/CView.h"

BEGIN_MESSAGE_MAP(CDockWrapperWnd, CFrameWnd)
    ON_WM_NCHITTEST()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEACTIVATE()
    ON_WM_NCACTIVATE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

namespace {

void RegisterWrapperClass() {
    static const bool registered = [] {
        WNDCLASS wc{};
        wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = CDockWrapperWnd::kClassName;
        return ::RegisterClass(&wc) != 0;
    }();
    (void)registered;
}

} // namespace

BOOL CDockWrapperWnd::CreateIn(CDKSizeViewBar* pBar, LPCSTR lpszText, const RECT& rect) {
    RegisterWrapperClass();
    m_pBar = pBar;
    m_bDestroying = m_bBarDestroying = FALSE;
    if (!Create(kClassName, lpszText, WS_CHILD | WS_VISIBLE, rect, pBar)) return FALSE;
    SendMessage(WM_NCACTIVATE, TRUE);
    return TRUE;
}

BOOL CDockWrapperWnd::DestroyWindow() {
    if (m_pChild && m_pChild->IsDocked() && ::IsWindow(m_pChild->m_hWnd) && !m_pChild->m_bClosing)
        return m_pChild->DestroyWindow();
    return CFrameWnd::DestroyWindow();
}

LRESULT CDockWrapperWnd::OnNcHitTest(CPoint point) {
    const LRESULT hit = Default();
    if ((hit == HTCLIENT || hit == HTCAPTION) && m_pBar && ::IsWindow(m_pBar->m_hWnd))
        return m_pBar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
    return hit;
}

void CDockWrapperWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
    if (!m_pChild || !::IsWindow(m_pChild->m_hWnd)) return;
    m_pChild->m_nWindow = m_nWindow;
    m_pChild->OnUpdateFrameTitle(bAddToTitle);
    if (CMDIFrameWnd* frame = m_pChild->GetMDIFrame()) frame->OnUpdateFrameTitle(TRUE);
}

void CDockWrapperWnd::PassToBar(UINT message, UINT nFlags, CPoint point) {
    if (!m_pBar || !::IsWindow(m_pBar->m_hWnd)) return;
    MapWindowPoints(m_pBar, &point, 1);
    m_pBar->SendMessage(message, nFlags, MAKELPARAM(point.x, point.y));
}

void CDockWrapperWnd::OnLButtonDown(UINT nFlags, CPoint point) {
    PassToBar(WM_LBUTTONDOWN, nFlags, point);
}

void CDockWrapperWnd::OnLButtonDblClk(UINT nFlags, CPoint point) {
    PassToBar(WM_LBUTTONDBLCLK, nFlags, point);
}

int CDockWrapperWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
    const int result = CFrameWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (result != MA_NOACTIVATE && result != MA_NOACTIVATEANDEAT && m_pBar)
        m_pBar->SendMessage(WM_SZBAR_ACTIVATE, TRUE, CDKSizeViewBar::kFromWrapper);
    return result;
}

BOOL CDockWrapperWnd::OnNcActivate(BOOL bActive) {
    if (bActive && m_pChild && ::IsWindow(m_pChild->m_hWnd) && m_pChild->GetActiveChild() != m_pChild)
        return FALSE;
    return static_cast<BOOL>(Default());
}

void CDockWrapperWnd::OnClose() {
    // The document may refuse; else the document window goes, as closing its own frame would.
    if (m_pBar && !m_pBar->CanClose()) return;
    DestroyWindow();
}

void CDockWrapperWnd::OnDestroy() {
    m_bDestroying = TRUE;
    // The view is the document window's: it outlives this window, back in the pane.
    CView* view = m_pBar ? m_pBar->m_pView : nullptr;
    if (!m_bBarDestroying && view && ::IsWindow(view->m_hWnd) && view->GetParent() == this &&
        !m_pBar->IsFloating())
        view->SetParent(m_pBar);
    CFrameWnd::OnDestroy();
}

void CDockWrapperWnd::OnNcDestroy() {
    CFrameWnd::OnNcDestroy();
    // Gone on its own, it takes its pane along.
    if (!m_bBarDestroying && m_pBar && ::IsWindow(m_pBar->m_hWnd)) m_pBar->DestroyWindow();
}
