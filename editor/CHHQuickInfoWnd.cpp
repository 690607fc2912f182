#include "editor/CHHQuickInfoWnd.h"

#include "editor/HHAssistRules.h"
#include "platform/framework/CDC.h"

IMPLEMENT_DYNAMIC(CHHQuickInfoWnd, CHHListPopupWnd)

BEGIN_MESSAGE_MAP(CHHQuickInfoWnd, CHHListPopupWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

void CHHQuickInfoWnd::OffsetPosition(int dx, int dy) {
    m_nX += dx;
    m_nY += dy;
}

void CHHQuickInfoWnd::SetPosition(int x, int y, BOOL above) {
    m_nX = x;
    m_nY = y;
    m_bAbove = above;
    Layout();
}

void CHHQuickInfoWnd::SetTextAndShow(LPCSTR text) {
    SetWindowText(text);
    Layout();
    Invalidate();
    ShowWindow(SW_SHOWNOACTIVATE);
}

CRect CHHQuickInfoWnd::textRect(CDC& dc, int wrapWidth) {
    CString text;
    GetWindowText(text);
    dc.SelectStockObject(ANSI_VAR_FONT);
    CRect r(0, 0, wrapWidth, 0);
    dc.DrawText(text, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    return r;
}

void CHHQuickInfoWnd::Layout() {
    if (!GetSafeHwnd() || !m_pOwner || !m_pOwner->GetSafeHwnd()) return;
    CRect owner;
    m_pOwner->GetWindowRect(&owner);
    CClientDC dc(this);
    const CRect text = textRect(dc, hh::TipWrapWidth(owner.Width()));
    const hh::TipPlacement tip = hh::PlaceTip(m_nX, m_nY, m_bAbove != FALSE, text.Width(), text.Height(),
                                              owner.right, ::GetSystemMetrics(SM_CYSCREEN));
    m_bAbove = tip.above;
    SetWindowPos(nullptr, tip.left, tip.top, tip.width, tip.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CHHQuickInfoWnd::OnPaint() {
    CPaintDC dc(this);
    CRect r;
    GetClientRect(&r);
    dc.Draw3dRect(&r, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_INFOTEXT));
    r.DeflateRect(1, 1);
    dc.FillSolidRect(&r, ::GetSysColor(COLOR_INFOBK));
    dc.SelectStockObject(ANSI_VAR_FONT);
    dc.SetTextColor(::GetSysColor(COLOR_INFOTEXT));
    dc.SetBkColor(::GetSysColor(COLOR_INFOBK));
    r.DeflateRect(2, 1);
    CString text;
    GetWindowText(text);
    dc.DrawText(text, &r, DT_WORDBREAK | DT_NOPREFIX);
}
