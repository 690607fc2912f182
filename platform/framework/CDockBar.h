#pragma once
// CDockBar: one side of a frame (or the inside of a mini frame) that holds docked bars in rows.
// m_arrBars lists the bars row by row; a NULL starts the list and ends each row.

#include "platform/framework/CArray.h"
#include "platform/framework/CControlBar.h"

class CControlBarInfo;

class CDockBar : public CControlBar {
    DECLARE_DYNAMIC(CDockBar)
public:
    explicit CDockBar(BOOL bFloating = FALSE);
    ~CDockBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

    BOOL m_bFloating;
    CPtrArray m_arrBars;
    BOOL m_bLayoutQuery = FALSE;
    CRect m_rectLayout{0, 0, 0, 0};

    BOOL IsDockBar() const override { return TRUE; }
    int GetDockedCount() const;
    int GetDockedVisibleCount() const;
    CControlBar* GetDockedControlBar(int nPos) const;
    // The bar's place in m_arrBars (skipping nPosExclude), or -1.
    int FindBar(CControlBar* pBar, int nPosExclude = -1) const;

    // Docks pBar here: at lpRect (screen coordinates) into the row under its middle, or, without a
    // rectangle, in a new last row.
    virtual void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
    // Takes pBar out; a floating dock bar left without visible bars hides or destroys its frame.
    // TRUE when the frame was destroyed.
    virtual BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, int nAddPlaceHolder = 0);
    // Only takes the bar out of the rows (the bar is going away).
    void ForgetBar(CControlBar* pBar);
    void ShowAll(BOOL bShow);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void GetBarInfo(CControlBarInfo* pInfo) override;
    void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd) override;

protected:
    // Inserts pBar into the row under ptMid (client coordinates); its index.
    int Insert(CControlBar* pBar, CRect rect, CPoint ptMid);
    // Removes empty rows and keeps the leading and closing NULLs.
    void NormaliseRows();
    // A floating dock bar of single bars takes the title of the bar it holds (its frame shows it).
    void TakeTitleOf(CControlBar* pBar);
    CSize LayoutSize() const;
    // How a layout asks a docked bar for its size: by the side it is docked at, or its most recent
    // width when it is a dynamic bar that floats.
    DWORD DockedLayoutMode(const CControlBar* pBar) const;

    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();
    afx_msg void OnNcPaint();
    DECLARE_MESSAGE_MAP()
};
