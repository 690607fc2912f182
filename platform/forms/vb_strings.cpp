#include "platform/forms/vb_strings.h"

#include <stdexcept>

namespace vb {
namespace {

void requireNonNegative(long n) {
    if (n < 0) throw std::invalid_argument("Invalid procedure call or argument");
}

void requireStart(long start) {
    if (start < 1) throw std::invalid_argument("Invalid procedure call or argument");
}

} // namespace

std::string Left(const std::string& text, long length) {
    requireNonNegative(length);
    return text.substr(0, static_cast<std::size_t>(length));
}

std::string Right(const std::string& text, long length) {
    requireNonNegative(length);
    auto n = static_cast<std::size_t>(length);
    return n >= text.size() ? text : text.substr(text.size() - n);
}

std::string Mid(const std::string& text, long start) {
    requireStart(start);
    auto from = static_cast<std::size_t>(start - 1);
    return from >= text.size() ? std::string() : text.substr(from);
}

std::string Mid(const std::string& text, long start, long length) {
    requireNonNegative(length);
    return Mid(text, start).substr(0, static_cast<std::size_t>(length));
}

long InStr(const std::string& text, const std::string& find) {
    return InStr(1, text, find);
}

long InStr(long start, const std::string& text, const std::string& find) {
    requireStart(start);
    auto from = static_cast<std::size_t>(start - 1);
    if (from >= text.size()) return 0;
    std::size_t at = text.find(find, from);
    return at == std::string::npos ? 0 : static_cast<long>(at + 1);
}

std::string LTrim(const std::string& text) {
    std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

std::string RTrim(const std::string& text) {
    std::size_t last = text.find_last_not_of(' ');
    return last == std::string::npos ? std::string() : text.substr(0, last + 1);
}

std::string Trim(const std::string& text) {
    return LTrim(RTrim(text));
}

std::string UCase(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string LCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::vector<std::string> Split(const std::string& text, char delimiter) {
    std::vector<std::string> fields;
    if (text.empty()) return fields;
    std::size_t from = 0;
    for (;;) {
        std::size_t at = text.find(delimiter, from);
        fields.push_back(text.substr(from, at == std::string::npos ? std::string::npos : at - from));
        if (at == std::string::npos) return fields;
        from = at + 1;
    }
}

} // namespace vb
