#pragma once
// The framework's exceptions. They are thrown as pointers (throw new ...) and the catcher calls
// Delete() when it is done, as framework code expects.

#include "platform/win/wintypes.h"

class CException {
public:
    virtual ~CException() = default;
    // Frees the exception (the catcher's duty).
    void Delete() { delete this; }
    // Copies a description of the failure into the buffer; FALSE when there is none.
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const;
};

class CMemoryException : public CException {
public:
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;
};

[[noreturn]] void AfxThrowMemoryException();
