// The About box.

#include "app/program/CAboutDlg.h"

#include "app/file_helpers.h"
#include "app/program/link_pages.h"
#include "app/program/resource_ids.h"

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg(CWnd* pParent) : CDialog(IDD_ABOUTBOX, pParent) {}

BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_hHand = ::LoadCursor(AfxGetResourceHandle(), kHandCursor);
    m_site.SubclassDlgItem(IDC_ABOUT_SITE, this);
    m_mail.SubclassDlgItem(IDC_ABOUT_MAIL, this);
    // The site's page; the e-mail label's own text is its address.
    m_site.SetLink(TRUE, GetAppDirectory() + kSitePage);
    m_mail.SetLink(TRUE);
    for (CHyperLink* link : {&m_site, &m_mail}) {
        link->SetUnderline(TRUE);
        link->SetTextColor(kLinkColour);
        link->SetLinkCursor(m_hHand);
    }
    return TRUE;
}

void CAboutDlg::OnDestroy() {
    if (m_hHand) ::DestroyCursor(m_hHand);
    m_hHand = nullptr;
    CDialog::OnDestroy();
}
