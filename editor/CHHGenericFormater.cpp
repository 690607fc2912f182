#include "editor/CHHGenericFormater.h"

#include "editor/SameRuns.h"

#include <algorithm>
#include <cstring>
#include <vector>

IMPLEMENT_DYNCREATE(CHHGenericFormater, CHHFormater)

namespace {

// Lines shorter than this are tokenised whole each time.
constexpr int kLongLine = 4096;
// How far past its end a token's scan may look (a comment marker, the character after a number's
// "0x"): a step this far before an edit was taken without looking at the edit.
constexpr int kLookahead = 256;

constexpr VARTYPE kTypeEmpty = 0;
constexpr VARTYPE kTypeVoid = 24;

bool isAsciiLetter(unsigned c) {
    return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
}
// Bytes of 0x80 and above are taken as letters, so a UTF-8 sequence stays inside its word.
bool isLetter(char16_t c) {
    return isAsciiLetter(c) || c >= 0x80;
}
bool isDigit(char16_t c) {
    return c >= '0' && c <= '9';
}
bool isHexDigit(char16_t c) {
    return isDigit(c) || ((c | 0x20) >= 'a' && (c | 0x20) <= 'f');
}
bool isLineEnd(char16_t c) {
    return c == '\r' || c == '\n';
}
char16_t foldUpper(char16_t c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char16_t>(c - 32) : c;
}

bool hasLineEnd(const char16_t* text, int from, int to) {
    return std::any_of(text + from, text + to, [](char16_t c) { return isLineEnd(c); });
}

// How text differs from the last text of a long line: [prefix, editEnd) replaced what stood there,
// moving what follows by shift; from is the last step at least kLookahead characters before the
// edit. False when the edit is too near the start, brings a line break or no step is there. A
// hint, when given, says where the two texts may differ, and they are not compared.
struct LineEdit {
    int prefix = 0;
    int editEnd = 0;
    int shift = 0;
    int from = 0;
};
template <class Hint>
bool findEdit(hh::KeptText& last, const std::vector<unsigned char>& steps, const char16_t* text, int count,
              const Hint* hint, LineEdit& edit) {
    const int lastCount = last.Size();
    const int common = std::min(count, lastCount);
    if (hint) {
        edit.prefix = std::clamp(hint->head, 0, common);
        edit.editEnd = count - std::clamp(hint->tail, 0, common - edit.prefix);
    } else {
        const char16_t* whole = last.Whole().data();
        edit.prefix = hh::SameLeading(text, whole, common);
        edit.editEnd = count - hh::SameTrailing(text + count, whole + lastCount, common - edit.prefix);
    }
    edit.shift = count - lastCount;
    if (edit.prefix < kLookahead || hasLineEnd(text, edit.prefix, edit.editEnd)) return false;
    edit.from = edit.prefix - kLookahead;
    while (edit.from > 0 && !steps[static_cast<std::size_t>(edit.from)])
        --edit.from;
    return steps[static_cast<std::size_t>(edit.from)] != 0;
}

// A step of the scan going on, told apart from the steps of the last one until the scan ends.
constexpr unsigned char kNewStep = 2;

// The steps of the scan that ended at to, from from on, become the steps of the line.
void settleSteps(std::vector<unsigned char>& steps, int from, int to) {
    for (int i = from; i < to; ++i)
        steps[static_cast<std::size_t>(i)] = steps[static_cast<std::size_t>(i)] == kNewStep;
}

// Moves what followed the edit in v to where it now stands; the edited stretch holds fill.
template <class T> void spliceEdit(std::vector<T>& v, const LineEdit& edit, T fill) {
    const int removed = edit.editEnd - edit.shift - edit.prefix, added = edit.editEnd - edit.prefix;
    const auto at = v.begin() + edit.prefix;
    if (added > removed)
        v.insert(at, static_cast<std::size_t>(added - removed), fill);
    else
        v.erase(at, at + (removed - added));
    std::fill(v.begin() + edit.prefix, v.begin() + edit.editEnd, fill);
}

// Room for the edits to come, so that typing on the kept line does not move it to new memory.
template <class C> void keepRoom(C& kept) {
    kept.reserve(kept.size() + kept.size() / 8 + 256);
}

void spliceText(hh::KeptText& last, const LineEdit& edit, const char16_t* text) {
    last.Edit(edit.prefix, edit.editEnd, edit.shift, text);
}

std::u16string widen(const CString& s) {
    std::u16string out;
    out.reserve(static_cast<std::size_t>(s.GetLength()));
    for (int i = 0; i < s.GetLength(); ++i)
        out.push_back(static_cast<unsigned char>(s[i]));
    return out;
}

std::string upperKey(LPCTSTR name) {
    std::string key(name ? name : "");
    for (char& c : key)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return key;
}

LPCTSTR orEmpty(LPCTSTR s) {
    return s ? s : "";
}

} // namespace

