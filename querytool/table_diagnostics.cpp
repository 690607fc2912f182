#include "querytool/table_diagnostics.h"

#include "querytool/sql_quote.h"

#include <cstring>

const char* const kFlushStatements[6] = {"flush logs",   "flush hosts",  "flush privileges",
                                         "flush tables", "flush status", "flush tables with read lock"};

namespace {

const char* head(DiagnosticOperation operation) {
    switch (operation) {
    case DiagnosticOperation::Optimize:
        return "optimize table ";
    case DiagnosticOperation::Analyze:
        return "analyze table ";
    case DiagnosticOperation::Check:
        return "check table ";
    case DiagnosticOperation::Repair:
        return "repair table ";
    }
    return "";
}

bool takesQuick(DiagnosticOperation operation) {
    return operation == DiagnosticOperation::Check || operation == DiagnosticOperation::Repair;
}

} // namespace

std::string BuildDiagnosticsStatement(DiagnosticOperation operation, bool quick, const std::string& database,
                                      const std::vector<std::string>& tables) {
    if (tables.empty()) return std::string();
    std::string statement = head(operation);
    for (const std::string& table : tables)
        statement += quoteQualified(database, table) + ", ";
    statement.resize(statement.size() - 2);
    if (quick && takesQuick(operation)) statement += " QUICK ";
    return statement;
}

bool RunDiagnostics(MYSQL* connection, const std::string& statement,
                    std::vector<std::vector<std::string>>& rows) {
    rows.clear();
    const bool sent = mysql_real_query(connection, statement.data(), statement.size()) == 0;
    MYSQL_RES* result = mysql_store_result(connection);
    if (result == nullptr) return sent;
    const unsigned int fields = mysql_field_count(connection);
    while (MYSQL_ROW row = mysql_fetch_row(result)) {
        const unsigned long* lengths = mysql_fetch_lengths(result);
        std::vector<std::string>& line = rows.emplace_back();
        for (unsigned int i = 0; i < fields; ++i)
            line.emplace_back(row[i] ? std::string(row[i], lengths[i]) : "");
    }
    mysql_free_result(result);
    return sent;
}

bool RunFlush(MYSQL* connection, const char* statement) {
    return mysql_real_query(connection, statement, std::strlen(statement)) == 0;
}

const char* FlushResultText(bool succeeded) {
    return succeeded ? "Operation successful." : "Error in operation.";
}
