// The App and Doc objects through IDispatch by name, on a real rich-edit view of a small editor,
// and the events of the automation base reaching C++ sinks.

#include "support/script_host_fixture.h"

#include "cmake/test_files.h"
#include "platform/com/oleauto.h"
#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/richedit.h"
#include "platform/win/tests/support/test_windows.h"
#include "scripting/EditMDITypeLib.h"

#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdio>

using scripttest::ScriptHost;

namespace {

// Calls a member by name; the arguments in call order. A put passes the value as the only argument.
HRESULT call(IDispatch* object, const char* name, WORD flags, std::vector<VARIANT> args, VARIANT* result) {
    std::u16string wide = pm::toUtf16(name);
    LPOLESTR names[] = {const_cast<LPOLESTR>(wide.c_str())};
    DISPID id = 0;
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
    if (FAILED(hr)) return hr;
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), flags == DISPATCH_PROPERTYPUT ? &put : nullptr,
                      static_cast<UINT>(reversed.size()), flags == DISPATCH_PROPERTYPUT ? 1u : 0u};
    if (result) VariantInit(result);
    hr = object->Invoke(id, IID_NULL, 0, flags, &params, result, nullptr, nullptr);
    for (VARIANT& v : args)
        VariantClear(&v);
    return hr;
}

VARIANT num(long n) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = static_cast<LONG>(n);
    return v;
}
VARIANT str(const char* s) {
    VARIANT v;
    v.vt = VT_BSTR;
    v.bstrVal = pm::toBstr(s);
    return v;
}
// The result as text ("" for empty, numbers in decimal, booleans as -1 and 0).
std::string text(const VARIANT& v) {
    VARIANT s;
    VariantInit(&s);
    if (v.vt == VT_EMPTY) return "<empty>";
    VariantChangeType(&s, &v, 0, VT_BSTR);
    std::string out = pm::fromBstr(s.bstrVal);
    VariantClear(&s);
    return out;
}

std::string get(IDispatch* object, const char* name, std::vector<VARIANT> args = {}) {
    VARIANT r;
    HRESULT hr = call(object, name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, std::move(args), &r);
    if (FAILED(hr)) return "failed";
    std::string out = text(r);
    VariantClear(&r);
    return out;
}

class Automation : public ::testing::Test {
protected:
    ScriptHost host;
    IDispatch* doc() { return host.docObject.GetIDispatch(FALSE); }
    IDispatch* app() { return host.appObject.GetIDispatch(FALSE); }
    void setText(const char* t) { ::SetWindowText(host.edit, t); }
};

TEST_F(Automation, DocMembersWithoutADocumentAnswerTheirFallbacks) {
    struct Row {
        const char* member;
        std::vector<VARIANT> args;
        const char* expected;
    };
    std::vector<Row> rows = {
        {"Selection", {}, ""},
        {"NewLine", {}, "0"},
        {"GetLineCount", {}, "0"},
        {"GetLine", {num(0)}, ""},
        {"GetFirstVisibleLine", {}, "-1"},
        {"CharIndex", {num(0)}, "-1"},
        {"LineIndex", {num(0)}, "-1"},
        {"LineLength", {num(0)}, "-1"},
        {"GetTextLength", {}, "0"},
        {"Find", {str("a"), num(0), num(-1)}, "-1"},
        {"Copy", {}, "<empty>"},
        {"SetSel", {num(0), num(1)}, "<empty>"},
    };
    for (Row& row : rows)
        EXPECT_EQ(get(doc(), row.member, row.args), row.expected) << row.member;
}

