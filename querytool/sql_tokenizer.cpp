#include "querytool/sql_tokenizer.h"

#include <cstring>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isOperatorChar(char c) {
    return c != '\0' && std::strchr("(),;+*><=!&|", c) != nullptr;
}

bool endsWord(char c) {
    return c == '\0' || isOperatorChar(c) || std::strchr("/#-'\"\r\n \t", c) != nullptr;
}

bool endsLine(char c) {
    return c == '\0' || c == '\n' || c == '\r';
}

} // namespace

CSqlTokenizer::CSqlTokenizer(const SqlKeywordTables& tables) : m_tables(tables) {}

void CSqlTokenizer::ClearTokens() {
    m_tokens.clear();
}

int CSqlTokenizer::Tokenize(const char* text, std::uint32_t start) {
    if (!BeginPass(text, start)) return -1;
    while (!PassComplete()) {
        if (m_stopCheck && m_stopCheck()) return -1;
        step();
    }
    return 0;
}

bool CSqlTokenizer::BeginPass(const char* text, std::uint32_t start) {
    m_text = text;
    m_position = start;
    m_tokens.clear();
    return text != nullptr;
}

bool CSqlTokenizer::ContinuePass(std::size_t maxSteps) {
    for (std::size_t i = 0; i < maxSteps && !PassComplete(); ++i)
        step();
    return PassComplete();
}

// One token step: skip blanks, then try the scanners on the next character.
void CSqlTokenizer::step() {
    while (isBlank(m_text[m_position]))
        ++m_position;
    SqlToken token{};
    const char c = m_text[m_position];
    const bool found = (c == '\'' || c == '"') ? scanString(token)
                                               : scanOperator(token) || scanComment(token) || scanWord(token);
    if (found) m_tokens.push_back(token);
}

bool CSqlTokenizer::scanString(SqlToken& token) {
    const char quote = m_text[m_position];
    token = {SQL_TOKEN_STRING, m_position, 0};
    std::uint32_t at = m_position + 1;
    while (m_text[at] != '\0' && m_text[at] != quote)
        ++at;
    token.end = at;
    m_position = m_text[at] == '\0' ? at : at + 1;
    return true;
}

bool CSqlTokenizer::scanOperator(SqlToken& token) {
    if (!isOperatorChar(m_text[m_position])) return false;
    token = {SQL_TOKEN_OPERATOR, m_position, m_position};
    ++m_position;
    return true;
}

bool CSqlTokenizer::scanComment(SqlToken& token) {
    const char* p = m_text + m_position;
    if (p[0] == '#' || (p[0] == '-' && p[1] == '-' && p[2] == ' ')) {
        scanToLineEnd(token);
        return true;
    }
    if (p[0] == '/' && p[1] == '*') {
        scanBlockComment(token);
        return true;
    }
    if (p[0] != '-' && p[0] != '/') return false;
    token = {SQL_TOKEN_OPERATOR, m_position, m_position};
    ++m_position;
    return true;
}

void CSqlTokenizer::scanToLineEnd(SqlToken& token) {
    token = {SQL_TOKEN_COMMENT, m_position, 0};
    while (!endsLine(m_text[m_position]))
        ++m_position;
    token.end = m_position;
}

void CSqlTokenizer::scanBlockComment(SqlToken& token) {
    token = {SQL_TOKEN_COMMENT, m_position, 0};
    const char* close = std::strstr(m_text + m_position + 2, "*/");
    m_position = close ? static_cast<std::uint32_t>(close - m_text) + 2
                       : m_position + 2 + static_cast<std::uint32_t>(std::strlen(m_text + m_position + 2));
    token.end = m_position;
}

bool CSqlTokenizer::scanWord(SqlToken& token) {
    const std::uint32_t start = m_position;
    while (!endsWord(m_text[m_position]))
        ++m_position;
    const char* word = m_text + start;
    const std::size_t length = m_position - start;
    if (FindKeyword(m_tables.keywords, word, length)) {
        token = {SQL_TOKEN_KEYWORD, start, m_position - 1};
    } else if (FindKeyword(m_tables.operators, word, length)) {
        token = {SQL_TOKEN_OPERATOR, start, m_position - 1};
    } else if (FindKeyword(m_tables.functions, word, length)) {
        token = {SQL_TOKEN_FUNCTION, start, m_position - 1};
    } else {
        return false;
    }
    return true;
}