CHHGenericFormater::CHHGenericFormater() {
    rebuildFlags();
}

// --- data ------------------------------------------------------------------------------------

void CHHGenericFormater::SetCaseSensitive(BOOL caseSensitive) {
    m_bCaseSensitive = caseSensitive;
    rebuildFlags();
}

void CHHGenericFormater::SetLineComment(LPCTSTR marker) {
    m_strLineComment = marker;
    rebuildFlags();
}

void CHHGenericFormater::SetLineComment2(LPCTSTR marker) {
    m_strLineComment2 = marker;
    rebuildFlags();
}

void CHHGenericFormater::SetBlockComment(LPCTSTR start, LPCTSTR end) {
    m_strBlockStart = start;
    m_strBlockEnd = end;
    rebuildFlags();
}

void CHHGenericFormater::SetQuoteChars(LPCTSTR chars) {
    m_strQuoteChars = chars;
    rebuildFlags();
}

void CHHGenericFormater::SetEscapeChar(char escape) {
    m_chEscape = escape;
    forgetLongLines();
}

void CHHGenericFormater::SetOperatorChars(LPCTSTR chars) {
    m_strOperatorChars = chars;
    rebuildFlags();
}

void CHHGenericFormater::SetWordChars(LPCTSTR chars) {
    m_strWordChars = chars;
    rebuildFlags();
}

void CHHGenericFormater::SetNumberStartChars(LPCTSTR chars) {
    m_strNumberStartChars = chars;
    rebuildFlags();
}

void CHHGenericFormater::rebuildFlags() {
    m_lineComment = widen(m_strLineComment);
    m_lineComment2 = widen(m_strLineComment2);
    m_blockStart = widen(m_strBlockStart);
    m_blockEnd = widen(m_strBlockEnd);
    forgetLongLines();

    for (unsigned c = 0; c < 256; ++c) {
        unsigned char f = 0;
        if (c == ' ' || c == '\t') f |= kSpace;
        if (c == '\r' || c == '\n') f |= kSpace | kLineEnd;
        if (isLetter(static_cast<char16_t>(c))) f |= kWordStart | kWordPart;
        if (isDigit(static_cast<char16_t>(c))) f |= kWordPart | kNumberStart;
        if (c == '_') f |= kWordPart;
        m_flags[c] = f;
    }
    auto mark = [this](const CString& chars, unsigned char flag) {
        for (int i = 0; i < chars.GetLength(); ++i)
            m_flags[static_cast<unsigned char>(chars[i])] |= flag;
    };
    mark(m_strWordChars, kWordStart | kWordPart);
    mark(m_strNumberStartChars, kNumberStart);
    mark(m_strQuoteChars, kQuote);
    mark(m_strOperatorChars, kOperator);
    for (const std::u16string* marker : {&m_lineComment, &m_lineComment2, &m_blockStart, &m_blockEnd}) {
        if (marker->empty() || (*marker)[0] > 0xFF) continue;
        const char16_t first = (*marker)[0];
        m_flags[first] |= kMarker;
        if (!m_bCaseSensitive && isAsciiLetter(first)) m_flags[first ^ 0x20] |= kMarker;
    }
}

