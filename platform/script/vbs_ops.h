#pragma once
// VBScript's operators on Variants: arithmetic with its type promotion, concatenation, comparison
// and the logical/bitwise operators with their Null rules.

#include "platform/script/vbs_value.h"

namespace pm::vbs {

enum class Op : unsigned char {
    Add,
    Sub,
    Mul,
    Div,
    IntDiv,
    Mod,
    Pow,
    Concat,
    Eq,
    Ne,
    Lt,
    Gt,
    Le,
    Ge,
    Is,
    And,
    Or,
    Xor,
    Eqv,
    Imp,
    Neg,
    Not
};

Value binaryOp(Op op, const Value& a, const Value& b);
Value unaryOp(Op op, const Value& a);
// -1, 0 or 1; text comparison folds case. Null operands are the caller's concern.
int compareValues(const Value& a, const Value& b, bool textCompare);
// Compares two texts: binary (bytes, which for UTF-8 is code point order) or without case.
int compareText(const std::string& a, const std::string& b, bool textCompare);
// Object identity for Is (both must be objects).
bool sameObject(const Value& a, const Value& b);

} // namespace pm::vbs
