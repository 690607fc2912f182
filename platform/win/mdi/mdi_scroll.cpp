// Scroll bars of an MDI client: their ranges cover the client and every shown child, the client's
// own origin being position 0, and scrolling moves the children.

#include "platform/win/mdi/mdi_client.h"

#include <algorithm>

namespace pm::mdi {

void MdiClient::setScrollRange(int bar, int lo, int hi, int page) {
    if (!(m_scrollBars & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL))) return;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    // An empty range hides the bar.
    if (hi - lo > page) {
        si.nMin = lo;
        si.nMax = hi - 1;
        si.nPage = static_cast<UINT>(std::max(page, 0));
    }
    SetScrollInfo(m_hwnd, bar, &si, TRUE);
}

void MdiClient::updateScrollBars() {
    if (!m_scrollBars || m_holdBars) return;
    m_holdBars = true;
    RECT before = clientRect();
    // A bar that appears narrows the client, which may call for the other one: two passes settle it.
    for (int pass = 0; pass < 2; ++pass) {
        RECT area = clientRect();
        RECT total = area;
        std::vector<HWND> shown = children();
        shown.erase(std::remove_if(shown.begin(), shown.end(), [](HWND c) { return !IsWindowVisible(c); }),
                    shown.end());
        // A maximised child fills the client: nothing to scroll to.
        if (std::none_of(shown.begin(), shown.end(), [](HWND c) { return IsZoomed(c) != FALSE; })) {
            for (HWND c : shown) {
                RECT r{};
                GetWindowRect(c, &r);
                MapWindowPoints(nullptr, m_hwnd, reinterpret_cast<POINT*>(&r), 2);
                UnionRect(&total, &total, &r);
            }
        }
        setScrollRange(SB_HORZ, total.left, total.right, area.right);
        setScrollRange(SB_VERT, total.top, total.bottom, area.bottom);
    }
    // Showing or hiding a bar sizes the client without a WM_SIZE: a maximised child follows here.
    RECT after = clientRect();
    if (!EqualRect(&before, &after)) size();
    m_holdBars = false;
}

namespace {

// The position a scroll code asks for, kept within the range; the current one for codes that do not
// move.
int requestedPos(const SCROLLINFO& si, int bar, WORD code, int thumb) {
    int line = GetSystemMetrics(bar == SB_VERT ? SM_CYVSCROLL : SM_CXHSCROLL);
    int page = static_cast<int>(si.nPage);
    int last = std::max(si.nMin, si.nMax - page + 1);
    int pos = si.nPos;
    switch (code) {
    case SB_LINEUP:
        pos -= line;
        break;
    case SB_LINEDOWN:
        pos += line;
        break;
    case SB_PAGEUP:
        pos -= page;
        break;
    case SB_PAGEDOWN:
        pos += page;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        pos = thumb;
        break;
    case SB_TOP:
        pos = si.nMin;
        break;
    case SB_BOTTOM:
        pos = last;
        break;
    default:
        break;
    }
    return std::clamp(pos, si.nMin, last);
}

} // namespace

void MdiClient::scroll(int bar, WORD code, int thumb) {
    if (code == SB_ENDSCROLL) {
        // The range stays put while scrolling and is measured again when it ends.
        updateScrollBars();
        return;
    }
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    if (!(GetWindowLongPtr(m_hwnd, GWL_STYLE) & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) ||
        !GetScrollInfo(m_hwnd, bar, &si))
        return;
    int pos = requestedPos(si, bar, code, thumb);
    if (pos == si.nPos) return;
    bool was = m_holdBars;
    m_holdBars = true;
    int delta = si.nPos - pos;
    ScrollWindowEx(m_hwnd, bar == SB_HORZ ? delta : 0, bar == SB_VERT ? delta : 0, nullptr, nullptr, nullptr,
                   nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    m_holdBars = was;
    SetScrollPos(m_hwnd, bar, pos, TRUE);
}

} // namespace pm::mdi
