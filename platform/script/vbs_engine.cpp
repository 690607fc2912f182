// The Active Scripting engine object.

#include "platform/script/vbs_engine.h"
#include "platform/script/runtime/scripting_runtime.h"
#include "platform/script/vbs_event_sink.h"
#include "platform/script/vbs_parser.h"
#include "platform/script/vbs_script_error.h"
#include "platform/script/vbscript.h"

#include <algorithm>

namespace pm::vbs {

VBScriptEngine::VBScriptEngine() : m_runtime(std::make_unique<Runtime>(asHost(), m_interrupt)) {}

VBScriptEngine::~VBScriptEngine() {
    for (ItemRecord& it : m_items)
        if (it.sink) it.sink->detach();
}

HRESULT VBScriptEngine::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IUnknown || riid == IID_IActiveScript)
        return pm::answerInterface(static_cast<IActiveScript*>(this), ppv);
    if (riid == IID_IActiveScriptParse)
        return pm::answerInterface(static_cast<IActiveScriptParse*>(this), ppv);
    return E_NOINTERFACE;
}

void VBScriptEngine::changeState(SCRIPTSTATE state) {
    m_state = state;
    if (auto s = site()) s->OnStateChange(state);
}

HRESULT VBScriptEngine::SetScriptSite(IActiveScriptSite* pass) {
    if (!pass) return E_POINTER;
    if (m_site || m_state == SCRIPTSTATE_CLOSED) return E_UNEXPECTED;
    m_site = pass;
    changeState(SCRIPTSTATE_INITIALIZED);
    return S_OK;
}

HRESULT VBScriptEngine::GetScriptSite(REFIID riid, void** ppvObject) {
    if (!ppvObject) return E_POINTER;
    *ppvObject = nullptr;
    if (!m_site) return S_FALSE;
    return m_site->QueryInterface(riid, ppvObject);
}

HRESULT VBScriptEngine::InitNew() {
    return m_state == SCRIPTSTATE_CLOSED ? E_UNEXPECTED : S_OK;
}

bool VBScriptEngine::enter(const std::function<void(Runtime&)>& body) {
    pm::ComPtr<VBScriptEngine> self(this);
    Runtime* rt = m_runtime.get(); // kept alive in m_retired if reset meanwhile
    ++m_entryDepth;
    if (auto s = site()) s->OnEnterScript();
    bool ok = false;
    try {
        body(*rt);
        ok = true;
    } catch (const ScriptError& e) {
        if (!rt->aborted()) reportError(e, false);
    } catch (const AbortUnwind&) {
    }
    if (auto s = site()) s->OnLeaveScript();
    if (--m_entryDepth == 0) {
        m_retired.clear();
        m_interrupt = false;
    }
    return ok && !rt->aborted();
}

void VBScriptEngine::reportError(const ScriptError& e, bool compile, const std::string& text, DWORD context,
                                 ULONG startLine) {
    auto s = site();
    if (!s) return;
    ScriptErrorInfo::Data d;
    d.number = e.number;
    d.description = e.description;
    d.source = compile ? "VBScript compilation error" : "VBScript runtime error";
    d.column = e.pos.col;
    if (const Unit* u = m_runtime->unit(e.pos.unit)) {
        d.context = static_cast<DWORD>(u->context);
        d.line = static_cast<ULONG>(std::max(e.pos.line, 0)) + u->startLine;
        d.sourceLine = u->lineText(e.pos.line);
    } else {
        Unit scratch;
        scratch.source = text;
        d.context = context;
        d.line = static_cast<ULONG>(std::max(e.pos.line, 0)) + startLine;
        d.sourceLine = scratch.lineText(e.pos.line);
    }
    pm::ComPtr<ScriptErrorInfo> info;
    info.attach(new ScriptErrorInfo(std::move(d)));
    s->OnScriptError(info.get());
}

