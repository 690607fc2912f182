#include "platform/win/richedit/rich_text_model.h"

#include "platform/win/pm_assert.h"
#include "platform/win/utf8.h"

#include <algorithm>
#include <cstring>

namespace pm::richedit {

namespace {

unsigned char fold(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c;
}

} // namespace

bool isWordByte(unsigned char c) {
    return c == '_' || (c >= '0' && c <= '9') || (fold(c) >= 'a' && fold(c) <= 'z') || c >= 0x80;
}

RichTextModel::RichTextModel() {
    m_defaultFormat = m_formats.intern(RunFormat{});
    m_runs.reset(m_defaultFormat);
}

std::string RichTextModel::textCrLf(int pos, int len) const {
    pos = std::clamp(pos, 0, length());
    len = std::clamp(len, 0, length() - pos);
    std::string out(static_cast<std::size_t>(len) +
                        static_cast<std::size_t>(lineFromPosition(pos + len) - lineFromPosition(pos)),
                    '\0');
    out.resize(copyText(pos, len, true, out.data(), out.size()));
    return out;
}

std::size_t RichTextModel::copyText(int pos, int len, bool crLf, char* out, std::size_t room) const {
    pos = std::clamp(pos, 0, length());
    len = std::clamp(len, 0, length() - pos);
    std::size_t written = 0;
    auto put = [&](const char* bytes, std::size_t count) {
        count = std::min(count, room - written);
        std::memcpy(out + written, bytes, count);
        written += count;
        return written < room;
    };
    m_text.forEachPiece(pos, len, [&put, crLf](const char* bytes, int count, int) {
        for (const char* end = bytes + count; bytes < end;) {
            const void* br = crLf ? std::memchr(bytes, '\r', static_cast<std::size_t>(end - bytes)) : nullptr;
            const char* stop = br ? static_cast<const char*>(br) + 1 : end;
            if (!put(bytes, static_cast<std::size_t>(stop - bytes))) return false;
            if (br && !put("\n", 1)) return false;
            bytes = stop;
        }
        return true;
    });
    return written;
}

int RichTextModel::replace(int pos, int len, std::string_view text, FormatId format) {
    return replaceStored(pos, len, normalizeLineBreaks(text), format);
}

int RichTextModel::replaceStored(int pos, int len, std::string_view stored, FormatId format) {
    pos = std::clamp(pos, 0, length());
    len = std::clamp(len, 0, length() - pos);
    m_text.erase(pos, len);
    m_runs.erase(pos, len);
    m_text.insert(pos, stored);
    m_runs.insert(pos, static_cast<int>(stored.size()), format);
    auto shift = [&](int p) {
        if (p <= pos) return p;
        if (p < pos + len) return pos + static_cast<int>(stored.size());
        return p - len + static_cast<int>(stored.size());
    };
    m_anchor = shift(m_anchor);
    m_caret = shift(m_caret);
    return static_cast<int>(stored.size());
}

void RichTextModel::setFormattedText(std::string text, const std::vector<FormattedPiece>& pieces) {
    m_text.clear();
    m_text.insert(0, text);
    m_runs.reset(pieces.empty() ? m_defaultFormat : pieces.front().format);
    // The pieces that fit go in as one block; one past the end is cut, text past them is default.
    int pos = 0;
    std::size_t n = 0;
    while (n < pieces.size() && pos + std::max(0, pieces[n].length) <= length())
        pos += std::max(0, pieces[n++].length);
    m_runs.append(pieces.data(), n);
    if (n < pieces.size()) {
        m_runs.append(length() - pos, pieces[n].format);
        pos = length();
    }
    m_runs.append(length() - pos, m_defaultFormat);
    m_anchor = m_caret = 0;
}

void RichTextModel::setFormattedText(FormattedText&& content) {
    m_text = std::move(content.m_text);
    m_runs = std::move(content.m_runs);
    if (length() == 0) m_runs.reset(m_defaultFormat);
    m_anchor = m_caret = 0;
}

FormatId RichTextModel::formatForInsertion(int pos) const {
    if (length() == 0) return m_runs.formatAt(0);
    return m_runs.formatAt(std::max(0, std::min(pos, length()) - 1));
}

void RichTextModel::checkInvariants() const {
    m_text.checkInvariants();
    m_runs.checkInvariants();
    PM_ASSERT(m_runs.length() == m_text.length());
    PM_ASSERT(m_anchor >= 0 && m_anchor <= length() && m_caret >= 0 && m_caret <= length());
}

void RichTextModel::setSelection(int anchor, int caret) {
    m_anchor = validPosition(anchor);
    m_caret = validPosition(caret);
}

int RichTextModel::legacyFromCompact(int pos) const {
    pos = std::clamp(pos, 0, length());
    return pos + lineFromPosition(pos);
}

int RichTextModel::compactFromLegacy(int legacy) const {
    if (legacy <= 0) return 0;
    if (legacy >= legacyLength()) return length();
    // The last line whose legacy start (compact start + breaks before it) is <= legacy.
    int lo = m_text.lineFromCountedPosition(legacy);
    int offset = legacy - (lineStart(lo) + lo);
    // An offset past the line's end points between CR and LF: keep it before the pair.
    return lineStart(lo) + std::min(offset, lineLength(lo));
}

int RichTextModel::validPosition(int pos, bool forward) const {
    pos = std::clamp(pos, 0, length());
    if (pos == 0 || pos == length() || !utf8::isContinuation(static_cast<unsigned char>(charAt(pos))))
        return pos;
    for (int back = 1; back <= 3 && pos - back >= 0; ++back) {
        unsigned char c = static_cast<unsigned char>(charAt(pos - back));
        if (utf8::isContinuation(c)) continue;
        int n = static_cast<int>(utf8::sequenceLength(c));
        if (n <= back) return pos; // not inside a sequence that covers pos
        for (int k = 1; k < n; ++k)
            if (pos - back + k >= length() ||
                !utf8::isContinuation(static_cast<unsigned char>(charAt(pos - back + k))))
                return pos; // a broken sequence: each byte stands alone
        return forward ? pos - back + n : pos - back;
    }
    return pos;
}

int RichTextModel::nextCharPosition(int pos) const {
    if (pos >= length()) return length();
    return validPosition(pos + 1, true);
}

int RichTextModel::previousCharPosition(int pos) const {
    if (pos <= 0) return 0;
    return validPosition(pos - 1, false);
}

int RichTextModel::find(int from, int to, std::string_view pattern, FindOptions options) const {
    return findStored(from, to, normalizeLineBreaks(pattern), options);
}

// One pass over the text: after a match the search goes on from its end.
template <class F>
void RichTextModel::forEachMatch(int from, int to, const std::string& needle, FindOptions options,
                                 F f) const {
    from = std::clamp(from, 0, length());
    to = to < 0 ? length() : std::clamp(to, 0, length());
    const int n = static_cast<int>(needle.size());
    if (n == 0 || to - from < n) return;
    const unsigned char first = static_cast<unsigned char>(options.matchCase ? needle[0] : fold(needle[0]));
    // Without matching case a letter is looked for in both its cases.
    const unsigned char other =
        !options.matchCase && first >= 'a' && first <= 'z' ? static_cast<unsigned char>(first - 32) : first;
    auto candidate = [&](const char* bytes, int i, int count) {
        if (i >= count) return count;
        const void* hit = std::memchr(bytes + i, first, static_cast<std::size_t>(count - i));
        const int limit = hit ? static_cast<int>(static_cast<const char*>(hit) - bytes) : count;
        if (other == first || limit == i) return limit;
        hit = std::memchr(bytes + i, other, static_cast<std::size_t>(limit - i));
        return hit ? static_cast<int>(static_cast<const char*>(hit) - bytes) : limit;
    };
    auto same = [&](const char* at) {
        if (options.matchCase) return std::memcmp(at, needle.data(), static_cast<std::size_t>(n)) == 0;
        for (int i = 0; i < n; ++i)
            if (fold(static_cast<unsigned char>(at[i])) !=
                fold(static_cast<unsigned char>(needle[static_cast<std::size_t>(i)])))
                return false;
        return true;
    };
    auto wholeWordAt = [&](int p) {
        if (!options.wholeWord) return true;
        bool before = p > 0 && isWordByte(static_cast<unsigned char>(charAt(p - 1)));
        bool after = p + n < length() && isWordByte(static_cast<unsigned char>(charAt(p + n)));
        return !before && !after;
    };
    const int last = to - n;
    int resume = from; // where the next match may start
    // Candidates are looked for piece by piece; one that runs past its piece is read whole.
    m_text.forEachPiece(from, last + 1 - from, [&](const char* bytes, int count, int at) {
        for (int i = std::max(0, resume - at); (i = candidate(bytes, i, count)) < count; ++i) {
            const int p = at + i;
            const bool inPiece = i + n <= count;
            if (inPiece ? !same(bytes + i) : !same(text(p, n).data())) continue;
            if (!wholeWordAt(p)) continue;
            if (!f(p)) return false;
            resume = p + n;
            i = resume - at - 1;
        }
        return true;
    });
}

std::vector<int> RichTextModel::findAll(int from, int to, std::string_view pattern,
                                        FindOptions options) const {
    std::vector<int> found;
    forEachMatch(from, to, normalizeLineBreaks(pattern), options, [&found](int at) {
        found.push_back(at);
        return true;
    });
    return found;
}

int RichTextModel::findStored(int from, int to, const std::string& needle, FindOptions options) const {
    int found = -1;
    forEachMatch(from, to, needle, options, [&found](int at) {
        found = at;
        return false;
    });
    return found;
}

} // namespace pm::richedit
