#pragma once
// CRectTracker: a rectangle the user moves and resizes with the mouse. Track and TrackRubberBand
// run a modal loop with the mouse captured, draw the moving outline, and end on the button's
// release (TRUE when the rectangle changed) or on Esc or a right click (the rectangle as it was).
// A derived tracker adjusts the rectangle (AdjustRect), follows it (OnChangedRect), draws it
// (DrawTrackerRect) or changes its handles (GetHandleMask, NormalizeHit).

#include "platform/framework/CRect.h"

class CDC;
class CWnd;

class CRectTracker {
public:
    enum StyleFlags {
        solidLine = 1,
        dottedLine = 2,
        hatchedBorder = 4,
        resizeInside = 8,
        resizeOutside = 16,
        hatchInside = 32,
    };
    enum TrackerHit {
        hitNothing = -1,
        hitTopLeft = 0,
        hitTopRight = 1,
        hitBottomRight = 2,
        hitBottomLeft = 3,
        hitTop = 4,
        hitRight = 5,
        hitBottom = 6,
        hitLeft = 7,
        hitMiddle = 8
    };

    CRectTracker() = default;
    CRectTracker(LPCRECT lpSrcRect, UINT nStyle) : m_nStyle(nStyle), m_rect(lpSrcRect) {}
    virtual ~CRectTracker() = default;

    UINT m_nStyle = 0;
    CRect m_rect{0, 0, 0, 0};
    CSize m_sizeMin{0, 0};
    int m_nHandleSize = 7;

    void Draw(CDC* pDC) const;
    // The rectangle with its border and outside handles.
    void GetTrueRect(LPRECT lpTrueRect) const;
    BOOL SetCursor(CWnd* pWnd, UINT nHitTest) const;
    // Moves or resizes by the handle under point (client coordinates of pWnd).
    BOOL Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert = FALSE, CWnd* pWndClipTo = nullptr);
    // Draws a new rectangle from point.
    BOOL TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert = TRUE);
    int HitTest(CPoint point) const;
    // The handle as it shows on the normalised rectangle (an inverted rectangle swaps handles).
    int NormalizeHit(int nHandle) const;

    virtual void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd);
    virtual void AdjustRect(int nHandle, LPRECT lpRect);
    virtual void OnChangedRect(const CRect& rectOld);
    // Which handles show: the corners always, the side ones when there is room.
    virtual UINT GetHandleMask() const;

protected:
    BOOL m_bAllowInvert = FALSE;
    CRect m_rectLast{0, 0, 0, 0};
    CSize m_sizeLast{0, 0};
    BOOL m_bErase = FALSE;
    BOOL m_bFinalErase = FALSE;

    virtual int GetHandleSize(LPCRECT lpRect = nullptr) const;
    BOOL TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo);
    void GetHandleRect(int nHandle, CRect* pHandleRect) const;
    // The coordinates of m_rect a handle moves (nullptr: none in that direction).
    void GetModifyPointers(int nHandle, LONG** ppx, LONG** ppy);
    int HitTestHandles(CPoint point) const;
};
