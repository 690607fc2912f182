#pragma once
// The registry: hives of keys holding typed values, kept in files of the user's configuration folder
// so that every program of the user shares them. HKEY_CURRENT_USER and HKEY_CLASSES_ROOT are
// writable; HKEY_LOCAL_MACHINE is read-only (empty unless its file was seeded). Key and value names
// compare without regard to ASCII case; subkeys and values enumerate in name order.

#include "platform/win/wintypes.h"
#include "platform/win/handles.h"
#include "platform/win/winbase.h"

typedef LONG LSTATUS;
typedef DWORD ACCESS_MASK;
typedef ACCESS_MASK REGSAM;
struct _FILETIME;
typedef struct _FILETIME* PFILETIME;
struct _SECURITY_ATTRIBUTES;
typedef struct _SECURITY_ATTRIBUTES* LPSECURITY_ATTRIBUTES;

#define HKEY_CLASSES_ROOT ((HKEY)(ULONG_PTR)((LONG)0x80000000))
#define HKEY_CURRENT_USER ((HKEY)(ULONG_PTR)((LONG)0x80000001))
#define HKEY_LOCAL_MACHINE ((HKEY)(ULONG_PTR)((LONG)0x80000002))

#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_DWORD_LITTLE_ENDIAN 4
#define REG_DWORD_BIG_ENDIAN 5
#define REG_LINK 6
#define REG_MULTI_SZ 7

#define DELETE 0x00010000L
#define READ_CONTROL 0x00020000L
#define SYNCHRONIZE 0x00100000L
#define STANDARD_RIGHTS_READ READ_CONTROL
#define STANDARD_RIGHTS_WRITE READ_CONTROL
#define STANDARD_RIGHTS_ALL 0x001F0000L

#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_NOTIFY 0x0010
#define KEY_CREATE_LINK 0x0020
#define KEY_READ 0x20019
#define KEY_EXECUTE KEY_READ
#define KEY_WRITE 0x20006
#define KEY_ALL_ACCESS 0xF003F

#define REG_OPTION_RESERVED 0x00000000L
#define REG_OPTION_NON_VOLATILE 0x00000000L
#define REG_OPTION_VOLATILE 0x00000001L
#define REG_CREATED_NEW_KEY 0x00000001L
#define REG_OPENED_EXISTING_KEY 0x00000002L

// Opens an existing subkey (lpSubKey NULL or "" opens hKey again). ERROR_FILE_NOT_FOUND when missing,
// ERROR_ACCESS_DENIED when write access is asked of the read-only hive.
LSTATUS RegOpenKeyEx(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult);

// Opens a subkey, creating it and any missing keys on its path; *lpdwDisposition says which.
LSTATUS RegCreateKeyEx(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR lpClass, DWORD dwOptions,
                       REGSAM samDesired, LPSECURITY_ATTRIBUTES lpSecurityAttributes, PHKEY phkResult,
                       LPDWORD lpdwDisposition);

// Stores cbData bytes as the value's data with the given type (NULL or "" names the default value).
LSTATUS RegSetValueEx(HKEY hKey, LPCSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData,
                      DWORD cbData);

// Reads a value's type and data. With lpData NULL only the size is reported; a buffer that is too
// small gives ERROR_MORE_DATA with the needed size in *lpcbData.
LSTATUS RegQueryValueEx(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                        LPDWORD lpcbData);

// The name of the dwIndex-th subkey; ERROR_NO_MORE_ITEMS past the last. *lpcchName holds the buffer
// size in characters on entry and the name's length on return.
LSTATUS RegEnumKeyEx(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD lpReserved,
                     LPSTR lpClass, LPDWORD lpcchClass, PFILETIME lpftLastWriteTime);

// The name, type and data of the dwIndex-th value; ERROR_NO_MORE_ITEMS past the last.
LSTATUS RegEnumValue(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName, LPDWORD lpReserved,
                     LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData);

// Deletes a subkey that has no subkeys of its own (ERROR_ACCESS_DENIED otherwise), with its values.
LSTATUS RegDeleteKey(HKEY hKey, LPCSTR lpSubKey);

LSTATUS RegDeleteValue(HKEY hKey, LPCSTR lpValueName);

LSTATUS RegCloseKey(HKEY hKey);

#define RegOpenKeyExA RegOpenKeyEx
#define RegCreateKeyExA RegCreateKeyEx
#define RegSetValueExA RegSetValueEx
#define RegQueryValueExA RegQueryValueEx
#define RegEnumKeyExA RegEnumKeyEx
#define RegEnumValueA RegEnumValue
#define RegDeleteKeyA RegDeleteKey
#define RegDeleteValueA RegDeleteValue
