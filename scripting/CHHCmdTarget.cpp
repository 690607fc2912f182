#include "scripting/CHHCmdTarget.h"

#include <cstring>
#include <vector>

IMPLEMENT_DYNAMIC(CHHCmdTarget, CCmdTarget)

// ---------------------------------------------------------------------------------------------
// Arguments

HRESULT CHHDispatchArgs::Convert(UINT i, VARTYPE vt, VARIANT& out) const {
    if (i >= GetCount()) return DISP_E_BADPARAMCOUNT;
    VARIANT& in = m_pParams->rgvarg[m_pParams->cArgs - 1 - i];
    VariantInit(&out);
    return FAILED(VariantChangeType(&out, &in, 0, vt)) ? DISP_E_TYPEMISMATCH : S_OK;
}

HRESULT CHHDispatchArgs::GetLong(UINT i, long& value) const {
    VARIANT v;
    HRESULT hr = Convert(i, VT_I4, v);
    if (SUCCEEDED(hr)) value = v.lVal;
    return hr;
}

HRESULT CHHDispatchArgs::GetString(UINT i, CString& value) const {
    VARIANT v;
    HRESULT hr = Convert(i, VT_BSTR, v);
    if (FAILED(hr)) return hr;
    const std::string bytes = pm::fromBstrKeepingBytes(v.bstrVal);
    value = CString(bytes.data(), static_cast<int>(bytes.size()));
    VariantClear(&v);
    return S_OK;
}

// ---------------------------------------------------------------------------------------------
// The automation part: IDispatch, IProvideClassInfo2 and IConnectionPointContainer. Its reference
// count never frees it; the object's owner decides its lifetime.

class CHHCmdTarget::XAutomation final : public IDispatch,
                                        public IProvideClassInfo2,
                                        public IConnectionPointContainer {
public:
    explicit XAutomation(CHHCmdTarget& owner) : m_owner(owner) {}
    virtual ~XAutomation() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (riid == IID_IUnknown || riid == IID_IDispatch) return pm::answerInterface<IDispatch>(this, ppv);
        if (m_owner.m_pDispatchIID && riid == *m_owner.m_pDispatchIID)
            return pm::answerInterface<IDispatch>(this, ppv);
        if (riid == IID_IProvideClassInfo || riid == IID_IProvideClassInfo2)
            return pm::answerInterface<IProvideClassInfo2>(this, ppv);
        if (riid == IID_IConnectionPointContainer)
            return pm::answerInterface<IConnectionPointContainer>(this, ppv);
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override { return m_refs > 0 ? --m_refs : 0; }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override {
        if (!pctinfo) return E_POINTER;
        pm::ComPtr<ITypeInfo> info;
        *pctinfo = SUCCEEDED(DispatchInfo(info.put())) ? 1 : 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** ppTInfo) override {
        if (!ppTInfo) return E_POINTER;
        *ppTInfo = nullptr;
        if (index != 0) return DISP_E_BADINDEX;
        return DispatchInfo(ppTInfo);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        pm::ComPtr<ITypeInfo> info;
        HRESULT hr = DispatchInfo(info.put());
        if (FAILED(hr)) return DISP_E_UNKNOWNNAME;
        return info->GetIDsOfNames(names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD wFlags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO*, UINT*) override {
        if (result) VariantInit(result);
        return m_owner.InvokeMember(dispid, wFlags, CHHDispatchArgs(params), result);
    }

    // IProvideClassInfo2
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** ppTI) override {
        if (!ppTI) return E_POINTER;
        *ppTI = nullptr;
        CLSID clsid;
        HRESULT hr = m_owner.GetClassID(&clsid);
        if (FAILED(hr)) return hr;
        return m_owner.GetTypeInfoOfGuid(GetUserDefaultLCID(), clsid, ppTI);
    }
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* pGUID) override {
        if (!pGUID) return E_POINTER;
        *pGUID = GUID_NULL;
        if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
        if (!m_owner.m_pEventIID) return E_UNEXPECTED;
        *pGUID = *m_owner.m_pEventIID;
        return S_OK;
    }

    // IConnectionPointContainer
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) override {
        if (!ppCP) return E_POINTER;
        *ppCP = nullptr;
        IConnectionPoint* point = m_owner.GetConnectionHook(riid);
        if (!point) return CONNECT_E_NOCONNECTION;
        point->AddRef();
        *ppCP = point;
        return S_OK;
    }

private:
    HRESULT DispatchInfo(ITypeInfo** ppInfo) {
        if (!m_owner.m_pDispatchIID) return E_NOTIMPL;
        return m_owner.GetTypeInfoOfGuid(0, *m_owner.m_pDispatchIID, ppInfo);
    }

    CHHCmdTarget& m_owner;
    ULONG m_refs = 0;
};

// ---------------------------------------------------------------------------------------------

CHHCmdTarget::CHHCmdTarget() : m_xAutomation(std::make_unique<XAutomation>(*this)) {
    MakeConnectionPoint(IID_IDispatch);
}

