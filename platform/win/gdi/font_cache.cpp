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
      averageWidth_(metrics_.averageCharWidth()), advances_(256) {}

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

const QList<QGlyphRun>* FontCache::glyphs(const QString& text) {
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
