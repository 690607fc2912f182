#include "platform/win/gdi/glyph_ink.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace pm::gdi {

GlyphInk::Spans GlyphInk::render(const QRawFont& font, quint32 glyph) const {
    // Room for any glyph of the size around a pen in the middle.
    int size = std::max(8, static_cast<int>(std::ceil(font.pixelSize()))) * 4;
    QPoint pen(size / 2, size / 2);
    QImage canvas(size, size, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter p(&canvas);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        p.setPen(Qt::black);
        QGlyphRun one;
        one.setRawFont(font);
        one.setGlyphIndexes({glyph});
        one.setPositions({QPointF(0, 0)});
        p.drawGlyphRun(pen, one);
        if (m_overstruck) p.drawGlyphRun(pen + QPoint(1, 0), one);
    }
    Spans spans;
    for (int y = 0; y < size; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        for (int x = 0; x < size; ++x) {
            if ((line[x] & 0xFFFFFF) == 0xFFFFFF) continue;
            int end = x;
            while (end < size && (line[end] & 0xFFFFFF) != 0xFFFFFF)
                ++end;
            spans.push_back(Span{x - pen.x(), y - pen.y(), end - x});
            x = end;
        }
    }
    return spans;
}

const GlyphInk::Spans& GlyphInk::spansOf(const QRawFont& font, quint32 glyph) {
    auto known = std::find_if(m_fonts.begin(), m_fonts.end(), [&](const auto& f) { return f.first == font; });
    if (known == m_fonts.end()) known = m_fonts.insert(m_fonts.end(), {font, {}});
    auto it = known->second.find(glyph);
    if (it == known->second.end()) it = known->second.insert(glyph, render(font, glyph));
    return *it;
}

bool GlyphInk::draw(const PixelView& pixels, const QList<QGlyphRun>& runs, QPoint pen, const RectRegion& clip,
                    QRgb colour) {
    for (const QGlyphRun& run : runs) {
        // Large glyphs are few on a screen and costly to keep as pixels.
        if (run.rawFont().pixelSize() > kLargestKept) return false;
        for (const QPointF& at : run.positions())
            if (at.x() != std::floor(at.x()) || at.y() != std::floor(at.y())) return false;
    }
    RectRegion area = clip & RectRegion(RECT{0, 0, pixels.width, pixels.height});
    QRgb stored = colour | 0xFF000000u;
    for (const QGlyphRun& run : runs) {
        QList<quint32> glyphs = run.glyphIndexes();
        QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < glyphs.size(); ++i) {
            QPoint origin = pen + positions[i].toPoint();
            for (const Span& s : spansOf(run.rawFont(), glyphs[i])) {
                int y = origin.y() + s.y, left = origin.x() + s.x, right = left + s.length;
                for (const RECT& r : area) {
                    if (r.top > y) break;
                    if (y >= r.bottom) continue;
                    int a = std::max(left, static_cast<int>(r.left)),
                        b = std::min(right, static_cast<int>(r.right));
                    if (a >= b) continue;
                    std::uint32_t* line = pixels.line(y);
                    std::fill(line + a, line + b, stored);
                }
            }
        }
    }
    return true;
}

} // namespace pm::gdi
