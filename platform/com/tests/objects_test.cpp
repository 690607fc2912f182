#include "platform/com/com.h"
#include "platform/com/connection_point.h"
#include "platform/com/typelib_builder.h"
#include "platform/win/winreg.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

const GUID kLib = {0x11111111, 1, 1, {1, 2, 3, 4, 5, 6, 7, 8}};
const GUID kItf = {0x11111112, 1, 1, {1, 2, 3, 4, 5, 6, 7, 8}};
const GUID kEvents = {0x11111113, 1, 1, {1, 2, 3, 4, 5, 6, 7, 8}};
const GUID kClass = {0x11111114, 1, 1, {1, 2, 3, 4, 5, 6, 7, 8}};
const GUID kEnum = {0x11111115, 1, 1, {1, 2, 3, 4, 5, 6, 7, 8}};

ITypeLib* buildLibrary() {
    pm::TypeLibBuilder b(kLib, "TestLib", 1, 2);
    auto& colours = b.enumeration("Colours", kEnum);
    pm::addConstant(colours, "Red", 1);
    pm::addConstant(colours, "Green", 2);
    auto& itf = b.dispinterface("IThing", kItf);
    pm::addProperty(itf, "Colour", 1, pm::TypeRef::user("Colours"));
    pm::addMethod(itf, "Add", 2, VT_I4,
                  {{"a", VT_I4}, {"b", pm::TypeRef::pointerTo(VT_VARIANT), PARAMFLAG_FOPT}});
    auto& ev = b.dispinterface("IThingEvents", kEvents);
    pm::addMethod(ev, "Changed", 1, VT_VOID, {{"value", VT_I4}});
    auto& cls = b.coclass("Thing", kClass);
    cls.impls = {{"IThing", IMPLTYPEFLAG_FDEFAULT},
                 {"IThingEvents", IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE}};
    return b.build();
}

