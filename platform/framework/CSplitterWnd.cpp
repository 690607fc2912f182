// CSplitterWnd: the grid of panes, its layout, the bars and their tracking, and dynamic splits.

#include "platform/framework/CSplitterWnd.h"

#include "platform/framework/CDC.h"
#include "platform/framework/CFrameWnd.h"
#include "platform/framework/CView.h"

#include <algorithm>
#include <climits>

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_KEYDOWN()
    ON_WM_CANCELMODE()
    ON_WM_CAPTURECHANGED()
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

namespace {
const int kMaxPanes = 16; // rows or columns a splitter can hold (pane ids have room for 16)
}

CSplitterWnd::CSplitterWnd() = default;

// ---- Creation ----

BOOL CSplitterWnd::CreateCommon(CWnd* pParentWnd, SIZE sizeMin, DWORD dwStyle, UINT nID) {
    m_pRowInfo.assign(static_cast<size_t>(m_nMaxRows), CRowColInfo{});
    m_pColInfo.assign(static_cast<size_t>(m_nMaxCols), CRowColInfo{});
    for (CRowColInfo& row : m_pRowInfo)
        row.nMinSize = row.nIdealSize = sizeMin.cy;
    for (CRowColInfo& col : m_pColInfo)
        col.nMinSize = col.nIdealSize = sizeMin.cx;
    pm::afx::registerStandardClasses();
    DWORD style = (dwStyle & ~static_cast<DWORD>(WS_HSCROLL | WS_VSCROLL)) | WS_CHILD | WS_CLIPCHILDREN;
    return CWnd::Create(AFX_WND, nullptr, style, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID) {
    if (nRows < 1 || nCols < 1 || nRows > kMaxPanes || nCols > kMaxPanes) return FALSE;
    m_nRows = m_nMaxRows = nRows;
    m_nCols = m_nMaxCols = nCols;
    return CreateCommon(pParentWnd, CSize(0, 0), dwStyle & ~static_cast<DWORD>(SPLS_DYNAMIC_SPLIT), nID);
}

BOOL CSplitterWnd::Create(CWnd* pParentWnd, int nMaxRows, int nMaxCols, SIZE sizeMin,
                          CCreateContext* pContext, DWORD dwStyle, UINT nID) {
    if (!pContext || !pContext->m_pNewViewClass || nMaxRows < 1 || nMaxCols < 1 || nMaxRows > 2 ||
        nMaxCols > 2)
        return FALSE;
    m_pDynamicViewClass = pContext->m_pNewViewClass;
    m_nMaxRows = nMaxRows;
    m_nMaxCols = nMaxCols;
    m_nRows = m_nCols = 1;
    if (!CreateCommon(pParentWnd, sizeMin, dwStyle | SPLS_DYNAMIC_SPLIT, nID)) return FALSE;
    return CreateView(0, 0, m_pDynamicViewClass, sizeMin, pContext);
}

BOOL CSplitterWnd::CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit,
                              CCreateContext* pContext) {
    if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols || GetPane(row, col)) return FALSE;
    auto* pane = pViewClass ? static_cast<CWnd*>(pViewClass->CreateObject()) : nullptr;
    if (!pane) return FALSE;
    CRect rect(CPoint(0, 0), sizeInit);
    if (!pane->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, rect, this,
                      static_cast<UINT>(IdFromRowCol(row, col)), pContext))
        return FALSE; // the view deleted itself
    m_pColInfo[static_cast<size_t>(col)].nIdealSize = sizeInit.cx;
    m_pRowInfo[static_cast<size_t>(row)].nIdealSize = sizeInit.cy;
    return TRUE;
}

// ---- Panes and sizes ----

CWnd* CSplitterWnd::GetPane(int row, int col) const {
    if (row < 0 || col < 0 || row >= m_nRows || col >= m_nCols) return nullptr;
    return GetDlgItem(IdFromRowCol(row, col));
}

BOOL CSplitterWnd::IsChildPane(CWnd* pWnd, int* pRow, int* pCol) const {
    if (!pWnd || pWnd->GetParent() != this) return FALSE;
    int id = pWnd->GetDlgCtrlID() - AFX_IDW_PANE_FIRST;
    int row = id / 16, col = id % 16;
    if (id < 0 || row >= m_nRows || col >= m_nCols) return FALSE;
    if (pRow) *pRow = row;
    if (pCol) *pCol = col;
    return TRUE;
}

