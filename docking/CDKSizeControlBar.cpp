#include "docking/CDKSizeControlBar.h"

#include "docking/CDKDockContext.h"
#include "docking/CDKMDIFloatWnd.h"
#include "docking/CDKMDIFrameWndSizeDock.h"
#include "docking/CDKSizableMiniDockFrameWnd.h"
#include "docking/CDKSizeDockBar.h"
#include "docking/CDKSizeViewBar.h"
#include "docking/SizeBarGeometry.h"
#include "platform/framework/CControlBarInfo.h"
#include "platform/framework/CDC.h"
#include "platform/framework/CDockContext.h"
#include "platform/framework/CFrameWnd.h"
#include "platform/framework/CMenu.h"
#include "platform/framework/Exceptions.h"
#include "platform/win/res/resources.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CDKSizeControlBar, CControlBar)

BEGIN_MESSAGE_MAP(CDKSizeControlBar, CControlBar)
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SETCURSOR()
    ON_WM_NCHITTEST()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CONTEXTMENU()
    ON_MESSAGE(WM_SZBAR_APPENDMENU, OnAppendMenu)
    ON_MESSAGE(WM_SZBAR_FLOATKIND, OnFloatKind)
    ON_COMMAND(ID_SZBAR_HIDE, OnHide)
    ON_COMMAND(ID_SZBAR_ALLOWDOCKING, OnAllowDocking)
    ON_COMMAND(ID_SZBAR_MDIFLOAT, OnMdiFloat)
END_MESSAGE_MAP()

namespace {

// The bars made with SZBAR_AUTODELETE, deleted with their docking frame.
std::vector<CDKSizeControlBar*>& AutoDeleteBars() {
    static std::vector<CDKSizeControlBar*> bars;
    return bars;
}

// The texts of the bar's prompts and menu items.
void AddBarStrings() {
    static const bool added = [] {
        pm::res::addStrings({{ID_SZBAR_PROMPT, "Hold Ctrl to prevent docking"},
                             {ID_SZBAR_ALLOWDOCKING, "Allow &Docking"},
                             {ID_SZBAR_HIDE, "&Hide"},
                             {ID_SZBAR_MDIFLOAT, "Float in &MDI Window"}});
        return true;
    }();
    (void)added;
}

CString LoadText(UINT id) {
    CString s;
    s.LoadString(id);
    return s;
}

} // namespace

CDKSizeControlBar::CDKSizeControlBar(DWORD dwBarStyle) : m_dwSCBStyle(dwBarStyle) {
    AddBarStrings();
    if (m_dwSCBStyle & SZBAR_AUTODELETE) AutoDeleteBars().push_back(this);
    RecreateCaptionFont();
}

CDKSizeControlBar::~CDKSizeControlBar() {
    auto& bars = AutoDeleteBars();
    auto it = std::find(bars.rbegin(), bars.rend(), this);
    if (it != bars.rend()) bars.erase(std::next(it).base());
    // The dock context belongs to CControlBar, which deletes it.
}

void CDKSizeControlBar::DeleteAutoDeleteBars(CFrameWnd* pFrame) {
    std::vector<CDKSizeControlBar*> doomed;
    for (CDKSizeControlBar* bar : AutoDeleteBars())
        if (bar->m_pAutoDeleteFrame == pFrame || bar->m_pDockSite == pFrame) doomed.push_back(bar);
    for (CDKSizeControlBar* bar : doomed)
        delete bar;
}

void CDKSizeControlBar::RecreateCaptionFont() {
    m_font.DeleteObject();
    const int points = (m_dwSCBStyle & SZBAR_SOLIDCAPTION) ? 80 : 100;
    if (!m_font.CreatePointFont(points, "Arial")) AfxThrowResourceException();
}

