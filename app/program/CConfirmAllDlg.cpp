// The save-changes question with "to all" answers.

#include "app/program/CConfirmAllDlg.h"

#include "app/program/resource_ids.h"

BEGIN_MESSAGE_MAP(CConfirmAllDlg, CDialog)
    ON_BN_CLICKED(IDC_YES_TO_ALL, OnYesToAll)
    ON_BN_CLICKED(IDC_CONFIRM_NO, OnNo)
    ON_BN_CLICKED(IDC_NO_TO_ALL, OnNoToAll)
END_MESSAGE_MAP()

CConfirmAllDlg::CConfirmAllDlg(LPCTSTR lpszMessage, CWnd* pParent)
    : CDialog(IDD_CONFIRM_ALL, pParent), m_strMessage(lpszMessage) {}

BOOL CConfirmAllDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_CONFIRM_TEXT, m_strMessage);
    return TRUE;
}

void CConfirmAllDlg::OnOK() {
    m_nAnswer = kYes;
    CDialog::OnOK();
}

void CConfirmAllDlg::OnCancel() {
    answer(kCancel);
}

void CConfirmAllDlg::OnYesToAll() {
    answer(kYesToAll);
}

void CConfirmAllDlg::OnNo() {
    answer(kNo);
}

void CConfirmAllDlg::OnNoToAll() {
    answer(kNoToAll);
}

void CConfirmAllDlg::answer(short code) {
    m_nAnswer = code;
    EndDialog(code);
}
