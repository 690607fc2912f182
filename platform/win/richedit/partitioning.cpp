#include "platform/win/richedit/partitioning.h"

#include "platform/win/pm_assert.h"

#include <algorithm>
#include <utility>

namespace pm::richedit {

Partitioning::Partitioning(int blockSize) : m_blockSize(std::max(1, blockSize)) {
    clear();
}

void Partitioning::clear() {
    forgetFound();
    m_blocks.assign(1, Block{{0}, {0}});
    m_count = 1;
    m_bases.clear();
    m_firsts.clear();
    m_firsts.insertText(0, 1);
}

Partitioning::Place Partitioning::placeOf(int partition) const {
    int block = m_firsts.partitionFromPosition(partition);
    return Place{block, partition - blockFirst(block)};
}

int Partitioning::positionFromPartition(int partition) const {
    if (partition >= m_count) return end();
    Place at = placeOf(std::max(0, partition));
    return blockBase(at.block) +
           m_blocks[static_cast<std::size_t>(at.block)].starts[static_cast<std::size_t>(at.index)];
}

int Partitioning::partitionFromPosition(int pos) const {
    // One compare for pos in [start, end): with two, the first would go either way at random for
    // positions far apart, and it waits on the last look-up's answer, so each miss of it would
    // throw away the work begun on the look-up after.
    if (static_cast<unsigned>(pos) - static_cast<unsigned>(m_found.start) <
        static_cast<unsigned>(m_found.end) - static_cast<unsigned>(m_found.start))
        return m_found.partition;
    const int block = m_bases.partitionFromPosition(pos);
    const std::vector<int>& starts = m_blocks[static_cast<std::size_t>(block)].starts;
    const int base = blockBase(block);
    const std::size_t index = static_cast<std::size_t>(
        std::max<std::ptrdiff_t>(0, lastAtMost(starts.data(), starts.size(), pos - base)));
    const int end = index + 1 < starts.size() ? base + starts[index + 1] : blockBase(block + 1);
    m_found = Found{blockFirst(block) + static_cast<int>(index), base + starts[index], end};
    return m_found.partition;
}

int Partitioning::partitionFromCountedPosition(int pos) const {
    // The last block whose first partition lies at or before pos, then the last partition in it.
    int lo = 0, hi = static_cast<int>(m_blocks.size()) - 1;
    while (lo < hi) {
        int mid = lo + (hi - lo + 1) / 2;
        if (blockBase(mid) + blockFirst(mid) <= pos)
            lo = mid;
        else
            hi = mid - 1;
    }
    const std::vector<int>& starts = m_blocks[static_cast<std::size_t>(lo)].starts;
    int rel = pos - blockBase(lo) - blockFirst(lo);
    int first = 0, last = static_cast<int>(starts.size()) - 1;
    while (first < last) {
        int mid = first + (last - first + 1) / 2;
        if (starts[static_cast<std::size_t>(mid)] + mid <= rel)
            first = mid;
        else
            last = mid - 1;
    }
    return blockFirst(lo) + first;
}

Partitioning::Span Partitioning::span(int partition) const {
    Place at = placeOf(partition);
    const Block& b = m_blocks[static_cast<std::size_t>(at.block)];
    int base = blockBase(at.block);
    std::size_t i = static_cast<std::size_t>(at.index);
    int end = i + 1 < b.starts.size() ? base + b.starts[i + 1] : blockBase(at.block + 1);
    return Span{base + b.starts[i], end, b.values[i]};
}

int Partitioning::value(int partition) const {
    Place at = placeOf(partition);
    return m_blocks[static_cast<std::size_t>(at.block)].values[static_cast<std::size_t>(at.index)];
}

void Partitioning::setValue(int partition, int value) {
    Place at = placeOf(partition);
    m_blocks[static_cast<std::size_t>(at.block)].values[static_cast<std::size_t>(at.index)] = value;
}

void Partitioning::insertPartition(int partition, int pos, int value) {
    PM_ASSERT(partition >= 1 && partition <= m_count);
    forgetFound();
    // It goes after partition - 1, in that one's block.
    Place at = placeOf(partition - 1);
    Block& b = m_blocks[static_cast<std::size_t>(at.block)];
    std::size_t i = static_cast<std::size_t>(at.index) + 1;
    b.starts.insert(b.starts.begin() + static_cast<std::ptrdiff_t>(i), pos - blockBase(at.block));
    b.values.insert(b.values.begin() + static_cast<std::ptrdiff_t>(i), value);
    m_firsts.insertText(at.block, 1);
    ++m_count;
    if (b.size() <= m_blockSize) return;
    // Text growing at its end (a file read line by line) leaves full blocks behind it; a block
    // elsewhere splits in halves, each with room to grow.
    const bool atEnd = at.block + 1 == static_cast<int>(m_blocks.size()) && i + 1 == b.starts.size();
    splitBlock(at.block, atEnd ? b.starts.size() - 1 : b.starts.size() / 2);
}

void Partitioning::removePartitions(int partition, int count) {
    PM_ASSERT(partition >= 1 && count >= 0 && partition + count <= m_count);
    forgetFound();
    while (count > 0) {
        Place at = placeOf(partition);
        Block& b = m_blocks[static_cast<std::size_t>(at.block)];
        int n = std::min(count, b.size() - at.index);
        auto from = static_cast<std::ptrdiff_t>(at.index);
        b.starts.erase(b.starts.begin() + from, b.starts.begin() + from + n);
        b.values.erase(b.values.begin() + from, b.values.begin() + from + n);
        m_firsts.insertText(at.block, -n);
        m_count -= n;
        count -= n;
        if (at.index == 0)
            removedFirst(at.block);
        else
            joinSmall(at.block);
    }
}

void Partitioning::removedFirst(int block) {
    Block& b = m_blocks[static_cast<std::size_t>(block)];
    if (b.starts.empty()) {
        // Block 0 always keeps partition 0, so this block has one before it to take its span.
        m_bases.removePartition(block);
        m_firsts.removePartition(block);
        m_blocks.erase(m_blocks.begin() + block);
        return;
    }
    // The block now begins at its next start: the boundary moves on, the starts move back.
    int shift = b.starts[0];
    for (int& s : b.starts)
        s -= shift;
    m_bases.insertText(block - 1, shift);
    m_bases.insertText(block, -shift);
    joinSmall(block);
}

void Partitioning::insertText(int partition, int delta) {
    if (delta == 0) return;
    PM_ASSERT(partition >= 0);
    forgetFound();
    Place at = placeOf(std::min(partition, m_count - 1));
    Block& b = m_blocks[static_cast<std::size_t>(at.block)];
    for (std::size_t i = static_cast<std::size_t>(at.index) + 1; i < b.starts.size(); ++i)
        b.starts[i] += delta;
    m_bases.insertText(at.block, delta);
}

void Partitioning::appendPartitions(const int* lengths, const int* values, int n) {
    forgetFound();
    int start = end();
    int last = static_cast<int>(m_blocks.size()) - 1;
    int i = 0;
    // The last block takes what it has room for; many at once in room made for just them (one at
    // a time, the vectors grow as they do).
    Block& tail = m_blocks.back();
    const std::size_t taken = static_cast<std::size_t>(std::min(n, std::max(0, m_blockSize - tail.size())));
    if (taken > 1) {
        tail.starts.reserve(tail.starts.size() + taken);
        tail.values.reserve(tail.values.size() + taken);
    }
    int tailBase = blockBase(last);
    int added = 0;
    for (; i < n && tail.size() < m_blockSize; ++i, ++added) {
        tail.starts.push_back(start - tailBase);
        tail.values.push_back(values[i]);
        start += lengths[i];
    }
    m_firsts.insertText(last, added);
    m_count += added;
    m_bases.insertText(last, start - end());
    // The rest in new blocks.
    while (i < n) {
        int count = std::min(m_blockSize, n - i);
        std::vector<int> starts(static_cast<std::size_t>(count)), blockValues(values + i, values + i + count);
        int base = start;
        for (int k = 0; k < count; ++k, ++i) {
            starts[static_cast<std::size_t>(k)] = start - base;
            start += lengths[i];
        }
        appendBlock(base, std::move(starts), std::move(blockValues));
        m_bases.insertText(static_cast<int>(m_blocks.size()) - 1, start - base);
    }
}

void Partitioning::appendBlock(int base, std::vector<int> starts, std::vector<int> values) {
    int block = static_cast<int>(m_blocks.size());
    int count = static_cast<int>(starts.size());
    // The new block's span begins at the end of the text, so the old last block ends there.
    m_bases.insertText(block - 1, base - end());
    m_bases.insertPartition(block, base);
    m_firsts.insertPartition(block, m_count);
    m_firsts.insertText(block, count);
    m_count += count;
    m_blocks.push_back(Block{std::move(starts), std::move(values)});
}

void Partitioning::splitBlock(int block, std::size_t at) {
    Block& b = m_blocks[static_cast<std::size_t>(block)];
    int shift = b.starts[at];
    Block second{std::vector<int>(b.starts.begin() + static_cast<std::ptrdiff_t>(at), b.starts.end()),
                 std::vector<int>(b.values.begin() + static_cast<std::ptrdiff_t>(at), b.values.end())};
    for (int& s : second.starts)
        s -= shift;
    // The block grew past its size, which doubled its vectors: what it keeps is all they hold.
    b.starts.resize(at);
    b.starts.shrink_to_fit();
    b.values.resize(at);
    b.values.shrink_to_fit();
    m_bases.insertPartition(block + 1, blockBase(block) + shift);
    m_firsts.insertPartition(block + 1, blockFirst(block) + static_cast<int>(at));
    m_blocks.insert(m_blocks.begin() + block + 1, std::move(second));
}

void Partitioning::joinSmall(int block) {
    int small = m_blockSize / 2;
    int size = m_blocks[static_cast<std::size_t>(block)].size();
    if (block + 1 < static_cast<int>(m_blocks.size()) &&
        size + m_blocks[static_cast<std::size_t>(block) + 1].size() <= small)
        joinWithNext(block);
    else if (block > 0 && size + m_blocks[static_cast<std::size_t>(block) - 1].size() <= small)
        joinWithNext(block - 1);
}

void Partitioning::joinWithNext(int block) {
    Block& b = m_blocks[static_cast<std::size_t>(block)];
    Block& next = m_blocks[static_cast<std::size_t>(block) + 1];
    int shift = blockBase(block + 1) - blockBase(block);
    for (int s : next.starts)
        b.starts.push_back(s + shift);
    b.values.insert(b.values.end(), next.values.begin(), next.values.end());
    m_bases.removePartition(block + 1);
    m_firsts.removePartition(block + 1);
    m_blocks.erase(m_blocks.begin() + block + 1);
}

void Partitioning::checkInvariants() const {
    m_bases.checkInvariants();
    m_firsts.checkInvariants();
    const int blocks = static_cast<int>(m_blocks.size());
    PM_ASSERT(blocks >= 1);
    PM_ASSERT(m_bases.partitions() == blocks && m_firsts.partitions() == blocks);
    PM_ASSERT(blockFirst(blocks) == m_count);
    for (int block = 0; block < blocks; ++block) {
        const Block& b = m_blocks[static_cast<std::size_t>(block)];
        PM_ASSERT(b.size() >= 1 && b.size() <= m_blockSize);
        PM_ASSERT(b.values.size() == b.starts.size());
        PM_ASSERT(b.starts[0] == 0);
        PM_ASSERT(blockFirst(block + 1) - blockFirst(block) == b.size());
        for (std::size_t i = 1; i < b.starts.size(); ++i)
            PM_ASSERT(b.starts[i - 1] <= b.starts[i]);
        PM_ASSERT(blockBase(block) + b.starts.back() <= blockBase(block + 1));
    }
}

} // namespace pm::richedit
