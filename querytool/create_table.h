#pragma once
// The table maker's CREATE TABLE statement.

#include "querytool/column_row.h"

#include <mysql.h>

#include <string>
#include <vector>

struct ColumnDefinitions {
    std::string columns;    // "\t`a` int (11) ... ,\n" per row, the final ",\n" cut
    std::string primaryKey; // "PRIMARY KEY ( `a`, `b` )" or ""
    std::string index;      // "INDEX ( ... )" or ""
    std::string unique;     // "UNIQUE ( ... )" or ""
};

// The column definitions and key lists of the rows up to the first row without a field name. False
// when the first row has none. Field names are back-quoted, defaults escaped; an empty default is
// written only for string types (other types refuse DEFAULT '').
bool FormatColumns(MYSQL* connection, const std::vector<ColumnRow>& rows, ColumnDefinitions& definitions);

// "create table <db>.<t> ( \n" ... "\n)ENGINE=<engine>", or "" when the first row has no field name.
std::string BuildCreateTableStatement(MYSQL* connection, const std::string& database,
                                      const std::string& table, const std::string& engine,
                                      const std::vector<ColumnRow>& rows);

// The Give Name dialog's table types, in their order, and the data types of the grid's type list.
extern const char* const kTableTypes[6];
extern const char* const kColumnTypes[28];
