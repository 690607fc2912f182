#include "docking/CDKTabViewContainer.h"

#include "docking/SplitCursor.h"
#include "docking/TabPageCreation.h"

#include <algorithm>
#include <cstdio>

IMPLEMENT_DYNCREATE(CDKTabViewContainer, CWnd)

BEGIN_MESSAGE_MAP(CDKTabViewContainer, CWnd)
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_TIMER()
    ON_WM_SETCURSOR()
    ON_WM_ERASEBKGND()
    ON_WM_CANCELMODE()
    ON_WM_DESTROY()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

namespace {

constexpr const char* kClassName = "TabViewContainer";
constexpr UINT_PTR kRepeatTimer = 122;
constexpr UINT kRepeatDelay = 200;
constexpr int kSplitterWidth = 6;
constexpr int kTabPadding = 16;
constexpr int kTabOverlap = 5;
constexpr int kScrollStep = 15;
constexpr int kSplitterRoom = 57; // the least room between the splitter and the page's right edge

bool IsButton(int nHit) {
    return nHit <= TVC_HIT_FIRST && nHit >= TVC_HIT_LAST;
}

BOOL RegisterContainerClass() {
    WNDCLASS wc{};
    if (::GetClassInfo(AfxGetInstanceHandle(), kClassName, &wc)) return TRUE;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = kClassName;
    return AfxRegisterClass(&wc);
}

} // namespace

CDKTabViewContainer::CDKTabViewContainer() {
    m_font.CreatePointFont(80, "MS Sans Serif");
    LOGFONT lf{};
    m_font.GetLogFont(&lf);
    lf.lfWeight = FW_BOLD;
    m_boldFont.CreateFontIndirect(&lf);
}

CDKTabViewContainer::~CDKTabViewContainer() {
    if (m_scrlBarHorz.m_hWnd) m_scrlBarHorz.DestroyWindow();
    if (m_scrlBarVert.m_hWnd) m_scrlBarVert.DestroyWindow();
}

BOOL CDKTabViewContainer::Create(CWnd* pParentWnd, CRect rect, DWORD dwStyle, UINT nID) {
    if (!RegisterContainerClass()) return FALSE;
    const DWORD style = (dwStyle & ~static_cast<DWORD>(WS_BORDER | WS_HSCROLL | WS_VSCROLL)) | WS_CHILD;
    if (!CreateEx(WS_EX_CLIENTEDGE, kClassName, "", style, rect, pParentWnd, nID)) return FALSE;
    if (pParentWnd) pParentWnd->ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    ::SetWindowLongPtr(m_hWnd, GWL_USERDATA, kMark);
    SetScrollStyle(0, TRUE);
    CalcLayout();
    PlaceBarsAndPage();
    return TRUE;
}

BOOL CDKTabViewContainer::Create(LPCSTR, LPCSTR, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                                 CCreateContext*) {
    return Create(pParentWnd, CRect(rect), dwStyle, nID);
}

// ---- Pages ----

CWnd* CDKTabViewContainer::GetPage(int nIndex) const {
    return nIndex >= 0 && nIndex < GetPageCount() ? m_pages[static_cast<size_t>(nIndex)].pWnd : nullptr;
}

TabViewPageInfo* CDKTabViewContainer::GetPageInfo(int nIndex) {
    return nIndex >= 0 && nIndex < GetPageCount() ? &m_pages[static_cast<size_t>(nIndex)] : nullptr;
}

CString CDKTabViewContainer::GetPageTitle(int nIndex) const {
    return nIndex >= 0 && nIndex < GetPageCount() ? m_pages[static_cast<size_t>(nIndex)].strTitle : CString();
}

BOOL CDKTabViewContainer::FindPage(HWND hWnd, int& nIndex) const {
    for (int i = 0; i < GetPageCount(); ++i) {
        if (m_pages[static_cast<size_t>(i)].pWnd && m_pages[static_cast<size_t>(i)].pWnd->m_hWnd == hWnd) {
            nIndex = i;
            return TRUE;
        }
    }
    return FALSE;
}

