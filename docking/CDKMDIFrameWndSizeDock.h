#pragma once
// CDKMDIFrameWndSizeDock: the MDI main frame of sizeable docking. It keeps its own notion of the
// active child, so that a document window shown as a docked pane stays the active child while its
// window is hidden; titles, menus and commands follow that child.

#include "platform/framework/CMDIFrameWnd.h"

class CDockState;
class CDKMDIChildWndSizeDock;

class CDKMDIFrameWndSizeDock : public CMDIFrameWnd {
    DECLARE_DYNCREATE(CDKMDIFrameWndSizeDock)
public:
    CDKMDIFrameWndSizeDock() = default;
    ~CDKMDIFrameWndSizeDock() override;

    // The active child: the docked one when one is active, else the MDI client's.
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    void ActivateChild(CMDIChildWnd* pChild);
    // Tells every dockable child whether it is the active one, and gives the frame its view.
    void RefreshDockedChildren();
    BOOL IsDocked(CMDIChildWnd* pChild) const;
    void UndockAllChildren();
    // The frame's layout without the panes that carry document windows.
    void GetDockState(CDockState& state) const;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL DestroyWindow() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    CFrameWnd* GetActiveFrame() override;

    CDKMDIChildWndSizeDock* m_pActiveDockedChild = nullptr;

protected:
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()

    BOOL m_bClosing = FALSE;
};