void CHHGenericFormater::AddFunction(LPCTSTR name, LPCTSTR signature) {
    m_functionNames.Add(CString(orEmpty(name)));
    const std::string key = m_bCaseSensitive ? std::string(orEmpty(name)) : upperKey(name);
    m_signatures[key] = orEmpty(signature);
}

void CHHGenericFormater::AddWords(CHHKeywordMap& map, LPCTSTR words, WORD cls) {
    std::string word;
    for (const char* p = orEmpty(words);; ++p) {
        if (*p != ' ' && *p != '\0') {
            word.push_back(*p);
            continue;
        }
        if (!word.empty()) map.SetAt(word.c_str(), cls);
        word.clear();
        if (*p == '\0') break;
    }
}

// --- character tests ---------------------------------------------------------------------------

bool CHHGenericFormater::IsWordChar(char16_t c) const {
    return (Flags(c) & kWordPart) != 0;
}
bool CHHGenericFormater::IsWordStart(char16_t c) const {
    return (Flags(c) & kWordStart) != 0;
}

BOOL CHHGenericFormater::MatchText(const char16_t* text, const char16_t* marker, int n) const {
    if (!text || !marker || n == 0) return FALSE;
    for (int i = 0; n < 0 || i < n; ++i) {
        char16_t a = text[i];
        char16_t b = marker[i];
        if (!m_bCaseSensitive) {
            a = foldUpper(a);
            b = foldUpper(b);
        }
        if (a != b) return FALSE;
        if (a == 0) return TRUE; // both strings end here
    }
    return TRUE;
}

// The end of marker when it stands at pos (and fits before count), else -1.
int CHHGenericFormater::matchedMarkerEnd(const char16_t* text, int count, int pos,
                                         const std::u16string& marker) const {
    const int length = static_cast<int>(marker.size());
    if (length == 0 || length > count - pos) return -1;
    return MatchText(text + pos, marker.c_str(), length) ? pos + length : -1;
}

// --- tokeniser ---------------------------------------------------------------------------------

int CHHGenericFormater::lineCommentEnd(const char16_t* text, int count, int pos) const {
    while (pos < count && !isLineEnd(text[pos]))
        ++pos;
    return pos;
}

int CHHGenericFormater::blockCommentEnd(const char16_t* text, int count, int pos) const {
    const int endLength = static_cast<int>(m_blockEnd.size());
    if (endLength == 0) return count;
    const char16_t first = m_blockEnd[0];
    const bool foldFirst = !m_bCaseSensitive && isAsciiLetter(first);
    for (int p = pos; p <= count - endLength; ++p) {
        const char16_t c = text[p];
        if (c != first && !(foldFirst && foldUpper(c) == foldUpper(first))) continue;
        if (MatchText(text + p, m_blockEnd.c_str(), endLength)) return p + endLength;
    }
    return count;
}

// The end of a string that opens at pos: after its closing quote, or at a line end. A quote right
// after an escape character does not close it; where escapes pair up, an escaped escape hides no
// quote ("\\" is a whole string).
int CHHGenericFormater::stringEnd(const char16_t* text, int count, int pos) const {
    const char16_t quote = text[pos];
    const char16_t escape = static_cast<unsigned char>(m_chEscape);
    for (int q = pos + 1; q < count; ++q) {
        const char16_t c = text[q];
        if (isLineEnd(c)) return q;
        if (m_bEscapesPair && escape != 0 && c == escape) {
            if (q + 1 < count && !isLineEnd(text[q + 1])) ++q;
            continue;
        }
        const bool escaped = !m_bEscapesPair && escape != 0 && text[q - 1] == escape;
        if (c == quote && !escaped) return q + 1;
    }
    return count;
}

int CHHGenericFormater::wordEnd(const char16_t* text, int count, int pos) const {
    while (pos < count && (Flags(text[pos]) & kWordPart))
        ++pos;
    return pos;
}

