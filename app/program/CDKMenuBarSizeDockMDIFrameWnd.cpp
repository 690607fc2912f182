// The menu-bar frame with sizeable docking.

#include "app/program/CDKMenuBarSizeDockMDIFrameWnd.h"

#include "docking/CDKSizeDockBar.h"

IMPLEMENT_DYNAMIC(CDKMenuBarSizeDockMDIFrameWnd, CDKMenuBarMDIFrameWnd)

BEGIN_MESSAGE_MAP(CDKMenuBarSizeDockMDIFrameWnd, CDKMenuBarMDIFrameWnd)
    ON_WM_CREATE()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

void CDKMenuBarSizeDockMDIFrameWnd::EnableDocking(DWORD dwDockStyle) {
    EnableSizeDocking(this, dwDockStyle);
}

int CDKMenuBarSizeDockMDIFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CDKMenuBarMDIFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;
    SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    return 0;
}

void CDKMenuBarSizeDockMDIFrameWnd::takeWindowMenu() {
    HMENU own = ::GetMenu(m_hWnd);
    if (!own || !m_wndMenuBar.m_hWnd) return;
    ::SetMenu(m_hWnd, nullptr);
    if (own != m_wndMenuBar.GetMenu()) m_wndMenuBar.SetMenu(own);
}

void CDKMenuBarSizeDockMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
    CDKMenuBarMDIFrameWnd::OnUpdateFrameMenu(hMenuAlt);
    takeWindowMenu();
}

LRESULT CDKMenuBarSizeDockMDIFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam) {
    takeWindowMenu();
    return CDKMenuBarMDIFrameWnd::OnIdleUpdateCmdUI(wParam, lParam);
}