void CSplitterWnd::GetRowInfo(int row, int& cyCur, int& cyMin) const {
    const CRowColInfo& info = m_pRowInfo.at(static_cast<size_t>(row));
    cyCur = info.nCurSize;
    cyMin = info.nMinSize;
}

void CSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin) {
    CRowColInfo& info = m_pRowInfo.at(static_cast<size_t>(row));
    info.nIdealSize = std::max(cyIdeal, 0);
    info.nMinSize = std::max(cyMin, 0);
}

void CSplitterWnd::GetColumnInfo(int col, int& cxCur, int& cxMin) const {
    const CRowColInfo& info = m_pColInfo.at(static_cast<size_t>(col));
    cxCur = info.nCurSize;
    cxMin = info.nMinSize;
}

void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin) {
    CRowColInfo& info = m_pColInfo.at(static_cast<size_t>(col));
    info.nIdealSize = std::max(cxIdeal, 0);
    info.nMinSize = std::max(cxMin, 0);
}

// ---- Layout ----

void CSplitterWnd::GetInsideRect(CRect& rect) const {
    GetClientRect(&rect);
    rect.InflateRect(-m_cxBorder, -m_cyBorder);
}

// Sizes along one direction: panes take their ideal sizes in order (one below its minimum is not
// shown), the last takes the rest, and a pane that does not reach its minimum gives its room to
// the one before.
void CSplitterWnd::Layout(std::vector<CRowColInfo>& info, int count, int size, int gap) {
    int left = std::max(size, 0);
    for (int i = 0; i < count; ++i) {
        CRowColInfo& pane = info[static_cast<size_t>(i)];
        pane.nCurSize = i == count - 1 ? INT_MAX : (pane.nIdealSize < pane.nMinSize ? 0 : pane.nIdealSize);
    }
    for (int i = 0; i < count; ++i) {
        CRowColInfo& pane = info[static_cast<size_t>(i)];
        if (left == 0) {
            pane.nCurSize = 0;
            continue;
        }
        if (i != 0 && left < pane.nMinSize) {
            pane.nCurSize = 0;
            info[static_cast<size_t>(i - 1)].nCurSize += left + gap; // the bar before it goes too
            left = 0;
            continue;
        }
        if (pane.nCurSize == 0 && i != 0) {
            // Too small to see.
        } else if (left < pane.nCurSize) {
            pane.nCurSize = left;
            left = 0;
        } else {
            left -= pane.nCurSize;
        }
        if (i == count - 1) continue;
        if (left > gap) {
            left -= gap;
        } else {
            pane.nCurSize += left;
            left = 0;
        }
    }
}

int CSplitterWnd::Offset(const std::vector<CRowColInfo>& info, int n, int gap) {
    int offset = 0;
    for (int i = 0; i < n; ++i)
        offset += info[static_cast<size_t>(i)].nCurSize + gap;
    return offset;
}

void CSplitterWnd::RecalcLayout() {
    if (!m_hWnd || m_nRows == 0 || m_nCols == 0) return;
    CRect inside;
    GetInsideRect(inside);
    Layout(m_pColInfo, m_nCols, inside.Width(), m_cxSplitterGap);
    Layout(m_pRowInfo, m_nRows, inside.Height(), m_cySplitterGap);
    AFX_SIZEPARENTPARAMS layout{};
    layout.hDWP = ::BeginDeferWindowPos((m_nCols + 1) * (m_nRows + 1));
    for (int col = 0; col < m_nCols; ++col) {
        int x = inside.left + Offset(m_pColInfo, col, m_cxSplitterGap);
        int cx = m_pColInfo[static_cast<size_t>(col)].nCurSize;
        for (int row = 0; row < m_nRows; ++row) {
            int y = inside.top + Offset(m_pRowInfo, row, m_cySplitterGap);
            int cy = m_pRowInfo[static_cast<size_t>(row)].nCurSize;
            CWnd* pane = GetPane(row, col);
            if (!pane) continue;
            CRect rect(x, y, x + cx, y + cy);
            // A pane's own edge lies in the splitter's border around it.
            if ((pane->GetExStyle() & WS_EX_CLIENTEDGE) && cx > 0 && cy > 0)
                rect.InflateRect(m_cxBorder, m_cyBorder);
            AfxRepositionWindow(&layout, pane->m_hWnd, &rect);
        }
    }
    ::EndDeferWindowPos(layout.hDWP);
    Invalidate();
}

