#include "docking/CDKSizeDockBar.h"

#include "docking/CDKResizeTracker.h"
#include "docking/CDKSizableMiniDockFrameWnd.h"
#include "docking/CDKSizeControlBar.h"
#include "docking/CDKSizeToolBar.h"
#include "platform/win/pm_assert.h"
#include "docking/DockRowLayout.h"
#include "docking/SplitCursor.h"
#include "platform/framework/CDC.h"
#include "platform/framework/CDockContext.h"
#include "platform/framework/CFrameWnd.h"
#include "platform/framework/Exceptions.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CDKSizeDockBar, CDockBar)

BEGIN_MESSAGE_MAP(CDKSizeDockBar, CDockBar)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_WM_PAINT()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

namespace {

CDKSizeControlBar* AsSizeBar(CControlBar* bar) {
    return bar && bar->IsKindOf(RUNTIME_CLASS(CDKSizeControlBar)) ? static_cast<CDKSizeControlBar*>(bar)
                                                                  : nullptr;
}

} // namespace

bool IsSizeableBar(const CControlBar* pBar) {
    return pBar && pBar->IsKindOf(RUNTIME_CLASS(CDKSizeControlBar));
}

CDKSizeDockBar::CDKSizeDockBar() : CDockBar(FALSE) {}

CControlBar* CDKSizeDockBar::GetFirstBar() const {
    return GetDockedControlBar(1);
}

// ---- The rows as numbers ----

dock::Row CDKSizeDockBar::BuildRow() const {
    dock::Row row;
    const bool horz = IsHorizontal();
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        CControlBar* bar = GetDockedControlBar(i);
        if (!bar) {
            row.push_back(dock::RowEntry::Boundary());
            continue;
        }
        CRect r(0, 0, 0, 0);
        const bool window = ::IsWindow(bar->m_hWnd);
        if (window) bar->GetWindowRect(&r);
        dock::RowEntry e = dock::RowEntry::Bar(horz ? r.Width() : r.Height(), horz ? r.Height() : r.Width(),
                                               IsSizeableBar(bar), window && bar->IsVisible());
        e.toolBar = bar->IsKindOf(RUNTIME_CLASS(CDKSizeToolBar)) != FALSE;
        if (CDKSizeControlBar* s = AsSizeBar(bar)) {
            e.expanded = s->m_bExpanded != FALSE;
            e.savedLength = horz ? s->m_szSaved.cx : s->m_szSaved.cy;
            e.savedThickness = horz ? s->m_szSaved.cy : s->m_szSaved.cx;
        }
        row.push_back(e);
    }
    return row;
}

dock::Row CDKSizeDockBar::BuildLayoutRow() {
    dock::Row row = BuildRow();
    const bool horz = IsHorizontal();
    for (int i = 0; i < static_cast<int>(row.size()); ++i) {
        CControlBar* bar = GetDockedControlBar(i);
        dock::RowEntry& e = row[i];
        if (!bar || !e.visible) continue;
        const CSize want = bar->CalcDynamicLayout(-1, DockedLayoutMode(bar));
        e.wantLength = std::max<int>(horz ? want.cx : want.cy, 0);
        e.wantThickness = std::max<int>(horz ? want.cy : want.cx, 0);
        CRect current;
        bar->GetWindowRect(&current);
        ScreenToClient(&current);
        e.start = horz ? current.left : current.top;
        e.nowhere = current.IsRectEmpty() || (horz ? current.right <= 0 : current.bottom <= 0);
    }
    return row;
}

