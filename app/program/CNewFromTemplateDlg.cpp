// The New from Template dialog.

#include "app/program/CNewFromTemplateDlg.h"

#include "app/program/resource_ids.h"
#include "app/program/template_index.h"

BEGIN_MESSAGE_MAP(CNewFromTemplateDlg, CDialog)
    ON_LBN_SELCHANGE(IDC_NEW_TEMPLATE_LIST, OnSelChange)
    ON_LBN_DBLCLK(IDC_NEW_TEMPLATE_LIST, OnDoubleClick)
END_MESSAGE_MAP()

CNewFromTemplateDlg::CNewFromTemplateDlg(CWnd* pParent) : CDialog(IDD_NEW_FROM_TEMPLATE, pParent) {}

CListBox& CNewFromTemplateDlg::list() const {
    return *static_cast<CListBox*>(GetDlgItem(IDC_NEW_TEMPLATE_LIST));
}

BOOL CNewFromTemplateDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ListTemplates(list());
    LoadTemplateDescriptions(m_descriptions);
    return TRUE;
}

void CNewFromTemplateDlg::OnSelChange() {
    SetDlgItemText(IDC_NEW_TEMPLATE_DESCRIPTION,
                   GetTemplateDescription(m_descriptions, GetSelectedText(list())));
}

void CNewFromTemplateDlg::OnDoubleClick() {
    OnOK();
}

void CNewFromTemplateDlg::OnOK() {
    m_strName = GetSelectedText(list());
    CDialog::OnOK();
}
