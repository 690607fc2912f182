// String builtins. Positions and lengths count characters of the UTF-8 text.

#include "platform/script/vbs_builtins.h"
#include "platform/script/vbs_ops.h"
#include "platform/script/vbs_runtime.h"
#include "platform/win/utf8.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace pm::vbs {

namespace {

// Windows-1252 codes 0x80-0x9F by their character.
const char16_t kCp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                  0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool anyNull(const std::vector<Value>& a, size_t count) {
    for (size_t i = 0; i < count && i < a.size(); ++i)
        if (a[i].isNull()) return true;
    return false;
}

// The byte index of a character index (clamped) and back.
size_t charsBefore(const std::string& s, size_t bytes) {
    return charCount(s.substr(0, bytes));
}

bool textMode(const std::vector<Value>& a, size_t i) {
    return optionalLong(a, i, 0) == 1;
}

int32_t lengthArg(const Value& v) {
    int32_t n = toLong(v);
    if (n < 0) throw ScriptError(kInvalidCall);
    return n;
}

Value len(Runtime&, std::vector<Value>& a) {
    if (a[0].isNull()) return Value::null();
    return Value::longInt(static_cast<int32_t>(charCount(toStr(a[0]))));
}

Value left(Runtime&, std::vector<Value>& a) {
    if (a[0].isNull()) return Value::null();
    std::string s = toStr(a[0]);
    return Value::string(s.substr(0, byteOffset(s, lengthArg(a[1]))));
}

Value right(Runtime&, std::vector<Value>& a) {
    if (a[0].isNull()) return Value::null();
    std::string s = toStr(a[0]);
    size_t n = lengthArg(a[1]), total = charCount(s);
    return Value::string(n >= total ? s : s.substr(byteOffset(s, total - n)));
}

Value mid(Runtime&, std::vector<Value>& a) {
    if (a[0].isNull()) return Value::null();
    std::string s = toStr(a[0]);
    int32_t start = toLong(a[1]);
    if (start < 1) throw ScriptError(kInvalidCall);
    size_t from = byteOffset(s, start - 1);
    if (a.size() < 3 || isMissing(a[2])) return Value::string(s.substr(from));
    std::string rest = s.substr(from);
    return Value::string(rest.substr(0, byteOffset(rest, lengthArg(a[2]))));
}

std::string folded(const std::string& s, bool text) {
    return text ? lowerCase(s) : s;
}

Value inStr(Runtime&, std::vector<Value>& a) {
    size_t base = 0;
    int32_t start = 1;
    if (a.size() >= 3) {
        if (a[0].isNull()) throw ScriptError(kInvalidUseOfNull);
        start = toLong(a[0]);
        if (start < 1) throw ScriptError(kInvalidCall);
        base = 1;
    }
    if (anyNull(a, base + 2)) return Value::null();
    bool text = a.size() >= 4 && textMode(a, 3);
    std::string hay = folded(toStr(a[base]), text), needle = folded(toStr(a[base + 1]), text);
    size_t from = byteOffset(hay, start - 1);
    if (static_cast<size_t>(start - 1) > charCount(hay)) return Value::longInt(0);
    if (needle.empty()) return Value::longInt(start);
    size_t at = hay.find(needle, from);
    return Value::longInt(at == std::string::npos ? 0 : static_cast<int32_t>(charsBefore(hay, at)) + 1);
}

Value inStrRev(Runtime&, std::vector<Value>& a) {
    if (anyNull(a, 2)) return Value::null();
    bool text = textMode(a, 3);
    std::string hay = folded(toStr(a[0]), text), needle = folded(toStr(a[1]), text);
    int32_t start = optionalLong(a, 2, -1);
    if (start == 0 || start < -1) throw ScriptError(kInvalidCall);
    size_t total = charCount(hay);
    if (start == -1) start = static_cast<int32_t>(total);
    if (static_cast<size_t>(start) > total) return Value::longInt(0);
    if (needle.empty()) return Value::longInt(start);
    // The match must end at or before character `start`.
    size_t limit = byteOffset(hay, start);
    if (needle.size() > limit) return Value::longInt(0);
    size_t at = hay.rfind(needle, limit - needle.size());
    return Value::longInt(at == std::string::npos ? 0 : static_cast<int32_t>(charsBefore(hay, at)) + 1);
}

Value caseOf(std::vector<Value>& a, bool upper) {
    if (a[0].isNull()) return Value::null();
    std::string s = toStr(a[0]);
    return Value::string(upper ? upperCase(s) : lowerCase(s));
}

Value uCase(Runtime&, std::vector<Value>& a) {
    return caseOf(a, true);
}
Value lCase(Runtime&, std::vector<Value>& a) {
    return caseOf(a, false);
}

Value trimmed(std::vector<Value>& a, bool front, bool back) {
    if (a[0].isNull()) return Value::null();
    std::string s = toStr(a[0]);
    size_t b = 0, e = s.size();
    while (front && b < e && s[b] == ' ')
        ++b;
    while (back && e > b && s[e - 1] == ' ')
        --e;
    return Value::string(s.substr(b, e - b));
}

Value trim(Runtime&, std::vector<Value>& a) {
    return trimmed(a, true, true);
}
Value lTrim(Runtime&, std::vector<Value>& a) {
    return trimmed(a, true, false);
}
Value rTrim(Runtime&, std::vector<Value>& a) {
    return trimmed(a, false, true);
}

Value space(Runtime&, std::vector<Value>& a) {
    int32_t n = lengthArg(a[0]);
    checkStringSize(static_cast<size_t>(n));
    return Value::string(std::string(static_cast<size_t>(n), ' '));
}

Value stringOf(Runtime&, std::vector<Value>& a) {
    if (anyNull(a, 2)) return Value::null();
    int32_t n = lengthArg(a[0]);
    std::string unit;
    if (a[1].isString()) {
        if (a[1].str().empty()) throw ScriptError(kInvalidCall);
        unit = a[1].str().substr(0, byteOffset(a[1].str(), 1));
    } else {
        int32_t code = toLong(a[1]) % 256;
        if (code < 0) code += 256;
        std::u16string w(1, code >= 0x80 && code < 0xA0 ? kCp1252High[code - 0x80]
                                                        : static_cast<char16_t>(code));
        unit = toBytes(w);
    }
    checkStringSize(
        static_cast<size_t>(std::min<uint64_t>(static_cast<uint64_t>(n) * unit.size(), SIZE_MAX)));
    std::string out;
    out.reserve(n * unit.size());
    for (int32_t i = 0; i < n; ++i)
        out += unit;
    return Value::string(std::move(out));
}

Value strReverse(Runtime&, std::vector<Value>& a) {
    if (a[0].isNull()) throw ScriptError(kInvalidUseOfNull);
    std::string s = toStr(a[0]), out;
    out.reserve(s.size());
    size_t end = s.size();
    while (end > 0) {
        size_t begin = end - 1;
        while (begin > 0 && pm::utf8::isContinuation(static_cast<unsigned char>(s[begin])))
            --begin;
        out.append(s, begin, end - begin);
        end = begin;
    }
    return Value::string(std::move(out));
}

Value strComp(Runtime&, std::vector<Value>& a) {
    if (anyNull(a, 2)) return Value::null();
    return Value::integer(compareText(toStr(a[0]), toStr(a[1]), textMode(a, 2)));
}

Value asc(Runtime&, std::vector<Value>& a) {
    std::string s = toStr(a[0]);
    if (s.empty()) throw ScriptError(kInvalidCall);
    std::u16string w = toUtf16(s.substr(0, byteOffset(s, 1)));
    char16_t c = w.empty() ? 0 : w[0];
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return Value::integer(c);
    if (c >= 0xDC80 && c <= 0xDCFF) return Value::integer(c - 0xDC00); // a byte that is not UTF-8
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] == c) return Value::integer(0x80 + i);
    return Value::integer('?');
}

