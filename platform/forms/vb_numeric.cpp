#include "platform/forms/vb_numeric.h"

#include <chrono>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace vb {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string withoutBlanks(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (!isBlank(c)) out += c;
    return out;
}

int digitValue(char c, int radix) {
    int d = -1;
    if (isDigit(c))
        d = c - '0';
    else if (c >= 'a' && c <= 'f')
        d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        d = c - 'A' + 10;
    return d >= 0 && d < radix ? d : -1;
}

// "&H1F" or "&O17" at the start of a blank-free text; `used` tells how many bytes formed the number.
double radixNumber(const std::string& s, std::size_t& used) {
    int radix = (s[1] == 'H' || s[1] == 'h') ? 16 : 8;
    std::uint64_t value = 0;
    std::size_t i = 2;
    std::size_t digits = 0;
    for (; i < s.size(); ++i) {
        int d = digitValue(s[i], radix);
        if (d < 0) break;
        value = (value * radix + d) & 0xFFFFFFFFull;
        ++digits;
    }
    used = i;
    if (digits == 0) return 0;
    if (value <= 0xFFFF && (radix == 16 ? digits <= 4 : digits <= 6))
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// The decimal number at the start of `s`: sign, digits, fraction, exponent. `used` is 0 when no
// digit was found.
double decimalNumber(const std::string& s, std::size_t& used) {
    std::string c;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) c += s[i++];
    std::size_t digits = 0;
    for (; i < s.size() && isDigit(s[i]); ++i, ++digits)
        c += s[i];
    if (i < s.size() && s[i] == '.') {
        c += s[i++];
        for (; i < s.size() && isDigit(s[i]); ++i, ++digits)
            c += s[i];
    }
    if (digits == 0) {
        used = 0;
        return 0;
    }
    used = i;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent += s[j++];
        std::size_t expDigits = 0;
        for (; j < s.size() && isDigit(s[j]); ++j, ++expDigits)
            exponent += s[j];
        if (expDigits > 0) {
            c += exponent;
            used = j;
        }
    }
    return std::strtod(c.c_str(), nullptr);
}

double leadingNumber(const std::string& s, std::size_t& used) {
    if (s.size() >= 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o'))
        return radixNumber(s, used);
    return decimalNumber(s, used);
}

// The default rounding mode rounds halves to even.
double roundHalfEven(double value) {
    return std::nearbyint(value);
}

std::uint32_t g_rndState = 0x50000;

} // namespace

double Val(const std::string& text) {
    std::size_t used = 0;
    return leadingNumber(withoutBlanks(text), used);
}

std::optional<double> ParseNumber(const std::string& text) {
    std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::nullopt;
    std::size_t last = text.find_last_not_of(" \t");
    std::string core = text.substr(first, last - first + 1);
    std::size_t used = 0;
    double value = leadingNumber(core, used);
    if (used == 0 || used != core.size()) return std::nullopt;
    if (core.size() >= 2 && core[0] == '&' && used == 2) return std::nullopt;
    return value;
}

bool IsNumeric(const std::string& text) {
    return ParseNumber(text).has_value();
}

double Int(double value) {
    return std::floor(value);
}
double Fix(double value) {
    return std::trunc(value);
}

std::int16_t CInt(double value) {
    double r = roundHalfEven(value);
    if (!(r >= -32768.0 && r <= 32767.0)) throw std::overflow_error("Overflow");
    return static_cast<std::int16_t>(r);
}

std::int32_t CLng(double value) {
    double r = roundHalfEven(value);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw std::overflow_error("Overflow");
    return static_cast<std::int32_t>(r);
}

std::int32_t IntDiv(double a, double b) {
    std::int64_t dividend = CLng(a);
    std::int64_t divisor = CLng(b);
    if (divisor == 0) throw std::domain_error("Division by zero");
    std::int64_t q = dividend / divisor;
    if (q > std::numeric_limits<std::int32_t>::max()) throw std::overflow_error("Overflow");
    return static_cast<std::int32_t>(q);
}

std::string Hex(double value) {
    auto bits = static_cast<std::uint32_t>(CLng(value));
    if (bits == 0) return "0";
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (; bits != 0; bits >>= 4)
        out.insert(out.begin(), digits[bits & 0xF]);
    return out;
}

std::int32_t(RGB)(int red, int green, int blue) {
    if (red < 0 || green < 0 || blue < 0) throw std::invalid_argument("Invalid procedure call or argument");
    auto clamp = [](int c) { return c > 255 ? 255 : c; };
    return clamp(red) | clamp(green) << 8 | clamp(blue) << 16;
}

double Sqr(double value) {
    if (value < 0) throw std::invalid_argument("Invalid procedure call or argument");
    return std::sqrt(value);
}

void Randomize() {
    auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    Randomize(static_cast<std::uint32_t>(ticks ^ (ticks >> 24)));
}

void Randomize(std::uint32_t seed) {
    g_rndState = seed & 0xFFFFFF;
}

double Rnd() {
    // The classic 24-bit linear congruential generator.
    g_rndState = (g_rndState * 1140671485u + 12820163u) & 0xFFFFFF;
    return g_rndState / 16777216.0;
}

} // namespace vb
