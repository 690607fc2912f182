// A watched file and how it changed.

#include "app/CWatchedFile.h"

#include "app/file_helpers.h"

#include <algorithm>

namespace {

// The time and size of the file; false when it cannot be opened for reading. Only a regular file
// is opened: opening a named pipe waits for a writer.
bool readStamp(LPCTSTR lpszPath, FILETIME& lastWrite, DWORD& size) {
    if (!IsRegularFile(lpszPath)) return false;
    HANDLE file = ::CreateFile(lpszPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    ::GetFileTime(file, nullptr, nullptr, &lastWrite);
    size = ::GetFileSize(file, nullptr);
    ::CloseHandle(file);
    return true;
}

CString folderOf(const CString& path) {
    const int slash = std::max(path.ReverseFind('/'), path.ReverseFind('\\'));
    return slash < 0 ? CString() : path.Left(slash + 1);
}

} // namespace

CWatchedFile::CWatchedFile(LPCTSTR lpszPath) : m_strPath(lpszPath), m_strFolder(folderOf(m_strPath)) {
    readStamp(lpszPath, m_ftLastWrite, m_dwSize);
}

std::optional<DWORD> CWatchedFile::CheckForChange() {
    FILETIME lastWrite{0, 0};
    DWORD size = 0;
    if (!readStamp(m_strPath, lastWrite, size)) return FileExists(m_strPath) ? DWORD(0) : DWORD(kGone);
    DWORD bits = 0;
    if (::CompareFileTime(&lastWrite, &m_ftLastWrite) > 0) {
        bits |= kTimeChanged;
        m_ftLastWrite = lastWrite;
    }
    if (size != m_dwSize) {
        bits |= kSizeChanged;
        m_dwSize = size;
    }
    if (bits == 0) return std::nullopt;
    return bits;
}
