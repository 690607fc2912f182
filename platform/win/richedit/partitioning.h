#pragma once
// An ordered list of partition starts over a text (line starts, format-run starts), each with a
// value (a run's format). The starts are kept in blocks of a bounded number, each block's starts
// relative to its first; the blocks' first starts and their first partition numbers are two short
// step partitionings. An edit anywhere costs the block it falls in and O(1) amortised in the block
// lists (a pass over them when it is far from the last edit), never a move of the starts between;
// lookups are O(log n).

#include "platform/win/richedit/step_partitioning.h"

#include <vector>

namespace pm::richedit {

class Partitioning {
public:
    static constexpr int kDefaultBlockSize = 1024;

    // blockSize bounds the partitions a block holds (tests use tiny ones to split and merge often).
    explicit Partitioning(int blockSize = kDefaultBlockSize);

    // One partition [0, 0) with value 0.
    void clear();

    int partitions() const { return m_count; }
    // The end of the text (the end of the last partition).
    int end() const { return m_bases.positionFromPartition(m_bases.partitions()); }

    // The start of a partition; partitions() gives the end of the text.
    int positionFromPartition(int partition) const;
    // The partition holding pos; a position on a boundary belongs to the later partition, and the
    // end of the text to the last one.
    int partitionFromPosition(int pos) const;

    // The partition holding pos where each partition start also counts one position (a position
    // model in which every line break takes two): the last p with start p + p <= pos.
    int partitionFromCountedPosition(int pos) const;

    struct Span {
        int start;
        int end;
        int value;
    };
    // Start, end and value of a partition in one look-up.
    Span span(int partition) const;
    int value(int partition) const;
    void setValue(int partition, int value);
    // Calls f(span) for each partition from `first` on, in order, while f returns true.
    template <class F> void forEach(int first, F f) const;

    // A new partition starting at pos, becoming partition number `partition` (1 to partitions()).
    void insertPartition(int partition, int pos, int value);
    // Merges partitions [partition, partition + count) into the one before them (partition >= 1).
    void removePartitions(int partition, int count);
    // Text of length delta was inserted (or, negative, removed) inside partition `partition`:
    // every later start moves.
    void insertText(int partition, int delta);
    // Adds partitions after the last one, each as long as given and with its value: the text grows
    // at its end.
    void appendPartitions(const int* lengths, const int* values, int n);

    // Checks, through PM_ASSERT, that the blocks and their two lists agree: every block holds one to
    // blockSize starts in order from 0, the counts add up and each block lies inside its span. A
    // pass over every start: for tests.
    void checkInvariants() const;

private:
    struct Block {
        std::vector<int> starts; // relative to the block's first, so starts[0] is 0
        std::vector<int> values;
        int size() const { return static_cast<int>(starts.size()); }
    };
    struct Place {
        int block;
        int index; // within the block
    };

    Place placeOf(int partition) const;
    int blockBase(int block) const { return m_bases.positionFromPartition(block); }
    int blockFirst(int block) const { return m_firsts.positionFromPartition(block); }
    // Adds a block after the last one from the entries given, its first start at base.
    void appendBlock(int base, std::vector<int> starts, std::vector<int> values);
    // Splits the block before its entry `at` (1 to size - 1).
    void splitBlock(int block, std::size_t at);
    // The block's first partition went: the next one is now its first, or the block goes.
    void removedFirst(int block);
    // Joins the block with a neighbour when both are small, so that deletions do not leave many.
    void joinSmall(int block);
    void joinWithNext(int block);

    // The partition partitionFromPosition found last, with its span [start, end): most look-ups
    // fall near the last one. Every change of the starts forgets it.
    struct Found {
        int partition = 0;
        int start = 0;
        int end = 0;
    };
    void forgetFound() { m_found = Found{}; }

    int m_blockSize;
    int m_count = 0;
    mutable Found m_found;
    std::vector<Block> m_blocks;
    StepPartitioning m_bases;  // block b holds the starts in [base b, base b+1)
    StepPartitioning m_firsts; // block b holds partitions [first b, first b+1)
};

template <class F> void Partitioning::forEach(int first, F f) const {
    Place at = placeOf(first);
    for (int block = at.block; block < static_cast<int>(m_blocks.size()); ++block) {
        const Block& b = m_blocks[static_cast<std::size_t>(block)];
        const int base = blockBase(block);
        const int next = blockBase(block + 1);
        for (std::size_t i = block == at.block ? static_cast<std::size_t>(at.index) : 0; i < b.starts.size();
             ++i) {
            int end = i + 1 < b.starts.size() ? base + b.starts[i + 1] : next;
            if (!f(Span{base + b.starts[i], end, b.values[i]})) return;
        }
    }
}

} // namespace pm::richedit
