#pragma once
// Test harness for the script engine: a site that records states, errors and entries, and a
// "Test" object that records calls and sources events through a connection point.

#include "platform/com/connection_point.h"
#include "platform/script/activscp.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace pm::test {

struct ErrorRecord {
    int number = 0;
    std::string description;
    std::string source;
    ULONG line = 0;
    LONG column = 0;
    std::string sourceLine;
};

// Event ids of the test object's event interface.
enum : DISPID { kEventPing = 1, kEventChanged = 2, kEventCount = 3 };

// The test object. Members: Log(v) records v as text; Add(a, b); Bump(x) adds 1 to x (by
// reference); Value (read/write, the default member); CallBack() runs onCallBack; Items(i) reads
// an indexed property.
class Recorder final : public pm::ComObject<IDispatch, IConnectionPointContainer, IProvideClassInfo> {
public:
    Recorder();
    ~Recorder() override;
    std::vector<std::string> log;
    std::function<void()> onCallBack;
    pm::ComPtr<pm::ConnectionPoint> events;

    // Fires an event on every connected sink.
    HRESULT fire(DISPID id, std::vector<VARIANT> args = {});

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** pp) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* excep, UINT* argErr) override;
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** pp) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** pp) override;
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** pp) override;

private:
    VARIANT m_value;
};

// The type library of the test object (registered under its library id).
ITypeInfo* recorderClassInfo();
extern const IID kRecorderEventsIid;
extern const GUID kTestLibId;

class TestSite final : public pm::ComObject<IActiveScriptSite, IActiveScriptSiteWindow> {
public:
    std::vector<SCRIPTSTATE> states;
    std::vector<ErrorRecord> errors;
    int enters = 0, leaves = 0;
    std::map<std::string, IUnknown*> items; // lower-case name -> object (not owned)
    std::function<void(IActiveScriptError*)> onError;
    std::function<void()> onLeave;
    HWND window = nullptr; // answered by GetWindow: the owner of MsgBox and InputBox

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    HRESULT STDMETHODCALLTYPE GetLCID(LCID* plcid) override;
    HRESULT STDMETHODCALLTYPE GetItemInfo(LPCOLESTR name, DWORD mask, IUnknown** unk,
                                          ITypeInfo** ti) override;
    HRESULT STDMETHODCALLTYPE GetDocVersionString(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnScriptTerminate(const VARIANT*, const EXCEPINFO*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnStateChange(SCRIPTSTATE s) override;
    HRESULT STDMETHODCALLTYPE OnScriptError(IActiveScriptError* e) override;
    HRESULT STDMETHODCALLTYPE OnEnterScript() override;
    HRESULT STDMETHODCALLTYPE OnLeaveScript() override;
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* phwnd) override;
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
};

// An engine with a site and the "Test" item, ready for text.
struct Harness {
    Harness();
    ~Harness();
    pm::ComPtr<IActiveScript> engine;
    pm::ComPtr<IActiveScriptParse> parse;
    pm::ComPtr<TestSite> site;
    pm::ComPtr<Recorder> test;

    HRESULT parseText(const std::string& text);
    // Parses and connects; the log of the Test object is the result.
    HRESULT run(const std::string& text);
};

std::string variantText(const VARIANT& v);

} // namespace pm::test
