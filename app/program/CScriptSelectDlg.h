#pragma once
// CScriptSelectDlg: chooses a macro file of a folder. Listing the folder makes it the current
// directory, so the chosen bare name opens relative to it. After DoModal the caller reads m_strName
// and m_nCode: 1 run, 100 edit, 101 load, 2 cancel.

#include "platform/framework/afxwin.h"

class CScriptSelectDlg : public CDialog {
public:
    enum { kRun = 1, kEdit = 100, kLoad = 101, kCancel = 2 };

    CScriptSelectDlg(LPCTSTR lpszCaption, LPCTSTR lpszMask, LPCTSTR lpszFolder, CWnd* pParent = nullptr);

    CString m_strCaption;
    CString m_strFolder;
    CString m_strMask;
    CString m_strName;
    int m_nCode = kCancel;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnEdit();
    afx_msg void OnLoad();
    DECLARE_MESSAGE_MAP()

private:
    void choose(int code);
};
