#pragma once
// The texts of the query tool's three error boxes (caption "Tessmark").

#include <mysql.h>

#include <string>

// Server error of a connection: "Error No. %d\n%s".
std::string ServerErrorText(MYSQL* connection);

// Failed statement: "Error Code : %d\n%s\n\n".
std::string QueryErrorText(MYSQL* connection);

// System error: "%s\n%d:%s" with the system's text for the code, or "" when the system has none (no
// box is shown then).
std::string SystemErrorText(const std::string& text, int code);
