#pragma once
// UTF-8 sequences in the byte texts the server returns: where a valid one starts and which character
// it holds (overlong forms, surrogates and values beyond U+10FFFF are not valid).

#include <cstddef>

// The length (1 to 4) of the valid UTF-8 sequence at p, of which n bytes are available; 0 when no
// valid sequence starts there.
std::size_t ValidUtf8Length(const unsigned char* p, std::size_t n);

// The character of the valid sequence of the given length at p.
char32_t DecodeUtf8(const unsigned char* p, std::size_t length);
