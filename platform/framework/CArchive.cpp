#include "platform/framework/CArchive.h"

#include "platform/framework/CFile.h"
#include "platform/framework/Exceptions.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr WORD kNullTag = 0;
constexpr WORD kNewClassTag = 0xFFFF;
constexpr WORD kClassTag = 0x8000;
constexpr DWORD kBigClassTag = 0x80000000;
constexpr WORD kBigObjectTag = 0x7FFF;
constexpr DWORD kMaxMapCount = 0x3FFFFFFE;
// Objects nest through their Serialize; a deeper archive is malformed (and would exhaust the stack).
constexpr int kMaxDepth = 1000;

} // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void*)
    : m_pFile(pFile), m_bLoading((nMode & load) != 0), m_bFlushOnDelete(!(nMode & bNoFlushOnDelete)) {
    m_buffer.resize(static_cast<size_t>(std::max(nBufSize, 128)));
}

CArchive::~CArchive() {
    if (!m_pFile) return;
    if (m_bFlushOnDelete) {
        try {
            Flush();
        } catch (CException* e) {
            e->Delete();
        }
    }
    m_pFile = nullptr;
}

void CArchive::fail(int cause) const {
    AfxThrowArchiveException(cause, m_pFile ? static_cast<LPCTSTR>(m_pFile->GetFilePath()) : nullptr);
}

void CArchive::checkLoading() const {
    if (!m_pFile) fail(CArchiveException::genericException);
    if (!m_bLoading) fail(CArchiveException::writeOnly);
}

void CArchive::checkStoring() const {
    if (!m_pFile) fail(CArchiveException::genericException);
    if (m_bLoading) fail(CArchiveException::readOnly);
}

void CArchive::Close() {
    if (!m_pFile) return;
    Flush();
    m_pFile = nullptr;
}

void CArchive::Abort() {
    m_nPos = m_nEnd = 0;
    m_pFile = nullptr;
}

void CArchive::Flush() {
    if (!m_pFile) return;
    if (IsLoading()) {
        // Give back what was read ahead, so the file stands after the last byte consumed.
        const size_t unread = m_nEnd - m_nPos;
        m_nPos = m_nEnd = 0;
        if (unread) m_pFile->Seek(-static_cast<LONGLONG>(unread), CFile::current);
        return;
    }
    if (m_nPos == 0) return;
    const size_t n = m_nPos;
    m_nPos = 0;
    m_pFile->Write(m_buffer.data(), static_cast<UINT>(n));
}

void CArchive::writeBytes(const void* p, UINT n) {
    checkStoring();
    const auto* src = static_cast<const BYTE*>(p);
    while (n > 0) {
        if (m_nPos == m_buffer.size()) Flush();
        if (m_nPos == 0 && n >= m_buffer.size()) {
            m_pFile->Write(src, n);
            return;
        }
        const size_t chunk = std::min<size_t>(n, m_buffer.size() - m_nPos);
        std::memcpy(m_buffer.data() + m_nPos, src, chunk);
        m_nPos += chunk;
        src += chunk;
        n -= static_cast<UINT>(chunk);
    }
}

void CArchive::Write(const void* lpBuf, UINT nMax) {
    if (nMax) writeBytes(lpBuf, nMax);
}

void CArchive::fillBuffer() {
    m_nPos = 0;
    m_nEnd = m_pFile->Read(m_buffer.data(), static_cast<UINT>(m_buffer.size()));
}

UINT CArchive::Read(void* lpBuf, UINT nMax) {
    checkLoading();
    auto* dst = static_cast<BYTE*>(lpBuf);
    UINT done = 0;
    while (done < nMax) {
        if (m_nPos == m_nEnd) {
            if (nMax - done >= m_buffer.size()) {
                const UINT n = m_pFile->Read(dst + done, nMax - done);
                done += n;
                if (n == 0 || done == nMax) break;
                continue;
            }
            fillBuffer();
            if (m_nEnd == 0) break;
        }
        const size_t chunk = std::min<size_t>(nMax - done, m_nEnd - m_nPos);
        std::memcpy(dst + done, m_buffer.data() + m_nPos, chunk);
        m_nPos += chunk;
        done += static_cast<UINT>(chunk);
    }
    return done;
}

void CArchive::readExact(void* p, UINT n) {
    if (Read(p, n) != n) fail(CArchiveException::endOfFile);
}

