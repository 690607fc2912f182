#pragma once
// A gap buffer: a vector with a movable hole, so runs of insertions and deletions at one place cost
// O(1) each after the first, and random access stays O(1). It holds plain values only and keeps
// them in raw storage: the gap is never written until used, and a large buffer grows by remapping
// its pages instead of copying them.

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstring>
#include <type_traits>
#include <utility>

namespace pm::richedit {

// Storage for SplitVector: resizes a block of oldBytes to newBytes keeping its contents (old may
// be null), or frees it. Throws std::bad_alloc when memory runs out.
void* resizeStorage(void* old, std::size_t oldBytes, std::size_t newBytes);
void freeStorage(void* block, std::size_t bytes);

template <class T> class SplitVector {
    static_assert(std::is_trivially_copyable_v<T>, "SplitVector holds plain values");

public:
    SplitVector() = default;
    SplitVector(const SplitVector& other) {
        if (other.capacity_ == 0) return;
        body_ = static_cast<T*>(resizeStorage(nullptr, 0, other.capacity_ * sizeof(T)));
        std::memcpy(body_, other.body_, other.capacity_ * sizeof(T));
        capacity_ = other.capacity_;
        gapStart_ = other.gapStart_;
        gapLength_ = other.gapLength_;
    }
    SplitVector(SplitVector&& other) noexcept { swap(other); }
    SplitVector& operator=(SplitVector other) noexcept {
        swap(other);
        return *this;
    }
    ~SplitVector() { freeStorage(body_, capacity_ * sizeof(T)); }

    void swap(SplitVector& other) noexcept {
        std::swap(body_, other.body_);
        std::swap(capacity_, other.capacity_);
        std::swap(gapStart_, other.gapStart_);
        std::swap(gapLength_, other.gapLength_);
    }

    std::size_t size() const { return capacity_ - gapLength_; }
    bool empty() const { return size() == 0; }

    T operator[](std::size_t i) const { return i < gapStart_ ? body_[i] : body_[i + gapLength_]; }
    T& at(std::size_t i) { return i < gapStart_ ? body_[i] : body_[i + gapLength_]; }

    void insert(std::size_t pos, const T* values, std::size_t n) {
        if (n == 0) return;
        makeGap(pos, n);
        if (n == 1)
            body_[gapStart_] = *values;
        else
            std::memcpy(body_ + gapStart_, values, n * sizeof(T));
        gapStart_ += n;
        gapLength_ -= n;
    }

    void insertValue(std::size_t pos, std::size_t n, T value) {
        if (n == 0) return;
        makeGap(pos, n);
        if (n == 1)
            body_[gapStart_] = value;
        else
            std::fill_n(body_ + gapStart_, n, value);
        gapStart_ += n;
        gapLength_ -= n;
    }

    void erase(std::size_t pos, std::size_t n) {
        if (n == 0) return;
        assert(pos + n <= size());
        if (pos == 0 && n == size()) {
            clear();
            return;
        }
        moveGap(pos);
        gapLength_ += n;
    }

    // Empties the vector and gives its storage back.
    void clear() {
        freeStorage(body_, capacity_ * sizeof(T));
        body_ = nullptr;
        capacity_ = gapStart_ = gapLength_ = 0;
    }

    // Copies [pos, pos + n) to out.
    void copy(std::size_t pos, std::size_t n, T* out) const {
        std::size_t end = pos + n;
        if (pos < gapStart_) {
            std::size_t first = std::min(end, gapStart_) - pos;
            std::copy_n(body_ + pos, first, out);
            out += first;
            pos += first;
        }
        if (pos < end) std::copy_n(body_ + pos + gapLength_, end - pos, out);
    }

    // Calls f(values, count) for the one or two contiguous stretches [pos, pos + n) is kept in.
    template <class F> void forEachSegment(std::size_t pos, std::size_t n, F f) const {
        std::size_t end = pos + n;
        if (pos < gapStart_ && pos < end) {
            std::size_t first = std::min(end, gapStart_) - pos;
            f(body_ + pos, first);
            pos += first;
        }
        if (pos < end) f(body_ + pos + gapLength_, end - pos);
    }

    // A contiguous view of [pos, pos + n), moving the gap out of the way when needed.
    const T* rangePointer(std::size_t pos, std::size_t n) {
        if (pos < gapStart_ && pos + n > gapStart_) moveGap(pos + n);
        return body_ + (pos < gapStart_ ? pos : pos + gapLength_);
    }

    // Adds delta to every element from pos to end (used by partitions).
    void addRange(std::size_t pos, std::size_t end, T delta) {
        for (std::size_t i = pos; i < end && i < gapStart_; ++i)
            body_[i] += delta;
        for (std::size_t i = std::max(pos, gapStart_); i < end; ++i)
            body_[i + gapLength_] += delta;
    }

    void reserveMore(std::size_t n) {
        if (gapLength_ >= n) return;
        std::size_t old = capacity_;
        std::size_t grow = std::max(n - gapLength_, old / 2 + 64);
        body_ = static_cast<T*>(resizeStorage(body_, old * sizeof(T), (old + grow) * sizeof(T)));
        capacity_ = old + grow;
        // Slide the part after the gap to the end, widening the gap.
        std::size_t tail = old - gapStart_ - gapLength_;
        std::memmove(body_ + gapStart_ + gapLength_ + grow, body_ + gapStart_ + gapLength_, tail * sizeof(T));
        gapLength_ += grow;
    }

private:
    void makeGap(std::size_t pos, std::size_t n) {
        assert(pos <= size());
        reserveMore(n);
        moveGap(pos);
    }

    void moveGap(std::size_t pos) {
        if (pos == gapStart_) return;
        if (pos < gapStart_)
            std::memmove(body_ + pos + gapLength_, body_ + pos, (gapStart_ - pos) * sizeof(T));
        else
            std::memmove(body_ + gapStart_, body_ + gapStart_ + gapLength_, (pos - gapStart_) * sizeof(T));
        gapStart_ = pos;
    }

    T* body_ = nullptr;
    std::size_t capacity_ = 0;
    std::size_t gapStart_ = 0;
    std::size_t gapLength_ = 0;
};

} // namespace pm::richedit
