// Creating and destroying windows with the Win32 message sequences.

#include "platform/win/wm/desktop_window.h"
#include "platform/win/wm/registration.h"
#include "platform/win/wm/remote_windows.h"
#include "platform/win/wm/wm.h"

#include "platform/win/winbase.h"
#include "platform/win/winmenu.h"

namespace pm::wm {
namespace {

DWORD adjustedExStyle(DWORD style, DWORD exStyle) {
    if ((exStyle & WS_EX_DLGMODALFRAME) || (style & (WS_DLGFRAME | WS_THICKFRAME)))
        return exStyle | WS_EX_WINDOWEDGE;
    return exStyle & ~static_cast<DWORD>(WS_EX_WINDOWEDGE);
}

void defaultPlacement(Window* w, int& x, int& y, int& cx, int& cy) {
    static int cascade = 0;
    const RECT& work = desktop()->client;
    if (x == CW_USEDEFAULT) {
        if (w->parent != desktop()) {
            x = y = 0;
        } else {
            int step = 26 * (cascade++ % 8);
            x = work.left + 26 + step;
            y = work.top + 26 + step;
        }
    }
    if (cx == CW_USEDEFAULT) {
        cx = w->parent == desktop() ? (work.right - work.left) * 3 / 4 : 0;
        cy = w->parent == desktop() ? (work.bottom - work.top) * 3 / 4 : 0;
    }
}

void notifyParents(Window* w, WORD event) {
    if (!w->isChild() || (w->exStyle & WS_EX_NOPARENTNOTIFY)) return;
    WPARAM wParam = MAKEWPARAM(event, static_cast<WORD>(w->id));
    HWND child = w->handle;
    for (Window* p = w->parent; p && p != desktop(); p = p->parent) {
        HWND ph = p->handle;
        send(p, WM_PARENTNOTIFY, wParam, reinterpret_cast<LPARAM>(child));
        if (!window(ph) || !p->isChild() || (p->exStyle & WS_EX_NOPARENTNOTIFY)) break;
    }
}

void sendDestroy(Window* w) {
    w->destroying = true;
    HWND hwnd = w->handle;
    send(w, WM_DESTROY);
    if (!window(hwnd)) return;
    for (Window* c : std::vector<Window*>(w->children))
        if (window(c->handle) && !c->destroying) sendDestroy(c);
}

void finalDestroy(Window* w) {
    for (Window* c : std::vector<Window*>(w->children))
        finalDestroy(c);
    send(w, WM_NCDESTROY);
    if (menuBarHooks().destroyed) menuBarHooks().destroyed(w->handle);
    killWindowTimers(w);
    forgetPaintState(w);
    forgetCaret(w);
    forgetFocusState(w);
    unlinkFromParent(w);
    for (Window* t : desktop()->children)
        if (t->owner == w) t->owner = nullptr;
    if (w->cls) --w->cls->windows;
    destroyWidget(w);
    freeWindow(w);
}

} // namespace

} // namespace pm::wm

using namespace pm::wm;

HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND parentHandle, HMENU menu, HINSTANCE instance, LPVOID param) {
    Window* root = desktop();
    WindowClass* cls = findClass(className);
    if (!cls) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    Window* parent = parentHandle && parentHandle != HWND_MESSAGE ? window(parentHandle) : nullptr;
    if (parentHandle && parentHandle != HWND_MESSAGE && !parent) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if ((style & WS_CHILD) && !parent) {
        SetLastError(ERROR_TLW_WITH_WSCHILD);
        return nullptr;
    }
    // A top-level window made without a menu gets its class's menu, as Win32 gives it.
    if (!(style & WS_CHILD) && !menu && cls->menuName) menu = pm::wm::loadClassMenu(instance, cls->menuName);
    Window* w = newWindow();
    if (!w) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    HWND hwnd = w->handle;
    w->cls = cls;
    ++cls->windows;
    w->proc = cls->proc;
    w->instance = instance;
    w->extra.assign(static_cast<std::size_t>(cls->windowExtra), 0);
    if (style & WS_CHILD) {
        w->parent = parent;
        w->id = reinterpret_cast<LONG_PTR>(menu);
    } else {
        w->parent = root;
        w->owner = parent ? topLevelOf(parent) : nullptr;
        w->id = reinterpret_cast<LONG_PTR>(menu);
        if (!(style & WS_POPUP)) style |= WS_CAPTION | WS_CLIPSIBLINGS;
    }
    w->style = style & ~static_cast<DWORD>(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
    w->exStyle = adjustedExStyle(style, exStyle);
    defaultPlacement(w, x, y, width, height);
    // A window owned by a topmost one joins it in the topmost band, so that it shows (and takes the
    // mouse) above its owner: a message box over an "always on top" window, say.
    const bool topmost = (exStyle & WS_EX_TOPMOST) || (w->owner && (w->owner->exStyle & WS_EX_TOPMOST));
    insertInZOrder(w, w->isChild() ? HWND_BOTTOM : (topmost ? HWND_TOPMOST : HWND_TOP));

    CREATESTRUCT cs{
        param,      instance,  menu,   parentHandle, height, width, y, x, static_cast<LONG>(style),
        windowName, className, exStyle};
    if (hooksInstalled(WH_CBT)) {
        CBT_CREATEWND cbt{&cs, HWND_TOP};
        LRESULT refused =
            callHooks(WH_CBT, HCBT_CREATEWND, reinterpret_cast<WPARAM>(hwnd), reinterpret_cast<LPARAM>(&cbt));
        if (refused || !window(hwnd)) {
            if (window(hwnd)) DestroyWindow(hwnd);
            return nullptr;
        }
    }

    if (!w->isChild() && ((style & WS_THICKFRAME) || !(style & WS_POPUP))) {
        MINMAXINFO mmi{};
        mmi.ptMaxTrackSize = POINT{100000, 100000};
        send(w, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
        if (!window(hwnd)) return nullptr;
        if (width > mmi.ptMaxTrackSize.x) width = mmi.ptMaxTrackSize.x;
        if (height > mmi.ptMaxTrackSize.y) height = mmi.ptMaxTrackSize.y;
        if (width < mmi.ptMinTrackSize.x) width = mmi.ptMinTrackSize.x;
        if (height < mmi.ptMinTrackSize.y) height = mmi.ptMinTrackSize.y;
    }
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    w->rect = RECT{x, y, x + width, y + height};
    cs.cx = width;
    cs.cy = height;
    w->client = RECT{0, 0, width, height};
    w->normalRect = w->rect;
    createWidget(w);

    if (!send(w, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        if (Window* still = window(hwnd)) DestroyWindow(still->handle);
        return nullptr;
    }
    if (!window(hwnd)) return nullptr;
    w->created = true;
    RECT rc = w->rect;
    send(w, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&rc));
    if (!window(hwnd)) return nullptr;
    w->client = RECT{rc.left - w->rect.left, rc.top - w->rect.top, std::max(rc.left, rc.right) - w->rect.left,
                     std::max(rc.top, rc.bottom) - w->rect.top};
    if (send(w, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        if (window(hwnd)) DestroyWindow(hwnd);
        return nullptr;
    }
    if (!window(hwnd)) return nullptr;
    publishToDesktop(w);
    send(w, WM_SIZE, SIZE_RESTORED,
         MAKELPARAM(w->client.right - w->client.left, w->client.bottom - w->client.top));
    if (!window(hwnd)) return nullptr;
    send(w, WM_MOVE, 0, MAKELPARAM(w->rect.left + w->client.left, w->rect.top + w->client.top));
    if (!window(hwnd)) return nullptr;
    if (style & WS_VISIBLE) {
        int cmd = (style & WS_MAXIMIZE)   ? SW_SHOWMAXIMIZED
                  : (style & WS_MINIMIZE) ? SW_SHOWMINIMIZED
                                          : SW_SHOW;
        ShowWindow(hwnd, cmd);
        if (!window(hwnd)) return nullptr;
    }
    notifyParents(w, WM_CREATE);
    return window(hwnd) ? hwnd : nullptr;
}

HWND CreateWindow(LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width, int height,
                  HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
    return CreateWindowEx(0, className, windowName, style, x, y, width, height, parent, menu, instance,
                          param);
}

BOOL DestroyWindow(HWND hwnd) {
    Window* w = window(hwnd);
    if (!w || w == desktop()) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (w->destroying) return TRUE;
    notifyParents(w, WM_DESTROY);
    if (!window(hwnd)) return TRUE;
    if (w->style & WS_VISIBLE) {
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (!window(hwnd)) return TRUE;
    }
    for (Window* t : std::vector<Window*>(desktop()->children))
        if (t->owner == w && window(t->handle)) DestroyWindow(t->handle);
    if (!window(hwnd) || w->destroying) return TRUE;
    if (Window* cap = captureWindow(); cap && (cap == w || isDescendant(w, cap))) ReleaseCapture();
    if (activeWindow() == w) activateNext(w);
    sendDestroy(w);
    if (window(hwnd)) finalDestroy(w);
    return TRUE;
}

BOOL IsWindow(HWND hwnd) {
    return window(hwnd) != nullptr || remote::isWindow(hwnd);
}

HWND GetDesktopWindow() {
    return desktop()->handle;
}