BOOL CDKSizeControlBar::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                               CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
    m_dwStyle = dwStyle & CBRS_ALL;
    CRect r(rect);
    if (r == CFrameWnd::rectDefault && pParentWnd) {
        CRect client;
        pParentWnd->GetClientRect(&client);
        r = dock::DefaultBarRect(client.Width(), client.Height());
    }
    m_szFloat = m_szHorz = r.Size();
    m_szVert = CSize(r.Height(), r.Width());
    const DWORD windowStyle = (dwStyle & ~static_cast<DWORD>(CBRS_ALL)) | WS_CLIPCHILDREN;
    if (!lpszClassName) lpszClassName = AFX_WNDCONTROLBAR;
    if (!CWnd::Create(lpszClassName, lpszWindowName, windowStyle, r, pParentWnd, nID, pContext)) return FALSE;
    m_pAutoDeleteFrame = m_pDockSite;
    return TRUE;
}

BOOL CDKSizeControlBar::Create(CWnd* pParentWnd, LPCSTR lpszWindowName, UINT nID, DWORD dwStyle,
                               const RECT& rect) {
    return Create(nullptr, lpszWindowName, dwStyle, rect, pParentWnd, nID, nullptr);
}

void CDKSizeControlBar::EnableDocking(DWORD dwDockStyle) {
    m_dwDockStyle = dwDockStyle;
    if (!m_pDockContext) m_pDockContext = new CDKDockContext(this);
    if (!m_pDockSite) m_pDockSite = static_cast<CFrameWnd*>(GetParent());
    if (!m_pAutoDeleteFrame) m_pAutoDeleteFrame = m_pDockSite;
    if (m_hWndOwner == nullptr) m_hWndOwner = ::GetParent(m_hWnd);
}

CSize CDKSizeControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    CControlBar::CalcFixedLayout(bStretch, bHorz);
    if (IsFloating()) return m_szFloat;
    return bHorz ? m_szHorz : m_szVert;
}

void CDKSizeControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {
    HWND focus = ::GetFocus();
    const BOOL active = focus && (focus == m_hWnd || ::IsChild(m_hWnd, focus));
    if (active != m_bActive) SetActive(active, FALSE);
}

void CDKSizeControlBar::GetBarInfo(CControlBarInfo* pInfo) {
    CControlBar::GetBarInfo(pInfo);
    pInfo->m_sizeFloat = m_szFloat;
    if (!IsDocked() || !m_pDockContext) return;
    CRect rect;
    GetWindowRect(&rect);
    m_pDockBar->ScreenToClient(&rect);
    pInfo->m_rectMRUDockPos = rect;
}

void CDKSizeControlBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd) {
    CControlBar::SetBarInfo(pInfo, pFrameWnd);
    // Set before the floating frames are laid out, which take their size from it.
    if (pInfo->m_sizeFloat.cx > 0 && pInfo->m_sizeFloat.cy > 0) m_szFloat = pInfo->m_sizeFloat;
    const CRect rect = pInfo->m_rectMRUDockPos;
    if (!pInfo->m_bDocking || rect.IsRectEmpty()) return;
    const UINT side = pInfo->m_uMRUDockID;
    if (side == AFX_IDW_DOCKBAR_TOP || side == AFX_IDW_DOCKBAR_BOTTOM)
        m_szHorz = rect.Size();
    else if (side == AFX_IDW_DOCKBAR_LEFT || side == AFX_IDW_DOCKBAR_RIGHT)
        m_szVert = rect.Size();
    else
        return;
    // The window takes the size too: the dock bar shares its row from the windows' lengths.
    SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDKSizeControlBar::SetActive(BOOL bActive, BOOL bDeactivateOthers) {
    m_bActive = bActive;
    if (bActive && bDeactivateOthers) {
        CFrameWnd* site = IsFloating() ? GetTopLevelFrame() : m_pDockSite;
        for (POSITION pos = site ? site->m_listControlBars.GetHeadPosition() : nullptr; pos;) {
            auto* bar = static_cast<CControlBar*>(site->m_listControlBars.GetNext(pos));
            if (bar == this || !bar->IsKindOf(RUNTIME_CLASS(CDKSizeControlBar))) continue;
            auto* other = static_cast<CDKSizeControlBar*>(bar);
            // A document window's pane shows its window's activation, not the focus.
            if (other->m_bActive && !other->IsKindOf(RUNTIME_CLASS(CDKSizeViewBar)))
                other->SetActive(FALSE, FALSE);
        }
    }
    if (m_hWnd) RedrawButton(m_rectCaption);
}

BOOL CDKSizeControlBar::IsDocked() const {
    return m_pDockBar && !IsFloating();
}

DWORD CDKSizeControlBar::DockAlignment() const {
    return IsDocked() ? (m_pDockBar->m_dwStyle & CBRS_ALIGN_ANY) : 0;
}

BOOL CDKSizeControlBar::IsExpandable() {
    if (!IsDocked() || !m_pDockBar->IsKindOf(RUNTIME_CLASS(CDKSizeDockBar))) return FALSE;
    CRect rect;
    GetWindowRect(&rect);
    return static_cast<CDKSizeDockBar*>(m_pDockBar)->RowBarCount(this, rect) > 0;
}

LRESULT CDKSizeControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && OnCommand(wParam, lParam)) return 1;
    return CControlBar::WindowProc(message, wParam, lParam);
}

