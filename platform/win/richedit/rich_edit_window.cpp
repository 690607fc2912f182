// The window classes "RICHEDIT" and "RichEdit20A": each window owns one RichEditControl, kept in
// its extra bytes (the user data stays free for those who subclass it).
#include "platform/win/richedit.h"
#include "platform/win/richedit/rich_edit_control.h"
#include "platform/win/wingdi.h"

namespace {

using pm::richedit::RichEditControl;

LRESULT dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool legacy) {
    auto* control = reinterpret_cast<RichEditControl*>(GetWindowLongPtr(hwnd, 0));
    if (msg == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
        control = new RichEditControl(hwnd, legacy, static_cast<DWORD>(cs->style));
        SetWindowLongPtr(hwnd, 0, reinterpret_cast<LONG_PTR>(control));
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    if (!control) return DefWindowProc(hwnd, msg, wParam, lParam);
    if (msg == WM_CREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
        if (cs->lpszName && *cs->lpszName)
            control->handle(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(cs->lpszName));
        return 0;
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtr(hwnd, 0, 0);
        delete control;
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    return control->handle(msg, wParam, lParam);
}

LRESULT CALLBACK legacyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return dispatch(hwnd, msg, wParam, lParam, true);
}

LRESULT CALLBACK currentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return dispatch(hwnd, msg, wParam, lParam, false);
}

} // namespace

BOOL RegisterRichEditClasses() {
    WNDCLASS wc{};
    if (GetClassInfo(nullptr, RICHEDIT_CLASSA, &wc)) return TRUE;
    wc.style = CS_DBLCLKS;
    wc.cbWndExtra = sizeof(void*);
    wc.hCursor = LoadCursor(nullptr, IDC_IBEAM);
    wc.lpfnWndProc = legacyProc;
    wc.lpszClassName = RICHEDIT_CLASS10A;
    if (!RegisterClass(&wc)) return FALSE;
    wc.lpfnWndProc = currentProc;
    wc.lpszClassName = RICHEDIT_CLASSA;
    return RegisterClass(&wc) != 0;
}
