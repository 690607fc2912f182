// The edit control's colouring pass: colouring ranges through the formater, the block-comment
// marker list, keyword case, the coloured RTF of a whole text, and the formats it is built from.

#include "editor/CHHEditCtrl.h"

#include "editor/TokenRuns.h"
#include "platform/framework/CDC.h"
#include "platform/win/richedit_runs.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr UINT_PTR kDeferredColoringTimer = 0x4843;

// Line buffers of a range longer than this are not kept for the next edit.
constexpr std::size_t kKeptBuffer = std::size_t{4} << 20;

// Room for a buffer of size elements and the edits to come, so that typing on a long line does
// not move its buffers to new memory; a buffer too large to be kept gets only what it needs.
template <class Buffer> void keepRoom(Buffer& buffer, std::size_t size) {
    if (buffer.capacity() >= size) return;
    buffer.reserve(size > kKeptBuffer ? size : size + size / 8 + 256);
}

// The bytes as 16-bit characters, in wide's own memory (an assign from bytes would build a
// temporary string).
void widen(const char* text, std::size_t size, std::u16string& wide) {
    keepRoom(wide, size);
    wide.resize(size);
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
    std::copy(bytes, bytes + size, wide.begin());
}

// A whole text is coloured and streamed in blocks of whole lines of about this many characters.
constexpr std::size_t kColouringBlock = std::size_t{1} << 16;

// The end of the block of text that starts at from: past the first line end a block's length
// on, or the end of the text.
std::size_t colouringBlockEnd(const char* text, std::size_t size, std::size_t from) {
    const std::size_t at = from + kColouringBlock;
    if (at >= size) return size;
    const void* lf = std::memchr(text + at - 1, '\n', size - at + 1);
    return lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - text) + 1 : size;
}

// The longest line of the text, its line end left out.
hh::Stretch longestLine(const char* text, std::size_t size) {
    hh::Stretch longest(0, 0);
    for (std::size_t at = 0; at < size;) {
        const void* lf = std::memchr(text + at, '\n', size - at);
        const std::size_t next =
            lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - text) + 1 : size;
        std::size_t end = lf ? next - 1 : next;
        if (lf && end > at && text[end - 1] == '\r') --end;
        if (end - at > static_cast<std::size_t>(longest.second - longest.first))
            longest = hh::Stretch(static_cast<int>(at), static_cast<int>(end));
        at = next;
    }
    return longest;
}

bool sameFormat(const CHARFORMAT& have, const CHARFORMAT& want) {
    const DWORD mask = want.dwMask & ~static_cast<DWORD>(CFM_CHARSET);
    return (have.dwMask & mask) == mask && have.dwEffects == want.dwEffects && have.yHeight == want.yHeight &&
           have.yOffset == want.yOffset && have.crTextColor == want.crTextColor &&
           have.bCharSet == want.bCharSet && std::strcmp(have.szFaceName, want.szFaceName) == 0;
}

} // namespace

BOOL CHHEditCtrl::keyWaiting() {
    MSG msg;
    return ::PeekMessageA(&msg, m_hWnd, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE);
}

void CHHEditCtrl::ColorizeLines(int posA, int posB, BOOL applyParaFormat) {
    const int start = LineIndex(static_cast<int>(LineFromChar(posA)));
    const int lastStart = LineIndex(static_cast<int>(LineFromChar(posB)));
    ColorizeRange(start, lastStart + LineLength(lastStart), applyParaFormat);
}