CHHCmdTarget::~CHHCmdTarget() {
    m_connectionPoint->setAdviseHook(nullptr);
    m_connectionPoint->detachContainer();
}

void CHHCmdTarget::MakeConnectionPoint(const IID& iid) {
    if (m_connectionPoint) {
        m_connectionPoint->setAdviseHook(nullptr);
        m_connectionPoint->detachContainer();
    }
    m_connectionPoint.attach(new pm::ConnectionPoint(m_xAutomation.get(), iid));
    m_connectionPoint->setAdviseHook([this](bool advise) { OnAdvise(advise ? TRUE : FALSE); });
}

void CHHCmdTarget::SetDispatchIIDs(const IID* pDispatchIID, const IID* pEventIID) {
    m_pDispatchIID = pDispatchIID;
    m_pEventIID = pEventIID;
    MakeConnectionPoint(pEventIID ? *pEventIID : IID_IDispatch);
}

BOOL CHHCmdTarget::GetDispatchIID(IID* pIID) const {
    if (!m_pDispatchIID || !pIID) return FALSE;
    *pIID = *m_pDispatchIID;
    return TRUE;
}

namespace {

// The arguments of one event, built from a parameter-type string and an argument list, in the
// reversed order DISPPARAMS wants; owns the strings and copies it made.
class EventArguments {
public:
    ~EventArguments() {
        for (VARIANT& v : m_args)
            VariantClear(&v);
    }
    // False for a type character that names no argument type. The list is read through a pointer,
    // so that each reader takes its argument off the same list.
    bool Read(const char* pbParams, va_list* args) {
        for (const char* p = pbParams ? pbParams : ""; *p; ++p) {
            VARIANT v;
            VariantInit(&v);
            const auto type = static_cast<unsigned char>(*p);
            if (!((type & 0x40) ? ReadByRef(type & ~0x40, args, v) : ReadValue(type, args, v))) return false;
            m_args.insert(m_args.begin(), v);
        }
        return true;
    }
    DISPPARAMS Params() {
        return {m_args.empty() ? nullptr : m_args.data(), nullptr, static_cast<UINT>(m_args.size()), 0};
    }

private:
    static bool ReadValue(unsigned type, va_list* args, VARIANT& v) {
        v.vt = static_cast<VARTYPE>(type);
        switch (type) {
        case VT_I2:
            v.iVal = static_cast<SHORT>(va_arg(*args, int));
            return true;
        case VT_I4:
            v.lVal = va_arg(*args, LONG);
            return true;
        case VT_R4:
            v.fltVal = static_cast<FLOAT>(va_arg(*args, double));
            return true;
        case VT_R8:
            v.dblVal = va_arg(*args, double);
            return true;
        case VT_CY:
            v.cyVal = va_arg(*args, CY);
            return true;
        case VT_DATE:
            v.date = va_arg(*args, DATE);
            return true;
        case VT_ERROR:
            v.scode = va_arg(*args, SCODE);
            return true;
        case VT_BOOL:
            v.boolVal = va_arg(*args, BOOL) ? VARIANT_TRUE : VARIANT_FALSE;
            return true;
        case VT_DISPATCH:
            v.pdispVal = va_arg(*args, IDispatch*);
            break;
        case VT_UNKNOWN:
            v.punkVal = va_arg(*args, IUnknown*);
            break;
        case VT_I1:
            v.cVal = static_cast<CHAR>(va_arg(*args, int));
            return true;
        case VT_UI1:
            v.bVal = static_cast<BYTE>(va_arg(*args, int));
            return true;
        case VT_UI2:
            v.uiVal = static_cast<USHORT>(va_arg(*args, int));
            return true;
        case VT_UI4:
            v.ulVal = va_arg(*args, ULONG);
            return true;
        case VT_BSTR: {
            // A text crosses keeping its bytes, as every text the program gives its scripts.
            const char* text = va_arg(*args, const char*);
            v.bstrVal = text ? pm::toBstrKeepingBytes(text, std::strlen(text)) : nullptr;
            return true;
        }
        case VT_VARIANT: {
            const VARIANT* value = va_arg(*args, const VARIANT*);
            v.vt = VT_EMPTY;
            return !value || SUCCEEDED(VariantCopy(&v, value));
        }
        default:
            return false;
        }
        // The object pointers are the caller's: the list holds a reference of its own.
        if (v.punkVal) v.punkVal->AddRef();
        return true;
    }
    static bool ReadByRef(unsigned type, va_list* args, VARIANT& v) {
        switch (type) {
        case VT_I2:
        case VT_I4:
        case VT_R4:
        case VT_R8:
        case VT_CY:
        case VT_DATE:
        case VT_BSTR:
        case VT_DISPATCH:
        case VT_ERROR:
        case VT_BOOL:
        case VT_VARIANT:
        case VT_UNKNOWN:
        case VT_UI1:
            v.vt = static_cast<VARTYPE>(VT_BYREF | type);
            v.byref = va_arg(*args, void*);
            return true;
        default:
            return false;
        }
    }

