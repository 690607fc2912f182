#pragma once
// CDKSizeViewBar: the pane that carries a docked document window's view. Docked, the view sits in a
// wrapper window inside the bar; floating, in the bar itself.

#include "docking/CDKSizeControlBar.h"
#include "docking/DockWrapperWnd.h"

class CDKMDIChildWndSizeDock;
class CView;

class CDKSizeViewBar : public CDKSizeControlBar {
    DECLARE_DYNAMIC(CDKSizeViewBar)
public:
    // Where an activation notice (WM_SZBAR_ACTIVATE's lParam) comes from.
    enum { kFromChild = 1, kFromWrapper = 2, kFromFloatingFrame = 3 };

    CDKSizeViewBar();

    // Moves the child's view into the bar and shows the bar at the child's dock side.
    BOOL Dock(CDKMDIChildWndSizeDock* pChild);
    // Gives the view back to the child, hides the bar (with bShow) and shows the child.
    BOOL Undock(BOOL bShow);
    BOOL CanClose();
    void OnBarResized(int cx, int cy, BOOL bFloating, UINT nChangeMask) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    // The document's view is no tool: the pane shows no tool tips and a press on it is the pane's.
    INT_PTR OnToolHitTest(CPoint, TOOLINFO*) const override { return -1; }
    CWnd* GetWrapper() { return &m_wndWrapper; }

    CDKMDIChildWndSizeDock* m_pChild = nullptr;
    CView* m_pView = nullptr;
    BOOL m_bMaximizedWhenDocked = FALSE;
    BOOL m_bDestroyed = FALSE;

protected:
    // Puts the view in pParent, filling its client area.
    void PlaceView(CWnd* pParent);
    afx_msg LRESULT OnAppendMenu(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnActivateNotice(WPARAM wParam, LPARAM lParam);
    // The document window's activation shown on the pane's frame: the wrapper's when docked, the
    // floating frame's when floating.
    void ShowChildActivation(BOOL bActive);
    DECLARE_MESSAGE_MAP()

    CDockWrapperWnd m_wndWrapper;
};
