// CControlBar: layout in the frame, borders and gripper, idle updates, forwarding to the owner,
// and the start of docking drags.

#include "platform/framework/CControlBar.h"

#include "platform/framework/CDC.h"
#include "platform/framework/CDockBar.h"
#include "platform/framework/CDockContext.h"
#include "platform/framework/CDockState.h"
#include "platform/framework/CFrameWnd.h"
#include "platform/framework/FrameworkStrings.h"

#include <algorithm>

namespace {

const int kGripper = 3;       // the gripper's thickness
const int kGripperBorder = 2; // room on each side of it

bool isHorz(DWORD style) {
    return (style & CBRS_ORIENT_HORZ) != 0;
}

} // namespace

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_WM_NCCALCSIZE()
    ON_WM_NCHITTEST()
    ON_WM_NCPAINT()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_WINDOWPOSCHANGING()
END_MESSAGE_MAP()

CControlBar::CControlBar() = default;

CControlBar::~CControlBar() {
    delete m_pDockContext;
    m_pDockContext = nullptr;
}

void CControlBar::SetBarStyle(DWORD dwStyle) {
    if (m_dwStyle == dwStyle) return;
    DWORD old = m_dwStyle;
    m_dwStyle = dwStyle & CBRS_ALL;
    if (m_hWnd) OnBarStyleChange(old, m_dwStyle);
}

void CControlBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) {
    // Borders and gripper live in the non-client area: a change of either resizes it.
    if ((dwOldStyle ^ dwNewStyle) & (CBRS_BORDER_ANY | CBRS_ALIGN_ANY | CBRS_GRIPPER | CBRS_FLOATING))
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom) {
    m_cxLeftBorder = cxLeft;
    m_cyTopBorder = cyTop;
    m_cxRightBorder = cxRight;
    m_cyBottomBorder = cyBottom;
}

CFrameWnd* CControlBar::GetDockingFrame() const {
    CFrameWnd* pFrame = GetParentFrame();
    return pFrame ? pFrame : m_pDockSite;
}

BOOL CControlBar::IsFloating() const {
    if (IsDockBar()) return static_cast<const CDockBar*>(this)->m_bFloating;
    return m_pDockBar && m_pDockBar->m_bFloating;
}

BOOL CControlBar::IsVisible() const {
    if (m_nStateFlags & delayShow) return TRUE;
    return (GetStyle() & WS_VISIBLE) && !(m_nStateFlags & delayHide);
}

void CControlBar::EnableDocking(DWORD dwDockStyle) {
    m_dwDockStyle = dwDockStyle;
    if (dwDockStyle == 0) {
        delete m_pDockContext;
        m_pDockContext = nullptr;
        return;
    }
    if (!m_pDockContext) m_pDockContext = new CDockContext(this);
    if (m_hWndOwner == nullptr) m_hWndOwner = ::GetParent(m_hWnd);
}

// ---- Layout ----

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    return CSize(bStretch && bHorz ? 32767 : 0, bStretch && !bHorz ? 32767 : 0);
}

CSize CControlBar::CalcDynamicLayout(int, DWORD nMode) {
    if (nMode & (LM_HORZDOCK | LM_VERTDOCK))
        return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZDOCK) != 0);
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const {
    DWORD style = m_dwStyle;
    if (style & CBRS_BORDER_LEFT) rect.left += afxData.cxBorder2;
    if (style & CBRS_BORDER_TOP) rect.top += afxData.cyBorder2;
    if (style & CBRS_BORDER_RIGHT) rect.right -= afxData.cxBorder2;
    if (style & CBRS_BORDER_BOTTOM) rect.bottom -= afxData.cyBorder2;
    bool gripper = (style & (CBRS_GRIPPER | CBRS_FLOATING)) == CBRS_GRIPPER;
    int grip = gripper ? kGripperBorder + kGripper + kGripperBorder : 0;
    // The borders turn with the bar: the left and right ones run along a vertical bar's length.
    if (bHorz) {
        rect.left += m_cxLeftBorder + grip;
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
    } else {
        rect.left += m_cyTopBorder;
        rect.top += m_cxLeftBorder + grip;
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
    }
}

