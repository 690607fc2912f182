#pragma once
// Runs of shown text drawn on a DC: glyphs in the text colour, the background cell in the
// background colour when asked, escapement, and the glyphs of the symbol font drawn by us.

#include "platform/win/gdi/text_measure.h"

#include <memory>
#include <string>
#include <vector>

namespace pm::gdi {

class DcPainter; // painter.h

struct TextRun {
    std::u16string text;
    POINT topLeft{0, 0};              // device pixels, the cell's top left before rotation
    POINT pivot{0, 0};                // the point escapement turns the run about
    std::vector<int> advances;        // per UTF-16 unit (0 for a pair's first unit); empty: the font's
    std::vector<bool> underlined;     // per UTF-16 unit: a prefix underline ('&' in DrawText)
    bool opaque = false;              // fill the cell with the background colour first
    const RectRegion* clip = nullptr; // further clipping, device pixels
};

// The width of a run in device pixels.
int runWidth(const TextMeasure& m, const TextRun& run);

// Text output of one drawing call on a DC, with the DC's clip and colours.
class TextPainter {
public:
    explicit TextPainter(DeviceContext& dc);
    ~TextPainter();
    TextPainter(const TextPainter&) = delete;
    TextPainter& operator=(const TextPainter&) = delete;

    // False when the DC has nothing to draw into (or its clip is empty).
    bool active() const;
    // Fills a device rectangle with the DC's background colour.
    void fillBackground(const RECT& device);
    void draw(const TextMeasure& m, const TextRun& run);

private:
    DeviceContext& m_dc;
    std::unique_ptr<DcPainter> m_painter;
};

} // namespace pm::gdi
