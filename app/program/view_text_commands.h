#pragma once
// The text work behind the editor view's commands, on plain text: brace matching, the word at the
// caret, the Functions list's reading of a line, the line/column pane, the modified mark of a title
// and the extra words of Keywords.ini.

#include "platform/framework/CString.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

class CHHKeywordMap;

// Where Go to Matching Brace puts the caret for a selection ending at selEnd: just before the
// partner of the brace at (or just before) that place; -1 when there is none.
int FindMatchingBrace(const std::string& text, int selEnd);

// The run of letters, digits and '_' around column (counted from 0) of the line; "" when none.
std::string WordAroundCaret(const std::string& line, int column);

// The function heading a line declares: from after "function " to the first ')' (or the line's
// end), blanks trimmed; "" when the line declares none.
std::string ParseFunctionHeading(const std::string& line);
// The headings of the text's lines, in line order, each line read up to its first 255 characters as
// the Functions list reads it. A line ends at CR LF, LF or a lone CR.
std::vector<std::string> FunctionHeadingsOf(std::string_view text);
// Go to function: when the text 9 characters after the line's first "function", up to its first
// ")", trimmed, equals heading, the column where it starts; else -1.
int FunctionHeadingColumn(const std::string& line, const std::string& heading);
// The first line of the text (from 0, each read as FunctionHeadingsOf reads it) that declares the
// heading, and its column there; {-1, -1} when none does.
std::pair<int, int> FindFunctionHeading(const std::string& text, const std::string& heading);

// "line, column" centred in nine places.
std::string LineColumnPaneText(int line, int column);

// Whether the file's name says it holds an HTML page (.htm, .html, .shtml, .xhtml, .hta, .asp, in
// any case): the Html menu's keys insert markup there only.
bool IsHtmlFileName(const std::string& path);

// The title with " *" added (modified) or taken off (not modified), never twice.
CString TitleWithModifiedMark(const CString& title, BOOL modified);

// Adds the words of the sections "Keywords", "User1" and "Preproc" of the INI file at path to the
// map, each as written and in lower case, with the sections' colour classes.
void LoadKeywordsIni(LPCTSTR path, CHHKeywordMap& map);
