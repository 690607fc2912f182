#include "docking/CDKSizeDialogBar.h"

IMPLEMENT_DYNAMIC(CDKSizeDialogBar, CDKSizeControlBar)

BEGIN_MESSAGE_MAP(CDKSizeDialogBar, CDKSizeControlBar)
    ON_MESSAGE(WM_INITDIALOG, OnInitDialog)
END_MESSAGE_MAP()

BOOL CDKSizeDialogBar::Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID) {
    return Create(pParentWnd, MAKEINTRESOURCE(nIDTemplate), nStyle, nID);
}

BOOL CDKSizeDialogBar::Create(CWnd* pParentWnd, LPCSTR lpszTemplateName, UINT nStyle, UINT nID) {
    m_dwStyle = nStyle & CBRS_ALL;
    if (!CreateDlg(lpszTemplateName, pParentWnd)) return FALSE;
    SetDlgCtrlID(static_cast<int>(nID));
    CRect rect;
    GetWindowRect(&rect);
    m_szFloat = m_szHorz = rect.Size();
    m_szVert = CSize(rect.Height(), rect.Width());
    return TRUE;
}

BOOL CDKSizeDialogBar::OnInitDialogBar() {
    return TRUE;
}

LRESULT CDKSizeDialogBar::OnInitDialog(WPARAM, LPARAM) {
    Default();
    return OnInitDialogBar();
}
