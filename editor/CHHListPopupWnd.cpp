#include "editor/CHHListPopupWnd.h"

namespace {
constexpr UINT_PTR kFollowTimer = 0;
constexpr UINT kFollowPeriod = 500;
} // namespace

IMPLEMENT_DYNAMIC(CHHListPopupWnd, CWnd)

BEGIN_MESSAGE_MAP(CHHListPopupWnd, CWnd)
    ON_WM_TIMER()
    ON_WM_MOVE()
    ON_WM_SHOWWINDOW()
    ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

BOOL CHHListPopupWnd::Create(DWORD style, const RECT& rect, CWnd* owner) {
    m_pOwner = owner;
    return CreateEx(0, AfxRegisterWndClass(0), "", style, rect, owner, 0);
}

void CHHListPopupWnd::OffsetPosition(int, int) {}

CPoint CHHListPopupWnd::ownerTopLeft() const {
    CRect r;
    if (m_pOwner && m_pOwner->GetSafeHwnd()) m_pOwner->GetWindowRect(&r);
    return r.TopLeft();
}

LRESULT CHHListPopupWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_COMMAND:
        if (m_pOwner && m_pOwner->GetSafeHwnd()) return m_pOwner->SendMessage(message, wParam, lParam);
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CHHListPopupWnd::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kFollowTimer) return;
    const CPoint now = ownerTopLeft();
    if (now == m_ownerPos) return;
    const int dx = now.x - m_ownerPos.x, dy = now.y - m_ownerPos.y;
    OffsetPosition(dx, dy);
    CRect r;
    GetWindowRect(&r);
    SetWindowPos(nullptr, r.left + dx, r.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_ownerPos = now;
}

void CHHListPopupWnd::OnMove(int, int) {
    m_ownerPos = ownerTopLeft();
}

void CHHListPopupWnd::OnShowWindow(BOOL bShow, UINT) {
    if (bShow) {
        m_ownerPos = ownerTopLeft();
        SetTimer(kFollowTimer, kFollowPeriod);
    } else {
        KillTimer(kFollowTimer);
    }
}

int CHHListPopupWnd::OnMouseActivate(CWnd*, UINT, UINT) {
    return MA_NOACTIVATE;
}
