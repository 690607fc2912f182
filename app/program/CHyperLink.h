#pragma once
// CHyperLink: a label of the dialogs with its own text colour and font, which can act as a link: a
// click opens its target (a web page, or a new message when the target is an e-mail address) with
// the desktop's programs, and a cursor of its own shows over it.

#include "platform/framework/afxwin.h"

class CHyperLink : public CStatic {
    DECLARE_DYNAMIC(CHyperLink)
public:
    CHyperLink();

    // Each changes the colour or remakes the font, and redraws the label at once.
    void SetTextColor(COLORREF crText);
    void SetBold(BOOL bBold);
    void SetUnderline(BOOL bUnderline);
    void SetFontHeight(int nPixels);

    // Makes the label a link (so that it receives clicks) or a plain label; without a target the
    // label's own text is the target.
    void SetLink(BOOL bLink, LPCTSTR lpszTarget = nullptr);
    void SetLinkCursor(HCURSOR hCursor);

    // What a click opens: the target or the label's text, after "mailto:" when it holds an "@".
    CString GetLinkAddress() const;

protected:
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnSysColorChange();
    DECLARE_MESSAGE_MAP()

private:
    void remakeFont();
    void redraw();

    COLORREF m_crText;
    CBrush m_brFace;
    LOGFONT m_logFont{};
    CFont m_font;
    BOOL m_bLink = FALSE;
    HCURSOR m_hLinkCursor = nullptr;
    CString m_strTarget;
};
