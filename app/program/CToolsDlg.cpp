// The Tools dialog.

#include "app/program/CToolsDlg.h"

#include "app/CIniFile.h"
#include "app/program/CInputDlg.h"
#include "app/program/editor_globals.h"
#include "app/program/resource_ids.h"
#include "app/program/tool_commands.h"
#include "platform/framework/CommonDialogs.h"

#include <string>
#include <vector>

BEGIN_MESSAGE_MAP(CToolsDlg, CDialog)
    ON_LBN_SELCHANGE(IDC_TOOL_LIST, OnSelChange)
    ON_BN_CLICKED(IDC_TOOL_CANCEL_UPDATE, OnSelChange)
    ON_BN_CLICKED(IDC_TOOL_NEW, OnNew)
    ON_BN_CLICKED(IDC_TOOL_EDIT, OnEdit)
    ON_BN_CLICKED(IDC_TOOL_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_TOOL_BROWSE, OnBrowse)
    ON_BN_CLICKED(IDC_TOOL_MACRO, OnMacroButton)
    ON_COMMAND_RANGE(ID_MACRO_FILE_PATH, ID_MACRO_SYSTEM_DIR, OnMacro)
END_MESSAGE_MAP()

CToolsDlg::CToolsDlg(CIniFile& settings, CWnd* pParent) : CDialog(IDD_TOOLS, pParent), m_settings(settings) {}

CString CToolsDlg::selectedName() const {
    CString name;
    const int index = m_list.GetCurSel();
    if (index >= 0) m_list.GetText(index, name);
    return name;
}

BOOL CToolsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_macroButton.SubclassDlgItem(IDC_TOOL_MACRO, this);
    m_list.SubclassDlgItem(IDC_TOOL_LIST, this);
    m_list.Load(&m_settings, kToolsSection);
    setEditing(false);
    return TRUE;
}

void CToolsDlg::setEditing(bool editing) {
    const int editControls[] = {
        IDC_TOOL_COMMAND, IDC_TOOL_ARGUMENTS, IDC_TOOL_BROWSE, IDC_TOOL_MACRO, IDOK, IDC_TOOL_CANCEL_UPDATE};
    for (int id : editControls)
        GetDlgItem(id)->EnableWindow(editing);
    const bool selected = m_list.GetCurSel() >= 0;
    GetDlgItem(IDC_TOOL_NEW)->EnableWindow(!editing && m_list.GetCount() < kMaxTools);
    GetDlgItem(IDC_TOOL_EDIT)->EnableWindow(!editing && selected);
    GetDlgItem(IDC_TOOL_DELETE)->EnableWindow(!editing && selected);
}

void CToolsDlg::OnSelChange() {
    const CString name = selectedName();
    m_strCommand.Empty();
    m_strArguments.Empty();
    if (!name.IsEmpty()) {
        m_settings.GetString(name, "Cmd", m_strCommand);
        m_settings.GetString(name, "Arg", m_strArguments);
    }
    SetDlgItemText(IDC_TOOL_COMMAND, m_strCommand);
    SetDlgItemText(IDC_TOOL_ARGUMENTS, m_strArguments);
    setEditing(false);
}

void CToolsDlg::OnNew() {
    if (m_list.GetCount() >= kMaxTools) return;
    CInputDlg dlg("Name of the new tool", "", this);
    if (dlg.DoModal() != IDOK) return;
    // The name heads the tool's own settings section, which a ']' would cut short.
    if (dlg.m_strText.Find(']') >= 0) {
        MessageBox("A tool name cannot contain ']'.", nullptr, MB_OK);
        return;
    }
    const int index = m_list.AddString(dlg.m_strText);
    m_list.SetCurSel(index);
    SetDlgItemText(IDC_TOOL_COMMAND, "");
    SetDlgItemText(IDC_TOOL_ARGUMENTS, "");
    setEditing(true);
    GetDlgItem(IDC_TOOL_COMMAND)->SetFocus();
}

void CToolsDlg::OnEdit() {
    setEditing(true);
    CWnd* command = GetDlgItem(IDC_TOOL_COMMAND);
    command->SendMessage(EM_SETSEL, 0, -1);
    command->SetFocus();
}

void CToolsDlg::OnDelete() {
    const int index = m_list.GetCurSel();
    if (index < 0) return;
    if (MessageBox("Remove selected item?", nullptr, MB_OKCANCEL) != IDOK) return;
    m_list.DeleteString(static_cast<UINT>(index));
    m_list.SetCurSel(-1);
    SetDlgItemText(IDC_TOOL_COMMAND, "");
    SetDlgItemText(IDC_TOOL_ARGUMENTS, "");
    setEditing(false);
}

void CToolsDlg::OnBrowse() {
    CFileDialog dlg(TRUE, "exe", nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, nullptr, this);
    if (dlg.DoModal() != IDOK) return;
    SetDlgItemText(IDC_TOOL_COMMAND, dlg.GetPathName());
    GetDlgItem(IDOK)->EnableWindow(TRUE);
}

void CToolsDlg::OnMacroButton() {
    CPoint cursor;
    ::GetCursorPos(&cursor);
    TrackContextMenu(this, cursor, IDR_TOOL_MACROS, 0);
}

void CToolsDlg::OnMacro(UINT nID) {
    static const char* const kNames[] = {"FilePath", "FileDir",    "FileName",
                                         "AppDir",   "WindowsDir", "SystemDir"};
    CWnd* arguments = GetDlgItem(IDC_TOOL_ARGUMENTS);
    arguments->SendMessage(
        EM_REPLACESEL, TRUE,
        reinterpret_cast<LPARAM>(static_cast<LPCSTR>(MacroToken(kNames[nID - ID_MACRO_FILE_PATH]))));
    arguments->SetFocus();
}

// Update: stores the texts in the section of the selected tool.
void CToolsDlg::OnOK() {
    GetDlgItemText(IDC_TOOL_COMMAND, m_strCommand);
    GetDlgItemText(IDC_TOOL_ARGUMENTS, m_strArguments);
    const CString name = selectedName();
    if (!name.IsEmpty()) {
        m_settings.SetString(name, "Cmd", m_strCommand);
        m_settings.SetString(name, "Arg", m_strArguments);
    }
    setEditing(false);
}

// Close: stores the list and the settings.
void CToolsDlg::OnCancel() {
    m_list.Save();
    m_settings.Save();
    CDialog::OnCancel();
}
