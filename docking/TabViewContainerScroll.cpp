// The operations pages call to share the scroll bars of the tab view container they sit in.

#include "docking/CDKTabViewContainer.h"

namespace {

// Re-entrancy guards: taking over changes styles, which makes pages call in again.
bool g_bTakingOverState = false;
bool g_bTakingOverInfo = false;

// The shown page and its record, when the container shows a page that exists and is visible.
TabViewPageInfo* VisibleActivePage(CDKTabViewContainer* pContainer) {
    if (!pContainer) return nullptr;
    TabViewPageInfo* pInfo = pContainer->GetPageInfo(pContainer->GetActivePageIndex());
    if (!pInfo || !pInfo->pWnd || !::IsWindow(pInfo->pWnd->m_hWnd) || !pInfo->pWnd->IsWindowVisible())
        return nullptr;
    return pInfo;
}

// Reads a bar of the page with its style on for a moment, the page hidden meanwhile.
SCROLLINFO ReadPageBar(CWnd* pPage, int nBar, DWORD dwStyle) {
    SCROLLINFO si{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    pPage->ModifyStyle(WS_VISIBLE, 0);
    pPage->ModifyStyle(0, dwStyle, SWP_FRAMECHANGED);
    pPage->GetScrollInfo(nBar, &si, SIF_ALL);
    pPage->ModifyStyle(dwStyle, 0, SWP_FRAMECHANGED);
    pPage->ModifyStyle(0, WS_VISIBLE);
    return si;
}

bool Needed(const SCROLLINFO& si) {
    return si.nPage != 0 && si.nMax >= static_cast<int>(si.nPage);
}

} // namespace

CDKTabViewContainer* GetParentTabViewContainer(CWnd* pWnd, BOOL bOnlyActive) {
    if (!pWnd || !::IsWindow(pWnd->m_hWnd)) return nullptr;
    HWND hParent = ::GetParent(pWnd->m_hWnd);
    if (!hParent || ::GetWindowLongPtr(hParent, GWL_USERDATA) != CDKTabViewContainer::kMark) return nullptr;
    // The mark alone could be any window's user data: the object must be a container too.
    CWnd* pParent = CWnd::FromHandlePermanent(hParent);
    if (!pParent || !pParent->IsKindOf(RUNTIME_CLASS(CDKTabViewContainer))) return nullptr;
    auto* pContainer = static_cast<CDKTabViewContainer*>(pParent);
    if (!bOnlyActive) return pContainer;
    int nIndex = -1;
    if (!pContainer->FindPage(pWnd->m_hWnd, nIndex) || nIndex != pContainer->GetActivePageIndex())
        return nullptr;
    return pContainer;
}

void TakeOverPageScrollState(CDKTabViewContainer* pContainer) {
    if (g_bTakingOverState || g_bTakingOverInfo) return;
    TabViewPageInfo* pInfo = VisibleActivePage(pContainer);
    if (!pInfo) return;
    g_bTakingOverState = true;
    CWnd* pPage = pInfo->pWnd;
    const DWORD dwStyle = pPage->GetStyle();
    if (dwStyle & WS_HSCROLL) pPage->ShowScrollBar(SB_HORZ, FALSE);
    if (dwStyle & WS_VSCROLL) pPage->ShowScrollBar(SB_VERT, FALSE);
    pInfo->siHorz = ReadPageBar(pPage, SB_HORZ, WS_HSCROLL);
    pInfo->siVert = ReadPageBar(pPage, SB_VERT, WS_VSCROLL);
    pInfo->bHasHorz = Needed(pInfo->siHorz);
    pInfo->bHasVert = Needed(pInfo->siVert);
    pContainer->SetScrollStyle((pInfo->bHasHorz ? WS_HSCROLL : 0) | (pInfo->bHasVert ? WS_VSCROLL : 0),
                               FALSE);
    g_bTakingOverState = false;
}

void TakeOverPageScrollInfo(CDKTabViewContainer* pContainer) {
    if (g_bTakingOverState || g_bTakingOverInfo) return;
    TabViewPageInfo* pInfo = VisibleActivePage(pContainer);
    if (!pInfo) return;
    g_bTakingOverInfo = true;
    CWnd* pPage = pInfo->pWnd;
    pInfo->siHorz = ReadPageBar(pPage, SB_HORZ, WS_HSCROLL);
    pInfo->siVert = ReadPageBar(pPage, SB_VERT, WS_VSCROLL);
    if (pInfo->bHasHorz) pContainer->m_scrlBarHorz.SetScrollInfo(&pInfo->siHorz, TRUE);
    if (pInfo->bHasVert) pContainer->m_scrlBarVert.SetScrollInfo(&pInfo->siVert, TRUE);
    g_bTakingOverInfo = false;
}
