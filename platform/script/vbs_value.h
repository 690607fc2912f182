#pragma once
// The values of VBScript: a Variant holding Empty, Null, a number, a string (our bytes, UTF-8), a
// date, an object (IDispatch) or an array of Variants, with its conversions.

#include "platform/com/com.h"
#include "platform/script/vbs_error.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace pm::vbs {

class Array;

// Bounds on what a script can build: strings of 64 MB and arrays of 8M elements (error 14 "Out of
// string space" and 7 "Out of memory" beyond them), so that no script exhausts the process.
constexpr size_t kMaxStringBytes = size_t(1) << 26;
constexpr uint64_t kMaxArrayElements = uint64_t(1) << 23;
// Raises "Out of string space" when a string of that many bytes would be too long.
void checkStringSize(size_t bytes);

class Value {
public:
    Value() : m_i64(0) {}
    Value(const Value& o);
    Value(Value&& o) noexcept;
    Value& operator=(const Value& o);
    Value& operator=(Value&& o) noexcept;
    ~Value() = default;

    static Value null();
    static Value boolean(bool b);
    static Value integer(int32_t v); // VT_I2; the caller makes sure it fits
    static Value longInt(int32_t v);
    static Value byte(uint8_t v);
    static Value single(float v);
    static Value dbl(double v);
    static Value currency(int64_t scaled);
    static Value date(double serial);
    static Value string(std::string s);
    static Value object(IDispatch* p); // adds a reference; null is Nothing
    static Value array(std::shared_ptr<Array> a);
    static Value error(SCODE code);
    // The smallest integer type (Integer, Long) that holds v, else Double.
    static Value fromInt64(int64_t v, VARTYPE atLeast = VT_I2);

    VARTYPE type() const { return m_type; }
    bool isEmpty() const { return m_type == VT_EMPTY; }
    bool isNull() const { return m_type == VT_NULL; }
    bool isString() const { return m_type == VT_BSTR; }
    bool isObject() const { return m_type == VT_DISPATCH; }
    bool isArray() const { return m_type == (VT_ARRAY | VT_VARIANT); }
    // Integer, Long, Byte, Single, Double, Currency, Date or Boolean.
    bool isNumeric() const;

    int32_t intValue() const { return m_i32; } // VT_I2, VT_I4, VT_UI1, VT_ERROR
    bool boolValue() const { return m_bool; }
    double doubleValue() const { return m_double; } // VT_R8, VT_DATE
    float singleValue() const { return m_float; }
    int64_t currencyValue() const { return m_i64; }
    const std::string& str() const { return m_str; }
    std::string& mutableStr() { return m_str; }
    IDispatch* obj() const { return m_obj.get(); }
    Array* arr() const { return m_arr.get(); }
    const std::shared_ptr<Array>& arrPtr() const { return m_arr; }

private:
    // A value of type vt whose member holds v; the other members are as a new Value has them.
    template <class Member, class T> static Value make(VARTYPE vt, Member Value::*member, T v);

    VARTYPE m_type = VT_EMPTY;
    union {
        int32_t m_i32;
        bool m_bool;
        float m_float;
        double m_double;
        int64_t m_i64;
    };
    std::string m_str;
    pm::ComPtr<IDispatch> m_obj;
    std::shared_ptr<Array> m_arr;
};

// Defined here so that the interpreter's many moves and small values are inlined. Only the member
// the type uses holds anything: moves touch that one alone.
inline Value& Value::operator=(Value&& o) noexcept {
    if (this == &o) return *this;
    const bool wasString = isString(), wasObject = isObject(), wasArray = isArray();
    m_type = o.m_type;
    m_i64 = o.m_i64;
    if (isString() || wasString) m_str = std::move(o.m_str);
    if (isObject() || wasObject) m_obj = std::move(o.m_obj);
    if (isArray() || wasArray) m_arr = std::move(o.m_arr);
    o.m_type = VT_EMPTY;
    return *this;
}

inline Value::Value(Value&& o) noexcept : Value() {
    *this = std::move(o);
}

template <class Member, class T> inline Value Value::make(VARTYPE vt, Member Value::*member, T v) {
    Value out;
    out.m_type = vt;
    out.*member = std::move(v);
    return out;
}

