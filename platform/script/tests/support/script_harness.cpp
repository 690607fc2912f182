#include "script_harness.h"

#include "platform/com/typelib_builder.h"
#include "platform/script/vbscript.h"

namespace pm::test {

const GUID kTestLibId = {0x7E57AB01, 0x1111, 0x2222, {1, 2, 3, 4, 5, 6, 7, 1}};
const IID kRecorderIid = {0x7E57AB02, 0x1111, 0x2222, {1, 2, 3, 4, 5, 6, 7, 2}};
const IID kRecorderEventsIid = {0x7E57AB03, 0x1111, 0x2222, {1, 2, 3, 4, 5, 6, 7, 3}};
const CLSID kRecorderClsid = {0x7E57AB04, 0x1111, 0x2222, {1, 2, 3, 4, 5, 6, 7, 4}};
const GUID kColoursEnum = {0x7E57AB05, 0x1111, 0x2222, {1, 2, 3, 4, 5, 6, 7, 5}};

namespace {

enum : DISPID { kLog = 1, kAdd = 2, kBump = 3, kValue = 0, kCallBack = 5, kItems = 6 };

ITypeLib* library() {
    static ITypeLib* lib = [] {
        pm::TypeLibBuilder b(kTestLibId, "TestLib");
        auto& colours = b.enumeration("TestColours", kColoursEnum);
        pm::addConstant(colours, "tcRed", 1);
        pm::addConstant(colours, "tcBlue", 4);
        auto& itf = b.dispinterface("IRecorder", kRecorderIid);
        pm::addMethod(itf, "Log", kLog, VT_VOID, {{"value", VT_VARIANT}});
        pm::addProperty(itf, "Value", kValue, VT_VARIANT);
        auto& ev = b.dispinterface("IRecorderEvents", kRecorderEventsIid);
        pm::addMethod(ev, "Ping", kEventPing, VT_VOID);
        pm::addMethod(ev, "Changed", kEventChanged, VT_VOID, {{"value", pm::TypeRef::pointerTo(VT_VARIANT)}});
        pm::addMethod(ev, "Count", kEventCount, VT_VOID, {{"n", VT_I4}});
        auto& cls = b.coclass("Recorder", kRecorderClsid);
        cls.impls = {{"IRecorder", IMPLTYPEFLAG_FDEFAULT},
                     {"IRecorderEvents", IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE}};
        ITypeLib* built = b.build();
        RegisterTypeLib(built, nullptr, nullptr);
        return built;
    }();
    return lib;
}

const VARIANT& deref(const VARIANT& v) {
    return v.vt == (VT_VARIANT | VT_BYREF) ? *v.pvarVal : v;
}

VARIANT& argAt(DISPPARAMS* p, UINT i) {
    return p->rgvarg[p->cArgs - 1 - i];
}

} // namespace

ITypeInfo* recorderClassInfo() {
    ITypeInfo* info = nullptr;
    library()->GetTypeInfoOfGuid(kRecorderClsid, &info);
    return info;
}

std::string variantText(const VARIANT& in) {
    const VARIANT& v = deref(in);
    if (v.vt == VT_EMPTY) return "<empty>";
    if (v.vt == VT_NULL) return "<null>";
    if (v.vt == VT_DISPATCH) return v.pdispVal ? "<object>" : "<nothing>";
    if (v.vt & VT_ARRAY) return "<array>";
    VARIANT s;
    VariantInit(&s);
    if (FAILED(VariantChangeType(&s, &v, VARIANT_ALPHABOOL, VT_BSTR))) return "<?>";
    std::string out = pm::fromBstr(s.bstrVal);
    VariantClear(&s);
    return out;
}

Recorder::Recorder() {
    VariantInit(&m_value);
    events.attach(new pm::ConnectionPoint(this, kRecorderEventsIid));
}

Recorder::~Recorder() {
    VariantClear(&m_value);
    events->detachContainer();
}

HRESULT Recorder::fire(DISPID id, std::vector<VARIANT> args) {
    DISPPARAMS p{args.empty() ? nullptr : args.data(), nullptr, static_cast<UINT>(args.size()), 0};
    return events->fire(id, &p);
}

HRESULT Recorder::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IUnknown || riid == IID_IDispatch)
        return pm::answerInterface(static_cast<IDispatch*>(this), ppv);
    if (riid == IID_IConnectionPointContainer)
        return pm::answerInterface(static_cast<IConnectionPointContainer*>(this), ppv);
    if (riid == IID_IProvideClassInfo) return pm::answerInterface(static_cast<IProvideClassInfo*>(this), ppv);
    return E_NOINTERFACE;
}

