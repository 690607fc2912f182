#pragma once
// CDKItemTipWnd: a small window that shows a whole text over the place where a control shows it cut
// off. It hides itself when the mouse leaves it (checked every 100 ms) and passes any key or click
// on to the window that should have had it.

#include "platform/framework/CString.h"
#include "platform/framework/CWnd.h"

class CFont;

class CDKItemTipWnd : public CWnd {
public:
    enum { kTimer = 221, kTimerPeriod = 100 };

    BOOL Create(CWnd* pControl, HBRUSH hBackground = nullptr);
    // rect: in the control's client coordinates; colours -1 for the defaults.
    virtual void Show(const RECT* pRect, LPCSTR lpszText, int nOffset, int nAlignment, CFont* pFont,
                      COLORREF clrText, COLORREF clrBack);
    virtual void Hide(MSG* pMsg, CWnd* pTarget);
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Where tips may go: the work area, or the whole desktop above a topmost window.
    static CRect Bounds(CWnd* pControl, BOOL* pTopmost = nullptr);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL IsAncestorActive() const;
    void Paint(CDC* pDC);

    // What Show asked for, painted again whenever the tip is repainted.
    CString m_strText;
    int m_nOffset = 0;
    int m_nAlignment = 0;
    HFONT m_hFont = nullptr;
    COLORREF m_clrText = static_cast<COLORREF>(-1);
    COLORREF m_clrBack = static_cast<COLORREF>(-1);

    CWnd* m_pControl = nullptr;
    UINT_PTR m_nTimer = 0;
};
