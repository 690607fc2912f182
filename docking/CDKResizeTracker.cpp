#include "docking/CDKResizeTracker.h"

#include "platform/framework/CDC.h"
#include "platform/framework/CGdiObject.h"
#include "platform/framework/CWnd.h"

#include <algorithm>

CDKResizeTracker::CDKResizeTracker(const CRect& rect, UINT nStyle, const CRect& limit)
    : CRectTracker(&rect, nStyle), m_rectLimit(limit), m_rectStart(rect) {}

BOOL CDKResizeTracker::TrackMove(CWnd* pWnd, CPoint point) {
    m_rectStart = m_rect;
    return TrackHandle(hitMiddle, pWnd, point, nullptr);
}

void CDKResizeTracker::AdjustRect(int nHandle, LPRECT lpRect) {
    CRect& rect = *reinterpret_cast<CRect*>(lpRect);
    if (!m_rectLimit.IsRectNull()) {
        if (nHandle == hitMiddle) {
            const int x =
                std::clamp<int>(rect.left, m_rectLimit.left, std::max(m_rectLimit.left, m_rectLimit.right));
            const int y =
                std::clamp<int>(rect.top, m_rectLimit.top, std::max(m_rectLimit.top, m_rectLimit.bottom));
            rect.OffsetRect(x - rect.left, y - rect.top);
        } else {
            rect.IntersectRect(&rect, &m_rectLimit);
        }
    }
    if (m_nStyle & keepTopAndBottom) {
        rect.top = m_rectStart.top;
        rect.bottom = m_rectStart.bottom;
    }
    if (m_nStyle & keepLeftAndRight) {
        rect.left = m_rectStart.left;
        rect.right = m_rectStart.right;
    }
}

void CDKResizeTracker::DrawTrackerRect(LPCRECT lpRect, CWnd*, CDC*, CWnd* pWnd) {
    // The band, filled in grey, on the desktop's overlay; an erase takes the last one away.
    CRect rect(lpRect);
    pWnd->ClientToScreen(&rect);
    const CSize size = m_bErase || m_bFinalErase ? CSize(0, 0) : rect.Size();
    CBrush* brush = CBrush::FromHandle(static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
    HWND desktop = ::GetDesktopWindow();
    CDC* dc = CDC::FromHandle(::GetDCEx(desktop, nullptr, DCX_WINDOW | DCX_CACHE));
    dc->DrawDragRect(&rect, size, &m_rectLast, m_sizeLast, brush, brush);
    ::ReleaseDC(desktop, dc->m_hDC);
    m_rectLast = rect;
    m_sizeLast = size;
}
