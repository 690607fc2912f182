#pragma once
// How far two arrays of characters or token words run alike from their starts or back from their
// ends, comparing blocks first: a long line edited in one place is compared quickly.

#include <cstring>

namespace hh {

// How many leading elements a and b share, up to n.
template <class T> int SameLeading(const T* a, const T* b, int n) {
    constexpr int kBlock = 512;
    int i = 0;
    while (i + kBlock <= n && std::memcmp(a + i, b + i, kBlock * sizeof(T)) == 0)
        i += kBlock;
    while (i < n && a[i] == b[i])
        ++i;
    return i;
}

// How many trailing elements the arrays ending at aEnd and bEnd share, up to n.
template <class T> int SameTrailing(const T* aEnd, const T* bEnd, int n) {
    constexpr int kBlock = 512;
    int i = 0;
    while (i + kBlock <= n && std::memcmp(aEnd - i - kBlock, bEnd - i - kBlock, kBlock * sizeof(T)) == 0)
        i += kBlock;
    while (i < n && aEnd[-i - 1] == bEnd[-i - 1])
        ++i;
    return i;
}

} // namespace hh