Value chr(Runtime&, std::vector<Value>& a) {
    int32_t code = toLong(a[0]);
    if (code < 0 || code > 255) throw ScriptError(kInvalidCall);
    std::u16string w(1, code >= 0x80 && code < 0xA0 ? kCp1252High[code - 0x80] : static_cast<char16_t>(code));
    return Value::string(toBytes(w));
}

// Positions (bytes) of the matches of find in s, from byte `from`, at most `count` (-1: all).
std::vector<size_t> matches(const std::string& s, const std::string& find, size_t from, int32_t count,
                            bool text) {
    std::vector<size_t> out;
    if (find.empty()) return out;
    std::string hay = folded(s, text), needle = folded(find, text);
    size_t at = hay.find(needle, from);
    while (at != std::string::npos && (count < 0 || static_cast<int32_t>(out.size()) < count)) {
        out.push_back(at);
        at = hay.find(needle, at + needle.size());
    }
    return out;
}

Value replace(Runtime&, std::vector<Value>& a) {
    if (anyNull(a, 3)) return Value::null();
    std::string s = toStr(a[0]), find = toStr(a[1]), with = toStr(a[2]);
    int32_t start = optionalLong(a, 3, 1), count = optionalLong(a, 4, -1);
    if (start < 1 || count < -1) throw ScriptError(kInvalidCall);
    size_t from = byteOffset(s, start - 1);
    std::vector<size_t> hits = matches(s, find, from, count, textMode(a, 5));
    // The result starts at `start`, as the language defines it.
    std::string out;
    size_t pos = from;
    for (size_t h : hits) {
        out.append(s, pos, h - pos);
        out += with;
        pos = h + find.size();
        checkStringSize(out.size());
    }
    out.append(s, pos, std::string::npos);
    return Value::string(std::move(out));
}

