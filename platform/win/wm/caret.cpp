// The thread's caret: an inverted rectangle drawn into its window's image, blinking on a Qt timer.

#include "platform/win/wm/wm.h"

#include <QTimer>

#include <memory>

namespace pm::wm {
namespace {

struct Caret {
    HWND owner = nullptr;
    QSize size;
    QPoint pos; // client coordinates
    int hideCount = 1;
    bool drawn = false;
    UINT blink = 530;
    std::unique_ptr<QTimer> timer;
};

Caret& caret() {
    static Caret c;
    return c;
}

void invert(Window* w) {
    Caret& c = caret();
    QRect r(QPoint(w->client.left, w->client.top) + c.pos, c.size);
    r &= clientRectInWindow(w);
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(w->image.scanLine(y));
        for (int x = r.left(); x <= r.right(); ++x)
            line[x] ^= 0x00FFFFFF;
    }
    c.drawn = !c.drawn;
    flushWidget(w, r);
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

void restartBlink() {
    Caret& c = caret();
    if (!c.timer) {
        c.timer = std::make_unique<QTimer>();
        QObject::connect(c.timer.get(), &QTimer::timeout, [] {
            if (caret().drawn)
                erase();
            else
                draw();
        });
    }
    c.timer->start(static_cast<int>(std::max<UINT>(c.blink, 50)));
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
    if (c.timer) c.timer->stop();
}

} // namespace pm::wm

using namespace pm::wm;

BOOL CreateCaret(HWND hwnd, HBITMAP, int width, int height) {
    Window* w = window(hwnd);
    if (!w) return FALSE;
    DestroyCaret();
    Caret& c = caret();
    c.owner = hwnd;
    c.size = QSize(width > 0 ? width : 1, height > 0 ? height : 16);
    c.pos = QPoint();
    c.hideCount = 1;
    c.drawn = false;
    return TRUE;
}

BOOL DestroyCaret() {
    Caret& c = caret();
    if (!c.owner) return FALSE;
    erase();
    c.owner = nullptr;
    if (c.timer) c.timer->stop();
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
    if (c.pos == QPoint(x, y)) return TRUE;
    erase();
    c.pos = QPoint(x, y);
    draw();
    if (c.hideCount == 0) restartBlink();
    return TRUE;
}

BOOL GetCaretPos(LPPOINT point) {
    if (!point || !caret().owner) return FALSE;
    *point = POINT{caret().pos.x(), caret().pos.y()};
    return TRUE;
}

BOOL SetCaretBlinkTime(UINT milliseconds) {
    caret().blink = milliseconds;
    return TRUE;
}

UINT GetCaretBlinkTime() {
    return caret().blink;
}
