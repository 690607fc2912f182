#pragma once
// hh::KeptLines: the lines an edit control last read for colouring, as bytes and as 16-bit
// characters, kept in step with the one change made since, so that the next read of the same
// lines takes only the changed characters from the control instead of the whole lines.

#include "editor/HHColoring.h"

#include <functional>
#include <string>

namespace hh {

class KeptLines {
public:
    // Writes the characters [from, to) of the control's text, and a zero after them, to out.
    using Reader = std::function<void(int from, int to, char* out)>;

    // text and wide now hold the characters [from, to) of the text.
    void Read(int from, int to);
    // The characters of altered (absolute positions) were overwritten in wide.
    void Altered(Stretch altered);
    // The characters [from, to) of a text of length characters (before the change) change.
    void Change(int from, int to, int length);
    void Forget() { m_from = -1; }

    // Makes text and wide hold [from, to) of the text, now length characters long, from what they
    // hold: the overwritten characters put back and the change, if any, spliced in. False, with
    // the buffers untouched, when they do not hold those lines with at most one change since.
    bool Splice(int from, int to, int length, std::string& text, std::u16string& wide, const Reader& read);

private:
    int m_from = -1; // -1: nothing kept
    int m_to = -1;
    Stretch m_altered{0, 0};
    int m_changes = 0;
    int m_changeFrom = 0;
    int m_changeTo = 0;
    int m_lengthBefore = 0;
};

} // namespace hh
