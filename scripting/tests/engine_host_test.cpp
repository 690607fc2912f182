// The engine host and the script module without windows: error texts, named items, the error road
// answered by a host callback, type-library declarations, states and the listener.

#include "platform/com/objbase.h"
#include "platform/com/oleauto.h"
#include "platform/com/typelib_builder.h"
#include "platform/win/windlg.h"
#include "scripting/CADoc.h"
#include "scripting/CAppObject.h"
#include "scripting/CHHModule.h"
#include "scripting/CHHVBScriptEngine.h"
#include "scripting/CHHVBScriptTextParser.h"
#include "scripting/EditMDITypeLib.h"

#include <gtest/gtest.h>

namespace {

TEST(EngineHost, ErrorTextLeavesOutEmptyParts) {
    struct Row {
        ULONG line;
        LONG column;
        const char* source;
        const char* description;
        const char* expected;
    };
    const Row rows[] = {
        {3, 7, "x = 1 / 0", "Division by zero",
         "Line 3, Column 7\n\nSource line: x = 1 / 0\nDescription: Division by zero"},
        {0, 0, "", "Type mismatch", "Line 0, Column 0\n\nDescription: Type mismatch"},
        {12, 4, "Dim a(", "", "Line 12, Column 4\n\nSource line: Dim a("},
        {1, 2, "", "", "Line 1, Column 2\n"},
    };
    CHHVBScriptEngine engine;
    for (const Row& row : rows) {
        CHHScriptErrorInfo info;
        info.m_nLine = row.line;
        info.m_nCharPos = row.column;
        info.m_strSourceLine = row.source;
        info.m_strDescription = row.description;
        EXPECT_STREQ(engine.FormatErrorText(info), row.expected);
    }
}

// An object that is no script engine.
class Plain final : public pm::ComObject<IUnknown> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (riid == IID_IUnknown) return pm::answerInterface<IUnknown>(this, ppv);
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
};

TEST(EngineHost, CreationFailuresLeaveNoEngine) {
    const CLSID plain = {0x5C4E0020, 0x1111, 0x2222, {1, 2, 3, 4, 5, 6, 7, 20}};
    pm::registerClass(plain, "Test.NotAnEngine", [](IUnknown** out) {
        *out = new Plain;
        return S_OK;
    });
    CHHEngine engine;
    EXPECT_EQ(engine.Create(nullptr, nullptr, nullptr, FALSE), E_FAIL) << "the base knows no language";
    EXPECT_TRUE(FAILED(engine.CHHEngineRaw::Create("No.Such.Engine", nullptr, nullptr, nullptr, FALSE)));
    EXPECT_EQ(engine.CHHEngineRaw::Create("Test.NotAnEngine", nullptr, nullptr, nullptr, FALSE),
              E_NOINTERFACE);
    EXPECT_FALSE(engine.IsCreated());
    EXPECT_EQ(engine.SetScriptState(SCRIPTSTATE_CONNECTED), E_UNEXPECTED);
    EXPECT_EQ(engine.ParseScript("a = 1", nullptr, nullptr, FALSE), E_UNEXPECTED);
    WORD attribute = 0;
    EXPECT_EQ(engine.GetScriptTextAttributes(u"a", 1, nullptr, 0, &attribute), E_UNEXPECTED);
    EXPECT_FALSE(engine.GetTextAttributes(u"a", 1, &attribute));
    pm::unregisterClass(plain);
}

class Host : public ::testing::Test {
protected:
    void SetUp() override {
        doc.InitDispatchIIDs();
        ASSERT_TRUE(SUCCEEDED(engine.Create(nullptr, "Test", nullptr, FALSE)));
        engine.SetCallback(&Host::Callback, this);
        pm::setMessageBoxHook([this](HWND, const std::string& text, const std::string&, UINT) {
            messages.push_back(text);
            return IDOK;
        });
    }
    void TearDown() override {
        engine.Close(); // its last state changes still reach the callback
        pm::setMessageBoxHook(nullptr);
    }
    static int Callback(int type, void* self, void* argument) {
        auto* host = static_cast<Host*>(self);
        host->calls.push_back(type);
        if (type == HHCB_SCRIPTERROR) host->lastError = *static_cast<CHHScriptErrorInfo*>(argument);
        return type == HHCB_SCRIPTERROR ? host->answer : 0;
    }
    HRESULT parseAndRun(const char* text) {
        HRESULT hr = engine.ParseScript(text, nullptr, nullptr, TRUE);
        return FAILED(hr) ? hr : engine.Run(FALSE);
    }
    int countOf(int type) const { return static_cast<int>(std::count(calls.begin(), calls.end(), type)); }

