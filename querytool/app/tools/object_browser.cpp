#include "querytool/app/tools/object_browser.h"

#include "querytool/app/app_globals.h"
#include "querytool/app/drawn_images.h"
#include "querytool/app/error_boxes.h"
#include "querytool/app/query_status_bar.h"
#include "querytool/app/query_window.h"
#include "querytool/app/resource_ids.h"
#include "querytool/app/application.h"
#include "querytool/app/sql_editor.h"
#include "querytool/app/tools/table_maker.h"
#include "querytool/app/tools/tool_resource_ids.h"
#include "querytool/app/wait_cursor.h"
#include "querytool/sql_quote.h"

#include "platform/win/richedit.h"

#include <cstring>
#include <strings.h>

namespace {

constexpr const char* kNoDatabase = "No database selected";

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    return strcasecmp(a.c_str(), b.c_str()) == 0;
}

std::string field(MYSQL_ROW row, unsigned int i) {
    return row[i] ? row[i] : "";
}

// Sends a statement and hands each row to the reader; false when the statement failed.
template <typename Reader> bool readRows(MYSQL* connection, const std::string& statement, Reader reader) {
    if (mysql_real_query(connection, statement.data(), statement.size()) != 0) return false;
    MYSQL_RES* result = mysql_store_result(connection);
    if (result == nullptr) return mysql_field_count(connection) == 0;
    while (MYSQL_ROW row = mysql_fetch_row(result))
        reader(row, mysql_num_fields(result));
    mysql_free_result(result);
    return true;
}

} // namespace

std::string ServerNodeLabel(const char* user, const char* host) {
    const std::string u = user && *user ? user : "root";
    const std::string h = host && *host ? host : "localhost";
    return u + "@" + h;
}

std::string ColumnNodeLabel(const std::string& name, const std::string& type, const char* nullColumn) {
    const bool nullable = nullColumn && std::strlen(nullColumn) == 3;
    return name + " [" + type + ", " + (nullable ? "NULL" : "NOT NULL") + "]";
}

std::string InsertTemplate(const std::string& database, const std::string& table,
                           const std::vector<std::string>& columns, int fit) {
    std::string list;
    int width = 6;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const std::string name = quoteIdent(columns[i]);
        list += name;
        width += static_cast<int>(name.size()) + 2;
        if (i + 1 < columns.size()) list += ", ";
        if (width > fit - 10) {
            list += "\n\t";
            width = 6;
        }
    }
    return "insert into " + quoteQualified(database, table) + " \n\t(" + list + ")\n\tvalues\n\t(" + list +
           ")";
}

CObjectBrowser::CObjectBrowser(HWND queryWindow) : m_queryWindow(queryWindow) {
    m_tree = CreateWindowEx(
        WS_EX_CLIENTEDGE, WC_TREEVIEW, "",
        WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_SHOWSELALWAYS | TVS_TRACKSELECT, 5, 5,
        150, 150, queryWindow, reinterpret_cast<HMENU>(IDC_BROWSER), nullptr, nullptr);
    SetWindowLongPtr(m_tree, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_oldProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(m_tree, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CObjectBrowser::TreeProc)));
    m_images = CreateBrowserImages();
    SendMessage(m_tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(m_images));
}

CObjectBrowser::~CObjectBrowser() {
    if (IsWindow(m_tree)) {
        SetWindowLongPtr(m_tree, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_oldProc));
        SetWindowLongPtr(m_tree, GWLP_USERDATA, 0);
    }
    if (m_images) ImageList_Destroy(m_images);
}

MYSQL* CObjectBrowser::connection() const {
    CQueryWindow* window = CQueryWindow::FromWindow(m_queryWindow);
    return window ? window->Connection() : nullptr;
}

std::string CObjectBrowser::comboDatabase() const {
    CQueryWindow* window = CQueryWindow::FromWindow(m_queryWindow);
    return window ? window->DatabaseName() : kNoDatabase;
}

// ---- Nodes ----

HTREEITEM CObjectBrowser::append(HTREEITEM parentNode, const std::string& label, Kind kind, LPARAM data) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parentNode ? parentNode : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(label.c_str());
    insert.item.iImage = kind;
    insert.item.iSelectedImage = kind;
    insert.item.lParam = data;
    return reinterpret_cast<HTREEITEM>(
        SendMessage(m_tree, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&insert)));
}

