// "msctls_trackbar32": a thumb moved along a channel by mouse and keys, with tick marks and a
// selection range; every move is reported to the parent by WM_HSCROLL (WM_VSCROLL when vertical).

#include "platform/win/commctrl/common_classes.h"
#include "platform/win/controls/control.h"

#include <algorithm>
#include <vector>

namespace pm::cc {
namespace {

constexpr int kMargin = 8;     // from the ends of the control to the channel's ends
constexpr int kThumbWide = 10; // along the channel
constexpr int kChannel = 4;
constexpr int kSelChannel = 10; // wide enough to show the selection range

class Trackbar final : public ctl::Control {
public:
    Trackbar(HWND hwnd, const CREATESTRUCT&) : Control(hwnd) {}

    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    bool vertical() const { return style() & TBS_VERT; }
    // Sets a size and returns the previous one.
    static LRESULT exchange(int& slot, LPARAM value) {
        int old = slot;
        slot = static_cast<int>(value);
        return old;
    }
    int clamp(int pos) const { return std::clamp(pos, m_min, std::max(m_min, m_max)); }
    // Along and across the channel, in client coordinates.
    int along(POINT pt) const { return vertical() ? pt.y : pt.x; }
    int length() const;
    // Room before the thumb: more when tick marks go on that side.
    int thumbOffset() const { return (style() & (TBS_TOP | TBS_BOTH)) ? 8 : 2; }
    RECT channelRect() const;
    RECT thumbRect() const;
    int coordinateOf(int pos) const;
    int positionAt(int coordinate) const;
    void setPos(int pos, bool redrawNow);
    void scroll(int code);
    void keyDown(WPARAM vk);
    void mouseDown(POINT pt);
    void mouseMove(POINT pt);
    void mouseUp();
    void paint();
    void drawTicks(HDC dc) const;
    LRESULT range(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT ticks(UINT msg, WPARAM wParam, LPARAM lParam);

    int m_min = 0, m_max = 100, m_pos = 0;
    int m_line = 1, m_page = 20, m_freq = 1;
    int m_selStart = 0, m_selEnd = 0;
    int m_thumbLength = 20;
    std::vector<int> m_ticks;
    bool m_dragging = false;
    int m_grabOffset = 0;
};

int Trackbar::length() const {
    RECT c = clientRect();
    return vertical() ? c.bottom - c.top : c.right - c.left;
}

RECT Trackbar::channelRect() const {
    int thickness = (style() & TBS_ENABLESELRANGE) ? kSelChannel : kChannel;
    int across = thumbOffset() + m_thumbLength / 2 - thickness / 2;
    int end = std::max(kMargin, length() - kMargin);
    return vertical() ? RECT{across, kMargin, across + thickness, end}
                      : RECT{kMargin, across, end, across + thickness};
}

int Trackbar::coordinateOf(int pos) const {
    RECT ch = channelRect();
    int lo = vertical() ? ch.top : ch.left, hi = vertical() ? ch.bottom : ch.right;
    int span = m_max - m_min;
    if (span <= 0) return lo;
    return lo + static_cast<int>(static_cast<long long>(pos - m_min) * (hi - lo) / span);
}

int Trackbar::positionAt(int coordinate) const {
    RECT ch = channelRect();
    int lo = vertical() ? ch.top : ch.left, hi = vertical() ? ch.bottom : ch.right;
    if (hi <= lo) return m_min;
    long long span = m_max - m_min;
    long long offset = static_cast<long long>(coordinate - lo) * span;
    return clamp(m_min + static_cast<int>((offset + (hi - lo) / 2) / (hi - lo)));
}

RECT Trackbar::thumbRect() const {
    int at = coordinateOf(m_pos);
    int across = thumbOffset();
    if (vertical()) return RECT{across, at - kThumbWide / 2, across + m_thumbLength, at + kThumbWide / 2 + 1};
    return RECT{at - kThumbWide / 2, across, at + kThumbWide / 2 + 1, across + m_thumbLength};
}

void Trackbar::setPos(int pos, bool redrawNow) {
    pos = clamp(pos);
    if (pos == m_pos) return;
    m_pos = pos;
    if (redrawNow) redraw();
}

// WM_HSCROLL / WM_VSCROLL to the parent; the position rides along for the thumb codes.
void Trackbar::scroll(int code) {
    HWND parent = GetParent(m_hwnd);
    if (!parent) return;
    WORD pos = (code == TB_THUMBTRACK || code == TB_THUMBPOSITION) ? static_cast<WORD>(m_pos) : 0;
    SendMessage(parent, vertical() ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, pos),
                reinterpret_cast<LPARAM>(m_hwnd));
}

void Trackbar::keyDown(WPARAM vk) {
    struct Key {
        WPARAM vk;
        int code;
    };
    static const Key keys[] = {{VK_LEFT, TB_LINEUP},   {VK_UP, TB_LINEUP},    {VK_RIGHT, TB_LINEDOWN},
                               {VK_DOWN, TB_LINEDOWN}, {VK_PRIOR, TB_PAGEUP}, {VK_NEXT, TB_PAGEDOWN},
                               {VK_HOME, TB_TOP},      {VK_END, TB_BOTTOM}};
    for (const Key& k : keys) {
        if (k.vk != vk) continue;
        int target = k.code == TB_LINEUP     ? m_pos - m_line
                     : k.code == TB_LINEDOWN ? m_pos + m_line
                     : k.code == TB_PAGEUP   ? m_pos - m_page
                     : k.code == TB_PAGEDOWN ? m_pos + m_page
                     : k.code == TB_TOP      ? m_min
                                             : m_max;
        setPos(target, true);
        scroll(k.code);
        return;
    }
}

void Trackbar::mouseDown(POINT pt) {
    SetFocus(m_hwnd);
    RECT thumb = thumbRect();
    if (PtInRect(&thumb, pt)) {
        m_dragging = true;
        m_grabOffset = along(pt) - coordinateOf(m_pos);
        SetCapture(m_hwnd);
        return;
    }
    bool before = along(pt) < coordinateOf(m_pos);
    setPos(before ? m_pos - m_page : m_pos + m_page, true);
    scroll(before ? TB_PAGEUP : TB_PAGEDOWN);
    scroll(TB_ENDTRACK);
}

void Trackbar::mouseMove(POINT pt) {
    if (!m_dragging) return;
    int pos = positionAt(along(pt) - m_grabOffset);
    if (pos == m_pos) return;
    setPos(pos, true);
    scroll(TB_THUMBTRACK);
}

void Trackbar::mouseUp() {
    if (!m_dragging) return;
    m_dragging = false;
    ReleaseCapture();
    scroll(TB_THUMBPOSITION);
    scroll(TB_ENDTRACK);
}

void Trackbar::drawTicks(HDC dc) const {
    DWORD s = style();
    if (s & TBS_NOTICKS) return;
    std::vector<int> at{m_min, m_max};
    at.insert(at.end(), m_ticks.begin(), m_ticks.end());
    if ((s & TBS_AUTOTICKS) && m_freq > 0)
        for (long long p = m_min + m_freq; p < m_max && at.size() < 4096; p += m_freq)
            at.push_back(static_cast<int>(p));
    RECT thumb = thumbRect();
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT));
    HGDIOBJ old = SelectObject(dc, pen);
    bool before = (s & TBS_TOP) || (s & TBS_BOTH);
    bool after = !(s & TBS_TOP) || (s & TBS_BOTH);
    for (int p : at) {
        int c = coordinateOf(p);
        int size = (p == m_min || p == m_max) ? 4 : 3;
        if (vertical()) {
            if (after) MoveToEx(dc, thumb.right + 2, c, nullptr), LineTo(dc, thumb.right + 2 + size, c);
            if (before) MoveToEx(dc, thumb.left - 3, c, nullptr), LineTo(dc, thumb.left - 3 - size, c);
        } else {
            if (after) MoveToEx(dc, c, thumb.bottom + 2, nullptr), LineTo(dc, c, thumb.bottom + 2 + size);
            if (before) MoveToEx(dc, c, thumb.top - 3, nullptr), LineTo(dc, c, thumb.top - 3 - size);
        }
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}

void Trackbar::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hwnd, &ps);
    RECT client = clientRect();
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    RECT channel = channelRect();
    if (style() & TBS_ENABLESELRANGE) FillRect(dc, &channel, GetSysColorBrush(COLOR_WINDOW));
    DrawEdge(dc, &channel, EDGE_SUNKEN, BF_RECT);
    if ((style() & TBS_ENABLESELRANGE) && m_selEnd > m_selStart) {
        RECT sel = channel;
        InflateRect(&sel, -2, -2);
        if (vertical())
            sel.top = coordinateOf(m_selStart), sel.bottom = coordinateOf(m_selEnd);
        else
            sel.left = coordinateOf(m_selStart), sel.right = coordinateOf(m_selEnd);
        FillRect(dc, &sel, GetSysColorBrush(COLOR_HIGHLIGHT));
    }
    drawTicks(dc);
    if (!(style() & TBS_NOTHUMB)) {
        RECT thumb = thumbRect();
        FillRect(dc, &thumb, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT);
    }
    if (hasFocus() && showFocus()) DrawFocusRect(dc, &client);
    EndPaint(m_hwnd, &ps);
}

