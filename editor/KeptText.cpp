#include "editor/KeptText.h"

#include <algorithm>

namespace hh {

namespace {

// A held piece longer than this is spliced in: two edits far apart would otherwise hold all
// between them.
constexpr std::size_t kLongestPiece = 4096;

} // namespace

void KeptText::Assign(const char16_t* text, int count) {
    m_base.assign(text, static_cast<std::size_t>(count));
    m_base.reserve(m_base.size() + m_base.size() / 8 + 256);
    m_pieceFrom = -1;
    m_piece.clear();
}

void KeptText::Clear() {
    m_base = std::u16string();
    m_pieceFrom = -1;
    m_piece.clear();
}

int KeptText::Size() const {
    const int base = static_cast<int>(m_base.size());
    if (m_pieceFrom < 0) return base;
    return base - (m_baseTo - m_pieceFrom) + static_cast<int>(m_piece.size());
}

void KeptText::Edit(int prefix, int editEnd, int shift, const char16_t* text) {
    // The stretch the edit and the piece held cover together, in the text before the edit.
    int from = prefix, to = editEnd - shift, baseTo = to;
    if (m_pieceFrom >= 0) {
        const int pieceEnd = m_pieceFrom + static_cast<int>(m_piece.size());
        from = std::min(from, m_pieceFrom);
        to = std::max(to, pieceEnd);
        // What follows the piece stands in m_base moved by the piece's change of length.
        baseTo = to - pieceEnd + m_baseTo;
    }
    const std::size_t length = static_cast<std::size_t>(to + shift - from);
    if (length > kLongestPiece) {
        m_base.replace(static_cast<std::size_t>(from), static_cast<std::size_t>(baseTo - from), text + from,
                       length);
        m_pieceFrom = -1;
        m_piece.clear();
        return;
    }
    m_piece.assign(text + from, length);
    m_pieceFrom = from;
    m_baseTo = baseTo;
}

const std::u16string& KeptText::Whole() {
    flush();
    return m_base;
}

void KeptText::flush() {
    if (m_pieceFrom < 0) return;
    m_base.replace(static_cast<std::size_t>(m_pieceFrom), static_cast<std::size_t>(m_baseTo - m_pieceFrom),
                   m_piece);
    m_pieceFrom = -1;
    m_piece.clear();
}

} // namespace hh
