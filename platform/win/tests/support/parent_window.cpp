#include "platform/win/tests/support/test_windows.h"

namespace pm::test {
namespace {

// Hands every message after WM_NCCREATE to the handler kept in the window's extra bytes.
LRESULT CALLBACK parentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
        SetWindowLongPtr(hwnd, 0, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto handler = reinterpret_cast<WNDPROC>(GetWindowLongPtr(hwnd, 0));
    return handler ? handler(hwnd, msg, wParam, lParam) : DefWindowProc(hwnd, msg, wParam, lParam);
}

const char* parentClass(bool faceBackground) {
    static const char* plain = [] {
        WNDCLASS wc{};
        wc.lpfnWndProc = parentProc;
        wc.cbWndExtra = sizeof(LONG_PTR);
        wc.lpszClassName = "PmTestParent";
        RegisterClass(&wc);
        return "PmTestParent";
    }();
    static const char* face = [] {
        WNDCLASS wc{};
        wc.lpfnWndProc = parentProc;
        wc.cbWndExtra = sizeof(LONG_PTR);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = "PmTestParentFace";
        RegisterClass(&wc);
        return "PmTestParentFace";
    }();
    return faceBackground ? face : plain;
}

} // namespace

HWND createParent(WNDPROC handler, int cx, int cy, bool faceBackground) {
    return CreateWindowEx(0, parentClass(faceBackground), "parent", WS_POPUP | WS_VISIBLE, 100, 100, cx, cy,
                          nullptr, nullptr, nullptr, reinterpret_cast<LPVOID>(handler));
}

} // namespace pm::test
