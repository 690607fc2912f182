// CDockContext: the drag and resize loops of a docking bar, and toggling between docked and
// floating.

#include "platform/framework/CDockContext.h"

#include "platform/framework/CControlBar.h"
#include "platform/framework/CDC.h"
#include "platform/framework/CDockBar.h"
#include "platform/framework/CFrameWnd.h"
#include "platform/framework/CMiniFrameWnd.h"

#include <cstdlib>

namespace {

const int kDragThreshold = 4; // pixels the pointer must move before a press becomes a drag

bool horzf(DWORD style) {
    return (style & CBRS_ORIENT_HORZ) != 0;
}
bool vertf(DWORD style) {
    return (style & CBRS_ORIENT_VERT) != 0;
}

// Moves rect so that pt lies inside it, keeping its size.
void adjustRectangle(CRect& rect, CPoint pt) {
    int x = pt.x < rect.left ? pt.x - rect.left : pt.x > rect.right ? pt.x - rect.right : 0;
    int y = pt.y < rect.top ? pt.y - rect.top : pt.y > rect.bottom ? pt.y - rect.bottom : 0;
    rect.OffsetRect(x, y);
}

// The floating frame's outline around a bar's rectangle.
CRect frameOutline(CRect rect) {
    CMiniFrameWnd::CalcBorders(&rect, WS_THICKFRAME | WS_CAPTION, WS_EX_TOOLWINDOW);
    rect.InflateRect(-afxData.cxBorder2, -afxData.cyBorder2);
    return rect;
}

CPoint screenPoint(const MSG& msg) {
    CPoint pt(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
    ::ClientToScreen(msg.hwnd, &pt);
    return pt;
}

} // namespace

CDockContext::CDockContext(CControlBar* pBar)
    : m_pBar(pBar), m_pDockSite(pBar->m_pDockSite ? pBar->m_pDockSite : pBar->GetParentFrame()) {
    m_dwDockStyle = pBar->m_dwDockStyle;
}

// ---- Dragging ----

void CDockContext::StartDrag(CPoint pt) {
    m_dwDockStyle = m_pBar->m_dwDockStyle;
    m_dwStyle = m_pBar->m_dwStyle & CBRS_ALIGN_ANY;
    m_bDragging = TRUE;
    InitLoop();
    CRect rect;
    m_pBar->GetWindowRect(&rect);
    m_ptLast = pt;
    if (m_pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) {
        CSize horz = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK);
        CSize vert = m_pBar->CalcDynamicLayout(0, LM_VERTDOCK);
        CSize floating = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
        m_rectDragHorz = CRect(rect.TopLeft(), horz);
        m_rectDragVert = CRect(rect.TopLeft(), vert);
        m_rectFrameDragHorz = m_rectFrameDragVert = frameOutline(CRect(rect.TopLeft(), floating));
    } else if (m_pBar->m_dwStyle & CBRS_SIZE_FIXED) {
        CSize horz = m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK);
        CSize vert = m_pBar->CalcDynamicLayout(-1, LM_VERTDOCK);
        m_rectDragHorz = CRect(rect.TopLeft(), horz);
        m_rectDragVert = CRect(rect.TopLeft(), vert);
        m_rectFrameDragHorz = frameOutline(m_rectDragHorz);
        m_rectFrameDragVert = frameOutline(m_rectDragVert);
    } else {
        // The bar's own shape for its orientation, the other one turned about the pointer.
        bool horz = horzf(m_dwStyle);
        CSize other = m_pBar->CalcDynamicLayout(-1, horz ? LM_VERTDOCK : (LM_HORZ | LM_HORZDOCK));
        if (horz) {
            m_rectDragHorz = rect;
            m_rectDragVert = CRect(CPoint(pt.x - rect.Height() / 2, rect.top), other);
        } else {
            m_rectDragVert = rect;
            m_rectDragHorz = CRect(CPoint(rect.left, pt.y - rect.Width() / 2), other);
        }
        m_rectFrameDragHorz = frameOutline(m_rectDragHorz);
        m_rectFrameDragVert = frameOutline(m_rectDragVert);
    }
    adjustRectangle(m_rectDragHorz, pt);
    adjustRectangle(m_rectDragVert, pt);
    adjustRectangle(m_rectFrameDragHorz, pt);
    adjustRectangle(m_rectFrameDragVert, pt);
    m_dwOverDockStyle = CanDock();
    Move(pt);
    Track();
}

