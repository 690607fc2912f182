#include "platform/win/text_codec.h"

namespace pm {

namespace {

// 0x80-0x9F of Windows-1252; the five unassigned bytes keep their own code point.
constexpr char16_t kHighControls[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool continuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// Length of the valid UTF-8 sequence at bytes, or 0 when it is not one (overlong forms, surrogates
// and code points above U+10FFFF are not valid).
std::size_t utf8Length(const unsigned char* b, std::size_t n) {
    unsigned char c = b[0];
    if (c >= 0xC2 && c <= 0xDF) return n >= 2 && continuation(b[1]) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        if (n < 3 || !continuation(b[1]) || !continuation(b[2])) return 0;
        if (c == 0xE0 && b[1] < 0xA0) return 0;
        if (c == 0xED && b[1] > 0x9F) return 0;
        return 3;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        if (n < 4 || !continuation(b[1]) || !continuation(b[2]) || !continuation(b[3])) return 0;
        if (c == 0xF0 && b[1] < 0x90) return 0;
        if (c == 0xF4 && b[1] > 0x8F) return 0;
        return 4;
    }
    return 0;
}

} // namespace

char32_t windows1252Char(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
    return byte;
}

std::size_t decodeChar(const unsigned char* bytes, std::size_t length, char32_t* character) {
    if (length == 0) return 0;
    unsigned char c = bytes[0];
    std::size_t n = c < 0x80 ? 0 : utf8Length(bytes, length);
    if (n == 0) {
        *character = windows1252Char(c);
        return 1;
    }
    char32_t cp = n == 2 ? c & 0x1F : n == 3 ? c & 0x0F : c & 0x07;
    for (std::size_t i = 1; i < n; ++i)
        cp = cp << 6 | (bytes[i] & 0x3F);
    *character = cp;
    return n;
}

QString decodeText(const char* bytes, std::size_t length, std::vector<int>* byteOffsets) {
    QString out;
    out.reserve(static_cast<qsizetype>(length));
    if (byteOffsets) {
        byteOffsets->clear();
        byteOffsets->reserve(length + 1);
    }
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    std::size_t i = 0;
    while (i < length) {
        char32_t cp;
        std::size_t n = decodeChar(b + i, length - i, &cp);
        if (cp > 0xFFFF) {
            out.append(QChar::highSurrogate(cp));
            out.append(QChar::lowSurrogate(cp));
            if (byteOffsets) byteOffsets->insert(byteOffsets->end(), 2, static_cast<int>(i));
        } else {
            out.append(QChar(static_cast<char16_t>(cp)));
            if (byteOffsets) byteOffsets->push_back(static_cast<int>(i));
        }
        i += n;
    }
    if (byteOffsets) byteOffsets->push_back(static_cast<int>(length));
    return out;
}

QString decodeText(const std::string& bytes) {
    return decodeText(bytes.data(), bytes.size());
}

std::string encodeText(const QString& text) {
    QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

} // namespace pm