WORD CHHGenericFormater::classifyWordAt(const char16_t* text, int start, int end, WORD context) {
    const int length = end - start;
    if (length >= HH_MAX_WORD) return HHTOKEN_DEFAULT;
    // A language that keeps case looks the word up where it stands; the others upper-case a copy.
    if (m_bCaseSensitive) return ClassifyWord(text + start, length, context);
    char16_t word[HH_MAX_WORD];
    for (int i = 0; i < length; ++i)
        word[i] = foldUpper(text[start + i]);
    word[length] = 0;
    return ClassifyWord(word, length, context);
}

const CHHGenericFormater::Hint* CHHGenericFormater::takeHint(unsigned kept) {
    m_taken = m_hint;
    m_hint = Hint();
    return m_taken.after != 0 && m_taken.after == kept ? &m_taken : nullptr;
}

bool CHHGenericFormater::GetRetokenised(int& from, int& to) {
    if (m_retokenised.first < 0) return false;
    from = m_retokenised.first;
    to = m_retokenised.second;
    return true;
}

void CHHGenericFormater::ColorizeText(const char16_t* text, int count, WORD* tokens) {
    ++m_texts;
    m_retokenised = std::make_pair(-1, -1);
    int tokenStart = 0;
    int pos = 0;
    WORD token = 0;
    WORD context = 0;
    ScanLanguageToken(nullptr, 0, nullptr, TRUE, tokenStart, pos, token, context);
    if (!text || !tokens) count = 0;
    // Tokens not zeroed by a caller that reads only some of them are, when all are written.
    const bool zeroed = !m_hint.readOnly;
    if (!retokeniseLongLine(text, count, tokens, token, context)) {
        if (!zeroed) std::fill(tokens, tokens + count, static_cast<WORD>(HHTOKEN_DEFAULT));
        tokeniseWhole(text, count, tokens, token, context);
    }
    int closeStart = 0;
    int closePos = 0;
    ScanLanguageToken(nullptr, 0, nullptr, FALSE, closeStart, closePos, token, context);
}

void CHHGenericFormater::tokeniseWhole(const char16_t* text, int count, WORD* tokens, WORD& token,
                                       WORD& context) {
    const bool keep =
        !m_bLanguageHook && count >= kLongLine && markersWithinLookahead() && !hasLineEnd(text, 0, count);
    if (!keep) {
        scanTokens(text, count, tokens, 0, token, context, nullptr, count);
        return;
    }
    LongLine& last = m_longLine;
    last.steps.assign(static_cast<std::size_t>(count), 0);
    scanTokens(text, count, tokens, 0, token, context, last.steps.data(), count);
    settleSteps(last.steps, 0, count);
    last.text.Assign(text, count);
    last.tokens.assign(tokens, tokens + count);
    keepRoom(last.steps);
    keepRoom(last.tokens);
    last.keywords = m_keywords.GetVersion();
    last.call = m_texts;
}

bool CHHGenericFormater::markersWithinLookahead() const {
    for (const std::u16string* marker : {&m_lineComment, &m_lineComment2, &m_blockStart, &m_blockEnd})
        if (marker->size() >= kLookahead) return false;
    return true;
}

bool CHHGenericFormater::retokeniseLongLine(const char16_t* text, int count, WORD* tokens, WORD& token,
                                            WORD& context) {
    LongLine& last = m_longLine;
    LineEdit edit;
    const Hint* hint = takeHint(last.call);
    if (last.text.Empty() || count < kLongLine || last.keywords != m_keywords.GetVersion() ||
        !findEdit(last.text, last.steps, text, count, hint, edit))
        return false;
    last.call = m_texts;
    spliceText(last.text, edit, text);
    spliceEdit(last.steps, edit, static_cast<unsigned char>(0));
    spliceEdit(last.tokens, edit, static_cast<WORD>(HHTOKEN_DEFAULT));
    const int from = edit.from;
    // A caller that reads only the tokens written again and those of its stretch is given just
    // those; any other all of them.
    const bool readOnly = hint && hint->readOnly;
    if (readOnly) {
        const int readFrom = std::clamp(hint->readFrom, 0, count);
        const int readTo = std::clamp(hint->readTo, readFrom, count);
        std::copy(last.tokens.begin() + readFrom, last.tokens.begin() + readTo, tokens + readFrom);
    } else {
        std::copy(last.tokens.begin(), last.tokens.begin() + from, tokens);
    }
    const int to = scanTokens(text, count, tokens, from, token, context, last.steps.data(), edit.editEnd);
    settleSteps(last.steps, from, to);
    if (!readOnly) std::copy(last.tokens.begin() + to, last.tokens.end(), tokens + to);
    std::copy(tokens + from, tokens + to, last.tokens.begin() + from);
    if (readOnly) m_retokenised = std::make_pair(from, to);
    return true;
}

