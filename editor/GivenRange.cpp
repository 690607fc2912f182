#include "editor/GivenRange.h"

#include <algorithm>

namespace hh {

void GivenRange::Given(unsigned call, int from, int to, int length, Stretch altered) {
    m_call = call;
    m_from = from;
    m_after = length - to;
    m_head = length;
    m_tail = length;
    if (altered.first < altered.second) Change(altered.first, altered.second, length);
}

void GivenRange::Change(int from, int to, int length) {
    m_head = std::min(m_head, from);
    m_tail = std::min(m_tail, length - to);
}

bool GivenRange::Hint(int from, int to, int length, Stretch altered, unsigned& call, int& head,
                      int& tail) const {
    int first = m_head, kept = m_tail;
    if (altered.first < altered.second) {
        first = std::min(first, altered.first);
        kept = std::min(kept, length - altered.second);
    }
    // The same range, with no change before or after it.
    if (m_call == 0 || from != m_from || length - to != m_after || first < from || kept < m_after)
        return false;
    call = m_call;
    head = first - from;
    tail = kept - m_after;
    return true;
}

} // namespace hh