void CArchive::CheckCount(ULONGLONG nCount, UINT nMinBytes) {
    checkLoading();
    if (nCount == 0 || nMinBytes == 0) return;
    ULONGLONG remaining = 0;
    try {
        const ULONGLONG length = m_pFile->GetLength();
        const ULONGLONG position = m_pFile->GetPosition();
        remaining = (length > position ? length - position : 0) + (m_nEnd - m_nPos);
    } catch (CException* e) {
        e->Delete(); // the file cannot tell; reading will find the end
        return;
    }
    if (nCount > remaining / nMinBytes) fail(CArchiveException::endOfFile);
}

CArchive& CArchive::operator<<(float f) {
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return writeLE(bits, 4);
}

CArchive& CArchive::operator<<(double d) {
    std::uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    return writeLE(bits, 8);
}

CArchive& CArchive::operator>>(bool& b) {
    BYTE v = 0;
    readLE(v);
    b = v != 0;
    return *this;
}

CArchive& CArchive::operator>>(float& f) {
    std::uint32_t bits = 0;
    readLE(bits);
    std::memcpy(&f, &bits, sizeof f);
    return *this;
}

CArchive& CArchive::operator>>(double& d) {
    std::uint64_t bits = 0;
    readLE(bits);
    std::memcpy(&d, &bits, sizeof d);
    return *this;
}

// Length prefix: one byte below 255; else 0xFF and 16 bits below 0xFFFE; else 0xFF, 0xFFFF and 32 bits.
CArchive& CArchive::operator<<(const CString& s) {
    const auto n = static_cast<DWORD>(s.GetLength());
    if (n < 255) {
        *this << static_cast<BYTE>(n);
    } else if (n < 0xFFFE) {
        *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(n);
    } else {
        *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << n;
    }
    Write(static_cast<LPCTSTR>(s), n);
    return *this;
}

CArchive& CArchive::operator>>(CString& s) {
    BYTE b = 0;
    *this >> b;
    ULONGLONG n = b;
    if (b == 0xFF) {
        WORD w = 0;
        *this >> w;
        n = w;
        if (w == 0xFFFE) fail(CArchiveException::badIndex); // a wide-character string: not ours
        if (w == 0xFFFF) {
            DWORD dw = 0;
            *this >> dw;
            n = dw;
            if (dw == 0xFFFFFFFF) {
                *this >> n;
            }
        }
    }
    if (n > 0x7FFFFFF0) fail(CArchiveException::badIndex);
    CheckCount(n, 1);
    const int len = static_cast<int>(n);
    CString text;
    if (len > 0) readExact(text.GetBufferSetLength(len), static_cast<UINT>(len));
    s = std::move(text);
    return *this;
}

void CArchive::WriteCount(DWORD_PTR dwCount) {
    if (dwCount < 0xFFFF) {
        *this << static_cast<WORD>(dwCount);
        return;
    }
    *this << static_cast<WORD>(0xFFFF);
    if (dwCount < 0xFFFFFFFF) {
        *this << static_cast<DWORD>(dwCount);
        return;
    }
    *this << static_cast<DWORD>(0xFFFFFFFF) << static_cast<ULONGLONG>(dwCount);
}

DWORD_PTR CArchive::ReadCount() {
    WORD w = 0;
    *this >> w;
    if (w != 0xFFFF) return w;
    DWORD dw = 0;
    *this >> dw;
    if (dw != 0xFFFFFFFF) return dw;
    ULONGLONG n = 0;
    *this >> n;
    return static_cast<DWORD_PTR>(n);
}

DWORD CArchive::nextMapIndex() {
    if (m_nMapCount >= kMaxMapCount) fail(CArchiveException::badIndex);
    return m_nMapCount++;
}

void CArchive::writeObjectTag(DWORD nIndex) {
    if (nIndex < kBigObjectTag) {
        *this << static_cast<WORD>(nIndex);
    } else {
        *this << kBigObjectTag << nIndex;
    }
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef) {
    checkStoring();
    if (!pClassRef || pClassRef->m_wSchema == 0xFFFF) AfxThrowNotSupportedException();
    const auto it = m_storeMap.find(pClassRef);
    if (it != m_storeMap.end()) {
        const DWORD nClassIndex = it->second;
        if (nClassIndex < kBigObjectTag) {
            *this << static_cast<WORD>(kClassTag | nClassIndex);
        } else {
            *this << kBigObjectTag << (kBigClassTag | nClassIndex);
        }
        return;
    }
    *this << kNewClassTag;
    pClassRef->Store(*this);
    m_storeMap[pClassRef] = nextMapIndex();
}