HRESULT VBScriptEngine::ParseScriptText(LPCOLESTR pstrCode, LPCOLESTR pstrItemName, IUnknown*, LPCOLESTR,
                                        DWORD_PTR dwSourceContextCookie, ULONG ulStartingLineNumber,
                                        DWORD dwFlags, VARIANT* pvarResult, EXCEPINFO* pexcepinfo) {
    if (pvarResult) VariantInit(pvarResult);
    if (pexcepinfo) *pexcepinfo = EXCEPINFO{};
    if (m_state == SCRIPTSTATE_UNINITIALIZED || m_state == SCRIPTSTATE_CLOSED) return E_UNEXPECTED;
    if ((pstrItemName && *pstrItemName) || (dwFlags & SCRIPTTEXT_ISEXPRESSION)) return E_NOTIMPL;
    std::string text = pm::toBytes(pstrCode ? pstrCode : u"", pm::oleStrLen(pstrCode));
    std::unique_ptr<Unit> unit;
    try {
        unit = parseUnit(text, m_runtime->unitCount());
        unit->source = text;
        unit->context = dwSourceContextCookie;
        unit->startLine = ulStartingLineNumber;
        m_runtime->loadUnit(std::move(unit));
    } catch (const ScriptError& e) {
        reportError(e, true, text, static_cast<DWORD>(dwSourceContextCookie), ulStartingLineNumber);
        return SCRIPT_E_REPORTED;
    }
    if (m_state == SCRIPTSTATE_STARTED || m_state == SCRIPTSTATE_CONNECTED ||
        m_state == SCRIPTSTATE_DISCONNECTED)
        runGlobalCode();
    return S_OK;
}

void VBScriptEngine::runGlobalCode() {
    if (!m_runtime->hasPending()) return;
    enter([](Runtime& rt) { rt.runPending(); });
}

HRESULT VBScriptEngine::SetScriptState(SCRIPTSTATE ss) {
    switch (ss) {
    case SCRIPTSTATE_CONNECTED: {
        if (m_state == SCRIPTSTATE_DISCONNECTED) {
            changeState(SCRIPTSTATE_CONNECTED);
            return S_OK;
        }
        if (m_state != SCRIPTSTATE_INITIALIZED && m_state != SCRIPTSTATE_STARTED) return E_UNEXPECTED;
        Runtime* rt = m_runtime.get();
        if (m_state == SCRIPTSTATE_INITIALIZED) changeState(SCRIPTSTATE_STARTED);
        runGlobalCode();
        // A state change made while the global code ran (a reset, a close) wins.
        if (m_runtime.get() != rt || rt->aborted() || m_state != SCRIPTSTATE_STARTED) return S_OK;
        connectSinks();
        changeState(SCRIPTSTATE_CONNECTED);
        return S_OK;
    }
    case SCRIPTSTATE_STARTED:
        if (m_state != SCRIPTSTATE_INITIALIZED) return E_UNEXPECTED;
        changeState(SCRIPTSTATE_STARTED);
        runGlobalCode();
        return S_OK;
    case SCRIPTSTATE_DISCONNECTED:
        if (m_state != SCRIPTSTATE_CONNECTED && m_state != SCRIPTSTATE_STARTED) return E_UNEXPECTED;
        changeState(SCRIPTSTATE_DISCONNECTED);
        return S_OK;
    case SCRIPTSTATE_INITIALIZED:
        if (m_state == SCRIPTSTATE_UNINITIALIZED || m_state == SCRIPTSTATE_CLOSED) return E_UNEXPECTED;
        if (m_state == SCRIPTSTATE_INITIALIZED && !m_runtime->hasPending() && m_runtime->unitCount() == 0)
            return S_OK;
        disconnectSinks();
        resetRuntime(true);
        changeState(SCRIPTSTATE_INITIALIZED);
        return S_OK;
    default:
        return E_INVALIDARG;
    }
}

HRESULT VBScriptEngine::GetScriptState(SCRIPTSTATE* pssState) {
    if (!pssState) return E_POINTER;
    *pssState = m_state;
    return S_OK;
}

