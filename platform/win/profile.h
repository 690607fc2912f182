#pragma once
// Private-profile (INI) files: sections of "key=value" lines, read and written with Windows rules.
// Section and key names compare without regard to ASCII case; lines whose first non-blank character
// is ';' are comments; blanks around names and values are ignored. A file name without a folder
// lives in the user's configuration folder (where the registry is kept). Files are replaced
// atomically when written.

#include "platform/win/wintypes.h"

// Copies the value of lpKeyName in section lpAppName, or lpDefault (trailing blanks removed) when
// there is none. A NULL lpAppName lists the section names, a NULL lpKeyName the section's key
// names, each ending in NUL with one more NUL after the last. Returns the characters copied without
// the final NUL; a cut value returns nSize - 1, a cut list nSize - 2.
DWORD GetPrivateProfileString(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault, LPSTR lpReturnedString,
                              DWORD nSize, LPCSTR lpFileName);

// The value of lpKeyName read as a decimal integer (leading digits, optional sign); nDefault when
// the key is missing or empty.
UINT GetPrivateProfileInt(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault, LPCSTR lpFileName);

// Copies the section's lines ("key=value") as a NUL-separated list ending in two NULs. Returns the
// characters copied without the final NUL, nSize - 2 when the list was cut.
DWORD GetPrivateProfileSection(LPCSTR lpAppName, LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName);

// Copies the names of all sections, as GetPrivateProfileString with a NULL lpAppName.
DWORD GetPrivateProfileSectionNames(LPSTR lpszReturnBuffer, DWORD nSize, LPCSTR lpFileName);

// Sets lpKeyName to lpString, adding the section and key when missing. A NULL lpString deletes the
// key, a NULL lpKeyName deletes the whole section. FALSE when lpAppName is NULL or the file cannot
// be written.
BOOL WritePrivateProfileString(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString, LPCSTR lpFileName);

// Replaces the whole content of a section with the lines of lpString, a NUL-separated list ending in
// two NULs; creates the section when missing. A NULL lpString deletes the section.
BOOL WritePrivateProfileSection(LPCSTR lpAppName, LPCSTR lpString, LPCSTR lpFileName);

#define GetPrivateProfileStringA GetPrivateProfileString
#define GetPrivateProfileIntA GetPrivateProfileInt
#define GetPrivateProfileSectionA GetPrivateProfileSection
#define GetPrivateProfileSectionNamesA GetPrivateProfileSectionNames
#define WritePrivateProfileStringA WritePrivateProfileString
#define WritePrivateProfileSectionA WritePrivateProfileSection
