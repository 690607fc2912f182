// The byte-string functions (over the two bytes of each UTF-16 code unit, as the language stores
// strings), the wide character functions, and Escape/Unescape.

#include "platform/script/vbs_builtins.h"
#include "platform/script/vbs_runtime.h"

#include <cstdio>

namespace pm::vbs {

namespace {

// The UTF-16LE bytes of a text, and a text from such bytes (an odd last byte is a unit of its own).
std::string bytesOf(const std::string& s) {
    std::u16string w = toUtf16(s);
    std::string out(w.size() * 2, '\0');
    for (size_t i = 0; i < w.size(); ++i) {
        out[2 * i] = static_cast<char>(w[i] & 0xFF);
        out[2 * i + 1] = static_cast<char>(w[i] >> 8);
    }
    return out;
}

std::string textOf(const std::string& bytes) {
    std::u16string w((bytes.size() + 1) / 2, u'\0');
    for (size_t i = 0; i < bytes.size(); ++i)
        w[i / 2] |= static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) << (i % 2 ? 8 : 0));
    return toBytes(w);
}

int32_t countArg(const Value& v) {
    int32_t n = toLong(v);
    if (n < 0) throw ScriptError(kInvalidCall);
    return n;
}

Value lenB(Runtime&, std::vector<Value>& a) {
    if (a[0].isNull()) return Value::null();
    return Value::longInt(static_cast<int32_t>(toUtf16(toStr(a[0])).size() * 2));
}

Value leftB(Runtime&, std::vector<Value>& a) {
    if (a[0].isNull()) return Value::null();
    std::string b = bytesOf(toStr(a[0]));
    return Value::string(textOf(b.substr(0, static_cast<size_t>(countArg(a[1])))));
}

Value rightB(Runtime&, std::vector<Value>& a) {
    if (a[0].isNull()) return Value::null();
    std::string b = bytesOf(toStr(a[0]));
    size_t n = std::min(b.size(), static_cast<size_t>(countArg(a[1])));
    return Value::string(textOf(b.substr(b.size() - n)));
}

Value midB(Runtime&, std::vector<Value>& a) {
    if (a[0].isNull()) return Value::null();
    std::string b = bytesOf(toStr(a[0]));
    int32_t start = toLong(a[1]);
    if (start < 1) throw ScriptError(kInvalidCall);
    size_t from = std::min(b.size(), static_cast<size_t>(start - 1));
    size_t n = a.size() > 2 && !isMissing(a[2]) ? static_cast<size_t>(countArg(a[2])) : std::string::npos;
    return Value::string(textOf(b.substr(from, n)));
}

Value inStrB(Runtime&, std::vector<Value>& a) {
    size_t first = 0;
    int32_t start = 1;
    if (a.size() >= 3) {
        start = toLong(a[0]);
        if (start < 1) throw ScriptError(kInvalidCall);
        first = 1;
    }
    if (a[first].isNull() || a[first + 1].isNull()) return Value::null();
    std::string hay = bytesOf(toStr(a[first])), needle = bytesOf(toStr(a[first + 1]));
    if (static_cast<size_t>(start) > hay.size() + (needle.empty() ? 1 : 0)) return Value::longInt(0);
    size_t at = hay.find(needle, static_cast<size_t>(start - 1));
    return Value::longInt(at == std::string::npos ? 0 : static_cast<int32_t>(at + 1));
}

Value ascB(Runtime&, std::vector<Value>& a) {
    std::string b = bytesOf(toStr(a[0]));
    if (b.empty()) throw ScriptError(kInvalidCall);
    return Value::byte(static_cast<uint8_t>(b[0]));
}

Value chrB(Runtime&, std::vector<Value>& a) {
    int32_t code = toLong(a[0]);
    if (code < 0 || code > 255) throw ScriptError(kInvalidCall);
    return Value::string(textOf(std::string(1, static_cast<char>(code))));
}

Value ascW(Runtime&, std::vector<Value>& a) {
    std::u16string w = toUtf16(toStr(a[0]));
    if (w.empty()) throw ScriptError(kInvalidCall);
    return Value::fromInt64(static_cast<int16_t>(w[0]));
}

Value chrW(Runtime&, std::vector<Value>& a) {
    int32_t code = toLong(a[0]);
    if (code < -32768 || code > 65535) throw ScriptError(kInvalidCall);
    return Value::string(toBytes(std::u16string(1, static_cast<char16_t>(code & 0xFFFF))));
}

bool keptByEscape(char16_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           (c != 0 && std::char_traits<char>::find("@*_+-./", 7, static_cast<char>(c)) && c < 0x80);
}

Value escape(Runtime&, std::vector<Value>& a) {
    if (a[0].isNull()) return Value::null();
    std::u16string w = toUtf16(toStr(a[0]));
    std::string out;
    char buf[8];
    for (char16_t c : w) {
        if (keptByEscape(c)) {
            out += static_cast<char>(c);
            continue;
        }
        std::snprintf(buf, sizeof buf, c > 0xFF ? "%%u%04X" : "%%%02X", static_cast<unsigned>(c));
        out += buf;
    }
    return Value::string(out);
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The value of n hex digits at s[at], or -1.
int hexAt(const std::u16string& s, size_t at, int n) {
    if (at + n > s.size()) return -1;
    int v = 0;
    for (int i = 0; i < n; ++i) {
        int d = s[at + i] < 0x80 ? hexDigit(static_cast<char>(s[at + i])) : -1;
        if (d < 0) return -1;
        v = v * 16 + d;
    }
    return v;
}

Value unescape(Runtime&, std::vector<Value>& a) {
    if (a[0].isNull()) return Value::null();
    std::u16string w = toUtf16(toStr(a[0])), out;
    for (size_t i = 0; i < w.size(); ++i) {
        if (w[i] == '%') {
            int v;
            if (i + 1 < w.size() && w[i + 1] == 'u' && (v = hexAt(w, i + 2, 4)) >= 0) {
                out += static_cast<char16_t>(v);
                i += 5;
                continue;
            }
            if ((v = hexAt(w, i + 1, 2)) >= 0) {
                out += static_cast<char16_t>(v);
                i += 2;
                continue;
            }
        }
        out += w[i];
    }
    return Value::string(toBytes(out));
}

const std::vector<Builtin> kBytes = {
    {"lenb", 1, 1, lenB},     {"leftb", 2, 2, leftB},   {"rightb", 2, 2, rightB},     {"midb", 2, 3, midB},
    {"instrb", 2, 4, inStrB}, {"ascb", 1, 1, ascB},     {"chrb", 1, 1, chrB},         {"ascw", 1, 1, ascW},
    {"chrw", 1, 1, chrW},     {"escape", 1, 1, escape}, {"unescape", 1, 1, unescape},
};

} // namespace

const std::vector<Builtin>& byteBuiltins() {
    return kBytes;
}

} // namespace pm::vbs