TEST_F(Automation, DocMembersWorkOnTheActiveEditControl) {
    ASSERT_TRUE(host.NewDocument());
    setText("first line\r\nSecond Line\r\nthird");
    EXPECT_EQ(get(doc(), "GetLineCount"), "3");
    EXPECT_EQ(get(doc(), "GetTextLength"), "30");
    EXPECT_EQ(get(doc(), "GetLine", {num(1)}), "Second Line");
    EXPECT_EQ(get(doc(), "GetLine", {num(2)}), "third");
    EXPECT_EQ(get(doc(), "GetLine", {num(3)}), "") << "a line past the end";
    EXPECT_EQ(get(doc(), "GetLine", {num(-1)}), "");
    EXPECT_EQ(get(doc(), "CharIndex", {num(1)}), "12");
    EXPECT_EQ(get(doc(), "LineIndex", {num(14)}), "1");
    EXPECT_EQ(get(doc(), "LineLength", {num(14)}), "11") << "a character position, not a line";
    EXPECT_EQ(get(doc(), "GetFirstVisibleLine"), "0");
    // Find is case-sensitive and keeps to its range.
    EXPECT_EQ(get(doc(), "Find", {str("Line"), num(0), num(-1)}), "19");
    EXPECT_EQ(get(doc(), "Find", {str("line"), num(12), num(-1)}), "-1");
    EXPECT_EQ(get(doc(), "Find", {str("third"), num(0), num(20)}), "-1");
    // Selection, SetSel and NewLine.
    get(doc(), "SetSel", {num(0), num(5)});
    EXPECT_EQ(get(doc(), "Selection"), "first");
    ASSERT_EQ(call(doc(), "Selection", DISPATCH_PROPERTYPUT, {str("FIRST")}, nullptr), S_OK);
    EXPECT_EQ(host.EditText().substr(0, 10), "FIRST line");
    get(doc(), "SetSel", {num(5), num(10)});
    EXPECT_EQ(get(doc(), "NewLine"), "-1");
    EXPECT_EQ(host.EditText().substr(0, 9), "FIRST\r\n\r\n");
    ::SendMessage(host.edit, EM_UNDO, 0, 0);
    EXPECT_EQ(host.EditText().substr(0, 10), "FIRST line") << "NewLine is one undo step";
    // Clipboard.
    get(doc(), "SetSel", {num(0), num(5)});
    get(doc(), "Cut");
    EXPECT_EQ(host.EditText().substr(0, 5), " line");
    get(doc(), "SetSel", {num(5), num(5)});
    get(doc(), "Paste");
    EXPECT_EQ(host.EditText().substr(0, 10), " lineFIRST");
    get(doc(), "SetSel", {num(0), num(5)});
    get(doc(), "Copy");
    get(doc(), "SetSel", {num(0), num(0)});
    get(doc(), "Paste");
    EXPECT_EQ(host.EditText().substr(0, 10), " line line");
}

TEST_F(Automation, DocLineScrollMovesTheFirstVisibleLine) {
    ASSERT_TRUE(host.NewDocument());
    std::string many;
    for (int i = 0; i < 200; ++i)
        many += "line " + std::to_string(i) + "\r\n";
    setText(many.c_str());
    get(doc(), "LineScroll", {num(50), num(0)});
    EXPECT_EQ(get(doc(), "GetFirstVisibleLine"), "50");
}

TEST_F(Automation, AppGeometryAndTimerInterval) {
    ASSERT_EQ(call(app(), "PosX", DISPATCH_PROPERTYPUT, {num(60)}, nullptr), S_OK);
    ASSERT_EQ(call(app(), "PosY", DISPATCH_PROPERTYPUT, {num(70)}, nullptr), S_OK);
    ASSERT_EQ(call(app(), "SizeX", DISPATCH_PROPERTYPUT, {num(640)}, nullptr), S_OK);
    ASSERT_EQ(call(app(), "SizeY", DISPATCH_PROPERTYPUT, {num(480)}, nullptr), S_OK);
    RECT rc;
    ::GetWindowRect(host.main, &rc);
    EXPECT_EQ(rc.left, 60);
    EXPECT_EQ(rc.top, 70);
    EXPECT_EQ(rc.right - rc.left, 640);
    EXPECT_EQ(rc.bottom - rc.top, 480);
    EXPECT_EQ(get(app(), "PosX"), "60");
    EXPECT_EQ(get(app(), "SizeY"), "480");
    call(app(), "TimerInterval", DISPATCH_PROPERTYPUT, {num(250)}, nullptr);
    EXPECT_EQ(get(app(), "TimerInterval"), "250");
    EXPECT_EQ(get(app(), "Open", {str("/nonexistent/folder/file.txt")}), "0");
    EXPECT_EQ(host.messages.size(), 1u) << "after the framework's own message";
    std::string folder = pm::afxtest::makeTempFolder();
    std::string path = folder + "/opened.txt";
    pm::test::writeFile(path, "opened text");
    EXPECT_EQ(get(app(), "Open", {str(path.c_str())}), "-1");
    EXPECT_EQ(get(doc(), "GetTextLength"), "11") << "the opened document is the active one";
    pm::afxtest::removeFolder(folder);
    EXPECT_EQ(get(app(), "NoSuchMember"), "failed");
}

