// Window and client rectangles, coordinate mapping and hit testing through the tree.

#include "platform/win/wm/wm.h"

#include <set>

namespace pm::wm {

POINT windowScreenOrigin(const Window* w) {
    if (!w->parent) return POINT{w->rect.left, w->rect.top};
    POINT o = clientScreenOrigin(w->parent);
    return POINT{o.x + w->rect.left, o.y + w->rect.top};
}

POINT clientScreenOrigin(const Window* w) {
    POINT o = windowScreenOrigin(w);
    return POINT{o.x + w->client.left, o.y + w->client.top};
}

RECT windowRectOnScreen(const Window* w) {
    POINT o = windowScreenOrigin(w);
    return RECT{o.x, o.y, o.x + w->width(), o.y + w->height()};
}

bool isVisible(const Window* w) {
    for (; w; w = w->parent)
        if (!(w->style & WS_VISIBLE)) return false;
    return true;
}

Window* topLevelOf(Window* w) {
    while (w && w->parent && w->parent != desktop())
        w = w->parent;
    return w;
}

bool isDescendant(const Window* ancestor, const Window* w) {
    for (const Window* p = w ? w->parent : nullptr; p; p = p->parent)
        if (p == ancestor) return true;
    return false;
}

namespace {

bool containsScreenPoint(const Window* w, POINT p) {
    RECT r = windowRectOnScreen(w);
    return PtInRect(&r, p);
}

// The deepest visible, enabled window under p below start (start itself if no child takes it).
Window* deepest(Window* start, POINT p, const std::set<Window*>& skip) {
    Window* w = start;
    for (;;) {
        POINT o = clientScreenOrigin(w);
        RECT client{o.x, o.y, o.x + w->client.right - w->client.left, o.y + w->client.bottom - w->client.top};
        if (!PtInRect(&client, p)) return w;
        Window* next = nullptr;
        for (Window* c : w->children) {
            if (!(c->style & WS_VISIBLE) || skip.count(c) || !containsScreenPoint(c, p)) continue;
            if (c->style & WS_DISABLED) return w;
            next = c;
            break;
        }
        if (!next) return w;
        w = next;
    }
}

} // namespace

Window* windowFromScreenPoint(POINT screen, int* hitTest) {
    std::set<Window*> skip;
    for (int round = 0; round < 64; ++round) {
        Window* top = nullptr;
        for (Window* t : desktop()->children)
            if ((t->style & WS_VISIBLE) && !skip.count(t) && containsScreenPoint(t, screen)) {
                top = t;
                break;
            }
        if (!top) return nullptr;
        Window* w = deepest(top, screen, skip);
        HWND hwnd = w->handle;
        LRESULT hit = send(w, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
        if (!window(hwnd)) return nullptr;
        if (hit != HTTRANSPARENT) {
            if (hitTest) *hitTest = static_cast<int>(hit);
            return w;
        }
        skip.insert(w);
    }
    return nullptr;
}

void recalcClient(Window* w, const WINDOWPOS* pos) {
    HWND hwnd = w->handle;
    NCCALCSIZE_PARAMS params{};
    params.rgrc[0] = w->rect;
    params.rgrc[1] = w->rect;
    params.rgrc[2] = RECT{w->rect.left + w->client.left, w->rect.top + w->client.top,
                          w->rect.left + w->client.right, w->rect.top + w->client.bottom};
    WINDOWPOS wp = pos ? *pos : WINDOWPOS{};
    params.lppos = &wp;
    send(w, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
    if (!window(hwnd)) return;
    RECT c = params.rgrc[0];
    if (c.right < c.left) c.right = c.left;
    if (c.bottom < c.top) c.bottom = c.top;
    w->client =
        RECT{c.left - w->rect.left, c.top - w->rect.top, c.right - w->rect.left, c.bottom - w->rect.top};
}

} // namespace pm::wm

using namespace pm::wm;

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
    Window* w = window(hwnd);
    if (!w || !rect) return FALSE;
    *rect = windowRectOnScreen(w);
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
    Window* w = window(hwnd);
    if (!w || !rect) return FALSE;
    *rect = RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
    Window* a = from ? window(from) : desktop();
    Window* b = to ? window(to) : desktop();
    if (!a || !b || (!points && count)) return 0;
    POINT oa = clientScreenOrigin(a);
    POINT ob = clientScreenOrigin(b);
    POINT d{oa.x - ob.x, oa.y - ob.y};
    for (UINT i = 0; i < count; ++i) {
        points[i].x += d.x;
        points[i].y += d.y;
    }
    return MAKELONG(static_cast<WORD>(d.x), static_cast<WORD>(d.y));
}

BOOL ClientToScreen(HWND hwnd, LPPOINT point) {
    Window* w = window(hwnd);
    if (!w || !point) return FALSE;
    POINT o = clientScreenOrigin(w);
    point->x += o.x;
    point->y += o.y;
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT point) {
    Window* w = window(hwnd);
    if (!w || !point) return FALSE;
    POINT o = clientScreenOrigin(w);
    point->x -= o.x;
    point->y -= o.y;
    return TRUE;
}

HWND WindowFromPoint(POINT point) {
    Window* w = windowFromScreenPoint(point, nullptr);
    return w ? w->handle : nullptr;
}

HWND ChildWindowFromPointEx(HWND parent, POINT point, UINT flags) {
    Window* p = window(parent);
    if (!p) return nullptr;
    if (!PtInRect(&p->client, POINT{point.x + p->client.left, point.y + p->client.top})) {
        RECT whole{0, 0, p->width(), p->height()};
        if (!PtInRect(&whole, POINT{point.x + p->client.left, point.y + p->client.top})) return nullptr;
        return parent;
    }
    for (Window* c : p->children) {
        if ((flags & CWP_SKIPINVISIBLE) && !(c->style & WS_VISIBLE)) continue;
        if ((flags & CWP_SKIPDISABLED) && (c->style & WS_DISABLED)) continue;
        if ((flags & CWP_SKIPTRANSPARENT) && (c->exStyle & WS_EX_TRANSPARENT)) continue;
        if (PtInRect(&c->rect, point)) return c->handle;
    }
    return parent;
}

HWND ChildWindowFromPoint(HWND parent, POINT point) {
    return ChildWindowFromPointEx(parent, point, CWP_ALL);
}