HRESULT Recorder::GetTypeInfoCount(UINT* n) {
    *n = 1;
    return S_OK;
}

HRESULT Recorder::GetTypeInfo(UINT, LCID, ITypeInfo** pp) {
    return library()->GetTypeInfoOfGuid(kRecorderIid, pp);
}

HRESULT Recorder::GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) {
    static const std::pair<const char16_t*, DISPID> kNames[] = {{u"log", kLog},           {u"add", kAdd},
                                                                {u"bump", kBump},         {u"value", kValue},
                                                                {u"callback", kCallBack}, {u"items", kItems}};
    for (const auto& n : kNames)
        if (pm::oleStrICmp(names[0], n.first) == 0) {
            ids[0] = n.second;
            return S_OK;
        }
    ids[0] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

HRESULT Recorder::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* p, VARIANT* result,
                         EXCEPINFO* excep, UINT*) {
    UINT n = p->cArgs - p->cNamedArgs;
    switch (id) {
    case kLog:
        if (n != 1) return DISP_E_BADPARAMCOUNT;
        log.push_back(variantText(argAt(p, 0)));
        return S_OK;
    case kAdd: {
        if (n != 2) return DISP_E_BADPARAMCOUNT;
        VARIANT a, b;
        VariantInit(&a);
        VariantInit(&b);
        if (FAILED(VariantChangeType(&a, &argAt(p, 0), 0, VT_I4)) ||
            FAILED(VariantChangeType(&b, &argAt(p, 1), 0, VT_I4)))
            return DISP_E_TYPEMISMATCH;
        if (result) {
            result->vt = VT_I4;
            result->lVal = a.lVal + b.lVal;
        }
        return S_OK;
    }
    case kBump: {
        if (n != 1) return DISP_E_BADPARAMCOUNT;
        VARIANT& arg = argAt(p, 0);
        if (arg.vt != (VT_VARIANT | VT_BYREF)) return DISP_E_TYPEMISMATCH;
        VARIANT one;
        VariantInit(&one);
        if (FAILED(VariantChangeType(&one, arg.pvarVal, 0, VT_I4))) return DISP_E_TYPEMISMATCH;
        one.lVal += 1;
        VariantClear(arg.pvarVal);
        *arg.pvarVal = one;
        return S_OK;
    }
    case kValue:
        if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
            if (p->cNamedArgs != 1 || p->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
                return DISP_E_PARAMNOTOPTIONAL;
            return VariantCopyInd(&m_value, &p->rgvarg[0]);
        }
        if (result) VariantCopy(result, &m_value);
        return S_OK;
    case kCallBack:
        if (onCallBack) onCallBack();
        return S_OK;
    case kItems: {
        if (n != 1) return DISP_E_BADPARAMCOUNT;
        VARIANT i;
        VariantInit(&i);
        VariantChangeType(&i, &argAt(p, 0), 0, VT_I4);
        if (i.lVal < 0 || i.lVal > 9) {
            if (excep) {
                *excep = EXCEPINFO{};
                excep->scode = E_INVALIDARG;
                excep->bstrDescription = pm::toBstr("Index out of range");
            }
            return DISP_E_EXCEPTION;
        }
        if (result) {
            result->vt = VT_I4;
            result->lVal = i.lVal * 10;
        }
        return S_OK;
    }
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT Recorder::EnumConnectionPoints(IEnumConnectionPoints** pp) {
    if (pp) *pp = nullptr;
    return E_NOTIMPL;
}

HRESULT Recorder::FindConnectionPoint(REFIID riid, IConnectionPoint** pp) {
    if (!pp) return E_POINTER;
    *pp = nullptr;
    if (riid != kRecorderEventsIid) return CONNECT_E_NOCONNECTION;
    *pp = events.get();
    events->AddRef();
    return S_OK;
}

HRESULT Recorder::GetClassInfo(ITypeInfo** pp) {
    if (!pp) return E_POINTER;
    *pp = recorderClassInfo();
    return *pp ? S_OK : E_FAIL;
}

HRESULT TestSite::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IUnknown || riid == IID_IActiveScriptSite)
        return pm::answerInterface(static_cast<IActiveScriptSite*>(this), ppv);
    if (riid == IID_IActiveScriptSiteWindow)
        return pm::answerInterface(static_cast<IActiveScriptSiteWindow*>(this), ppv);
    return E_NOINTERFACE;
}

