#include "querytool/query_result.h"

QueryResult::QueryResult(MYSQL_RES* result, std::uint32_t elapsedMs)
    : m_elapsedMs(elapsedMs), m_result(result), m_fields(mysql_fetch_fields(result)),
      m_fieldCount(mysql_num_fields(result)) {
    m_rows.reserve(mysql_num_rows(result));
    mysql_data_seek(result, 0);
    for (;;) {
        MYSQL_ROW_OFFSET offset = mysql_row_tell(result);
        if (mysql_fetch_row(result) == nullptr) break;
        m_rows.push_back(offset);
    }
}

QueryResult::~QueryResult() {
    mysql_free_result(m_result);
}

ResultRow QueryResult::Row(std::uint64_t index) const {
    mysql_row_seek(m_result, m_rows[index]);
    ResultRow row;
    row.values = mysql_fetch_row(m_result);
    row.lengths = mysql_fetch_lengths(m_result);
    return row;
}
