#include "querytool/result_export.h"

#include "querytool/result_text.h"

#include <algorithm>
#include <vector>

namespace {

const char kNull[] = "(NULL)";

// The value as XML and HTML show it: "(NULL)", or the bytes up to the first NUL with the four entities.
void appendMarkupValue(const ResultRow& row, unsigned int field, std::string& out) {
    if (row.IsNull(field)) {
        out += kNull;
        return;
    }
    const std::string_view value = row.Value(field);
    for (char c : value.substr(0, value.find('\0'))) {
        switch (c) {
        case '"':
            out += "&quot;";
            break;
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            out += c;
        }
    }
}

std::vector<std::string> xmlNames(const QueryResult& result) {
    std::vector<std::string> names;
    for (unsigned int i = 0; i < result.FieldCount(); ++i) {
        std::string name = result.Field(i).name;
        std::replace(name.begin(), name.end(), ' ', '_');
        names.push_back(name);
    }
    return names;
}

const char* extensionOf(ExportFormat format) {
    switch (format) {
    case ExportFormat::Xml:
        return ".xml";
    case ExportFormat::Csv:
        return ".csv";
    case ExportFormat::Html:
        return ".html";
    }
    return "";
}

const char* writeErrorText(ExportFormat format) {
    return format == ExportFormat::Csv ? "Error writing into file" : "Error writing in file.";
}

} // namespace

std::string ForceExportExtension(const std::string& path, ExportFormat format) {
    const std::size_t nameStart =
        path.find_last_of('/') == std::string::npos ? 0 : path.find_last_of('/') + 1;
    const std::size_t dot = path.find_last_of('.');
    const std::string stem = dot != std::string::npos && dot >= nameStart ? path.substr(0, dot) : path;
    return stem + extensionOf(format);
}

bool WriteCsv(const QueryResult& result, OutputFile& file) {
    std::string line;
    for (std::uint64_t r = 0; r < result.RowCount(); ++r) {
        line.clear();
        AppendRowText(result.Row(r), result.FieldCount(), line);
        if (!file.Write(line)) return false;
    }
    return true;
}

bool WriteXml(const QueryResult& result, OutputFile& file) {
    const std::vector<std::string> names = xmlNames(result);
    if (!file.Write("<data>")) return false;
    std::string line;
    for (std::uint64_t r = 0; r < result.RowCount(); ++r) {
        const ResultRow row = result.Row(r);
        line = "<row>";
        for (unsigned int i = 0; i < result.FieldCount(); ++i) {
            line += '<' + names[i] + '>';
            appendMarkupValue(row, i, line);
            line += "</" + names[i] + '>';
        }
        line += "</row>\r\n";
        if (!file.Write(line)) return false;
    }
    return file.Write("</data>");
}

bool WriteHtml(const QueryResult& result, OutputFile& file) {
    std::string text = "<html>\r\n<head>\r\n<title>query data</title>\r\n</head><h3>query result ( " +
                       std::to_string(result.RowCount()) + " records )</h3><table border=1>\r\n<tr>\r\n";
    for (unsigned int i = 0; i < result.FieldCount(); ++i)
        text += std::string("<td bgcolor=silver>") + result.Field(i).name + "</td>";
    text += "</tr>\r\n";
    if (!file.Write(text)) return false;
    for (std::uint64_t r = 0; r < result.RowCount(); ++r) {
        const ResultRow row = result.Row(r);
        text = "<tr>\r\n";
        for (unsigned int i = 0; i < result.FieldCount(); ++i) {
            text += "<td>";
            appendMarkupValue(row, i, text);
            text += "</td>\r\n";
        }
        text += "</tr>\r\n";
        if (!file.Write(text)) return false;
    }
    return file.Write("</table>\r\n</body></html>");
}

ExportOutcome ExportResult(const QueryResult& result, ExportFormat format, const std::string& path) {
    ExportOutcome outcome;
    OutputFile file;
    if (!file.Create(path)) {
        outcome.errorText = "Could not create file.";
        outcome.errorCode = file.Error();
        return outcome;
    }
    bool written = false;
    switch (format) {
    case ExportFormat::Xml:
        written = WriteXml(result, file);
        break;
    case ExportFormat::Csv:
        written = WriteCsv(result, file);
        break;
    case ExportFormat::Html:
        written = WriteHtml(result, file);
        break;
    }
    if (file.Close() && written) {
        outcome.ok = true;
        return outcome;
    }
    outcome.errorText = writeErrorText(format);
    outcome.errorCode = file.Error();
    return outcome;
}
