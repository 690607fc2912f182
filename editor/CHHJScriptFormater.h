#pragma once
// CHHJScriptFormater: JavaScript - "//" and "/* */" comments, double-quoted strings with '\'
// escapes, '@' words of conditional compilation, "0x" hexadecimal numbers.

#include "editor/CHHGenericFormater.h"

class CHHJScriptFormater : public CHHGenericFormater {
    DECLARE_DYNCREATE(CHHJScriptFormater)
public:
    CHHJScriptFormater();

    WORD ScanNumber(const char16_t* text, int count, int& tokenStart, int& pos) override;
};
