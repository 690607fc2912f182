#include "colourtool/app/form1_pictures.h"

#include "colourtool/app/drawn_pictures.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace tintara {
namespace {

constexpr COLORREF kFace = 0xC0C0C0;

COLORREF rgb(int r, int g, int b) {
    return static_cast<COLORREF>(r | (g << 8) | (b << 16));
}

// The colour of one letter of the icon drawings.
COLORREF letterColour(char c) {
    switch (c) {
    case 'k':
        return rgb(0, 0, 0);
    case 'w':
        return rgb(255, 255, 255);
    case 'g':
        return rgb(128, 128, 128);
    case 'l':
        return rgb(224, 224, 224);
    case 'r':
        return rgb(224, 0, 0);
    case 'G':
        return rgb(0, 160, 0);
    case 'b':
        return rgb(0, 64, 255);
    case 'n':
        return rgb(0, 0, 128);
    case 'y':
        return rgb(255, 224, 64);
    case 'o':
        return rgb(160, 96, 32);
    case 'c':
        return rgb(0, 192, 192);
    case 'm':
        return rgb(192, 0, 192);
    default:
        return kFace;
    }
}

// A 16 x 16 icon from sixteen rows of sixteen letters.
HBITMAP iconOf(const std::array<const char*, 16>& rows) {
    return drawPicture(16, 16, [&rows](int x, int y) { return letterColour(rows[y][x]); });
}

const std::array<std::array<const char*, 16>, 12> kTools = {{
    {// new: a blank page
     "................", "...kkkkkkkk.....", "...kwwwwwwkk....", "...kwwwwwwkwk...", "...kwwwwwwkkkk..",
     "...kwwwwwwwwwk..", "...kwwwwwwwwwk..", "...kwwwwwwwwwk..", "...kwwwwwwwwwk..", "...kwwwwwwwwwk..",
     "...kwwwwwwwwwk..", "...kwwwwwwwwwk..", "...kwwwwwwwwwk..", "...kwwwwwwwwwk..", "...kkkkkkkkkkk..",
     "................"},
    {// open: a folder
     "................", "................", "................", ".kkkkk..........", "kyyyyyk.........",
     "kyyyyyykkkkkk...", "kyyyyyyyyyyyk...", "kyykkkkkkkkkkkk.", "kykoooooooooook.", "kykoooooooooook.",
     "kkoooooooooook..", "kkoooooooooook..", "kooooooooooook..", "kkkkkkkkkkkkk...", "................",
     "................"},
    {// save: a disk
     "................", ".kkkkkkkkkkkkk..", ".knkwwwwwwwwknk.", ".knkwwwwwwwwknk.", ".knkwwwwwwwwknk.",
     ".knkwwwwwwwwknk.", ".knkkkkkkkkkknk.", ".knnnnnnnnnnnnk.", ".knnnnnnnnnnnnk.", ".knnngggggggnnk.",
     ".knnngkkgggggnk.", ".knnngkkgggggnk.", ".knnngkkgggggnk.", "..kkkkkkkkkkkkk.", "................",
     "................"},
    {// copy: a swatch on a clipboard
     "................", ".....kkkkk......", "..oookgggkooo...", "..okkkkkkkkko...", "..okwwwwwwwko...",
     "..okwrrrrrwko...", "..okwrrrrrwko...", "..okwrrrrrwko...", "..okwrrrrrwko...", "..okwwwwwwwko...",
     "..okwkkkkkwko...", "..okwwwwwwwko...", "..okkkkkkkkko...", "..ooooooooooo...", "................",
     "................"},
    {// always on top: two windows, the front one with a title bar
     "................", ".kkkkkkkkk......", ".kgggggggk......", ".kwwwwwwwk......", ".kwwwwwwwk......",
     ".kwwwkkkkkkkkkk.", ".kwwwknnnnnnnnk.", ".kwwwknnnnnnnnk.", ".kkkkkwwwwwwwwk.", ".....kwwwwwwwwk.",
     ".....kwwwwwwwwk.", ".....kwwwwwwwwk.", ".....kwwwwwwwwk.", ".....kkkkkkkkkk.", "................",
     "................"},
    {// dropper
     "................", "...........kk...", "..........kkkk..", ".........kkkkkk.", "........kkkkkk..",
     "......kkkkkkk...", ".......kwkkk....", "......kwwkk.....", ".....kwwwk......", "....kwwwk.......",
     "...kbbwk........", "..kbbbk.........", "..kbbk..........", ".k.kk...........", ".b..............",
     "................"},
    {// websafe: a grid of safe colours
     "................", ".kkkkkkkkkkkkkk.", ".krrrkyyyykGGGk.", ".krrrkyyyykGGGk.", ".krrrkyyyykGGGk.",
     ".kkkkkkkkkkkkkk.", ".kcccknnnnkmmmk.", ".kcccknnnnkmmmk.", ".kcccknnnnkmmmk.", ".kkkkkkkkkkkkkk.",
     ".kbbbkwwwwkkkkk.", ".kbbbkwwwwkkkkk.", ".kbbbkwwwwkkkkk.", ".kkkkkkkkkkkkkk.", "................",
     "................"},
    {// negative: a square split into its light and dark halves
     "................", ".kkkkkkkkkkkkkk.", ".kwwwwwwwwwwwkk.", ".kwwwwwwwwwwkkk.", ".kwwwwwwwwwkkkk.",
     ".kwwwwwwwwkkkkk.", ".kwwwwwwwkkkkkk.", ".kwwwwwwkkkkkkk.", ".kwwwwwkkkkkkkk.", ".kwwwwkkkkkkkkk.",
     ".kwwwkkkkkkkkkk.", ".kwwkkkkkkkkkkk.", ".kwkkkkkkkkkkkk.", ".kkkkkkkkkkkkkk.", "................",
     "................"},
    {// palettes: bands of colour
     "................", ".kkkkkkkkkkkkkk.", ".krrrrrrrrrrrrk.", ".krrrrrrrrrrrrk.", ".kyyyyyyyyyyyyk.",
     ".kyyyyyyyyyyyyk.", ".kGGGGGGGGGGGGk.", ".kGGGGGGGGGGGGk.", ".kcccccccccccck.", ".kcccccccccccck.",
     ".kbbbbbbbbbbbbk.", ".kbbbbbbbbbbbbk.", ".kmmmmmmmmmmmmk.", ".kkkkkkkkkkkkkk.", "................",
     "................"},
    {// help: a question mark on a blue disc
     "................", ".....nnnnnn.....", "...nnbbbbbbnn...", "..nbbbwwwwbbbn..", "..nbbwwbbwwbbn..",
     ".nbbbbbbbwwbbbn.", ".nbbbbbbwwbbbbn.", ".nbbbbbwwbbbbbn.", ".nbbbbbwwbbbbbn.", ".nbbbbbbbbbbbbn.",
     "..nbbbbwwbbbbn..", "..nbbbbwwbbbbn..", "...nnbbbbbbnn...", ".....nnnnnn.....", "................",
     "................"},
    {// brightness: a sun
     "................", ".......y........", "..y....y....y...", "...y.......y....", ".....yyyyy......",
     "....yyyyyyy.....", "....yyyyyyy.....", "yy..yyyyyyy..yy.", "....yyyyyyy.....", "....yyyyyyy.....",
     ".....yyyyy......", "...y.......y....", "..y....y....y...", ".......y........", "................",
     "................"},
    {// misc: three dots
     "................", "................", "................", "................", "................",
     "................", "................", ".kk...kk...kk...", ".kk...kk...kk...", "................",
     "................", "................", "................", "................", "................",
     "................"},
}};

// A colour of hue 0-360, saturation and lightness 0-1.
COLORREF hslColour(double hue, double saturation, double lightness) {
    double c = (1 - std::fabs(2 * lightness - 1)) * saturation;
    double h = std::fmod(hue, 360.0) / 60;
    double x = c * (1 - std::fabs(std::fmod(h, 2) - 1));
    double r = 0, g = 0, b = 0;
    if (h < 1)
        r = c, g = x;
    else if (h < 2)
        r = x, g = c;
    else if (h < 3)
        g = c, b = x;
    else if (h < 4)
        g = x, b = c;
    else if (h < 5)
        r = x, b = c;
    else
        r = c, b = x;
    double m = lightness - c / 2;
    auto byte = [m](double v) { return static_cast<int>(std::lround(std::clamp(v + m, 0.0, 1.0) * 255)); };
    return rgb(byte(r), byte(g), byte(b));
}

constexpr int kW = Form1Pictures::kScaleWidth;
constexpr int kH = Form1Pictures::kScaleHeight;

// Hue across, lightness down from white through the pure hue to black.
COLORREF vbScaleColour(int x, int y) {
    return hslColour(360.0 * x / kW, 1.0, 1.0 - static_cast<double>(y) / (kH - 1));
}

// Hue across, saturation down from the pure hue to grey; a grey ramp in the last 12 columns.
COLORREF pspScaleColour(int x, int y) {
    constexpr int ramp = 12;
    if (x >= kW - ramp) {
        int v = 255 - y * 255 / (kH - 1);
        return rgb(v, v, v);
    }
    return hslColour(360.0 * x / (kW - ramp), 1.0 - static_cast<double>(y) / (kH - 1), 0.5);
}

constexpr int kWindowsCellW = 22, kWindowsCellH = 15;

// The Windows like scale's gaps: a 1-pixel line after each swatch and the strips right of and
// below the 13 x 4 swatches.
bool windowsScaleGap(int x, int y) {
    int column = x / kWindowsCellW, row = y / kWindowsCellH;
    return x % kWindowsCellW == kWindowsCellW - 1 || y % kWindowsCellH == kWindowsCellH - 1 || row > 3 ||
           column > 12;
}

// Swatches of 12 hues by 4 lightnesses and a column of greys, each 21 x 14 with a 1-pixel gap.
COLORREF windowsScaleColour(int x, int y) {
    if (windowsScaleGap(x, y)) return kFace;
    int column = x / kWindowsCellW, row = y / kWindowsCellH;
    if (column == 12) {
        int v = 255 - row * 85;
        return rgb(v, v, v);
    }
    static const double lightness[4] = {0.8, 0.6, 0.45, 0.25};
    return hslColour(30.0 * column, 1.0, lightness[row]);
}

// Caption buttons: a raised grey face with a black glyph.
COLORREF captionButton(int x, int y, int width, int height, bool glyph) {
    if (x == 0 || y == 0) return rgb(255, 255, 255);
    if (x == width - 1 || y == height - 1) return rgb(0, 0, 0);
    if (x == width - 2 || y == height - 2) return rgb(128, 128, 128);
    return glyph ? rgb(0, 0, 0) : kFace;
}

// An icon of a picture drawn for it (no pixel transparent); the picture is deleted.
HICON iconOfDrawnPicture(HBITMAP picture) {
    HICON icon = iconOfPicture(picture, RGB(0, 0, 0), true);
    DeleteObject(picture);
    return icon;
}

} // namespace

