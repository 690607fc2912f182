#pragma once
// Pure rules of the edit control: undo-snapshot continuation, the caret column, and the per-line
// edits of the indent, outdent, comment and uncomment commands and of Enter's auto indent.

#include <string_view>

namespace hh {

// Edit kinds: what caused an announced change.
enum EditKind {
    kEditOther = 0,
    kEditTyped = 1,    // WM_CHAR
    kEditReplace = 2,  // EM_REPLACESEL
    kEditDelete = 3,   // Delete or Backspace
    kEditCut = 5,      // WM_CUT
    kEditPaste = 6,    // WM_PASTE or WM_SETTEXT
    kEditMove = 7,     // a drop after a cut: a move by dragging
    kEditDropCopy = 8, // a move turned into a copy by Ctrl
};

// Whether the change [start, end) of kind continues the previous one's undo snapshot: typing on
// right after a typed character (which took typedLength positions: a UTF-8 sequence takes more
// than one), or holding Delete (same start) or Backspace (ending at the previous start) one
// character at a time.
bool ContinuesSnapshot(int lastKind, int lastStart, int lastEnd, int kind, int start, int end,
                       int typedLength = 1);

// The zero-based column of offset in line: a Tab counts tabSize, a UTF-8 sequence one.
int CaretColumn(std::string_view line, int offset, int tabSize);

// The characters (a UTF-8 sequence is one) and the Tabs among them in a stretch of a line; the
// counts of adjoining stretches add up, so a column can be found from one nearby.
struct ColumnCounts {
    int characters = 0;
    int tabs = 0;
    int Column(int tabSize) const { return characters + tabs * (tabSize - 1); }
};
ColumnCounts CountColumns(std::string_view text);

// Leading spaces and Tabs of line.
int IndentLength(std::string_view line);
// Enter's indentation for the new line: the line's leading blanks, no more than the caret column.
int AutoIndentLength(std::string_view line, int caretColumn);
// Where the line's comment string starts after its indentation; -1 when it does not begin so.
int FindLeadingComment(std::string_view line, std::string_view comment);
// How many leading characters outdent removes: one Tab, or up to tabSize spaces plus a Tab that
// follows fewer of them.
int OutdentLength(std::string_view line, int tabSize);

} // namespace hh
