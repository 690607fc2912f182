// The script error object.

#include "platform/script/vbs_script_error.h"
#include "platform/script/vbs_error.h"

namespace pm::vbs {

HRESULT ScriptErrorInfo::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IUnknown || riid == IID_IActiveScriptError) return pm::answerInterface(this, ppv);
    return E_NOINTERFACE;
}

HRESULT ScriptErrorInfo::GetExceptionInfo(EXCEPINFO* pexcepinfo) {
    if (!pexcepinfo) return E_POINTER;
    *pexcepinfo = EXCEPINFO{};
    pexcepinfo->scode = errorHresult(m_data.number);
    pexcepinfo->bstrSource = pm::toBstr(m_data.source);
    pexcepinfo->bstrDescription = pm::toBstr(m_data.description);
    return S_OK;
}

HRESULT ScriptErrorInfo::GetSourcePosition(DWORD* context, ULONG* line, LONG* column) {
    if (context) *context = m_data.context;
    if (line) *line = m_data.line;
    if (column) *column = m_data.column;
    return S_OK;
}

HRESULT ScriptErrorInfo::GetSourceLineText(BSTR* pbstrSourceLine) {
    if (!pbstrSourceLine) return E_POINTER;
    *pbstrSourceLine = pm::toBstr(m_data.sourceLine);
    return S_OK;
}

} // namespace pm::vbs
