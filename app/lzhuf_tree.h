#pragma once
// The adaptive Huffman code of the QZ10 coder over its 314 symbols (256 bytes and the match
// lengths 3 to 60), kept with the sibling property: every coded symbol has its frequency raised
// and the tree reordered; when the root's count reaches 0x8000 all counts are halved and the tree
// rebuilt.

#include <cstdint>

class LzhufTree {
public:
    static constexpr int kSymbols = 314;
    static constexpr int kNodes = 2 * kSymbols - 1;

    LzhufTree();

    // The code of a symbol: its bits, root first, with the last bit in bit 0, and their count.
    // Codes can be longer than 16 bits.
    void Code(int symbol, std::uint64_t& bits, int& length) const;

    // Walking down while decoding: the root's first child, and the child a bit leads to. A node
    // at or above kNodes is the leaf of symbol node - kNodes.
    int Root() const { return m_son[kNodes - 1]; }
    int Child(int node, int bit) const { return m_son[node + bit]; }

    // Counts one more occurrence of symbol.
    void Update(int symbol);

private:
    void Rebuild();

    unsigned m_freq[kNodes + 1];
    int m_prnt[kNodes + kSymbols];
    int m_son[kNodes];
};
