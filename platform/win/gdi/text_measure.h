#pragma once
// Text measured in device pixels on one DC the way GDI lays it out: advances summed, no kerning,
// the DC's character extra after each character. Shown text is UTF-16 (utf8.h's shownText).

#include "platform/win/gdi/device_context.h"
#include "platform/win/gdi/objects.h"

#include <memory>
#include <string_view>
#include <vector>

namespace pm::gdi {

class FontCache; // font_cache.h

// The font selected into dc (the system font when the selection is gone).
const Font& fontOf(const DeviceContext& dc);

// On a DC that maps one logical unit to one pixel it uses the font's own cache, so measuring builds
// no font or metrics objects.
class TextMeasure {
public:
    explicit TextMeasure(const DeviceContext& dc);
    ~TextMeasure();
    TextMeasure(const TextMeasure&) = delete;
    TextMeasure& operator=(const TextMeasure&) = delete;

    const Font& font() const { return m_font; }
    // The font's cache at the DC's scale (logical heights mapped to device pixels).
    FontCache& cache() const { return *m_cache; }
    bool marlett() const { return m_font.marlett; }
    int ascent() const;
    int descent() const;
    int height() const { return ascent() + descent(); }
    int externalLeading() const;
    int averageWidth() const;
    int maxWidth() const;
    // Whether glyphs are drawn a second time one pixel to the right (bold the face cannot show).
    bool overstruck() const;
    // The advance of one character (as UTF-16 units: one, or a surrogate pair).
    int advance(std::u16string_view unit) const;
    int width(std::u16string_view text) const;
    // The advance after each UTF-16 unit of text, cumulated (a surrogate pair's first unit repeats
    // the width before it).
    std::vector<int> positions(std::u16string_view text) const;

private:
    const Font& m_font;
    std::unique_ptr<FontCache> m_scaled; // for DCs whose mapping scales the font
    FontCache* m_cache;
    int m_extra;
};

} // namespace pm::gdi