int CHHGenericFormater::scanTokens(const char16_t* text, int count, WORD* tokens, int pos, WORD& token,
                                   WORD& context, unsigned char* steps, int resyncFrom) {
    int tokenStart = pos;
    BOOL atLineStart = pos == 0;
    while (pos < count) {
        if (pos >= resyncFrom && steps[pos] == 1) return pos;
        if (steps) steps[pos] = kNewStep;
        const char16_t c = text[pos];
        const unsigned char flags = Flags(c);
        const int start = pos;
        token = HHTOKEN_DEFAULT;
        if (flags & kSpace) {
            // A long line's tokens may be written over old ones: its spaces are written too.
            if (steps) tokens[pos] = HHTOKEN_DEFAULT;
            ++pos;
            if (flags & kLineEnd) atLineStart = TRUE;
            continue;
        }
        int end = -1;
        if (m_bLanguageHook &&
            ScanLanguageToken(text, count, tokens, atLineStart, tokenStart, pos, token, context)) {
            // the hook set the token
        } else if ((flags & kMarker) && (end = lineCommentAt(text, count, pos)) >= 0) {
            tokenStart = pos;
            pos = end;
            token = HHTOKEN_COMMENT;
        } else if ((flags & kMarker) && (end = matchedMarkerEnd(text, count, pos, m_blockStart)) >= 0) {
            tokenStart = pos;
            pos = blockCommentEnd(text, count, end);
            token = HHTOKEN_COMMENT;
        } else if (flags & kQuote) {
            tokenStart = pos;
            pos = stringEnd(text, count, pos);
            token = HHTOKEN_STRING;
        } else if (flags & kNumberStart) {
            token = ScanNumber(text, count, tokenStart, pos);
        } else if (flags & kWordStart) {
            tokenStart = pos;
            pos = wordEnd(text, count, pos);
            token = classifyWordAt(text, tokenStart, pos, context);
        } else if (flags & kOperator) {
            tokenStart = pos++;
            token = HHTOKEN_OPERATOR;
        } else {
            ++pos;
        }
        // A step that took nothing still consumes its character, so the walk always ends.
        if (pos <= start) pos = start + 1;
        if (pos > count) pos = count;
        if (tokenStart < 0 || tokenStart > start) tokenStart = start;
        std::fill(tokens + tokenStart, tokens + pos, token);
        tokenStart = pos;
        atLineStart = FALSE;
    }
    return count;
}

// The end of a line comment starting at pos, or -1. A marker that begins with a letter counts
// only when no letter or digit follows it, so "REM" starts a comment and "Remark" is a word.
int CHHGenericFormater::lineCommentAt(const char16_t* text, int count, int pos) const {
    for (const std::u16string* marker : {&m_lineComment, &m_lineComment2}) {
        const int end = matchedMarkerEnd(text, count, pos, *marker);
        if (end < 0) continue;
        const char16_t next = end < count ? text[end] : 0;
        if (isLetter(text[pos]) && (isLetter(next) || isDigit(next))) continue;
        return lineCommentEnd(text, count, end);
    }
    return -1;
}

