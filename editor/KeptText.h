#pragma once
// hh::KeptText: the text of a long line kept across its edits. An edit whose place is told is not
// spliced into the text at once: the characters it wrote are held apart, joined with those of the
// edits after it, and the text is put together only when it is read whole or the held piece grows
// large. Typing on a long line so moves the line's tail once in many keys instead of at each.

#include <string>

namespace hh {

class KeptText {
public:
    void Assign(const char16_t* text, int count);
    void Clear();
    bool Empty() const { return Size() == 0; }
    // The length of the text, its held edits included.
    int Size() const;
    // [prefix, editEnd) of text, now count characters long, replaced what stood there in the kept
    // text, moving what followed by shift.
    void Edit(int prefix, int editEnd, int shift, const char16_t* text);
    // The text whole, the held edits spliced in.
    const std::u16string& Whole();

private:
    void flush();

    std::u16string m_base;
    // The held piece stands in for [m_pieceFrom, m_baseTo) of m_base; m_pieceFrom < 0: none.
    int m_pieceFrom = -1;
    int m_baseTo = 0;
    std::u16string m_piece;
};

} // namespace hh
