#include "app/text_helpers.h"

#include <cstring>

BOOL SplitAtDelimiter(CString& strLeft, CString& strRest, TCHAR chDelimiter) {
    int at = strRest.Find(chDelimiter);
    if (at < 0) return FALSE;
    strLeft = strRest.Left(at);
    strRest = strRest.Mid(at + 1);
    return TRUE;
}

BOOL SplitAtChar(CString& strOut, CString& strInOut, TCHAR ch) {
    if (SplitAtDelimiter(strOut, strInOut, ch)) return TRUE;
    strOut = strInOut;
    return FALSE;
}

int ReverseFindString(LPCTSTR lpszText, LPCTSTR lpszPart, int nStart) {
    if (!lpszText || !lpszPart || !*lpszText || !*lpszPart) return -1;
    int textLength = static_cast<int>(std::strlen(lpszText));
    int partLength = static_cast<int>(std::strlen(lpszPart));
    int last = textLength - partLength;
    int from = nStart < 0 || nStart >= textLength ? textLength - 1 : nStart;
    for (int pos = from < last ? from : last; pos >= 0; pos--)
        if (std::memcmp(lpszText + pos, lpszPart, static_cast<std::size_t>(partLength)) == 0) return pos;
    return -1;
}
