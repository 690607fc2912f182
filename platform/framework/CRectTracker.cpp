// CRectTracker: handles, hit testing, the tracking loop and drawing.

#include "platform/framework/CRectTracker.h"

#include "platform/framework/CDC.h"
#include "platform/framework/CGdiObject.h"
#include "platform/framework/CWnd.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Where each handle sits: the corner of the rectangle it starts from, whether it is centred along
// an edge, which way it reaches inside, and the handle it becomes when the rectangle is mirrored.
struct HandleInfo {
    LONG RECT::*x;
    LONG RECT::*y;
    int centreX, centreY;
    int inwardX, inwardY;
    int invertX, invertY;
};
const HandleInfo kHandles[8] = {
    {&RECT::left, &RECT::top, 0, 0, 0, 0, 1, 3},       // top left
    {&RECT::right, &RECT::top, 0, 0, -1, 0, 0, 2},     // top right
    {&RECT::right, &RECT::bottom, 0, 0, -1, -1, 3, 1}, // bottom right
    {&RECT::left, &RECT::bottom, 0, 0, 0, -1, 2, 0},   // bottom left
    {&RECT::left, &RECT::top, 1, 0, 0, 0, 4, 6},       // top
    {&RECT::right, &RECT::top, 0, 1, -1, 0, 7, 5},     // right
    {&RECT::left, &RECT::bottom, 1, 0, 0, -1, 6, 4},   // bottom
    {&RECT::left, &RECT::top, 0, 1, 0, 0, 5, 7},       // left
};

// The coordinates a handle moves: corners both, side handles one.
struct HandleMoves {
    LONG RECT::*x;
    LONG RECT::*y;
};
const HandleMoves kMoves[9] = {
    {&RECT::left, &RECT::top},    {&RECT::right, &RECT::top}, {&RECT::right, &RECT::bottom},
    {&RECT::left, &RECT::bottom}, {nullptr, &RECT::top},      {&RECT::right, nullptr},
    {nullptr, &RECT::bottom},     {&RECT::left, nullptr},     {&RECT::left, &RECT::top}, // middle: moves all
};

} // namespace

int CRectTracker::GetHandleSize(LPCRECT lpRect) const {
    int size = m_nHandleSize;
    if (!(m_nStyle & resizeOutside)) {
        // Inside handles never take more than a third of the rectangle.
        CRect rect = lpRect ? CRect(lpRect) : m_rect;
        rect.NormalizeRect();
        size = std::min({size, std::max<int>(1, rect.Width() / 3), std::max<int>(1, rect.Height() / 3)});
    }
    return size;
}

UINT CRectTracker::GetHandleMask() const {
    UINT mask = 0x0F; // the corners
    int size = m_nHandleSize * 3;
    if (std::abs(m_rect.Width()) - size > 4) mask |= 0x50;  // top and bottom
    if (std::abs(m_rect.Height()) - size > 4) mask |= 0xA0; // left and right
    return mask;
}

void CRectTracker::GetTrueRect(LPRECT lpTrueRect) const {
    CRect rect = m_rect;
    rect.NormalizeRect();
    int inflate = 0;
    if (m_nStyle & (resizeOutside | hatchedBorder)) inflate += GetHandleSize() - 1;
    if (m_nStyle & (solidLine | dottedLine)) ++inflate;
    rect.InflateRect(inflate, inflate);
    *lpTrueRect = rect;
}

int CRectTracker::NormalizeHit(int nHandle) const {
    if (nHandle < hitTopLeft || nHandle > hitLeft) return nHandle;
    if (m_rect.Width() < 0) nHandle = kHandles[nHandle].invertX;
    if (m_rect.Height() < 0) nHandle = kHandles[nHandle].invertY;
    return nHandle;
}

void CRectTracker::GetHandleRect(int nHandle, CRect* pHandleRect) const {
    CRect rect = m_rect;
    rect.NormalizeRect();
    if (m_nStyle & (solidLine | dottedLine)) rect.InflateRect(1, 1);
    // The rectangle was normalised: its handles are found under their mirrored names.
    nHandle = NormalizeHit(nHandle);
    int size = GetHandleSize();
    if (m_nStyle & resizeOutside) rect.InflateRect(size - 1, size - 1);
    const HandleInfo& info = kHandles[nHandle];
    int left = rect.*info.x + size * info.inwardX + info.centreX * (rect.Width() - size) / 2;
    int top = rect.*info.y + size * info.inwardY + info.centreY * (rect.Height() - size) / 2;
    pHandleRect->SetRect(left, top, left + size, top + size);
}

