#pragma once
// Splitting text at a character and finding text backwards.

#include "platform/framework/CString.h"

// When chDelimiter occurs in strRest: strLeft receives the text before its first occurrence and
// strRest keeps the text after it. FALSE, with nothing changed, when it does not occur.
BOOL SplitAtDelimiter(CString& strLeft, CString& strRest, TCHAR chDelimiter);

// As SplitAtDelimiter, except that when ch does not occur, strOut receives the whole of strInOut
// (which stays as it was) and the result is FALSE.
BOOL SplitAtChar(CString& strOut, CString& strInOut, TCHAR ch);

// The last position at or before nStart where lpszPart occurs in lpszText (nStart -1, or beyond
// the end, means from the last character); -1 when there is none or either text is empty.
int ReverseFindString(LPCTSTR lpszText, LPCTSTR lpszPart, int nStart);
