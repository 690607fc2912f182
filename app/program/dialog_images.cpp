// The dialogs' pictures, drawn pixel by pixel.

#include "app/program/dialog_images.h"

#include "app/program/pixel_canvas.h"
#include "app/program/resource_ids.h"

#include "platform/win/res/resources.h"

#include <string>
#include <vector>

const char kHatchPattern[] = "<HATCH";
const char kDotPattern[] = "<DOTS";

namespace {

const COLORREF kFace = RGB(192, 192, 192);
const COLORREF kShadow = RGB(128, 128, 128);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
// The background of the cursor's picture, shown as the screen beneath.
const COLORREF kClear = RGB(255, 0, 255);

// A right arrow: a triangle 5 pixels wide and 9 high.
void arrow(PixelCanvas& c, int x, int y, COLORREF colour) {
    for (int row = 0; row < 9; ++row) {
        const int reach = row < 5 ? row : 8 - row;
        c.Fill(x, y + row, reach + 1, 1, colour);
    }
}

PixelCanvas rightArrow() {
    PixelCanvas c(7, 10, kFace);
    arrow(c, 1, 0, kBlack);
    return c;
}

// The disabled arrow: grey with a white edge below and right of it.
PixelCanvas disabledRightArrow() {
    PixelCanvas c(7, 10, kFace);
    arrow(c, 2, 1, kWhite);
    arrow(c, 1, 0, kShadow);
    return c;
}

PixelCanvas hatch() {
    PixelCanvas c(8, 8, kFace);
    for (int i = 0; i < 8; ++i)
        c.Set(i, 7 - i, kShadow);
    return c;
}

PixelCanvas dots() {
    PixelCanvas c(4, 4, kFace);
    c.Set(1, 1, kWhite);
    c.Set(3, 3, kShadow);
    return c;
}

// A finger pointing up: 'X' outline, 'o' fill.
const char* const kHand[] = {
    "     XX",        "    XooX",       "    XooX",        "    XooX",       "    XooXXX",
    "    XooXooXX",   "    XooXooXoXX", " XX XooXooXoXoX", " XoXXooooooooX", " XooXooooooooX",
    "  XoXooooooooX", "  XooooooooooX", "   XoooooooooX",  "   XooooooooX",  "    XoooooooX",
    "    XoooooooX",  "    XXXXXXXXX",
};

PixelCanvas hand() {
    PixelCanvas c(32, 32, kClear);
    for (int y = 0; y < static_cast<int>(sizeof kHand / sizeof kHand[0]); ++y) {
        const std::string row = kHand[y];
        for (int x = 0; x < static_cast<int>(row.size()); ++x)
            if (row[static_cast<size_t>(x)] != ' ')
                c.Set(x, y, row[static_cast<size_t>(x)] == 'X' ? kBlack : kWhite);
    }
    return c;
}

// The query tool: a database drum with rows of a result.
PixelCanvas queryTool() {
    PixelCanvas c(32, 32, kFace);
    const COLORREF blue = RGB(0, 64, 160);
    c.Fill(6, 6, 20, 20, blue);
    c.Fill(8, 4, 16, 2, blue);
    c.Fill(8, 26, 16, 2, blue);
    for (int y = 10; y < 26; y += 5)
        c.Fill(8, y, 16, 1, RGB(160, 200, 255));
    c.Frame(6, 6, 20, 20, kBlack);
    return c;
}

// The colour tool: a grid of colour samples.
PixelCanvas colourTool() {
    PixelCanvas c(32, 32, kFace);
    const COLORREF samples[] = {RGB(255, 0, 0),   RGB(255, 160, 0), RGB(255, 255, 0),
                                RGB(0, 192, 0),   RGB(0, 192, 192), RGB(0, 0, 255),
                                RGB(128, 0, 192), RGB(255, 0, 255), kWhite};
    for (int i = 0; i < 9; ++i) {
        const int x = 4 + (i % 3) * 8, y = 4 + (i / 3) * 8;
        c.Fill(x, y, 7, 7, samples[i]);
        c.Frame(x, y, 7, 7, kBlack);
    }
    return c;
}

// The web-page editor: a page with a tag on it.
PixelCanvas webEditor() {
    PixelCanvas c(32, 32, kFace);
    c.Fill(6, 3, 20, 26, kWhite);
    c.Frame(6, 3, 20, 26, kBlack);
    c.Fill(6, 3, 20, 5, RGB(0, 0, 128));
    const COLORREF red = RGB(192, 0, 0);
    for (int i = 0; i < 4; ++i) {
        c.Set(12 - i, 14 + i, red);
        c.Set(12 - i, 20 - i, red);
        c.Set(19 + i, 14 + i, red);
        c.Set(19 + i, 20 - i, red);
    }
    c.Fill(15, 13, 1, 9, red);
    return c;
}

void addBitmap(pm::res::Name name, const PixelCanvas& picture) {
    static std::vector<std::vector<unsigned char>> kept;
    kept.push_back(picture.BmpFile());
    pm::res::addImage(pm::res::ImageKind::Bitmap, name, kept.back().data(), kept.back().size());
}

} // namespace

void DeclareDialogImages() {
    addBitmap("<RARROW", rightArrow());
    addBitmap("<RARROWP", disabledRightArrow());
    addBitmap(kHatchPattern, hatch());
    addBitmap(kDotPattern, dots());
    addBitmap(IDB_QUERY_TOOL, queryTool());
    addBitmap(IDB_COLOUR_TOOL, colourTool());
    addBitmap(IDB_WEB_EDITOR, webEditor());
    static const std::vector<unsigned char> handCursor = hand().CursorFile(kClear, 5, 0);
    pm::res::addImage(pm::res::ImageKind::Cursor, "Hand", handCursor.data(), handCursor.size());
}
