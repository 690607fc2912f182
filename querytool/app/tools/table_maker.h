#pragma once
// The table maker: a modal dialog over the query window's browser and editor where the user lays
// out the columns of a new table in a grid, names it and picks its engine, and sends one CREATE
// TABLE statement; the new table then shows in the browser under its database.

#include "platform/win/commctrl.h"
#include "platform/win/windows.h"

#include <mysql.h>

#include <memory>
#include <string>

class CQueryWindow;
class CTableMakerGrid;

class CTableMaker {
public:
    CTableMaker();
    virtual ~CTableMaker();
    CTableMaker(const CTableMaker&) = delete;
    CTableMaker& operator=(const CTableMaker&) = delete;

    // Runs the dialog; when a table was made, adds it under the database node and selects it.
    void Run(CQueryWindow& window, MYSQL* connection, const std::string& database, HTREEITEM databaseNode);
    // Builds and sends the statement for the grid's rows; true when the table was made.
    bool CreateTable(const std::string& table, const std::string& engine);

    CTableMakerGrid* Grid() const { return m_grid.get(); }

    static INT_PTR CALLBACK TableMakerDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    INT_PTR onMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void placeDialog();
    void placeButtons();
    void makeGrid();
    void onCreateTable();
    void onCancel();

    MYSQL* m_connection = nullptr;
    std::string m_database;
    std::string m_tableName;
    CQueryWindow* m_window = nullptr;
    HWND m_dialog = nullptr;
    std::unique_ptr<CTableMakerGrid> m_grid;
};

// The Give Name dialog: the table's name and engine; false when cancelled.
bool AskTableName(HWND owner, std::string& name, std::string& engine);
