#include "querytool/result_text.h"

#include "querytool/utf8_sequence.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

const char kNull[] = "(NULL)";

// Length in bytes of the valid UTF-8 sequence at p (n bytes available), or 1 for any other byte.
std::size_t sequenceLength(const unsigned char* p, std::size_t n) {
    return std::max<std::size_t>(1, ValidUtf8Length(p, n));
}

// Characters as the text view shows them: a valid UTF-8 sequence is one, any other byte is one.
std::size_t displayLength(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); ++count)
        at += sequenceLength(p + at, text.size() - at);
    return count;
}

std::string_view untilNul(std::string_view value) {
    return value.substr(0, value.find('\0'));
}

bool breaksLines(const MYSQL_FIELD& field) {
    return field.type >= 249 && field.type <= 254;
}

// The lines of one value: a CR or LF, with one CR or LF directly after it, starts a new line.
void splitLines(std::string_view value, std::vector<std::string_view>& lines) {
    lines.clear();
    std::size_t start = 0;
    for (std::size_t at = 0; at < value.size(); ++at) {
        if (value[at] != '\r' && value[at] != '\n') continue;
        lines.push_back(value.substr(start, at - start));
        if (at + 1 < value.size() && (value[at + 1] == '\r' || value[at + 1] == '\n')) ++at;
        start = at + 1;
    }
    lines.push_back(value.substr(start));
}

struct Column {
    std::size_t width;
    std::size_t start;
};

std::vector<Column> measureColumns(const QueryResult& result) {
    std::vector<Column> columns(result.FieldCount());
    for (unsigned int i = 0; i < result.FieldCount(); ++i)
        columns[i].width = std::max<std::size_t>(displayLength(result.Field(i).name), 6);
    for (std::uint64_t r = 0; r < result.RowCount(); ++r) {
        const ResultRow row = result.Row(r);
        for (unsigned int i = 0; i < result.FieldCount(); ++i)
            if (!row.IsNull(i)) columns[i].width = std::max(columns[i].width, displayLength(row.Value(i)));
    }
    for (std::size_t i = 1; i < columns.size(); ++i)
        columns[i].start = columns[i - 1].start + columns[i - 1].width + 2;
    return columns;
}

// Writes one line of cells (one text per column) padded to the full width.
class LineWriter {
public:
    LineWriter(const std::vector<Column>& columns, std::string& out) : m_columns(columns), m_out(out) {
        m_lineWidth = columns.empty() ? 0 : columns.back().start + columns.back().width;
    }
    void Cell(std::size_t column, std::string_view text) {
        pad(m_columns[column].start);
        m_out.append(text.data(), text.size());
        m_position += displayLength(text);
    }
    void End() {
        pad(m_lineWidth);
        m_out += "\r\n";
        m_position = 0;
    }

private:
    void pad(std::size_t to) {
        if (to > m_position) m_out.append(to - m_position, ' ');
        m_position = std::max(m_position, to);
    }
    const std::vector<Column>& m_columns;
    std::string& m_out;
    std::size_t m_lineWidth;
    std::size_t m_position = 0;
};

void renderRow(const QueryResult& result, const ResultRow& row, LineWriter& line,
               std::vector<std::vector<std::string_view>>& cells) {
    std::size_t height = 1;
    for (unsigned int i = 0; i < result.FieldCount(); ++i) {
        const std::string_view value = row.IsNull(i) ? std::string_view(kNull) : untilNul(row.Value(i));
        if (breaksLines(result.Field(i)) && !row.IsNull(i)) {
            splitLines(value, cells[i]);
        } else {
            cells[i].assign(1, value);
        }
        height = std::max(height, cells[i].size());
    }
    for (std::size_t l = 0; l < height; ++l) {
        for (unsigned int i = 0; i < result.FieldCount(); ++i)
            if (l < cells[i].size()) line.Cell(i, cells[i][l]);
        line.End();
    }
}

} // namespace

void AppendRowText(const ResultRow& row, unsigned int fieldCount, std::string& out) {
    for (unsigned int i = 0; i < fieldCount; ++i) {
        if (i > 0) out += ',';
        if (row.IsNull(i)) {
            out += kNull;
        } else {
            out.append(row.Value(i).data(), row.Value(i).size());
        }
    }
    out += "\r\n";
}

std::string RowsAsText(const QueryResult& result, std::uint64_t first, std::uint64_t last) {
    std::string text;
    for (std::uint64_t r = first; r < last && r < result.RowCount(); ++r)
        AppendRowText(result.Row(r), result.FieldCount(), text);
    return text;
}

std::string RenderTextTable(const QueryResult& result) {
    const std::vector<Column> columns = measureColumns(result);
    std::string text;
    LineWriter line(columns, text);
    for (unsigned int i = 0; i < result.FieldCount(); ++i)
        line.Cell(i, result.Field(i).name);
    line.End();
    for (unsigned int i = 0; i < result.FieldCount(); ++i)
        line.Cell(i, std::string(columns[i].width, '-'));
    line.End();
    std::vector<std::vector<std::string_view>> cells(result.FieldCount());
    for (std::uint64_t r = 0; r < result.RowCount(); ++r)
        renderRow(result, result.Row(r), line, cells);
    return text;
}