HTREEITEM CObjectBrowser::child(HTREEITEM node) const {
    return reinterpret_cast<HTREEITEM>(
        SendMessage(m_tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(node)));
}
HTREEITEM CObjectBrowser::next(HTREEITEM node) const {
    return reinterpret_cast<HTREEITEM>(
        SendMessage(m_tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(node)));
}
HTREEITEM CObjectBrowser::parent(HTREEITEM node) const {
    return reinterpret_cast<HTREEITEM>(
        SendMessage(m_tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(node)));
}
HTREEITEM CObjectBrowser::selected() const {
    return reinterpret_cast<HTREEITEM>(SendMessage(m_tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

CObjectBrowser::Kind CObjectBrowser::NodeKind(HTREEITEM node) const {
    TVITEMA item{};
    item.mask = TVIF_HANDLE | TVIF_IMAGE;
    item.hItem = node;
    SendMessage(m_tree, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item));
    return static_cast<Kind>(item.iImage);
}

std::string CObjectBrowser::NodeLabel(HTREEITEM node) const {
    std::vector<char> text(1024);
    TVITEMA item{};
    item.mask = TVIF_HANDLE | TVIF_TEXT;
    item.hItem = node;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    if (!node || !SendMessage(m_tree, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item))) return "";
    return item.pszText ? item.pszText : "";
}

HTREEITEM CObjectBrowser::findChild(HTREEITEM node, const std::string& label) const {
    for (HTREEITEM item = child(node); item; item = next(item))
        if (sameIgnoringCase(NodeLabel(item), label)) return item;
    return nullptr;
}

bool CObjectBrowser::expandedOnce(HTREEITEM node) const {
    const auto state = static_cast<UINT>(
        SendMessage(m_tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(node), TVIS_EXPANDEDONCE));
    return (state & TVIS_EXPANDEDONCE) != 0;
}

// ---- Refresh ----

bool CObjectBrowser::Refresh(MYSQL* connection) {
    CQueryWindow* window = CQueryWindow::FromWindow(m_queryWindow);
    WaitCursor wait;
    if (window) window->StatusBar()->SetText(" Refreshing ObjectBrowser");
    const std::string database = comboDatabase();
    SendMessage(m_tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    m_columnNames.clear();
    HTREEITEM root = append(nullptr, ServerNodeLabel(connection->user, connection->host), kServer);
    const bool filled = readRows(connection, "show databases", [&](MYSQL_ROW row, unsigned int) {
        append(append(root, field(row, 0), kDatabase), "Dummy Column", kDatabase);
    });
    if (!filled) {
        ShowQueryError(m_tree, connection);
        TessmarkBox(m_tree, "Could not refresh object browser", MB_ICONSTOP);
        return false;
    }
    SendMessage(m_tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
    SelectDatabase(connection, database);
    if (window) window->StatusBar()->SetText(" ObjectBrowser Refreshed");
    SendMessage(m_tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(root));
    return true;
}

void CObjectBrowser::RefreshKeepingSelection(MYSQL* connection) {
    if (!SaveSelection()) {
        Refresh(connection);
        return;
    }
    SendMessage(m_tree, WM_SETREDRAW, FALSE, 0);
    Refresh(connection);
    RestoreSelection();
    SendMessage(m_tree, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_tree, nullptr, TRUE);
}

bool CObjectBrowser::SelectDatabase(MYSQL* connection, const std::string& name) {
    if (name.empty() || sameIgnoringCase(name, kNoDatabase)) return false;
    return mysql_select_db(connection, name.c_str()) == 0;
}

// ---- First expansion ----

LRESULT CObjectBrowser::OnItemExpanding(const NMTREEVIEWA* notice) {
    HTREEITEM node = notice->itemNew.hItem;
    const Kind kind = NodeKind(node);
    if (expandedOnce(node) || (kind != kDatabase && kind != kTable)) {
        SetFocus(m_tree);
        return 0;
    }
    if (kind == kDatabase) expandDatabase(node);
    if (kind == kTable) expandTable(node);
    return 0;
}

// Lists the database's tables with "show tables from", leaving the session's database alone.
void CObjectBrowser::expandDatabase(HTREEITEM node) {
    WaitCursor wait;
    const std::string database = NodeLabel(node);
    SendMessage(m_tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(child(node)));
    readRows(connection(), "show tables from " + quoteIdent(database), [&](MYSQL_ROW row, unsigned int) {
        append(append(node, field(row, 0), kTable), "Item", kTable);
    });
}

void CObjectBrowser::expandTable(HTREEITEM node) {
    const std::string table = NodeLabel(node);
    const std::string database = NodeLabel(parent(node));
    WaitCursor wait;
    SendMessage(m_tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(child(node)));
    if (addColumns(node, database, table)) addIndexes(node, database, table);
}

bool CObjectBrowser::addColumns(HTREEITEM table, const std::string& database, const std::string& name) {
    HTREEITEM folder = nullptr;
    const bool ok = readRows(
        connection(), "describe " + quoteQualified(database, name), [&](MYSQL_ROW row, unsigned int fields) {
            if (!folder) folder = append(table, "Columns", kFolder);
            m_columnNames.push_back(field(row, 0));
            append(folder, ColumnNodeLabel(field(row, 0), field(row, 1), fields > 2 ? row[2] : nullptr),
                   kColumn, static_cast<LPARAM>(m_columnNames.size()));
        });
    if (!ok) ShowQueryError(m_tree, connection());
    return ok;
}

bool CObjectBrowser::addIndexes(HTREEITEM table, const std::string& database, const std::string& name) {
    HTREEITEM folder = append(table, "Indexes", kFolder);
    const bool ok = readRows(connection(), "show index from " + quoteQualified(database, name),
                             [&](MYSQL_ROW row, unsigned int fields) {
                                 if (fields > 4) append(folder, field(row, 2) + ", " + field(row, 4), kIndex);
                             });
    if (!ok) ShowQueryError(m_tree, connection());
    return ok;
}

// ---- Selection across a refresh ----

bool CObjectBrowser::SaveSelection() {
    m_savedDatabase.clear();
    m_savedTable.clear();
    HTREEITEM node = selected();
    if (!node) return false;
    const Kind kind = NodeKind(node);
    m_savedKind = kind;
    if (kind == kColumn || kind == kIndex) node = parent(node);
    if (kind == kDatabase) {
        m_savedDatabase = NodeLabel(node);
    } else if (kind != kServer) {
        HTREEITEM table = NodeKind(node) == kFolder ? parent(node) : node;
        m_savedTable = NodeLabel(table);
        m_savedDatabase = NodeLabel(parent(table));
    }
    return true;
}

bool CObjectBrowser::RestoreSelection() {
    HTREEITEM root = child(TVI_ROOT);
    if (!root || m_savedDatabase.empty() || m_savedKind <= kServer) return false;
    HTREEITEM database = findChild(root, m_savedDatabase);
    if (!database) return false;
    SendMessage(m_tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(database));
    HTREEITEM target = database;
    if (m_savedKind != kDatabase) {
        HTREEITEM table = findChild(database, m_savedTable);
        if (!table) return false;
        target = table;
        if (m_savedKind != kTable) {
            SendMessage(m_tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(table));
            HTREEITEM columns = child(table);
            target = m_savedKind == kIndex && columns ? next(columns) : columns;
            if (!target) return false;
            SendMessage(m_tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(target));
        }
    }
    SendMessage(m_tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(target));
    return true;
}

// ---- Commands ----

bool CObjectBrowser::DropDatabase(MYSQL* connection) {
    if (TessmarkBox(m_tree,
                    "Do you really want to drop the database.\n\nWARNING:You will lose all the data !!!",
                    MB_YESNO | MB_ICONSTOP | MB_DEFBUTTON2) != IDYES)
        return false;
    HTREEITEM node = selected();
    if (!node) return false;
    const std::string statement = "drop database " + quoteIdent(NodeLabel(node));
    if (mysql_real_query(connection, statement.data(), statement.size()) != 0) {
        ShowServerError(m_tree, connection);
        return false;
    }
    SendMessage(m_tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(node));
    return true;
}

bool CObjectBrowser::DropTable(MYSQL* connection) {
    if (TessmarkBox(m_tree, "Do you really want to drop the table.\n\nWARNING:You will lose all the data !!!",
                    MB_YESNO | MB_ICONSTOP | MB_DEFBUTTON2) != IDYES)
        return false;
    HTREEITEM node = selected();
    if (!node) return false;
    const std::string statement = "drop table " + quoteQualified(NodeLabel(parent(node)), NodeLabel(node));
    if (mysql_real_query(connection, statement.data(), statement.size()) != 0) {
        ShowServerError(m_tree, connection);
        return false;
    }
    SendMessage(m_tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(node));
    return true;
}

int CObjectBrowser::editorCharsPerLine() const {
    CQueryWindow* window = CQueryWindow::FromWindow(m_queryWindow);
    HWND editor = window->Editor()->Window();
    RECT client{};
    GetClientRect(editor, &client);
    HDC dc = GetDC(editor);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessage(editor, WM_GETFONT, 0, 0)));
    const std::string ws(8190, 'W');
    int fit = 0;
    SIZE size{};
    GetTextExtentExPoint(dc, ws.c_str(), static_cast<int>(ws.size()), client.right, &fit, nullptr, &size);
    SelectObject(dc, old);
    ReleaseDC(editor, dc);
    return fit;
}

bool CObjectBrowser::InsertStatement() {
    HTREEITEM table = selected();
    if (!table || NodeKind(table) != kTable) return false;
    SendMessage(m_tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(table));
    HTREEITEM folder = child(table);
    if (!folder) return false;
    std::vector<std::string> columns;
    for (HTREEITEM column = child(folder); column; column = next(column)) {
        TVITEMA item{};
        item.mask = TVIF_HANDLE | TVIF_PARAM;
        item.hItem = column;
        SendMessage(m_tree, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item));
        if (item.lParam > 0 && static_cast<std::size_t>(item.lParam) <= m_columnNames.size())
            columns.push_back(m_columnNames[static_cast<std::size_t>(item.lParam) - 1]);
    }
    const std::string text =
        InsertTemplate(NodeLabel(parent(table)), NodeLabel(table), columns, editorCharsPerLine());
    HWND editor = CQueryWindow::FromWindow(m_queryWindow)->Editor()->Window();
    SendMessage(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    SetFocus(editor);
    return true;
}

bool CObjectBrowser::NewTable() {
    HTREEITEM node = selected();
    if (!node) {
        TessmarkBox(m_tree, "Could not create the tablemaker window.", MB_ICONSTOP);
        return false;
    }
    if (NodeKind(node) != kDatabase) {
        TessmarkBox(m_tree, "Selected item not a database.", MB_ICONSTOP);
        return false;
    }
    CQueryWindow* window = CQueryWindow::FromWindow(m_queryWindow);
    CTableMaker maker;
    maker.Run(*window, window->Connection(), NodeLabel(node), node);
    return true;
}

void CObjectBrowser::AddTableNode(HTREEITEM database, const std::string& table) {
    // A database never expanded lists the new table when its first expansion reads the server.
    if (!expandedOnce(database))
        SendMessage(m_tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(database));
    HTREEITEM node = findChild(database, table);
    if (!node) {
        node = append(database, table, kTable);
        append(node, "Item", kTable);
    }
    SendMessage(m_tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node));
}

