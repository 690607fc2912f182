#include "app/lzhuf_tree.h"

#include <algorithm>

namespace {

const int T = LzhufTree::kNodes;
const int R = T - 1;
const int N_CHAR = LzhufTree::kSymbols;
const unsigned MAX_FREQ = 0x8000;

} // namespace

LzhufTree::LzhufTree() {
    for (int i = 0; i < N_CHAR; i++) {
        m_freq[i] = 1;
        m_son[i] = i + T;
        m_prnt[i + T] = i;
    }
    for (int i = 0, j = N_CHAR; j <= R; i += 2, j++) {
        m_freq[j] = m_freq[i] + m_freq[i + 1];
        m_son[j] = i;
        m_prnt[i] = m_prnt[i + 1] = j;
    }
    m_freq[T] = 0xFFFF; // stops the search for a node to swap with
    m_prnt[R] = 0;
}

void LzhufTree::Code(int symbol, std::uint64_t& bits, int& length) const {
    bits = 0;
    length = 0;
    int k = m_prnt[symbol + T];
    do {
        bits |= static_cast<std::uint64_t>(k & 1) << length;
        length++;
    } while ((k = m_prnt[k]) != R);
}

void LzhufTree::Update(int symbol) {
    if (m_freq[R] == MAX_FREQ) Rebuild();
    int c = m_prnt[symbol + T];
    do {
        unsigned k = ++m_freq[c];
        int l = c + 1;
        if (k > m_freq[l]) {
            // Swap c with the last node of a lower count, keeping the counts in order.
            while (k > m_freq[++l]) {
            }
            l--;
            m_freq[c] = m_freq[l];
            m_freq[l] = k;
            int i = m_son[c];
            m_prnt[i] = l;
            if (i < T) m_prnt[i + 1] = l;
            int j = m_son[l];
            m_son[l] = i;
            m_prnt[j] = c;
            if (j < T) m_prnt[j + 1] = c;
            m_son[c] = j;
            c = l;
        }
    } while ((c = m_prnt[c]) != 0);
}

void LzhufTree::Rebuild() {
    // Leaves to the front with halved counts (rounded up), in their order.
    int j = 0;
    for (int i = 0; i < T; i++) {
        if (m_son[i] >= T) {
            m_freq[j] = (m_freq[i] + 1) / 2;
            m_son[j] = m_son[i];
            j++;
        }
    }
    // Internal nodes pair them up again, each placed where its count keeps the order.
    for (int i = 0, node = N_CHAR; node < T; i += 2, node++) {
        unsigned f = m_freq[i] + m_freq[i + 1];
        int k = node - 1;
        while (f < m_freq[k])
            k--;
        k++;
        std::copy_backward(m_freq + k, m_freq + node, m_freq + node + 1);
        m_freq[k] = f;
        std::copy_backward(m_son + k, m_son + node, m_son + node + 1);
        m_son[k] = i;
    }
    for (int i = 0; i < T; i++) {
        int k = m_son[i];
        if (k >= T)
            m_prnt[k] = i;
        else
            m_prnt[k] = m_prnt[k + 1] = i;
    }
}
