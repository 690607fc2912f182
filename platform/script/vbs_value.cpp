// Variant values, their conversions and the bridge to VARIANT.

#include "platform/script/vbs_value.h"
#include "platform/script/vbs_auto_object.h"

#include "platform/win/utf8.h"

#include <cmath>
#include <cstring>

namespace pm::vbs {

// Only the member that the type uses holds anything: copies and moves touch that one alone.
Value::Value(const Value& o) : m_type(o.m_type), m_i64(o.m_i64) {
    if (o.isString()) m_str = o.m_str;
    if (o.isObject()) m_obj = o.m_obj;
    if (o.isArray() && o.m_arr) m_arr = std::make_shared<Array>(*o.m_arr);
}

Value& Value::operator=(const Value& o) {
    if (this != &o) *this = Value(o);
    return *this;
}

bool Value::isNumeric() const {
    switch (m_type) {
    case VT_I2:
    case VT_I4:
    case VT_UI1:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_BOOL:
        return true;
    default:
        return false;
    }
}

std::shared_ptr<Array> Array::create(const std::vector<int32_t>& upperBounds) {
    auto a = std::make_shared<Array>();
    uint64_t total = 1;
    for (int32_t ub : upperBounds) {
        if (ub < -1) throw ScriptError(kSubscriptOutOfRange);
        uint32_t count = static_cast<uint32_t>(static_cast<int64_t>(ub) + 1);
        total *= count;
        if (total > kMaxArrayElements) throw ScriptError(kOutOfMemory);
        a->dims.push_back({0, count});
    }
    a->data.resize(static_cast<size_t>(total));
    return a;
}

Value* Array::at(const int32_t* indexes, size_t count) {
    if (count != dims.size()) return nullptr;
    size_t offset = 0;
    for (size_t d = 0; d < count; ++d) {
        int64_t rel = static_cast<int64_t>(indexes[d]) - dims[d].lower;
        if (rel < 0 || rel >= dims[d].count) return nullptr;
        offset = offset * dims[d].count + static_cast<size_t>(rel);
    }
    return &data[offset];
}

void Array::resizePreserve(const std::vector<int32_t>& upperBounds) {
    if (upperBounds.size() != dims.size()) throw ScriptError(kSubscriptOutOfRange);
    for (size_t d = 0; d + 1 < dims.size(); ++d)
        if (static_cast<int64_t>(upperBounds[d]) + 1 - dims[d].lower != dims[d].count)
            throw ScriptError(kSubscriptOutOfRange);
    int64_t lastCount = static_cast<int64_t>(upperBounds.back()) + 1 - dims.back().lower;
    if (lastCount < 0) throw ScriptError(kSubscriptOutOfRange);
    uint64_t outer = 1;
    for (size_t d = 0; d + 1 < dims.size(); ++d)
        outer *= dims[d].count;
    if (outer * static_cast<uint64_t>(lastCount) > kMaxArrayElements) throw ScriptError(kOutOfMemory);
    // The last dimension varies fastest: copy each row of the old layout into the new one.
    uint32_t oldCount = dims.back().count;
    std::vector<Value> fresh(static_cast<size_t>(outer * lastCount));
    for (uint64_t row = 0; row < outer; ++row)
        for (int64_t k = 0; k < std::min<int64_t>(oldCount, lastCount); ++k)
            fresh[row * lastCount + k] = std::move(data[row * oldCount + k]);
    data = std::move(fresh);
    dims.back().count = static_cast<uint32_t>(lastCount);
}

void checkStringSize(size_t bytes) {
    if (bytes > kMaxStringBytes) throw ScriptError(14);
}

Value defaultValueOf(IDispatch* obj) {
    if (!obj) throw ScriptError(kObjectNotSet);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT result;
    VariantInit(&result);
    HRESULT hr = obj->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT,
                             DISPATCH_PROPERTYGET | DISPATCH_METHOD, &none, &result, nullptr, nullptr);
    if (FAILED(hr)) throw ScriptError(kNoSuchMember);
    Value v = fromVariant(result);
    VariantClear(&result);
    if (v.isObject()) throw ScriptError(kTypeMismatch);
    return v;
}