void CControlBar::DelayShow(BOOL bShow) {
    m_nStateFlags &= ~static_cast<UINT>(delayHide | delayShow);
    bool visible = (GetStyle() & WS_VISIBLE) != 0;
    if (bShow && !visible)
        m_nStateFlags |= delayShow;
    else if (!bShow && visible)
        m_nStateFlags |= delayHide;
}

DWORD CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout) {
    DWORD style = (m_dwStyle & CBRS_ALIGN_ANY) | (GetStyle() & WS_VISIBLE);
    if (!(m_nStateFlags & (delayHide | delayShow))) return style;
    bool show = (m_nStateFlags & delayShow) != 0;
    style = show ? (style | WS_VISIBLE) : (style & ~static_cast<DWORD>(WS_VISIBLE));
    if (lpLayout && lpLayout->hDWP) {
        m_nStateFlags &= ~static_cast<UINT>(delayHide | delayShow);
        UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, flags | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    }
    return style;
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam) {
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    DWORD style = RecalcDelayShow(layout);
    if (!(style & WS_VISIBLE) || !(style & CBRS_ALIGN_ANY)) return 0;
    CRect rect(layout->rect);
    CSize avail = rect.Size();
    DWORD mode = layout->bStretch ? LM_STRETCH : 0;
    if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && (m_dwStyle & CBRS_FLOATING))
        mode |= LM_HORZ | LM_MRUWIDTH;
    else if (style & CBRS_ORIENT_HORZ)
        mode |= LM_HORZ | LM_HORZDOCK;
    else
        mode |= LM_VERTDOCK;
    if (layout->hDWP) mode |= LM_COMMIT;
    CSize size = CalcDynamicLayout(-1, mode);
    size.cx = std::min(size.cx, avail.cx);
    size.cy = std::min(size.cy, avail.cy);
    if (style & CBRS_ORIENT_HORZ) {
        layout->sizeTotal.cy += size.cy;
        layout->sizeTotal.cx = std::max(layout->sizeTotal.cx, size.cx);
        if (style & CBRS_ALIGN_TOP) {
            layout->rect.top += size.cy;
        } else {
            rect.top = rect.bottom - size.cy;
            layout->rect.bottom -= size.cy;
        }
    } else {
        layout->sizeTotal.cx += size.cx;
        layout->sizeTotal.cy = std::max(layout->sizeTotal.cy, size.cy);
        if (style & CBRS_ALIGN_LEFT) {
            layout->rect.left += size.cx;
        } else {
            rect.left = rect.right - size.cx;
            layout->rect.right -= size.cx;
        }
    }
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;
    if (layout->hDWP) AfxRepositionWindow(layout, m_hWnd, &rect);
    return 0;
}

// ---- Updating ----

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
    if (!(GetStyle() & WS_VISIBLE)) return 0;
    if (m_nStateFlags & statusSet) {
        // The fly-by prompt goes back to idle once the mouse has left the bar.
        CPoint cursor;
        ::GetCursorPos(&cursor);
        if (::WindowFromPoint(cursor) != m_hWnd) UpdateFlyBy(CPoint(-32000, -32000));
    }
    CWnd* owner = GetOwner();
    CFrameWnd* target = owner && owner->IsFrameWnd() ? static_cast<CFrameWnd*>(owner) : GetParentFrame();
    if (target) OnUpdateCmdUI(target, static_cast<BOOL>(wParam));
    return 0;
}

void CControlBar::GetBarInfo(CControlBarInfo* pInfo) {
    pInfo->m_pBar = this;
    pInfo->m_nBarID = static_cast<UINT>(GetDlgCtrlID());
    pInfo->m_bVisible = IsVisible();
    pInfo->m_nMRUWidth = m_nMRUWidth;
    pInfo->m_bHorz = isHorz(m_dwStyle);
    CRect rect;
    GetWindowRect(&rect);
    if (CWnd* parent = GetParent()) parent->ScreenToClient(&rect);
    pInfo->m_pointPos = rect.TopLeft();
    pInfo->m_bDocking = m_pDockContext != nullptr;
    if (!m_pDockContext) return;
    pInfo->m_uMRUDockID = m_pDockContext->m_uMRUDockID;
    pInfo->m_rectMRUDockPos = m_pDockContext->m_rectMRUDockPos;
    pInfo->m_dwMRUFloatStyle = m_pDockContext->m_dwMRUFloatStyle;
    pInfo->m_ptMRUFloatPos = m_pDockContext->m_ptMRUFloatPos;
}

void CControlBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd*) {
    UINT flags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    flags |= pInfo->m_bVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
    m_nStateFlags &= ~static_cast<UINT>(delayHide | delayShow);
    ::SetWindowPos(m_hWnd, nullptr, pInfo->m_pointPos.x, pInfo->m_pointPos.y, 0, 0, flags);
    m_nMRUWidth = pInfo->m_nMRUWidth;
    if (!pInfo->m_bDocking || !m_pDockContext) return;
    m_pDockContext->m_uMRUDockID = pInfo->m_uMRUDockID;
    m_pDockContext->m_rectMRUDockPos = pInfo->m_rectMRUDockPos;
    m_pDockContext->m_dwMRUFloatStyle = pInfo->m_dwMRUFloatStyle;
    m_pDockContext->m_ptMRUFloatPos = pInfo->m_ptMRUFloatPos;
}

// ---- Creation and destruction ----

BOOL CControlBar::PreCreateWindow(CREATESTRUCT& cs) {
    if (!CWnd::PreCreateWindow(cs)) return FALSE;
    // Bars take no room of their own in the frame's border: WS_BORDER is drawn by DrawBorders.
    cs.style &= ~static_cast<DWORD>(WS_BORDER);
    return TRUE;
}

int CControlBar::OnCreate(LPCREATESTRUCT lpcs) {
    if (CWnd::OnCreate(lpcs) == -1) return -1;
    CWnd* parent = CWnd::FromHandle(lpcs->hwndParent);
    if (parent && parent->IsFrameWnd()) {
        m_pDockSite = static_cast<CFrameWnd*>(parent);
        m_pDockSite->AddControlBar(this);
    }
    return 0;
}

void CControlBar::OnDestroy() {
    if (m_pDockBar) {
        m_pDockBar->ForgetBar(this);
        m_pDockBar = nullptr;
    }
    if (m_pDockSite) {
        m_pDockSite->RemoveControlBar(this);
        m_pDockSite = nullptr;
    }
    CWnd::OnDestroy();
}

BOOL CControlBar::DestroyWindow() {
    // A floating bar goes with its mini frame.
    if (m_hWnd && IsFloating() && !IsDockBar()) {
        CFrameWnd* frame = GetDockingFrame();
        if (frame && frame != m_pDockSite) return frame->DestroyWindow();
    }
    return CWnd::DestroyWindow();
}

void CControlBar::PostNcDestroy() {
    if (m_bAutoDelete) delete this;
}

// ---- Messages ----

LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM: {
        // The bar's own map (and reflection to the control) first, then the owner.
        LRESULT result = 0;
        if (OnWndMsg(message, wParam, lParam, &result)) return result;
        CWnd* owner = GetOwner();
        if (owner && owner->m_hWnd != m_hWnd) return PassNotificationOn(owner, message, wParam, lParam);
        return DefWindowProc(message, wParam, lParam);
    }
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

void CControlBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp) {
    CRect rect;
    rect.SetRectEmpty();
    CalcInsideRect(rect, isHorz(m_dwStyle));
    RECT& r = lpncsp->rgrc[0];
    r.left += rect.left;
    r.top += rect.top;
    r.right += rect.right;
    r.bottom += rect.bottom;
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
}

// The borders and gripper answer as client area, so a press on them reaches OnLButtonDown.
LRESULT CControlBar::OnNcHitTest(CPoint) {
    return HTCLIENT;
}

void CControlBar::OnNcPaint() {
    EraseNonClient();
}

void CControlBar::OnPaint() {
    Default();
}