    CADoc doc; // outlives the engine, which holds its interface
    CHHVBScriptEngine engine;
    std::vector<int> calls;
    std::vector<std::string> messages;
    CHHScriptErrorInfo lastError;
    int answer = -1;
};

TEST_F(Host, NamedItemsAreFoundWithoutRegardToCase) {
    ASSERT_TRUE(engine.AddNamedObject("Doc", &doc, 6, FALSE, FALSE));
    EXPECT_FALSE(engine.AddNamedObject("Nothing", nullptr, 6, FALSE, FALSE));
    IUnknown* unknown = nullptr;
    ITypeInfo* info = nullptr;
    EXPECT_EQ(engine.GetItemInfo("DOC", SCRIPTINFO_IUNKNOWN | SCRIPTINFO_ITYPEINFO, &unknown, &info), S_OK);
    EXPECT_TRUE(unknown && info);
    unknown->Release();
    info->Release();
    EXPECT_EQ(engine.GetItemInfo("doc", SCRIPTINFO_IUNKNOWN, &unknown, nullptr), S_OK)
        << "no type-info out needed";
    unknown->Release();
    EXPECT_EQ(engine.GetItemInfo("doc", SCRIPTINFO_ITYPEINFO, &unknown, nullptr), E_INVALIDARG);
    EXPECT_EQ(engine.GetItemInfo("App", SCRIPTINFO_IUNKNOWN, &unknown, nullptr), E_UNEXPECTED);
    EXPECT_EQ(unknown, nullptr);
    engine.AddNamedItem(CHHNamedItem("Empty", "", 6, nullptr, FALSE), FALSE);
    EXPECT_EQ(engine.GetItemInfo("empty", SCRIPTINFO_IUNKNOWN, &unknown, nullptr), E_FAIL);
    EXPECT_EQ(parseAndRun("doc.SetSel 0, 1\r\nDOC.GetLineCount\r\n"), S_OK) << "the script's names too";
    EXPECT_EQ(countOf(HHCB_SCRIPTERROR), 0);
}

TEST_F(Host, ACallbackAnsweringEndStopsTheScriptWithoutADialog) {
    answer = 28279;
    EXPECT_EQ(parseAndRun("Dim a\r\na = 1\r\na = a / 0\r\nMsgBox \"not reached\"\r\n"), S_OK);
    EXPECT_EQ(countOf(HHCB_SCRIPTERROR), 1);
    EXPECT_EQ(countOf(HHCB_ERROREND), 1);
    EXPECT_EQ(lastError.m_nLine, 2u);
    EXPECT_EQ(lastError.m_nParsing, 0);
    EXPECT_STREQ(lastError.m_strSourceLine, "a = a / 0");
    EXPECT_EQ(engine.GetScriptState(), SCRIPTSTATE_INITIALIZED) << "stopped when it left script code";
    EXPECT_TRUE(messages.empty());
}

TEST_F(Host, ACallbackAnsweringNoActionLeavesTheScriptPaused) {
    answer = -1;
    parseAndRun("a = 1 / 0\r\n");
    EXPECT_EQ(countOf(HHCB_SCRIPTERROR), 1);
    EXPECT_EQ(countOf(HHCB_ERROREND), 0);
    EXPECT_NE(engine.GetScriptState(), SCRIPTSTATE_INITIALIZED);
}

TEST_F(Host, ASyntaxErrorIsReportedWhileParsing) {
    answer = 28279;
    EXPECT_TRUE(FAILED(engine.ParseScript("a = \r\nIf Then\r\n", nullptr, nullptr, TRUE)));
    ASSERT_EQ(countOf(HHCB_SCRIPTERROR), 1);
    EXPECT_EQ(lastError.m_nParsing, 1);
    EXPECT_EQ(lastError.m_nLine, 0u);
}

