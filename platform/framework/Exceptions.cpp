#include "platform/framework/Exceptions.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CException)
IMPLEMENT_DYNAMIC(CResourceException, CException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)
IMPLEMENT_DYNAMIC(CUserException, CException)

namespace {

BOOL copyMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext, const char* text) {
    if (pnHelpContext) *pnHelpContext = 0;
    if (!lpszError || nMaxError == 0) return FALSE;
    const size_t n = std::min<size_t>(std::strlen(text), nMaxError - 1);
    std::memcpy(lpszError, text, n);
    lpszError[n] = '\0';
    return TRUE;
}

const char* fileCauseText(int cause) {
    switch (cause) {
    case CFileException::fileNotFound:
        return "was not found.";
    case CFileException::badPath:
        return "contains an invalid path.";
    case CFileException::tooManyOpenFiles:
        return "could not be opened because there are too many open files.";
    case CFileException::accessDenied:
        return "could not be accessed.";
    case CFileException::invalidFile:
        return "is not a valid file.";
    case CFileException::removeCurrentDir:
        return "could not be removed because it is the current directory.";
    case CFileException::directoryFull:
        return "could not be created because the directory is full.";
    case CFileException::badSeek:
        return "could not be positioned.";
    case CFileException::hardIO:
        return "could not be accessed because of a hardware error.";
    case CFileException::sharingViolation:
        return "is in use by another program.";
    case CFileException::lockViolation:
        return "is locked.";
    case CFileException::diskFull:
        return "could not be written because the disk is full.";
    case CFileException::endOfFile:
        return "ends unexpectedly.";
    default:
        return "could not be accessed because of an unexpected error.";
    }
}

const char* archiveCauseText(int cause) {
    switch (cause) {
    case CArchiveException::readOnly:
        return "cannot be written: the archive is for loading.";
    case CArchiveException::endOfFile:
        return "ends unexpectedly.";
    case CArchiveException::writeOnly:
        return "cannot be read: the archive is for storing.";
    case CArchiveException::badIndex:
        return "has an invalid format.";
    case CArchiveException::badClass:
        return "contains an unexpected object.";
    case CArchiveException::badSchema:
        return "contains an incorrect version of an object.";
    default:
        return "could not be read or written because of an unexpected error.";
    }
}

BOOL describe(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext, const CString& file, const char* what) {
    CString text;
    text.Format("%s %s", file.IsEmpty() ? CString("The file") : "\"" + file + "\"", what);
    return copyMessage(lpszError, nMaxError, pnHelpContext, text);
}

} // namespace

void CException::Delete() {
    if (m_bAutoDelete) delete this;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const {
    if (pnHelpContext) *pnHelpContext = 0;
    if (lpszError && nMaxError > 0) lpszError[0] = '\0';
    return FALSE;
}

BOOL CMemoryException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const {
    return copyMessage(lpszError, nMaxError, pnHelpContext, "Out of memory.");
}

BOOL CNotSupportedException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const {
    return copyMessage(lpszError, nMaxError, pnHelpContext, "Unsupported operation was attempted.");
}

BOOL CResourceException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const {
    return copyMessage(lpszError, nMaxError, pnHelpContext, "A required resource was unavailable.");
}

BOOL CInvalidArgException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const {
    return copyMessage(lpszError, nMaxError, pnHelpContext, "Encountered an improper argument.");
}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const {
    return describe(lpszError, nMaxError, pnHelpContext, m_strFileName, fileCauseText(m_cause));
}

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const {
    return describe(lpszError, nMaxError, pnHelpContext, m_strFileName, archiveCauseText(m_cause));
}

int CFileException::ErrnoToException(int nErrno) {
    switch (nErrno) {
    case 0:
        return none;
    case ENOENT:
        return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL:
        return badPath;
    case EMFILE:
    case ENFILE:
        return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EEXIST:
    case ETXTBSY:
        return accessDenied;
    case EBADF:
        return invalidFile;
    case EBUSY:
        return removeCurrentDir;
    case ESPIPE:
        return badSeek;
    case EIO:
        return hardIO;
    case EWOULDBLOCK:
        return sharingViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return diskFull;
    default:
        return genericException;
    }
}

void CFileException::ThrowErrno(int nErrno, LPCTSTR lpszFileName) {
    AfxThrowFileException(ErrnoToException(nErrno), nErrno, lpszFileName);
}

void AfxThrowMemoryException() {
    throw new CMemoryException;
}
void AfxThrowNotSupportedException() {
    throw new CNotSupportedException;
}
void AfxThrowResourceException() {
    throw new CResourceException;
}
void AfxThrowInvalidArgException() {
    throw new CInvalidArgException;
}

void AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName) {
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName) {
    throw new CArchiveException(cause, lpszArchiveName);
}

void AfxThrowUserException() {
    throw new CUserException;
}
