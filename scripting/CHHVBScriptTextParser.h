#pragma once
// CHHVBScriptTextParser: the text parser for VBScript. A header is "Sub" or "Function" and a name
// (letters and digits); "Object_Event" names give the object and the procedure; an end line is
// "End Sub" or "End Function". Every line comes back ending in CR LF. Only ASCII bytes are
// letters or line ends, so UTF-8 sequences are never split.

#include "scripting/CHHTextParser.h"

class CHHVBScriptTextParser : public CHHTextParser {
    DECLARE_DYNCREATE(CHHVBScriptTextParser)
public:
    LPCTSTR ParseNext(LPCTSTR pos, CString& strObject, CString& strProcedure, CString& strHead,
                      CString& strBody, CString& strTail) override;
    BOOL IsProcedureHeader(const CString& strLine, CString& strObject, CString& strProcedure,
                           BOOL& bIsFunction) override;
    CString GetEndLine(BOOL bIsFunction) override;

    // The line at pos (up to CR, LF or the end) with CR LF appended; pos moves past the line and
    // past one CR and then one LF.
    static CString NextLine(LPCTSTR& pos);
    // TRUE when the line is "End Sub" (or "End Function" for a function), any case and spacing.
    static BOOL IsEndLine(const CString& strLine, BOOL bIsFunction);
};
