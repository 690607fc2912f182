#include "querytool/app/sql_templates.h"

namespace {

// The menu copies keep the breaks of the resource texts as single LF characters.
std::string withLineFeeds(const char* text) {
    std::string out;
    for (const char* p = text; *p; ++p) {
        if (*p == '\r') {
            out += '\n';
            if (p[1] == '\n') ++p;
            continue;
        }
        out += *p;
    }
    return out;
}

void replace(std::string& text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    if (at != std::string::npos) text.replace(at, from.size(), to);
}

const SqlTemplate* findTemplate(int id) {
    for (const SqlTemplate& t : SqlTemplates())
        if (t.id == id) return &t;
    return nullptr;
}

} // namespace

const std::vector<SqlTemplate>& SqlTemplates() {
    static const std::vector<SqlTemplate> templates = {
        {40048, "Select", "Select Statment",
         "/*\r\nSelect Statement\r\nSource : mySQL documentation\r\n*/\r\nSELECT [ STRAIGHT_JOIN ]  [ "
         "SQL_SMALL_RESULT ]  \r\n\t[ SQL_BIG_RESULT ]  [ SQL_BUFFER_RESULT ] \r\t\t[ HIGH_PRIORITY ]  "
         "\n\t\t[ DISTINCT | DISTINCT ROW | ALL ] \r\n\tselect_expression,... \r\n\t[ INTO {OUTFILE | "
         "DUMPFILE} \\'file_name\\' export_options ] \r\n\t[ FROM table_references[ WHERE where_definition "
         "]\r\n\t[ GROUP BY {unsigned_integer | col_name | formula} [ ASC | DESC ], ... ]\r\n\t[ HAVING "
         "where_definition ]\r\n\t[ ORDER BY {unsigned_integer | col_name | formula} [ ASC | DESC ] ,... "
         "]\r\n\t[ LIMIT [ offset, ] rows ]\r\n\t[ PROCEDURE procedure_name ]\r\n\tFOR UPDATE | LOCK IN "
         "SHARE MODE ] ]"},
        {40049, "Join", "Join Statement",
         "/*\r\nJoin Statement\r\nSource : mySQL documentation\r\n*/\r\ntable_reference, "
         "table_reference\r\ntable_reference [ CROSS ] JOIN table_reference\r\ntable_reference INNER JOIN "
         "table_reference join_condition\r\ntable_reference STRAIGHT_JOIN "
         "table_reference\r\n\r\ntable_reference LEFT [ OUTER ] JOIN table_reference "
         "join_condition\r\ntable_reference LEFT [ OUTER ] JOIN table_reference\r\ntable_reference NATURAL [ "
         "LEFT [ OUTER ] ] JOIN table_reference\r\n{ oj table_reference LEFT OUTER JOIN table_reference ON "
         "conditional_expr }\r\ntable_reference RIGHT [ OUTER ] JOIN table_reference "
         "join_condition\r\ntable_reference RIGHT [ OUTER ] JOIN table_reference\r\ntable_reference NATURAL "
         "[ RIGHT [ OUTER ] ] JOIN table_reference"},
        {40050, "Insert", "Insert-Select",
         "/*\r\nInsert Statement\r\nSource : mySQL documentation\r\n*/\r\nINSERT [ LOW_PRIORITY | DELAYED ] "
         "[ IGNORE ]\r\n\t[ INTO ] tbl_name [ (col_name,...) ]\r\n\tVALUES "
         "(expression,...),(...),...\r\n\r\nINSERT [ LOW_PRIORITY | DELAYED ] [ IGNORE ]\r\n\t[ INTO ] "
         "tbl_name [ (col_name,...) ]\r\n\tSELECT ...\r\n\r\nINSERT [ LOW_PRIORITY | DELAYED ] [ IGNORE "
         "]\r\n\t[ INTO ] tbl_name\r\n\tSET col_name=expression, col_name=expression, ..."},
        {40051, "Insert-Select", "Insert-Delayed",
         "/*\r\nInsert_Select Statement\r\nSource : mySQL documentation\r\n*/\r\nINSERT [ LOW_PRIORITY ] [ "
         "IGNORE ] [ INTO ] tbl_name \r\n\t[ (column list) ] SELECT ..."},
        {40052, "Update", "Update Statement",
         "/*\r\nUpdate Statement\r\nSource : mySQL documentation\r\n*/\r\nUPDATE [ LOW_PRIORITY ] [ IGNORE ] "
         "tbl_name\r\n\tSET col_name1=expr1, [ col_name2=expr2, ... ]\r\n\t[ WHERE where_definition ]\r\n\t[ "
         "LIMIT # ]"},
        {40053, "Delete", "Delete Statement",
         "/*\r\nDelete Statement\r\nSource : mySQL documentation\r\n*/\r\nDELETE [ LOW_PRIORITY ] FROM "
         "tbl_name\r\n\t[ WHERE where_definition ]\r\n\t[ LIMIT rows ]"},
        {40054, "Truncate", "Truncate Statement",
         "/*\r\nTruncate Statement\r\nSource : mySQL documentation\r\n*/\r\nTRUNCATE TABLE table_name"},
        {40055, "Replace", "Replace Statement",
         "/*\r\nReplace Statement\r\nSource : mySQL documentation\r\n*/\r\nREPLACE [ LOW_PRIORITY | DELAYED "
         "]\r\n\t[ INTO ] tbl_name [ (col_name,...) ]\r\n\tVALUES (expression,...),(...),...\r\n\r\nREPLACE "
         "[ LOW_PRIORITY | DELAYED ]\r\n\t[ INTO ] tbl_name [ (col_name,...) ]\r\n\tSELECT ...\r\n\tREPLACE "
         "[ LOW_PRIORITY | DELAYED ]\r\n\t[ INTO ] tbl_name\r\n\tSET col_name=expression, "
         "col_name=expression,..."},
        {40056, "Load Data", "Load Data Infile Statement",
         "/*\r\nLoaddata Statement\r\nSource : mySQL documentation\r\n*/\r\nLOAD DATA [ LOW_PRIORITY | "
         "CONCURRENT ] [ LOCAL ] \r\n\tINFILE 'file_name.txt'\r\n\t[ REPLACE | IGNORE ]\r\n\tINTO TABLE "
         "tbl_name\r\n\t[ FIELDS\r\n\t\t[ TERMINATED BY '' ]\r\n\t\t[ [ OPTIONALLY ] ENCLOSED BY '' "
         "]\r\n\t\t\r\n\t\t[ ESCAPED BY '\\'  ]\r\n\t ]\r\n\t[ LINES TERMINATED BY '' ]\r\n\t[ IGNORE number "
         "LINES ]\r\n\t[ (col_name,...) ]"},
        {40057, "Create Table", "Create Table",
         "/*\r\nCreate Table Statement\r\nSource : mySQL documentation\r\n*/\r\nCREATE [ TEMPORARY ] TABLE [ "
         "IF NOT EXISTS ] \r\n\ttbl_name [ (create_definition,...) ]\r\n\t[ table_options ] [ "
         "select_statement ]"},
        {40058, "Create Database", "Create Database",
         "/*\r\nCreate Database Statement\r\nSource : mySQL documentation\r\n*/\r\nCREATE DATABASE [ IF NOT "
         "EXISTS ] db_name "},
        {40059, "Drop Database", "Drop Database",
         "/*\r\nDrop database Statement\r\nSource : mySQL documentation\r\n*/\r\nDROP DATABASE [ IF EXISTS ] "
         "db_name "},
        {40060, "Drop Table", "Drop Table",
         "/*\r\nDrop table Statement\r\nSource : mySQL documentation\r\n*/\r\nDROP TABLE [ IF EXISTS ] "
         "tbl_name [ , tbl_name,... ] \r\n\t[ RESTRICT | CASCADE ]"},
        {40061, "Alter Table", "Alter Table Statement",
         "/*\r\nAlter table Statement\r\nSource : mySQL documentation\r\n*/\r\nALTER [ IGNORE ] TABLE "
         "tbl_name alter_spec \r\n\t[ , alter_spec ... ]"},
        {40062, "Rename Table", "Rename Table Statement",
         "/*\r\nRename table Statement\r\nSource : mySQL documentation\r\n*/\r\nRENAME TABLE tbl_name TO "
         "new_table_name[ , tbl_name2 TO \r\n\tnew_table_name2,... ]"},
        {40064, "Use", "Use Statement",
         "/*\r\nUSE Statement\r\nSource : mySQL documentation\r\n*/\r\nUSE db_name"},
        {40065, "Describe", "Describe Statement",
         "/*\r\nDESCRIBE Statement\r\nSource : mySQL documentation\r\n*/\r\n{ DESCRIBE | DESC } tbl_name "
         "{col_name | wild}"},
        {40067, "Begin/Commit/Rollback", "Begin Statement",
         "/*\r\nBEGIN/COMMMIT/ROLLBACK Statement\r\nSource : mySQL documentation\r\n*/\r\nBEGIN;\r\nSELECT "
         "@A:=SUM(salary) FROM table1 WHERE type=1;\r\nUPDATE table2 SET summmary=@A WHERE "
         "type=1;\r\nCOMMIT;\r\nROLLBACK"},
        {40068, nullptr, "Commit Statement",
         "/*\r\nBEGIN/COMMMIT/ROLLBACK Statement\r\nSource : mySQL documentation\r\n*/\r\nBEGIN;\r\nSELECT "
         "@A:=SUM(salary) FROM table1 WHERE type=1;\r\nUPDATE table2 SET summmary=@A WHERE "
         "type=1;\r\nCOMMIT;\r\nROLLBACK"},
        {40069, nullptr, "Rollback Statement",
         "/*\r\nBEGIN/COMMMIT/ROLLBACK Statement\r\nSource : mySQL documentation\r\n*/\r\nBEGIN;\r\nSELECT "
         "@A:=SUM(salary) FROM table1 WHERE type=1;\r\nUPDATE table2 SET summmary=@A WHERE "
         "type=1;\r\nCOMMIT;\r\nROLLBACK"},
        {40070, "Lock/Unlock", "Lock Statement",
         "/*\r\nLOCK/UNLOCK Statement\r\nSource : mySQL documentation\r\n*/\r\nLOCK TABLES tbl_name [ AS "
         "alias ] { READ | [ READ LOCAL ] | \r\n\t[ LOW_PRIORITY ] WRITE }\r\n\t[ , tbl_name { READ | [ "
         "LOW_PRIORITY ] WRITE } ... ]\r\n...\r\nUNLOCK TABLES"},
        {40071, nullptr, "Unlock Statement",
         "/*\r\nLOCK/UNLOCK Statement\r\nSource : mySQL documentation\r\n*/\r\nLOCK TABLES tbl_name [ AS "
         "alias ] {READ | [ READ LOCAL ] | \r\n\t[ LOW_PRIORITY ] WRITE}\r\n\t\t[ , tbl_name {READ | [ "
         "LOW_PRIORITY ] WRITE} ... ]\r\n...\r\nUNLOCK TABLES"},
        {40072, "Transaction", "Set Transaction Statement",
         "/*\r\nTransaction Statement\r\nSource : mySQL documentation\r\n*/\r\nSET [ GLOBAL | SESSION ] "
         "TRANSACTION ISOLATION LEVEL\r\n[ READ UNCOMMITTED | READ COMMITTED | \r\n  REPEATABLE READ | "
         "SERIALIZABLE ]"},
        {40073, "Create Index", "Create Index",
         "/*\r\nCreate Index Statement\r\nSource : mySQL documentation\r\n*/\r\nCREATE [ UNIQUE| FULLTEXT ] "
         "INDEX index_name \r\n\tON tbl_name (col_name[ (length) ],... ]"},
    };
    return templates;
}

std::string TemplateMenuText(int id) {
    const int sameAs = id == 40068 || id == 40069 ? 40067 : id == 40071 ? 40070 : id;
    const SqlTemplate* t = findTemplate(sameAs);
    if (!t) return std::string();
    std::string text = withLineFeeds(t->text);
    switch (sameAs) {
    case 40048:
        replace(text, "DISTINCT ROW", "DISTINCTROW");
        replace(text, "\\'file_name\\'", "'file_name'");
        break;
    case 40056:
        replace(text, "[ TERMINATED BY '' ]", "[ TERMINATED BY '\t' ]");
        replace(text, "[ LINES TERMINATED BY '' ]", "[ LINES TERMINATED BY '\n' ]");
        break;
    case 40072:
        replace(text, "Transaction Statement", "LOCK/UNLOCK Statement");
        break;
    case 40073:
        replace(text, "[ UNIQUE| FULLTEXT ]", "[ UNIQUE|FULLTEXT ]");
        text.back() = ')';
        break;
    }
    return text;
}