inline Value Value::null() {
    return make(VT_NULL, &Value::m_i64, int64_t{0});
}
inline Value Value::boolean(bool b) {
    return make(VT_BOOL, &Value::m_bool, b);
}
inline Value Value::integer(int32_t i) {
    return make(VT_I2, &Value::m_i32, i);
}
inline Value Value::longInt(int32_t i) {
    return make(VT_I4, &Value::m_i32, i);
}
inline Value Value::byte(uint8_t i) {
    return make(VT_UI1, &Value::m_i32, int32_t{i});
}
inline Value Value::single(float f) {
    return make(VT_R4, &Value::m_float, f);
}
inline Value Value::dbl(double d) {
    return make(VT_R8, &Value::m_double, d);
}
inline Value Value::currency(int64_t scaled) {
    return make(VT_CY, &Value::m_i64, scaled);
}
inline Value Value::date(double serial) {
    return make(VT_DATE, &Value::m_double, serial);
}
inline Value Value::string(std::string s) {
    return make(VT_BSTR, &Value::m_str, std::move(s));
}
inline Value Value::object(IDispatch* p) {
    return make(VT_DISPATCH, &Value::m_obj, p);
}
inline Value Value::array(std::shared_ptr<Array> a) {
    return make(VT_ARRAY | VT_VARIANT, &Value::m_arr, std::move(a));
}
inline Value Value::error(SCODE code) {
    return make(VT_ERROR, &Value::m_i32, static_cast<int32_t>(code));
}

inline Value Value::fromInt64(int64_t v, VARTYPE atLeast) {
    if (atLeast == VT_UI1 && v >= 0 && v <= 255) return byte(static_cast<uint8_t>(v));
    if ((atLeast == VT_I2 || atLeast == VT_UI1) && v >= -32768 && v <= 32767)
        return integer(static_cast<int32_t>(v));
    if (v >= INT32_MIN && v <= INT32_MAX) return longInt(static_cast<int32_t>(v));
    return dbl(static_cast<double>(v));
}

// An array of Variants with up to 60 dimensions, each with its lower bound (0 for script arrays).
class Array {
public:
    struct Dim {
        int32_t lower;
        uint32_t count;
    };
    std::vector<Dim> dims;
    std::vector<Value> data;
    bool fixed = false; // declared with bounds by Dim: ReDim and Erase keep its size

    // Creates an array of the given upper bounds (-1 makes an empty dimension); error 9 or 7
    // when a bound is below -1 or the total is too large.
    static std::shared_ptr<Array> create(const std::vector<int32_t>& upperBounds);
    // The element at the indexes, or null when out of range.
    Value* at(const int32_t* indexes, size_t count);
    // Changes the upper bounds keeping the elements (only the last dimension may change).
    void resizePreserve(const std::vector<int32_t>& upperBounds);
};

// The default value (DISPID_VALUE get) of an object; error 424/438 when it has none.
Value defaultValueOf(IDispatch* obj);

// Conversions with VBScript's rules; each throws ScriptError on failure.
bool toBool(const Value& v);
double toDouble(const Value& v);
int32_t toLong(const Value& v);    // rounds half to even; error 6 out of range
int32_t toInteger(const Value& v); // Integer range
std::string toStr(const Value& v);
Value toDateValue(const Value& v); // error 13 when no date
// A number for arithmetic: strings become Double, Empty Integer 0, Boolean Integer.
Value toNumeric(const Value& v);
// Parses a numeric text the way CDbl does.
bool looksNumeric(const Value& v);

// VARIANT bridge. fromVariant dereferences VT_BYREF; toVariant makes an owned copy.
Value fromVariant(const VARIANT& v);
void toVariant(const Value& v, VARIANT& out);

// The names TypeName gives.
std::string typeNameOf(const Value& v);

// UTF-8 text helpers: characters, not bytes, are counted.
size_t charCount(const std::string& s);
size_t byteOffset(const std::string& s, size_t chars); // clamps to the end
std::string upperCase(const std::string& s);
std::string lowerCase(const std::string& s);

} // namespace pm::vbs
