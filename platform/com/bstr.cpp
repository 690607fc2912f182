// BSTR allocation and the conversions between byte strings and UTF-16.

#include "platform/com/oleauto.h"

#include <cstdlib>
#include <cstring>

namespace {

// The Windows-1252 characters of bytes 0x80-0x9F (0 where the code page has none: kept as is).
const char16_t kCp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                  0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Length of the valid UTF-8 sequence at p (0 when there is none) and its code point.
int utf8Sequence(const unsigned char* p, size_t left, char32_t& cp) {
    unsigned char c = p[0];
    int n;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
        cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        cp = c & 0x07;
    } else {
        return 0;
    }
    if (left < static_cast<size_t>(n)) return 0;
    for (int i = 1; i < n; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    if ((n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

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

std::u16string toUtf16(const char* bytes, size_t length) {
    std::u16string out;
    out.reserve(length);
    auto* p = reinterpret_cast<const unsigned char*>(bytes);
    size_t i = 0;
    while (i < length) {
        unsigned char c = p[i];
        if (c < 0x80) {
            out += static_cast<char16_t>(c);
            ++i;
            continue;
        }
        char32_t cp;
        int n = utf8Sequence(p + i, length - i, cp);
        if (n == 0) {
            out += c < 0xA0 ? kCp1252High[c - 0x80] : static_cast<char16_t>(c);
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += n;
    }
    return out;
}

std::u16string toUtf16(const std::string& bytes) {
    return toUtf16(bytes.data(), bytes.size());
}

std::string toBytes(const OLECHAR* text, size_t length) {
    std::string out;
    out.reserve(length);
    for (size_t i = 0; i < length; ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < length && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        appendUtf8(out, c);
    }
    return out;
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
