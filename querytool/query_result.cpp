#include "querytool/query_result.h"

QueryResult::QueryResult(ResultHandle handle, std::uint32_t elapsedMs)
    : m_elapsedMs(elapsedMs), m_result(std::move(handle)), m_fields(mysql_fetch_fields(m_result.get())),
      m_fieldCount(mysql_num_fields(m_result.get())) {
    MYSQL_RES* result = m_result.get();
    m_rows.reserve(mysql_num_rows(result));
    mysql_data_seek(result, 0);
    for (;;) {
        MYSQL_ROW_OFFSET offset = mysql_row_tell(result);
        if (mysql_fetch_row(result) == nullptr) break;
        m_rows.push_back(offset);
    }
}

ResultRow QueryResult::Row(std::uint64_t index) const {
    MYSQL_RES* result = m_result.get();
    mysql_row_seek(result, m_rows[index]);
    ResultRow row;
    row.values = mysql_fetch_row(result);
    row.lengths = mysql_fetch_lengths(result);
    return row;
}
