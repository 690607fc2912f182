#include "platform/win/registry/ini_lines.h"

namespace pm {

namespace {

std::string_view trim(std::string_view s, std::string_view blanks) {
    const std::size_t begin = s.find_first_not_of(blanks);
    if (begin == std::string_view::npos) return {};
    return s.substr(begin, s.find_last_not_of(blanks) - begin + 1);
}

std::string lowered(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool isHeader(std::string_view line, const IniRules& rules) {
    if (line.front() != '[') return false;
    return rules.headerEnd == IniRules::HeaderEnd::FirstBracket || line.back() == ']';
}

std::string_view headerName(std::string_view line, const IniRules& rules) {
    if (rules.headerEnd == IniRules::HeaderEnd::LineEnd) return line.substr(1, line.size() - 2);
    const std::size_t close = line.find(']');
    return line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
}

IniLine bareLine(std::string_view line, const IniRules& rules) {
    IniLine read;
    switch (rules.bareLine) {
    case IniRules::BareLine::Key:
        read.kind = IniLine::Kind::Entry;
        read.name = std::string(line);
        break;
    case IniRules::BareLine::LoweredKey:
        read.kind = IniLine::Kind::Entry;
        read.name = lowered(line);
        read.value = line;
        break;
    case IniRules::BareLine::Ignored:
        read.kind = IniLine::Kind::Ignored;
        break;
    }
    return read;
}

} // namespace

IniLine readIniLine(std::string_view line, const IniRules& rules) {
    line = trim(line.substr(0, rules.maxLineLength), rules.blanks);
    IniLine read;
    if (line.empty()) return read;
    if (line.front() == ';') {
        read.kind = IniLine::Kind::Comment;
        return read;
    }
    const auto name = [&](std::string_view s) { return rules.trimNames ? trim(s, rules.blanks) : s; };
    if (isHeader(line, rules)) {
        read.kind = IniLine::Kind::Header;
        read.name = std::string(name(headerName(line, rules)));
        return read;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return bareLine(line, rules);
    read.kind = IniLine::Kind::Entry;
    read.name = std::string(name(line.substr(0, equals)));
    read.value = name(line.substr(equals + 1));
    read.hasEquals = true;
    return read;
}

void readIniLines(std::string_view text, const IniRules& rules,
                  const std::function<bool(const IniLine&)>& visit) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!visit(readIniLine(line, rules))) return;
    }
}

} // namespace pm
