#pragma once
// CMDIFrameWnd: the main frame of a program with several documents. It owns the MDI client, asks
// the active child first for every command, keeps the Window menu, and arranges the children.

#include "platform/framework/CFrameWnd.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    CMDIFrameWnd() = default;

    HWND m_hWndMDIClient = nullptr;

    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    // Makes the MDI client, listing the children in pWindowMenu.
    virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
    // The popup of hMenuBar that holds the Window commands (ID_WINDOW_*), or nullptr.
    virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);

    // The active child (nullptr when none or when it is only pseudo-active); *pbMaximized tells
    // whether it is maximised.
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    // The child the frame's own routing, title, menu and accelerators follow, and its children's
    // activation: the client's active child here; a frame that keeps a notion of its own (a
    // document window shown elsewhere that stays the active one) answers that.
    virtual CMDIChildWnd* GetActiveChildFrame(BOOL* pbMaximized = nullptr) const {
        return MDIGetActive(pbMaximized);
    }
    void MDIActivate(CWnd* pWndActivate);
    void MDINext();
    void MDIPrev();
    void MDIMaximize(CWnd* pWnd);
    void MDIRestore(CWnd* pWnd);
    void MDITile(int nType = MDITILE_VERTICAL);
    void MDICascade();
    void MDIIconArrange();
    CMenu* MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;
    CFrameWnd* GetActiveFrame() override;
    void RecalcLayout(BOOL bNotify = TRUE) override;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnMDIWindowCmd(UINT nID);
    afx_msg void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);
    afx_msg void OnWindowNew();
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);

    DECLARE_MESSAGE_MAP()
};
