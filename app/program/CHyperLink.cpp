// The hyperlink label.

#include "app/program/CHyperLink.h"

#include "app/window_helpers.h"

IMPLEMENT_DYNAMIC(CHyperLink, CStatic)

BEGIN_MESSAGE_MAP(CHyperLink, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_LBUTTONDOWN()
    ON_WM_SETCURSOR()
    ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

CHyperLink::CHyperLink() : m_crText(::GetSysColor(COLOR_WINDOWTEXT)), m_brFace(::GetSysColor(COLOR_BTNFACE)) {
    ::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof m_logFont, &m_logFont);
    m_font.CreateFontIndirect(&m_logFont);
}

void CHyperLink::redraw() {
    if (!m_hWnd) return;
    Invalidate();
    UpdateWindow();
}

void CHyperLink::remakeFont() {
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&m_logFont);
    redraw();
}

void CHyperLink::SetTextColor(COLORREF crText) {
    m_crText = crText;
    redraw();
}

void CHyperLink::SetBold(BOOL bBold) {
    m_logFont.lfWeight = bBold ? FW_BOLD : FW_NORMAL;
    remakeFont();
}

void CHyperLink::SetUnderline(BOOL bUnderline) {
    m_logFont.lfUnderline = static_cast<BYTE>(bUnderline ? TRUE : FALSE);
    remakeFont();
}

void CHyperLink::SetFontHeight(int nPixels) {
    m_logFont.lfHeight = nPixels;
    remakeFont();
}

void CHyperLink::SetLink(BOOL bLink, LPCTSTR lpszTarget) {
    m_bLink = bLink;
    m_strTarget = lpszTarget ? lpszTarget : "";
    if (m_hWnd) ModifyStyle(bLink ? 0 : SS_NOTIFY, bLink ? SS_NOTIFY : 0);
}

void CHyperLink::SetLinkCursor(HCURSOR hCursor) {
    m_hLinkCursor = hCursor;
}

CString CHyperLink::GetLinkAddress() const {
    CString address = m_strTarget;
    if (address.IsEmpty() && m_hWnd) GetWindowText(address);
    if (address.Find('@') >= 0 && address.Left(7).CompareNoCase("mailto:") != 0)
        address = "mailto:" + address;
    return address;
}

HBRUSH CHyperLink::CtlColor(CDC* pDC, UINT) {
    pDC->SelectObject(&m_font);
    pDC->SetTextColor(m_crText);
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(m_brFace.GetSafeHandle());
}

void CHyperLink::OnLButtonDown(UINT nFlags, CPoint point) {
    OpenWithDesktop(m_hWnd, GetLinkAddress());
    CStatic::OnLButtonDown(nFlags, point);
}

BOOL CHyperLink::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    if (!m_hLinkCursor) return CStatic::OnSetCursor(pWnd, nHitTest, message);
    ::SetCursor(m_hLinkCursor);
    return TRUE;
}

void CHyperLink::OnSysColorChange() {
    m_brFace.DeleteObject();
    m_brFace.CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
    redraw();
}
