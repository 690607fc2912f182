// The thread's caret: an inverted rectangle drawn into its window's image, blinking on the
// event loop.

#include "platform/win/wm/wm.h"

#include <algorithm>

namespace pm::wm {
namespace {

struct Caret {
    HWND owner = nullptr;
    SIZE size{};
    POINT pos{}; // client coordinates
    int hideCount = 1;
    bool drawn = false;
    UINT blink = 530;
};

Caret& caret() {
    static Caret c;
    return c;
}

void invert(Window* w) {
    Caret& c = caret();
    invertClientRect(w, RECT{c.pos.x, c.pos.y, c.pos.x + c.size.cx, c.pos.y + c.size.cy});
    c.drawn = !c.drawn;
}

void erase() {
    Caret& c = caret();
    if (!c.drawn) return;
    if (Window* w = window(c.owner)) invert(w);
    c.drawn = false;
}

void draw() {
    Caret& c = caret();
    Window* w = window(c.owner);
    if (c.drawn || c.hideCount > 0 || !w) return;
    invert(w);
}

void blink() {
    if (caret().drawn)
        erase();
    else
        draw();
}

void restartBlink() {
    startBlinking(std::max<UINT>(caret().blink, 50), blink);
}

} // namespace

void hideCaretForPaint(Window* w) {
    if (caret().owner == w->handle) erase();
}

void showCaretAfterPaint(Window* w) {
    if (caret().owner == w->handle) draw();
}

void forgetCaret(Window* w) {
    Caret& c = caret();
    if (c.owner != w->handle) return;
    c.owner = nullptr;
    c.drawn = false;
    stopBlinking();
}

} // namespace pm::wm

using namespace pm::wm;

BOOL CreateCaret(HWND hwnd, HBITMAP, int width, int height) {
    Window* w = window(hwnd);
    if (!w) return FALSE;
    DestroyCaret();
    Caret& c = caret();
    c.owner = hwnd;
    c.size = SIZE{width > 0 ? width : 1, height > 0 ? height : 16};
    c.pos = POINT{};
    c.hideCount = 1;
    c.drawn = false;
    return TRUE;
}

BOOL DestroyCaret() {
    Caret& c = caret();
    if (!c.owner) return FALSE;
    erase();
    c.owner = nullptr;
    stopBlinking();
    return TRUE;
}

BOOL ShowCaret(HWND hwnd) {
    Caret& c = caret();
    if (!c.owner || (hwnd && hwnd != c.owner)) return FALSE;
    if (c.hideCount > 0 && --c.hideCount == 0) {
        draw();
        restartBlink();
    }
    return TRUE;
}

BOOL HideCaret(HWND hwnd) {
    Caret& c = caret();
    if (!c.owner || (hwnd && hwnd != c.owner)) return FALSE;
    if (c.hideCount++ == 0) erase();
    return TRUE;
}

BOOL SetCaretPos(int x, int y) {
    Caret& c = caret();
    if (!c.owner) return FALSE;
    if (c.pos.x == x && c.pos.y == y) return TRUE;
    erase();
    c.pos = POINT{x, y};
    draw();
    if (c.hideCount == 0) restartBlink();
    return TRUE;
}

BOOL GetCaretPos(LPPOINT point) {
    if (!point || !caret().owner) return FALSE;
    *point = caret().pos;
    return TRUE;
}

BOOL SetCaretBlinkTime(UINT milliseconds) {
    caret().blink = milliseconds;
    return TRUE;
}

UINT GetCaretBlinkTime() {
    return caret().blink;
}
