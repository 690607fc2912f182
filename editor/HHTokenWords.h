#pragma once
// Token words: the 16-bit value a formater's tokeniser writes for every character of a text.

#include "platform/win/wintypes.h"

enum : WORD {
    HHTOKEN_DEFAULT = 0,
    HHTOKEN_KEYWORD = 1,
    HHTOKEN_COMMENT = 2,
    HHTOKEN_OPERATOR = 8,
    HHTOKEN_NUMBER = 16,
    HHTOKEN_STRING = 32,
    HHTOKEN_CONSTANT = 256,
    HHTOKEN_FUNCTION = 512,
    HHTOKEN_PREPROCESSOR = 1024,
    HHTOKEN_USER1 = 2048,
    HHTOKEN_USER2 = 4096,
};

// Identifiers are at most this long; longer ones keep HHTOKEN_DEFAULT.
constexpr int HH_MAX_WORD = 512;
