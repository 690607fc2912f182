#pragma once
// CInfoTabBar: the sizeable "Info" pane with two tab pages, the Functions list and the Working Dir
// list, drawn in its own Arial font. The main frame fills the lists and carries out their commands.

#include "app/program/CFunctionsListBox.h"
#include "app/program/CWorkDirListBox.h"

#include "docking/CDK3DTabViewContainer.h"
#include "docking/CDKSizeControlBar.h"

class CInfoTabBar : public CDKSizeControlBar {
public:
    CInfoTabBar();

    BOOL Create(CFrameWnd* pParent, LPCTSTR lpszTitle, UINT nID);
    void OnBarResized(int cx, int cy, BOOL bFloating, UINT nChangeMask) override;

    CDK3DTabViewContainer m_wndTabs;
    CFunctionsListBox m_wndFunctions;
    CWorkDirListBox m_wndWorkDir;
    CFont m_font;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

// Registers (once) the window class of the panes: double clicks, no cursor, brush or icon.
LPCTSTR PaneWindowClass();
// Creates a pane's tab control over its client area, with no margins.
BOOL CreatePaneTabs(CWnd* pPane, CDK3DTabViewContainer& tabs);
// Moves the tab control over the pane's client area.
void FitPaneTabs(CWnd* pPane, CDK3DTabViewContainer& tabs);
