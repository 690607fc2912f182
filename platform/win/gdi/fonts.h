#pragma once
// Fonts as GDI sees them: a LOGFONT made into a QFont through the face substitution table, and
// text measured in device pixels the way GDI lays it out (advances summed, no kerning).

#include "platform/win/gdi/device_context.h"
#include "platform/win/gdi/font_cache.h"
#include "platform/win/gdi/objects.h"

#include <QFontMetrics>
#include <QString>

#include <vector>

namespace pm::gdi {

// The installed family that stands in for a face name (empty: chosen by pitch and family).
QString substituteFace(const char* face, BYTE pitchAndFamily);

// The QFont of a LOGFONT whose height is in device pixels.
QFont makeQFont(const LOGFONTA& lf);

// The font selected into dc (the system font when the selection is gone).
const Font& fontOf(const DeviceContext& dc);

// Text measured in device pixels on one DC. On a DC that maps one logical unit to one pixel it
// uses the font's own cache, so measuring builds no font or metrics objects.
class TextMeasure {
public:
    explicit TextMeasure(const DeviceContext& dc);

    const Font& font() const { return m_font; }
    // The font at the DC's scale (logical heights mapped to device pixels).
    const QFont& qfont() const { return m_cache->font(); }
    const QFontMetrics& metrics() const { return m_cache->metrics(); }
    // The font's cache at the DC's scale.
    FontCache& cache() const { return *m_cache; }
    bool marlett() const { return m_font.marlett; }
    int ascent() const;
    int descent() const;
    int height() const { return ascent() + descent(); }
    int externalLeading() const;
    int averageWidth() const;
    int maxWidth() const;
    // Whether glyphs are drawn a second time one pixel to the right (bold the face cannot show).
    bool overstruck() const { return !m_font.marlett && m_cache->overstruck(); }
    // The advance of one character (as UTF-16 units: one, or a surrogate pair).
    int advance(const QString& unit) const;
    int width(const QString& text) const;
    // The advance after each UTF-16 unit of text, cumulated (a surrogate pair's first unit repeats
    // the width before it).
    std::vector<int> positions(const QString& text) const;

private:
    const Font& m_font;
    std::unique_ptr<FontCache> m_scaled; // for DCs whose mapping scales the font
    FontCache* m_cache;
    int m_extra;
};

} // namespace pm::gdi