UINT CDKTabViewContainer::GetUniqueId() {
    return m_pageIds.Take();
}

void CDKTabViewContainer::RedrawStrip() {
    if (!m_hWnd) return;
    CRect strip(m_rectButtons[0].left, m_rectButtons[0].top, m_rectSplitter.right, m_rectButtons[0].bottom);
    InvalidateRect(&strip, FALSE);
    InvalidateRect(&m_rectSizeBox, FALSE);
}

BOOL CDKTabViewContainer::InsertPage(int nIndex, CWnd* pPage, LPCSTR lpszTitle) {
    if (nIndex < 0 || nIndex > GetPageCount() || !pPage || !::IsWindow(pPage->m_hWnd)) return FALSE;
    TabViewPageInfo info;
    info.pWnd = pPage;
    info.strTitle = lpszTitle ? CString(lpszTitle) : CString();
    if (!lpszTitle) pPage->GetWindowText(info.strTitle);
    if (info.strTitle.IsEmpty()) {
        char number[16];
        std::snprintf(number, sizeof number, "%d", nIndex);
        info.strTitle = number;
    }
    m_pages.insert(m_pages.begin() + nIndex, info);
    // The shown page moved one place right; its index follows it.
    if (m_nActivePage >= nIndex) ++m_nActivePage;
    CalcTabRects();
    SetActivePageIndex(nIndex);
    RedrawStrip();
    return TRUE;
}

BOOL CDKTabViewContainer::InsertPage(int nIndex, CRuntimeClass* pClass, CCreateContext* pContext,
                                     LPCSTR lpszTitle) {
    if (nIndex < 0 || nIndex > GetPageCount() || !pClass) return FALSE;
    const docking::TabPageMade made =
        docking::CreateTabPage(pClass, pContext, GetActivePage(), this, m_rectPage, GetUniqueId());
    if (!made.pWnd || !InsertPage(nIndex, made.pWnd, lpszTitle)) return FALSE;
    docking::FinishTabPage(made, GetPage(nIndex));
    return TRUE;
}

BOOL CDKTabViewContainer::DeletePage(int nIndex, BOOL bDestroy) {
    const int nCount = GetPageCount();
    if (nIndex < 0 || nIndex >= nCount) return FALSE;
    if (nIndex == m_nActivePage) {
        const bool bWrap = m_nActivePage == nCount - 1 || nCount < 2;
        SetActivePageIndex(bWrap ? 0 : m_nActivePage + 1);
    }
    docking::ReleaseTabPage(GetPage(nIndex), m_pageIds, bDestroy, nIndex == m_nActivePage);
    m_pages.erase(m_pages.begin() + nIndex);
    if (m_nActivePage >= nIndex) --m_nActivePage;
    CalcTabRects();
    RedrawStrip();
    return TRUE;
}

BOOL CDKTabViewContainer::DeletePage(CWnd* pPage, BOOL bDestroy) {
    int nIndex = -1;
    if (!pPage || !FindPage(pPage->m_hWnd, nIndex)) return FALSE;
    return DeletePage(nIndex, bDestroy);
}

