// Window classes: registration, look-up by name or atom, class words.

#include "platform/win/wm/wm.h"

#include "platform/win/wm/registration.h"

#include "platform/win/winbase.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <memory>

namespace pm::wm {
namespace {

std::deque<std::unique_ptr<WindowClass>>& classes() {
    static std::deque<std::unique_ptr<WindowClass>> c;
    return c;
}

bool sameName(const std::string& a, const char* b) {
    if (a.size() != std::strlen(b)) return false;
    return std::equal(a.begin(), a.end(), b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

ATOM nextAtom() {
    static ATOM atom = 0xC000;
    return atom++;
}

} // namespace

WindowClass* findClass(LPCSTR name) {
    runSystemClassProviders(); // the system's classes exist before any look-up
    if (!name) return nullptr;
    for (auto& c : classes()) {
        if (!c) continue;
        if (IS_INTRESOURCE(name) ? c->atom == LOWORD(reinterpret_cast<ULONG_PTR>(name))
                                 : sameName(c->name, name))
            return c.get();
    }
    return nullptr;
}

} // namespace pm::wm

using namespace pm::wm;

ATOM RegisterClassEx(const WNDCLASSEX* wc) {
    if (!wc || !wc->lpszClassName || wc->cbClsExtra < 0 || wc->cbWndExtra < 0 || wc->cbClsExtra > 40000 ||
        wc->cbWndExtra > 40000) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (findClass(wc->lpszClassName)) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    auto c = std::make_unique<WindowClass>();
    c->name = IS_INTRESOURCE(wc->lpszClassName)
                  ? "#" + std::to_string(LOWORD(reinterpret_cast<ULONG_PTR>(wc->lpszClassName)))
                  : wc->lpszClassName;
    c->atom = nextAtom();
    c->style = wc->style;
    c->proc = wc->lpfnWndProc;
    c->instance = wc->hInstance;
    c->icon = wc->hIcon;
    c->iconSmall = wc->hIconSm;
    c->cursor = wc->hCursor;
    c->background = wc->hbrBackground;
    if (wc->lpszMenuName && !IS_INTRESOURCE(wc->lpszMenuName)) {
        c->menuNameText = wc->lpszMenuName;
        c->menuName = c->menuNameText.c_str();
    } else {
        c->menuName = wc->lpszMenuName;
    }
    c->windowExtra = wc->cbWndExtra;
    c->extra.assign(static_cast<std::size_t>(wc->cbClsExtra), 0);
    ATOM atom = c->atom;
    classes().push_back(std::move(c));
    return atom;
}

ATOM RegisterClass(const WNDCLASS* wc) {
    if (!wc) return 0;
    WNDCLASSEX ex{sizeof(WNDCLASSEX), wc->style,        wc->lpfnWndProc,   wc->cbClsExtra,
                  wc->cbWndExtra,     wc->hInstance,    wc->hIcon,         wc->hCursor,
                  wc->hbrBackground,  wc->lpszMenuName, wc->lpszClassName, nullptr};
    return RegisterClassEx(&ex);
}

BOOL UnregisterClass(LPCSTR className, HINSTANCE) {
    WindowClass* c = findClass(className);
    if (!c) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    if (c->windows > 0) {
        SetLastError(ERROR_CLASS_HAS_WINDOWS);
        return FALSE;
    }
    for (auto& p : classes())
        if (p.get() == c) p.reset();
    return TRUE;
}

BOOL GetClassInfoEx(HINSTANCE, LPCSTR className, LPWNDCLASSEX wc) {
    WindowClass* c = findClass(className);
    if (!c || !wc) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    *wc = WNDCLASSEX{sizeof(WNDCLASSEX), c->style,    c->proc,         static_cast<int>(c->extra.size()),
                     c->windowExtra,     c->instance, c->icon,         c->cursor,
                     c->background,      c->menuName, c->name.c_str(), c->iconSmall};
    return TRUE;
}

BOOL GetClassInfo(HINSTANCE instance, LPCSTR className, LPWNDCLASS wc) {
    WNDCLASSEX ex{};
    if (!wc || !GetClassInfoEx(instance, className, &ex)) return FALSE;
    *wc = WNDCLASS{ex.style, ex.lpfnWndProc, ex.cbClsExtra,    ex.cbWndExtra,   ex.hInstance,
                   ex.hIcon, ex.hCursor,     ex.hbrBackground, ex.lpszMenuName, ex.lpszClassName};
    return TRUE;
}

int GetClassName(HWND hwnd, LPSTR name, int maxCount) {
    Window* w = window(hwnd);
    if (!w || !name || maxCount <= 0) return 0;
    std::string n = w == desktop() ? "#32769" : w->cls ? w->cls->name : "";
    int len = std::min(static_cast<int>(n.size()), maxCount - 1);
    std::memcpy(name, n.data(), static_cast<std::size_t>(len));
    name[len] = 0;
    return len;
}

ULONG_PTR GetClassLongPtr(HWND hwnd, int index) {
    Window* w = window(hwnd);
    if (!w || !w->cls) return 0;
    WindowClass* c = w->cls;
    switch (index) {
    case GCL_MENUNAME:
        return reinterpret_cast<ULONG_PTR>(c->menuName);
    case GCL_HBRBACKGROUND:
        return reinterpret_cast<ULONG_PTR>(c->background);
    case GCL_HCURSOR:
        return reinterpret_cast<ULONG_PTR>(c->cursor);
    case GCL_HICON:
        return reinterpret_cast<ULONG_PTR>(c->icon);
    case GCL_HICONSM:
        return reinterpret_cast<ULONG_PTR>(c->iconSmall);
    case GCL_HMODULE:
        return reinterpret_cast<ULONG_PTR>(c->instance);
    case GCL_CBWNDEXTRA:
        return static_cast<ULONG_PTR>(c->windowExtra);
    case GCL_CBCLSEXTRA:
        return c->extra.size();
    case GCL_WNDPROC:
        return reinterpret_cast<ULONG_PTR>(c->proc);
    case GCL_STYLE:
        return c->style;
    case GCW_ATOM:
        return c->atom;
    default:
        break;
    }
    if (index < 0 || static_cast<std::size_t>(index) + sizeof(ULONG_PTR) > c->extra.size()) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    ULONG_PTR v = 0;
    std::memcpy(&v, c->extra.data() + index, sizeof v);
    return v;
}

ULONG_PTR SetClassLongPtr(HWND hwnd, int index, LONG_PTR value) {
    Window* w = window(hwnd);
    if (!w || !w->cls) return 0;
    WindowClass* c = w->cls;
    ULONG_PTR old = GetClassLongPtr(hwnd, index);
    switch (index) {
    case GCL_HBRBACKGROUND:
        c->background = reinterpret_cast<HBRUSH>(value);
        return old;
    case GCL_HCURSOR:
        c->cursor = reinterpret_cast<HCURSOR>(value);
        return old;
    case GCL_HICON:
        c->icon = reinterpret_cast<HICON>(value);
        return old;
    case GCL_HICONSM:
        c->iconSmall = reinterpret_cast<HICON>(value);
        return old;
    case GCL_WNDPROC:
        c->proc = reinterpret_cast<WNDPROC>(value);
        return old;
    case GCL_STYLE:
        c->style = static_cast<UINT>(value);
        return old;
    default:
        break;
    }
    if (index < 0 || static_cast<std::size_t>(index) + sizeof(ULONG_PTR) > c->extra.size()) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    std::memcpy(c->extra.data() + index, &value, sizeof value);
    return old;
}

DWORD GetClassLong(HWND hwnd, int index) {
    return static_cast<DWORD>(GetClassLongPtr(hwnd, index));
}

DWORD SetClassLong(HWND hwnd, int index, LONG value) {
    return static_cast<DWORD>(SetClassLongPtr(hwnd, index, value));
}