void VBScriptEngine::resetRuntime(bool keepPersistent) {
    if (m_entryDepth == 0 && !m_runtime->aborted()) {
        // Objects the variables still hold see their Class_Terminate, as at the end of a script.
        // This counts as an entry, so that a reset from inside it retires this runtime.
        pm::ComPtr<VBScriptEngine> self(this);
        ++m_entryDepth;
        m_runtime->releaseVariables();
        if (--m_entryDepth == 0) m_retired.clear();
    }
    m_runtime->abort();
    if (m_entryDepth > 0) m_retired.push_back(std::move(m_runtime));
    m_runtime = std::make_unique<Runtime>(asHost(), m_interrupt);
    std::vector<ItemRecord> kept;
    for (const ItemRecord& it : m_items)
        if (keepPersistent && (it.flags & SCRIPTITEM_ISPERSISTENT)) {
            ItemRecord record;
            record.name = it.name;
            record.flags = it.flags;
            m_runtime->addNamedItem(it.name, it.flags);
            kept.push_back(std::move(record));
        }
    m_items = std::move(kept);
}

HRESULT VBScriptEngine::Close() {
    if (m_state == SCRIPTSTATE_CLOSED) return S_OK;
    pm::ComPtr<VBScriptEngine> self(this);
    disconnectSinks();
    resetRuntime(false);
    changeState(SCRIPTSTATE_CLOSED);
    m_site.reset();
    return S_OK;
}

HRESULT VBScriptEngine::AddNamedItem(LPCOLESTR pstrName, DWORD dwFlags) {
    if (!pstrName || !*pstrName) return E_INVALIDARG;
    if (m_state == SCRIPTSTATE_UNINITIALIZED || m_state == SCRIPTSTATE_CLOSED) return E_UNEXPECTED;
    std::string name = pm::toBytes(pstrName, pm::oleStrLen(pstrName));
    m_runtime->addNamedItem(name, dwFlags);
    for (ItemRecord& it : m_items)
        if (lowerCase(it.name) == lowerCase(name)) {
            it.flags = dwFlags;
            return S_OK;
        }
    ItemRecord record;
    record.name = name;
    record.flags = dwFlags;
    m_items.push_back(std::move(record));
    if (m_state == SCRIPTSTATE_CONNECTED || m_state == SCRIPTSTATE_DISCONNECTED) connectSink(m_items.back());
    return S_OK;
}

HRESULT VBScriptEngine::AddTypeLib(REFGUID rguidTypeLib, DWORD dwMajor, DWORD dwMinor, DWORD) {
    if (m_state == SCRIPTSTATE_UNINITIALIZED || m_state == SCRIPTSTATE_CLOSED) return E_UNEXPECTED;
    pm::ComPtr<ITypeLib> lib;
    HRESULT hr =
        LoadRegTypeLib(rguidTypeLib, static_cast<WORD>(dwMajor), static_cast<WORD>(dwMinor), 0, lib.put());
    if (FAILED(hr)) return TYPE_E_LIBNOTREGISTERED;
    for (UINT i = 0; i < lib->GetTypeInfoCount(); ++i) {
        TYPEKIND kind;
        pm::ComPtr<ITypeInfo> info;
        if (FAILED(lib->GetTypeInfoType(i, &kind)) || kind != TKIND_ENUM ||
            FAILED(lib->GetTypeInfo(i, info.put())))
            continue;
        TYPEATTR* attr = nullptr;
        if (FAILED(info->GetTypeAttr(&attr))) continue;
        for (WORD v = 0; v < attr->cVars; ++v) {
            VARDESC* desc = nullptr;
            if (FAILED(info->GetVarDesc(v, &desc))) continue;
            BSTR name = nullptr;
            UINT count = 0;
            if (desc->varkind == VAR_CONST && desc->lpvarValue &&
                SUCCEEDED(info->GetNames(desc->memid, &name, 1, &count)) && count == 1)
                m_runtime->addConstant(pm::fromBstr(name), fromVariant(*desc->lpvarValue));
            SysFreeString(name);
            info->ReleaseVarDesc(desc);
        }
        info->ReleaseTypeAttr(attr);
    }
    return S_OK;
}

