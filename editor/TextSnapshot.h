#pragma once
// hh::TextSnapshot: an unchangeable copy of a whole text whose storage is shared with the
// snapshot it was taken against. Only the stretch between the common start and the common end
// is stored anew, so an undo history of forty snapshots of a large text, each a few edits apart,
// costs little more than one copy. An owner keeps the last snapshot it took and passes it as the
// base of the next one (the text before a change, and the text before an undo alike). A change
// that touches the whole text (every line replaced) is stored whole.

#include "platform/framework/CString.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace hh {

class TextSnapshot {
public:
    TextSnapshot() = default;

    // A snapshot of text[0, length). Stretches equal to the start and the end of base are shared
    // with it; the rest is copied.
    static TextSnapshot Take(const char* text, std::size_t length, const TextSnapshot* base = nullptr);
    static TextSnapshot Take(const CString& text, const TextSnapshot* base = nullptr);
    // A snapshot of a text known to begin with base's first prefix characters and end with its
    // last suffix characters, with middle between: nothing is compared, only middle is copied.
    static TextSnapshot Splice(const TextSnapshot& base, std::size_t prefix, const char* middle,
                               std::size_t middleLength, std::size_t suffix);
    // The same with a middle whose string the snapshot takes over instead of copying it.
    static TextSnapshot Splice(const TextSnapshot& base, std::size_t prefix, std::string middle,
                               std::size_t suffix);

    std::size_t GetLength() const { return m_length; }
    // The text as one string.
    CString ToString() const;
    std::string ToStdString() const;

    // The characters [from, to) as one string.
    std::string Slice(std::size_t from, std::size_t to) const;
    // The lengths of the common start and the common end of a and b, which together never exceed
    // the shorter. Stretches the two share storage for are equal without being compared.
    static std::size_t CommonStart(const TextSnapshot& a, const TextSnapshot& b);
    static std::size_t CommonEnd(const TextSnapshot& a, const TextSnapshot& b, std::size_t limit);

    // Bytes of the distinct buffers behind the given snapshots: what they cost together.
    static std::size_t SharedBytes(const std::vector<const TextSnapshot*>& snapshots);
    std::size_t GetPieceCount() const { return m_pieces.size(); }

private:
    struct Piece {
        std::shared_ptr<const std::string> buffer;
        std::size_t offset;
        std::size_t length;
    };
    void append(const Piece& piece);
    void appendRange(const TextSnapshot& base, std::size_t from, std::size_t to);
    void appendCopy(const char* text, std::size_t length);
    void mergeSmallPieces();
    std::size_t commonPrefix(const char* text, std::size_t length) const;
    std::size_t commonSuffix(const char* text, std::size_t length, std::size_t limit) const;

    std::vector<Piece> m_pieces;
    std::size_t m_length = 0;
};

} // namespace hh
