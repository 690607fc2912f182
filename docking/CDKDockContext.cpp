#include "docking/CDKDockContext.h"

#include "docking/CDKSizeControlBar.h"
#include "docking/CDKSizeDockBar.h"
#include "platform/framework/CDockBar.h"
#include "platform/framework/CFrameWnd.h"
#include "platform/framework/CMiniFrameWnd.h"

namespace {

bool Horizontal(DWORD style) {
    return (style & CBRS_ORIENT_HORZ) != 0;
}
bool Vertical(DWORD style) {
    return (style & CBRS_ORIENT_VERT) != 0;
}

// Shifts rect sideways so that x lies within it.
void ShiftToInclude(CRect& rect, int x) {
    if (x < rect.left)
        rect.OffsetRect(x - rect.left, 0);
    else if (x > rect.right)
        rect.OffsetRect(x - rect.right, 0);
}

// A length of an outline: a third of the inner extent when the bar would nearly fill it.
int OutlineLength(int length, int extent) {
    return length >= extent - 16 ? extent / 3 : length;
}

// Marks the floating frame of a bar floated by a drag.
constexpr DWORD kFloatedByDragStyle = 0x0001;

CDKSizeControlBar* SizeBar(CControlBar* bar) {
    return bar->IsKindOf(RUNTIME_CLASS(CDKSizeControlBar)) ? static_cast<CDKSizeControlBar*>(bar) : nullptr;
}

} // namespace

CDKDockContext::CDKDockContext(CControlBar* pBar) : CDockContext(pBar) {}

CRect CDKDockContext::InnerArea() const {
    CRect inner;
    m_pDockSite->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd_reposQuery, &inner);
    for (UINT id : {AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT}) {
        CControlBar* dock = m_pDockSite->GetControlBar(id);
        if (!dock || !dock->IsWindowVisible()) continue;
        CRect r;
        dock->GetWindowRect(&r);
        if (id == AFX_IDW_DOCKBAR_LEFT)
            inner.left -= r.Width();
        else
            inner.right += r.Width();
    }
    m_pDockSite->ClientToScreen(&inner);
    return inner;
}

void CDKDockContext::StartDrag(CPoint pt) {
    CDKSizeControlBar* bar = SizeBar(m_pBar);
    if (bar && bar->GetMDIFloatWnd())
        return; // a bar floating among the document windows moves with its window
    m_dwDockStyle = m_pBar->m_dwDockStyle;
    m_dwStyle = m_pBar->m_dwStyle & CBRS_ALIGN_ANY;
    if ((m_dwDockStyle & CBRS_ALIGN_ANY) == CBRS_ALIGN_ANY)
        if (CWnd* main = AfxGetMainWnd()) main->SendMessage(WM_SETMESSAGESTRING, ID_SZBAR_PROMPT);
    m_bDragging = TRUE;
    InitLoop();
    m_bForceFrame = FALSE;
    m_ptStart = m_ptLast = pt;

    CRect rect;
    m_pBar->GetWindowRect(&rect);
    m_rectInner = InnerArea();
    const CSize horz = bar ? bar->m_szHorz : m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK);
    const CSize vert = bar ? bar->m_szVert : m_pBar->CalcDynamicLayout(-1, LM_VERTDOCK);
    const CSize floating = bar ? bar->m_szFloat : horz;
    m_rectDragHorz = CRect(rect.TopLeft(), CSize(OutlineLength(horz.cx, m_rectInner.Width()), horz.cy));
    m_rectDragVert = CRect(rect.TopLeft(), CSize(vert.cx, OutlineLength(vert.cy, m_rectInner.Height())));
    CRect frame(rect.TopLeft(), floating);
    CMiniFrameWnd::CalcBorders(&frame, WS_THICKFRAME | WS_CAPTION, WS_EX_TOOLWINDOW);
    frame.OffsetRect(rect.left - frame.left, rect.top - frame.top);
    m_rectFrameDragHorz = m_rectFrameDragVert = frame;
    for (CRect* r : {&m_rectDragHorz, &m_rectDragVert, &m_rectFrameDragHorz, &m_rectFrameDragVert})
        ShiftToInclude(*r, pt.x);
    UpdateBands();

    LockDesktop();
    m_dwOverDockStyle = CanDock();
    DrawFocusRect();
    Track();
    EndLoop();
}

void CDKDockContext::LockDesktop() {
    m_bInLoop = TRUE;
    m_bLocked = ::LockWindowUpdate(::GetDesktopWindow());
}

void CDKDockContext::EndLoop() {
    if (!m_bInLoop) return;
    m_bInLoop = FALSE;
    if (m_bLocked) ::LockWindowUpdate(nullptr);
    m_bLocked = FALSE;
    if (CWnd* main = AfxGetMainWnd()) main->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
}