BOOL CControlBar::OnEraseBkgnd(CDC* pDC) {
    CRect rect;
    ::GetClipBox(pDC->m_hDC, &rect);
    pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

void CControlBar::EraseNonClient() {
    CWindowDC dc(this);
    CRect client;
    GetClientRect(&client);
    CRect window;
    GetWindowRect(&window);
    ScreenToClient(&window);
    client.OffsetRect(-window.left, -window.top);
    dc.ExcludeClipRect(&client);
    window.OffsetRect(-window.left, -window.top);
    CRect inside = window;
    DrawBorders(&dc, inside);
    dc.IntersectClipRect(&inside);
    dc.FillSolidRect(&inside, ::GetSysColor(COLOR_BTNFACE));
    DrawGripper(&dc, inside);
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect) {
    DWORD style = m_dwStyle;
    if (!(style & CBRS_BORDER_ANY)) return;
    COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    // An etched line on each bordered side: shadow outside, highlight inside.
    if (style & CBRS_BORDER_TOP) {
        pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, shadow);
        pDC->FillSolidRect(rect.left, rect.top + 1, rect.Width(), 1, light);
    }
    if (style & CBRS_BORDER_BOTTOM) {
        pDC->FillSolidRect(rect.left, rect.bottom - 2, rect.Width(), 1, shadow);
        pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, light);
    }
    if (style & CBRS_BORDER_LEFT) {
        pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), shadow);
        pDC->FillSolidRect(rect.left + 1, rect.top, 1, rect.Height(), light);
    }
    if (style & CBRS_BORDER_RIGHT) {
        pDC->FillSolidRect(rect.right - 2, rect.top, 1, rect.Height(), shadow);
        pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), light);
    }
    if (style & CBRS_BORDER_LEFT) rect.left += afxData.cxBorder2;
    if (style & CBRS_BORDER_TOP) rect.top += afxData.cyBorder2;
    if (style & CBRS_BORDER_RIGHT) rect.right -= afxData.cxBorder2;
    if (style & CBRS_BORDER_BOTTOM) rect.bottom -= afxData.cyBorder2;
}

void CControlBar::DrawGripper(CDC* pDC, const CRect& rect) {
    if ((m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) != CBRS_GRIPPER) return;
    COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    CRect grip;
    if (isHorz(m_dwStyle))
        grip.SetRect(rect.left + m_cxLeftBorder + kGripperBorder, rect.top + m_cyTopBorder,
                     rect.left + m_cxLeftBorder + kGripperBorder + kGripper, rect.bottom - m_cyBottomBorder);
    else
        grip.SetRect(rect.left + m_cyTopBorder, rect.top + m_cxLeftBorder + kGripperBorder,
                     rect.right - m_cyBottomBorder, rect.top + m_cxLeftBorder + kGripperBorder + kGripper);
    pDC->Draw3dRect(&grip, light, shadow);
}

// ---- Mouse ----

void CControlBar::OnLButtonDown(UINT, CPoint point) {
    if (m_pDockContext && OnToolHitTest(point, nullptr) == -1) {
        ClientToScreen(&point);
        m_pDockContext->StartDrag(point);
        return;
    }
    Default();
}

void CControlBar::OnLButtonDblClk(UINT, CPoint point) {
    if (m_pDockContext && OnToolHitTest(point, nullptr) == -1) {
        m_pDockContext->ToggleDocking();
        return;
    }
    Default();
}

void CControlBar::OnMouseMove(UINT, CPoint point) {
    if (m_dwStyle & CBRS_FLYBY) UpdateFlyBy(point);
    Default();
}

void CControlBar::UpdateFlyBy(CPoint point) {
    INT_PTR hit = OnToolHitTest(point, nullptr);
    UINT id = hit > 0 ? static_cast<UINT>(hit) : 0;
    if (id == m_nFlyByID) return;
    m_nFlyByID = id;
    CWnd* owner = GetOwner();
    if (!owner) return;
    owner->SendMessage(WM_SETMESSAGESTRING, id ? id : AFX_IDS_IDLEMESSAGE);
    if (id)
        m_nStateFlags |= statusSet;
    else
        m_nStateFlags &= ~static_cast<UINT>(statusSet);
}

void CControlBar::OnWindowPosChanging(WINDOWPOS* lpWndPos) {
    Default();
    // Borders drawn for the old size are wrong for the new one.
    if (!(lpWndPos->flags & SWP_NOSIZE)) lpWndPos->flags |= SWP_FRAMECHANGED;
}