namespace {

bool equalsNoCase(const std::string& a, const char* b) {
    size_t n = std::strlen(b);
    if (a.size() != n) return false;
    for (size_t i = 0; i < n; ++i) {
        char c = a[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        if (c != b[i]) return false;
    }
    return true;
}

// Trims blanks, then reads "True"/"False" as -1/0.
bool boolText(const std::string& s, bool& out) {
    size_t b = s.find_first_not_of(" \t"), e = s.find_last_not_of(" \t");
    if (b == std::string::npos) return false;
    std::string t = s.substr(b, e - b + 1);
    if (equalsNoCase(t, "true")) return out = true, true;
    if (equalsNoCase(t, "false")) return out = false, true;
    return false;
}

} // namespace

Value toNumeric(const Value& v) {
    switch (v.type()) {
    case VT_EMPTY:
        return Value::integer(0);
    case VT_BOOL:
        return Value::integer(v.boolValue() ? -1 : 0);
    case VT_I2:
    case VT_I4:
    case VT_UI1:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
        return v;
    case VT_BSTR: {
        double d;
        if (parseNumber(v.str(), d)) return Value::dbl(d);
        bool b;
        if (boolText(v.str(), b)) return Value::integer(b ? -1 : 0);
        throw ScriptError(kTypeMismatch);
    }
    case VT_NULL:
        throw ScriptError(kInvalidUseOfNull);
    case VT_DISPATCH:
        return toNumeric(defaultValueOf(v.obj()));
    case VT_ERROR:
        return Value::longInt(v.intValue());
    default:
        throw ScriptError(kTypeMismatch);
    }
}

bool looksNumeric(const Value& v) {
    if (v.isNumeric() || v.isEmpty()) return true;
    if (!v.isString()) return false;
    double d;
    return parseNumber(v.str(), d);
}

double toDouble(const Value& v) {
    Value n = toNumeric(v);
    switch (n.type()) {
    case VT_I2:
    case VT_I4:
    case VT_UI1:
        return n.intValue();
    case VT_R4:
        return n.singleValue();
    case VT_R8:
    case VT_DATE:
        return n.doubleValue();
    case VT_CY:
        return static_cast<double>(n.currencyValue()) / 10000.0;
    default:
        throw ScriptError(kTypeMismatch);
    }
}

bool toBool(const Value& v) {
    switch (v.type()) {
    case VT_BOOL:
        return v.boolValue();
    case VT_EMPTY:
        return false;
    case VT_I2:
    case VT_I4:
    case VT_UI1:
        return v.intValue() != 0;
    case VT_BSTR: {
        bool b;
        if (boolText(v.str(), b)) return b;
        double d;
        if (parseNumber(v.str(), d)) return d != 0;
        throw ScriptError(kTypeMismatch);
    }
    default:
        return toDouble(v) != 0;
    }
}

int32_t toLong(const Value& v) {
    if (v.type() == VT_I2 || v.type() == VT_I4 || v.type() == VT_UI1) return v.intValue();
    double d = std::nearbyint(toDouble(v));
    if (!(d >= -2147483648.0 && d <= 2147483647.0)) throw ScriptError(kOverflow);
    return static_cast<int32_t>(d);
}

int32_t toInteger(const Value& v) {
    int32_t n = toLong(v);
    if (n < -32768 || n > 32767) throw ScriptError(kOverflow);
    return n;
}

std::string toStr(const Value& v) {
    switch (v.type()) {
    case VT_BSTR:
        return v.str();
    case VT_EMPTY:
        return std::string();
    case VT_NULL:
        throw ScriptError(kInvalidUseOfNull);
    case VT_BOOL:
        return v.boolValue() ? "True" : "False";
    case VT_I2:
    case VT_I4:
    case VT_UI1:
        return std::to_string(v.intValue());
    case VT_R4:
        return formatDouble(v.singleValue(), 7);
    case VT_R8:
        return formatDouble(v.doubleValue());
    case VT_CY:
        return formatCurrency(v.currencyValue());
    case VT_DATE:
        return formatDate(v.doubleValue());
    case VT_ERROR:
        return "Error " + std::to_string(errorNumberOf(v.intValue()));
    case VT_DISPATCH:
        return toStr(defaultValueOf(v.obj()));
    default:
        throw ScriptError(kTypeMismatch);
    }
}

Value toDateValue(const Value& v) {
    if (v.type() == VT_DATE) return v;
    if (v.isString()) {
        DATE d;
        if (parseDate(v.str(), d)) return Value::date(d);
        double n;
        if (parseNumber(v.str(), n)) return Value::date(n);
        throw ScriptError(kTypeMismatch);
    }
    double d = toDouble(v);
    if (d < -657434.0 || d >= 2958466.0) throw ScriptError(kOverflow);
    return Value::date(d);
}

namespace {

Value arrayFromSafeArray(SAFEARRAY* sa, VARTYPE elementVt) {
    auto a = std::make_shared<Array>();
    if (!sa) return Value::array(a);
    UINT dims = SafeArrayGetDim(sa);
    uint64_t total = 1;
    for (UINT d = 1; d <= dims; ++d) {
        LONG lo = 0, hi = -1;
        SafeArrayGetLBound(sa, d, &lo);
        SafeArrayGetUBound(sa, d, &hi);
        uint32_t count = static_cast<uint32_t>(std::max<int64_t>(0, static_cast<int64_t>(hi) - lo + 1));
        a->dims.push_back({lo, count});
        total *= count;
    }
    if (total > kMaxArrayElements) throw ScriptError(kOutOfMemory);
    a->data.resize(static_cast<size_t>(total));
    std::vector<LONG> idx(dims);
    for (uint64_t i = 0; i < total; ++i) {
        uint64_t rest = i;
        for (UINT d = dims; d-- > 0;) {
            idx[d] = a->dims[d].lower + static_cast<LONG>(rest % a->dims[d].count);
            rest /= a->dims[d].count;
        }
        VARIANT element;
        VariantInit(&element);
        if (elementVt == VT_VARIANT) {
            SafeArrayGetElement(sa, idx.data(), &element);
        } else {
            element.vt = elementVt;
            SafeArrayGetElement(sa, idx.data(), &element.llVal);
        }
        a->data[static_cast<size_t>(i)] = fromVariant(element);
        VariantClear(&element);
    }
    return Value::array(a);
}

SAFEARRAY* safeArrayFrom(const Array& a) {
    std::vector<SAFEARRAYBOUND> bounds;
    for (const auto& d : a.dims)
        bounds.push_back({d.count, d.lower});
    if (bounds.empty()) bounds.push_back({0, 0});
    SAFEARRAY* sa = SafeArrayCreate(VT_VARIANT, static_cast<UINT>(bounds.size()), bounds.data());
    if (!sa) throw ScriptError(kOutOfMemory);
    auto* cells = static_cast<VARIANT*>(sa->pvData);
    for (size_t i = 0; i < a.data.size(); ++i)
        toVariant(a.data[i], cells[i]);
    return sa;
}

} // namespace

Value fromVariant(const VARIANT& in) {
    const VARIANT* v = &in;
    while (v->vt == (VT_VARIANT | VT_BYREF) && v->pvarVal)
        v = v->pvarVal;
    if (v->vt & VT_BYREF) {
        VARIANT plain;
        VariantInit(&plain); // VariantCopyInd clears its destination first
        if (FAILED(VariantCopyInd(&plain, v))) throw ScriptError(458);
        Value r = fromVariant(plain);
        VariantClear(&plain);
        return r;
    }
    if (v->vt & VT_ARRAY) return arrayFromSafeArray(v->parray, v->vt & VT_TYPEMASK);
    switch (v->vt) {
    case VT_EMPTY:
        return Value();
    case VT_NULL:
        return Value::null();
    case VT_I2:
        return Value::integer(v->iVal);
    case VT_I4:
    case VT_INT:
        return Value::longInt(v->lVal);
    case VT_UI1:
        return Value::byte(v->bVal);
    case VT_I1:
        return Value::integer(v->cVal);
    case VT_UI2:
        return Value::longInt(v->uiVal);
    case VT_UI4:
    case VT_UINT:
        return Value::fromInt64(v->ulVal, VT_I4);
    case VT_I8:
        return Value::fromInt64(v->llVal, VT_I4);
    case VT_UI8:
        return Value::dbl(static_cast<double>(v->ullVal));
    case VT_R4:
        return Value::single(v->fltVal);
    case VT_R8:
        return Value::dbl(v->dblVal);
    case VT_CY:
        return Value::currency(v->cyVal.int64);
    case VT_DATE:
        return Value::date(v->date);
    case VT_BSTR:
        return Value::string(fromBstr(v->bstrVal));
    case VT_BOOL:
        return Value::boolean(v->boolVal != 0);
    case VT_ERROR:
        return Value::error(v->scode);
    case VT_DISPATCH:
        return Value::object(v->pdispVal);
    case VT_UNKNOWN: {
        pm::ComPtr<IDispatch> d;
        if (v->punkVal) v->punkVal->QueryInterface(IID_IDispatch, d.putVoid());
        return Value::object(d.get());
    }
    default:
        throw ScriptError(458);
    }
}

void toVariant(const Value& v, VARIANT& out) {
    VariantInit(&out);
    switch (v.type()) {
    case VT_EMPTY:
        break;
    case VT_NULL:
        out.vt = VT_NULL;
        break;
    case VT_I2:
        out.vt = VT_I2, out.iVal = static_cast<SHORT>(v.intValue());
        break;
    case VT_I4:
        out.vt = VT_I4, out.lVal = v.intValue();
        break;
    case VT_UI1:
        out.vt = VT_UI1, out.bVal = static_cast<BYTE>(v.intValue());
        break;
    case VT_R4:
        out.vt = VT_R4, out.fltVal = v.singleValue();
        break;
    case VT_R8:
        out.vt = VT_R8, out.dblVal = v.doubleValue();
        break;
    case VT_DATE:
        out.vt = VT_DATE, out.date = v.doubleValue();
        break;
    case VT_CY:
        out.vt = VT_CY, out.cyVal.int64 = v.currencyValue();
        break;
    case VT_BOOL:
        out.vt = VT_BOOL, out.boolVal = v.boolValue() ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    case VT_ERROR:
        out.vt = VT_ERROR, out.scode = v.intValue();
        break;
    case VT_BSTR:
        out.vt = VT_BSTR, out.bstrVal = toBstr(v.str());
        break;
    case VT_DISPATCH:
        out.vt = VT_DISPATCH;
        out.pdispVal = v.obj();
        if (out.pdispVal) out.pdispVal->AddRef();
        break;
    default:
        if (v.isArray()) {
            out.parray = safeArrayFrom(*v.arr());
            out.vt = VT_ARRAY | VT_VARIANT;
        }
        break;
    }
}

std::string typeNameOf(const Value& v) {
    switch (v.type()) {
    case VT_EMPTY:
        return "Empty";
    case VT_NULL:
        return "Null";
    case VT_I2:
        return "Integer";
    case VT_I4:
        return "Long";
    case VT_UI1:
        return "Byte";
    case VT_R4:
        return "Single";
    case VT_R8:
        return "Double";
    case VT_CY:
        return "Currency";
    case VT_DATE:
        return "Date";
    case VT_BSTR:
        return "String";
    case VT_BOOL:
        return "Boolean";
    case VT_ERROR:
        return "Error";
    case VT_DISPATCH: {
        if (!v.obj()) return "Nothing";
        if (auto* own = dynamic_cast<AutoObject*>(v.obj())) return own->typeName();
        pm::ComPtr<ITypeInfo> info;
        if (SUCCEEDED(v.obj()->GetTypeInfo(0, 0, info.put())) && info) {
            BSTR name = nullptr;
            if (SUCCEEDED(info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr))) {
                std::string n = fromBstr(name);
                SysFreeString(name);
                if (!n.empty()) return n;
            }
        }
        return "Object";
    }
    default:
        return v.isArray() ? "Variant()" : "Unknown";
    }
}

