#include "querytool/app/tools/table_maker.h"

#include "querytool/app/app_globals.h"
#include "querytool/app/error_boxes.h"
#include "querytool/app/query_window.h"
#include "querytool/app/sql_editor.h"
#include "querytool/app/tools/object_browser.h"
#include "querytool/app/tools/table_maker_grid.h"
#include "querytool/app/tools/tool_resource_ids.h"
#include "querytool/app/wait_cursor.h"
#include "querytool/create_table.h"

namespace {

constexpr UINT WM_TABLEMAKER_PLACE = 1074;
constexpr UINT WM_TABLEMAKER_BUTTONS = 1092;
constexpr UINT WM_TABLEMAKER_GRID = 1093;

RECT screenRect(HWND hwnd) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    return rect;
}

} // namespace

CTableMaker::CTableMaker() = default;
CTableMaker::~CTableMaker() = default;

void CTableMaker::Run(CQueryWindow& window, MYSQL* connection, const std::string& database,
                      HTREEITEM databaseNode) {
    m_window = &window;
    m_connection = connection;
    m_database = database;
    const INT_PTR made = DialogBoxParam(g_appGlobals->instance, MAKEINTRESOURCE(IDD_TABLEMAKER),
                                        window.Window(), TableMakerDlgProc, reinterpret_cast<LPARAM>(this));
    m_grid.reset();
    if (made == 1) window.ObjectBrowser()->AddTableNode(databaseNode, m_tableName);
}

INT_PTR CALLBACK CTableMaker::TableMakerDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtr(dialog, GWLP_USERDATA, lParam);
        reinterpret_cast<CTableMaker*>(lParam)->m_dialog = dialog;
        PostMessage(dialog, WM_TABLEMAKER_PLACE, 0, 0);
        return TRUE;
    }
    auto* maker = reinterpret_cast<CTableMaker*>(GetWindowLongPtr(dialog, GWLP_USERDATA));
    return maker ? maker->onMessage(msg, wParam, lParam) : FALSE;
}

INT_PTR CTableMaker::onMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_TABLEMAKER_PLACE:
        placeDialog();
        return TRUE;
    case WM_TABLEMAKER_BUTTONS:
        placeButtons();
        return TRUE;
    case WM_TABLEMAKER_GRID:
        makeGrid();
        return TRUE;
    case WM_NCHITTEST: // the dialog lies over the query window and cannot be moved
        SetWindowLongPtr(m_dialog, DWLP_MSGRESULT, HTBORDER);
        return TRUE;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (m_grid && header->code == NM_CUSTOMDRAW && header->hwndFrom == m_grid->List()) {
            SetWindowLongPtr(m_dialog, DWLP_MSGRESULT,
                             m_grid->OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(header)));
            return TRUE;
        }
        if (m_grid && header->code == HDN_ENDTRACKA) {
            m_grid->CommitCell();
            m_grid->HideEditors();
        }
        return FALSE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_CREATETABLE) onCreateTable();
        if (LOWORD(wParam) == IDCANCEL) onCancel();
        return TRUE;
    }
    return FALSE;
}

// Over the browser and the editor: from the tree's corner to the editor's right edge.
void CTableMaker::placeDialog() {
    const std::string host = m_connection->host ? m_connection->host : "";
    SetWindowText(m_dialog, (" New table in '" + m_database + "' on '" + host + "'").c_str());
    const RECT tree = screenRect(m_window->Browser());
    const RECT editor = screenRect(m_window->Editor()->Window());
    MoveWindow(m_dialog, tree.left + 5, tree.top + 5, editor.right - tree.left - 15,
               tree.bottom - tree.top - 15, TRUE);
    PostMessage(m_dialog, WM_TABLEMAKER_BUTTONS, 0, 0);
}

void CTableMaker::placeButtons() {
    RECT client{};
    GetClientRect(m_dialog, &client);
    HWND create = GetDlgItem(m_dialog, IDC_CREATETABLE);
    HWND cancel = GetDlgItem(m_dialog, IDCANCEL);
    RECT size = screenRect(create);
    const int width = size.right - size.left, height = size.bottom - size.top;
    MoveWindow(create, client.left + 10, client.bottom - 35, width, height, TRUE);
    RECT cancelSize = screenRect(cancel);
    MoveWindow(cancel, client.left + width + 20, client.bottom - 35, cancelSize.right - cancelSize.left,
               cancelSize.bottom - cancelSize.top, TRUE);
    ShowWindow(cancel, SW_SHOW);
    PostMessage(m_dialog, WM_TABLEMAKER_GRID, 0, 0);
}

void CTableMaker::makeGrid() {
    RECT client{};
    GetClientRect(m_dialog, &client);
    m_grid = std::make_unique<CTableMakerGrid>(m_dialog, 5, 5, client.right - 20, client.bottom - 50);
    const int rows = ListView_GetCountPerPage(m_grid->List());
    for (int i = 0; i < rows; ++i)
        m_grid->InsertEmptyRow(-1, true);
    m_grid->OpenCell(0, CTableMakerGrid::kName);
}

void CTableMaker::onCreateTable() {
    if (!m_grid) return;
    m_grid->CommitCell();
    std::string name, engine;
    if (!AskTableName(m_dialog, name, engine)) return;
    if (!CreateTable(name, engine)) return;
    m_tableName = name;
    EndDialog(m_dialog, 1);
}

void CTableMaker::onCancel() {
    if (TessmarkBox(m_dialog, "You will lose all the changes.\nYou still want to quit ?",
                    MB_YESNO | MB_ICONSTOP | MB_DEFBUTTON2) == IDYES)
        EndDialog(m_dialog, 0);
}

bool CTableMaker::CreateTable(const std::string& table, const std::string& engine) {
    WaitCursor wait;
    if (m_connection->host_info == nullptr) {
        TessmarkBox(m_dialog, "Could not connect to the mySQL server.\n\nConnection is lost", MB_ICONSTOP);
        return false;
    }
    const std::string statement =
        BuildCreateTableStatement(m_connection, m_database, table, engine, m_grid->Rows());
    if (statement.empty()) return false;
    if (mysql_real_query(m_connection, statement.data(), statement.size()) != 0) {
        ShowQueryError(m_grid->List(), m_connection);
        return false;
    }
    TessmarkBox(m_dialog, "Table created successfully.", MB_OK);
    return true;
}
