#include "editor/CHHMarginWnd.h"

#include "editor/CHHAssistEditCtrl.h"
#include "editor/HHAssistResources.h"
#include "platform/framework/CDC.h"
#include "platform/framework/CGdiObject.h"
#include "platform/win/handle_accounting.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr int kImageHeight = 13;

// The line-number font, shared by every margin: line numbers are shown while it exists.
std::unique_ptr<CFont> s_smallFont;

} // namespace

IMPLEMENT_DYNAMIC(CHHMarginWnd, CWnd)

BEGIN_MESSAGE_MAP(CHHMarginWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

BOOL CHHMarginWnd::CreateSmallFont(BOOL lineNumbers) {
    s_smallFont.reset();
    if (!lineNumbers) return TRUE;
    auto font = std::make_unique<CFont>();
    if (!font->CreateFont(-9, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_STRING_PRECIS,
                          CLIP_STROKE_PRECIS, DRAFT_QUALITY, VARIABLE_PITCH | FF_SWISS, "Small Fonts"))
        return FALSE;
    pm::keepForProcess(font->m_hObject); // shared by every margin for the whole run
    s_smallFont = std::move(font);
    return TRUE;
}

BOOL CHHMarginWnd::HasLineNumbers() {
    return s_smallFont != nullptr;
}

BOOL CHHMarginWnd::Create(CHHAssistEditCtrl* control, UINT id) {
    m_pControl = control;
    CRect r;
    control->GetWindowRect(&r);
    CWnd* parent = control->GetParent();
    if (parent) parent->ScreenToClient(&r);
    const CRect strip(r.left, r.top, r.left + kWidth, r.bottom);
    if (!CreateEx(WS_EX_STATICEDGE, AfxRegisterWndClass(0), "", WS_CHILD, strip, parent, id)) return FALSE;
    ShowWindow(SW_SHOW);
    hh::DeclareAssistResources();
    return m_images.Create(IDB_HHASSIST_MARGIN, 17, 0, RGB(255, 0, 255));
}

int CHHMarginWnd::lineAt(int y) const {
    const int height = m_pControl->GetLineHeight();
    if (height <= 0) return -1;
    const int line = y / height + m_pControl->GetFirstVisibleLine();
    return line < m_pControl->GetLineCount() ? line : -1;
}

int CHHMarginWnd::fittingWidth() {
    if (!s_smallFont || !m_pControl || !m_hWnd) return kWidth;
    CClientDC dc(this);
    CFont* old = dc.SelectObject(s_smallFont.get());
    int digit = 0;
    for (char c = '0'; c <= '9'; ++c)
        digit = std::max(digit, static_cast<int>(dc.GetTextExtent(&c, 1).cx));
    dc.SelectObject(old);
    int digits = 1;
    for (int last = m_pControl->GetLineCount(); last >= 10; last /= 10)
        ++digits;
    CRect window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    // One pixel to spare past the last digit.
    return std::max(kWidth, digits * digit + 1 + window.Width() - client.Width());
}

void CHHMarginWnd::fitWidth() {
    CRect r;
    GetWindowRect(&r);
    const int width = fittingWidth();
    if (width == r.Width()) return;
    SetWindowPos(nullptr, 0, 0, width, r.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    placeControl(TRUE);
}

void CHHMarginWnd::OnPaint() {
    // The line count or the line-number switch may have changed since the last paint.
    fitWidth();
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    const int height = m_pControl ? m_pControl->GetLineHeight() : 0;
    if (height <= 0) return;
    const int count = m_pControl->GetLineCount();
    if (s_smallFont) dc.SelectObject(s_smallFont.get());
    dc.SetBkMode(TRANSPARENT);
    int line = m_pControl->GetFirstVisibleLine();
    for (int y = (height - kImageHeight) / 2; y < client.bottom && line < count; y += height, ++line) {
        if (s_smallFont) {
            char number[16];
            std::snprintf(number, sizeof number, "%d", line + 1);
            dc.TextOut(0, y, number, static_cast<int>(std::strlen(number)));
        }
        const BYTE flags = m_pControl->GetLineMarkers(line);
        if (flags & HHMARK_BOOKMARK) m_images.Draw(&dc, 0, CPoint(0, y), ILD_TRANSPARENT);
        if (flags & HHMARK_BREAKPOINT) m_images.Draw(&dc, 1, CPoint(0, y), ILD_TRANSPARENT);
        if (flags & HHMARK_THIRD) m_images.Draw(&dc, 2, CPoint(0, y), ILD_TRANSPARENT);
    }
}

void CHHMarginWnd::OnLButtonDown(UINT, CPoint point) {
    const int line = lineAt(point.y);
    if (line >= 0) m_pControl->ToggleBreakpoint(line);
}

void CHHMarginWnd::OnRButtonDown(UINT, CPoint point) {
    const int line = lineAt(point.y);
    if (line >= 0) m_pControl->ToggleBookmark(line);
}

void CHHMarginWnd::OnShowWindow(BOOL bShow, UINT) {
    placeControl(bShow);
}

void CHHMarginWnd::placeControl(BOOL marginShown) {
    if (!m_pControl || !m_pControl->GetSafeHwnd()) return;
    CWnd* parent = GetParent();
    CRect margin, control;
    GetWindowRect(&margin);
    m_pControl->GetWindowRect(&control);
    if (parent) {
        parent->ScreenToClient(&margin);
        parent->ScreenToClient(&control);
    }
    control.left = marginShown ? margin.right + 1 : margin.left;
    m_pControl->MoveWindow(&control);
}
