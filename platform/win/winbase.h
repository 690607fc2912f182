#pragma once
// System services: memory handles, errors and their texts, the module path, time and threads.

#include "platform/win/wintypes.h"
#include "platform/win/handles.h"

#include <cstdarg>

#define MAX_PATH 260
#define INFINITE 0xFFFFFFFF
#define WAIT_OBJECT_0 0x00000000L
#define WAIT_ABANDONED 0x00000080L
#define WAIT_TIMEOUT 258L
#define WAIT_FAILED ((DWORD)0xFFFFFFFF)

// Global and local memory
#define GMEM_FIXED 0x0000
#define GMEM_MOVEABLE 0x0002
#define GMEM_NOCOMPACT 0x0010
#define GMEM_NODISCARD 0x0020
#define GMEM_ZEROINIT 0x0040
#define GMEM_MODIFY 0x0080
#define GMEM_DISCARDABLE 0x0100
#define GMEM_SHARE 0x2000
#define GMEM_DDESHARE 0x2000
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)
#define LMEM_FIXED 0x0000
#define LMEM_MOVEABLE 0x0002
#define LMEM_ZEROINIT 0x0040
#define LHND (LMEM_MOVEABLE | LMEM_ZEROINIT)
#define LPTR (LMEM_FIXED | LMEM_ZEROINIT)

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
HGLOBAL GlobalReAlloc(HGLOBAL mem, SIZE_T bytes, UINT flags);
LPVOID GlobalLock(HGLOBAL mem);
BOOL GlobalUnlock(HGLOBAL mem);
HGLOBAL GlobalFree(HGLOBAL mem);
SIZE_T GlobalSize(HGLOBAL mem);
UINT GlobalFlags(HGLOBAL mem);
HGLOBAL GlobalHandle(LPCVOID pointer);
HLOCAL LocalAlloc(UINT flags, SIZE_T bytes);
HLOCAL LocalFree(HLOCAL mem);
LPVOID LocalLock(HLOCAL mem);
BOOL LocalUnlock(HLOCAL mem);

// Errors
#define ERROR_SUCCESS 0L
#define NO_ERROR 0L
#define ERROR_INVALID_FUNCTION 1L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_PATH_NOT_FOUND 3L
#define ERROR_TOO_MANY_OPEN_FILES 4L
#define ERROR_ACCESS_DENIED 5L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_NOT_ENOUGH_MEMORY 8L
#define ERROR_BAD_FORMAT 11L
#define ERROR_INVALID_DATA 13L
#define ERROR_OUTOFMEMORY 14L
#define ERROR_NO_MORE_FILES 18L
#define ERROR_WRITE_PROTECT 19L
#define ERROR_WRITE_FAULT 29L
#define ERROR_READ_FAULT 30L
#define ERROR_GEN_FAILURE 31L
#define ERROR_SHARING_VIOLATION 32L
#define ERROR_LOCK_VIOLATION 33L
#define ERROR_HANDLE_EOF 38L
#define ERROR_NOT_SUPPORTED 50L
#define ERROR_FILE_EXISTS 80L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_BROKEN_PIPE 109L
#define ERROR_DISK_FULL 112L
#define ERROR_CALL_NOT_IMPLEMENTED 120L
#define ERROR_INSUFFICIENT_BUFFER 122L
#define ERROR_INVALID_NAME 123L
#define ERROR_MOD_NOT_FOUND 126L
#define ERROR_PROC_NOT_FOUND 127L
#define ERROR_DIR_NOT_EMPTY 145L
#define ERROR_BAD_PATHNAME 161L
#define ERROR_ALREADY_EXISTS 183L
#define ERROR_FILENAME_EXCED_RANGE 206L
#define ERROR_MORE_DATA 234L
#define ERROR_NO_MORE_ITEMS 259L
#define ERROR_NOACCESS 998L
#define ERROR_CANTOPEN 1011L
#define ERROR_CANTREAD 1012L
#define ERROR_CANTWRITE 1013L
#define ERROR_KEY_DELETED 1018L
#define ERROR_INVALID_FLAGS 1004L
#define ERROR_CANCELLED 1223L
#define ERROR_INVALID_WINDOW_HANDLE 1400L
#define ERROR_INVALID_MENU_HANDLE 1401L
#define ERROR_INVALID_CURSOR_HANDLE 1402L
#define ERROR_INVALID_ACCEL_HANDLE 1403L
#define ERROR_INVALID_HOOK_HANDLE 1404L
#define ERROR_TLW_WITH_WSCHILD 1406L
#define ERROR_CANNOT_FIND_WND_CLASS 1407L
#define ERROR_WINDOW_OF_OTHER_THREAD 1408L
#define ERROR_CLASS_ALREADY_EXISTS 1410L
#define ERROR_CLASS_DOES_NOT_EXIST 1411L
#define ERROR_CLASS_HAS_WINDOWS 1412L
#define ERROR_INVALID_INDEX 1413L
#define ERROR_CLIPBOARD_NOT_OPEN 1418L
#define ERROR_TIMEOUT 1460L
#define ERROR_RESOURCE_DATA_NOT_FOUND 1812L
#define ERROR_RESOURCE_TYPE_NOT_FOUND 1813L
#define ERROR_RESOURCE_NAME_NOT_FOUND 1814L

