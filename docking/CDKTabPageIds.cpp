#include "docking/CDKTabPageIds.h"

#include <algorithm>

UINT CDKTabPageIds::Take() {
    UINT nID = m_pool.back();
    if (m_pool.size() == 1) {
        ++m_pool.back();
    } else {
        m_pool.pop_back();
    }
    m_handedOut.push_back(nID);
    return nID;
}

void CDKTabPageIds::Give(UINT nID) {
    auto it = std::find(m_handedOut.begin(), m_handedOut.end(), nID);
    if (it == m_handedOut.end()) return;
    m_handedOut.erase(it);
    m_pool.push_back(nID);
}
