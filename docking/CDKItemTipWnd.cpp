// CDKItemTipWnd: placing and painting the tip, hiding it, and handing input on.

#include "docking/CDKItemTipWnd.h"

#include "platform/framework/CDC.h"
#include "platform/framework/CGdiObject.h"
#include "platform/framework/CWinApp.h"

namespace {
const char* const kClassName = "ItemTipWnd";

HWND topLevelOf(HWND hwnd) {
    while (hwnd && (::GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD))
        hwnd = ::GetParent(hwnd);
    return hwnd;
}
} // namespace

BOOL CDKItemTipWnd::Create(CWnd* pControl, HBRUSH hBackground) {
    m_pControl = pControl;
    WNDCLASS wc{};
    if (!::GetClassInfo(AfxGetInstanceHandle(), kClassName, &wc)) {
        wc.style = CS_SAVEBITS | CS_DBLCLKS;
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = hBackground ? hBackground : reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1);
        wc.lpszClassName = kClassName;
        if (!AfxRegisterClass(&wc)) return FALSE;
    }
    return CreateEx(WS_EX_TOOLWINDOW, kClassName, "", WS_POPUP | WS_BORDER, CRect(0, 0, 0, 0), nullptr, 0);
}

BOOL CDKItemTipWnd::IsAncestorActive() const {
    HWND active = ::GetActiveWindow();
    for (HWND h = m_pControl->GetSafeHwnd(); h;) {
        if (h == active) return TRUE;
        CWnd* known = CWnd::FromHandlePermanent(h);
        HWND owner = known ? known->GetOwner()->GetSafeHwnd() : nullptr;
        if (owner && owner != h)
            h = owner;
        else
            h = (::GetWindowLong(h, GWL_STYLE) & WS_CHILD) ? ::GetParent(h) : ::GetWindow(h, GW_OWNER);
    }
    return FALSE;
}

CRect CDKItemTipWnd::Bounds(CWnd* pControl, BOOL* pTopmost) {
    HWND top = topLevelOf(pControl->GetSafeHwnd());
    BOOL topmost = (::GetWindowLong(top, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    if (pTopmost) *pTopmost = topmost;
    CRect bounds;
    if (topmost)
        ::GetWindowRect(::GetDesktopWindow(), &bounds);
    else
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &bounds, 0);
    return bounds;
}

void CDKItemTipWnd::Show(const RECT* pRect, LPCSTR lpszText, int nOffset, int nAlignment, CFont* pFont,
                         COLORREF clrText, COLORREF clrBack) {
    if (!IsAncestorActive() && !(m_pControl->GetExStyle() & WS_EX_TOPMOST)) return;
    // Measured on the control, which has a surface even before the tip is first sized.
    CRect text(0, 0, 0, 0);
    {
        CClientDC measure(m_pControl);
        CFont* font = pFont ? pFont : m_pControl->GetFont();
        if (font) measure.SelectObject(font);
        measure.DrawText(lpszText, -1, &text, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
    }
    CRect rect(*pRect);
    rect.right = rect.left + text.Width() + 2 * nOffset;
    if (rect.Height() < text.Height()) rect.bottom = rect.top + text.Height();
    m_pControl->ClientToScreen(&rect);
    // The whole window, border included, stays inside the bounds.
    CRect window = rect;
    ::AdjustWindowRectEx(&window, GetStyle(), FALSE, GetExStyle());
    BOOL topmost = FALSE;
    CRect bounds = Bounds(m_pControl, &topmost);
    if (window.right > bounds.right) window.OffsetRect(bounds.right - window.right, 0);
    if (window.left < bounds.left) window.OffsetRect(bounds.left - window.left, 0);
    SetWindowPos(topmost ? &CWnd::wndTopMost : nullptr, window.left, window.top, window.Width(),
                 window.Height(), SWP_NOACTIVATE | (topmost ? 0 : SWP_NOZORDER));
    m_strText = lpszText;
    m_nOffset = nOffset;
    m_nAlignment = nAlignment;
    // Kept as a handle: a temporary font object may be gone by the next paint.
    m_hFont = pFont ? static_cast<HFONT>(pFont->GetSafeHandle())
                    : reinterpret_cast<HFONT>(m_pControl->SendMessage(WM_GETFONT));
    m_clrText = clrText;
    m_clrBack = clrBack;
    ShowWindow(SW_SHOWNA);
    Invalidate();
    UpdateWindow();
    m_nTimer = SetTimer(kTimer, kTimerPeriod, nullptr);
}

void CDKItemTipWnd::Hide(MSG* pMsg, CWnd* pTarget) {
    if (m_nTimer) KillTimer(m_nTimer);
    m_nTimer = 0;
    ShowWindow(SW_HIDE);
    if (!pMsg) return;
    HWND target = pTarget ? pTarget->GetSafeHwnd() : m_pControl->GetSafeHwnd();
    if (::IsWindow(target)) ::PostMessage(target, pMsg->message, pMsg->wParam, pMsg->lParam);
}

BOOL CDKItemTipWnd::PreTranslateMessage(MSG* pMsg) {
    HWND top = topLevelOf(m_pControl->GetSafeHwnd());
    CPoint cursor;
    ::GetCursorPos(&cursor);
    UINT message = pMsg->message;
    if (message == WM_MOUSEMOVE || (message == WM_TIMER && pMsg->wParam == kTimer)) {
        if (::WindowFromPoint(cursor) == m_hWnd) return CWnd::PreTranslateMessage(pMsg);
        if (message == WM_TIMER) {
            Hide(nullptr, nullptr);
            return TRUE;
        }
    }
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
        Hide(pMsg, CWnd::FromHandle(top));
        return FALSE;
    }
    if (message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK) {
        CPoint point(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam));
        ::ClientToScreen(pMsg->hwnd, &point);
        HWND target = ::WindowFromPoint(point);
        if (target == m_hWnd) target = m_pControl->GetSafeHwnd();
        auto hit = ::SendMessage(target, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
        MSG forwarded = *pMsg;
        if (hit == HTCLIENT) {
            ::ScreenToClient(target, &point);
        } else {
            forwarded.message = message - 0x160; // the non-client twin
            forwarded.wParam = static_cast<WPARAM>(hit);
        }
        forwarded.lParam = MAKELPARAM(point.x, point.y);
        Hide(&forwarded, CWnd::FromHandle(target));
        return FALSE;
    }
    return CWnd::PreTranslateMessage(pMsg);
}

void CDKItemTipWnd::Paint(CDC* pDC) {
    int saved = pDC->SaveDC();
    if (m_hFont) ::SelectObject(pDC->GetSafeHdc(), m_hFont);
    if (m_clrText != static_cast<COLORREF>(-1)) pDC->SetTextColor(m_clrText);
    pDC->SetBkMode(TRANSPARENT);
    CRect client;
    GetClientRect(&client);
    if (m_clrBack == static_cast<COLORREF>(-1))
        SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(pDC->GetSafeHdc()));
    else
        pDC->FillSolidRect(&client, m_clrBack);
    CRect inner = client;
    inner.DeflateRect(m_nOffset, 0);
    pDC->DrawText(m_strText, -1, &inner,
                  static_cast<UINT>(m_nAlignment) | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
    pDC->RestoreDC(saved);
}

LRESULT CDKItemTipWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        Paint(CDC::FromHandle(::BeginPaint(m_hWnd, &ps)));
        ::EndPaint(m_hWnd, &ps);
        return 0;
    }
    if (message == WM_DESTROY && m_nTimer) {
        KillTimer(m_nTimer);
        m_nTimer = 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