void CArchive::WriteObject(const CObject* pOb) {
    checkStoring();
    if (!pOb) {
        *this << kNullTag;
        return;
    }
    const auto it = m_storeMap.find(pOb);
    if (it != m_storeMap.end()) {
        writeObjectTag(it->second);
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    m_storeMap[pOb] = nextMapIndex();
    const_cast<CObject*>(pOb)->Serialize(*this);
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag) {
    checkLoading();
    WORD wTag = 0;
    *this >> wTag;
    DWORD obTag = 0;
    if (wTag == kBigObjectTag) {
        *this >> obTag;
    } else {
        obTag = (static_cast<DWORD>(wTag & kClassTag) << 16) | (wTag & ~kClassTag);
    }
    if (!(obTag & kBigClassTag)) {
        // An object tag, not a class: only ReadObject may ask for one.
        if (!pObTag) fail(CArchiveException::badIndex);
        *pObTag = obTag;
        return nullptr;
    }
    CRuntimeClass* pClassRef = nullptr;
    UINT nSchema = 0;
    if (wTag == kNewClassTag) {
        pClassRef = CRuntimeClass::Load(*this, &nSchema);
        if (!pClassRef || pClassRef->m_wSchema == 0xFFFF || !pClassRef->m_pfnCreateObject)
            fail(CArchiveException::badClass);
        if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) != nSchema &&
            !(pClassRef->m_wSchema & VERSIONABLE_SCHEMA))
            fail(CArchiveException::badSchema);
        nextMapIndex();
        m_loadArray.push_back({true, pClassRef, nSchema});
    } else {
        const DWORD nClassIndex = obTag & ~kBigClassTag;
        if (nClassIndex == 0 || nClassIndex > m_loadArray.size() || !m_loadArray[nClassIndex - 1].isClass)
            fail(CArchiveException::badIndex);
        const LoadEntry& entry = m_loadArray[nClassIndex - 1];
        pClassRef = static_cast<CRuntimeClass*>(entry.ptr);
        nSchema = entry.schema;
    }
    if (pClassRefRequested && !pClassRef->IsDerivedFrom(pClassRefRequested))
        fail(CArchiveException::badClass);
    if (pSchema) {
        *pSchema = nSchema;
    } else {
        m_nObjectSchema = nSchema;
    }
    return pClassRef;
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested) {
    bool bCreated = false;
    return ReadObject(pClassRefRequested, &bCreated);
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested, bool* pbCreated) {
    *pbCreated = false;
    UINT nSchema = 0;
    DWORD obTag = 0;
    CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);
    if (!pClassRef) {
        if (obTag == kNullTag) return nullptr;
        if (obTag > m_loadArray.size() || m_loadArray[obTag - 1].isClass) fail(CArchiveException::badIndex);
        auto* pOb = static_cast<CObject*>(m_loadArray[obTag - 1].ptr);
        if (pOb && pClassRefRequested && !pOb->IsKindOf(pClassRefRequested))
            fail(CArchiveException::badClass);
        return pOb;
    }
    if (m_nDepth >= kMaxDepth) fail(CArchiveException::badIndex);
    CObject* pOb = pClassRef->CreateObject();
    if (!pOb) AfxThrowMemoryException();
    const size_t slot = m_loadArray.size();
    nextMapIndex();
    m_loadArray.push_back({false, pOb, nSchema});
    const UINT nSchemaSave = m_nObjectSchema;
    m_nObjectSchema = nSchema;
    ++m_nDepth;
    try {
        pOb->Serialize(*this);
    } catch (...) {
        // The half-read object belongs to no one yet, nor does what was made while reading it:
        // later references to any of them read as null.
        --m_nDepth;
        for (size_t i = slot; i < m_loadArray.size(); ++i)
            if (!m_loadArray[i].isClass) m_loadArray[i] = {false, nullptr, 0};
        delete pOb;
        throw;
    }
    --m_nDepth;
    m_nObjectSchema = nSchemaSave;
    *pbCreated = true;
    return pOb;
}

std::vector<CObject*> CArchive::GetObjectsLoadedSince(size_t nMark) const {
    std::vector<CObject*> made;
    for (size_t i = nMark; i < m_loadArray.size(); ++i)
        if (!m_loadArray[i].isClass && m_loadArray[i].ptr)
            made.push_back(static_cast<CObject*>(m_loadArray[i].ptr));
    return made;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef) {
    if (IsStoring()) {
        WriteClass(pClassRef);
    } else {
        ReadClass(pClassRef);
    }
}

UINT CArchive::GetObjectSchema() {
    const UINT nResult = m_nObjectSchema;
    m_nObjectSchema = static_cast<UINT>(-1); // the schema may be asked for once per object
    return nResult;
}