BOOL CDKTabViewContainer::SetActivePageIndex(int nIndex) {
    if (nIndex == m_nActivePage) return TRUE;
    CWnd* pPrevious = GetActivePage();
    if (pPrevious && ::IsWindow(pPrevious->m_hWnd)) {
        TakeOverPageScrollInfo(this);
        TabViewPageInfo& old = m_pages[static_cast<size_t>(m_nActivePage)];
        pPrevious->ShowWindow(SW_HIDE);
        m_nActivePage = -1;
        if (old.bHasHorz && old.bHasVert)
            pPrevious->ShowScrollBar(SB_BOTH, TRUE);
        else if (old.bHasHorz)
            pPrevious->ShowScrollBar(SB_HORZ, TRUE);
        else if (old.bHasVert)
            pPrevious->ShowScrollBar(SB_VERT, TRUE);
    }
    if (nIndex < 0 || nIndex >= GetPageCount()) {
        m_nActivePage = -1;
        return FALSE;
    }
    m_nActivePage = nIndex;
    ScrollTabIntoView(nIndex);
    CWnd* pPage = GetPage(nIndex);
    if (!pPage || !::IsWindow(pPage->m_hWnd)) return TRUE;
    TakeOverActivePageBars(m_pages[static_cast<size_t>(nIndex)]);
    pPage->ShowWindow(SW_SHOW);
    CRect rect;
    pPage->GetWindowRect(&rect);
    if (rect.Width() == m_rectPage.Width() && rect.Height() == m_rectPage.Height()) {
        pPage->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(m_rectPage.Width(), m_rectPage.Height()));
    } else {
        pPage->MoveWindow(&m_rectPage, TRUE);
    }
    CWnd* pParent = GetParent();
    if (pParent && pParent->IsKindOf(RUNTIME_CLASS(CFrameWnd)) && pPage->IsKindOf(RUNTIME_CLASS(CView))) {
        static_cast<CFrameWnd*>(pParent)->SetActiveView(static_cast<CView*>(pPage), TRUE);
    } else {
        if (pParent && pParent->IsKindOf(RUNTIME_CLASS(CFrameWnd)) && pPrevious &&
            pPrevious->IsKindOf(RUNTIME_CLASS(CView)))
            static_cast<CFrameWnd*>(pParent)->SetActiveView(nullptr, TRUE);
        pPage->SetFocus();
    }
    InvalidateRect(&m_rectTabArea, FALSE);
    return TRUE;
}

void CDKTabViewContainer::TakeOverActivePageBars(TabViewPageInfo& info) {
    CWnd* pPage = info.pWnd;
    const DWORD dwStyle = pPage->GetStyle();
    info.bHasHorz = (dwStyle & WS_HSCROLL) != 0;
    info.bHasVert = (dwStyle & WS_VSCROLL) != 0;
    info.siHorz = SCROLLINFO{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    info.siVert = SCROLLINFO{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    if (info.bHasHorz) {
        pPage->GetScrollInfo(SB_HORZ, &info.siHorz, SIF_ALL);
        if (info.bHasVert) info.siHorz.nMax -= ::GetSystemMetrics(SM_CXVSCROLL);
        if (info.siHorz.nMax <= 0 || info.siHorz.nPage == 0) info.bHasHorz = FALSE;
    }
    if (info.bHasVert) {
        pPage->GetScrollInfo(SB_VERT, &info.siVert, SIF_ALL);
        if (info.bHasHorz) info.siVert.nMax -= 1;
        if (info.siVert.nMax <= 0 || info.siVert.nPage == 0) info.bHasVert = FALSE;
    }
    SetScrollStyle((info.bHasHorz ? WS_HSCROLL : 0) | (info.bHasVert ? WS_VSCROLL : 0), TRUE);
    pPage->ShowScrollBar(SB_BOTH, FALSE);
    pPage->Invalidate();
    auto carries = [](const SCROLLINFO& si) {
        return si.nMax > 0 && si.nPage != 0 && si.nPos > 0 && si.nPos <= si.nMax;
    };
    if (info.bHasHorz || carries(info.siHorz)) m_scrlBarHorz.SetScrollInfo(&info.siHorz, TRUE);
    if (info.bHasVert || carries(info.siVert)) m_scrlBarVert.SetScrollInfo(&info.siVert, TRUE);
}

void CDKTabViewContainer::SetScrollStyle(DWORD dwStyle, BOOL bForce) {
    dwStyle &= WS_HSCROLL | WS_VSCROLL;
    if (!bForce && dwStyle == m_dwScrollStyle) return;
    m_dwScrollStyle = dwStyle;
    if (m_scrlBarHorz.m_hWnd) m_scrlBarHorz.DestroyWindow();
    if (m_scrlBarVert.m_hWnd) m_scrlBarVert.DestroyWindow();
    m_scrlBarHorz.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ | ((dwStyle & WS_HSCROLL) ? 0 : WS_DISABLED),
                         m_rectHorz, this, AFX_IDW_HSCROLL_FIRST);
    m_scrlBarVert.Create(WS_CHILD | WS_VISIBLE | SBS_VERT | ((dwStyle & WS_VSCROLL) ? 0 : WS_DISABLED),
                         m_rectVert, this, AFX_IDW_VSCROLL_FIRST);
}

// ---- Layout ----

void CDKTabViewContainer::CalcLayout() {
    for (CRect& r : m_rectButtons)
        r.SetRectEmpty();
    m_rectTabArea.SetRectEmpty();
    m_rectHorz.SetRectEmpty();
    m_rectVert.SetRectEmpty();
    m_rectSplitter.SetRectEmpty();
    m_rectSizeBox.SetRectEmpty();
    m_rectPage.SetRectEmpty();
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty()) return;
    const int h = ::GetSystemMetrics(SM_CYHSCROLL), w = ::GetSystemMetrics(SM_CXHSCROLL);
    for (int i = 0; i < 4; ++i)
        m_rectButtons[i].SetRect(client.left + i * w, client.bottom - h, client.left + (i + 1) * w,
                                 client.bottom);
    m_rectPage.SetRect(client.left, client.top, client.right - w, client.bottom - h);
    const int lastRight = m_rectButtons[3].right;
    int width = m_nTabAreaWidth;
    if (m_rectPage.right < lastRight + width + 60) width = m_rectPage.right - lastRight - 60;
    m_rectTabArea.SetRect(lastRight, client.bottom - h, std::max(lastRight, lastRight + width),
                          client.bottom);
    m_rectSplitter.SetRect(m_rectTabArea.right, m_rectTabArea.top, m_rectTabArea.right + kSplitterWidth,
                           client.bottom);
    m_rectHorz.SetRect(m_rectSplitter.right, m_rectTabArea.top,
                       std::max(m_rectSplitter.right, m_rectPage.right), client.bottom);
    m_rectVert.SetRect(m_rectPage.right, m_rectPage.top, client.right, m_rectPage.bottom);
    m_rectSizeBox.SetRect(m_rectPage.right, m_rectPage.bottom, client.right, client.bottom);
}

