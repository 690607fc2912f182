#pragma once
// CHHScriptErrorDlg: the modal dialog that shows a script error: "Run-Time Error" with Continue,
// End and Debug, or "Syntax Error" with End only. Esc and the close box act as End. DoModal
// answers the id of the button that closed it.

#include "platform/framework/afxwin.h"

class CHHScriptErrorDlg : public CDialog {
public:
    CHHScriptErrorDlg(BOOL bSyntaxError, const CString& strText, BOOL bDisableDebug, CWnd* pParent);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    CString m_strText;
    BOOL m_bDisableDebug;
};
