#include "querytool/sql_dump.h"

#include "querytool/error_text.h"
#include "querytool/sql_quote.h"

#include <algorithm>
#include <cstdlib>

namespace {

const char kStructureError[] = "Error writing table structure while exporting data";
const char kDataError[] = "Error writing table data while exporting data";

bool fileFailure(OutputFile& file, const char* text, DumpFailure& failure) {
    failure = {DumpFailure::File, text, file.Error()};
    return false;
}

bool serverFailure(MYSQL* connection, DumpFailure& failure) {
    failure = {DumpFailure::Server, QueryErrorText(connection), static_cast<int>(mysql_errno(connection))};
    return false;
}

bool send(MYSQL* connection, const std::string& statement) {
    return mysql_real_query(connection, statement.data(), statement.size()) == 0;
}

// A name inside a "-- " comment line: a line break would end the comment, so it becomes a blank.
std::string commentName(std::string name) {
    std::replace_if(
        name.begin(), name.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return name;
}

void setProgress(DumpProgress* progress, const std::string& text, int low, int high, int step) {
    if (progress == nullptr) return;
    progress->SetText(text);
    progress->SetRange(low, high, step);
    progress->Step();
}

void step(DumpProgress* progress) {
    if (progress) progress->Step();
}

void appendInsert(MYSQL* connection, const std::string& head, MYSQL_ROW row, const unsigned long* lengths,
                  unsigned int fields, std::string& line) {
    line = head;
    for (unsigned int i = 0; i < fields; ++i) {
        if (i > 0) line += ',';
        if (row[i] == nullptr) {
            line += "NULL";
            continue;
        }
        line += '\'';
        appendEscaped(connection, std::string_view(row[i], lengths[i]), line);
        line += '\'';
    }
    line += ");\r\n";
}

// Writes every row of the stored result as an INSERT line.
bool writeRows(MYSQL* connection, OutputFile& file, const std::string& table, MYSQL_RES* result,
               DumpProgress* progress) {
    const std::string head = "INSERT INTO " + quoteIdent(table) + " VALUES (";
    const unsigned int fields = mysql_num_fields(result);
    std::string line;
    std::uint64_t count = 0;
    while (MYSQL_ROW row = mysql_fetch_row(result)) {
        appendInsert(connection, head, row, mysql_fetch_lengths(result), fields, line);
        if (!file.Write(line)) return false;
        if (++count % 50 == 0) step(progress);
    }
    return file.Write("\r\n");
}

// The table's row count for the progress bar; 0 when it cannot be read.
int countRows(MYSQL* connection, const std::string& qualified) {
    if (!send(connection, "select count(*) from " + qualified)) return 0;
    MYSQL_RES* result = mysql_store_result(connection);
    if (result == nullptr) return 0;
    MYSQL_ROW row = mysql_fetch_row(result);
    const long long count = row && row[0] ? std::atoll(row[0]) : 0;
    mysql_free_result(result);
    return static_cast<int>(std::min<long long>(count, 0x7fffffff));
}

// Reads the locked table row by row from the server (the table is never held whole in memory) and
// writes its rows; the caller releases the lock.
bool writeLockedTable(MYSQL* connection, OutputFile& file, const std::string& database,
                      const std::string& table, DumpProgress* progress, DumpFailure& failure) {
    const std::string qualified = quoteQualified(database, table);
    setProgress(progress, "Getting data from " + database + "." + table, 0, 2, 1);
    const int rows = progress ? countRows(connection, qualified) : 0;
    if (!send(connection, "select * from " + qualified)) return serverFailure(connection, failure);
    MYSQL_RES* result = mysql_use_result(connection);
    if (result == nullptr) return serverFailure(connection, failure);
    setProgress(progress, "Writing data for " + table, 50, rows, 50);
    const bool written = writeRows(connection, file, table, result, progress);
    const bool complete = mysql_errno(connection) == 0;
    mysql_free_result(result);
    if (!complete) return serverFailure(connection, failure);
    return written || fileFailure(file, kDataError, failure);
}

} // namespace

bool WriteDumpHeader(OutputFile& file, const std::string& host, const std::string& database,
                     const std::string& serverVersion, bool useStatement, DumpFailure& failure) {
    const std::string header = "-- Tessmark v1.71\r\n-- \r\n-- Host - " + commentName(host) +
                               " : Database - " + commentName(database) + "\r\n-- " + std::string(62, '*') +
                               "\r\n-- Server version " + commentName(serverVersion) + "\r\n\r\n";
    if (!file.Write(header)) return fileFailure(file, "Could not add comments to the file.", failure);
    if (useStatement && !file.Write("USE " + quoteIdent(database) + ";\r\n\r\n"))
        return fileFailure(file, "Error writing in export file.", failure);
    return true;
}

bool WriteTableStructure(MYSQL* connection, OutputFile& file, const std::string& database,
                         const std::string& table, bool dropTable, DumpProgress* progress,
                         DumpFailure& failure) {
    if (!file.Write("-- \r\n-- Table struture for " + commentName(table) + "\r\n-- \r\n\r\n"))
        return fileFailure(file, kStructureError, failure);
    setProgress(progress, "Writing table structure for " + table, 0, 2, 1);
    if (dropTable) file.Write("DROP TABLE " + quoteIdent(table) + ";\r\n");
    if (!send(connection, "show create table " + quoteQualified(database, table)))
        return serverFailure(connection, failure);
    MYSQL_RES* result = mysql_store_result(connection);
    if (result == nullptr) return serverFailure(connection, failure);
    MYSQL_ROW row = mysql_fetch_row(result);
    if (row != nullptr && mysql_num_fields(result) >= 2 && row[1] != nullptr) {
        file.Write(std::string_view(row[1], mysql_fetch_lengths(result)[1]));
        file.Write(";\r\n\r\n");
    }
    mysql_free_result(result);
    step(progress);
    return !file.Failed() || fileFailure(file, kStructureError, failure);
}

bool WriteTableData(MYSQL* connection, OutputFile& file, const std::string& database,
                    const std::string& table, DumpProgress* progress, DumpFailure& failure) {
    if (!file.Write("-- \r\n-- Table data for " + commentName(database) + "." + commentName(table) +
                    "\r\n-- \r\n\r\n"))
        return fileFailure(file, kDataError, failure);
    if (!send(connection, "lock tables " + quoteQualified(database, table) + " read"))
        return serverFailure(connection, failure);
    const bool written = writeLockedTable(connection, file, database, table, progress, failure);
    if (!send(connection, "unlock tables") && written) return serverFailure(connection, failure);
    return written;
}

DumpOutcome DumpTables(MYSQL* connection, const std::string& path, const std::string& database,
                       const std::vector<std::string>& tables, const DumpOptions& options,
                       DumpProgress* progress) {
    DumpOutcome outcome;
    OutputFile file;
    if (!file.Create(path)) {
        outcome.failure = {DumpFailure::File, "Could not open the file specified.", file.Error()};
        return outcome;
    }
    WriteDumpHeader(file, connection->host ? connection->host : "", database,
                    mysql_get_server_info(connection), options.useStatement, outcome.failure);
    bool lastOk = false;
    DumpFailure failure;
    for (const std::string& table : tables) {
        if (options.structure && !(lastOk = WriteTableStructure(connection, file, database, table,
                                                                options.dropTable, progress, failure)))
            break;
        if (options.data && !(lastOk = WriteTableData(connection, file, database, table, progress, failure)))
            break;
    }
    if (!file.Close() && lastOk) {
        lastOk = false;
        failure = {DumpFailure::File, kDataError, file.Error()};
    }
    if (outcome.failure.kind == DumpFailure::None) outcome.failure = failure;
    outcome.ok = lastOk && outcome.failure.kind == DumpFailure::None;
    outcome.finalText =
        outcome.ok ? "Exporting of data successful" : "Some error occured while exporting data";
    return outcome;
}
