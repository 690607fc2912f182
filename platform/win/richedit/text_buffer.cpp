#include "platform/win/richedit/text_buffer.h"

#include "platform/win/pm_assert.h"

#include <algorithm>
#include <cstring>

namespace pm::richedit {
namespace {

// Stretches of bytes read as one text.
class JoinedBytes {
public:
    explicit JoinedBytes(std::initializer_list<std::string_view> parts) : m_parts(parts) {
        for (std::string_view part : m_parts)
            m_size += part.size();
    }
    std::size_t size() const { return m_size; }
    // The position after the first CR at or after at, or the size.
    std::size_t lineEnd(std::size_t at) const {
        std::size_t start = 0;
        for (std::string_view part : m_parts) {
            if (at < start + part.size()) {
                const char* from = part.data() + (at - start);
                if (const void* br = std::memchr(from, '\r', part.size() - (at - start)))
                    return start + static_cast<std::size_t>(static_cast<const char*>(br) - part.data()) + 1;
                at = start + part.size();
            }
            start += part.size();
        }
        return m_size;
    }
    // Appends the bytes [from, to) to block.
    void copy(std::size_t from, std::size_t to, SplitVector<char>& block) const {
        block.reserveMore(to - from);
        std::size_t start = 0;
        for (std::string_view part : m_parts) {
            const std::size_t lo = std::max(from, start), hi = std::min(to, start + part.size());
            if (lo < hi) block.insert(block.size(), part.data() + (lo - start), hi - lo);
            start += part.size();
        }
    }

private:
    std::vector<std::string_view> m_parts;
    std::size_t m_size = 0;
};

} // namespace

TextBuffer::TextBuffer(int blockSize, int lineBlockSize)
    : m_blockSize(std::max(1, blockSize)), m_blocks(1), m_lines(lineBlockSize) {}

int TextBuffer::lineStart(int line) const {
    if (line <= 0) return 0;
    if (line >= lineCount()) return length();
    return m_lines.positionFromPartition(line);
}

int TextBuffer::lineEnd(int line) const {
    if (line < 0) return 0;
    if (line >= lineCount() - 1) return length();
    return m_lines.positionFromPartition(line + 1) - 1;
}

int TextBuffer::lineFromPosition(int pos) const {
    // A position past the end lies after the last line start too: it finds the last line.
    return pos <= 0 ? 0 : m_lines.partitionFromPosition(pos);
}

char TextBuffer::charAt(int pos) const {
    if (pos < 0 || pos >= length()) return '\0';
    int block = blockAt(pos);
    return m_blocks[static_cast<std::size_t>(block)][static_cast<std::size_t>(pos - blockStart(block))];
}

std::string TextBuffer::text(int pos, int len) const {
    pos = std::clamp(pos, 0, length());
    len = std::clamp(len, 0, length() - pos);
    std::string out;
    out.reserve(static_cast<std::size_t>(len));
    forEachPiece(pos, len, [&out](const char* bytes, int count, int) {
        out.append(bytes, static_cast<std::size_t>(count));
        return true;
    });
    return out;
}

std::string_view TextBuffer::view(int pos, int len) {
    pos = std::clamp(pos, 0, length());
    len = std::clamp(len, 0, length() - pos);
    if (len == 0) return {};
    int block = blockAt(pos);
    int start = blockStart(block);
    if (pos + len > blockEnd(block)) {
        m_joined = text(pos, len);
        return m_joined;
    }
    SplitVector<char>& bytes = m_blocks[static_cast<std::size_t>(block)];
    return {bytes.rangePointer(static_cast<std::size_t>(pos - start), static_cast<std::size_t>(len)),
            static_cast<std::size_t>(len)};
}

void TextBuffer::insert(int pos, std::string_view bytes) {
    if (bytes.empty()) return;
    pos = std::clamp(pos, 0, length());
    int n = static_cast<int>(bytes.size());
    int line = lineFromPosition(pos);
    m_lines.insertText(line, n);
    int next = line + 1;
    for (const char *p = bytes.data(), *end = p + bytes.size();
         (p = static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(end - p)))) != nullptr;
         ++p)
        m_lines.insertPartition(next++, pos + static_cast<int>(p - bytes.data()) + 1, 0);
    // At a block boundary the text begins the later block's first line.
    int block = blockAt(pos);
    SplitVector<char>& target = m_blocks[static_cast<std::size_t>(block)];
    const std::size_t at = static_cast<std::size_t>(pos - blockStart(block));
    m_starts.insertText(block, n);
    if (n <= m_blockSize) {
        target.insert(at, bytes.data(), bytes.size());
        if (static_cast<int>(target.size()) > m_blockSize && holdsSeveralLines(block)) split(block);
        return;
    }
    // A long text is cut into blocks where it lies, not first copied into the one it goes in.
    const std::string_view old(target.rangePointer(0, target.size()), target.size());
    cut(block, {old.substr(0, at), bytes, old.substr(at)});
}

bool TextBuffer::holdsSeveralLines(int block) const {
    int first = lineFromPosition(blockStart(block));
    return first + 1 < lineCount() && lineStart(first + 1) < blockEnd(block);
}

void TextBuffer::split(int block) {
    SplitVector<char>& whole = m_blocks[static_cast<std::size_t>(block)];
    cut(block, {std::string_view(whole.rangePointer(0, whole.size()), whole.size())});
}

