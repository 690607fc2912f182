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

    BOOL IsDocked() const { return m_bDocked; }
    BOOL SetDocked(BOOL bDocked);
    BOOL ToggleDocking() { return SetDocked(!m_bDocked); }
    CMDIChildWnd* GetActiveChild() const;
    virtual void AppendDockMenuItem(HMENU hMenu);
    virtual void AppendDockSystemMenuItems(CMenu* pMenu);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL DestroyWindow() override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

    CDKSizeViewBar m_wndViewBar;
    BOOL m_bDocked = FALSE;
    CString m_strDockMenuText;
    DWORD m_dwDockSide = CBRS_ALIGN_ANY;
    BOOL m_bClosing = FALSE;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnStyleChanging(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()
};
