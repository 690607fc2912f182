#pragma once
// One stored result set of a statement, with an index of row offsets so that any row is reached in
// constant time (the stored result itself is a list that a plain seek walks from the start).

#include <mysql.h>

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

// A fetched row: valid until the next row of the same result is fetched.
struct ResultRow {
    MYSQL_ROW values = nullptr;
    const unsigned long* lengths = nullptr;

    bool IsNull(unsigned int field) const { return values[field] == nullptr; }
    std::string_view Value(unsigned int field) const { return {values[field], lengths[field]}; }
};

// A stored result set, freed with mysql_free_result.
struct FreeResult {
    void operator()(MYSQL_RES* result) const { mysql_free_result(result); }
};
using ResultHandle = std::unique_ptr<MYSQL_RES, FreeResult>;

class QueryResult {
public:
    // Takes a stored result (mysql_store_result) and indexes its rows; the result is freed also when
    // the index cannot be made.
    QueryResult(ResultHandle result, std::uint32_t elapsedMs);
    QueryResult(const QueryResult&) = delete;
    QueryResult& operator=(const QueryResult&) = delete;

    // Milliseconds from sending the statement to having its result stored.
    std::uint32_t ElapsedMs() const { return m_elapsedMs; }

    std::uint64_t RowCount() const { return m_rows.size(); }
    unsigned int FieldCount() const { return m_fieldCount; }
    const MYSQL_FIELD* Fields() const { return m_fields; }
    const MYSQL_FIELD& Field(unsigned int index) const { return m_fields[index]; }

    // Positions the result on the row (below RowCount) and fetches it.
    ResultRow Row(std::uint64_t index) const;

    // The grid's remembered top row while another tab is shown.
    int ScrollPosition() const { return m_scrollPosition; }
    void SetScrollPosition(int position) { m_scrollPosition = position; }

private:
    std::uint32_t m_elapsedMs;
    int m_scrollPosition = 0;
    ResultHandle m_result;
    MYSQL_FIELD* m_fields;
    unsigned int m_fieldCount;
    std::vector<MYSQL_ROW_OFFSET> m_rows;
};