// ---- Frame and caption ----

void CDKSizeControlBar::RecalcButtonRects() {
    CRect window;
    GetWindowRect(&window);
    const dock::CaptionRects r = dock::CalcCaptionRects(window, m_dwSCBStyle, DockAlignment(), !IsDocked());
    m_rectCaption = r.caption;
    m_rectClose = r.close;
    m_rectExpand = r.expand;
    m_bCaptionReserved = FALSE;
}

void CDKSizeControlBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp) {
    CRect& rect = *reinterpret_cast<CRect*>(&lpncsp->rgrc[0]);
    rect = dock::CalcClientRect(rect, m_dwSCBStyle, DockAlignment(), !IsDocked());
    m_bCaptionReserved = IsDocked() && !(m_dwSCBStyle & SZBAR_NOGRIPPER);
}

void CDKSizeControlBar::OnNcPaint() {
    DrawNonClient();
}

void CDKSizeControlBar::DrawNonClient() {
    CWindowDC dc(this);
    CRect window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    ClientToScreen(&client);
    client.OffsetRect(-window.left, -window.top);
    window.OffsetRect(-window.left, -window.top);
    dc.ExcludeClipRect(&client);
    dc.FillSolidRect(&window, ::GetSysColor(COLOR_BTNFACE));
    RecalcButtonRects();
    if (!(m_dwSCBStyle & SZBAR_NOGRIPPER)) DrawGripperAndCaption(&dc);
    if (!(m_dwSCBStyle & SZBAR_NOCLOSEBUTTON)) DrawCloseButton(&dc);
    if (!(m_dwSCBStyle & SZBAR_NOEXPANDBUTTON)) DrawExpandButton(&dc);
}

namespace {

// A screen rectangle in the window's own coordinates (for a window DC).
CRect InWindow(CWnd* wnd, CRect rect) {
    CRect window;
    wnd->GetWindowRect(&window);
    rect.OffsetRect(-window.left, -window.top);
    return rect;
}

} // namespace

