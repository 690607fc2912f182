#pragma once
// The stored form of a history list: the entries joined with "|". Inside an entry, "|" is written
// "\|" and "\" is written "\\", so every entry survives a round trip; a backslash before any other
// character is read as itself, so lists written without escapes read back unchanged.

#include <string>
#include <vector>

namespace docking {

std::string JoinHistory(const std::vector<std::string>& entries);
// The entries of a stored list; an empty text has none.
std::vector<std::string> SplitHistory(const std::string& text);

} // namespace docking
