#include "docking/CCoolCombo.h"

#include "docking/CoolComboCommands.h"
#include "docking/EmbossedImage.h"
#include "platform/win/res/resources.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CCoolCombo, CStatic)

BEGIN_MESSAGE_MAP(CCoolCombo, CStatic)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

void CCoolCombo::PreSubclassWindow() {
    CStatic::PreSubclassWindow();
    ModifyStyle(0, SS_OWNERDRAW | SS_NOTIFY);
    CalcRects();
}

int CCoolCombo::OnCreate(LPCREATESTRUCT lpcs) {
    if (CStatic::OnCreate(lpcs) == -1) return -1;
    ModifyStyle(0, SS_OWNERDRAW | SS_NOTIFY);
    CalcRects();
    return 0;
}

void CCoolCombo::OnDestroy() {
    ClosePopup();
    CStatic::OnDestroy();
}

void CCoolCombo::OnSize(UINT nType, int cx, int cy) {
    CStatic::OnSize(nType, cx, cy);
    CalcRects();
}

void CCoolCombo::CalcRects() {
    if (!m_hWnd) return;
    CRect client;
    GetClientRect(&client);
    const int cx = client.Width(), cy = client.Height();
    const int arrow = m_bNarrowArrow ? cy - 1 : std::min((2 * cy - 4) / 3, (cx - 2) / 3);
    m_rectMain.SetRect(0, 0, cx - arrow, cy);
    m_rectArrow.SetRect(cx - arrow, 0, cx, cy);
}

void CCoolCombo::SetCurrentItem(int nItem) {
    if (nItem != m_nCurrent && m_hWnd) Invalidate();
    m_nCurrent = nItem;
    if (m_pPopup) m_pPopup->SetCurrentItem(nItem);
}

void CCoolCombo::SetCommandIds(const UINT* pIDs, int nCount) {
    m_commandIds.assign(static_cast<size_t>(m_nItems), 0);
    for (int i = 0; i < nCount && i < m_nItems && pIDs; ++i)
        m_commandIds[static_cast<size_t>(i)] = pIDs[i];
    SetCurrentItem(CC_ITEM_DEFAULT);
}

void CCoolCombo::OnUpdateCmdUI(CWnd* pTarget, BOOL bDisableIfNoHndler) {
    HWND hFocus = ::GetFocus();
    if (hFocus && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus))) return;
    const int nAnswer = docking::ProbeCommand(pTarget, static_cast<UINT>(GetDlgCtrlID()));
    if (nAnswer >= 0) {
        EnableWindow(nAnswer == 1);
        return;
    }
    if (!pTarget) return;
    NMCOOLCOMBO nm{};
    nm.hdr.hwndFrom = m_hWnd;
    nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    nm.hdr.code = CCN_QUERYUPDATE;
    const LRESULT answer = pTarget->SendMessage(WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
    if (answer < 0) {
        EnableWindow(FALSE);
    } else if (answer == 0) {
        EnableWindow(!bDisableIfNoHndler);
    } else {
        EnableWindow(TRUE);
        if (answer == 2) SetCurrentItem(CC_ITEM_INDETERMINATE);
    }
}

void CCoolCombo::SetItemCount(int nItems, int nColumns) {
    m_nItems = std::max(nItems, 0);
    m_nColumns = std::max(nColumns, 1);
}

BOOL CCoolCombo::SetImages(CImageList* pImages, BOOL bDefault) {
    if (!pImages || !pImages->GetSafeHandle()) return FALSE;
    CImageList& target = bDefault ? m_defaultImage : m_images;
    target.DeleteImageList();
    int cx = 0, cy = 0;
    ImageList_GetIconSize(pImages->GetSafeHandle(), &cx, &cy);
    if (!target.Create(cx, cy, ILC_COLOR24 | ILC_MASK, 0, 4)) return FALSE;
    const int nCount = bDefault ? std::min(1, pImages->GetImageCount()) : pImages->GetImageCount();
    for (int i = 0; i < nCount; ++i) {
        HICON hIcon = ImageList_GetIcon(pImages->GetSafeHandle(), i, ILD_TRANSPARENT);
        target.Add(hIcon);
        ::DestroyIcon(hIcon);
    }
    return TRUE;
}

