// The script host's debugging side. Without a script debugger (this system) the debug application
// stays empty, the site's debug calls answer E_UNEXPECTED, and breakpoints go nowhere while macros
// run as ever. With a debugger (a fake one here) the program registers itself, gives every module
// text a debug document, hands the breakpoints over and answers a debugging engine's errors.

#include "support/debugger_fakes.h"
#include "support/script_host_fixture.h"

#include "platform/com/oleauto.h"
#include "scripting/CHHDebugApplication.h"
#include "scripting/CHHModule.h"
#include "scripting/CHHVBScriptEngine.h"
#include "scripting/CHHVBScriptTextParser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using scripttest::DebugLog;

namespace {

// A module that runs its text on the debugging engine.
class DebuggingModule final : public CHHModule {
public:
    DebuggingModule() : CHHModule(RUNTIME_CLASS(CDebuggingVBScriptEngine)) {}
};

// An error as a debugging engine reports it.
class DebugError final : public pm::ComObject<IActiveScriptErrorDebug> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (riid == IID_IUnknown || riid == IID_IActiveScriptError || riid == IID_IActiveScriptErrorDebug)
            return pm::answerInterface(this, ppv);
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE GetExceptionInfo(EXCEPINFO* info) override {
        *info = EXCEPINFO{};
        info->bstrDescription = pm::toBstr("Type mismatch");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetSourcePosition(DWORD* context, ULONG* line, LONG* position) override {
        *context = 0;
        *line = 3;
        *position = 7;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetSourceLineText(BSTR* text) override {
        *text = pm::toBstr("x = y");
        return S_OK;
    }
};

CString procedureText() {
    return "Sub Go()\r\n\tx = 1\r\n\ty = 2\r\nEnd Sub\r\n";
}

} // namespace

TEST(ScriptDebugging, WithoutADebuggerTheDebugSideAnswersUnexpectedAndMacrosRunAsEver) {
    CHHDebugApplication debug;
    EXPECT_EQ(debug.Create("Penmere"), REGDB_E_CLASSNOTREG);
    EXPECT_FALSE(debug.IsAvailable());
    pm::ComPtr<IDebugDocumentHelper> document;
    EXPECT_EQ(debug.CreateDocumentHelper(document.put()), E_UNEXPECTED);
    pm::ComPtr<IDebugApplicationNode> node;
    EXPECT_EQ(debug.GetRootNode(node.put()), E_UNEXPECTED);
    EXPECT_EQ(debug.CauseBreak(), E_UNEXPECTED);
    EXPECT_EQ(debug.StartDebugSession(), E_UNEXPECTED);

    // A debug document asked for but not to be had leaves the engine working.
    CHHVBScriptEngine engine;
    EXPECT_EQ(engine.Create(&debug, "Macro", nullptr, TRUE), S_FALSE);
    pm::ComPtr<IActiveScriptSiteDebug32> site = CDebuggingVBScriptEngine::DebugSiteOf(engine);
    ASSERT_TRUE(site) << "the site offers its debugging side to engines";
    pm::ComPtr<IDebugDocumentContext> context;
    EXPECT_EQ(site->GetDocumentContextFromPosition(0, 0, 1, nullptr), E_POINTER);
    EXPECT_EQ(site->GetDocumentContextFromPosition(0, 0, 1, context.put()), E_UNEXPECTED);
    pm::ComPtr<IDebugApplication> application;
    EXPECT_EQ(site->GetApplication(nullptr), E_POINTER);
    EXPECT_EQ(site->GetApplication(application.put()), E_UNEXPECTED);
    EXPECT_FALSE(application);
    EXPECT_EQ(site->GetRootApplicationNode(node.put()), E_UNEXPECTED);
    EXPECT_FALSE(node);

    // Breakpoints go nowhere: the engine cannot debug, and without an engine there is nothing.
    const DWORD positions[] = {3, 12};
    EXPECT_EQ(engine.SetBreakpoints(positions, 2, TRUE, 0), S_OK);
    CHHVBScriptEngine none;
    EXPECT_EQ(none.SetBreakpoint(3, TRUE, 0), E_UNEXPECTED);

    // A module with a breakpoint in its text runs on the VBScript engine all the same.
    CHHModule module(RUNTIME_CLASS(CHHVBScriptEngine));
    ASSERT_TRUE(module.Init(&debug));
    CHHVBScriptTextParser parser;
    module.GetProcedures().Parse(procedureText(), &parser);
    module.GetProcedures().GetAt(0).m_procedures[0].m_markers.push_back(CHHLineMarker{1, 10, 1});
    EXPECT_TRUE(module.Run());
}

TEST(ScriptDebugging, AnErrorOfADebuggingEngineIsAnsweredByTheButtonChosen) {
    struct Row {
        const char* name;
        int answer;
        BOOL enterDebugger;
        int stateAfter;
        HRESULT again; // the same error reported once more
    } rows[] = {
        {"Debug enters the debugger and resumes", IDC_HHERR_DEBUG, TRUE, SCRIPTSTATE_CONNECTED, S_OK},
        {"Continue resumes", IDC_HHERR_CONTINUE, FALSE, SCRIPTSTATE_CONNECTED, E_FAIL},
        {"End leaves it paused to be stopped", IDC_HHERR_END, FALSE, SCRIPTSTATE_DISCONNECTED, E_FAIL},
        {"no action leaves it paused", -1, FALSE, SCRIPTSTATE_DISCONNECTED, E_FAIL},
    };
    for (const Row& row : rows) {
        CHHVBScriptEngine engine;
        ASSERT_GE(engine.Create(nullptr, nullptr, nullptr, FALSE), 0);
        struct Seen {
            int answer;
            int ended = 0;
            CString description;
        } seen{row.answer, 0, CString()};
        engine.SetCallback(
            [](int type, void* data, void* argument) {
                auto* s = static_cast<Seen*>(data);
                if (type == HHCB_ERROREND) ++s->ended;
                if (type != HHCB_SCRIPTERROR) return 0;
                s->description = static_cast<CHHScriptErrorInfo*>(argument)->m_strDescription;
                return s->answer;
            },
            &seen);
        ASSERT_EQ(engine.ParseScript("x = 1\r\n", nullptr, nullptr, FALSE), S_OK);
        ASSERT_EQ(engine.Run(FALSE), S_OK);
        ASSERT_EQ(engine.GetScriptState(), SCRIPTSTATE_CONNECTED);
        pm::ComPtr<IActiveScriptSiteDebug32> site = CDebuggingVBScriptEngine::DebugSiteOf(engine);
        pm::ComPtr<DebugError> error;
        error.attach(new DebugError);
        BOOL enter = -1, callOnScriptError = -1;
        EXPECT_EQ(site->OnScriptErrorDebug(error.get(), &enter, &callOnScriptError), S_OK) << row.name;
        EXPECT_EQ(enter, row.enterDebugger) << row.name;
        EXPECT_EQ(callOnScriptError, FALSE) << row.name << ": the error is answered here";
        EXPECT_EQ(seen.description, "Type mismatch") << row.name;
        EXPECT_EQ(seen.ended, row.answer == IDC_HHERR_END ? 1 : 0) << row.name;
        EXPECT_EQ(engine.GetScriptState(), row.stateAfter) << row.name;
        EXPECT_EQ(site->OnScriptErrorDebug(error.get(), &enter, &callOnScriptError), row.again) << row.name;
    }

    // A host without an error road lets the engine report the error the plain way.
    CHHEngineRaw raw;
    ASSERT_EQ(raw.CreateFromCLSID(CLSID_VBScript, nullptr, nullptr, nullptr, FALSE), S_OK);
    pm::ComPtr<IActiveScriptSiteDebug32> site = CDebuggingVBScriptEngine::DebugSiteOf(raw);
    pm::ComPtr<DebugError> error;
    error.attach(new DebugError);
    BOOL enter = -1, callOnScriptError = -1;
    EXPECT_EQ(site->OnScriptErrorDebug(error.get(), &enter, &callOnScriptError), S_OK);
    EXPECT_EQ(enter, FALSE);
    EXPECT_EQ(callOnScriptError, TRUE);
}

TEST(ScriptDebugging, ADebuggerGetsTheProgramItsModuleTextAndTheBreakpoints) {
    scripttest::FakeDebugger debugger;
    {
        CHHDebugApplication debug;
        ASSERT_EQ(debug.Create("Penmere"), S_OK);
        EXPECT_TRUE(debug.IsAvailable());
        EXPECT_EQ(DebugLog(), (std::vector<std::string>{"SetName Penmere", "AddApplication"}));

        DebuggingModule module;
        module.m_strModuleName = "Tools";
        DebugLog().clear();
        ASSERT_TRUE(module.Init(&debug));
        EXPECT_EQ(DebugLog(), (std::vector<std::string>{"Init Untitled / Untitled", "Attach",
                                                        "SetShortName Tools", "SetLongName Tools"}));

        CHHVBScriptTextParser parser;
        module.GetProcedures().Parse(procedureText(), &parser);
        CHHScriptProcedure& go = module.GetProcedures().GetAt(0).m_procedures[0];
        go.m_markers.push_back(CHHLineMarker{2, 18, 1}); // "\ty = 2"
        go.m_markers.push_back(CHHLineMarker{1, 10, 2}); // a bookmark only
        const int length = module.GetProcedures().GetText().GetLength();
        DebugLog().clear();
        ASSERT_TRUE(module.Run());
        EXPECT_EQ(DebugLog(), (std::vector<std::string>{"Detach", "Init Tools / Tools", "Attach",
                                                        "AddUnicodeText " + std::to_string(length),
                                                        "DefineScriptBlock 0 " + std::to_string(length),
                                                        "Breakpoint 2 at 18 of 77"}))
            << "a fresh engine and document for the run; the bookmark is no breakpoint";

        pm::ComPtr<IActiveScriptSiteDebug32> site =
            CDebuggingVBScriptEngine::DebugSiteOf(*module.GetEngine());
        pm::ComPtr<IDebugDocumentContext> context;
        DebugLog().clear();
        EXPECT_EQ(site->GetDocumentContextFromPosition(scripttest::FakeDebugger::kBlockContext, 3, 2,
                                                       context.put()),
                  S_OK);
        pm::ComPtr<IDebugApplication> application;
        EXPECT_EQ(site->GetApplication(application.put()), S_OK);
        EXPECT_EQ(application.get(), debug.GetApplication());
        pm::ComPtr<IDebugApplicationNode> node;
        EXPECT_EQ(site->GetRootApplicationNode(node.put()), S_OK);
        for (UINT id : {ID_HHSCRIPT_BREAK, ID_HHSCRIPT_DEBUGGER})
            module.OnCmdMsg(id, CN_COMMAND, nullptr, nullptr);
        EXPECT_EQ(DebugLog(), (std::vector<std::string>{"DocumentContext 103 2", "GetRootNode", "CauseBreak",
                                                        "StartDebugSession"}))
            << "the block's start plus the offset";
        site.reset(); // the engine's site goes with the engine
        module.Close();
        DebugLog().clear();
    }
    EXPECT_EQ(DebugLog(), std::vector<std::string>{"RemoveApplication 5"});
}
