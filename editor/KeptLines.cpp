#include "editor/KeptLines.h"

#include <algorithm>

namespace hh {

void KeptLines::Read(int from, int to) {
    m_from = from;
    m_to = to;
    m_altered = Stretch(0, 0);
    m_changes = 0;
}

void KeptLines::Altered(Stretch altered) {
    if (m_from < 0 || altered.first >= altered.second) return;
    if (m_altered.first < m_altered.second)
        altered =
            Stretch(std::min(altered.first, m_altered.first), std::max(altered.second, m_altered.second));
    m_altered = altered;
}

void KeptLines::Change(int from, int to, int length) {
    if (m_from < 0) return;
    // One change inside the lines, or at either end of them, is spliced; any other is not.
    if (m_changes > 0 || from < m_from || to > m_to) {
        Forget();
        return;
    }
    m_changes = 1;
    m_changeFrom = from;
    m_changeTo = to;
    m_lengthBefore = length;
}

bool KeptLines::Splice(int from, int to, int length, std::string& text, std::u16string& wide,
                       const Reader& read) {
    if (m_from < 0 || from != m_from) return false;
    const int shift = m_changes > 0 ? length - m_lengthBefore : 0;
    const int removed = m_changes > 0 ? m_changeTo - m_changeFrom : 0;
    const int inserted = removed + shift;
    const std::size_t kept = static_cast<std::size_t>(m_to - m_from);
    if (inserted < 0 || to - from != m_to - m_from + shift || text.size() != kept || wide.size() != kept)
        return false;
    // The overwritten characters first, while they stand where they were read.
    for (int i = std::max(m_altered.first, m_from); i < std::min(m_altered.second, m_to); ++i) {
        const std::size_t at = static_cast<std::size_t>(i - m_from);
        wide[at] = static_cast<unsigned char>(text[at]);
    }
    if (m_changes > 0) {
        std::string piece(static_cast<std::size_t>(inserted) + 1, '\0');
        read(m_changeFrom, m_changeFrom + inserted, piece.data());
        piece.resize(static_cast<std::size_t>(inserted));
        std::u16string widened(piece.size(), u'\0');
        std::transform(piece.begin(), piece.end(), widened.begin(),
                       [](char c) { return static_cast<char16_t>(static_cast<unsigned char>(c)); });
        const std::size_t at = static_cast<std::size_t>(m_changeFrom - m_from);
        text.replace(at, static_cast<std::size_t>(removed), piece);
        wide.replace(at, static_cast<std::size_t>(removed), widened);
    }
    Read(from, to);
    return true;
}

} // namespace hh
