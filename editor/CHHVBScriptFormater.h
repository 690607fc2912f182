#pragma once
// CHHVBScriptFormater: VBScript - case-insensitive words, "'" and "REM" comments, "&H"
// hexadecimal numbers, the built-in functions with their signatures, VBScript keyword case,
// parameter texts and type names.

#include "editor/CHHGenericFormater.h"

class CHHVBScriptFormater : public CHHGenericFormater {
    DECLARE_DYNCREATE(CHHVBScriptFormater)
public:
    CHHVBScriptFormater();

    BOOL AdjustWordCase(LPTSTR word, WORD cls) override;
    CString FormatParameter(LPCTSTR name, VARTYPE type, BOOL byVal, BOOL optional, BOOL withType) override;
    CString GetTypeName(VARTYPE type) override;
    WORD ScanNumber(const char16_t* text, int count, int& tokenStart, int& pos) override;
};