void CDockContext::Move(CPoint pt) {
    CSize offset = pt - m_ptLast;
    m_rectDragHorz.OffsetRect(offset);
    m_rectFrameDragHorz.OffsetRect(offset);
    m_rectDragVert.OffsetRect(offset);
    m_rectFrameDragVert.OffsetRect(offset);
    m_ptLast = pt;
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    DrawFocusRect();
}

void CDockContext::OnKey(int nChar, BOOL bDown) {
    if (nChar == VK_CONTROL) UpdateState(&m_bForceFrame, bDown);
    if (nChar == VK_SHIFT) UpdateState(&m_bFlip, bDown);
}

void CDockContext::UpdateState(BOOL* pFlag, BOOL bNewValue) {
    if (*pFlag == bNewValue) return;
    *pFlag = bNewValue;
    // Shift turns the bar only when it may dock both ways.
    m_bFlip = horzf(m_dwDockStyle) && vertf(m_dwDockStyle) && m_bFlip;
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    DrawFocusRect();
}

void CDockContext::EndDrag() {
    CancelLoop();
    if (m_dwOverDockStyle != 0) {
        CDockBar* dockBar = GetDockBar(m_dwOverDockStyle);
        m_pDockSite->DockControlBar(m_pBar, dockBar,
                                    horzf(m_dwOverDockStyle) ? &m_rectDragHorz : &m_rectDragVert);
        m_pDockSite->RecalcLayout();
        return;
    }
    bool floatHorz = (m_dwStyle & CBRS_SIZE_DYNAMIC) || (m_pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) ||
                     (horzf(m_dwStyle) && !m_bFlip) || (vertf(m_dwStyle) && m_bFlip);
    m_dwMRUFloatStyle = (floatHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT) | (m_dwDockStyle & CBRS_FLOAT_MULTI);
    m_ptMRUFloatPos = (floatHorz ? m_rectFrameDragHorz : m_rectFrameDragVert).TopLeft();
    m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
}

DWORD CDockContext::CanDock() {
    bool styleHorz = horzf(m_dwStyle);
    if (m_bFlip) styleHorz = !styleHorz;
    DWORD dock = 0;
    if (styleHorz && horzf(m_dwDockStyle))
        dock = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~static_cast<DWORD>(CBRS_ORIENT_VERT));
    else if (vertf(m_dwDockStyle))
        dock = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~static_cast<DWORD>(CBRS_ORIENT_HORZ));
    if (m_bFlip) return dock;
    // Without Shift the other orientation docks too, when both of its shapes agree on the side.
    if (dock == 0 && horzf(m_dwDockStyle)) {
        DWORD mask = m_dwDockStyle & ~static_cast<DWORD>(CBRS_ORIENT_VERT);
        DWORD current = m_pDockSite->CanDock(m_rectDragVert, mask);
        dock = m_pDockSite->CanDock(m_rectDragHorz, mask);
        if (dock != current) dock = 0;
    }
    if (dock == 0 && vertf(m_dwDockStyle)) {
        DWORD mask = m_dwDockStyle & ~static_cast<DWORD>(CBRS_ORIENT_HORZ);
        DWORD current = m_pDockSite->CanDock(m_rectDragHorz, mask);
        dock = m_pDockSite->CanDock(m_rectDragVert, mask);
        if (dock != current) dock = 0;
    }
    return dock;
}

CDockBar* CDockContext::GetDockBar(DWORD dwOverDockStyle) {
    DWORD mask = 0;
    if (horzf(dwOverDockStyle))
        mask = m_dwDockStyle & ~static_cast<DWORD>(CBRS_ORIENT_VERT);
    else
        mask = m_dwDockStyle & ~static_cast<DWORD>(CBRS_ORIENT_HORZ);
    CDockBar* bar = nullptr;
    m_pDockSite->CanDock(horzf(dwOverDockStyle) ? m_rectDragHorz : m_rectDragVert, mask, &bar);
    return bar;
}

// ---- Resizing a floating bar ----

void CDockContext::StartResize(int nHitTest, CPoint pt) {
    m_dwDockStyle = m_pBar->m_dwDockStyle;
    m_dwStyle = m_pBar->m_dwStyle & CBRS_ALIGN_ANY;
    m_bDragging = FALSE;
    InitLoop();
    CRect rect;
    m_pBar->GetWindowRect(&rect);
    m_ptLast = pt;
    m_nHitTest = nHitTest;
    CSize size = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
    m_rectRequestedSize = m_rectActualSize = CRect(rect.TopLeft(), size);
    m_rectActualFrameSize = frameOutline(m_rectActualSize);
    m_rectFrameBorders = CRect(CPoint(0, 0), m_rectActualFrameSize.Size() - m_rectActualSize.Size());
    m_dwOverDockStyle = 0;
    Stretch(pt);
    Track();
}

