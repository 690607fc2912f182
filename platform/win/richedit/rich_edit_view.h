#pragma once
// The view of a rich-edit control: lines of uniform height scrolled by whole lines, painting of
// the visible lines only, the caret, mouse selection, internal drag and drop, scrolling and the
// layout of EM_FORMATRANGE for printing.

#include "platform/win/richedit.h"
#include "platform/win/richedit/line_layouts.h"
#include "platform/win/winctrl.h"
#include "platform/win/wingdi.h"

#include <string_view>
#include <unordered_map>
#include <utility>

namespace pm::richedit {

class RichEditControl;

class RichEditView {
public:
    explicit RichEditView(RichEditControl& control);
    ~RichEditView();

    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam);
    // Text dropped from another window at a screen point (or the question whether it would be
    // taken): non-zero when taken.
    LRESULT takeDrop(POINT screenPoint, std::string_view text, bool query);

    void textChanged(int from, int oldTo, int newTo);
    // Paints all lines in view again (when the selection moved with a change).
    void repaint();
    void selectionChanged(int oldStart, int oldEnd);
    void formatsChanged(int from, int to);
    void scrollCaretIntoView();
    // Whether EM_HIDESELECTION hides the selection for now (a new selection then scrolls nothing).
    bool selectionHidden() const { return m_hideSelection; }
    void scrollTo(int firstLine, int xOffset);
    // Where Up, Down, Page Up or Page Down take the caret.
    int verticalTarget(int caret, UINT vk);
    std::pair<int, int> visibleRange();

private:
    struct Segment;

    // Metrics.
    int lineHeight();
    HFONT fontFor(int formatId, HDC target = nullptr);
    void dropFonts();
    RECT formatRect() const;
    int visibleLines();
    int tabStop(int x, int origin) const;
    // x of pos (pixels from the line's start) and the position nearest to x on its line.
    int xOf(HDC dc, int pos);
    int positionAt(HDC dc, int line, int x);
    // Layout of lines: walks over a line's pieces from a piece start, and where such walks may
    // start for a position or an x (the line's start, or for a long line a point its layout keeps).
    template <class F> void walkFrom(HDC dc, int line, int pos, int x, F f);
    LineLayouts::Walk layoutWalk(HDC dc, int line);
    bool isLong(int line) const;
    LineLayouts::Point walkStart(HDC dc, int line, int pos);
    LineLayouts::Point walkStartAtX(HDC dc, int line, int x);
    POINT pointOf(int pos);
    int positionFrom(POINT pt);

    // Painting.
    void paint();
    // Draws the parts of a line within visible.left and visible.right, its text starting at x origin.
    void paintLine(HDC dc, int line, int y, int origin, const RECT& visible);
    void invalidateLines(int firstLine, int lastLine);
    void updateCaret();
    bool selectionShown() const;

    // Scrolling.
    void scrollLines(int delta);
    // Moves the pixels of the format rectangle by (dx, dy) and invalidates what they uncover.
    void scrollPixels(int dx, int dy);
    // The window scroll bars of WS_VSCROLL / WS_HSCROLL follow the lines and the widest line seen.
    void updateScrollBars();
    void scrollColumns(int dx);
    void notifyScroll(UINT code);
    LRESULT onScroll(bool vertical, WPARAM wParam);

    // Mouse.
    void buttonDown(LPARAM lParam, bool doubleClick);
    void mouseMove(LPARAM lParam);
    void buttonUp(LPARAM lParam);
    void dropText(int target, bool copy);
    // A drag released over another window: the text is offered to it, and a move takes it away
    // here once it was taken.
    void dropElsewhere(POINT pt, bool copy);
    bool overLink(UINT msg, WPARAM wParam, LPARAM lParam);

    LRESULT formatRange(BOOL render, FORMATRANGE* range);
    LRESULT setFont(HFONT font, BOOL redraw);

    RichEditControl& m_control;
    std::unordered_map<int, HFONT> m_fonts;
    LineLayouts m_layouts;
    int m_lineHeight = 0;
    int m_ascent = 0;
    int m_firstLine = 0;
    int m_paintedLineCount = 1;
    int m_widestLine = 0;
    int m_xOffset = 0;
    int m_desiredX = -1;
    bool m_redraw = true;
    bool m_hideSelection = false;
    bool m_focused = false;
    bool m_caretCreated = false;
    bool m_rectSet = false;
    RECT m_rect{};
    int m_leftMargin = 1;
    int m_rightMargin = 1;
    HFONT m_font = nullptr;
    // Mouse state.
    bool m_selecting = false;
    bool m_dragPending = false;
    bool m_dragging = false;
    POINT m_pressPoint{};
    int m_pressPos = 0;
    int m_dropPos = -1;
};

} // namespace pm::richedit
