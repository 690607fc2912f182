#pragma once
// A tab control whose tabs carry page windows: selecting a tab shows its page in the display area
// and hides the page shown before. Each tab's lParam holds its page's CWnd*. The control keeps a
// margin of its own around the strip, framed sunken, and brings a tab's page to the front while
// something is dragged over the tab.

#include "docking/CDK3DTabViewDropTarget.h"
#include "docking/CDKTabPageIds.h"

#include "platform/framework/afxwin.h"

class CDK3DTabViewContainer : public CTabCtrl {
    DECLARE_DYNAMIC(CDK3DTabViewContainer)
public:
    CDK3DTabViewContainer();
    ~CDK3DTabViewContainer() override;

    int m_nBorderWidth = 5; // the non-client margin on every side
    int m_nPageMargin = 0;  // the page's inset inside the display area

    virtual BOOL Create(CWnd* pParentWnd, CRect rect, DWORD dwStyle, UINT nID);
    virtual BOOL InsertPage(int nIndex, CWnd* pPage, LPCSTR lpszTitle, int nImage = -1);
    virtual BOOL InsertPage(int nIndex, CRuntimeClass* pClass, CCreateContext* pContext, LPCSTR lpszTitle,
                            int nImage = -1);
    virtual BOOL DeletePage(int nIndex, BOOL bDestroy = TRUE);
    virtual BOOL DeletePage(CWnd* pPage, BOOL bDestroy = TRUE);
    virtual BOOL SetActivePageIndex(int nIndex);
    virtual UINT GetUniqueId();
    virtual void RepositionActivePage();

    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr) override;

    CWnd* GetPage(int nIndex) const;
    int GetActivePageIndex() const { return m_nActivePage; }
    void CalcPageRect();
    const CRect& GetPageRect() const { return m_rectPage; }
    CDK3DTabViewDropTarget& GetDropTarget() { return m_dropTarget; }

protected:
    // The pages' notifications that the container does not handle go on to its parent, the
    // window that holds it (a pane whose owner acts on a list's selection).
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    afx_msg void OnSelChange(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    bool IsLivePage(int nIndex) const;
    void PlacePage(CWnd* pPage);
    void FocusPage(CWnd* pPage, CWnd* pPrevious);

    CDK3DTabViewDropTarget m_dropTarget;
    CDKTabPageIds m_pageIds;
    int m_nActivePage = -1;
    BOOL m_bPaintingFrame = FALSE;
    CRect m_rectPage;
};
