#pragma once
// The numeric functions of the forms runtime, with the results the forms' code relies on: Val reads
// a leading number, conversions to integers round half to even, Hex$ shows 32-bit two's complement.

#include <cstdint>
#include <optional>
#include <string>

namespace vb {

// The number at the start of `text`: blanks, tabs and line feeds anywhere are skipped; a sign, digits,
// a fraction and an exponent (E or D) are read as far as they form a number; "&H" and "&O" read
// hexadecimal and octal (four digits or fewer as a 16-bit value). No number gives 0.
double Val(const std::string& text);

// The whole text as a number (surrounding blanks allowed), or nothing when any other character is
// present or no digit is.
std::optional<double> ParseNumber(const std::string& text);
bool IsNumeric(const std::string& text);

// The greatest integer not above `value`; `value` with its fraction dropped.
double Int(double value);
double Fix(double value);

// `value` rounded to the nearest integer, halves to the even one; std::overflow_error outside the
// 16-bit (CInt) or 32-bit (CLng) range.
std::int16_t CInt(double value);
std::int32_t CLng(double value);

// Integer division `a \ b`: both operands rounded as CLng, the quotient truncated toward zero;
// std::domain_error when the divisor rounds to zero.
std::int32_t IntDiv(double a, double b);

// Upper-case hexadecimal of `value` rounded as CLng, without leading zeros; negative values show
// their 32-bit two's complement ("FFFFFFFF" for -1).
std::string Hex(double value);

// The colour value red | green << 8 | blue << 16; components above 255 count as 255,
// std::invalid_argument for a negative one. The name is parenthesised so that the window system's
// RGB macro leaves it alone: call it as (vb::RGB)(r, g, b) where that macro is defined.
std::int32_t(RGB)(int red, int green, int blue);

// The square root; std::invalid_argument for a negative value.
double Sqr(double value);

// Seeds the random-number generator from the clock, or with `seed`.
void Randomize();
void Randomize(std::uint32_t seed);
// The next random number, at least 0 and below 1.
double Rnd();

} // namespace vb
