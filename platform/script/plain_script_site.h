#pragma once
// A script site with no named items and no window, for scripts that run on their own (the
// engine's benchmark and fuzz target): it keeps the errors the engine reports.

#include "platform/com/comptr.h"
#include "platform/script/activscp.h"

#include <string>

namespace pm {

class PlainScriptSite final : public ComObject<IActiveScriptSite> {
public:
    // The number of errors reported, and the description and source line of the last one.
    int errors() const { return m_errors; }
    const std::string& lastError() const { return m_lastError; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    HRESULT STDMETHODCALLTYPE GetLCID(LCID* lcid) override;
    HRESULT STDMETHODCALLTYPE GetItemInfo(LPCOLESTR, DWORD, IUnknown**, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetDocVersionString(BSTR*) override;
    HRESULT STDMETHODCALLTYPE OnScriptTerminate(const VARIANT*, const EXCEPINFO*) override;
    HRESULT STDMETHODCALLTYPE OnStateChange(SCRIPTSTATE) override;
    HRESULT STDMETHODCALLTYPE OnScriptError(IActiveScriptError* error) override;
    HRESULT STDMETHODCALLTYPE OnEnterScript() override;
    HRESULT STDMETHODCALLTYPE OnLeaveScript() override;

private:
    int m_errors = 0;
    std::string m_lastError;
};

} // namespace pm