    std::vector<VARIANT> m_args;
};

} // namespace

HRESULT CHHCmdTarget::FireEvent(DISPID dispid, const char* pbParams, ...) {
    va_list args;
    va_start(args, pbParams);
    const HRESULT hr = FireEventV(dispid, pbParams, args);
    va_end(args);
    return hr;
}

HRESULT CHHCmdTarget::FireEventV(DISPID dispid, const char* pbParams, va_list argList,
                                 const AFX_DISPMAP* pDispMap) {
    EventArguments arguments;
    va_list args;
    va_copy(args, argList);
    const bool read = arguments.Read(pbParams, &args);
    va_end(args);
    if (!read) return DISP_E_BADVARTYPE;
    DISPPARAMS params = arguments.Params();
    dispid = PlaceDispid(dispid, pDispMap);
    pm::ComPtr<pm::ConnectionPoint> point = m_connectionPoint; // a sink may disconnect while called
    pm::ComPtr<IEnumConnections> connections;
    if (FAILED(point->EnumConnections(connections.put()))) return S_OK;
    CONNECTDATA data;
    while (connections->Next(1, &data, nullptr) == S_OK) {
        pm::ComPtr<IUnknown> unknown;
        unknown.attach(data.pUnk);
        pm::ComPtr<IDispatch> sink;
        if (FAILED(unknown.as(IID_IDispatch, sink))) continue;
        EXCEPINFO excep{};
        HRESULT hr = sink->Invoke(dispid, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, &excep, nullptr);
        SysFreeString(excep.bstrSource);
        SysFreeString(excep.bstrDescription);
        SysFreeString(excep.bstrHelpFile);
        if (SUCCEEDED(hr) || hr == DISP_E_UNKNOWNNAME || hr == DISP_E_MEMBERNOTFOUND) continue;
        if (m_bRethrow) return hr;
    }
    return S_OK;
}

DISPID CHHCmdTarget::PlaceDispid(DISPID dispid, const AFX_DISPMAP* pDispMap) const {
    if (!pDispMap) return dispid;
    WORD level = 0;
    for (const AFX_DISPMAP* map = GetDispatchMapHead(); map; ++level) {
        if (map == pDispMap) return static_cast<DISPID>(MAKELONG(LOWORD(dispid), level));
        map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr;
    }
    return dispid;
}

IDispatch* CHHCmdTarget::GetIDispatch(BOOL bAddRef) {
    IDispatch* p = m_xAutomation.get();
    if (bAddRef) p->AddRef();
    return p;
}

HRESULT CHHCmdTarget::GetTypeInfoOfGuid(LCID, REFGUID guid, ITypeInfo** ppTypeInfo) {
    if (!ppTypeInfo) return E_POINTER;
    *ppTypeInfo = nullptr;
    ITypeLib* lib = GetTypeLib();
    if (!lib) return TYPE_E_CANTLOADLIBRARY;
    return lib->GetTypeInfoOfGuid(guid, ppTypeInfo);
}

HRESULT CHHCmdTarget::GetClassID(CLSID* pClsid) {
    if (!pClsid) return E_POINTER;
    *pClsid = GUID_NULL;
    return E_NOTIMPL;
}

void CHHCmdTarget::OnAdvise(BOOL) {}

IConnectionPoint* CHHCmdTarget::GetConnectionHook(REFIID iid) {
    if (!m_pEventIID || iid != *m_pEventIID) return nullptr;
    return m_connectionPoint.get();
}

BOOL CHHCmdTarget::OnCommandHook(UINT) {
    return FALSE;
}

BOOL CHHCmdTarget::OnUpdateCommandHook(UINT, CCmdUI*) {
    return FALSE;
}

BOOL CHHCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (!pHandlerInfo) {
        if (nCode == CN_COMMAND && OnCommandHook(nID)) return TRUE;
        if (static_cast<UINT>(nCode) == CN_UPDATE_COMMAND_UI &&
            OnUpdateCommandHook(nID, static_cast<CCmdUI*>(pExtra)))
            return TRUE;
    }
    return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

ITypeLib* CHHCmdTarget::GetTypeLib() {
    return nullptr;
}

HRESULT CHHCmdTarget::InvokeMember(DISPID, WORD, const CHHDispatchArgs&, VARIANT*) {
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT CHHCmdTarget::ReturnLong(VARIANT* pResult, long value) {
    if (pResult) {
        pResult->vt = VT_I4;
        pResult->lVal = static_cast<LONG>(value);
    }
    return S_OK;
}

HRESULT CHHCmdTarget::ReturnBool(VARIANT* pResult, BOOL value) {
    if (pResult) {
        pResult->vt = VT_BOOL;
        pResult->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    }
    return S_OK;
}

HRESULT CHHCmdTarget::ReturnString(VARIANT* pResult, const CString& value) {
    if (pResult) {
        pResult->vt = VT_BSTR;
        pResult->bstrVal = pm::toBstrKeepingBytes(value, static_cast<size_t>(value.GetLength()));
    }
    return S_OK;
}
