#include "querytool/app/tools/table_diagnostics_dialog.h"

#include "querytool/app/app_globals.h"
#include "querytool/app/error_boxes.h"
#include "querytool/app/query_window.h"
#include "querytool/app/tools/list_items.h"
#include "querytool/app/tools/object_browser.h"
#include "querytool/app/tools/tool_resource_ids.h"
#include "querytool/app/wait_cursor.h"
#include "querytool/connection.h"
#include "querytool/table_diagnostics.h"

#include "platform/win/commctrl.h"

namespace {

std::string comboText(HWND combo) {
    const auto index = static_cast<int>(SendMessage(combo, CB_GETCURSEL, 0, 0));
    if (index < 0) return "";
    std::string text(
        static_cast<std::size_t>(SendMessage(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0)) + 1,
        '\0');
    SendMessage(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(text.size() - 1);
    return text;
}

} // namespace

CTableDiagnostics::CTableDiagnostics(HWND owner, MYSQL* connection)
    : m_owner(owner), m_connection(connection) {
    DialogBoxParam(g_appGlobals->instance, MAKEINTRESOURCE(IDD_DIAGNOSTICS), owner, TableDiagnosticsDlgProc,
                   reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CTableDiagnostics::TableDiagnosticsDlgProc(HWND dialog, UINT msg, WPARAM wParam,
                                                            LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtr(dialog, GWLP_USERDATA, lParam);
        reinterpret_cast<CTableDiagnostics*>(lParam)->onInit(dialog);
        return TRUE;
    }
    auto* self = reinterpret_cast<CTableDiagnostics*>(GetWindowLongPtr(dialog, GWLP_USERDATA));
    if (!self || msg != WM_COMMAND) return FALSE;
    const int id = LOWORD(wParam);
    switch (id) {
    case IDC_DIAGDATABASES:
        if (HIWORD(wParam) == CBN_SELENDOK) self->fillTables();
        return TRUE;
    case IDC_DIAGALL:
        self->tickAll(IsDlgButtonChecked(dialog, IDC_DIAGALL) == BST_CHECKED);
        return TRUE;
    case IDC_OPTIMIZE:
    case IDC_CHECK:
    case IDC_ANALYZE:
    case IDC_REPAIR:
        self->runOperation(id);
        return TRUE;
    case IDOK:
    case IDCANCEL:
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

void CTableDiagnostics::onInit(HWND dialog) {
    m_databases = GetDlgItem(dialog, IDC_DIAGDATABASES);
    m_tables = GetDlgItem(dialog, IDC_DIAGTABLES);
    m_results = GetDlgItem(dialog, IDC_DIAGRESULTS);
    m_selectAll = GetDlgItem(dialog, IDC_DIAGALL);
    CheckDlgButton(dialog, IDC_DIAGALL, BST_CHECKED);
    fillDatabases();
    ListView_SetExtendedListViewStyle(m_tables, LVS_EX_CHECKBOXES);
    AddListColumn(m_tables, 0, "", 200);
    const struct {
        const char* text;
        int width;
    } columns[] = {{"Table", 200}, {"Op", 50}, {"Msg", 40}, {"Message Text", 325}};
    for (int i = 0; i < 4; ++i)
        AddListColumn(m_results, i, columns[i].text, columns[i].width);
    fillTables();
}

// The databases the query window's browser knows, with the combo's database chosen.
void CTableDiagnostics::fillDatabases() {
    CQueryWindow* window = CQueryWindow::FromWindow(m_owner);
    if (!window) return;
    CObjectBrowser& browser = *window->ObjectBrowser();
    HWND tree = browser.GetTree();
    HTREEITEM root = reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    for (HTREEITEM item = reinterpret_cast<HTREEITEM>(
             SendMessage(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(root)));
         item; item = reinterpret_cast<HTREEITEM>(
                   SendMessage(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item))))
        SendMessage(m_databases, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(browser.NodeLabel(item).c_str()));
    const auto found =
        static_cast<int>(SendMessage(m_databases, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(window->DatabaseName().c_str())));
    SendMessage(m_databases, CB_SETCURSEL, static_cast<WPARAM>(found < 0 ? 0 : found), 0);
}

// The chosen database's tables, each added at the front and ticked.
void CTableDiagnostics::fillTables() {
    const std::string database = comboText(m_databases);
    ListView_DeleteAllItems(m_tables);
    if (database.empty()) return;
    WaitCursor wait;
    std::vector<std::string> tables;
    if (!ReadFirstColumn(m_connection, ShowTablesStatement(database), tables)) {
        ShowQueryError(GetParent(m_tables), m_connection);
        return;
    }
    for (const std::string& table : tables)
        ListView_SetCheckState(m_tables, AddListItem(m_tables, table, true), TRUE);
    SendMessage(m_selectAll, BM_SETCHECK, BST_CHECKED, 0);
}

void CTableDiagnostics::tickAll(bool ticked) {
    const int count = ListCount(m_tables);
    for (int i = 0; i < count; ++i)
        ListView_SetCheckState(m_tables, i, ticked);
}

void CTableDiagnostics::runOperation(int button) {
    HWND dialog = GetParent(m_tables);
    const DiagnosticOperation operation = button == IDC_OPTIMIZE  ? DiagnosticOperation::Optimize
                                          : button == IDC_ANALYZE ? DiagnosticOperation::Analyze
                                          : button == IDC_CHECK   ? DiagnosticOperation::Check
                                                                  : DiagnosticOperation::Repair;
    const int quickBox = button == IDC_CHECK ? IDC_CHECKQUICK : IDC_REPAIRQUICK;
    const bool quick =
        (button == IDC_CHECK || button == IDC_REPAIR) && IsDlgButtonChecked(dialog, quickBox) == BST_CHECKED;
    std::vector<std::string> ticked;
    const int count = ListCount(m_tables);
    for (int i = 0; i < count; ++i)
        if (ListView_GetCheckState(m_tables, i)) ticked.push_back(ListItemText(m_tables, i));
    ListView_DeleteAllItems(m_results);
    const std::string statement = BuildDiagnosticsStatement(operation, quick, comboText(m_databases), ticked);
    if (statement.empty()) return;
    WaitCursor wait;
    std::vector<std::vector<std::string>> rows;
    if (!RunDiagnostics(m_connection, statement, rows)) ShowQueryError(m_owner, m_connection);
    for (const std::vector<std::string>& row : rows) {
        const int item = AddListItem(m_results, row.empty() ? "" : row[0]);
        for (std::size_t i = 1; i < row.size() && i < 4; ++i)
            ListView_SetItemText(m_results, item, static_cast<int>(i), const_cast<char*>(row[i].c_str()));
    }
}
