// BSTR allocation and the conversions between byte strings and UTF-16.

#include "platform/com/oleauto.h"
#include "platform/win/utf8.h"

#include <cstdlib>
#include <cstring>

namespace {

char16_t foldCase(char16_t c) {
    if (c >= 'a' && c <= 'z') return static_cast<char16_t>(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 32);
    return c;
}

} // namespace

BSTR SysAllocStringLen(const OLECHAR* pch, UINT cch) {
    auto* block =
        static_cast<unsigned char*>(std::malloc(sizeof(std::uint32_t) + (cch + 1) * sizeof(OLECHAR)));
    if (!block) return nullptr;
    std::uint32_t bytes = cch * sizeof(OLECHAR);
    std::memcpy(block, &bytes, sizeof bytes);
    auto* text = reinterpret_cast<OLECHAR*>(block + sizeof bytes);
    if (pch)
        std::memcpy(text, pch, bytes);
    else
        std::memset(text, 0, bytes);
    text[cch] = 0;
    return text;
}

BSTR SysAllocString(const OLECHAR* psz) {
    if (!psz) return nullptr;
    return SysAllocStringLen(psz, static_cast<UINT>(pm::oleStrLen(psz)));
}

void SysFreeString(BSTR bstr) {
    if (bstr) std::free(reinterpret_cast<unsigned char*>(bstr) - sizeof(std::uint32_t));
}

UINT SysStringByteLen(BSTR bstr) {
    if (!bstr) return 0;
    std::uint32_t bytes;
    std::memcpy(&bytes, reinterpret_cast<unsigned char*>(bstr) - sizeof bytes, sizeof bytes);
    return bytes;
}

UINT SysStringLen(BSTR bstr) {
    return SysStringByteLen(bstr) / sizeof(OLECHAR);
}

int SysReAllocString(BSTR* pbstr, const OLECHAR* psz) {
    if (!pbstr) return FALSE;
    BSTR fresh = SysAllocString(psz);
    if (psz && !fresh) return FALSE;
    SysFreeString(*pbstr);
    *pbstr = fresh;
    return TRUE;
}

void* CoTaskMemAlloc(SIZE_T cb) {
    return std::malloc(cb ? cb : 1);
}
void CoTaskMemFree(void* pv) {
    std::free(pv);
}

namespace pm {

namespace {

// The escape of a byte that is not UTF-8 (U+DC80 + byte) in the three bytes UTF-8 gives it
// (ED B2 80 to ED B3 BF): the form such text keeps inside byte strings.
bool escapeAt(const unsigned char* p, size_t length, char16_t* unit) {
    if (length < 3 || p[0] != 0xED || (p[1] & 0xFE) != 0xB2 || !utf8::isContinuation(p[2])) return false;
    *unit = static_cast<char16_t>(0xD000 | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
    return true;
}

void appendUnits(std::u16string& out, char32_t cp) {
    if (cp >= 0x10000) {
        cp -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (cp >> 10));
        out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
        out += static_cast<char16_t>(cp);
    }
}

bool isByteEscape(char16_t unit) {
    return unit >= 0xDC80 && unit <= 0xDCFF;
}

} // namespace

std::u16string toUtf16(const char* bytes, size_t length) {
    std::u16string out;
    out.reserve(length);
    auto* p = reinterpret_cast<const unsigned char*>(bytes);
    size_t i = 0;
    while (i < length) {
        char16_t escape;
        if (escapeAt(p + i, length - i, &escape)) {
            out += escape;
            i += 3;
            continue;
        }
        char32_t cp;
        i += decodeChar(p + i, length - i, &cp);
        appendUnits(out, cp);
    }
    return out;
}

BSTR toBstrKeepingBytes(const char* bytes, size_t length) {
    std::u16string out;
    out.reserve(length);
    auto* p = reinterpret_cast<const unsigned char*>(bytes);
    size_t i = 0;
    while (i < length) {
        char32_t cp;
        const size_t n = utf8::decode(p + i, length - i, &cp);
        if (n == 0) {
            out += static_cast<char16_t>(0xDC00 + p[i]);
            ++i;
            continue;
        }
        appendUnits(out, cp);
        i += n;
    }
    return SysAllocStringLen(out.data(), static_cast<UINT>(out.size()));
}

std::string fromBstrKeepingBytes(BSTR bstr) {
    std::string out;
    const size_t length = bstr ? SysStringLen(bstr) : 0;
    out.reserve(length);
    size_t from = 0;
    for (size_t i = 0; i <= length; ++i) {
        if (i < length && !isByteEscape(bstr[i])) continue;
        // An escape after a high surrogate is that surrogate's pair, no escape.
        if (i < length && i > from && bstr[i - 1] >= 0xD800 && bstr[i - 1] <= 0xDBFF) continue;
        out += utf8::fromUtf16(bstr + from, i - from);
        if (i < length) out += static_cast<char>(bstr[i] - 0xDC00);
        from = i + 1;
    }
    return out;
}

std::u16string toUtf16(const std::string& bytes) {
    return toUtf16(bytes.data(), bytes.size());
}

std::string toBytes(const OLECHAR* text, size_t length) {
    return utf8::fromUtf16(text, length);
}

std::string toBytes(const std::u16string& text) {
    return toBytes(text.data(), text.size());
}

std::string fromBstr(BSTR bstr) {
    return bstr ? toBytes(bstr, SysStringLen(bstr)) : std::string();
}

BSTR toBstr(const std::string& bytes) {
    std::u16string wide = toUtf16(bytes);
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

BSTR toBstr(const char* bytes) {
    return toBstr(std::string(bytes ? bytes : ""));
}

size_t oleStrLen(const OLECHAR* text) {
    size_t n = 0;
    if (text)
        while (text[n])
            ++n;
    return n;
}

int oleStrCmp(const OLECHAR* a, const OLECHAR* b) {
    for (;; ++a, ++b) {
        if (*a != *b) return *a < *b ? -1 : 1;
        if (!*a) return 0;
    }
}

int oleStrICmp(const OLECHAR* a, const OLECHAR* b) {
    for (;; ++a, ++b) {
        char16_t x = foldCase(*a), y = foldCase(*b);
        if (x != y) return x < y ? -1 : 1;
        if (!x) return 0;
    }
}

} // namespace pm
