#pragma once
// UTF-8 and the shown characters of bytes. Text is kept as bytes; a valid UTF-8 sequence shows as
// one character and every other byte as its Windows-1252 character, so files in either encoding
// show and round-trip unchanged.

#include <cstddef>
#include <string>
#include <vector>

namespace pm::utf8 {

// Whether the byte continues a sequence (10xxxxxx).
constexpr bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the sequence `lead` starts: 1 for ASCII, 2 to 4 for a lead byte, 0 for a byte that
// starts none (a continuation byte, an overlong lead, a lead beyond U+10FFFF).
constexpr std::size_t sequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

// The length of the valid sequence at bytes (at most `length` bytes are read) and its character;
// 0 when none starts there: cut short, broken, overlong, a surrogate or beyond U+10FFFF.
std::size_t decode(const unsigned char* bytes, std::size_t length, char32_t* character);

// Writes the bytes of a character (up to U+10FFFF) to out and answers how many (1 to 4).
std::size_t encode(char32_t character, char out[4]);
void append(std::string& out, char32_t character);

// The UTF-8 bytes of UTF-16 text; a lone surrogate becomes U+FFFD.
std::string fromUtf16(const char16_t* text, std::size_t length);
std::string fromUtf16(const std::u16string& text);

} // namespace pm::utf8

namespace pm {

// The Windows-1252 character of one byte.
char32_t windows1252Char(unsigned char byte);

// The shown character that starts at bytes[0] (at most `length` bytes are read) and the number of
// bytes it takes (1 to 4; 0 only when length is 0).
std::size_t decodeChar(const unsigned char* bytes, std::size_t length, char32_t* character);

// The shown text of `length` bytes as UTF-16: put(unit, offset) takes each unit in order with the
// offset of the byte sequence it came from (both units of a surrogate pair take the same offset).
template <class Put> void decodeShownText(const char* bytes, std::size_t length, Put&& put) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    std::size_t i = 0;
    while (i < length) {
        char32_t cp;
        std::size_t n = decodeChar(b + i, length - i, &cp);
        const int at = static_cast<int>(i);
        if (cp > 0xFFFF) {
            put(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)), at);
            put(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)), at);
        } else {
            put(static_cast<char16_t>(cp), at);
        }
        i += n;
    }
}

// The shown text of `length` bytes as UTF-16. When byteOffsets is given, it receives for each unit
// the offset of the byte sequence it came from, plus one last entry equal to length.
std::u16string shownText(const char* bytes, std::size_t length, std::vector<int>* byteOffsets = nullptr);

} // namespace pm
