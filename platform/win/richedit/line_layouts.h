#pragma once
// Where the pieces of long lines lie on screen, so that painting, the caret and hit-testing in a
// long line measure only near the place they look at, not the line from its start.
//
// A line is laid out as a walk over its pieces (stretches of one format without a tab, and tabs),
// each at an x that adds up the widths before it, tabs snapping to their stops. For a long line
// the cache keeps points every so many bytes: piece starts with their x, from which a walk may
// start. Edits keep the points before them; those after them move with the text, and their x is
// set right, once needed, by walking from the edit to the first of them: from there on the line
// is what it was, so the x of all later points moves by the same amount, up to the next tab.

#include <functional>
#include <vector>

namespace pm::richedit {

class LineLayouts {
public:
    // Lines at least this long are kept; shorter ones are walked whole each time.
    static constexpr int kLongLine = 4096;

    // One piece of a line: [from, to) at x, width pixels wide; tab when it is a tab.
    struct Piece {
        int from;
        int to;
        int x;
        int width;
        bool tab;
    };
    // Walks the pieces of the line holding pos from the piece starting at pos, at x, to the line's
    // end, while visit returns true.
    using Visit = std::function<bool(const Piece&)>;
    using Walk = std::function<void(int pos, int x, const Visit& visit)>;
    // A piece start with its x.
    struct Point {
        int pos;
        int x;
    };

    // spacing: the bytes between two points kept (tests make it small).
    explicit LineLayouts(int spacing = 512) : m_spacing(spacing) {}

    // For the line [start, start + length): the last piece start at or before pos, and the last at
    // or left of x.
    Point before(int start, int length, int pos, const Walk& walk);
    Point beforeX(int start, int length, int x, const Walk& walk);
    // The width of the line, walking it to its end only when that is not known.
    int width(int start, int length, const Walk& walk);

    // The text [from, oldTo) became [from, newTo); lineLength gives the length of the line that
    // begins at a position now.
    void textChanged(int from, int oldTo, int newTo, const std::function<int(int)>& lineLength);
    // The formats of [from, to) changed.
    void formatsChanged(int from, int to);
    void clear() { m_lines.clear(); }

    // Checks, through PM_ASSERT, every kept line: its first mark is its start at x 0, its marks lie
    // inside it in order, those known to be right do not go left, and its width is not short of
    // them. For tests.
    void checkInvariants() const;

private:
    struct Mark {
        int pos; // from the line's start
        int x;
        bool tab; // a tab lies between this mark and the next (or the line's end)
    };
    struct Line {
        int start;
        int length;
        std::vector<Mark> marks; // marks[0] is the line's start
        std::size_t exact;       // marks before this one are right; the rest wait for a walk
        int width;               // -1: not known
        bool widthWaits;         // the width moves with the waiting marks
        unsigned used;
    };

    Line& lineAt(int start, int length);
    // Sets the first waiting mark right by walking to it from the mark before.
    void settle(Line& line, const Walk& walk);
    // Walks from the last mark on, adding marks, while more is wanted; true when it reached the end.
    bool extend(Line& line, const Walk& walk, const std::function<bool(int pos, int x)>& more);
    // The line's text [from, to) changed (positions from its start): marks after it wait.
    void changed(Line& line, int from, int to, int delta, bool sameLine);

    int m_spacing;
    unsigned m_clock = 0;
    std::vector<Line> m_lines;
};

} // namespace pm::richedit