Value split(Runtime&, std::vector<Value>& a) {
    if (a[0].isNull()) throw ScriptError(kInvalidUseOfNull);
    std::string s = toStr(a[0]);
    std::string delim = a.size() > 1 && !isMissing(a[1]) ? toStr(a[1]) : " ";
    int32_t count = optionalLong(a, 2, -1);
    if (count < -1) throw ScriptError(kInvalidCall);
    auto arr = std::make_shared<Array>();
    if (!s.empty() && count != 0) {
        if (delim.empty()) {
            arr->data.push_back(Value::string(s));
        } else {
            std::vector<size_t> hits = matches(s, delim, 0, count < 0 ? -1 : count - 1, textMode(a, 3));
            size_t pos = 0;
            for (size_t h : hits) {
                arr->data.push_back(Value::string(s.substr(pos, h - pos)));
                pos = h + delim.size();
            }
            arr->data.push_back(Value::string(s.substr(pos)));
        }
    }
    arr->dims.push_back({0, static_cast<uint32_t>(arr->data.size())});
    return Value::array(std::move(arr));
}

Value join(Runtime&, std::vector<Value>& a) {
    if (!a[0].isArray() || a[0].arr()->dims.size() != 1) throw ScriptError(kTypeMismatch);
    std::string delim = a.size() > 1 && !isMissing(a[1]) ? toStr(a[1]) : " ";
    std::string out;
    const auto& data = a[0].arr()->data;
    for (size_t i = 0; i < data.size(); ++i) {
        if (i) out += delim;
        out += toStr(data[i]);
        checkStringSize(out.size());
    }
    return Value::string(std::move(out));
}

Value filter(Runtime&, std::vector<Value>& a) {
    if (!a[0].isArray() || a[0].arr()->dims.size() != 1) throw ScriptError(kTypeMismatch);
    std::string what = toStr(a[1]);
    bool include = a.size() < 3 || isMissing(a[2]) || toBool(a[2]);
    bool text = textMode(a, 3);
    auto arr = std::make_shared<Array>();
    for (const Value& v : a[0].arr()->data) {
        std::string s = toStr(v);
        bool found = folded(s, text).find(folded(what, text)) != std::string::npos;
        if (found == include) arr->data.push_back(Value::string(s));
    }
    arr->dims.push_back({0, static_cast<uint32_t>(arr->data.size())});
    return Value::array(std::move(arr));
}

