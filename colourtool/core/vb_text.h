#pragma once
// The few text and number conversions of the colour tool with the semantics its texts rely on:
// Hex$ (upper case, no padding), "&H" hexadecimal reading and ASCII-only case changes, which keep
// every byte position of a text.

#include <cstdint>
#include <string>

namespace tintara {

// Upper-case hexadecimal text of a 32-bit value without leading zeros ("0" for 0, "F" for 15);
// negative values give their 32-bit two's complement ("FFFFFFFF" for -1).
std::string vbHex(std::int32_t value);

// The value of the hexadecimal digits at the start of `digits` (either case), read as far as they
// are hexadecimal and at most eight of them; "" gives 0.
std::int32_t hexValue(const std::string& digits);

// ASCII-only case changes; every other byte stays as it is.
std::string asciiUpper(std::string text);
std::string asciiLower(std::string text);
char asciiUpper(char c);

bool isHexDigit(char c);

} // namespace tintara