void CHHEditCtrl::ColorizeRange(int start, int end, BOOL applyParaFormat) {
    if (start >= end || m_bColoringSuppressed) return;
    m_nPendingCaseStart = m_nPendingCaseEnd = 0;
    const int scroll = GetScrollPos(SB_HORZ);
    const bool large = end - start > hh::kLargeRange;
    bool scrollLock = false;
    if (!large) {
        const CPoint a = GetCharPos(start), b = GetCharPos(end);
        CRect client;
        GetClientRect(&client);
        scrollLock = a.x < 0 || a.y != b.y || b.x >= client.Width();
    }
    hh::EditTransaction colouring(*this, hh::kInternal | hh::kHideSelection |
                                             (large || scrollLock ? unsigned{hh::kLockRedraw} : 0u));
    CHARRANGE saved{};
    GetSel(saved);
    SetSel(start, end);
    if (applyParaFormat) {
        PARAFORMAT have{};
        GetParaFormat(have);
        if (have.cTabCount != m_paraFormat.cTabCount ||
            !std::equal(have.rgxTabs, have.rgxTabs + have.cTabCount, m_paraFormat.rgxTabs))
            SetParaFormat(m_paraFormat);
    }
    const hh::ColorEntry& plain = m_colors[0];
    if (!m_bSyntaxColoring) {
        SetRangeFormat(start, end, plain.colour, plain.bold, plain.italic, FALSE);
    } else if (keyWaiting()) {
        // Typing goes first; the range is coloured when the keys are done.
        SetRangeFormat(start, end, plain.colour, plain.bold, plain.italic, FALSE);
        m_deferred.emplace_back(start, end);
        SetTimer(kDeferredColoringTimer, 10);
    } else if (large && lineBlockEnd(start, end) < end) {
        colourByBlocks(start, end, saved, applyParaFormat);
        keepBuffersSmall();
    } else {
        const int length = readForColoring(start, end);
        const char* text = m_linesRead.text.data();
        char16_t* buffer = m_linesRead.wide.data();
        const hh::Stretch blanked = hh::BlankUnpairedMarkers(m_delimiters, start, start + length, buffer);
        m_linesRead.kept.Altered(blanked);
        std::vector<WORD>& attributes = m_linesRead.tokens;
        const hh::Stretch overlaid = hh::CommentPairsIn(m_delimiters, start, start + length);
        unsigned hinted = 0;
        const unsigned before = hintFormater(m_colourGiven, start, start + length, blanked, &hinted);
        // A long line coloured again from the tokens it shows reads only what may have changed.
        const hh::Stretch read = large ? tokensToRead(start, length, hinted, overlaid) : hh::Stretch(-1, -1);
        keepRoom(attributes, static_cast<std::size_t>(length));
        if (read.first >= 0)
            attributes.resize(static_cast<std::size_t>(length));
        else
            attributes.assign(static_cast<std::size_t>(length), 0);
        const BOOL coloured = ColorizeText(buffer, length, attributes.data());
        const hh::Stretch written = read.first >= 0 ? retokenised(before, start, read) : hh::Stretch(-1, -1);
        noteGiven(m_colourGiven, before, start, start + length, blanked);
        if (!coloured) {
            SetRangeFormat(start, end, plain.colour, plain.bold, plain.italic, FALSE);
        } else {
            hh::OverlayCommentPairs(m_delimiters, start, start + length, attributes.data());
            // A large range takes its formats in one message; run by run otherwise.
            const bool formatted =
                large && sendRangeFormats(start, text, length, attributes.data(), overlaid, written);
            if (large && !formatted) SetRangeFormat(start, end, plain.colour, plain.bold, plain.italic, TRUE);
            // Tokens read only in part are whole in the classes shown.
            const WORD* tokens = formatted && written.first >= 0 ? m_shown.Kept() : attributes.data();
            colorRuns(start, text, length, tokens, saved, large, formatted, applyParaFormat);
        }
        keepBuffersSmall();
    }
    SetSel(saved);
    if (scrollLock) {
        PostScrollCaret();
        SetScrollPos(SB_HORZ, scroll, FALSE);
    }
}

hh::Stretch CHHEditCtrl::tokensToRead(int start, int length, unsigned hinted, hh::Stretch overlaid) {
    // The formater's tokens are those of the call named, which the classes shown were taken from.
    if (!m_pFormater || hinted == 0 || hinted != m_shownCall || !m_shown.Holds(start, length))
        return hh::Stretch(-1, -1);
    hh::Stretch read(start + length, start);
    for (const hh::Stretch& s : {m_shown.NotKnown(), m_shown.Overlaid(), overlaid}) {
        if (s.first >= s.second) continue;
        read = hh::Stretch(std::min(read.first, s.first), std::max(read.second, s.second));
    }
    if (read.first >= read.second) read = hh::Stretch(start, start);
    if (!m_pFormater->HintTokensRead(read.first - start, read.second - start)) return hh::Stretch(-1, -1);
    return read;
}