BOOL CCoolCombo::LoadImages(UINT nIDBitmap, int cxImage, COLORREF crMask, BOOL bDefault) {
    CImageList images;
    return images.Create(nIDBitmap, cxImage, 0, crMask) && SetImages(&images, bDefault);
}

BOOL CCoolCombo::LoadToolBarImage(UINT nIDToolBar, COLORREF crMask) {
    const pm::res::ToolbarTemplate* bar = pm::res::findToolbar(MAKEINTRESOURCE(nIDToolBar));
    if (!bar) return FALSE;
    // The button's image is the one at its place among the buttons, separators left out.
    const auto button = std::find(bar->ids.begin(), bar->ids.end(), static_cast<UINT>(GetDlgCtrlID()));
    if (button == bar->ids.end()) return FALSE;
    const int nImage =
        static_cast<int>(std::count_if(bar->ids.begin(), button, [](UINT other) { return other != 0; }));
    CImageList all;
    if (!all.Create(nIDToolBar, bar->width, 0, crMask) || nImage >= all.GetImageCount()) return FALSE;
    CImageList one;
    if (!one.Create(bar->width, bar->height, ILC_COLOR24 | ILC_MASK, 1, 0)) return FALSE;
    HICON hIcon = ImageList_GetIcon(all.GetSafeHandle(), nImage, ILD_TRANSPARENT);
    one.Add(hIcon);
    ::DestroyIcon(hIcon);
    return SetImages(&one, TRUE);
}

void CCoolCombo::Forward(UINT nCode, int nItem) {
    CWnd* pTarget = GetOwner() ? GetOwner() : GetParent();
    if (!pTarget) return;
    NMCOOLCOMBO nm{};
    nm.hdr.hwndFrom = m_hWnd;
    nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    nm.hdr.code = nCode;
    nm.iItem = nItem;
    pTarget->SendMessage(WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}

BOOL CCoolCombo::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    const auto* pnm = reinterpret_cast<const NMCOOLCOMBO*>(lParam);
    const bool bFromPopup = m_pPopup && m_pPopup->m_hWnd && pnm->hdr.hwndFrom == m_pPopup->m_hWnd;
    if (!bFromPopup && (pnm->hdr.code < CCN_HOT || pnm->hdr.code > CCN_TORNOFF))
        return CStatic::OnNotify(wParam, lParam, pResult);
    *pResult = 0;
    switch (pnm->hdr.code) {
    case CCN_HOT:
        OnPopupHot(pnm->iItem);
        break;
    case CCN_SHOWN:
        OnPopupShown();
        break;
    case CCN_CLOSED:
        OnPopupClosed();
        break;
    case CCN_SELECT:
        OnPopupSelect(pnm->iItem);
        break;
    case CCN_CANCEL:
        OnPopupCancel();
        break;
    case CCN_DEFAULT:
        OnPopupDefault();
        break;
    case CCN_EXTRA:
        OnPopupExtra(pnm->iItem);
        break;
    case CCN_TORNOFF:
        OnPopupTornOff();
        break;
    default:
        return CStatic::OnNotify(wParam, lParam, pResult);
    }
    return TRUE;
}

void CCoolCombo::OnPopupClosed() {
    m_pPopup = nullptr;
    m_bDropped = FALSE;
    if (m_hWnd) Invalidate();
    Forward(CCN_CLOSED, 0);
}

void CCoolCombo::OnPopupTornOff() {
    m_pPopup = nullptr;
    m_bDropped = FALSE;
    Forward(CCN_TORNOFF, 0);
}

