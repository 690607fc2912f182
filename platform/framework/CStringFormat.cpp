// CString::Format: printf conversions, each reading its argument by the argument's own type.

#include "platform/framework/CString.h"

#include <cctype>
#include <charconv>
#include <cstdint>
#include <functional>
#include <cstdio>
#include <cstring>

namespace {

using pm::FormatArg;
using Kind = pm::FormatArg::Kind;

struct Directive {
    char flags[8] = {};
    int width = -1;
    int precision = -1;
    char conversion = '\0';
};

class ArgReader {
public:
    ArgReader(const FormatArg* args, int count) : m_args(args), m_count(count) {}
    const FormatArg& next() {
        static const FormatArg none;
        return m_next < m_count ? m_args[m_next++] : none;
    }

private:
    const FormatArg* m_args;
    int m_count;
    int m_next = 0;
};

std::int64_t asSigned(const FormatArg& a) {
    switch (a.kind) {
    case Kind::Int:
    case Kind::UInt:
        if (a.size == 1) return static_cast<signed char>(a.u);
        if (a.size == 2) return static_cast<short>(a.u);
        if (a.size == 4) return static_cast<std::int32_t>(a.u);
        return a.i;
    case Kind::Double:
        return static_cast<std::int64_t>(a.d);
    case Kind::Str:
    case Kind::Ptr:
        return static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(a.p));
    case Kind::None:
        break;
    }
    return 0;
}

std::uint64_t asUnsigned(const FormatArg& a) {
    if (a.kind != Kind::Int && a.kind != Kind::UInt) return static_cast<std::uint64_t>(asSigned(a));
    if (a.size == 1) return static_cast<std::uint8_t>(a.u);
    if (a.size == 2) return static_cast<std::uint16_t>(a.u);
    if (a.size == 4) return static_cast<std::uint32_t>(a.u);
    return a.u;
}

double asDouble(const FormatArg& a) {
    if (a.kind == Kind::Double) return a.d;
    if (a.kind == Kind::UInt) return static_cast<double>(asUnsigned(a));
    return static_cast<double>(asSigned(a));
}

int readNumber(const char*& p) {
    int n = 0;
    while (*p >= '0' && *p <= '9') {
        if (n < 100000) n = n * 10 + (*p - '0');
        ++p;
    }
    return n;
}

// Parses the conversion after '%'; returns the position after it, or nullptr at a malformed end.
const char* parseDirective(const char* p, Directive& directive, ArgReader& args) {
    int nflags = 0;
    while (std::strchr("-+ #0", *p) && *p) {
        if (nflags < 6) directive.flags[nflags++] = *p;
        ++p;
    }
    if (*p == '*') {
        directive.width = static_cast<int>(asSigned(args.next()));
        if (directive.width < 0) {
            directive.flags[nflags++] = '-';
            directive.width = directive.width == INT32_MIN ? 0 : -directive.width;
        }
        ++p;
    } else if (*p >= '0' && *p <= '9') {
        directive.width = readNumber(p);
    }
    if (*p == '.') {
        ++p;
        if (*p == '*') {
            directive.precision = static_cast<int>(asSigned(args.next()));
            if (directive.precision < 0) directive.precision = -1;
            ++p;
        } else {
            directive.precision = readNumber(p);
        }
    }
    // Length modifiers are read and ignored: the argument's own type decides.
    for (;;) {
        if (*p == 'h' || *p == 'l' || *p == 'L' || *p == 'q' || *p == 'j' || *p == 'z' || *p == 't' ||
            *p == 'w') {
            ++p;
        } else if (*p == 'I') {
            ++p;
            if ((p[0] == '6' && p[1] == '4') || (p[0] == '3' && p[1] == '2')) p += 2;
        } else {
            break;
        }
    }
    if (!*p) return nullptr;
    directive.conversion = *p;
    return p + 1;
}

void pad(CString& out, int count, char ch) {
    for (int i = 0; i < count; ++i)
        out += ch;
}

bool hasFlag(const Directive& directive, char flag) {
    return std::strchr(directive.flags, flag) != nullptr;
}

void appendPadded(CString& out, const char* text, int length, const Directive& directive) {
    const int fill = directive.width > length ? directive.width - length : 0;
    const bool left = hasFlag(directive, '-');
    if (!left) pad(out, fill, ' ');
    out.Append(text, length);
    if (left) pad(out, fill, ' ');
}

void appendString(CString& out, const FormatArg& arg, const Directive& directive) {
    const char* s = arg.kind == Kind::Str ? arg.s : nullptr;
    if (arg.kind == Kind::Str && !s) s = "(null)";
    if (!s) s = "";
    const size_t limit = directive.precision >= 0 ? static_cast<size_t>(directive.precision) : SIZE_MAX;
    appendPadded(out, s, static_cast<int>(strnlen(s, limit)), directive);
}

void appendChar(CString& out, const FormatArg& arg, const Directive& directive) {
    const char c = static_cast<char>(asSigned(arg));
    appendPadded(out, &c, 1, directive);
}

void appendPointer(CString& out, const FormatArg& arg, const Directive& directive) {
    char text[32];
    const int n = std::snprintf(text, sizeof text, "%0*llX", static_cast<int>(2 * sizeof(void*)),
                                static_cast<unsigned long long>(asUnsigned(arg)));
    appendPadded(out, text, n, directive);
}

