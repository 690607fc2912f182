#pragma once
// CDKMDIChildWndSizeDock: a document window that can become a docking pane and back. "Dock window"
// (system menu, context menu or command) moves its view into a sizeable view bar and hides the
// window, which stays the frame's active child; the command again brings the view back.

#include "docking/CDKSizeViewBar.h"
#include "platform/framework/CMDIChildWnd.h"

class CDKMDIChildWndSizeDock : public CMDIChildWnd {
    DECLARE_DYNCREATE(CDKMDIChildWndSizeDock)
public:
    CDKMDIChildWndSizeDock();

    // The id of the dock command (system menu item and command).
    static UINT DockCommandId();
    // Its low 16 bits: the command of the message map (read when commands are routed).
    static UINT s_nDockCommand;

    BOOL IsDocked() const { return m_bDocked; }
    BOOL SetDocked(BOOL bDocked);
    BOOL ToggleDocking() { return SetDocked(!m_bDocked); }
    // The frame's active child (a docked one included), or nullptr.
    CMDIChildWnd* GetActiveChild() const;
    // Activation goes through the docking frame, which knows docked windows.
    void MDIActivate() override;
    // A docked window is neither maximised nor restored.
    void MDIMaximize();
    void MDIRestore();
    virtual void AppendDockMenuItem(HMENU hMenu);
    virtual void AppendDockSystemMenuItems(CMenu* pMenu);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL DestroyWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Docked, the window stays hidden: its pane shows instead and it becomes the active child.
    void ActivateFrame(int nCmdShow = -1) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

    CDKSizeViewBar m_wndViewBar;
    BOOL m_bDocked = FALSE;
    CString m_strDockMenuText;
    DWORD m_dwDockSide = CBRS_ALIGN_ANY;
    BOOL m_bClosing = FALSE;

protected:
    afx_msg void OnDockCommand() { ToggleDocking(); }
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnStyleChanging(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    afx_msg void OnClose();
    // The pop-up menu with the dock item, at point (screen coordinates).
    void TrackDockMenu(CPoint point);
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    DECLARE_MESSAGE_MAP()
};