void CHHGenericFormater::ColorizeKeywords(const char16_t* text, int count, WORD* tokens) {
    if (!text || !tokens) return;
    int pos = 0;
    while (pos < count) {
        if (tokens[pos] != HHTOKEN_DEFAULT || !IsWordStart(text[pos])) {
            ++pos;
            continue;
        }
        const int end = wordEnd(text, count, pos);
        const WORD cls = classifyWordAt(text, pos, end, 0);
        if (cls != HHTOKEN_DEFAULT) {
            for (int i = pos; i < end; ++i)
                tokens[i] = cls;
        }
        pos = end + 1;
    }
}

WORD CHHGenericFormater::ClassifyWord(const char16_t* word, int length, WORD /*context*/) {
    return m_keywords.Lookup(word, length);
}

WORD CHHGenericFormater::LookupWord(const char16_t* word) {
    if (!word) return 0;
    int length = 0;
    while (word[length] != 0)
        ++length;
    return m_keywords.Lookup(word, length);
}

BOOL CHHGenericFormater::ScanLanguageToken(const char16_t*, int, WORD*, BOOL, int&, int&, WORD&, WORD&) {
    return FALSE;
}

WORD CHHGenericFormater::ScanNumber(const char16_t* text, int count, int& tokenStart, int& pos) {
    tokenStart = pos++;
    bool dot = false;
    bool minus = false;
    bool exponent = false;
    for (; pos < count; ++pos) {
        const char16_t c = text[pos];
        if (isDigit(c)) continue;
        if (c == '.' && !dot) {
            dot = true;
        } else if (c == '-' && !minus) {
            minus = true;
        } else if ((c == 'E' || c == 'e') && !exponent) {
            exponent = true;
            dot = false;
        } else {
            break;
        }
    }
    return HHTOKEN_NUMBER;
}

BOOL CHHGenericFormater::ScanHexLiteral(const char16_t* text, int count, int& tokenStart, int& pos) {
    if (text[pos] != '0' || pos + 1 >= count || (text[pos + 1] | 0x20) != 'x') return FALSE;
    tokenStart = pos;
    pos += 2;
    while (pos < count && isHexDigit(text[pos]))
        ++pos;
    return TRUE;
}

// --- block comments ----------------------------------------------------------------------------

// Skips a string that opens at pos: an escape character hides the character after it; the
// string ends after its closing quote or after a line end.
int CHHGenericFormater::skipQuoted(const char16_t* text, int count, int pos) const {
    const char16_t quote = text[pos];
    const char16_t escape = static_cast<unsigned char>(m_chEscape);
    int q = pos + 1;
    while (q < count) {
        const char16_t c = text[q];
        if (escape != 0 && c == escape) {
            q += 2;
            continue;
        }
        if (c == quote || isLineEnd(c)) return q + 1;
        ++q;
    }
    return count;
}

namespace {

bool markerAt(const char16_t* text, int count, int pos, const std::u16string& marker) {
    const int length = static_cast<int>(marker.size());
    if (length == 0 || length > count - pos || text[pos] != marker[0]) return false;
    for (int i = 1; i < length; ++i)
        if (text[pos + i] != marker[static_cast<std::size_t>(i)]) return false;
    return true;
}

} // namespace

// Inside a block comment only the markers count: a line-comment marker or a quote there neither
// ends nor hides the comment. Records nested start markers and the end marker; answers the
// position after the end marker, or count.
int CHHGenericFormater::scanToBlockEnd(const char16_t* text, int count, int pos,
                                       std::vector<CHHCommentMarker>& found) const {
    const int startLength = static_cast<int>(m_blockStart.size());
    const int endLength = static_cast<int>(m_blockEnd.size());
    while (pos < count) {
        if (markerAt(text, count, pos, m_blockEnd)) {
            found.push_back(CHHCommentMarker{pos, endLength, 0, 0});
            return pos + endLength;
        }
        if (markerAt(text, count, pos, m_blockStart)) {
            found.push_back(CHHCommentMarker{pos, startLength, 1, 0});
            pos += startLength;
            continue;
        }
        ++pos;
    }
    return count;
}

