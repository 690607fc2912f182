// Dialog item helpers: texts, numbers, check states, messages, dialog units.

#include "platform/win/dialogs/dialog.h"

#include "platform/win/winctrl.h"

#include <cctype>
#include <cstdint>
#include <string>

BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text) {
    return SetWindowText(GetDlgItem(dialog, id), text);
}

UINT GetDlgItemTextA(HWND dialog, int id, LPSTR text, int max) {
    if (text && max > 0) text[0] = '\0';
    HWND item = GetDlgItem(dialog, id);
    return item ? static_cast<UINT>(GetWindowText(item, text, max)) : 0;
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
    std::string text = isSigned ? std::to_string(static_cast<int>(value)) : std::to_string(value);
    return SetDlgItemTextA(dialog, id, text.c_str());
}

// The item's text as a number: blanks around it, a sign when signed, then decimal digits only;
// values out of range fail.
UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
    if (translated) *translated = FALSE;
    char text[64] = {};
    if (!GetDlgItemTextA(dialog, id, text, sizeof text)) return 0;
    const char* p = text;
    while (*p == ' ' || *p == '\t')
        ++p;
    bool negative = false;
    if (isSigned && (*p == '-' || *p == '+')) negative = *p++ == '-';
    if (!std::isdigit(static_cast<unsigned char>(*p))) return 0;
    std::uint64_t v = 0;
    for (; std::isdigit(static_cast<unsigned char>(*p)); ++p) {
        v = v * 10 + static_cast<unsigned>(*p - '0');
        if (v > 0xFFFFFFFFull) return 0;
    }
    while (*p == ' ' || *p == '\t')
        ++p;
    if (*p) return 0;
    std::uint64_t limit = isSigned ? (negative ? 0x80000000ull : 0x7FFFFFFFull) : 0xFFFFFFFFull;
    if (v > limit) return 0;
    if (translated) *translated = TRUE;
    return negative ? static_cast<UINT>(-static_cast<std::int64_t>(v)) : static_cast<UINT>(v);
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
    HWND item = GetDlgItem(dialog, id);
    if (!item) return FALSE;
    SendMessage(item, BM_SETCHECK, check, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    return item ? static_cast<UINT>(SendMessage(item, BM_GETCHECK, 0, 0)) : 0;
}

BOOL CheckRadioButton(HWND dialog, int first, int last, int check) {
    for (int id = first; id <= last; ++id)
        if (HWND item = GetDlgItem(dialog, id))
            SendMessage(item, BM_SETCHECK, id == check ? BST_CHECKED : BST_UNCHECKED, 0);
    return TRUE;
}

LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND item = GetDlgItem(dialog, id);
    return item ? SendMessage(item, msg, wParam, lParam) : 0;
}

BOOL MapDialogRect(HWND dialog, LPRECT rect) {
    if (!rect || !IsWindow(dialog)) return FALSE;
    pm::dialogs::DialogState* s = pm::dialogs::stateOf(dialog);
    SIZE base =
        s ? s->baseUnits : pm::dialogs::baseUnitsOf(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    rect->left = MulDiv(rect->left, base.cx, 4);
    rect->right = MulDiv(rect->right, base.cx, 4);
    rect->top = MulDiv(rect->top, base.cy, 8);
    rect->bottom = MulDiv(rect->bottom, base.cy, 8);
    return TRUE;
}

LONG GetDialogBaseUnits() {
    SIZE base = pm::dialogs::baseUnitsOf(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    return MAKELONG(base.cx, base.cy);
}
