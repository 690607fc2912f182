#include "platform/win/registry/ini_document.h"

#include "platform/win/registry/ini_lines.h"

#include <utility>

namespace pm {

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

std::string unquote(const std::string& s) {
    if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front())
        return s.substr(1, s.size() - 2);
    return s;
}

IniLine read(const std::string& line) {
    return readIniLine(line, kProfileIniRules);
}

} // namespace

IniDocument::IniDocument(const std::string& text) {
    std::size_t firstLf = text.find('\n');
    if (firstLf != std::string::npos && (firstLf == 0 || text[firstLf - 1] != '\r')) m_lineEnd = "\n";
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t lf = text.find('\n', start);
        std::size_t end = lf == std::string::npos ? text.size() : lf;
        bool crlf = m_lineEnd == "\r\n" && end > start && text[end - 1] == '\r';
        std::size_t cut = crlf ? end - 1 : end;
        m_lines.push_back(text.substr(start, cut - start));
        start = lf == std::string::npos ? text.size() : lf + 1;
    }
}

std::string IniDocument::text() const {
    std::string out;
    for (const std::string& line : m_lines)
        out += line + m_lineEnd;
    return out;
}

bool IniDocument::findSection(const std::string& section, Span& span) const {
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const IniLine line = read(m_lines[i]);
        if (line.kind != IniLine::Kind::Header || !sameName(line.name, section)) continue;
        span.header = i;
        span.end = i + 1;
        while (span.end < m_lines.size() && read(m_lines[span.end]).kind != IniLine::Kind::Header)
            ++span.end;
        return true;
    }
    return false;
}

bool IniDocument::findKey(const Span& span, const std::string& key, std::size_t& line) const {
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
        const IniLine entry = read(m_lines[i]);
        if (entry.kind == IniLine::Kind::Entry && sameName(entry.name, key)) {
            line = i;
            return true;
        }
    }
    return false;
}

std::size_t IniDocument::contentEnd(const Span& span) const {
    std::size_t end = span.end;
    while (end > span.header + 1 && read(m_lines[end - 1]).kind == IniLine::Kind::Blank)
        --end;
    return end;
}

std::vector<std::string> IniDocument::sectionNames() const {
    std::vector<std::string> names;
    for (const std::string& text : m_lines) {
        IniLine line = read(text);
        if (line.kind == IniLine::Kind::Header) names.push_back(std::move(line.name));
    }
    return names;
}

std::vector<std::string> IniDocument::keyNames(const std::string& section) const {
    std::vector<std::string> names;
    Span span;
    if (!findSection(section, span)) return names;
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
        IniLine line = read(m_lines[i]);
        if (line.kind == IniLine::Kind::Entry) names.push_back(std::move(line.name));
    }
    return names;
}

std::vector<std::string> IniDocument::sectionLines(const std::string& section) const {
    std::vector<std::string> result;
    Span span;
    if (!findSection(section, span)) return result;
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
        const IniLine line = read(m_lines[i]);
        if (line.kind != IniLine::Kind::Entry) continue;
        result.push_back(line.hasEquals ? line.name + "=" + std::string(line.value) : line.name);
    }
    return result;
}

bool IniDocument::value(const std::string& section, const std::string& key, std::string& result) const {
    Span span;
    std::size_t line;
    if (!findSection(section, span) || !findKey(span, key, line)) return false;
    result = unquote(std::string(read(m_lines[line]).value));
    return true;
}

bool IniDocument::setValue(const std::string& section, const std::string& key, const std::string& value) {
    Span span;
    if (!findSection(section, span)) {
        appendSection(section, {key + "=" + value});
        return true;
    }
    std::size_t line;
    if (findKey(span, key, line)) {
        std::string updated = read(m_lines[line]).name + "=" + value;
        if (updated == m_lines[line]) return false;
        m_lines[line] = updated;
        return true;
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(contentEnd(span)), key + "=" + value);
    return true;
}

bool IniDocument::removeKey(const std::string& section, const std::string& key) {
    Span span;
    std::size_t line;
    if (!findSection(section, span) || !findKey(span, key, line)) return false;
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(line));
    return true;
}

bool IniDocument::removeSection(const std::string& section) {
    Span span;
    if (!findSection(section, span)) return false;
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(span.header),
                  m_lines.begin() + static_cast<std::ptrdiff_t>(span.end));
    return true;
}

bool IniDocument::replaceSection(const std::string& section, const std::vector<std::string>& lines) {
    Span span;
    if (!findSection(section, span)) {
        appendSection(section, lines);
        return true;
    }
    auto first = m_lines.begin() + static_cast<std::ptrdiff_t>(span.header + 1);
    m_lines.erase(first, m_lines.begin() + static_cast<std::ptrdiff_t>(contentEnd(span)));
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(span.header + 1), lines.begin(),
                   lines.end());
    return true;
}

void IniDocument::appendSection(const std::string& section, const std::vector<std::string>& lines) {
    if (!m_lines.empty() && read(m_lines.back()).kind != IniLine::Kind::Blank)
        m_lines.push_back(std::string());
    m_lines.push_back("[" + section + "]");
    m_lines.insert(m_lines.end(), lines.begin(), lines.end());
}

} // namespace pm
