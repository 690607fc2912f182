#include "platform/win/gdi/text_run.h"

#include "platform/win/gdi/font_cache.h"
#include "platform/win/gdi/marlett.h"
#include "platform/win/gdi/painter.h"
#include "platform/win/gdi/qt_regions.h"
#include "platform/win/gdi/surface.h"

#include <numeric>

namespace pm::gdi {

namespace {

QString qstringOf(const std::u16string& text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

QPoint qpointOf(POINT p) {
    return QPoint(p.x, p.y);
}

// The x offset after each unit: given advances, or the font's own.
std::vector<int> offsetsOf(const TextMeasure& m, const TextRun& run) {
    if (run.advances.empty()) return m.positions(run.text);
    std::vector<int> out(run.advances.size());
    std::partial_sum(run.advances.begin(), run.advances.end(), out.begin());
    return out;
}

// Draws with draw(dx) at the pen (dx 0), and for an overstruck font once more one pixel to the
// right (dx 1).
template <class Draw> void strike(const TextMeasure& m, Draw draw) {
    draw(0);
    if (m.overstruck()) draw(1);
}

// Draws a plain run (its cell's top left at the painter's origin) at the baseline m.ascent(): from
// the font's laid-out glyphs where they stand in for drawText, which would lay the text out again
// on every call, and from their pixels where the painter does nothing but set them. A printer's
// page takes the text itself, which it prints as its own text (glyph runs it would lose).
void drawPlain(DeviceContext& dc, QPainter& p, const TextMeasure& m, const TextRun& run) {
    FontCache& cache = m.cache();
    const bool printing = printerPainterOf(dc) != nullptr;
    const QString text = qstringOf(run.text);
    const QList<QGlyphRun>* runs = !printing && cache.layoutCached(text) ? cache.glyphs(text) : nullptr;
    if (!runs) {
        p.setFont(cache.font());
        strike(m, [&](int dx) { p.drawText(QPoint(dx, m.ascent()), text); });
        return;
    }
    if (p.compositionMode() == QPainter::CompositionMode_SourceOver) {
        RectRegion clip = visibleRegion(dc);
        if (run.clip) clip &= *run.clip;
        QPoint pen = originOf(dc) + qpointOf(run.topLeft) + QPoint(0, m.ascent());
        if (cache.ink().draw(dc.target().pixels, *runs, pen, inPixels(dc, clip),
                             dc.resolve(dc.state.textColor)))
            return;
    }
    for (const QGlyphRun& glyphs : *runs)
        strike(m, [&](int dx) { p.drawGlyphRun(QPointF(dx, m.ascent()), glyphs); });
}

// Draws the run with an active painter.
void drawTextRun(DeviceContext& dc, QPainter& p, const TextMeasure& m, const TextRun& run) {
    std::vector<int> pos = offsetsOf(m, run);
    int width = pos.empty() ? 0 : pos.back();
    p.save();
    if (run.clip && run.clip->rectCount() == 1)
        p.setClipRect(qrectOf(run.clip->bounds()), Qt::IntersectClip);
    else if (run.clip)
        p.setClipRegion(toQRegion(*run.clip), Qt::IntersectClip);
    if (LONG esc = m.font().log.lfEscapement; esc != 0) {
        // Escapement is counter-clockwise in tenths of a degree, about the reference point.
        p.translate(qpointOf(run.pivot));
        p.rotate(-esc / 10.0);
        p.translate(qpointOf(run.topLeft) - qpointOf(run.pivot));
    } else {
        p.translate(qpointOf(run.topLeft));
    }
    if (run.opaque) p.fillRect(QRect(0, 0, width, m.height()), QColor::fromRgb(dc.resolve(dc.state.bkColor)));
    QColor ink = QColor::fromRgb(dc.resolve(dc.state.textColor));
    p.setPen(ink);
    bool plain =
        run.advances.empty() && run.underlined.empty() && !m.marlett() && m.font().log.lfEscapement == 0;
    if (plain && dc.state.charExtra == 0) {
        // Kerning is off, so the whole run lands where the summed advances say.
        drawPlain(dc, p, m, run);
        p.restore();
        return;
    }
    p.setFont(m.cache().font());
    const QString text = qstringOf(run.text);
    int x = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        std::size_t u = static_cast<std::size_t>(i);
        bool pair = text[i].isHighSurrogate() && i + 1 < text.size();
        QString unit = text.mid(i, pair ? 2 : 1);
        int next = pos[pair ? u + 1 : u];
        if (m.marlett()) {
            char c = static_cast<char>(text[i].unicode() & 0xFF);
            drawMarlettGlyph(p, QRect(x, 0, next - x, m.height()), c, ink);
        } else {
            strike(m, [&](int dx) { p.drawText(QPoint(x + dx, m.ascent()), unit); });
        }
        if (u < run.underlined.size() && run.underlined[u])
            p.fillRect(QRect(x, m.ascent() + 1, next - x, 1), ink);
        x = next;
        if (pair) ++i;
    }
    p.restore();
}

} // namespace

int runWidth(const TextMeasure& m, const TextRun& run) {
    std::vector<int> pos = offsetsOf(m, run);
    return pos.empty() ? 0 : pos.back();
}

TextPainter::TextPainter(DeviceContext& dc) : m_dc(dc), m_painter(std::make_unique<DcPainter>(dc)) {}

TextPainter::~TextPainter() = default;

bool TextPainter::active() const {
    return m_painter->active();
}

void TextPainter::fillBackground(const RECT& device) {
    m_painter->painter().fillRect(qrectOf(device), QColor::fromRgb(m_dc.resolve(m_dc.state.bkColor)));
}

void TextPainter::draw(const TextMeasure& m, const TextRun& run) {
    drawTextRun(m_dc, m_painter->painter(), m, run);
}

} // namespace pm::gdi
