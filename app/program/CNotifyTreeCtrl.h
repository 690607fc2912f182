#pragma once
// CNotifyTreeCtrl: the project tree that tells a window about the user's choices: a double click
// or Enter on a selected item sends the command id, a right click the command id + 2.

#include "app/program/CProjTreeCtrl.h"

class CNotifyTreeCtrl : public CProjTreeCtrl {
public:
    void SetNotify(CWnd* pTarget, UINT nCommand);

protected:
    afx_msg BOOL OnDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnKeyDown(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnRClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void sendOpen();

    CWnd* m_pTarget = nullptr;
    UINT m_nCommand = 0;
};
