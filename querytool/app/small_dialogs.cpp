// The "SQL Templates" dialog, the "Keyboard Shortcuts" dialog and the About box.

#include "querytool/app/small_dialogs.h"

#include "querytool/app/app_globals.h"
#include "querytool/app/error_boxes.h"
#include "querytool/app/query_window.h"
#include "querytool/app/resource_ids.h"
#include "querytool/app/sql_editor.h"
#include "querytool/app/sql_templates.h"

#include <utility>

namespace {

constexpr int kTemplateTextMax = 768;

const std::pair<const char*, const char*> kShortcuts[] = {
    {"F5", "Execute the current query"},
    {"F9", "Refresh the object browser"},
    {"F1", "Show the help file"},
    {"Alt+1", "Hides / Shows the object browser"},
    {"Ctrl + 1", "Selects the first tab in the Result/Message tab window"},
    {"Ctrl+2", "Selects the second tab in the Result/Message tab window"},
    {"Ctrl+3", "Selects the third tab in the Result/Message tab window"},
    {"Ctrl+4", "Selects the fourth tab in the Result/Message tab window"},
    {"Ctrl+5", "Selects the fifth tab in the Result/Message tab window"},
    {"Ctrl + B", "It sets the focus on the Object Browser window"},
    {"Ctrl + E", "It sets the focus on the SQL Editor window"},
    {"Ctrl + R", "It sets the focus on the Result Window"},
    {"Ctrl + F", "Opens up the find window so that you can find a text."},
    {"Ctrl + H", "Opens up the Find / Replace window"},
    {"Ctrl + N", "Opens up a new connection window"},
    {"Ctrl + S", "Save the current SQL into a file"},
    {"Ctrl + O", "Open a saved SQL file in the current connection"},
    {"Ctrl + L", "Switch between Result in Text / Grid mode"},
    {"Ctrl + V", "Paste from clipboard in the SQL editor"},
    {"Ctrl + F4", "Close the current connection window"},
    {"Ctrl + F5", "Execute the currently selected query"},
    {"Shift + F5", "Execute all the queries"},
    {"Ctrl+Shift+C", "Comment the current selected SQL in the editor"},
    {"Ctrl+Shift+R", "Remove the comment in the current line"},
    {"Ctrl+Shift+L", "Convert all the selected text to lowercase"},
    {"Ctrl+Shift+U", "Convert all the selected text to uppercase"},
    {"Ctrl+Shift+P", "Open the Personal Folder menu in the current cursor poition"},
    {"Ctrl+Shift+T", "Open up the Template dialog box"},
    {"Ctrl+Shift+E", "Open up the Export Data dialog box"},
};

std::string templateText(int id) {
    char text[kTemplateTextMax] = {};
    LoadString(g_appGlobals->instance, static_cast<UINT>(id), text, sizeof text);
    return text;
}

void showPreview(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_TEMPLATELIST);
    const LRESULT selected = SendMessage(list, LB_GETCURSEL, 0, 0);
    if (selected < 0) return;
    const int id = static_cast<int>(SendMessage(list, LB_GETITEMDATA, static_cast<WPARAM>(selected), 0));
    SetDlgItemText(dialog, IDC_TEMPLATEPREVIEW, templateText(id).c_str());
}

void insertChosen(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_TEMPLATELIST);
    const LRESULT selected = SendMessage(list, LB_GETCURSEL, 0, 0);
    if (selected < 0) {
        TessmarkBox(dialog, "Select a template to insert", MB_ICONSTOP);
        return;
    }
    EndDialog(dialog, SendMessage(list, LB_GETITEMDATA, static_cast<WPARAM>(selected), 0));
}

INT_PTR CALLBACK templatesProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG: {
        HWND list = GetDlgItem(dialog, IDC_TEMPLATELIST);
        for (const SqlTemplate& t : SqlTemplates()) {
            if (!t.name) continue;
            const LRESULT index = SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t.name));
            SendMessage(list, LB_SETITEMDATA, static_cast<WPARAM>(index), t.id);
        }
        SendMessage(list, LB_SETCURSEL, 0, 0);
        showPreview(dialog);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_TEMPLATELIST && HIWORD(wParam) == LBN_SELCHANGE) showPreview(dialog);
        if ((LOWORD(wParam) == IDC_TEMPLATELIST && HIWORD(wParam) == LBN_DBLCLK) ||
            LOWORD(wParam) == IDC_INSERTTEMPLATE || LOWORD(wParam) == IDOK)
            insertChosen(dialog);
        if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

// The read-only text is shown as it is, not selected whole as a focused edit would be.
INT_PTR focusOk(HWND dialog) {
    SetFocus(GetDlgItem(dialog, IDOK));
    return FALSE;
}

INT_PTR CALLBACK shortcutsProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG:
        SetDlgItemText(dialog, IDC_SHORTCUTTEXT, KeyboardShortcutsText().c_str());
        return focusOk(dialog);
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
            PostMessage(dialog, WM_USER_ENDSHORTCUTS, 0, 0);
        return TRUE;
    case WM_USER_ENDSHORTCUTS:
        EndDialog(dialog, IDOK);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK aboutProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG:
        SetDlgItemText(dialog, IDC_ABOUTNOTICE, "Tessmark 1.0 - a query tool for MySQL and MariaDB servers");
        SetDlgItemText(
            dialog, IDC_ABOUTTEXT,
            "Write SQL in the editor and run it with F5 (the statement at the caret), Ctrl+F5 (the "
            "selection) or Shift+F5 (everything).\r\n\r\nThis program comes with no warranty; use it "
            "at your own risk.");
        return focusOk(dialog);
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

} // namespace

std::string KeyboardShortcutsText() {
    std::string text;
    for (const auto& [keys, description] : kShortcuts) {
        if (!text.empty()) text += "\r\n";
        const bool wide = std::string(keys).rfind("Ctrl+Shift+", 0) == 0;
        text += std::string(keys) + (wide ? "\t" : "\t\t") + description;
    }
    return text;
}

void ShowTemplatesDialog(CQueryWindow& window) {
    const INT_PTR id = DialogBoxParam(g_appGlobals->instance, MAKEINTRESOURCE(IDD_TEMPLATES), window.Window(),
                                      templatesProc, 0);
    if (id > 0) window.Editor()->ReplaceSelection(templateText(static_cast<int>(id)));
    SetFocus(window.Editor()->Window());
}

void ShowShortcutsDialog(HWND owner) {
    DialogBoxParam(g_appGlobals->instance, MAKEINTRESOURCE(IDD_SHORTCUTS), owner, shortcutsProc, 0);
}

void ShowAboutBox(HWND owner) {
    DialogBoxParam(g_appGlobals->instance, MAKEINTRESOURCE(IDD_ABOUT), owner, aboutProc, 0);
}
