#include "scripting/CHHScriptErrorDlg.h"

#include "scripting/CHHScriptErrorInfo.h"
#include "scripting/ScriptStrings.h"

namespace {

UINT templateFor(BOOL bSyntaxError) {
    DeclareScriptResources();
    return bSyntaxError ? IDD_HHSYNTAXERROR : IDD_HHRUNTIMEERROR;
}

} // namespace

CHHScriptErrorDlg::CHHScriptErrorDlg(BOOL bSyntaxError, const CString& strText, BOOL bDisableDebug,
                                     CWnd* pParent)
    : CDialog(templateFor(bSyntaxError), pParent), m_strText(strText), m_bDisableDebug(bDisableDebug) {}

BOOL CHHScriptErrorDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_HHERR_TEXT, m_strText);
    if (m_bDisableDebug)
        if (CWnd* debug = GetDlgItem(IDC_HHERR_DEBUG)) debug->EnableWindow(FALSE);
    return TRUE;
}

// Enter presses the default button: Continue, or End in the syntax dialog.
void CHHScriptErrorDlg::OnOK() {
    EndDialog(GetDlgItem(IDC_HHERR_CONTINUE) ? IDC_HHERR_CONTINUE : IDC_HHERR_END);
}

void CHHScriptErrorDlg::OnCancel() {
    EndDialog(IDC_HHERR_END);
}

BOOL CHHScriptErrorDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED && id >= IDC_HHERR_CONTINUE && id <= IDC_HHERR_DEBUG) {
        EndDialog(static_cast<int>(id));
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}