// Named items share the global scope (their code is global code), so every name answers it.
HRESULT VBScriptEngine::GetScriptDispatch(LPCOLESTR pstrItemName, IDispatch** ppdisp) {
    if (!ppdisp) return E_POINTER;
    *ppdisp = nullptr;
    if (m_state == SCRIPTSTATE_UNINITIALIZED || m_state == SCRIPTSTATE_CLOSED) return E_UNEXPECTED;
    if (pstrItemName && *pstrItemName) {
        std::string name = lowerCase(pm::toBytes(pstrItemName, pm::oleStrLen(pstrItemName)));
        bool known = std::any_of(m_items.begin(), m_items.end(),
                                 [&](const ItemRecord& it) { return lowerCase(it.name) == name; });
        if (!known) return E_INVALIDARG;
    }
    *ppdisp = m_runtime->scriptDispatch().detach();
    return S_OK;
}
HRESULT VBScriptEngine::GetCurrentScriptThreadID(SCRIPTTHREADID*) {
    return E_NOTIMPL;
}
HRESULT VBScriptEngine::GetScriptThreadID(DWORD, SCRIPTTHREADID*) {
    return E_NOTIMPL;
}
HRESULT VBScriptEngine::GetScriptThreadState(SCRIPTTHREADID, SCRIPTTHREADSTATE*) {
    return E_NOTIMPL;
}
HRESULT VBScriptEngine::Clone(IActiveScript** pp) {
    if (pp) *pp = nullptr;
    return E_NOTIMPL;
}
HRESULT VBScriptEngine::AddScriptlet(LPCOLESTR, LPCOLESTR, LPCOLESTR, LPCOLESTR, LPCOLESTR, LPCOLESTR,
                                     DWORD_PTR, ULONG, DWORD, BSTR* name, EXCEPINFO*) {
    if (name) *name = nullptr;
    return E_NOTIMPL;
}

HRESULT VBScriptEngine::InterruptScriptThread(SCRIPTTHREADID, const EXCEPINFO*, DWORD dwFlags) {
    if (dwFlags & SCRIPTINTERRUPT_DEBUG) return E_NOTIMPL;
    if (m_entryDepth.load() == 0) return S_OK; // nothing runs: nothing to stop later either
    m_interrupt = true;
    return S_OK;
}

pm::ComPtr<IDispatch> VBScriptEngine::itemObject(const std::string& name) {
    pm::ComPtr<IDispatch> out;
    auto s = site();
    if (!s) return out;
    std::u16string wide = pm::toUtf16(name);
    IUnknown* unk = nullptr;
    if (SUCCEEDED(s->GetItemInfo(wide.c_str(), SCRIPTINFO_IUNKNOWN, &unk, nullptr)) && unk) {
        unk->QueryInterface(IID_IDispatch, out.putVoid());
        unk->Release();
    }
    return out;
}

HWND VBScriptEngine::ownerWindow() {
    pm::ComPtr<IActiveScriptSiteWindow> window;
    HWND hwnd = nullptr;
    if (auto s = site();
        s && SUCCEEDED(s->QueryInterface(IID_IActiveScriptSiteWindow, window.putVoid())) && window)
        if (FAILED(window->GetWindow(&hwnd))) hwnd = nullptr;
    return hwnd;
}

void VBScriptEngine::enableModeless(bool enable) {
    pm::ComPtr<IActiveScriptSiteWindow> window;
    if (auto s = site();
        s && SUCCEEDED(s->QueryInterface(IID_IActiveScriptSiteWindow, window.putVoid())) && window)
        window->EnableModeless(enable ? TRUE : FALSE);
}

} // namespace pm::vbs

namespace pm {

void registerVBScriptEngine() {
    vbs::registerScriptingRuntime();
    registerClass(CLSID_VBScript, "VBScript", [](IUnknown** out) {
        *out = static_cast<IActiveScript*>(new vbs::VBScriptEngine);
        return S_OK;
    });
}

} // namespace pm
