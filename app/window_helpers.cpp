#include "app/window_helpers.h"

#include "platform/framework/CWinApp.h"
#include "platform/win/shellapi.h"
#include "platform/win/winbase.h"
#include "platform/win/winmenu.h"
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

void TrackMenuResource(HWND hOwner, UINT nMenuID, int nSubMenu) {
    HMENU menu = LoadMenu(nullptr, MAKEINTRESOURCE(nMenuID));
    if (!menu) return;
    if (HMENU popup = GetSubMenu(menu, nSubMenu)) {
        POINT cursor{0, 0};
        GetCursorPos(&cursor);
        TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, hOwner, nullptr);
    }
    DestroyMenu(menu);
}

BOOL OpenWithDesktop(HWND hOwner, LPCTSTR lpszTarget, LPCTSTR lpszShown) {
    const auto code = reinterpret_cast<INT_PTR>(
        ::ShellExecute(hOwner, "open", lpszTarget, nullptr, nullptr, SW_SHOWNORMAL));
    if (code > 32) return TRUE;
    const bool missing = code == SE_ERR_FNF || code == SE_ERR_PNF;
    CString message(lpszShown ? lpszShown : lpszTarget);
    message += missing ? "\ncould not be opened: it does not exist."
                       : "\ncould not be opened: no program of this desktop opens it.";
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    return FALSE;
}
