#pragma once
// The bytes of a rich-edit text with an index of line starts. A line break is stored as one CR
// byte; positions count bytes. Lines are found from positions, and positions from lines, in
// O(log n); edits cost O(edit) plus the number of line breaks they add or remove.

#include "platform/win/richedit/partitioning.h"

#include <string>
#include <string_view>

namespace pm::richedit {

class TextBuffer {
public:
    int length() const { return static_cast<int>(m_bytes.size()); }
    int lineCount() const { return m_lines.partitions(); }
    int lineStart(int line) const;
    // The position after the line's last byte, before its break.
    int lineEnd(int line) const;
    int lineFromPosition(int pos) const;
    char charAt(int pos) const {
        return pos >= 0 && pos < length() ? m_bytes[static_cast<std::size_t>(pos)] : '\0';
    }

    std::string text(int pos, int len) const;
    // A contiguous view of [pos, pos + len), valid until the next edit.
    std::string_view view(int pos, int len);

    // Inserts bytes in which every line break is already a single CR.
    void insert(int pos, std::string_view bytes);
    void erase(int pos, int len);
    void clear();

private:
    SplitVector<char> m_bytes;
    Partitioning m_lines;
};

// Turns CR LF, lone LF and lone CR into the stored single CR.
std::string normalizeLineBreaks(std::string_view text);

} // namespace pm::richedit
