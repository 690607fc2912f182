#pragma once
// A page host whose bottom edge holds four tab-scrolling buttons, a strip of trapezoid tabs, a
// splitter the user drags between the tabs and a horizontal scroll bar; a vertical scroll bar runs
// down the right edge. The shown page's own scroll bars are hidden: the container's bars carry
// their state and send their scroll messages on to the page.

#include "docking/CDKTabPageIds.h"
#include "docking/TabViewPageInfo.h"

#include "platform/framework/afxwin.h"

#include <vector>

// Hit codes of CDKTabViewContainer::HitTest besides tab indexes.
#define TVC_HIT_HSCROLL (-1)
#define TVC_HIT_VSCROLL (-2)
#define TVC_HIT_FIRST (-3)
#define TVC_HIT_PREV (-4)
#define TVC_HIT_NEXT (-5)
#define TVC_HIT_LAST (-6)
#define TVC_HIT_SPLITTER (-7)
#define TVC_HIT_TABAREA (-9)
#define TVC_HIT_SIZEBOX (-10)
#define TVC_HIT_NONE (-11)

class CDKTabViewContainer : public CWnd {
    DECLARE_DYNCREATE(CDKTabViewContainer)
public:
    // The window's mark (GWL_USERDATA) that pages look for.
    static constexpr LONG_PTR kMark = 0x3A7B4567;

    CDKTabViewContainer();
    ~CDKTabViewContainer() override;

    CScrollBar m_scrlBarHorz;
    CScrollBar m_scrlBarVert;

    virtual BOOL Create(CWnd* pParentWnd, CRect rect, DWORD dwStyle, UINT nID);
    virtual BOOL InsertPage(int nIndex, CWnd* pPage, LPCSTR lpszTitle = nullptr);
    virtual BOOL InsertPage(int nIndex, CRuntimeClass* pClass, CCreateContext* pContext,
                            LPCSTR lpszTitle = nullptr);
    virtual BOOL DeletePage(int nIndex, BOOL bDestroy = TRUE);
    virtual BOOL DeletePage(CWnd* pPage, BOOL bDestroy = TRUE);
    virtual BOOL SetActivePageIndex(int nIndex);
    virtual void SetScrollStyle(DWORD dwStyle, BOOL bForce);
    virtual void CalcLayout();
    virtual void CalcTabRects();
    virtual UINT GetUniqueId();
    virtual void DrawScrollButtons(CDC& dc);
    virtual void DrawTabArea(CDC& dc);
    virtual void DrawSplitter(CDC& dc);
    virtual void DrawSizeBar(CDC& dc);
    virtual void DrawButton(CDC& dc, int nButton);
    virtual void DrawTab(CDC& dc, int nIndex);

    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr) override;

    CWnd* GetPage(int nIndex) const;
    CWnd* GetActivePage() const { return GetPage(m_nActivePage); }
    int GetActivePageIndex() const { return m_nActivePage; }
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CString GetPageTitle(int nIndex) const;
    BOOL FindPage(HWND hWnd, int& nIndex) const;
    int HitTest(CPoint point) const;
    void ScrollTabs(int nButton);
    TabViewPageInfo* GetPageInfo(int nIndex);

    int GetTabOffset() const { return m_nTabOffset; }
    const CRect& GetTabAreaRect() const { return m_rectTabArea; }
    const CRect& GetSplitterRect() const { return m_rectSplitter; }
    const CRect& GetPageRect() const { return m_rectPage; }
    CRect GetButtonRect(int nButton) const;
    // A tab's rectangle in client coordinates, as drawn.
    CRect GetTabRect(int nIndex) const;
    DWORD GetScrollStyle() const { return m_dwScrollStyle; }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
    afx_msg void OnPaint();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnCancelMode();
    afx_msg void OnDestroy();
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    DECLARE_MESSAGE_MAP()

private:
    void TakeOverActivePageBars(TabViewPageInfo& info);
    void ScrollTabIntoView(int nIndex);
    void PlaceBarsAndPage();
    void EndTracking();
    void TrackSplitter(int x);
    void RedrawStrip();
    int LastTabRight() const;

    CRect m_rectButtons[4];
    int m_nTabOffset = 0;
    CRect m_rectTabArea;
    std::vector<CRect> m_tabRects;
    int m_nTabAreaWidth = 200;
    CRect m_rectHorz, m_rectVert, m_rectSplitter, m_rectSizeBox, m_rectPage;
    std::vector<TabViewPageInfo> m_pages;
    int m_nActivePage = -1;
    DWORD m_dwScrollStyle = 0;
    CDKTabPageIds m_pageIds;
    int m_nPressedButton = TVC_HIT_NONE;
    BOOL m_bPressedInside = FALSE;
    UINT_PTR m_nRepeatTimer = 0;
    BOOL m_bTrackingSplitter = FALSE;
    CFont m_font, m_boldFont;
};

// The tab view container whose page pWnd is; NULL when its parent is none (or, with bOnlyActive,
// when pWnd is not the shown page).
CDKTabViewContainer* GetParentTabViewContainer(CWnd* pWnd, BOOL bOnlyActive);
// A page's scroll bars appeared or vanished: the container's bars follow.
void TakeOverPageScrollState(CDKTabViewContainer* pContainer);
// A page's scroll range or position changed: the container's bars follow.
void TakeOverPageScrollInfo(CDKTabViewContainer* pContainer);
