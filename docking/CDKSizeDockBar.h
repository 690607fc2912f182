#pragma once
// CDKSizeDockBar: a frame side whose rows treat sizeable bars specially: they share their row's
// length in proportion to their lengths, take the row's thickness, and are parted by 8-pixel
// splitters the user drags to trade length between neighbours or thickness between a row and the
// frame's client. It also expands a bar within its row and counts a row's bars for the drag.

#include "docking/DockRowLayout.h"
#include "platform/framework/CDockBar.h"

#include <vector>

class CDKSizeDockBar : public CDockBar {
    DECLARE_DYNAMIC(CDKSizeDockBar)
public:
    // A splitter between rows or bars, in dock-bar client coordinates.
    struct Splitter {
        CRect rect;
        int kind;  // kindSideways: a vertical strip moved sideways; kindUpDown: a horizontal one
        int index; // where in m_arrBars it stands
        int row;   // between rows: where in m_arrBars the row it sizes starts
    };
    enum { kindSideways = 1, kindUpDown = 2 };

    CDKSizeDockBar();

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

    BOOL IsHorizontal() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
    // Shares the sizeable bars of the row from nIndex to nLength; FALSE when it holds none.
    BOOL ShareRowLength(int nIndex, int nLength);
    BOOL ShareAllRows(int nLength);
    // After a drag docked pBar here: the row's other bars give it room.
    void AdjustForNewBar(CControlBar* pBar);
    // The bars other than pBar in the row under the centre of rect (screen coordinates).
    int RowBarCount(CControlBar* pBar, const CRect& rect);
    void Expand(CControlBar* pBar, BOOL bExpand);
    CControlBar* GetFirstBar() const;
    int ArrangementCode() const;
    const std::vector<Splitter>& GetSplitters() const { return m_splitters; }
    // Moves a splitter by delta pixels across its strip, as a drag of it would.
    void MoveSplitter(int nSplitter, int nDelta);

    int m_nLayoutSignature = 0;

protected:
    // The rows as the arithmetic sees them, from the bars' windows.
    dock::Row BuildRow() const;
    // The same with what the layout pass needs: each bar's own size and its window's place.
    dock::Row BuildLayoutRow();
    // Gives the sizeable bars whose sizes row changes from before those sizes; resizes their windows
    // unless the layout only measures.
    void ApplyRow(const dock::Row& row, const dock::Row& before, bool resize);
    int LayoutExtent() const;
    // The rows a layout decided become m_arrBars, with the sizes it shared.
    void TakeRows(const dock::Layout& layout, const dock::Row& before);
    // Moves the bars' windows to their places and keeps the splitters.
    void PlaceBars(const dock::Layout& layout);
    // A left or top dock bar: its row splitters follow their rows.
    bool IsLeading() const { return (m_dwStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_TOP)) != 0; }
    // The overlap of neighbouring bars along the rows, and the dock bar's length at the last layout.
    int Overlap() const { return IsHorizontal() ? afxData.cxBorder2 : afxData.cyBorder2; }
    int LastLength() const { return IsHorizontal() ? m_nLastWidth : m_nLastHeight; }
    // A splitter between rows (not between two bars of a row).
    bool IsRowSplitter(const Splitter& s) const;
    // The limits of a drag of splitter s as a range of deltas.
    void SplitterLimits(const Splitter& s, int* pMin, int* pMax);
    void TrackSplitter(int nSplitter, CPoint start);
    int HitSplitter(CPoint point) const;
    // pBar was a hidden window at the last layout.
    bool WasHidden(CControlBar* pBar) const;

    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    std::vector<Splitter> m_splitters;
    int m_nDragged = -1;
    int m_nLastWidth = 65535;
    int m_nLastHeight = 65535;
    CPtrArray m_arrHiddenBars;
};

// A sizeable bar that the dock bar lays out by the share rules (a CDKSizeControlBar).
bool IsSizeableBar(const CControlBar* pBar);

// Gives pFrame sizeable dock bars on the sides in dwDockStyle (CBRS_ALIGN_*) and sizeable floating
// frames, as a docking frame's EnableDocking does.
void EnableSizeDocking(CFrameWnd* pFrame, DWORD dwDockStyle);
