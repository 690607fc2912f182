// VARIANT life cycle and conversions, with number texts in the layer's fixed locale.

#include "platform/com/oleauto.h"
#include "platform/com/comptr.h"
#include "platform/com/vardate.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace pm {

std::string formatDouble(double value, int significantDigits) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-1.#INF" : "1.#INF";
    if (value == 0) return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*G", significantDigits, value);
    return buf;
}

std::string formatCurrency(LONGLONG cy) {
    bool negative = cy < 0;
    unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(cy) : cy;
    std::string text = std::to_string(magnitude / 10000);
    unsigned long long fraction = magnitude % 10000;
    if (fraction) {
        char buf[8];
        std::snprintf(buf, sizeof buf, ".%04llu", fraction);
        std::string f = buf;
        while (f.back() == '0')
            f.pop_back();
        text += f;
    }
    return negative ? "-" + text : text;
}

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool parseRadix(const std::string& s, size_t pos, int radix, double& value) {
    if (pos >= s.size()) return false;
    unsigned long long v = 0;
    size_t end = s.size();
    if (s[end - 1] == '&') --end; // the Long suffix
    if (pos >= end || end - pos > 22) return false;
    for (size_t i = pos; i < end; ++i) {
        char c = s[i];
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return false;
        if (d >= radix) return false;
        v = v * radix + d;
    }
    // Values that fit 16 or 32 bits read as signed, as literals of those widths do.
    if (v <= 0xFFFF && end - pos <= (radix == 16 ? 4u : 6u))
        value = static_cast<SHORT>(v);
    else if (v <= 0xFFFFFFFFULL)
        value = static_cast<LONG>(static_cast<DWORD>(v));
    else
        value = static_cast<double>(v);
    return true;
}

} // namespace

bool parseNumber(const std::string& text, double& value) {
    size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    if (b == e) return false;
    std::string s = text.substr(b, e - b);
    if (s.size() > 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h') return parseRadix(s, 2, 16, value);
        if (s[1] == 'O' || s[1] == 'o') return parseRadix(s, 2, 8, value);
    }
    size_t i = 0;
    if (s[i] == '+' || s[i] == '-') ++i;
    size_t digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9')
        ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9')
            ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        s[i] = 'E';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        size_t expDigits = 0;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9')
            ++i, ++expDigits;
        if (expDigits == 0) return false;
    }
    if (i != s.size()) return false;
    value = std::strtod(s.c_str(), nullptr);
    return std::isfinite(value);
}

} // namespace pm

namespace {

const VARIANT* dereference(const VARIANT* v) {
    while (v && v->vt == (VT_VARIANT | VT_BYREF) && v->pvarVal)
        v = v->pvarVal;
    return v;
}

// Copies a by-reference value into a plain VARIANT (no ownership taken of the referenced data).
HRESULT readByRef(const VARIANT* src, VARIANT& out) {
    VariantInit(&out);
    VARTYPE base = src->vt & ~VT_BYREF;
    if (!src->byref) return E_INVALIDARG;
    out.vt = base;
    if (base & VT_ARRAY) {
        out.parray = *src->pparray;
        return S_OK;
    }
    switch (base) {
    case VT_I2:
        out.iVal = *src->piVal;
        break;
    case VT_I4:
    case VT_INT:
        out.lVal = *src->plVal;
        break;
    case VT_R4:
        out.fltVal = *src->pfltVal;
        break;
    case VT_R8:
        out.dblVal = *src->pdblVal;
        break;
    case VT_CY:
        out.cyVal = *src->pcyVal;
        break;
    case VT_DATE:
        out.date = *src->pdate;
        break;
    case VT_BSTR:
        out.bstrVal = *src->pbstrVal;
        break;
    case VT_DISPATCH:
        out.pdispVal = *src->ppdispVal;
        break;
    case VT_UNKNOWN:
        out.punkVal = *src->ppunkVal;
        break;
    case VT_ERROR:
        out.scode = *src->pscode;
        break;
    case VT_BOOL:
        out.boolVal = *src->pboolVal;
        break;
    case VT_UI1:
        out.bVal = *src->pbVal;
        break;
    default:
        return DISP_E_BADVARTYPE;
    }
    return S_OK;
}

HRESULT defaultValue(IDispatch* disp, VARIANT& out) {
    VariantInit(&out);
    if (!disp) return DISP_E_TYPEMISMATCH;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    HRESULT hr = disp->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &out,
                              nullptr, nullptr);
    return FAILED(hr) ? DISP_E_TYPEMISMATCH : S_OK;
}

