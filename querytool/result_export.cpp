#include "querytool/result_export.h"

#include "querytool/utf8_sequence.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <utility>
#include <vector>

namespace {

const char kNull[] = "(NULL)";

// The four characters the markup formats write as entities; every other byte is written as it is.
void appendMarkupText(std::string_view text, std::string& out) {
    for (char c : text) {
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

// The value as HTML shows it: "(NULL)", or the bytes up to the first NUL with the four entities.
void appendHtmlValue(const ResultRow& row, unsigned int field, std::string& out) {
    if (row.IsNull(field)) {
        out += kNull;
        return;
    }
    const std::string_view value = row.Value(field);
    appendMarkupText(value.substr(0, value.find('\0')), out);
}

// A CSV field: quoted, with its quotes doubled, when it holds the separator, a quote or a line
// break, or when it reads as the NULL marker; otherwise its bytes as they are.
void appendCsvValue(const ResultRow& row, unsigned int field, std::string& out) {
    if (row.IsNull(field)) {
        out += kNull;
        return;
    }
    const std::string_view value = row.Value(field);
    if (value.find_first_of(",\"\r\n") == std::string_view::npos && value != kNull) {
        out += value;
        return;
    }
    out += '"';
    for (char c : value) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

// The characters XML 1.0 can hold in text: TAB, LF, CR and the characters from U+0020 on, except the
// surrogates (never valid UTF-8) and U+FFFE, U+FFFF.
bool xmlCanHold(std::string_view value) {
    const auto* p = reinterpret_cast<const unsigned char*>(value.data());
    for (std::size_t at = 0; at < value.size();) {
        const std::size_t length = ValidUtf8Length(p + at, value.size() - at);
        if (length == 0) return false;
        const char32_t c = DecodeUtf8(p + at, length);
        if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0xFFFE || c == 0xFFFF) return false;
        at += length;
    }
    return true;
}

void appendHex(std::string_view bytes, std::string& out) {
    static const char digits[] = "0123456789ABCDEF";
    for (unsigned char b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
}

// One field element: "(NULL)", the text with the four entities and CR as a character reference (a
// parser would read a bare CR as LF), or, for a value XML cannot hold, its bytes in hexadecimal.
void appendXmlElement(const ResultRow& row, unsigned int field, const std::string& name, std::string& out) {
    const bool hex = !row.IsNull(field) && !xmlCanHold(row.Value(field));
    out += '<' + name + (hex ? " encoding=\"hex\">" : ">");
    if (row.IsNull(field)) {
        out += kNull;
    } else if (hex) {
        appendHex(row.Value(field), out);
    } else {
        for (char c : row.Value(field)) {
            if (c == '\r')
                out += "&#13;";
            else
                appendMarkupText(std::string_view(&c, 1), out);
        }
    }
    out += "</" + name + '>';
}

bool inRanges(char32_t c, std::initializer_list<std::pair<char32_t, char32_t>> ranges) {
    for (const auto& range : ranges)
        if (c >= range.first && c <= range.second) return true;
    return false;
}

// Name characters that every edition of XML 1.0 accepts (readers still apply the older, narrower
// tables): ASCII letters, "_", and the common Latin, Greek, Cyrillic, kana, CJK and Hangul letters.
// The colon is left out, since namespace-aware readers give it a meaning.
bool isNameStartChar(char32_t c) {
    return inRanges(c, {{'A', 'Z'},       {'_', '_'},       {'a', 'z'},      {0xC0, 0xD6},   {0xD8, 0xF6},
                        {0xF8, 0x131},    {0x134, 0x13E},   {0x141, 0x148},  {0x14A, 0x17E}, {0x180, 0x1C3},
                        {0x1CD, 0x1F0},   {0x388, 0x38A},   {0x38C, 0x38C},  {0x38E, 0x3A1}, {0x3A3, 0x3CE},
                        {0x401, 0x40C},   {0x40E, 0x44F},   {0x451, 0x45C},  {0x45E, 0x481}, {0x3041, 0x3094},
                        {0x30A1, 0x30FA}, {0x4E00, 0x9FA5}, {0xAC00, 0xD7A3}});
}

bool isNameChar(char32_t c) {
    return isNameStartChar(c) || inRanges(c, {{'-', '-'}, {'.', '.'}, {'0', '9'}, {0xB7, 0xB7}});
}

// A field name as an element name: blanks become "_", and every other character that cannot stand
// at its place in an XML name is written as _xHHHH_ (its code, or the byte where the name is not
// UTF-8, in at least four hexadecimal digits).
std::string xmlName(std::string name) {
    std::replace(name.begin(), name.end(), ' ', '_');
    std::string out;
    const auto* p = reinterpret_cast<const unsigned char*>(name.data());
    for (std::size_t at = 0; at < name.size();) {
        const std::size_t length = ValidUtf8Length(p + at, name.size() - at);
        const char32_t c = length == 0 ? p[at] : DecodeUtf8(p + at, length);
        const std::size_t taken = std::max<std::size_t>(length, 1);
        if (length != 0 && (at == 0 ? isNameStartChar(c) : isNameChar(c))) {
            out.append(name, at, taken);
        } else {
            char code[16];
            std::snprintf(code, sizeof code, "_x%04X_", static_cast<unsigned int>(c));
            out += code;
        }
        at += taken;
    }
    return out.empty() ? "_" : out;
}

std::vector<std::string> xmlNames(const QueryResult& result) {
    std::vector<std::string> names;
    for (unsigned int i = 0; i < result.FieldCount(); ++i)
        names.push_back(xmlName(result.Field(i).name));
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
        const ResultRow row = result.Row(r);
        line.clear();
        for (unsigned int i = 0; i < result.FieldCount(); ++i) {
            if (i > 0) line += ',';
            appendCsvValue(row, i, line);
        }
        line += "\r\n";
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
        for (unsigned int i = 0; i < result.FieldCount(); ++i)
            appendXmlElement(row, i, names[i], line);
        line += "</row>\r\n";
        if (!file.Write(line)) return false;
    }
    return file.Write("</data>");
}

bool WriteHtml(const QueryResult& result, OutputFile& file) {
    std::string text = "<html>\r\n<head>\r\n<title>query data</title>\r\n</head><h3>query result ( " +
                       std::to_string(result.RowCount()) + " records )</h3><table border=1>\r\n<tr>\r\n";
    for (unsigned int i = 0; i < result.FieldCount(); ++i) {
        text += "<td bgcolor=silver>";
        appendMarkupText(result.Field(i).name, text);
        text += "</td>";
    }
    text += "</tr>\r\n";
    if (!file.Write(text)) return false;
    for (std::uint64_t r = 0; r < result.RowCount(); ++r) {
        const ResultRow row = result.Row(r);
        text = "<tr>\r\n";
        for (unsigned int i = 0; i < result.FieldCount(); ++i) {
            text += "<td>";
            appendHtmlValue(row, i, text);
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
