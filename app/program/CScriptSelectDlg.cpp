// The macro chooser.

#include "app/program/CScriptSelectDlg.h"

#include "app/CDirList.h"
#include "app/program/resource_ids.h"

BEGIN_MESSAGE_MAP(CScriptSelectDlg, CDialog)
    ON_BN_CLICKED(IDC_SCRIPT_EDIT, OnEdit)
    ON_BN_CLICKED(IDC_SCRIPT_LOAD, OnLoad)
END_MESSAGE_MAP()

CScriptSelectDlg::CScriptSelectDlg(LPCTSTR lpszCaption, LPCTSTR lpszMask, LPCTSTR lpszFolder, CWnd* pParent)
    : CDialog(IDD_SCRIPT_SELECT, pParent), m_strCaption(lpszCaption), m_strFolder(lpszFolder),
      m_strMask(lpszMask) {}

BOOL CScriptSelectDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CStringList names;
    CDirList lister;
    lister.ListFiles(names, m_strMask, m_strFolder);
    CWnd* list = GetDlgItem(IDC_SCRIPT_LIST);
    for (POSITION pos = names.GetHeadPosition(); pos;)
        list->SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCSTR>(names.GetNext(pos))));
    if (!names.IsEmpty()) list->SendMessage(LB_SETCURSEL, 0);
    SetWindowText(m_strCaption);
    return TRUE;
}

void CScriptSelectDlg::OnOK() {
    choose(kRun);
}

void CScriptSelectDlg::OnEdit() {
    choose(kEdit);
}

void CScriptSelectDlg::OnLoad() {
    choose(kLoad);
}

void CScriptSelectDlg::OnCancel() {
    m_nCode = kCancel;
    CDialog::OnCancel();
}

void CScriptSelectDlg::choose(int code) {
    m_nCode = code;
    m_strName.Empty();
    CWnd* list = GetDlgItem(IDC_SCRIPT_LIST);
    auto index = static_cast<int>(list->SendMessage(LB_GETCURSEL));
    if (index >= 0) {
        auto length = static_cast<int>(list->SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index)));
        list->SendMessage(LB_GETTEXT, static_cast<WPARAM>(index),
                          reinterpret_cast<LPARAM>(m_strName.GetBufferSetLength(length)));
        m_strName.ReleaseBuffer(length);
    }
    EndDialog(IDOK);
}
