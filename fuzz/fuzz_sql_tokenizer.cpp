// The SQL tokenizer and the statement splitter on arbitrary text: token runs must lie inside the
// text in order, sliced passes must give the whole pass's runs, and the current-statement plan must
// return a piece of the text.

#include "querytool/sql_tokenizer.h"
#include "querytool/statements.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

const SqlKeywordTables& tables() {
    static const SqlKeywordTables loaded = [] {
        SqlKeywordTables t;
        LoadKeywordTables(t);
        return t;
    }();
    return loaded;
}

void check(bool condition) {
    if (!condition) std::abort();
}

void checkTokens(const std::string& text, const std::vector<SqlToken>& tokens) {
    const std::size_t length = text.find('\0') == std::string::npos ? text.size() : text.find('\0');
    std::uint32_t previousEnd = 0;
    for (const SqlToken& t : tokens) {
        check(t.kind <= SQL_TOKEN_OPERATOR);
        check(t.start <= t.end && t.end <= length);
        check(t.start >= previousEnd);
        previousEnd = t.kind == SQL_TOKEN_COMMENT ? t.end : t.end + 1;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    CSqlTokenizer whole(tables());
    check(whole.Tokenize(text.c_str(), 0) == 0);
    checkTokens(text, whole.Tokens());

    CSqlTokenizer sliced(tables());
    check(sliced.BeginPass(text.c_str(), 0));
    while (!sliced.ContinuePass(1 + size % 5)) {
    }
    check(sliced.Tokens().size() == whole.Tokens().size());
    for (std::size_t i = 0; i < whole.Tokens().size(); ++i) {
        check(sliced.Tokens()[i].start == whole.Tokens()[i].start);
        check(sliced.Tokens()[i].end == whole.Tokens()[i].end);
    }

    const char* previousEnd = text.data();
    for (std::string_view piece : SplitStatements(text)) {
        check(!piece.empty() && piece.data() >= previousEnd);
        check(piece.data() + piece.size() <= text.data() + text.size());
        previousEnd = piece.data() + piece.size();
        if (IsBlankStatement(piece)) check(StatementText(piece).empty());
    }
    const CurrentStatementPlan plan = PlanCurrentStatement(text, size == 0 ? 0 : data[0] % (size + 1));
    if (plan.kind != CurrentStatementPlan::Nothing)
        check(plan.piece.data() >= text.data() &&
              plan.piece.data() + plan.piece.size() <= text.data() + text.size());
    return 0;
}