LRESULT Trackbar::range(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case TBM_SETRANGE:
        m_min = static_cast<short>(LOWORD(lParam));
        m_max = static_cast<short>(HIWORD(lParam));
        break;
    case TBM_SETRANGEMIN:
        m_min = static_cast<int>(lParam);
        break;
    case TBM_SETRANGEMAX:
        m_max = static_cast<int>(lParam);
        break;
    default:
        break;
    }
    m_pos = clamp(m_pos);
    if (wParam) redraw();
    return 0;
}

LRESULT Trackbar::ticks(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case TBM_SETTIC: {
        int p = static_cast<int>(lParam);
        if (p < m_min || p > m_max) return FALSE;
        m_ticks.insert(std::upper_bound(m_ticks.begin(), m_ticks.end(), p), p);
        redraw();
        return TRUE;
    }
    case TBM_GETTIC:
        return wParam < m_ticks.size() ? m_ticks[wParam] : -1;
    case TBM_GETTICPOS:
        return wParam < m_ticks.size() ? coordinateOf(m_ticks[wParam]) : -1;
    case TBM_GETPTICS:
        return reinterpret_cast<LRESULT>(m_ticks.empty() ? nullptr : m_ticks.data());
    case TBM_CLEARTICS:
        m_ticks.clear();
        if (wParam) redraw();
        return 0;
    case TBM_SETTICFREQ:
        m_freq = static_cast<int>(wParam);
        redraw();
        return 0;
    case TBM_GETNUMTICS: {
        if (style() & TBS_NOTICKS) return 0;
        int automatic =
            ((style() & TBS_AUTOTICKS) && m_freq > 0 && m_max > m_min) ? (m_max - m_min - 1) / m_freq : 0;
        return static_cast<LRESULT>(m_ticks.size()) + 2 + automatic;
    }
    default:
        return 0;
    }
}

