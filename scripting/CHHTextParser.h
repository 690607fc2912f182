#pragma once
// CHHTextParser: cuts a plain script text into procedures (head line, body, tail line) and loose
// lines, for one script language.

#include "platform/framework/framework.h"

class CHHTextParser : public CObject {
    DECLARE_DYNAMIC(CHHTextParser)
public:
    // Takes the next piece from pos: a procedure (object and procedure names, head, body, tail) or
    // a loose line (body only). Answers the position after it, or null when the text is used up.
    virtual LPCTSTR ParseNext(LPCTSTR pos, CString& strObject, CString& strProcedure, CString& strHead,
                              CString& strBody, CString& strTail) = 0;
    // TRUE when the line opens a procedure; gives its object (empty when none), name and kind.
    virtual BOOL IsProcedureHeader(const CString& strLine, CString& strObject, CString& strProcedure,
                                   BOOL& bIsFunction) = 0;
    // The line that closes a procedure of the kind, without its line end.
    virtual CString GetEndLine(BOOL bIsFunction) = 0;
};
