#pragma once
// The registration of the maker's programs and the hand-over of a file between them. Each program
// writes, under HKEY_CURRENT_USER\<g_strProgramsKey>, its executable's path as the value named
// after it and its main window's handle (unsigned decimal, at least four digits) as the value of
// that name followed by "h". Another program finds it there and sends it a text by WM_COPYDATA:
// kind 0 is a path to open, kind 1 a path, ";" and a text to find in that file.

#include "platform/framework/CString.h"
#include "platform/win/windows.h"

// "Software\Talvora".
extern const char* const g_strProgramsKey;

enum : DWORD { kCopyDataOpen = 0, kCopyDataOpenAndFind = 1 };

// A window handle as it is registered.
CString FormatWindowHandle(HWND hWnd);

// Writes the path, then the window; FALSE when the path could not be written (the window is then
// not tried), else whether the window was written.
BOOL RegisterProgramWindow(LPCTSTR lpszName, LPCTSTR lpszPath, HWND hWnd);
// The registered path and window (null when no window is registered); FALSE when the program has
// no path registered.
BOOL FindProgramWindow(LPCTSTR lpszName, CString& strPath, HWND& hWnd);

// Sends the text by WM_COPYDATA (wParam the sender) and waits; TRUE when the receiver answered
// non-zero.
BOOL SendCopyDataString(HWND hSender, HWND hTarget, DWORD dwKind, LPCTSTR lpszText);
// Hands the text to the registered program: to its window when it lives, else to the window it
// registers once started. When that fails, the string nErrorID is shown (unless it is 0) and the
// answer is FALSE.
BOOL HandFileToProgram(LPCTSTR lpszName, HWND hSender, DWORD dwKind, LPCTSTR lpszText, UINT nErrorID);