hh::Stretch CHHEditCtrl::retokenised(unsigned before, int start, hh::Stretch read) {
    int from = 0, to = 0;
    if (m_pFormater->GetTextCount() != before + 1 || !m_pFormater->GetRetokenised(from, to))
        return hh::Stretch(-1, -1);
    return hh::Stretch(std::min(read.first, start + from), std::max(read.second, start + to));
}

// The end of the block of whole lines that starts at from and ends by to: the next line's start
// a block's length on, or to.
int CHHEditCtrl::lineBlockEnd(int from, int to) {
    if (to - from <= static_cast<int>(kColouringBlock)) return to;
    const int last = static_cast<int>(LineFromChar(from + static_cast<int>(kColouringBlock) - 1));
    const int next = LineIndex(last + 1);
    return next <= from || next >= to ? to : next;
}

bool CHHEditCtrl::tokeniseRead(int start) {
    LinesRead& read = m_linesRead;
    const int length = static_cast<int>(read.wide.size());
    hh::BlankUnpairedMarkers(m_delimiters, start, start + length, read.wide.data());
    keepRoom(read.tokens, read.wide.size());
    read.tokens.assign(read.wide.size(), 0);
    if (!ColorizeText(read.wide.data(), length, read.tokens.data())) return false;
    hh::OverlayCommentPairs(m_delimiters, start, start + length, read.tokens.data());
    return true;
}

// A range of many lines is read and coloured a block of lines at a time, in the kept line
// buffers, and takes its formats in one message: its text is never held whole in 16-bit
// characters and token words. Only the last block's last word has its case fixed.
void CHHEditCtrl::colourByBlocks(int start, int end, const CHARRANGE& saved, BOOL applyParaFormat) {
    const hh::ColorEntry& plain = m_colors[0];
    pm::PackedFormatRuns runs;
    pm::CharFormatRun pending{0, 0};
    int last = start;
    for (int at = start; at < end;) {
        const int to = lineBlockEnd(at, end);
        readLines(at, to);
        if (!tokeniseRead(at)) {
            SetRangeFormat(start, end, plain.colour, plain.bold, plain.italic, FALSE);
            return;
        }
        appendShownRuns(runs, pending, m_linesRead.tokens.data(),
                        static_cast<int>(m_linesRead.tokens.size()));
        last = at;
        at = to;
    }
    runs.push_back(pending.length, pending.format);
    m_shown.Clear();
    const LinesRead& read = m_linesRead;
    if (sendShownRuns(start, runs)) {
        colorRuns(last, read.text.data(), static_cast<int>(read.tokens.size()), read.tokens.data(), saved,
                  true, true, applyParaFormat);
        return;
    }
    // Refused as one message: run by run, a block at a time.
    SetRangeFormat(start, end, plain.colour, plain.bold, plain.italic, TRUE);
    for (int at = start; at < end;) {
        const int to = lineBlockEnd(at, end);
        readLines(at, to);
        if (!tokeniseRead(at)) return;
        colorRuns(at, read.text.data(), static_cast<int>(read.tokens.size()), read.tokens.data(), saved, true,
                  false, applyParaFormat);
        at = to;
    }
}

// One run per stretch of one class shown; the last is held in pending, for the next tokens' first
// to join when it shows the same class.
void CHHEditCtrl::appendShownRuns(pm::PackedFormatRuns& runs, pm::CharFormatRun& pending, const WORD* tokens,
                                  int count) {
    for (int from = 0; from < count;) {
        const int cls = hh::ShownClass(tokens[from]);
        int to = from + 1;
        while (to < count && (tokens[to] == tokens[to - 1] || hh::ShownClass(tokens[to]) == cls))
            ++to;
        if (pending.format != cls) {
            if (pending.length > 0) runs.push_back(pending.length, pending.format);
            pending = pm::CharFormatRun{0, cls};
        }
        pending.length += to - from;
        from = to;
    }
}

