#pragma once
// The small tool bar beside a history combo: its buttons are updated against the combo (and,
// through it, the combo's parent), not against a frame.

#include "platform/framework/afxwin.h"

class CDKHistoryToolBar : public CToolBar {
public:
    // Creates the bar in pParent with the add, delete and clear buttons; commands go to pCombo.
    BOOL Create(CWnd* pParent, CWnd* pCombo);
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

private:
    CWnd* m_pCombo = nullptr;
};
