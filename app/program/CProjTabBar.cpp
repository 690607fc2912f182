// The project pane.

#include "app/program/CProjTabBar.h"

#include "app/program/CInfoTabBar.h"

BEGIN_MESSAGE_MAP(CProjTabBar, CDKSizeControlBar)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CProjTabBar::CProjTabBar() : CDKSizeControlBar(30) {}

BOOL CProjTabBar::Create(CFrameWnd* pParent, LPCTSTR lpszTitle, UINT nID) {
    return CDKSizeControlBar::Create(PaneWindowClass(), lpszTitle, 0x5240FFFF, CFrameWnd::rectDefault,
                                     pParent, nID);
}

int CProjTabBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CDKSizeControlBar::OnCreate(lpCreateStruct) == -1) return -1;
    if (!CreatePaneTabs(this, m_wndTabs)) return -1;
    if (!m_wndTree.Create(0x40000007, CRect(0, 0, 0, 0), &m_wndTabs, 4)) return -1;
    if (!m_wndTabs.InsertPage(0, &m_wndTree, "Solutions", -1)) return -1;
    m_wndTabs.SetActivePageIndex(0);
    return 0;
}

void CProjTabBar::OnBarResized(int cx, int cy, BOOL bFloating, UINT nChangeMask) {
    CDKSizeControlBar::OnBarResized(cx, cy, bFloating, nChangeMask);
    FitPaneTabs(this, m_wndTabs);
}
