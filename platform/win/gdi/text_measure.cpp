#include "platform/win/gdi/text_measure.h"

#include "platform/win/gdi/font_cache.h"
#include "platform/win/gdi/fonts.h"

#include <algorithm>

namespace pm::gdi {

namespace {

QFont scaledFont(const DeviceContext& dc, const Font& font) {
    LOGFONTA lf = font.log;
    int h = dc.lengthToDevice(static_cast<int>(lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight));
    lf.lfHeight = lf.lfHeight < 0 ? -h : h;
    lf.lfWidth = dc.lengthToDevice(static_cast<int>(lf.lfWidth));
    return makeQFont(lf);
}

std::unique_ptr<FontCache> scaledCache(const DeviceContext& dc, const Font& font) {
    if (dc.state.mapMode == MM_TEXT) return nullptr;
    return std::make_unique<FontCache>(scaledFont(dc, font));
}

} // namespace

TextMeasure::TextMeasure(const DeviceContext& dc)
    : m_font(fontOf(dc)), m_scaled(scaledCache(dc, m_font)),
      m_cache(m_scaled ? m_scaled.get() : m_font.cache.get()),
      m_extra(dc.lengthToDevice(dc.state.charExtra)) {}

TextMeasure::~TextMeasure() = default;

int TextMeasure::ascent() const {
    return m_font.marlett ? m_cache->font().pixelSize() : m_cache->ascent();
}
int TextMeasure::descent() const {
    return m_font.marlett ? 0 : m_cache->descent();
}
int TextMeasure::externalLeading() const {
    return m_font.marlett ? 0 : std::max(0, m_cache->metrics().leading());
}
int TextMeasure::averageWidth() const {
    return m_font.marlett ? m_cache->font().pixelSize() : m_cache->averageWidth();
}

int TextMeasure::maxWidth() const {
    return m_font.marlett ? m_cache->font().pixelSize() : m_cache->maxWidth();
}

bool TextMeasure::overstruck() const {
    return !m_font.marlett && m_cache->overstruck();
}

int TextMeasure::advance(std::u16string_view unit) const {
    if (m_font.marlett) return m_cache->font().pixelSize() + m_extra;
    return m_cache->advance(
               QString(reinterpret_cast<const QChar*>(unit.data()), static_cast<qsizetype>(unit.size()))) +
           m_extra;
}

int TextMeasure::width(std::u16string_view text) const {
    std::vector<int> pos = positions(text);
    return pos.empty() ? 0 : pos.back();
}

std::vector<int> TextMeasure::positions(std::u16string_view text) const {
    std::vector<int> out;
    out.reserve(text.size());
    int x = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (QChar::isHighSurrogate(text[i]) && i + 1 < text.size()) {
            out.push_back(x);
            x += advance(text.substr(i, 2));
            out.push_back(x);
            ++i;
            continue;
        }
        x += m_font.marlett ? m_cache->font().pixelSize() + m_extra
                            : m_cache->advance(QChar(text[i])) + m_extra;
        out.push_back(x);
    }
    return out;
}

} // namespace pm::gdi
