#pragma once
// CDockContext: a bar's docking behaviour. StartDrag follows the mouse with an outline drawn on
// the desktop, docks the bar where the outline meets a dock bar (the shape of that side), floats it
// elsewhere or with Ctrl held, and leaves everything as it was on Esc or a right click.
// ToggleDocking floats a docked bar at its last floating place, or docks a floating one where it
// was docked last. StartResize sizes a floating bar whose buttons wrap.

#include "platform/framework/CRect.h"

class CControlBar;
class CFrameWnd;
class CDockBar;
class CDC;

class CDockContext {
public:
    explicit CDockContext(CControlBar* pBar);
    virtual ~CDockContext() = default;
    CDockContext(const CDockContext&) = delete;
    CDockContext& operator=(const CDockContext&) = delete;

    virtual void StartDrag(CPoint pt);
    void Move(CPoint pt);
    virtual void EndDrag();
    void OnKey(int nChar, BOOL bDown);

    virtual void StartResize(int nHitTest, CPoint pt);
    void Stretch(CPoint pt);
    void EndResize();

    virtual void ToggleDocking();

    // The drag state.
    CPoint m_ptLast{0, 0};
    CRect m_rectLast{0, 0, 0, 0}; // the outline drawn now (empty: none)
    CSize m_sizeLast{0, 0};
    BOOL m_bDitherLast = FALSE;
    CRect m_rectDragHorz, m_rectDragVert;
    CRect m_rectFrameDragHorz, m_rectFrameDragVert;
    DWORD m_dwDockStyle = 0;     // the sides the bar may dock on
    DWORD m_dwOverDockStyle = 0; // the side under the outline now (0: floating)
    DWORD m_dwStyle = 0;         // the bar's style when the drag began
    BOOL m_bFlip = FALSE;        // Shift: the other orientation
    BOOL m_bForceFrame = FALSE;  // Ctrl: no docking
    BOOL m_bDragging = FALSE;
    int m_nHitTest = 0;
    CRect m_rectRequestedSize, m_rectActualSize, m_rectActualFrameSize, m_rectFrameBorders;
    CDC* m_pDC = nullptr;

    // Where the bar was docked and floated last.
    UINT m_uMRUDockID = 0;
    CRect m_rectMRUDockPos{0, 0, 0, 0};
    DWORD m_dwMRUFloatStyle = 0;
    CPoint m_ptMRUFloatPos{-1, -1};

    CControlBar* m_pBar;
    CFrameWnd* m_pDockSite;

protected:
    void InitLoop();
    void CancelLoop();
    // Runs the modal loop with the mouse captured; TRUE when the drag or resize was accepted.
    BOOL Track();
    virtual void DrawFocusRect(BOOL bRemoveRect = FALSE);
    // Moves the outline on the desktop from the last one to rect (size thick, dithered or white);
    // dcxFlags add to the flags of the desktop DC it draws on.
    void DrawOutline(const CRect& rect, CSize size, bool dither, DWORD dcxFlags);
    void UpdateState(BOOL* pFlag, BOOL bNewValue);
    virtual DWORD CanDock();
    CDockBar* GetDockBar(DWORD dwOverDockStyle);
};
