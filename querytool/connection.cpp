#include "querytool/connection.h"

#include "querytool/error_text.h"
#include "querytool/sql_quote.h"

#include <cstdlib>

unsigned int PortFromText(const std::string& portText) {
    const int port = std::atoi(portText.substr(0, 8).c_str());
    return port > 0 ? static_cast<unsigned int>(port) : 0;
}

MYSQL* ConnectToServer(const ConnectParams& params, std::string& errorText) {
    MYSQL* connection = mysql_init(nullptr);
    if (connection == nullptr) {
        errorText = "Error No. 2008\nMySQL client ran out of memory";
        return nullptr;
    }
    if (mysql_real_connect(connection, params.host.c_str(), params.user.c_str(), params.password.c_str(),
                           nullptr, PortFromText(params.port), nullptr, 0) != nullptr) {
        return connection;
    }
    errorText = ServerErrorText(connection);
    mysql_close(connection);
    return nullptr;
}

CurrentDatabase ReadCurrentDatabase(MYSQL* connection) {
    CurrentDatabase current;
    static const char kQuery[] = "select database()";
    if (mysql_real_query(connection, kQuery, sizeof kQuery - 1) != 0) return current;
    MYSQL_RES* result = mysql_store_result(connection);
    if (result == nullptr) return current;
    current.ok = true;
    MYSQL_ROW row = mysql_fetch_row(result);
    if (row != nullptr && row[0] != nullptr) {
        current.isNull = false;
        current.name = row[0];
    }
    mysql_free_result(result);
    return current;
}

std::string DatabaseComboText(const std::string& name) {
    return name.empty() ? "No database selected" : name;
}

bool ReadColumn(MYSQL* connection, const std::string& statement, unsigned int column,
                std::vector<std::string>& values) {
    values.clear();
    if (mysql_real_query(connection, statement.data(), statement.size()) != 0) return false;
    MYSQL_RES* result = mysql_store_result(connection);
    if (result == nullptr) return mysql_errno(connection) == 0;
    const bool hasColumn = column < mysql_num_fields(result);
    while (MYSQL_ROW row = hasColumn ? mysql_fetch_row(result) : nullptr) {
        const unsigned long* lengths = mysql_fetch_lengths(result);
        values.emplace_back(row[column] ? std::string(row[column], lengths[column]) : std::string());
    }
    mysql_free_result(result);
    return hasColumn;
}

bool ReadFirstColumn(MYSQL* connection, const std::string& statement, std::vector<std::string>& values) {
    return ReadColumn(connection, statement, 0, values);
}

std::string ShowTablesStatement(const std::string& database) {
    return "show tables from " + quoteIdent(database);
}

std::string ShowFieldsStatement(const std::string& database, const std::string& table) {
    return "show fields from " + quoteQualified(database, table);
}
