#include "platform/framework/CFile.h"

#include "platform/framework/Exceptions.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

namespace {
// A memory file stays addressable by the 32-bit counts of Read and Write and by int lengths.
constexpr size_t kMaxMemFile = 0x7FFFFFFF;
} // namespace

CMemFile::CMemFile(UINT nGrowBytes) : m_nGrowBytes(nGrowBytes) {}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) : m_nGrowBytes(nGrowBytes) {
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile() {
    freeOwned();
}

void CMemFile::freeOwned() {
    if (m_bAutoDelete) std::free(m_lpBuffer);
    m_lpBuffer = nullptr;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
    m_bAutoDelete = true;
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) {
    freeOwned();
    m_nGrowBytes = nGrowBytes;
    m_lpBuffer = lpBuffer;
    m_nBufferSize = lpBuffer ? nBufferSize : 0;
    m_nFileSize = nGrowBytes == 0 ? m_nBufferSize : 0;
    m_bAutoDelete = false;
}

BYTE* CMemFile::Detach() {
    BYTE* p = m_lpBuffer;
    m_lpBuffer = nullptr;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
    m_bAutoDelete = true;
    return p;
}

BOOL CMemFile::Open(LPCTSTR, UINT, CFileException* pError) {
    if (pError) {
        pError->m_cause = CFileException::genericException;
        pError->m_lOsError = EINVAL;
    }
    return FALSE;
}

void CMemFile::Close() {
    freeOwned();
}
void CMemFile::Abort() {
    freeOwned();
}

// Grows the buffer to hold nNewSize bytes, in whole steps of the grow size.
void CMemFile::growTo(size_t nNewSize) {
    if (nNewSize <= m_nBufferSize) return;
    if (m_nGrowBytes == 0 || nNewSize > kMaxMemFile) AfxThrowMemoryException();
    size_t size = m_nBufferSize;
    const size_t steps = (nNewSize - size + m_nGrowBytes - 1) / m_nGrowBytes;
    size = std::min(size + steps * m_nGrowBytes, kMaxMemFile);
    BYTE* fresh = nullptr;
    if (m_bAutoDelete) {
        fresh = static_cast<BYTE*>(std::realloc(m_lpBuffer, size));
    } else {
        fresh = static_cast<BYTE*>(std::malloc(size));
        if (fresh && m_nFileSize) std::memcpy(fresh, m_lpBuffer, m_nFileSize);
    }
    if (!fresh) AfxThrowMemoryException();
    m_lpBuffer = fresh;
    m_nBufferSize = size;
    m_bAutoDelete = true;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount) {
    if (m_nPosition >= m_nFileSize || nCount == 0) return 0;
    const size_t n = std::min<size_t>(nCount, m_nFileSize - m_nPosition);
    std::memcpy(lpBuf, m_lpBuffer + m_nPosition, n);
    m_nPosition += n;
    return static_cast<UINT>(n);
}

UINT CMemFile::GetBufferPtr(UINT nCommand, UINT nCount, void** ppBufStart, void** ppBufMax) {
    if (nCommand == bufferCheck) return bufferDirect;
    if (nCommand != bufferRead || !ppBufStart || !ppBufMax) return 0;
    // A position past the end (a seek beyond it) hands out nothing.
    const size_t at = std::min(m_nPosition, m_nFileSize);
    const size_t n = std::min<size_t>(nCount, m_nFileSize - at);
    *ppBufStart = m_lpBuffer + at;
    *ppBufMax = m_lpBuffer + at + n;
    m_nPosition = std::max(m_nPosition, at + n);
    return static_cast<UINT>(n);
}

void CMemFile::Write(const void* lpBuf, UINT nCount) {
    if (nCount == 0) return;
    const size_t end = m_nPosition + nCount;
    growTo(end);
    if (m_nPosition > m_nFileSize) std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    std::memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
    m_nPosition = end;
    m_nFileSize = std::max(m_nFileSize, end);
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom) {
    LONGLONG base = 0;
    if (nFrom == current) base = static_cast<LONGLONG>(m_nPosition);
    if (nFrom == end) base = static_cast<LONGLONG>(m_nFileSize);
    const LONGLONG pos = base + lOff;
    if (pos < 0 || pos > static_cast<LONGLONG>(kMaxMemFile))
        AfxThrowFileException(CFileException::badSeek, EINVAL, m_strFileName);
    m_nPosition = static_cast<size_t>(pos);
    return m_nPosition;
}

void CMemFile::SetLength(ULONGLONG dwNewLen) {
    if (dwNewLen > kMaxMemFile) AfxThrowMemoryException();
    const auto n = static_cast<size_t>(dwNewLen);
    growTo(n);
    if (n > m_nFileSize) std::memset(m_lpBuffer + m_nFileSize, 0, n - m_nFileSize);
    m_nFileSize = n;
    m_nPosition = std::min(m_nPosition, n);
}
