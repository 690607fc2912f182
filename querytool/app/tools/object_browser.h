#pragma once
// The object browser of a query window: a tree of the server's databases, their tables and each
// table's columns and indexes, filled lazily on first expansion, with a context menu to refresh,
// drop, write an INSERT template and open the table maker.

#include "platform/win/commctrl.h"
#include "platform/win/windows.h"

#include <mysql.h>

#include <string>
#include <vector>

class CObjectBrowser {
public:
    // Node kinds; a node's kind is its image index.
    enum Kind { kServer = 0, kDatabase = 1, kFolder = 2, kTable = 3, kColumn = 4, kIndex = 5 };

    // Creates the tree as a child of the query window.
    explicit CObjectBrowser(HWND queryWindow);
    virtual ~CObjectBrowser();
    CObjectBrowser(const CObjectBrowser&) = delete;
    CObjectBrowser& operator=(const CObjectBrowser&) = delete;

    HWND GetTree() const { return m_tree; }

    // Rebuilds the tree: the server root and one node per database; false (root alone) on failure.
    bool Refresh(MYSQL* connection);
    // Refresh keeping the selected node's path (F9 and "Refresh Object Browser").
    void RefreshKeepingSelection(MYSQL* connection);
    bool SaveSelection();
    bool RestoreSelection();
    // The tree's item-expanding notice: fills a database or table node the first time.
    LRESULT OnItemExpanding(const NMTREEVIEWA* notice);

    bool DropDatabase(MYSQL* connection);
    bool DropTable(MYSQL* connection);
    // Puts an INSERT template for the selected table into the SQL editor.
    bool InsertStatement();
    // Opens the table maker on the selected database node.
    bool NewTable();
    // Adds a table made by the table maker under its database node (once) and selects it.
    void AddTableNode(HTREEITEM database, const std::string& table);

    // Makes the combo's database the connection's current one, unless it reads "No database selected".
    bool SelectDatabase(MYSQL* connection, const std::string& name);

    Kind NodeKind(HTREEITEM node) const;
    std::string NodeLabel(HTREEITEM node) const;

private:
    static LRESULT CALLBACK TreeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT onTreeMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void showContextMenu(LPARAM position);
    MYSQL* connection() const;
    std::string comboDatabase() const;

    HTREEITEM append(HTREEITEM parent, const std::string& label, Kind kind, LPARAM data = 0);
    HTREEITEM child(HTREEITEM node) const;
    HTREEITEM next(HTREEITEM node) const;
    HTREEITEM parent(HTREEITEM node) const;
    HTREEITEM selected() const;
    HTREEITEM findChild(HTREEITEM node, const std::string& label) const;
    bool expandedOnce(HTREEITEM node) const;
    void expandDatabase(HTREEITEM node);
    void expandTable(HTREEITEM node);
    bool addColumns(HTREEITEM table, const std::string& database, const std::string& name);
    bool addIndexes(HTREEITEM table, const std::string& database, const std::string& name);
    int editorCharsPerLine() const;

    int m_savedKind = -1;
    std::string m_savedDatabase;
    std::string m_savedTable;
    HWND m_queryWindow;
    HWND m_tree = nullptr;
    WNDPROC m_oldProc = nullptr;
    HIMAGELIST m_images = nullptr;
    // Column nodes carry an index into this list (their item data), so the INSERT template uses
    // the column's name whole, blanks and all.
    std::vector<std::string> m_columnNames;
};

// The root label "user@host": "root" for an empty user, the loopback name for an empty host.
std::string ServerNodeLabel(const char* user, const char* host);
// A column node's label from a "describe" row: "name [type, NULL]" or "name [type, NOT NULL]".
std::string ColumnNodeLabel(const std::string& name, const std::string& type, const char* nullColumn);
// The INSERT template over the columns, the lists wrapped with "\n\t" once a line passes fit - 10.
std::string InsertTemplate(const std::string& database, const std::string& table,
                           const std::vector<std::string>& columns, int fit);
