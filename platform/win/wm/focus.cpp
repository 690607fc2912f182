// Activation, keyboard focus and mouse capture, kept by the layer (not by Qt).

#include "platform/win/wm/desktop_services.h"
#include "platform/win/wm/desktop_window.h"
#include "platform/win/wm/wm.h"

namespace pm::wm {
namespace {

struct FocusState {
    HWND active = nullptr;
    HWND focus = nullptr;
    HWND capture = nullptr;
    bool appActive = false;
    bool activating = false;
    // The active window and its focus when the desktop took the activation away from the program.
    HWND leftActive = nullptr;
    HWND leftFocus = nullptr;
    // The window the desktop has activated, while the layer follows: the desktop is not asked again.
    HWND followed = nullptr;
};

FocusState& state() {
    static FocusState s;
    return s;
}

void sendActivateApp(bool active, HWND other) {
    std::vector<HWND> tops;
    for (Window* t : desktop()->children)
        tops.push_back(t->handle);
    for (HWND h : tops)
        if (Window* t = window(h))
            send(t, WM_ACTIVATEAPP, active ? TRUE : FALSE, reinterpret_cast<LPARAM>(other));
}

} // namespace

Window* activeWindow() {
    return window(state().active);
}
Window* focusWindow() {
    return window(state().focus);
}
Window* captureWindow() {
    return window(state().capture);
}

void activate(Window* w, int how) {
    FocusState& s = state();
    if (w) w = topLevelOf(w);
    Window* old = activeWindow();
    if (old == w || s.activating) return;
    s.activating = true;
    HWND newHandle = w ? w->handle : nullptr;
    HWND oldHandle = old ? old->handle : nullptr;
    if (old) {
        send(old, WM_NCACTIVATE, FALSE, 0);
        if (window(oldHandle))
            send(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, old->minimized),
                 reinterpret_cast<LPARAM>(newHandle));
    }
    w = window(newHandle);
    s.active = newHandle;
    if (!w) {
        s.focus = nullptr;
        if (s.appActive) {
            s.appActive = false;
            sendActivateApp(false, nullptr);
        }
        s.activating = false;
        return;
    }
    // Every owner up the chain has it as its last active popup: a prompt over a modal dialog is the
    // one the frame under both hands the activation to.
    for (Window* o = w->owner; o; o = o->owner)
        o->lastActivePopup = newHandle;
    if (!s.appActive) {
        s.appActive = true;
        sendActivateApp(true, nullptr);
    }
    if (Window* a = window(newHandle)) send(a, WM_NCACTIVATE, TRUE, 0);
    if (Window* a = window(newHandle))
        send(a, WM_ACTIVATE, MAKEWPARAM(how, a->minimized),
             reinterpret_cast<LPARAM>(window(oldHandle) ? oldHandle : nullptr));
    // The focus does not stay in a window that lost activation.
    if (Window* f = focusWindow(); f && window(newHandle) && topLevelOf(f) != window(newHandle)) {
        s.activating = false;
        SetFocus(nullptr);
    }
    // The window manager is asked to follow, so that the desktop's keyboard focus is ours too. Not
    // for the window it has activated itself: the request would answer its word on an older request
    // with a new one, and two windows could take the activation in turn without end.
    if (Window* a = window(newHandle); a && !bypassesWindowManager(a) && newHandle != s.followed)
        desktopServices().activate(a);
    s.activating = false;
}

void activateNext(Window* leaving) {
    Window* owner = leaving->owner;
    if (owner && window(owner->handle) && (owner->style & WS_VISIBLE) && !(owner->style & WS_DISABLED)) {
        activate(owner, WA_ACTIVE);
        return;
    }
    for (Window* t : desktop()->children) {
        if (t == leaving || !(t->style & WS_VISIBLE) || (t->style & WS_DISABLED) || t->destroying) continue;
        if ((t->style & WS_POPUP) && !(t->style & WS_CAPTION)) continue;
        activate(t, WA_ACTIVE);
        return;
    }
    activate(nullptr, WA_INACTIVE);
}

void forgetFocusState(Window* w) {
    FocusState& s = state();
    if (s.focus == w->handle) s.focus = nullptr;
    if (s.active == w->handle) s.active = nullptr;
    if (s.capture == w->handle) {
        s.capture = nullptr;
        releaseDesktopMouse(w);
    }
}

