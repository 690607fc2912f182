// The automation objects of the engine: IDispatch over members called with Values.

#include "platform/script/vbs_auto_object.h"
#include "platform/script/vbs_runtime.h"

#include <typeinfo>

namespace pm::vbs {

namespace {

class Enumerator final : public pm::ComObject<IEnumVARIANT> {
public:
    explicit Enumerator(std::shared_ptr<const std::vector<Value>> items, size_t at = 0)
        : m_items(std::move(items)), m_at(at) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (riid == IID_IUnknown || riid == IID_IEnumVARIANT) return pm::answerInterface(this, ppv);
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG celt, VARIANT* rgVar, ULONG* fetched) override {
        ULONG n = 0;
        for (; n < celt && m_at < m_items->size(); ++n, ++m_at)
            toVariant((*m_items)[m_at], rgVar[n]);
        if (fetched) *fetched = n;
        return n == celt ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG celt) override {
        m_at = std::min(m_items->size(), m_at + celt);
        return m_at < m_items->size() ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        m_at = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** pp) override {
        if (!pp) return E_POINTER;
        *pp = new Enumerator(m_items, m_at);
        return S_OK;
    }

private:
    std::shared_ptr<const std::vector<Value>> m_items;
    size_t m_at;
};

const VARIANT& dereferenced(const VARIANT& v) {
    const VARIANT* p = &v;
    while (p->vt == (VT_VARIANT | VT_BYREF) && p->pvarVal)
        p = p->pvarVal;
    return *p;
}

void fillException(EXCEPINFO* excep, const ScriptError& e) {
    if (!excep) return;
    *excep = EXCEPINFO{};
    excep->scode = errorHresult(e.number);
    excep->bstrSource = pm::toBstr(e.source.empty() ? std::string("VBScript runtime error") : e.source);
    excep->bstrDescription = pm::toBstr(e.description);
}

} // namespace

AutoObject::~AutoObject() {
    if (m_owner && m_owner->rt) m_owner->rt->forget(*this);
}

HRESULT AutoObject::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IUnknown || riid == IID_IDispatch) return pm::answerInterface(this, ppv);
    return E_NOINTERFACE;
}

ULONG AutoObject::Release() {
    ULONG left = --m_refs;
    if (left == 0) {
        // Kept at one while the object finishes, so that references taken meanwhile are safe.
        m_refs = 1;
        finalRelease();
    }
    return left;
}

HRESULT AutoObject::GetTypeInfoCount(UINT* pctinfo) {
    if (!pctinfo) return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

HRESULT AutoObject::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) {
    if (ppTInfo) *ppTInfo = nullptr;
    return E_NOTIMPL;
}

HRESULT AutoObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!names || !ids || count == 0) return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
    ids[0] = memberId(lowerCase(pm::toBytes(names[0], pm::oleStrLen(names[0]))));
    if (ids[0] == DISPID_UNKNOWN || count > 1) return DISP_E_UNKNOWNNAME;
    return S_OK;
}

HRESULT AutoObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                           EXCEPINFO* excep, UINT*) {
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    if (!params) params = &none;
    if (result) VariantInit(result);
    bool isPut = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    if (isPut && (params->cNamedArgs != 1 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT))
        return DISP_E_PARAMNOTOPTIONAL;
    if (!isPut && params->cNamedArgs) return DISP_E_NONAMEDARGS;
    pm::ComPtr<AutoObject> keep(this);
    if (id == DISPID_NEWENUM) return newEnum(result);
    UINT positional = params->cArgs - params->cNamedArgs;
    try {
        std::vector<Value> values(positional);
        Args args(positional);
        for (UINT i = 0; i < positional; ++i) {
            values[i] = fromVariant(params->rgvarg[params->cArgs - 1 - i]);
            args[i] = &values[i];
        }
        Value putValue = isPut ? fromVariant(params->rgvarg[0]) : Value();
        Value out = call(id, flags, args, isPut ? &putValue : nullptr);
        for (UINT i = 0; i < positional; ++i) {
            VARIANT& cell = params->rgvarg[params->cArgs - 1 - i];
            if (cell.vt == (VT_VARIANT | VT_BYREF) && cell.pvarVal) {
                VARIANT& target = const_cast<VARIANT&>(dereferenced(cell));
                VariantClear(&target);
                toVariant(values[i], target);
            }
        }
        if (result) toVariant(out, *result);
        return S_OK;
    } catch (const ScriptError& e) {
        if (e.number == kNoSuchMember) return DISP_E_MEMBERNOTFOUND;
        fillException(excep, e);
        return DISP_E_EXCEPTION;
    } catch (const AbortUnwind&) {
        return E_ABORT;
    }
}

HRESULT AutoObject::newEnum(VARIANT* result) {
    std::vector<Value> items;
    if (!enumerate(items)) return DISP_E_MEMBERNOTFOUND;
    if (!result) return S_OK;
    result->vt = VT_UNKNOWN;
    result->punkVal = new Enumerator(std::make_shared<const std::vector<Value>>(std::move(items)));
    return S_OK;
}

Value objectValue(AutoObject* fresh) {
    pm::ComPtr<AutoObject> keep;
    keep.attach(fresh);
    return Value::object(keep.get());
}

AutoObject* autoObjectOf(IDispatch* obj) {
    if (!obj) return nullptr;
    // The dynamic types last found to be AutoObjects: a call on one of them needs no dynamic_cast.
    // An AutoObject has one IDispatch (its base), so the pointer converts statically.
    constexpr unsigned kKnown = 4;
    thread_local const std::type_info* known[kKnown] = {};
    thread_local unsigned next = 0;
    const std::type_info* type = &typeid(*obj);
    for (const std::type_info* k : known)
        if (k == type) return static_cast<AutoObject*>(obj);
    auto* own = dynamic_cast<AutoObject*>(obj);
    if (own) known[next++ % kKnown] = type;
    return own;
}

DISPID findMember(const MemberName* begin, const MemberName* end, const std::string& key) {
    for (const MemberName* m = begin; m != end; ++m)
        if (key == m->key) return m->id;
    return DISPID_UNKNOWN;
}

void checkArgCount(const Args& args, size_t min, size_t max) {
    if (args.size() < min || args.size() > max) throw ScriptError(kWrongArgCount);
}

const Value* optionalArg(const Args& args, size_t i) {
    if (i >= args.size()) return nullptr;
    const Value& v = *args[i];
    if (v.type() == VT_ERROR && v.intValue() == DISP_E_PARAMNOTFOUND) return nullptr;
    return &v;
}

} // namespace pm::vbs
