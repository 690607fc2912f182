#include "editor/HHColoring.h"

#include "editor/SameRuns.h"
#include "platform/win/pm_assert.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

namespace hh {

void SetDefaultColors(ColorEntry* table) {
    static const ColorEntry defaults[kColorClasses] = {
        {RGB(0, 0, 0), FALSE, FALSE},     {RGB(0, 0, 255), FALSE, FALSE},   {RGB(0, 128, 0), FALSE, FALSE},
        {RGB(255, 0, 255), FALSE, FALSE}, {RGB(255, 0, 255), FALSE, FALSE}, {RGB(0, 0, 0), TRUE, FALSE},
        {RGB(0, 0, 128), FALSE, FALSE},   {RGB(0, 0, 255), FALSE, FALSE},   {RGB(0, 0, 128), FALSE, FALSE},
        {RGB(0, 0, 128), FALSE, FALSE}};
    std::copy(defaults, defaults + kColorClasses, table);
}

std::string WithCrLf(const char* text, std::size_t length) {
    std::string out;
    out.reserve(length + length / 16);
    const char* p = text;
    const char* end = text + length;
    while (p < end) {
        const char* brk = p;
        while (brk < end && *brk != '\r' && *brk != '\n')
            ++brk;
        out.append(p, static_cast<std::size_t>(brk - p));
        if (brk == end) break;
        out += "\r\n";
        p = brk + ((*brk == '\r' && brk + 1 < end && brk[1] == '\n') ? 2 : 1);
    }
    return out;
}

namespace {

// ClassFromTokenBits, at compile time too.
constexpr int classOf(WORD bits) {
    constexpr struct {
        WORD bit;
        int cls;
    } order[] = {{HHTOKEN_KEYWORD, 1},  {HHTOKEN_COMMENT, 2},      {HHTOKEN_OPERATOR, 5},
                 {HHTOKEN_NUMBER, 4},   {HHTOKEN_STRING, 3},       {HHTOKEN_CONSTANT, 6},
                 {HHTOKEN_FUNCTION, 7}, {HHTOKEN_PREPROCESSOR, 8}, {HHTOKEN_USER1, 9},
                 {HHTOKEN_USER2, 10}};
    for (const auto& o : order)
        if (bits & o.bit) return o.cls;
    return 0;
}

} // namespace

int ClassFromTokenBits(WORD bits) {
    return classOf(bits);
}

const ColorEntry& EntryForClass(const ColorEntry* table, int cls) {
    return table[cls >= 0 && cls < kColorClasses ? cls : 0];
}

namespace {

int markerEnd(const CHHCommentMarker& m) {
    return m.m_nPos + m.m_nLength;
}

// The first marker whose position is at or after pos.
INT_PTR firstAtOrAfter(const CHHCommentMarkerArray& markers, int pos) {
    const CHHCommentMarker* begin = markers.GetData();
    const CHHCommentMarker* end = begin + markers.GetSize();
    return std::lower_bound(begin, end, pos, [](const CHHCommentMarker& m, int p) { return m.m_nPos < p; }) -
           begin;
}

} // namespace

void ShiftMarkers(CHHCommentMarkerArray& markers, BOOL deleted, int start, int end) {
    if (end <= start) return;
    const int delta = end - start;
    CHHCommentMarker* data = markers.GetData();
    const INT_PTR count = markers.GetSize();
    INT_PTR out = 0;
    for (INT_PTR i = 0; i < count; ++i) {
        CHHCommentMarker m = data[i];
        if (deleted) {
            if (markerEnd(m) > start && m.m_nPos <= end) continue;
            if (m.m_nPos >= end) m.m_nPos -= delta;
        } else {
            if (m.m_nPos < start && markerEnd(m) > start) continue;
            if (m.m_nPos >= start) m.m_nPos += delta;
        }
        data[out++] = m;
    }
    markers.SetSize(out);
}

void ShiftStretches(std::vector<Stretch>& stretches, BOOL deleted, int start, int end) {
    if (end <= start) return;
    const int delta = end - start;
    auto move = [&](int pos) {
        if (!deleted) return pos >= start ? pos + delta : pos;
        return pos >= end ? pos - delta : std::min(pos, start);
    };
    for (Stretch& s : stretches)
        s = Stretch(move(s.first), move(s.second));
}

void MergeMarkers(CHHCommentMarkerArray& markers, const CHHCommentMarkerArray& found, int offset) {
    for (INT_PTR i = 0; i < found.GetSize(); ++i) {
        CHHCommentMarker m = found[i];
        m.m_nPos += offset;
        m.m_nPair = 0;
        const INT_PTR at = firstAtOrAfter(markers, m.m_nPos);
        if (at < markers.GetSize() && markers[at].m_nPos == m.m_nPos) continue;
        markers.InsertAt(at, m);
    }
}

std::vector<CHHCommentMarker> MarkersIn(const CHHCommentMarkerArray& markers, int from, int to) {
    const CHHCommentMarker* data = markers.GetData();
    return std::vector<CHHCommentMarker>(data + firstAtOrAfter(markers, from),
                                         data + firstAtOrAfter(markers, to));
}

// The markers after the stretch move once, whatever the counts.
void PutBackMarkers(CHHCommentMarkerArray& markers, int from, int to,
                    const std::vector<CHHCommentMarker>& kept) {
    const INT_PTR first = firstAtOrAfter(markers, from);
    const INT_PTR last = std::max(first, firstAtOrAfter(markers, to));
    const INT_PTR count = static_cast<INT_PTR>(kept.size());
    const INT_PTR size = markers.GetSize() - (last - first) + count;
    if (first + count > last) {
        const INT_PTR old = markers.GetSize();
        markers.SetSize(size);
        std::move_backward(markers.GetData() + last, markers.GetData() + old, markers.GetData() + size);
    } else {
        std::move(markers.GetData() + last, markers.GetData() + markers.GetSize(),
                  markers.GetData() + first + count);
        markers.SetSize(size);
    }
    std::copy(kept.begin(), kept.end(), markers.GetData() + first);
}

namespace {

// Walks the markers once, pairing them, and notes what to recolour.
class Pairing {
public:
    Pairing(CHHCommentMarkerArray& markers) : m_m(markers.GetData()), m_count(markers.GetSize()) {}