DWORD GetLastError();
void SetLastError(DWORD error);

#define FORMAT_MESSAGE_ALLOCATE_BUFFER 0x00000100
#define FORMAT_MESSAGE_IGNORE_INSERTS 0x00000200
#define FORMAT_MESSAGE_FROM_STRING 0x00000400
#define FORMAT_MESSAGE_FROM_HMODULE 0x00000800
#define FORMAT_MESSAGE_FROM_SYSTEM 0x00001000
#define FORMAT_MESSAGE_ARGUMENT_ARRAY 0x00002000
#define FORMAT_MESSAGE_MAX_WIDTH_MASK 0x000000FF
#define LANG_NEUTRAL 0x00
#define SUBLANG_NEUTRAL 0x00
#define SUBLANG_DEFAULT 0x01
#define MAKELANGID(p, s) ((((WORD)(s)) << 10) | (WORD)(p))

// Formats the text of a system error (FORMAT_MESSAGE_FROM_SYSTEM) or a message string with %1..%99
// inserts taken from args (an array of pointer-sized values, FORMAT_MESSAGE_ARGUMENT_ARRAY style).
DWORD FormatMessage(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPSTR buffer, DWORD size,
                    va_list* args);

// Module, time, threads
HMODULE GetModuleHandle(LPCSTR moduleName);
DWORD GetModuleFileName(HMODULE module, LPSTR fileName, DWORD size);
// The folders that stand in for the system's Windows and System folders: /usr/share and /usr/lib.
// The length copied (without the NUL); when the buffer is too small, the size it needs (with the
// NUL) and nothing copied.
UINT GetWindowsDirectory(LPSTR buffer, UINT size);
UINT GetSystemDirectory(LPSTR buffer, UINT size);
DWORD GetTickCount();
ULONGLONG GetTickCount64();
void Sleep(DWORD milliseconds);
DWORD GetCurrentThreadId();
DWORD GetCurrentProcessId();

// Kernel objects: events, files and folder change notifications, reached through HANDLEs that
// CloseHandle frees, and the waits on them. Handles may be used from any thread.
struct _SECURITY_ATTRIBUTES;
typedef struct _SECURITY_ATTRIBUTES* LPSECURITY_ATTRIBUTES;

#define MAXIMUM_WAIT_OBJECTS 64

BOOL CloseHandle(HANDLE object);

// An event: manual-reset events stay signalled until reset; an auto-reset event releases one wait
// and is reset by it. Names are not supported (NULL only).
HANDLE CreateEvent(LPSECURITY_ATTRIBUTES attributes, BOOL manualReset, BOOL initialState, LPCSTR name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);
#define CreateEventA CreateEvent

