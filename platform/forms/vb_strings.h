#pragma once
// The string functions of the forms runtime. Strings are bytes; positions are 1-based as in the
// forms' code. A start position below 1 or a negative length is std::invalid_argument.

#include <string>
#include <vector>

namespace vb {

// The first `length` bytes (all when shorter); the last `length` bytes.
std::string Left(const std::string& text, long length);
std::string Right(const std::string& text, long length);
// The bytes from position `start` on, or `length` of them; "" when `start` lies beyond the text.
std::string Mid(const std::string& text, long start);
std::string Mid(const std::string& text, long start, long length);

// The position of `find` in `text` searching from `start`, or 0. An empty `find` gives `start`
// when `start` lies within the text.
long InStr(const std::string& text, const std::string& find);
long InStr(long start, const std::string& text, const std::string& find);

// Without leading, trailing or both spaces.
std::string LTrim(const std::string& text);
std::string RTrim(const std::string& text);
std::string Trim(const std::string& text);

// Case changes of the ASCII letters only; every other byte stays.
std::string UCase(std::string text);
std::string LCase(std::string text);

// The fields of `text` between occurrences of `delimiter`, empty fields kept; "" gives no field.
std::vector<std::string> Split(const std::string& text, char delimiter);

} // namespace vb
