#pragma once
// CString: a counted byte string whose buffer is shared between copies and copied before a write
// (so copies stay independent). Holds any byte values; converts implicitly to LPCTSTR.

#include "platform/win/wintypes.h"

#include <atomic>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace pm {

// Header of a string buffer; the characters and a terminating NUL follow it in the same block.
struct StringData {
    std::atomic<long> refs; // -1 marks the shared empty block, which is never freed or written
    int length;
    int capacity; // characters that fit, not counting the terminator
    char* chars() { return reinterpret_cast<char*>(this + 1); }
};

struct EmptyStringBlock {
    StringData header;
    char nul;
};
extern EmptyStringBlock g_emptyString;

// One argument of CString::Format, captured with its type so that each conversion reads it safely.
struct FormatArg {
    enum class Kind : unsigned char { None, Int, UInt, Double, Str, Ptr };
    Kind kind = Kind::None;
    unsigned char size = 0; // bytes of the original integer type
    union {
        std::int64_t i;
        std::uint64_t u;
        double d;
        const char* s;
        const void* p;
    };
    FormatArg() : i(0) {}
};

template <class T> FormatArg toFormatArg(const T& value);

} // namespace pm

class CString {
public:
    CString() : m_pchData(&pm::g_emptyString.nul) {}
    CString(const CString& other);
    CString(CString&& other) noexcept : m_pchData(other.m_pchData) {
        other.m_pchData = &pm::g_emptyString.nul;
    }
    CString(LPCTSTR psz);
    CString(const unsigned char* psz) : CString(reinterpret_cast<LPCTSTR>(psz)) {}
    CString(LPCTSTR pch, int nLength); // exactly nLength bytes, NULs included
    explicit CString(TCHAR ch, int nRepeat = 1);
    ~CString() { release(); }

    CString& operator=(const CString& other);
    CString& operator=(CString&& other) noexcept;
    CString& operator=(LPCTSTR psz);
    CString& operator=(const unsigned char* psz) { return *this = reinterpret_cast<LPCTSTR>(psz); }
    CString& operator=(TCHAR ch);

    // Length in bytes; the buffer may hold NULs of its own.
    int GetLength() const { return data()->length; }
    BOOL IsEmpty() const { return data()->length == 0; }
    void Empty();
    operator LPCTSTR() const { return m_pchData; }

    // Out-of-range positions read as 0 and are not written.
    TCHAR GetAt(int nIndex) const { return inRange(nIndex) ? m_pchData[nIndex] : '\0'; }
    // Any integer index (a template, so that no index type is ambiguous with the LPCTSTR conversion).
    template <class Index, class = std::enable_if_t<std::is_integral_v<Index>>>
    TCHAR operator[](Index nIndex) const {
        return nIndex < 0 ||
                       static_cast<unsigned long long>(nIndex) >= static_cast<unsigned long long>(GetLength())
                   ? '\0'
                   : m_pchData[nIndex];
    }
    void SetAt(int nIndex, TCHAR ch);

    CString& operator+=(const CString& s) {
        if (IsEmpty()) return *this = s; // share the buffer instead of copying it
        append(s.m_pchData, s.GetLength());
        return *this;
    }
    CString& operator+=(LPCTSTR psz) {
        append(psz, psz ? static_cast<int>(std::strlen(psz)) : 0);
        return *this;
    }
    CString& operator+=(TCHAR ch) {
        pm::StringData* d = data();
        if (d->length < d->capacity && d->refs.load(std::memory_order_relaxed) == 1) {
            m_pchData[d->length] = ch; // room to spare in an unshared buffer
            m_pchData[++d->length] = '\0';
            return *this;
        }
        append(&ch, 1);
        return *this;
    }
    void Append(LPCTSTR pch, int nLength) { append(pch, nLength); } // nLength bytes, NULs included

    // Byte-wise comparison (<0, 0, >0); the NoCase forms fold ASCII letters to lower case.
    int Compare(LPCTSTR psz) const;
    int CompareNoCase(LPCTSTR psz) const;
    int Collate(LPCTSTR psz) const { return Compare(psz); }
    int CollateNoCase(LPCTSTR psz) const { return CompareNoCase(psz); }

