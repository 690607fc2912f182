#include "platform/win/utf8.h"

namespace pm::utf8 {

std::size_t decode(const unsigned char* bytes, std::size_t length, char32_t* character) {
    if (length == 0) return 0;
    unsigned char lead = bytes[0];
    std::size_t n = sequenceLength(lead);
    if (n == 0 || n > length) return 0;
    char32_t c = n == 1 ? lead : n == 2 ? lead & 0x1F : n == 3 ? lead & 0x0F : lead & 0x07;
    for (std::size_t i = 1; i < n; ++i) {
        if (!isContinuation(bytes[i])) return 0;
        c = c << 6 | (bytes[i] & 0x3F);
    }
    if ((n == 3 && c < 0x800) || (n == 4 && (c < 0x10000 || c > 0x10FFFF)) || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    *character = c;
    return n;
}

std::size_t encode(char32_t c, char out[4]) {
    if (c < 0x80) {
        out[0] = static_cast<char>(c);
        return 1;
    }
    if (c < 0x800) {
        out[0] = static_cast<char>(0xC0 | (c >> 6));
        out[1] = static_cast<char>(0x80 | (c & 0x3F));
        return 2;
    }
    if (c < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (c >> 12));
        out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (c & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (c >> 18));
    out[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (c & 0x3F));
    return 4;
}

void append(std::string& out, char32_t c) {
    char bytes[4];
    out.append(bytes, encode(c, bytes));
}

std::string fromUtf16(const char16_t* text, std::size_t length) {
    std::string out;
    out.reserve(length);
    for (std::size_t i = 0; i < length; ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < length && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        append(out, c);
    }
    return out;
}

std::string fromUtf16(const std::u16string& text) {
    return fromUtf16(text.data(), text.size());
}

} // namespace pm::utf8

namespace pm {
namespace {

// 0x80-0x9F of Windows-1252; the five unassigned bytes keep their own code point.
constexpr char16_t kHighControls[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

char32_t windows1252Char(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
    return byte;
}

std::size_t decodeChar(const unsigned char* bytes, std::size_t length, char32_t* character) {
    if (length == 0) return 0;
    std::size_t n = utf8::decode(bytes, length, character);
    if (n > 0) return n;
    *character = windows1252Char(bytes[0]);
    return 1;
}

std::u16string shownText(const char* bytes, std::size_t length, std::vector<int>* byteOffsets) {
    std::u16string out;
    out.reserve(length);
    if (!byteOffsets) {
        decodeShownText(bytes, length, [&](char16_t unit, int) { out.push_back(unit); });
        return out;
    }
    byteOffsets->clear();
    byteOffsets->reserve(length + 1);
    decodeShownText(bytes, length, [&](char16_t unit, int at) {
        out.push_back(unit);
        byteOffsets->push_back(at);
    });
    byteOffsets->push_back(static_cast<int>(length));
    return out;
}

} // namespace pm
