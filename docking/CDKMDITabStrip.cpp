#include "docking/CDKMDITabStrip.h"

#include "docking/CDKMDIClientTabs.h"
#include "platform/framework/CDC.h"
#include "platform/framework/CDocument.h"
#include "platform/framework/CMDIChildWnd.h"
#include "platform/framework/CMDIFrameWnd.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CDKMDITabStrip, CTabCtrl)
    ON_WM_CREATE()
    ON_WM_TIMER()
    ON_NOTIFY_REFLECT(TCN_SELCHANGE, OnSelChange)
    ON_WM_LBUTTONDBLCLK()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

std::string ClassNameOf(HWND hwnd) {
    char name[256] = {};
    ::GetClassName(hwnd, name, sizeof name);
    return name;
}

bool IsMDIChild(HWND hwnd) {
    return (::GetWindowLong(hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0;
}

} // namespace

int CDKMDITabStrip::OnCreate(LPCREATESTRUCT) {
    if (Default() == -1) return -1;
    if (!SetTimer(kTimerId, kTimerPeriod, nullptr)) return -1;
    if (!m_images.Create(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON),
                         ILC_MASK | ILC_COLOR8, 4, 4))
        return -1;
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), 0);
    SetImageList(&m_images);
    if (!m_dropTarget.Register(this)) return -1;
    return 0;
}

void CDKMDITabStrip::OnDestroy() {
    m_dropTarget.Revoke();
    m_images.DeleteImageList();
    KillTimer(kTimerId);
    m_items.clear();
    m_icons.clear();
    Default();
}

void CDKMDITabStrip::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kTimerId) {
        Default();
        return;
    }
    Update(TRUE, FALSE);
}

CString CDKMDITabStrip::TabText(CWnd* pWnd) const {
    // Only the framework's own frames are asked for a text of their own: the answer is a pointer.
    CWnd* frame = CWnd::FromHandlePermanent(pWnd->m_hWnd);
    if (frame && frame->IsKindOf(RUNTIME_CLASS(CMDIChildWnd))) {
        auto text = reinterpret_cast<LPCSTR>(frame->SendMessage(WM_GETTABTEXT));
        if (text && *text) return text;
        CDocument* doc = static_cast<CFrameWnd*>(frame)->GetActiveDocument();
        if (doc && !doc->GetTitle().IsEmpty()) return doc->GetTitle();
    }
    CString own;
    pWnd->GetWindowText(own);
    return own;
}

int CDKMDITabStrip::TabImage(CWnd* pWnd) {
    HWND h = pWnd->m_hWnd;
    auto icon = reinterpret_cast<HICON>(::SendMessage(h, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(::GetClassLongPtr(h, GCL_HICONSM));
    if (!icon) icon = reinterpret_cast<HICON>(::SendMessage(h, WM_GETICON, ICON_BIG, 0));
    if (!icon) icon = reinterpret_cast<HICON>(::GetClassLongPtr(h, GCL_HICON));
    if (!icon) return -1;
    auto known = std::find(m_icons.begin(), m_icons.end(), icon);
    if (known != m_icons.end()) return static_cast<int>(known - m_icons.begin());
    const int image = m_images.Add(icon);
    if (image < 0) return -1;
    m_icons.push_back(icon);
    return image;
}

int CDKMDITabStrip::FindTab(CWnd* pWnd) const {
    if (!pWnd) return -1;
    const std::string className = ClassNameOf(pWnd->m_hWnd);
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].hwnd == pWnd->m_hWnd && m_items[i].className == className) return static_cast<int>(i);
    return -1;
}

CWnd* CDKMDITabStrip::ChildOfTab(int nTab) const {
    if (nTab < 0 || nTab >= static_cast<int>(m_items.size()) || !::IsWindow(m_items[nTab].hwnd))
        return nullptr;
    return CWnd::FromHandle(m_items[nTab].hwnd);
}

void CDKMDITabStrip::Relayout() {
    CMDIFrameWnd* frame = m_pOwner ? m_pOwner->Frame() : nullptr;
    if (frame && ::IsWindow(frame->m_hWnd)) frame->RecalcLayout();
}

BOOL CDKMDITabStrip::InsertTab(int nPos, CWnd* pWnd, BOOL bRelayout, BOOL bOnlyVisible) {
    if (!pWnd || !IsMDIChild(pWnd->m_hWnd) || (bOnlyVisible && !pWnd->IsWindowVisible())) return FALSE;
    const bool wasEmpty = m_items.empty();
    nPos = std::clamp(nPos, 0, static_cast<int>(m_items.size()));
    const CString text = TabText(pWnd);
    TCITEM item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = const_cast<LPSTR>(static_cast<LPCSTR>(text));
    item.iImage = TabImage(pWnd);
    if (InsertItem(nPos, &item) < 0) return FALSE;
    m_items.insert(m_items.begin() + nPos,
                   TabItem{static_cast<LPCSTR>(text), ClassNameOf(pWnd->m_hWnd), pWnd->m_hWnd, 1});
    if (wasEmpty && bRelayout) Invalidate();
    if (bRelayout) Relayout();
    return TRUE;
}