void CDKDockContext::UpdateBands() {
    m_rectFullWidth = CRect(m_rectInner.left, m_rectDragHorz.top, m_rectInner.right, m_rectDragHorz.bottom);
    m_rectFullHeight = CRect(m_rectDragVert.left, m_rectInner.top, m_rectDragVert.right, m_rectInner.bottom);
}

DWORD CDKDockContext::CanDock() {
    UpdateBands();
    m_pTargetDockBar = nullptr;
    const DWORD horzStyle = m_dwDockStyle & ~static_cast<DWORD>(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
    const DWORD vertStyle = m_dwDockStyle & ~static_cast<DWORD>(CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
    bool horz = false;
    if (Horizontal(m_dwDockStyle) && m_pDockSite->CanDock(m_rectFullWidth, horzStyle))
        horz = true;
    else if (!Vertical(m_dwDockStyle) || !m_pDockSite->CanDock(m_rectFullHeight, vertStyle))
        return 0;
    const CRect& band = horz ? m_rectFullWidth : m_rectFullHeight;
    const CRect& drag = horz ? m_rectDragHorz : m_rectDragVert;
    m_rectDrop = band;
    const DWORD found = m_pDockSite->CanDock(drag, horz ? horzStyle : vertStyle, &m_pTargetDockBar);
    if (!found) return 0;
    if (m_pTargetDockBar && m_pTargetDockBar->IsKindOf(RUNTIME_CLASS(CDKSizeDockBar))) {
        const int others = static_cast<CDKSizeDockBar*>(m_pTargetDockBar)->RowBarCount(m_pBar, band);
        if (others > 0) {
            m_rectDrop = drag;
            if (horz)
                m_rectDrop.right = m_rectDrop.left + band.Width() / (others + 1);
            else
                m_rectDrop.bottom = m_rectDrop.top + band.Height() / (others + 1);
        }
    }
    return found;
}

void CDKDockContext::DrawFocusRect(BOOL bRemoveRect) {
    CRect rect;
    CSize size(1, 1);
    bool dither = false;
    if (m_dwOverDockStyle) {
        rect = m_rectDrop;
        rect.DeflateRect(1, 1);
    } else {
        rect = m_rectFrameDragHorz;
        size = CSize(::GetSystemMetrics(SM_CXFRAME) - 1, ::GetSystemMetrics(SM_CYFRAME) - 1);
        dither = true;
    }
    if (bRemoveRect) size = CSize(0, 0);
    DrawOutline(rect, size, dither, m_bLocked ? DCX_LOCKWINDOWUPDATE : 0);
    if (!bRemoveRect) m_rectLastOutline = rect;
}

void CDKDockContext::EndDrag() {
    CancelLoop();
    EndLoop();
    if (m_ptLast == m_ptStart) return;
    CDKSizeControlBar* bar = SizeBar(m_pBar);
    if (m_dwOverDockStyle) {
        CDockBar* target = nullptr;
        m_pDockSite->CanDock(m_rectDrop, m_dwOverDockStyle, &target);
        if (!target) return;
        if (bar) {
            if (Vertical(m_dwOverDockStyle))
                bar->m_szVert = m_rectDrop.Size();
            else
                bar->m_szHorz = m_rectDrop.Size();
        }
        const bool fromElsewhere = m_pBar->m_pDockBar != target;
        auto* sizeDock =
            target->IsKindOf(RUNTIME_CLASS(CDKSizeDockBar)) ? static_cast<CDKSizeDockBar*>(target) : nullptr;
        const int codeBefore = sizeDock ? sizeDock->ArrangementCode() : 0;
        m_pDockSite->DockControlBar(m_pBar, target, &m_rectDrop);
        if (sizeDock) {
            if (fromElsewhere || sizeDock->ArrangementCode() != codeBefore) sizeDock->AdjustForNewBar(m_pBar);
            sizeDock->m_nLayoutSignature = 0;
        }
        m_pDockSite->RecalcLayout();
        return;
    }
    m_ptMRUFloatPos = m_rectFrameDragHorz.TopLeft();
    m_dwMRUFloatStyle = CBRS_ALIGN_TOP | (m_dwDockStyle & CBRS_FLOAT_MULTI);
    m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
    m_pBar->SendMessage(WM_SZBAR_FLOATKIND);
    if (CFrameWnd* frame = m_pBar->GetParentFrame()) frame->ModifyStyle(0, kFloatedByDragStyle);
}

void CDKDockContext::ToggleDocking() {
    CDKSizeControlBar* bar = SizeBar(m_pBar);
    if (bar && bar->GetMDIFloatWnd()) return;
    CDockContext::ToggleDocking();
    // A bar that floats now lets its new frame decide its kind.
    if (m_pBar->IsFloating()) m_pBar->SendMessage(WM_SZBAR_FLOATKIND);
}
