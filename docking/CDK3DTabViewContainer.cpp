#include "docking/CDK3DTabViewContainer.h"

#include "docking/TabPageCreation.h"

IMPLEMENT_DYNAMIC(CDK3DTabViewContainer, CTabCtrl)

BEGIN_MESSAGE_MAP(CDK3DTabViewContainer, CTabCtrl)
    ON_NOTIFY_REFLECT(TCN_SELCHANGE, OnSelChange)
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CDK3DTabViewContainer::CDK3DTabViewContainer() = default;

CDK3DTabViewContainer::~CDK3DTabViewContainer() = default;

BOOL CDK3DTabViewContainer::Create(CWnd* pParentWnd, CRect rect, DWORD dwStyle, UINT nID) {
    ::InitCommonControls();
    return Create(WC_TABCONTROL, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CDK3DTabViewContainer::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                                   const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
    if (!CWnd::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext)) return FALSE;
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    m_dropTarget.Register(this);
    return TRUE;
}

BOOL CDK3DTabViewContainer::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (CTabCtrl::OnCommand(wParam, lParam)) return TRUE;
    if (CWnd* parent = GetParent()) PassNotificationOn(parent, WM_COMMAND, wParam, lParam);
    return TRUE;
}

BOOL CDK3DTabViewContainer::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (CTabCtrl::OnNotify(wParam, lParam, pResult)) return TRUE;
    CWnd* parent = GetParent();
    if (!parent) return FALSE;
    *pResult = PassNotificationOn(parent, WM_NOTIFY, wParam, lParam);
    return TRUE;
}

CWnd* CDK3DTabViewContainer::GetPage(int nIndex) const {
    if (!m_hWnd || nIndex < 0 || nIndex >= GetItemCount()) return nullptr;
    TCITEM item{};
    item.mask = TCIF_PARAM;
    if (!GetItem(nIndex, &item)) return nullptr;
    return reinterpret_cast<CWnd*>(item.lParam);
}

bool CDK3DTabViewContainer::IsLivePage(int nIndex) const {
    CWnd* pPage = GetPage(nIndex);
    return pPage && ::IsWindow(pPage->m_hWnd);
}

BOOL CDK3DTabViewContainer::InsertPage(int nIndex, CWnd* pPage, LPCSTR lpszTitle, int nImage) {
    if (nIndex < 0 || nIndex > GetItemCount()) return FALSE;
    if (!pPage || !::IsWindow(pPage->m_hWnd)) return FALSE;
    TCITEM item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM;
    item.pszText = const_cast<LPSTR>(lpszTitle ? lpszTitle : "");
    item.iImage = nImage;
    item.lParam = reinterpret_cast<LPARAM>(pPage);
    if (InsertItem(nIndex, &item) != nIndex) return FALSE;
    // The shown page moved one place right; its index follows it, so the activation below hides it.
    if (m_nActivePage >= nIndex) ++m_nActivePage;
    pPage->ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
    SetActivePageIndex(nIndex);
    return TRUE;
}

BOOL CDK3DTabViewContainer::InsertPage(int nIndex, CRuntimeClass* pClass, CCreateContext* pContext,
                                       LPCSTR lpszTitle, int nImage) {
    if (nIndex < 0 || nIndex > GetItemCount() || !pClass) return FALSE;
    const docking::TabPageMade made = docking::CreateTabPage(pClass, pContext, GetPage(m_nActivePage), this,
                                                             CRect(0, 0, 0, 0), GetUniqueId());
    if (!made.pWnd || !InsertPage(nIndex, made.pWnd, lpszTitle, nImage)) return FALSE;
    docking::FinishTabPage(made, GetPage(nIndex));
    return TRUE;
}

BOOL CDK3DTabViewContainer::DeletePage(int nIndex, BOOL bDestroy) {
    const int nCount = GetItemCount();
    if (nIndex < 0 || nIndex >= nCount) return FALSE;
    if (nIndex == m_nActivePage) {
        const bool bWrap = m_nActivePage == nCount - 1 || nCount < 2;
        SetActivePageIndex(bWrap ? 0 : m_nActivePage + 1);
    }
    docking::ReleaseTabPage(GetPage(nIndex), m_pageIds, bDestroy, nIndex == m_nActivePage);
    DeleteItem(nIndex);
    if (m_nActivePage >= nIndex) --m_nActivePage;
    return TRUE;
}

BOOL CDK3DTabViewContainer::DeletePage(CWnd* pPage, BOOL bDestroy) {
    if (!pPage) return FALSE;
    const int nCount = GetItemCount();
    for (int i = 0; i < nCount; ++i) {
        CWnd* pTabPage = GetPage(i);
        if (pTabPage && pTabPage->m_hWnd == pPage->m_hWnd) return DeletePage(i, bDestroy);
    }
    return FALSE;
}

