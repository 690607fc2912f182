#include "platform/win/richedit/rtf_reader.h"

#include <algorithm>

namespace pm::richedit {

namespace {

constexpr std::size_t kMaxDepth = 256;
constexpr int kMaxDigits = 10;
constexpr std::size_t kNone = std::string_view::npos;
constexpr int kSmallKeys = 1 << 10;

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isSkippedDestination(std::string_view word) {
    static const char* const names[] = {"fonttbl",  "stylesheet", "info",    "pict",      "header",
                                        "footer",   "object",     "filetbl", "listtable", "listoverridetable",
                                        "generator"};
    for (const char* n : names)
        if (word == n) return true;
    return false;
}

} // namespace

void DocumentOutput::append(const char* bytes, std::size_t n, FormatId format) {
    m_doc.text.append(bytes, n);
    if (!m_doc.pieces.empty() && m_doc.pieces.back().format == format) {
        m_doc.pieces.back().length += static_cast<int>(n);
        return;
    }
    m_doc.pieces.push_back(FormattedPiece{static_cast<int>(n), format});
}

void DocumentOutput::dropLast() {
    m_doc.text.pop_back();
    if (!m_doc.pieces.empty() && --m_doc.pieces.back().length == 0) m_doc.pieces.pop_back();
}

RtfReader::RtfReader(const RunFormat& base, FormatTable& formats, RtfOutput& out)
    : m_base(base), m_formats(formats), m_out(out) {
    m_stack.push_back(GroupState{});
}

RtfError RtfReader::feed(std::string_view piece) {
    if (m_carry.empty()) return parseKeepingRest(piece, false);
    std::string held = std::move(m_carry);
    m_carry.clear();
    held.append(piece);
    RtfError e = parseKeepingRest(held, true);
    // A word still unfinished keeps growing in place instead of being copied again.
    if (e == RtfError::None && m_waitFrom == 0) m_carry = std::move(held);
    return e;
}

RtfError RtfReader::parseKeepingRest(std::string_view rtf, bool fromCarry) {
    m_resumeLetters = fromCarry ? m_carryLetters : 0;
    RtfError e = parse(rtf, false);
    if (e == RtfError::None && m_waitFrom != kNone && !(fromCarry && m_waitFrom == 0))
        m_carry.assign(rtf.substr(m_waitFrom));
    return e;
}

RtfError RtfReader::finish(bool wholeText) {
    if (!m_carry.empty()) {
        std::string held = std::move(m_carry);
        m_carry.clear();
        m_resumeLetters = 0;
        RtfError e = parse(held, true);
        if (e != RtfError::None) return e;
    }
    if (m_stack.size() != 1) return RtfError::UnbalancedGroups;
    if (wholeText && m_lastParAt >= 0 && m_lastParAt == m_written - 1) {
        m_out.dropLast();
        --m_written;
    }
    return RtfError::None;
}

RtfError RtfReader::parse(std::string_view rtf, bool last) {
    m_rtf = rtf;
    m_pos = 0;
    m_last = last;
    m_waitFrom = kNone;
    while (m_pos < m_rtf.size()) {
        RtfError e = step();
        if (e != RtfError::None) return e;
    }
    return RtfError::None;
}

RtfError RtfReader::step() {
    char c = m_rtf[m_pos++];
    switch (c) {
    case '{':
        if (m_stack.size() >= kMaxDepth) return RtfError::TooDeep;
        m_stack.push_back(m_stack.back());
        m_stack.back().colourTable = false;
        m_groupStart = true;
        return RtfError::None;
    case '}':
        if (m_stack.size() <= 1) return RtfError::UnbalancedGroups;
        if (m_stack.back().colourTable) finishColourEntryIfPending();
        m_stack.pop_back();
        m_groupStart = false;
        return RtfError::None;
    case '\\':
        if (!m_last && controlLength(m_pos - 1) == 0) {
            m_waitFrom = m_pos - 1;
            m_pos = m_rtf.size();
            return RtfError::None;
        }
        return controlWord();
    case '\r':
    case '\n':
        return RtfError::None;
    default:
        m_groupStart = false;
        if (m_stack.back().colourTable) {
            if (c == ';') endColourEntry();
            return RtfError::None;
        }
        emitPlainRun();
        return RtfError::None;
    }
}

std::size_t RtfReader::controlLength(std::size_t at) {
    std::size_t n = m_rtf.size();
    std::size_t p = at + 1;
    std::size_t resume = at == 0 ? m_resumeLetters : 0;
    m_resumeLetters = 0;
    m_carryLetters = 0;
    if (p >= n) return 0;
    if (!isLetter(m_rtf[p])) {
        if (m_rtf[p] == '\'') return p + 2 < n ? 4 : 0;
        return 2;
    }
    // Letters already seen in an earlier piece are not scanned again.
    p = std::max(p, at + resume);
    while (p < n && isLetter(m_rtf[p]))
        ++p;
    m_carryLetters = p - at;
    if (p < n && m_rtf[p] == '-') ++p;
    int digits = 0;
    while (p < n && isDigit(m_rtf[p]) && digits <= kMaxDigits) {
        ++p;
        ++digits;
    }
    if (digits > kMaxDigits) return p - at; // complete enough to be refused
    if (p >= n) return 0;                   // the word, its number or its space may go on
    return p + (m_rtf[p] == ' ' ? 1 : 0) - at;
}

RtfError RtfReader::controlWord() {
    if (m_pos >= m_rtf.size()) return RtfError::Truncated;
    char c = m_rtf[m_pos];
    bool atGroupStart = m_groupStart;
    m_groupStart = false;
    if (!isLetter(c)) {
        ++m_pos;
        return controlSymbol(c, atGroupStart);
    }
    std::size_t start = m_pos;
    while (m_pos < m_rtf.size() && isLetter(m_rtf[m_pos]))
        ++m_pos;
    std::string_view word = m_rtf.substr(start, m_pos - start);
    bool hasParam = false;
    long param = 0;
    bool negative = false;
    if (m_pos < m_rtf.size() && m_rtf[m_pos] == '-') {
        negative = true;
        ++m_pos;
    }
    int digits = 0;
    while (m_pos < m_rtf.size() && isDigit(m_rtf[m_pos])) {
        if (++digits > kMaxDigits) return RtfError::NumberTooLarge;
        param = param * 10 + (m_rtf[m_pos++] - '0');
        hasParam = true;
    }
    if (negative) param = -param;
    if (m_pos < m_rtf.size() && m_rtf[m_pos] == ' ') ++m_pos; // the delimiting space belongs to the word
    apply(word, hasParam, param, atGroupStart);
    return RtfError::None;
}

RtfError RtfReader::controlSymbol(char c, bool atGroupStart) {
    switch (c) {
    case '\\':
    case '{':
    case '}':
        emit(c);
        return RtfError::None;
    case '\'': {
        if (m_pos + 2 > m_rtf.size()) return RtfError::Truncated;
        int hi = hexValue(m_rtf[m_pos]), lo = hexValue(m_rtf[m_pos + 1]);
        m_pos += 2;
        if (hi >= 0 && lo >= 0) emit(static_cast<char>(hi * 16 + lo));
        return RtfError::None;
    }
    case '*':
        if (atGroupStart) m_stack.back().skip = true;
        return RtfError::None;
    case '\r':
    case '\n':
        emit('\r'); // a backslash before a raw line end is a paragraph mark
        return RtfError::None;
    default:
        return RtfError::None;
    }
}

void RtfReader::apply(std::string_view word, bool hasParam, long param, bool atGroupStart) {
    GroupState& g = m_stack.back();
    bool on = !hasParam || param != 0;
    if (word == "colortbl") {
        g.colourTable = true;
        g.skip = true;
        m_pending = ColourEntry{};
    } else if (g.colourTable) {
        int v = static_cast<int>(param < 0 ? 0 : param > 255 ? 255 : param);
        if (word == "red")
            m_pending.red = v, m_pending.set = true;
        else if (word == "green")
            m_pending.green = v, m_pending.set = true;
        else if (word == "blue")
            m_pending.blue = v, m_pending.set = true;
    } else if (atGroupStart && isSkippedDestination(word)) {
        g.skip = true;
    } else if (word == "cf") {
        g.colour = hasParam ? static_cast<int>(param) : -1;
    } else if (word == "b") {
        g.bold = on;
    } else if (word == "i") {
        g.italic = on;
    } else if (word == "ul") {
        g.underline = on;
    } else if (word == "ulnone") {
        g.underline = false;
    } else if (word == "plain") {
        g.bold = g.italic = g.underline = false;
        g.colour = -1;
    } else if (word == "par" || word == "line") {
        emit('\r');
        m_lastParAt = m_written - 1;
    } else if (word == "tab") {
        emit('\t');
    }
}

void RtfReader::endColourEntry() {
    m_colours.push_back(m_pending);
    m_pending = ColourEntry{};
    m_internedSmall.clear();
    m_interned.clear();
    m_cachedKey = kNoKey;
}

// A table whose last entry lacks its ';' still keeps the entry.
void RtfReader::finishColourEntryIfPending() {
    if (m_pending.set) endColourEntry();
}

FormatId RtfReader::currentFormat() {
    const GroupState& g = m_stack.back();
    long long key = (static_cast<long long>(g.colour) + 1) * 8 + (g.bold ? 1 : 0) + (g.italic ? 2 : 0) +
                    (g.underline ? 4 : 0);
    if (key == m_cachedKey) return m_cachedFormat;
    bool small = key >= 0 && key < kSmallKeys;
    if (small && m_internedSmall.empty()) m_internedSmall.assign(kSmallKeys, -1);
    FormatId known = -1;
    if (small) {
        known = m_internedSmall[static_cast<std::size_t>(key)];
    } else if (auto it = m_interned.find(key); it != m_interned.end()) {
        known = it->second;
    }
    if (known >= 0) {
        m_cachedKey = key;
        m_cachedFormat = known;
        return m_cachedFormat;
    }
    RunFormat f = m_base;
    f.bold = g.bold;
    f.italic = g.italic;
    f.underline = g.underline;
    if (g.colour >= 0 && g.colour < static_cast<int>(m_colours.size()) &&
        m_colours[static_cast<std::size_t>(g.colour)].set) {
        const ColourEntry& e = m_colours[static_cast<std::size_t>(g.colour)];
        f.color = RGB(e.red, e.green, e.blue);
        f.autoColor = false;
    }
    m_cachedKey = key;
    m_cachedFormat = m_formats.intern(f);
    if (small)
        m_internedSmall[static_cast<std::size_t>(key)] = m_cachedFormat;
    else
        m_interned.emplace(key, m_cachedFormat);
    return m_cachedFormat;
}

// Takes the plain text from the byte just read up to the next special byte in one step.
void RtfReader::emitPlainRun() {
    std::size_t start = m_pos - 1;
    while (m_pos < m_rtf.size()) {
        char c = m_rtf[m_pos];
        if (c == '{' || c == '}' || c == '\\' || c == '\r' || c == '\n') break;
        ++m_pos;
    }
    emitBytes(m_rtf.data() + start, m_pos - start);
}

void RtfReader::emitBytes(const char* bytes, std::size_t n) {
    if (m_stack.back().skip) return;
    m_out.append(bytes, n, currentFormat());
    m_written += static_cast<long>(n);
}

RtfError readRtf(std::string_view rtf, const RunFormat& base, FormatTable& formats, bool wholeText,
                 RtfDocument& out) {
    out = RtfDocument{};
    out.text.reserve(rtf.size());
    // Every run starts at a control word, so there are no more runs than backslashes.
    out.pieces.reserve(static_cast<std::size_t>(std::count(rtf.begin(), rtf.end(), '\\')) + 1);
    DocumentOutput output(out);
    RtfReader reader(base, formats, output);
    RtfError e = reader.feed(rtf);
    if (e == RtfError::None) e = reader.finish(wholeText);
    if (e != RtfError::None) out = RtfDocument{};
    return e;
}

} // namespace pm::richedit
