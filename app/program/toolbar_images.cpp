// The tool bars' button pictures: simple shapes and short labels in a 3 x 5 pixel font.

#include "app/program/toolbar_images.h"

#include "app/program/pixel_canvas.h"
#include "app/program/resource_ids.h"

#include "editor/CHHEditCtrl.h"
#include "platform/win/res/resources.h"
#include "platform/win/wingdi.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>

namespace {

constexpr int kWidth = 16;
constexpr int kHeight = 15;
const COLORREF kFace = RGB(192, 192, 192);
const COLORREF kInk = RGB(0, 0, 0);
const COLORREF kPaper = RGB(255, 255, 255);
const COLORREF kBlue = RGB(0, 0, 160);
const COLORREF kYellow = RGB(224, 192, 0);
const COLORREF kRed = RGB(192, 0, 0);
const COLORREF kGreen = RGB(0, 128, 0);

// One button's picture.
class Canvas : public PixelCanvas {
public:
    Canvas() : PixelCanvas(kWidth, kHeight, kFace) {}
    void set(int x, int y, COLORREF c) { Set(x, y, c); }
    void fill(int x, int y, int w, int h, COLORREF c) { Fill(x, y, w, h, c); }
    void frame(int x, int y, int w, int h, COLORREF c) { Frame(x, y, w, h, c); }
    void text(int x, int y, const char* s, COLORREF c);
};

// Rows of a 3 x 5 glyph, three bits each from the left.
const std::map<char, std::array<int, 5>>& glyphs() {
    static const std::map<char, std::array<int, 5>> table = {
        {'A', {2, 5, 7, 5, 5}}, {'B', {6, 5, 6, 5, 6}}, {'C', {3, 4, 4, 4, 3}}, {'E', {7, 4, 6, 4, 7}},
        {'F', {7, 4, 6, 4, 4}}, {'H', {5, 5, 7, 5, 5}}, {'I', {7, 2, 2, 2, 7}}, {'L', {4, 4, 4, 4, 7}},
        {'N', {5, 7, 7, 7, 5}}, {'O', {2, 5, 5, 5, 2}}, {'P', {6, 5, 6, 4, 4}}, {'R', {6, 5, 6, 5, 5}},
        {'T', {7, 2, 2, 2, 2}}, {'U', {5, 5, 5, 5, 7}}, {'W', {5, 5, 7, 7, 5}}, {'1', {2, 6, 2, 2, 7}},
        {'2', {6, 1, 2, 4, 7}}, {'3', {6, 1, 2, 1, 6}}, {'?', {6, 1, 2, 0, 2}}, {'<', {1, 2, 4, 2, 1}},
        {'>', {4, 2, 1, 2, 4}}, {'/', {1, 1, 2, 4, 4}}, {'-', {0, 0, 7, 0, 0}}, {'=', {0, 7, 0, 7, 0}},
        {'.', {0, 0, 0, 0, 2}}, {'*', {0, 5, 2, 5, 0}}, {'|', {2, 2, 2, 2, 2}},
    };
    return table;
}

void Canvas::text(int x, int y, const char* s, COLORREF c) {
    for (; *s; ++s, x += 4) {
        auto g = glyphs().find(*s);
        if (g == glyphs().end()) continue;
        for (int row = 0; row < 5; ++row)
            for (int col = 0; col < 3; ++col)
                if (g->second[static_cast<size_t>(row)] & (4 >> col)) set(x + col, y + row, c);
    }
}

void page(Canvas& c) {
    c.fill(3, 1, 9, 13, kPaper);
    c.frame(3, 1, 9, 13, kInk);
}

void lines(Canvas& c, int from, int count, int width, int x = 2) {
    for (int i = 0; i < count; ++i)
        c.fill(x, from + i * 2, width, 1, kInk);
}

// Draws the picture of one command.
void drawButton(Canvas& c, UINT id) {
    switch (id) {
    case ID_FILE_NEW:
        page(c);
        break;
    case ID_FILE_NEW_FROM_TEMPLATE:
        page(c);
        c.text(5, 5, "T", kBlue);
        break;
    case ID_FILE_OPEN:
        c.fill(1, 5, 13, 8, kYellow);
        c.frame(1, 5, 13, 8, kInk);
        c.fill(2, 3, 5, 2, kInk);
        break;
    case ID_FILE_SAVE:
        c.fill(2, 2, 12, 12, kBlue);
        c.fill(4, 2, 8, 5, kPaper);
        c.fill(5, 10, 6, 4, kFace);
        break;
    case ID_FILE_PRINT:
        c.fill(4, 1, 8, 5, kPaper);
        c.fill(1, 6, 14, 6, RGB(128, 128, 128));
        c.frame(1, 6, 14, 6, kInk);
        break;
    case ID_EDIT_CUT:
        c.text(6, 1, "|", kInk);
        c.frame(2, 9, 4, 4, kInk);
        c.frame(10, 9, 4, 4, kInk);
        c.fill(5, 6, 6, 1, kInk);
        break;
    case ID_EDIT_COPY:
        c.fill(1, 1, 8, 10, kPaper);
        c.frame(1, 1, 8, 10, kInk);
        c.fill(6, 4, 8, 10, kPaper);
        c.frame(6, 4, 8, 10, kInk);
        break;
    case ID_EDIT_PASTE:
        c.fill(2, 2, 10, 12, kYellow);
        c.frame(2, 2, 10, 12, kInk);
        c.fill(7, 6, 8, 8, kPaper);
        c.frame(7, 6, 8, 8, kInk);
        break;
    case ID_EDIT_FIND:
        c.frame(2, 2, 7, 7, kInk);
        c.fill(8, 8, 2, 2, kInk);
        c.fill(10, 10, 4, 4, kInk);
        break;
    case ID_EDIT_REPLACE:
        c.text(1, 1, "A", kBlue);
        c.text(8, 8, "B", kRed);
        c.fill(6, 7, 3, 1, kInk);
        break;
    case ID_EDIT_REPEAT:
        c.frame(1, 2, 7, 7, kInk);
        c.text(9, 8, ">", kInk);
        break;
    case ID_EDIT_UNDO:
        c.text(2, 4, "<-", kBlue);
        break;
    case ID_EDIT_REDO:
        c.text(4, 4, "->", kBlue);
        break;
    case ID_VIEW_IN_BROWSER:
        c.fill(1, 1, 14, 13, kPaper);
        c.frame(1, 1, 14, 13, kInk);
        c.fill(1, 1, 14, 3, kBlue);
        c.text(4, 6, "W", kGreen);
        break;
    case ID_FILE_WEB_EDITOR:
        c.fill(1, 1, 14, 13, kPaper);
        c.frame(1, 1, 14, 13, kInk);
        c.text(2, 5, "<>", kRed);
        break;
    case ID_BOOKMARK_TOGGLE:
        c.fill(4, 3, 8, 9, RGB(0, 160, 160));
        c.frame(4, 3, 8, 9, kInk);
        break;
    case ID_BOOKMARK_CLEAR:
        c.frame(4, 3, 8, 9, kInk);
        c.text(6, 5, "*", kRed);
        break;
    case ID_BOOKMARK_NEXT:
        c.fill(2, 3, 6, 9, RGB(0, 160, 160));
        c.text(10, 5, ">", kInk);
        break;
    case ID_BOOKMARK_PREVIOUS:
        c.fill(8, 3, 6, 9, RGB(0, 160, 160));
        c.text(2, 5, "<", kInk);
        break;
    case ID_HHEDIT_INDENT:
        lines(c, 2, 6, 12);
        c.text(1, 5, ">", kBlue);
        c.fill(1, 4, 5, 6, kFace);
        c.text(1, 5, ">", kBlue);
        break;
    case ID_HHEDIT_OUTDENT:
        lines(c, 2, 6, 12);
        c.fill(1, 4, 5, 6, kFace);
        c.text(1, 5, "<", kBlue);
        break;
    case ID_HHEDIT_COMMENT:
        c.text(1, 5, "//", kGreen);
        break;
    case ID_HHEDIT_UNCOMMENT:
        c.text(1, 5, "//", kGreen);
        c.fill(0, 7, 16, 1, kRed);
        break;
    case ID_HELP_MANUAL:
        c.fill(2, 2, 12, 11, kBlue);
        c.fill(3, 3, 10, 9, kPaper);
        lines(c, 5, 3, 6, 5);
        break;
    case ID_APP_ABOUT:
        c.text(6, 4, "?", kBlue);
        break;
    case ID_HTML_BOLD:
        c.text(6, 5, "B", kInk);
        c.text(7, 5, "B", kInk);
        break;
    case ID_HTML_ITALIC:
        c.text(6, 5, "I", kInk);
        break;
    case ID_HTML_UNDERLINE:
        c.text(6, 4, "U", kInk);
        c.fill(4, 11, 8, 1, kInk);
        break;
    case ID_HTML_H1:
        c.text(3, 5, "H1", kInk);
        break;
    case ID_HTML_H2:
        c.text(3, 5, "H2", kInk);
        break;
    case ID_HTML_H3:
        c.text(3, 5, "H3", kInk);
        break;
    case ID_HTML_TABLE:
        c.fill(1, 2, 14, 11, kPaper);
        c.frame(1, 2, 14, 11, kInk);
        c.fill(1, 6, 14, 1, kInk);
        c.fill(7, 2, 1, 11, kInk);
        break;
    case ID_HTML_UL:
        for (int i = 0; i < 3; ++i) {
            c.fill(2, 3 + i * 4, 2, 2, kInk);
            c.fill(6, 3 + i * 4, 8, 1, kInk);
        }
        break;
    case ID_HTML_OL:
        c.text(1, 1, "1", kInk);
        c.text(1, 8, "2", kInk);
        c.fill(6, 3, 8, 1, kInk);
        c.fill(6, 10, 8, 1, kInk);
        break;
    case ID_HTML_LINE_BREAK:
        c.text(2, 5, "BR", kInk);
        break;
    case ID_HTML_PARAGRAPH:
        c.text(6, 5, "P", kInk);
        break;
    case ID_HTML_RULE:
        c.fill(1, 7, 14, 2, kInk);
        break;
    case ID_HTML_PRE:
        c.text(2, 5, "PRE", kInk);
        break;
    case ID_HTML_LEFT:
        for (int i = 0; i < 5; ++i)
            c.fill(2, 3 + i * 2, i % 2 ? 8 : 12, 1, kInk);
        break;
    case ID_HTML_CENTER:
        for (int i = 0; i < 5; ++i)
            c.fill(i % 2 ? 4 : 2, 3 + i * 2, i % 2 ? 8 : 12, 1, kInk);
        break;
    case ID_HTML_RIGHT:
        for (int i = 0; i < 5; ++i)
            c.fill(i % 2 ? 6 : 2, 3 + i * 2, i % 2 ? 8 : 12, 1, kInk);
        break;
    case ID_HHEDIT_OPTIONS:
        c.frame(3, 3, 10, 9, kInk);
        c.fill(5, 5, 6, 5, kBlue);
        break;
    case ID_SCRIPT_RUN:
        for (int i = 0; i < 6; ++i)
            c.fill(5, 2 + i, i + 1, 11 - 2 * i, kGreen);
        break;
    case ID_SCRIPT_PAUSE:
        c.fill(4, 3, 3, 9, kBlue);
        c.fill(9, 3, 3, 9, kBlue);
        break;
    case ID_SCRIPT_STOP:
        c.fill(4, 3, 9, 9, kRed);
        break;
    default:
        c.frame(3, 3, 10, 9, kInk);
        break;
    }
}

} // namespace

std::vector<unsigned char> DrawToolBarImages(UINT id) {
    const pm::res::ToolbarTemplate* layout = pm::res::findToolbar(MAKEINTRESOURCE(id));
    std::vector<UINT> buttons;
    if (layout)
        for (UINT command : layout->ids)
            if (command != ID_SEPARATOR) buttons.push_back(command);
    PixelCanvas strip(kWidth * static_cast<int>(buttons.empty() ? 1 : buttons.size()), kHeight, RGB(0, 0, 0));
    for (size_t b = 0; b < buttons.size(); ++b) {
        Canvas canvas;
        drawButton(canvas, buttons[b]);
        strip.Draw(static_cast<int>(b) * kWidth, 0, canvas);
    }
    return strip.BmpFile();
}
