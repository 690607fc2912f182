// The table maker's Give Name dialog.

#include "querytool/app/tools/table_maker.h"

#include "querytool/app/app_globals.h"
#include "querytool/app/tools/tool_resource_ids.h"
#include "querytool/create_table.h"

namespace {

constexpr UINT WM_GIVENAME_SETUP = 1074;

struct TableNaming {
    std::string name;
    std::string engine;
};

std::string itemText(HWND dialog, int id) {
    char text[256] = {};
    GetDlgItemText(dialog, id, text, sizeof text);
    return text;
}

void setUp(HWND dialog) {
    SetDlgItemText(dialog, IDC_TABLENAME, "TableName");
    SendDlgItemMessage(dialog, IDC_TABLENAME, EM_SETSEL, 0, -1);
    for (const char* type : kTableTypes)
        SendDlgItemMessage(dialog, IDC_TABLETYPE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(type));
    SendDlgItemMessage(dialog, IDC_TABLETYPE, CB_SETCURSEL, 0, 0);
    SetFocus(GetDlgItem(dialog, IDC_TABLENAME));
}

INT_PTR CALLBACK giveNameProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* naming = reinterpret_cast<TableNaming*>(GetWindowLongPtr(dialog, GWLP_USERDATA));
    switch (msg) {
    case WM_INITDIALOG:
        SetWindowLongPtr(dialog, GWLP_USERDATA, lParam);
        PostMessage(dialog, WM_GIVENAME_SETUP, 0, 0);
        return TRUE;
    case WM_GIVENAME_SETUP:
        setUp(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
        if (LOWORD(wParam) != IDOK) return TRUE;
        naming->name = itemText(dialog, IDC_TABLENAME);
        naming->engine = itemText(dialog, IDC_TABLETYPE);
        if (!naming->name.empty()) EndDialog(dialog, 1);
        return TRUE;
    }
    return FALSE;
}

} // namespace

bool AskTableName(HWND owner, std::string& name, std::string& engine) {
    TableNaming naming;
    if (DialogBoxParam(g_appGlobals->instance, MAKEINTRESOURCE(IDD_GIVENAME), owner, giveNameProc,
                       reinterpret_cast<LPARAM>(&naming)) != 1)
        return false;
    name = naming.name;
    engine = naming.engine;
    return true;
}
