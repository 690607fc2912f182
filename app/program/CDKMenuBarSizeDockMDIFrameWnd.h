#pragma once
// CDKMenuBarSizeDockMDIFrameWnd: the menu-bar frame with sizeable docking on its sides. Its MDI
// client is subclassed: a new frame menu (the document menu of the active child) goes to the menu
// bar, never to the window, so the window keeps no menu; should it get one all the same, the idle
// update hands it to the bar. Children made, destroyed or activated bring the bar's buttons up to
// date; a subclass of the client put over this one without chaining is found at idle time and
// this one installed again. In context-help mode the menu bar still follows the pointer.

#include "app/program/CDKMenuBarMDIFrameWnd.h"

class CDKMenuBarSizeDockMDIFrameWnd : public CDKMenuBarMDIFrameWnd {
    DECLARE_DYNAMIC(CDKMenuBarSizeDockMDIFrameWnd)
public:
    // Creates the library's sizeable dock bars for the sides.
    virtual void EnableDocking(DWORD dwDockStyle);
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;
    // The subclassed MDI client's messages.
    virtual LRESULT MDIClientWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // In context-help mode the pointer over the menu bar works the bar, so that its menus open.
    BOOL ProcessHelpMsg(MSG& msg, DWORD* pContext) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void takeWindowMenu();
    // Subclasses the MDI client again when its procedure no longer reaches this frame's.
    void keepClientSubclassed();
    static LRESULT CALLBACK clientProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC m_pfnClientProc = nullptr;
    BOOL m_bClientSubclassed = FALSE;
    BOOL m_bClientHeard = FALSE; // the client's procedure passed the probe on to this frame's
};
