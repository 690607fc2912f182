// The standard scroll bars of windows with WS_HSCROLL / WS_VSCROLL, and the scroll-bar functions,
// which pass SB_CTL on to the scroll-bar control's SBM_ messages.

#include "platform/win/controls/scroll_bar_view.h"
#include "platform/win/controls/window_scroll_bars.h"

#include "platform/win/wm/wm.h"

#include <unordered_map>

namespace pm::ctl {

namespace {

struct WindowBars {
    ScrollState horz;
    ScrollState vert;
    ScrollPart pressedHorz = ScrollPart::None;
    ScrollPart pressedVert = ScrollPart::None;
};

// Handles carry a generation, so a destroyed window's entry never answers for a new window; the
// entries of destroyed windows are dropped whenever the table has doubled.
std::unordered_map<HWND, WindowBars>& table() {
    static std::unordered_map<HWND, WindowBars> bars;
    return bars;
}

void prune() {
    static std::size_t limit = 64;
    auto& t = table();
    if (t.size() < limit) return;
    for (auto it = t.begin(); it != t.end();)
        it = IsWindow(it->first) ? std::next(it) : t.erase(it);
    limit = std::max<std::size_t>(64, t.size() * 2);
}

WindowBars* find(HWND hwnd) {
    auto it = table().find(hwnd);
    return it == table().end() ? nullptr : &it->second;
}

WindowBars& barsOf(HWND hwnd) {
    if (WindowBars* b = find(hwnd)) return *b;
    prune();
    return table()[hwnd];
}

DWORD styleBit(int bar) {
    return bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
}

ScrollState& stateOf(WindowBars& b, int bar) {
    return bar == SB_VERT ? b.vert : b.horz;
}

// The bar's area in window coordinates, next to the client area.
RECT barArea(HWND hwnd, int bar) {
    RECT window{}, client{};
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    OffsetRect(&client, origin.x - window.left, origin.y - window.top);
    if (bar == SB_VERT)
        return RECT{client.right, client.top, client.right + GetSystemMetrics(SM_CXVSCROLL), client.bottom};
    return RECT{client.left, client.bottom, client.right, client.bottom + GetSystemMetrics(SM_CYHSCROLL)};
}

bool barEnabled(HWND hwnd, const ScrollState& s) {
    return IsWindowEnabled(hwnd) && s.arrows != ESB_DISABLE_BOTH;
}

void paintBar(HWND hwnd, HDC dc, int bar, const RECT& area) {
    WindowBars& b = barsOf(hwnd);
    const ScrollState& s = stateOf(b, bar);
    ScrollPart pressed = bar == SB_VERT ? b.pressedVert : b.pressedHorz;
    drawScrollBar(dc, area, bar == SB_VERT, s, barEnabled(hwnd, s), pressed, nullptr);
}

void redrawBar(HWND hwnd, int bar) {
    if (!(GetWindowLongPtr(hwnd, GWL_STYLE) & styleBit(bar)) || !IsWindowVisible(hwnd)) return;
    HDC dc = GetWindowDC(hwnd);
    if (!dc) return;
    paintBar(hwnd, dc, bar, barArea(hwnd, bar));
    ReleaseDC(hwnd, dc);
}

// Shows or hides a window's bars by its style, re-laying out its frame; true when anything changed.
bool showBars(HWND hwnd, DWORD bits, bool show) {
    DWORD style = static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_STYLE));
    DWORD changed = show ? style | bits : style & ~bits;
    if (changed == style) return false;
    SetWindowLongPtr(hwnd, GWL_STYLE, static_cast<LONG_PTR>(changed));
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void trackBar(HWND hwnd, int bar, POINT screen) {
    ScrollTarget t;
    t.capture = hwnd;
    t.vertical = bar == SB_VERT;
    t.state = [hwnd, bar]() -> ScrollState* {
        WindowBars* b = IsWindow(hwnd) ? find(hwnd) : nullptr;
        return b ? &stateOf(*b, bar) : nullptr;
    };
    t.screenArea = [hwnd, bar] {
        RECT area = barArea(hwnd, bar);
        RECT window{};
        GetWindowRect(hwnd, &window);
        OffsetRect(&area, window.left, window.top);
        return area;
    };
    t.notify = [hwnd, bar](int code, int pos) {
        SendMessage(hwnd, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, static_cast<WORD>(pos)),
                    0);
    };
    t.redraw = [hwnd, bar](ScrollPart pressed) {
        WindowBars& b = barsOf(hwnd);
        (bar == SB_VERT ? b.pressedVert : b.pressedHorz) = pressed;
        redrawBar(hwnd, bar);
    };
    WindowBars& b = barsOf(hwnd);
    if (!barEnabled(hwnd, stateOf(b, bar)) || !stateOf(b, bar).needed()) return;
    trackScrollBar(t, screen);
}

} // namespace

