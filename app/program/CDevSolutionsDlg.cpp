// The Developer Solutions dialog.

#include "app/program/CDevSolutionsDlg.h"

#include "app/file_helpers.h"
#include "app/program/link_pages.h"
#include "app/program/resource_ids.h"

namespace {

// The group captions stand out in a font of this height.
constexpr int kCaptionHeight = -16;

} // namespace

BEGIN_MESSAGE_MAP(CDevSolutionsDlg, CDialog)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CDevSolutionsDlg::CDevSolutionsDlg(CWnd* pParent) : CDialog(IDD_DEV_SOLUTIONS, pParent) {}

BOOL CDevSolutionsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    const int captions[] = {IDC_SOLUTIONS_PROGRAMMING, IDC_SOLUTIONS_GRAPHICS, IDC_SOLUTIONS_WEB};
    for (int i = 0; i < 3; ++i) {
        m_groups[i].SubclassDlgItem(captions[i], this);
        m_groups[i].SetTextColor(kLinkColour);
        m_groups[i].SetFontHeight(kCaptionHeight);
    }
    m_download.SubclassDlgItem(IDC_SOLUTIONS_DOWNLOAD, this);
    m_download.SetBold(TRUE);
    // The site line shows the address it leads to.
    m_hHand = ::LoadCursor(AfxGetResourceHandle(), kHandCursor);
    m_site.SubclassDlgItem(IDC_SOLUTIONS_SITE, this);
    m_site.SetWindowText(GetAppDirectory() + kSitePage);
    m_site.SetTextColor(kLinkColour);
    m_site.SetUnderline(TRUE);
    m_site.SetLinkCursor(m_hHand);
    m_site.SetLink(TRUE);
    return TRUE;
}

void CDevSolutionsDlg::OnDestroy() {
    if (m_hHand) ::DestroyCursor(m_hHand);
    m_hHand = nullptr;
    CDialog::OnDestroy();
}
