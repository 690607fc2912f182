#include "querytool/load_data.h"

#include "querytool/sql_quote.h"

namespace {

constexpr int kReportedWarnings = 10;

// An option edit's text as the statement takes it: at most 9 characters, read as the server reads a
// literal (a backslash and the character after it are one escape, kept as typed); a quote that no
// backslash escapes gets one, and a backslash left alone at the end (also by the cut) is doubled, so
// the literal always ends where the statement ends it.
std::string optionText(const std::string& typed) {
    const std::string cut = typed.substr(0, 9);
    std::string text;
    for (std::size_t i = 0; i < cut.size(); ++i) {
        if (cut[i] == '\\' && i + 1 < cut.size()) {
            text += cut.substr(i++, 2);
            continue;
        }
        if (cut[i] == '\'' || cut[i] == '\\') text += '\\';
        text += cut[i];
    }
    return text;
}

std::string clause(const char* keywords, const std::string& typed) {
    return std::string(keywords) + " '" + optionText(typed) + "' ";
}

// The escape the user chose, or none at all: unticked, the server's default backslash escape would
// still take backslashes out of the file's text. The FIELDS keyword comes with it when no other field
// option brought it.
std::string escapeClause(const LoadDataOptions& options) {
    if (options.escaped) return clause("ESCAPED BY", options.escapedBy);
    return std::string(options.terminated || options.enclosed ? "" : "FIELDS ") + "ESCAPED BY '' ";
}

std::string intoClause(const LoadDataOptions& options) {
    if (options.ignore) return "IGNORE INTO TABLE ";
    if (options.replace) return "REPLACE INTO TABLE ";
    return "INTO TABLE ";
}

std::string columnList(const LoadDataOptions& options) {
    std::string list = "( ";
    for (const std::string& column : options.columns)
        list += quoteIdent(column) + ",";
    list.pop_back();
    return list + " )";
}

} // namespace

std::string BuildLoadDataStatement(MYSQL* connection, const LoadDataOptions& options) {
    std::string statement =
        options.lowPriority ? "LOAD DATA LOW_PRIORITY LOCAL INFILE " : "LOAD DATA LOCAL INFILE ";
    statement += quoteValue(connection, options.path) + " ";
    statement += intoClause(options);
    statement += quoteQualified(options.database, options.table) + " CHARACTER SET utf8mb4 ";
    if (options.terminated) statement += clause("FIELDS TERMINATED BY", options.terminatedBy);
    if (options.enclosed)
        statement +=
            clause(options.optionally ? "OPTIONALLY ENCLOSED BY" : "ENCLOSED BY", options.enclosedBy);
    statement += escapeClause(options);
    if (options.lines) statement += clause("LINES TERMINATED BY", options.linesTerminatedBy);
    if (options.ignoreLines) statement += "IGNORE " + options.ignoreLineCount.substr(0, 9) + " LINES ";
    return statement + columnList(options);
}

bool RunLoadData(MYSQL* connection, const std::string& statement) {
    return mysql_real_query(connection, statement.data(), statement.size()) == 0;
}

std::string LoadDataReport(MYSQL* connection) {
    const char* info = mysql_info(connection);
    std::string report = info ? info : "";
    const unsigned int warnings = mysql_warning_count(connection);
    if (warnings == 0) return report;
    const std::string show = "SHOW WARNINGS LIMIT " + std::to_string(kReportedWarnings);
    if (mysql_real_query(connection, show.data(), show.size()) != 0) return report;
    MYSQL_RES* result = mysql_store_result(connection);
    if (!result) return report;
    report += "\n";
    while (MYSQL_ROW row = mysql_fetch_row(result)) {
        if (mysql_num_fields(result) < 3) break;
        report += std::string("\n") + (row[0] ? row[0] : "") + " " + (row[1] ? row[1] : "") + ": " +
                  (row[2] ? row[2] : "");
    }
    mysql_free_result(result);
    if (warnings > kReportedWarnings) report += "\n...";
    return report;
}
