#pragma once
// A gap buffer: a vector with a movable hole, so runs of insertions and deletions at one place cost
// O(1) each after the first, and random access stays O(1). It holds plain values only and keeps
// them in raw storage: the gap is never written until used, and a large buffer grows by remapping
// its pages instead of copying them.

#include "platform/win/pm_assert.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <type_traits>
#include <utility>

namespace pm::richedit {

// Storage for SplitVector: resizes a block of oldBytes to newBytes keeping its contents (old may
// be null), or frees it. Throws std::bad_alloc when memory runs out.
void* resizeStorage(void* old, std::size_t oldBytes, std::size_t newBytes);
void freeStorage(void* block, std::size_t bytes);

// For values ascending over [values, values + n): the index of the last one at most v, or -1 when
// there is none. Each step picks its half without a jump, so look-ups at random places cost no
// mispredicted branches.
template <class T> std::ptrdiff_t lastAtMost(const T* values, std::size_t n, T v) {
    if (n == 0) return -1;
    const T* base = values;
    while (n > 1) {
        const std::size_t half = n / 2;
        base = base[half] <= v ? base + half : base;
        n -= half;
    }
    return *base <= v ? base - values : -1;
}

template <class T> class SplitVector {
    static_assert(std::is_trivially_copyable_v<T>, "SplitVector holds plain values");

public:
    SplitVector() = default;
    SplitVector(const SplitVector& other) {
        if (other.m_capacity == 0) return;
        m_body = static_cast<T*>(resizeStorage(nullptr, 0, other.m_capacity * sizeof(T)));
        std::memcpy(m_body, other.m_body, other.m_capacity * sizeof(T));
        m_capacity = other.m_capacity;
        m_gapStart = other.m_gapStart;
        m_gapLength = other.m_gapLength;
    }
    SplitVector(SplitVector&& other) noexcept { swap(other); }
    SplitVector& operator=(SplitVector other) noexcept {
        swap(other);
        return *this;
    }
    ~SplitVector() { freeStorage(m_body, m_capacity * sizeof(T)); }

    void swap(SplitVector& other) noexcept {
        std::swap(m_body, other.m_body);
        std::swap(m_capacity, other.m_capacity);
        std::swap(m_gapStart, other.m_gapStart);
        std::swap(m_gapLength, other.m_gapLength);
    }

    std::size_t size() const { return m_capacity - m_gapLength; }
    bool empty() const { return size() == 0; }

    T operator[](std::size_t i) const { return i < m_gapStart ? m_body[i] : m_body[i + m_gapLength]; }
    T& at(std::size_t i) { return i < m_gapStart ? m_body[i] : m_body[i + m_gapLength]; }

    void insert(std::size_t pos, const T* values, std::size_t n) {
        if (n == 0) return;
        makeGap(pos, n);
        if (n == 1)
            m_body[m_gapStart] = *values;
        else
            std::memcpy(m_body + m_gapStart, values, n * sizeof(T));
        m_gapStart += n;
        m_gapLength -= n;
    }

    void insertValue(std::size_t pos, std::size_t n, T value) {
        if (n == 0) return;
        makeGap(pos, n);
        if (n == 1)
            m_body[m_gapStart] = value;
        else
            std::fill_n(m_body + m_gapStart, n, value);
        m_gapStart += n;
        m_gapLength -= n;
    }

    void erase(std::size_t pos, std::size_t n) {
        if (n == 0) return;
        PM_ASSERT(pos + n <= size());
        if (pos == 0 && n == size()) {
            clear();
            return;
        }
        moveGap(pos);
        m_gapLength += n;
    }

    // Empties the vector and gives its storage back.
    void clear() {
        freeStorage(m_body, m_capacity * sizeof(T));
        m_body = nullptr;
        m_capacity = m_gapStart = m_gapLength = 0;
    }

    // Copies [pos, pos + n) to out.
    void copy(std::size_t pos, std::size_t n, T* out) const {
        std::size_t end = pos + n;
        if (pos < m_gapStart) {
            std::size_t first = std::min(end, m_gapStart) - pos;
            std::copy_n(m_body + pos, first, out);
            out += first;
            pos += first;
        }
        if (pos < end) std::copy_n(m_body + pos + m_gapLength, end - pos, out);
    }

    // Calls f(values, count) for the one or two contiguous stretches [pos, pos + n) is kept in.
    template <class F> void forEachSegment(std::size_t pos, std::size_t n, F f) const {
        std::size_t end = pos + n;
        if (pos < m_gapStart && pos < end) {
            std::size_t first = std::min(end, m_gapStart) - pos;
            f(m_body + pos, first);
            pos += first;
        }
        if (pos < end) f(m_body + pos + m_gapLength, end - pos);
    }

    // A contiguous view of [pos, pos + n), moving the gap out of the way when needed.
    const T* rangePointer(std::size_t pos, std::size_t n) {
        if (pos < m_gapStart && pos + n > m_gapStart) moveGap(pos + n);
        return m_body + (pos < m_gapStart ? pos : pos + m_gapLength);
    }

    // For values ascending over [first, end): the index of the last one at most v, or first - 1
    // when there is none. A binary search over the stored stretches, the gap skipped.
    std::ptrdiff_t lastAtMost(std::size_t first, std::size_t end, T v) const {
        if (first >= end) return static_cast<std::ptrdiff_t>(first) - 1;
        // The part after the gap when the search reaches into it and v is not below its start.
        if (end > m_gapStart && (first >= m_gapStart || !(v < m_body[m_gapStart + m_gapLength]))) {
            const std::size_t from = std::max(first, m_gapStart);
            return static_cast<std::ptrdiff_t>(from) +
                   pm::richedit::lastAtMost(m_body + m_gapLength + from, end - from, v);
        }
        return static_cast<std::ptrdiff_t>(first) +
               pm::richedit::lastAtMost(m_body + first, std::min(end, m_gapStart) - first, v);
    }
    // Adds delta to every element from pos to end (used by partitions).
    void addRange(std::size_t pos, std::size_t end, T delta) {
        for (std::size_t i = pos; i < end && i < m_gapStart; ++i)
            m_body[i] += delta;
        for (std::size_t i = std::max(pos, m_gapStart); i < end; ++i)
            m_body[i + m_gapLength] += delta;
    }

    void reserveMore(std::size_t n) {
        if (m_gapLength >= n) return;
        std::size_t old = m_capacity;
        std::size_t grow = std::max(n - m_gapLength, old / 2 + 64);
        m_body = static_cast<T*>(resizeStorage(m_body, old * sizeof(T), (old + grow) * sizeof(T)));
        m_capacity = old + grow;
        // Slide the part after the gap to the end, widening the gap.
        std::size_t tail = old - m_gapStart - m_gapLength;
        std::memmove(m_body + m_gapStart + m_gapLength + grow, m_body + m_gapStart + m_gapLength,
                     tail * sizeof(T));
        m_gapLength += grow;
    }

private:
    void makeGap(std::size_t pos, std::size_t n) {
        PM_ASSERT(pos <= size());
        reserveMore(n);
        moveGap(pos);
    }

    void moveGap(std::size_t pos) {
        if (pos == m_gapStart) return;
        if (pos < m_gapStart)
            std::memmove(m_body + pos + m_gapLength, m_body + pos, (m_gapStart - pos) * sizeof(T));
        else
            std::memmove(m_body + m_gapStart, m_body + m_gapStart + m_gapLength,
                         (pos - m_gapStart) * sizeof(T));
        m_gapStart = pos;
    }

    T* m_body = nullptr;
    std::size_t m_capacity = 0;
    std::size_t m_gapStart = 0;
    std::size_t m_gapLength = 0;
};

} // namespace pm::richedit