void CDKTabViewContainer::CalcTabRects() {
    m_tabRects.clear();
    if (!m_hWnd) return;
    CClientDC dc(this);
    CFont* pOld = dc.SelectObject(&m_font);
    int x = 0;
    for (const TabViewPageInfo& page : m_pages) {
        CRect text(0, 0, 0, m_rectTabArea.Height());
        dc.DrawText(page.strTitle, &text, DT_CALCRECT | DT_SINGLELINE | DT_CENTER);
        const CRect tab(x, 0, x + text.Width() + kTabPadding, m_rectTabArea.Height());
        m_tabRects.push_back(tab);
        x = tab.right - kTabOverlap;
    }
    dc.SelectObject(pOld);
}

CRect CDKTabViewContainer::GetButtonRect(int nButton) const {
    return IsButton(nButton) ? m_rectButtons[TVC_HIT_FIRST - nButton] : CRect();
}

CRect CDKTabViewContainer::GetTabRect(int nIndex) const {
    if (nIndex < 0 || nIndex >= static_cast<int>(m_tabRects.size())) return CRect();
    CRect rect = m_tabRects[static_cast<size_t>(nIndex)];
    rect.OffsetRect(m_rectTabArea.left + m_nTabOffset, m_rectTabArea.top);
    rect.bottom = m_rectTabArea.bottom;
    return rect;
}

int CDKTabViewContainer::LastTabRight() const {
    return m_tabRects.empty() ? m_rectTabArea.left
                              : GetTabRect(static_cast<int>(m_tabRects.size()) - 1).right;
}

int CDKTabViewContainer::HitTest(CPoint point) const {
    if (m_rectSplitter.PtInRect(point)) return TVC_HIT_SPLITTER;
    if (m_rectHorz.PtInRect(point)) return TVC_HIT_HSCROLL;
    if (m_rectVert.PtInRect(point)) return TVC_HIT_VSCROLL;
    for (int b = TVC_HIT_FIRST; b >= TVC_HIT_LAST; --b)
        if (GetButtonRect(b).PtInRect(point)) return b;
    if (m_rectTabArea.PtInRect(point)) {
        for (int i = 0; i < static_cast<int>(m_tabRects.size()); ++i)
            if (GetTabRect(i).PtInRect(point)) return i;
        return TVC_HIT_TABAREA;
    }
    if (m_rectSizeBox.PtInRect(point)) return TVC_HIT_SIZEBOX;
    return TVC_HIT_NONE;
}

