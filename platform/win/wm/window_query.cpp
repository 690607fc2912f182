// Window words, texts, properties, and walking the window tree.

#include "platform/win/wm/desktop_services.h"
#include "platform/win/wm/desktop_window.h"
#include "platform/win/wm/remote_windows.h"
#include "platform/win/wm/wm.h"

#include "platform/win/winbase.h"

#include <algorithm>
#include <cstring>
#include <unistd.h>

namespace pm::wm {
namespace {

std::string propKey(LPCSTR name) {
    if (IS_INTRESOURCE(name)) return "#" + std::to_string(LOWORD(reinterpret_cast<ULONG_PTR>(name)));
    std::string k = name;
    std::transform(k.begin(), k.end(), k.begin(), [](unsigned char c) { return std::tolower(c); });
    return k;
}

bool extraRange(Window* w, int index, std::size_t size) {
    if (index < 0 || static_cast<std::size_t>(index) + size > w->extra.size()) {
        SetLastError(ERROR_INVALID_INDEX);
        return false;
    }
    return true;
}

void changeStyle(Window* w, int index, DWORD value) {
    HWND hwnd = w->handle;
    STYLESTRUCT ss{index == GWL_STYLE ? w->style : w->exStyle, value};
    send(w, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
    if (!window(hwnd)) return;
    DWORD old = index == GWL_STYLE ? w->style : w->exStyle;
    if (index == GWL_STYLE) {
        w->style = ss.styleNew;
        if ((old ^ w->style) & WS_VISIBLE) {
            setWidgetVisible(w, (w->style & WS_VISIBLE) != 0);
        }
    } else {
        w->exStyle = ss.styleNew;
    }
    refreshWindowFlags(w);
    ss.styleOld = old;
    send(w, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
}

bool matchesName(const std::string& have, LPCSTR want) {
    return !want || have == want;
}

bool matchesClass(Window* w, LPCSTR cls) {
    return !cls || (w->cls && findClass(cls) == w->cls);
}

} // namespace

} // namespace pm::wm

using namespace pm::wm;

LONG_PTR GetWindowLongPtr(HWND hwnd, int index) {
    Window* w = window(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    switch (index) {
    case GWL_WNDPROC:
        return reinterpret_cast<LONG_PTR>(w->proc);
    case GWL_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(w->instance);
    case GWL_HWNDPARENT:
        return reinterpret_cast<LONG_PTR>(w->isChild() ? w->parent->handle
                                          : w->owner   ? w->owner->handle
                                                       : nullptr);
    case GWL_ID:
        return w->id;
    case GWL_STYLE:
        return static_cast<LONG_PTR>(w->style);
    case GWL_EXSTYLE:
        return static_cast<LONG_PTR>(w->exStyle);
    case GWL_USERDATA:
        return w->userData;
    default:
        break;
    }
    if (!extraRange(w, index, sizeof(LONG_PTR))) return 0;
    LONG_PTR v = 0;
    std::memcpy(&v, w->extra.data() + index, sizeof v);
    return v;
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value) {
    Window* w = window(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    LONG_PTR old = GetWindowLongPtr(hwnd, index);
    switch (index) {
    case GWL_WNDPROC:
        w->proc = reinterpret_cast<WNDPROC>(value);
        return old;
    case GWL_HINSTANCE:
        w->instance = reinterpret_cast<HINSTANCE>(value);
        return old;
    case GWL_HWNDPARENT:
        if (w->isChild()) return old;
        w->owner = window(reinterpret_cast<HWND>(value));
        refreshWindowFlags(w);
        desktopServices().publishOwner(w);
        return old;
    case GWL_ID:
        w->id = value;
        return old;
    case GWL_STYLE:
    case GWL_EXSTYLE:
        changeStyle(w, index, static_cast<DWORD>(value));
        return old;
    case GWL_USERDATA:
        w->userData = value;
        return old;
    default:
        break;
    }
    if (!extraRange(w, index, sizeof(LONG_PTR))) return 0;
    std::memcpy(w->extra.data() + index, &value, sizeof value);
    return old;
}

LONG GetWindowLong(HWND hwnd, int index) {
    Window* w = window(hwnd);
    if (w && index >= 0) {
        if (!extraRange(w, index, sizeof(LONG))) return 0;
        LONG v = 0;
        std::memcpy(&v, w->extra.data() + index, sizeof v);
        return v;
    }
    return static_cast<LONG>(GetWindowLongPtr(hwnd, index));
}

// A 32-bit value written into a pointer-sized slot is sign-extended, so that reading the slot back
// as a pointer-sized value (as the dialog manager does with DWLP_MSGRESULT) gives the same number.
LONG SetWindowLong(HWND hwnd, int index, LONG value) {
    Window* w = window(hwnd);
    if (w && index >= 0) {
        LONG old = GetWindowLong(hwnd, index);
        if (!extraRange(w, index, sizeof(LONG))) return 0;
        if (index % 8 == 0 && static_cast<std::size_t>(index) + 8 <= w->extra.size()) {
            LONG_PTR wide = value;
            std::memcpy(w->extra.data() + index, &wide, sizeof wide);
        } else {
            std::memcpy(w->extra.data() + index, &value, sizeof value);
        }
        return old;
    }
    return static_cast<LONG>(SetWindowLongPtr(hwnd, index, value));
}

WORD GetWindowWord(HWND hwnd, int index) {
    Window* w = window(hwnd);
    if (!w || !extraRange(w, index, sizeof(WORD))) return 0;
    WORD v = 0;
    std::memcpy(&v, w->extra.data() + index, sizeof v);
    return v;
}

BOOL SetProp(HWND hwnd, LPCSTR name, HANDLE data) {
    Window* w = window(hwnd);
    if (!w || !name) return FALSE;
    w->props[propKey(name)] = data;
    return TRUE;
}

HANDLE GetProp(HWND hwnd, LPCSTR name) {
    Window* w = window(hwnd);
    if (!w || !name) return nullptr;
    auto it = w->props.find(propKey(name));
    return it == w->props.end() ? nullptr : it->second;
}

HANDLE RemoveProp(HWND hwnd, LPCSTR name) {
    Window* w = window(hwnd);
    if (!w || !name) return nullptr;
    auto it = w->props.find(propKey(name));
    if (it == w->props.end()) return nullptr;
    HANDLE h = it->second;
    w->props.erase(it);
    return h;
}

HWND GetParent(HWND hwnd) {
    Window* w = window(hwnd);
    if (!w) return nullptr;
    if (w->isChild()) return w->parent->handle;
    if ((w->style & WS_POPUP) && w->owner) return w->owner->handle;
    return nullptr;
}

HWND GetAncestor(HWND hwnd, UINT flags) {
    Window* w = window(hwnd);
    if (!w || w == desktop()) return nullptr;
    switch (flags) {
    case GA_PARENT:
        return w->parent ? w->parent->handle : nullptr;
    case GA_ROOT:
        return topLevelOf(w)->handle;
    case GA_ROOTOWNER: {
        Window* t = topLevelOf(w);
        while (t->owner)
            t = t->owner;
        return t->handle;
    }
    default:
        return nullptr;
    }
}

HWND SetParent(HWND child, HWND newParent) {
    Window* w = window(child);
    Window* p = newParent ? window(newParent) : desktop();
    if (!w || !p || w == desktop() || p == w || isDescendant(w, p)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    Window* old = w->parent;
    HWND oldHandle = old == desktop() ? GetDesktopWindow() : old->handle;
    bool visible = (w->style & WS_VISIBLE) != 0;
    if (visible)
        SetWindowPos(child, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!window(child)) return nullptr;
    unlinkFromParent(w);
    w->parent = p;
    insertInZOrder(w, HWND_TOP);
    // The window keeps its position relative to its parent's client area, as Win32 does.
    reparentWidget(w);
    if (visible)
        SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return oldHandle;
}

HWND GetWindow(HWND hwnd, UINT cmd) {
    Window* w = window(hwnd);
    if (!w) return nullptr;
    if (cmd == GW_CHILD) return w->children.empty() ? nullptr : w->children.front()->handle;
    if (cmd == GW_OWNER) return w->owner ? w->owner->handle : nullptr;
    if (cmd == GW_ENABLEDPOPUP) {
        for (Window* t : desktop()->children)
            if (t->owner == w && (t->style & WS_VISIBLE) && !(t->style & WS_DISABLED)) return t->handle;
        return nullptr;
    }
    if (!w->parent) return nullptr;
    auto& sib = w->parent->children;
    auto it = std::find(sib.begin(), sib.end(), w);
    if (it == sib.end()) return nullptr;
    switch (cmd) {
    case GW_HWNDFIRST:
        return sib.front()->handle;
    case GW_HWNDLAST:
        return sib.back()->handle;
    case GW_HWNDNEXT:
        return it + 1 == sib.end() ? nullptr : (*(it + 1))->handle;
    case GW_HWNDPREV:
        return it == sib.begin() ? nullptr : (*(it - 1))->handle;
    default:
        return nullptr;
    }
}

HWND GetNextWindow(HWND hwnd, UINT cmd) {
    return GetWindow(hwnd, cmd);
}

HWND GetTopWindow(HWND hwnd) {
    return GetWindow(hwnd ? hwnd : GetDesktopWindow(), GW_CHILD);
}

HWND GetLastActivePopup(HWND hwnd) {
    Window* w = window(hwnd);
    if (!w) return nullptr;
    Window* p = window(w->lastActivePopup);
    return p && (p->style & WS_VISIBLE) ? p->handle : hwnd;
}

BOOL IsChild(HWND parent, HWND hwnd) {
    Window* p = window(parent);
    Window* w = window(hwnd);
    if (!p || !w) return FALSE;
    for (Window* a = w; a && a->isChild(); a = a->parent)
        if (a->parent == p) return TRUE;
    return FALSE;
}

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam) {
    Window* p = parent ? window(parent) : desktop();
    if (!p || !proc) return FALSE;
    std::vector<HWND> all;
    forEachChildDeep(p, [&](Window* c) { all.push_back(c->handle); });
    for (HWND h : all)
        if (window(h) && !proc(h, lParam)) return FALSE;
    return TRUE;
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam) {
    if (!proc) return FALSE;
    std::vector<HWND> all;
    for (Window* t : desktop()->children)
        all.push_back(t->handle);
    for (HWND h : all)
        if (window(h) && !proc(h, lParam)) return FALSE;
    return TRUE;
}

BOOL EnumThreadWindows(DWORD, WNDENUMPROC proc, LPARAM lParam) {
    return EnumWindows(proc, lParam);
}

HWND FindWindowEx(HWND parent, HWND childAfter, LPCSTR className, LPCSTR windowName) {
    Window* p = parent ? window(parent) : desktop();
    if (!p) return nullptr;
    bool started = childAfter == nullptr;
    for (Window* c : p->children) {
        if (!started) {
            started = c->handle == childAfter;
            continue;
        }
        if (matchesClass(c, className) && matchesName(c->text, windowName)) return c->handle;
    }
    return nullptr;
}

HWND FindWindow(LPCSTR className, LPCSTR windowName) {
    return FindWindowEx(nullptr, nullptr, className, windowName);
}

HWND GetDlgItem(HWND dialog, int id) {
    Window* d = window(dialog);
    if (!d) return nullptr;
    for (Window* c : d->children)
        if (static_cast<int>(c->id) == id) return c->handle;
    return nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
    Window* w = window(hwnd);
    return w && w->isChild() ? static_cast<int>(w->id) : 0;
}

DWORD GetWindowThreadProcessId(HWND hwnd, LPDWORD processId) {
    if (!window(hwnd)) {
        // Another process's window: its process is known, its thread is not.
        if (!remote::isWindow(hwnd)) return 0;
        if (processId) *processId = remote::processOf(hwnd);
        return 0;
    }
    if (processId) *processId = static_cast<DWORD>(getpid());
    return GetCurrentThreadId();
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    Window* w = window(hwnd);
    if (!w) return FALSE;
    BOOL wasDisabled = (w->style & WS_DISABLED) ? TRUE : FALSE;
    if (enable == !wasDisabled) return wasDisabled;
    if (!enable) {
        send(w, WM_CANCELMODE);
        if (!window(hwnd)) return wasDisabled;
        w->style |= WS_DISABLED;
        if (Window* f = focusWindow(); f && (f == w || isDescendant(w, f))) SetFocus(nullptr);
        if (Window* c = captureWindow(); c == w) ReleaseCapture();
    } else {
        w->style &= ~static_cast<DWORD>(WS_DISABLED);
    }
    if (window(hwnd)) send(w, WM_ENABLE, enable ? TRUE : FALSE);
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND hwnd) {
    Window* w = window(hwnd);
    return w && !(w->style & WS_DISABLED);
}

BOOL SetWindowText(HWND hwnd, LPCSTR text) {
    Window* w = window(hwnd);
    if (!w) return FALSE;
    return SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) ? TRUE : FALSE;
}

int GetWindowText(HWND hwnd, LPSTR text, int maxCount) {
    if (!text || maxCount <= 0 || !window(hwnd)) return 0;
    text[0] = 0;
    return static_cast<int>(
        SendMessage(hwnd, WM_GETTEXT, static_cast<WPARAM>(maxCount), reinterpret_cast<LPARAM>(text)));
}

int GetWindowTextLength(HWND hwnd) {
    if (!window(hwnd)) return 0;
    return static_cast<int>(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL FlashWindow(HWND hwnd, BOOL) {
    return window(hwnd) ? TRUE : FALSE;
}