    // Substrings; positions and counts are clamped to the string.
    CString Mid(int nFirst) const { return Mid(nFirst, GetLength()); }
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const { return Mid(0, nCount); }
    CString Right(int nCount) const;
    CString SpanIncluding(LPCTSTR pszCharSet) const;
    CString SpanExcluding(LPCTSTR pszCharSet) const;

    // Searches answer the byte position or -1.
    int Find(TCHAR ch) const { return Find(ch, 0); }
    int Find(TCHAR ch, int nStart) const;
    int Find(LPCTSTR pszSub) const { return Find(pszSub, 0); }
    int Find(LPCTSTR pszSub, int nStart) const;
    int ReverseFind(TCHAR ch) const;
    int FindOneOf(LPCTSTR pszCharSet) const;

    void MakeUpper(); // ASCII letters only
    void MakeLower(); // ASCII letters only
    void MakeReverse();

    // Without an argument white space (space, \t, \n, \v, \f, \r) is removed.
    void TrimLeft();
    void TrimLeft(TCHAR chTarget);
    void TrimLeft(LPCTSTR pszTargets);
    void TrimRight();
    void TrimRight(TCHAR chTarget);
    void TrimRight(LPCTSTR pszTargets);
    void Trim() {
        TrimRight();
        TrimLeft();
    }

    // Edits answering a count (Replace, Remove) or the new length (Insert, Delete).
    int Replace(TCHAR chOld, TCHAR chNew);
    int Replace(LPCTSTR pszOld, LPCTSTR pszNew);
    int Remove(TCHAR ch);
    int Insert(int nIndex, TCHAR ch) { return insert(nIndex, &ch, 1); }
    int Insert(int nIndex, LPCTSTR psz) {
        return insert(nIndex, psz, psz ? static_cast<int>(std::strlen(psz)) : 0);
    }
    int Delete(int nIndex, int nCount = 1);

    // printf-like formatting. Each argument is read by its own type (a CString may be given for %s;
    // %d, %u, %x and %lu read 32-bit values as 32-bit); a missing argument formats as nothing.
    template <class... Args> void Format(LPCTSTR pszFormat, const Args&... args) {
        const pm::FormatArg list[] = {pm::toFormatArg(args)..., pm::FormatArg()};
        formatList(pszFormat, list, static_cast<int>(sizeof...(Args)));
    }
    template <class... Args> void AppendFormat(LPCTSTR pszFormat, const Args&... args) {
        const pm::FormatArg list[] = {pm::toFormatArg(args)..., pm::FormatArg()};
        appendFormatList(pszFormat, list, static_cast<int>(sizeof...(Args)));
    }

    // Direct access: the buffer is made unique and holds at least nMinBufLength characters plus a
    // terminator. ReleaseBuffer sets the length (-1: up to the first NUL) and terminates.
    LPTSTR GetBuffer(int nMinBufLength);
    LPTSTR GetBufferSetLength(int nNewLength);
    void ReleaseBuffer(int nNewLength = -1);
    void FreeExtra();

    // Replaces the text with the program's string resource nID; FALSE (and empty) when there is none.
    BOOL LoadString(UINT nID);

    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, LPCTSTR b);
    friend CString operator+(LPCTSTR a, const CString& b);
    friend CString operator+(const CString& a, TCHAR b);
    friend CString operator+(TCHAR a, const CString& b);

private:
    pm::StringData* data() const { return reinterpret_cast<pm::StringData*>(m_pchData) - 1; }
    bool inRange(int nIndex) const { return nIndex >= 0 && nIndex < GetLength(); }
    static char* allocate(int capacity);
    void release();
    void assign(const char* pch, int nLength);
    void append(const char* pch, int nLength);
    void prepareWrite(int nCapacity, bool keep);
    int insert(int nIndex, const char* pch, int nLength);
    void formatList(LPCTSTR pszFormat, const pm::FormatArg* args, int count);
    void appendFormatList(LPCTSTR pszFormat, const pm::FormatArg* args, int count);
    bool formatReadsOwnBuffer(LPCTSTR pszFormat, const pm::FormatArg* args, int count) const;
    static void formatInto(CString& out, LPCTSTR pszFormat, const pm::FormatArg* args, int count);
    static CString concat(const char* a, int na, const char* b, int nb);

    char* m_pchData;
};

