#pragma once
// A frame window for the tool-bar tests: it records the custom-draw notifications its bars send and
// answers them as told; and a strip of coloured images for the bars' buttons.

#include "platform/framework/afxwin.h"

#include <vector>

namespace docking_test {

struct DrawCall {
    DWORD stage;
    DWORD_PTR item;
    UINT state;
};

class CBarFrame : public CFrameWnd {
public:
    std::vector<DrawCall> m_draws;
    LRESULT m_prePaintAnswer = CDRF_DODEFAULT;
    LRESULT m_itemAnswer = CDRF_DODEFAULT;
    UINT m_nSkipItem = 0; // a command whose button is drawn by "the parent"
    // Commands 0x8100 to 0x81FF have handlers: enabled but for this one, checked for that one.
    UINT m_nDisabledId = 0;
    UINT m_nCheckedId = 0;
    std::vector<UINT> m_commands;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    afx_msg void OnButton(UINT nID) { m_commands.push_back(nID); }
    afx_msg void OnUpdateButton(CCmdUI* pCmdUI) {
        pCmdUI->Enable(pCmdUI->m_nID != m_nDisabledId);
        pCmdUI->SetCheck(pCmdUI->m_nID == m_nCheckedId);
    }
    DECLARE_MESSAGE_MAP()
};

// A shown frame of 400 x 200 at (100, 100), with the framework's classes registered.
CBarFrame* MakeFrame();

} // namespace docking_test