void CDockContext::Stretch(CPoint pt) {
    CSize offset = pt - m_ptLast;
    DWORD mode = LM_HORZ;
    int length = 0;
    if (m_nHitTest == HTLEFT || m_nHitTest == HTRIGHT) {
        if (m_nHitTest == HTLEFT)
            m_rectRequestedSize.left += offset.cx;
        else
            m_rectRequestedSize.right += offset.cx;
        length = m_rectRequestedSize.Width();
    } else {
        mode |= LM_LENGTHY;
        if (m_nHitTest == HTTOP || m_nHitTest == HTTOPLEFT || m_nHitTest == HTTOPRIGHT)
            m_rectRequestedSize.top += offset.cy;
        else
            m_rectRequestedSize.bottom += offset.cy;
        length = m_rectRequestedSize.Height();
    }
    CSize size = m_pBar->CalcDynamicLayout(length < 0 ? 0 : length, mode);
    CRect desk;
    ::GetWindowRect(::GetDesktopWindow(), &desk);
    CRect frame = m_rectActualFrameSize;
    CRect overlap;
    // The side under the pointer moves; the opposite side stays.
    if (m_nHitTest == HTLEFT || m_nHitTest == HTTOP) {
        frame.left = frame.right - (size.cx + m_rectFrameBorders.Width());
        frame.top = frame.bottom - (size.cy + m_rectFrameBorders.Height());
        if (overlap.IntersectRect(&desk, &frame)) {
            m_rectActualSize.left = m_rectActualSize.right - size.cx;
            m_rectActualSize.top = m_rectActualSize.bottom - size.cy;
            m_rectActualFrameSize.left = frame.left;
            m_rectActualFrameSize.top = frame.top;
        }
    } else {
        frame.right = frame.left + size.cx + m_rectFrameBorders.Width();
        frame.bottom = frame.top + size.cy + m_rectFrameBorders.Height();
        if (overlap.IntersectRect(&desk, &frame)) {
            m_rectActualSize.right = m_rectActualSize.left + size.cx;
            m_rectActualSize.bottom = m_rectActualSize.top + size.cy;
            m_rectActualFrameSize.right = frame.right;
            m_rectActualFrameSize.bottom = frame.bottom;
        }
    }
    m_ptLast = pt;
    DrawFocusRect();
}

void CDockContext::EndResize() {
    CancelLoop();
    m_pBar->CalcDynamicLayout(m_rectActualSize.Width(), LM_HORZ | LM_COMMIT);
    m_pDockSite->FloatControlBar(m_pBar, m_rectActualFrameSize.TopLeft(),
                                 CBRS_ALIGN_TOP | (m_dwDockStyle & CBRS_FLOAT_MULTI) | CBRS_SIZE_DYNAMIC);
}

// ---- The loop ----

