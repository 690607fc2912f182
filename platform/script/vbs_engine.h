#pragma once
// VBScriptEngine: the Active Scripting object over the interpreter. It keeps the state machine,
// reports every state change and error to its site, connects Object_Event procedures to the
// connection points of source items, and survives re-entrant state changes and Close from inside
// its own callbacks (a reset while script code runs aborts that code and frees it once unwound).

#include "platform/script/activscp.h"
#include "platform/script/vbs_runtime.h"

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

namespace pm::vbs {

class EventSink;

class VBScriptEngine final : public pm::ComObject<IActiveScript, IActiveScriptParse>, private RuntimeHost {
public:
    VBScriptEngine();
    ~VBScriptEngine() override;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;

    // IActiveScript
    HRESULT STDMETHODCALLTYPE SetScriptSite(IActiveScriptSite* pass) override;
    HRESULT STDMETHODCALLTYPE GetScriptSite(REFIID riid, void** ppvObject) override;
    HRESULT STDMETHODCALLTYPE SetScriptState(SCRIPTSTATE ss) override;
    HRESULT STDMETHODCALLTYPE GetScriptState(SCRIPTSTATE* pssState) override;
    HRESULT STDMETHODCALLTYPE Close() override;
    HRESULT STDMETHODCALLTYPE AddNamedItem(LPCOLESTR pstrName, DWORD dwFlags) override;
    HRESULT STDMETHODCALLTYPE AddTypeLib(REFGUID rguidTypeLib, DWORD dwMajor, DWORD dwMinor,
                                         DWORD dwFlags) override;
    HRESULT STDMETHODCALLTYPE GetScriptDispatch(LPCOLESTR pstrItemName, IDispatch** ppdisp) override;
    HRESULT STDMETHODCALLTYPE GetCurrentScriptThreadID(SCRIPTTHREADID* pstidThread) override;
    HRESULT STDMETHODCALLTYPE GetScriptThreadID(DWORD dwWin32ThreadId, SCRIPTTHREADID* pstidThread) override;
    HRESULT STDMETHODCALLTYPE GetScriptThreadState(SCRIPTTHREADID stidThread,
                                                   SCRIPTTHREADSTATE* pstsState) override;
    // Aborts the running script (from any thread); SCRIPTINTERRUPT_DEBUG is not supported.
    HRESULT STDMETHODCALLTYPE InterruptScriptThread(SCRIPTTHREADID stidThread, const EXCEPINFO* pexcepinfo,
                                                    DWORD dwFlags) override;
    HRESULT STDMETHODCALLTYPE Clone(IActiveScript** ppscript) override;

    // IActiveScriptParse
    HRESULT STDMETHODCALLTYPE InitNew() override;
    HRESULT STDMETHODCALLTYPE AddScriptlet(LPCOLESTR, LPCOLESTR, LPCOLESTR, LPCOLESTR, LPCOLESTR, LPCOLESTR,
                                           DWORD_PTR, ULONG, DWORD, BSTR*, EXCEPINFO*) override;
    HRESULT STDMETHODCALLTYPE ParseScriptText(LPCOLESTR pstrCode, LPCOLESTR pstrItemName,
                                              IUnknown* punkContext, LPCOLESTR pstrDelimiter,
                                              DWORD_PTR dwSourceContextCookie, ULONG ulStartingLineNumber,
                                              DWORD dwFlags, VARIANT* pvarResult,
                                              EXCEPINFO* pexcepinfo) override;

    // Called by an event sink: runs Item_Event with the event's arguments.
    HRESULT fireEvent(const std::string& item, ITypeInfo* events, DISPID dispid, DISPPARAMS* params,
                      VARIANT* result);

private:
    struct ItemRecord {
        std::string name;
        DWORD flags = 0;
        pm::ComPtr<EventSink> sink;
        pm::ComPtr<IConnectionPoint> point;
        DWORD cookie = 0;
    };

    // RuntimeHost
    pm::ComPtr<IDispatch> itemObject(const std::string& name) override;
    HWND ownerWindow() override;
    void enableModeless(bool enable) override;

    void changeState(SCRIPTSTATE state);
    // Runs body as one entry into script code; false when it was aborted or failed.
    bool enter(const std::function<void(Runtime&)>& body);
    RuntimeHost& asHost() { return *this; }
    void reportError(const ScriptError& e, bool compile, const std::string& text = std::string(),
                     DWORD context = 0, ULONG startLine = 0);
    void runGlobalCode();
    void connectSinks();
    void connectSink(ItemRecord& item);
    void disconnectSinks();
    // Drops code, variables and the named items (but persistent ones when keepPersistent); a
    // runtime still executing is kept until its entry unwinds.
    void resetRuntime(bool keepPersistent);
    pm::ComPtr<IActiveScriptSite> site() const { return m_site; }

    SCRIPTSTATE m_state = SCRIPTSTATE_UNINITIALIZED;
    pm::ComPtr<IActiveScriptSite> m_site;
    std::atomic<bool> m_interrupt{false};
    std::unique_ptr<Runtime> m_runtime;
    std::vector<std::unique_ptr<Runtime>> m_retired;
    std::vector<ItemRecord> m_items;
    std::atomic<int> m_entryDepth{0}; // read by InterruptScriptThread on other threads
};

} // namespace pm::vbs
