#pragma once
// The pure parts of the editor's settings, search and page setup: reading and writing the profile
// values, the default palette's colours and the nearest of them, the font description, the search range with
// its wrap point, and the page margins in thousandths of an inch. None of it needs a window.

#include "editor/HHColoring.h"
#include "platform/win/windows.h"

#include <string>
#include <vector>

namespace hh {

// ---- Settings ----
// "0x%08x,%d,%d": colour, bold and italic of one class.
std::string FormatColorValue(const ColorEntry& entry);
// Reads a "Color%d" value into entry: colour before the first comma, then bold and italic, each
// a C integer literal of any base. Without a comma the entry stays as it is (false).
bool ParseColorValue(const char* value, ColorEntry& entry);
// Splits a "Font" value "face,height" at its first comma when that comes after the first
// character; false (nothing to apply) otherwise.
bool ParseFontValue(const char* value, std::string& face, int& height);
// "%s, %d pt" with the point size of a font height at the given pixels per inch.
std::string FontDescription(const char* face, int height, int pixelsPerInch);
// The index of the palette colour nearest to colour by the sum of squared RGB differences, the
// first nearest winning; -1 for an empty palette.
int NearestColorIndex(const COLORREF* palette, int count, COLORREF colour);
// The colours of the system's default palette (at most 20).
constexpr int kPaletteColors = 20;
std::vector<COLORREF> DefaultPaletteColors();

// ---- Search ----
// The range one FindNext searches: from the selection start (one further with a selection) to
// the text's end, or to the end plus the wrap point once it went negative.
struct SearchRange {
    long from;
    long to;
};
SearchRange FindRange(long selStart, long selEnd, long textLength, int wrapPoint);
// Where a dialog covering point (screen coordinates) moves so the match there shows: its new top,
// with its bottom 20 pixels above the point when it fits above, else its top 40 pixels below when
// it then still ends on the screen; false when it covers nothing or cannot move.
bool MoveAwayTop(const RECT& dialog, POINT point, int screenHeight, int& top);

// ---- Page setup ----
// Twips to thousandths of an inch, rounded to a multiple of 10 (a remainder of 5 or more rounds up).
int TwipsToThousandths(int twips);
// Thousandths of an inch, rounded the same way, to twips.
int ThousandthsToTwips(int thousandths);

} // namespace hh
