#pragma once
// "Table Diagnostics": OPTIMIZE, ANALYZE, CHECK or REPAIR TABLE over the tables ticked in a list,
// with the server's result rows listed.

#include "platform/win/windows.h"

#include <mysql.h>

class CTableDiagnostics {
public:
    // Runs the modal dialog to its end, owned by the query window.
    CTableDiagnostics(HWND owner, MYSQL* connection);
    virtual ~CTableDiagnostics() = default;
    CTableDiagnostics(const CTableDiagnostics&) = delete;
    CTableDiagnostics& operator=(const CTableDiagnostics&) = delete;

    static INT_PTR CALLBACK TableDiagnosticsDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    void onInit(HWND dialog);
    void fillDatabases();
    void fillTables();
    void tickAll(bool ticked);
    void runOperation(int button);

    HWND m_owner;
    HWND m_databases = nullptr;
    HWND m_tables = nullptr;
    HWND m_results = nullptr;
    HWND m_selectAll = nullptr;
    MYSQL* m_connection;
};
