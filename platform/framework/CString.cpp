#include "platform/framework/CString.h"

#include "platform/framework/Exceptions.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <new>

namespace pm {
EmptyStringBlock g_emptyString = {{-1, 0, 0}, '\0'};
} // namespace pm

namespace {

static_assert(offsetof(pm::EmptyStringBlock, nul) == sizeof(pm::StringData),
              "the empty block's characters must follow its header");

constexpr int kMaxLength = INT_MAX - 64 - static_cast<int>(sizeof(pm::StringData));

bool isTrimSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}
char upperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - ('a' - 'A')) : c;
}
int safeLength(const char* psz) {
    return psz ? static_cast<int>(std::strlen(psz)) : 0;
}
bool inSet(const char* set, char c) {
    return c != '\0' && std::strchr(set, c) != nullptr;
}

int checkedSum(int a, int b) {
    if (b > kMaxLength - a) AfxThrowMemoryException();
    return a + b;
}

int compareBytes(const char* a, int na, const char* b, int nb) {
    const int n = std::min(na, nb);
    if (const int r = std::memcmp(a, b, static_cast<size_t>(n))) return r;
    return na < nb ? -1 : (na > nb ? 1 : 0);
}

} // namespace

char* CString::allocate(int capacity) {
    if (capacity < 0 || capacity > kMaxLength) AfxThrowMemoryException();
    void* block = std::malloc(sizeof(pm::StringData) + static_cast<size_t>(capacity) + 1);
    if (!block) AfxThrowMemoryException();
    auto* d = new (block) pm::StringData;
    d->refs.store(1, std::memory_order_relaxed);
    d->length = 0;
    d->capacity = capacity;
    d->chars()[0] = '\0';
    return d->chars();
}

void CString::release() {
    pm::StringData* d = data();
    const long refs = d->refs.load(std::memory_order_acquire);
    if (refs < 0) return;
    // A sole owner frees at once: no other holder exists that could add a reference meanwhile.
    if (refs == 1 || d->refs.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        d->~StringData();
        std::free(d);
    }
}

CString::CString(const CString& other) : m_pchData(other.m_pchData) {
    pm::StringData* d = data();
    if (d->refs.load(std::memory_order_relaxed) >= 0) d->refs.fetch_add(1, std::memory_order_relaxed);
}

CString::CString(LPCTSTR psz) : CString() {
    assign(psz, safeLength(psz));
}

CString::CString(LPCTSTR pch, int nLength) : CString() {
    if (!pch || nLength < 0) nLength = 0;
    assign(pch, nLength);
}

CString::CString(TCHAR ch, int nRepeat) : CString() {
    if (nRepeat <= 0) return;
    m_pchData = allocate(nRepeat);
    std::memset(m_pchData, ch, static_cast<size_t>(nRepeat));
    m_pchData[nRepeat] = '\0';
    data()->length = nRepeat;
}

CString& CString::operator=(const CString& other) {
    if (m_pchData == other.m_pchData) return *this;
    CString copy(other);
    std::swap(m_pchData, copy.m_pchData);
    return *this;
}

CString& CString::operator=(CString&& other) noexcept {
    std::swap(m_pchData, other.m_pchData);
    return *this;
}

CString& CString::operator=(LPCTSTR psz) {
    assign(psz, safeLength(psz));
    return *this;
}

CString& CString::operator=(TCHAR ch) {
    assign(&ch, 1);
    return *this;
}

void CString::Empty() {
    release();
    m_pchData = &pm::g_emptyString.nul;
}

// Makes the buffer unique and able to hold nCapacity characters. With keep the current contents
// stay; otherwise the contents are undefined (the caller overwrites them).
void CString::prepareWrite(int nCapacity, bool keep) {
    pm::StringData* d = data();
    const bool shared = d->refs.load(std::memory_order_acquire) != 1;
    if (!shared && d->capacity >= nCapacity) return;
    int capacity = nCapacity;
    if (!shared)
        capacity =
            std::max(nCapacity, d->capacity < kMaxLength / 2 ? d->capacity + d->capacity / 2 : kMaxLength);
    char* fresh = allocate(capacity);
    if (keep) {
        const int n = std::min(d->length, nCapacity);
        std::memcpy(fresh, m_pchData, static_cast<size_t>(n));
        fresh[n] = '\0';
        reinterpret_cast<pm::StringData*>(fresh)[-1].length = n;
    }
    release();
    m_pchData = fresh;
}

