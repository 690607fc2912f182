#pragma once
// hh::GivenRange: the range of the text an edit control last gave its formater in one kind of
// call, and where the text has changed since, so that the next call on the same range can tell
// the formater where the two texts may differ instead of having them compared.

#include "editor/HHColoring.h"

namespace hh {

class GivenRange {
public:
    // The formater's text count after a call given [from, to) of a text of length characters,
    // with the characters of altered (when not empty) given otherwise than the text holds them.
    void Given(unsigned call, int from, int to, int length, Stretch altered);
    // The characters [from, to) of a text of length characters (before the change) change.
    void Change(int from, int to, int length);
    void Forget() { m_call = 0; }
    // The call noted last (0: none).
    unsigned Call() const { return m_call; }

    // For a call about to be given [from, to) of a text of length characters, altered as
    // Given says: the call to name and the characters from head to tail before the end of the
    // range that may differ from that call's text. False when no hint holds.
    bool Hint(int from, int to, int length, Stretch altered, unsigned& call, int& head, int& tail) const;

private:
    unsigned m_call = 0; // 0: no call to name
    int m_from = 0;
    int m_after = 0; // characters after the range
    int m_head = 0;  // the first character that may have changed
    int m_tail = 0;  // characters at the end of the text that have not
};

} // namespace hh