void CDKSizeControlBar::DrawGripperAndCaption(CDC* pDC) {
    if ((m_dwSCBStyle & SZBAR_NOGRIPPER) || !IsDocked()) return;
    const bool side = (DockAlignment() & CBRS_ORIENT_VERT) != 0;
    const bool solid = (m_dwSCBStyle & SZBAR_SOLIDCAPTION) != 0;
    CRect caption = InWindow(this, m_rectCaption);
    if (solid)
        pDC->FillSolidRect(&caption, ::GetSysColor(m_bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    else
        caption.DeflateRect(2, 2);

    CString text;
    GetWindowText(text);
    CRect textRect(0, 0, 0, 0);
    if (!(m_dwSCBStyle & SZBAR_NOCAPTIONTEXT) && !text.IsEmpty()) {
        CFont vertical;
        CFont* font = &m_font;
        if (!side) {
            LOGFONT lf;
            m_font.GetLogFont(&lf);
            lf.lfEscapement = lf.lfOrientation = 900;
            vertical.CreateFontIndirect(&lf);
            font = &vertical;
        }
        CFont* old = pDC->SelectObject(font);
        COLORREF colour = solid ? ::GetSysColor(m_bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT)
                                : ::GetSysColor(m_bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
        pDC->SetTextColor(colour);
        pDC->SetBkMode(solid ? TRANSPARENT : OPAQUE);
        if (!solid) pDC->SetBkColor(::GetSysColor(COLOR_BTNFACE));
        CRect measure(0, 0, 0, 0);
        pDC->DrawText(text, &measure, DT_CALCRECT | DT_SINGLELINE);
        if (side) {
            const int extent = std::min<int>(measure.Width(), caption.Width() - 6);
            const int top = caption.top + (caption.Height() - measure.Height() + 1) / 2;
            textRect = CRect(caption.left + 6, top, caption.left + 6 + extent, top + measure.Height());
            pDC->DrawText(text, &textRect, DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER);
        } else {
            // Upward text: its baseline runs along the strip from 6 above the bottom.
            const int extent = std::min<int>(measure.Width(), caption.Height() - 6);
            const int left = caption.left + (caption.Width() - measure.Height() + 1) / 2;
            textRect = CRect(left, caption.bottom - 6 - extent, left + measure.Height(), caption.bottom - 6);
            // The run is laid out along the strip (as if unturned) and cut with an ellipsis where
            // the buttons start; the turned text is not clipped to that unturned box.
            CRect run(left, caption.bottom - 6, left + extent, caption.bottom - 6 + measure.Height());
            pDC->DrawText(text, &run, DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
        }
        pDC->SelectObject(old);
    }
    if (solid) return;
    const COLORREF hi = ::GetSysColor(COLOR_BTNHIGHLIGHT), lo = ::GetSysColor(COLOR_BTNSHADOW);
    if (side) {
        const int from = textRect.IsRectEmpty() ? caption.left : textRect.right + 3;
        if (caption.right - from < 6) return;
        pDC->Draw3dRect(from, caption.top, caption.right - from, 3, hi, lo);
        pDC->Draw3dRect(from, caption.top + 4, caption.right - from, 3, hi, lo);
    } else {
        const int to = textRect.IsRectEmpty() ? caption.bottom : textRect.top - 3;
        if (to - caption.top < 6) return;
        pDC->Draw3dRect(caption.left, caption.top, 3, to - caption.top, hi, lo);
        pDC->Draw3dRect(caption.left + 4, caption.top, 3, to - caption.top, hi, lo);
    }
}

void CDKSizeControlBar::DrawCloseButton(CDC* pDC) {
    if ((m_dwSCBStyle & SZBAR_NOCLOSEBUTTON) || !IsDocked()) return;
    CRect r = InWindow(this, m_rectClose);
    ::DrawFrameControl(pDC->m_hDC, &r, DFC_CAPTION,
                       DFCS_CAPTIONCLOSE | (m_nPressed == pressedClose ? DFCS_PUSHED : 0));
}

void CDKSizeControlBar::DrawExpandButton(CDC* pDC) {
    if ((m_dwSCBStyle & SZBAR_NOEXPANDBUTTON) || !IsDocked()) return;
    CRect r = InWindow(this, m_rectExpand);
    UINT state = m_bExpanded ? DFCS_CAPTIONMIN : DFCS_CAPTIONMAX;
    if (!IsExpandable()) state |= DFCS_INACTIVE;
    if (m_nPressed == pressedExpand) state |= DFCS_PUSHED;
    ::DrawFrameControl(pDC->m_hDC, &r, DFC_CAPTION, state);
}

void CDKSizeControlBar::RedrawButton(const CRect& rectScreen) {
    if (rectScreen.IsRectEmpty()) return;
    CRect r = rectScreen;
    ScreenToClient(&r);
    RedrawWindow(&r, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CDKSizeControlBar::OnPaint() {
    // Validates only; BeginPaint also has the frame drawn when it waits.
    CPaintDC dc(this);
}

BOOL CDKSizeControlBar::OnEraseBkgnd(CDC* pDC) {
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

BOOL CDKSizeControlBar::OnSetCursor(CWnd* pWnd, UINT, UINT) {
    if (pWnd != this) return FALSE;
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
}

LRESULT CDKSizeControlBar::OnNcHitTest(CPoint point) {
    CRect window;
    GetWindowRect(&window);
    if (IsDocked() && window.PtInRect(point)) return HTCLIENT;
    return static_cast<LRESULT>(Default());
}

// ---- Size notifications ----

void CDKSizeControlBar::OnWindowPosChanged(WINDOWPOS*) {
    Default();
    CRect window;
    GetWindowRect(&window);
    const int floating = (IsFloating() || !m_pDockBar) ? 1 : 0;
    UINT mask = 0;
    if (window.Width() != m_nLastWidth || window.Height() != m_nLastHeight) mask |= 1;
    if (floating != m_nLastFloating) mask |= 2;
    if (mask) {
        m_nLastWidth = window.Width();
        m_nLastHeight = window.Height();
        m_nLastFloating = floating;
        OnBarResized(m_nLastWidth, m_nLastHeight, floating, mask);
    }
    RecalcButtonRects();
    if (m_bExpanded) {
        m_bExpanded = FALSE;
        RedrawButton(m_rectExpand);
    }
}

void CDKSizeControlBar::OnBarResized(int, int, BOOL, UINT) {}

// ---- Buttons ----

void CDKSizeControlBar::OnLButtonDown(UINT nFlags, CPoint point) {
    if (IsDocked()) {
        CPoint screen = point;
        ClientToScreen(&screen);
        if (m_rectClose.PtInRect(screen)) {
            SetCapture();
            m_nPressed = m_nHeld = pressedClose;
            RedrawButton(m_rectClose);
            return;
        }
        // An inactive expand button is part of the caption: a press on it drags the bar.
        if (m_rectExpand.PtInRect(screen) && IsExpandable()) {
            SetCapture();
            m_nPressed = m_nHeld = pressedExpand;
            RedrawButton(m_rectExpand);
            return;
        }
    }
    CControlBar::OnLButtonDown(nFlags, point);
}

void CDKSizeControlBar::OnMouseMove(UINT nFlags, CPoint point) {
    if (GetCapture() == this && m_nHeld != pressedNone) {
        CPoint screen = point;
        ClientToScreen(&screen);
        const bool over = m_nHeld == pressedClose ? m_rectClose.PtInRect(screen) != FALSE
                                                  : m_rectExpand.PtInRect(screen) && IsExpandable();
        const int pressed = over ? m_nHeld : pressedNone;
        if (pressed != m_nPressed) {
            m_nPressed = pressed;
            RedrawButton(m_rectClose);
            RedrawButton(m_rectExpand);
        }
    }
    CControlBar::OnMouseMove(nFlags, point);
}

void CDKSizeControlBar::OnLButtonUp(UINT, CPoint point) {
    const int held = m_nHeld;
    m_nPressed = m_nHeld = pressedNone;
    if (held == pressedClose) RedrawButton(m_rectClose);
    if (held == pressedExpand) RedrawButton(m_rectExpand);
    if (GetCapture() != this) {
        Default();
        return;
    }
    ReleaseCapture();
    CPoint screen = point;
    ClientToScreen(&screen);
    if (held == pressedClose && m_rectClose.PtInRect(screen)) {
        if (CFrameWnd* frame = GetParentFrame()) frame->ShowControlBar(this, FALSE, FALSE);
        return;
    }
    if (held == pressedExpand && m_rectExpand.PtInRect(screen) && IsDocked() &&
        m_pDockBar->IsKindOf(RUNTIME_CLASS(CDKSizeDockBar)))
        static_cast<CDKSizeDockBar*>(m_pDockBar)->Expand(this, !m_bExpanded);
}

// ---- Menu and commands ----

CDKMDIFloatWnd* CDKSizeControlBar::GetMDIFloatWnd() const {
    CFrameWnd* frame = GetParentFrame();
    return frame && frame->IsKindOf(RUNTIME_CLASS(CDKMDIFloatWnd)) ? static_cast<CDKMDIFloatWnd*>(frame)
                                                                   : nullptr;
}

void CDKSizeControlBar::AppendMenuItems(HMENU hMenu) {
    CMenu* menu = CMenu::FromHandle(hMenu);
    const bool inMDI = GetMDIFloatWnd() != nullptr;
    if ((m_dwSCBStyle & SZBAR_MDIFLOAT) && m_pDockContext)
        menu->AppendMenu(MF_STRING | (inMDI ? MF_CHECKED : 0), ID_SZBAR_MDIFLOAT,
                         LoadText(ID_SZBAR_MDIFLOAT));
    const BOOL allowed = (m_dwDockStyle & CBRS_ALIGN_ANY) != 0;
    if (!inMDI && (allowed || (m_dwSavedDockStyle & CBRS_ALIGN_ANY)))
        menu->AppendMenu(MF_STRING | (allowed ? MF_CHECKED : 0), ID_SZBAR_ALLOWDOCKING,
                         LoadText(ID_SZBAR_ALLOWDOCKING));
    menu->AppendMenu(MF_STRING, ID_SZBAR_HIDE, LoadText(ID_SZBAR_HIDE));
}

LRESULT CDKSizeControlBar::OnAppendMenu(WPARAM, LPARAM lParam) {
    AppendMenuItems(reinterpret_cast<HMENU>(lParam));
    return 1;
}

void CDKSizeControlBar::OnContextMenu(CWnd*, CPoint point) {
    if (!(m_dwSCBStyle & SZBAR_CONTEXTMENU)) {
        Default();
        return;
    }
    CMenu menu;
    menu.CreatePopupMenu();
    SendMessage(WM_SZBAR_APPENDMENU, 0, reinterpret_cast<LPARAM>(menu.m_hMenu));
    menu.TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, this);
}

LRESULT CDKSizeControlBar::OnFloatKind(WPARAM, LPARAM) {
    CFrameWnd* frame = GetParentFrame();
    if (frame && frame->IsKindOf(RUNTIME_CLASS(CDKSizableMiniDockFrameWnd)))
        static_cast<CDKSizableMiniDockFrameWnd*>(frame)->DecideKind();
    return 1;
}

void CDKSizeControlBar::OnHide() {
    if (CDKMDIFloatWnd* floatWnd = GetMDIFloatWnd()) {
        // The MDI window goes with the bar, and the next document window comes to the front.
        floatWnd->ShowControlBar(this, FALSE, FALSE);
        floatWnd->ShowWindow(SW_HIDE);
        if (CFrameWnd* top = floatWnd->GetTopLevelFrame(); top && top->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
            ::SendMessage(static_cast<CMDIFrameWnd*>(top)->m_hWndMDIClient, WM_MDINEXT, 0, 0);
        return;
    }
    if (CFrameWnd* frame = GetParentFrame()) frame->ShowControlBar(this, FALSE, FALSE);
}

void CDKSizeControlBar::OnMdiFloat() {
    CFrameWnd* top = GetTopLevelFrame();
    if (!m_pDockContext || !top || !top->IsKindOf(RUNTIME_CLASS(CDKMDIFrameWndSizeDock))) return;
    auto* main = static_cast<CDKMDIFrameWndSizeDock*>(top);
    const CPoint pt = m_pDockContext->m_ptMRUFloatPos;
    if (GetMDIFloatWnd())
        main->FloatBarOutOfMDIChild(this, pt, CBRS_ALIGN_TOP);
    else
        main->FloatBarInMDIChild(this, pt, CBRS_ALIGN_TOP);
}

void CDKSizeControlBar::OnAllowDocking() {
    if (!(m_dwDockStyle & CBRS_ALIGN_ANY)) {
        EnableDocking(m_dwSavedDockStyle);
        return;
    }
    m_dwSavedDockStyle = m_dwDockStyle & CBRS_ALIGN_ANY;
    if (!IsFloating() && m_pDockContext) m_pDockContext->ToggleDocking();
    EnableDocking(0);
}
