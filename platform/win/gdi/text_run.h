#pragma once
// One run of shown text drawn on a DC: glyphs in the text colour, the background cell in the
// background colour when asked, escapement, and the glyphs of the symbol font drawn by us.

#include "platform/win/gdi/fonts.h"
#include "platform/win/gdi/painter.h"

#include <QString>

#include <vector>

namespace pm::gdi {

struct TextRun {
    QString text;
    QPoint topLeft;                   // device pixels, the cell's top left before rotation
    QPoint pivot;                     // the point escapement turns the run about
    std::vector<int> advances;        // per UTF-16 unit (0 for a pair's first unit); empty: the font's
    std::vector<bool> underlined;     // per UTF-16 unit: a prefix underline ('&' in DrawText)
    bool opaque = false;              // fill the cell with the background colour first
    const RectRegion* clip = nullptr; // further clipping, device pixels
};

// The width of a run in device pixels.
int runWidth(const TextMeasure& m, const TextRun& run);

// Draws the run; the painter must be active.
void drawTextRun(DeviceContext& dc, QPainter& p, const TextMeasure& m, const TextRun& run);

} // namespace pm::gdi
