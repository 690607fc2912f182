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

bool GlyphInk::draw(QImage& image, const QList<QGlyphRun>& runs, QPoint pen, const QRegion& clip,
                    QRgb colour) {
    if (image.depth() != 32) return false;
    for (const QGlyphRun& run : runs) {
        // Large glyphs are few on a screen and costly to keep as pixels.
        if (run.rawFont().pixelSize() > kLargestKept) return false;
        for (const QPointF& at : run.positions())
            if (at.x() != std::floor(at.x()) || at.y() != std::floor(at.y())) return false;
    }
    QRegion area = clip & image.rect();
    std::vector<QRect> rects(area.begin(), area.end());
    QRgb stored = colour | 0xFF000000u;
    for (const QGlyphRun& run : runs) {
        QList<quint32> glyphs = run.glyphIndexes();
        QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < glyphs.size(); ++i) {
            QPoint origin = pen + positions[i].toPoint();
            for (const Span& s : spansOf(run.rawFont(), glyphs[i])) {
                int y = origin.y() + s.y, left = origin.x() + s.x, right = left + s.length;
                for (const QRect& r : rects) {
                    if (y < r.top() || y > r.bottom()) continue;
                    int a = std::max(left, r.left()), b = std::min(right, r.right() + 1);
                    if (a >= b) continue;
                    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
                    std::fill(line + a, line + b, stored);
                }
            }
        }
    }
    return true;
}

} // namespace pm::gdi