void CDKTabViewContainer::ScrollTabs(int nButton) {
    const bool bArea = !m_rectTabArea.IsRectEmpty();
    const int overhang = LastTabRight() - m_rectTabArea.right; // > 0: the last tab ends beyond the area
    switch (nButton) {
    case TVC_HIT_FIRST:
        if (m_nTabOffset < 0 && bArea) m_nTabOffset = 0;
        break;
    case TVC_HIT_PREV:
        if (m_nTabOffset < 0 && bArea) m_nTabOffset = std::min(m_nTabOffset + kScrollStep, 0);
        break;
    case TVC_HIT_NEXT:
        if (overhang > 0) m_nTabOffset -= std::min(kScrollStep, overhang);
        break;
    case TVC_HIT_LAST:
        if (overhang > 0) m_nTabOffset -= overhang;
        break;
    default:
        return;
    }
    InvalidateRect(&m_rectTabArea, FALSE);
}

void CDKTabViewContainer::ScrollTabIntoView(int nIndex) {
    const int width = m_rectTabArea.Width();
    if (width <= 0) return;
    const CRect tab = GetTabRect(nIndex);
    if (tab.left >= m_rectTabArea.left && tab.right <= m_rectTabArea.right) return;
    const int margin = width / 2 < 20 ? width / 2 : 20;
    if (tab.left < m_rectTabArea.left) {
        m_nTabOffset += m_rectTabArea.left - tab.left + (nIndex > 0 ? margin : 0);
        m_nTabOffset = std::min(m_nTabOffset, 0);
    } else {
        m_nTabOffset -= tab.right - m_rectTabArea.right + (nIndex < GetPageCount() - 1 ? margin : 0);
    }
    InvalidateRect(&m_rectTabArea, FALSE);
}

void CDKTabViewContainer::PlaceBarsAndPage() {
    if (m_scrlBarHorz.m_hWnd) m_scrlBarHorz.MoveWindow(&m_rectHorz);
    if (m_scrlBarVert.m_hWnd) m_scrlBarVert.MoveWindow(&m_rectVert);
    CWnd* pPage = GetActivePage();
    if (pPage && ::IsWindow(pPage->m_hWnd)) pPage->MoveWindow(&m_rectPage);
    RedrawStrip();
}

void CDKTabViewContainer::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    if (nType == SIZE_MINIMIZED || cx <= 0 || cy <= 0) return;
    CalcLayout();
    CalcTabRects();
    PlaceBarsAndPage();
}

void CDKTabViewContainer::OnSettingChange(UINT uFlags, LPCSTR lpszSection) {
    // The scroll bars' sizes may have changed: the layout is made again for them.
    CalcLayout();
    CalcTabRects();
    PlaceBarsAndPage();
    CWnd::OnSettingChange(uFlags, lpszSection);
}

// ---- Input ----

void CDKTabViewContainer::OnLButtonDown(UINT nFlags, CPoint point) {
    CWnd::OnLButtonDown(nFlags, point);
    const int nHit = HitTest(point);
    if (nHit >= 0) {
        if (nHit != m_nActivePage) SetActivePageIndex(nHit);
        return;
    }
    if (nHit == TVC_HIT_SPLITTER) {
        SetCapture();
        m_bTrackingSplitter = TRUE;
        return;
    }
    if (!IsButton(nHit)) return;
    SetCapture();
    m_nPressedButton = nHit;
    m_bPressedInside = TRUE;
    CRect rect = GetButtonRect(nHit);
    InvalidateRect(&rect, FALSE);
    ScrollTabs(nHit);
    m_nRepeatTimer = SetTimer(kRepeatTimer, kRepeatDelay, nullptr);
}

