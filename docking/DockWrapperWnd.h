#pragma once
// The window ("MDIChildWndDockWrapper") that holds a docked document window's view inside its
// pane. It is a frame to the view: whatever closes the view's frame (closing its document) closes
// the document window it came from, not the main window the pane sits in. Presses on it are the
// pane's, and it shows as active only with its document window.

#include "platform/framework/CFrameWnd.h"

class CDKMDIChildWndSizeDock;
class CDKSizeViewBar;

class CDockWrapperWnd : public CFrameWnd {
public:
    static constexpr const char* kClassName = "MDIChildWndDockWrapper";

    CDockWrapperWnd() = default;

    BOOL CreateIn(CDKSizeViewBar* pBar, LPCSTR lpszText, const RECT& rect);
    // Closing the view's frame closes the document window instead.
    BOOL DestroyWindow() override;
    // A title change of the view's document reaches its frame, this window: the document window
    // takes the title (and gives it to the pane), then the main window follows it.
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

    CDKMDIChildWndSizeDock* m_pChild = nullptr;
    CDKSizeViewBar* m_pBar = nullptr;
    BOOL m_bDestroying = FALSE;
    // Set while the pane itself goes: the view then goes back to the document window by the pane.
    BOOL m_bBarDestroying = FALSE;

protected:
    void PostNcDestroy() override {} // embedded in its pane
    // Passes a press to the pane, in the pane's client coordinates.
    void PassToBar(UINT message, UINT nFlags, CPoint point);

    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    // A press in the view makes its document window the active one.
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    DECLARE_MESSAGE_MAP()
};