TEST_F(Automation, AppSaveAllSavesModifiedDocumentsWithAFileWithoutAsking) {
    ASSERT_TRUE(host.NewDocument());
    std::string folder = pm::afxtest::makeTempFolder();
    std::string path = folder + "/saved.txt";
    CDocument* document = static_cast<CView*>(CWnd::FromHandle(host.edit))->GetDocument();
    ASSERT_TRUE(document->OnSaveDocument(path.c_str()));
    document->SetPathName(path.c_str());
    setText("changed text");
    ASSERT_TRUE(document->IsModified());
    get(app(), "SaveAll");
    EXPECT_FALSE(document->IsModified());
    EXPECT_EQ(pm::test::readFile(path), "changed text");
    pm::afxtest::removeFolder(folder);
}

TEST_F(Automation, EventsReachSinksAndFailuresFollowTheRethrowFlag) {
    EXPECT_EQ(host.appObject.FireEvent(1, VTS_NONE), S_OK) << "no sink connected";
    pm::ComPtr<scripttest::Sink> noHandler, failing, good;
    noHandler.attach(new scripttest::Sink(DISP_E_MEMBERNOTFOUND));
    failing.attach(new scripttest::Sink(E_FAIL));
    good.attach(new scripttest::Sink(S_OK));
    ASSERT_TRUE(scripttest::Advise(app(), DIID_IAppObjectEvents, noHandler.get()));
    scripttest::Advise(app(), DIID_IAppObjectEvents, failing.get());
    scripttest::Advise(app(), DIID_IAppObjectEvents, good.get());
    EXPECT_EQ(host.appObject.FireEvent(1, VTS_NONE), E_FAIL);
    EXPECT_EQ(noHandler->calls, 1);
    EXPECT_EQ(failing->calls, 1);
    EXPECT_EQ(good->calls, 0) << "the sinks after a passed-on failure are not called";
    host.appObject.m_bRethrow = FALSE;
    EXPECT_EQ(host.appObject.FireEvent(1, VTS_NONE), S_OK);
    EXPECT_EQ(good->calls, 1);
}

// Two levels of dispatch maps over the automation base, and a record of connections.
const IID kTestEvents = {0x3C1E55A0, 0x1D2B, 0x4C8E, {0x9A, 0x61, 0x27, 0x0B, 0x44, 0x5D, 0x12, 0x80}};

class LowerSource : public CHHCmdTarget {
public:
    static const AFX_DISPMAP* Map() { return GetThisDispatchMap(); }
    DECLARE_DISPATCH_MAP()
};
BEGIN_DISPATCH_MAP(LowerSource, CCmdTarget)
DISP_ID("Lower", 1)
END_DISPATCH_MAP()

class EventSource final : public LowerSource {
public:
    EventSource() { SetDispatchIIDs(nullptr, &kTestEvents); }
    static const AFX_DISPMAP* Map() { return GetThisDispatchMap(); }
    std::vector<BOOL> advises;
    void OnAdvise(BOOL bAdvise) override { advises.push_back(bAdvise); }
    // FireEventV with the arguments that follow.
    HRESULT Fire(DISPID dispid, const AFX_DISPMAP* map, const char* params, ...) {
        va_list args;
        va_start(args, params);
        HRESULT hr = FireEventV(dispid, params, args, map);
        va_end(args);
        return hr;
    }
    DECLARE_DISPATCH_MAP()
};
BEGIN_DISPATCH_MAP(EventSource, LowerSource)
DISP_ID("Upper", 1)
END_DISPATCH_MAP()

