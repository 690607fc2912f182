// CMiniFrameWnd: the border styles and the caption's activation.

#include "platform/framework/CMiniFrameWnd.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
    ON_WM_NCHITTEST()
    ON_WM_NCACTIVATE()
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
END_MESSAGE_MAP()

namespace {
const DWORD kMiniStyles =
    MFS_SYNCACTIVE | MFS_4THICKFRAME | MFS_THICKFRAME | MFS_MOVEFRAME | MFS_BLOCKSYSMENU;
}

BOOL CMiniFrameWnd::Create(LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, UINT nID) {
    return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle,
                             const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
    m_strTitle = lpWindowName;
    HMENU id = (dwStyle & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)) : nullptr;
    return CWnd::CreateEx(dwExStyle, lpClassName, lpWindowName, dwStyle, rect.left, rect.top,
                          rect.right - rect.left, rect.bottom - rect.top, pm::afx::safeHwnd(pParentWnd), id,
                          lpParam);
}

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (!CFrameWnd::PreCreateWindow(cs)) return FALSE;
    // The MFS_ bits are the frame's own; the window gets the border they stand for.
    m_dwMiniStyle = static_cast<DWORD>(cs.style) & kMiniStyles;
    cs.style &= ~static_cast<LONG>(kMiniStyles | FWS_ADDTOTITLE | FWS_PREFIXTITLE);
    if (m_dwMiniStyle & (MFS_THICKFRAME | MFS_4THICKFRAME | MFS_MOVEFRAME)) cs.style |= WS_THICKFRAME;
    cs.dwExStyle &= ~static_cast<DWORD>(WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE);
    cs.dwExStyle |= WS_EX_TOOLWINDOW;
    return TRUE;
}

void CMiniFrameWnd::CalcBorders(LPRECT lpClientRect, DWORD dwStyle, DWORD dwExStyle) {
    ::AdjustWindowRectEx(lpClientRect, dwStyle & ~static_cast<DWORD>(kMiniStyles), FALSE, dwExStyle);
}

namespace {

// A corner of a frame sized at its four sides only sizes as the side above or below it.
LRESULT SideOfCorner(LRESULT hit) {
    if (hit == HTTOPLEFT || hit == HTTOPRIGHT) return HTTOP;
    if (hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT) return HTBOTTOM;
    return hit;
}

} // namespace

LRESULT CMiniFrameWnd::OnNcHitTest(CPoint) {
    LRESULT hit = Default();
    const bool sizing = hit >= HTSIZEFIRST && hit <= HTSIZELAST;
    if (m_dwMiniStyle & MFS_THICKFRAME) {
        if (sizing && (m_dwMiniStyle & MFS_4THICKFRAME)) return SideOfCorner(hit);
        return hit;
    }
    // A frame that moves by its edges moves by a thin border as well.
    if ((sizing || hit == HTBORDER) && (m_dwMiniStyle & MFS_MOVEFRAME)) return HTCAPTION;
    return sizing ? HTBORDER : hit;
}

BOOL CMiniFrameWnd::OnNcActivate(BOOL bActive) {
    // With MFS_SYNCACTIVE the caption follows the main frame, not the frame's own activation.
    if (m_dwMiniStyle & MFS_SYNCACTIVE) bActive = m_bActive || bActive;
    return static_cast<BOOL>(DefWindowProc(WM_NCACTIVATE, bActive, 0));
}

LRESULT CMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM) {
    if (!(m_dwMiniStyle & MFS_SYNCACTIVE)) return 0;
    if (wParam & (FS_ACTIVATE | FS_DEACTIVATE)) {
        m_bActive = (wParam & FS_ACTIVATE) != 0;
        SendMessage(WM_NCACTIVATE, m_bActive);
    }
    return 0;
}
