// The text work behind the editor view's commands.

#include "app/program/view_text_commands.h"

#include "app/CIniFile.h"

#include "editor/CHHKeywordMap.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace {

const char kOpening[] = "([{";
const char kClosing[] = ")]}";

bool isBrace(char c) {
    return c != 0 && std::string("{}()[]").find(c) != std::string::npos;
}

bool isWordChar(char c) {
    auto u = static_cast<unsigned char>(c);
    return std::isalnum(u) && u < 128 ? true : c == '_';
}

// The next place of c from `from` in the direction (forward or back); npos when none.
std::string::size_type findFrom(const std::string& text, char c, long from, bool forward) {
    if (forward)
        return from >= static_cast<long>(text.size()) ? std::string::npos
                                                      : text.find(c, static_cast<size_t>(from));
    if (from < 0) return std::string::npos;
    return text.rfind(c, static_cast<size_t>(from));
}

// Calls visit(number, line) for each line of the text (ended by CR LF, LF or a lone CR), read up to
// its first 255 characters as the Functions list reads it, until visit returns true.
template <typename Visit> void forEachLine(std::string_view text, Visit visit) {
    size_t start = 0;
    for (int number = 0; start <= text.size(); ++number) {
        const size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        if (visit(number, std::string(text.substr(start, std::min<size_t>(end - start, 255))))) return;
        start = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
    }
}

} // namespace

int FindMatchingBrace(const std::string& text, int selEnd) {
    if (text.empty()) return -1;
    long pos = std::clamp<long>(selEnd, 0, static_cast<long>(text.size()));
    if (pos == static_cast<long>(text.size())) --pos;
    if (!isBrace(text[static_cast<size_t>(pos)])) {
        if (pos == 0) return -1;
        --pos;
        if (!isBrace(text[static_cast<size_t>(pos)])) return -1;
    }
    const char brace = text[static_cast<size_t>(pos)];
    const char* open = std::strchr(kOpening, brace);
    const bool forward = open != nullptr;
    const char partner =
        forward ? kClosing[open - kOpening] : kOpening[std::strchr(kClosing, brace) - kClosing];
    long from = forward ? pos + 1 : pos - 1;
    int depth = 0;
    for (;;) {
        auto found = findFrom(text, partner, from, forward);
        if (found == std::string::npos) return -1;
        auto same = findFrom(text, brace, from, forward);
        bool sameFirst = same != std::string::npos && (forward ? same < found : same > found);
        if (sameFirst) {
            ++depth;
            from = forward ? static_cast<long>(same) + 1 : static_cast<long>(same) - 1;
            continue;
        }
        if (--depth < 0) return static_cast<int>(found);
        from = forward ? static_cast<long>(found) + 1 : static_cast<long>(found) - 1;
    }
}

std::string WordAroundCaret(const std::string& line, int column) {
    long caret = std::clamp<long>(column, 0, static_cast<long>(line.size()));
    long start = caret;
    while (start > 0 && isWordChar(line[static_cast<size_t>(start - 1)]))
        --start;
    long end = caret;
    while (end < static_cast<long>(line.size()) && isWordChar(line[static_cast<size_t>(end)]))
        ++end;
    return line.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
}

namespace {

// The text from start up to and including the first ")" after it (to the end without one),
// without blanks at either end.
std::string headingFrom(const std::string& line, size_t start) {
    auto close = line.find(')', start);
    std::string entry =
        line.substr(start, close == std::string::npos ? std::string::npos : close - start + 1);
    auto first = entry.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    auto last = entry.find_last_not_of(" \t\r\n");
    return entry.substr(first, last - first + 1);
}

} // namespace

std::string ParseFunctionHeading(const std::string& line) {
    static const std::string keyword = "function ";
    auto at = line.find(keyword);
    if (at == std::string::npos) return {};
    auto start = at + keyword.size();
    if (line.find('(', start) == std::string::npos) return {};
    return headingFrom(line, start);
}

std::vector<std::string> FunctionHeadingsOf(std::string_view text) {
    std::vector<std::string> headings;
    forEachLine(text, [&](int, const std::string& line) {
        std::string heading = ParseFunctionHeading(line);
        if (!heading.empty()) headings.push_back(std::move(heading));
        return false;
    });
    return headings;
}

std::pair<int, int> FindFunctionHeading(const std::string& text, const std::string& heading) {
    std::pair<int, int> found{-1, -1};
    forEachLine(text, [&](int number, const std::string& line) {
        const int column = FunctionHeadingColumn(line, heading);
        if (column >= 0) found = {number, column};
        return column >= 0;
    });
    return found;
}

int FunctionHeadingColumn(const std::string& line, const std::string& heading) {
    auto at = line.find("function");
    if (at == std::string::npos || at + 9 > line.size()) return -1;
    return headingFrom(line, at + 9) == heading ? static_cast<int>(at + 9) : -1;
}

std::string LineColumnPaneText(int line, int column) {
    char text[32];
    std::snprintf(text, sizeof text, "%d, %d", line, column);
    std::string s(text);
    int pad = s.size() < 9 ? static_cast<int>(9 - s.size()) / 2 : 0;
    return std::string(static_cast<size_t>(pad), ' ') + s;
}

bool IsHtmlFileName(const std::string& path) {
    const std::string::size_type dot = path.find_last_of("./\\");
    if (dot == std::string::npos || path[dot] != '.') return false;
    std::string extension = path.substr(dot + 1);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const char* html : {"htm", "html", "shtml", "xhtml", "hta", "asp"})
        if (extension == html) return true;
    return false;
}

CString TitleWithModifiedMark(const CString& title, BOOL modified) {
    const bool marked = title.GetLength() >= 2 && title.Right(2) == " *";
    if (modified && !marked) return title + " *";
    if (!modified && marked) return title.Left(title.GetLength() - 2);
    return title;
}

void LoadKeywordsIni(LPCTSTR path, CHHKeywordMap& map) {
    static const struct {
        const char* section;
        WORD cls;
    } sections[] = {{"Keywords", 1}, {"User1", 0x800}, {"Preproc", 0x400}};
    CIniFile ini;
    if (!ini.Load(path, FALSE, TRUE)) return;
    for (const auto& s : sections) {
        CString word;
        for (int i = 0; i < 10000 && ini.GetIndexedString(s.section, i, word); ++i) {
            map.SetAt(word, s.cls);
            CString lower = word;
            lower.MakeLower();
            map.SetAt(lower, s.cls);
        }
    }
}
