#include "querytool/sql_dump.h"

#include "querytool/connection.h"
#include "querytool/error_text.h"
#include "querytool/sql_quote.h"
#include "querytool/statements.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <map>
#include <set>

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

bool stopped(DumpProgress* progress) {
    return progress && progress->Stopped();
}

bool stopFailure(DumpFailure& failure) {
    failure = {DumpFailure::Stopped, "", 0};
    return false;
}

// The session a restore runs in: the file's character set; a SQL mode that keeps a 0 in an
// AUTO_INCREMENT column and reads backslash escapes whatever the server's default mode; no foreign
// key checks, so tables restore in name order whichever refers to which; and no commit per row,
// each table's rows being committed together. The end of the file commits what is left and puts
// the session back as it was.
std::string sessionStart(MYSQL* connection) {
    return std::string("SET @OLD_CHARACTER_SET_CLIENT=@@CHARACTER_SET_CLIENT, "
                       "@OLD_CHARACTER_SET_RESULTS=@@CHARACTER_SET_RESULTS, "
                       "@OLD_COLLATION_CONNECTION=@@COLLATION_CONNECTION, @OLD_SQL_MODE=@@SQL_MODE, "
                       "@OLD_FOREIGN_KEY_CHECKS=@@FOREIGN_KEY_CHECKS, @OLD_AUTOCOMMIT=@@AUTOCOMMIT;\r\n") +
           "SET NAMES " + mysql_character_set_name(connection) +
           ";\r\nSET SQL_MODE='NO_AUTO_VALUE_ON_ZERO', FOREIGN_KEY_CHECKS=0, AUTOCOMMIT=0;\r\n\r\n";
}

const char kTableCommit[] = "COMMIT;\r\n\r\n";
const char kSessionEnd[] =
    "COMMIT;\r\nSET SQL_MODE=@OLD_SQL_MODE, CHARACTER_SET_CLIENT=@OLD_CHARACTER_SET_CLIENT, "
    "CHARACTER_SET_RESULTS=@OLD_CHARACTER_SET_RESULTS, "
    "COLLATION_CONNECTION=@OLD_COLLATION_CONNECTION, "
    "FOREIGN_KEY_CHECKS=@OLD_FOREIGN_KEY_CHECKS, AUTOCOMMIT=@OLD_AUTOCOMMIT;\r\n";
const char kIncomplete[] = "-- This dump is incomplete: it was stopped by an error.\r\n";
const char kStoppedIncomplete[] = "-- This dump is incomplete: it was stopped by the user.\r\n";

// The offsets at which the text names something of the database (`db`.`name`), outside strings.
std::vector<std::size_t> qualifierOffsets(std::string_view create, const std::string& qualifier) {
    std::vector<std::size_t> offsets;
    std::size_t i = 0;
    while (i < create.size()) {
        const char c = create[i];
        if (c != '\'' && c != '"' && c != '`') {
            ++i;
            continue;
        }
        if (c == '`' && create.compare(i, qualifier.size(), qualifier) == 0 &&
            create.substr(i + qualifier.size(), 1) == "`") {
            offsets.push_back(i);
            i += qualifier.size();
        }
        i = QuotedTextEnd(create, i);
    }
    return offsets;
}

std::string databaseQualifier(const std::string& database) {
    return backquoteIdent(database) + ".";
}

// A view's CREATE text with the qualifier of its own database taken off every name it qualifies
// (`db`.`t`.`a` becomes `t`.`a`), so that it can be restored into any database.
std::string withoutDatabase(std::string_view create, const std::string& database) {
    const std::string qualifier = databaseQualifier(database);
    std::string out;
    out.reserve(create.size());
    std::size_t from = 0;
    for (const std::size_t at : qualifierOffsets(create, qualifier)) {
        out.append(create.substr(from, at - from));
        from = at + qualifier.size();
    }
    out.append(create.substr(from));
    return out;
}

// The end of the backquoted name that starts at `at` and the name, its doubled backquotes made single.
std::size_t backquotedName(std::string_view text, std::size_t at, std::string& name) {
    name.clear();
    std::size_t i = at + 1;
    for (; i < text.size(); ++i) {
        if (text[i] != '`') {
            name += text[i];
            continue;
        }
        if (i + 1 == text.size() || text[i + 1] != '`') return i + 1;
        name += '`';
        ++i;
    }
    return i;
}

bool followsAs(std::string_view text, std::size_t at) {
    std::size_t end = at;
    while (end > 0 && text[end - 1] == ' ')
        --end;
    return end >= 3 && (text[end - 3] == ' ' || text[end - 3] == '(') &&
           (text.substr(end - 2, 2) == "AS" || text.substr(end - 2, 2) == "as");
}

