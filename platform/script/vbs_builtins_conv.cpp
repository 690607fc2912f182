// Conversion, math and inspection builtins.

#include "platform/script/vbs_builtins.h"
#include "platform/script/vbs_runtime.h"

#include <cmath>

namespace pm::vbs {

namespace {

Value cBool(Runtime&, std::vector<Value>& a) {
    if (a[0].isNull()) throw ScriptError(kInvalidUseOfNull);
    return Value::boolean(toBool(a[0]));
}

Value cByte(Runtime&, std::vector<Value>& a) {
    int32_t n = toLong(a[0]);
    if (n < 0 || n > 255) throw ScriptError(kOverflow);
    return Value::byte(static_cast<uint8_t>(n));
}

Value cCur(Runtime&, std::vector<Value>& a) {
    double v = std::nearbyint(toDouble(a[0]) * 10000.0);
    if (std::fabs(v) > 9.2e18) throw ScriptError(kOverflow);
    return Value::currency(static_cast<int64_t>(v));
}

Value cDate(Runtime&, std::vector<Value>& a) {
    if (a[0].isNull()) throw ScriptError(kInvalidUseOfNull);
    return toDateValue(a[0]);
}

Value cDbl(Runtime&, std::vector<Value>& a) {
    return Value::dbl(toDouble(a[0]));
}
Value cInt(Runtime&, std::vector<Value>& a) {
    return Value::integer(toInteger(a[0]));
}
Value cLng(Runtime&, std::vector<Value>& a) {
    return Value::longInt(toLong(a[0]));
}

Value cSng(Runtime&, std::vector<Value>& a) {
    double d = toDouble(a[0]);
    if (std::fabs(d) > 3.402823466e38) throw ScriptError(kOverflow);
    return Value::single(static_cast<float>(d));
}

Value cStr(Runtime&, std::vector<Value>& a) {
    return Value::string(toStr(a[0]));
}

// Applies f to a number keeping integer types where the result fits.
template <class F> Value keepType(const Value& v, F f) {
    if (v.isNull()) return Value::null();
    Value n = toNumeric(v);
    switch (n.type()) {
    case VT_UI1:
    case VT_I2:
        return Value::fromInt64(static_cast<int64_t>(f(static_cast<double>(n.intValue()))), VT_I2);
    case VT_I4:
        return Value::fromInt64(static_cast<int64_t>(f(static_cast<double>(n.intValue()))), VT_I4);
    case VT_R4:
        return Value::single(static_cast<float>(f(n.singleValue())));
    case VT_CY:
        return Value::currency(
            static_cast<int64_t>(f(static_cast<double>(n.currencyValue()) / 10000.0) * 10000.0));
    case VT_DATE:
        return Value::date(f(n.doubleValue()));
    default:
        return Value::dbl(f(toDouble(n)));
    }
}

Value absOf(Runtime&, std::vector<Value>& a) {
    return keepType(a[0], [](double x) { return std::fabs(x); });
}
Value intOf(Runtime&, std::vector<Value>& a) {
    return keepType(a[0], [](double x) { return std::floor(x); });
}
Value fixOf(Runtime&, std::vector<Value>& a) {
    return keepType(a[0], [](double x) { return std::trunc(x); });
}

Value sgn(Runtime&, std::vector<Value>& a) {
    if (a[0].isNull()) return Value::null();
    double d = toDouble(a[0]);
    return Value::integer(d > 0 ? 1 : d < 0 ? -1 : 0);
}

Value round(Runtime&, std::vector<Value>& a) {
    if (a[0].isNull()) return Value::null();
    int32_t places = optionalLong(a, 1, 0);
    if (places < 0) throw ScriptError(kInvalidCall);
    Value n = toNumeric(a[0]);
    if (n.type() == VT_I2 || n.type() == VT_I4 || n.type() == VT_UI1) return n;
    double scale = std::pow(10.0, std::min(places, 22));
    double r = std::nearbyint(toDouble(n) * scale) / scale;
    if (n.type() == VT_R4) return Value::single(static_cast<float>(r));
    return Value::dbl(r);
}

template <double (*F)(double)> Value math(Runtime&, std::vector<Value>& a) {
    if (a[0].isNull()) return Value::null();
    double r = F(toDouble(a[0]));
    if (!std::isfinite(r)) throw ScriptError(kOverflow);
    return Value::dbl(r);
}

double atnOf(double x) {
    return std::atan(x);
}
double cosOf(double x) {
    return std::cos(x);
}
double sinOf(double x) {
    return std::sin(x);
}
double tanOf(double x) {
    return std::tan(x);
}
double expOf(double x) {
    return std::exp(x);
}

Value logOf(Runtime&, std::vector<Value>& a) {
    if (a[0].isNull()) return Value::null();
    double x = toDouble(a[0]);
    if (x <= 0) throw ScriptError(kInvalidCall);
    return Value::dbl(std::log(x));
}

Value sqr(Runtime&, std::vector<Value>& a) {
    if (a[0].isNull()) return Value::null();
    double x = toDouble(a[0]);
    if (x < 0) throw ScriptError(kInvalidCall);
    return Value::dbl(std::sqrt(x));
}

Value isDate(Runtime&, std::vector<Value>& a) {
    if (a[0].type() == VT_DATE) return Value::boolean(true);
    DATE d;
    return Value::boolean(a[0].isString() && parseDate(a[0].str(), d));
}

Value isEmpty(Runtime&, std::vector<Value>& a) {
    return Value::boolean(a[0].isEmpty());
}
Value isNull(Runtime&, std::vector<Value>& a) {
    return Value::boolean(a[0].isNull());
}

Value isNumeric(Runtime&, std::vector<Value>& a) {
    return Value::boolean(a[0].type() != VT_DATE && looksNumeric(a[0]));
}

} // namespace

const std::vector<Builtin>& conversionBuiltins() {
    static const std::vector<Builtin> table = {
        {"cbool", 1, 1, cBool},
        {"cbyte", 1, 1, cByte},
        {"ccur", 1, 1, cCur},
        {"cdate", 1, 1, cDate},
        {"cdbl", 1, 1, cDbl},
        {"cint", 1, 1, cInt},
        {"clng", 1, 1, cLng},
        {"csng", 1, 1, cSng},
        {"cstr", 1, 1, cStr},
        {"abs", 1, 1, absOf},
        {"int", 1, 1, intOf},
        {"fix", 1, 1, fixOf},
        {"sgn", 1, 1, sgn},
        {"round", 1, 2, round},
        {"atn", 1, 1, math<atnOf>},
        {"cos", 1, 1, math<cosOf>},
        {"sin", 1, 1, math<sinOf>},
        {"tan", 1, 1, math<tanOf>},
        {"exp", 1, 1, math<expOf>},
        {"log", 1, 1, logOf},
        {"sqr", 1, 1, sqr},
        {"isdate", 1, 1, isDate},
        {"isempty", 1, 1, isEmpty},
        {"isnull", 1, 1, isNull},
        {"isnumeric", 1, 1, isNumeric},
    };
    return table;
}

} // namespace pm::vbs
