#pragma once
// "Export Tables": chosen tables of one database written as an SQL script (header, optional USE,
// per table its CREATE statement and its rows as INSERT statements) that the mariadb client restores
// into any database under any locale: after the header the file sets the session's character set and
// SQL mode for the restore, and sets them back at its end; views come after the tables, without their
// database's name; a file stopped by an error or by the user ends with a comment saying it is
// incomplete.

#include "querytool/output_file.h"

#include <mysql.h>

#include <string>
#include <vector>

// The export dialog's progress line and progress bar.
class DumpProgress {
public:
    virtual ~DumpProgress() = default;
    virtual void SetText(const std::string& text) = 0;
    virtual void SetRange(int low, int high, int step) = 0;
    virtual void Step() = 0;
    // True once the user asked to stop; the dump then ends at the next step with the table's lock
    // released and its file marked as partial.
    virtual bool Stopped() { return false; }
};

struct DumpFailure {
    enum Kind { None, File, Server, Stopped };
    Kind kind = None;
    std::string text; // File: the message for the system error box; Server: the statement error text
    int code = 0;     // File: the system error number; Server: the server's error number
};

struct DumpOptions {
    bool data = true;
    bool structure = true;
    bool useStatement = false;
    bool dropTable = false;
};

// The comment header (host, database, server version) and, when asked, "USE <db>;".
bool WriteDumpHeader(OutputFile& file, const std::string& host, const std::string& database,
                     const std::string& serverVersion, bool useStatement, DumpFailure& failure);

// The table's structure comment, optional "DROP TABLE IF EXISTS", and its "show create table" text.
bool WriteTableStructure(MYSQL* connection, OutputFile& file, const std::string& database,
                         const std::string& table, bool dropTable, DumpProgress* progress,
                         DumpFailure& failure);

// The table's data comment and one INSERT per row, read under "lock tables ... read"; the lock is
// always released once taken. A table with generated or invisible columns has its stored columns
// named in the select and in each INSERT.
bool WriteTableData(MYSQL* connection, OutputFile& file, const std::string& database,
                    const std::string& table, DumpProgress* progress, DumpFailure& failure);

struct DumpOutcome {
    bool ok = false;
    DumpFailure failure; // the first failure
    // "Exporting of data successful", "Some error occured while exporting data", or, after a stop,
    // "Export stopped: the file holds part of the data"
    std::string finalText;
};

// The whole export into a new file at path; stops at the first failing table or view.
DumpOutcome DumpTables(MYSQL* connection, const std::string& path, const std::string& database,
                       const std::vector<std::string>& tables, const DumpOptions& options,
                       DumpProgress* progress);
