#pragma once
// The ready-made texts the view inserts at the caret: HTML tags around the selection, HTML lists,
// JavaScript blocks, operators and object members. Each is worked out on plain text, positions
// counting a line break "\r\n" as two characters, as the edit control does.

#include <optional>
#include <string>

// What replaces the selection, and the selection afterwards, counted from the start of the
// replaced selection.
struct SnippetInsertion {
    std::string text;
    long selStart = 0;
    long selEnd = 0;
};

// The indent of a caret at column (counted from 1): column - 1 blanks.
std::string CaretIndent(int column);

// The insertion of snippet command id for the selected text and the caret's indent; none when id
// is no snippet command of this kind (the table and function commands ask first, see below).
std::optional<SnippetInsertion> SnippetForCommand(unsigned id, const std::string& selected,
                                                  const std::string& indent);

// The name the function snippet declares: the name typed, with "()" added when it holds no "(".
std::string FunctionSnippetName(const std::string& typed);

// The function snippet for a name already completed by FunctionSnippetName.
SnippetInsertion FunctionSnippet(const std::string& name, const std::string& indent);

// The text of object member command id (33011 to 33083); "" for an id without one.
const char* MemberSnippetText(unsigned id);
