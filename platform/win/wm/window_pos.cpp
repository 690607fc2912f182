// Moving, sizing, stacking, showing, minimising and maximising windows.

#include "platform/win/wm/desktop_services.h"
#include "platform/win/wm/desktop_window.h"
#include "platform/win/wm/wm.h"

#include "platform/win/handle_table.h"
#include "platform/win/winbase.h"

#include <vector>

namespace pm::wm {
namespace {

constexpr UINT kNoClientSize = 0x0800;
constexpr UINT kNoClientMove = 0x1000;

void applyZOrder(Window* w, HWND after, bool withOwned) {
    if (after && window(after) == w) return;
    unlinkFromParent(w);
    insertInZOrder(w, after);
    restackWidget(w);
    if (w->parent == desktop()) publishHints(w);
    if (w->parent != desktop() || after == HWND_BOTTOM || !withOwned) return;
    // Owned windows stay above their owner.
    std::vector<Window*> owned;
    for (Window* t : w->parent->children)
        if (t != w && t->owner == w) owned.push_back(t);
    for (auto it = owned.rbegin(); it != owned.rend(); ++it) {
        unlinkFromParent(*it);
        insertInZOrder(*it, HWND_TOP);
        restackWidget(*it);
    }
}

void exposeParent(Window* w, const RECT& oldOnParentClient) {
    Window* p = w->parent;
    if (!p || p == desktop() || IsRectEmpty(&oldOnParentClient)) return;
    RECT r = oldOnParentClient;
    OffsetRect(&r, p->client.left, p->client.top);
    invalidateRect(p, r, RDW_INVALIDATE | RDW_ERASE);
}

void showWidget(Window* w, bool show) {
    setWidgetVisible(w, show);
    if (show) desktopServices().raise(w);
}

} // namespace

BOOL setWindowPos(Window* w, HWND after, int x, int y, int cx, int cy, UINT flags) {
    HWND hwnd = w->handle;
    bool visible = (w->style & WS_VISIBLE) != 0;
    if ((flags & SWP_SHOWWINDOW) && visible) flags &= ~static_cast<UINT>(SWP_SHOWWINDOW);
    if ((flags & SWP_HIDEWINDOW) && !visible) flags &= ~static_cast<UINT>(SWP_HIDEWINDOW);
    if (cx < 0) cx = 0;
    if (cy < 0) cy = 0;
    if (!(flags & SWP_NOSIZE) && cx == w->width() && cy == w->height()) flags |= SWP_NOSIZE;
    if (!(flags & SWP_NOMOVE) && x == w->rect.left && y == w->rect.top) flags |= SWP_NOMOVE;
    if (w->isChild() && (after == HWND_TOPMOST || after == HWND_NOTOPMOST)) after = HWND_TOP;

    WINDOWPOS wp{hwnd, after, x, y, cx, cy, flags};
    if (flags & SWP_NOMOVE) {
        wp.x = w->rect.left;
        wp.y = w->rect.top;
    }
    if (flags & SWP_NOSIZE) {
        wp.cx = w->width();
        wp.cy = w->height();
    }
    if (!(flags & SWP_NOSENDCHANGING)) {
        send(w, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
        if (!window(hwnd)) return FALSE;
    }
    flags = wp.flags;
    RECT oldRect = w->rect;
    RECT oldClient = w->client;
    RECT newRect{wp.x, wp.y, wp.x + std::max(wp.cx, 0), wp.y + std::max(wp.cy, 0)};
    if (flags & SWP_NOMOVE) OffsetRect(&newRect, w->rect.left - newRect.left, w->rect.top - newRect.top);
    if (flags & SWP_NOSIZE) {
        newRect.right = newRect.left + w->width();
        newRect.bottom = newRect.top + w->height();
    }
    bool sized = newRect.right - newRect.left != w->width() || newRect.bottom - newRect.top != w->height();
    w->rect = newRect;
    if (sized || (flags & SWP_FRAMECHANGED)) {
        recalcClient(w, &wp);
        if (!window(hwnd)) return FALSE;
    } else {
        // The client keeps its place inside the window.
    }
    if (!(flags & SWP_NOZORDER)) applyZOrder(w, wp.hwndInsertAfter, !(flags & SWP_NOOWNERZORDER));
    if (flags & SWP_SHOWWINDOW) w->style |= WS_VISIBLE;
    if (flags & SWP_HIDEWINDOW) w->style &= ~static_cast<DWORD>(WS_VISIBLE);
    resizeImage(w);
    syncWidgetGeometry(w);
    // The children sit and are clipped in the client area, which may have moved or changed size.
    if (!EqualRect(&oldClient, &w->client))
        for (Window* c : w->children)
            syncWidgetGeometry(c);
    if (flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) showWidget(w, (w->style & WS_VISIBLE) != 0);

    bool moved = oldRect.left != w->rect.left || oldRect.top != w->rect.top;
    if (!(flags & SWP_NOREDRAW)) {
        RECT all{0, 0, w->width(), w->height()};
        if (flags & SWP_SHOWWINDOW) {
            invalidateRect(w, all, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        } else if (sized || (flags & SWP_FRAMECHANGED)) {
            bool whole =
                (w->cls && (w->cls->style & (CS_HREDRAW | CS_VREDRAW))) || (flags & SWP_FRAMECHANGED);
            RECT kept{};
            if (!whole) IntersectRect(&kept, &oldClient, &w->client);
            invalidateRect(w, all, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME, kept);
        }
        if ((flags & SWP_HIDEWINDOW) || ((moved || sized) && visible)) exposeParent(w, oldRect);
    }
    if (w->isChild() && w->parent && (w->style & WS_VISIBLE)) letGoOfCoveredImage(w->parent);
    if ((flags & SWP_SHOWWINDOW) && w->parent == desktop() && !(flags & SWP_NOACTIVATE)) {
        activate(w, WA_ACTIVE);
        if (!window(hwnd)) return FALSE;
    } else if (!(flags & (SWP_NOACTIVATE | SWP_HIDEWINDOW)) && w->parent == desktop() && visible &&
               !(flags & SWP_NOZORDER)) {
        activate(w, WA_ACTIVE);
        if (!window(hwnd)) return FALSE;
    }

    if (w->rect.left + w->client.left == oldRect.left + oldClient.left &&
        w->rect.top + w->client.top == oldRect.top + oldClient.top)
        wp.flags |= kNoClientMove;
    if (w->client.right - w->client.left == oldClient.right - oldClient.left &&
        w->client.bottom - w->client.top == oldClient.bottom - oldClient.top)
        wp.flags |= kNoClientSize;
    wp.x = w->rect.left;
    wp.y = w->rect.top;
    wp.cx = w->width();
    wp.cy = w->height();
    send(w, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
    // A child window placed without SWP_NOACTIVATE is activated within its parent.
    if (!(flags & (SWP_NOACTIVATE | SWP_HIDEWINDOW)) && window(hwnd) && w->isChild())
        send(w, WM_CHILDACTIVATE, 0, 0);
    return TRUE;
}

// The WM_SIZE and WM_MOVE DefWindowProc sends for WM_WINDOWPOSCHANGED.
void defWindowPosChanged(Window* w, const WINDOWPOS* wp) {
    HWND hwnd = w->handle;
    if (!(wp->flags & kNoClientMove) && !(wp->flags & SWP_NOMOVE)) {
        send(w, WM_MOVE, 0, MAKELPARAM(w->rect.left + w->client.left, w->rect.top + w->client.top));
        if (!window(hwnd)) return;
    }
    if (!(wp->flags & kNoClientSize) && !(wp->flags & SWP_NOSIZE)) {
        WPARAM type = w->minimized ? SIZE_MINIMIZED : w->maximized ? SIZE_MAXIMIZED : SIZE_RESTORED;
        send(w, WM_SIZE, type,
             MAKELPARAM(w->client.right - w->client.left, w->client.bottom - w->client.top));
    }
}

namespace {

MINMAXINFO minMaxInfo(Window* w) {
    RECT insets = nonClientInsets(w->style, w->exStyle, 0, hasDesktopFrame(w));
    Window* area = w->parent;
    int aw = area->client.right - area->client.left;
    int ah = area->client.bottom - area->client.top;
    MINMAXINFO mmi{};
    mmi.ptMaxSize = POINT{aw + insets.left + insets.right, ah + insets.top + insets.bottom};
    mmi.ptMaxPosition = POINT{-insets.left, -insets.top};
    mmi.ptMinTrackSize = POINT{112, 27};
    mmi.ptMaxTrackSize = POINT{100000, 100000};
    if (w->parent == desktop() && hasDesktopFrame(w)) {
        mmi.ptMaxSize = POINT{aw, ah};
        mmi.ptMaxPosition = POINT{0, 0};
    }
    HWND hwnd = w->handle;
    send(w, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    (void)hwnd;
    return mmi;
}

RECT maximizedRect(const MINMAXINFO& mmi) {
    return RECT{mmi.ptMaxPosition.x, mmi.ptMaxPosition.y, mmi.ptMaxPosition.x + mmi.ptMaxSize.x,
                mmi.ptMaxPosition.y + mmi.ptMaxSize.y};
}

bool isActivatingCommand(int cmd) {
    return cmd == SW_SHOWNORMAL || cmd == SW_SHOW || cmd == SW_SHOWMAXIMIZED || cmd == SW_RESTORE ||
           cmd == SW_SHOWDEFAULT || cmd == SW_SHOWMINIMIZED;
}

RECT minimizedRect(Window* w) {
    if (w->parent == desktop()) return w->rect;
    int h = w->parent->client.bottom - w->parent->client.top;
    int index = 0;
    for (Window* s : w->parent->children)
        if (s != w && s->minimized) ++index;
    return RECT{index * 160, h - 24, index * 160 + 160, h};
}

} // namespace

} // namespace pm::wm

using namespace pm::wm;

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    Window* w = window(hwnd);
    if (!w || w == desktop()) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return setWindowPos(w, insertAfter, x, y, cx, cy, flags);
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    return SetWindowPos(hwnd, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND hwnd) {
    return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL ShowWindow(HWND hwnd, int cmd) {
    Window* w = window(hwnd);
    if (!w || w == desktop()) return FALSE;
    bool wasVisible = (w->style & WS_VISIBLE) != 0;
    if (cmd == SW_HIDE) {
        if (!wasVisible) return FALSE;
        send(w, WM_SHOWWINDOW, FALSE, 0);
        if (!window(hwnd)) return TRUE;
        bool wasActive = activeWindow() == w;
        setWindowPos(w, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (window(hwnd) && wasActive) activateNext(w);
        return TRUE;
    }
    bool minimize =
        cmd == SW_MINIMIZE || cmd == SW_SHOWMINIMIZED || cmd == SW_SHOWMINNOACTIVE || cmd == SW_FORCEMINIMIZE;
    bool maximize = cmd == SW_SHOWMAXIMIZED;
    bool restore = cmd == SW_RESTORE || cmd == SW_SHOWNORMAL || cmd == SW_SHOWDEFAULT;
    if (!wasVisible) {
        send(w, WM_SHOWWINDOW, TRUE, 0);
        if (!window(hwnd)) return FALSE;
    }
    UINT flags = SWP_SHOWWINDOW | SWP_NOZORDER;
    if (!isActivatingCommand(cmd) || w->isChild()) flags |= SWP_NOACTIVATE;
    if (cmd == SW_SHOWMINIMIZED || cmd == SW_SHOWMAXIMIZED || cmd == SW_SHOW || cmd == SW_SHOWNORMAL ||
        cmd == SW_RESTORE)
        if (!w->isChild()) flags &= ~static_cast<UINT>(SWP_NOZORDER);
    RECT target = w->rect;
    bool stateChange = false;
    if (minimize && !w->minimized) {
        // A maximised window stays marked so, and its restore brings it back maximised.
        if (!w->maximized) w->normalRect = w->rect;
        w->minimized = true;
        w->style = (w->style | WS_MINIMIZE) & ~static_cast<DWORD>(WS_MAXIMIZE);
        target = minimizedRect(w);
        stateChange = true;
        showWidgetMinimized(w);
    } else if (maximize && (!w->maximized || w->minimized)) {
        if (!w->minimized) w->normalRect = w->rect;
        MINMAXINFO mmi = minMaxInfo(w);
        if (!window(hwnd)) return FALSE;
        w->maximized = true;
        w->minimized = false;
        w->style = (w->style | WS_MAXIMIZE) & ~static_cast<DWORD>(WS_MINIMIZE);
        target = maximizedRect(mmi);
        stateChange = true;
        desktopServices().showMaximized(w);
    } else if (restore && (w->minimized || w->maximized)) {
        bool backToMax = w->minimized && w->maximized;
        w->minimized = false;
        w->style &= ~static_cast<DWORD>(WS_MINIMIZE | WS_MAXIMIZE);
        target = w->normalRect;
        if (backToMax) {
            MINMAXINFO mmi = minMaxInfo(w);
            if (!window(hwnd)) return FALSE;
            w->style |= WS_MAXIMIZE;
            target = maximizedRect(mmi);
        }
        w->maximized = backToMax;
        stateChange = true;
        desktopServices().showRestored(w, backToMax);
    }
    setWindowPos(w, HWND_TOP, target.left, target.top, target.right - target.left, target.bottom - target.top,
                 flags | (stateChange ? SWP_FRAMECHANGED : 0));
    // A child shown by an activating command, other than minimised, is activated within its parent.
    if (window(hwnd) && w->isChild() && isActivatingCommand(cmd) && !minimize)
        send(w, WM_CHILDACTIVATE, 0, 0);
    if (window(hwnd) && minimize && activeWindow() == w && cmd != SW_SHOWMINIMIZED) activateNext(w);
    return wasVisible ? TRUE : FALSE;
}

BOOL ShowOwnedPopups(HWND hwnd, BOOL show) {
    Window* w = window(hwnd);
    if (!w) return FALSE;
    for (Window* t : std::vector<Window*>(desktop()->children))
        if (t->owner == w) ShowWindow(t->handle, show ? SW_SHOWNA : SW_HIDE);
    return TRUE;
}

BOOL CloseWindow(HWND hwnd) {
    return ShowWindow(hwnd, SW_MINIMIZE);
}
BOOL OpenIcon(HWND hwnd) {
    return ShowWindow(hwnd, SW_RESTORE);
}

BOOL IsWindowVisible(HWND hwnd) {
    Window* w = window(hwnd);
    return w && isVisible(w);
}

BOOL IsIconic(HWND hwnd) {
    Window* w = window(hwnd);
    return w && w->minimized;
}

BOOL IsZoomed(HWND hwnd) {
    Window* w = window(hwnd);
    return w && w->maximized && !w->minimized;
}

BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement) {
    Window* w = window(hwnd);
    if (!w || !placement) return FALSE;
    placement->length = sizeof(WINDOWPLACEMENT);
    placement->flags = (w->minimized && w->maximized) ? WPF_RESTORETOMAXIMIZED : 0;
    placement->showCmd = !(w->style & WS_VISIBLE) ? SW_HIDE
                         : w->minimized           ? SW_SHOWMINIMIZED
                         : w->maximized           ? SW_SHOWMAXIMIZED
                                                  : SW_SHOWNORMAL;
    placement->ptMinPosition = w->minPosition;
    placement->ptMaxPosition = w->maxPosition;
    placement->rcNormalPosition = (w->minimized || w->maximized) ? w->normalRect : w->rect;
    return TRUE;
}

BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement) {
    Window* w = window(hwnd);
    if (!w || !placement) return FALSE;
    const RECT& r = placement->rcNormalPosition;
    w->minPosition = placement->ptMinPosition;
    w->maxPosition = placement->ptMaxPosition;
    if (w->minimized || w->maximized) {
        w->normalRect = r;
    } else {
        SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!window(hwnd)) return FALSE;
    w->normalRect = r;
    ShowWindow(hwnd, static_cast<int>(placement->showCmd));
    return TRUE;
}

// ---- Deferred positioning ----

namespace {

struct DeferredPos {
    std::vector<WINDOWPOS> entries;
};

pm::HandleTable<DeferredPos>& deferTable() {
    static pm::HandleTable<DeferredPos> t;
    return t;
}

} // namespace

HDWP BeginDeferWindowPos(int numWindows) {
    auto d = std::make_unique<DeferredPos>();
    if (numWindows > 0 && numWindows < 100000) d->entries.reserve(static_cast<std::size_t>(numWindows));
    return reinterpret_cast<HDWP>(deferTable().add(std::move(d)));
}

HDWP DeferWindowPos(HDWP info, HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    DeferredPos* d = deferTable().get(reinterpret_cast<std::uintptr_t>(info));
    if (!d || !window(hwnd)) return nullptr;
    for (WINDOWPOS& e : d->entries)
        if (e.hwnd == hwnd) {
            e = WINDOWPOS{hwnd, insertAfter, x, y, cx, cy, flags};
            return info;
        }
    d->entries.push_back(WINDOWPOS{hwnd, insertAfter, x, y, cx, cy, flags});
    return info;
}

BOOL EndDeferWindowPos(HDWP info) {
    std::unique_ptr<DeferredPos> d = deferTable().remove(reinterpret_cast<std::uintptr_t>(info));
    if (!d) return FALSE;
    for (const WINDOWPOS& e : d->entries)
        if (window(e.hwnd)) SetWindowPos(e.hwnd, e.hwndInsertAfter, e.x, e.y, e.cx, e.cy, e.flags);
    return TRUE;
}
