#pragma once
// CDKMDIFrameWndSizeDock: the MDI main frame of sizeable docking. It keeps its own notion of the
// active child, so that a document window shown as a docked pane stays the active child while its
// window is hidden; titles, menus, commands and accelerators follow that child.

#include "platform/framework/CMDIFrameWnd.h"

class CDockState;
class CView;
class CDKMDIChildWndSizeDock;

class CDKMDIFrameWndSizeDock : public CMDIFrameWnd {
    DECLARE_DYNCREATE(CDKMDIFrameWndSizeDock)
public:
    CDKMDIFrameWndSizeDock() = default;
    ~CDKMDIFrameWndSizeDock() override;

    // The active child: the docked one when one is active, else the MDI client's.
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    CMDIChildWnd* GetActiveChildFrame(BOOL* pbMaximized = nullptr) const override {
        return MDIGetActive(pbMaximized);
    }
    void ActivateChild(CMDIChildWnd* pChild);
    // Tells every dockable child whether it is the active one, and gives the frame its view.
    void RefreshDockedChildren();
    BOOL IsDocked(CMDIChildWnd* pChild) const;
    void UndockAllChildren();
    // Floats a sizeable bar inside an MDI child window at point (screen), kept within the client.
    void FloatBarInMDIChild(CControlBar* pBar, CPoint point, DWORD dwStyle, BOOL bShow = TRUE);
    // Floats a bar that floats inside an MDI child window in an ordinary floating frame instead,
    // where that window was.
    void FloatBarOutOfMDIChild(CControlBar* pBar, CPoint point, DWORD dwStyle);
    // The frame's layout without the panes that carry document windows.
    void GetDockState(CDockState& state) const;

    // Unhandled outside print preview, a command leaves the frame without an active view of its own.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL DestroyWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

    CDKMDIChildWndSizeDock* m_pActiveDockedChild = nullptr;

protected:
    // Makes pView the frame's active view; a view floating in its pane is the frame's for the call.
    void SetActiveViewFromPane(CView* pView, CMDIChildWnd* pChild);
    afx_msg void OnClose();
    // A new window on the active document, the docked one included.
    afx_msg void OnWindowNew();
    // The status bar's toggle; a pane that floats as the active document window and goes hidden
    // gives its turn to the next window.
    afx_msg BOOL OnViewStatusBar(UINT nID);
    afx_msg LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    BOOL m_bClosing = FALSE;
};
