// Event procedures: finding a source item's event interface, advising a sink, and running
// Item_Event when the source fires.

#include "platform/script/vbs_engine.h"
#include "platform/script/vbs_event_sink.h"

namespace pm::vbs {

namespace {

// The coclass's [default, source] interface, or null.
pm::ComPtr<ITypeInfo> defaultSource(ITypeInfo* coclass) {
    pm::ComPtr<ITypeInfo> out;
    TYPEATTR* attr = nullptr;
    if (!coclass || FAILED(coclass->GetTypeAttr(&attr))) return out;
    WORD count = attr->typekind == TKIND_COCLASS ? attr->cImplTypes : 0;
    coclass->ReleaseTypeAttr(attr);
    for (UINT i = 0; i < count; ++i) {
        INT flags = 0;
        HREFTYPE ref;
        if (FAILED(coclass->GetImplTypeFlags(i, &flags))) continue;
        if ((flags & (IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE)) !=
            (IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE))
            continue;
        if (SUCCEEDED(coclass->GetRefTypeOfImplType(i, &ref)) &&
            SUCCEEDED(coclass->GetRefTypeInfo(ref, out.put())))
            return out;
    }
    return out;
}

// Stores a value through a by-reference argument, converting to its declared type.
void writeBack(VARIANT& arg, const Value& v) {
    if (arg.vt == (VT_VARIANT | VT_BYREF)) {
        VariantClear(arg.pvarVal);
        toVariant(v, *arg.pvarVal);
        return;
    }
    VARTYPE base = arg.vt & ~VT_BYREF;
    VARIANT fresh, converted;
    toVariant(v, fresh);
    VariantInit(&converted);
    HRESULT hr = VariantChangeType(&converted, &fresh, 0, base);
    VariantClear(&fresh);
    if (FAILED(hr)) return;
    switch (base) {
    case VT_I2:
        *arg.piVal = converted.iVal;
        break;
    case VT_I4:
        *arg.plVal = converted.lVal;
        break;
    case VT_R4:
        *arg.pfltVal = converted.fltVal;
        break;
    case VT_R8:
        *arg.pdblVal = converted.dblVal;
        break;
    case VT_BOOL:
        *arg.pboolVal = converted.boolVal;
        break;
    case VT_UI1:
        *arg.pbVal = converted.bVal;
        break;
    case VT_DATE:
        *arg.pdate = converted.date;
        break;
    case VT_CY:
        *arg.pcyVal = converted.cyVal;
        break;
    case VT_BSTR:
        SysFreeString(*arg.pbstrVal);
        *arg.pbstrVal = converted.bstrVal;
        return;
    default:
        break;
    }
    VariantClear(&converted);
}

} // namespace

void VBScriptEngine::connectSinks() {
    for (ItemRecord& it : m_items)
        connectSink(it);
}

void VBScriptEngine::connectSink(ItemRecord& item) {
    if (!(item.flags & SCRIPTITEM_ISSOURCE) || item.point) return;
    auto s = site();
    if (!s) return;
    std::u16string wide = pm::toUtf16(item.name);
    ITypeInfo* coclass = nullptr;
    if (FAILED(s->GetItemInfo(wide.c_str(), SCRIPTINFO_ITYPEINFO, nullptr, &coclass)) || !coclass) return;
    pm::ComPtr<ITypeInfo> classInfo;
    classInfo.attach(coclass);
    pm::ComPtr<ITypeInfo> events = defaultSource(classInfo.get());
    if (!events) return;
    TYPEATTR* attr = nullptr;
    if (FAILED(events->GetTypeAttr(&attr))) return;
    IID iid = attr->guid;
    events->ReleaseTypeAttr(attr);
    pm::ComPtr<IDispatch> object = itemObject(item.name);
    pm::ComPtr<IConnectionPointContainer> container;
    pm::ComPtr<IConnectionPoint> point;
    if (!object || FAILED(object->QueryInterface(IID_IConnectionPointContainer, container.putVoid())) ||
        FAILED(container->FindConnectionPoint(iid, point.put())))
        return;
    pm::ComPtr<EventSink> sink;
    sink.attach(new EventSink(this, item.name, iid, events.get()));
    DWORD cookie = 0;
    if (FAILED(point->Advise(static_cast<IDispatch*>(sink.get()), &cookie))) {
        sink->detach();
        return;
    }
    item.sink = sink;
    item.point = point;
    item.cookie = cookie;
}

void VBScriptEngine::disconnectSinks() {
    // Detached first, so that nothing runs while the connections are taken down.
    std::vector<ItemRecord> items = m_items;
    for (ItemRecord& it : items) {
        if (it.sink) it.sink->detach();
        if (it.point) it.point->Unadvise(it.cookie);
    }
    for (ItemRecord& it : m_items) {
        it.sink.reset();
        it.point.reset();
        it.cookie = 0;
    }
}

HRESULT VBScriptEngine::fireEvent(const std::string& item, ITypeInfo* events, DISPID dispid,
                                  DISPPARAMS* params, VARIANT* result) {
    if (result) VariantInit(result);
    if (m_state != SCRIPTSTATE_CONNECTED || m_runtime->aborted()) return S_OK;
    BSTR name = nullptr;
    UINT count = 0;
    if (!events || FAILED(events->GetNames(dispid, &name, 1, &count)) || count != 1)
        return DISP_E_MEMBERNOTFOUND;
    std::string eventName = pm::fromBstr(name);
    SysFreeString(name);
    Procedure* proc = m_runtime->findProcedure(item + "_" + eventName);
    if (!proc) return DISP_E_MEMBERNOTFOUND;
    UINT n = params ? params->cArgs - params->cNamedArgs : 0;
    std::vector<Value> values(n);
    std::vector<Value*> refs(n);
    try {
        for (UINT i = 0; i < n; ++i) {
            values[i] = fromVariant(params->rgvarg[n - 1 - i]);
            refs[i] = &values[i];
        }
    } catch (const ScriptError&) {
        return DISP_E_TYPEMISMATCH;
    }
    Value returned;
    bool ok = enter([&](Runtime& rt) { returned = rt.callProcedure(*proc, refs); });
    if (!ok) return S_OK;
    for (UINT i = 0; i < n; ++i) {
        VARIANT& arg = params->rgvarg[n - 1 - i];
        if (arg.vt & VT_BYREF) writeBack(arg, values[i]);
    }
    if (result) toVariant(returned, *result);
    return S_OK;
}

} // namespace pm::vbs
