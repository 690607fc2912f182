#pragma once
// CSplitterWnd: panes in rows and columns with splitter bars between them. A static splitter has a
// fixed grid of panes made by CreateView; a dynamic one (Create) makes panes of one view class as
// the user splits, and drops a row or column dragged below its minimum. A bar is dragged with a
// tracker drawn over the panes; the release sets the sizes, Esc leaves them.

#include "platform/framework/CWnd.h"
#include "platform/framework/afxres.h"

#include <vector>

struct CCreateContext;

#define SPLS_DYNAMIC_SPLIT 0x0001

class CSplitterWnd : public CWnd {
    DECLARE_DYNAMIC(CSplitterWnd)
public:
    CSplitterWnd();

    BOOL Create(CWnd* pParentWnd, int nMaxRows, int nMaxCols, SIZE sizeMin, CCreateContext* pContext,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | SPLS_DYNAMIC_SPLIT, UINT nID = AFX_IDW_PANE_FIRST);
    BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                      UINT nID = AFX_IDW_PANE_FIRST);
    using CWnd::Create;
    virtual BOOL CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit,
                            CCreateContext* pContext);

    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    void GetRowInfo(int row, int& cyCur, int& cyMin) const;
    void SetRowInfo(int row, int cyIdeal, int cyMin);
    void GetColumnInfo(int col, int& cxCur, int& cxMin) const;
    void SetColumnInfo(int col, int cxIdeal, int cxMin);
    CWnd* GetPane(int row, int col) const;
    BOOL IsChildPane(CWnd* pWnd, int* pRow, int* pCol) const;
    int IdFromRowCol(int row, int col) const { return AFX_IDW_PANE_FIRST + row * 16 + col; }
    virtual void RecalcLayout();

    // Dynamic splitting: a new row (column) of panes after cyBefore (cxBefore) pixels, or one less.
    virtual BOOL SplitRow(int cyBefore);
    virtual BOOL SplitColumn(int cxBefore);
    virtual void DeleteRow(int rowDelete);
    virtual void DeleteColumn(int colDelete);

    // Splits (or moves the bars) from the keyboard (Window Split): the tracker starts in the middle
    // and follows the pointer and the arrow keys; Return or a click sets it, Esc leaves things as
    // they were. FALSE when the splitter cannot split.
    virtual BOOL DoKeyboardSplit();

    // Hit codes of HitTest; the boxes are the keyboard split's new rows and columns.
    enum HitCode {
        noHit = 0,
        vSplitterBox = 1,
        hSplitterBox = 2,
        bothSplitterBox = 3,
        vSplitterBar1 = 101,
        hSplitterBar1 = 201,
        splitterIntersection1 = 301
    };
    enum ESplitType { splitBox, splitBar, splitIntersection, splitBorder };
    virtual int HitTest(CPoint pt) const;
    BOOL IsTracking() const { return m_bTracking; }
    // The tracker being dragged (client coordinates).
    CRect GetTrackerRect() const { return m_rectTracker; }

    int m_cxSplitter = 7, m_cySplitter = 7;       // a bar's drawn width
    int m_cxSplitterGap = 7, m_cySplitterGap = 7; // the room between panes
    int m_cxBorder = 2, m_cyBorder = 2;           // each pane's edge

protected:
    struct CRowColInfo {
        int nMinSize = 0;
        int nIdealSize = 0;
        int nCurSize = 0;
    };

    virtual void OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect);
    virtual void OnInvertTracker(const CRect& rect);
    virtual void GetInsideRect(CRect& rect) const;
    virtual void GetHitRect(int ht, CRect& rect);
    virtual void TrackRowSize(int y, int row);
    virtual void TrackColumnSize(int x, int col);
    virtual void StartTracking(int ht);
    virtual void StopTracking(BOOL bAccept);
    BOOL CreateCommon(CWnd* pParentWnd, SIZE sizeMin, DWORD dwStyle, UINT nID);
    // The offset of pane row/column n from the inside's top/left.
    static int Offset(const std::vector<CRowColInfo>& info, int n, int gap);
    static void Layout(std::vector<CRowColInfo>& info, int count, int size, int gap);
    void DrawAllSplitBars(CDC* pDC);
    void SetSplitCursor(int ht);
    // Moves the tracker(s) to follow pt (client coordinates), within the limits.
    void MoveTracker(CPoint pt);

    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnCancelMode();
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()

    CRuntimeClass* m_pDynamicViewClass = nullptr;
    int m_nMaxRows = 0, m_nMaxCols = 0;
    int m_nRows = 0, m_nCols = 0;
    std::vector<CRowColInfo> m_pRowInfo, m_pColInfo;
    BOOL m_bTracking = FALSE, m_bTracking2 = FALSE;
    BOOL m_bKeyboardTracking = FALSE;
    CPoint m_ptTrackOffset{0, 0};
    CRect m_rectLimit, m_rectTracker, m_rectTracker2;
    int m_htTrack = noHit;
};