void CString::assign(const char* pch, int nLength) {
    if (nLength == 0) {
        Empty();
        return;
    }
    // The source may lie inside this string's own buffer.
    if (data()->refs.load(std::memory_order_acquire) == 1 && data()->capacity >= nLength) {
        std::memmove(m_pchData, pch, static_cast<size_t>(nLength));
    } else {
        char* fresh = allocate(nLength);
        std::memcpy(fresh, pch, static_cast<size_t>(nLength));
        release();
        m_pchData = fresh;
    }
    m_pchData[nLength] = '\0';
    data()->length = nLength;
}

void CString::append(const char* pch, int nLength) {
    if (nLength <= 0) return;
    const int oldLength = GetLength();
    const int newLength = checkedSum(oldLength, nLength);
    const char* oldChars = m_pchData;
    pm::StringData* d = data();
    if (d->refs.load(std::memory_order_acquire) == 1 && d->capacity >= newLength) {
        std::memmove(m_pchData + oldLength, pch, static_cast<size_t>(nLength));
    } else if (pch >= oldChars && pch < oldChars + oldLength) {
        const CString piece(pch, nLength); // the source lies in the block about to be replaced
        prepareWrite(newLength, true);
        std::memcpy(m_pchData + oldLength, piece.m_pchData, static_cast<size_t>(nLength));
    } else {
        prepareWrite(newLength, true);
        std::memcpy(m_pchData + oldLength, pch, static_cast<size_t>(nLength));
    }
    m_pchData[newLength] = '\0';
    data()->length = newLength;
}

void CString::SetAt(int nIndex, TCHAR ch) {
    if (!inRange(nIndex)) return;
    prepareWrite(GetLength(), true);
    m_pchData[nIndex] = ch;
}

int CString::Compare(LPCTSTR psz) const {
    if (!psz) psz = "";
    return compareBytes(m_pchData, GetLength(), psz, static_cast<int>(std::strlen(psz)));
}

int CString::CompareNoCase(LPCTSTR psz) const {
    const int n = GetLength();
    const int m = safeLength(psz);
    for (int i = 0; i < n && i < m; ++i) {
        const auto a = static_cast<unsigned char>(lowerAscii(m_pchData[i]));
        const auto b = static_cast<unsigned char>(lowerAscii(psz[i]));
        if (a != b) return a < b ? -1 : 1;
    }
    return n < m ? -1 : (n > m ? 1 : 0);
}

bool operator==(const CString& a, const CString& b) {
    if (static_cast<LPCTSTR>(a) == static_cast<LPCTSTR>(b)) return true;
    return a.GetLength() == b.GetLength() && std::memcmp(static_cast<LPCTSTR>(a), static_cast<LPCTSTR>(b),
                                                         static_cast<size_t>(a.GetLength())) == 0;
}

bool operator<(const CString& a, const CString& b) {
    return compareBytes(a, a.GetLength(), b, b.GetLength()) < 0;
}

CString CString::Mid(int nFirst, int nCount) const {
    const int n = GetLength();
    nFirst = std::clamp(nFirst, 0, n);
    nCount = std::clamp(nCount, 0, n - nFirst);
    if (nFirst == 0 && nCount == n) return *this;
    return CString(m_pchData + nFirst, nCount);
}

CString CString::Right(int nCount) const {
    const int n = GetLength();
    nCount = std::clamp(nCount, 0, n);
    return Mid(n - nCount, nCount);
}

CString CString::SpanIncluding(LPCTSTR pszCharSet) const {
    if (!pszCharSet) pszCharSet = "";
    int i = 0;
    while (i < GetLength() && inSet(pszCharSet, m_pchData[i]))
        ++i;
    return Left(i);
}

CString CString::SpanExcluding(LPCTSTR pszCharSet) const {
    if (!pszCharSet) pszCharSet = "";
    int i = 0;
    while (i < GetLength() && !inSet(pszCharSet, m_pchData[i]))
        ++i;
    return Left(i);
}

int CString::Find(TCHAR ch, int nStart) const {
    const int n = GetLength();
    if (nStart < 0) nStart = 0;
    if (nStart >= n) return -1;
    const void* hit = std::memchr(m_pchData + nStart, ch, static_cast<size_t>(n - nStart));
    return hit ? static_cast<int>(static_cast<const char*>(hit) - m_pchData) : -1;
}