bool CHHEditCtrl::sendShownRuns(int start, const pm::PackedFormatRuns& runs) {
    CHARFORMAT formats[hh::kColorClasses];
    for (int cls = 0; cls < hh::kColorClasses; ++cls)
        formats[cls] = formatFor(m_colors[cls]);
    const pm::CharFormatRuns message{start, formats, hh::kColorClasses, nullptr, 0, &runs};
    return SendMessage(pm::charFormatRunsMessage(), 0, reinterpret_cast<LPARAM>(&message)) != 0;
}

bool CHHEditCtrl::sendRangeFormats(int start, const char* chars, int length, WORD* attributes,
                                   hh::Stretch overlaid, hh::Stretch written) {
    // A single line keeps its classes for the next colouring of it (a long line typed on); many
    // lines would cost a copy of all their token words for nothing. Tokens written only in part
    // are compared only there.
    hh::Stretch part(start, start + length);
    m_shownCall = 0;
    if (written.first >= 0)
        part = m_shown.TakeWithin(start, attributes, length, written, overlaid);
    else if (LineFromChar(start) != LineFromChar(start + length))
        m_shown.Clear();
    else
        part = m_shown.Take(start, attributes, length, overlaid);
    if (m_shown.Holds(start, length)) m_shownCall = m_colourGiven.Call();
    // A CR LF pair goes whole.
    if (part.first > start && chars[part.first - start] == '\n' && chars[part.first - start - 1] == '\r')
        --part.first;
    if (part.second < start + length && chars[part.second - start] == '\n' &&
        chars[part.second - start - 1] == '\r')
        ++part.second;
    if (part.first >= part.second) return true;
    pm::PackedFormatRuns runs;
    pm::CharFormatRun pending{0, 0};
    appendShownRuns(runs, pending, attributes + (part.first - start), part.second - part.first);
    runs.push_back(pending.length, pending.format);
    if (sendShownRuns(part.first, runs)) return true;
    // Coloured run by run instead: tokens written in part are made whole first.
    if (written.first >= 0) std::copy(m_shown.Kept(), m_shown.Kept() + length, attributes);
    m_shown.Clear();
    m_shownCall = 0;
    return false;
}

void CHHEditCtrl::colorRuns(int start, const char* text, int length, const WORD* attributes,
                            const CHARRANGE& saved, bool large, bool formatted, BOOL applyParaFormat) {
    // A range whose formats were sent in one message has only its last word's case left to fix.
    int from = 0;
    if (formatted && length > 0)
        for (from = length - 1; from > 0 && attributes[from - 1] == attributes[length - 1];)
            --from;
    while (from < length) {
        int to = from + 1;
        while (to < length && attributes[to] == attributes[from])
            ++to;
        const WORD bits = attributes[from];
        if (!formatted && !(large && bits == 0)) {
            const hh::ColorEntry& e = hh::EntryForClass(m_colors, hh::ClassFromTokenBits(bits));
            SetRangeFormat(start + from, start + to, e.colour, e.bold, e.italic, large);
        }
        const bool lastRun = to >= length;
        if (m_bKeywordCase && !applyParaFormat && (bits & hh::kKeywordCaseMask) && (!large || lastRun)) {
            CString word(text + from, to - from);
            const int runStart = start + from, runEnd = start + to;
            if (saved.cpMin == saved.cpMax && saved.cpMin >= runStart && saved.cpMin <= runEnd) {
                // The word being typed keeps its case until the caret leaves it.
                if (AdjustWordCase(word.GetBuffer(0), bits)) {
                    m_nPendingCaseStart = runStart;
                    m_nPendingCaseEnd = runEnd;
                    m_nPendingCaseBits = bits;
                }
                word.ReleaseBuffer();
            } else {
                FixWordCase(runStart, runEnd, word.GetBuffer(0), bits);
                word.ReleaseBuffer();
            }
        }
        from = to;
    }
}

