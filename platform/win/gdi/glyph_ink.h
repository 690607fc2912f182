#pragma once
// The pixels each glyph of a font sets, found once by letting Qt draw the glyph alone, then set
// straight into an image wherever the glyph lands on whole pixels. Text without antialiasing sets
// the same pixels relative to its pen wherever it is drawn, so this draws exactly what QPainter
// draws, without the painter's per-glyph work.

#include "platform/win/gdi/pixel_view.h"
#include "platform/win/gdi/rect_region.h"

#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QList>
#include <QRawFont>

#include <vector>

namespace pm::gdi {

class GlyphInk {
public:
    // With `overstruck`, each glyph's pixels are those of the glyph drawn twice, the second time
    // one pixel to the right.
    explicit GlyphInk(bool overstruck) : m_overstruck(overstruck) {}

    // Sets the pixels of `runs` (positions relative to `pen`, in pixels) to `colour` inside `clip`.
    // False, having drawn nothing, when a glyph does not land on whole pixels or the font is larger
    // than kLargestKept pixels.
    bool draw(const PixelView& pixels, const QList<QGlyphRun>& runs, QPoint pen, const RectRegion& clip,
              QRgb colour);

    static constexpr int kLargestKept = 96;

private:
    // A row of set pixels, relative to the pen.
    struct Span {
        int x, y, length;
    };
    using Spans = std::vector<Span>;
    const Spans& spansOf(const QRawFont& font, quint32 glyph);
    Spans render(const QRawFont& font, quint32 glyph) const;

    // The fonts met (the font itself and the ones Qt falls back to), each with its glyphs' pixels.
    std::vector<std::pair<QRawFont, QHash<quint32, Spans>>> m_fonts;
    bool m_overstruck;
};

} // namespace pm::gdi
