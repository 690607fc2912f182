#include "platform/framework/Exceptions.h"

#include <algorithm>
#include <cstring>

namespace {

BOOL copyMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext, const char* text) {
    if (pnHelpContext) *pnHelpContext = 0;
    if (!lpszError || nMaxError == 0) return FALSE;
    const size_t n = std::min<size_t>(std::strlen(text), nMaxError - 1);
    std::memcpy(lpszError, text, n);
    lpszError[n] = '\0';
    return TRUE;
}

} // namespace

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const {
    if (pnHelpContext) *pnHelpContext = 0;
    if (lpszError && nMaxError > 0) lpszError[0] = '\0';
    return FALSE;
}

BOOL CMemoryException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const {
    return copyMessage(lpszError, nMaxError, pnHelpContext, "Out of memory.");
}

void AfxThrowMemoryException() {
    throw new CMemoryException;
}
