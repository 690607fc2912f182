#pragma once
// CDKResizeTracker: the tracker of a sizeable dock bar's splitter drags. The band moves as a whole,
// along one direction only (the style keeps the other two sides where they were), within the
// positions a limit allows; it is drawn on the desktop, so it shows over the frame's client too.

#include "platform/framework/CRectTracker.h"

class CDKResizeTracker : public CRectTracker {
public:
    enum Style : UINT {
        keepTopAndBottom = 0x100, // sideways moves only
        keepLeftAndRight = 0x200, // up and down only
    };

    // rect and limit in the tracking window's client coordinates. A moved band keeps its top-left
    // corner within limit (edges included), a sized one stays inside it; a null limit: anywhere.
    CDKResizeTracker(const CRect& rect, UINT nStyle, const CRect& limit);

    // Moves the band from point until the button goes up (TRUE when it moved) or Esc or a right
    // click leaves it where it was.
    BOOL TrackMove(CWnd* pWnd, CPoint point);

    CRect m_rectLimit;
    CRect m_rectStart;

protected:
    void AdjustRect(int nHandle, LPRECT lpRect) override;
    void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd) override;
};
