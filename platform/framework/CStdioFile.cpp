#include "platform/framework/CFile.h"

#include "platform/framework/Exceptions.h"

#include <cerrno>
#include <cstring>

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

namespace {
constexpr size_t kBufferSize = 64 * 1024;
}

CStdioFile::CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags) {
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CStdioFile::~CStdioFile() {
    if (m_hFile == hFileNull) return;
    try {
        flushWrites();
    } catch (CException* e) {
        e->Delete();
    }
}

BOOL CStdioFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
    m_bText = !(nOpenFlags & typeBinary);
    m_readBuf.clear();
    m_readPos = 0;
    m_writeBuf.clear();
    return CFile::Open(lpszFileName, nOpenFlags, pError);
}

void CStdioFile::Close() {
    if (m_hFile == hFileNull) return;
    try {
        flushWrites();
    } catch (CException*) {
        Abort();
        throw;
    }
    m_readBuf.clear();
    m_readPos = 0;
    CFile::Close();
}

void CStdioFile::Abort() {
    m_writeBuf.clear();
    m_readBuf.clear();
    m_readPos = 0;
    CFile::Abort();
}

void CStdioFile::flushWrites() {
    if (m_writeBuf.empty()) return;
    std::vector<char> pending;
    pending.swap(m_writeBuf);
    CFile::Write(pending.data(), static_cast<UINT>(pending.size()));
}

// Moves the file position back over bytes read ahead but not consumed.
void CStdioFile::dropReadAhead() {
    const size_t unread = m_readBuf.size() - m_readPos;
    m_readBuf.clear();
    m_readPos = 0;
    if (unread) CFile::Seek(-static_cast<LONGLONG>(unread), current);
}

int CStdioFile::readByte() {
    if (m_readPos == m_readBuf.size()) {
        flushWrites();
        m_readBuf.resize(kBufferSize);
        m_readBuf.resize(CFile::Read(m_readBuf.data(), static_cast<UINT>(kBufferSize)));
        m_readPos = 0;
        if (m_readBuf.empty()) return -1;
    }
    return static_cast<unsigned char>(m_readBuf[m_readPos++]);
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount) {
    auto* out = static_cast<char*>(lpBuf);
    UINT done = 0;
    while (done < nCount) {
        int c = readByte();
        if (c < 0) break;
        if (m_bText && c == '\r') {
            const int next = readByte();
            if (next == '\n')
                c = '\n';
            else if (next >= 0)
                --m_readPos;
        }
        out[done++] = static_cast<char>(c);
    }
    return done;
}

void CStdioFile::Write(const void* lpBuf, UINT nCount) {
    if (m_hFile == hFileNull) throwErrno(EBADF);
    if (!m_readBuf.empty()) dropReadAhead();
    const auto* p = static_cast<const char*>(lpBuf);
    for (UINT i = 0; i < nCount; ++i) {
        if (m_bText && p[i] == '\n') m_writeBuf.push_back('\r');
        m_writeBuf.push_back(p[i]);
    }
    if (m_writeBuf.size() >= kBufferSize) flushWrites();
}

void CStdioFile::WriteString(LPCTSTR lpsz) {
    if (lpsz) Write(lpsz, static_cast<UINT>(std::strlen(lpsz)));
}

LPTSTR CStdioFile::ReadString(LPTSTR lpsz, UINT nMax) {
    if (!lpsz || nMax == 0) return nullptr;
    UINT n = 0;
    while (n + 1 < nMax) {
        char c;
        if (Read(&c, 1) == 0) break;
        lpsz[n++] = c;
        if (c == '\n') break;
    }
    lpsz[n] = '\0';
    return n ? lpsz : nullptr;
}

BOOL CStdioFile::ReadString(CString& rString) {
    rString.Empty();
    bool any = false;
    char c;
    while (Read(&c, 1) == 1) {
        any = true;
        if (c == '\n') return TRUE;
        rString += c;
    }
    return any ? TRUE : FALSE;
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom) {
    flushWrites();
    if (nFrom == current) lOff -= static_cast<LONGLONG>(m_readBuf.size() - m_readPos);
    m_readBuf.clear();
    m_readPos = 0;
    return CFile::Seek(lOff, nFrom);
}

ULONGLONG CStdioFile::GetPosition() const {
    return CFile::GetPosition() - (m_readBuf.size() - m_readPos) + m_writeBuf.size();
}

ULONGLONG CStdioFile::GetLength() const {
    const ULONGLONG onDisk = CFile::GetLength();
    const ULONGLONG writeEnd = CFile::GetPosition() + m_writeBuf.size();
    return writeEnd > onDisk ? writeEnd : onDisk;
}

void CStdioFile::SetLength(ULONGLONG dwNewLen) {
    flushWrites();
    dropReadAhead();
    CFile::SetLength(dwNewLen);
}

void CStdioFile::Flush() {
    flushWrites();
    CFile::Flush();
}