bool scaleGapAt(int scale, int x, int y) {
    return scale == 3 && windowsScaleGap(x, y);
}

COLORREF websafeScaleColour(int x, int y) {
    // 36 columns (six blocks of red, green across each block) by six rows of blue.
    int column = std::clamp(x * 36 / kW, 0, 35);
    int row = std::clamp(y * 6 / kH, 0, 5);
    return rgb(column / 6 * 51, column % 6 * 51, row * 51);
}

Form1Pictures::Form1Pictures() {
    titleBar =
        drawPicture(334, 15, [](int x, int) { return rgb(x * 16 / 334, x * 132 / 334, 128 + x * 80 / 334); });
    rollUp = drawPicture(16, 15, [](int x, int y) {
        bool glyph = y >= 5 && y <= 8 && x >= 7 - (y - 5) && x <= 7 + (y - 5);
        return captionButton(x, y, 16, 15, glyph);
    });
    hide = drawPicture(13, 15, [](int x, int y) {
        return captionButton(x, y, 13, 15, y >= 9 && y <= 10 && x >= 3 && x <= 8);
    });
    close = drawPicture(16, 15, [](int x, int y) {
        int dx = x - 3, dy = y - 3;
        bool glyph = dx >= 0 && dx <= 7 && dy >= 0 && dy <= 7 &&
                     (dx == dy || dx == dy + 1 || dx + dy == 7 || dx + dy == 8);
        return captionButton(x, y, 16, 15, glyph);
    });
    pointer = drawPicture(5, 3, [](int x, int y) { return std::abs(x - 2) <= y ? rgb(0, 0, 0) : kFace; });
    tray = drawTrayPicture();
    icon = iconOfDrawnPicture(drawTrayPicture(32));
    smallIcon = iconOfDrawnPicture(drawTrayPicture(16));
    for (std::size_t i = 0; i < tools.size(); ++i)
        tools[i] = iconOf(kTools[i]);
    scales[0] = drawPicture(kW, kH, websafeScaleColour);
    scales[1] = drawPicture(kW, kH, vbScaleColour);
    scales[2] = drawPicture(kW, kH, pspScaleColour);
    scales[3] = drawPicture(kW, kH, windowsScaleColour);
}

Form1Pictures::~Form1Pictures() {
    for (HBITMAP picture : {titleBar, rollUp, hide, close, pointer, tray})
        DeleteObject(picture);
    for (HBITMAP picture : tools)
        DeleteObject(picture);
    for (HBITMAP picture : scales)
        DeleteObject(picture);
    for (HICON i : {icon, smallIcon})
        DestroyIcon(i);
}

} // namespace tintara
