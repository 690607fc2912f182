#pragma once
// The framework's exceptions. They are thrown as pointers (throw new ..., or the AfxThrow
// functions) and the catcher calls Delete() when done. The TRY/CATCH macros delete the caught
// exception themselves at the end of the handler unless it is thrown on with THROW_LAST().

#include "platform/framework/CObject.h"
#include "platform/framework/CString.h"

class CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    explicit CException(BOOL bAutoDelete = TRUE) : m_bAutoDelete(bAutoDelete) {}
    // Frees the exception when it was allocated to be thrown (the catcher's duty).
    void Delete();
    // Copies a description of the failure into the buffer; FALSE when there is none.
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const;

    BOOL m_bAutoDelete;
};

class CMemoryException : public CException {
    DECLARE_DYNAMIC(CMemoryException)
public:
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;
};

class CNotSupportedException : public CException {
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;
};

class CResourceException : public CException {
    DECLARE_DYNAMIC(CResourceException)
public:
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;
};

// An argument out of range, such as an index beyond the end of a collection.
class CInvalidArgException : public CException {
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;
};

class CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };
    explicit CFileException(int cause = none, LONG lOsError = -1, LPCTSTR lpszArchiveName = nullptr)
        : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName) {}
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;

    // The cause that an operating-system error number (errno) stands for.
    static int ErrnoToException(int nErrno);
    [[noreturn]] static void ThrowErrno(int nErrno, LPCTSTR lpszFileName = nullptr);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

class CArchiveException : public CException {
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum { none, genericException, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema };
    explicit CArchiveException(int cause = none, LPCTSTR lpszArchiveName = nullptr)
        : m_cause(cause), m_strFileName(lpszArchiveName) {}
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;

    int m_cause;
    CString m_strFileName;
};

// A failure the user has already been told about (a validation error box, for example).
class CUserException : public CException {
    DECLARE_DYNAMIC(CUserException)
};

[[noreturn]] void AfxThrowUserException();
[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowNotSupportedException();
[[noreturn]] void AfxThrowResourceException();
[[noreturn]] void AfxThrowInvalidArgException();
[[noreturn]] void AfxThrowFileException(int cause, LONG lOsError = -1, LPCTSTR lpszFileName = nullptr);
[[noreturn]] void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = nullptr);

namespace pm {
// Deletes a caught framework exception at the end of a CATCH block unless it is thrown on.
class CatchGuard {
public:
    explicit CatchGuard(CException* e) : m_e(e) {}
    ~CatchGuard() {
        if (m_e) m_e->Delete();
    }
    void release() { m_e = nullptr; }
    CatchGuard(const CatchGuard&) = delete;
    CatchGuard& operator=(const CatchGuard&) = delete;

private:
    CException* m_e;
};
} // namespace pm

#define TRY try {
#define CATCH(class_name, e)                                                                                 \
    }                                                                                                        \
    catch (class_name * e) {                                                                                 \
        ::pm::CatchGuard pmCatchGuard(e);
#define AND_CATCH(class_name, e) CATCH(class_name, e)
#define END_CATCH }
#define CATCH_ALL(e) CATCH(CException, e)
#define AND_CATCH_ALL(e) CATCH(CException, e)
#define END_CATCH_ALL }
#define END_TRY                                                                                              \
    }                                                                                                        \
    catch (CException * pmTryException) {                                                                    \
        pmTryException->Delete();                                                                            \
    }
#define THROW(e) throw e
#define THROW_LAST()                                                                                         \
    do {                                                                                                     \
        pmCatchGuard.release();                                                                              \
        throw;                                                                                               \
    } while (0)
