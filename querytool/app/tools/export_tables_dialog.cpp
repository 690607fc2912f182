#include "querytool/app/tools/export_tables_dialog.h"

#include "querytool/app/app_globals.h"
#include "querytool/app/error_boxes.h"
#include "querytool/app/file_dialog.h"
#include "querytool/app/tools/list_items.h"
#include "querytool/app/tools/tool_resource_ids.h"
#include "querytool/app/tools/window_progress.h"
#include "querytool/app/wait_cursor.h"
#include "querytool/connection.h"
#include "querytool/sql_dump.h"

#include "platform/win/commctrl.h"

#include <algorithm>
#include <cctype>

namespace {

MYSQL* connectionOf(HWND dialog) {
    return reinterpret_cast<MYSQL*>(GetWindowLongPtr(dialog, GWLP_USERDATA));
}

HWND item(HWND dialog, int id) {
    return GetDlgItem(dialog, id);
}

std::string controlText(HWND control) {
    std::string text(static_cast<std::size_t>(GetWindowTextLength(control)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowText(control, &text[0], static_cast<int>(text.size()))));
    return text;
}

bool ticked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

// Fills a list with the first column of a statement's rows; a failure shows the query error.
void fillList(HWND dialog, HWND list, const std::string& statement) {
    WaitCursor wait;
    std::vector<std::string> names;
    if (!ReadFirstColumn(connectionOf(dialog), statement, names)) {
        ShowQueryError(dialog, connectionOf(dialog));
        return;
    }
    for (const std::string& name : names)
        AddListItem(list, name);
}

void setUp(HWND dialog) {
    AddListColumn(item(dialog, IDC_DUMPDATABASES), 0, "Database");
    AddListColumn(item(dialog, IDC_DUMPTABLES), 0, "Table(s)");
    AddListColumn(item(dialog, IDC_DUMPSELECTED), 0, "Selected Table(s)");
    CheckDlgButton(dialog, IDC_DUMPDATA, BST_CHECKED);
    CheckDlgButton(dialog, IDC_DUMPSTRUCTURE, BST_CHECKED);
    if (connectionOf(dialog) == nullptr) {
        TessmarkBox(dialog, "Error No. 2006\nMySQL Server is lost.", MB_ICONSTOP);
        return;
    }
    fillList(dialog, item(dialog, IDC_DUMPDATABASES), "show databases");
    SetFocus(item(dialog, IDC_DUMPDATABASES));
}

std::string chosenDatabase(HWND dialog) {
    HWND list = item(dialog, IDC_DUMPDATABASES);
    const int mark = ListView_GetSelectionMark(list);
    return mark < 0 ? std::string() : ListItemText(list, mark);
}

void chooseDatabase(HWND dialog, int index) {
    ListView_DeleteAllItems(item(dialog, IDC_DUMPTABLES));
    ListView_DeleteAllItems(item(dialog, IDC_DUMPSELECTED));
    const std::string database = ListItemText(item(dialog, IDC_DUMPDATABASES), index);
    fillList(dialog, item(dialog, IDC_DUMPTABLES), ShowTablesStatement(database));
}

// The tables list writes the selected name into the find box.
void tableChosen(HWND dialog, int index) {
    if (g_appGlobals->findSelecting) return;
    g_appGlobals->listWriting = true;
    SetDlgItemText(dialog, IDC_DUMPFIND, ListItemText(item(dialog, IDC_DUMPTABLES), index).c_str());
    g_appGlobals->listWriting = false;
}

bool startsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

// The find box selects the first table whose name begins with its text, in any case.
void findTable(HWND dialog) {
    if (g_appGlobals->listWriting) return;
    g_appGlobals->findSelecting = true;
    HWND list = item(dialog, IDC_DUMPTABLES);
    const std::string prefix = controlText(item(dialog, IDC_DUMPFIND));
    SelectListItem(list, -1);
    const std::vector<std::string> names = ListTexts(list);
    const auto found = std::find_if(names.begin(), names.end(), [&](const std::string& name) {
        return startsWithIgnoringCase(name, prefix);
    });
    if (!prefix.empty() && found != names.end())
        SelectListItem(list, static_cast<int>(found - names.begin()));
    g_appGlobals->findSelecting = false;
    g_appGlobals->listWriting = false;
}

void moveOne(HWND from, HWND to) {
    const int selected = SelectedListItem(from);
    if (selected < 0) return;
    AddListItem(to, ListItemText(from, selected));
    ListView_DeleteItem(from, selected);
}

void moveAll(HWND from, HWND to) {
    for (const std::string& name : ListTexts(from))
        AddListItem(to, name);
    ListView_DeleteAllItems(from);
}

void browse(HWND dialog) {
    const std::string file =
        AskFileName(dialog, {true, "SQL Files (*.sql)\0*.sql\0All Files (*.*)\0*.*\0", "Save As", "sql"});
    if (!file.empty()) SetDlgItemText(dialog, IDC_DUMPFILE, file.c_str());
}

// While a dump runs only Cancel, now reading "&Stop", takes input; the progress stays lit.
void setRunning(HWND dialog, bool running) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        if (id != IDCANCEL && id != IDC_DUMPRESULT && id != IDC_DUMPPROGRESS) EnableWindow(child, !running);
    }
    SetDlgItemText(dialog, IDCANCEL, running ? "&Stop" : "Cancel");
}