// ---- The tree's own messages ----

LRESULT CALLBACK CObjectBrowser::TreeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CObjectBrowser*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProc(hwnd, msg, wParam, lParam);
    return self->onTreeMessage(msg, wParam, lParam);
}

LRESULT CObjectBrowser::onTreeMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_RBUTTONDOWN:
        showContextMenu(lParam);
        break;
    case WM_KEYUP:
        if (wParam != VK_RETURN) return 0;
        if (HTREEITEM node = selected()) {
            SendMessage(m_tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node));
            return 0;
        }
        break;
    }
    return CallWindowProc(m_oldProc, m_tree, msg, wParam, lParam);
}

void CObjectBrowser::showContextMenu(LPARAM position) {
    TVHITTESTINFO hit{};
    hit.pt = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    SendMessage(m_tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    HTREEITEM node = hit.hItem ? hit.hItem : child(TVI_ROOT);
    SendMessage(m_tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node));
    HMENU menu = LoadMenu(g_appGlobals->instance, MAKEINTRESOURCE(IDR_BROWSERMENU));
    HMENU popup = GetSubMenu(menu, 0);
    const Kind kind = node ? NodeKind(node) : kServer;
    if (kind == kDatabase) {
        EnableMenuItem(popup, ID_DROPDATABASE, MF_BYCOMMAND | MF_ENABLED);
        EnableMenuItem(popup, ID_NEWTABLE, MF_BYCOMMAND | MF_ENABLED);
    }
    if (kind == kTable) {
        EnableMenuItem(popup, ID_DROPTABLE, MF_BYCOMMAND | MF_ENABLED);
        EnableMenuItem(popup, ID_INSERTSTATEMENT, MF_BYCOMMAND | MF_ENABLED);
    }
    POINT screen = hit.pt;
    ClientToScreen(m_tree, &screen);
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, screen.x, screen.y, 0, g_appGlobals->application->Frame(),
                   nullptr);
    DestroyMenu(menu);
}
