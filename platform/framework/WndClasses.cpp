// The framework's window classes: AfxRegisterWndClass names a class after its styles, cursor,
// brush and icon, and registers it once.

#include "platform/framework/CWnd.h"

#include <cstdio>
#include <set>
#include <string>

const char* const AFX_WND = "AfxWnd";
const char* const AFX_WNDFRAMEORVIEW = "AfxFrameOrView";
const char* const AFX_WNDMDIFRAME = "AfxMDIFrame";
const char* const AFX_WNDCONTROLBAR = "AfxControlBar";

namespace {

std::set<std::string>& registered() {
    static std::set<std::string> names;
    return names;
}

BOOL registerOnce(const char* name, UINT style, HCURSOR cursor, HBRUSH brush, HICON icon) {
    if (registered().count(name)) return TRUE;
    WNDCLASS wc{};
    wc.style = style;
    wc.lpfnWndProc = &::DefWindowProc;
    wc.hCursor = cursor;
    wc.hbrBackground = brush;
    wc.hIcon = icon;
    wc.lpszClassName = name;
    if (!::RegisterClass(&wc)) {
        WNDCLASS existing{};
        if (!::GetClassInfo(nullptr, name, &existing)) return FALSE;
    }
    registered().insert(name);
    return TRUE;
}

} // namespace

void pm::afx::registerStandardClasses() {
    static const bool done = [] {
        HCURSOR arrow = ::LoadCursor(nullptr, IDC_ARROW);
        registerOnce(AFX_WND, CS_DBLCLKS, arrow, nullptr, nullptr);
        registerOnce(AFX_WNDFRAMEORVIEW, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, arrow,
                     reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)), nullptr);
        registerOnce(AFX_WNDMDIFRAME, CS_DBLCLKS, arrow, nullptr, nullptr);
        registerOnce(AFX_WNDCONTROLBAR, 0, arrow,
                     reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)), nullptr);
        return true;
    }();
    (void)done;
}

LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
    char name[96];
    std::snprintf(name, sizeof(name), "Afx:%x:%llx:%llx:%llx", nClassStyle,
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hCursor)),
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hbrBackground)),
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hIcon)));
    if (!registerOnce(name, nClassStyle, hCursor, hbrBackground, hIcon)) return nullptr;
    // The set keeps the name alive for the caller.
    return registered().find(name)->c_str();
}

BOOL AfxRegisterClass(WNDCLASS* lpWndClass) {
    WNDCLASS existing{};
    if (::GetClassInfo(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing)) return TRUE;
    return ::RegisterClass(lpWndClass) != 0;
}