namespace {

// The window a disabled window hands the activation to: its last active popup when that is
// enabled, else an enabled popup it owns (null when it has none).
Window* enabledPopupOf(Window* w) {
    Window* last = window(GetLastActivePopup(w->handle));
    if (last && last != w && !(last->style & WS_DISABLED)) return last;
    return window(GetWindow(w->handle, GW_ENABLEDPOPUP));
}

// The program active again in the window it was left in: the focus goes back to where it was
// (after a window of the desktop's own, such as its file dialog, or another program).
void restoreFocusAfterDesktop(Window* w) {
    FocusState& s = state();
    HWND focus = s.leftFocus;
    bool same = s.leftActive == w->handle;
    s.leftActive = s.leftFocus = nullptr;
    Window* f = window(focus);
    if (!same || !f || f == focusWindow() || topLevelOf(f) != w || activeWindow() != w) return;
    if (isVisible(f) && !(f->style & WS_DISABLED)) SetFocus(focus);
}

} // namespace

void followDesktopActivation(HWND hwnd, bool active) {
    Window* w = window(hwnd);
    if (!w) return;
    // A window disabled by a modal loop hands the activation on to the loop's window, as a click
    // on it does: the last active of the windows it owns, the topmost modal one when loops nest.
    if (active && (w->style & WS_DISABLED)) w = enabledPopupOf(w);
    if (!w) return;
    FocusState& s = state();
    if (active) takeModifierKeysFromKeyboard();
    if (!active) {
        if (activeWindow() != w || desktopHoldsFocus() || holdDesktopDeactivation(w)) return;
        s.leftActive = w->handle;
        s.leftFocus = s.focus;
        activate(nullptr, WA_INACTIVE);
        return;
    }
    if (w->parent == desktop() && activeWindow() != w && !(w->style & WS_DISABLED)) {
        s.followed = w->handle == hwnd ? hwnd : nullptr;
        activate(w, WA_ACTIVE);
        s.followed = nullptr;
        restoreFocusAfterDesktop(w);
    } else if (activeWindow() == w && w->handle != hwnd) {
        desktopServices().activate(w);
    }
}

} // namespace pm::wm

using namespace pm::wm;

HWND SetFocus(HWND hwnd) {
    FocusState& s = state();
    HWND old = s.focus;
    if (hwnd == old) return old;
    Window* w = nullptr;
    if (hwnd) {
        w = window(hwnd);
        if (!w) return nullptr;
        Window* top = topLevelOf(w);
        if (top != activeWindow()) {
            activate(top, WA_ACTIVE);
            if (!window(hwnd)) return nullptr;
            old = s.focus;
            if (old == hwnd) return old;
        }
    }
    s.focus = hwnd;
    if (Window* o = window(old)) {
        send(o, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
        if (s.focus != hwnd) return window(old) ? old : nullptr;
    }
    if (Window* n = window(hwnd))
        send(n, WM_SETFOCUS, reinterpret_cast<WPARAM>(window(old) ? old : nullptr), 0);
    return window(old) ? old : nullptr;
}

HWND GetFocus() {
    return window(state().focus) ? state().focus : nullptr;
}

HWND SetActiveWindow(HWND hwnd) {
    HWND old = state().active;
    Window* w = window(hwnd);
    if (hwnd && !w) return nullptr;
    activate(w, WA_ACTIVE);
    return window(old) ? old : nullptr;
}

HWND GetActiveWindow() {
    return window(state().active) ? state().active : nullptr;
}

BOOL SetForegroundWindow(HWND hwnd) {
    Window* w = window(hwnd);
    if (!w) return FALSE;
    SetWindowPos(topLevelOf(w)->handle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    activate(w, WA_ACTIVE);
    return TRUE;
}

HWND GetForegroundWindow() {
    return GetActiveWindow();
}

HWND SetCapture(HWND hwnd) {
    FocusState& s = state();
    HWND old = s.capture;
    Window* w = window(hwnd);
    if (!w) return nullptr;
    if (old == hwnd) return old;
    s.capture = hwnd;
    if (Window* o = window(old)) {
        if (o->widget) releaseDesktopMouse(topLevelOf(o));
        send(o, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    }
    if (Window* n = window(hwnd)) grabDesktopMouse(topLevelOf(n));
    return window(old) ? old : nullptr;
}

BOOL ReleaseCapture() {
    FocusState& s = state();
    HWND old = s.capture;
    s.capture = nullptr;
    if (Window* o = window(old)) {
        releaseDesktopMouse(topLevelOf(o));
        send(o, WM_CAPTURECHANGED, 0, 0);
    }
    return TRUE;
}

HWND GetCapture() {
    return window(state().capture) ? state().capture : nullptr;
}