void CCoolCombo::OnPopupSelect(int nIndex) {
    if (nIndex < 0) return;
    const UINT nID =
        nIndex < static_cast<int>(m_commandIds.size()) ? m_commandIds[static_cast<size_t>(nIndex)] : 0;
    if (!nID) {
        SetCurrentItem(nIndex);
        Forward(CCN_SELECT, nIndex);
        return;
    }
    // A command item runs its command instead of being chosen.
    SetCurrentItem(CC_ITEM_NONE);
    CWnd* pTarget = GetOwner() ? GetOwner() : GetParent();
    if (pTarget) pTarget->PostMessage(WM_COMMAND, MAKEWPARAM(nID, 0), reinterpret_cast<LPARAM>(m_hWnd));
}

void CCoolCombo::OnPopupDefault() {
    SetCurrentItem(CC_ITEM_DEFAULT);
    Forward(CCN_DEFAULT, 0);
}

void CCoolCombo::OnPopupExtra(int nIndex) {
    SetCurrentItem(CC_ITEM_EXTRA + nIndex);
    Forward(CCN_EXTRA, nIndex);
}

void CCoolCombo::OnClick() {
    if (!m_commandIds.empty()) {
        const bool bItem = m_nCurrent >= 0 && m_nCurrent < static_cast<int>(m_commandIds.size());
        const UINT nID = bItem ? m_commandIds[static_cast<size_t>(m_nCurrent)] : 0;
        if (bItem && (!nID || docking::IsCommandEnabled(nID))) Forward(CCN_SELECT, m_nCurrent);
        return;
    }
    if (m_nCurrent >= 0 && m_nCurrent + 1 < m_nItems && m_nCurrent < CC_ITEM_EXTRA) {
        OnPopupSelect(m_nCurrent + 1);
    } else if (m_nCurrent >= 0 && m_nCurrent < CC_ITEM_EXTRA && !m_strDefault.IsEmpty()) {
        OnPopupDefault();
    } else if (m_nItems > 0) {
        OnPopupSelect(0);
    }
}

void CCoolCombo::ShowPopup() {
    if (m_pPopup) {
        ClosePopup();
        return;
    }
    CRect rect;
    GetWindowRect(&rect);
    CCoolComboPopup::Options options;
    options.nItems = m_nItems;
    options.nColumns = m_nColumns;
    options.nCurrent = m_nCurrent;
    options.bTearOff = m_bTearOff;
    options.strDefault = m_strDefault;
    options.pImages = m_images.GetSafeHandle() ? &m_images : nullptr;
    options.strTitle = m_strTip;
    options.bOpenUpwards = TRUE;
    options.commandIds = m_commandIds;
    options.cellTips = m_itemTips;
    auto* pPopup = new CCoolComboPopup;
    m_pPopup = pPopup;
    if (!pPopup->Create(rect.left, rect.bottom, this, options)) {
        delete pPopup;
        m_pPopup = nullptr;
        m_bDropped = FALSE;
    }
}

void CCoolCombo::ClosePopup() {
    CCoolComboPopup* pPopup = m_pPopup;
    m_pPopup = nullptr;
    if (pPopup && ::IsWindow(pPopup->m_hWnd)) pPopup->DestroyWindow();
}

BOOL CCoolCombo::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CCoolCombo::OnLButtonDown(UINT, CPoint point) {
    if (!IsWindowEnabled()) return;
    if (m_pPopup && m_rectArrow.PtInRect(point)) {
        m_bCloseOnRelease = TRUE;
        return;
    }
    if (m_rectMain.PtInRect(point)) {
        m_bPressed = m_bHotMain = TRUE;
        SetCapture();
        Invalidate();
        return;
    }
    if (!m_rectArrow.PtInRect(point)) return;
    ::ReleaseCapture();
    m_bDropped = m_bTracking = TRUE;
    Invalidate();
    ShowPopup();
}

