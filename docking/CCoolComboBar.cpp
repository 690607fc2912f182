#include "docking/CCoolComboBar.h"

IMPLEMENT_DYNAMIC(CCoolComboBar, CCustToolBar)

BEGIN_MESSAGE_MAP(CCoolComboBar, CCustToolBar)
    ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

BOOL CCoolComboBar::AddCombo(CCoolCombo* pCombo, UINT nID, int nImage) {
    const int nIndex = CommandToIndex(nID);
    if (nIndex < 0 || !pCombo) return TRUE;
    if (nImage < 0) {
        CRect first;
        GetItemRect(0, &first);
        const int w = first.Width();
        SetButtonInfo(nIndex, nID, TBBS_SEPARATOR, w + (w - 2) / 2);
    }
    CRect rect;
    GetItemRect(nIndex, &rect);
    if (!pCombo->Create("", WS_CHILD | WS_VISIBLE, rect, this, nID)) return FALSE;
    HIMAGELIST hImages = reinterpret_cast<HIMAGELIST>(SendMessage(TB_GETIMAGELIST));
    if (nImage >= 0 && hImages) {
        CImageList one;
        int cx = 0, cy = 0;
        ImageList_GetIconSize(hImages, &cx, &cy);
        one.Create(cx, cy, ILC_COLOR24 | ILC_MASK, 1, 0);
        HICON hIcon = ImageList_GetIcon(hImages, nImage, ILD_TRANSPARENT);
        one.Add(hIcon);
        ::DestroyIcon(hIcon);
        pCombo->SetImages(&one, TRUE);
    }
    CString strings;
    strings.LoadString(nID);
    const int nBreak = strings.Find('\n');
    pCombo->SetTipText(nBreak >= 0 ? strings.Mid(nBreak + 1) : CString());
    return TRUE;
}

void CCoolComboBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    CCustToolBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
    for (CWnd* pChild = GetWindow(GW_CHILD); pChild; pChild = pChild->GetWindow(GW_HWNDNEXT))
        if (pChild->IsKindOf(RUNTIME_CLASS(CCoolCombo)))
            static_cast<CCoolCombo*>(pChild)->OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
}

void CCoolComboBar::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
    CCustToolBar::OnWindowPosChanged(lpwndpos);
    RepositionControls();
}