BOOL CDKMDITabStrip::RemoveTab(CWnd* pWnd, BOOL bRelayout) {
    const int tab = FindTab(pWnd);
    if (tab < 0) return FALSE;
    DeleteItem(tab);
    m_items.erase(m_items.begin() + tab);
    if (bRelayout) Relayout();
    return TRUE;
}

void CDKMDITabStrip::Update(BOOL bAddNew, BOOL bRefreshIcons) {
    CMDIFrameWnd* frame = m_pOwner ? m_pOwner->Frame() : nullptr;
    if (!frame) return;
    CMDIChildWnd* active = frame->MDIGetActive();
    int select = -1;
    bool changed = m_pOwner->m_bChanged != FALSE;
    HWND first = active ? ::GetWindow(active->m_hWnd, GW_HWNDFIRST) : nullptr;
    for (HWND h = first; h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        CWnd* wnd = CWnd::FromHandle(h);
        int tab = FindTab(wnd);
        if (tab >= 0) {
            if (!wnd->IsWindowVisible()) {
                RemoveTab(wnd, FALSE);
                changed = true;
                if (select > tab) --select; // the tab to select moved up with the others
                continue;
            }
            if (wnd == active) select = tab;
            const CString text = TabText(wnd);
            TCITEM item{};
            if (m_items[tab].text != static_cast<LPCSTR>(text)) {
                m_items[tab].text = static_cast<LPCSTR>(text);
                item.mask |= TCIF_TEXT;
                item.pszText = const_cast<LPSTR>(static_cast<LPCSTR>(text));
            }
            if (bRefreshIcons) {
                item.mask |= TCIF_IMAGE;
                item.iImage = TabImage(wnd);
            }
            if (item.mask) {
                SetItem(tab, &item);
                changed = true;
            }
            continue;
        }
        if (bAddNew && InsertTab(static_cast<int>(m_items.size()), wnd, FALSE, TRUE)) {
            changed = true;
            if (wnd == active) select = static_cast<int>(m_items.size()) - 1;
        }
    }
    if (select >= 0 && select != GetCurSel()) {
        SetCurSel(select);
        changed = true;
    }
    if (changed) {
        Relayout();
        m_pOwner->m_bChanged = FALSE;
    }
}

DROPEFFECT CDKMDITabStrip::CDropTarget::OnDragOver(CWnd* pWnd, COleDataObject*, DWORD, CPoint point) {
    auto* strip = static_cast<CDKMDITabStrip*>(pWnd);
    TCHITTESTINFO hit{};
    hit.pt = point;
    CWnd* child = strip->ChildOfTab(strip->HitTest(&hit));
    CMDIFrameWnd* frame = strip->m_pOwner ? strip->m_pOwner->Frame() : nullptr;
    if (child && frame)
        ::SendMessage(frame->m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child->m_hWnd), 0);
    return DROPEFFECT_NONE;
}

void CDKMDITabStrip::OnSelChange(NMHDR*, LRESULT* pResult) {
    *pResult = 0;
    CWnd* child = ChildOfTab(GetCurSel());
    CMDIFrameWnd* frame = m_pOwner ? m_pOwner->Frame() : nullptr;
    if (!child || !frame) return;
    ::SendMessage(frame->m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child->m_hWnd), 0);
    frame->RecalcLayout();
}

void CDKMDITabStrip::OnLButtonDblClk(UINT, CPoint) {
    CWnd* child = ChildOfTab(GetCurSel());
    CMDIFrameWnd* frame = m_pOwner ? m_pOwner->Frame() : nullptr;
    if (!child || !frame) return;
    BOOL maximized = FALSE;
    const bool activeAndMaximized = frame->MDIGetActive(&maximized) == child && maximized;
    ::SendMessage(frame->m_hWndMDIClient, activeAndMaximized ? WM_MDIRESTORE : WM_MDIMAXIMIZE,
                  reinterpret_cast<WPARAM>(child->m_hWnd), 0);
}

void CDKMDITabStrip::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp) {
    Default();
    CRect& rect = *reinterpret_cast<CRect*>(&lpncsp->rgrc[0]);
    if (rect.Width() > 2 * m_nBorder)
        rect.DeflateRect(m_nBorder, 0);
    else
        rect.left = rect.right;
    if (rect.Height() > 2 * m_nBorder)
        rect.DeflateRect(0, m_nBorder);
    else
        rect.top = rect.bottom;
}

void CDKMDITabStrip::OnNcPaint() {
    CWindowDC dc(this);
    CRect window;
    GetWindowRect(&window);
    window.OffsetRect(-window.left, -window.top);
    CRect client;
    GetClientRect(&client);
    ClientToScreen(&client);
    CRect screen;
    GetWindowRect(&screen);
    client.OffsetRect(-screen.left, -screen.top);
    dc.ExcludeClipRect(&client);
    SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC));
    dc.Draw3dRect(&window, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
}
