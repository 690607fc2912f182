// Connection points: advised sinks kept in order, enumerated and fired through IDispatch.

#include "platform/com/connection_point.h"

#include <algorithm>

namespace pm {

namespace {

class ConnectionEnumerator final : public ComObject<IEnumConnections> {
public:
    explicit ConnectionEnumerator(std::vector<CONNECTDATA> items, size_t pos = 0)
        : m_items(std::move(items)), m_pos(pos) {
        for (auto& c : m_items)
            c.pUnk->AddRef();
    }
    ~ConnectionEnumerator() override {
        for (auto& c : m_items)
            c.pUnk->Release();
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (riid == IID_IUnknown || riid == IID_IEnumConnections) return answerInterface(this, ppv);
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG count, CONNECTDATA* out, ULONG* fetched) override {
        if (!out) return E_POINTER;
        ULONG n = 0;
        while (n < count && m_pos < m_items.size()) {
            out[n] = m_items[m_pos++];
            out[n].pUnk->AddRef();
            ++n;
        }
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        m_pos = std::min(m_items.size(), m_pos + count);
        return m_pos < m_items.size() ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        m_pos = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumConnections** pp) override {
        if (!pp) return E_POINTER;
        *pp = new ConnectionEnumerator(m_items, m_pos);
        return S_OK;
    }

private:
    std::vector<CONNECTDATA> m_items;
    size_t m_pos;
};

} // namespace

ConnectionPoint::ConnectionPoint(IConnectionPointContainer* container, const IID& iid)
    : m_container(container), m_iid(iid) {}

HRESULT ConnectionPoint::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IUnknown || riid == IID_IConnectionPoint) return answerInterface(this, ppv);
    return E_NOINTERFACE;
}

HRESULT ConnectionPoint::GetConnectionInterface(IID* pIID) {
    if (!pIID) return E_POINTER;
    *pIID = m_iid;
    return S_OK;
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** ppCPC) {
    if (!ppCPC) return E_POINTER;
    *ppCPC = m_container;
    if (!m_container) return E_UNEXPECTED;
    m_container->AddRef();
    return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* pUnkSink, DWORD* pdwCookie) {
    if (!pUnkSink || !pdwCookie) return E_POINTER;
    *pdwCookie = 0;
    ComPtr<IDispatch> sink;
    if (FAILED(pUnkSink->QueryInterface(m_iid, sink.putVoid())) &&
        FAILED(pUnkSink->QueryInterface(IID_IDispatch, sink.putVoid())))
        return CONNECT_E_CANNOTCONNECT;
    DWORD cookie = m_nextCookie++;
    m_sinks.push_back({cookie, std::move(sink)});
    *pdwCookie = cookie;
    if (m_adviseHook) m_adviseHook(true);
    return S_OK;
}

HRESULT ConnectionPoint::Unadvise(DWORD dwCookie) {
    for (auto it = m_sinks.begin(); it != m_sinks.end(); ++it)
        if (it->cookie == dwCookie) {
            ComPtr<IDispatch> keep = std::move(it->dispatch); // released after the list is consistent
            m_sinks.erase(it);
            if (m_adviseHook) m_adviseHook(false);
            return S_OK;
        }
    return CONNECT_E_NOCONNECTION;
}

HRESULT ConnectionPoint::EnumConnections(IEnumConnections** ppEnum) {
    if (!ppEnum) return E_POINTER;
    std::vector<CONNECTDATA> items;
    for (auto& s : m_sinks)
        items.push_back({s.dispatch.get(), s.cookie});
    *ppEnum = new ConnectionEnumerator(std::move(items));
    return S_OK;
}

HRESULT ConnectionPoint::fire(DISPID dispid, DISPPARAMS* params) {
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    // A copy, so that a handler may advise or unadvise while the event is delivered.
    std::vector<Sink> sinks = m_sinks;
    for (Sink& s : sinks) {
        HRESULT hr = s.dispatch->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                        params ? params : &none, nullptr, nullptr, nullptr);
        if (hr == DISP_E_UNKNOWNNAME || hr == DISP_E_MEMBERNOTFOUND) continue;
        if (FAILED(hr)) return hr;
    }
    return S_OK;
}

} // namespace pm