TEST(AutomationEvents, ArgumentsFollowTheParameterTypeStringAndMapsPlaceTheDispid) {
    EventSource source;
    pm::ComPtr<scripttest::Sink> sink;
    sink.attach(new scripttest::Sink(S_OK));
    pm::ComPtr<IConnectionPointContainer> container;
    pm::ComPtr<IConnectionPoint> point;
    ASSERT_EQ(source.GetIDispatch(FALSE)->QueryInterface(IID_IConnectionPointContainer, container.putVoid()),
              S_OK);
    ASSERT_EQ(container->FindConnectionPoint(kTestEvents, point.put()), S_OK);
    DWORD cookie = 0;
    ASSERT_EQ(point->Advise(static_cast<IDispatch*>(sink.get()), &cookie), S_OK);
    EXPECT_EQ(source.advises, std::vector<BOOL>{TRUE});

    // Every argument in call order, a text keeping a byte that is no UTF-8, and a by-reference
    // integer written back by the sink.
    LONG counter = 4;
    VARIANT extra;
    extra.vt = VT_I2;
    extra.iVal = -3;
    ASSERT_EQ(source.FireEvent(7, VTS_I2 VTS_I4 VTS_BSTR VTS_BOOL VTS_R8 VTS_VARIANT VTS_PI4, 12, 100000,
                               "caf\xE9", TRUE, 2.5, &extra, &counter),
              S_OK);
    EXPECT_EQ(sink->lastDispid, 7);
    EXPECT_EQ(sink->lastArgs, (std::vector<std::string>{"2:12", "3:100000", "BSTR:caf\xE9", "11:-1", "5:2.5",
                                                        "2:-3", "I4&"}));
    EXPECT_EQ(counter, 5);

    ASSERT_EQ(source.FireEvent(8, VTS_NONE), S_OK);
    EXPECT_TRUE(sink->lastArgs.empty());
    sink->lastDispid = 0;
    EXPECT_EQ(source.FireEvent(9, "\x01"), DISP_E_BADVARTYPE) << "no argument type has that character";
    EXPECT_EQ(sink->lastDispid, 0) << "no sink is called";

    struct Row {
        const char* name;
        const AFX_DISPMAP* map;
        DISPID expected;
    } rows[] = {
        {"no map", nullptr, 0x00050003},
        {"the object's own map", EventSource::Map(), 0x00000003},
        {"its base's map", LowerSource::Map(), 0x00010003},
        {"the framework's map", CCmdTarget::GetThisDispatchMap(), 0x00020003},
    };
    for (const Row& row : rows) {
        ASSERT_EQ(source.Fire(0x00050003, row.map, VTS_NONE), S_OK) << row.name;
        EXPECT_EQ(sink->lastDispid, row.expected) << row.name;
    }

    ASSERT_EQ(point->Unadvise(cookie), S_OK);
    EXPECT_EQ(source.advises, (std::vector<BOOL>{TRUE, FALSE}));
}

TEST_F(Automation, ANegativeTimerIntervalStopsTheTimerLikeZero) {
    pm::ComPtr<scripttest::Sink> sink;
    sink.attach(new scripttest::Sink(S_OK));
    ASSERT_TRUE(scripttest::Advise(app(), DIID_IAppObjectEvents, sink.get()));
    call(app(), "TimerInterval", DISPATCH_PROPERTYPUT, {num(10)}, nullptr);
    EXPECT_TRUE(host.PumpUntil([&] { return sink->calls > 0; }));
    call(app(), "TimerInterval", DISPATCH_PROPERTYPUT, {num(-1)}, nullptr);
    const int seen = sink->calls;
    pm::test::advanceClock(1000);
    pm::afxtest::pump();
    EXPECT_EQ(sink->calls, seen);
    EXPECT_EQ(get(app(), "TimerInterval"), "-1") << "the value is kept as given";
}

TEST_F(Automation, ClassInformationNamesTheCoclassAndItsEvents) {
    pm::ComPtr<IProvideClassInfo2> info;
    ASSERT_EQ(app()->QueryInterface(IID_IProvideClassInfo2, info.putVoid()), S_OK);
    GUID guid;
    EXPECT_EQ(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &guid), S_OK);
    EXPECT_TRUE(guid == DIID_IAppObjectEvents);
    EXPECT_EQ(info->GetGUID(2, &guid), E_INVALIDARG);
    EXPECT_TRUE(guid == GUID_NULL);
    pm::ComPtr<ITypeInfo> coclass;
    ASSERT_EQ(info->GetClassInfo(coclass.put()), S_OK);
    TYPEATTR* attr = nullptr;
    coclass->GetTypeAttr(&attr);
    EXPECT_TRUE(attr->guid == CLSID_AppObject);
    coclass->ReleaseTypeAttr(attr);
    UINT count = 0;
    doc()->GetTypeInfoCount(&count);
    EXPECT_EQ(count, 1u);

    // A plain automation object has no class and no event interface yet.
    CHHCmdTarget plain;
    pm::ComPtr<IProvideClassInfo2> plainInfo;
    plain.GetIDispatch(FALSE)->QueryInterface(IID_IProvideClassInfo2, plainInfo.putVoid());
    EXPECT_EQ(plainInfo->GetClassInfo(coclass.put()), E_NOTIMPL);
    EXPECT_EQ(plainInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &guid), E_UNEXPECTED);
}

} // namespace
