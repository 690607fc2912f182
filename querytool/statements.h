#pragma once
// Splitting editor text into statements as the server reads it: a piece ends at the separator (";"
// at first) outside quoted strings, quoted names and comments, and a line "DELIMITER <word>" sets a new
// separator from there on, as the standard command-line client does. Runs of separators give no
// empty pieces; the DELIMITER lines belong to no piece.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

std::vector<std::string_view> SplitStatements(std::string_view text);

// The end of the quoted string ('...' or "...") or quoted name (`...`) whose opening quote is at
// position at, as the server reads it: in strings a backslash takes the next character with it; a
// doubled quote ends the text and opens the next one. The text's size when it never closes.
std::size_t QuotedTextEnd(std::string_view text, std::size_t at);

// True for a piece that is empty or only space, tab, LF, VT, FF or CR.
bool IsBlankStatement(std::string_view piece);

// The piece from its first statement text on: leading white space and comments ("#", "--", "/* */",
// but not the executable "/*! */" form) are left out, as the standard client leaves them out. Empty
// for a piece of only white space and comments, which is not sent.
std::string_view StatementText(std::string_view piece);

// The text with every line break (CR LF, CR, LF) as one LF: the rich edit hands out CR breaks, and
// the splitter and the server end line comments at LF.
std::string WithLineFeeds(std::string_view text);

// True when the text holds "use" or "USE" (exactly these spellings, anywhere).
bool MentionsUse(std::string_view statement);

struct CurrentStatementPlan {
    enum Kind { Nothing, RunAll, RunPiece };
    Kind kind = Nothing;
    std::string_view piece;
};

// What F5 runs for the caret's character index in the text (line breaks as single LF): the piece
// after the nearest separator at or before the caret, else the first piece; a blank piece runs
// everything; a text of only separators runs nothing.
CurrentStatementPlan PlanCurrentStatement(std::string_view text, std::size_t caretIndex);
