#include "app/clipboard_helpers.h"

#include "platform/win/winbase.h"
#include "platform/win/winuser.h"

#include <cstring>

BOOL CopyTextToClipboard(LPCTSTR lpszText) {
    if (!OpenClipboard(GetFocus())) return FALSE;
    if (!EmptyClipboard()) {
        CloseClipboard();
        return FALSE;
    }
    std::size_t length = std::strlen(lpszText ? lpszText : "");
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, length + 1);
    void* bytes = memory ? GlobalLock(memory) : nullptr;
    if (bytes) {
        std::memcpy(bytes, lpszText ? lpszText : "", length + 1);
        GlobalUnlock(memory);
        if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
    } else if (memory) {
        GlobalFree(memory);
    }
    CloseClipboard();
    return TRUE;
}

CString LoadResString(UINT nID) {
    CString text;
    text.LoadString(nID);
    return text;
}
