#pragma once
// Small registry helpers over the system's registry functions: keys opened and created with an
// access mask (null for failure) and string values read and written.

#include "platform/framework/CString.h"
#include "platform/win/winreg.h"

// The opened key, or null.
HKEY RegOpenKeyAccess(HKEY hRoot, LPCTSTR lpszSubKey, REGSAM access);
// The created or opened key, or null.
HKEY RegCreateKeyAccess(HKEY hRoot, LPCTSTR lpszSubKey, REGSAM access);
// Closes a key that is not null.
void RegCloseKeySafe(HKEY hKey);

// A string value of the sub-key (or of hRoot itself when lpszSubKey is null): REG_SZ,
// REG_EXPAND_SZ (not expanded), REG_LINK and REG_MULTI_SZ are taken as stored, up to the stored
// size or the first NUL. FALSE for a missing key or value or another type.
BOOL RegQueryStringValue(HKEY hRoot, LPCTSTR lpszSubKey, LPCTSTR lpszName, CString& strValue);
// Writes the text as REG_SZ with its terminating zero, creating the sub-key when it is missing.
BOOL RegSetStringValue(HKEY hRoot, LPCTSTR lpszSubKey, LPCTSTR lpszName, LPCTSTR lpszValue);
