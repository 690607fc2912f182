#pragma once
// A byte buffer with a movable gap: insertions and deletions near the last edit cost little.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pm::ctl {

class GapBuffer {
public:
    // minGap is the room made whenever the gap fills up (at least 1).
    explicit GapBuffer(std::size_t minGap = 64) : m_minGap(minGap ? minGap : 1) {}

    std::size_t size() const { return m_buf.size() - gapLength(); }
    char at(std::size_t i) const { return i < m_gapStart ? m_buf[i] : m_buf[i + gapLength()]; }
    // Inserts s before position pos (clamped to the end).
    void insert(std::size_t pos, std::string_view s);
    // Removes up to n bytes from pos.
    void erase(std::size_t pos, std::size_t n);
    // The bytes [pos, pos + n), clamped to the text.
    std::string text(std::size_t pos, std::size_t n) const;
    std::string text() const { return text(0, size()); }
    std::size_t gapPosition() const { return m_gapStart; }

private:
    std::size_t gapLength() const { return m_gapEnd - m_gapStart; }
    void moveGap(std::size_t pos);
    void makeRoom(std::size_t n);

    std::vector<char> m_buf;
    std::size_t m_gapStart = 0;
    std::size_t m_gapEnd = 0;
    std::size_t m_minGap;
};

} // namespace pm::ctl
