#pragma once
// CDevSolutionsDlg: "Solutions for Software Developers", the maker's other programs by group, with
// a link to the maker's site.

#include "app/program/CHyperLink.h"

class CDevSolutionsDlg : public CDialog {
public:
    explicit CDevSolutionsDlg(CWnd* pParent = nullptr);

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    CHyperLink m_groups[3];
    CHyperLink m_download;
    CHyperLink m_site;
    HCURSOR m_hHand = nullptr;
};
