#pragma once
// CHHQuickInfoWnd: the tooltip-style window of quick information, placed below (or above) a point
// beside its owner control and kept inside the owner's right edge. Its text is the window text.

#include "editor/CHHListPopupWnd.h"

class CHHQuickInfoWnd : public CHHListPopupWnd {
    DECLARE_DYNAMIC(CHHQuickInfoWnd)
public:
    void OffsetPosition(int dx, int dy) override;
    void SetPosition(int x, int y, BOOL above);
    void SetTextAndShow(LPCSTR text);
    BOOL IsAbove() const { return m_bAbove; }

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

    // Measures the text and moves and sizes the window for it.
    void Layout();
    CRect textRect(CDC& dc, int wrapWidth);

    BOOL m_bAbove = FALSE;
    int m_nX = 0;
    int m_nY = 0;
};
