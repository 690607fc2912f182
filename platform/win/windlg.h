#pragma once
// Dialog boxes: dialogs from templates (resources or memory), the dialog manager (keyboard
// navigation, default button, dialog units) and message boxes.

#include "platform/win/wintypes.h"
#include "platform/win/handles.h"
#include "platform/win/winuser.h"

#include <functional>
#include <string>

// Dialog styles
#define DS_ABSALIGN 0x0001L
#define DS_SYSMODAL 0x0002L
#define DS_3DLOOK 0x0004L
#define DS_FIXEDSYS 0x0008L
#define DS_NOFAILCREATE 0x0010L
#define DS_LOCALEDIT 0x0020L
#define DS_SETFONT 0x0040L
#define DS_MODALFRAME 0x0080L
#define DS_NOIDLEMSG 0x0100L
#define DS_SETFOREGROUND 0x0200L
#define DS_CONTROL 0x0400L
#define DS_CENTER 0x0800L
#define DS_CENTERMOUSE 0x1000L
#define DS_CONTEXTHELP 0x2000L
#define DS_SHELLFONT (DS_SETFONT | DS_FIXEDSYS)

#define DM_GETDEFID (WM_USER + 0)
#define DM_SETDEFID (WM_USER + 1)
#define DM_REPOSITION (WM_USER + 2)
#define DC_HASDEFID 0x534B

// The standard binary dialog template (DialogBoxIndirect, CreateDialogIndirect): the header,
// then the menu, class and caption (each 0x0000, 0xFFFF with an ordinal, or UTF-16 text), the font
// with DS_SETFONT (point size and UTF-16 face name), then each item DWORD-aligned: the item
// header, class, text and a WORD count of extra bytes.
#pragma pack(push, 2)
struct DLGTEMPLATE {
    DWORD style;
    DWORD dwExtendedStyle;
    WORD cdit;
    short x;
    short y;
    short cx;
    short cy;
};
struct DLGITEMTEMPLATE {
    DWORD style;
    DWORD dwExtendedStyle;
    short x;
    short y;
    short cx;
    short cy;
    WORD id;
};
#pragma pack(pop)
typedef const DLGTEMPLATE* LPCDLGTEMPLATEA;
typedef LPCDLGTEMPLATEA LPCDLGTEMPLATE;

INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc, LPARAM param);
INT_PTR DialogBoxIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate, HWND parent, DLGPROC proc,
                                LPARAM param);
HWND CreateDialogParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc, LPARAM param);
HWND CreateDialogIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate, HWND parent, DLGPROC proc,
                                LPARAM param);
inline INT_PTR DialogBoxA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc) {
    return DialogBoxParamA(instance, templateName, parent, proc, 0);
}
inline INT_PTR DialogBoxIndirectA(HINSTANCE instance, LPCDLGTEMPLATEA t, HWND parent, DLGPROC proc) {
    return DialogBoxIndirectParamA(instance, t, parent, proc, 0);
}
inline HWND CreateDialogA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc) {
    return CreateDialogParamA(instance, templateName, parent, proc, 0);
}
inline HWND CreateDialogIndirectA(HINSTANCE instance, LPCDLGTEMPLATEA t, HWND parent, DLGPROC proc) {
    return CreateDialogIndirectParamA(instance, t, parent, proc, 0);
}
// Ends a modal dialog: DialogBox returns result once the dialog's loop sees it.
BOOL EndDialog(HWND dialog, INT_PTR result);

LRESULT DefDlgProcA(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL IsDialogMessageA(HWND dialog, LPMSG msg);

BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text);
UINT GetDlgItemTextA(HWND dialog, int id, LPSTR text, int max);
BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned);
UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned);
BOOL CheckDlgButton(HWND dialog, int id, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int id);
BOOL CheckRadioButton(HWND dialog, int first, int last, int check);
LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam);
// Dialog units to pixels with the dialog's font: x * baseX / 4, y * baseY / 8.
BOOL MapDialogRect(HWND dialog, LPRECT rect);
// The dialog base units of the system's dialog font: LOWORD horizontal, HIWORD vertical.
LONG GetDialogBaseUnits();
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

#define DialogBoxParam DialogBoxParamA
#define DialogBox DialogBoxA
#define DialogBoxIndirectParam DialogBoxIndirectParamA
#define DialogBoxIndirect DialogBoxIndirectA
#define CreateDialogParam CreateDialogParamA
#define CreateDialog CreateDialogA
#define CreateDialogIndirectParam CreateDialogIndirectParamA
#define CreateDialogIndirect CreateDialogIndirectA
#define DefDlgProc DefDlgProcA
#define IsDialogMessage IsDialogMessageA
#define SetDlgItemText SetDlgItemTextA
#define GetDlgItemText GetDlgItemTextA
#define SendDlgItemMessage SendDlgItemMessageA
#define MessageBox MessageBoxA

namespace pm {

// Answers message boxes without showing them (tests, unattended runs): the hook returns the
// button id chosen, or 0 to let the box show.
using MessageBoxHook =
    std::function<int(HWND owner, const std::string& text, const std::string& caption, UINT type)>;
void setMessageBoxHook(MessageBoxHook hook);

// Called with each modal dialog (message boxes included) once it is shown, before its loop runs;
// the hook may set controls, queue input or call EndDialog.
using DialogHook = std::function<void(HWND dialog)>;
void setDialogHook(DialogHook hook);

} // namespace pm