int CRectTracker::HitTestHandles(CPoint point) const {
    CRect rect;
    GetTrueRect(&rect);
    if (!rect.PtInRect(point)) return hitNothing;
    UINT mask = GetHandleMask();
    for (int i = 0; i < 8; ++i) {
        if (!(mask & (1u << i))) continue;
        GetHandleRect(i, &rect);
        if (rect.PtInRect(point)) return i;
    }
    // Between outside handles but off the rectangle and its line: nothing.
    if (!(m_nStyle & hatchedBorder)) {
        CRect inner = m_rect;
        inner.NormalizeRect();
        if (m_nStyle & (dottedLine | solidLine)) inner.InflateRect(1, 1);
        if (!inner.PtInRect(point)) return hitNothing;
    }
    return hitMiddle;
}

int CRectTracker::HitTest(CPoint point) const {
    CRect rect;
    GetTrueRect(&rect);
    if (!rect.PtInRect(point)) return hitNothing;
    return (m_nStyle & (resizeInside | resizeOutside)) ? HitTestHandles(point) : hitMiddle;
}

BOOL CRectTracker::SetCursor(CWnd* pWnd, UINT nHitTest) const {
    if (nHitTest != HTCLIENT) return FALSE;
    CPoint point;
    ::GetCursorPos(&point);
    pWnd->ScreenToClient(&point);
    int handle = HitTestHandles(point);
    if (handle < 0) return FALSE;
    handle = NormalizeHit(handle);
    static LPCSTR const cursors[9] = {IDC_SIZENWSE, IDC_SIZENESW, IDC_SIZENWSE, IDC_SIZENESW, IDC_SIZENS,
                                      IDC_SIZEWE,   IDC_SIZENS,   IDC_SIZEWE,   IDC_SIZEALL};
    ::SetCursor(::LoadCursor(nullptr, cursors[handle]));
    return TRUE;
}

// ---- Tracking ----

BOOL CRectTracker::Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert, CWnd* pWndClipTo) {
    int handle = HitTestHandles(point);
    if (handle < 0) return FALSE;
    m_bAllowInvert = bAllowInvert;
    return TrackHandle(handle, pWnd, point, pWndClipTo);
}

BOOL CRectTracker::TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert) {
    m_bAllowInvert = bAllowInvert;
    m_rect.SetRect(point.x, point.y, point.x, point.y);
    return TrackHandle(hitBottomRight, pWnd, point, nullptr);
}

void CRectTracker::GetModifyPointers(int nHandle, LONG** ppx, LONG** ppy) {
    const HandleMoves& moves = kMoves[nHandle];
    *ppx = moves.x ? &(m_rect.*moves.x) : nullptr;
    *ppy = moves.y ? &(m_rect.*moves.y) : nullptr;
}

