#pragma once
// "Import Textfile": one LOAD DATA LOCAL INFILE statement built from the import dialog's choices.

#include <mysql.h>

#include <string>
#include <vector>

struct LoadDataOptions {
    std::string path; // the file on this machine, sent as it is
    std::string database;
    std::string table;
    std::vector<std::string> columns; // ticked columns, in list order
    bool lowPriority = false;
    bool replace = false;
    bool ignore = false;
    bool terminated = true;
    std::string terminatedBy = ",";
    bool enclosed = false;
    bool optionally = false;
    std::string enclosedBy;
    bool escaped = false;
    std::string escapedBy;
    bool lines = true;
    std::string linesTerminatedBy = "\\r\\n"; // as typed: the server reads the escape sequences
    bool ignoreLines = false;
    std::string ignoreLineCount;
};

// The statement: the path as an escaped string literal, names quoted as needed, the file read as
// UTF-8 (CHARACTER SET utf8mb4), option texts as typed (their first 9 characters, an unescaped "'"
// escaped) so the server reads their escape sequences, and an empty escape when "escaped by" is not
// ticked.
std::string BuildLoadDataStatement(MYSQL* connection, const LoadDataOptions& options);

// Sends the statement; false when the server refuses it (QueryErrorText gives the box's text).
bool RunLoadData(MYSQL* connection, const std::string& statement);

// The server's own account of the LOAD DATA just run: its info line ("Records: 4  Deleted: 0
// Skipped: 0  Warnings: 0"), then its first warnings, one a line ("Warning 1366: ..."), so that an
// import that read nothing or changed values is never silent.
std::string LoadDataReport(MYSQL* connection);
