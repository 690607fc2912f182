#pragma once
// A customisable tool bar that places combo buttons on its buttons.

#include "docking/CCoolCombo.h"
#include "docking/CCustToolBar.h"

class CCoolComboBar : public CCustToolBar {
    DECLARE_DYNAMIC(CCoolComboBar)
public:
    // Creates pCombo on the button of command nID: with nImage -1 the button becomes a separator
    // carrying the command, half as wide again as the first button; else the combo shows that
    // image of the bar. TRUE also when the command has no button (nothing is done then).
    BOOL AddCombo(CCoolCombo* pCombo, UINT nID, int nImage = -1);
    // The buttons' update, then each combo's against the same target.
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    DECLARE_MESSAGE_MAP()
};