BOOL CRectTracker::TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo) {
    if (::GetCapture()) return FALSE;
    int width = m_rect.Width(), height = m_rect.Height();
    pWnd->SetCapture();
    pWnd->UpdateWindow();
    if (pWndClipTo) pWndClipTo->UpdateWindow();
    CRect saved = m_rect;
    LONG* px = nullptr;
    LONG* py = nullptr;
    GetModifyPointers(nHandle, &px, &py);
    // The pointer keeps its distance from the coordinates it drags.
    int xDiff = px ? point.x - *px : 0;
    int yDiff = py ? point.y - *py : 0;
    HWND drawWnd = pWndClipTo ? pWndClipTo->m_hWnd : pWnd->m_hWnd;
    CDC* dc = CDC::FromHandle(::GetDCEx(drawWnd, nullptr, DCX_CACHE));
    bool moved = false;
    for (;;) {
        MSG msg;
        if (!::GetMessage(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (::GetCapture() != pWnd->m_hWnd) break;
        bool cancel = msg.message == WM_RBUTTONDOWN || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE);
        if (cancel) {
            if (moved) {
                m_bErase = m_bFinalErase = TRUE;
                DrawTrackerRect(&m_rect, pWndClipTo, dc, pWnd);
            }
            m_rect = saved;
            break;
        }
        if (msg.message != WM_MOUSEMOVE && msg.message != WM_LBUTTONUP) {
            if (msg.message != WM_KEYDOWN && msg.message != WM_KEYUP) ::DispatchMessage(&msg);
            continue;
        }
        // The message's point in pWnd's client coordinates.
        CPoint pt(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
        if (msg.hwnd != pWnd->m_hWnd) ::MapWindowPoints(msg.hwnd, pWnd->m_hWnd, &pt, 1);
        CRect old = m_rect;
        if (px) *px = pt.x - xDiff;
        if (py) *py = pt.y - yDiff;
        if (nHandle == hitMiddle) {
            m_rect.right = m_rect.left + width;
            m_rect.bottom = m_rect.top + height;
        }
        AdjustRect(nHandle, &m_rect);
        m_bFinalErase = msg.message == WM_LBUTTONUP;
        if (old != m_rect || m_bFinalErase) {
            if (moved) {
                m_bErase = TRUE;
                DrawTrackerRect(&old, pWndClipTo, dc, pWnd);
            }
            OnChangedRect(old);
            if (!m_bFinalErase) moved = true;
        }
        if (m_bFinalErase) break;
        if (old != m_rect) {
            m_bErase = FALSE;
            DrawTrackerRect(&m_rect, pWndClipTo, dc, pWnd);
        }
    }
    ::ReleaseDC(drawWnd, dc->m_hDC);
    ::ReleaseCapture();
    if (!moved) m_rect = saved; // a click without a move changes nothing
    m_bFinalErase = m_bErase = FALSE;
    m_rectLast.SetRectEmpty();
    m_sizeLast = CSize(0, 0);
    return saved != m_rect;
}

void CRectTracker::AdjustRect(int nHandle, LPRECT lpRect) {
    if (nHandle == hitMiddle) return;
    LONG* px = nullptr;
    LONG* py = nullptr;
    GetModifyPointers(nHandle, &px, &py);
    // Keep the minimum size: the dragged side stops that far from the other.
    auto enforce = [this](LONG* moving, LONG& low, LONG& high, int minimum) {
        if (!moving) return;
        int size = high - low;
        int absolute = m_bAllowInvert ? std::abs(size) : size;
        if (absolute >= minimum) return;
        int sign = (m_bAllowInvert && size < 0) ? -1 : 1;
        if (moving == &high)
            high = low + sign * minimum;
        else
            low = high - sign * minimum;
    };
    enforce(px, lpRect->left, lpRect->right, m_sizeMin.cx);
    enforce(py, lpRect->top, lpRect->bottom, m_sizeMin.cy);
}

void CRectTracker::OnChangedRect(const CRect&) {}

void CRectTracker::DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd) {
    CRect rect(lpRect);
    rect.NormalizeRect();
    if (pWndClipTo) {
        pWnd->ClientToScreen(&rect);
        pWndClipTo->ScreenToClient(&rect);
    }
    CSize size(0, 0);
    if (!m_bFinalErase) {
        if (m_nStyle & hatchedBorder) {
            size.cx = size.cy = std::max(1, GetHandleSize(&rect) - 1);
            rect.InflateRect(size.cx, size.cy);
        } else {
            size = CSize(1, 1);
        }
    }
    if (m_bFinalErase || !m_bErase) pDC->DrawDragRect(&rect, size, &m_rectLast, m_sizeLast);
    m_rectLast = rect;
    m_sizeLast = size;
}

// ---- Drawing the tracker at rest ----

void CRectTracker::Draw(CDC* pDC) const {
    CRect rect = m_rect;
    rect.NormalizeRect();
    int saved = pDC->SaveDC();
    if (m_nStyle & (dottedLine | solidLine)) {
        CPen pen(m_nStyle & dottedLine ? PS_DOT : PS_SOLID, 0, RGB(0, 0, 0));
        CPen* oldPen = pDC->SelectObject(&pen);
        HGDIOBJ oldBrush = ::SelectObject(pDC->m_hDC, ::GetStockObject(NULL_BRUSH));
        CRect line = rect;
        line.InflateRect(1, 1);
        pDC->Rectangle(&line);
        ::SelectObject(pDC->m_hDC, oldBrush);
        pDC->SelectObject(oldPen);
    }
    if (m_nStyle & (hatchInside | hatchedBorder)) {
        HBRUSH hatch = ::CreateHatchBrush(HS_BDIAGONAL, RGB(0, 0, 0));
        int oldBk = ::SetBkMode(pDC->m_hDC, TRANSPARENT);
        if (m_nStyle & hatchInside) ::FillRect(pDC->m_hDC, &rect, hatch);
        if (m_nStyle & hatchedBorder) {
            CRect outer;
            GetTrueRect(&outer);
            pDC->ExcludeClipRect(&rect);
            ::FillRect(pDC->m_hDC, &outer, hatch);
        }
        ::SetBkMode(pDC->m_hDC, oldBk);
        ::DeleteObject(hatch);
    }
    if (m_nStyle & (resizeInside | resizeOutside)) {
        pDC->RestoreDC(saved);
        saved = pDC->SaveDC();
        UINT mask = GetHandleMask();
        for (int i = 0; i < 8; ++i) {
            if (!(mask & (1u << i))) continue;
            CRect handle;
            GetHandleRect(i, &handle);
            pDC->FillSolidRect(&handle, RGB(0, 0, 0));
        }
    }
    pDC->RestoreDC(saved);
}
