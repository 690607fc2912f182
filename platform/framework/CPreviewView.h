#pragma once
// CPreviewView: print preview in the frame of the view being previewed. It takes that view's place,
// hides the frame's bars behind its own tool bar (Print, Next Page, Prev Page, One/Two Page,
// Zoom In, Zoom Out, Close), and draws the pages the view prints, one or two side by side, drawn on
// the printer's own DC so the pages break as they print.

#include "platform/framework/CToolBar.h"
#include "platform/framework/CView.h"

#include <vector>

class CPrintInfo;

class CPreviewView : public CView {
    DECLARE_DYNCREATE(CPreviewView)
public:
    CPreviewView();
    ~CPreviewView() override;

    // Starts previewing pPrintView (whose place in its frame this view takes); takes pInfo over.
    // FALSE when there is no printer or the view's preparation was cancelled.
    BOOL StartPreview(CView* pPrintView, CPrintInfo* pInfo);
    void OnDraw(CDC* pDC) override;

    UINT GetCurrentPage() const { return m_nCurrentPage; }
    UINT GetPagesShown() const { return m_nPages; }
    int GetZoom() const { return m_nZoom; }
    // Where page n of those shown (0 or 1) is drawn, in client coordinates.
    CRect GetPageRect(int nPage) const;
    CToolBar m_wndToolBar;

protected:
    // Whether page n exists (the view may learn its last page while printing earlier ones).
    BOOL PageExists(UINT nPage);
    void DrawPage(CDC* pDC, UINT nPage, const CRect& target);
    void ShowPage(UINT nPage);
    void ClosePreview();

    afx_msg void OnPreviewClose();
    afx_msg void OnPreviewPrint();
    afx_msg void OnNextPage();
    afx_msg void OnPrevPage();
    afx_msg void OnNumPageChange();
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnUpdateNextPage(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePrevPage(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNumPageChange(CCmdUI* pCmdUI);
    afx_msg void OnUpdateZoomIn(CCmdUI* pCmdUI);
    afx_msg void OnUpdateZoomOut(CCmdUI* pCmdUI);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    CView* m_pPrintView = nullptr;
    CPrintInfo* m_pPreviewInfo = nullptr;
    UINT m_nCurrentPage = 1;
    UINT m_nPages = 1;
    int m_nZoom = 0; // 0: whole pages fit, 1 and 2: larger
    std::vector<HWND> m_hiddenBars;
};