HRESULT TestSite::GetLCID(LCID* plcid) {
    *plcid = 0;
    return S_OK;
}

HRESULT TestSite::GetItemInfo(LPCOLESTR name, DWORD mask, IUnknown** unk, ITypeInfo** ti) {
    std::string key = pm::toBytes(name, pm::oleStrLen(name));
    for (char& c : key)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    auto it = items.find(key);
    if (it == items.end()) return E_UNEXPECTED;
    if (mask & SCRIPTINFO_IUNKNOWN) {
        *unk = it->second;
        (*unk)->AddRef();
    }
    if (mask & SCRIPTINFO_ITYPEINFO) {
        pm::ComPtr<IProvideClassInfo> pci;
        if (FAILED(it->second->QueryInterface(IID_IProvideClassInfo, pci.putVoid()))) return E_FAIL;
        return pci->GetClassInfo(ti);
    }
    return S_OK;
}

HRESULT TestSite::OnStateChange(SCRIPTSTATE s) {
    states.push_back(s);
    return S_OK;
}

HRESULT TestSite::OnScriptError(IActiveScriptError* e) {
    ErrorRecord r;
    DWORD ctx;
    e->GetSourcePosition(&ctx, &r.line, &r.column);
    BSTR line = nullptr;
    e->GetSourceLineText(&line);
    r.sourceLine = pm::fromBstr(line);
    SysFreeString(line);
    EXCEPINFO ex{};
    e->GetExceptionInfo(&ex);
    r.description = pm::fromBstr(ex.bstrDescription);
    r.source = pm::fromBstr(ex.bstrSource);
    r.number = static_cast<int>(ex.scode) & 0xFFFF;
    SysFreeString(ex.bstrDescription);
    SysFreeString(ex.bstrSource);
    SysFreeString(ex.bstrHelpFile);
    errors.push_back(r);
    if (onError) onError(e);
    return S_OK;
}

HRESULT TestSite::OnEnterScript() {
    ++enters;
    return S_OK;
}

HRESULT TestSite::OnLeaveScript() {
    ++leaves;
    if (onLeave) onLeave();
    return S_OK;
}

HRESULT TestSite::GetWindow(HWND* phwnd) {
    *phwnd = window;
    return S_OK;
}

Harness::Harness() {
    pm::registerVBScriptEngine();
    library(); // builds and registers the test type library
    CLSID clsid;
    CLSIDFromProgID(u"VBScript", &clsid);
    pm::ComPtr<IUnknown> unk;
    CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown, unk.putVoid());
    OleRun(unk.get());
    unk->QueryInterface(IID_IActiveScript, engine.putVoid());
    unk->QueryInterface(IID_IActiveScriptParse, parse.putVoid());
    parse->InitNew();
    site.attach(new TestSite);
    test.attach(new Recorder);
    site->items["test"] = static_cast<IDispatch*>(test.get());
    engine->SetScriptSite(site.get());
    engine->AddNamedItem(u"Test", SCRIPTITEM_ISVISIBLE | SCRIPTITEM_ISSOURCE);
}

Harness::~Harness() {
    if (engine) engine->Close();
}

HRESULT Harness::parseText(const std::string& text) {
    std::u16string wide = pm::toUtf16(text);
    return parse->ParseScriptText(wide.c_str(), nullptr, nullptr, nullptr, 0, 0, SCRIPTTEXT_HOSTMANAGESSOURCE,
                                  nullptr, nullptr);
}

HRESULT Harness::run(const std::string& text) {
    HRESULT hr = parseText(text);
    if (FAILED(hr)) return hr;
    return engine->SetScriptState(SCRIPTSTATE_CONNECTED);
}

} // namespace pm::test