void CDKSizeDockBar::ApplyRow(const dock::Row& row, const dock::Row& before, bool resize) {
    PM_ASSERT(row.size() == before.size() && dock::checkInvariants(row));
    const bool horz = IsHorizontal();
    for (int i = 0; i < static_cast<int>(row.size()) && i < m_arrBars.GetSize(); ++i) {
        CDKSizeControlBar* bar = AsSizeBar(GetDockedControlBar(i));
        const dock::RowEntry& e = row[i];
        if (!bar || !e.visible) continue;
        const dock::RowEntry& was = before[i];
        if (e.length == was.length && e.thickness == was.thickness && e.savedLength == was.savedLength &&
            e.savedThickness == was.savedThickness)
            continue;
        const CSize size = horz ? CSize(e.length, e.thickness) : CSize(e.thickness, e.length);
        (horz ? bar->m_szHorz : bar->m_szVert) = size;
        bar->m_szSaved =
            horz ? CSize(e.savedLength, e.savedThickness) : CSize(e.savedThickness, e.savedLength);
        if (resize && !m_bLayoutQuery)
            bar->SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

BOOL CDKSizeDockBar::ShareRowLength(int nIndex, int nLength) {
    const dock::Row before = BuildRow();
    dock::Row row = before;
    if (!dock::ShareRowLength(row, nIndex, nLength, Overlap())) return FALSE;
    ApplyRow(row, before, true);
    return TRUE;
}

BOOL CDKSizeDockBar::ShareAllRows(int nLength) {
    const dock::Row before = BuildRow();
    dock::Row row = before;
    if (!dock::ShareAllRows(row, nLength, Overlap())) return FALSE;
    ApplyRow(row, before, true);
    return TRUE;
}

int CDKSizeDockBar::ArrangementCode() const {
    return dock::ArrangementCode(BuildRow());
}

void CDKSizeDockBar::AdjustForNewBar(CControlBar* pBar) {
    const int index = FindBar(pBar);
    if (index < 0) return;
    const dock::Row before = BuildRow();
    dock::Row row = before;
    if (dock::AdjustForNewBar(row, index, Overlap())) ApplyRow(row, before, true);
}

int CDKSizeDockBar::RowBarCount(CControlBar* pBar, const CRect& rect) {
    CRect r = rect;
    ScreenToClient(&r);
    const CPoint centre = r.CenterPoint();
    const bool horz = IsHorizontal();
    return dock::RowBarCount(BuildRow(), horz ? centre.y : centre.x, FindBar(pBar),
                             horz ? afxData.cyBorder2 : afxData.cxBorder2, horz ? 0 : 1);
}

void CDKSizeDockBar::Expand(CControlBar* pBar, BOOL bExpand) {
    const int index = FindBar(pBar);
    if (index < 0) return;
    const dock::Row before = BuildRow();
    dock::Row row = before;
    dock::Expand(row, index, bExpand != FALSE);
    ApplyRow(row, before, false);
    // Neighbours that were expanded are not any more.
    for (int i = dock::RowStart(row, index); i < dock::RowEnd(row, index); ++i) {
        CDKSizeControlBar* other = AsSizeBar(GetDockedControlBar(i));
        if (other && i != index && before[i].expanded) {
            other->m_bExpanded = FALSE;
            other->RedrawButton(other->m_rectExpand);
        }
    }
    if (CFrameWnd* frame = GetParentFrame()) frame->RecalcLayout();
    CDKSizeControlBar* bar = AsSizeBar(pBar);
    if (bar && bar->m_bExpanded != bExpand) {
        bar->m_bExpanded = bExpand;
        bar->RedrawButton(bar->m_rectExpand);
    }
}

// ---- Layout ----

int CDKSizeDockBar::LayoutExtent() const {
    if (!m_rectLayout.IsRectEmpty()) return IsHorizontal() ? m_rectLayout.Width() : m_rectLayout.Height();
    CFrameWnd* frame = GetParentFrame();
    if (!frame) return 0;
    CRect client;
    frame->GetClientRect(&client);
    // Less the visible, docked dock bars across the top and bottom.
    for (UINT id = 0xE800; id <= 0xE8FF; ++id) {
        CControlBar* bar = frame->GetControlBar(id);
        if (!bar || !bar->IsDockBar() || bar == this || !bar->IsWindowVisible() || bar->IsFloating())
            continue;
        CRect r;
        bar->GetWindowRect(&r);
        frame->ScreenToClient(&r);
        const DWORD style = bar->m_dwStyle;
        if (style & CBRS_ALIGN_TOP)
            client.top = std::max(client.top, r.bottom);
        else if (style & CBRS_ALIGN_BOTTOM)
            client.bottom = std::min(client.bottom, r.top);
    }
    return IsHorizontal() ? client.Width() : client.Height();
}

CSize CDKSizeDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    if (m_arrBars.GetSize() <= 1) return size;
    const bool horz = IsHorizontal();
    dock::LayoutParams params;
    params.extent = LayoutExtent();
    params.overlap = Overlap();
    params.overlapAcross = horz ? afxData.cyBorder2 : afxData.cxBorder2;
    params.leading = IsLeading();
    params.floating = m_bFloating != FALSE;
    // The last row splitter of a left dock bar adds one pixel less than its thickness.
    params.finalSplitterGrowth = (m_dwStyle & CBRS_ALIGN_TOP) ? dock::kSplitterSize : dock::kSplitterSize - 1;
    const dock::Row before = BuildLayoutRow();
    const dock::Layout layout =
        dock::LayOutRows(before, params, horz ? size.cx : size.cy, horz ? size.cy : size.cx);
    TakeRows(layout, before);
    PlaceBars(layout);
    size = horz ? CSize(layout.alongSize, layout.acrossSize) : CSize(layout.acrossSize, layout.alongSize);
    CRect inside(0, 0, 0, 0);
    CalcInsideRect(inside, bHorz);
    if ((!bStretch || !bHorz) && size.cx != 0) size.cx += inside.left - inside.right;
    if ((!bStretch || bHorz) && size.cy != 0) size.cy += inside.top - inside.bottom;
    return size;
}

void CDKSizeDockBar::TakeRows(const dock::Layout& layout, const dock::Row& before) {
    const bool horz = IsHorizontal();
    CPtrArray bars;
    for (size_t i = 0; i < layout.entries.size(); ++i) {
        const int from = layout.source[i];
        bars.Add(from >= 0 ? m_arrBars[from] : nullptr);
        CDKSizeControlBar* bar = from >= 0 ? AsSizeBar(GetDockedControlBar(from)) : nullptr;
        const dock::RowEntry& e = layout.entries[i];
        if (!bar ||
            (e.wantLength == before[from].wantLength && e.wantThickness == before[from].wantThickness))
            continue;
        // A bar moved to a new row shares its length.
        (horz ? bar->m_szHorz : bar->m_szVert) =
            horz ? CSize(e.wantLength, e.wantThickness) : CSize(e.wantThickness, e.wantLength);
    }
    m_arrBars.Copy(bars);
}

void CDKSizeDockBar::PlaceBars(const dock::Layout& layout) {
    const bool horz = IsHorizontal();
    auto toRect = [horz](int along, int across, int alongEnd, int acrossEnd) {
        return horz ? CRect(along, across, alongEnd, acrossEnd) : CRect(across, along, acrossEnd, alongEnd);
    };
    AFX_SIZEPARENTPARAMS deferred{};
    deferred.hDWP = m_bLayoutQuery ? nullptr : ::BeginDeferWindowPos(static_cast<int>(m_arrBars.GetSize()));
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        CControlBar* bar = GetDockedControlBar(i);
        if (!bar) continue;
        if (layout.entries[i].visible) {
            const dock::Placement& at = layout.placed[i];
            const CRect rect = toRect(at.along, at.across, at.along + at.length, at.across + at.thickness);
            CRect current;
            bar->GetWindowRect(&current);
            ScreenToClient(&current);
            if (rect != current) AfxRepositionWindow(&deferred, bar->m_hWnd, &rect);
            if (bar->m_pDockContext && !m_bFloating) {
                if (!m_bLayoutQuery) bar->m_pDockContext->m_rectMRUDockPos = rect;
                bar->m_pDockContext->m_uMRUDockID = static_cast<UINT>(GetDlgCtrlID());
            }
        }
        bar->RecalcDelayShow(&deferred);
    }
    if (deferred.hDWP) ::EndDeferWindowPos(deferred.hDWP);
    m_splitters.clear();
    for (const dock::SplitterPlacement& s : layout.splitters) {
        // Between rows of a top or bottom dock bar a splitter moves up and down; between bars, sideways.
        const int kind = s.betweenRows == horz ? kindUpDown : kindSideways;
        m_splitters.push_back(
            Splitter{toRect(s.along, s.across, s.alongEnd, s.acrossEnd), kind, s.index, s.row});
    }
}

