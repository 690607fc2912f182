// The Save as Template dialog.

#include "app/program/CSaveTemplateDlg.h"

#include "app/program/resource_ids.h"
#include "app/program/template_index.h"

BEGIN_MESSAGE_MAP(CSaveTemplateDlg, CDialog)
    ON_LBN_SELCHANGE(IDC_TEMPLATE_LIST, OnSelChange)
    ON_EN_CHANGE(IDC_TEMPLATE_NAME, OnNameChange)
END_MESSAGE_MAP()

CSaveTemplateDlg::CSaveTemplateDlg(CWnd* pParent) : CDialog(IDD_SAVE_TEMPLATE, pParent) {}

CListBox& CSaveTemplateDlg::list() const {
    return *static_cast<CListBox*>(GetDlgItem(IDC_TEMPLATE_LIST));
}

BOOL CSaveTemplateDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ListTemplates(list());
    LoadTemplateDescriptions(m_descriptions);
    OnNameChange();
    GetDlgItem(IDC_TEMPLATE_NAME)->SetFocus();
    return FALSE;
}

void CSaveTemplateDlg::OnSelChange() {
    const CString name = GetSelectedText(list());
    if (name.IsEmpty()) return;
    SetDlgItemText(IDC_TEMPLATE_DESCRIPTION, GetTemplateDescription(m_descriptions, name));
    SetDlgItemText(IDC_TEMPLATE_NAME, name);
}

void CSaveTemplateDlg::OnNameChange() {
    CString name;
    GetDlgItemText(IDC_TEMPLATE_NAME, name);
    GetDlgItem(IDOK)->EnableWindow(!name.IsEmpty());
}

void CSaveTemplateDlg::OnOK() {
    GetDlgItemText(IDC_TEMPLATE_NAME, m_strName);
    GetDlgItemText(IDC_TEMPLATE_DESCRIPTION, m_strDescription);
    if (m_strName.IsEmpty()) return;
    // A template is a file of the template folder itself.
    if (m_strName.FindOneOf("/\\") >= 0 || m_strName == "." || m_strName == "..") {
        MessageBox("A template name cannot name a folder.", nullptr, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CDialog::OnOK();
}
