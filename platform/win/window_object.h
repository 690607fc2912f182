#pragma once
// Windows tied to C++ objects: the window procedures of classes whose windows each have one object
// that answers their messages.

#include "platform/win/winuser.h"

namespace pm {

// For windows that own their object: `make` creates it at WM_NCCREATE from the window and its
// CREATESTRUCT, the window keeps it in its first extra bytes (the class's cbWndExtra holds a
// pointer; the user data stays free for those who subclass), and it is deleted once it has handled
// WM_NCDESTROY. Base is the type the pointer is kept as; it answers through its public
// `LRESULT handle(UINT, WPARAM, LPARAM)`.
template <class Base, Base* (*make)(HWND, const CREATESTRUCT&)>
LRESULT CALLBACK ownedObjectProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* object = reinterpret_cast<Base*>(GetWindowLongPtr(hwnd, 0));
    if (!object && msg == WM_NCCREATE) {
        object = make(hwnd, *reinterpret_cast<const CREATESTRUCT*>(lParam));
        SetWindowLongPtr(hwnd, 0, reinterpret_cast<LONG_PTR>(object));
    }
    if (!object) return DefWindowProc(hwnd, msg, wParam, lParam);
    if (msg != WM_NCDESTROY) return object->handle(msg, wParam, lParam);
    SetWindowLongPtr(hwnd, 0, 0);
    LRESULT result = object->handle(msg, wParam, lParam);
    delete object;
    return result;
}

// For windows whose object lives apart and outlives them: CreateWindow's lpParam is the object,
// which the window keeps in its user data. Messages reach `handle` once the object's `window`
// member (an HWND member of T or of a base) holds this window; until then, and after, they go to
// DefWindowProc. `handle` is T's LRESULT (UINT, WPARAM, LPARAM) member.
template <class T, auto window, auto handle>
LRESULT CALLBACK borrowedObjectProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        SetWindowLongPtr(
            hwnd, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<const CREATESTRUCT*>(lParam)->lpCreateParams));
    auto* object = reinterpret_cast<T*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    if (!object || object->*window != hwnd) return DefWindowProc(hwnd, msg, wParam, lParam);
    return (object->*handle)(msg, wParam, lParam);
}

} // namespace pm
