#pragma once
// The error object handed to IActiveScriptSite::OnScriptError.

#include "platform/script/activscp.h"

#include <string>

namespace pm::vbs {

class ScriptErrorInfo final : public pm::ComObject<IActiveScriptError> {
public:
    struct Data {
        int number = 0;
        std::string description;
        std::string source; // "VBScript runtime error" or "VBScript compilation error"
        DWORD context = 0;
        ULONG line = 0;  // zero-based
        LONG column = 0; // zero-based
        std::string sourceLine;
    };
    explicit ScriptErrorInfo(Data data) : m_data(std::move(data)) {}
    const Data& data() const { return m_data; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    HRESULT STDMETHODCALLTYPE GetExceptionInfo(EXCEPINFO* pexcepinfo) override;
    HRESULT STDMETHODCALLTYPE GetSourcePosition(DWORD* context, ULONG* line, LONG* column) override;
    HRESULT STDMETHODCALLTYPE GetSourceLineText(BSTR* pbstrSourceLine) override;

private:
    Data m_data;
};

} // namespace pm::vbs
