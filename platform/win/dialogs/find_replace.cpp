// Find and Replace: modeless dialogs of ours that report each button to their owner with the
// registered message "commdlg_FindReplace" and the caller's FINDREPLACE.

#include "platform/win/dialogs/common_dialogs.h"
#include "platform/win/dialogs/dialog_template.h"

#include "platform/win/editmsg.h"
#include "platform/win/winctrl.h"

#include <algorithm>
#include <cstring>

namespace {

enum : WORD {
    kFindEdit = 1152,
    kReplaceEdit = 1153,
    kWholeWord = 1040,
    kMatchCase = 1041,
    kDirection = 1072,
    kUp = 1056,
    kDown = 1057,
    kReplace = 1024,
    kReplaceAll = 1025,
    kLabel = 0xFFFF,
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kEdit = kChild | WS_BORDER | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL;
constexpr DWORD kCheck = kChild | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kPush = kChild | WS_TABSTOP | BS_PUSHBUTTON;

pm::res::DialogTemplate baseTemplate(const char* caption, short cx, short cy) {
    pm::res::DialogTemplate t;
    t.style = DS_MODALFRAME | DS_3DLOOK | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    t.cx = cx;
    t.cy = cy;
    t.x = 30;
    t.y = 30;
    t.caption = caption;
    t.fontName = "MS Sans Serif";
    t.pointSize = 8;
    return t;
}

pm::res::DialogTemplate findTemplate() {
    pm::res::DialogTemplate t = baseTemplate("Find", 236, 62);
    t.items = {
        {"STATIC", "Fi&nd what:", kLabel, 4, 8, 42, 8, kChild, 0},
        {"EDIT", "", kFindEdit, 47, 7, 128, 12, kEdit, 0},
        {"BUTTON", "Match &whole word only", kWholeWord, 4, 26, 100, 12, kCheck | WS_GROUP, 0},
        {"BUTTON", "Match &case", kMatchCase, 4, 42, 64, 12, kCheck, 0},
        {"BUTTON", "Direction", kDirection, 107, 26, 68, 28, kChild | BS_GROUPBOX | WS_GROUP, 0},
        {"BUTTON", "&Up", kUp, 111, 38, 25, 12, kChild | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 0},
        {"BUTTON", "&Down", kDown, 138, 38, 35, 12, kChild | BS_AUTORADIOBUTTON, 0},
        {"BUTTON", "&Find Next", IDOK, 182, 5, 50, 14, kChild | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0},
        {"BUTTON", "Cancel", IDCANCEL, 182, 23, 50, 14, kPush, 0},
    };
    return t;
}

pm::res::DialogTemplate replaceTemplate() {
    pm::res::DialogTemplate t = baseTemplate("Replace", 230, 94);
    t.items = {
        {"STATIC", "Fi&nd what:", kLabel, 4, 9, 48, 8, kChild, 0},
        {"EDIT", "", kFindEdit, 54, 7, 114, 12, kEdit, 0},
        {"STATIC", "Re&place with:", kLabel, 4, 26, 48, 8, kChild, 0},
        {"EDIT", "", kReplaceEdit, 54, 24, 114, 12, kEdit, 0},
        {"BUTTON", "Match &whole word only", kWholeWord, 5, 46, 104, 12, kCheck | WS_GROUP, 0},
        {"BUTTON", "Match &case", kMatchCase, 5, 62, 59, 12, kCheck, 0},
        {"BUTTON", "&Find Next", IDOK, 174, 4, 50, 14, kChild | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0},
        {"BUTTON", "&Replace", kReplace, 174, 21, 50, 14, kPush, 0},
        {"BUTTON", "Replace &All", kReplaceAll, 174, 38, 50, 14, kPush, 0},
        {"BUTTON", "Cancel", IDCANCEL, 174, 55, 50, 14, kPush, 0},
    };
    return t;
}

UINT findMessage() {
    static UINT message = RegisterWindowMessage(FINDMSGSTRING);
    return message;
}

FINDREPLACEA* requestOf(HWND dialog) {
    return reinterpret_cast<FINDREPLACEA*>(GetWindowLongPtr(dialog, DWLP_USER));
}

void applyOptions(HWND dialog, const FINDREPLACEA& fr) {
    CheckDlgButton(dialog, kWholeWord, (fr.Flags & FR_WHOLEWORD) ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, kMatchCase, (fr.Flags & FR_MATCHCASE) ? BST_CHECKED : BST_UNCHECKED);
    CheckRadioButton(dialog, kUp, kDown, (fr.Flags & FR_DOWN) ? kDown : kUp);
    struct Rule {
        DWORD hide, disable;
        std::vector<int> ids;
    } rules[] = {{FR_HIDEWHOLEWORD, FR_NOWHOLEWORD, {kWholeWord}},
                 {FR_HIDEMATCHCASE, FR_NOMATCHCASE, {kMatchCase}},
                 {FR_HIDEUPDOWN, FR_NOUPDOWN, {kDirection, kUp, kDown}}};
    for (const Rule& r : rules)
        for (int id : r.ids) {
            HWND item = GetDlgItem(dialog, id);
            if (!item) continue;
            if (fr.Flags & r.hide) ShowWindow(item, SW_HIDE);
            if (fr.Flags & r.disable) EnableWindow(item, FALSE);
        }
}

// The buttons that act on the text are enabled only while there is something to find.
void enableActions(HWND dialog) {
    BOOL any = GetWindowTextLength(GetDlgItem(dialog, kFindEdit)) > 0;
    for (int id : {static_cast<int>(IDOK), static_cast<int>(kReplace), static_cast<int>(kReplaceAll)})
        if (HWND b = GetDlgItem(dialog, id)) EnableWindow(b, any);
}

void readText(HWND dialog, int id, LPSTR buffer, WORD size) {
    if (!buffer || size == 0) return;
    if (!GetDlgItem(dialog, id)) return;
    GetDlgItemTextA(dialog, id, buffer, size);
}

void report(HWND dialog, DWORD action) {
    FINDREPLACEA* fr = requestOf(dialog);
    if (!fr) return;
    readText(dialog, kFindEdit, fr->lpstrFindWhat, fr->wFindWhatLen);
    readText(dialog, kReplaceEdit, fr->lpstrReplaceWith, fr->wReplaceWithLen);
    bool replaceDialog = GetDlgItem(dialog, kReplaceEdit) != nullptr;
    fr->Flags &= ~static_cast<DWORD>(FR_FINDNEXT | FR_REPLACE | FR_REPLACEALL | FR_DIALOGTERM | FR_DOWN |
                                     FR_MATCHCASE | FR_WHOLEWORD);
    fr->Flags |= action;
    if (IsDlgButtonChecked(dialog, kWholeWord)) fr->Flags |= FR_WHOLEWORD;
    if (IsDlgButtonChecked(dialog, kMatchCase)) fr->Flags |= FR_MATCHCASE;
    if (replaceDialog || IsDlgButtonChecked(dialog, kDown)) fr->Flags |= FR_DOWN;
    SendMessage(fr->hwndOwner, findMessage(), 0, reinterpret_cast<LPARAM>(fr));
}

INT_PTR CALLBACK findProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG: {
        auto* fr = reinterpret_cast<FINDREPLACEA*>(lParam);
        SetWindowLongPtr(dialog, DWLP_USER, lParam);
        if (fr->lpstrFindWhat) SetDlgItemTextA(dialog, kFindEdit, fr->lpstrFindWhat);
        if (fr->lpstrReplaceWith) SetDlgItemTextA(dialog, kReplaceEdit, fr->lpstrReplaceWith);
        applyOptions(dialog, *fr);
        enableActions(dialog);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case kFindEdit:
            if (HIWORD(wParam) == EN_CHANGE) enableActions(dialog);
            return TRUE;
        case IDOK:
            report(dialog, FR_FINDNEXT);
            return TRUE;
        case kReplace:
            report(dialog, FR_REPLACE);
            return TRUE;
        case kReplaceAll:
            report(dialog, FR_REPLACEALL);
            return TRUE;
        case IDCANCEL:
            report(dialog, FR_DIALOGTERM);
            DestroyWindow(dialog);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

HWND open(LPFINDREPLACEA fr, bool replace) {
    pm::dialogs::setExtendedError(0);
    if (!fr || fr->lStructSize == 0) {
        pm::dialogs::setExtendedError(CDERR_STRUCTSIZE);
        return nullptr;
    }
    if (!IsWindow(fr->hwndOwner)) {
        pm::dialogs::setExtendedError(CDERR_DIALOGFAILURE);
        return nullptr;
    }
    if (!fr->lpstrFindWhat || fr->wFindWhatLen == 0 ||
        (replace && (!fr->lpstrReplaceWith || !fr->wReplaceWithLen))) {
        pm::dialogs::setExtendedError(FRERR_BUFFERLENGTHZERO);
        return nullptr;
    }
    return pm::dialogs::createDialog(replace ? replaceTemplate() : findTemplate(), fr->hwndOwner, findProc,
                                     reinterpret_cast<LPARAM>(fr), false);
}

} // namespace

HWND FindTextA(LPFINDREPLACEA fr) {
    return open(fr, false);
}
HWND ReplaceTextA(LPFINDREPLACEA fr) {
    return open(fr, true);
}
