#pragma once
// CDKItemTipWnd: a small window that shows a whole text over the place where a control shows it cut
// off. It hides itself when the mouse leaves it (checked every 100 ms) and passes any key or click
// on to the window that should have had it.

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

    CWnd* m_pControl = nullptr;
    UINT_PTR m_nTimer = 0;
};
