#pragma once
// The bytes of a rich-edit text with an index of line starts. A line break is stored as one CR
// byte; positions count bytes. Lines are found from positions, and positions from lines, in
// O(log n).
//
// The bytes are kept in blocks of whole lines, each block a gap buffer of about blockSize bytes
// (a line longer than that is a block of its own), so an edit anywhere moves bytes of one block
// only, and a line is always contiguous in one block. Edits cost O(edit) plus the number of line
// breaks they add or remove.

#include "platform/win/richedit/partitioning.h"
#include "platform/win/richedit/split_vector.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace pm::richedit {

class TextBuffer {
public:
    static constexpr int kDefaultBlockSize = 1 << 14;

    // blockSize: the bytes a block of several lines grows to before it is split (tests make it
    // tiny); lineBlockSize: the line index's block size.
    explicit TextBuffer(int blockSize = kDefaultBlockSize,
                        int lineBlockSize = Partitioning::kDefaultBlockSize);

    int length() const { return m_starts.positionFromPartition(m_starts.partitions()); }
    int lineCount() const { return m_lines.partitions(); }
    int lineStart(int line) const;
    // The position after the line's last byte, before its break.
    int lineEnd(int line) const;
    int lineFromPosition(int pos) const;
    // The line holding a position of the model in which every line break takes two positions.
    int lineFromCountedPosition(int pos) const { return m_lines.partitionFromCountedPosition(pos); }
    char charAt(int pos) const;

    std::string text(int pos, int len) const;
    // A contiguous view of [pos, pos + len), valid until the next edit or the next view. Within one
    // line it points into the text itself; a range over several lines may be copied.
    std::string_view view(int pos, int len);
    // Calls f(bytes, count, position) for each contiguous stretch of [pos, pos + len) in order,
    // while f returns true.
    template <class F> void forEachPiece(int pos, int len, F f) const;

    // Inserts bytes in which every line break is already a single CR.
    void insert(int pos, std::string_view bytes);
    void erase(int pos, int len);
    void clear();

    int blockCount() const { return static_cast<int>(m_blocks.size()); }

    // Checks, through PM_ASSERT, that the blocks hold whole lines (each but the last ends with a
    // break, a block past the block size holds one line), their spans match their bytes, and the
    // line index has one line start after each break. A pass over the whole text: for tests.
    void checkInvariants() const;

private:
    int blockAt(int pos) const { return m_starts.partitionFromPosition(pos); }
    int blockStart(int block) const { return m_starts.positionFromPartition(block); }
    int blockEnd(int block) const { return m_starts.positionFromPartition(block + 1); }
    // Whether a line starts strictly inside the block, so that it can be split.
    bool holdsSeveralLines(int block) const;
    // Cuts a block grown past the block size into blocks of whole lines.
    void split(int block);
    // Puts blocks of whole lines cut from the parts, read as one text, in the block's place.
    void cut(int block, std::initializer_list<std::string_view> parts);
    void joinWithNext(int block);
    // After an erase at pos: the block before pos ends with a break again, and small blocks join.
    void mendAfterErase(int pos);

    int m_blockSize;
    std::vector<SplitVector<char>> m_blocks;
    StepPartitioning m_starts; // block b holds the bytes [start b, start b+1)
    Partitioning m_lines;
    std::string m_joined; // the bytes of a view over several blocks
};

template <class F> void TextBuffer::forEachPiece(int pos, int len, F f) const {
    int end = pos + len;
    for (int block = blockAt(pos); pos < end && block < blockCount(); ++block) {
        int start = blockStart(block);
        int stop = std::min(end, blockEnd(block));
        bool going = true;
        m_blocks[static_cast<std::size_t>(block)].forEachSegment(
            static_cast<std::size_t>(pos - start), static_cast<std::size_t>(stop - pos),
            [&](const char* bytes, std::size_t count) {
                if (going) going = f(bytes, static_cast<int>(count), pos);
                pos += static_cast<int>(count);
            });
        if (!going) return;
    }
}

// Turns CR LF, lone LF and lone CR into the stored single CR.
std::string normalizeLineBreaks(std::string_view text);

} // namespace pm::richedit
