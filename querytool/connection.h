#pragma once
// Opening a connection and the small queries around the current database.

#include <mysql.h>

#include <string>
#include <vector>

struct ConnectParams {
    std::string host;
    std::string user;
    std::string password;
    std::string port; // decimal text; empty or not a number means the library's default port
};

// The port number of the port text as the connect dialog reads it: its first 8 characters, decimal,
// 0 when empty or not a number.
unsigned int PortFromText(const std::string& portText);

// Connects with a fresh handle (no database, no socket name, client flags 0). On failure closes the
// handle, returns null and sets errorText to the server error text ("Error No. %d\n%s").
MYSQL* ConnectToServer(const ConnectParams& params, std::string& errorText);

struct CurrentDatabase {
    bool ok = false;    // "select database()" ran
    bool isNull = true; // no database is selected
    std::string name;   // the selected database, "" when none
};

// Reads the connection's current database with "select database()".
CurrentDatabase ReadCurrentDatabase(MYSQL* connection);

// The database combo's text for a database name: the name, or "No database selected" when empty.
std::string DatabaseComboText(const std::string& name);

// Sends the statement and collects the first column of every row (e.g. "show databases"). False when
// the statement fails; a NULL column gives "".
bool ReadFirstColumn(MYSQL* connection, const std::string& statement, std::vector<std::string>& values);
// The same for the column of that index; false too when the result has no such column.
bool ReadColumn(MYSQL* connection, const std::string& statement, unsigned int column,
                std::vector<std::string>& values);

// "show tables from <db>" and "show fields from <db>.<table>", names quoted as needed.
std::string ShowTablesStatement(const std::string& database);
std::string ShowFieldsStatement(const std::string& database, const std::string& table);