TEST_F(Host, StateChangesReachTheCallbackAndTheGuardsHold) {
    EXPECT_EQ(engine.Pause(), E_UNEXPECTED) << "not running";
    EXPECT_EQ(engine.Resume(), E_UNEXPECTED) << "not paused";
    ASSERT_EQ(parseAndRun("a = 1\r\n"), S_OK);
    EXPECT_EQ(engine.GetScriptState(), SCRIPTSTATE_CONNECTED);
    EXPECT_EQ(engine.Pause(), S_OK);
    EXPECT_EQ(engine.GetScriptState(), SCRIPTSTATE_DISCONNECTED);
    EXPECT_EQ(engine.Resume(), S_OK);
    EXPECT_EQ(engine.Stop(), S_OK);
    EXPECT_EQ(engine.GetScriptState(), SCRIPTSTATE_INITIALIZED);
    EXPECT_GE(countOf(HHCB_STATECHANGE), 4);
    engine.Close();
    EXPECT_FALSE(engine.IsCreated());
    EXPECT_EQ(engine.GetScriptState(), 0);
    EXPECT_EQ(engine.Stop(), E_UNEXPECTED);
}

const GUID kLibA = {0x5C4E0010, 0x1111, 0x2222, {1, 2, 3, 4, 5, 6, 7, 10}};
const GUID kLibB = {0x5C4E0011, 0x1111, 0x2222, {1, 2, 3, 4, 5, 6, 7, 11}};
const CLSID kClassA = {0x5C4E0012, 0x1111, 0x2222, {1, 2, 3, 4, 5, 6, 7, 12}};
const CLSID kClassB = {0x5C4E0013, 0x1111, 0x2222, {1, 2, 3, 4, 5, 6, 7, 13}};

void registerLibrary(const GUID& libid, const char* name, WORD major, WORD minor, LONG value) {
    pm::TypeLibBuilder b(libid, name, major, minor);
    pm::addConstant(b.enumeration(std::string(name) + "Values", libid), std::string(name) + "Value", value);
    ITypeLib* lib = b.build();
    RegisterTypeLib(lib, nullptr, nullptr);
    lib->Release();
}

TEST_F(Host, TypeLibraryDeclarationsAddTheFirstLibraryThatLoads) {
    registerLibrary(kLibA, "LibA", 1, 0, 11);
    registerLibrary(kLibB, "LibB", 2, 5, 22);
    auto none = [](IUnknown**) { return E_FAIL; };
    pm::registerClass(kClassA, "Test.NoLibrary", none);                // no library registered
    pm::registerClass(kClassB, "Test.WithLibrary", none, kLibB, 2, 5); // library 2.5
    struct Row {
        const char* text;
        int messages;
        const char* probe; // a constant the added library defines, or null when none is added
    };
    const Row rows[] = {
        {"'$$TypeLib: Test.NoLibrary\r\n'$$TypeLib: Test.WithLibrary\r\n", 1, "LibBValue"},
        {"'$$TypeLib: Test.WithLibrary\r\n'$$TypeLib: Test.NoLibrary\r\n", 0, "LibBValue"},
        {"'$$TypeLib:{5C4E0011-1111-2222-0102-03040506070B}:2.5\r\n", 0, "LibBValue"},
        {"'$$TypeLib: {5C4E0010-1111-2222-0102-03040506070A}\r\n", 0, "LibAValue"},
        {"'$$TypeLib: {5C4E0011-1111-2222-0102-03040506070B}:3\r\n", 1, nullptr},
        {"'$$TypeLib: Test.WithLibrary", 1, nullptr}, // at the very end of the text: refused
        {"'$$TypeLib: No.Such.Class\r\n", 1, nullptr},
    };
    for (const Row& row : rows) {
        messages.clear();
        engine.Recreate();
        engine.DeclareTypeLibs(row.text, "$$TypeLib:");
        EXPECT_EQ(static_cast<int>(messages.size()), row.messages) << row.text;
        for (const std::string& m : messages)
            EXPECT_EQ(m.rfind("Can not add type library for object ", 0), 0u) << m;
        if (!row.probe) continue;
        answer = 28279;
        calls.clear();
        const char* value = std::string(row.probe) == "LibAValue" ? "11" : "22";
        std::string script =
            std::string(row.text) + "\r\nIf " + row.probe + " <> " + value + " Then x = 1 / 0\r\n";
        parseAndRun(script.c_str());
        EXPECT_EQ(countOf(HHCB_SCRIPTERROR), 0) << row.text;
    }
    pm::unregisterClass(kClassA);
    pm::unregisterClass(kClassB);
}