// The names that a view's CREATE text may select from: its backquoted names outside strings, but
// for aliases ("AS `x`"), the qualifier of the database itself, and column names behind a table's
// qualifier (`t`.`c`). The server writes every name backquoted, qualified by the database or not.
std::vector<std::string> namesUsed(std::string_view create, const std::string& database) {
    std::vector<std::string> names;
    std::string name;
    std::size_t i = 0;
    bool afterQualifier = false; // the name before the '.' was the database
    while (i < create.size()) {
        const char c = create[i];
        if (c == '\'' || c == '"') {
            i = QuotedTextEnd(create, i);
            continue;
        }
        if (c != '`') {
            ++i;
            continue;
        }
        const bool behindDot = i > 0 && create[i - 1] == '.';
        const std::size_t end = backquotedName(create, i, name);
        const bool qualifier = name == database && create.substr(end, 1) == ".";
        if (!qualifier && !followsAs(create, i) && (!behindDot || afterQualifier)) names.push_back(name);
        afterQualifier = qualifier;
        i = end;
    }
    return names;
}

// The views in list order, except that each comes after the views it selects from, so that a
// restore can create every one; a view whose text cannot be read keeps its place.
std::vector<std::string> viewsInCreationOrder(MYSQL* connection, const std::string& database,
                                              const std::vector<std::string>& views) {
    std::map<std::string, std::vector<std::string>> uses;
    for (const std::string& view : views) {
        std::vector<std::string> creates;
        if (ReadColumn(connection, "show create table " + quoteQualified(database, view), 1, creates) &&
            !creates.empty())
            uses[view] = namesUsed(creates[0], database);
    }
    std::vector<std::string> order;
    std::set<std::string> placed;
    std::function<void(const std::string&)> place = [&](const std::string& view) {
        if (!placed.insert(view).second) return;
        for (const std::string& used : uses[view])
            if (uses.count(used)) place(used);
        order.push_back(view);
    };
    for (const std::string& view : views)
        place(view);
    return order;
}

// The columns a restore must name: every stored column, invisible ones included, when the table
// has generated or invisible columns; none (a plain "select *" and INSERT) otherwise.
bool readStoredColumns(MYSQL* connection, const std::string& database, const std::string& table,
                       std::vector<std::string>& columns) {
    columns.clear();
    const std::string query = "select COLUMN_NAME, IS_GENERATED = 'ALWAYS', EXTRA like '%INVISIBLE%' "
                              "from information_schema.COLUMNS where TABLE_SCHEMA = " +
                              quoteValue(connection, database) +
                              " and TABLE_NAME = " + quoteValue(connection, table) +
                              " order by ORDINAL_POSITION";
    if (!send(connection, query)) return false;
    MYSQL_RES* result = mysql_store_result(connection);
    if (result == nullptr) return false;
    bool special = false;
    while (MYSQL_ROW row = mysql_fetch_row(result)) {
        const bool generated = row[1] && row[1][0] == '1';
        special = special || generated || (row[2] && row[2][0] == '1');
        if (!generated) columns.emplace_back(row[0] ? row[0] : "");
    }
    mysql_free_result(result);
    if (!special) columns.clear();
    return true;
}

std::string columnList(const std::vector<std::string>& columns) {
    std::string list;
    for (const std::string& column : columns)
        list += (list.empty() ? "" : ",") + quoteIdent(column);
    return list;
}

// The names among tables that are views, from the server's catalogue.
bool readViews(MYSQL* connection, const std::string& database, std::vector<std::string>& views) {
    return ReadFirstColumn(connection,
                           "select TABLE_NAME from information_schema.TABLES where TABLE_TYPE = 'VIEW' and "
                           "TABLE_SCHEMA = " +
                               quoteValue(connection, database),
                           views);
}

void appendInsert(const std::string& head, MYSQL_ROW row, const unsigned long* lengths, unsigned int fields,
                  std::string& line) {
    line = head;
    for (unsigned int i = 0; i < fields; ++i) {
        if (i > 0) line += ',';
        if (row[i] == nullptr) {
            line += "NULL";
            continue;
        }
        line += '\'';
        appendBackslashEscaped(std::string_view(row[i], lengths[i]), line);
        line += '\'';
    }
    line += ");\r\n";
}

