#pragma once
// Quoting of names and values that enter SQL statements: every name and value the query tool pastes
// into a statement goes through here.

#include <mysql.h>

#include <string>
#include <string_view>

// True when the name must be back-quoted: anything but a plain ASCII identifier that starts with a
// letter or "_", or a word the server reserves.
bool identNeedsQuotes(std::string_view name);

// The name as an identifier: unchanged when it needs no quotes, else in back quotes with every inner
// back quote doubled.
std::string quoteIdent(std::string_view name);

// The name always in back quotes, inner back quotes doubled (column names of CREATE TABLE).
std::string backquoteIdent(std::string_view name);

// "database.table" with each part quoted as needed.
std::string quoteQualified(std::string_view database, std::string_view table);

// The bytes as a string literal: in single quotes, escaped for the connection's character set with
// mysql_real_escape_string (plain text comes out unchanged between the quotes).
std::string quoteValue(MYSQL* connection, std::string_view bytes);

// Appends the escaped bytes (without quotes) to out.
void appendEscaped(MYSQL* connection, std::string_view bytes, std::string& out);

// Appends the bytes escaped with backslashes as the server reads them without NO_BACKSLASH_ESCAPES,
// whatever the connection's session mode (texts that set their own mode before they are read, such
// as dumps). Only ASCII bytes are escaped, which suits UTF-8 and the single-byte character sets.
void appendBackslashEscaped(std::string_view bytes, std::string& out);
