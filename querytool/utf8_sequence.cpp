#include "querytool/utf8_sequence.h"

std::size_t ValidUtf8Length(const unsigned char* p, std::size_t n) {
    if (n == 0) return 0;
    const unsigned char b = p[0];
    if (b < 0x80) return 1;
    const std::size_t length = b < 0xC2 ? 0 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : b < 0xF5 ? 4 : 0;
    if (length == 0 || length > n) return 0;
    unsigned char low = 0x80, high = 0xBF;
    if (b == 0xE0) low = 0xA0;
    if (b == 0xED) high = 0x9F;
    if (b == 0xF0) low = 0x90;
    if (b == 0xF4) high = 0x8F;
    if (p[1] < low || p[1] > high) return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (p[i] < 0x80 || p[i] > 0xBF) return 0;
    return length;
}

char32_t DecodeUtf8(const unsigned char* p, std::size_t length) {
    static const unsigned char leadMasks[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    char32_t c = p[0] & leadMasks[length];
    for (std::size_t i = 1; i < length; ++i)
        c = (c << 6) | (p[i] & 0x3F);
    return c;
}
