#pragma once
// An ordered list of partition starts in one flat gap buffer. Edits shift every later start; the
// shift is applied lazily as a pending "step" over a suffix of the list, so edits in one place
// cost O(1) amortised and lookups stay O(log n), while an edit far from the last costs a pass over
// the starts between. Partitioning keeps its blocks' starts in one of these: there are few.

#include "platform/win/pm_assert.h"
#include "platform/win/richedit/split_vector.h"

#include <vector>

namespace pm::richedit {

class StepPartitioning {
public:
    StepPartitioning() { clear(); }

    // One partition [0, 0).
    void clear() {
        m_body.clear();
        int zero[2] = {0, 0};
        m_body.insert(0, zero, 2);
        m_stepPartition = 0;
        m_stepLength = 0;
    }

    int partitions() const { return static_cast<int>(m_body.size()) - 1; }

    // Room for n more partitions without growing.
    void reserve(int n) { m_body.reserveMore(static_cast<std::size_t>(n)); }

    int positionFromPartition(int partition) const {
        int pos = m_body[static_cast<std::size_t>(partition)];
        return partition > m_stepPartition ? pos + m_stepLength : pos;
    }

    // The partition holding pos; a position on a boundary belongs to the later partition, and the
    // end of the text to the last one.
    int partitionFromPosition(int pos) const {
        // The last of starts 0 to partitions() - 1 at or before pos. Those after the step
        // partition are stored without the step, so each side is searched as stored.
        const std::size_t end = static_cast<std::size_t>(partitions());
        const std::size_t stepped = std::min(static_cast<std::size_t>(m_stepPartition) + 1, end);
        if (stepped < end && pos - m_stepLength >= m_body[stepped])
            return static_cast<int>(m_body.lastAtMost(stepped, end, pos - m_stepLength));
        return std::max(0, static_cast<int>(m_body.lastAtMost(0, stepped, pos)));
    }

    // A new partition starting at pos, becoming partition number `partition`.
    void insertPartition(int partition, int pos) {
        if (m_stepPartition < partition) applyStep(partition);
        int value = pos;
        m_body.insert(static_cast<std::size_t>(partition), &value, 1);
        ++m_stepPartition;
    }

    // Merges partition `partition` into the one before it.
    void removePartition(int partition) {
        if (partition > m_stepPartition) applyStep(partition);
        --m_stepPartition;
        m_body.erase(static_cast<std::size_t>(partition), 1);
    }

    // Text of length delta was inserted (or, negative, removed) inside partition `partition`:
    // every later start moves.
    void insertText(int partition, int delta) {
        if (delta == 0) return;
        if (m_stepLength != 0) {
            if (partition >= m_stepPartition) {
                applyStep(partition);
                m_stepLength += delta;
            } else if (partition >= m_stepPartition - partitions() / 10) {
                backStep(partition);
                m_stepLength += delta;
            } else {
                applyStep(partitions());
                m_stepPartition = partition;
                m_stepLength = delta;
            }
        } else {
            m_stepPartition = partition;
            m_stepLength = delta;
        }
    }

    // Adds partitions after the last one, each as long as given: the text grows at its end.
    void appendPartitions(const int* lengths, int n) {
        if (n <= 0) return;
        applyStep(partitions());
        std::vector<int> ends(static_cast<std::size_t>(n));
        int end = m_body[m_body.size() - 1];
        for (int i = 0; i < n; ++i)
            ends[static_cast<std::size_t>(i)] = end += lengths[i];
        m_body.insert(m_body.size(), ends.data(), ends.size());
        m_stepPartition = partitions();
    }

    // Checks, through PM_ASSERT, that the first start is 0, the starts never go back and the pending
    // step lies inside the list. A pass over every start: for tests.
    void checkInvariants() const {
        PM_ASSERT(partitions() >= 1);
        PM_ASSERT(m_stepPartition >= 0 && m_stepPartition <= partitions());
        PM_ASSERT(m_stepPartition < partitions() || m_stepLength == 0);
        PM_ASSERT(positionFromPartition(0) == 0);
        for (int i = 1; i <= partitions(); ++i)
            PM_ASSERT(positionFromPartition(i - 1) <= positionFromPartition(i));
    }

private:
    void applyStep(int upTo) {
        if (m_stepLength != 0)
            m_body.addRange(static_cast<std::size_t>(m_stepPartition) + 1, static_cast<std::size_t>(upTo) + 1,
                            m_stepLength);
        m_stepPartition = upTo;
        if (m_stepPartition >= partitions()) {
            m_stepPartition = partitions();
            m_stepLength = 0;
        }
    }

    void backStep(int down) {
        if (m_stepLength != 0)
            m_body.addRange(static_cast<std::size_t>(down) + 1, static_cast<std::size_t>(m_stepPartition) + 1,
                            -m_stepLength);
        m_stepPartition = down;
    }

    // m_body[i] is the start of partition i; m_body[partitions()] is the end of the text.
    SplitVector<int> m_body;
    int m_stepPartition = 0;
    int m_stepLength = 0;
};

} // namespace pm::richedit
