#pragma once
// The texts of the query tool's three error boxes (caption "Tessmark").

#include <mysql.h>

#include <string>

// Server error of a connection: "Error No. %d\n%s".
std::string ServerErrorText(MYSQL* connection);

// Failed statement: "Error Code : %d\n%s\n\n".
std::string QueryErrorText(MYSQL* connection);

// System error: "%s\n%d:%s" with the system's text for the code (also for 0: a failure that set no
// code is still reported).
std::string SystemErrorText(const std::string& text, int code);