// Waits until one of the objects (events, change notifications) is signalled, or the time runs
// out: WAIT_OBJECT_0 + the index of the first signalled one, WAIT_TIMEOUT or WAIT_FAILED. At most
// MAXIMUM_WAIT_OBJECTS handles; waiting for all of them at once is not supported.
DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds);
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);

// Change notifications of one folder (not of its sub-folders): the handle is signalled when a
// change of the filter's kinds happens in the folder, and stays signalled until
// FindNextChangeNotification. INVALID_HANDLE_VALUE when the folder cannot be watched.
#define FILE_NOTIFY_CHANGE_FILE_NAME 0x00000001
#define FILE_NOTIFY_CHANGE_DIR_NAME 0x00000002
#define FILE_NOTIFY_CHANGE_ATTRIBUTES 0x00000004
#define FILE_NOTIFY_CHANGE_SIZE 0x00000008
#define FILE_NOTIFY_CHANGE_LAST_WRITE 0x00000010
#define FILE_NOTIFY_CHANGE_SECURITY 0x00000100
HANDLE FindFirstChangeNotification(LPCSTR pathName, BOOL watchSubtree, DWORD filter);
BOOL FindNextChangeNotification(HANDLE change);
BOOL FindCloseChangeNotification(HANDLE change);
#define FindFirstChangeNotificationA FindFirstChangeNotification

// Files: opening an existing file for reading, its times and its size.
typedef struct _FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
} FILETIME, *PFILETIME, *LPFILETIME;

#define GENERIC_READ 0x80000000L
#define GENERIC_WRITE 0x40000000L
#define FILE_SHARE_READ 0x00000001
#define FILE_SHARE_WRITE 0x00000002
#define FILE_SHARE_DELETE 0x00000004
#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define INVALID_FILE_SIZE ((DWORD)0xFFFFFFFF)

// Opens a file that exists for reading (GENERIC_READ, OPEN_EXISTING) without waiting; other accesses
// and dispositions fail with ERROR_NOT_SUPPORTED, a folder, a named pipe or a device with
// ERROR_ACCESS_DENIED. Sharing flags are accepted and not enforced: the system locks no file.
HANDLE CreateFile(LPCSTR fileName, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES attributes,
                  DWORD disposition, DWORD flags, HANDLE templateFile);
#define CreateFileA CreateFile
// The file's last-access and last-write times; the creation time is zero (the system keeps none).
BOOL GetFileTime(HANDLE file, LPFILETIME creation, LPFILETIME lastAccess, LPFILETIME lastWrite);
// The low 32 bits of the size, the high ones into *sizeHigh when given.
DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh);
// -1, 0 or 1 as the first time is earlier than, equal to or later than the second.
LONG CompareFileTime(const FILETIME* first, const FILETIME* second);
// Copies a regular file to newFileName; an existing target is replaced whole only when the copy is
// complete and keeps its permissions, unless failIfExists refuses it (ERROR_FILE_EXISTS).
BOOL CopyFile(LPCSTR existingFileName, LPCSTR newFileName, BOOL failIfExists);
#define CopyFileA CopyFile

// Starts the program of a command line (the program's path, or a name found on the search path,
// then its arguments, blank-separated, double quotes grouping) and waits until it waits for input,
// or it ends, or ten seconds have passed. Greater than 31 when it started; else ERROR_FILE_NOT_FOUND,
// ERROR_PATH_NOT_FOUND, ERROR_BAD_FORMAT (not a program) or 0 (no resources).
UINT WinExec(LPCSTR cmdLine, UINT show);

#define FormatMessageA FormatMessage
#define GetModuleHandleA GetModuleHandle
#define GetModuleFileNameA GetModuleFileName
#define GetWindowsDirectoryA GetWindowsDirectory
#define GetSystemDirectoryA GetSystemDirectory