// Writes every row of the result as an INSERT line, naming the columns when there is a list; false
// at the first failed write or when the user stops the dump.
bool writeRows(OutputFile& file, const std::string& table, const std::vector<std::string>& columns,
               MYSQL_RES* result, DumpProgress* progress) {
    const std::string head = "INSERT INTO " + quoteIdent(table) +
                             (columns.empty() ? "" : " (" + columnList(columns) + ")") + " VALUES (";
    const unsigned int fields = mysql_num_fields(result);
    std::string line;
    std::uint64_t count = 0;
    while (MYSQL_ROW row = mysql_fetch_row(result)) {
        appendInsert(head, row, mysql_fetch_lengths(result), fields, line);
        if (!file.Write(line)) return false;
        if (++count % 50 != 0) continue;
        step(progress);
        if (stopped(progress)) return false;
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
    std::vector<std::string> columns;
    if (!readStoredColumns(connection, database, table, columns)) return serverFailure(connection, failure);
    const int rows = progress ? countRows(connection, qualified) : 0;
    const std::string selected = columns.empty() ? "*" : columnList(columns);
    if (!send(connection, "select " + selected + " from " + qualified))
        return serverFailure(connection, failure);
    MYSQL_RES* result = mysql_use_result(connection);
    if (result == nullptr) return serverFailure(connection, failure);
    setProgress(progress, "Writing data for " + table, 50, rows, 50);
    const bool written = writeRows(file, table, columns, result, progress);
    const bool complete = mysql_errno(connection) == 0;
    if (!complete) serverFailure(connection, failure);
    mysql_free_result(result); // reads and drops the rows a stop left unread
    if (!complete) return false;
    if (!written && stopped(progress)) return stopFailure(failure);
    return written || fileFailure(file, kDataError, failure);
}

// The structure part of a table or a view: its comment, the optional DROP and the CREATE text the
// server gives ("show create table" answers for views too), a view's without its database.
bool writeStructure(MYSQL* connection, OutputFile& file, const std::string& database,
                    const std::string& table, bool view, bool dropTable, DumpProgress* progress,
                    DumpFailure& failure) {
    if (!file.Write("-- \r\n-- Table struture for " + commentName(table) + "\r\n-- \r\n\r\n"))
        return fileFailure(file, kStructureError, failure);
    setProgress(progress, "Writing table structure for " + table, 0, 2, 1);
    // IF EXISTS: the file also restores into a database that lacks the table.
    if (dropTable)
        file.Write((view ? "DROP VIEW IF EXISTS " : "DROP TABLE IF EXISTS ") + quoteIdent(table) + ";\r\n");
    if (!send(connection, "show create table " + quoteQualified(database, table)))
        return serverFailure(connection, failure);
    MYSQL_RES* result = mysql_store_result(connection);
    if (result == nullptr) return serverFailure(connection, failure);
    MYSQL_ROW row = mysql_fetch_row(result);
    if (row != nullptr && mysql_num_fields(result) >= 2 && row[1] != nullptr) {
        const std::string_view create(row[1], mysql_fetch_lengths(result)[1]);
        file.Write(view ? std::string_view(withoutDatabase(create, database)) : create);
        file.Write(";\r\n\r\n");
    }
    mysql_free_result(result);
    step(progress);
    return !file.Failed() || fileFailure(file, kStructureError, failure);
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
    return writeStructure(connection, file, database, table, false, dropTable, progress, failure);
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

// Every table's parts in list order, then the views' structures (a view has no data of its own, and
// its tables must exist before it); stops at the first failure. True when the last writer succeeded.
bool writeTablesThenViews(MYSQL* connection, OutputFile& file, const std::string& database,
                          const std::vector<std::string>& tables, const DumpOptions& options,
                          DumpProgress* progress, DumpFailure& failure) {
    std::vector<std::string> views;
    if (!readViews(connection, database, views)) return serverFailure(connection, failure);
    const auto isView = [&views](const std::string& name) {
        return std::find(views.begin(), views.end(), name) != views.end();
    };
    bool lastOk = false;
    for (const std::string& table : tables) {
        if (stopped(progress)) return stopFailure(failure);
        if (isView(table)) continue;
        if (options.structure && !(lastOk = WriteTableStructure(connection, file, database, table,
                                                                options.dropTable, progress, failure)))
            return false;
        if (!options.data) continue;
        if (!(lastOk = WriteTableData(connection, file, database, table, progress, failure))) return false;
        if (!(lastOk = file.Write(kTableCommit))) return fileFailure(file, kDataError, failure);
    }
    if (!options.structure) return lastOk;
    std::vector<std::string> chosenViews;
    std::copy_if(tables.begin(), tables.end(), std::back_inserter(chosenViews), isView);
    for (const std::string& view : viewsInCreationOrder(connection, database, chosenViews)) {
        if (!(lastOk = writeStructure(connection, file, database, view, true, options.dropTable, progress,
                                      failure)))
            return false;
    }
    return lastOk;
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
    file.Write(sessionStart(connection));
    DumpFailure failure;
    const bool lastOk = writeTablesThenViews(connection, file, database, tables, options, progress, failure);
    file.Write(kSessionEnd);
    if (outcome.failure.kind == DumpFailure::None) outcome.failure = failure;
    outcome.ok = lastOk && outcome.failure.kind == DumpFailure::None;
    const bool wasStopped = outcome.failure.kind == DumpFailure::Stopped;
    if (!outcome.ok) file.Write(wasStopped ? kStoppedIncomplete : kIncomplete);
    if (!file.Close() && outcome.ok) {
        outcome.ok = false;
        outcome.failure = {DumpFailure::File, kDataError, file.Error()};
    }
    outcome.finalText = outcome.ok   ? "Exporting of data successful"
                        : wasStopped ? "Export stopped: the file holds part of the data"
                                     : "Some error occured while exporting data";
    return outcome;
}
