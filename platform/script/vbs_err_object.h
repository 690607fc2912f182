#pragma once
// The script's Err object: the last error caught by On Error Resume Next, and Err.Raise.

#include "platform/script/vbs_value.h"

namespace pm::vbs {

class ErrObject final : public pm::ComObject<IDispatch> {
public:
    void set(const ScriptError& e);
    void clear();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* excep, UINT* argErr) override;

private:
    HRESULT raise(DISPPARAMS* params, EXCEPINFO* excep);

    int m_number = 0;
    std::string m_description;
    std::string m_source;
    std::string m_helpFile;
    int m_helpContext = 0;
};

} // namespace pm::vbs
