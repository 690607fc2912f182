#include "platform/framework/CFile.h"

#include "platform/framework/Exceptions.h"
#include "platform/win/file_contents.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

IMPLEMENT_DYNAMIC(CFile, CObject)

namespace {

CString nativePath(LPCTSTR lpszFileName) {
    CString path(lpszFileName);
    path.Replace('\\', '/');
    return path;
}

// The parent folder of a path is missing: Windows reports that as a bad path, not a missing file.
bool parentMissing(const CString& path) {
    const int slash = path.ReverseFind('/');
    if (slash <= 0) return false;
    struct stat st;
    return stat(path.Left(slash), &st) != 0;
}

int openCause(int nErrno, const CString& path) {
    if (nErrno == ENOENT && parentMissing(path)) return CFileException::badPath;
    return CFileException::ErrnoToException(nErrno);
}

int openFlags(UINT nOpenFlags) {
    int flags = O_CLOEXEC;
    switch (nOpenFlags & 3) {
    case CFile::modeWrite:
        flags |= O_WRONLY;
        break;
    case CFile::modeReadWrite:
        flags |= O_RDWR;
        break;
    default:
        flags |= O_RDONLY;
        break;
    }
    if (nOpenFlags & CFile::modeCreate) {
        flags |= O_CREAT;
        if (!(nOpenFlags & CFile::modeNoTruncate)) flags |= O_TRUNC;
    }
    return flags;
}

// Share flags as advisory locks: exclusive takes the lock exclusively, deny-read/deny-write take it
// shared, deny-none takes none.
int shareLock(UINT nOpenFlags) {
    switch (nOpenFlags & 0x70) {
    case CFile::shareExclusive:
        return LOCK_EX;
    case CFile::shareDenyWrite:
    case CFile::shareDenyRead:
        return LOCK_SH;
    default:
        return 0;
    }
}

void fillError(CFileException* pError, int cause, int nErrno, const CString& name) {
    if (!pError) return;
    pError->m_cause = cause;
    pError->m_lOsError = nErrno;
    pError->m_strFileName = name;
}

// Opens a regular file, never waiting: reading goes through the system's checked open, and a write
// to a named pipe or a device fails at once instead of waiting for a reader. A folder is refused as
// Windows refuses it, any other file that is not regular as an invalid file.
int openRegular(const CString& path, int flags, CFileException* pError, const CString& name) {
    pm::sys::FileResult failure;
    int fd = -1;
    if ((flags & (O_ACCMODE | O_CREAT)) == O_RDONLY) {
        fd = pm::sys::openFileForReading(static_cast<LPCTSTR>(path), failure);
    } else {
        fd = ::open(path, (flags & ~O_TRUNC) | O_NONBLOCK, 0666);
        struct stat st {};
        if (fd < 0) {
            failure.error = errno;
        } else if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            failure.error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
            failure.notRegular = true;
            ::close(fd);
            fd = -1;
        }
    }
    if (fd >= 0) return fd;
    if (failure.error == EISDIR)
        fillError(pError, CFileException::accessDenied, EISDIR, name);
    else if (failure.notRegular)
        fillError(pError, CFileException::invalidFile, failure.error, name);
    else
        fillError(pError, openCause(failure.error, path), failure.error, name);
    return -1;
}

} // namespace

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) {
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile() {
    if (m_hFile != hFileNull) Abort();
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
    if (m_hFile != hFileNull) Close();
    m_strFileName = lpszFileName;
    const CString path = nativePath(lpszFileName);
    if (path.IsEmpty()) {
        fillError(pError, CFileException::badPath, ENOENT, m_strFileName);
        return FALSE;
    }
    // Truncation waits until the share lock is held, so a refused open leaves the file whole.
    const int flags = openFlags(nOpenFlags);
    const int fd = openRegular(path, flags, pError, m_strFileName);
    if (fd < 0) return FALSE;
    const int lock = shareLock(nOpenFlags);
    if (lock && flock(fd, lock | LOCK_NB) != 0) {
        ::close(fd);
        fillError(pError, CFileException::sharingViolation, EWOULDBLOCK, m_strFileName);
        return FALSE;
    }
    if ((flags & O_TRUNC) && ftruncate(fd, 0) != 0) {
        const int err = errno;
        ::close(fd);
        fillError(pError, CFileException::ErrnoToException(err), err, m_strFileName);
        return FALSE;
    }
    m_hFile = fd;
    return TRUE;
}

void CFile::throwErrno(int nErrno) const {
    CFileException::ThrowErrno(nErrno, m_strFileName);
}

void CFile::Close() {
    if (m_hFile == hFileNull) return;
    const int fd = m_hFile;
    m_hFile = hFileNull;
    if (::close(fd) != 0 && errno != EINTR) throwErrno(errno);
}

void CFile::Abort() {
    if (m_hFile == hFileNull) return;
    ::close(m_hFile);
    m_hFile = hFileNull;
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
    if (m_hFile == hFileNull) throwErrno(EBADF);
    auto* p = static_cast<char*>(lpBuf);
    UINT done = 0;
    while (done < nCount) {
        const ssize_t n = ::read(m_hFile, p + done, nCount - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throwErrno(errno);
        if (n == 0) break;
        done += static_cast<UINT>(n);
    }
    return done;
}

void CFile::Write(const void* lpBuf, UINT nCount) {
    if (m_hFile == hFileNull) throwErrno(EBADF);
    const auto* p = static_cast<const char*>(lpBuf);
    UINT done = 0;
    while (done < nCount) {
        const ssize_t n = ::write(m_hFile, p + done, nCount - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throwErrno(n < 0 ? errno : ENOSPC);
        done += static_cast<UINT>(n);
    }
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom) {
    if (m_hFile == hFileNull) throwErrno(EBADF);
    const int whence = nFrom == current ? SEEK_CUR : (nFrom == end ? SEEK_END : SEEK_SET);
    const off_t pos = ::lseek(m_hFile, static_cast<off_t>(lOff), whence);
    if (pos < 0) AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
    return static_cast<ULONGLONG>(pos);
}

ULONGLONG CFile::GetPosition() const {
    const off_t pos = ::lseek(m_hFile, 0, SEEK_CUR);
    if (pos < 0) throwErrno(errno);
    return static_cast<ULONGLONG>(pos);
}

ULONGLONG CFile::GetLength() const {
    struct stat st;
    if (fstat(m_hFile, &st) != 0) throwErrno(errno);
    return static_cast<ULONGLONG>(st.st_size);
}

void CFile::SetLength(ULONGLONG dwNewLen) {
    if (dwNewLen > static_cast<ULONGLONG>(LLONG_MAX) || ftruncate(m_hFile, static_cast<off_t>(dwNewLen)) != 0)
        throwErrno(errno ? errno : EINVAL);
}

UINT CFile::GetBufferPtr(UINT, UINT, void**, void**) {
    return 0;
}

void CFile::Flush() {
    if (m_hFile == hFileNull) return;
    if (fsync(m_hFile) != 0 && errno != EINVAL && errno != EROFS) throwErrno(errno);
}

CString CFile::GetFileName() const {
    const CString path = nativePath(m_strFileName);
    return m_strFileName.Mid(path.ReverseFind('/') + 1);
}

CString CFile::GetFileTitle() const {
    CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot > 0 ? name.Left(dot) : name;
}

void CFile::Remove(LPCTSTR lpszFileName) {
    if (::unlink(nativePath(lpszFileName)) != 0) CFileException::ThrowErrno(errno, lpszFileName);
}

void CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName) {
    const CString target = nativePath(lpszNewName);
    struct stat st;
    // Windows refuses to rename onto an existing file.
    if (::lstat(target, &st) == 0) CFileException::ThrowErrno(EEXIST, lpszOldName);
    if (::rename(nativePath(lpszOldName), target) != 0) CFileException::ThrowErrno(errno, lpszOldName);
}
