#include "docking/DockWrapperWnd.h"

#include "docking/CDKMDIChildWndSizeDock.h"

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

BOOL CDockWrapperWnd::CreateIn(CWnd* pBar, LPCSTR lpszText, const RECT& rect) {
    RegisterWrapperClass();
    return Create(kClassName, lpszText, WS_CHILD | WS_VISIBLE, rect, pBar);
}

BOOL CDockWrapperWnd::DestroyWindow() {
    if (m_pChild && m_pChild->IsDocked() && ::IsWindow(m_pChild->m_hWnd) && !m_pChild->m_bClosing)
        return m_pChild->DestroyWindow();
    return CFrameWnd::DestroyWindow();
}
