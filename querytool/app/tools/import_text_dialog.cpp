#include "querytool/app/tools/import_text_dialog.h"

#include "querytool/app/app_globals.h"
#include "querytool/app/error_boxes.h"
#include "querytool/app/file_dialog.h"
#include "querytool/app/tools/list_items.h"
#include "querytool/app/tools/tool_resource_ids.h"
#include "querytool/app/wait_cursor.h"
#include "querytool/connection.h"
#include "querytool/load_data.h"

#include "platform/win/commctrl.h"

#include <cctype>

namespace {

// Option check boxes and the edits they enable.
const int kOptionEdits[][2] = {{IDC_TERMINATED, IDC_TERMINATEDTEXT},
                               {IDC_ENCLOSED, IDC_ENCLOSEDTEXT},
                               {IDC_ESCAPED, IDC_ESCAPEDTEXT},
                               {IDC_LINES, IDC_LINESTEXT},
                               {IDC_IGNORELINES, IDC_IGNORELINESTEXT}};

MYSQL* connectionOf(HWND dialog) {
    return reinterpret_cast<MYSQL*>(GetWindowLongPtr(dialog, GWLP_USERDATA));
}

HWND item(HWND dialog, int id) {
    return GetDlgItem(dialog, id);
}

bool ticked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

std::string text(HWND dialog, int id) {
    HWND control = item(dialog, id);
    std::string value(static_cast<std::size_t>(GetWindowTextLength(control)) + 1, '\0');
    value.resize(static_cast<std::size_t>(GetWindowText(control, &value[0], static_cast<int>(value.size()))));
    return value;
}

std::string selectedName(HWND dialog, int id) {
    HWND list = item(dialog, id);
    const int mark = ListView_GetSelectionMark(list);
    return mark < 0 ? std::string() : ListItemText(list, mark);
}

void enableOptionEdits(HWND dialog) {
    for (const auto& pair : kOptionEdits)
        EnableWindow(item(dialog, pair[1]), ticked(dialog, pair[0]));
}

// Fills a list from a statement's first column; false (after the error box) when it failed.
bool fillList(HWND dialog, int id, const std::string& statement, bool tickItems) {
    WaitCursor wait;
    std::vector<std::string> names;
    if (!ReadFirstColumn(connectionOf(dialog), statement, names)) {
        ShowQueryError(dialog, connectionOf(dialog));
        return false;
    }
    HWND list = item(dialog, id);
    for (const std::string& name : names) {
        const int index = AddListItem(list, name);
        if (tickItems) ListView_SetCheckState(list, index, TRUE);
    }
    return true;
}

void setUp(HWND dialog) {
    AddListColumn(item(dialog, IDC_IMPORTDATABASES), 0, "Database(s)");
    AddListColumn(item(dialog, IDC_IMPORTTABLES), 0, "Table(s)");
    AddListColumn(item(dialog, IDC_IMPORTCOLUMNS), 0, "Use Field(s)");
    ListView_SetExtendedListViewStyle(item(dialog, IDC_IMPORTCOLUMNS), LVS_EX_CHECKBOXES);
    SetDlgItemText(dialog, IDC_TERMINATEDTEXT, ",");
    SetDlgItemText(dialog, IDC_LINESTEXT, "\\r\\n");
    CheckDlgButton(dialog, IDC_TERMINATED, BST_CHECKED);
    CheckDlgButton(dialog, IDC_LINES, BST_CHECKED);
    EnableWindow(item(dialog, IDC_IMPORTALL), FALSE);
    enableOptionEdits(dialog);
    if (connectionOf(dialog) == nullptr) {
        TessmarkBox(dialog, "Error 2006\nMySQL Server has gone away", MB_ICONSTOP);
        return;
    }
    fillList(dialog, IDC_IMPORTDATABASES, "show databases", false);
    SetFocus(item(dialog, IDC_IMPORTDATABASES));
}

void databaseChosen(HWND dialog, int index) {
    ListView_DeleteAllItems(item(dialog, IDC_IMPORTTABLES));
    ListView_DeleteAllItems(item(dialog, IDC_IMPORTCOLUMNS));
    const std::string database = ListItemText(item(dialog, IDC_IMPORTDATABASES), index);
    fillList(dialog, IDC_IMPORTTABLES, ShowTablesStatement(database), false);
    EnableWindow(item(dialog, IDC_IMPORTALL), FALSE);
}

void tableChosen(HWND dialog, int index) {
    ListView_DeleteAllItems(item(dialog, IDC_IMPORTCOLUMNS));
    const std::string table = ListItemText(item(dialog, IDC_IMPORTTABLES), index);
    if (!fillList(dialog, IDC_IMPORTCOLUMNS,
                  ShowFieldsStatement(selectedName(dialog, IDC_IMPORTDATABASES), table), true))
        return;
    CheckDlgButton(dialog, IDC_IMPORTALL, BST_CHECKED);
    EnableWindow(item(dialog, IDC_IMPORTALL), TRUE);
}

void tickAllColumns(HWND dialog) {
    HWND list = item(dialog, IDC_IMPORTCOLUMNS);
    const bool tick = ticked(dialog, IDC_IMPORTALL);
    for (int i = 0; i < ListCount(list); ++i)
        ListView_SetCheckState(list, i, tick);
}

void browse(HWND dialog) {
    const std::string file =
        AskFileName(dialog, {false, "CSV Files (*.csv)\0*.csv\0All Files (*.*)\0*.*\0", "Open File", "csv"});
    if (!file.empty()) SetDlgItemText(dialog, IDC_IMPORTFILE, file.c_str());
}

std::string digitsOf(const std::string& typed) {
    std::string digits;
    for (char c : typed.substr(0, 9))
        if (std::isdigit(static_cast<unsigned char>(c))) digits += c;
    return digits;
}

LoadDataOptions chosenOptions(HWND dialog) {
    LoadDataOptions options;
    options.path = text(dialog, IDC_IMPORTFILE);
    options.database = selectedName(dialog, IDC_IMPORTDATABASES);
    options.table = selectedName(dialog, IDC_IMPORTTABLES);
    HWND columns = item(dialog, IDC_IMPORTCOLUMNS);
    for (int i = 0; i < ListCount(columns); ++i)
        if (ListView_GetCheckState(columns, i)) options.columns.push_back(ListItemText(columns, i));
    options.lowPriority = ticked(dialog, IDC_LOWPRIORITY);
    options.replace = ticked(dialog, IDC_REPLACE);
    options.ignore = ticked(dialog, IDC_IGNORE);
    options.terminated = ticked(dialog, IDC_TERMINATED);
    options.terminatedBy = text(dialog, IDC_TERMINATEDTEXT);
    options.enclosed = ticked(dialog, IDC_ENCLOSED);
    options.optionally = ticked(dialog, IDC_OPTIONALLY);
    options.enclosedBy = text(dialog, IDC_ENCLOSEDTEXT);
    options.escaped = ticked(dialog, IDC_ESCAPED);
    options.escapedBy = text(dialog, IDC_ESCAPEDTEXT);
    options.lines = ticked(dialog, IDC_LINES);
    options.linesTerminatedBy = text(dialog, IDC_LINESTEXT);
    options.ignoreLineCount = digitsOf(text(dialog, IDC_IGNORELINESTEXT));
    options.ignoreLines = ticked(dialog, IDC_IGNORELINES) && !options.ignoreLineCount.empty();
    return options;
}

void import(HWND dialog) {
    const char* missing = ListCount(item(dialog, IDC_IMPORTTABLES)) == 0    ? "Select atleast one table(s)."
                          : ListCount(item(dialog, IDC_IMPORTCOLUMNS)) == 0 ? "Select atleast one columns(s)."
                          : text(dialog, IDC_IMPORTFILE).empty()            ? "Please specify a filename."
                                                                            : nullptr;
    if (missing) {
        TessmarkBox(dialog, missing, MB_ICONSTOP);
        return;
    }
    MYSQL* connection = connectionOf(dialog);
    const std::string statement = BuildLoadDataStatement(connection, chosenOptions(dialog));
    HWND progress = item(dialog, IDC_IMPORTPROGRESS);
    SendMessage(progress, PBM_SETRANGE32, 0, 2);
    SendMessage(progress, PBM_SETSTEP, 1, 0);
    SendMessage(progress, PBM_SETPOS, 0, 0);
    SendMessage(progress, PBM_STEPIT, 0, 0);
    bool loaded = false;
    {
        WaitCursor wait;
        loaded = RunLoadData(connection, statement);
    }
    if (!loaded) {
        ShowQueryError(dialog, connection);
        return;
    }
    SendMessage(progress, PBM_STEPIT, 0, 0);
    // Nothing imported, or values changed on the way in: a warning rather than a note.
    const bool doubtful = mysql_affected_rows(connection) == 0 || mysql_warning_count(connection) != 0;
    TessmarkBox(dialog, LoadDataReport(connection), doubtful ? MB_ICONEXCLAMATION : MB_ICONINFORMATION);
    EndDialog(dialog, 1);
}

void onCommand(HWND dialog, int id) {
    for (const auto& pair : kOptionEdits)
        if (pair[0] == id) enableOptionEdits(dialog);
    switch (id) {
    case IDC_REPLACE:
        if (ticked(dialog, IDC_REPLACE)) CheckDlgButton(dialog, IDC_IGNORE, BST_UNCHECKED);
        return;
    case IDC_IGNORE:
        if (ticked(dialog, IDC_IGNORE)) CheckDlgButton(dialog, IDC_REPLACE, BST_UNCHECKED);
        return;
    case IDC_IMPORTALL:
        tickAllColumns(dialog);
        return;
    case IDC_IMPORTBROWSE:
        browse(dialog);
        return;
    case IDOK:
        import(dialog);
        return;
    case IDCANCEL:
        EndDialog(dialog, 0);
        return;
    }
}

void onNotify(HWND dialog, const NMHDR* header) {
    if (header->code != LVN_ITEMCHANGED) return;
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    const bool gained = (change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_SELECTED) &&
                        !(change->uOldState & LVIS_SELECTED);
    if (!gained) return;
    if (header->idFrom == IDC_IMPORTDATABASES) databaseChosen(dialog, change->iItem);
    if (header->idFrom == IDC_IMPORTTABLES) tableChosen(dialog, change->iItem);
}

} // namespace

INT_PTR CALLBACK ImportTextDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        SetWindowLongPtr(dialog, GWLP_USERDATA, lParam);
        PostMessage(dialog, WM_IMPORT_SETUP, 0, 0);
        return TRUE;
    case WM_IMPORT_SETUP:
        setUp(dialog);
        return TRUE;
    case WM_NOTIFY:
        onNotify(dialog, reinterpret_cast<const NMHDR*>(lParam));
        return TRUE;
    case WM_COMMAND:
        onCommand(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

INT_PTR RunImportTextDialog(HWND owner, MYSQL* connection) {
    return DialogBoxParam(g_appGlobals->instance, MAKEINTRESOURCE(IDD_IMPORTTEXT), owner, ImportTextDlgProc,
                          reinterpret_cast<LPARAM>(connection));
}