void CHHGenericFormater::ScanBlockComments(const char16_t* text, int count, CHHCommentMarkerArray& markers,
                                           BOOL inComment) {
    ++m_texts;
    if (!text || m_blockStart.empty() || m_blockEnd.empty()) {
        m_hint = Hint();
        return;
    }
    std::vector<CHHCommentMarker> found;
    if (!rescanLongLine(text, count, inComment, found)) scanWhole(text, count, inComment, found);
    // One growth of the caller's array for all the records.
    const INT_PTR first = markers.GetSize();
    markers.SetSize(first + static_cast<INT_PTR>(found.size()));
    for (std::size_t i = 0; i < found.size(); ++i)
        markers[first + static_cast<INT_PTR>(i)] = found[i];
}

void CHHGenericFormater::scanWhole(const char16_t* text, int count, BOOL inComment,
                                   std::vector<CHHCommentMarker>& found) {
    const int pos = inComment ? scanToBlockEnd(text, count, 0, found) : 0;
    if (count < kLongLine || !markersWithinLookahead() || hasLineEnd(text, 0, count)) {
        scanMarkers(text, count, pos, found, nullptr, count);
        return;
    }
    LongScan& last = m_longScan;
    last.steps.assign(static_cast<std::size_t>(count), 0);
    scanMarkers(text, count, pos, found, last.steps.data(), count);
    settleSteps(last.steps, pos, count);
    last.text.Assign(text, count);
    keepRoom(last.steps);
    last.markers = found;
    last.inComment = inComment;
    last.call = m_texts;
}

bool CHHGenericFormater::rescanLongLine(const char16_t* text, int count, BOOL inComment,
                                        std::vector<CHHCommentMarker>& found) {
    LongScan& last = m_longScan;
    LineEdit edit;
    const Hint* hint = takeHint(last.call);
    if (last.text.Empty() || count < kLongLine || last.inComment != inComment ||
        !findEdit(last.text, last.steps, text, count, hint, edit))
        return false;
    last.call = m_texts;
    spliceText(last.text, edit, text);
    spliceEdit(last.steps, edit, static_cast<unsigned char>(0));
    const int from = edit.from, shift = edit.shift;
    auto marker = last.markers.begin();
    for (; marker != last.markers.end() && marker->m_nPos < from; ++marker)
        found.push_back(*marker);
    const int to = scanMarkers(text, count, from, found, last.steps.data(), edit.editEnd);
    settleSteps(last.steps, from, to);
    for (; marker != last.markers.end(); ++marker) {
        if (marker->m_nPos < to - shift) continue;
        found.push_back(*marker);
        found.back().m_nPos += shift;
    }
    last.markers = found;
    return true;
}

int CHHGenericFormater::scanMarkers(const char16_t* text, int count, int pos,
                                    std::vector<CHHCommentMarker>& found, unsigned char* steps,
                                    int resyncFrom) const {
    while (pos < count) {
        if (pos >= resyncFrom && steps[pos] == 1) return pos;
        if (steps) steps[pos] = kNewStep;
        const unsigned char flags = Flags(text[pos]);
        if (!(flags & (kMarker | kQuote))) {
            ++pos;
        } else if (markerAt(text, count, pos, m_lineComment) || markerAt(text, count, pos, m_lineComment2)) {
            pos = lineCommentEnd(text, count, pos) + 1;
        } else if (markerAt(text, count, pos, m_blockStart)) {
            found.push_back(CHHCommentMarker{pos, static_cast<int>(m_blockStart.size()), 1, 0});
            pos = scanToBlockEnd(text, count, pos + static_cast<int>(m_blockStart.size()), found);
        } else if (markerAt(text, count, pos, m_blockEnd)) {
            found.push_back(CHHCommentMarker{pos, static_cast<int>(m_blockEnd.size()), 0, 0});
            pos += static_cast<int>(m_blockEnd.size());
        } else if (flags & kQuote) {
            pos = skipQuoted(text, count, pos);
        } else {
            ++pos;
        }
    }
    return count;
}

// --- keyword case, expressions, functions ------------------------------------------------------

BOOL CHHGenericFormater::AdjustWordCase(LPTSTR, WORD) {
    return FALSE;
}

