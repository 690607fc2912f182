#include "platform/win/gdi/font_cache.h"

#include <QHash>
#include <QImage>
#include <QPainter>
#include <QTextLayout>

namespace pm::gdi {

namespace {

// Characters whose drawing depends on more than the glyphs of the font: controls, formatting
// marks, and the scripts written right to left.
bool plainChar(char16_t c) {
    if (c < 0x20 || (c >= 0x7F && c < 0xA0)) return false;
    if (c >= 0x0590 && c < 0x0900) return false;
    if (c >= 0x200B && c < 0x2070) return false;
    if (c >= 0xD800 && c < 0xE000) return false;
    return c < 0xFB1D || c == 0xFFFD || (c > 0xFEFF && c < 0xFFF0);
}

// How heavy a font's strokes come out: the mean length of the rows of pixels its letters and
// digits set.
double strokeWeight(const QFont& font) {
    static const QString kSample =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789");
    QFontMetrics m(font);
    int margin = m.height();
    QImage canvas(m.horizontalAdvance(kSample) + 2 * margin, 2 * margin, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter p(&canvas);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QPoint(margin / 2, margin / 2 + m.ascent()), kSample);
    }
    long ink = 0, rows = 0;
    for (int y = 0; y < canvas.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        bool inside = false;
        for (int x = 0; x < canvas.width(); ++x) {
            bool set = (line[x] & 0xFFFFFF) != 0xFFFFFF;
            ink += set;
            rows += set && !inside;
            inside = set;
        }
    }
    return rows ? static_cast<double>(ink) / static_cast<double>(rows) : 0;
}

QFont regularOf(const QFont& font) {
    QFont regular = font;
    regular.setWeight(QFont::Normal);
    return regular;
}

// Whether bold asked of this font is drawn overstruck: the bold face's strokes come out less than
// half a pixel heavier than the regular face's (an overstrike adds a whole pixel). Found once per
// face, size and style.
bool overstrikes(const QFont& asked) {
    if (asked.weight() < QFont::DemiBold) return false;
    static QHash<QString, bool> known;
    QString key = asked.key();
    auto it = known.constFind(key);
    if (it != known.constEnd()) return *it;
    bool weak = strokeWeight(asked) < strokeWeight(regularOf(asked)) + 0.5;
    known.insert(key, weak);
    return weak;
}

QFont overstruckFont(const QFont& asked) {
    QFont regular = regularOf(asked);
    regular.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    return regular;
}

} // namespace

FontCache::FontCache(const QFont& asked)
    : m_overstruck(overstrikes(asked)), m_font(m_overstruck ? overstruckFont(asked) : asked),
      m_metrics(m_font), m_ascent(m_metrics.ascent()), m_descent(m_metrics.descent()),
      m_averageWidth(m_metrics.averageCharWidth() + (m_overstruck ? 1 : 0)),
      m_maxWidth(m_metrics.maxWidth() + (m_overstruck ? 1 : 0)), m_advances(256), m_ink(m_overstruck),
      m_glyphOf(256) {}

int FontCache::advance(QChar c) {
    std::vector<int>& page = m_advances[c.unicode() >> 8];
    if (page.empty()) page.assign(256, -1);
    int& cached = page[c.unicode() & 0xFF];
    if (cached < 0) cached = m_metrics.horizontalAdvance(QString(c));
    return cached;
}

int FontCache::advance(const QString& unit) {
    if (unit.size() == 1) return advance(unit[0]);
    return m_metrics.horizontalAdvance(unit);
}

bool FontCache::layoutCached(const QString& text) const {
    if (m_font.underline() || m_font.strikeOut() || m_font.overline()) return false;
    for (QChar c : text)
        if (!plainChar(c.unicode())) return false;
    return true;
}

qint32 FontCache::ownGlyph(QChar c) {
    std::vector<qint32>& page = m_glyphOf[c.unicode() >> 8];
    if (page.empty()) page.assign(256, -2);
    qint32& cached = page[c.unicode() & 0xFF];
    if (cached != -2) return cached;
    cached = -1;
    QList<QGlyphRun> runs = layOut(QString(c));
    if (runs.size() != 1 || runs[0].glyphIndexes().size() != 1 || runs[0].positions()[0] != QPointF())
        return -1;
    if (!m_own.isValid()) m_own = runs[0].rawFont();
    if (runs[0].rawFont() != m_own || runs[0].glyphIndexes()[0] == 0) return -1;
    cached = static_cast<qint32>(runs[0].glyphIndexes()[0]);
    return cached;
}

bool FontCache::pairKept(QChar a, QChar b) {
    quint32 key = static_cast<quint32>(a.unicode()) << 16 | b.unicode();
    auto it = m_pairs.find(key);
    if (it != m_pairs.end()) return *it;
    QList<QGlyphRun> runs = layOut(QString(a) + b);
    bool kept = runs.size() == 1 && runs[0].rawFont() == m_own &&
                runs[0].glyphIndexes() ==
                    QList<quint32>{static_cast<quint32>(ownGlyph(a)), static_cast<quint32>(ownGlyph(b))} &&
                runs[0].positions() == QList<QPointF>{QPointF(), QPointF(advance(a), 0)};
    m_pairs.insert(key, kept);
    return kept;
}

bool FontCache::assemble(const QString& text) {
    QList<quint32> glyphs;
    QList<QPointF> positions;
    glyphs.reserve(text.size());
    positions.reserve(text.size());
    int x = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        qint32 glyph = ownGlyph(text[i]);
        if (glyph < 0 || (i > 0 && !pairKept(text[i - 1], text[i]))) return false;
        glyphs.push_back(static_cast<quint32>(glyph));
        positions.push_back(QPointF(x, 0));
        x += advance(text[i]);
    }
    if (m_assembled.size() != 1) m_assembled = QList<QGlyphRun>(1);
    m_assembled[0].setRawFont(m_own);
    m_assembled[0].setGlyphIndexes(glyphs);
    m_assembled[0].setPositions(positions);
    return true;
}

const QList<QGlyphRun>* FontCache::glyphs(const QString& text) {
    if (assemble(text)) return &m_assembled;
    auto it = m_recent.find(text);
    if (it != m_recent.end()) return &*it;
    auto old = m_older.find(text);
    if (old == m_older.end() && !m_metOnce.remove(text)) {
        if (m_metOnce.size() >= kLayoutsKept) m_metOnce.clear();
        m_metOnce.insert(text, true);
        return nullptr;
    }
    QList<QGlyphRun> runs = old != m_older.end() ? *old : layOut(text);
    if (m_recent.size() >= kLayoutsKept) {
        m_older = std::move(m_recent);
        m_recent.clear();
    }
    return &*m_recent.insert(text, std::move(runs));
}

QList<QGlyphRun> FontCache::layOut(const QString& text) const {
    QTextLayout layout(text, m_font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    QPointF baseline(line.x(), line.y() + line.ascent());
    QList<QGlyphRun> runs = layout.glyphRuns();
    for (QGlyphRun& run : runs) {
        QList<QPointF> positions = run.positions();
        for (QPointF& p : positions)
            p -= baseline;
        run.setPositions(positions);
    }
    return runs;
}

} // namespace pm::gdi
