// The VBScript text parser.

#include "scripting/CHHVBScriptTextParser.h"

IMPLEMENT_DYNCREATE(CHHVBScriptTextParser, CHHTextParser)

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isLetterOrDigit(char c) {
    return isLetter(c) || (c >= '0' && c <= '9');
}

// Matches a keyword without regard to case at p; advances p past it.
bool acceptKeyword(const char*& p, const char* word) {
    const char* q = p;
    for (; *word; ++word, ++q) {
        char c = *q;
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        if (c != *word) return false;
    }
    p = q;
    return true;
}

// Skips blanks and tabs; TRUE when at least one was skipped.
bool skipBlanks(const char*& p) {
    const char* start = p;
    while (isBlank(*p))
        ++p;
    return p != start;
}

CString letterDigitRun(const char*& p) {
    const char* start = p;
    while (isLetterOrDigit(*p))
        ++p;
    return CString(start, static_cast<int>(p - start));
}

bool isEmptyLine(const CString& line) {
    return line == "\r\n";
}

} // namespace

CString CHHVBScriptTextParser::NextLine(LPCTSTR& pos) {
    const char* start = pos;
    while (*pos && *pos != '\r' && *pos != '\n')
        ++pos;
    CString line(start, static_cast<int>(pos - start));
    if (*pos == '\r') ++pos;
    if (*pos == '\n') ++pos;
    line += "\r\n";
    return line;
}

BOOL CHHVBScriptTextParser::IsProcedureHeader(const CString& strLine, CString& strObject,
                                              CString& strProcedure, BOOL& bIsFunction) {
    const char* p = strLine;
    skipBlanks(p);
    if (acceptKeyword(p, "function"))
        bIsFunction = TRUE;
    else if (acceptKeyword(p, "sub"))
        bIsFunction = FALSE;
    else
        return FALSE;
    if (!skipBlanks(p) || !isLetter(*p)) return FALSE;
    CString name = letterDigitRun(p);
    if (*p != '_') {
        strObject.Empty();
        strProcedure = name;
        return TRUE;
    }
    ++p;
    CString procedure = letterDigitRun(p);
    if (procedure.IsEmpty()) return FALSE;
    strObject = name;
    strProcedure = procedure;
    return TRUE;
}

BOOL CHHVBScriptTextParser::IsEndLine(const CString& strLine, BOOL bIsFunction) {
    const char* p = strLine;
    skipBlanks(p);
    if (!acceptKeyword(p, "end") || !skipBlanks(p)) return FALSE;
    if (!acceptKeyword(p, bIsFunction ? "function" : "sub")) return FALSE;
    return !isLetterOrDigit(*p);
}

CString CHHVBScriptTextParser::GetEndLine(BOOL bIsFunction) {
    return bIsFunction ? "End Function" : "End Sub";
}

LPCTSTR CHHVBScriptTextParser::ParseNext(LPCTSTR pos, CString& strObject, CString& strProcedure,
                                         CString& strHead, CString& strBody, CString& strTail) {
    strObject.Empty();
    strProcedure.Empty();
    strHead.Empty();
    strBody.Empty();
    strTail.Empty();
    CString line = NextLine(pos);
    BOOL isFunction = FALSE;
    if (!IsProcedureHeader(line, strObject, strProcedure, isFunction)) {
        strObject.Empty();
        strProcedure.Empty();
        strBody = line;
        return *pos ? pos : nullptr;
    }
    strHead = line;
    while (*pos) {
        line = NextLine(pos);
        if (!IsEndLine(line, isFunction)) {
            strBody += line;
            continue;
        }
        strTail = line;
        // Blank lines after the end line belong to nobody.
        while (*pos) {
            LPCTSTR before = pos;
            if (!isEmptyLine(NextLine(pos))) {
                pos = before;
                break;
            }
        }
        return *pos ? pos : nullptr;
    }
    strTail = GetEndLine(isFunction) + "\r\n";
    return nullptr;
}
