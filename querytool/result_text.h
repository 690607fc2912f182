#pragma once
// Results as text: the rows copied to the clipboard and the fixed-width table of the text view.

#include "querytool/query_result.h"

#include <cstdint>
#include <string>

// Rows first..last-1 as the clipboard takes them: each value's bytes as stored (NUL bytes and line
// breaks kept) or "(NULL)", joined by ",", every row ended by "\r\n"; no header, quoting or escaping.
std::string RowsAsText(const QueryResult& result, std::uint64_t first, std::uint64_t last);

// Appends one row in the same form.
void AppendRowText(const ResultRow& row, unsigned int fieldCount, std::string& out);

// The text view's table: field names, dashes, then the rows, in columns of fixed width separated by
// two blanks, every line padded to the full width and ended by "\r\n". Widths count characters (a
// UTF-8 sequence is one). Values end at their first NUL byte; in blob and string fields a line break
// continues the value on the next line at the same column.
std::string RenderTextTable(const QueryResult& result);