void CDKTabViewContainer::OnMouseMove(UINT nFlags, CPoint point) {
    if (m_bTrackingSplitter) {
        TrackSplitter(point.x);
    } else if (m_nPressedButton != TVC_HIT_NONE) {
        const BOOL bInside = GetButtonRect(m_nPressedButton).PtInRect(point);
        if (bInside != m_bPressedInside) {
            m_bPressedInside = bInside;
            CRect rect = GetButtonRect(m_nPressedButton);
            InvalidateRect(&rect, FALSE);
        }
    }
    CWnd::OnMouseMove(nFlags, point);
}

void CDKTabViewContainer::TrackSplitter(int x) {
    const int lastRight = m_rectButtons[3].right;
    x = std::max(std::min(x, m_rectPage.right - kSplitterRoom), lastRight + 3);
    const int grownBy = (x - 3 - lastRight) - m_rectTabArea.Width();
    m_rectSplitter.SetRect(x - 3, m_rectSplitter.top, x + 3, m_rectSplitter.bottom);
    m_nTabAreaWidth = x - 3 - lastRight;
    m_rectTabArea.right = m_rectTabArea.left + m_nTabAreaWidth;
    m_rectHorz.left = x + 3;
    if (m_scrlBarHorz.m_hWnd) m_scrlBarHorz.MoveWindow(&m_rectHorz);
    if (grownBy > 0 && m_nTabOffset < 0 && LastTabRight() < m_rectTabArea.right)
        m_nTabOffset = std::min(m_nTabOffset + grownBy, 0);
    RedrawStrip();
}

void CDKTabViewContainer::EndTracking() {
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    if (m_nPressedButton != TVC_HIT_NONE) {
        CRect rect = GetButtonRect(m_nPressedButton);
        InvalidateRect(&rect, FALSE);
    }
    // The repeat timer goes with every release, wherever it happens.
    if (m_nRepeatTimer) KillTimer(kRepeatTimer);
    m_nRepeatTimer = 0;
    m_nPressedButton = TVC_HIT_NONE;
    m_bPressedInside = FALSE;
    m_bTrackingSplitter = FALSE;
}

void CDKTabViewContainer::OnLButtonUp(UINT nFlags, CPoint point) {
    EndTracking();
    CWnd::OnLButtonUp(nFlags, point);
}

void CDKTabViewContainer::OnCancelMode() {
    CWnd::OnCancelMode();
    EndTracking();
}

void CDKTabViewContainer::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kRepeatTimer) {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    if (m_nPressedButton != TVC_HIT_NONE && m_bPressedInside) ScrollTabs(m_nPressedButton);
}

BOOL CDKTabViewContainer::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    if (m_bTrackingSplitter || HitTest(point) == TVC_HIT_SPLITTER) {
        ::SetCursor(LoadSplitCursor(true));
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CDKTabViewContainer::OnDestroy() {
    if (m_nRepeatTimer) KillTimer(kRepeatTimer);
    m_nRepeatTimer = 0;
    CWnd::OnDestroy();
}

void CDKTabViewContainer::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
    CWnd* pPage = GetActivePage();
    if (pPage && pScrollBar == &m_scrlBarHorz)
        pPage->SendMessage(WM_HSCROLL, MAKEWPARAM(nSBCode, nPos),
                           reinterpret_cast<LPARAM>(pScrollBar->m_hWnd));
}

void CDKTabViewContainer::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
    CWnd* pPage = GetActivePage();
    if (pPage && pScrollBar == &m_scrlBarVert)
        pPage->SendMessage(WM_VSCROLL, MAKEWPARAM(nSBCode, nPos),
                           reinterpret_cast<LPARAM>(pScrollBar->m_hWnd));
}

BOOL CDKTabViewContainer::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (CWnd::OnCommand(wParam, lParam)) return TRUE;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame) pFrame->SendMessage(WM_COMMAND, wParam, lParam);
    return TRUE;
}

