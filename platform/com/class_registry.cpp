// The class registry: CLSID and ProgID to a creator in this process, and object creation. A
// registered class is also described in HKEY_CLASSES_ROOT ("<ProgID>\CLSID", "CLSID\{...}\ProgID",
// "Typelib" and "Version"), where ProgIDs are looked up and where hosts find a class's type library.

#include "platform/com/comptr.h"
#include "platform/com/objbase.h"
#include "platform/com/oleauto.h"

#include "platform/win/winreg.h"

#include <cstring>
#include <initializer_list>
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

// The default value of a key under HKEY_CLASSES_ROOT; empty when missing.
std::string readClassesText(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return {};
    char buffer[256];
    DWORD size = sizeof buffer, type = 0;
    LSTATUS status = RegQueryValueEx(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ || size == 0) return {};
    return std::string(buffer, strnlen(buffer, size));
}

// Sets the default value of a key under HKEY_CLASSES_ROOT, creating it; unchanged texts are not
// written again (every start of a program registers its classes).
void writeClassesText(const std::string& path, const std::string& text) {
    if (readClassesText(path) == text) return;
    HKEY key = nullptr;
    if (RegCreateKeyEx(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueEx(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                  static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
}

void deleteClassesKey(const std::string& path, std::initializer_list<const char*> subkeys) {
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    for (const char* sub : subkeys)
        RegDeleteKey(key, sub);
    RegCloseKey(key);
    RegDeleteKey(HKEY_CLASSES_ROOT, path.c_str());
}

// A ProgID that can name a key of its own: no path separator, at most 255 bytes.
bool usableProgId(const std::string& progId) {
    return !progId.empty() && progId.size() <= 255 && progId.find('\\') == std::string::npos;
}

std::string clsidKey(const CLSID& clsid) {
    return "CLSID\\" + pm::guidToString(clsid);
}

// Writes the class's entries: the ProgID's CLSID, and the class's ProgID and type library.
void describeClass(const ClassEntry& e) {
    std::string key = clsidKey(e.clsid);
    if (usableProgId(e.progId)) {
        writeClassesText(e.progId + "\\CLSID", pm::guidToString(e.clsid));
        writeClassesText(key + "\\ProgID", e.progId);
    }
    if (e.typeLib != GUID_NULL) {
        writeClassesText(key + "\\Typelib", pm::guidToString(e.typeLib));
        writeClassesText(key + "\\Version", std::to_string(e.major) + "." + std::to_string(e.minor));
    }
}

// A ProgID's class as HKEY_CLASSES_ROOT describes it.
bool registeredProgId(const std::string& progId, CLSID& clsid) {
    if (!usableProgId(progId)) return false;
    std::string text = readClassesText(progId + "\\CLSID");
    return !text.empty() && pm::parseGuid(text.c_str(), clsid);
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
    ClassEntry entry{clsid, progId ? progId : "", std::move(creator), typeLib, major, minor};
    describeClass(entry);
    std::lock_guard<std::mutex> lock(registryMutex());
    auto& list = classes();
    for (ClassEntry& e : list)
        if (e.clsid == clsid) {
            e = std::move(entry);
            return;
        }
    list.push_back(std::move(entry));
}

void unregisterClass(const CLSID& clsid) {
    ClassEntry e;
    if (!findClass(clsid, e)) return;
    {
        std::lock_guard<std::mutex> lock(registryMutex());
        auto& list = classes();
        for (auto it = list.begin(); it != list.end(); ++it)
            if (it->clsid == clsid) {
                list.erase(it);
                break;
            }
    }
    if (usableProgId(e.progId) && readClassesText(e.progId + "\\CLSID") == guidToString(clsid))
        deleteClassesKey(e.progId, {"CLSID"});
    deleteClassesKey(clsidKey(clsid), {"ProgID", "Typelib", "Version"});
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
    if (registeredProgId(name, *lpclsid)) return S_OK;
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
