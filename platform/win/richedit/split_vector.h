#pragma once
// A gap buffer: a vector with a movable hole, so runs of insertions and deletions at one place cost
// O(1) each after the first, and random access stays O(1).

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <vector>

namespace pm::richedit {

template <class T> class SplitVector {
public:
    std::size_t size() const { return body_.size() - gapLength_; }
    bool empty() const { return size() == 0; }

    T operator[](std::size_t i) const { return i < gapStart_ ? body_[i] : body_[i + gapLength_]; }
    T& at(std::size_t i) { return i < gapStart_ ? body_[i] : body_[i + gapLength_]; }

    void insert(std::size_t pos, const T* values, std::size_t n) {
        if (n == 0) return;
        makeGap(pos, n);
        std::copy(values, values + n, body_.begin() + static_cast<std::ptrdiff_t>(gapStart_));
        gapStart_ += n;
        gapLength_ -= n;
    }

    void insertValue(std::size_t pos, std::size_t n, T value) {
        if (n == 0) return;
        makeGap(pos, n);
        std::fill_n(body_.begin() + static_cast<std::ptrdiff_t>(gapStart_), n, value);
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

    void clear() {
        body_.clear();
        gapStart_ = gapLength_ = 0;
    }

    // Copies [pos, pos + n) to out.
    void copy(std::size_t pos, std::size_t n, T* out) const {
        std::size_t end = pos + n;
        if (pos < gapStart_) {
            std::size_t first = std::min(end, gapStart_) - pos;
            std::copy_n(body_.data() + pos, first, out);
            out += first;
            pos += first;
        }
        if (pos < end) std::copy_n(body_.data() + pos + gapLength_, end - pos, out);
    }

    // A contiguous view of [pos, pos + n), moving the gap out of the way when needed.
    const T* rangePointer(std::size_t pos, std::size_t n) {
        if (pos < gapStart_ && pos + n > gapStart_) moveGap(pos + n);
        return body_.data() + (pos < gapStart_ ? pos : pos + gapLength_);
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
        std::size_t old = body_.size();
        std::size_t grow = std::max(n - gapLength_, old / 2 + 64);
        body_.resize(old + grow);
        // Slide the part after the gap to the end, widening the gap.
        std::size_t tail = old - gapStart_ - gapLength_;
        std::move_backward(body_.begin() + static_cast<std::ptrdiff_t>(gapStart_ + gapLength_),
                           body_.begin() + static_cast<std::ptrdiff_t>(gapStart_ + gapLength_ + tail),
                           body_.end());
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
        auto base = body_.begin();
        if (pos < gapStart_) {
            std::move_backward(base + static_cast<std::ptrdiff_t>(pos),
                               base + static_cast<std::ptrdiff_t>(gapStart_),
                               base + static_cast<std::ptrdiff_t>(gapStart_ + gapLength_));
        } else {
            std::move(base + static_cast<std::ptrdiff_t>(gapStart_ + gapLength_),
                      base + static_cast<std::ptrdiff_t>(pos + gapLength_),
                      base + static_cast<std::ptrdiff_t>(gapStart_));
        }
        gapStart_ = pos;
    }

    std::vector<T> body_;
    std::size_t gapStart_ = 0;
    std::size_t gapLength_ = 0;
};

} // namespace pm::richedit