void CHHEditCtrl::SetRangeFormat(int start, int end, COLORREF colour, BOOL bold, BOOL italic, BOOL large) {
    if (start >= end) return;
    m_shown.Forget(start, end);
    SetSel(start, end);
    const DWORD effects = (bold ? CFE_BOLD : 0) | (italic ? CFE_ITALIC : 0);
    if (large) {
        CHARFORMAT cf{};
        cf.dwMask = CFM_COLOR | CFM_BOLD | CFM_ITALIC;
        cf.dwEffects = effects;
        cf.crTextColor = colour;
        SetSelectionCharFormat(cf);
        return;
    }
    CHARFORMAT want = formatFor(hh::ColorEntry{colour, bold, italic});
    CHARFORMAT have{};
    GetSelectionCharFormat(have);
    if (!sameFormat(have, want)) SetSelectionCharFormat(want);
}

CHARFORMAT CHHEditCtrl::formatFor(const hh::ColorEntry& look) const {
    CHARFORMAT format = m_charFormat;
    format.crTextColor = look.colour;
    format.dwEffects = (format.dwEffects & ~static_cast<DWORD>(CFE_BOLD | CFE_ITALIC)) |
                       (look.bold ? CFE_BOLD : 0) | (look.italic ? CFE_ITALIC : 0);
    return format;
}

void CHHEditCtrl::FixWordCase(int start, int end, LPTSTR word, WORD bits) {
    if (!AdjustWordCase(word, bits)) return;
    m_shown.Forget(start, end);
    SetSel(start, end);
    ReplaceSel(word);
}

// ---- Block-comment markers ----

void CHHEditCtrl::UpdateDelimiters(BOOL deleted, int start, int end) {
    if (end <= start) return;
    shiftForChange(deleted, start, end);
    rescanLines(start, deleted ? start : end);
}

void CHHEditCtrl::rescanLines(int start, int end) {
    const int from = LineIndex(static_cast<int>(LineFromChar(start)));
    const int lastStart = LineIndex(static_cast<int>(LineFromChar(end)));
    const int to = lastStart + LineLength(lastStart);
    if (to <= from) return;
    m_bDelimiterScan = TRUE;
    // Inside a comment a quote starts no string: the scan is told where it begins. Many lines are
    // read a block at a time; a block starts inside a comment when the last marker before it
    // opened one.
    const BOOL inComment = hh::InsideComment(m_delimiters, from);
    CHHCommentMarkerArray found;
    int blocks = 0;
    for (int at = from; at < to; ++blocks) {
        const int blockEnd = lineBlockEnd(at, to);
        readLines(at, blockEnd);
        const std::u16string& wide = m_linesRead.wide;
        const INT_PTR before = found.GetSize();
        // Lines scanned in one piece tell the formater what changed since it scanned them last.
        const bool whole = at == from && blockEnd == to;
        const unsigned call = whole ? hintFormater(m_scanGiven, from, to, hh::Stretch(0, 0)) : 0;
        ScanBlockComments(wide.data(), static_cast<int>(wide.size()), found,
                          before > 0 ? found[before - 1].m_bStart : inComment);
        if (whole) noteGiven(m_scanGiven, call, from, to, hh::Stretch(0, 0));
        for (INT_PTR i = before; i < found.GetSize(); ++i)
            found[i].m_nPos += at - from;
        at = blockEnd;
    }
    hh::MergeMarkers(m_delimiters, found, from);
    m_bDelimiterScan = FALSE;
    // Lines read in one piece are kept for the colouring that follows.
    if (blocks > 1) return;
    m_linesRead.from = from;
    m_linesRead.to = to;
}

unsigned CHHEditCtrl::hintFormater(const hh::GivenRange& range, int from, int to, hh::Stretch altered,
                                   unsigned* hinted) {
    if (hinted) *hinted = 0;
    if (!m_pFormater) return 0;
    unsigned call = 0;
    int head = 0, tail = 0;
    if (range.Hint(from, to, GetTextLength(), altered, call, head, tail)) {
        m_pFormater->HintChange(call, head, tail);
        if (hinted) *hinted = call;
    }
    return m_pFormater->GetTextCount();
}

