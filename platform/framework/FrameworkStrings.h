#pragma once
// The framework's own texts (prompts, validation errors, the untitled name), used when the program's
// string table does not declare them; and the %1/%2 substitution of such texts.

#include "platform/framework/CString.h"

// The text of string id nID: the program's own, else the framework's, else empty.
CString AfxLoadString(UINT nID);
// Replaces %1 (and %2) in the string nIDS with the arguments.
void AfxFormatString1(CString& rString, UINT nIDS, LPCSTR lpsz1);
void AfxFormatString2(CString& rString, UINT nIDS, LPCSTR lpsz1, LPCSTR lpsz2);
// Replaces %1 ... %9 in lpszFormat with the strings of rglpsz.
void AfxFormatStrings(CString& rString, LPCSTR lpszFormat, LPCSTR const* rglpsz, int nString);