BOOL CDKTabViewContainer::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (CWnd::OnNotify(wParam, lParam, pResult)) return TRUE;
    CFrameWnd* pFrame = GetParentFrame();
    *pResult = pFrame ? pFrame->SendMessage(WM_NOTIFY, wParam, lParam) : 0;
    return TRUE;
}

// ---- Painting ----

BOOL CDKTabViewContainer::OnEraseBkgnd(CDC* pDC) {
    if (m_pages.empty()) {
        CRect client;
        GetClientRect(&client);
        pDC->FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    }
    return TRUE;
}

void CDKTabViewContainer::OnPaint() {
    CPaintDC dc(this);
    CWnd* pPage = GetActivePage();
    CRect pageWindow;
    if (pPage) {
        pPage->GetWindowRect(&pageWindow);
        ScreenToClient(&pageWindow);
    }
    if (pageWindow != m_rectPage) {
        // What the page window leaves of its place shows the page's own background.
        const auto classBrush =
            pPage ? reinterpret_cast<HBRUSH>(::GetClassLongPtr(pPage->m_hWnd, GCLP_HBRBACKGROUND)) : nullptr;
        const int nSaved = dc.SaveDC();
        if (!pageWindow.IsRectEmpty()) dc.ExcludeClipRect(&pageWindow);
        ::FillRect(dc.m_hDC, &m_rectPage, classBrush ? classBrush : ::GetSysColorBrush(COLOR_WINDOW));
        dc.RestoreDC(nSaved);
    }
    DrawScrollButtons(dc);
    DrawSplitter(dc);
    DrawSizeBar(dc);
    DrawTabArea(dc);
}

void CDKTabViewContainer::DrawScrollButtons(CDC& dc) {
    for (int b = TVC_HIT_FIRST; b >= TVC_HIT_LAST; --b)
        DrawButton(dc, b);
}

void CDKTabViewContainer::DrawButton(CDC& dc, int nButton) {
    CRect rect = GetButtonRect(nButton);
    if (rect.IsRectEmpty()) return;
    const bool bPressed = nButton == m_nPressedButton && m_bPressedInside;
    dc.FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
    if (bPressed) {
        dc.Draw3dRect(&rect, ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNFACE));
    } else {
        dc.Draw3dRect(&rect, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    }
    CRect inner = rect;
    inner.DeflateRect(2, 2);
    if (bPressed) inner.OffsetRect(1, 1);
    const bool bLeft = nButton == TVC_HIT_FIRST || nButton == TVC_HIT_PREV;
    const bool bBar = nButton == TVC_HIT_FIRST || nButton == TVC_HIT_LAST;
    const int cy = inner.Height() / 2;
    const int cx = inner.left + inner.Width() / 2;
    const int half = std::max(cy / 2, 2);
    POINT points[3];
    if (bLeft) {
        points[0] = {cx - half / 2, inner.top + cy};
        points[1] = {cx + half / 2, inner.top + cy - half};
        points[2] = {cx + half / 2, inner.top + cy + half};
    } else {
        points[0] = {cx + half / 2, inner.top + cy};
        points[1] = {cx - half / 2, inner.top + cy - half};
        points[2] = {cx - half / 2, inner.top + cy + half};
    }
    CBrush text(::GetSysColor(COLOR_WINDOWTEXT));
    CPen pen(PS_SOLID, 1, ::GetSysColor(COLOR_WINDOWTEXT));
    CBrush* pOldBrush = dc.SelectObject(&text);
    CPen* pOldPen = dc.SelectObject(&pen);
    dc.Polygon(points, 3);
    if (bBar) {
        const int x = bLeft ? points[0].x - 2 : points[0].x + 1;
        dc.FillSolidRect(x, inner.top + cy - half, 1, 2 * half + 1, ::GetSysColor(COLOR_WINDOWTEXT));
    }
    dc.SelectObject(pOldBrush);
    dc.SelectObject(pOldPen);
}

void CDKTabViewContainer::DrawSplitter(CDC& dc) {
    CRect rect = m_rectSplitter;
    if (rect.IsRectEmpty()) return;
    dc.Draw3dRect(&rect, ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_WINDOWFRAME));
    rect.DeflateRect(1, 1);
    dc.Draw3dRect(&rect, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    rect.DeflateRect(1, 1);
    dc.FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
}

