#include "colourtool/core/vb_text.h"

namespace tintara {

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

} // namespace

std::string vbHex(std::int32_t value) {
    std::uint32_t bits = static_cast<std::uint32_t>(value);
    std::string text;
    do {
        text.insert(text.begin(), kHexDigits[bits & 15u]);
        bits >>= 4;
    } while (bits != 0);
    return text;
}

std::int32_t hexValue(const std::string& digits) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < digits.size() && i < 8; ++i) {
        const int d = hexDigitValue(digits[i]);
        if (d < 0) break;
        value = value * 16u + static_cast<std::uint32_t>(d);
    }
    return static_cast<std::int32_t>(value);
}

char asciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string asciiUpper(std::string text) {
    for (char& c : text)
        c = asciiUpper(c);
    return text;
}

std::string asciiLower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

bool isHexDigit(char c) {
    return hexDigitValue(c) >= 0;
}

} // namespace tintara