class ModuleStates : public ::testing::Test {
protected:
    static int Listen(int code, void* self) {
        static_cast<ModuleStates*>(self)->codes.push_back(code);
        return 0;
    }
    void SetUp() override {
        module.SetListener(&ModuleStates::Listen, this);
        CHHVBScriptTextParser parser;
        // A handler of Doc's events keeps the script running until it is stopped.
        module.AddNamedObject("Doc", &doc, SCRIPTITEM_ISSOURCE | SCRIPTITEM_ISVISIBLE, FALSE);
        module.GetProcedures().Parse("Dim n\r\nn = 1\r\nSub Doc_Changed()\r\nEnd Sub\r\n", &parser);
    }
    CADoc doc;
    CHHModule module{RUNTIME_CLASS(CHHVBScriptEngine)};
    std::vector<int> codes;
};

// Without a handler for an event of an object that fires events, nothing of the script can run
// after its global code: the run ends there and tells the listener so.
TEST_F(ModuleStates, ARunEndsWithItsCodeUnlessItHandlesEvents) {
    const struct {
        const char* text;
        bool running;
    } cases[] = {
        {"n = 1\r\n", false},
        {"Sub Doc_Changed()\r\nEnd Sub\r\n", true},
        {"Sub doc_changed()\r\nEnd Sub\r\n", true},
        {"Sub Other_Changed()\r\nEnd Sub\r\nSub Plain()\r\nEnd Sub\r\n", false},
    };
    ASSERT_TRUE(module.Init(nullptr));
    for (const auto& c : cases) {
        CHHVBScriptTextParser parser;
        module.GetProcedures().RemoveAll();
        module.GetProcedures().Parse(c.text, &parser);
        codes.clear();
        ASSERT_TRUE(module.Run()) << c.text;
        EXPECT_EQ(module.IsRunning(), c.running) << c.text;
        EXPECT_EQ(codes, (c.running ? std::vector<int>{1} : std::vector<int>{1, 3})) << c.text;
        module.Stop();
    }
}

TEST_F(ModuleStates, RunPauseResumeAndStopTellTheListener) {
    EXPECT_EQ(module.Pause(), 0) << "no engine: the listener's answer";
    EXPECT_EQ(codes, std::vector<int>{2});
    codes.clear();
    ASSERT_TRUE(module.Init(nullptr));
    EXPECT_EQ(module.Pause(), E_UNEXPECTED) << "stopped";
    ASSERT_TRUE(module.Run());
    EXPECT_TRUE(module.IsRunning());
    ASSERT_TRUE(module.Run()) << "running already: nothing done";
    EXPECT_EQ(module.Pause(), S_OK);
    EXPECT_TRUE(module.IsPaused());
    ASSERT_TRUE(module.Run());
    EXPECT_TRUE(module.IsRunning());
    module.Stop();
    EXPECT_FALSE(module.IsRunning());
    EXPECT_EQ(codes, (std::vector<int>{2, 1, 2, 4, 3}));
    module.Close();
    module.Stop(); // no engine object: nothing happens
}

TEST_F(ModuleStates, CommandsAreEnabledByTheScriptsState) {
    struct Probe : CCmdUI {
        BOOL enabled = FALSE;
        int checked = 0;
        void Enable(BOOL bOn = TRUE) override { enabled = bOn; }
        void SetCheck(int n = 1) override { checked = n; }
    };
    auto state = [&](UINT id) {
        Probe probe;
        probe.m_nID = id;
        module.OnCmdMsg(id, static_cast<int>(CN_UPDATE_COMMAND_UI), &probe, nullptr);
        return std::make_pair(probe.enabled, probe.checked);
    };
    ASSERT_TRUE(module.Init(nullptr));
    EXPECT_TRUE(state(ID_HHSCRIPT_RUN).first);
    EXPECT_FALSE(state(ID_HHSCRIPT_STOP).first);
    module.OnCmdMsg(ID_HHSCRIPT_RUN, CN_COMMAND, nullptr, nullptr);
    EXPECT_TRUE(module.IsRunning());
    EXPECT_FALSE(state(ID_HHSCRIPT_RUN).first);
    EXPECT_TRUE(state(ID_HHSCRIPT_PAUSE).first);
    module.OnCmdMsg(ID_HHSCRIPT_PAUSE, CN_COMMAND, nullptr, nullptr);
    EXPECT_EQ(state(ID_HHSCRIPT_PAUSE).second, 1) << "checked while paused";
    EXPECT_TRUE(state(ID_HHSCRIPT_STOP).first);
    module.OnCmdMsg(ID_HHSCRIPT_STOP, CN_COMMAND, nullptr, nullptr);
    EXPECT_FALSE(module.IsRunning() || module.IsPaused());
    EXPECT_FALSE(state(ID_HHSCRIPT_BREAK).first);
}

} // namespace