void reportFailure(HWND dialog, const DumpFailure& failure) {
    if (failure.kind == DumpFailure::File) ShowSystemError(failure.code, failure.text);
    if (failure.kind == DumpFailure::Server) TessmarkBox(dialog, failure.text, MB_ICONSTOP);
}

// Checks the input, writes the dump and reports; true when every table was written.
bool exportTables(HWND dialog, WindowProgress& progress) {
    const std::vector<std::string> tables = ListTexts(item(dialog, IDC_DUMPSELECTED));
    if (tables.empty()) {
        TessmarkBox(dialog, "Select atleast one table(s).", MB_ICONSTOP);
        return false;
    }
    const std::string path = controlText(item(dialog, IDC_DUMPFILE));
    if (path.empty()) {
        TessmarkBox(dialog, "Please specify a filename.", MB_ICONSTOP);
        SetFocus(item(dialog, IDC_DUMPFILE));
        return false;
    }
    DumpOptions options;
    options.data = ticked(dialog, IDC_DUMPDATA);
    options.structure = ticked(dialog, IDC_DUMPSTRUCTURE);
    options.useStatement = ticked(dialog, IDC_DUMPUSE);
    options.dropTable = ticked(dialog, IDC_DUMPDROP);
    WaitCursor wait;
    setRunning(dialog, true);
    const DumpOutcome outcome =
        DumpTables(connectionOf(dialog), path, chosenDatabase(dialog), tables, options, &progress);
    setRunning(dialog, false);
    if (!outcome.finalText.empty()) SetDlgItemText(dialog, IDC_DUMPRESULT, outcome.finalText.c_str());
    reportFailure(dialog, outcome.failure);
    return outcome.ok;
}

WindowProgress* runningDump(HWND dialog) {
    return reinterpret_cast<WindowProgress*>(GetProp(dialog, "TessmarkDump"));
}

void onExport(HWND dialog) {
    if (runningDump(dialog)) return;
    WindowProgress progress(dialog, item(dialog, IDC_DUMPRESULT), item(dialog, IDC_DUMPPROGRESS));
    SetProp(dialog, "TessmarkDump", &progress);
    const bool done = exportTables(dialog, progress);
    RemoveProp(dialog, "TessmarkDump");
    if (done) EndDialog(dialog, 1);
}

// Cancel closes the dialog, or stops the dump that is running.
void onCancel(HWND dialog) {
    if (WindowProgress* progress = runningDump(dialog)) {
        progress->Stop();
        return;
    }
    EndDialog(dialog, 0);
}

bool gainedSelection(const NMLISTVIEW* change) {
    return (change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_SELECTED) &&
           !(change->uOldState & LVIS_SELECTED);
}

void onNotify(HWND dialog, const NMHDR* header) {
    if (header->code != LVN_ITEMCHANGED) return;
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    if (!gainedSelection(change)) return;
    if (header->idFrom == IDC_DUMPDATABASES) chooseDatabase(dialog, change->iItem);
    if (header->idFrom == IDC_DUMPTABLES) tableChosen(dialog, change->iItem);
}

void onCommand(HWND dialog, int id, int code) {
    HWND tables = item(dialog, IDC_DUMPTABLES);
    HWND selected = item(dialog, IDC_DUMPSELECTED);
    switch (id) {
    case IDC_DUMPFIND:
        if (code == EN_CHANGE) findTable(dialog);
        return;
    case IDC_DUMPADD:
        moveOne(tables, selected);
        SetFocus(item(dialog, IDC_DUMPFIND));
        return;
    case IDC_DUMPADDALL:
        moveAll(tables, selected);
        SetFocus(selected);
        return;
    case IDC_DUMPREMOVE:
        moveOne(selected, tables);
        SetFocus(selected);
        return;
    case IDC_DUMPREMOVEALL:
        moveAll(selected, tables);
        SetFocus(item(dialog, IDC_DUMPFIND));
        return;
    case IDC_DUMPBROWSE:
        browse(dialog);
        return;
    case IDOK:
        onExport(dialog);
        return;
    case IDCANCEL:
        onCancel(dialog);
        return;
    }
}

} // namespace

INT_PTR CALLBACK ExportTablesDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        g_appGlobals->listWriting = false;
        g_appGlobals->findSelecting = false;
        SetWindowLongPtr(dialog, GWLP_USERDATA, lParam);
        PostMessage(dialog, WM_DUMP_SETUP, 0, 0);
        return TRUE;
    case WM_DUMP_SETUP:
        setUp(dialog);
        return TRUE;
    case WM_NOTIFY:
        onNotify(dialog, reinterpret_cast<const NMHDR*>(lParam));
        return TRUE;
    case WM_COMMAND:
        onCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        onCancel(dialog);
        return TRUE;
    }
    return FALSE;
}

INT_PTR RunExportTablesDialog(HWND owner, MYSQL* connection) {
    return DialogBoxParam(g_appGlobals->instance, MAKEINTRESOURCE(IDD_EXPORTTABLES), owner,
                          ExportTablesDlgProc, reinterpret_cast<LPARAM>(connection));
}
