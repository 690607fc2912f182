#pragma once
// CLinkFailedDlg: tells the user that the web-page editor Corvane Sarrowby could not be reached,
// with a link to the page where it can be downloaded and what it does.

#include "app/program/CHyperLink.h"

class CLinkFailedDlg : public CDialog {
public:
    explicit CLinkFailedDlg(CWnd* pParent = nullptr);

protected:
    BOOL OnInitDialog() override;

private:
    CHyperLink m_download;
};