bool operator==(const CString& a, const CString& b);
inline bool operator==(const CString& a, LPCTSTR b) {
    return a.Compare(b) == 0;
}
inline bool operator==(LPCTSTR a, const CString& b) {
    return b.Compare(a) == 0;
}
inline bool operator!=(const CString& a, const CString& b) {
    return !(a == b);
}
inline bool operator!=(const CString& a, LPCTSTR b) {
    return a.Compare(b) != 0;
}
inline bool operator!=(LPCTSTR a, const CString& b) {
    return b.Compare(a) != 0;
}
inline bool operator<(const CString& a, LPCTSTR b) {
    return a.Compare(b) < 0;
}
inline bool operator<(LPCTSTR a, const CString& b) {
    return b.Compare(a) > 0;
}
inline bool operator>(const CString& a, LPCTSTR b) {
    return a.Compare(b) > 0;
}
inline bool operator>(LPCTSTR a, const CString& b) {
    return b.Compare(a) < 0;
}
inline bool operator<=(const CString& a, LPCTSTR b) {
    return a.Compare(b) <= 0;
}
inline bool operator<=(LPCTSTR a, const CString& b) {
    return b.Compare(a) >= 0;
}
inline bool operator>=(const CString& a, LPCTSTR b) {
    return a.Compare(b) >= 0;
}
inline bool operator>=(LPCTSTR a, const CString& b) {
    return b.Compare(a) <= 0;
}
bool operator<(const CString& a, const CString& b);
inline bool operator>(const CString& a, const CString& b) {
    return b < a;
}
inline bool operator<=(const CString& a, const CString& b) {
    return !(b < a);
}
inline bool operator>=(const CString& a, const CString& b) {
    return !(a < b);
}

namespace pm {

template <class T> FormatArg toFormatArg(const T& value) {
    using U = std::decay_t<T>;
    FormatArg a;
    if constexpr (std::is_same_v<U, CString>) {
        a.kind = FormatArg::Kind::Str;
        a.s = static_cast<LPCTSTR>(value);
    } else if constexpr (std::is_same_v<U, char*> || std::is_same_v<U, const char*>) {
        a.kind = FormatArg::Kind::Str;
        a.s = value;
    } else if constexpr (std::is_same_v<U, unsigned char*> || std::is_same_v<U, const unsigned char*>) {
        a.kind = FormatArg::Kind::Str;
        a.s = reinterpret_cast<const char*>(static_cast<const unsigned char*>(value));
    } else if constexpr (std::is_enum_v<U>) {
        return toFormatArg(static_cast<std::underlying_type_t<U>>(value));
    } else if constexpr (std::is_same_v<U, bool>) {
        return toFormatArg(static_cast<int>(value));
    } else if constexpr (std::is_integral_v<U> && std::is_signed_v<U>) {
        a.kind = FormatArg::Kind::Int;
        a.size = sizeof(U);
        a.i = value;
    } else if constexpr (std::is_integral_v<U>) {
        a.kind = FormatArg::Kind::UInt;
        a.size = sizeof(U);
        a.u = value;
    } else if constexpr (std::is_floating_point_v<U>) {
        a.kind = FormatArg::Kind::Double;
        a.d = static_cast<double>(value);
    } else if constexpr (std::is_pointer_v<U> || std::is_null_pointer_v<U>) {
        a.kind = FormatArg::Kind::Ptr;
        a.p = static_cast<const void*>(value);
    } else {
        static_assert(std::is_pointer_v<U>, "CString::Format: unsupported argument type");
    }
    return a;
}

} // namespace pm
