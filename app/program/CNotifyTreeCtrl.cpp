// The project tree's notifications.

#include "app/program/CNotifyTreeCtrl.h"

BEGIN_MESSAGE_MAP(CNotifyTreeCtrl, CProjTreeCtrl)
    ON_NOTIFY_REFLECT_EX(NM_DBLCLK, OnDblClk)
    ON_NOTIFY_REFLECT_EX(TVN_KEYDOWN, OnKeyDown)
    ON_NOTIFY_REFLECT(NM_RCLICK, OnRClick)
END_MESSAGE_MAP()

void CNotifyTreeCtrl::SetNotify(CWnd* pTarget, UINT nCommand) {
    m_pTarget = pTarget;
    m_nCommand = nCommand;
}

void CNotifyTreeCtrl::sendOpen() {
    if (GetSelectedItem() && m_pTarget) m_pTarget->SendMessage(WM_COMMAND, m_nCommand);
}

BOOL CNotifyTreeCtrl::OnDblClk(NMHDR*, LRESULT* pResult) {
    sendOpen();
    *pResult = 0;
    return FALSE;
}

BOOL CNotifyTreeCtrl::OnKeyDown(NMHDR* pNMHDR, LRESULT* pResult) {
    if (reinterpret_cast<NMTVKEYDOWN*>(pNMHDR)->wVKey == VK_RETURN) sendOpen();
    *pResult = 0;
    return FALSE;
}

void CNotifyTreeCtrl::OnRClick(NMHDR*, LRESULT* pResult) {
    if (m_pTarget) m_pTarget->SendMessage(WM_COMMAND, m_nCommand + 2);
    *pResult = 1;
}
