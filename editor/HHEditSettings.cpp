#include "editor/HHEditSettings.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace hh {

std::string FormatColorValue(const ColorEntry& entry) {
    char buffer[48];
    std::snprintf(buffer, sizeof(buffer), "0x%08x,%d,%d", static_cast<unsigned>(entry.colour),
                  entry.bold ? 1 : 0, entry.italic ? 1 : 0);
    return buffer;
}

bool ParseColorValue(const char* value, ColorEntry& entry) {
    const char* comma = value ? std::strchr(value, ',') : nullptr;
    if (!comma) return false;
    entry.colour = static_cast<COLORREF>(std::strtoul(value, nullptr, 0));
    const char* rest = comma + 1;
    entry.bold = std::strtol(rest, nullptr, 0) != 0;
    const char* second = std::strchr(rest, ',');
    entry.italic = second ? std::strtol(second + 1, nullptr, 0) != 0 : FALSE;
    return true;
}

bool ParseFontValue(const char* value, std::string& face, int& height) {
    if (!value || !*value) return false;
    const char* comma = std::strchr(value + 1, ',');
    if (!comma) return false;
    face.assign(value, static_cast<std::size_t>(comma - value));
    height = static_cast<int>(std::strtol(comma + 1, nullptr, 10));
    return true;
}

std::string FontDescription(const char* face, int height, int pixelsPerInch) {
    char buffer[80];
    std::snprintf(buffer, sizeof(buffer), "%s, %d pt", face, -MulDiv(height, 72, pixelsPerInch));
    return buffer;
}

int NearestColorIndex(const COLORREF* palette, int count, COLORREF colour) {
    int best = -1;
    long bestDistance = 0;
    for (int i = 0; i < count; ++i) {
        const long r = GetRValue(palette[i]) - GetRValue(colour);
        const long g = GetGValue(palette[i]) - GetGValue(colour);
        const long b = GetBValue(palette[i]) - GetBValue(colour);
        const long distance = r * r + g * g + b * b;
        if (best < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

std::vector<COLORREF> DefaultPaletteColors() {
    PALETTEENTRY entries[kPaletteColors] = {};
    const UINT count = ::GetPaletteEntries(static_cast<HPALETTE>(::GetStockObject(DEFAULT_PALETTE)), 0,
                                           kPaletteColors, entries);
    std::vector<COLORREF> colours;
    for (UINT i = 0; i < count; ++i)
        colours.push_back(RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue));
    return colours;
}

SearchRange FindRange(long selStart, long selEnd, long textLength, int wrapPoint) {
    const long from = selStart + (selEnd != selStart ? 1 : 0);
    const long to = wrapPoint >= 0 ? textLength : textLength + wrapPoint;
    return SearchRange{from, to};
}

bool MoveAwayTop(const RECT& dialog, POINT point, int screenHeight, int& top) {
    const bool covers =
        point.x >= dialog.left && point.x < dialog.right && point.y >= dialog.top && point.y < dialog.bottom;
    if (!covers) return false;
    const int height = dialog.bottom - dialog.top;
    if (height < point.y) {
        top = point.y - 20 - height;
        return true;
    }
    if (point.y + 40 + height < screenHeight) {
        top = point.y + 40;
        return true;
    }
    return false;
}

namespace {
int roundToTens(int value) {
    const int remainder = value % 10;
    return remainder >= 5 ? value - remainder + 10 : value - remainder;
}
} // namespace

int TwipsToThousandths(int twips) {
    return roundToTens(twips * 1000 / 1440);
}

int ThousandthsToTwips(int thousandths) {
    return roundToTens(thousandths) * 1440 / 1000;
}

} // namespace hh
