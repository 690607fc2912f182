// The Err object.

#include "platform/script/vbs_err_object.h"

namespace pm::vbs {

namespace {

enum : DISPID {
    kNumber = 0,
    kDescription = 1,
    kSource = 2,
    kClear = 3,
    kRaise = 4,
    kHelpFile = 5,
    kHelpContext = 6
};

const char* const kNames[] = {"number", "description", "source", "clear", "raise", "helpfile", "helpcontext"};

// The argument at position i (0 = first), by value; null when absent or missing.
const VARIANT* argAt(DISPPARAMS* p, UINT i) {
    UINT positional = p->cArgs - p->cNamedArgs;
    if (i >= positional) return nullptr;
    const VARIANT* v = &p->rgvarg[p->cArgs - 1 - i];
    while (v->vt == (VT_VARIANT | VT_BYREF) && v->pvarVal)
        v = v->pvarVal;
    if (v->vt == VT_ERROR && v->scode == DISP_E_PARAMNOTFOUND) return nullptr;
    return v;
}

const VARIANT* putValue(DISPPARAMS* p) {
    if (!p || p->cNamedArgs != 1 || p->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT) return nullptr;
    return &p->rgvarg[0];
}

} // namespace

void ErrObject::set(const ScriptError& e) {
    m_number = e.number;
    m_description = e.description;
    m_source = e.source.empty() ? "VBScript runtime error" : e.source;
}

void ErrObject::clear() {
    m_number = 0;
    m_description.clear();
    m_source.clear();
    m_helpFile.clear();
    m_helpContext = 0;
}

HRESULT ErrObject::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IUnknown || riid == IID_IDispatch) return pm::answerInterface(this, ppv);
    return E_NOINTERFACE;
}

HRESULT ErrObject::GetTypeInfoCount(UINT* pctinfo) {
    if (!pctinfo) return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

HRESULT ErrObject::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) {
    if (ppTInfo) *ppTInfo = nullptr;
    return E_NOTIMPL;
}

HRESULT ErrObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!names || !ids || count == 0) return E_INVALIDARG;
    std::string name = lowerCase(pm::toBytes(names[0], pm::oleStrLen(names[0])));
    for (UINT i = 0; i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
    for (DISPID d = 0; d < 7; ++d)
        if (name == kNames[d]) {
            ids[0] = d;
            return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
        }
    return DISP_E_UNKNOWNNAME;
}

HRESULT ErrObject::raise(DISPPARAMS* params, EXCEPINFO* excep) {
    const VARIANT* number = argAt(params, 0);
    if (!number) return DISP_E_PARAMNOTOPTIONAL;
    VARIANT n;
    VariantInit(&n);
    if (FAILED(VariantChangeType(&n, number, 0, VT_I4))) return DISP_E_TYPEMISMATCH;
    int value = n.lVal;
    std::string source = "VBScript runtime error", description = errorDescription(value);
    if (const VARIANT* s = argAt(params, 1))
        source = fromVariant(*s).isString() ? fromVariant(*s).str() : source;
    if (const VARIANT* d = argAt(params, 2)) description = toStr(fromVariant(*d));
    if (excep) {
        *excep = EXCEPINFO{};
        excep->scode = errorHresult(value);
        excep->bstrSource = pm::toBstr(source);
        excep->bstrDescription = pm::toBstr(description);
    }
    return DISP_E_EXCEPTION;
}

HRESULT ErrObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                          EXCEPINFO* excep, UINT*) {
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    if (!params) params = &none;
    if (result) VariantInit(result);
    const VARIANT* put = putValue(params);
    try {
        if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
            if (!put) return DISP_E_PARAMNOTOPTIONAL;
            Value v = fromVariant(*put);
            switch (id) {
            case kNumber:
                m_number = toLong(v);
                break;
            case kDescription:
                m_description = toStr(v);
                break;
            case kSource:
                m_source = toStr(v);
                break;
            case kHelpFile:
                m_helpFile = toStr(v);
                break;
            case kHelpContext:
                m_helpContext = toLong(v);
                break;
            default:
                return DISP_E_MEMBERNOTFOUND;
            }
            return S_OK;
        }
        Value out;
        switch (id) {
        case kNumber:
            out = Value::longInt(m_number);
            break;
        case kDescription:
            out = Value::string(m_description);
            break;
        case kSource:
            out = Value::string(m_source);
            break;
        case kHelpFile:
            out = Value::string(m_helpFile);
            break;
        case kHelpContext:
            out = Value::longInt(m_helpContext);
            break;
        case kClear:
            clear();
            break;
        case kRaise:
            return raise(params, excep);
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
        if (result) toVariant(out, *result);
        return S_OK;
    } catch (const ScriptError&) {
        return DISP_E_TYPEMISMATCH;
    }
}

} // namespace pm::vbs
