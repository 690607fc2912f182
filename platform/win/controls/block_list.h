#pragma once
// A sequence kept in blocks of bounded length: inserting or erasing in the middle moves the items of
// one block and the starts of the blocks after it, not the whole sequence, so filling a sorted list
// one item at a time stays fast. An index finds its block by a binary search over the starts.

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace pm::ctl {

template <class T> class BlockList {
public:
    // A block is split when it grows past twice blockSize items (at least 1).
    explicit BlockList(std::size_t blockSize = 128) : m_blockSize(std::max<std::size_t>(blockSize, 1)) {}

    std::size_t size() const { return m_size; }
    T& operator[](std::size_t i) {
        const auto [b, o] = locate(i);
        return m_blocks[b][o];
    }
    const T& operator[](std::size_t i) const {
        const auto [b, o] = locate(i);
        return m_blocks[b][o];
    }

    // Inserts before index at (at most size()).
    void insert(std::size_t at, T value) {
        if (m_blocks.empty()) {
            m_blocks.emplace_back();
            m_starts.push_back(0);
        }
        const auto [b, o] =
            at == m_size ? std::pair(m_blocks.size() - 1, m_blocks.back().size()) : locate(at);
        std::vector<T>& block = m_blocks[b];
        block.insert(block.begin() + static_cast<std::ptrdiff_t>(o), std::move(value));
        ++m_size;
        for (std::size_t k = b + 1; k < m_starts.size(); ++k)
            ++m_starts[k];
        if (block.size() > 2 * m_blockSize) split(b);
    }

    void erase(std::size_t at) {
        const auto [b, o] = locate(at);
        std::vector<T>& block = m_blocks[b];
        block.erase(block.begin() + static_cast<std::ptrdiff_t>(o));
        --m_size;
        for (std::size_t k = b + 1; k < m_starts.size(); ++k)
            --m_starts[k];
        if (!block.empty()) return;
        m_blocks.erase(m_blocks.begin() + static_cast<std::ptrdiff_t>(b));
        m_starts.erase(m_starts.begin() + static_cast<std::ptrdiff_t>(b));
    }

    void clear() {
        m_blocks.clear();
        m_starts.clear();
        m_size = 0;
    }

    // Calls fn with each item in order.
    template <class Fn> void forEach(Fn fn) {
        for (std::vector<T>& block : m_blocks)
            for (T& item : block)
                fn(item);
    }
    template <class Fn> void forEach(Fn fn) const {
        for (const std::vector<T>& block : m_blocks)
            for (const T& item : block)
                fn(item);
    }

    std::size_t blockCount() const { return m_blocks.size(); }

private:
    // The block holding index i (below size()) and i's place in it.
    std::pair<std::size_t, std::size_t> locate(std::size_t i) const {
        const auto after = std::upper_bound(m_starts.begin(), m_starts.end(), i);
        const auto b = static_cast<std::size_t>(after - m_starts.begin()) - 1;
        return {b, i - m_starts[b]};
    }

    void split(std::size_t b) {
        std::vector<T>& block = m_blocks[b];
        const std::size_t half = block.size() / 2;
        std::vector<T> tail(std::make_move_iterator(block.begin() + static_cast<std::ptrdiff_t>(half)),
                            std::make_move_iterator(block.end()));
        block.erase(block.begin() + static_cast<std::ptrdiff_t>(half), block.end());
        const std::size_t start = m_starts[b] + half;
        m_blocks.insert(m_blocks.begin() + static_cast<std::ptrdiff_t>(b) + 1, std::move(tail));
        m_starts.insert(m_starts.begin() + static_cast<std::ptrdiff_t>(b) + 1, start);
    }

    std::vector<std::vector<T>> m_blocks;
    std::vector<std::size_t> m_starts; // the index of each block's first item
    std::size_t m_size = 0;
    std::size_t m_blockSize;
};

} // namespace pm::ctl
