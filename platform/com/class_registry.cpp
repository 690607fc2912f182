// The in-process class registry: CLSID and ProgID to a creator, and object creation.

#include "platform/com/comptr.h"
#include "platform/com/objbase.h"
#include "platform/com/oleauto.h"

#include <mutex>
#include <string>
#include <vector>

namespace {

struct ClassEntry {
    CLSID clsid;
    std::string progId;
    pm::ClassCreator creator;
    GUID typeLib;
    WORD major, minor;
};

std::mutex& registryMutex() {
    static std::mutex m;
    return m;
}

std::vector<ClassEntry>& classes() {
    static std::vector<ClassEntry> list;
    return list;
}

bool sameProgId(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
        if (x != y) return false;
    }
    return true;
}

bool findClass(const CLSID& clsid, ClassEntry& out) {
    std::lock_guard<std::mutex> lock(registryMutex());
    for (const ClassEntry& e : classes())
        if (e.clsid == clsid) {
            out = e;
            return true;
        }
    return false;
}

// A factory object over a registered creator, for CoGetClassObject.
class CreatorFactory final : public pm::ComObject<IClassFactory> {
public:
    explicit CreatorFactory(pm::ClassCreator creator) : m_creator(std::move(creator)) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (riid == IID_IUnknown || riid == IID_IClassFactory) return pm::answerInterface(this, ppv);
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        pm::ComPtr<IUnknown> object;
        HRESULT hr = m_creator(object.put());
        if (FAILED(hr)) return hr;
        if (!object) return E_UNEXPECTED;
        return object->QueryInterface(riid, ppv);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    pm::ClassCreator m_creator;
};

} // namespace

namespace pm {

void registerClass(const CLSID& clsid, const char* progId, ClassCreator creator, const GUID& typeLib,
                   WORD major, WORD minor) {
    std::lock_guard<std::mutex> lock(registryMutex());
    auto& list = classes();
    ClassEntry entry{clsid, progId ? progId : "", std::move(creator), typeLib, major, minor};
    for (ClassEntry& e : list)
        if (e.clsid == clsid) {
            e = std::move(entry);
            return;
        }
    list.push_back(std::move(entry));
}

void unregisterClass(const CLSID& clsid) {
    std::lock_guard<std::mutex> lock(registryMutex());
    auto& list = classes();
    for (auto it = list.begin(); it != list.end(); ++it)
        if (it->clsid == clsid) {
            list.erase(it);
            return;
        }
}

bool classTypeLib(const CLSID& clsid, GUID& typeLib, WORD& major, WORD& minor) {
    ClassEntry e;
    if (!findClass(clsid, e) || e.typeLib == GUID_NULL) return false;
    typeLib = e.typeLib;
    major = e.major;
    minor = e.minor;
    return true;
}

} // namespace pm

HRESULT CoInitialize(LPVOID) {
    return S_OK;
}
void CoUninitialize() {}
HRESULT OleInitialize(LPVOID) {
    return S_OK;
}
void OleUninitialize() {}

HRESULT CLSIDFromProgID(LPCOLESTR lpszProgID, LPCLSID lpclsid) {
    if (!lpszProgID || !lpclsid) return E_INVALIDARG;
    std::string name = pm::toBytes(lpszProgID, pm::oleStrLen(lpszProgID));
    std::lock_guard<std::mutex> lock(registryMutex());
    for (const ClassEntry& e : classes())
        if (!e.progId.empty() && sameProgId(e.progId, name)) {
            *lpclsid = e.clsid;
            return S_OK;
        }
    *lpclsid = GUID_NULL;
    return CO_E_CLASSSTRING;
}

HRESULT CLSIDFromString(LPCOLESTR lpsz, LPCLSID pclsid) {
    if (!pclsid) return E_INVALIDARG;
    if (!lpsz) {
        *pclsid = GUID_NULL;
        return S_OK;
    }
    std::string text = pm::toBytes(lpsz, pm::oleStrLen(lpsz));
    if (!text.empty() && text[0] == '{') {
        if (pm::parseGuid(text.c_str(), *pclsid)) return S_OK;
        *pclsid = GUID_NULL;
        return CO_E_CLASSSTRING;
    }
    return CLSIDFromProgID(lpsz, pclsid);
}

HRESULT ProgIDFromCLSID(REFCLSID clsid, LPOLESTR* lplpszProgID) {
    if (!lplpszProgID) return E_INVALIDARG;
    ClassEntry e;
    if (!findClass(clsid, e) || e.progId.empty()) return REGDB_E_CLASSNOTREG;
    std::u16string wide = pm::toUtf16(e.progId);
    auto* out = static_cast<LPOLESTR>(CoTaskMemAlloc((wide.size() + 1) * sizeof(OLECHAR)));
    if (!out) return E_OUTOFMEMORY;
    std::copy(wide.begin(), wide.end(), out);
    out[wide.size()] = 0;
    *lplpszProgID = out;
    return S_OK;
}

HRESULT CoGetClassObject(REFCLSID rclsid, DWORD, LPVOID, REFIID riid, LPVOID* ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    ClassEntry e;
    if (!findClass(rclsid, e)) return REGDB_E_CLASSNOTREG;
    pm::ComPtr<IClassFactory> factory;
    factory.attach(new CreatorFactory(e.creator));
    return factory->QueryInterface(riid, ppv);
}

HRESULT CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID* ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    pm::ComPtr<IClassFactory> factory;
    HRESULT hr = CoGetClassObject(rclsid, dwClsContext, nullptr, IID_IClassFactory, factory.putVoid());
    if (FAILED(hr)) return hr;
    return factory->CreateInstance(pUnkOuter, riid, ppv);
}

HRESULT OleRun(LPUNKNOWN pUnknown) {
    return pUnknown ? S_OK : E_INVALIDARG;
}
