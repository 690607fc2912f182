#include "querytool/sql_quote.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>

namespace {

// Words that MariaDB or MySQL reserve: as names they must be quoted. Kept sorted (lower case).
const char* const kReservedWords[] = {
    "accessible",
    "add",
    "all",
    "alter",
    "analyze",
    "and",
    "as",
    "asc",
    "asensitive",
    "before",
    "between",
    "bigint",
    "binary",
    "blob",
    "both",
    "by",
    "call",
    "cascade",
    "case",
    "change",
    "char",
    "character",
    "check",
    "collate",
    "column",
    "condition",
    "constraint",
    "continue",
    "convert",
    "create",
    "cross",
    "cube",
    "cume_dist",
    "current_date",
    "current_role",
    "current_time",
    "current_timestamp",
    "current_user",
    "cursor",
    "database",
    "databases",
    "day_hour",
    "day_microsecond",
    "day_minute",
    "day_second",
    "dec",
    "decimal",
    "declare",
    "default",
    "delayed",
    "delete",
    "delete_domain_id",
    "dense_rank",
    "desc",
    "describe",
    "deterministic",
    "distinct",
    "distinctrow",
    "div",
    "do_domain_ids",
    "double",
    "drop",
    "dual",
    "each",
    "else",
    "elseif",
    "empty",
    "enclosed",
    "escaped",
    "except",
    "exists",
    "exit",
    "explain",
    "false",
    "fetch",
    "first_value",
    "float",
    "float4",
    "float8",
    "for",
    "force",
    "foreign",
    "from",
    "fulltext",
    "function",
    "general",
    "generated",
    "get",
    "grant",
    "group",
    "grouping",
    "groups",
    "having",
    "high_priority",
    "hour_microsecond",
    "hour_minute",
    "hour_second",
    "if",
    "ignore",
    "ignore_domain_ids",
    "ignore_server_ids",
    "in",
    "index",
    "infile",
    "inner",
    "inout",
    "insensitive",
    "insert",
    "int",
    "int1",
    "int2",
    "int3",
    "int4",
    "int8",
    "integer",
    "intersect",
    "interval",
    "into",
    "io_after_gtids",
    "io_before_gtids",
    "is",
    "iterate",
    "join",
    "json_table",
    "key",
    "keys",
    "kill",
    "lag",
    "last_value",
    "lateral",
    "lead",
    "leading",
    "leave",
    "left",
    "like",
    "limit",
    "linear",
    "lines",
    "load",
    "localtime",
    "localtimestamp",
    "lock",
    "long",
    "longblob",
    "longtext",
    "loop",
    "low_priority",
    "master_bind",
    "master_demote_to_replica",
    "master_demote_to_slave",
    "master_heartbeat_period",
    "master_ssl_verify_server_cert",
    "match",
    "maxvalue",
    "mediumblob",
    "mediumint",
    "mediumtext",
    "middleint",
    "minus",
    "minute_microsecond",
    "minute_second",
    "mod",
    "modifies",
    "natural",
    "no_write_to_binlog",
    "not",
    "nth_value",
    "ntile",
    "null",
    "numeric",
    "of",
    "offset",
    "on",
    "optimize",
    "optimizer_costs",
    "option",
    "optionally",
    "or",
    "order",
    "out",
    "outer",
    "outfile",
    "over",
    "page_checksum",
    "parse_vcol_expr",
    "partition",
    "percent_rank",
    "period",
    "portion",
    "position",
    "precision",
    "primary",
    "procedure",
    "purge",
    "range",
    "rank",
    "read",
    "read_write",
    "reads",
    "real",
    "recursive",
    "ref_system_id",
    "references",
    "regexp",
    "release",
    "rename",
    "repeat",
    "replace",
    "require",
    "resignal",
    "restrict",
    "return",
    "returning",
    "revoke",
    "right",
    "rlike",
    "row",
    "row_number",
    "rownum",
    "rows",
    "schema",
    "schemas",
    "second_microsecond",
    "select",
    "sensitive",
    "separator",
    "set",
    "show",
    "signal",
    "slow",
    "smallint",
    "spatial",
    "specific",
    "sql",
    "sql_big_result",
    "sql_calc_found_rows",
    "sql_small_result",
    "sqlexception",
    "sqlstate",
    "sqlwarning",
    "ssl",
    "starting",
    "stats_auto_recalc",
    "stats_persistent",
    "stats_sample_pages",
    "stored",
    "straight_join",
    "system",
    "system_time",
    "table",
    "terminated",
    "then",
    "tinyblob",
    "tinyint",
    "tinytext",
    "to",
    "trailing",
    "trigger",
    "true",
    "undo",
    "union",
    "unique",
    "unlock",
    "unsigned",
    "update",
    "usage",
    "use",
    "using",
    "utc_date",
    "utc_time",
    "utc_timestamp",
    "values",
    "varbinary",
    "varchar",
    "varcharacter",
    "varying",
    "virtual",
    "when",
    "where",
    "while",
    "window",
    "with",
    "write",
    "xor",
    "year_month",
    "zerofill",
};

bool isReserved(std::string_view name) {
    if (name.size() > 40) return false;
    char lower[41];
    std::transform(name.begin(), name.end(), lower,
                   [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
    lower[name.size()] = '\0';
    return std::binary_search(std::begin(kReservedWords), std::end(kReservedWords), lower,
                              [](const char* a, const char* b) { return std::strcmp(a, b) < 0; });
}

bool isIdentStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
bool isIdentChar(char c) {
    return isIdentStart(c) || (c >= '0' && c <= '9') || c == '$';
}

} // namespace

bool identNeedsQuotes(std::string_view name) {
    if (name.empty() || !isIdentStart(name.front())) return true;
    if (!std::all_of(name.begin(), name.end(), isIdentChar)) return true;
    return isReserved(name);
}

std::string quoteIdent(std::string_view name) {
    if (!identNeedsQuotes(name)) return std::string(name);
    return backquoteIdent(name);
}

std::string backquoteIdent(std::string_view name) {
    std::string quoted;
    quoted.reserve(name.size() + 2);
    quoted += '`';
    for (char c : name) {
        if (c == '`') quoted += '`';
        quoted += c;
    }
    quoted += '`';
    return quoted;
}

std::string quoteQualified(std::string_view database, std::string_view table) {
    return quoteIdent(database) + "." + quoteIdent(table);
}

void appendEscaped(MYSQL* connection, std::string_view bytes, std::string& out) {
    const std::size_t at = out.size();
    out.resize(at + bytes.size() * 2 + 1);
    const unsigned long written = mysql_real_escape_string(connection, &out[at], bytes.data(),
                                                           static_cast<unsigned long>(bytes.size()));
    out.resize(at + written);
}

std::string quoteValue(MYSQL* connection, std::string_view bytes) {
    std::string quoted;
    quoted.reserve(bytes.size() + 2);
    quoted += '\'';
    appendEscaped(connection, bytes, quoted);
    quoted += '\'';
    return quoted;
}

namespace {

// The letter written after a backslash for each byte that needs one; 0 for bytes written as they are.
constexpr std::array<char, 256> backslashEscapes() {
    std::array<char, 256> letters{};
    letters['\0'] = '0';
    letters['\n'] = 'n';
    letters['\r'] = 'r';
    letters['\x1a'] = 'Z';
    letters['\\'] = '\\';
    letters['\''] = '\'';
    letters['"'] = '"';
    return letters;
}

constexpr std::array<char, 256> kBackslashEscapes = backslashEscapes();

} // namespace

void appendBackslashEscaped(std::string_view bytes, std::string& out) {
    // Runs of plain bytes go in with one append: most values are a single run.
    std::size_t from = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char letter = kBackslashEscapes[static_cast<unsigned char>(bytes[i])];
        if (letter == 0) continue;
        out.append(bytes.data() + from, i - from);
        out += '\\';
        out += letter;
        from = i + 1;
    }
    out.append(bytes.data() + from, bytes.size() - from);
}
