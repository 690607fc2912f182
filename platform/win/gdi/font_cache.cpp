#include "platform/win/gdi/font_cache.h"

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

} // namespace

FontCache::FontCache(const QFont& font)
    : font_(font), metrics_(font), ascent_(metrics_.ascent()), descent_(metrics_.descent()),
      averageWidth_(metrics_.averageCharWidth()), advances_(256), glyphOf_(256) {}

int FontCache::advance(QChar c) {
    std::vector<int>& page = advances_[c.unicode() >> 8];
    if (page.empty()) page.assign(256, -1);
    int& cached = page[c.unicode() & 0xFF];
    if (cached < 0) cached = metrics_.horizontalAdvance(QString(c));
    return cached;
}

int FontCache::advance(const QString& unit) {
    if (unit.size() == 1) return advance(unit[0]);
    return metrics_.horizontalAdvance(unit);
}

bool FontCache::layoutCached(const QString& text) const {
    if (font_.underline() || font_.strikeOut() || font_.overline()) return false;
    for (QChar c : text)
        if (!plainChar(c.unicode())) return false;
    return true;
}

qint32 FontCache::ownGlyph(QChar c) {
    std::vector<qint32>& page = glyphOf_[c.unicode() >> 8];
    if (page.empty()) page.assign(256, -2);
    qint32& cached = page[c.unicode() & 0xFF];
    if (cached != -2) return cached;
    cached = -1;
    QList<QGlyphRun> runs = layOut(QString(c));
    if (runs.size() != 1 || runs[0].glyphIndexes().size() != 1 || runs[0].positions()[0] != QPointF()) return -1;
    if (!own_.isValid()) own_ = runs[0].rawFont();
    if (runs[0].rawFont() != own_ || runs[0].glyphIndexes()[0] == 0) return -1;
    cached = static_cast<qint32>(runs[0].glyphIndexes()[0]);
    return cached;
}

bool FontCache::pairKept(QChar a, QChar b) {
    quint32 key = static_cast<quint32>(a.unicode()) << 16 | b.unicode();
    auto it = pairs_.find(key);
    if (it != pairs_.end()) return *it;
    QList<QGlyphRun> runs = layOut(QString(a) + b);
    bool kept = runs.size() == 1 && runs[0].rawFont() == own_ &&
                runs[0].glyphIndexes() ==
                    QList<quint32>{static_cast<quint32>(ownGlyph(a)), static_cast<quint32>(ownGlyph(b))} &&
                runs[0].positions() == QList<QPointF>{QPointF(), QPointF(advance(a), 0)};
    pairs_.insert(key, kept);
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
    if (assembled_.size() != 1) assembled_ = QList<QGlyphRun>(1);
    assembled_[0].setRawFont(own_);
    assembled_[0].setGlyphIndexes(glyphs);
    assembled_[0].setPositions(positions);
    return true;
}

const QList<QGlyphRun>* FontCache::glyphs(const QString& text) {
    if (assemble(text)) return &assembled_;
    auto it = recent_.find(text);
    if (it != recent_.end()) return &*it;
    auto old = older_.find(text);
    if (old == older_.end() && !metOnce_.remove(text)) {
        if (metOnce_.size() >= kLayoutsKept) metOnce_.clear();
        metOnce_.insert(text, true);
        return nullptr;
    }
    QList<QGlyphRun> runs = old != older_.end() ? *old : layOut(text);
    if (recent_.size() >= kLayoutsKept) {
        older_ = std::move(recent_);
        recent_.clear();
    }
    return &*recent_.insert(text, std::move(runs));
}

QList<QGlyphRun> FontCache::layOut(const QString& text) const {
    QTextLayout layout(text, font_);
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