TEST(TypeLib, BuiltLibraryDescribesItsTypes) {
    pm::ComPtr<ITypeLib> lib;
    lib.attach(buildLibrary());
    ASSERT_TRUE(lib);
    EXPECT_EQ(lib->GetTypeInfoCount(), 4u);
    pm::ComPtr<ITypeInfo> cls;
    ASSERT_EQ(lib->GetTypeInfoOfGuid(kClass, cls.put()), S_OK);
    TYPEATTR* attr;
    ASSERT_EQ(cls->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(attr->typekind, TKIND_COCLASS);
    EXPECT_EQ(attr->cImplTypes, 2);
    cls->ReleaseTypeAttr(attr);
    INT flags;
    cls->GetImplTypeFlags(1, &flags);
    EXPECT_EQ(flags, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE);
    HREFTYPE ref;
    ASSERT_EQ(cls->GetRefTypeOfImplType(1, &ref), S_OK);
    pm::ComPtr<ITypeInfo> events;
    ASSERT_EQ(cls->GetRefTypeInfo(ref, events.put()), S_OK);
    FUNCDESC* fd;
    ASSERT_EQ(events->GetFuncDesc(0, &fd), S_OK);
    EXPECT_EQ(fd->memid, 1);
    EXPECT_EQ(fd->cParams, 1);
    events->ReleaseFuncDesc(fd);
    BSTR names[3];
    UINT count;
    pm::ComPtr<ITypeInfo> itf;
    ASSERT_EQ(lib->GetTypeInfoOfGuid(kItf, itf.put()), S_OK);
    ASSERT_EQ(itf->GetNames(2, names, 3, &count), S_OK);
    ASSERT_EQ(count, 3u);
    EXPECT_EQ(pm::fromBstr(names[2]), "b");
    for (UINT i = 0; i < count; ++i)
        SysFreeString(names[i]);
    ASSERT_EQ(itf->GetFuncDesc(0, &fd), S_OK);
    EXPECT_EQ(fd->lprgelemdescParam[1].tdesc.vt, VT_PTR);
    EXPECT_EQ(fd->lprgelemdescParam[1].tdesc.lptdesc->vt, VT_VARIANT);
    itf->ReleaseFuncDesc(fd);
    std::u16string name = u"add";
    LPOLESTR n = name.data();
    MEMBERID id;
    EXPECT_EQ(itf->GetIDsOfNames(&n, 1, &id), S_OK);
    EXPECT_EQ(id, 2);
    VARDESC* vd;
    ASSERT_EQ(itf->GetVarDesc(0, &vd), S_OK);
    ASSERT_EQ(vd->elemdescVar.tdesc.vt, VT_USERDEFINED);
    pm::ComPtr<ITypeInfo> en;
    ASSERT_EQ(itf->GetRefTypeInfo(vd->elemdescVar.tdesc.hreftype, en.put()), S_OK);
    itf->ReleaseVarDesc(vd);
    ASSERT_EQ(en->GetVarDesc(1, &vd), S_OK);
    EXPECT_EQ(vd->varkind, VAR_CONST);
    EXPECT_EQ(vd->lpvarValue->lVal, 2);
    en->ReleaseVarDesc(vd);
}

TEST(TypeLib, UnknownTypeNameFailsAndRegistryFindsByVersion) {
    pm::TypeLibBuilder b(kLib, "Broken");
    b.coclass("C", kClass).impls = {{"Missing", 0}};
    EXPECT_EQ(b.build(), nullptr);
    pm::ComPtr<ITypeLib> lib;
    lib.attach(buildLibrary());
    ASSERT_EQ(RegisterTypeLib(lib.get(), nullptr, nullptr), S_OK);
    pm::ComPtr<ITypeLib> found;
    EXPECT_EQ(LoadRegTypeLib(kLib, 1, 0, 0, found.put()), S_OK);
    EXPECT_EQ(found.get(), lib.get());
    EXPECT_EQ(LoadRegTypeLib(kLib, 1, 3, 0, found.put()), TYPE_E_LIBNOTREGISTERED);
    EXPECT_EQ(LoadRegTypeLib(kLib, 2, 0, 0, found.put()), TYPE_E_LIBNOTREGISTERED);
    EXPECT_EQ(LoadTypeLib(u"testlib", found.put()), S_OK);
    UnRegisterTypeLib(kLib, 1, 2, 0, SYS_WIN64);
}

// A sink that records the dispids it receives and answers with a chosen result.
class Sink final : public pm::ComObject<IDispatch> {
public:
    explicit Sink(HRESULT answer) : m_answer(answer) {}
    std::vector<DISPID> calls;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (riid == IID_IUnknown || riid == IID_IDispatch) return pm::answerInterface(this, ppv);
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { return *n = 0, S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        calls.push_back(id);
        return m_answer;
    }

private:
    HRESULT m_answer;
};

TEST(ConnectionPoint, FiresInOrderIgnoringMissingHandlersAndStopsAtFailure) {
    pm::ComPtr<pm::ConnectionPoint> cp;
    cp.attach(new pm::ConnectionPoint(nullptr, kEvents));
    pm::ComPtr<Sink> silent, failing, last;
    silent.attach(new Sink(DISP_E_MEMBERNOTFOUND));
    failing.attach(new Sink(E_FAIL));
    last.attach(new Sink(S_OK));
    DWORD c1, c2, c3;
    ASSERT_EQ(cp->Advise(silent.get(), &c1), S_OK);
    ASSERT_EQ(cp->Advise(failing.get(), &c2), S_OK);
    ASSERT_EQ(cp->Advise(last.get(), &c3), S_OK);
    EXPECT_EQ(cp->fire(7, nullptr), E_FAIL);
    EXPECT_EQ(silent->calls.size(), 1u);
    EXPECT_TRUE(last->calls.empty());
    ASSERT_EQ(cp->Unadvise(c2), S_OK);
    EXPECT_EQ(cp->Unadvise(c2), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(cp->fire(7, nullptr), S_OK);
    EXPECT_EQ(last->calls.size(), 1u);
    pm::ComPtr<IEnumConnections> en;
    ASSERT_EQ(cp->EnumConnections(en.put()), S_OK);
    CONNECTDATA cd[3];
    ULONG got;
    EXPECT_EQ(en->Next(3, cd, &got), S_FALSE);
    EXPECT_EQ(got, 2u);
    for (ULONG i = 0; i < got; ++i)
        cd[i].pUnk->Release();
}

TEST(ClassRegistry, CreatesByProgIdAndClsidText) {
    int created = 0;
    pm::registerClass(kClass, "Test.Thing", [&](IUnknown** out) {
        ++created;
        *out = new Sink(S_OK);
        return S_OK;
    });
    CLSID clsid;
    ASSERT_EQ(CLSIDFromProgID(u"test.thing", &clsid), S_OK);
    EXPECT_EQ(clsid, kClass);
    std::u16string text = pm::toUtf16(pm::guidToString(kClass));
    ASSERT_EQ(CLSIDFromString(text.c_str(), &clsid), S_OK);
    pm::ComPtr<IDispatch> obj;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IDispatch, obj.putVoid()), S_OK);
    EXPECT_EQ(created, 1);
    EXPECT_EQ(OleRun(obj.get()), S_OK);
    EXPECT_EQ(CLSIDFromProgID(u"No.Such", &clsid), CO_E_CLASSSTRING);
    pm::unregisterClass(kClass);
    EXPECT_EQ(CoCreateInstance(kClass, nullptr, CLSCTX_ALL, IID_IUnknown, obj.putVoid()),
              REGDB_E_CLASSNOTREG);
}