BOOL CDK3DTabViewContainer::SetActivePageIndex(int nIndex) {
    if (nIndex == m_nActivePage) return TRUE;
    CWnd* pPrevious = IsLivePage(m_nActivePage) ? GetPage(m_nActivePage) : nullptr;
    if (pPrevious) pPrevious->ShowWindow(SW_HIDE);
    if (nIndex < 0 || nIndex >= GetItemCount()) {
        // An index that names no tab is not kept: a later insertion there must still show its page.
        m_nActivePage = -1;
        SetCurSel(-1);
        return FALSE;
    }
    m_nActivePage = nIndex;
    SetCurSel(nIndex);
    if (!IsLivePage(nIndex)) return TRUE;
    CWnd* pPage = GetPage(nIndex);
    PlacePage(pPage);
    pPage->ShowWindow(SW_SHOW);
    FocusPage(pPage, pPrevious);
    pPage->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return TRUE;
}

void CDK3DTabViewContainer::PlacePage(CWnd* pPage) {
    CalcPageRect();
    CRect rectWindow;
    pPage->GetWindowRect(&rectWindow);
    if (rectWindow.Width() == m_rectPage.Width() && rectWindow.Height() == m_rectPage.Height()) {
        pPage->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(m_rectPage.Width(), m_rectPage.Height()));
        return;
    }
    pPage->MoveWindow(&m_rectPage, TRUE);
}

void CDK3DTabViewContainer::FocusPage(CWnd* pPage, CWnd* pPrevious) {
    CWnd* pParent = GetParent();
    if (!pParent || !pParent->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
        pPage->SetFocus();
        return;
    }
    CFrameWnd* pFrame = static_cast<CFrameWnd*>(pParent);
    if (pPage->IsKindOf(RUNTIME_CLASS(CView))) {
        pFrame->SetActiveView(static_cast<CView*>(pPage), TRUE);
        return;
    }
    if (pPrevious && pPrevious->IsKindOf(RUNTIME_CLASS(CView))) pFrame->SetActiveView(nullptr, TRUE);
    pPage->SetFocus();
}

UINT CDK3DTabViewContainer::GetUniqueId() {
    return m_pageIds.Take();
}

void CDK3DTabViewContainer::RepositionActivePage() {
    if (!IsLivePage(m_nActivePage)) return;
    CalcPageRect();
    GetPage(m_nActivePage)->MoveWindow(&m_rectPage, TRUE);
}

void CDK3DTabViewContainer::CalcPageRect() {
    CRect rect;
    GetWindowRect(&rect);
    rect.DeflateRect(m_nBorderWidth, m_nBorderWidth);
    ScreenToClient(&rect);
    if (!rect.IsRectEmpty() && rect.Width() > 0 && rect.Height() > 0) {
        AdjustRect(FALSE, &rect);
        rect.DeflateRect(m_nPageMargin, m_nPageMargin);
    }
    m_rectPage = rect;
}

void CDK3DTabViewContainer::OnSelChange(NMHDR*, LRESULT* pResult) {
    const int nSel = GetCurSel();
    if (nSel >= 0) SetActivePageIndex(nSel);
    *pResult = 0;
}

void CDK3DTabViewContainer::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp) {
    CTabCtrl::OnNcCalcSize(bCalcValidRects, lpncsp);
    RECT& rc = lpncsp->rgrc[0];
    const int nBorder2 = 2 * m_nBorderWidth;
    if (rc.bottom - rc.top > nBorder2) {
        rc.top += m_nBorderWidth;
        rc.bottom -= m_nBorderWidth;
    } else {
        rc.top = rc.bottom;
    }
    if (rc.right - rc.left > nBorder2) {
        rc.left += m_nBorderWidth;
        rc.right -= m_nBorderWidth;
    } else {
        rc.left = rc.right;
    }
}

void CDK3DTabViewContainer::OnNcPaint() {
    CWindowDC dc(this);
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    CRect rectClient;
    GetClientRect(&rectClient);
    ClientToScreen(&rectClient);
    rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
    if (rectClient.Height() > 0) dc.ExcludeClipRect(&rectClient);
    m_bPaintingFrame = TRUE;
    SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()));
    m_bPaintingFrame = FALSE;
    rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
    dc.Draw3dRect(&rectWindow, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
}

BOOL CDK3DTabViewContainer::OnEraseBkgnd(CDC* pDC) {
    if (GetItemCount() > 0 && !m_bPaintingFrame) pDC->ExcludeClipRect(&m_rectPage);
    return CTabCtrl::OnEraseBkgnd(pDC);
}

void CDK3DTabViewContainer::OnSize(UINT nType, int cx, int cy) {
    CTabCtrl::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED && cx > 0 && cy > 0) RepositionActivePage();
}

void CDK3DTabViewContainer::OnDestroy() {
    SetActivePageIndex(-1);
    for (int i = GetItemCount() - 1; i >= 0; --i)
        DeletePage(i, TRUE);
    m_dropTarget.Revoke();
    CTabCtrl::OnDestroy();
}
