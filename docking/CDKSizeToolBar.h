#pragma once
// CDKSizeToolBar: a sizeable bar filled by a tool-bar control whose buttons wrap to the bar's size.
// The buttons' tips and status-bar prompts come from the commands' string resources; a bar given a
// list of available commands can be customised with the tool-bar Customize dialog, which offers
// those commands. A press between the buttons drags the bar.

#include "docking/CDKSizeControlBar.h"
#include "docking/CDKSizeToolBarCtrl.h"

#include <vector>

class CDKSizeToolBar : public CDKSizeControlBar {
    DECLARE_DYNAMIC(CDKSizeToolBar)
public:
    enum { IDC_TOOLBAR = 99 };

    // pAvailable: the commands the Customize dialog offers (nullptr and 0: not customisable).
    explicit CDKSizeToolBar(const UINT* pAvailable = nullptr, int nAvailable = 0, DWORD dwBarStyle = 0);

    CDKSizeToolBarCtrl& GetToolBarCtrl() { return m_wndToolBar; }
    // The control's window style: wrapping with tips, adjustable when there are available commands.
    DWORD ToolBarStyle() const;
    void OnBarResized(int cx, int cy, BOOL bFloating, UINT nChangeMask) override;
    // The control is the bar's surface, not a tool of the bar: a press it passes on drags the bar.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void OnNeedText(NMTTDISPINFOA* pTip, LRESULT* pResult);
    void OnGetButtonInfo(NMTOOLBARA* pInfo, LRESULT* pResult);
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    DECLARE_MESSAGE_MAP()

    CDKSizeToolBarCtrl m_wndToolBar;
    std::vector<UINT> m_availableButtons;
};
