#pragma once
// Shell services: opening documents, pages and programs.

#include "platform/win/wintypes.h"
#include "platform/win/handles.h"

// Results of ShellExecute below 33 are errors.
#define SE_ERR_FNF 2
#define SE_ERR_PNF 3
#define SE_ERR_ACCESSDENIED 5
#define SE_ERR_OOM 8
#define SE_ERR_SHARE 26
#define SE_ERR_ASSOCINCOMPLETE 27
#define SE_ERR_DDETIMEOUT 28
#define SE_ERR_DDEFAIL 29
#define SE_ERR_DDEBUSY 30
#define SE_ERR_NOASSOC 31
#define SE_ERR_DLLNOTFOUND 32

// Opens a URL, folder or document with the desktop's handler, or starts an executable file
// detached with the blank-separated parameters (quotes group). verb is "open" or NULL; a relative
// file is taken relative to dir. Returns a value greater than 32 on success, else an error code.
HINSTANCE ShellExecute(HWND hwnd, LPCSTR verb, LPCSTR file, LPCSTR params, LPCSTR dir, int show);
#define ShellExecuteA ShellExecute

// Notification-area icons
#define NIM_ADD 0x00000000
#define NIM_MODIFY 0x00000001
#define NIM_DELETE 0x00000002
#define NIF_MESSAGE 0x00000001
#define NIF_ICON 0x00000002
#define NIF_TIP 0x00000004

typedef struct _NOTIFYICONDATA {
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    CHAR szTip[128];
} NOTIFYICONDATA, *PNOTIFYICONDATA;
typedef NOTIFYICONDATA NOTIFYICONDATAA;
typedef PNOTIFYICONDATA PNOTIFYICONDATAA;

// Adds, changes or removes the icon (hWnd, uID). Clicks post uCallbackMessage to hWnd with
// wParam = uID and lParam = the mouse message. NIM_ADD fails where the desktop has no
// notification area.
BOOL Shell_NotifyIcon(DWORD message, PNOTIFYICONDATA data);
#define Shell_NotifyIconA Shell_NotifyIcon

// Dropped files
// Lets hwnd receive WM_DROPFILES when local files are dropped on it (sets WS_EX_ACCEPTFILES).
void DragAcceptFiles(HWND hwnd, BOOL accept);
// File index of the drop: 0xFFFFFFFF gives the count; a NULL buffer gives the name's length; else
// copies at most size - 1 bytes with a terminator and returns the bytes copied. 0 for a stale drop.
UINT DragQueryFile(HDROP drop, UINT index, LPSTR buffer, UINT size);
#define DragQueryFileA DragQueryFile
// The drop point in the target's client coordinates; TRUE when it lies in the client area.
BOOL DragQueryPoint(HDROP drop, LPPOINT point);
// Frees the drop; its handle is stale afterwards.
void DragFinish(HDROP drop);
