#pragma once
// An ordered list of partition starts in one flat gap buffer. Edits shift every later start; the
// shift is applied lazily as a pending "step" over a suffix of the list, so edits in one place
// cost O(1) amortised and lookups stay O(log n), while an edit far from the last costs a pass over
// the starts between. Partitioning keeps its blocks' starts in one of these: there are few.

#include "platform/win/richedit/split_vector.h"

#include <vector>

namespace pm::richedit {

class StepPartitioning {
public:
    StepPartitioning() { clear(); }

    // One partition [0, 0).
    void clear() {
        body_.clear();
        int zero[2] = {0, 0};
        body_.insert(0, zero, 2);
        stepPartition_ = 0;
        stepLength_ = 0;
    }

    int partitions() const { return static_cast<int>(body_.size()) - 1; }

    // Room for n more partitions without growing.
    void reserve(int n) { body_.reserveMore(static_cast<std::size_t>(n)); }

    int positionFromPartition(int partition) const {
        int pos = body_[static_cast<std::size_t>(partition)];
        return partition > stepPartition_ ? pos + stepLength_ : pos;
    }

    // The partition holding pos; a position on a boundary belongs to the later partition, and the
    // end of the text to the last one.
    int partitionFromPosition(int pos) const {
        int n = partitions();
        if (n <= 1 || pos < positionFromPartition(1)) return 0;
        if (pos >= positionFromPartition(n - 1)) return n - 1;
        int lo = 0, hi = n - 1;
        while (hi - lo > 1) {
            int mid = lo + (hi - lo) / 2;
            if (pos < positionFromPartition(mid))
                hi = mid;
            else
                lo = mid;
        }
        return lo;
    }

    // A new partition starting at pos, becoming partition number `partition`.
    void insertPartition(int partition, int pos) {
        if (stepPartition_ < partition) applyStep(partition);
        int value = pos;
        body_.insert(static_cast<std::size_t>(partition), &value, 1);
        ++stepPartition_;
    }

    // Merges partition `partition` into the one before it.
    void removePartition(int partition) {
        if (partition > stepPartition_) applyStep(partition);
        --stepPartition_;
        body_.erase(static_cast<std::size_t>(partition), 1);
    }

    // Text of length delta was inserted (or, negative, removed) inside partition `partition`:
    // every later start moves.
    void insertText(int partition, int delta) {
        if (delta == 0) return;
        if (stepLength_ != 0) {
            if (partition >= stepPartition_) {
                applyStep(partition);
                stepLength_ += delta;
            } else if (partition >= stepPartition_ - partitions() / 10) {
                backStep(partition);
                stepLength_ += delta;
            } else {
                applyStep(partitions());
                stepPartition_ = partition;
                stepLength_ = delta;
            }
        } else {
            stepPartition_ = partition;
            stepLength_ = delta;
        }
    }

    // Adds partitions after the last one, each as long as given: the text grows at its end.
    void appendPartitions(const int* lengths, int n) {
        if (n <= 0) return;
        applyStep(partitions());
        std::vector<int> ends(static_cast<std::size_t>(n));
        int end = body_[body_.size() - 1];
        for (int i = 0; i < n; ++i)
            ends[static_cast<std::size_t>(i)] = end += lengths[i];
        body_.insert(body_.size(), ends.data(), ends.size());
        stepPartition_ = partitions();
    }

private:
    void applyStep(int upTo) {
        if (stepLength_ != 0)
            body_.addRange(static_cast<std::size_t>(stepPartition_) + 1, static_cast<std::size_t>(upTo) + 1,
                           stepLength_);
        stepPartition_ = upTo;
        if (stepPartition_ >= partitions()) {
            stepPartition_ = partitions();
            stepLength_ = 0;
        }
    }

    void backStep(int down) {
        if (stepLength_ != 0)
            body_.addRange(static_cast<std::size_t>(down) + 1, static_cast<std::size_t>(stepPartition_) + 1,
                           -stepLength_);
        stepPartition_ = down;
    }

    // body_[i] is the start of partition i; body_[partitions()] is the end of the text.
    SplitVector<int> body_;
    int stepPartition_ = 0;
    int stepLength_ = 0;
};

} // namespace pm::richedit