    std::vector<Stretch> run() {
        INT_PTR open = -1;
        for (INT_PTR i = 0; i < m_count; ++i) {
            if (m_m[i].m_bStart) {
                if (open < 0) open = startComment(i);
                continue;
            }
            if (open >= 0) {
                closeComment(open, i);
                open = -1;
            } else {
                strayEnd(i);
            }
        }
        if (open >= 0) unterminated(open);
        return std::move(m_stretches);
    }

private:
    int previousEnd(INT_PTR i) const { return i > 0 ? markerEnd(m_m[i - 1]) : 0; }
    void add(int from, int to) {
        if (to > from) m_stretches.emplace_back(from, to);
    }

    INT_PTR startComment(INT_PTR i) {
        // A start that was nested inside a comment may now begin one: what came before it changed.
        if (m_m[i].m_nPair > 1)
            add(std::max({m_m[i].m_nPos - kMaxCommentSpan, 0, previousEnd(i)}), m_m[i].m_nPos);
        return i;
    }

    void closeComment(INT_PTR open, INT_PTR close) {
        const bool tooLong = m_m[close].m_nPos - m_m[open].m_nPos >= kMaxCommentSpan;
        INT_PTR firstChanged = -1, firstWasPaired = -1;
        for (INT_PTR k = open; k <= close; ++k) {
            const int state =
                tooLong ? 0 : (k == close ? static_cast<int>(close - open) : static_cast<int>(k - open + 1));
            if (m_m[k].m_nPair != state && firstChanged < 0) firstChanged = k;
            if (m_m[k].m_nPair != 0 && firstWasPaired < 0) firstWasPaired = k;
            m_m[k].m_nPair = state;
        }
        if (firstChanged < 0) return;
        // Rejected: what was inside a comment before is recoloured. Paired: from just before the
        // first marker whose state changed up to the end.
        int from = m_m[open].m_nPos;
        if (tooLong) {
            if (firstWasPaired < 0) return;
            from = m_m[firstWasPaired].m_nPos;
        } else if (firstChanged > open) {
            from = m_m[firstChanged - 1].m_nPos;
        }
        const int to = markerEnd(m_m[close]);
        for (int p = from; p < to; p += kMaxCommentSpan)
            add(p, std::min(p + kMaxCommentSpan, to));
    }

