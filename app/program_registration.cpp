// Program registration and the hand-over of texts between programs.

#include "app/program_registration.h"

#include "app/registry_helpers.h"
#include "platform/framework/CWinApp.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

const char* const g_strProgramsKey = "Software\\Talvora";

CString FormatWindowHandle(HWND hWnd) {
    CString text;
    text.Format("%04llu", static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(hWnd)));
    return text;
}

BOOL RegisterProgramWindow(LPCTSTR lpszName, LPCTSTR lpszPath, HWND hWnd) {
    if (!RegSetStringValue(HKEY_CURRENT_USER, g_strProgramsKey, lpszName, lpszPath)) return FALSE;
    return RegSetStringValue(HKEY_CURRENT_USER, g_strProgramsKey, CString(lpszName) + "h",
                             FormatWindowHandle(hWnd));
}

BOOL FindProgramWindow(LPCTSTR lpszName, CString& strPath, HWND& hWnd) {
    hWnd = nullptr;
    if (!RegQueryStringValue(HKEY_CURRENT_USER, g_strProgramsKey, lpszName, strPath)) return FALSE;
    CString handle;
    if (RegQueryStringValue(HKEY_CURRENT_USER, g_strProgramsKey, CString(lpszName) + "h", handle))
        hWnd = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(std::strtoull(handle, nullptr, 10)));
    return TRUE;
}

BOOL SendCopyDataString(HWND hSender, HWND hTarget, DWORD dwKind, LPCTSTR lpszText) {
    const char* text = lpszText ? lpszText : "";
    COPYDATASTRUCT data{dwKind, static_cast<DWORD>(std::strlen(text)), const_cast<char*>(text)};
    return ::SendMessage(hTarget, WM_COPYDATA, reinterpret_cast<WPARAM>(hSender),
                         reinterpret_cast<LPARAM>(&data)) != 0;
}

namespace {

BOOL failed(UINT nErrorID) {
    if (nErrorID) AfxMessageBox(nErrorID);
    return FALSE;
}

} // namespace

BOOL HandFileToProgram(LPCTSTR lpszName, HWND hSender, DWORD dwKind, LPCTSTR lpszText, UINT nErrorID) {
    CString path;
    HWND target = nullptr;
    if (!FindProgramWindow(lpszName, path, target)) return failed(nErrorID);
    if (::IsWindow(target) && SendCopyDataString(hSender, target, dwKind, lpszText)) return TRUE;
    // Not running (or not answering): start it, and look again once it waits for input.
    if (::WinExec(CString("\"") + path + "\"", SW_SHOWNORMAL) <= 31) return failed(nErrorID);
    if (!FindProgramWindow(lpszName, path, target) || !::IsWindow(target)) return failed(nErrorID);
    return SendCopyDataString(hSender, target, dwKind, lpszText);
}
