// The "SCROLLBAR" control: a horizontal or vertical bar (SBS_HORZ / SBS_VERT) that reports to its
// parent with WM_HSCROLL / WM_VSCROLL, or a size box.

#include "platform/win/controls/control.h"
#include "platform/win/controls/scroll_bar_view.h"
#include "platform/win/controls/system_classes.h"

namespace pm::ctl {

namespace {

class ScrollBarControl final : public Control {
public:
    ScrollBarControl(HWND hwnd, const CREATESTRUCT&) : Control(hwnd) {}

    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override {
        LRESULT common = 0;
        if (handleCommon(msg, wParam, lParam, common)) return common;
        switch (msg) {
        case SBM_SETPOS:
            return setPos(static_cast<int>(wParam), lParam != 0);
        case SBM_GETPOS:
            return m_state.pos;
        case SBM_SETRANGE:
        case SBM_SETRANGEREDRAW:
            return setRange(static_cast<int>(wParam), static_cast<int>(lParam), msg == SBM_SETRANGEREDRAW);
        case SBM_GETRANGE:
            return getRange(reinterpret_cast<LPINT>(wParam), reinterpret_cast<LPINT>(lParam));
        case SBM_ENABLE_ARROWS:
            return enableArrows(static_cast<UINT>(wParam));
        case SBM_SETSCROLLINFO:
            return setInfo(reinterpret_cast<const SCROLLINFO*>(lParam), wParam != 0);
        case SBM_GETSCROLLINFO:
            return getInfo(reinterpret_cast<SCROLLINFO*>(lParam));
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            return paint();
        case WM_ENABLE:
            redraw();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            return press(lParam);
        case WM_KEYDOWN:
            return key(static_cast<int>(wParam));
        case WM_KEYUP:
            return keyUp(static_cast<int>(wParam));
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            redraw();
            return 0;
        default:
            return defaultProc(msg, wParam, lParam);
        }
    }

private:
    bool vertical() const { return (style() & SBS_VERT) != 0; }
    bool sizeBox() const { return (style() & (SBS_SIZEBOX | SBS_SIZEGRIP)) != 0; }
    bool active() const { return enabled() && m_state.arrows != ESB_DISABLE_BOTH; }

    LRESULT setPos(int pos, bool repaint) {
        int old = m_state.pos;
        SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, pos, 0};
        m_state.set(info);
        if (repaint) redraw();
        return old;
    }

    LRESULT setRange(int lo, int hi, bool repaint) {
        SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, lo, hi, 0, 0, 0};
        m_state.set(info);
        if (repaint) redraw();
        return TRUE;
    }

    LRESULT getRange(LPINT lo, LPINT hi) const {
        if (lo) *lo = m_state.min;
        if (hi) *hi = m_state.max;
        return 0;
    }

    LRESULT enableArrows(UINT arrows) {
        if (arrows == m_state.arrows) return FALSE;
        m_state.arrows = arrows;
        redraw();
        return TRUE;
    }

    LRESULT setInfo(const SCROLLINFO* info, bool repaint) {
        if (!info) return 0;
        int pos = m_state.set(*info);
        if ((info->fMask & SIF_DISABLENOSCROLL) && (info->fMask & (SIF_RANGE | SIF_PAGE)))
            m_state.arrows = m_state.needed() ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH;
        if (repaint) redraw();
        return pos;
    }

    LRESULT getInfo(SCROLLINFO* info) const {
        if (!info) return FALSE;
        m_state.get(*info);
        return TRUE;
    }

    LRESULT paint() {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(m_hwnd, &ps);
        RECT rc = clientRect();
        HBRUSH track = controlColour(dc, WM_CTLCOLORSCROLLBAR);
        if (sizeBox()) {
            FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
            DrawFrameControl(dc, &rc, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
        } else {
            bool useParentBrush = track != GetSysColorBrush(COLOR_SCROLLBAR);
            drawScrollBar(dc, rc, vertical(), m_state, active(), m_pressed, useParentBrush ? track : nullptr);
        }
        EndPaint(m_hwnd, &ps);
        return 0;
    }

    void sendScroll(int code, int pos) const {
        HWND parent = GetParent(m_hwnd);
        if (!parent) return;
        SendMessage(parent, vertical() ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, static_cast<WORD>(pos)),
                    reinterpret_cast<LPARAM>(m_hwnd));
    }

    LRESULT press(LPARAM lParam) {
        if (sizeBox() || !active() || !m_state.needed()) return 0;
        if (style() & WS_TABSTOP) SetFocus(m_hwnd);
        HWND self = m_hwnd;
        ScrollTarget t;
        t.capture = self;
        t.vertical = vertical();
        t.state = [self, this]() -> ScrollState* { return IsWindow(self) ? &m_state : nullptr; };
        t.screenArea = [this] {
            RECT rc = clientRect();
            MapWindowPoints(m_hwnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
            return rc;
        };
        t.notify = [this](int code, int pos) { sendScroll(code, pos); };
        t.redraw = [this](ScrollPart pressed) {
            m_pressed = pressed;
            redraw();
            UpdateWindow(m_hwnd);
        };
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(m_hwnd, &at);
        trackScrollBar(t, at);
        return 0;
    }

    LRESULT key(int vk) {
        int code = -1;
        switch (vk) {
        case VK_UP:
        case VK_LEFT:
            code = SB_LINEUP;
            break;
        case VK_DOWN:
        case VK_RIGHT:
            code = SB_LINEDOWN;
            break;
        case VK_PRIOR:
            code = SB_PAGEUP;
            break;
        case VK_NEXT:
            code = SB_PAGEDOWN;
            break;
        case VK_HOME:
            code = SB_TOP;
            break;
        case VK_END:
            code = SB_BOTTOM;
            break;
        default:
            return 0;
        }
        if (active()) sendScroll(code, 0);
        return 0;
    }

    LRESULT keyUp(int vk) {
        switch (vk) {
        case VK_UP:
        case VK_LEFT:
        case VK_DOWN:
        case VK_RIGHT:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_HOME:
        case VK_END:
            if (active()) sendScroll(SB_ENDSCROLL, 0);
            return 0;
        default:
            return 0;
        }
    }

    ScrollState m_state;
    ScrollPart m_pressed = ScrollPart::None;
};

} // namespace

void registerScrollBarClass() {
    registerControlClass("SCROLLBAR", controlProc<ScrollBarControl>, CS_DBLCLKS, IDC_ARROW);
}

} // namespace pm::ctl
