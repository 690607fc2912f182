// Operators on Variants.

#include "platform/script/vbs_ops.h"

#include <cmath>

namespace pm::vbs {

namespace {

// Rank of a numeric type for the result of + - *: Byte < Integer < Long < Single < Double, with
// Currency and Date apart.
int rank(VARTYPE t) {
    switch (t) {
    case VT_UI1:
        return 1;
    case VT_I2:
        return 2;
    case VT_I4:
        return 3;
    case VT_R4:
        return 4;
    case VT_R8:
        return 5;
    case VT_CY:
        return 6;
    case VT_DATE:
        return 7;
    default:
        return 5;
    }
}

bool isIntegral(VARTYPE t) {
    return t == VT_UI1 || t == VT_I2 || t == VT_I4;
}

Value deref(const Value& v) {
    return v.isObject() ? defaultValueOf(v.obj()) : v;
}

int64_t toInt64(const Value& n) {
    if (isIntegral(n.type())) return n.intValue();
    return toLong(n);
}

Value arithmetic(Op op, const Value& a0, const Value& b0) {
    if (a0.isNull() || b0.isNull()) return Value::null();
    Value a = toNumeric(a0), b = toNumeric(b0);
    VARTYPE ta = a.type(), tb = b.type();
    if (isIntegral(ta) && isIntegral(tb)) {
        int64_t x = a.intValue(), y = b.intValue();
        int64_t r = op == Op::Add ? x + y : op == Op::Sub ? x - y : x * y;
        VARTYPE at = rank(ta) > rank(tb) ? ta : tb;
        return Value::fromInt64(r, at);
    }
    double x = toDouble(a), y = toDouble(b);
    double r = op == Op::Add ? x + y : op == Op::Sub ? x - y : x * y;
    bool dateA = ta == VT_DATE, dateB = tb == VT_DATE;
    if ((dateA || dateB) && op != Op::Mul && !(dateA && dateB && op == Op::Sub)) {
        if (r < -657434.0 || r >= 2958466.0) throw ScriptError(kOverflow);
        return Value::date(r);
    }
    if (ta == VT_CY || tb == VT_CY) {
        if (ta != VT_R8 && tb != VT_R8 && ta != VT_R4 && tb != VT_R4) {
            double scaled = std::nearbyint(r * 10000.0);
            if (std::fabs(scaled) > 9.2e18) throw ScriptError(kOverflow);
            return Value::currency(static_cast<int64_t>(scaled));
        }
    }
    if (!std::isfinite(r)) throw ScriptError(kOverflow);
    bool single = (ta == VT_R4 || tb == VT_R4) && ta != VT_R8 && tb != VT_R8 && ta != VT_I4 && tb != VT_I4 &&
                  ta != VT_CY && tb != VT_CY && ta != VT_DATE && tb != VT_DATE;
    if (single && std::fabs(r) <= 3.402823466e38) return Value::single(static_cast<float>(r));
    return Value::dbl(r);
}

Value integerDivision(Op op, const Value& a0, const Value& b0) {
    if (a0.isNull() || b0.isNull()) return Value::null();
    Value a = toNumeric(a0), b = toNumeric(b0);
    int64_t x = toInt64(a), y = toInt64(b);
    if (y == 0) throw ScriptError(kDivisionByZero);
    int64_t r = op == Op::IntDiv ? x / y : x % y;
    VARTYPE at = VT_I4;
    if (isIntegral(a.type()) && isIntegral(b.type()))
        at = rank(a.type()) > rank(b.type()) ? a.type() : b.type();
    return Value::fromInt64(r, at);
}

Value division(const Value& a, const Value& b) {
    if (a.isNull() || b.isNull()) return Value::null();
    double x = toDouble(a), y = toDouble(b);
    if (y == 0) throw ScriptError(x == 0 ? kOverflow : kDivisionByZero);
    double r = x / y;
    if (!std::isfinite(r)) throw ScriptError(kOverflow);
    return Value::dbl(r);
}

Value power(const Value& a, const Value& b) {
    if (a.isNull() || b.isNull()) return Value::null();
    double x = toDouble(a), y = toDouble(b);
    if (x == 0 && y < 0) throw ScriptError(kInvalidCall);
    double r = std::pow(x, y);
    if (std::isnan(r)) throw ScriptError(kInvalidCall);
    if (!std::isfinite(r)) throw ScriptError(kOverflow);
    return Value::dbl(r);
}

Value concat(const Value& a, const Value& b) {
    if (a.isNull() && b.isNull()) return Value::null();
    std::string s = a.isNull() ? std::string() : toStr(a);
    if (!b.isNull()) {
        std::string tail = toStr(b);
        checkStringSize(s.size() + tail.size());
        s += tail;
    }
    return Value::string(std::move(s));
}

// Logical and bitwise operators: Booleans give Booleans, other values 32-bit (or 16-bit) integers.
Value logical(Op op, const Value& a0, const Value& b0) {
    Value a = deref(a0), b = deref(b0);
    bool nullA = a.isNull(), nullB = b.isNull();
    if (nullA || nullB) {
        // Null propagates except where the other operand decides the result.
        const Value& other = nullA ? b : a;
        if (nullA && nullB) return Value::null();
        bool known = toBool(other);
        if (op == Op::And && !known) return Value::boolean(false);
        if (op == Op::Or && known) return Value::boolean(true);
        if (op == Op::Imp && nullA && known) return Value::boolean(true);
        return Value::null();
    }
    if (a.type() == VT_BOOL && b.type() == VT_BOOL) {
        bool x = a.boolValue(), y = b.boolValue();
        switch (op) {
        case Op::And:
            return Value::boolean(x && y);
        case Op::Or:
            return Value::boolean(x || y);
        case Op::Xor:
            return Value::boolean(x != y);
        case Op::Eqv:
            return Value::boolean(x == y);
        default:
            return Value::boolean(!x || y);
        }
    }
    Value na = toNumeric(a), nb = toNumeric(b);
    int32_t x = toLong(na), y = toLong(nb);
    int32_t r;
    switch (op) {
    case Op::And:
        r = x & y;
        break;
    case Op::Or:
        r = x | y;
        break;
    case Op::Xor:
        r = x ^ y;
        break;
    case Op::Eqv:
        r = ~(x ^ y);
        break;
    default:
        r = ~x | y;
        break;
    }
    bool small = rank(na.type()) <= 2 && rank(nb.type()) <= 2;
    return small ? Value::integer(static_cast<int16_t>(r)) : Value::longInt(r);
}

// The Boolean of a comparison operator from -1, 0 or 1.
Value comparisonResult(Op op, int c) {
    switch (op) {
    case Op::Eq:
        return Value::boolean(c == 0);
    case Op::Ne:
        return Value::boolean(c != 0);
    case Op::Lt:
        return Value::boolean(c < 0);
    case Op::Gt:
        return Value::boolean(c > 0);
    case Op::Le:
        return Value::boolean(c <= 0);
    default:
        return Value::boolean(c >= 0);
    }
}

Value comparison(Op op, const Value& a0, const Value& b0) {
    Value a = deref(a0), b = deref(b0);
    if (a.isNull() || b.isNull()) return Value::null();
    return comparisonResult(op, compareValues(a, b, false));
}

bool isComparison(Op op) {
    return op >= Op::Eq && op <= Op::Ge;
}

// Byte, Integer, Long and Double: the operands of the common cases that need no conversion.
bool isPlainNumber(VARTYPE t) {
    return isIntegral(t) || t == VT_R8;
}

// Whether the operator on two plain numbers has a form without conversions.
bool hasPlainForm(Op op, VARTYPE ta, VARTYPE tb) {
    switch (op) {
    case Op::Add:
    case Op::Sub:
    case Op::Mul:
        return true;
    case Op::IntDiv:
    case Op::Mod:
        return isIntegral(ta) && isIntegral(tb);
    default:
        return isComparison(op);
    }
}

// What arithmetic, integerDivision and comparison give for two plain numbers, without copying
// the operands.
Value plainNumberOp(Op op, const Value& a, const Value& b) {
    VARTYPE ta = a.type(), tb = b.type();
    if (isIntegral(ta) && isIntegral(tb) && !isComparison(op)) {
        int64_t x = a.intValue(), y = b.intValue();
        VARTYPE wider = rank(ta) > rank(tb) ? ta : tb;
        switch (op) {
        case Op::Add:
            return Value::fromInt64(x + y, wider);
        case Op::Sub:
            return Value::fromInt64(x - y, wider);
        case Op::Mul:
            return Value::fromInt64(x * y, wider);
        default:
            if (y == 0) throw ScriptError(kDivisionByZero);
            return Value::fromInt64(op == Op::IntDiv ? x / y : x % y, wider);
        }
    }
    double x = isIntegral(ta) ? a.intValue() : a.doubleValue();
    double y = isIntegral(tb) ? b.intValue() : b.doubleValue();
    if (isComparison(op)) return comparisonResult(op, x < y ? -1 : x > y ? 1 : 0);
    double r = op == Op::Add ? x + y : op == Op::Sub ? x - y : x * y;
    if (!std::isfinite(r)) throw ScriptError(kOverflow);
    return Value::dbl(r);
}

} // namespace

int compareText(const std::string& a, const std::string& b, bool textCompare) {
    if (!textCompare) {
        int c = a.compare(b);
        return c < 0 ? -1 : c > 0 ? 1 : 0;
    }
    std::string x = lowerCase(a), y = lowerCase(b);
    int c = x.compare(y);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

int compareValues(const Value& a0, const Value& b0, bool textCompare) {
    Value a = deref(a0), b = deref(b0);
    if (a.isArray() || b.isArray()) throw ScriptError(kTypeMismatch);
    bool strA = a.isString(), strB = b.isString();
    if (strA && strB) return compareText(a.str(), b.str(), textCompare);
    if (strA && b.isEmpty()) return compareText(a.str(), std::string(), false);
    if (strB && a.isEmpty()) return compareText(std::string(), b.str(), false);
    // A number is less than a string.
    if (strA) return 1;
    if (strB) return -1;
    double x = toDouble(a), y = toDouble(b);
    return x < y ? -1 : x > y ? 1 : 0;
}

bool sameObject(const Value& a, const Value& b) {
    if (!a.isObject() || !b.isObject()) throw ScriptError(kObjectRequired);
    if (!a.obj() || !b.obj()) return a.obj() == b.obj();
    pm::ComPtr<IUnknown> x, y;
    a.obj()->QueryInterface(IID_IUnknown, x.putVoid());
    b.obj()->QueryInterface(IID_IUnknown, y.putVoid());
    return x.get() == y.get();
}

Value binaryOp(Op op, const Value& a, const Value& b) {
    if (isPlainNumber(a.type()) && isPlainNumber(b.type()) && hasPlainForm(op, a.type(), b.type()))
        return plainNumberOp(op, a, b);
    switch (op) {
    case Op::Add:
        if (a.isString() && b.isString()) {
            checkStringSize(a.str().size() + b.str().size());
            return Value::string(a.str() + b.str());
        }
        if ((a.isString() && b.isEmpty()) || (a.isEmpty() && b.isString()))
            return Value::string(a.isString() ? a.str() : b.str());
        return arithmetic(op, deref(a), deref(b));
    case Op::Sub:
    case Op::Mul:
        return arithmetic(op, deref(a), deref(b));
    case Op::Div:
        return division(deref(a), deref(b));
    case Op::IntDiv:
    case Op::Mod:
        return integerDivision(op, deref(a), deref(b));
    case Op::Pow:
        return power(deref(a), deref(b));
    case Op::Concat:
        return concat(a, b);
    case Op::Is:
        return Value::boolean(sameObject(a, b));
    case Op::Eq:
    case Op::Ne:
    case Op::Lt:
    case Op::Gt:
    case Op::Le:
    case Op::Ge:
        return comparison(op, a, b);
    default:
        return logical(op, a, b);
    }
}

Value unaryOp(Op op, const Value& a0) {
    Value a = deref(a0);
    if (a.isNull()) return Value::null();
    if (op == Op::Not) {
        if (a.type() == VT_BOOL) return Value::boolean(!a.boolValue());
        Value n = toNumeric(a);
        int32_t r = ~toLong(n);
        return rank(n.type()) <= 2 ? Value::integer(static_cast<int16_t>(r)) : Value::longInt(r);
    }
    Value n = toNumeric(a);
    switch (n.type()) {
    case VT_UI1:
    case VT_I2:
        return Value::fromInt64(-static_cast<int64_t>(n.intValue()), VT_I2);
    case VT_I4:
        return Value::fromInt64(-static_cast<int64_t>(n.intValue()), VT_I4);
    case VT_R4:
        return Value::single(-n.singleValue());
    case VT_CY:
        return Value::currency(-n.currencyValue());
    case VT_DATE:
        return Value::date(-n.doubleValue());
    default:
        return Value::dbl(-toDouble(n));
    }
}

} // namespace pm::vbs
