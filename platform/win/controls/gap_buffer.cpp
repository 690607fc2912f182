// The gap buffer of the edit control's text.

#include "platform/win/controls/gap_buffer.h"

#include <algorithm>
#include <cstring>

namespace pm::ctl {

void GapBuffer::moveGap(std::size_t pos) {
    if (pos < m_gapStart) {
        std::size_t n = m_gapStart - pos;
        std::memmove(m_buf.data() + m_gapEnd - n, m_buf.data() + pos, n);
        m_gapStart -= n;
        m_gapEnd -= n;
    } else if (pos > m_gapStart) {
        std::size_t n = pos - m_gapStart;
        std::memmove(m_buf.data() + m_gapStart, m_buf.data() + m_gapEnd, n);
        m_gapStart += n;
        m_gapEnd += n;
    }
}

void GapBuffer::makeRoom(std::size_t n) {
    if (gapLength() >= n) return;
    std::size_t grow = std::max(n - gapLength() + m_minGap, m_buf.size() / 2);
    std::size_t tail = m_buf.size() - m_gapEnd;
    m_buf.resize(m_buf.size() + grow);
    std::memmove(m_buf.data() + m_gapEnd + grow, m_buf.data() + m_gapEnd, tail);
    m_gapEnd += grow;
}

void GapBuffer::insert(std::size_t pos, std::string_view s) {
    if (s.empty()) return;
    pos = std::min(pos, size());
    makeRoom(s.size());
    moveGap(pos);
    std::memcpy(m_buf.data() + m_gapStart, s.data(), s.size());
    m_gapStart += s.size();
}

void GapBuffer::erase(std::size_t pos, std::size_t n) {
    if (pos >= size()) return;
    n = std::min(n, size() - pos);
    moveGap(pos);
    m_gapEnd += n;
}

std::string GapBuffer::text(std::size_t pos, std::size_t n) const {
    pos = std::min(pos, size());
    n = std::min(n, size() - pos);
    std::string out;
    out.reserve(n);
    std::size_t end = pos + n;
    if (pos < m_gapStart) out.append(m_buf.data() + pos, std::min(end, m_gapStart) - pos);
    if (end > m_gapStart) {
        std::size_t from = std::max(pos, m_gapStart);
        out.append(m_buf.data() + from + gapLength(), end - from);
    }
    return out;
}

} // namespace pm::ctl
