#pragma once
// "Export Tables": the modal dump dialog over a query window's connection.

#include "platform/win/windows.h"

#include <mysql.h>

// Runs the dialog owned by owner; 1 when a dump finished, 0 when the dialog was closed.
INT_PTR RunExportTablesDialog(HWND owner, MYSQL* connection);

// The dialog procedure; its parameter is the connection.
INT_PTR CALLBACK ExportTablesDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
