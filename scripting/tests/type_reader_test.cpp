#include "scripting/TypeInfoReader.h"

#include "platform/com/typelib_builder.h"

#include <gtest/gtest.h>

namespace {

GUID guid(std::uint32_t n) {
    return {0x5C0FF000 + n, 0x10, 0x20, {1, 2, 3, 4, 5, 6, 7, 8}};
}

ITypeLib* buildLibrary() {
    pm::TypeLibBuilder b(guid(0), "ReaderTest");
    auto& colours = b.enumeration("Colours", guid(1));
    pm::addConstant(colours, "Red", 1);
    pm::addConstant(colours, "Green", 2);
    b.enumeration("Nothing", guid(2));
    auto& alias = b.addType("ColourAlias", guid(3), TKIND_ALIAS);
    alias.aliasOf = pm::TypeRef::user("Colours");

    auto& thing = b.dispinterface("IThing", guid(4));
    pm::addProperty(thing, "Name", 1, VT_BSTR);
    pm::addProperty(thing, "Colour", 2, pm::TypeRef::user("Colours"));
    pm::addProperty(thing, "Shade", 3, pm::TypeRef::user("ColourAlias"));
    pm::addProperty(thing, "Child", 4, pm::TypeRef::user("IThing"));
    pm::addProperty(thing, "Secret", 5, VT_I4, VARFLAG_FRESTRICTED);
    pm::addProperty(thing, "_Hidden", 6, VT_I4);
    pm::addProperty(thing, "Blank", 7, pm::TypeRef::user("Nothing"));
    auto& add = pm::addMethod(thing, "Add", 10, VT_I4, {{"a", VT_I4}, {"b", VT_I4}});
    add.cParamsOpt = 1;
    add.doc = "Adds two numbers";
    pm::addMethod(thing, "Hide", 11, VT_VOID).flags = FUNCFLAG_FHIDDEN;
    pm::addMethod(thing, "_Internal", 12, VT_VOID);
    pm::addMethod(thing, "Ref", 13, VT_VOID,
                  {{"x", pm::TypeRef::pointerTo(VT_VARIANT)}, {"y", VT_BSTR, PARAMFLAG_FOPT}});

    auto& dual = b.addType("IDual", guid(5), TKIND_INTERFACE);
    auto& getCount =
        pm::addMethod(dual, "Count", 1, VT_HRESULT,
                      {{"value", pm::TypeRef::pointerTo(VT_I4), PARAMFLAG_FOUT | PARAMFLAG_FRETVAL}});
    getCount.invkind = INVOKE_PROPERTYGET;
    pm::addMethod(dual, "Count", 1, VT_HRESULT, {{"value", VT_I4}}).invkind = INVOKE_PROPERTYPUT;
    pm::addMethod(dual, "Label", 2, VT_HRESULT,
                  {{"value", pm::TypeRef::pointerTo(VT_BSTR), PARAMFLAG_FOUT | PARAMFLAG_FRETVAL}})
        .invkind = INVOKE_PROPERTYGET;
    pm::addMethod(dual, "Make", 3, VT_HRESULT,
                  {{"x", VT_I4},
                   {"result", pm::TypeRef::pointerTo(pm::TypeRef::pointerTo(pm::TypeRef::user("IThing"))),
                    PARAMFLAG_FOUT | PARAMFLAG_FRETVAL}});

    auto& events = b.dispinterface("IThingEvents", guid(6));
    pm::addMethod(events, "Changed", 1, VT_VOID, {{"value", pm::TypeRef::pointerTo(VT_VARIANT)}});
    pm::addMethod(events, "Secretly", 2, VT_VOID).flags = FUNCFLAG_FHIDDEN;
    pm::addMethod(events, "Tick", 3, VT_VOID);

    auto& cls = b.coclass("Thing", guid(7));
    cls.impls = {{"IThing", IMPLTYPEFLAG_FDEFAULT},
                 {"IThingEvents", IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE}};
    b.coclass("Bare", guid(8));
    return b.build();
}

// An object offering class information one of three ways.
class Object final : public pm::ComObject<IDispatch, IProvideMultipleClassInfo> {
public:
    enum class Kind { ClassInfo, DispatchOnly, Multiple };
    Object(ITypeLib* lib, Kind kind) : m_lib(lib), m_kind(kind) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        *ppv = nullptr;
        if (riid == IID_IUnknown || riid == IID_IDispatch)
            return pm::answerInterface(static_cast<IDispatch*>(this), ppv);
        if (m_kind == Kind::DispatchOnly) return E_NOINTERFACE;
        if (riid == IID_IProvideClassInfo)
            return pm::answerInterface(static_cast<IProvideClassInfo*>(this), ppv);
        if (riid == IID_IProvideMultipleClassInfo && m_kind == Kind::Multiple)
            return pm::answerInterface(static_cast<IProvideMultipleClassInfo*>(this), ppv);
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { return *n = 1, S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** pp) override {
        return m_lib->GetTypeInfoOfGuid(guid(4), pp);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** pp) override {
        return m_lib->GetTypeInfoOfGuid(guid(7), pp);
    }
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD, GUID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMultiTypeInfoCount(ULONG* n) override { return *n = 2, S_OK; }
    HRESULT STDMETHODCALLTYPE GetInfoOfIndex(ULONG i, DWORD, ITypeInfo** pp, DWORD*, ULONG*, IID*,
                                             IID*) override {
        return m_lib->GetTypeInfoOfGuid(i == 0 ? guid(8) : guid(7), pp);
    }

private:
    pm::ComPtr<ITypeLib> m_lib;
    Kind m_kind;
};

struct Fixture : ::testing::Test {
    pm::ComPtr<ITypeLib> lib;
    pm::ComPtr<Object> object, dispatchOnly, multiple;
    void SetUp() override {
        lib.attach(buildLibrary());
        ASSERT_TRUE(lib);
        object.attach(new Object(lib.get(), Object::Kind::ClassInfo));
        dispatchOnly.attach(new Object(lib.get(), Object::Kind::DispatchOnly));
        multiple.attach(new Object(lib.get(), Object::Kind::Multiple));
    }
    IUnknown* unk(pm::ComPtr<Object>& o) { return static_cast<IDispatch*>(o.get()); }
};

std::string joinedNames(const std::vector<CHHMethodInfo>& v) {
    std::string s;
    for (const auto& m : v)
        s += std::string(m.m_strName) + ",";
    return s;
}

TEST_F(Fixture, MethodsSkipHiddenAndUnderscoredAndDescribeParameters) {
    CHHMethodInfoArray methods;
    ASSERT_EQ(CollectMethods(unk(object), methods, nullptr, FALSE), S_OK);
    ASSERT_EQ(joinedNames(methods), "Add,Ref,");
    const CHHMethodInfo& add = methods[0];
    EXPECT_EQ(add.m_dispid, 10);
    EXPECT_EQ(add.m_vtReturn, VT_I4);
    EXPECT_STREQ(add.m_strHelp, "Adds two numbers");
    ASSERT_EQ(add.m_params.size(), 2u);
    EXPECT_STREQ(add.m_params[0].m_strName, "a");
    EXPECT_FALSE(add.m_params[0].m_bOptional);
    EXPECT_TRUE(add.m_params[1].m_bOptional); // through the optional count
    const CHHMethodInfo& ref = methods[1];
    EXPECT_EQ(ref.m_params[0].m_vt, VT_VARIANT);
    EXPECT_FALSE(ref.m_params[0].m_bByValue);
    EXPECT_TRUE(ref.m_params[1].m_bOptional); // through its flag
    methods.clear();
    CollectMethods(unk(object), methods, u"ADD", TRUE);
    EXPECT_TRUE(methods.empty());
    CollectMethods(unk(object), methods, u"ADD", FALSE);
    EXPECT_EQ(joinedNames(methods), "Add,");
}

TEST_F(Fixture, PropertiesResolveUserTypesAndExpandEnumerations) {
    CHHPropertyInfoArray props;
    ASSERT_EQ(CollectProperties(unk(object), props, nullptr, FALSE, TRUE), S_OK);
    ASSERT_EQ(props.size(), 5u); // Name, Colour, Shade, Child, Blank
    EXPECT_STREQ(props[0].m_strName, "Name");
    EXPECT_EQ(props[0].m_vt, VT_BSTR);
    EXPECT_TRUE(props[0].m_bSettable);
    EXPECT_EQ(props[1].m_vt, VT_I4);
    EXPECT_EQ(props[1].m_typeGuid, guid(1));
    ASSERT_EQ(props[1].m_constants.size(), 2u);
    EXPECT_STREQ(props[1].m_constants[1].m_strName, "Green");
    EXPECT_EQ(props[1].m_constants[1].m_value.lVal, 2);
    EXPECT_EQ(props[2].m_vt, VT_I4); // the alias leads to the enumeration
    EXPECT_EQ(props[2].m_constants.size(), 2u);
    EXPECT_EQ(props[3].m_vt, VT_DISPATCH);
    EXPECT_EQ(props[4].m_vt, VT_I4); // an enumeration without constants stays VT_I4
    EXPECT_TRUE(props[4].m_constants.empty());
    props.clear();
    CollectProperties(unk(object), props, u"colour", FALSE, FALSE);
    ASSERT_EQ(props.size(), 1u);
    EXPECT_TRUE(props[0].m_constants.empty());
}

TEST_F(Fixture, VtableInterfaceUsesRetvalAndGetPutPairs) {
    pm::ComPtr<ITypeInfo> dual;
    ASSERT_EQ(lib->GetTypeInfoOfGuid(guid(5), dual.put()), S_OK);
    CHHPropertyInfoArray props;
    ReadProperties(dual.get(), props, nullptr, FALSE, FALSE);
    ASSERT_EQ(props.size(), 2u);
    EXPECT_STREQ(props[0].m_strName, "Count");
    EXPECT_EQ(props[0].m_vt, VT_I4);
    EXPECT_TRUE(props[0].m_bSettable);
    EXPECT_EQ(props[1].m_vt, VT_BSTR);
    EXPECT_FALSE(props[1].m_bSettable);
    CHHMethodInfoArray methods;
    ReadMethods(dual.get(), methods, nullptr, FALSE);
    ASSERT_EQ(methods.size(), 1u);
    EXPECT_EQ(methods[0].m_vtReturn, VT_DISPATCH);
    ASSERT_EQ(methods[0].m_params.size(), 1u);
    EXPECT_STREQ(methods[0].m_params[0].m_strName, "x");
}

TEST_F(Fixture, EventsComeOnlyFromClassInformation) {
    CHHEventInfoArray events;
    ASSERT_EQ(CollectEvents(unk(object), events, nullptr, FALSE), S_OK);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_STREQ(events[0].m_strName, "Changed");
    EXPECT_FALSE(events[0].m_params[0].m_bByValue);
    EXPECT_STREQ(events[1].m_strName, "Tick");
    EXPECT_TRUE(HasEventInterface(unk(object)));
    events.clear();
    EXPECT_EQ(CollectEvents(unk(dispatchOnly), events, nullptr, FALSE), E_FAIL);
    EXPECT_FALSE(HasEventInterface(unk(dispatchOnly)));
    CHHMethodInfoArray methods;
    EXPECT_EQ(CollectMethods(unk(dispatchOnly), methods, nullptr, FALSE), S_OK);
    EXPECT_EQ(methods.size(), 2u);
}

TEST_F(Fixture, AClassInfoWithoutInterfaceDoesNotStopTheWalk) {
    EXPECT_EQ(GetClassInfoCount(unk(multiple)), 2u);
    CHHMethodInfoArray methods;
    EXPECT_EQ(CollectMethods(unk(multiple), methods, nullptr, FALSE), S_OK);
    EXPECT_EQ(joinedNames(methods), "Add,Ref,");
}

TEST_F(Fixture, MemberObjectTypeFollowsUserDefinedProperties) {
    pm::ComPtr<ITypeInfo> child;
    ASSERT_EQ(FindMemberObjectType(unk(object), u"child", child.put(), FALSE), S_OK);
    TYPEATTR* attr;
    child->GetTypeAttr(&attr);
    EXPECT_EQ(attr->guid, guid(4));
    child->ReleaseTypeAttr(attr);
    EXPECT_EQ(FindMemberObjectType(unk(object), u"Name", child.put(), FALSE), S_FALSE);
    EXPECT_EQ(FindMemberObjectType(unk(object), u"child", child.put(), TRUE), S_FALSE);
}

} // namespace
