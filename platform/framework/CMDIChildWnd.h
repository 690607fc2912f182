#pragma once
// CMDIChildWnd: a document frame inside the MDI client. It is created through WM_MDICREATE with
// its create context, shares its document type's menu while active, and is activated, maximised
// and destroyed through the client. The steps of Create and ActivateFrame are protected helpers so
// that a derived child can re-implement either one.

#include "platform/framework/CFrameWnd.h"

class CMDIFrameWnd;

class CMDIChildWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd() = default;

    HMENU m_hMenuShared = nullptr; // the document type's menu
    HACCEL m_hAccelShared = nullptr;
    BOOL m_bPseudoInactive = FALSE; // the last child hidden: active for the client, not for us

    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                CMDIFrameWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;

    CMDIFrameWnd* GetMDIFrame() const;
    void MDIDestroy();
    // Makes this the active child: through the client here; a child of a frame with its own
    // notion of the active child goes through that frame. Creation and ActivateFrame use it.
    virtual void MDIActivate();
    void MDIMaximize();
    void MDIRestore();

    void ActivateFrame(int nCmdShow = -1) override;
    virtual void OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt);
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    HACCEL GetDefaultAccelerator() override;
    // The main frame's status bar shows the child's prompts.
    CWnd* GetMessageBar() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    LRESULT DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    BOOL DestroyWindow() override;

protected:
    // Create's steps: the window through the client's WM_MDICREATE (hidden), then showing it as
    // cs.style asks (placed on top, shown, activated, the Window menu refreshed).
    HWND CreateThroughClient(const CREATESTRUCT& cs, CMDIFrameWnd* pParentWnd);
    void ShowAfterCreate(DWORD dwStyle, CMDIFrameWnd* pParentWnd);
    // ActivateFrame's steps: the show command for -1 (maximised when the active child is), and the
    // pseudo-active state when the child's visibility changed.
    int DefaultShowCommand(int nCmdShow) const;
    void UpdatePseudoActive(BOOL bVisibleBefore);

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    afx_msg void OnSize(UINT nType, int cx, int cy);

    DECLARE_MESSAGE_MAP()
};
