#pragma once
// CInputDlg: a one-line text prompt; the prompt is the caption, OK needs a text that is not empty.

#include "platform/framework/afxwin.h"

class CInputDlg : public CDialog {
public:
    CInputDlg(LPCTSTR lpszPrompt, LPCTSTR lpszText, CWnd* pParent = nullptr);

    CString m_strPrompt;
    CString m_strText;

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnChangeText();
    DECLARE_MESSAGE_MAP()
};
