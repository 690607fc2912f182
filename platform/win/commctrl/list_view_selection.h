#pragma once
// The selected rows of a list view without rows of its own (owner data): sorted, disjoint runs of
// row indices, so that selecting a million rows costs one run.

#include <cstddef>
#include <map>

namespace pm::cc {

class SelectionRanges {
public:
    bool contains(int row) const;
    // Selects or deselects the rows first to last (inclusive).
    void set(int first, int last, bool on);
    void clear() { m_runs.clear(); }
    bool empty() const { return m_runs.empty(); }
    // The number of selected rows.
    long long count() const;
    // The first selected row after `row` (-1: from the start); -1 when there is none.
    int next(int row) const;
    // Drops the rows at and past `count`.
    void truncate(int count);
    // Removes row `row`, moving the later rows up by one.
    void removeRow(int row);
    std::size_t runCount() const { return m_runs.size(); }

private:
    std::map<int, int> m_runs; // first row -> last row, inclusive
};

} // namespace pm::cc