void CDKTabViewContainer::DrawSizeBar(CDC& dc) {
    CRect rect = m_rectSizeBox;
    if (rect.IsRectEmpty()) return;
    CWnd* pParent = GetParent();
    const DWORD dwStyle = pParent ? pParent->GetStyle() : 0;
    if (pParent && pParent->IsFrameWnd() && (dwStyle & WS_THICKFRAME) && !(dwStyle & WS_MAXIMIZE)) {
        dc.DrawFrameControl(&rect, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
        return;
    }
    dc.FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
}

void CDKTabViewContainer::DrawTabArea(CDC& dc) {
    if (m_rectTabArea.IsRectEmpty()) return;
    const int nSaved = dc.SaveDC();
    dc.IntersectClipRect(&m_rectTabArea);
    dc.FillSolidRect(&m_rectTabArea, ::GetSysColor(COLOR_BTNFACE));
    dc.FillSolidRect(m_rectTabArea.left, m_rectTabArea.top, m_rectTabArea.Width(), 1,
                     ::GetSysColor(COLOR_WINDOWTEXT));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    CBrush face(::GetSysColor(COLOR_BTNFACE));
    CBrush window(::GetSysColor(COLOR_WINDOW));
    CBrush* pOldBrush = dc.SelectObject(&face);
    CFont* pOldFont = dc.SelectObject(&m_font);
    for (int i = 0; i < GetPageCount(); ++i)
        if (i != m_nActivePage) DrawTab(dc, i);
    if (m_nActivePage >= 0) {
        dc.SelectObject(&window);
        dc.SelectObject(&m_boldFont);
        DrawTab(dc, m_nActivePage);
    }
    dc.SelectObject(pOldBrush);
    dc.SelectObject(pOldFont);
    dc.RestoreDC(nSaved);
}

void CDKTabViewContainer::DrawTab(CDC& dc, int nIndex) {
    CRect rect = GetTabRect(nIndex);
    if (rect.right < m_rectTabArea.left || rect.left > m_rectTabArea.right) return;
    rect.bottom -= 1;
    const POINT shape[4] = {{rect.left, rect.top},
                            {rect.left + kTabOverlap, rect.bottom},
                            {rect.right - kTabOverlap, rect.bottom},
                            {rect.right, rect.top}};
    CPen outline(PS_SOLID, 1, ::GetSysColor(COLOR_WINDOWTEXT));
    CPen* pOldPen = dc.SelectObject(&outline);
    dc.Polygon(shape, 4);
    dc.SelectObject(pOldPen);
    const bool bActive = nIndex == m_nActivePage;
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    if (bActive) {
        dc.FillSolidRect(rect.left + 1, rect.top, rect.Width() - 1, 1, ::GetSysColor(COLOR_WINDOW));
        dc.FillSolidRect(rect.left + kTabOverlap + 1, rect.bottom - 1, rect.Width() - 2 * kTabOverlap - 1, 1,
                         shadow);
    } else {
        dc.FillSolidRect(rect.left + kTabOverlap + 1, rect.bottom - 1, rect.Width() - 2 * kTabOverlap - 1, 1,
                         shadow);
        // A shadow along the right slant and a light line along the left one, inside the outline.
        CPen shadowPen(PS_SOLID, 1, shadow), lightPen(PS_SOLID, 1, ::GetSysColor(COLOR_WINDOW));
        pOldPen = dc.SelectObject(&shadowPen);
        dc.MoveTo(rect.right - 1, rect.top + 1);
        dc.LineTo(rect.right - kTabOverlap - 1, rect.bottom);
        dc.SelectObject(&lightPen);
        dc.MoveTo(rect.left + 1, rect.top + 1);
        dc.LineTo(rect.left + kTabOverlap + 1, rect.bottom);
        dc.SelectObject(pOldPen);
    }
    CRect text = rect;
    dc.DrawText(m_pages[static_cast<size_t>(nIndex)].strTitle, &text, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
}