void CHHEditCtrl::noteGiven(hh::GivenRange& range, unsigned before, int from, int to, hh::Stretch altered) {
    if (!m_pFormater) return;
    // A hint not taken goes, so that no other call takes it.
    m_pFormater->HintChange(0, 0, 0);
    const unsigned after = m_pFormater->GetTextCount();
    if (after == before + 1)
        range.Given(after, from, to, GetTextLength(), altered);
    else
        range.Forget();
}

// The colouring of a change reads the lines the marker scan has just read, and reads a long
// line once instead of twice.
int CHHEditCtrl::readForColoring(int start, int end) {
    LinesRead& read = m_linesRead;
    const bool same =
        read.from == start && read.to == end && read.text.size() == static_cast<std::size_t>(end - start);
    read.from = -1;
    if (!same) readLines(start, end);
    return static_cast<int>(read.wide.size());
}

void CHHEditCtrl::readLines(int from, int to) {
    LinesRead& read = m_linesRead;
    read.from = -1;
    // The lines read last, changed once since: only the change is read.
    auto readRange = [this](int first, int last, char* out) {
        TEXTRANGEA range{};
        range.chrg = CHARRANGE{first, last};
        range.lpstrText = out;
        SendMessage(EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
    };
    if (read.kept.Splice(from, to, GetTextLength(), read.text, read.wide, readRange)) return;
    // The control writes straight into the kept buffer, ending zero included.
    const std::size_t length = static_cast<std::size_t>(std::max(0, to - from));
    keepRoom(read.text, length + 1);
    read.text.resize(length + 1);
    TEXTRANGEA range{};
    range.chrg = CHARRANGE{from, to};
    range.lpstrText = read.text.data();
    read.text.resize(
        static_cast<std::size_t>(SendMessage(EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range))));
    widen(read.text.data(), read.text.size(), read.wide);
    read.kept.Read(from, from + static_cast<int>(read.text.size()));
}

void CHHEditCtrl::keepBuffersSmall() {
    const LinesRead& read = m_linesRead;
    if (std::max({read.text.capacity(), read.wide.capacity(), read.tokens.capacity()}) > kKeptBuffer)
        m_linesRead = LinesRead{};
}

void CHHEditCtrl::ResolveBlockComments(BOOL recolour) {
    hh::EditTransaction asWritten(*this, hh::kNoKeywordCase);
    const std::vector<hh::Stretch> stretches = hh::PairMarkers(m_delimiters);
    if (recolour) this->recolour(stretches);
}

void CHHEditCtrl::shiftForChange(BOOL deleted, int start, int end) {
    hh::ShiftMarkers(m_delimiters, deleted, start, end);
    hh::ShiftStretches(m_deferred, deleted, start, end);
    m_shown.Change(deleted, start, end);
}

void CHHEditCtrl::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kDeferredColoringTimer) {
        Default();
        return;
    }
    if (keyWaiting()) return;
    KillTimer(kDeferredColoringTimer);
    std::vector<hh::Stretch> stretches;
    stretches.swap(m_deferred);
    const int length = GetTextLength();
    for (const hh::Stretch& s : stretches) {
        const int from = std::min(s.first, length), to = std::min(s.second, length);
        if (from <= to) ColorizeLines(from, to, FALSE);
    }
}

void CHHEditCtrl::recolour(const std::vector<hh::Stretch>& stretches) {
    const int length = GetTextLength();
    for (const hh::Stretch& s : stretches) {
        const int from = std::min(s.first, length), to = std::min(s.second, length);
        if (from < to) ColorizeRange(from, to, FALSE);
    }
}

