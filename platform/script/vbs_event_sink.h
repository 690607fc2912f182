#pragma once
// The sink the engine advises on a source item's connection point: it answers the item's event
// interface and IDispatch, and hands every call to the engine while the engine is attached.

#include "platform/script/vbs_engine.h"

namespace pm::vbs {

class EventSink final : public pm::ComObject<IDispatch> {
public:
    EventSink(VBScriptEngine* engine, std::string item, const IID& events, ITypeInfo* eventInfo)
        : m_engine(engine), m_item(std::move(item)), m_events(events), m_eventInfo(eventInfo) {}
    // The engine lets go (reset or close); later calls return S_OK without running anything.
    void detach() { m_engine = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == m_events)
            return pm::answerInterface(this, ppv);
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
        if (!n) return E_POINTER;
        *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** pp) override {
        if (pp) *pp = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO*, UINT*) override {
        if (!m_engine) return S_OK;
        pm::ComPtr<VBScriptEngine> keep(m_engine);
        return m_engine->fireEvent(m_item, m_eventInfo.get(), id, params, result);
    }

private:
    VBScriptEngine* m_engine;
    std::string m_item;
    IID m_events;
    pm::ComPtr<ITypeInfo> m_eventInfo;
};

} // namespace pm::vbs
