#pragma once
// Text macros and a search that tolerates white space, over a text owned by the caller.

#include "platform/framework/CObject.h"
#include "platform/framework/CString.h"

#include <ctime>

class CTextSearch : public CObject {
public:
    // Searches and changes strTarget in place; the caller keeps it alive.
    explicit CTextSearch(CString& strTarget) : m_strTarget(strTarget) {}

    // Replaces each occurrence of lpszName (exact, with case), searching again after each
    // replacement, by lpszReplacement or, when that is NULL, by ExpandMacro(lpszName). With
    // bFirstOnly only the first. TRUE when something was replaced.
    BOOL ReplaceAll(LPCTSTR lpszName, LPCTSTR lpszReplacement, BOOL bFirstOnly);

    // "Date": today as "Monday, December 7, 2026"; "App": the program folder without its trailing
    // separator; "Windows" and "System": the system's shared data and library folders; anything
    // else: empty.
    static CString ExpandMacro(LPCTSTR lpszName);
    // The "Date" text of a given day (English names whatever the system's language).
    static CString FormatDate(const std::tm& date);

    // FindSkippingBlanks on the target, on lower-cased copies unless bMatchCase.
    int Find(LPCTSTR lpszText, int nStart, BOOL bForward, BOOL bMatchCase) const;

    // The position where lpszText starts in lpszTarget, white space inside the target being
    // skipped between its characters; searches from nStart towards the end (bForward) or the
    // start. -1 when not found or when nStart lies beyond the target's last character.
    static int FindSkippingBlanks(LPCTSTR lpszTarget, LPCTSTR lpszText, int nStart, BOOL bForward);

private:
    CString& m_strTarget;
};
