#include "querytool/statements.h"

#include <algorithm>

namespace {

struct Span {
    std::size_t start;
    std::size_t end;
};

// The text cut into pieces and the separators (separator texts and DELIMITER lines) between them.
struct Layout {
    std::vector<Span> pieces;
    std::vector<Span> separators;
};

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool equalsIgnoringCase(std::string_view text, std::string_view lowerWord) {
    return text.size() == lowerWord.size() &&
           std::equal(text.begin(), text.end(), lowerWord.begin(),
                      [](char a, char b) { return (a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) == b; });
}

// Inside a statement "--" starts a comment only when white space or a control character follows it;
// before the statement's first word any "--" does, as the standard client reads a line such as
// "---- a heading" between statements.
bool startsDashComment(std::string_view text, std::size_t at, bool statementStarted) {
    return text.compare(at, 2, "--") == 0 &&
           (!statementStarted || at + 2 == text.size() || static_cast<unsigned char>(text[at + 2]) <= ' ');
}

// "/*!" and "/*M!" hold statement text for the server.
bool startsExecutableComment(std::string_view text, std::size_t at) {
    return text.compare(at, 3, "/*!") == 0 || text.compare(at, 4, "/*M!") == 0;
}

// The end of the comment that starts at position at (a line comment ends before its line break), or
// at itself when no comment starts there.
std::size_t skipComment(std::string_view text, std::size_t at, bool statementStarted) {
    if (text[at] == '#' || startsDashComment(text, at, statementStarted))
        return std::min(text.find('\n', at), text.size());
    if (text.compare(at, 2, "/*") != 0) return at;
    const std::size_t close = text.find("*/", at + 2);
    return close == std::string_view::npos ? text.size() : close + 2;
}

// A "DELIMITER <word>" line starting at position at (blanks may precede the command): the end of the
// line with its line break, and the word (empty when the line names none). End 0: no such line.
std::size_t delimiterLine(std::string_view text, std::size_t at, std::string_view& word) {
    static constexpr std::string_view kCommand = "delimiter";
    std::size_t i = at;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    if (text.size() - i <= kCommand.size() || !equalsIgnoringCase(text.substr(i, kCommand.size()), kCommand))
        return 0;
    i += kCommand.size();
    if (text[i] != ' ' && text[i] != '\t') return 0;
    const std::size_t lineEnd = std::min(text.find('\n', i), text.size());
    const std::size_t wordStart = std::min(text.find_first_not_of(" \t\r", i), lineEnd);
    const std::size_t wordEnd = std::min(text.find_first_of(" \t\r\n", wordStart), lineEnd);
    word = text.substr(wordStart, wordEnd - wordStart);
    return std::min(lineEnd + 1, text.size());
}

Layout scan(std::string_view text) {
    Layout layout;
    std::string_view separator = ";";
    std::size_t pieceStart = 0;
    bool statementStarted = false; // the piece holds more than white space and comments so far
    const auto endPiece = [&](std::size_t end, std::size_t next) {
        if (end > pieceStart) layout.pieces.push_back({pieceStart, end});
        layout.separators.push_back({end, next});
        pieceStart = next;
        statementStarted = false;
    };
    bool lineStart = true;
    std::size_t i = 0;
    while (i < text.size()) {
        std::string_view word;
        const std::size_t lineEnd = lineStart ? delimiterLine(text, i, word) : 0;
        lineStart = false;
        if (lineEnd != 0) {
            endPiece(i, lineEnd);
            if (!word.empty()) separator = word;
            i = lineEnd;
            lineStart = true;
        } else if (text.compare(i, separator.size(), separator) == 0) {
            endPiece(i, i + separator.size());
            i = pieceStart;
        } else if (text[i] == '\'' || text[i] == '"' || text[i] == '`') {
            i = QuotedTextEnd(text, i);
            statementStarted = true;
        } else if (const std::size_t afterComment = skipComment(text, i, statementStarted);
                   afterComment != i) {
            statementStarted = statementStarted || startsExecutableComment(text, i);
            i = afterComment;
        } else {
            lineStart = text[i] == '\n';
            statementStarted = statementStarted || !isSpace(text[i]);
            ++i;
        }
    }
    if (pieceStart < text.size()) layout.pieces.push_back({pieceStart, text.size()});
    return layout;
}

std::string_view viewOf(std::string_view text, const Span& span) {
    return text.substr(span.start, span.end - span.start);
}

} // namespace

std::vector<std::string_view> SplitStatements(std::string_view text) {
    std::vector<std::string_view> pieces;
    for (const Span& span : scan(text).pieces)
        pieces.push_back(viewOf(text, span));
    return pieces;
}

std::size_t QuotedTextEnd(std::string_view text, std::size_t at) {
    const char quote = text[at];
    for (std::size_t i = at + 1; i < text.size(); ++i) {
        if (text[i] == '\\' && quote != '`') {
            ++i;
            continue;
        }
        if (text[i] == quote) return i + 1;
    }
    return text.size();
}

bool IsBlankStatement(std::string_view piece) {
    return piece.find_first_not_of(" \t\n\v\f\r") == std::string_view::npos;
}

std::string_view StatementText(std::string_view piece) {
    std::size_t i = 0;
    while (i < piece.size()) {
        if (isSpace(piece[i])) {
            ++i;
            continue;
        }
        const std::size_t afterComment = startsExecutableComment(piece, i) ? i : skipComment(piece, i, false);
        if (afterComment == i) return piece.substr(i);
        i = afterComment;
    }
    return piece.substr(piece.size());
}

std::string WithLineFeeds(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            out += text[i];
        } else if (i + 1 == text.size() || text[i + 1] != '\n') {
            out += '\n';
        }
    }
    return out;
}

bool MentionsUse(std::string_view statement) {
    return statement.find("use") != std::string_view::npos || statement.find("USE") != std::string_view::npos;
}

CurrentStatementPlan PlanCurrentStatement(std::string_view text, std::size_t caretIndex) {
    CurrentStatementPlan plan;
    if (text.empty()) return plan;
    const Layout layout = scan(text);
    if (layout.pieces.empty()) return plan;
    const std::size_t i = std::min(caretIndex > 0 ? caretIndex - 1 : 0, text.size() - 1);
    std::size_t from = 0;
    for (const Span& separator : layout.separators) {
        if (separator.start > i) break;
        from = separator.end;
    }
    const auto next = std::find_if(layout.pieces.begin(), layout.pieces.end(),
                                   [from](const Span& piece) { return piece.start >= from; });
    plan.piece = viewOf(text, next == layout.pieces.end() ? layout.pieces.front() : *next);
    plan.kind = IsBlankStatement(plan.piece) ? CurrentStatementPlan::RunAll : CurrentStatementPlan::RunPiece;
    return plan;
}
