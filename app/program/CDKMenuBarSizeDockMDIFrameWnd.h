#pragma once
// CDKMenuBarSizeDockMDIFrameWnd: the menu-bar frame with sizeable docking on its sides. Whenever
// the frame's window gets a menu of its own again (the document menu of the active child), the
// menu goes to the menu bar and the window keeps none.

#include "app/program/CDKMenuBarMDIFrameWnd.h"

class CDKMenuBarSizeDockMDIFrameWnd : public CDKMenuBarMDIFrameWnd {
    DECLARE_DYNAMIC(CDKMenuBarSizeDockMDIFrameWnd)
public:
    // Creates the library's sizeable dock bars for the sides.
    virtual void EnableDocking(DWORD dwDockStyle);
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void takeWindowMenu();
};
