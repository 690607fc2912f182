// Selected rows kept as runs: set and clear split and merge the runs they touch.

#include "platform/win/commctrl/list_view_selection.h"

#include <algorithm>
#include <iterator>

namespace pm::cc {

bool SelectionRanges::contains(int row) const {
    auto it = m_runs.upper_bound(row);
    if (it == m_runs.begin()) return false;
    --it;
    return row <= it->second;
}

void SelectionRanges::set(int first, int last, bool on) {
    if (first > last) return;
    // Take out every run overlapping or touching [first, last], keeping the parts outside it.
    auto it = m_runs.upper_bound(first);
    if (it != m_runs.begin()) --it;
    int keepLeftFirst = 0, keepLeftLast = -1, keepRightFirst = 0, keepRightLast = -1;
    int mergedFirst = first, mergedLast = last;
    while (it != m_runs.end() && it->first <= last + 1) {
        int a = it->first, b = it->second;
        if (b < first - 1) {
            ++it;
            continue;
        }
        if (on) {
            mergedFirst = std::min(mergedFirst, a);
            mergedLast = std::max(mergedLast, b);
        } else {
            if (a < first) keepLeftFirst = a, keepLeftLast = std::min(b, first - 1);
            if (b > last) keepRightFirst = std::max(a, last + 1), keepRightLast = b;
        }
        it = m_runs.erase(it);
    }
    if (on) {
        m_runs[mergedFirst] = mergedLast;
        return;
    }
    if (keepLeftLast >= keepLeftFirst) m_runs[keepLeftFirst] = keepLeftLast;
    if (keepRightLast >= keepRightFirst) m_runs[keepRightFirst] = keepRightLast;
}

long long SelectionRanges::count() const {
    long long n = 0;
    for (const auto& [a, b] : m_runs)
        n += static_cast<long long>(b) - a + 1;
    return n;
}

int SelectionRanges::next(int row) const {
    int from = row + 1;
    auto it = m_runs.upper_bound(from);
    if (it != m_runs.begin()) {
        auto before = std::prev(it);
        if (before->second >= from) return from;
    }
    return it == m_runs.end() ? -1 : it->first;
}

void SelectionRanges::truncate(int count) {
    set(std::max(0, count), 0x7fffffff - 1, false);
}

void SelectionRanges::removeRow(int row) {
    set(row, row, false);
    std::map<int, int> moved;
    for (auto it = m_runs.begin(); it != m_runs.end();) {
        if (it->second < row) {
            ++it;
            continue;
        }
        moved[it->first - 1] = it->second - 1;
        it = m_runs.erase(it);
    }
    for (const auto& [a, b] : moved)
        set(a, b, true);
}

} // namespace pm::cc
