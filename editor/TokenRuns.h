#pragma once
// Helpers for looking at a formater's output without a window: tokenise bytes and print the
// runs of equal token words, one run a line.

#include "editor/CHHFormater.h"

#include <string>
#include <vector>

namespace hh {

// The text's bytes as 16-bit characters (each byte its own character).
std::u16string WidenText(const char* text, std::size_t length);

// The token words the formater gives each byte of text, starting from zeros.
std::vector<WORD> Tokenize(CHHFormater& formater, const char* text, std::size_t length);

// "keyword", "comment", ... for a token word; its hexadecimal value for any other.
std::string TokenWordName(WORD token);

// One line per run of equal token words: start, end, name and the run's text in quotes, with
// line ends, tabs, quotes, backslashes and other control bytes escaped.
std::string DescribeTokenRuns(const char* text, std::size_t length, const std::vector<WORD>& tokens);

} // namespace hh
