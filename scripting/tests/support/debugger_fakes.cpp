#include "debugger_fakes.h"

#include "platform/com/comptr.h"
#include "platform/com/objbase.h"
#include "platform/com/oleauto.h"
#include "platform/script/activdbg.h"
#include "platform/script/vbscript.h"

#include <algorithm>

namespace scripttest {

std::vector<std::string>& DebugLog() {
    static std::vector<std::string> log;
    return log;
}

namespace {

const CLSID kProcessDebugManager = {
    0x78A51822, 0x51F4, 0x11D0, {0x8F, 0x20, 0x00, 0x80, 0x5F, 0x2C, 0xD0, 0x64}};
const CLSID kDebuggingEngine = {0x5C4E0030, 0x1111, 0x2222, {1, 2, 3, 4, 5, 6, 7, 30}};

void log(const std::string& entry) {
    DebugLog().push_back(entry);
}
std::string text(LPCOLESTR s) {
    return s ? pm::toBytes(s, pm::oleStrLen(s)) : "<null>";
}

class Application final : public pm::ComObject<IDebugApplication> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (riid == IID_IUnknown || riid == IID_IDebugApplication32) return pm::answerInterface(this, ppv);
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE SetName(LPCOLESTR name) override {
        log("SetName " + text(name));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE CauseBreak() override {
        log("CauseBreak");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE StartDebugSession() override {
        log("StartDebugSession");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetRootNode(IDebugApplicationNode** node) override {
        *node = nullptr;
        log("GetRootNode");
        return S_OK;
    }
};

class Document final : public pm::ComObject<IDebugDocumentHelper> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (riid == IID_IUnknown || riid == IID_IDebugDocumentHelper32) return pm::answerInterface(this, ppv);
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE Init(IDebugApplication* app, LPCOLESTR shortName, LPCOLESTR longName,
                                   DWORD) override {
        log("Init " + text(shortName) + " / " + text(longName) + (app ? "" : " without application"));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Attach(IDebugDocumentHelper* parent) override {
        log(parent ? "Attach to a parent" : "Attach");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Detach() override {
        log("Detach");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE AddUnicodeText(LPCOLESTR t) override {
        log("AddUnicodeText " + std::to_string(pm::oleStrLen(t)));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetShortName(LPCOLESTR name) override {
        log("SetShortName " + text(name));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetLongName(LPCOLESTR name) override {
        log("SetLongName " + text(name));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DefineScriptBlock(ULONG offset, ULONG count, IActiveScript*, BOOL,
                                                DWORD_PTR* context) override {
        log("DefineScriptBlock " + std::to_string(offset) + " " + std::to_string(count));
        *context = FakeDebugger::kBlockContext;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetScriptBlockInfo(DWORD_PTR, IActiveScript** script, ULONG* start,
                                                 ULONG* count) override {
        *script = nullptr;
        *start = 100;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE CreateDebugDocumentContext(ULONG position, ULONG count,
                                                         IDebugDocumentContext** out) override {
        *out = nullptr;
        log("DocumentContext " + std::to_string(position) + " " + std::to_string(count));
        return S_OK;
    }
};

class Manager final : public pm::ComObject<IProcessDebugManager> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (riid == IID_IUnknown || riid == IID_IProcessDebugManager32) return pm::answerInterface(this, ppv);
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE CreateApplication(IDebugApplication** app) override {
        *app = new Application;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE AddApplication(IDebugApplication* app, DWORD* cookie) override {
        log(app ? "AddApplication" : "AddApplication without application");
        *cookie = 5;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE RemoveApplication(DWORD cookie) override {
        log("RemoveApplication " + std::to_string(cookie));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE CreateDebugDocumentHelper(IUnknown*, IDebugDocumentHelper** helper) override {
        *helper = new Document;
        return S_OK;
    }
};

// A place in code: logs the breakpoint state it is given.
class CodePlace final : public pm::ComObject<IDebugCodeContext> {
public:
    CodePlace(DWORD_PTR context, ULONG offset) : m_context(context), m_offset(offset) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (riid == IID_IUnknown || riid == IID_IDebugCodeContext) return pm::answerInterface(this, ppv);
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE SetBreakPoint(BREAKPOINT_STATE state) override {
        log("Breakpoint " + std::to_string(state) + " at " + std::to_string(m_offset) + " of " +
            std::to_string(m_context));
        return S_OK;
    }

private:
    DWORD_PTR m_context;
    ULONG m_offset;
};

// Yields one place once.
class OnePlace final : public pm::ComObject<IEnumDebugCodeContexts> {
public:
    explicit OnePlace(IDebugCodeContext* place) : m_place(place) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (riid == IID_IUnknown || riid == IID_IEnumDebugCodeContexts) return pm::answerInterface(this, ppv);
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG, IDebugCodeContext** out, ULONG* fetched) override {
        *out = m_place.get();
        if (fetched) *fetched = *out ? 1 : 0;
        if (!*out) return S_FALSE;
        (*out)->AddRef();
        m_place.reset();
        return S_OK;
    }

private:
    pm::ComPtr<IDebugCodeContext> m_place;
};

// The VBScript engine with a debugging side.
class DebuggingScript final : public pm::ComObject<IActiveScript, IActiveScriptDebug32> {
public:
    DebuggingScript() {
        CoCreateInstance(CLSID_VBScript, nullptr, CLSCTX_ALL, IID_IActiveScript, m_inner.putVoid());
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (riid == IID_IUnknown || riid == IID_IActiveScript)
            return pm::answerInterface(static_cast<IActiveScript*>(this), ppv);
        if (riid == IID_IActiveScriptDebug32)
            return pm::answerInterface(static_cast<IActiveScriptDebug32*>(this), ppv);
        return m_inner->QueryInterface(riid, ppv);
    }
    HRESULT STDMETHODCALLTYPE GetScriptTextAttributes(LPCOLESTR code, ULONG count, LPCOLESTR, DWORD,
                                                      SOURCE_TEXT_ATTR* attr) override {
        const std::u16string t(code, count);
        std::fill(attr, attr + count, 0);
        for (size_t at = t.find(u"Sub"); at != std::u16string::npos; at = t.find(u"Sub", at + 3))
            std::fill(attr + at, attr + at + 3, kEngineMark);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetScriptletTextAttributes(LPCOLESTR, ULONG, LPCOLESTR, DWORD,
                                                         SOURCE_TEXT_ATTR*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE EnumCodeContextsOfPosition(DWORD_PTR context, ULONG offset, ULONG,
                                                         IEnumDebugCodeContexts** out) override {
        pm::ComPtr<IDebugCodeContext> place;
        place.attach(new CodePlace(context, offset));
        *out = new OnePlace(place.get());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetScriptSite(IActiveScriptSite* site) override {
        return m_inner->SetScriptSite(site);
    }
    HRESULT STDMETHODCALLTYPE GetScriptSite(REFIID riid, void** ppv) override {
        return m_inner->GetScriptSite(riid, ppv);
    }
    HRESULT STDMETHODCALLTYPE SetScriptState(SCRIPTSTATE ss) override { return m_inner->SetScriptState(ss); }
    HRESULT STDMETHODCALLTYPE GetScriptState(SCRIPTSTATE* ss) override { return m_inner->GetScriptState(ss); }
    HRESULT STDMETHODCALLTYPE Close() override { return m_inner->Close(); }
    HRESULT STDMETHODCALLTYPE AddNamedItem(LPCOLESTR name, DWORD flags) override {
        return m_inner->AddNamedItem(name, flags);
    }
    HRESULT STDMETHODCALLTYPE AddTypeLib(REFGUID lib, DWORD major, DWORD minor, DWORD flags) override {
        return m_inner->AddTypeLib(lib, major, minor, flags);
    }
    HRESULT STDMETHODCALLTYPE GetScriptDispatch(LPCOLESTR item, IDispatch** disp) override {
        return m_inner->GetScriptDispatch(item, disp);
    }
    HRESULT STDMETHODCALLTYPE GetCurrentScriptThreadID(SCRIPTTHREADID* id) override {
        return m_inner->GetCurrentScriptThreadID(id);
    }
    HRESULT STDMETHODCALLTYPE GetScriptThreadID(DWORD thread, SCRIPTTHREADID* id) override {
        return m_inner->GetScriptThreadID(thread, id);
    }
    HRESULT STDMETHODCALLTYPE GetScriptThreadState(SCRIPTTHREADID id, SCRIPTTHREADSTATE* state) override {
        return m_inner->GetScriptThreadState(id, state);
    }
    HRESULT STDMETHODCALLTYPE InterruptScriptThread(SCRIPTTHREADID id, const EXCEPINFO* info,
                                                    DWORD flags) override {
        return m_inner->InterruptScriptThread(id, info, flags);
    }
    HRESULT STDMETHODCALLTYPE Clone(IActiveScript** out) override { return m_inner->Clone(out); }

private:
    pm::ComPtr<IActiveScript> m_inner;
};

} // namespace

FakeDebugger::FakeDebugger() {
    DebugLog().clear();
    pm::registerClass(kProcessDebugManager, "ProcessDebugManager", [](IUnknown** out) {
        *out = new Manager;
        return S_OK;
    });
}

FakeDebugger::~FakeDebugger() {
    pm::unregisterClass(kProcessDebugManager);
}

void RegisterDebuggingEngine() {
    pm::registerVBScriptEngine();
    pm::registerClass(kDebuggingEngine, "Test.DebuggingEngine", [](IUnknown** out) {
        *out = static_cast<IActiveScript*>(new DebuggingScript);
        return S_OK;
    });
}

} // namespace scripttest

IMPLEMENT_DYNCREATE(CDebuggingVBScriptEngine, CHHVBScriptEngine)

HRESULT CDebuggingVBScriptEngine::Create(CHHDebugApplication* pDebugApp, LPCTSTR lpszName,
                                         LPCTSTR lpszLongName, BOOL bWantDebugDocument) {
    scripttest::RegisterDebuggingEngine();
    return CHHEngineRaw::Create("Test.DebuggingEngine", pDebugApp, lpszName, lpszLongName,
                                bWantDebugDocument);
}

// A host of any class: its engine is reached through the member's pointer, which a derived class
// may take.
pm::ComPtr<IActiveScriptSiteDebug32> CDebuggingVBScriptEngine::DebugSiteOf(CHHEngineRaw& host) {
    pm::ComPtr<IActiveScriptSiteDebug32> site;
    pm::ComPtr<IActiveScript>& script = host.*(&CDebuggingVBScriptEngine::m_pScript);
    if (script) script->GetScriptSite(IID_IActiveScriptSiteDebug32, site.putVoid());
    return site;
}