bool iequals(const std::string& a, const char* b) {
    size_t n = std::strlen(b);
    if (a.size() != n) return false;
    for (size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The numeric value of a plain (not by-reference, not object) VARIANT.
HRESULT numericValue(const VARIANT& v, double& d, VARTYPE target) {
    switch (v.vt) {
    case VT_EMPTY:
        d = 0;
        return S_OK;
    case VT_I2:
        d = v.iVal;
        return S_OK;
    case VT_I4:
    case VT_INT:
        d = v.lVal;
        return S_OK;
    case VT_UI1:
        d = v.bVal;
        return S_OK;
    case VT_R4:
        d = v.fltVal;
        return S_OK;
    case VT_R8:
        d = v.dblVal;
        return S_OK;
    case VT_DATE:
        d = v.date;
        return S_OK;
    case VT_CY:
        d = static_cast<double>(v.cyVal.int64) / 10000.0;
        return S_OK;
    case VT_BOOL:
        d = v.boolVal ? -1 : 0;
        return S_OK;
    case VT_ERROR:
        d = v.scode;
        return S_OK;
    case VT_BSTR: {
        std::string s = pm::fromBstr(v.bstrVal);
        if (pm::parseNumber(s, d)) return S_OK;
        if (iequals(s, "true") || iequals(s, "#true#")) {
            d = -1;
            return S_OK;
        }
        if (iequals(s, "false") || iequals(s, "#false#")) {
            d = 0;
            return S_OK;
        }
        DATE date;
        if (target == VT_DATE && pm::parseDate(s, date)) {
            d = date;
            return S_OK;
        }
        return DISP_E_TYPEMISMATCH;
    }
    default:
        return DISP_E_TYPEMISMATCH;
    }
}

HRESULT toIntegral(double d, double lo, double hi, LONGLONG& out) {
    if (!std::isfinite(d)) return DISP_E_OVERFLOW;
    double r = std::nearbyint(d); // round half to even
    if (r < lo || r > hi) return DISP_E_OVERFLOW;
    out = static_cast<LONGLONG>(r);
    return S_OK;
}

std::string textOf(const VARIANT& v, USHORT flags) {
    switch (v.vt) {
    case VT_EMPTY:
        return std::string();
    case VT_BSTR:
        return pm::fromBstr(v.bstrVal);
    case VT_BOOL:
        if (flags & VARIANT_ALPHABOOL) return v.boolVal ? "True" : "False";
        return v.boolVal ? "-1" : "0";
    case VT_I2:
        return std::to_string(v.iVal);
    case VT_I4:
    case VT_INT:
        return std::to_string(v.lVal);
    case VT_UI1:
        return std::to_string(v.bVal);
    case VT_R4:
        return pm::formatDouble(v.fltVal, 7);
    case VT_R8:
        return pm::formatDouble(v.dblVal);
    case VT_CY:
        return pm::formatCurrency(v.cyVal.int64);
    case VT_DATE:
        return pm::formatDate(v.date);
    case VT_ERROR:
        return std::to_string(v.scode);
    default:
        return std::string();
    }
}

HRESULT convertPlain(VARIANT& dest, const VARIANT& src, USHORT flags, VARTYPE vt) {
    VariantInit(&dest);
    if (src.vt == VT_NULL) {
        if (vt == VT_NULL) dest.vt = VT_NULL;
        return vt == VT_NULL ? S_OK : DISP_E_TYPEMISMATCH;
    }
    if (vt == VT_EMPTY) return S_OK;
    if (vt == VT_BSTR) {
        if (src.vt != VT_EMPTY && src.vt != VT_BSTR && src.vt != VT_BOOL && src.vt != VT_I2 &&
            src.vt != VT_I4 && src.vt != VT_INT && src.vt != VT_UI1 && src.vt != VT_R4 && src.vt != VT_R8 &&
            src.vt != VT_CY && src.vt != VT_DATE && src.vt != VT_ERROR)
            return DISP_E_TYPEMISMATCH;
        dest.bstrVal = pm::toBstr(textOf(src, flags));
        dest.vt = VT_BSTR;
        return S_OK;
    }
    if (vt == VT_DISPATCH || vt == VT_UNKNOWN) {
        if (src.vt != VT_DISPATCH && src.vt != VT_UNKNOWN) return DISP_E_TYPEMISMATCH;
        if (!src.punkVal) {
            dest.vt = vt;
            dest.punkVal = nullptr;
            return S_OK;
        }
        void* p = nullptr;
        HRESULT hr = src.punkVal->QueryInterface(vt == VT_DISPATCH ? IID_IDispatch : IID_IUnknown, &p);
        if (FAILED(hr)) return DISP_E_TYPEMISMATCH;
        dest.vt = vt;
        dest.byref = p;
        return S_OK;
    }
    double d;
    HRESULT hr = numericValue(src, d, vt);
    if (FAILED(hr)) return hr;
    LONGLONG n;
    switch (vt) {
    case VT_I2:
        if (FAILED(hr = toIntegral(d, -32768, 32767, n))) return hr;
        dest.iVal = static_cast<SHORT>(n);
        break;
    case VT_I4:
    case VT_INT:
        if (FAILED(hr = toIntegral(d, -2147483648.0, 2147483647.0, n))) return hr;
        dest.lVal = static_cast<LONG>(n);
        break;
    case VT_UI1:
        if (FAILED(hr = toIntegral(d, 0, 255, n))) return hr;
        dest.bVal = static_cast<BYTE>(n);
        break;
    case VT_R4:
        if (std::fabs(d) > std::numeric_limits<float>::max()) return DISP_E_OVERFLOW;
        dest.fltVal = static_cast<float>(d);
        break;
    case VT_R8:
        dest.dblVal = d;
        break;
    case VT_DATE:
        if (d < -657434.0 || d >= 2958466.0) return DISP_E_OVERFLOW;
        dest.date = d;
        break;
    case VT_CY:
        if (FAILED(hr = toIntegral(d * 10000.0, -9.2e18, 9.2e18, n))) return hr;
        dest.cyVal.int64 = n;
        break;
    case VT_BOOL:
        dest.boolVal = d != 0 ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    case VT_ERROR:
        if (FAILED(hr = toIntegral(d, -2147483648.0, 4294967295.0, n))) return hr;
        dest.scode = static_cast<SCODE>(n);
        break;
    default:
        return DISP_E_BADVARTYPE;
    }
    dest.vt = vt;
    return S_OK;
}

} // namespace

void VariantInit(VARIANT* pvarg) {
    if (!pvarg) return;
    std::memset(pvarg, 0, sizeof *pvarg);
    pvarg->vt = VT_EMPTY;
}

HRESULT VariantClear(VARIANT* pvarg) {
    if (!pvarg) return E_INVALIDARG;
    if (!(pvarg->vt & VT_BYREF)) {
        if (pvarg->vt & VT_ARRAY) {
            SafeArrayDestroy(pvarg->parray);
        } else {
            switch (pvarg->vt) {
            case VT_BSTR:
                SysFreeString(pvarg->bstrVal);
                break;
            case VT_DISPATCH:
            case VT_UNKNOWN:
                if (pvarg->punkVal) pvarg->punkVal->Release();
                break;
            default:
                break;
            }
        }
    }
    VariantInit(pvarg);
    return S_OK;
}

HRESULT VariantCopy(VARIANT* pvargDest, const VARIANT* pvargSrc) {
    if (!pvargDest || !pvargSrc) return E_INVALIDARG;
    if (pvargDest == pvargSrc) return S_OK;
    VARIANT copy = *pvargSrc;
    if (!(copy.vt & VT_BYREF)) {
        if (copy.vt & VT_ARRAY) {
            if (copy.parray) {
                HRESULT hr = SafeArrayCopy(pvargSrc->parray, &copy.parray);
                if (FAILED(hr)) return hr;
            }
        } else if (copy.vt == VT_BSTR) {
            if (copy.bstrVal) {
                copy.bstrVal = SysAllocStringLen(pvargSrc->bstrVal, SysStringLen(pvargSrc->bstrVal));
                if (!copy.bstrVal) return E_OUTOFMEMORY;
            }
        } else if ((copy.vt == VT_DISPATCH || copy.vt == VT_UNKNOWN) && copy.punkVal) {
            copy.punkVal->AddRef();
        }
    }
    VariantClear(pvargDest);
    *pvargDest = copy;
    return S_OK;
}

HRESULT VariantCopyInd(VARIANT* pvarDest, const VARIANT* pvargSrc) {
    if (!pvarDest || !pvargSrc) return E_INVALIDARG;
    const VARIANT* src = dereference(pvargSrc);
    if (!(src->vt & VT_BYREF)) return VariantCopy(pvarDest, src);
    VARIANT plain;
    HRESULT hr = readByRef(src, plain);
    if (FAILED(hr)) return hr;
    return VariantCopy(pvarDest, &plain);
}

HRESULT VariantChangeType(VARIANT* pvargDest, const VARIANT* pvarSrc, USHORT wFlags, VARTYPE vt) {
    return VariantChangeTypeEx(pvargDest, pvarSrc, LOCALE_USER_DEFAULT, wFlags, vt);
}

HRESULT VariantChangeTypeEx(VARIANT* pvargDest, const VARIANT* pvarSrc, LCID, USHORT wFlags, VARTYPE vt) {
    if (!pvargDest || !pvarSrc) return E_INVALIDARG;
    const VARIANT* src = dereference(pvarSrc);
    VARIANT plain;
    if (src->vt & VT_BYREF) {
        HRESULT hr = readByRef(src, plain);
        if (FAILED(hr)) return hr;
    } else {
        plain = *src;
    }
    VARIANT result;
    VariantInit(&result);
    HRESULT hr;
    if (plain.vt == vt) {
        hr = VariantCopy(&result, &plain);
    } else if (plain.vt == VT_DISPATCH && vt != VT_UNKNOWN && !(wFlags & VARIANT_NOVALUEPROP)) {
        VARIANT value;
        hr = defaultValue(plain.pdispVal, value);
        if (SUCCEEDED(hr)) hr = VariantChangeTypeEx(&result, &value, 0, wFlags, vt);
        VariantClear(&value);
    } else if ((plain.vt & VT_ARRAY) || (vt & VT_ARRAY)) {
        hr = DISP_E_TYPEMISMATCH;
    } else {
        hr = convertPlain(result, plain, wFlags, vt);
    }
    if (FAILED(hr)) return hr;
    VariantClear(pvargDest); // safe when dest and source are the same: result is a separate copy
    *pvargDest = result;
    return S_OK;
}

LCID GetUserDefaultLCID() {
    return 0x0409;
}
