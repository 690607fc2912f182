#pragma once
// pm::PackedFormatRuns: character-format runs in two or three bytes each, for runs held long (an
// undo step keeps those of the text it replaced). A run is its format index in a byte (255: the
// index follows as a number) and its length as a number: seven bits a byte, the lowest first,
// every byte but the last with its top bit set.

#include "platform/win/wintypes.h"

#include <cstddef>
#include <vector>

namespace pm {

class PackedFormatRuns {
public:
    // Adds a run of length positions (at least 0) in format (at least 0).
    void push_back(LONG length, int format) {
        if (format < kIndexFollows) {
            m_bytes.push_back(static_cast<unsigned char>(format));
        } else {
            m_bytes.push_back(kIndexFollows);
            putNumber(static_cast<unsigned long>(format));
        }
        putNumber(static_cast<unsigned long>(length));
        ++m_count;
    }
    // Room for runs runs of short lengths.
    void reserve(std::size_t runs) { m_bytes.reserve(2 * runs); }
    void clear() {
        std::vector<unsigned char>().swap(m_bytes);
        m_count = 0;
    }
    std::size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }
    // Calls f(length, format) for each run in order.
    template <class F> void forEach(F f) const {
        for (std::size_t at = 0; at < m_bytes.size();) {
            int format = m_bytes[at++];
            if (format == kIndexFollows) format = static_cast<int>(number(at));
            f(static_cast<LONG>(number(at)), format);
        }
    }

private:
    static constexpr unsigned char kIndexFollows = 255;

    void putNumber(unsigned long n) {
        for (; n >= 0x80; n >>= 7)
            m_bytes.push_back(static_cast<unsigned char>(n | 0x80));
        m_bytes.push_back(static_cast<unsigned char>(n));
    }
    unsigned long number(std::size_t& at) const {
        unsigned long n = 0;
        for (int shift = 0;; shift += 7) {
            const unsigned char b = m_bytes[at++];
            n |= static_cast<unsigned long>(b & 0x7F) << shift;
            if (!(b & 0x80)) return n;
        }
    }

    std::vector<unsigned char> m_bytes;
    std::size_t m_count = 0;
};

} // namespace pm