void installWindowScrollBars() {
    wm::setScrollBarHooks(wm::ScrollBarHooks{paintBar, trackBar});
}

int setWindowScrollInfo(HWND hwnd, int bar, const SCROLLINFO& info, bool redraw) {
    ScrollState& s = stateOf(barsOf(hwnd), bar);
    int pos = s.set(info);
    if (info.fMask & (SIF_RANGE | SIF_PAGE)) {
        bool need = s.needed();
        if (info.fMask & SIF_DISABLENOSCROLL) s.arrows = need ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH;
        bool show = need || (info.fMask & SIF_DISABLENOSCROLL);
        if (showBars(hwnd, styleBit(bar), show)) return pos;
    }
    if (redraw) redrawBar(hwnd, bar);
    return pos;
}

bool getWindowScrollInfo(HWND hwnd, int bar, SCROLLINFO& info) {
    WindowBars* b = find(hwnd);
    if (!b && !(GetWindowLongPtr(hwnd, GWL_STYLE) & styleBit(bar))) return false;
    stateOf(barsOf(hwnd), bar).get(info);
    return true;
}

bool enableWindowScrollBar(HWND hwnd, int bar, UINT arrows) {
    ScrollState& s = stateOf(barsOf(hwnd), bar);
    if (s.arrows == arrows) return false;
    s.arrows = arrows;
    redrawBar(hwnd, bar);
    return true;
}

bool showWindowScrollBar(HWND hwnd, int bar, bool show) {
    DWORD bits = bar == SB_BOTH ? (WS_HSCROLL | WS_VSCROLL) : styleBit(bar);
    showBars(hwnd, bits, show);
    return true;
}

} // namespace pm::ctl

using namespace pm::ctl;

namespace {

bool validBar(HWND hwnd, int bar) {
    return IsWindow(hwnd) && (bar == SB_HORZ || bar == SB_VERT || bar == SB_CTL);
}

} // namespace

int SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw) {
    if (!info || !validBar(hwnd, bar)) return 0;
    if (bar == SB_CTL)
        return static_cast<int>(SendMessage(hwnd, SBM_SETSCROLLINFO, redraw, reinterpret_cast<LPARAM>(info)));
    return setWindowScrollInfo(hwnd, bar, *info, redraw != FALSE);
}

BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info) {
    if (!info || !validBar(hwnd, bar)) return FALSE;
    if (bar == SB_CTL) return SendMessage(hwnd, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(info)) != 0;
    return getWindowScrollInfo(hwnd, bar, *info) ? TRUE : FALSE;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 0, 0};
    if (!GetScrollInfo(hwnd, bar, &info) && bar != SB_HORZ && bar != SB_VERT) return 0;
    int old = info.nPos;
    info.nPos = pos;
    SetScrollInfo(hwnd, bar, &info, redraw);
    return old;
}

int GetScrollPos(HWND hwnd, int bar) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 0, 0};
    return GetScrollInfo(hwnd, bar, &info) ? info.nPos : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw) {
    if (!validBar(hwnd, bar)) return FALSE;
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, minPos, maxPos, 0, 0, 0};
    SetScrollInfo(hwnd, bar, &info, redraw);
    return TRUE;
}

BOOL GetScrollRange(HWND hwnd, int bar, LPINT minPos, LPINT maxPos) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, 0, 0, 0, 0, 0};
    BOOL ok = GetScrollInfo(hwnd, bar, &info);
    if (minPos) *minPos = info.nMin;
    if (maxPos) *maxPos = info.nMax;
    return ok;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
    if (!IsWindow(hwnd)) return FALSE;
    if (bar == SB_CTL) {
        ShowWindow(hwnd, show ? SW_SHOW : SW_HIDE);
        return TRUE;
    }
    if (bar != SB_HORZ && bar != SB_VERT && bar != SB_BOTH) return FALSE;
    return showWindowScrollBar(hwnd, bar, show != FALSE) ? TRUE : FALSE;
}

BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows) {
    if (!IsWindow(hwnd)) return FALSE;
    if (bar == SB_CTL) return SendMessage(hwnd, SBM_ENABLE_ARROWS, arrows, 0) != 0;
    if (bar == SB_BOTH) {
        bool h = enableWindowScrollBar(hwnd, SB_HORZ, arrows);
        bool v = enableWindowScrollBar(hwnd, SB_VERT, arrows);
        return h || v;
    }
    if (bar != SB_HORZ && bar != SB_VERT) return FALSE;
    return enableWindowScrollBar(hwnd, static_cast<int>(bar), arrows) ? TRUE : FALSE;
}