BOOL CHHGenericFormater::ParseExpressionAt(LPCTSTR line, int pos, CHHExpressionInfo& info) {
    info = CHHExpressionInfo();
    if (!line) return FALSE;
    const int length = static_cast<int>(std::strlen(line));
    pos = pos < 0 ? 0 : (pos > length ? length : pos);
    std::u16string wide(static_cast<std::size_t>(length), u'\0');
    for (int i = 0; i < length; ++i)
        wide[static_cast<std::size_t>(i)] = static_cast<unsigned char>(line[i]);
    if (length > 0) {
        std::vector<WORD> tokens(static_cast<std::size_t>(length), HHTOKEN_DEFAULT);
        ColorizeText(wide.data(), length, tokens.data());
        if (pos > 0 && tokens[static_cast<std::size_t>(pos - 1)] == HHTOKEN_COMMENT) return FALSE;
    }
    int end = pos;
    while (end < length && IsWordChar(wide[static_cast<std::size_t>(end)]))
        ++end;
    int start = end;
    while (start > 0 && IsWordChar(wide[static_cast<std::size_t>(start - 1)]))
        --start;
    if (start < end) {
        info.m_strWord = CString(line + start, end - start);
        info.m_nWordStart = start;
    }
    if (start > 0 && line[start - 1] == '.') {
        const int qualifierEnd = start - 1;
        int qualifierStart = qualifierEnd;
        auto chainChar = [](char16_t c) { return isLetter(c) || isDigit(c) || c == '_' || c == '.'; };
        while (qualifierStart > 0 && chainChar(wide[static_cast<std::size_t>(qualifierStart - 1)]))
            --qualifierStart;
        if (qualifierStart < qualifierEnd) {
            info.m_strQualifier = CString(line + qualifierStart, qualifierEnd - qualifierStart);
            info.m_nQualifierStart = qualifierStart;
        }
    }
    return !info.m_strWord.IsEmpty() || !info.m_strQualifier.IsEmpty();
}

void CHHGenericFormater::GetFunctionList(CStringArray& names) {
    names.RemoveAll();
    for (INT_PTR i = 0; i < m_functionNames.GetSize(); ++i)
        names.Add(m_functionNames[i]);
}

CString CHHGenericFormater::GetFunctionSignature(LPCTSTR name) {
    const std::string key = m_bCaseSensitive ? std::string(orEmpty(name)) : upperKey(name);
    const auto it = m_signatures.find(key);
    return it == m_signatures.end() ? CString() : it->second;
}

// --- templates ---------------------------------------------------------------------------------

namespace {
bool hasResultType(VARTYPE type) {
    return type != kTypeEmpty && type != kTypeVoid;
}
} // namespace

CString CHHGenericFormater::FormatProcedure(LPCTSTR name, LPCTSTR params, VARTYPE type) {
    CString text;
    if (hasResultType(type))
        text.Format(m_strFunction, orEmpty(name), orEmpty(params), GetTypeName(type));
    else
        text.Format(m_strProcedure, orEmpty(name), orEmpty(params));
    return text;
}

CString CHHGenericFormater::FormatEventHandler(LPCTSTR object, LPCTSTR event, LPCTSTR params, VARTYPE type) {
    CString text;
    if (hasResultType(type))
        text.Format(m_strEventFunction, orEmpty(object), orEmpty(event), orEmpty(params), GetTypeName(type));
    else
        text.Format(m_strEventHandler, orEmpty(object), orEmpty(event), orEmpty(params));
    return text;
}

CString CHHGenericFormater::FormatProcedureEnd(LPCTSTR name, LPCTSTR params, VARTYPE type) {
    CString text;
    text.Format(hasResultType(type) ? m_strFunctionEnd : m_strProcedureEnd, orEmpty(name), orEmpty(params));
    return text;
}

CString CHHGenericFormater::FormatParameter(LPCTSTR name, VARTYPE, BOOL, BOOL, BOOL) {
    return CString(orEmpty(name));
}

CString CHHGenericFormater::GetTypeName(VARTYPE) {
    return CString();
}
