#pragma once
// The windowless model of the "EDIT" control: its bytes, line index, selection, limit and its one
// level of undo. Positions count bytes; they never stop inside a CR LF pair or a UTF-8 sequence.

#include "platform/win/controls/gap_buffer.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pm::ctl {

class EditText {
public:
    std::size_t length() const { return m_text.size(); }
    std::string text() const { return m_text.text(); }
    std::string range(std::size_t from, std::size_t to) const;
    char at(std::size_t i) const { return m_text.at(i); }

    // Lines end at LF; a CR before it belongs to the break.
    int lineCount() const;
    std::size_t lineStart(int line) const;
    // The end of a line's text, before its break.
    std::size_t lineEnd(int line) const;
    int lineOf(std::size_t pos) const;

    std::size_t anchor() const { return m_anchor; }
    std::size_t caret() const { return m_caret; }
    std::size_t selStart() const { return std::min(m_anchor, m_caret); }
    std::size_t selEnd() const { return std::max(m_anchor, m_caret); }
    bool hasSelection() const { return m_anchor != m_caret; }
    void select(std::size_t anchor, std::size_t caret);

    std::size_t limit() const { return m_limit; }
    void setLimit(std::size_t limit) { m_limit = limit; }

    // Replaces the selection with s, cut to what the limit leaves room for; the caret ends after
    // it. False when nothing changed. `truncated` tells whether the limit cut s.
    bool replaceSelection(std::string_view s, bool undoable, bool typing, bool* truncated = nullptr);
    // Replaces the whole text; the undo is emptied, the caret goes to the start.
    void setText(std::string_view s);

    bool canUndo() const { return m_undo.valid; }
    void emptyUndo() { m_undo = Undo{}; }
    // Restores the text before the last change and selects it; undoing again redoes.
    bool undo();

    // Position moves that keep CR LF and UTF-8 sequences whole.
    std::size_t snap(std::size_t pos) const;
    std::size_t next(std::size_t pos) const;
    std::size_t prev(std::size_t pos) const;
    std::size_t wordRight(std::size_t pos) const;
    std::size_t wordLeft(std::size_t pos) const;
    // The word around pos, for a double click.
    void wordAt(std::size_t pos, std::size_t& from, std::size_t& to) const;
    // The number of characters (UTF-8 sequences count as one) in [from, to).
    std::size_t characters(std::size_t from, std::size_t to) const;

private:
    struct Undo {
        bool valid = false;
        std::size_t pos = 0;
        std::string removed;
        std::string inserted;
    };
    void replace(std::size_t from, std::size_t to, std::string_view s);
    void indexLines() const;
    std::size_t sequenceLength(std::size_t pos) const;

    GapBuffer m_text;
    std::size_t m_anchor = 0;
    std::size_t m_caret = 0;
    std::size_t m_limit = 0x7FFFFFFE;
    Undo m_undo;
    mutable std::vector<std::size_t> m_lineStarts{0};
    mutable bool m_linesValid = true;
};

} // namespace pm::ctl