    void strayEnd(INT_PTR i) {
        const int old = m_m[i].m_nPair;
        m_m[i].m_nPair = 0;
        if (old != 0)
            add(std::max({markerEnd(m_m[i]) - kMaxCommentSpan, 0, previousEnd(i)}), markerEnd(m_m[i]));
    }

    // A start without an end: it and everything after it are unpaired; what was a comment before
    // is recoloured, up to the next marker that was not paired (or kMaxCommentSpan on).
    void unterminated(INT_PTR open) {
        INT_PTR runStart = -1;
        for (INT_PTR k = open; k <= m_count; ++k) {
            const bool wasPaired = k < m_count && m_m[k].m_nPair != 0;
            if (k < m_count) m_m[k].m_nPair = 0;
            if (wasPaired && runStart < 0) runStart = k;
            if (wasPaired || runStart < 0) continue;
            const int to = k < m_count ? markerEnd(m_m[k]) : markerEnd(m_m[k - 1]) + kMaxCommentSpan;
            add(m_m[runStart].m_nPos, to);
            runStart = -1;
        }
    }

    CHHCommentMarker* m_m;
    INT_PTR m_count;
    std::vector<Stretch> m_stretches;
};

} // namespace

std::vector<Stretch> PairMarkers(CHHCommentMarkerArray& markers) {
    return Pairing(markers).run();
}

bool InsideComment(const CHHCommentMarkerArray& markers, int pos) {
    const INT_PTR next = firstAtOrAfter(markers, pos);
    if (next == 0) return false;
    const CHHCommentMarker& before = markers[next - 1];
    return before.m_bStart && markerEnd(before) <= pos;
}

Stretch BlankUnpairedMarkers(const CHHCommentMarkerArray& markers, int start, int end, char16_t* text) {
    Stretch blanked(0, 0);
    for (INT_PTR i = firstAtOrAfter(markers, start); i < markers.GetSize(); ++i) {
        const CHHCommentMarker& m = markers[i];
        if (markerEnd(m) > end) break;
        if (m.m_nPair != 0) continue;
        std::fill(text + (m.m_nPos - start), text + (markerEnd(m) - start), u' ');
        if (blanked.first == blanked.second) blanked.first = m.m_nPos;
        blanked.second = markerEnd(m);
    }
    return blanked;
}

namespace {

// Calls mark(from, to) for each part of a comment pair inside [start, end), comments that begin
// before the stretch included.
template <class Mark>
void forEachCommentPart(const CHHCommentMarkerArray& markers, int start, int end, Mark mark) {
    // Start far enough back to meet the start of a comment reaching into the stretch, at a marker
    // that begins a pair or belongs to none.
    INT_PTR i = firstAtOrAfter(markers, start - kMaxCommentSpan);
    while (i > 0 && i < markers.GetSize() && markers[i].m_nPair != 0 &&
           !(markers[i].m_bStart && markers[i].m_nPair == 1))
        --i;
    int open = -1;
    for (; i < markers.GetSize(); ++i) {
        const CHHCommentMarker& m = markers[i];
        if (m.m_nPos >= end) break;
        if (m.m_nPair == 0) {
            open = -1;
        } else if (m.m_bStart) {
            if (open < 0) open = m.m_nPos;
        } else {
            const int from = std::max(open < 0 ? start : open, start);
            const int to = std::min(markerEnd(m), end);
            if (from < to) mark(from, to);
            open = -1;
        }
    }
}

} // namespace

void OverlayCommentPairs(const CHHCommentMarkerArray& markers, int start, int end, WORD* tokens) {
    forEachCommentPart(markers, start, end, [start, tokens](int from, int to) {
        std::fill(tokens + (from - start), tokens + (to - start), static_cast<WORD>(HHTOKEN_COMMENT));
    });
}

Stretch CommentPairsIn(const CHHCommentMarkerArray& markers, int start, int end) {
    Stretch hull(0, 0);
    forEachCommentPart(markers, start, end, [&hull](int from, int to) {
        if (hull.first == hull.second) hull.first = from;
        hull.second = to;
    });
    return hull;
}

namespace {

// The class each token word is shown in (User Defined 2 as Default, as the RTF has it), looked
// up in a table built at compile time: a long line changes class at nearly every token.
constexpr std::array<unsigned char, 0x10000> kShownClasses = [] {
    std::array<unsigned char, 0x10000> classes{};
    for (std::size_t token = 0; token < classes.size(); ++token) {
        const int cls = classOf(static_cast<WORD>(token));
        classes[token] = static_cast<unsigned char>(cls < kColorClasses ? cls : 0);
    }
    return classes;
}();

const std::array<unsigned char, 0x10000>& shownClasses() {
    return kShownClasses;
}

} // namespace

namespace {

// Room for the edits to come, so that typing in the kept stretch does not move it.
void keepRoom(std::vector<WORD>& tokens) {
    tokens.reserve(tokens.size() + tokens.size() / 8 + 256);
}

} // namespace

int ShownClass(WORD bits) {
    return shownClasses()[bits];
}

Stretch ShownClasses::Take(int start, const WORD* tokens, int length, Stretch overlaid) {
    length = std::max(length, 0);
    if (!Holds(start, length)) {
        m_start = start;
        m_tokens.assign(tokens, tokens + length);
        keepRoom(m_tokens);
        m_unknown = Stretch(0, 0);
        m_overlaid = overlaid.first < overlaid.second
                         ? Stretch(overlaid.first - start, overlaid.second - start)
                         : Stretch(0, 0);
        return Stretch(start, start + length);
    }
    return takeCompared(tokens, 0, length, overlaid);
}

Stretch ShownClasses::TakeWithin(int start, const WORD* tokens, int length, Stretch read, Stretch overlaid) {
    PM_ASSERT(Holds(start, length));
    const int from = std::clamp(read.first - start, 0, length);
    const int to = std::clamp(read.second - start, from, length);
    return takeCompared(tokens, from, to, overlaid);
}

Stretch ShownClasses::takeCompared(const WORD* tokens, int readFrom, int readTo, Stretch overlaid) {
    // Where the words differ, or classes are not known: what lies between the first and the last
    // class that differs is taken whole.
    const int start = m_start;
    WORD* kept = m_tokens.data();
    const std::array<unsigned char, 0x10000>& shownClass = shownClasses();
    const int read = readTo - readFrom;
    int from = readFrom + SameLeading(tokens + readFrom, kept + readFrom, read);
    int to = from == readTo ? from : readTo - SameTrailing(tokens + readTo, kept + readTo, readTo - from);
    if (m_unknown.first < m_unknown.second) {
        const bool alike = from == to;
        from = alike ? m_unknown.first : std::min(from, m_unknown.first);
        to = alike ? m_unknown.second : std::max(to, m_unknown.second);
    }
    const auto known = [&](int i) { return i < m_unknown.first || i >= m_unknown.second; };
    int first = from, last = to;
    while (first < last && known(first) && shownClass[kept[first]] == shownClass[tokens[first]])
        ++first;
    while (last > first && known(last - 1) && shownClass[kept[last - 1]] == shownClass[tokens[last - 1]])
        --last;
    std::copy(tokens + from, tokens + to, kept + from);
    m_unknown = Stretch(0, 0);
    m_overlaid = overlaid.first < overlaid.second ? Stretch(overlaid.first - start, overlaid.second - start)
                                                  : Stretch(0, 0);
    if (first == last) return Stretch(start, start);
    return Stretch(start + first, start + last);
}

void ShownClasses::Change(BOOL deleted, int start, int end) {
    if (m_tokens.empty() || end <= start) return;
    const int stop = m_start + static_cast<int>(m_tokens.size());
    if (!deleted) {
        // Text at either end of the stretch, as text inside it, belongs to it.
        if (start < m_start) {
            m_start += end - start;
            return;
        }
        if (start > stop) return;
        const int at = start - m_start, added = end - start;
        m_tokens.insert(m_tokens.begin() + at, static_cast<std::size_t>(added), HHTOKEN_DEFAULT);
        const bool none = m_unknown.first >= m_unknown.second;
        const int first = m_unknown.first >= at ? m_unknown.first + added : m_unknown.first;
        const int last = m_unknown.second > at ? m_unknown.second + added : m_unknown.second;
        m_unknown = none ? Stretch(at, at + added) : Stretch(std::min(first, at), std::max(last, at + added));
        // Overlaid words stay where they are; text inserted among them is among them.
        if (m_overlaid.first < m_overlaid.second) {
            if (m_overlaid.first >= at) m_overlaid.first += added;
            if (m_overlaid.second > at) m_overlaid.second += added;
        }
        return;
    }
    const int from = std::clamp(start, m_start, stop), to = std::clamp(end, m_start, stop);
    m_tokens.erase(m_tokens.begin() + (from - m_start), m_tokens.begin() + (to - m_start));
    const int at = from - m_start, removed = to - from;
    const auto move = [&](int i) { return i >= at + removed ? i - removed : std::min(i, at); };
    m_unknown = Stretch(move(m_unknown.first), move(m_unknown.second));
    if (m_unknown.first >= m_unknown.second) m_unknown = Stretch(0, 0);
    m_overlaid = Stretch(move(m_overlaid.first), move(m_overlaid.second));
    if (m_overlaid.first >= m_overlaid.second) m_overlaid = Stretch(0, 0);
    m_start -= std::max(0, std::min(end, m_start) - start);
}

void ShownClasses::Forget(int start, int end) {
    if (end > m_start && start < m_start + static_cast<int>(m_tokens.size())) Clear();
}

namespace {

constexpr std::array<bool, 256> kRtfSpecial = [] {
    std::array<bool, 256> special{};
    for (unsigned char c : {'\\', '{', '}', '\r', '\n', '\t'})
        special[c] = true;
    return special;
}();

bool isRtfSpecial(char c) {
    return kRtfSpecial[static_cast<unsigned char>(c)];
}

// ColoredRtf writes its RTF in pieces of this size.
constexpr std::size_t kPiece = 16384;
// Room a step starts with: for a class change (12 bytes) and an escape or a paragraph mark, or
// some plain bytes with the closing paragraph mark (8) after them.
constexpr std::size_t kLongestStep = 32;

} // namespace

ColoredRtf::ColoredRtf(const char* text, std::size_t length, const WORD* tokens, const ColorEntry* table,
                       bool finalParagraph)
    : m_valid(true), m_text(text), m_length(length), m_tokens(tokens), m_blockTo(length),
      m_finalParagraph(finalParagraph) {
    std::string head = "{{\\colortbl";
    char buf[64];
    for (int i = 0; i < kColorClasses; ++i) {
        const COLORREF c = table[i].colour;
        std::snprintf(buf, sizeof(buf), "\\red%d\\green%d\\blue%d;", GetRValue(c), GetGValue(c),
                      GetBValue(c));
        head += buf;
    }
    head += "}\r\n";
    m_buffer = head;
    m_written = head.size();
    m_buffer.resize(std::max(kPiece, head.size()));
    for (int cls = 0; cls < kColorClasses; ++cls) {
        m_starts[cls] = std::string("\\cf") + static_cast<char>('0' + cls) +
                        (table[cls].bold ? "\\b" : "\\b0") + (table[cls].italic ? "\\i " : "\\i0 ");
    }
}

ColoredRtf::ColoredRtf(const char* text, std::size_t length, BlockColouring colour, const ColorEntry* table,
                       bool finalParagraph)
    : ColoredRtf(text, length, static_cast<const WORD*>(nullptr), table, finalParagraph) {
    m_colour = std::move(colour);
    m_blockTo = 0;
    if (m_length > 0) colourNextBlock();
}

void ColoredRtf::colourNextBlock() {
    m_blockFrom = m_at;
    m_blockTo = m_colour(m_at, m_tokens);
    PM_ASSERT(m_blockTo > m_blockFrom && m_blockTo <= m_length);
}

std::size_t ColoredRtf::Read(char* out, std::size_t size) {
    // A reader with room for a few steps is written to directly; a smaller one through the buffer.
    if (m_read == m_written && size > 2 * kLongestStep) return write(out, size);
    if (m_read == m_written) {
        m_written = write(m_buffer.data(), m_buffer.size());
        m_read = 0;
    }
    const std::size_t n = std::min(size, m_written - m_read);
    std::memcpy(out, m_buffer.data() + m_read, n);
    m_read += n;
    return n;
}

std::size_t ColoredRtf::write(char* out, std::size_t size) {
    char* at = out;
    auto put = [&at](const char* bytes, std::size_t n) {
        std::memcpy(at, bytes, n);
        at += n;
    };
    while (m_at < m_length && static_cast<std::size_t>(at - out) + kLongestStep < size) {
        if (m_at >= m_blockTo) colourNextBlock();
        const WORD token = tokenAt(m_at);
        if (token != m_classified) {
            m_classOfToken = ClassFromTokenBits(token);
            if (m_classOfToken >= kColorClasses) m_classOfToken = 0;
            m_classified = token;
        }
        if (m_classOfToken != m_class) {
            m_class = m_classOfToken;
            put(m_starts[m_class].data(), m_starts[m_class].size());
        }
        // Plain characters of one token word go in one piece, as far as the buffer takes them with
        // room left for the closing brace (the step began with room for a class change and more).
        const std::size_t limit =
            std::min(m_blockTo, m_at + (size - kLongestStep / 2 - static_cast<std::size_t>(at - out)));
        std::size_t end = m_at;
        while (end < limit && tokenAt(end) == token && !isRtfSpecial(m_text[end]))
            ++end;
        if (end > m_at) {
            put(m_text + m_at, end - m_at);
            m_at = end;
            continue;
        }
        const char c = m_text[m_at++];
        switch (c) {
        case '\r':
            if (m_at < m_length && m_text[m_at] == '\n') ++m_at;
            put("\r\n\\par ", 7);
            break;
        case '\n':
            put("\r\n\\par ", 7);
            break;
        case '\t':
            put("\\tab ", 5);
            break;
        default: { // a backslash or a brace
            const char escaped[2] = {'\\', c};
            put(escaped, 2);
        }
        }
    }
    if (m_at < m_length || m_ended) return static_cast<std::size_t>(at - out);
    m_ended = true;
    if (m_finalParagraph)
        put("\r\n\\par }", 8);
    else
        put("}", 1);
    return static_cast<std::size_t>(at - out);
}

std::string BuildColoredRtf(const char* text, std::size_t length, const WORD* tokens, const ColorEntry* table,
                            bool finalParagraph) {
    ColoredRtf source(text, length, tokens, table, finalParagraph);
    std::string rtf;
    rtf.reserve(length * 3 + 512); // source text changes class every few characters
    char piece[16384];
    while (const std::size_t n = source.Read(piece, sizeof piece))
        rtf.append(piece, n);
    return rtf;
}

} // namespace hh
