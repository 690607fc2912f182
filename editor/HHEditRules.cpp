#include "editor/HHEditRules.h"

#include <algorithm>

namespace hh {

bool ContinuesSnapshot(int lastKind, int lastStart, int lastEnd, int kind, int start, int end,
                       int typedLength) {
    if (kind != lastKind) return false;
    if (kind == kEditTyped) return lastStart == lastEnd && start == end && start == lastStart + typedLength;
    if (kind == kEditDelete)
        return lastEnd - lastStart == 1 && end - start == 1 && (start == lastStart || end == lastStart);
    return false;
}

int CaretColumn(std::string_view line, int offset, int tabSize) {
    const std::size_t n = std::min(static_cast<std::size_t>(std::max(offset, 0)), line.size());
    return CountColumns(line.substr(0, n)).Column(tabSize);
}

ColumnCounts CountColumns(std::string_view text) {
    // Counted without branches, so that a long line is counted a vector at a time.
    int tabs = 0, continuations = 0;
    for (const char ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        tabs += c == '\t';
        continuations += (c & 0xC0) == 0x80;
    }
    return ColumnCounts{static_cast<int>(text.size()) - continuations, tabs};
}

int IndentLength(std::string_view line) {
    std::size_t n = 0;
    while (n < line.size() && (line[n] == ' ' || line[n] == '\t'))
        ++n;
    return static_cast<int>(n);
}

int AutoIndentLength(std::string_view line, int caretColumn) {
    const int n = IndentLength(line);
    return n < caretColumn ? n : (caretColumn > 0 ? caretColumn : 0);
}

int FindLeadingComment(std::string_view line, std::string_view comment) {
    if (comment.empty()) return -1;
    const int at = IndentLength(line);
    return line.substr(static_cast<std::size_t>(at)).substr(0, comment.size()) == comment ? at : -1;
}

int OutdentLength(std::string_view line, int tabSize) {
    if (!line.empty() && line[0] == '\t') return 1;
    int n = 0;
    while (n < tabSize && n < static_cast<int>(line.size()) && line[static_cast<std::size_t>(n)] == ' ')
        ++n;
    if (n < tabSize && n < static_cast<int>(line.size()) && line[static_cast<std::size_t>(n)] == '\t') ++n;
    return n;
}

} // namespace hh
