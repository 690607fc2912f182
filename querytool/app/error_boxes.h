#pragma once
// The query tool's error boxes, captioned "Tessmark".

#include "platform/win/windows.h"

#include <mysql.h>

#include <string>

// "%s\n%d:%s" with the system's text for the code.
void ShowSystemError(int code, const std::string& text);

// "Error No. %d\n%s" with the connection's error.
void ShowServerError(HWND owner, MYSQL* connection);

// "Error Code : %d\n%s\n\n" with the connection's error: the report of a failed statement.
void ShowQueryError(HWND owner, MYSQL* connection);

// The system error (an errno value) behind a failed ShellExecute's result (32 or less).
int ShellErrorCode(INT_PTR result);

// A box with the caption "Tessmark".
int TessmarkBox(HWND owner, const std::string& text, UINT type);