Value radix(std::vector<Value>& a, int bits) {
    if (a[0].isNull()) return Value::null();
    Value n = toNumeric(a[0]);
    int32_t v = toLong(n);
    uint32_t u = static_cast<uint32_t>(v);
    if (v < 0 && (n.type() == VT_I2 || n.type() == VT_UI1)) u &= 0xFFFF;
    std::string out;
    do {
        int d = static_cast<int>(u & ((1u << bits) - 1));
        out.insert(out.begin(), "0123456789ABCDEF"[d]);
        u >>= bits;
    } while (u);
    return Value::string(out);
}

Value hex(Runtime&, std::vector<Value>& a) {
    return radix(a, 4);
}
Value oct(Runtime&, std::vector<Value>& a) {
    return radix(a, 3);
}

// Tristate arguments: -1 True, 0 False, -2 the default.
bool tristate(const std::vector<Value>& a, size_t i, bool fallback) {
    int32_t v = optionalLong(a, i, -2);
    return v == -2 ? fallback : v != 0;
}

std::string groupDigits(const std::string& digits) {
    std::string out;
    int n = static_cast<int>(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i && (n - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

// Formats a number with `decimals` places in the fixed English locale.
std::string formatFixed(double value, int decimals, bool leadingDigit, bool parens, bool group,
                        const std::string& prefix, const std::string& suffix) {
    if (decimals < -1 || decimals > 255) throw ScriptError(kInvalidCall);
    if (decimals == -1) decimals = 2;
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", std::min(decimals, 30), std::fabs(value));
    std::string text = buf;
    size_t dot = text.find('.');
    std::string whole = text.substr(0, dot), frac = dot == std::string::npos ? "" : text.substr(dot);
    bool negative = value < 0 && text.find_first_not_of("0.") != std::string::npos;
    if (whole == "0" && !leadingDigit && !frac.empty()) whole.clear();
    std::string body = prefix + (group ? groupDigits(whole) : whole) + frac + suffix;
    if (!negative) return body;
    return parens ? "(" + body + ")" : "-" + body;
}

Value formatNumber(Runtime&, std::vector<Value>& a) {
    double v = toDouble(a[0]);
    return Value::string(formatFixed(v, optionalLong(a, 1, -1), tristate(a, 2, true), tristate(a, 3, false),
                                     tristate(a, 4, true), "", ""));
}

Value formatCurrency(Runtime&, std::vector<Value>& a) {
    double v = toDouble(a[0]);
    return Value::string(formatFixed(v, optionalLong(a, 1, -1), tristate(a, 2, true), tristate(a, 3, true),
                                     tristate(a, 4, true), "$", ""));
}

Value formatPercent(Runtime&, std::vector<Value>& a) {
    double v = toDouble(a[0]) * 100.0;
    return Value::string(formatFixed(v, optionalLong(a, 1, -1), tristate(a, 2, true), tristate(a, 3, false),
                                     tristate(a, 4, true), "", "%"));
}

} // namespace

const std::vector<Builtin>& textBuiltins() {
    static const std::vector<Builtin> table = {
        {"len", 1, 1, len},
        {"left", 2, 2, left},
        {"right", 2, 2, right},
        {"mid", 2, 3, mid},
        {"instr", 2, 4, inStr},
        {"instrrev", 2, 4, inStrRev},
        {"ucase", 1, 1, uCase},
        {"lcase", 1, 1, lCase},
        {"trim", 1, 1, trim},
        {"ltrim", 1, 1, lTrim},
        {"rtrim", 1, 1, rTrim},
        {"space", 1, 1, space},
        {"string", 2, 2, stringOf},
        {"strreverse", 1, 1, strReverse},
        {"strcomp", 2, 3, strComp},
        {"asc", 1, 1, asc},
        {"chr", 1, 1, chr},
        {"replace", 3, 6, replace},
        {"split", 1, 4, split},
        {"join", 1, 2, join},
        {"filter", 2, 4, filter},
        {"hex", 1, 1, hex},
        {"oct", 1, 1, oct},
        {"formatnumber", 1, 5, formatNumber},
        {"formatcurrency", 1, 5, formatCurrency},
        {"formatpercent", 1, 5, formatPercent},
    };
    return table;
}

} // namespace pm::vbs
