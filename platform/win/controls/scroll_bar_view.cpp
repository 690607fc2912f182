// Scroll-bar painting and the tracking loop.

#include "platform/win/controls/scroll_bar_view.h"

namespace pm::ctl {

namespace {

constexpr UINT_PTR kRepeatTimer = 0xFFFA;
constexpr UINT kFirstDelay = 400;
constexpr UINT kRepeatDelay = 50;

int arrowSize(bool vertical) {
    return GetSystemMetrics(vertical ? SM_CYVSCROLL : SM_CXHSCROLL);
}

RECT partRect(const RECT& area, bool vertical, int from, int to) {
    return vertical ? RECT{area.left, area.top + from, area.right, area.top + to}
                    : RECT{area.left + from, area.top, area.left + to, area.bottom};
}

void fillTrack(HDC dc, const RECT& r, HBRUSH track, bool pressed) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    if (pressed) {
        FillRect(dc, &r, GetSysColorBrush(COLOR_3DDKSHADOW));
        return;
    }
    if (track) {
        FillRect(dc, &r, track);
        return;
    }
    HBRUSH dither = CreateHalftoneBrush();
    COLORREF oldText = SetTextColor(dc, GetSysColor(COLOR_BTNFACE));
    COLORREF oldBack = SetBkColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    FillRect(dc, &r, dither);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
    DeleteObject(dither);
}

int along(POINT p, const RECT& area, bool vertical) {
    return vertical ? p.y - area.top : p.x - area.left;
}

} // namespace

ScrollLayout layoutOf(const RECT& area, bool vertical, const ScrollState& s, bool enabled) {
    int length = vertical ? area.bottom - area.top : area.right - area.left;
    return ScrollLayout::compute(s, length, arrowSize(vertical), enabled);
}

void drawScrollBar(HDC dc, const RECT& area, bool vertical, const ScrollState& s, bool enabled,
                   ScrollPart pressed, HBRUSH track) {
    ScrollLayout l = layoutOf(area, vertical, s, enabled);
    bool active = enabled && s.needed();
    UINT up = vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT;
    UINT down = vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT;
    RECT first = partRect(area, vertical, 0, l.arrow);
    RECT last = partRect(area, vertical, l.length - l.arrow, l.length);
    bool upOff = !active || (s.arrows & ESB_DISABLE_LTUP);
    bool downOff = !active || (s.arrows & ESB_DISABLE_RTDN);
    DrawFrameControl(dc, &first, DFC_SCROLL,
                     up | (upOff ? DFCS_INACTIVE : 0) |
                         (pressed == ScrollPart::LineUp ? DFCS_PUSHED | DFCS_FLAT : 0));
    DrawFrameControl(dc, &last, DFC_SCROLL,
                     down | (downOff ? DFCS_INACTIVE : 0) |
                         (pressed == ScrollPart::LineDown ? DFCS_PUSHED | DFCS_FLAT : 0));
    if (!l.thumbSize) {
        fillTrack(dc, partRect(area, vertical, l.arrow, l.length - l.arrow), track, false);
        return;
    }
    int thumbEnd = l.thumbStart + l.thumbSize;
    fillTrack(dc, partRect(area, vertical, l.arrow, l.thumbStart), track, pressed == ScrollPart::PageUp);
    fillTrack(dc, partRect(area, vertical, thumbEnd, l.length - l.arrow), track,
              pressed == ScrollPart::PageDown);
    RECT thumb = partRect(area, vertical, l.thumbStart, thumbEnd);
    DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}

namespace {

class Tracker {
public:
    Tracker(const ScrollTarget& t, POINT at) : m_t(t) {
        ScrollState* s = m_t.state();
        RECT area = m_t.screenArea();
        ScrollLayout l = layoutOf(area, m_t.vertical, *s, true);
        m_part = l.hit(along(at, area, m_t.vertical));
        m_grab = along(at, area, m_t.vertical) - l.thumbStart;
        m_over = true;
        m_last = at;
    }

    void run() {
        if (m_part == ScrollPart::None) return;
        SetCapture(m_t.capture);
        if (m_part == ScrollPart::Thumb)
            beginThumb();
        else
            step(true);
        loop();
        KillTimer(m_t.capture, kRepeatTimer);
        if (GetCapture() == m_t.capture) ReleaseCapture();
        finish();
    }

private:
    void beginThumb() {
        ScrollState* s = m_t.state();
        s->tracking = true;
        s->trackPos = s->pos;
        m_t.redraw(ScrollPart::Thumb);
    }

    void step(bool first) {
        if (!m_over || !stillBeforePointer()) return;
        m_t.notify(scrollCode(m_part), 0);
        if (m_t.state()) m_t.redraw(m_part);
        SetTimer(m_t.capture, kRepeatTimer, first ? kFirstDelay : kRepeatDelay, nullptr);
    }

    // Page repeats stop once the thumb reaches the pointer.
    bool stillBeforePointer() {
        if (m_part != ScrollPart::PageUp && m_part != ScrollPart::PageDown) return true;
        ScrollState* s = m_t.state();
        if (!s) return false;
        RECT area = m_t.screenArea();
        return layoutOf(area, m_t.vertical, *s, true).hit(along(m_last, area, m_t.vertical)) == m_part;
    }

    void moved(POINT at) {
        m_last = at;
        ScrollState* s = m_t.state();
        if (!s) return;
        RECT area = m_t.screenArea();
        ScrollLayout l = layoutOf(area, m_t.vertical, *s, true);
        if (m_part != ScrollPart::Thumb) {
            bool over = l.hit(along(at, area, m_t.vertical)) == m_part;
            if (over != m_over) m_t.redraw(over ? m_part : ScrollPart::None);
            m_over = over;
            return;
        }
        int pos = l.posForThumb(*s, along(at, area, m_t.vertical) - m_grab);
        if (pos == s->trackPos) return;
        s->trackPos = pos;
        m_t.notify(SB_THUMBTRACK, pos);
        if (m_t.state()) m_t.redraw(ScrollPart::Thumb);
    }

    void loop() {
        MSG msg;
        while (GetCapture() == m_t.capture && m_t.state()) {
            if (!GetMessage(&msg, nullptr, 0, 0)) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
            if (msg.message == WM_LBUTTONUP) return;
            if (msg.message == WM_MOUSEMOVE) {
                moved(msg.pt);
                continue;
            }
            if (msg.message == WM_TIMER && msg.hwnd == m_t.capture && msg.wParam == kRepeatTimer) {
                if (m_part != ScrollPart::Thumb) step(false);
                continue;
            }
            if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) return;
            if ((msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) ||
                (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST))
                continue;
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }

    void finish() {
        ScrollState* s = m_t.state();
        if (!s) return;
        if (m_part == ScrollPart::Thumb) {
            int pos = s->trackPos;
            m_t.notify(SB_THUMBPOSITION, pos);
            if ((s = m_t.state())) s->tracking = false;
        }
        if (m_t.state()) m_t.notify(SB_ENDSCROLL, 0);
        if (m_t.state()) m_t.redraw(ScrollPart::None);
    }

    const ScrollTarget& m_t;
    ScrollPart m_part = ScrollPart::None;
    int m_grab = 0;
    bool m_over = false;
    POINT m_last{};
};

} // namespace

void trackScrollBar(const ScrollTarget& target, POINT at) {
    if (!target.state()) return;
    Tracker tracker(target, at);
    tracker.run();
}

} // namespace pm::ctl
