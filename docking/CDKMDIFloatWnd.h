#pragma once
// CDKMDIFloatWnd: an MDI child window that holds a floating sizeable bar instead of a view, so a
// pane can float among the document windows.

#include "docking/CDKMDIChildWndSizeDock.h"
#include "platform/framework/CDockBar.h"

class CDKMDIFloatWnd : public CDKMDIChildWndSizeDock {
    DECLARE_DYNCREATE(CDKMDIFloatWnd)
public:
    CDKMDIFloatWnd();

    BOOL Create(CMDIFrameWnd* pDockSite, DWORD dwBarStyle);
    void RecalcLayout(BOOL bNotify = TRUE) override;
    // The bar it holds (the first of its dock bar), or nullptr.
    CControlBar* FirstBar() const;
    // Sizes the window around the bar it holds.
    void FitToBar();

    CDockBar m_wndDockBar;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnClose();
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()

    BOOL m_bCreating = FALSE;
};