LRESULT Trackbar::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT common = 0;
    if (handleCommon(msg, wParam, lParam, common)) return common;
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (msg) {
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        redraw();
        return 0;
    case WM_KEYDOWN:
        keyDown(wParam);
        return 0;
    case WM_KEYUP:
        if (wParam != VK_SHIFT && wParam != VK_CONTROL) scroll(TB_ENDTRACK);
        return 0;
    case WM_LBUTTONDOWN:
        mouseDown(pt);
        return 0;
    case WM_MOUSEMOVE:
        mouseMove(pt);
        return 0;
    case WM_LBUTTONUP:
        mouseUp();
        return 0;
    case WM_CAPTURECHANGED:
        m_dragging = false;
        return 0;
    case TBM_GETPOS:
        return m_pos;
    case TBM_SETPOS:
        setPos(static_cast<int>(lParam), wParam != 0);
        return 0;
    case TBM_GETRANGEMIN:
        return m_min;
    case TBM_GETRANGEMAX:
        return m_max;
    case TBM_SETRANGE:
    case TBM_SETRANGEMIN:
    case TBM_SETRANGEMAX:
        return range(msg, wParam, lParam);
    case TBM_SETTIC:
    case TBM_GETTIC:
    case TBM_GETTICPOS:
    case TBM_GETPTICS:
    case TBM_CLEARTICS:
    case TBM_SETTICFREQ:
    case TBM_GETNUMTICS:
        return ticks(msg, wParam, lParam);
    case TBM_SETSEL:
        m_selStart = static_cast<short>(LOWORD(lParam));
        m_selEnd = static_cast<short>(HIWORD(lParam));
        if (wParam) redraw();
        return 0;
    case TBM_SETSELSTART:
        m_selStart = static_cast<int>(lParam);
        if (wParam) redraw();
        return 0;
    case TBM_SETSELEND:
        m_selEnd = static_cast<int>(lParam);
        if (wParam) redraw();
        return 0;
    case TBM_GETSELSTART:
        return m_selStart;
    case TBM_GETSELEND:
        return m_selEnd;
    case TBM_CLEARSEL:
        m_selStart = m_selEnd = 0;
        if (wParam) redraw();
        return 0;
    case TBM_SETPAGESIZE:
        return exchange(m_page, lParam);
    case TBM_GETPAGESIZE:
        return m_page;
    case TBM_SETLINESIZE:
        return exchange(m_line, lParam);
    case TBM_GETLINESIZE:
        return m_line;
    case TBM_GETTHUMBRECT:
        if (auto* rc = reinterpret_cast<RECT*>(lParam)) *rc = thumbRect();
        return 0;
    case TBM_GETCHANNELRECT:
        if (auto* rc = reinterpret_cast<RECT*>(lParam)) *rc = channelRect();
        return 0;
    case TBM_SETTHUMBLENGTH:
        m_thumbLength = std::max(4, static_cast<int>(wParam));
        redraw();
        return 0;
    case TBM_GETTHUMBLENGTH:
        return m_thumbLength;
    default:
        return defaultProc(msg, wParam, lParam);
    }
}

} // namespace

void registerTrackbarClass() {
    ctl::registerControlClass(TRACKBAR_CLASS, ctl::controlProc<Trackbar>, CS_HREDRAW | CS_VREDRAW, IDC_ARROW);
}

} // namespace pm::cc
