// CToolCmdUI: enabling and checking a button through its bar's style bits.

#include "platform/framework/CToolCmdUI.h"

#include "platform/framework/CToolBar.h"

void CToolCmdUI::Enable(BOOL bOn) {
    m_bEnableChanged = TRUE;
    auto* bar = static_cast<CToolBar*>(m_pOther);
    int index = static_cast<int>(m_nIndex);
    UINT style = bar->GetButtonStyle(index) & ~static_cast<UINT>(TBBS_DISABLED);
    if (!bOn) {
        style |= TBBS_DISABLED;
        // A disabled button shows no press.
        style &= ~static_cast<UINT>(TBBS_PRESSED);
    }
    bar->SetButtonStyle(index, style);
}

void CToolCmdUI::SetCheck(int nCheck) {
    auto* bar = static_cast<CToolBar*>(m_pOther);
    int index = static_cast<int>(m_nIndex);
    UINT style = bar->GetButtonStyle(index) & ~static_cast<UINT>(TBBS_CHECKED | TBBS_INDETERMINATE);
    if (nCheck == 1)
        style |= TBBS_CHECKED;
    else if (nCheck == 2)
        style |= TBBS_INDETERMINATE;
    bar->SetButtonStyle(index, style | TBBS_CHECKBOX);
}

void CToolCmdUI::SetText(LPCSTR) {}
