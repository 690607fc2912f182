#pragma once
// Running statements on a connection and collecting what the result tabs and the messages pane show:
// one entry per statement in the messages text, one QueryResult per returned result set.

#include "querytool/query_result.h"

#include <mysql.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QueryBatch {
public:
    explicit QueryBatch(MYSQL* connection) : m_connection(connection) {}

    // Sends one statement and records its outcome: "(%lu row(s) returned)\n\n" with a result,
    // "(%lu row(s) affected)\n\n" without one, "Error Code : %d\n%s\n\n" on failure. Result sets left
    // over (a CALL's status result) are drained. Returns false when the statement failed.
    bool RunStatement(std::string_view statement);

    // Runs every piece of the text in order, each as RunPiece runs it. Remembers the last piece of
    // the text.
    void RunText(std::string_view text, const std::function<void()>& onUse);

    // Runs one piece that a split gave (also the statement at the caret, the previous statement)
    // whole: split again, a piece from between DELIMITER lines would be cut at its inner semicolons.
    // Its statement text is sent without the comments before it; a blank piece is skipped, one of
    // only comments is skipped with the entry "(comments only, not sent)\n\n". After a statement
    // that mentions "use" or "USE", calls onUse when given (which re-reads the current database).
    // Remembers the piece as the last piece.
    void RunPiece(std::string_view piece, const std::function<void()>& onUse);

    // Ends the batch's messages with a failure that came from outside the server (an exception of
    // the worker that ran it) and marks the batch as having an error.
    void AddFailure(const std::string& text);

    const std::string& Messages() const { return m_messages; }
    bool HadError() const { return m_hadError; }
    const std::vector<std::unique_ptr<QueryResult>>& Results() const { return m_results; }
    std::vector<std::unique_ptr<QueryResult>> TakeResults() { return std::move(m_results); }

    // The last piece RunText split off (blank or not); false when the text held none.
    bool HasLastPiece() const { return m_hasLastPiece; }
    const std::string& LastPiece() const { return m_lastPiece; }

    // Part-0 status text at the end of a batch.
    const char* CompletionText() const;

private:
    void addError();
    void drainResults();

    MYSQL* m_connection;
    std::string m_messages;
    bool m_hadError = false;
    std::vector<std::unique_ptr<QueryResult>> m_results;
    bool m_hasLastPiece = false;
    std::string m_lastPiece;
};
