// The one-line text prompt.

#include "app/program/CInputDlg.h"

#include "app/program/resource_ids.h"

BEGIN_MESSAGE_MAP(CInputDlg, CDialog)
    ON_EN_CHANGE(IDC_INPUT_TEXT, OnChangeText)
END_MESSAGE_MAP()

CInputDlg::CInputDlg(LPCTSTR lpszPrompt, LPCTSTR lpszText, CWnd* pParent)
    : CDialog(IDD_INPUT, pParent), m_strPrompt(lpszPrompt), m_strText(lpszText) {}

BOOL CInputDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(m_strPrompt);
    CWnd* edit = GetDlgItem(IDC_INPUT_TEXT);
    edit->SetWindowText(m_strText);
    edit->SendMessage(EM_SETSEL, 0, -1);
    edit->SendMessage(EM_SCROLLCARET);
    edit->SetFocus();
    OnChangeText();
    return FALSE;
}

void CInputDlg::OnChangeText() {
    GetDlgItemText(IDC_INPUT_TEXT, m_strText);
    GetDlgItem(IDOK)->EnableWindow(!m_strText.IsEmpty());
}
