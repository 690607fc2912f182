#pragma once
// CProjTabBar: the sizeable "Project" pane whose one tab page, "Solutions", holds the tree of the
// sample files.

#include "app/program/CNotifyTreeCtrl.h"

#include "docking/CDK3DTabViewContainer.h"
#include "docking/CDKSizeControlBar.h"

class CProjTabBar : public CDKSizeControlBar {
public:
    CProjTabBar();

    BOOL Create(CFrameWnd* pParent, LPCTSTR lpszTitle, UINT nID);
    void OnBarResized(int cx, int cy, BOOL bFloating, UINT nChangeMask) override;

    CDK3DTabViewContainer m_wndTabs;
    CNotifyTreeCtrl m_wndTree;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};
