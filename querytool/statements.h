#pragma once
// Splitting editor text into statements: on ";" alone, as strtok does (runs of ";" separate pieces,
// nothing else is recognised, so a ";" inside a string or comment also ends a piece).

#include <cstddef>
#include <string_view>
#include <vector>

std::vector<std::string_view> SplitStatements(std::string_view text);

// True for a piece that is empty or only space, tab, LF, VT, FF or CR.
bool IsBlankStatement(std::string_view piece);

// True when the text holds "use" or "USE" (exactly these spellings, anywhere).
bool MentionsUse(std::string_view statement);

struct CurrentStatementPlan {
    enum Kind { Nothing, RunAll, RunPiece };
    Kind kind = Nothing;
    std::string_view piece;
};

// What F5 runs for the caret's character index in the text (line breaks as single LF): the piece
// after the nearest ";" at or before the caret, else the first piece; a blank piece runs everything;
// a text of only ";" runs nothing.
CurrentStatementPlan PlanCurrentStatement(std::string_view text, std::size_t caretIndex);
