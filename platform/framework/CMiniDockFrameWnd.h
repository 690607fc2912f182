#pragma once
// CMiniDockFrameWnd: the mini frame a floating bar lives in, around a floating dock bar. Its caption
// drags the bar (a double click docks it back), its sizing borders resize a bar whose buttons wrap,
// and closing it hides the bars.

#include "platform/framework/CDockBar.h"
#include "platform/framework/CMiniFrameWnd.h"

class CMiniDockFrameWnd : public CMiniFrameWnd {
    DECLARE_DYNCREATE(CMiniDockFrameWnd)
public:
    CMiniDockFrameWnd();

    virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
    using CMiniFrameWnd::Create;
    void RecalcLayout(BOOL bNotify = TRUE) override;

    CDockBar m_wndDockBar;

protected:
    // The first bar held (the one a caption drag moves).
    CControlBar* FirstBar() const;

    afx_msg void OnClose();
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()
};
