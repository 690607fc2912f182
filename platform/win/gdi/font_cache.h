#pragma once
// What a font needs for measuring and drawing text, made once per font instead of once per call:
// its metrics, the advance and glyph of each character met so far, the glyphs of texts put together
// from those or laid out by Qt's text engine, both exactly as QPainter::drawText places them, and
// the pixels of its glyphs. Bold that the bold face cannot show at a size is drawn the way GDI
// simulates bold.

#include "platform/win/gdi/glyph_ink.h"

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QRawFont>
#include <QString>

#include <vector>

namespace pm::gdi {

class FontCache {
public:
    // A cache for the font a LOGFONT asks for. Where it asks for bold and the bold face at its
    // size draws strokes no heavier than the regular face (hinting rounds both to the same stems),
    // text is drawn overstruck instead: the regular face with every glyph drawn once more one
    // pixel to the right and every advance one pixel wider.
    explicit FontCache(const QFont& asked);

    // The font text is drawn and measured with (its advances include the overstrike's pixel).
    const QFont& font() const { return m_font; }
    const QFontMetrics& metrics() const { return m_metrics; }
    // Whether each glyph is drawn a second time, one pixel to the right.
    bool overstruck() const { return m_overstruck; }
    // The metrics text layout asks for on every call.
    int ascent() const { return m_ascent; }
    int descent() const { return m_descent; }
    int averageWidth() const { return m_averageWidth; }
    int maxWidth() const { return m_maxWidth; }
    // The advance of one UTF-16 unit, or of a surrogate pair, as QFontMetrics gives it.
    int advance(const QString& unit);
    int advance(QChar c);
    // Whether glyphs() can stand in for drawText on this text: no control characters, no text
    // that runs right to left and no decorations, which drawText places by its own rules.
    bool layoutCached(const QString& text) const;
    // The glyphs of `text` as drawText places them, the baseline at y 0 and the text starting at
    // x 0, valid until the next call. A text whose characters, and pairs of neighbours, each take
    // the font's own glyph at its own advance is put together from them; another is laid out
    // when it is met a second time (nullptr the first time, since laying out a text for keeps
    // costs more than drawing it once), and texts drawn again find their layout kept.
    const QList<QGlyphRun>* glyphs(const QString& text);
    // The pixels of this font's glyphs, for drawing laid-out glyphs straight into images.
    GlyphInk& ink() { return m_ink; }

private:
    static constexpr qsizetype kLayoutsKept = 4096;
    QList<QGlyphRun> layOut(const QString& text) const;
    // The font's glyph for c when drawText draws c alone with it at its advance, or -1.
    qint32 ownGlyph(QChar c);
    // Whether a and b next to each other keep their own glyphs and advances (no ligature).
    bool pairKept(QChar a, QChar b);
    // Puts the glyphs of `text` together from its characters' own glyphs; false when one of its
    // characters or pairs takes other glyphs.
    bool assemble(const QString& text);

    bool m_overstruck;
    QFont m_font;
    QFontMetrics m_metrics;
    int m_ascent, m_descent, m_averageWidth, m_maxWidth;
    // Advances per BMP unit in pages of 256 units, made when a unit of the page is first measured;
    // -1 until measured.
    std::vector<std::vector<int>> m_advances;
    // Two generations: a text not drawn for a whole generation is dropped.
    QHash<QString, QList<QGlyphRun>> m_recent, m_older;
    QHash<QString, bool> m_metOnce; // texts drawn once, not laid out yet
    GlyphInk m_ink;
    QRawFont m_own;                             // the font's glyphs, as layouts give them
    std::vector<std::vector<qint32>> m_glyphOf; // per BMP unit in pages: -2 unknown, -1 none
    QHash<quint32, bool> m_pairs;               // pairs of units met, whether they are kept
    QList<QGlyphRun> m_assembled;
};

} // namespace pm::gdi
