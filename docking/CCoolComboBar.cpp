#include "docking/CCoolComboBar.h"

IMPLEMENT_DYNAMIC(CCoolComboBar, CCustToolBar)

BEGIN_MESSAGE_MAP(CCoolComboBar, CCustToolBar)
    ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

BOOL CCoolComboBar::AddCombo(CCoolCombo* pCombo, UINT nID, int nImage) {
    // Only a button that shows takes a combo.
    const int nIndex = SendMessage(TB_ISBUTTONHIDDEN, nID) ? -1 : CommandToIndex(nID);
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
    // Its images come from the bar's own tool-bar resource: the button's image, or, for a button
    // made a separator, the resource's bitmap in 16-pixel images as the grid's.
    constexpr COLORREF kMask = RGB(0xC0, 0xC0, 0xC0);
    if (m_nIDResource && nImage >= 0)
        pCombo->LoadToolBarImage(m_nIDResource, kMask);
    else if (m_nIDResource)
        pCombo->LoadImages(m_nIDResource, 16, kMask);
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
