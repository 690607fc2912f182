#include "querytool/create_table.h"

#include "querytool/sql_quote.h"

#include <strings.h>

const char* const kTableTypes[6] = {"ISAM", "MyISAM", "HEAP", "MERGE", "InnoDB", "BDB"};

const char* const kColumnTypes[28] = {
    "tinyint", "smallint",   "mediumint",  "int",      "integer",  "bigint",    "real",
    "float",   "double",     "decimal",    "date",     "datetime", "timestamp", "numeric",
    "time",    "year",       "char",       "varchar",  "tinyblob", "tinytext",  "text",
    "blob",    "mediumblob", "mediumtext", "longblob", "longtext", "enum",      "set"};

namespace {

// Types whose columns accept an empty string as their default.
bool takesEmptyDefault(const std::string& type) {
    static const char* const kStringTypes[] = {"char",       "varchar",  "tinytext", "text",
                                               "mediumtext", "longtext", "tinyblob", "blob",
                                               "mediumblob", "longblob", "set"};
    for (const char* stringType : kStringTypes)
        if (strcasecmp(type.c_str(), stringType) == 0) return true;
    return false;
}

void addKey(std::string& list, const std::string& name) {
    list += backquoteIdent(name) + ", ";
}

// "HEAD( `a`, `b`, " becomes "HEAD( `a`, `b` )"; a list that received no name becomes empty.
void closeKeyList(std::string& list, std::size_t headLength) {
    if (list.size() == headLength) {
        list.clear();
        return;
    }
    list.resize(list.size() - 2);
    list += " )";
}

std::string columnDefinition(MYSQL* connection, const ColumnRow& row) {
    std::string text = "\t" + backquoteIdent(row.name) + " " + row.type + " ";
    if (!row.length.empty()) text += "(" + row.length + ") ";
    if (row.isUnsigned) text += "UNSIGNED ";
    if (row.zeroFill) text += "ZEROFILL ";
    if (row.binary) text += "BINARY ";
    if (!row.defaultValue.empty() || takesEmptyDefault(row.type))
        text += "DEFAULT " + quoteValue(connection, row.defaultValue) + " ";
    text += row.notNull ? "NOT NULL " : "NULL ";
    if (row.autoIncrement) text += "AUTO_INCREMENT ";
    return text + ",\n";
}

} // namespace

bool FormatColumns(MYSQL* connection, const std::vector<ColumnRow>& rows, ColumnDefinitions& definitions) {
    static const std::string kPrimary = "PRIMARY KEY ( ", kIndex = "INDEX ( ", kUnique = "UNIQUE ( ";
    definitions = {std::string(), kPrimary, kIndex, kUnique};
    if (rows.empty() || rows.front().name.empty()) return false;
    for (const ColumnRow& row : rows) {
        if (row.name.empty()) break;
        definitions.columns += columnDefinition(connection, row);
        if (row.primaryKey) addKey(definitions.primaryKey, row.name);
        if (row.index) addKey(definitions.index, row.name);
        if (row.unique) addKey(definitions.unique, row.name);
    }
    definitions.columns.resize(definitions.columns.size() - 2);
    closeKeyList(definitions.primaryKey, kPrimary.size());
    closeKeyList(definitions.index, kIndex.size());
    closeKeyList(definitions.unique, kUnique.size());
    return true;
}

std::string BuildCreateTableStatement(MYSQL* connection, const std::string& database,
                                      const std::string& table, const std::string& engine,
                                      const std::vector<ColumnRow>& rows) {
    ColumnDefinitions d;
    if (!FormatColumns(connection, rows, d)) return std::string();
    auto separated = [](const std::string& list) { return list.empty() ? std::string() : ",\n"; };
    return "create table " + quoteQualified(database, table) + " ( \n " + d.columns +
           separated(d.primaryKey) + " " + d.primaryKey + separated(d.index) + " " + d.index +
           separated(d.unique) + " " + d.unique + "\n)ENGINE=" + engine;
}