void CSplitterWnd::OnSize(UINT, int, int) {
    Default();
    RecalcLayout();
}

// ---- Drawing ----

void CSplitterWnd::OnPaint() {
    CPaintDC dc(this);
    DrawAllSplitBars(&dc);
}

void CSplitterWnd::DrawAllSplitBars(CDC* pDC) {
    CRect inside;
    GetInsideRect(inside);
    for (int col = 0; col < m_nCols - 1; ++col) {
        int x = inside.left + Offset(m_pColInfo, col, m_cxSplitterGap) +
                m_pColInfo[static_cast<size_t>(col)].nCurSize;
        if (x >= inside.right) break;
        OnDrawSplitter(pDC, splitBar,
                       CRect(x, inside.top - m_cyBorder, x + m_cxSplitter, inside.bottom + m_cyBorder));
    }
    for (int row = 0; row < m_nRows - 1; ++row) {
        int y = inside.top + Offset(m_pRowInfo, row, m_cySplitterGap) +
                m_pRowInfo[static_cast<size_t>(row)].nCurSize;
        if (y >= inside.bottom) break;
        OnDrawSplitter(pDC, splitBar,
                       CRect(inside.left - m_cxBorder, y, inside.right + m_cxBorder, y + m_cySplitter));
    }
}

void CSplitterWnd::OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect) {
    if (!pDC) {
        InvalidateRect(&rect);
        return;
    }
    CRect r = rect;
    if (nType == splitBorder) {
        pDC->Draw3dRect(&r, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        return;
    }
    pDC->FillSolidRect(&r, ::GetSysColor(COLOR_BTNFACE));
    pDC->Draw3dRect(&r, ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_WINDOWFRAME));
    r.InflateRect(-1, -1);
    pDC->Draw3dRect(&r, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
}

// The tracker is drawn on the desktop's overlay, above the panes it crosses.
void CSplitterWnd::OnInvertTracker(const CRect& rect) {
    if (rect.IsRectEmpty()) return;
    CRect screen = rect;
    ClientToScreen(&screen);
    HWND desktop = ::GetDesktopWindow();
    HDC dc = ::GetDCEx(desktop, nullptr, DCX_WINDOW | DCX_CACHE);
    HGDIOBJ old = ::SelectObject(dc, CDC::GetHalftoneBrush()->m_hObject);
    ::PatBlt(dc, screen.left, screen.top, screen.Width(), screen.Height(), PATINVERT);
    ::SelectObject(dc, old);
    ::ReleaseDC(desktop, dc);
}

// ---- Hit testing and tracking ----

int CSplitterWnd::HitTest(CPoint pt) const {
    CRect inside;
    GetInsideRect(inside);
    int col = 0, row = 0;
    for (; col < m_nCols - 1; ++col) {
        int x = inside.left + Offset(m_pColInfo, col, m_cxSplitterGap) +
                m_pColInfo[static_cast<size_t>(col)].nCurSize;
        if (pt.x >= x && pt.x < x + m_cxSplitterGap) break;
    }
    for (; row < m_nRows - 1; ++row) {
        int y = inside.top + Offset(m_pRowInfo, row, m_cySplitterGap) +
                m_pRowInfo[static_cast<size_t>(row)].nCurSize;
        if (pt.y >= y && pt.y < y + m_cySplitterGap) break;
    }
    bool onColumnBar = col != m_nCols - 1, onRowBar = row != m_nRows - 1;
    if (onColumnBar && onRowBar) return splitterIntersection1 + row * 15 + col;
    if (onColumnBar) return vSplitterBar1 + col;
    if (onRowBar) return hSplitterBar1 + row;
    return noHit;
}

void CSplitterWnd::GetHitRect(int ht, CRect& rect) {
    CRect inside;
    GetInsideRect(inside);
    m_ptTrackOffset = CPoint(0, 0);
    if (ht >= vSplitterBar1 && ht < vSplitterBar1 + kMaxPanes) {
        int col = ht - vSplitterBar1;
        int left = inside.left + Offset(m_pColInfo, col, m_cxSplitterGap);
        int x = left + m_pColInfo[static_cast<size_t>(col)].nCurSize;
        rect.SetRect(x, inside.top, x + m_cxSplitterGap, inside.bottom);
        m_ptTrackOffset.x = -(m_cxSplitterGap / 2);
        m_rectLimit.left = std::max(m_rectLimit.left, static_cast<LONG>(left));
        int nextRight = x + m_cxSplitterGap + m_pColInfo[static_cast<size_t>(col + 1)].nCurSize;
        m_rectLimit.right = std::min(m_rectLimit.right, static_cast<LONG>(nextRight - m_cxSplitterGap));
    } else if (ht >= hSplitterBar1 && ht < hSplitterBar1 + kMaxPanes) {
        int row = ht - hSplitterBar1;
        int top = inside.top + Offset(m_pRowInfo, row, m_cySplitterGap);
        int y = top + m_pRowInfo[static_cast<size_t>(row)].nCurSize;
        rect.SetRect(inside.left, y, inside.right, y + m_cySplitterGap);
        m_ptTrackOffset.y = -(m_cySplitterGap / 2);
        m_rectLimit.top = std::max(m_rectLimit.top, static_cast<LONG>(top));
        int nextBottom = y + m_cySplitterGap + m_pRowInfo[static_cast<size_t>(row + 1)].nCurSize;
        m_rectLimit.bottom = std::min(m_rectLimit.bottom, static_cast<LONG>(nextBottom - m_cySplitterGap));
    } else if (ht == vSplitterBox) {
        // A new row: the tracker starts across the middle.
        int y = inside.top + inside.Height() / 2;
        rect.SetRect(inside.left, y, inside.right, y + m_cySplitterGap);
        m_ptTrackOffset.y = -(m_cySplitterGap / 2);
        m_rectLimit.bottom -= m_cySplitterGap;
    } else if (ht == hSplitterBox) {
        int x = inside.left + inside.Width() / 2;
        rect.SetRect(x, inside.top, x + m_cxSplitterGap, inside.bottom);
        m_ptTrackOffset.x = -(m_cxSplitterGap / 2);
        m_rectLimit.right -= m_cxSplitterGap;
    } else {
        rect.SetRectEmpty();
    }
}

BOOL CSplitterWnd::DoKeyboardSplit() {
    int ht = noHit;
    if (m_nRows > 1 && m_nCols > 1)
        ht = splitterIntersection1;
    else if (m_nRows > 1)
        ht = hSplitterBar1;
    else if (m_nCols > 1)
        ht = vSplitterBar1;
    else if (m_pDynamicViewClass && m_nMaxRows > 1 && m_nMaxCols > 1)
        ht = bothSplitterBox;
    else if (m_pDynamicViewClass && m_nMaxRows > 1)
        ht = vSplitterBox;
    else if (m_pDynamicViewClass && m_nMaxCols > 1)
        ht = hSplitterBox;
    if (ht == noHit || m_bTracking) return FALSE;
    StartTracking(ht);
    m_bKeyboardTracking = TRUE;
    // The pointer goes where the tracker is, so that moving it moves the tracker from there.
    CPoint pt(m_rectTracker.left, m_rectTracker.top);
    if (m_bTracking2) pt.x = m_rectTracker2.left;
    pt.Offset(-m_ptTrackOffset.x, -m_ptTrackOffset.y);
    ClientToScreen(&pt);
    ::SetCursorPos(pt.x, pt.y);
    return TRUE;
}

void CSplitterWnd::StartTracking(int ht) {
    if (ht == noHit) return;
    GetInsideRect(m_rectLimit);
    m_rectTracker2.SetRectEmpty();
    if (ht >= splitterIntersection1 || ht == bothSplitterBox) {
        // Both bars at once: the row's tracker and the column's.
        int row = (ht - splitterIntersection1) / 15, col = (ht - splitterIntersection1) % 15;
        GetHitRect(ht == bothSplitterBox ? vSplitterBox : row + hSplitterBar1, m_rectTracker);
        int yOffset = m_ptTrackOffset.y;
        GetHitRect(ht == bothSplitterBox ? hSplitterBox : col + vSplitterBar1, m_rectTracker2);
        m_ptTrackOffset.y = yOffset;
        m_bTracking2 = TRUE;
    } else {
        GetHitRect(ht, m_rectTracker);
    }
    SetCapture();
    SetFocus();
    RedrawWindow(nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW);
    m_bTracking = TRUE;
    m_htTrack = ht;
    OnInvertTracker(m_rectTracker);
    if (m_bTracking2) OnInvertTracker(m_rectTracker2);
    SetSplitCursor(ht);
}

void CSplitterWnd::StopTracking(BOOL bAccept) {
    if (!m_bTracking) return;
    OnInvertTracker(m_rectTracker);
    if (m_bTracking2) OnInvertTracker(m_rectTracker2);
    bool both = m_bTracking2;
    m_bTracking = m_bTracking2 = m_bKeyboardTracking = FALSE;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    if (!bAccept) return;
    int ht = m_htTrack;
    CRect inside;
    GetInsideRect(inside);
    if (ht == vSplitterBox || ht == hSplitterBox || ht == bothSplitterBox) {
        if (ht != hSplitterBox) SplitRow(m_rectTracker.top - inside.top);
        if (ht != vSplitterBox) SplitColumn((both ? m_rectTracker2 : m_rectTracker).left - inside.left);
        return;
    }
    if (ht >= vSplitterBar1 && ht < vSplitterBar1 + kMaxPanes) {
        TrackColumnSize(m_rectTracker.left, ht - vSplitterBar1);
    } else if (ht >= hSplitterBar1 && ht < hSplitterBar1 + kMaxPanes) {
        TrackRowSize(m_rectTracker.top, ht - hSplitterBar1);
    } else if (both) {
        TrackRowSize(m_rectTracker.top, (ht - splitterIntersection1) / 15);
        TrackColumnSize(m_rectTracker2.left, (ht - splitterIntersection1) % 15);
    }
    RecalcLayout();
}

void CSplitterWnd::TrackColumnSize(int x, int col) {
    if (col + 1 >= m_nCols) return;
    CRect inside;
    GetInsideRect(inside);
    int size = x - (inside.left + Offset(m_pColInfo, col, m_cxSplitterGap));
    CRowColInfo& info = m_pColInfo[static_cast<size_t>(col)];
    const CRowColInfo& next = m_pColInfo[static_cast<size_t>(col + 1)];
    bool dynamic = (GetStyle() & SPLS_DYNAMIC_SPLIT) != 0;
    if (size < info.nMinSize) {
        info.nIdealSize = 0; // dragged too small: the column goes
        if (dynamic) DeleteColumn(col);
    } else if (info.nCurSize + next.nCurSize < size + next.nMinSize) {
        info.nIdealSize = size; // no room left for the next column
        if (dynamic) DeleteColumn(col + 1);
    } else {
        info.nIdealSize = size;
    }
}

void CSplitterWnd::TrackRowSize(int y, int row) {
    if (row + 1 >= m_nRows) return;
    CRect inside;
    GetInsideRect(inside);
    int size = y - (inside.top + Offset(m_pRowInfo, row, m_cySplitterGap));
    CRowColInfo& info = m_pRowInfo[static_cast<size_t>(row)];
    const CRowColInfo& next = m_pRowInfo[static_cast<size_t>(row + 1)];
    bool dynamic = (GetStyle() & SPLS_DYNAMIC_SPLIT) != 0;
    if (size < info.nMinSize) {
        info.nIdealSize = 0;
        if (dynamic) DeleteRow(row);
    } else if (info.nCurSize + next.nCurSize < size + next.nMinSize) {
        info.nIdealSize = size;
        if (dynamic) DeleteRow(row + 1);
    } else {
        info.nIdealSize = size;
    }
}

void CSplitterWnd::OnLButtonDown(UINT, CPoint point) {
    if (m_bKeyboardTracking) {
        StopTracking(TRUE); // a click sets the keyboard split
        return;
    }
    if (!m_bTracking) StartTracking(HitTest(point));
}

void CSplitterWnd::OnLButtonDblClk(UINT, CPoint) {}

void CSplitterWnd::OnLButtonUp(UINT, CPoint) {
    if (!m_bKeyboardTracking) StopTracking(TRUE);
}

void CSplitterWnd::OnMouseMove(UINT, CPoint pt) {
    if (!m_bTracking) {
        SetSplitCursor(HitTest(pt));
        return;
    }
    MoveTracker(pt);
}

void CSplitterWnd::MoveTracker(CPoint pt) {
    pt.Offset(m_ptTrackOffset);
    pt.x = std::clamp<LONG>(pt.x, m_rectLimit.left, std::max(m_rectLimit.left, m_rectLimit.right));
    pt.y = std::clamp<LONG>(pt.y, m_rectLimit.top, std::max(m_rectLimit.top, m_rectLimit.bottom));
    bool rowBar =
        (m_htTrack >= hSplitterBar1 && m_htTrack < hSplitterBar1 + kMaxPanes) || m_htTrack == vSplitterBox;
    bool columnBar =
        (m_htTrack >= vSplitterBar1 && m_htTrack < vSplitterBar1 + kMaxPanes) || m_htTrack == hSplitterBox;
    if ((rowBar || m_bTracking2) && m_rectTracker.top != pt.y) {
        OnInvertTracker(m_rectTracker);
        m_rectTracker.OffsetRect(0, pt.y - m_rectTracker.top);
        OnInvertTracker(m_rectTracker);
    }
    CRect& column = m_bTracking2 ? m_rectTracker2 : m_rectTracker;
    if ((columnBar || m_bTracking2) && column.left != pt.x) {
        OnInvertTracker(column);
        column.OffsetRect(pt.x - column.left, 0);
        OnInvertTracker(column);
    }
}

void CSplitterWnd::OnKeyDown(UINT nChar, UINT, UINT) {
    if (!m_bTracking) {
        Default();
        return;
    }
    if (nChar == VK_ESCAPE || nChar == VK_RETURN) {
        StopTracking(nChar == VK_RETURN);
        return;
    }
    // The arrows move the pointer, and with it the tracker.
    const int step = 8;
    CPoint pt;
    ::GetCursorPos(&pt);
    switch (nChar) {
    case VK_LEFT:
        pt.x -= step;
        break;
    case VK_RIGHT:
        pt.x += step;
        break;
    case VK_UP:
        pt.y -= step;
        break;
    case VK_DOWN:
        pt.y += step;
        break;
    default:
        return;
    }
    ::SetCursorPos(pt.x, pt.y);
    ScreenToClient(&pt);
    MoveTracker(pt);
}

void CSplitterWnd::OnCancelMode() {
    StopTracking(FALSE);
}

void CSplitterWnd::OnCaptureChanged(CWnd* pWnd) {
    if (m_bTracking && (!pWnd || pWnd->m_hWnd != m_hWnd)) StopTracking(FALSE);
}

BOOL CSplitterWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    if (nHitTest == HTCLIENT && pWnd == this && !m_bTracking) return TRUE; // OnMouseMove sets it
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CSplitterWnd::SetSplitCursor(int ht) {
    LPCSTR cursor = IDC_ARROW;
    if (ht >= splitterIntersection1)
        cursor = IDC_SIZEALL;
    else if (ht >= hSplitterBar1)
        cursor = IDC_SIZENS;
    else if (ht >= vSplitterBar1)
        cursor = IDC_SIZEWE;
    ::SetCursor(::LoadCursor(nullptr, cursor));
}

// ---- Dynamic splits ----

namespace {

// The creation context for a new pane: the document of the pane beside it.
CCreateContext contextFor(CRuntimeClass* viewClass, CWnd* neighbour) {
    CCreateContext context;
    context.m_pNewViewClass = viewClass;
    if (neighbour && neighbour->IsKindOf(RUNTIME_CLASS(CView)))
        context.m_pCurrentDoc = static_cast<CView*>(neighbour)->GetDocument();
    return context;
}

} // namespace

BOOL CSplitterWnd::SplitRow(int cyBefore) {
    if (!m_pDynamicViewClass || m_nRows >= m_nMaxRows) return FALSE;
    int last = m_nRows - 1;
    int cyNew = m_pRowInfo[static_cast<size_t>(last)].nCurSize - cyBefore - m_cySplitterGap;
    if (cyBefore < m_pRowInfo[static_cast<size_t>(last)].nMinSize ||
        cyNew < m_pRowInfo[static_cast<size_t>(last + 1)].nMinSize)
        return FALSE;
    ++m_nRows;
    for (int col = 0; col < m_nCols; ++col) {
        CCreateContext context = contextFor(m_pDynamicViewClass, GetPane(last, col));
        CSize size(m_pColInfo[static_cast<size_t>(col)].nCurSize, cyNew); // the column keeps its width
        if (!CreateView(m_nRows - 1, col, m_pDynamicViewClass, size, &context)) {
            for (int done = 0; done < col; ++done)
                GetPane(m_nRows - 1, done)->DestroyWindow();
            --m_nRows;
            return FALSE;
        }
        if (auto* pane = GetPane(m_nRows - 1, col)) pane->SendMessage(WM_INITIALUPDATE);
    }
    m_pRowInfo[static_cast<size_t>(last)].nIdealSize = cyBefore;
    m_pRowInfo[static_cast<size_t>(m_nRows - 1)].nIdealSize = cyNew;
    RecalcLayout();
    return TRUE;
}

BOOL CSplitterWnd::SplitColumn(int cxBefore) {
    if (!m_pDynamicViewClass || m_nCols >= m_nMaxCols) return FALSE;
    int last = m_nCols - 1;
    int cxNew = m_pColInfo[static_cast<size_t>(last)].nCurSize - cxBefore - m_cxSplitterGap;
    if (cxBefore < m_pColInfo[static_cast<size_t>(last)].nMinSize ||
        cxNew < m_pColInfo[static_cast<size_t>(last + 1)].nMinSize)
        return FALSE;
    ++m_nCols;
    for (int row = 0; row < m_nRows; ++row) {
        CCreateContext context = contextFor(m_pDynamicViewClass, GetPane(row, last));
        CSize size(cxNew, m_pRowInfo[static_cast<size_t>(row)].nCurSize); // the row keeps its height
        if (!CreateView(row, m_nCols - 1, m_pDynamicViewClass, size, &context)) {
            for (int done = 0; done < row; ++done)
                GetPane(done, m_nCols - 1)->DestroyWindow();
            --m_nCols;
            return FALSE;
        }
        if (auto* pane = GetPane(row, m_nCols - 1)) pane->SendMessage(WM_INITIALUPDATE);
    }
    m_pColInfo[static_cast<size_t>(last)].nIdealSize = cxBefore;
    m_pColInfo[static_cast<size_t>(m_nCols - 1)].nIdealSize = cxNew;
    RecalcLayout();
    return TRUE;
}

void CSplitterWnd::DeleteRow(int rowDelete) {
    if (m_nRows <= 1 || rowDelete < 0 || rowDelete >= m_nRows) return;
    // The frame's active view must not be one that goes.
    CFrameWnd* frame = GetParentFrame();
    for (int col = 0; col < m_nCols; ++col) {
        CWnd* pane = GetPane(rowDelete, col);
        if (frame && pane && static_cast<CWnd*>(frame->GetActiveView()) == pane) {
            CWnd* other = GetPane(rowDelete == 0 ? 1 : 0, col);
            frame->SetActiveView(other && other->IsKindOf(RUNTIME_CLASS(CView)) ? static_cast<CView*>(other)
                                                                                : nullptr);
        }
        if (pane) pane->DestroyWindow();
    }
    for (int row = rowDelete + 1; row < m_nRows; ++row)
        for (int col = 0; col < m_nCols; ++col)
            if (CWnd* pane = GetPane(row, col)) pane->SetDlgCtrlID(IdFromRowCol(row - 1, col));
    CRowColInfo removed = m_pRowInfo[static_cast<size_t>(rowDelete)];
    m_pRowInfo.erase(m_pRowInfo.begin() + rowDelete);
    m_pRowInfo.push_back(CRowColInfo{removed.nMinSize, removed.nMinSize, 0});
    --m_nRows;
    RecalcLayout();
}

void CSplitterWnd::DeleteColumn(int colDelete) {
    if (m_nCols <= 1 || colDelete < 0 || colDelete >= m_nCols) return;
    CFrameWnd* frame = GetParentFrame();
    for (int row = 0; row < m_nRows; ++row) {
        CWnd* pane = GetPane(row, colDelete);
        if (frame && pane && static_cast<CWnd*>(frame->GetActiveView()) == pane) {
            CWnd* other = GetPane(row, colDelete == 0 ? 1 : 0);
            frame->SetActiveView(other && other->IsKindOf(RUNTIME_CLASS(CView)) ? static_cast<CView*>(other)
                                                                                : nullptr);
        }
        if (pane) pane->DestroyWindow();
    }
    for (int col = colDelete + 1; col < m_nCols; ++col)
        for (int row = 0; row < m_nRows; ++row)
            if (CWnd* pane = GetPane(row, col)) pane->SetDlgCtrlID(IdFromRowCol(row, col - 1));
    CRowColInfo removed = m_pColInfo[static_cast<size_t>(colDelete)];
    m_pColInfo.erase(m_pColInfo.begin() + colDelete);
    m_pColInfo.push_back(CRowColInfo{removed.nMinSize, removed.nMinSize, 0});
    --m_nCols;
    RecalcLayout();
}