void CCoolCombo::OnMouseMove(UINT nFlags, CPoint point) {
    if (m_bPressed) {
        const BOOL bHot = m_rectMain.PtInRect(point);
        if (bHot != m_bHotMain) Invalidate();
        m_bHotMain = bHot;
        return;
    }
    CRect client;
    GetClientRect(&client);
    if (client.PtInRect(point) && ::GetCapture() != m_hWnd && !m_pPopup) {
        SetCapture();
        m_bHotMain = TRUE;
        if (m_bHotTracking) Invalidate();
    } else if (!client.PtInRect(point) && ::GetCapture() == m_hWnd) {
        ::ReleaseCapture();
        m_bHotMain = FALSE;
        if (m_bHotTracking) Invalidate();
    }
    CStatic::OnMouseMove(nFlags, point);
}

void CCoolCombo::OnLButtonUp(UINT, CPoint point) {
    if (m_bCloseOnRelease) ClosePopup();
    const bool bClick = m_bPressed && m_rectMain.PtInRect(point);
    m_bPressed = m_bHotMain = m_bTracking = m_bCloseOnRelease = FALSE;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    Invalidate();
    if (bClick) OnClick();
    if (m_pPopup && ::IsWindow(m_pPopup->m_hWnd)) m_pPopup->SetCapture();
}

void CCoolCombo::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    DrawFrame(*pDC);
}

void CCoolCombo::DrawFrame(CDC& dc) {
    CRect arrow = m_rectArrow;
    UINT nState = DFCS_SCROLLDOWN | (m_bDropped ? DFCS_PUSHED : (m_bHotTracking ? DFCS_FLAT : 0));
    if (!IsWindowEnabled()) nState |= DFCS_INACTIVE;
    dc.DrawFrameControl(&arrow, DFC_SCROLL, nState);
    if (m_bHotTracking) {
        if (m_bDropped)
            dc.DrawEdge(&arrow, BDR_SUNKENOUTER, BF_RECT);
        else if (m_bHotMain)
            dc.DrawEdge(&arrow, BDR_RAISEDINNER, BF_RECT);
        else
            dc.Draw3dRect(&arrow, ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNFACE));
    }
    CRect main = m_rectMain;
    if (m_bHotTracking) {
        if (m_bPressed)
            dc.DrawEdge(&main, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        else if (m_bHotMain)
            dc.DrawEdge(&main, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
        else
            main.DeflateRect(1, 1);
    } else {
        dc.DrawEdge(&main, m_bPressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
    }
    const bool bIndeterminate = m_nCurrent == CC_ITEM_INDETERMINATE;
    dc.FillSolidRect(&main, ::GetSysColor(bIndeterminate ? COLOR_3DLIGHT : COLOR_BTNFACE));
    DrawImage(dc, main, IsWindowEnabled());
}

void CCoolCombo::DrawImage(CDC& dc, const CRect& rect, BOOL bEnabled) {
    if (m_nCurrent == CC_ITEM_INDETERMINATE) {
        // Hatched: every pixel whose x + y is odd.
        const COLORREF light = ::GetSysColor(COLOR_3DLIGHT) == ::GetSysColor(COLOR_BTNFACE)
                                   ? ::GetSysColor(COLOR_BTNHIGHLIGHT)
                                   : ::GetSysColor(COLOR_3DLIGHT);
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left + ((rect.left + y + 1) & 1); x < rect.right; x += 2)
                dc.SetPixel(x, y, light);
        return;
    }
    const bool bGrid = m_nCurrent >= 0 && m_nCurrent < CC_ITEM_EXTRA && m_nCurrent < m_images.GetImageCount();
    CImageList& images = bGrid ? m_images : m_defaultImage;
    if (!images.GetSafeHandle() || images.GetImageCount() == 0) return;
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images.GetSafeHandle(), &cx, &cy);
    const int nImage = bGrid ? m_nCurrent : 0;
    const CPoint at(rect.left + (rect.Width() - cx) / 2, rect.top + (rect.Height() - cy) / 2);
    if (bEnabled) {
        ImageList_Draw(images.GetSafeHandle(), nImage, dc.m_hDC, at.x, at.y, ILD_TRANSPARENT);
    } else {
        docking::DrawEmbossedImage(dc, images.GetSafeHandle(), nImage, at, CSize(cx, cy));
    }
}
