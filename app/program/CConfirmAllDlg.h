#pragma once
// CConfirmAllDlg: the save-changes question with "to all" answers. After DoModal the caller reads
// m_nAnswer: 6 yes, 1 yes to all, 7 no, 0 no to all, 2 cancel (also the close box and Esc).

#include "platform/framework/afxwin.h"

class CConfirmAllDlg : public CDialog {
public:
    enum : short { kYes = 6, kYesToAll = 1, kNo = 7, kNoToAll = 0, kCancel = 2 };

    CConfirmAllDlg(LPCTSTR lpszMessage, CWnd* pParent = nullptr);

    CString m_strMessage;
    short m_nAnswer = kYes;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnYesToAll();
    afx_msg void OnNo();
    afx_msg void OnNoToAll();
    DECLARE_MESSAGE_MAP()

private:
    void answer(short code);
};