void TextBuffer::cut(int block, std::initializer_list<std::string_view> parts) {
    const JoinedBytes bytes(parts);
    // Whole lines go into a block while it stays within the block size; a longer line alone.
    std::vector<std::size_t> cuts;
    std::size_t blockBegin = 0;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t lineEnd = bytes.lineEnd(at);
        if (at > blockBegin && lineEnd - blockBegin > static_cast<std::size_t>(m_blockSize)) {
            cuts.push_back(at);
            blockBegin = at;
        }
        at = lineEnd;
    }
    cuts.push_back(bytes.size());
    std::vector<SplitVector<char>> pieces(cuts.size());
    std::size_t from = 0;
    for (std::size_t i = 0; i < cuts.size(); ++i) {
        bytes.copy(from, cuts[i], pieces[i]);
        from = cuts[i];
    }
    int start = blockStart(block);
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i)
        m_starts.insertPartition(block + static_cast<int>(i) + 1, start + static_cast<int>(cuts[i]));
    m_blocks[static_cast<std::size_t>(block)] = std::move(pieces[0]);
    m_blocks.insert(m_blocks.begin() + block + 1, std::make_move_iterator(pieces.begin() + 1),
                    std::make_move_iterator(pieces.end()));
}

void TextBuffer::erase(int pos, int len) {
    pos = std::clamp(pos, 0, length());
    len = std::clamp(len, 0, length() - pos);
    if (len == 0) return;
    int first = lineFromPosition(pos);
    // Line starts in (pos, pos + len] lose the break before them.
    int last = m_lines.partitionFromPosition(pos + len);
    if (last > first) m_lines.removePartitions(first + 1, last - first);
    m_lines.insertText(first, -len);
    for (int block = blockAt(pos), left = len; left > 0;) {
        SplitVector<char>& bytes = m_blocks[static_cast<std::size_t>(block)];
        int at = pos - blockStart(block);
        int n = std::min(left, static_cast<int>(bytes.size()) - at);
        bytes.erase(static_cast<std::size_t>(at), static_cast<std::size_t>(n));
        m_starts.insertText(block, -n);
        left -= n;
        if (!bytes.empty() || m_blocks.size() == 1) {
            ++block;
            continue;
        }
        // An emptied block goes; its neighbour's span takes its place.
        m_starts.removePartition(block == 0 ? 1 : block);
        m_blocks.erase(m_blocks.begin() + block);
    }
    mendAfterErase(pos);
}

void TextBuffer::mendAfterErase(int pos) {
    int block = blockAt(pos > 0 ? pos - 1 : 0);
    bool last = block + 1 == blockCount();
    // The break that ended the block went with the erased text: its last line goes on in the next.
    if (!last && pos > 0 && blockEnd(block) == pos && charAt(pos - 1) != '\r') {
        joinWithNext(block);
    } else if (!last &&
               static_cast<int>(m_blocks[static_cast<std::size_t>(block)].size() +
                                m_blocks[static_cast<std::size_t>(block) + 1].size()) <= m_blockSize / 2) {
        joinWithNext(block);
    } else if (block > 0 &&
               static_cast<int>(m_blocks[static_cast<std::size_t>(block)].size() +
                                m_blocks[static_cast<std::size_t>(block) - 1].size()) <= m_blockSize / 2) {
        joinWithNext(block - 1);
    }
}

void TextBuffer::joinWithNext(int block) {
    SplitVector<char>& next = m_blocks[static_cast<std::size_t>(block) + 1];
    SplitVector<char>& bytes = m_blocks[static_cast<std::size_t>(block)];
    bytes.insert(bytes.size(), next.rangePointer(0, next.size()), next.size());
    m_starts.removePartition(block + 1);
    m_blocks.erase(m_blocks.begin() + block + 1);
    if (static_cast<int>(bytes.size()) > m_blockSize && holdsSeveralLines(block)) split(block);
}

void TextBuffer::checkInvariants() const {
    m_starts.checkInvariants();
    m_lines.checkInvariants();
    const int blocks = blockCount();
    PM_ASSERT(blocks >= 1 && m_starts.partitions() == blocks);
    PM_ASSERT(m_lines.end() == length());
    int breaks = 0;
    for (int block = 0; block < blocks; ++block) {
        const SplitVector<char>& bytes = m_blocks[static_cast<std::size_t>(block)];
        const int size = static_cast<int>(bytes.size());
        PM_ASSERT(size == blockEnd(block) - blockStart(block));
        PM_ASSERT(size > 0 || blocks == 1);
        PM_ASSERT(block + 1 == blocks || bytes[static_cast<std::size_t>(size) - 1] == '\r');
        PM_ASSERT(size <= m_blockSize || !holdsSeveralLines(block));
        bytes.forEachSegment(0, bytes.size(), [&breaks](const char* piece, std::size_t n) {
            breaks += static_cast<int>(std::count(piece, piece + n, '\r'));
        });
    }
    PM_ASSERT(lineCount() == breaks + 1);
    for (int line = 1; line < lineCount(); ++line)
        PM_ASSERT(charAt(lineStart(line) - 1) == '\r');
}

void TextBuffer::clear() {
    m_blocks.assign(1, SplitVector<char>());
    m_starts.clear();
    m_lines.clear();
}

std::string normalizeLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    // Text goes over a line at a time: an LF after a CR is dropped, an LF alone becomes a CR.
    const char* begin = text.data();
    const char* end = begin + text.size();
    for (const char* p = begin; p < end;) {
        const char* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        const char* stop = lf ? lf : end;
        out.append(p, static_cast<std::size_t>(stop - p));
        if (!lf) break;
        if (lf == begin || lf[-1] != '\r') out.push_back('\r');
        p = lf + 1;
    }
    return out;
}

} // namespace pm::richedit