bool CDKSizeDockBar::WasHidden(CControlBar* pBar) const {
    for (INT_PTR i = 0; i < m_arrHiddenBars.GetSize(); ++i)
        if (m_arrHiddenBars[i] == pBar) return true;
    return false;
}

LRESULT CDKSizeDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam) {
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    const bool horz = IsHorizontal();
    const CRect& r = layout->rect;
    const bool lengthChanged = horz ? r.Width() != m_nLastWidth : r.Height() != m_nLastHeight;
    m_nLastWidth = r.Width();
    m_nLastHeight = r.Height();
    const int length = horz ? r.Width() : r.Height();

    // Bars shown again since the last layout take their room from their row's other bars.
    const dock::Row before = BuildRow();
    dock::Row row = before;
    std::vector<bool> returned(row.size(), false);
    for (int i = 0; i < static_cast<int>(row.size()); ++i)
        returned[i] = WasHidden(GetDockedControlBar(i));
    if (dock::ReturnShownBars(row, returned, length, Overlap())) ApplyRow(row, before, true);
    m_arrHiddenBars.RemoveAll();
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        CControlBar* bar = GetDockedControlBar(i);
        if (bar && ::IsWindow(bar->m_hWnd) && !bar->IsVisible()) m_arrHiddenBars.Add(bar);
    }
    const int code = ArrangementCode();
    if (lengthChanged || code != m_nLayoutSignature) {
        ShareAllRows(length);
        m_nLayoutSignature = code;
        for (const Splitter& s : m_splitters)
            InvalidateRect(&s.rect);
    }
    return CDockBar::OnSizeParent(wParam, lParam);
}

