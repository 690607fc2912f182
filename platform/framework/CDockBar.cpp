// CDockBar: rows of docked bars, their layout along the frame's side, and docking into them.

#include "platform/framework/CDockBar.h"

#include "platform/framework/CControlBarInfo.h"
#include "platform/framework/CDockContext.h"
#include "platform/framework/CFrameWnd.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_WM_DESTROY()
    ON_WM_NCPAINT()
END_MESSAGE_MAP()

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating) {
    m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
    m_arrBars.Add(nullptr);
}

CDockBar::~CDockBar() {
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        if (auto* bar = static_cast<CControlBar*>(m_arrBars[i])) bar->m_pDockBar = nullptr;
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    pm::afx::registerStandardClasses();
    m_dwStyle = dwStyle & CBRS_ALL;
    DWORD windowStyle = (dwStyle & ~static_cast<DWORD>(CBRS_ALL)) | WS_CHILD;
    return CWnd::Create(AFX_WNDCONTROLBAR, nullptr, windowStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

// ---- Rows ----

CControlBar* CDockBar::GetDockedControlBar(int nPos) const {
    if (nPos < 0 || nPos >= m_arrBars.GetSize()) return nullptr;
    return static_cast<CControlBar*>(m_arrBars[nPos]);
}

int CDockBar::GetDockedCount() const {
    int count = 0;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        if (m_arrBars[i]) ++count;
    return count;
}

int CDockBar::GetDockedVisibleCount() const {
    int count = 0;
    for (int i = 0; i < m_arrBars.GetSize(); ++i)
        if (CControlBar* bar = GetDockedControlBar(i); bar && bar->IsVisible()) ++count;
    return count;
}

int CDockBar::FindBar(CControlBar* pBar, int nPosExclude) const {
    for (int i = 0; i < m_arrBars.GetSize(); ++i)
        if (i != nPosExclude && m_arrBars[i] == pBar) return i;
    return -1;
}

void CDockBar::NormaliseRows() {
    if (m_arrBars.GetSize() == 0 || m_arrBars[0] != nullptr)
        m_arrBars.InsertAt(0, static_cast<void*>(nullptr));
    for (INT_PTR i = 1; i < m_arrBars.GetSize();) {
        if (!m_arrBars[i] && !m_arrBars[i - 1])
            m_arrBars.RemoveAt(i);
        else
            ++i;
    }
    if (m_arrBars[m_arrBars.GetUpperBound()] != nullptr) m_arrBars.Add(nullptr);
}

CSize CDockBar::LayoutSize() const {
    if (!m_rectLayout.IsRectEmpty()) return m_rectLayout.Size();
    CRect frame;
    if (CFrameWnd* pFrame = GetParentFrame()) pFrame->GetClientRect(&frame);
    return frame.Size();
}

int CDockBar::Insert(CControlBar* pBarIns, CRect rect, CPoint ptMid) {
    bool horz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    int insertAfter = 0, rowWidth = 0, total = 0;
    for (int pos = 0; pos < m_arrBars.GetSize(); ++pos) {
        CControlBar* bar = GetDockedControlBar(pos);
        if (bar) {
            if (!bar->IsVisible()) continue;
            CRect rectBar;
            bar->GetWindowRect(&rectBar);
            ScreenToClient(&rectBar);
            rowWidth = std::max(rowWidth, horz ? rectBar.Height() : rectBar.Width() - 1);
            if (horz ? rect.left > rectBar.left : rect.top > rectBar.top) insertAfter = pos;
            continue;
        }
        // The end of a row (or the list's leading NULL): is the middle above what is laid out?
        total += rowWidth - afxData.cyBorder2;
        rowWidth = 0;
        if ((horz ? ptMid.y : ptMid.x) < total) {
            if (pos == 0) m_arrBars.InsertAt(insertAfter + 1, static_cast<void*>(nullptr));
            m_arrBars.InsertAt(insertAfter + 1, pBarIns);
            return insertAfter + 1;
        }
        insertAfter = pos;
    }
    // Below every row: a new row at the end.
    m_arrBars.InsertAt(insertAfter + 1, static_cast<void*>(nullptr));
    m_arrBars.InsertAt(insertAfter + 1, pBarIns);
    return insertAfter + 1;
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect) {
    CRect rectBar;
    pBar->GetWindowRect(&rectBar);
    if (pBar->m_pDockBar == this && (!lpRect || rectBar == CRect(lpRect))) return;

    if (m_bFloating && (pBar->m_dwDockStyle & CBRS_FLOAT_MULTI)) m_dwStyle |= CBRS_FLOAT_MULTI;
    m_dwStyle &= ~static_cast<DWORD>(CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC);
    m_dwStyle |= pBar->m_dwStyle & (CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC);
    TakeTitleOf(pBar);

    // The bar takes this side's alignment, with all borders.
    DWORD style = pBar->GetBarStyle() & ~static_cast<DWORD>(CBRS_ALIGN_ANY);
    style |= (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
    style = m_bFloating ? (style | CBRS_FLOATING) : (style & ~static_cast<DWORD>(CBRS_FLOATING));
    pBar->SetBarStyle(style);

    bool reshow = false;
    if (pBar->m_pDockBar != this && pBar->IsWindowVisible()) {
        pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
                           SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
        reshow = true;
    }
    int pos = -1;
    if (lpRect) {
        CRect rect(lpRect);
        ScreenToClient(&rect);
        CPoint mid(rect.left + rect.Width() / 2, rect.top + rect.Height() / 2);
        pos = Insert(pBar, rect, mid);
        pBar->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        m_arrBars.Add(pBar);
        m_arrBars.Add(nullptr);
        pBar->SetWindowPos(nullptr, -afxData.cxBorder2, -afxData.cyBorder2, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (pBar->GetParent() != this) pBar->SetParent(this);
    if (pBar->m_pDockBar == this)
        pBar->m_pDockBar->RemoveControlBar(pBar, pos);
    else if (pBar->m_pDockBar)
        pBar->m_pDockBar->RemoveControlBar(pBar);
    pBar->m_pDockBar = this;
    if (!m_bFloating && pBar->m_pDockContext)
        pBar->m_pDockContext->m_uMRUDockID = static_cast<UINT>(GetDlgCtrlID());
    // Its frame is worked out again now that it belongs here: sized above while it still belonged to
    // the dock bar it came from, it kept that one's borders (a pane docked back from floating had
    // no caption).
    pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED |
                           (reshow ? SWP_SHOWWINDOW : 0));
    if (CFrameWnd* frame = GetDockingFrame()) frame->DelayRecalcLayout();
}

void CDockBar::ForgetBar(CControlBar* pBar) {
    int pos = FindBar(pBar);
    if (pos < 0) return;
    m_arrBars.RemoveAt(pos);
    NormaliseRows();
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int) {
    int pos = FindBar(pBar, nPosExclude);
    if (pos < 0) return FALSE;
    m_arrBars.RemoveAt(pos);
    NormaliseRows();
    if (pBar->m_pDockBar == this) pBar->m_pDockBar = nullptr;
    if (!pBar->m_pDockContext) return FALSE; // the bar is going away: nothing more to do
    CFrameWnd* frame = GetDockingFrame();
    if (!frame) return FALSE;
    if (m_bFloating && GetDockedVisibleCount() == 0) {
        if (GetDockedCount() == 0) {
            frame->DestroyWindow();
            return TRUE;
        }
        frame->ShowWindow(SW_HIDE);
        return FALSE;
    }
    frame->DelayRecalcLayout();
    return FALSE;
}

void CDockBar::ShowAll(BOOL bShow) {
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        CControlBar* bar = GetDockedControlBar(i);
        if (!bar) continue;
        if (CFrameWnd* frame = bar->m_pDockSite) frame->ShowControlBar(bar, bShow, FALSE);
    }
}

// ---- Layout ----

LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam) {
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    BOOL oldQuery = m_bLayoutQuery;
    CRect oldRect = m_rectLayout;
    m_bLayoutQuery = layout->hDWP == nullptr;
    m_rectLayout = layout->rect;
    LRESULT result = CControlBar::OnSizeParent(wParam, lParam);
    m_bLayoutQuery = oldQuery;
    m_rectLayout = oldRect;
    return result;
}

namespace {

// A docked entry while the rows are laid out: the bar (NULL at a row's end), its size and where its
// window is; wrapped when this layout moved it into a new row.
struct DockedEntry {
    CControlBar* bar = nullptr;
    bool visible = false;
    CSize size;
    CRect current;
    bool wrapped = false;
    CRect rect;
};

// Places the visible bars of one row along it, from -B: a bar keeps its place when it is further on,
// one past the end moves back into view, and one moved into this row starts it. Answers the index of
// the first bar that finds no room left and must start a new row, or -1 when every bar fits.
int placeRow(std::vector<DockedEntry>& row, int length, bool horz, bool floating) {
    const int b = horz ? afxData.cxBorder2 : afxData.cyBorder2;
    LONG CRect::*start = horz ? &CRect::left : &CRect::top;
    int pt = -b;
    for (int i = 0; i < static_cast<int>(row.size()); ++i) {
        DockedEntry& e = row[i];
        if (!e.visible) continue;
        CRect rect = horz ? CRect(CPoint(pt, 0), e.size) : CRect(CPoint(0, pt), e.size);
        const int along = horz ? rect.Width() : rect.Height();
        auto shift = [&](int by) { horz ? rect.OffsetRect(by, 0) : rect.OffsetRect(0, by); };
        if (e.wrapped) {
            shift(-b - rect.*start);
        } else {
            if (e.current.*start > rect.*start && !floating) shift(e.current.*start - rect.*start);
            if (rect.*start + along > length && !floating)
                shift(std::max(length - (along - b), pt) - rect.*start);
            if (rect.*start >= length - b && i > 0) return i;
        }
        e.rect = rect;
        pt = rect.*start + along - b;
    }
    return -1;
}

} // namespace

DWORD CDockBar::DockedLayoutMode(const CControlBar* pBar) const {
    DWORD mode = LM_VERTDOCK;
    if ((pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (pBar->m_dwStyle & CBRS_FLOATING))
        mode = LM_HORZ | LM_MRUWIDTH;
    else if (pBar->m_dwStyle & CBRS_ORIENT_HORZ)
        mode = LM_HORZ | LM_HORZDOCK;
    // A bar takes the shape it is given (a tool bar's buttons wrap into a column at a side); a
    // query leaves it as it is.
    return m_bLayoutQuery ? mode : mode | LM_COMMIT;
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    CSize fixed = CControlBar::CalcFixedLayout(bStretch, bHorz);
    const CSize maxSize = LayoutSize();
    const int length = bHorz ? maxSize.cx : maxSize.cy;
    const int bx = afxData.cxBorder2, by = afxData.cyBorder2;

    // Rows first: each row of bars, split before every bar that finds no room left in it.
    std::vector<std::vector<DockedEntry>> rows;
    std::vector<DockedEntry> row;
    for (int pos = 0; pos < m_arrBars.GetSize(); ++pos) {
        CControlBar* bar = GetDockedControlBar(pos);
        if (!bar) {
            if (pos > 0) rows.push_back(std::move(row));
            row.clear();
            continue;
        }
        DockedEntry e;
        e.bar = bar;
        e.visible = bar->IsVisible() != FALSE;
        if (e.visible) {
            e.size = bar->CalcDynamicLayout(-1, DockedLayoutMode(bar));
            bar->GetWindowRect(&e.current);
            ScreenToClient(&e.current);
        }
        row.push_back(e);
    }
    if (!row.empty()) rows.push_back(std::move(row));
    std::vector<std::vector<DockedEntry>> decided;
    for (std::vector<DockedEntry>& r : rows) {
        for (int at = placeRow(r, length, bHorz, m_bFloating); at >= 0;
             at = placeRow(r, length, bHorz, m_bFloating)) {
            decided.emplace_back(r.begin(), r.begin() + at);
            r.erase(r.begin(), r.begin() + at);
            r.front().wrapped = true;
        }
        decided.push_back(std::move(r));
    }
    m_arrBars.RemoveAll();
    m_arrBars.Add(nullptr);
    for (const std::vector<DockedEntry>& r : decided) {
        for (const DockedEntry& e : r)
            m_arrBars.Add(e.bar);
        m_arrBars.Add(nullptr);
    }

    // Then the bars placed in them, row after row.
    AFX_SIZEPARENTPARAMS layout{};
    layout.hDWP = m_bLayoutQuery ? nullptr : ::BeginDeferWindowPos(static_cast<int>(m_arrBars.GetSize()));
    CPoint pt(-bx, -by);
    for (const std::vector<DockedEntry>& r : decided) {
        int rowWidth = 0;
        for (const DockedEntry& e : r) {
            if (e.visible) {
                CRect rect = e.rect;
                rect.OffsetRect(bHorz ? 0 : pt.x, bHorz ? pt.y : 0);
                if (!m_bLayoutQuery && !(e.bar->m_dwStyle & CBRS_FLOATING) && e.bar->m_pDockContext)
                    e.bar->m_pDockContext->m_rectMRUDockPos = rect;
                if (rect != e.current) AfxRepositionWindow(&layout, e.bar->m_hWnd, &rect);
                (bHorz ? pt.x : pt.y) = (bHorz ? rect.right : rect.bottom) - (bHorz ? bx : by);
                rowWidth = std::max<int>(rowWidth, bHorz ? e.size.cy : e.size.cx);
            }
            e.bar->RecalcDelayShow(&layout);
        }
        if (rowWidth == 0) continue;
        if (bHorz) {
            pt.y += rowWidth - by;
            fixed.cx = std::max(fixed.cx, pt.x);
            fixed.cy = std::max(fixed.cy, pt.y);
            pt.x = -bx;
        } else {
            pt.x += rowWidth - bx;
            fixed.cx = std::max(fixed.cx, pt.x);
            fixed.cy = std::max(fixed.cy, pt.y);
            pt.y = -by;
        }
    }
    if (layout.hDWP) ::EndDeferWindowPos(layout.hDWP);
    CRect inside;
    inside.SetRectEmpty();
    CalcInsideRect(inside, bHorz);
    if ((!bStretch || !bHorz) && fixed.cx != 0) fixed.cx += inside.left - inside.right;
    if ((!bStretch || bHorz) && fixed.cy != 0) fixed.cy += inside.top - inside.bottom;
    return fixed;
}

void CDockBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

void CDockBar::OnNcPaint() {
    EraseNonClient();
}

void CDockBar::OnDestroy() {
    // The bars go with their windows: they must not reach back into this one.
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        if (auto* bar = static_cast<CControlBar*>(m_arrBars[i])) bar->m_pDockBar = nullptr;
    m_arrBars.RemoveAll();
    m_arrBars.Add(nullptr);
    CControlBar::OnDestroy();
}

// ---- Saved state ----

void CDockBar::GetBarInfo(CControlBarInfo* pInfo) {
    pInfo->m_pBar = this;
    pInfo->m_nBarID = static_cast<UINT>(GetDlgCtrlID());
    pInfo->m_bDockBar = TRUE;
    pInfo->m_bFloating = m_bFloating;
    pInfo->m_bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    pInfo->m_bVisible = IsVisible();
    if (m_bFloating) {
        CRect rect;
        if (CFrameWnd* frame = GetParentFrame()) frame->GetWindowRect(&rect);
        pInfo->m_pointPos = rect.TopLeft();
        pInfo->m_bVisible = GetParentFrame() && GetParentFrame()->IsWindowVisible();
    }
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        CControlBar* bar = GetDockedControlBar(i);
        pInfo->m_arrBarID.Add(bar ? static_cast<UINT>(bar->GetDlgCtrlID()) : 0);
    }
}

void CDockBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd) {
    // The saved rows, with the bars found in the frame; bars already here that the saved rows do
    // not name stay, in a row of their own.
    CPtrArray kept;
    for (int i = 0; i < m_arrBars.GetSize(); ++i)
        if (m_arrBars[i]) kept.Add(m_arrBars[i]);
    m_arrBars.RemoveAll();
    m_arrBars.Add(nullptr);
    DWORD align = m_dwStyle & CBRS_ALIGN_ANY;
    for (INT_PTR i = 0; i < pInfo->m_arrBarID.GetSize(); ++i) {
        UINT id = pInfo->m_arrBarID[i];
        if (id == 0) {
            m_arrBars.Add(nullptr);
            continue;
        }
        CControlBar* bar = pFrameWnd->GetControlBar(id);
        if (!bar || bar->IsDockBar() || FindBar(bar) >= 0) continue;
        if (bar->m_pDockBar && bar->m_pDockBar != this) bar->m_pDockBar->ForgetBar(bar);
        for (INT_PTR k = 0; k < kept.GetSize(); ++k)
            if (kept[k] == bar) kept.RemoveAt(k--);
        if (bar->GetParent() != this) bar->SetParent(this);
        DWORD style = (bar->GetBarStyle() & ~static_cast<DWORD>(CBRS_ALIGN_ANY | CBRS_FLOATING)) | align |
                      CBRS_BORDER_ANY;
        if (m_bFloating) style |= CBRS_FLOATING;
        bar->SetBarStyle(style);
        bar->m_pDockBar = this;
        m_arrBars.Add(bar);
    }
    for (INT_PTR k = 0; k < kept.GetSize(); ++k) {
        m_arrBars.Add(nullptr);
        m_arrBars.Add(kept[k]);
    }
    NormaliseRows();
    if (m_bFloating) {
        m_dwStyle &= ~static_cast<DWORD>(CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC);
        for (int i = 0; i < m_arrBars.GetSize(); ++i)
            if (CControlBar* bar = GetDockedControlBar(i))
                m_dwStyle |= bar->m_dwStyle & (CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC);
        for (int i = 0; i < m_arrBars.GetSize(); ++i)
            if (CControlBar* bar = GetDockedControlBar(i)) {
                TakeTitleOf(bar);
                break;
            }
    }
}

void CDockBar::TakeTitleOf(CControlBar* pBar) {
    if (m_dwStyle & CBRS_FLOAT_MULTI) return;
    CString title;
    pBar->GetWindowText(title);
    SetWindowText(title);
}
