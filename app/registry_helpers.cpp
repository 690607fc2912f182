// Registry helpers.

#include "app/registry_helpers.h"

#include <cstring>
#include <vector>

HKEY RegOpenKeyAccess(HKEY hRoot, LPCTSTR lpszSubKey, REGSAM access) {
    HKEY key = nullptr;
    return ::RegOpenKeyEx(hRoot, lpszSubKey, 0, access, &key) == ERROR_SUCCESS ? key : nullptr;
}

HKEY RegCreateKeyAccess(HKEY hRoot, LPCTSTR lpszSubKey, REGSAM access) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    return ::RegCreateKeyEx(hRoot, lpszSubKey, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key,
                            &disposition) == ERROR_SUCCESS
               ? key
               : nullptr;
}

void RegCloseKeySafe(HKEY hKey) {
    if (hKey) ::RegCloseKey(hKey);
}

namespace {

bool isStringType(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_LINK || type == REG_MULTI_SZ;
}

BOOL queryString(HKEY hKey, LPCTSTR lpszName, CString& strValue) {
    DWORD type = 0, size = 0;
    if (::RegQueryValueEx(hKey, lpszName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        !isStringType(type))
        return FALSE;
    std::vector<BYTE> data(size + 1, 0);
    if (::RegQueryValueEx(hKey, lpszName, nullptr, &type, data.data(), &size) != ERROR_SUCCESS) return FALSE;
    // A stored string need not end in a zero: the stored size bounds it.
    const char* text = reinterpret_cast<const char*>(data.data());
    strValue = CString(text, static_cast<int>(::strnlen(text, size)));
    return TRUE;
}

} // namespace

BOOL RegQueryStringValue(HKEY hRoot, LPCTSTR lpszSubKey, LPCTSTR lpszName, CString& strValue) {
    HKEY key = lpszSubKey ? RegOpenKeyAccess(hRoot, lpszSubKey, KEY_READ) : hRoot;
    if (!key) return FALSE;
    const BOOL found = queryString(key, lpszName, strValue);
    if (lpszSubKey) RegCloseKeySafe(key);
    return found;
}

BOOL RegSetStringValue(HKEY hRoot, LPCTSTR lpszSubKey, LPCTSTR lpszName, LPCTSTR lpszValue) {
    HKEY key = lpszSubKey ? RegCreateKeyAccess(hRoot, lpszSubKey, KEY_WRITE) : hRoot;
    if (!key) return FALSE;
    const char* text = lpszValue ? lpszValue : "";
    const BOOL written = ::RegSetValueEx(key, lpszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                         static_cast<DWORD>(std::strlen(text) + 1)) == ERROR_SUCCESS;
    if (lpszSubKey) RegCloseKeySafe(key);
    return written;
}