// ---- Splitters ----

void CDKSizeDockBar::OnPaint() {
    CPaintDC dc(this);
    for (auto it = m_splitters.rbegin(); it != m_splitters.rend(); ++it) {
        const CRect& r = it->rect;
        if (it->kind == kindSideways) {
            dc.FillSolidRect(r.left + 1, r.top, 1, r.Height(), ::GetSysColor(COLOR_BTNFACE));
            dc.FillSolidRect(r.left + 2, r.top, 1, r.Height(), ::GetSysColor(COLOR_BTNHIGHLIGHT));
            dc.FillSolidRect(r.right - 1, r.top, 1, r.Height(), ::GetSysColor(COLOR_WINDOWFRAME));
            dc.FillSolidRect(r.right - 2, r.top, 1, r.Height(), ::GetSysColor(COLOR_BTNSHADOW));
        } else {
            dc.FillSolidRect(r.left, r.top + 1, r.Width(), 1, ::GetSysColor(COLOR_BTNFACE));
            dc.FillSolidRect(r.left, r.top + 2, r.Width(), 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
            dc.FillSolidRect(r.left, r.bottom - 1, r.Width(), 1, ::GetSysColor(COLOR_WINDOWFRAME));
            dc.FillSolidRect(r.left, r.bottom - 2, r.Width(), 1, ::GetSysColor(COLOR_BTNSHADOW));
        }
    }
}

int CDKSizeDockBar::HitSplitter(CPoint point) const {
    for (size_t i = 0; i < m_splitters.size(); ++i)
        if (m_splitters[i].rect.PtInRect(point)) return static_cast<int>(i);
    return -1;
}

BOOL CDKSizeDockBar::OnSetCursor(CWnd* pWnd, UINT, UINT) {
    if (pWnd == this) return TRUE;
    return static_cast<BOOL>(Default());
}

void CDKSizeDockBar::OnMouseMove(UINT, CPoint point) {
    const int hit = HitSplitter(point);
    ::SetCursor(hit >= 0 ? LoadSplitCursor(m_splitters[hit].kind == kindSideways)
                         : ::LoadCursor(nullptr, IDC_ARROW));
    Default();
}

void CDKSizeDockBar::OnLButtonDown(UINT, CPoint point) {
    const int hit = HitSplitter(point);
    if (hit < 0 || m_nDragged >= 0) {
        Default();
        return;
    }
    TrackSplitter(hit, point);
}

void CDKSizeDockBar::OnLButtonUp(UINT, CPoint) {
    Default();
}

bool CDKSizeDockBar::IsRowSplitter(const Splitter& s) const {
    return (s.kind == kindUpDown) == IsHorizontal();
}

void CDKSizeDockBar::SplitterLimits(const Splitter& s, int* pMin, int* pMax) {
    const bool moveSideways = s.kind == kindSideways;
    // The frame's client, in dock-bar coordinates, bounds every drag.
    CRect client(0, 0, 0, 0);
    if (CFrameWnd* frame = GetParentFrame()) {
        frame->GetClientRect(&client);
        frame->ClientToScreen(&client);
        ScreenToClient(&client);
    }
    const int pos = moveSideways ? s.rect.left : s.rect.top;
    const dock::Row row = BuildRow();
    const dock::Range room = IsRowSplitter(s)
                                 ? dock::RowSplitterRange(row, s.row, IsLeading())
                                 : dock::InRowSplitterRange(row, s.index, LastLength(), Overlap());
    *pMin = std::max<int>((moveSideways ? client.left : client.top) - pos, room.min);
    *pMax =
        std::min<int>((moveSideways ? client.right : client.bottom) - pos - dock::kSplitterSize, room.max);
}

void CDKSizeDockBar::MoveSplitter(int nSplitter, int nDelta) {
    if (nSplitter < 0 || nSplitter >= static_cast<int>(m_splitters.size())) return;
    const Splitter s = m_splitters[nSplitter];
    int lo = 0, hi = 0;
    SplitterLimits(s, &lo, &hi);
    const int delta = std::clamp(nDelta, lo, std::max(lo, hi));
    if (delta == 0) return;
    const dock::Row before = BuildRow();
    dock::Row row = before;
    if (IsRowSplitter(s))
        dock::MoveRowSplitter(row, s.row, IsLeading(), delta);
    else
        dock::MoveInRowSplitter(row, s.index, delta, LastLength(), Overlap());
    ApplyRow(row, before, true);
    Invalidate();
    if (CFrameWnd* frame = GetParentFrame()) frame->RecalcLayout();
}

void CDKSizeDockBar::TrackSplitter(int nSplitter, CPoint start) {
    m_nDragged = nSplitter;
    const Splitter s = m_splitters[nSplitter];
    const bool sideways = s.kind == kindSideways;
    int lo = 0, hi = 0;
    SplitterLimits(s, &lo, &hi);
    // The band: the splitter narrowed to 4 pixels, within the dock bar's last size; it may go as
    // far as the limits of the splitter allow.
    CRect band = s.rect;
    if (sideways)
        band.DeflateRect(2, 0);
    else
        band.DeflateRect(0, 2);
    band.IntersectRect(&band, CRect(0, 0, m_nLastWidth, m_nLastHeight));
    // The positions the band's top-left corner may take.
    CRect limit(band.TopLeft(), band.TopLeft());
    if (sideways) {
        limit.left = band.left + lo;
        limit.right = band.left + std::max(lo, hi);
    } else {
        limit.top = band.top + lo;
        limit.bottom = band.top + std::max(lo, hi);
    }
    CDKResizeTracker tracker(
        band, sideways ? CDKResizeTracker::keepTopAndBottom : CDKResizeTracker::keepLeftAndRight, limit);
    const BOOL moved = tracker.TrackMove(this, start);
    m_nDragged = -1;
    if (!moved) return;
    MoveSplitter(nSplitter, sideways ? tracker.m_rect.left - band.left : tracker.m_rect.top - band.top);
}

void EnableSizeDocking(CFrameWnd* pFrame, DWORD dwDockStyle) {
    struct Side {
        UINT id;
        DWORD style;
    };
    static const Side sides[] = {{AFX_IDW_DOCKBAR_TOP, CBRS_TOP},
                                 {AFX_IDW_DOCKBAR_BOTTOM, CBRS_BOTTOM},
                                 {AFX_IDW_DOCKBAR_LEFT, CBRS_LEFT},
                                 {AFX_IDW_DOCKBAR_RIGHT, CBRS_RIGHT}};
    pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CDKSizableMiniDockFrameWnd);
    for (const Side& side : sides) {
        if (!(side.style & dwDockStyle & CBRS_ALIGN_ANY) || pFrame->GetControlBar(side.id)) continue;
        auto* dock = new CDKSizeDockBar;
        dock->m_bAutoDelete = TRUE;
        if (!dock->Create(pFrame, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CHILD | WS_VISIBLE | side.style,
                          side.id)) {
            delete dock;
            AfxThrowResourceException();
        }
    }
}
