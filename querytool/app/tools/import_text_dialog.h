#pragma once
// "Import Textfile": the modal dialog that loads a delimited text file into a table's chosen
// columns with one LOAD DATA LOCAL INFILE statement.

#include "platform/win/windows.h"

#include <mysql.h>

// Runs the dialog owned by owner; 1 when a file was imported.
INT_PTR RunImportTextDialog(HWND owner, MYSQL* connection);

// The dialog procedure; its parameter is the connection.
INT_PTR CALLBACK ImportTextDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