void CDockContext::InitLoop() {
    // Paint what is waiting first, so the outline is not drawn over stale pixels.
    MSG msg;
    while (::PeekMessage(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
        ::DispatchMessage(&msg);
    m_bFlip = FALSE;
    m_bForceFrame = ::GetKeyState(VK_CONTROL) < 0;
    m_bDitherLast = FALSE;
    m_rectLast.SetRectEmpty();
    m_sizeLast = CSize(0, 0);
}

void CDockContext::CancelLoop() {
    DrawFocusRect(TRUE);
    ::ReleaseCapture();
    m_rectLast.SetRectEmpty();
}

BOOL CDockContext::Track() {
    if (::GetCapture()) return FALSE;
    ::SetCapture(m_pBar->m_hWnd);
    // A press and release without the pointer leaving the drag threshold is a click: it moves
    // nothing (so the clicks of a double click do not dock or float the bar).
    CPoint start = m_ptLast;
    bool moved = false;
    while (::GetCapture() == m_pBar->m_hWnd) {
        MSG msg;
        if (!::GetMessage(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        switch (msg.message) {
        case WM_LBUTTONUP:
            if (!moved) {
                CancelLoop();
                return FALSE;
            }
            if (m_bDragging)
                EndDrag();
            else
                EndResize();
            return TRUE;
        case WM_MOUSEMOVE:
            if (!moved) {
                CPoint pt = screenPoint(msg);
                moved =
                    std::abs(pt.x - start.x) >= kDragThreshold || std::abs(pt.y - start.y) >= kDragThreshold;
            }
            if (m_bDragging) {
                // A Ctrl pressed before the drag shows on the moves; its release comes as a key.
                if ((msg.wParam & MK_CONTROL) || ::GetKeyState(VK_CONTROL) < 0)
                    UpdateState(&m_bForceFrame, TRUE);
                Move(screenPoint(msg));
            } else {
                Stretch(screenPoint(msg));
            }
            break;
        case WM_KEYUP:
            if (m_bDragging) OnKey(static_cast<int>(msg.wParam), FALSE);
            break;
        case WM_KEYDOWN:
            if (m_bDragging) OnKey(static_cast<int>(msg.wParam), TRUE);
            if (msg.wParam == VK_ESCAPE) {
                CancelLoop();
                return FALSE;
            }
            break;
        case WM_RBUTTONDOWN:
            CancelLoop();
            return FALSE;
        default:
            ::DispatchMessage(&msg);
            break;
        }
    }
    CancelLoop();
    return FALSE;
}

void CDockContext::DrawFocusRect(BOOL bRemoveRect) {
    CSize size(1, 1);
    CRect rect;
    bool dither = false;
    if (!m_bDragging) {
        rect = m_rectActualFrameSize;
        size = CSize(::GetSystemMetrics(SM_CXFRAME) - 1, ::GetSystemMetrics(SM_CYFRAME) - 1);
        dither = true;
    } else if (horzf(m_dwOverDockStyle)) {
        rect = m_rectDragHorz;
    } else if (vertf(m_dwOverDockStyle)) {
        rect = m_rectDragVert;
    } else {
        // Floating: a thick outline of the mini frame.
        size = CSize(::GetSystemMetrics(SM_CXFRAME) - 1, ::GetSystemMetrics(SM_CYFRAME) - 1);
        bool horz = (horzf(m_dwStyle) && !m_bFlip) || (vertf(m_dwStyle) && m_bFlip);
        rect = horz ? m_rectFrameDragHorz : m_rectFrameDragVert;
        dither = true;
    }
    if (bRemoveRect) size = CSize(0, 0);
    DrawOutline(rect, size, dither, 0);
}

void CDockContext::DrawOutline(const CRect& rect, CSize size, bool dither, DWORD dcxFlags) {
    CBrush* white = CBrush::FromHandle(static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    CBrush* halftone = CDC::GetHalftoneBrush();
    // The desktop's window DC draws on the overlay above every window; releasing it shows the change.
    HWND desktop = ::GetDesktopWindow();
    m_pDC = CDC::FromHandle(::GetDCEx(desktop, nullptr, DCX_WINDOW | DCX_CACHE | dcxFlags));
    m_pDC->DrawDragRect(&rect, size, &m_rectLast, m_sizeLast, dither ? halftone : white,
                        m_bDitherLast ? halftone : white);
    ::ReleaseDC(desktop, m_pDC->m_hDC);
    m_pDC = nullptr;
    m_rectLast = rect;
    m_sizeLast = size;
    m_bDitherLast = dither;
}

// ---- Toggling ----

void CDockContext::ToggleDocking() {
    if (m_pBar->IsFloating()) {
        if (!(m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY)) return;
        CRect rect = m_rectMRUDockPos;
        CDockBar* dockBar = nullptr;
        if (m_uMRUDockID != 0) {
            CControlBar* found = m_pDockSite->GetControlBar(m_uMRUDockID);
            if (found && found->IsDockBar()) {
                dockBar = static_cast<CDockBar*>(found);
                dockBar->ClientToScreen(&rect);
            }
        }
        m_pDockSite->DockControlBar(m_pBar, dockBar, rect.IsRectEmpty() ? nullptr : &rect);
        m_pDockSite->RecalcLayout();
        return;
    }
    CPoint pt = m_ptMRUFloatPos;
    if (pt.x < 0 || pt.y < 0) {
        pt = m_rectMRUDockPos.TopLeft();
        if (CWnd* parent = m_pBar->GetParent()) parent->ClientToScreen(&pt);
    }
    DWORD style =
        m_dwMRUFloatStyle ? m_dwMRUFloatStyle : (CBRS_ALIGN_TOP | (m_pBar->m_dwDockStyle & CBRS_FLOAT_MULTI));
    m_pDockSite->FloatControlBar(m_pBar, pt, style);
}
