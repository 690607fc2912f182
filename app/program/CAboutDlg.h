#pragma once
// CAboutDlg: the About box, with links to the maker's site and e-mail address.

#include "app/program/CHyperLink.h"

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* pParent = nullptr);

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    CHyperLink m_site;
    CHyperLink m_mail;
    HCURSOR m_hHand = nullptr;
};