int CString::Find(LPCTSTR pszSub, int nStart) const {
    const int n = GetLength();
    const int m = safeLength(pszSub);
    if (nStart < 0) nStart = 0;
    if (nStart > n) return -1;
    if (m == 0) return nStart;
    const char* end = m_pchData + n;
    for (const char* p = m_pchData + nStart; end - p >= m; ++p) {
        p = static_cast<const char*>(std::memchr(p, pszSub[0], static_cast<size_t>(end - p - m + 1)));
        if (!p) return -1;
        if (std::memcmp(p, pszSub, static_cast<size_t>(m)) == 0) return static_cast<int>(p - m_pchData);
    }
    return -1;
}

int CString::ReverseFind(TCHAR ch) const {
    for (int i = GetLength() - 1; i >= 0; --i)
        if (m_pchData[i] == ch) return i;
    return -1;
}

int CString::FindOneOf(LPCTSTR pszCharSet) const {
    if (!pszCharSet) return -1;
    for (int i = 0; i < GetLength(); ++i)
        if (inSet(pszCharSet, m_pchData[i])) return i;
    return -1;
}

void CString::MakeUpper() {
    prepareWrite(GetLength(), true);
    for (int i = 0; i < GetLength(); ++i)
        m_pchData[i] = upperAscii(m_pchData[i]);
}

void CString::MakeLower() {
    prepareWrite(GetLength(), true);
    for (int i = 0; i < GetLength(); ++i)
        m_pchData[i] = lowerAscii(m_pchData[i]);
}

void CString::MakeReverse() {
    prepareWrite(GetLength(), true);
    std::reverse(m_pchData, m_pchData + GetLength());
}

namespace {
template <class Pred> int leadingCount(const char* s, int n, Pred pred) {
    int i = 0;
    while (i < n && pred(s[i]))
        ++i;
    return i;
}
template <class Pred> int trailingCount(const char* s, int n, Pred pred) {
    int i = 0;
    while (i < n && pred(s[n - 1 - i]))
        ++i;
    return i;
}
} // namespace

void CString::TrimLeft() {
    Delete(0, leadingCount(m_pchData, GetLength(), isTrimSpace));
}
void CString::TrimLeft(TCHAR chTarget) {
    Delete(0, leadingCount(m_pchData, GetLength(), [chTarget](char c) { return c == chTarget; }));
}
void CString::TrimLeft(LPCTSTR pszTargets) {
    if (!pszTargets) return;
    Delete(0, leadingCount(m_pchData, GetLength(), [pszTargets](char c) { return inSet(pszTargets, c); }));
}

void CString::TrimRight() {
    const int n = trailingCount(m_pchData, GetLength(), isTrimSpace);
    Delete(GetLength() - n, n);
}
void CString::TrimRight(TCHAR chTarget) {
    const int n = trailingCount(m_pchData, GetLength(), [chTarget](char c) { return c == chTarget; });
    Delete(GetLength() - n, n);
}
void CString::TrimRight(LPCTSTR pszTargets) {
    if (!pszTargets) return;
    const int n =
        trailingCount(m_pchData, GetLength(), [pszTargets](char c) { return inSet(pszTargets, c); });
    Delete(GetLength() - n, n);
}

int CString::Replace(TCHAR chOld, TCHAR chNew) {
    if (chOld == chNew || Find(chOld) < 0) return 0;
    prepareWrite(GetLength(), true);
    int count = 0;
    for (int i = 0; i < GetLength(); ++i) {
        if (m_pchData[i] != chOld) continue;
        m_pchData[i] = chNew;
        ++count;
    }
    return count;
}

int CString::Replace(LPCTSTR pszOld, LPCTSTR pszNew) {
    const int nOld = safeLength(pszOld);
    if (nOld == 0) return 0;
    int pos = Find(pszOld);
    if (pos < 0) return 0;
    const CString newText(pszNew); // pszNew may point into this string
    CString out;
    out.GetBuffer(GetLength());
    int count = 0;
    int done = 0;
    for (; pos >= 0; pos = Find(pszOld, pos + nOld)) {
        out.append(m_pchData + done, pos - done);
        out.append(newText, newText.GetLength());
        done = pos + nOld;
        ++count;
    }
    out.append(m_pchData + done, GetLength() - done);
    *this = std::move(out);
    return count;
}