// Integers without flags other than '0' and without precision, the common case, skip snprintf.
bool appendPlainInteger(CString& out, const FormatArg& arg, const Directive& directive) {
    const char k = directive.conversion;
    const bool zeroPad = directive.flags[0] == '0' && directive.flags[1] == '\0';
    if ((directive.flags[0] && !zeroPad) || directive.precision >= 0 || !std::strchr("diuoxX", k))
        return false;
    char digits[72];
    char* end = digits;
    bool negative = false;
    if (k == 'd' || k == 'i') {
        const std::int64_t v = asSigned(arg);
        negative = v < 0;
        const std::uint64_t magnitude =
            negative ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
        end = std::to_chars(digits, digits + sizeof digits, magnitude).ptr;
    } else {
        const int base = k == 'o' ? 8 : (k == 'u' ? 10 : 16);
        end = std::to_chars(digits, digits + sizeof digits, asUnsigned(arg), base).ptr;
        if (k == 'X')
            for (char* c = digits; c < end; ++c)
                *c = static_cast<char>(std::toupper(static_cast<unsigned char>(*c)));
    }
    const int length = static_cast<int>(end - digits) + (negative ? 1 : 0);
    const int fill = directive.width > length ? directive.width - length : 0;
    if (!zeroPad) pad(out, fill, ' ');
    if (negative) out += '-';
    if (zeroPad) pad(out, fill, '0');
    out.Append(digits, static_cast<int>(end - digits));
    return true;
}

// Other numbers go through snprintf with a conversion rebuilt for the widened value.
void appendNumber(CString& out, const FormatArg& arg, const Directive& directive) {
    if (appendPlainInteger(out, arg, directive)) return;
    char conv[32];
    char* c = conv;
    *c++ = '%';
    for (const char* f = directive.flags; *f; ++f)
        *c++ = *f;
    *c++ = '*';
    *c++ = '.';
    *c++ = '*';
    const char k = directive.conversion;
    const bool isFloat = std::strchr("eEfFgGaA", k) != nullptr;
    if (!isFloat) {
        *c++ = 'l';
        *c++ = 'l';
    }
    *c++ = k;
    *c = '\0';
    const int width = directive.width < 0 ? 0 : directive.width;
    char small[128];
    auto print = [&](char* buf, size_t size) {
        if (isFloat) return std::snprintf(buf, size, conv, width, directive.precision, asDouble(arg));
        if (k == 'd' || k == 'i')
            return std::snprintf(buf, size, conv, width, directive.precision,
                                 static_cast<long long>(asSigned(arg)));
        return std::snprintf(buf, size, conv, width, directive.precision,
                             static_cast<unsigned long long>(asUnsigned(arg)));
    };
    const int n = print(small, sizeof small);
    if (n < 0) return;
    if (n < static_cast<int>(sizeof small)) {
        out.Append(small, n);
        return;
    }
    CString big;
    print(big.GetBufferSetLength(n), static_cast<size_t>(n) + 1);
    out += big;
}

void appendConversion(CString& out, const Directive& directive, ArgReader& args) {
    switch (directive.conversion) {
    case '%':
        out += '%';
        return;
    case 's':
    case 'S':
        appendString(out, args.next(), directive);
        return;
    case 'c':
    case 'C':
        appendChar(out, args.next(), directive);
        return;
    case 'p':
        appendPointer(out, args.next(), directive);
        return;
    case 'n':
        args.next();
        return; // never writes through an argument
    default:
        break;
    }
    if (std::strchr("diouxXeEfFgGaA", directive.conversion)) {
        const FormatArg& arg = args.next();
        if (arg.kind != Kind::None) appendNumber(out, arg, directive);
        return;
    }
    out += '%';
    out += directive.conversion;
}

} // namespace

void CString::formatInto(CString& out, LPCTSTR pszFormat, const pm::FormatArg* args, int count) {
    if (!pszFormat) return;
    ArgReader reader(args, count);
    const char* p = pszFormat;
    while (*p) {
        const char* percent = std::strchr(p, '%');
        if (!percent) {
            out += p;
            return;
        }
        out.Append(p, static_cast<int>(percent - p));
        Directive directive;
        const char* next = parseDirective(percent + 1, directive, reader);
        if (!next) return;
        appendConversion(out, directive, reader);
        p = next;
    }
}

bool CString::formatReadsOwnBuffer(LPCTSTR pszFormat, const pm::FormatArg* args, int count) const {
    const std::less_equal<const char*> le;
    const char* first = m_pchData;
    const char* last = m_pchData + data()->capacity;
    auto inside = [&](const char* p) { return p && le(first, p) && le(p, last); };
    if (inside(pszFormat)) return true;
    for (int i = 0; i < count; ++i)
        if (args[i].kind == Kind::Str && inside(args[i].s)) return true;
    return false;
}

// Unless safe, both build a separate string first: arguments may point into this one.
void CString::formatList(LPCTSTR pszFormat, const pm::FormatArg* args, int count) {
    if (!formatReadsOwnBuffer(pszFormat, args, count) && data()->refs.load(std::memory_order_acquire) == 1) {
        // Nothing read points into the buffer: format straight into it, reusing its room.
        m_pchData[0] = '\0';
        data()->length = 0;
        formatInto(*this, pszFormat, args, count);
        return;
    }
    CString out;
    formatInto(out, pszFormat, args, count);
    *this = std::move(out);
}

void CString::appendFormatList(LPCTSTR pszFormat, const pm::FormatArg* args, int count) {
    CString out;
    formatInto(out, pszFormat, args, count);
    *this += out;
}