hh::ColoredRtf CHHEditCtrl::BuildColoredRtf(LPCSTR text, int length, BOOL finalParagraph,
                                            CHHCommentMarkerArray* list) {
    // A block at a time, in the buffers typing colours in: the token words of a large text are
    // never held whole, and a long line typed on next finds the buffers ready.
    const std::size_t size = static_cast<std::size_t>(std::max(length, 0));
    m_linesRead.from = -1;
    m_linesRead.kept.Forget();
    m_built = BuiltCalls();
    if (list) scanMarkersByBlock(text, size, *list);
    // The first block tells whether the text can be coloured at all.
    const std::size_t firstEnd = colouringBlockEnd(text, size, 0);
    if (size > 0 && !colourBlock(text, 0, firstEnd, list)) return hh::ColoredRtf();
    if (firstEnd != size) m_built = BuiltCalls();
    // A text of one block is kept whole, as the lines read for the first change.
    if (firstEnd == size && m_built.colour && size <= kKeptBuffer) {
        keepRoom(m_linesRead.text, size + 1);
        m_linesRead.text.assign(text, size);
        m_built.lines = true;
    }
    const hh::Stretch longest = longestLine(text, size);
    auto colour = [this, text, size, list, longest, firstDone = true](std::size_t from,
                                                                      const WORD*& tokens) mutable {
        const std::size_t to = colouringBlockEnd(text, size, from);
        if (!firstDone) colourBlock(text, from, to, list);
        firstDone = false;
        tokens = m_linesRead.tokens.data();
        keepIfLongestLine(longest, from, to, tokens, list);
        return to;
    };
    return hh::ColoredRtf(text, size, colour, m_colors, finalParagraph != FALSE);
}

void CHHEditCtrl::scanMarkersByBlock(const char* text, std::size_t size, CHHCommentMarkerArray& list) {
    list.RemoveAll();
    std::vector<CHHCommentMarker> all;
    CHHCommentMarkerArray found;
    for (std::size_t from = 0; from < size;) {
        const std::size_t to = colouringBlockEnd(text, size, from);
        widen(text + from, to - from, m_linesRead.wide);
        found.RemoveAll();
        // A block starts inside a comment when the last marker before it opened one.
        const BOOL inComment = !all.empty() && all.back().m_bStart;
        const unsigned before = m_pFormater ? m_pFormater->GetTextCount() : 0;
        ScanBlockComments(m_linesRead.wide.data(), static_cast<int>(to - from), found, inComment);
        // A text of one block is what the formater was given: the next scan can be hinted.
        if (from == 0 && to == size && m_pFormater && m_pFormater->GetTextCount() == before + 1)
            m_built.scan = before + 1;
        for (INT_PTR i = 0; i < found.GetSize(); ++i) {
            all.push_back(found[i]);
            all.back().m_nPos += static_cast<int>(from);
        }
        from = to;
    }
    list.SetSize(static_cast<INT_PTR>(all.size()));
    std::copy(all.begin(), all.end(), list.GetData());
    hh::PairMarkers(list);
}

bool CHHEditCtrl::colourBlock(const char* text, std::size_t from, std::size_t to,
                              const CHHCommentMarkerArray* list) {
    LinesRead& read = m_linesRead;
    const std::size_t length = to - from;
    widen(text + from, length, read.wide);
    const hh::Stretch blanked =
        list ? hh::BlankUnpairedMarkers(*list, static_cast<int>(from), static_cast<int>(to), read.wide.data())
             : hh::Stretch(0, 0);
    keepRoom(read.tokens, length);
    read.tokens.assign(length, 0);
    const unsigned before = m_pFormater ? m_pFormater->GetTextCount() : 0;
    if (!ColorizeText(read.wide.data(), static_cast<int>(length), read.tokens.data())) return false;
    // The first block: when it is the whole text, the next colouring of it can be hinted.
    if (from == 0 && m_pFormater && m_pFormater->GetTextCount() == before + 1) {
        m_built.colour = before + 1;
        m_built.blanked = blanked;
    }
    if (list)
        hh::OverlayCommentPairs(*list, static_cast<int>(from), static_cast<int>(to), read.tokens.data());
    return true;
}

// The longest line keeps its classes when coloured, so the first key typed on a long line
// streams only what it changed.
void CHHEditCtrl::keepIfLongestLine(const hh::Stretch& longest, std::size_t from, std::size_t to,
                                    const WORD* tokens, const CHHCommentMarkerArray* list) {
    const std::size_t start = static_cast<std::size_t>(longest.first);
    const int length = longest.second - longest.first;
    if (length <= hh::kLargeRange || start < from || start >= to) return;
    const hh::Stretch overlaid =
        list ? hh::CommentPairsIn(*list, longest.first, longest.second) : hh::Stretch(0, 0);
    m_shown.Take(longest.first, tokens + (start - from), length, overlaid);
    // A text of one line was coloured in the call the text set names.
    m_shownCall = from == 0 && longest.first == 0 && static_cast<std::size_t>(longest.second) == to
                      ? m_built.colour
                      : 0;
}

