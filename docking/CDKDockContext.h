#pragma once
// CDKDockContext: the drag-and-dock of sizeable bars. A band across the frame's whole inner width
// (or height) at the bar's thickness decides the side; over a row that already holds bars the
// outline takes its share of the row. Ctrl keeps the bar floating; Esc or a right click leaves it
// where it was. A drop docks the bar at the outline's size, or floats it in a mini frame.

#include "platform/framework/CDockContext.h"

class CDKDockContext : public CDockContext {
public:
    explicit CDKDockContext(CControlBar* pBar);

    void StartDrag(CPoint pt) override;
    void ToggleDocking() override;
    void EndDrag() override;

    // The outline drawn while over a dock bar, and the bands across the frame's inner area.
    CRect m_rectDrop{0, 0, 0, 0};
    CRect m_rectFullWidth{0, 0, 0, 0};
    CRect m_rectFullHeight{0, 0, 0, 0};
    CDockBar* m_pTargetDockBar = nullptr;
    CPoint m_ptStart{0, 0};
    // The last outline shown (it stays set after the drag ends).
    CRect m_rectLastOutline{0, 0, 0, 0};

protected:
    // The desktop is locked while a drag runs; unlocked, the main window's prompt is the idle one.
    void LockDesktop();
    void EndLoop();
    DWORD CanDock() override;
    void DrawFocusRect(BOOL bRemoveRect = FALSE) override;
    // The frame's client area left by its bars, widened by the visible left and right dock bars.
    CRect InnerArea() const;
    // The bands follow the pointer across the rows only.
    void UpdateBands();

    CRect m_rectInner{0, 0, 0, 0};
    BOOL m_bInLoop = FALSE;
    BOOL m_bLocked = FALSE;
};
