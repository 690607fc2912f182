#include "platform/win/richedit/rtf_reader.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace pm::richedit {

namespace {

constexpr std::size_t kMaxDepth = 256;
constexpr int kMaxDigits = 10;
constexpr std::size_t kNone = std::string_view::npos;
constexpr int kSmallKeys = 1 << 10;

// What a byte of the stream is to the parser.
enum Kind : unsigned char { Plain, OpenGroup, CloseGroup, Backslash, LineEnd };

constexpr std::array<unsigned char, 256> kinds = [] {
    std::array<unsigned char, 256> k{};
    k['{'] = OpenGroup;
    k['}'] = CloseGroup;
    k['\\'] = Backslash;
    k['\r'] = LineEnd;
    k['\n'] = LineEnd;
    return k;
}();

Kind kindOf(char c) {
    return static_cast<Kind>(kinds[static_cast<unsigned char>(c)]);
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool isLetter(char c) {
    return static_cast<unsigned char>((c | 0x20) - 'a') < 26;
}

bool isDigit(char c) {
    return static_cast<unsigned char>(c - '0') < 10;
}

} // namespace

// The control words the reader knows, but for \b, \i and \cf, which apply takes first.
enum class RtfReader::Word {
    Other,
    ColourTable,
    Red,
    Green,
    Blue,
    Destination, // a destination whose text is skipped
    Underline,
    UnderlineNone,
    Plain,
    Paragraph,
    Tab,
};

RtfReader::Word RtfReader::wordOf(std::string_view w) {
    switch (w.size()) {
    case 2:
        return w == "ul" ? Word::Underline : Word::Other;
    case 3:
        return w == "par" ? Word::Paragraph : w == "tab" ? Word::Tab : w == "red" ? Word::Red : Word::Other;
    case 4:
        if (w == "line") return Word::Paragraph;
        if (w == "blue") return Word::Blue;
        return w == "info" || w == "pict" ? Word::Destination : Word::Other;
    case 5:
        return w == "green" ? Word::Green : w == "plain" ? Word::Plain : Word::Other;
    case 6:
        if (w == "ulnone") return Word::UnderlineNone;
        return w == "header" || w == "footer" || w == "object" ? Word::Destination : Word::Other;
    case 7:
        return w == "fonttbl" || w == "filetbl" ? Word::Destination : Word::Other;
    case 8:
        return w == "colortbl" ? Word::ColourTable : Word::Other;
    case 9:
        return w == "listtable" || w == "generator" ? Word::Destination : Word::Other;
    case 10:
        return w == "stylesheet" ? Word::Destination : Word::Other;
    case 17:
        return w == "listoverridetable" ? Word::Destination : Word::Other;
    default:
        return Word::Other;
    }
}

void DocumentOutput::append(std::string_view bytes, const FormattedPiece* pieces, std::size_t count) {
    m_doc.text.append(bytes);
    for (std::size_t i = 0; i < count; ++i) {
        if (!m_doc.pieces.empty() && m_doc.pieces.back().format == pieces[i].format)
            m_doc.pieces.back().length += pieces[i].length;
        else
            m_doc.pieces.push_back(pieces[i]);
    }
}

void DocumentOutput::dropLast() {
    m_doc.text.pop_back();
    if (!m_doc.pieces.empty() && --m_doc.pieces.back().length == 0) m_doc.pieces.pop_back();
}

RtfReader::RtfReader(const RunFormat& base, FormatTable& formats, RtfOutput& out)
    : m_base(base), m_formats(formats), m_out(out), m_text(new char[kBatch]),
      m_pieces(new FormattedPiece[kBatch]) {
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
    flush();
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
    // Tests in the order of how often they hold, so that the branches are easy to foresee.
    while (m_pos < m_rtf.size()) {
        const char c = m_rtf[m_pos];
        if (c == '\\') {
            if (RtfError e = control(); e != RtfError::None) return e;
            continue;
        }
        const Kind kind = kindOf(c);
        if (kind == Plain) {
            plainText();
            continue;
        }
        ++m_pos;
        if (kind == LineEnd) continue;
        if (kind == OpenGroup) {
            if (m_stack.size() >= kMaxDepth) return RtfError::TooDeep;
            m_stack.push_back(m_stack.back());
            m_stack.back().colourTable = false;
            m_groupStart = true;
            continue;
        }
        if (m_stack.size() <= 1) return RtfError::UnbalancedGroups;
        if (m_stack.back().colourTable) finishColourEntryIfPending();
        m_stack.pop_back();
        m_groupStart = false;
    }
    return RtfError::None;
}

RtfError RtfReader::control() {
    const char* s = m_rtf.data();
    const std::size_t n = m_rtf.size();
    const std::size_t at = m_pos;
    const std::size_t p = at + 1;
    if (p >= n) return endsInside(at, 0);
    const char c = s[p];
    if (!isLetter(c)) {
        // A hex byte needs both its digits.
        if (c == '\'' && p + 2 >= n) return endsInside(at, 0);
        const bool atGroupStart = m_groupStart;
        m_groupStart = false;
        m_pos = p + 1;
        return controlSymbol(c, atGroupStart);
    }
    // Letters already seen in an earlier piece are not scanned again.
    std::size_t q = at == 0 && m_resumeLetters > 1 ? m_resumeLetters : p + 1;
    while (q < n && isLetter(s[q]))
        ++q;
    const std::string_view word(s + p, q - p);
    const std::size_t letters = q - at;
    const bool negative = q < n && s[q] == '-';
    if (negative) ++q;
    long param = 0;
    int digits = 0;
    while (q < n && isDigit(s[q])) {
        if (++digits > kMaxDigits) return RtfError::NumberTooLarge;
        param = param * 10 + (s[q++] - '0');
    }
    if (q >= n && !m_last) return endsInside(at, letters); // the word, its number or its space may go on
    if (q < n && s[q] == ' ') ++q;                         // the delimiting space belongs to the word
    const bool atGroupStart = m_groupStart;
    m_groupStart = false;
    m_pos = q;
    apply(word, digits > 0, negative ? -param : param, atGroupStart);
    return RtfError::None;
}

RtfError RtfReader::endsInside(std::size_t at, std::size_t letters) {
    if (m_last) return RtfError::Truncated;
    m_carryLetters = letters;
    m_waitFrom = at;
    m_pos = m_rtf.size();
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

void RtfReader::apply(std::string_view name, bool hasParam, long param, bool atGroupStart) {
    GroupState& g = m_stack.back();
    const bool on = !hasParam || param != 0;
    // A change of format first: those words are most of those in coloured text.
    if (!g.colourTable && name.size() <= 2) {
        if (name == "b") return setEffect(kBold, on);
        if (name == "i") return setEffect(kItalic, on);
        if (name == "cf") return setColour(hasParam ? static_cast<int>(param) : -1);
    }
    const Word word = wordOf(name);
    if (word == Word::ColourTable) {
        g.colourTable = true;
        g.skip = true;
        m_pending = ColourEntry{};
        return;
    }
    if (g.colourTable) {
        int v = static_cast<int>(param < 0 ? 0 : param > 255 ? 255 : param);
        if (word == Word::Red)
            m_pending.red = v, m_pending.set = true;
        else if (word == Word::Green)
            m_pending.green = v, m_pending.set = true;
        else if (word == Word::Blue)
            m_pending.blue = v, m_pending.set = true;
        return;
    }
    switch (word) {
    case Word::Destination:
        if (atGroupStart) g.skip = true;
        return;
    case Word::Underline:
        return setEffect(kUnderline, on);
    case Word::UnderlineNone:
        return setEffect(kUnderline, false);
    case Word::Plain:
        setEffect(kBold | kItalic | kUnderline, false);
        return setColour(-1);
    case Word::Paragraph:
        // A mark inside a skipped destination is no break, so it is no final one either.
        if (g.skip) return;
        emit('\r');
        m_lastParAt = m_written - 1;
        return;
    case Word::Tab:
        emit('\t');
        return;
    default:
        return;
    }
}

// Takes the plain text from m_pos up to the next special byte in one step.
void RtfReader::plainText() {
    m_groupStart = false;
    if (m_stack.back().colourTable) {
        if (m_rtf[m_pos] == ';') endColourEntry();
        ++m_pos;
        return;
    }
    std::size_t start = m_pos++;
    while (m_pos < m_rtf.size() && kindOf(m_rtf[m_pos]) == Plain)
        ++m_pos;
    emitBytes(m_rtf.data() + start, m_pos - start);
}

void RtfReader::endColourEntry() {
    m_colours.push_back(m_pending);
    m_pending = ColourEntry{};
    m_internedSmall.clear();
    m_interned.clear();
    // The colour indices of every open group may mean another colour now.
    for (GroupState& g : m_stack)
        g.format = -1;
}

// A table whose last entry lacks its ';' still keeps the entry.
void RtfReader::finishColourEntryIfPending() {
    if (m_pending.set) endColourEntry();
}

FormatId RtfReader::currentFormat() {
    GroupState& g = m_stack.back();
    if (g.format < 0) g.format = internFormat(g);
    return g.format;
}

FormatId RtfReader::internFormat(const GroupState& g) {
    long long key = (static_cast<long long>(g.colour) + 1) * 8 + g.effects;
    bool small = key >= 0 && key < kSmallKeys;
    if (small && m_internedSmall.empty()) m_internedSmall.assign(kSmallKeys, -1);
    if (small && m_internedSmall[static_cast<std::size_t>(key)] >= 0)
        return m_internedSmall[static_cast<std::size_t>(key)];
    if (!small)
        if (auto it = m_interned.find(key); it != m_interned.end()) return it->second;
    RunFormat f = m_base;
    f.bold = (g.effects & kBold) != 0;
    f.italic = (g.effects & kItalic) != 0;
    f.underline = (g.effects & kUnderline) != 0;
    if (g.colour >= 0 && g.colour < static_cast<int>(m_colours.size()) &&
        m_colours[static_cast<std::size_t>(g.colour)].set) {
        const ColourEntry& e = m_colours[static_cast<std::size_t>(g.colour)];
        f.color = RGB(e.red, e.green, e.blue);
        f.autoColor = false;
    }
    FormatId id = m_formats.intern(f);
    if (small)
        m_internedSmall[static_cast<std::size_t>(key)] = id;
    else
        m_interned.emplace(key, id);
    return id;
}

void RtfReader::emitBytes(const char* bytes, std::size_t n) {
    if (m_stack.back().skip) return;
    FormatId format = currentFormat();
    m_written += static_cast<long>(n);
    if (m_used + n > kBatch) {
        flush();
        if (n > kBatch) { // more than a batch goes out alone
            FormattedPiece piece{static_cast<int>(n), format};
            m_out.append(std::string_view(bytes, n), &piece, 1);
            return;
        }
    }
    // A batch of kBatch bytes holds kBatch pieces at the most.
    if (m_pieceCount > 0 && m_pieces[m_pieceCount - 1].format == format) {
        m_pieces[m_pieceCount - 1].length += static_cast<int>(n);
    } else {
        FormattedPiece& piece = m_pieces[m_pieceCount++];
        piece.length = static_cast<int>(n);
        piece.format = format;
    }
    std::memcpy(m_text.get() + m_used, bytes, n);
    m_used += n;
}

void RtfReader::flush() {
    if (m_used == 0) return;
    m_out.append(std::string_view(m_text.get(), m_used), m_pieces.get(), m_pieceCount);
    m_used = 0;
    m_pieceCount = 0;
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
