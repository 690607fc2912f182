#include "platform/script/plain_script_site.h"

#include "platform/com/oleauto.h"

namespace pm {

HRESULT STDMETHODCALLTYPE PlainScriptSite::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IUnknown || riid == IID_IActiveScriptSite) return answerInterface(this, ppv);
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE PlainScriptSite::GetLCID(LCID* lcid) {
    if (!lcid) return E_POINTER;
    *lcid = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PlainScriptSite::GetItemInfo(LPCOLESTR, DWORD, IUnknown**, ITypeInfo**) {
    return E_UNEXPECTED; // no named items
}

HRESULT STDMETHODCALLTYPE PlainScriptSite::GetDocVersionString(BSTR*) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE PlainScriptSite::OnScriptTerminate(const VARIANT*, const EXCEPINFO*) {
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PlainScriptSite::OnStateChange(SCRIPTSTATE) {
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PlainScriptSite::OnScriptError(IActiveScriptError* error) {
    ++m_errors;
    if (!error) return S_OK;
    EXCEPINFO info{};
    error->GetExceptionInfo(&info);
    BSTR line = nullptr;
    error->GetSourceLineText(&line);
    m_lastError = fromBstr(info.bstrDescription) + " in: " + fromBstr(line);
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrHelpFile);
    SysFreeString(line);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PlainScriptSite::OnEnterScript() {
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PlainScriptSite::OnLeaveScript() {
    return S_OK;
}

} // namespace pm
