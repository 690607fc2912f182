// The dialog shown when the hand-over to the web-page editor failed.

#include "app/program/CLinkFailedDlg.h"

#include "app/file_helpers.h"
#include "app/program/link_pages.h"
#include "app/program/resource_ids.h"

CLinkFailedDlg::CLinkFailedDlg(CWnd* pParent) : CDialog(IDD_LINK_FAILED, pParent) {}

BOOL CLinkFailedDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_download.SubclassDlgItem(IDC_LINK_DOWNLOAD, this);
    m_download.SetTextColor(kLinkColour);
    m_download.SetUnderline(TRUE);
    m_download.SetLinkCursor(::LoadCursor(AfxGetResourceHandle(), kHandCursor));
    m_download.SetLink(TRUE, GetAppDirectory() + kDownloadPage);
    return TRUE;
}
