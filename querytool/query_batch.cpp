#include "querytool/query_batch.h"

#include "querytool/error_text.h"
#include "querytool/statements.h"

#include <chrono>

namespace {

std::uint32_t millisecondsSince(std::chrono::steady_clock::time_point start) {
    const auto elapsed = std::chrono::steady_clock::now() - start;
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

// Counts are printed as unsigned 32-bit numbers.
std::string countEntry(my_ulonglong count, const char* what) {
    return "(" + std::to_string(static_cast<std::uint32_t>(count)) + " row(s) " + what + ")\n\n";
}

} // namespace

bool QueryBatch::RunStatement(std::string_view statement) {
    const auto start = std::chrono::steady_clock::now();
    if (mysql_real_query(m_connection, statement.data(), statement.size()) != 0) {
        addError();
        return false;
    }
    ResultHandle stored(mysql_store_result(m_connection));
    MYSQL_RES* result = stored.get();
    bool ok = true;
    if (result != nullptr && mysql_field_count(m_connection) != 0) {
        m_results.push_back(std::make_unique<QueryResult>(std::move(stored), millisecondsSince(start)));
        m_messages += countEntry(m_results.back()->RowCount(), "returned");
    } else if (result != nullptr || mysql_field_count(m_connection) != 0) {
        ok = *mysql_error(m_connection) == '\0';
    } else if (mysql_affected_rows(m_connection) != static_cast<my_ulonglong>(-1)) {
        m_messages += countEntry(mysql_affected_rows(m_connection), "affected");
    } else {
        ok = *mysql_error(m_connection) == '\0';
    }
    if (!ok) addError();
    drainResults();
    return ok;
}

void QueryBatch::RunText(std::string_view text, const std::function<void()>& onUse) {
    for (std::string_view piece : SplitStatements(text))
        RunPiece(piece, onUse);
}

void QueryBatch::RunPiece(std::string_view piece, const std::function<void()>& onUse) {
    m_hasLastPiece = true;
    m_lastPiece.assign(piece);
    const std::string_view statement = StatementText(piece);
    if (statement.empty()) {
        if (!IsBlankStatement(piece)) m_messages += "(comments only, not sent)\n\n";
        return;
    }
    RunStatement(statement);
    if (onUse && MentionsUse(statement)) onUse();
}

void QueryBatch::AddFailure(const std::string& text) {
    m_messages += text + "\n\n";
    m_hadError = true;
}

const char* QueryBatch::CompletionText() const {
    return m_hadError ? " Query batch completed with error(s)" : " Query batch completed successfully";
}

void QueryBatch::addError() {
    m_messages += QueryErrorText(m_connection);
    m_hadError = true;
}

// Reads and frees the result sets a statement left behind, so the next statement can be sent.
void QueryBatch::drainResults() {
    while (mysql_more_results(m_connection)) {
        const int status = mysql_next_result(m_connection);
        if (status > 0) {
            addError();
            return;
        }
        if (status < 0) return;
        mysql_free_result(mysql_store_result(m_connection));
    }
}
