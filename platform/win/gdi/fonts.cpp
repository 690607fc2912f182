// Font objects: LOGFONT to QFont through the substitution table, stock fonts, metrics and extents.
#include "platform/win/gdi/fonts.h"

#include "platform/win/gdi/marlett.h"
#include "platform/win/qtapp.h"
#include "platform/win/utf8.h"

#include <QFontInfo>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>
#include <strings.h>

namespace pm::gdi {

namespace {

struct Substitute {
    const char* face;
    const char* family;
};

// Faces the programs name, and the installed families drawn for them. Liberation's faces have the
// metrics of the faces they stand for; the sans faces of the old dialog font take Liberation Sans,
// so dialog units come out as classic ones.
constexpr Substitute kSubstitutes[] = {
    {"MS Sans Serif", "Liberation Sans"},
    {"Microsoft Sans Serif", "Liberation Sans"},
    {"MS Shell Dlg", "Liberation Sans"},
    {"MS Shell Dlg 2", "Liberation Sans"},
    {"Tahoma", "Liberation Sans"},
    {"Arial", "Liberation Sans"},
    {"Helvetica", "Liberation Sans"},
    {"Small Fonts", "Liberation Sans"},
    {"System", "Liberation Sans"},
    {"Courier New", "Liberation Mono"},
    {"Courier", "Liberation Mono"},
    {"Fixedsys", "Liberation Mono"},
    {"Terminal", "Liberation Mono"},
    {"Lucida Console", "Liberation Mono"},
    {"Times New Roman", "Liberation Serif"},
    {"Times", "Liberation Serif"},
    {"Verdana", "DejaVu Sans"},
};

QFont::Weight weightOf(LONG w) {
    if (w <= 0) return QFont::Normal;
    int v = static_cast<int>(std::clamp<LONG>(w, 100, 900) / 100 * 100);
    return static_cast<QFont::Weight>(v);
}

// The pixel size that gives a cell (ascent + descent) of `cell` pixels.
int pixelSizeForCell(QFont font, int cell) {
    font.setPixelSize(100);
    QFontMetrics m(font);
    int h = std::max(1, m.ascent() + m.descent());
    return std::max(1, (cell * 100 + h / 2) / h);
}

constexpr int kDefaultPixelSize = 12;
constexpr int kMaxPixelSize = 2000;

} // namespace

QString substituteFace(const char* face, BYTE pitchAndFamily) {
    if (face && *face) {
        for (const Substitute& s : kSubstitutes)
            if (strcasecmp(face, s.face) == 0) return QString::fromLatin1(s.family);
        return QString::fromLatin1(face);
    }
    if ((pitchAndFamily & 0x3) == FIXED_PITCH || (pitchAndFamily & 0xF0) == FF_MODERN)
        return QStringLiteral("Liberation Mono");
    if ((pitchAndFamily & 0xF0) == FF_ROMAN) return QStringLiteral("Liberation Serif");
    return QStringLiteral("Liberation Sans");
}

QFont makeQFont(const LOGFONTA& lf) {
    ensureQtApplication();
    QFont f(substituteFace(lf.lfFaceName, lf.lfPitchAndFamily));
    f.setStyleStrategy(static_cast<QFont::StyleStrategy>(QFont::NoAntialias | QFont::PreferMatch));
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setKerning(false);
    if ((lf.lfPitchAndFamily & 0x3) == FIXED_PITCH) f.setStyleHint(QFont::Monospace);
    f.setWeight(weightOf(lf.lfWeight));
    f.setItalic(lf.lfItalic != 0);
    f.setUnderline(lf.lfUnderline != 0);
    f.setStrikeOut(lf.lfStrikeOut != 0);
    LONG h = lf.lfHeight;
    int px = kDefaultPixelSize;
    if (h < 0) px = static_cast<int>(-h);
    // The symbol font's glyphs fill square cells as tall as the height asked for.
    else if (h > 0)
        px = isMarlettFace(lf.lfFaceName) ? static_cast<int>(h) : pixelSizeForCell(f, static_cast<int>(h));
    f.setPixelSize(std::clamp(px, 1, kMaxPixelSize));
    if (lf.lfWidth > 0) {
        QFontMetrics m(f);
        int avg = std::max(1, m.averageCharWidth());
        f.setStretch(std::clamp(static_cast<int>(lf.lfWidth * 100 / avg), 1, 4000));
    }
    return f;
}

namespace {

// The fields of a LOGFONT and its face up to its end: equal keys make equal fonts.
std::string cacheKey(const LOGFONTA& lf) {
    std::string key(reinterpret_cast<const char*>(&lf), offsetof(LOGFONTA, lfFaceName));
    key.append(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
    return key;
}

// Fonts made from equal LOGFONTs share one cache, as GDI shares a font's realization: the glyphs
// and layouts one of them met are known to the others (a control making a font per colour of its
// text lays out and renders its glyphs once). A cache leaves the table with its last font.
std::shared_ptr<FontCache> sharedCache(const LOGFONTA& lf) {
    // Left to the end of the process: fonts may outlive static destruction.
    static auto* shared = new std::unordered_map<std::string, std::weak_ptr<FontCache>>();
    std::string key = cacheKey(lf);
    auto it = shared->find(key);
    if (it != shared->end()) return it->second.lock();
    std::shared_ptr<FontCache> cache(new FontCache(makeQFont(lf)), [key](FontCache* c) {
        shared->erase(key);
        delete c;
    });
    shared->emplace(std::move(key), cache);
    return cache;
}

} // namespace

Font makeFont(const LOGFONTA& lf) {
    Font font;
    font.log = lf;
    font.log.lfFaceName[LF_FACESIZE - 1] = 0;
    font.marlett = isMarlettFace(font.log.lfFaceName);
    font.cache = sharedCache(font.log);
    return font;
}

namespace {

LOGFONTA stockLog(LONG height, LONG weight, BYTE pitch, const char* face) {
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfPitchAndFamily = pitch;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return lf;
}

} // namespace

HFONT stockFont(int index) {
    static HFONT fonts[DEFAULT_GUI_FONT + 1] = {};
    if (index < OEM_FIXED_FONT || index > DEFAULT_GUI_FONT || index == DEFAULT_PALETTE) return nullptr;
    if (fonts[index]) return fonts[index];
    LOGFONTA lf;
    switch (index) {
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
        lf = stockLog(16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, "System");
        break;
    case ANSI_VAR_FONT:
        lf = stockLog(13, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Sans Serif");
        break;
    case DEFAULT_GUI_FONT:
        lf = stockLog(-11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Shell Dlg");
        break;
    case ANSI_FIXED_FONT:
        lf = stockLog(12, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Courier");
        break;
    default:
        lf = stockLog(16, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Fixedsys");
        break;
    }
    fonts[index] = addObject<HFONT>(makeFont(lf), true);
    return fonts[index];
}

const Font& fontOf(const DeviceContext& dc) {
    if (const Font* f = objectAs<Font>(dc.state.font)) return *f;
    return *objectAs<Font>(stockFont(SYSTEM_FONT));
}

} // namespace pm::gdi

using namespace pm::gdi;

HFONT CreateFontIndirectA(const LOGFONTA* lf) {
    if (!lf) return nullptr;
    return addObject<HFONT>(makeFont(*lf));
}

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                  DWORD quality, DWORD pitchAndFamily, LPCSTR face) {
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = static_cast<BYTE>(italic);
    lf.lfUnderline = static_cast<BYTE>(underline);
    lf.lfStrikeOut = static_cast<BYTE>(strikeOut);
    lf.lfCharSet = static_cast<BYTE>(charSet);
    lf.lfOutPrecision = static_cast<BYTE>(outPrecision);
    lf.lfClipPrecision = static_cast<BYTE>(clipPrecision);
    lf.lfQuality = static_cast<BYTE>(quality);
    lf.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
    if (face) std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirectA(&lf);
}

BOOL GetTextMetricsA(HDC hdc, LPTEXTMETRICA tm) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || !tm) return FALSE;
    TextMeasure m(*dc);
    const LOGFONTA& lf = m.font().log;
    *tm = TEXTMETRICA{};
    tm->tmAscent = dc->lengthToLogical(m.ascent());
    tm->tmDescent = dc->lengthToLogical(m.descent());
    tm->tmHeight = tm->tmAscent + tm->tmDescent;
    tm->tmInternalLeading =
        std::max<LONG>(0, tm->tmHeight - dc->lengthToLogical(m.cache().font().pixelSize()));
    tm->tmExternalLeading = dc->lengthToLogical(m.externalLeading());
    tm->tmAveCharWidth = dc->lengthToLogical(m.averageWidth());
    tm->tmMaxCharWidth = dc->lengthToLogical(m.maxWidth());
    tm->tmWeight = lf.lfWeight > 0 ? lf.lfWeight : FW_NORMAL;
    tm->tmDigitizedAspectX = tm->tmDigitizedAspectY = dc->logPixels();
    tm->tmFirstChar = 0x20;
    tm->tmLastChar = 0xFF;
    tm->tmDefaultChar = 0x1F;
    tm->tmBreakChar = 0x20;
    tm->tmItalic = lf.lfItalic;
    tm->tmUnderlined = lf.lfUnderline;
    tm->tmStruckOut = lf.lfStrikeOut;
    bool fixed = QFontInfo(m.cache().font()).fixedPitch();
    // The pitch bit is set for variable pitch fonts (a documented inversion).
    tm->tmPitchAndFamily = static_cast<BYTE>((fixed ? 0 : TMPF_FIXED_PITCH) | TMPF_VECTOR | TMPF_TRUETYPE |
                                             (lf.lfPitchAndFamily & 0xF0));
    tm->tmCharSet = lf.lfCharSet;
    return TRUE;
}

BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR text, int count, LPSIZE size) {
    return GetTextExtentExPointA(hdc, text, count, 0, nullptr, nullptr, size);
}

BOOL GetTextExtentExPointA(HDC hdc, LPCSTR text, int count, int maxExtent, LPINT fit, LPINT dx, LPSIZE size) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || !size || count < 0 || (!text && count > 0)) return FALSE;
    TextMeasure m(*dc);
    std::vector<int> offsets;
    std::vector<int> pos = m.positions(pm::shownText(text, static_cast<std::size_t>(count), &offsets));
    // Every byte of a character gets the extent at the character's end.
    std::vector<int> byteExtent(static_cast<std::size_t>(count), 0);
    for (std::size_t u = 0; u < pos.size(); ++u)
        for (int b = offsets[u]; b < offsets[u + 1]; ++b)
            byteExtent[static_cast<std::size_t>(b)] = pos[u];
    int fitted = 0;
    for (int b = 0; b < count; ++b) {
        int extent = dc->lengthToLogical(byteExtent[static_cast<std::size_t>(b)]);
        bool fits = extent <= maxExtent && fitted == b;
        if (fits) ++fitted;
        if (dx && (!fit || fits)) dx[b] = extent;
    }
    if (fit) *fit = fitted;
    int total = pos.empty() ? 0 : pos.back();
    *size = SIZE{dc->lengthToLogical(total), dc->lengthToLogical(m.height())};
    return TRUE;
}

BOOL GetCharWidthA(HDC hdc, UINT first, UINT last, LPINT widths) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || !widths || last < first || last > 0xFF) return FALSE;
    TextMeasure m(*dc);
    for (UINT c = first; c <= last; ++c) {
        char32_t cp = pm::windows1252Char(static_cast<unsigned char>(c));
        widths[c - first] = dc->lengthToLogical(m.advance(std::u16string(1, static_cast<char16_t>(cp))));
    }
    return TRUE;
}

int GetTextFaceA(HDC hdc, int size, LPSTR face) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc) return 0;
    const char* name = fontOf(*dc).log.lfFaceName;
    int len = static_cast<int>(std::strlen(name));
    if (!face) return len + 1;
    if (size <= 0) return 0;
    int n = std::min(len, size - 1);
    std::memcpy(face, name, static_cast<std::size_t>(n));
    face[n] = 0;
    return n;
}