// ---- Formats ----

void CHHEditCtrl::buildCharFormat() {
    LOGFONT lf{};
    m_font.GetLogFont(&lf);
    CClientDC dc(this);
    CHARFORMAT& cf = m_charFormat;
    cf = CHARFORMAT{};
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_PROTECTED | CFM_LINK | CFM_SIZE |
                CFM_COLOR | CFM_FACE | CFM_OFFSET;
    cf.dwEffects = CFE_PROTECTED | (m_colors[0].bold ? CFE_BOLD : 0) | (m_colors[0].italic ? CFE_ITALIC : 0);
    cf.yHeight = ::MulDiv(-lf.lfHeight, 1440, dc.GetDeviceCaps(LOGPIXELSY));
    cf.yOffset = 0;
    cf.crTextColor = m_colors[0].colour;
    cf.bCharSet = DEFAULT_CHARSET;
    std::snprintf(cf.szFaceName, sizeof(cf.szFaceName), "%s", lf.lfFaceName);
}

void CHHEditCtrl::buildParaFormat() {
    CClientDC dc(this);
    CFont* old = dc.SelectObject(&m_font);
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(old);
    m_nTabWidth = ::MulDiv(m_nTabSize * tm.tmAveCharWidth, 1440, dc.GetDeviceCaps(LOGPIXELSX));
    PARAFORMAT& pf = m_paraFormat;
    pf = PARAFORMAT{};
    pf.cbSize = sizeof(pf);
    pf.dwMask = PFM_STARTINDENT | PFM_RIGHTINDENT | PFM_OFFSET | PFM_ALIGNMENT | PFM_TABSTOPS | PFM_NUMBERING;
    pf.wAlignment = PFA_LEFT;
    pf.cTabCount = MAX_TAB_STOPS;
    for (int i = 0; i < MAX_TAB_STOPS; ++i)
        pf.rgxTabs[i] = (i + 1) * m_nTabWidth;
}

void CHHEditCtrl::SetDefaultSettings() {
    m_bAutoIndent = m_bKeywordCase = m_bSyntaxColoring = TRUE;
    hh::SetDefaultColors(m_colors);
    SetTabSize(4);
    SetFont(nullptr, 0);
}

void CHHEditCtrl::SetFont(LPCSTR face, int height) {
    {
        hh::EditTransaction formats(*this, hh::kInternal);
        setFontFormats(face, height);
    }
    const int tabSize = m_nTabSize;
    m_nTabSize = 0;
    SetTabSize(tabSize);
}

void CHHEditCtrl::setFontFormats(LPCSTR face, int height) {
    m_shown.Clear();
    LOGFONT lf{};
    lf.lfHeight = height ? height : -13;
    std::snprintf(lf.lfFaceName, sizeof(lf.lfFaceName), "%s", face ? face : "Courier New");
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&lf);
    buildCharFormat();
    SetDefaultCharFormat(m_charFormat);
    CHARFORMAT all = m_charFormat;
    all.dwMask &= ~static_cast<DWORD>(CFM_COLOR | CFM_BOLD);
    all.cbSize = sizeof(all);
    SendMessage(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&all));
}

void CHHEditCtrl::SetTabSize(int tabSize) {
    if (tabSize < 0 || tabSize > 20 || tabSize == m_nTabSize) return;
    m_nTabSize = tabSize;
    if (!m_font.GetSafeHandle()) return;
    hh::EditTransaction formats(*this, hh::kInternal | hh::kHideSelection);
    CHARRANGE saved{};
    GetSel(saved);
    SetSel(0, -1);
    buildParaFormat();
    SetParaFormat(m_paraFormat);
    SetSel(saved);
}