size_t charCount(const std::string& s) {
    size_t n = 0;
    for (unsigned char c : s)
        n += !pm::utf8::isContinuation(c);
    return n;
}

size_t byteOffset(const std::string& s, size_t chars) {
    size_t i = 0;
    while (i < s.size() && chars > 0) {
        ++i;
        while (i < s.size() && pm::utf8::isContinuation(static_cast<unsigned char>(s[i])))
            ++i;
        --chars;
    }
    return i;
}

namespace {

// In Latin Extended-A the capital is the even code, except in two runs where it is the odd one.
bool oddCapitals(char16_t c) {
    return (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
}

char16_t mapCase(char16_t c, bool upper) {
    if (upper) {
        if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 32;
        if (c == 0xFF) return 0x178;
        if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149)
            return !oddCapitals(c) ? (c & ~1) : (c % 2 == 0 ? c - 1 : c);
        if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return c - 32;
        if (c >= 0x430 && c <= 0x44F) return c - 32;
        if (c >= 0x450 && c <= 0x45F) return c - 80;
        return c;
    }
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32;
    if (c == 0x178) return 0xFF;
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149)
        return !oddCapitals(c) ? (c | 1) : (c % 2 == 1 ? c + 1 : c);
    if (c >= 0x391 && c <= 0x3A9) return c + 32;
    if (c >= 0x410 && c <= 0x42F) return c + 32;
    if (c >= 0x400 && c <= 0x40F) return c + 80;
    return c;
}

std::string changeCase(const std::string& s, bool upper) {
    bool ascii = true;
    for (unsigned char c : s)
        ascii = ascii && c < 0x80;
    if (ascii) {
        std::string out = s;
        for (char& c : out) {
            if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
            if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        }
        return out;
    }
    std::u16string w = toUtf16(s);
    for (char16_t& c : w)
        c = mapCase(c, upper);
    return toBytes(w);
}

} // namespace

std::string upperCase(const std::string& s) {
    return changeCase(s, true);
}
std::string lowerCase(const std::string& s) {
    return changeCase(s, false);
}

} // namespace pm::vbs
