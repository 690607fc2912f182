#pragma once
// Classifies the SQL editor's text into coloured runs: keywords, functions, comments, quoted strings
// and operators. A pass can run whole or in slices of token steps, so the editor can keep the user
// interface responsive and restart the pass when the text changes.

#include "querytool/sql_keywords.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

enum SqlTokenKind : std::uint32_t {
    SQL_TOKEN_KEYWORD = 0,
    SQL_TOKEN_FUNCTION = 1,
    SQL_TOKEN_COMMENT = 2,
    SQL_TOKEN_STRING = 3,
    SQL_TOKEN_OPERATOR = 4,
};

struct SqlToken {
    std::uint32_t kind;
    std::uint32_t start;
    // Index of the last character; for comments the index just after the comment.
    std::uint32_t end;
};

class CSqlTokenizer {
public:
    explicit CSqlTokenizer(const SqlKeywordTables& tables);

    // One whole pass over the NUL-terminated text from start: 0 when the whole text was read, -1 when
    // the text is null or the stop check asked to stop (the tokens found so far stay in the list).
    int Tokenize(const char* text, std::uint32_t start);

    // Called between two token steps of Tokenize; returning true stops the pass.
    void SetStopCheck(std::function<bool()> check) { m_stopCheck = std::move(check); }

    // Incremental pass: BeginPass replaces the list and returns false for a null text; each
    // ContinuePass takes at most maxSteps token steps and returns true once the text is read.
    bool BeginPass(const char* text, std::uint32_t start);
    bool ContinuePass(std::size_t maxSteps);
    bool PassComplete() const { return m_text == nullptr || m_text[m_position] == '\0'; }

    const std::vector<SqlToken>& Tokens() const { return m_tokens; }
    void ClearTokens();

private:
    void step();
    bool scanString(SqlToken& token);
    bool scanOperator(SqlToken& token);
    bool scanComment(SqlToken& token);
    bool scanWord(SqlToken& token);
    void scanToLineEnd(SqlToken& token);
    void scanBlockComment(SqlToken& token);

    const SqlKeywordTables& m_tables;
    const char* m_text = nullptr;
    std::uint32_t m_position = 0;
    std::vector<SqlToken> m_tokens;
    std::function<bool()> m_stopCheck;
};