int CString::Remove(TCHAR ch) {
    if (Find(ch) < 0) return 0;
    prepareWrite(GetLength(), true);
    char* end = std::remove(m_pchData, m_pchData + GetLength(), ch);
    const int removed = static_cast<int>(m_pchData + GetLength() - end);
    *end = '\0';
    data()->length -= removed;
    return removed;
}

int CString::insert(int nIndex, const char* pch, int nLength) {
    const int n = GetLength();
    nIndex = std::clamp(nIndex, 0, n);
    if (nLength <= 0) return n;
    if (nIndex == n) {
        append(pch, nLength);
        return GetLength();
    }
    if (pch >= m_pchData && pch < m_pchData + n) {
        const CString piece(pch, nLength); // the source lies in this string's own buffer
        return insert(nIndex, piece.m_pchData, nLength);
    }
    const int newLength = checkedSum(n, nLength);
    prepareWrite(newLength, true);
    std::memmove(m_pchData + nIndex + nLength, m_pchData + nIndex, static_cast<size_t>(n - nIndex));
    std::memcpy(m_pchData + nIndex, pch, static_cast<size_t>(nLength));
    m_pchData[newLength] = '\0';
    data()->length = newLength;
    return newLength;
}

int CString::Delete(int nIndex, int nCount) {
    const int n = GetLength();
    if (nIndex < 0) nIndex = 0;
    if (nIndex >= n || nCount <= 0) return n;
    nCount = std::min(nCount, n - nIndex);
    prepareWrite(n, true);
    std::memmove(m_pchData + nIndex, m_pchData + nIndex + nCount, static_cast<size_t>(n - nIndex - nCount));
    const int newLength = n - nCount;
    m_pchData[newLength] = '\0';
    data()->length = newLength;
    return newLength;
}

LPTSTR CString::GetBuffer(int nMinBufLength) {
    prepareWrite(std::max(nMinBufLength, GetLength()), true);
    return m_pchData;
}

LPTSTR CString::GetBufferSetLength(int nNewLength) {
    if (nNewLength < 0) nNewLength = 0;
    prepareWrite(nNewLength, true);
    if (nNewLength > GetLength())
        std::memset(m_pchData + GetLength(), 0, static_cast<size_t>(nNewLength - GetLength()));
    m_pchData[nNewLength] = '\0';
    data()->length = nNewLength;
    return m_pchData;
}

void CString::ReleaseBuffer(int nNewLength) {
    pm::StringData* d = data();
    if (d->refs.load(std::memory_order_relaxed) < 0) return; // the shared empty string
    if (d->refs.load(std::memory_order_acquire) != 1) {
        prepareWrite(d->length, true); // never write a length into a buffer that copies share
        d = data();
    }
    if (nNewLength < 0) nNewLength = static_cast<int>(strnlen(m_pchData, static_cast<size_t>(d->capacity)));
    nNewLength = std::min(nNewLength, d->capacity);
    m_pchData[nNewLength] = '\0';
    d->length = nNewLength;
}

void CString::FreeExtra() {
    if (data()->capacity == GetLength() || data()->refs.load(std::memory_order_acquire) != 1) return;
    CString copy(m_pchData, GetLength());
    *this = std::move(copy);
}

CString CString::concat(const char* a, int na, const char* b, int nb) {
    CString out;
    const int n = checkedSum(na, nb);
    if (n == 0) return out;
    out.m_pchData = allocate(n);
    std::memcpy(out.m_pchData, a, static_cast<size_t>(na));
    std::memcpy(out.m_pchData + na, b, static_cast<size_t>(nb));
    out.m_pchData[n] = '\0';
    out.data()->length = n;
    return out;
}

CString operator+(const CString& a, const CString& b) {
    if (a.IsEmpty()) return b; // shares the other's buffer
    if (b.IsEmpty()) return a;
    return CString::concat(a, a.GetLength(), b, b.GetLength());
}
CString operator+(const CString& a, LPCTSTR b) {
    return CString::concat(a, a.GetLength(), b, safeLength(b));
}
CString operator+(LPCTSTR a, const CString& b) {
    return CString::concat(a, safeLength(a), b, b.GetLength());
}
CString operator+(const CString& a, TCHAR b) {
    return CString::concat(a, a.GetLength(), &b, 1);
}
CString operator+(TCHAR a, const CString& b) {
    return CString::concat(&a, 1, b, b.GetLength());
}
