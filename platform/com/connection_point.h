#pragma once
// A connection point that an event source embeds: it keeps the advised sinks in order and fires
// events on them through IDispatch.

#include "platform/com/comptr.h"
#include "platform/com/oleauto.h"

#include <functional>
#include <vector>

namespace pm {

class ConnectionPoint final : public ComObject<IConnectionPoint> {
public:
    // container is not owned (the container owns this point and outlives it).
    ConnectionPoint(IConnectionPointContainer* container, const IID& iid);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* pIID) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** ppCPC) override;
    // Takes sinks that answer the event IID or only IDispatch.
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* pUnkSink, DWORD* pdwCookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD dwCookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** ppEnum) override;

    // Calls Invoke(dispid, DISPATCH_METHOD) on every sink in order. DISP_E_UNKNOWNNAME and
    // DISP_E_MEMBERNOTFOUND (no handler) are ignored; another failure stops and is returned.
    HRESULT fire(DISPID dispid, DISPPARAMS* params);
    size_t connectionCount() const { return m_sinks.size(); }
    // Drops the container pointer when the container goes first.
    void detachContainer() { m_container = nullptr; }
    // Called with true after a sink connects and with false after one disconnects.
    void setAdviseHook(std::function<void(bool)> hook) { m_adviseHook = std::move(hook); }

private:
    struct Sink {
        DWORD cookie;
        ComPtr<IDispatch> dispatch;
    };
    IConnectionPointContainer* m_container;
    IID m_iid;
    DWORD m_nextCookie = 1;
    std::vector<Sink> m_sinks;
    std::function<void(bool)> m_adviseHook;
};

} // namespace pm