// The default value of a key under HKEY_CLASSES_ROOT, or "(none)".
std::string classesText(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return "(none)";
    char buffer[128] = {};
    DWORD size = sizeof buffer;
    LSTATUS status = RegQueryValueEx(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? std::string(buffer) : "(none)";
}

TEST(ClassRegistry, RegisteringDescribesTheClassInTheClassesHive) {
    const std::string clsidText = pm::guidToString(kClass);
    pm::registerClass(
        kClass, "Test.Described",
        [](IUnknown** out) {
            *out = new Sink(S_OK);
            return S_OK;
        },
        kLib, 1, 2);
    struct Row {
        std::string key, value;
    } rows[] = {{"Test.Described\\CLSID", clsidText},
                {"CLSID\\" + clsidText + "\\ProgID", "Test.Described"},
                {"CLSID\\" + clsidText + "\\Typelib", pm::guidToString(kLib)},
                {"CLSID\\" + clsidText + "\\Version", "1.2"}};
    for (const Row& r : rows)
        EXPECT_EQ(classesText(r.key), r.value) << r.key;
    pm::unregisterClass(kClass);
    for (const Row& r : rows)
        EXPECT_EQ(classesText(r.key), "(none)") << r.key;
    EXPECT_EQ(classesText("CLSID\\" + clsidText), "(none)");
}

// Runs this test program again, with only `test` and PM_REGISTRY_PEER set; its exit status.
int runPeerProcess(const char* test) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setenv("PM_REGISTRY_PEER", "1", 1);
        const std::string filter = std::string("--gtest_filter=") + test;
        ::execl("/proc/self/exe", "peer", filter.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = -1;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Test processes run in parallel: keys one of them writes (and removes) are never seen by another.
TEST(ClassRegistry, AnotherTestProcessHasARegistryOfItsOwn) {
    const char* self = "ClassRegistry.AnotherTestProcessHasARegistryOfItsOwn";
    HKEY key = nullptr;
    if (std::getenv("PM_REGISTRY_PEER")) {
        ASSERT_EQ(RegCreateKeyEx(HKEY_CLASSES_ROOT, "Peer.Process", 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                                 nullptr),
                  ERROR_SUCCESS);
        RegSetValueEx(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("peer"), 5);
        RegCloseKey(key);
        EXPECT_EQ(classesText("Peer.Process"), "peer");
        return;
    }
    ASSERT_EQ(runPeerProcess(self), 0);
    EXPECT_EQ(classesText("Peer.Process"), "(none)");
}

TEST(ClassRegistry, ProgIdsAreReadFromTheClassesHive) {
    // A class another program registered: its ProgID is known, but no factory here makes it.
    const GUID elsewhere = {0x11111116, 1, 1, {1, 2, 3, 4, 5, 6, 7, 8}};
    std::string text = pm::guidToString(elsewhere);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CLASSES_ROOT, "Other.Program\\CLSID", 0, nullptr, 0, KEY_WRITE, nullptr,
                             &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueEx(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                  static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
    CLSID clsid;
    EXPECT_EQ(CLSIDFromProgID(u"OTHER.PROGRAM", &clsid), S_OK);
    EXPECT_EQ(clsid, elsewhere);
    pm::ComPtr<IUnknown> obj;
    EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown, obj.putVoid()), REGDB_E_CLASSNOTREG);
    RegDeleteKey(HKEY_CLASSES_ROOT, "Other.Program\\CLSID");
    RegDeleteKey(HKEY_CLASSES_ROOT, "Other.Program");
    EXPECT_EQ(CLSIDFromProgID(u"Other.Program", &clsid), CO_E_CLASSSTRING);
    // Texts that cannot be a ProgID are not looked up as registry paths.
    for (const std::string& bad : {std::string("Other.Program\\CLSID"), std::string(300, 'x')})
        EXPECT_EQ(CLSIDFromProgID(pm::toUtf16(bad).c_str(), &clsid), CO_E_CLASSSTRING) << bad.size();
}

} // namespace
