// The engine behind its interfaces: error reports, states, events and re-entrant calls.

#include "support/script_cases.h"

#include "platform/script/script_hooks.h"
#include "platform/win/windows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <future>
#include <mutex>
#include <thread>

namespace {

using pm::test::Harness;
using pm::test::joined;

struct ErrorCase {
    const char* name;
    const char* script;
    int number;
    ULONG line;
    LONG column;
    const char* sourceLine;
};

TEST(EngineErrors, SyntaxErrorsAreReportedBeforeParseReturns) {
    const ErrorCase cases[] = {
        {"missing paren", "x = 1\nIf x Then\n  y = (2\nEnd If", 1006, 2, 8, "  y = (2"},
        {"unterminated string", "x = \"abc", 1033, 0, 8, "x = \"abc"},
        {"invalid character", "x = 1 @ 2", 1032, 0, 6, "x = 1 @ 2"},
        {"missing end sub", "Sub A\nx = 1", 1014, 1, 5, "x = 1"},
        {"end function closes a sub", "Sub A\nEnd Function", 1016, 1, 4, "End Function"},
        {"missing then", "If x\nEnd If", 1017, 0, 4, "If x"},
        {"missing next", "For i = 1 To 2\nx = 1", 1020, 1, 5, "x = 1"},
        {"redefined sub", "Sub A\nEnd Sub\nSub A\nEnd Sub", 1041, 2, 4, "Sub A"},
        {"redefined dim", "Dim a\nDim a", 1041, 1, 4, "Dim a"},
        {"exit for outside for", "Exit For", 1039, 0, 8, "Exit For"},
        {"expected expression", "x = * 2", 1023, 0, 4, "x = * 2"},
        {"end of statement", "x = 1 2", 1025, 0, 6, "x = 1 2"},
        {"crlf lines", "x = 1\r\n\r\ny = )", 1023, 2, 4, "y = )"},
        {"continued line", "x = 1 + _\n 2 +\ny = 1", 1002, 1, 4, " 2 +"},
        {"expression cut short at the line end", "x = 1 +", 1002, 0, 7, "x = 1 +"},
        {"property outside a class", "Property Get P\nEnd Property", 1048, 0, 13, "Property Get P"},
        {"class without end", "Class A\nPublic x", 1014, 1, 8, "Public x"},
        {"with without end", "With Test\n.Log 1", 1014, 1, 6, ".Log 1"},
        {"leading dot outside with", ".Log 1", 1002, 0, 0, ".Log 1"},
        {"property let without argument", "Class A\nProperty Let P\nEnd Property\nEnd Class", 1054, 1, 13,
         "Property Let P"},
        {"two default members",
         "Class A\nPublic Default Sub X\nEnd Sub\nPublic Default Sub Y\nEnd Sub\nEnd Class", 1052, 3, 19,
         "Public Default Sub Y"},
        {"class closed by another end", "Class A\nEnd Sub", 1047, 1, 4, "End Sub"},
        {"class named like a variable", "Dim A\nClass A\nEnd Class", 1041, 1, 6, "Class A"},
        {"class inside a procedure", "Sub S\nClass A\nEnd Class\nEnd Sub", 1002, 1, 0, "Class A"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        EXPECT_EQ(h.parseText(c.script), SCRIPT_E_REPORTED);
        ASSERT_EQ(h.site->errors.size(), 1u);
        const auto& e = h.site->errors[0];
        EXPECT_EQ(e.number, c.number);
        EXPECT_EQ(e.line, c.line);
        EXPECT_EQ(e.column, c.column);
        EXPECT_EQ(e.sourceLine, c.sourceLine);
        EXPECT_EQ(e.source, "VBScript compilation error");
        // Nothing of the failed text was kept; the engine takes new text.
        EXPECT_EQ(h.run("Test.Log 1"), S_OK);
        EXPECT_EQ(joined(h.test->log), "1");
    }
}

TEST(EngineErrors, RuntimeErrorsCarryPositionSourceLineAndText) {
    const ErrorCase cases[] = {
        {"division", "Dim a\na = 1\n  b = a / 0\nTest.Log 2", 11, 2, 2, "  b = a / 0"},
        {"in a procedure", "Sub S\n  x = 1\n\tx = Test.Nope\nEnd Sub\nS", 438, 2, 1, "\tx = Test.Nope"},
        {"undefined", "Option Explicit\nDim a\na = b", 500, 2, 0, "a = b"},
        {"type mismatch", "x = Array(1)\ny = x + 1", 13, 1, 0, "y = x + 1"},
        {"raised", "Err.Raise 1000", 1000, 0, 0, "Err.Raise 1000"},
        {"stack", "Function F(n)\n F = F(n + 1)\nEnd Function\nx = F(1)", 28, 1, 1, " F = F(n + 1)"},
        {"wrong count", "Sub S(a)\nEnd Sub\nS", 450, 2, 0, "S"},
        {"in a procedure defined by Execute", "Execute \"Sub T : x = 1 / 0 : End Sub\"\n\nT", 11, 2, 0, "T"},
        {"null use", "x = Len(Null)\ny = CStr(Null)", 94, 1, 0, "y = CStr(Null)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        EXPECT_EQ(h.run(c.script), S_OK);
        ASSERT_EQ(h.site->errors.size(), 1u);
        const auto& e = h.site->errors[0];
        EXPECT_EQ(e.number, c.number);
        EXPECT_EQ(e.line, c.line);
        EXPECT_EQ(e.column, c.column);
        EXPECT_EQ(e.sourceLine, c.sourceLine);
        EXPECT_EQ(e.source, "VBScript runtime error");
        EXPECT_TRUE(h.test->log.empty()); // the rest of the entry was abandoned
        EXPECT_EQ(h.site->enters, h.site->leaves);
    }
}

// Recursion through a long expression would overflow the machine stack well before the call
// limit; it stops with "Out of stack space" instead.
TEST(EngineErrors, DeepRecursionOfALongExpressionIsOutOfStack) {
    std::string sum = "F(n - 1)";
    for (int i = 0; i < 900; ++i)
        sum += " + 1";
    Harness h;
    h.run("Function F(n)\n  If n > 0 Then F = " + sum + " Else F = 0\nEnd Function\nx = F(399)\nTest.Log x");
    ASSERT_EQ(h.site->errors.size(), 1u);
    EXPECT_EQ(h.site->errors[0].number, 28);
    EXPECT_TRUE(h.test->log.empty());
}

TEST(EngineErrors, DescriptionsAreTheStandardTexts) {
    Harness h;
    h.run("x = 1 / 0");
    ASSERT_EQ(h.site->errors.size(), 1u);
    EXPECT_EQ(h.site->errors[0].description, "Division by zero");
    Harness g;
    g.parseText("x = (1");
    EXPECT_EQ(g.site->errors[0].description, "Expected ')'");
}

TEST(EngineErrors, StartingLineAndReuseAfterReset) {
    Harness h;
    std::u16string code = u"x = 1\ny = 1 / 0";
    ASSERT_EQ(h.parse->ParseScriptText(code.c_str(), nullptr, nullptr, nullptr, 7, 10, 0, nullptr, nullptr),
              S_OK);
    h.engine->SetScriptState(SCRIPTSTATE_CONNECTED);
    ASSERT_EQ(h.site->errors.size(), 1u);
    EXPECT_EQ(h.site->errors[0].line, 11u);
    ASSERT_EQ(h.engine->SetScriptState(SCRIPTSTATE_INITIALIZED), S_OK);
    h.engine->AddNamedItem(u"Test", SCRIPTITEM_ISVISIBLE | SCRIPTITEM_ISSOURCE);
    EXPECT_EQ(h.run("Test.Log \"again\""), S_OK);
    EXPECT_EQ(joined(h.test->log), "again");
}

TEST(EngineStates, ReportsEveryTransition) {
    Harness h;
    EXPECT_EQ(h.run("x = 1"), S_OK);
    EXPECT_EQ(h.engine->SetScriptState(SCRIPTSTATE_DISCONNECTED), S_OK);
    EXPECT_EQ(h.engine->SetScriptState(SCRIPTSTATE_CONNECTED), S_OK);
    EXPECT_EQ(h.engine->SetScriptState(SCRIPTSTATE_INITIALIZED), S_OK);
    EXPECT_EQ(h.engine->Close(), S_OK);
    EXPECT_EQ(h.engine->Close(), S_OK);
    const std::vector<SCRIPTSTATE> expected = {
        SCRIPTSTATE_INITIALIZED, SCRIPTSTATE_STARTED,     SCRIPTSTATE_CONNECTED, SCRIPTSTATE_DISCONNECTED,
        SCRIPTSTATE_CONNECTED,   SCRIPTSTATE_INITIALIZED, SCRIPTSTATE_CLOSED};
    EXPECT_EQ(h.site->states, expected);
    EXPECT_EQ(h.parseText("x = 1"), E_UNEXPECTED);
}

TEST(EngineStates, ResetKeepsOnlyPersistentItems) {
    Harness h;
    h.site->items["keep"] = static_cast<IDispatch*>(h.test.get());
    h.engine->AddNamedItem(u"Keep", SCRIPTITEM_ISVISIBLE | SCRIPTITEM_ISPERSISTENT);
    ASSERT_EQ(h.run("x = 1"), S_OK);
    h.engine->SetScriptState(SCRIPTSTATE_INITIALIZED);
    EXPECT_EQ(h.run("Keep.Log \"kept\"\nOn Error Resume Next\nTest.Log \"gone\"\nKeep.Log Err.Number"), S_OK);
    EXPECT_EQ(joined(h.test->log), "kept|424");
}

TEST(EngineStates, ResetAndCloseRunTheTerminateOfObjectsStillHeld) {
    const char* script =
        "Class T\n  Public Name\n  Sub Class_Terminate\n    Test.Log \"bye \" & Name\n"
        "  End Sub\nEnd Class\nSet a = New T : a.Name = \"a\"\nSet b = New T : b.Name = \"b\"";
    Harness h;
    ASSERT_EQ(h.run(script), S_OK);
    EXPECT_EQ(h.engine->SetScriptState(SCRIPTSTATE_INITIALIZED), S_OK);
    EXPECT_EQ(joined(h.test->log), "bye a|bye b");
    h.engine->AddNamedItem(u"Test", SCRIPTITEM_ISVISIBLE | SCRIPTITEM_ISSOURCE);
    ASSERT_EQ(h.run(script), S_OK);
    EXPECT_EQ(h.engine->Close(), S_OK);
    EXPECT_EQ(joined(h.test->log), "bye a|bye b|bye a|bye b");
}

TEST(EngineReentrancy, ResetFromAClassTerminateRunByAReset) {
    Harness h;
    h.test->onCallBack = [&] { h.engine->SetScriptState(SCRIPTSTATE_INITIALIZED); };
    ASSERT_EQ(h.run("Class T\n  Sub Class_Terminate\n    Test.Log \"bye\"\n    Test.CallBack\n"
                    "    Test.Log \"after\"\n  End Sub\nEnd Class\nSet a = New T\nSet b = New T"),
              S_OK);
    EXPECT_EQ(h.engine->Close(), S_OK);
    EXPECT_EQ(joined(h.test->log), "bye");
    EXPECT_EQ(h.site->states.back(), SCRIPTSTATE_CLOSED);
}

// Objects a script left in a cycle (an instance or a Dictionary holding itself) are freed when the
// engine closes: the host object they hold gets its references back.
TEST(EngineStates, CloseFreesObjectsHeldInACycle) {
    Harness h;
    auto refs = [&] {
        h.test->AddRef();
        return h.test->Release();
    };
    ULONG before = refs();
    ASSERT_EQ(h.run("Class Node\n  Public Self, Host\nEnd Class\nSet n = New Node\nSet n.Self = n\n"
                    "Set n.Host = Test\nSet n = Nothing\nSet d = CreateObject(\"Scripting.Dictionary\")\n"
                    "Set d(\"me\") = d\nSet d(\"host\") = Test\nSet d = Nothing"),
              S_OK);
    EXPECT_GT(refs(), before);
    EXPECT_EQ(h.engine->Close(), S_OK);
    EXPECT_EQ(refs(), before);
}

TEST(EngineStates, GlobalCodeRunsOnlyWhenConnected) {
    Harness h;
    EXPECT_EQ(h.parseText("Test.Log \"ran\""), S_OK);
    EXPECT_TRUE(h.test->log.empty());
    h.engine->SetScriptState(SCRIPTSTATE_CONNECTED);
    EXPECT_EQ(joined(h.test->log), "ran");
    EXPECT_EQ(h.parseText("Test.Log \"at once\""), S_OK); // connected: new text runs as it is added
    EXPECT_EQ(joined(h.test->log), "ran|at once");
}

VARIANT intArg(LONG v) {
    VARIANT a;
    VariantInit(&a);
    a.vt = VT_I4;
    a.lVal = v;
    return a;
}

TEST(EngineEvents, HandlersRunWithArgumentsAndByRefWriteBack) {
    Harness h;
    ASSERT_EQ(h.run("Sub Test_Ping()\nTest.Log \"ping\"\nEnd Sub\n"
                    "Sub test_changed(v)\nv = v * 2\nEnd Sub\n"
                    "Sub Test_Count(ByVal n)\nTest.Log n\nn = 0\nEnd Sub"),
              S_OK);
    EXPECT_EQ(h.test->events->connectionCount(), 1u);
    EXPECT_EQ(h.test->fire(pm::test::kEventPing), S_OK);
    VARIANT value = intArg(21);
    VARIANT ref;
    VariantInit(&ref);
    ref.vt = VT_VARIANT | VT_BYREF;
    ref.pvarVal = &value;
    EXPECT_EQ(h.test->fire(pm::test::kEventChanged, {ref}), S_OK);
    EXPECT_EQ(value.vt, VT_I4);
    EXPECT_EQ(value.lVal, 42);
    LONG typed = 5;
    VARIANT typedRef;
    VariantInit(&typedRef);
    typedRef.vt = VT_I4 | VT_BYREF;
    typedRef.plVal = &typed;
    EXPECT_EQ(h.test->fire(pm::test::kEventChanged, {typedRef}), S_OK);
    EXPECT_EQ(typed, 10);
    EXPECT_EQ(h.test->fire(pm::test::kEventCount, {intArg(7)}), S_OK);
    EXPECT_EQ(joined(h.test->log), "ping|7");
    EXPECT_TRUE(h.site->errors.empty());
}

TEST(EngineEvents, SilentWhileDisconnectedAndMissingHandlerAnswersMemberNotFound) {
    Harness h;
    ASSERT_EQ(h.run("Sub Test_Ping\nTest.Log \"ping\"\nEnd Sub"), S_OK);
    h.engine->SetScriptState(SCRIPTSTATE_DISCONNECTED);
    EXPECT_EQ(h.test->fire(pm::test::kEventPing), S_OK);
    EXPECT_TRUE(h.test->log.empty());
    h.engine->SetScriptState(SCRIPTSTATE_CONNECTED);
    EXPECT_EQ(h.test->fire(pm::test::kEventPing), S_OK);
    EXPECT_EQ(joined(h.test->log), "ping");
    // Straight to the sink: no Test_Count procedure.
    pm::ComPtr<IEnumConnections> en;
    ASSERT_EQ(h.test->events->EnumConnections(en.put()), S_OK);
    CONNECTDATA cd;
    ULONG got = 0;
    ASSERT_EQ(en->Next(1, &cd, &got), S_OK);
    pm::ComPtr<IDispatch> sink;
    cd.pUnk->QueryInterface(IID_IDispatch, sink.putVoid());
    cd.pUnk->Release();
    VARIANT n = intArg(1);
    DISPPARAMS p{&n, nullptr, 1, 0};
    EXPECT_EQ(
        sink->Invoke(pm::test::kEventCount, IID_NULL, 0, DISPATCH_METHOD, &p, nullptr, nullptr, nullptr),
        DISP_E_MEMBERNOTFOUND);
    // After a reset the engine lets go of the connection.
    h.engine->SetScriptState(SCRIPTSTATE_INITIALIZED);
    EXPECT_EQ(h.test->events->connectionCount(), 0u);
    EXPECT_EQ(sink->Invoke(pm::test::kEventPing, IID_NULL, 0, DISPATCH_METHOD, &p, nullptr, nullptr, nullptr),
              S_OK);
}

TEST(EngineEvents, HandlerErrorsAreReportedAndTheSourceSeesSuccess) {
    Harness h;
    ASSERT_EQ(h.run("Sub Test_Ping\nx = 1 / 0\nEnd Sub\nSub Test_Count\nEnd Sub"), S_OK);
    EXPECT_EQ(h.test->fire(pm::test::kEventPing), S_OK);
    EXPECT_EQ(h.test->fire(pm::test::kEventCount, {intArg(1)}), S_OK); // handler takes no argument
    ASSERT_EQ(h.site->errors.size(), 2u);
    EXPECT_EQ(h.site->errors[0].number, 11);
    EXPECT_EQ(h.site->errors[0].line, 1u);
    EXPECT_EQ(h.site->errors[1].number, 450);
}

TEST(EngineReentrancy, ResetFromAMethodCalledByTheScriptStopsIt) {
    Harness h;
    h.test->onCallBack = [&] { h.engine->SetScriptState(SCRIPTSTATE_INITIALIZED); };
    EXPECT_EQ(h.run("Sub Work\nTest.Log 1\nTest.CallBack\nTest.Log 2\nEnd Sub\nFor i = 1 To "
                    "3\nWork\nNext\nTest.Log 3"),
              S_OK);
    EXPECT_EQ(joined(h.test->log), "1");
    EXPECT_EQ(h.site->states.back(), SCRIPTSTATE_INITIALIZED);
    EXPECT_TRUE(h.site->errors.empty());
    EXPECT_EQ(h.test->events->connectionCount(), 0u);
    EXPECT_EQ(h.site->enters, h.site->leaves);
    h.test->onCallBack = nullptr;
    h.engine->AddNamedItem(u"Test", SCRIPTITEM_ISVISIBLE | SCRIPTITEM_ISSOURCE);
    EXPECT_EQ(h.run("Test.Log \"fresh\""), S_OK);
    EXPECT_EQ(joined(h.test->log), "1|fresh");
}

TEST(EngineReentrancy, ResetFromOnLeaveScriptAfterAnError) {
    Harness h;
    ASSERT_EQ(h.run("Sub Test_Ping\nx = 1 / 0\nEnd Sub"), S_OK);
    bool stopOnLeave = false;
    h.site->onError = [&](IActiveScriptError*) {
        h.engine->SetScriptState(SCRIPTSTATE_DISCONNECTED); // the host pauses while it asks the user
        stopOnLeave = true;
    };
    h.site->onLeave = [&] {
        if (stopOnLeave) h.engine->SetScriptState(SCRIPTSTATE_INITIALIZED);
    };
    EXPECT_EQ(h.test->fire(pm::test::kEventPing), S_OK);
    const std::vector<SCRIPTSTATE> tail(h.site->states.end() - 2, h.site->states.end());
    EXPECT_EQ(tail, (std::vector<SCRIPTSTATE>{SCRIPTSTATE_DISCONNECTED, SCRIPTSTATE_INITIALIZED}));
    EXPECT_EQ(h.test->events->connectionCount(), 0u);
}

TEST(EngineReentrancy, CloseFromInsideTheScript) {
    Harness h;
    h.test->onCallBack = [&] { h.engine->Close(); };
    EXPECT_EQ(h.run("Test.CallBack\nTest.Log \"after\""), S_OK);
    EXPECT_TRUE(h.test->log.empty());
    EXPECT_EQ(h.site->states.back(), SCRIPTSTATE_CLOSED);
}

TEST(EngineReentrancy, EventDuringMessageBoxRunsAndReturns) {
    Harness h;
    ASSERT_EQ(
        h.run("Sub Test_Ping\nTest.Log \"ping\"\nEnd Sub\n"
              "Sub Test_Count(n)\nTest.Log \"count\"\nr = MsgBox(\"wait\", vbYesNo)\nTest.Log r\nEnd Sub"),
        S_OK);
    pm::setScriptMessageBoxHook([&](HWND, const std::string& prompt, unsigned buttons, const std::string&) {
        h.test->log.push_back(prompt + std::to_string(buttons));
        h.test->fire(pm::test::kEventPing);
        return 7;
    });
    EXPECT_EQ(h.test->fire(pm::test::kEventCount, {intArg(1)}), S_OK);
    pm::setScriptMessageBoxHook(nullptr);
    EXPECT_EQ(joined(h.test->log), "count|wait4|ping|7");
    EXPECT_TRUE(h.site->errors.empty());
}

TEST(EngineReentrancy, StopWhileMessageBoxIsOpen) {
    Harness h;
    pm::setScriptMessageBoxHook([&](HWND, const std::string&, unsigned, const std::string&) {
        h.engine->SetScriptState(SCRIPTSTATE_INITIALIZED);
        return 1;
    });
    EXPECT_EQ(h.run("Test.Log \"before\"\nMsgBox \"x\"\nTest.Log \"after\""), S_OK);
    pm::setScriptMessageBoxHook(nullptr);
    EXPECT_EQ(joined(h.test->log), "before");
    EXPECT_EQ(h.site->states.back(), SCRIPTSTATE_INITIALIZED);
}

TEST(EngineReentrancy, DefaultDialogsAreTheWindowLayers) {
    Harness h;
    // The window layer's hooks answer its message box and close the input dialog with Cancel.
    pm::setMessageBoxHook([](HWND, const std::string&, const std::string&, UINT type) {
        return (type & MB_TYPEMASK) == MB_YESNOCANCEL ? IDYES : IDOK;
    });
    pm::setDialogHook([](HWND box) { EndDialog(box, IDCANCEL); });
    EXPECT_EQ(h.run("Test.Log MsgBox(\"a\")\nTest.Log MsgBox(\"b\", vbYesNoCancel)\nTest.Log \"[\" & "
                    "InputBox(\"c\") & \"]\""),
              S_OK);
    pm::setDialogHook(nullptr);
    pm::setMessageBoxHook(nullptr);
    EXPECT_EQ(joined(h.test->log), "1|6|[]");
}

TEST(EngineAbort, EndlessLoopEndsWhenATimerSetsTheAbortFlag) {
    Harness h;
    // The host's timer, served from the poll, sets the flag at the third poll; should the loop go on
    // regardless, an interrupt ends it so that the test fails instead of hanging.
    int polls = 0;
    pm::setScriptPollHook([&] {
        if (++polls == 3) h.engine->SetScriptState(SCRIPTSTATE_INITIALIZED);
        if (polls == 100) h.engine->InterruptScriptThread(SCRIPTTHREADID_ALL, nullptr, 0);
    });
    EXPECT_EQ(h.run("Do\nLoop"), S_OK);
    pm::setScriptPollHook(nullptr);
    EXPECT_EQ(polls, 3) << "the loop ends at the poll that set the flag";
    EXPECT_EQ(h.site->states.back(), SCRIPTSTATE_INITIALIZED);
}

TEST(EngineAbort, InterruptFromAnotherThread) {
    Harness h;
    // An interrupt while nothing runs stops nothing later.
    EXPECT_EQ(h.engine->InterruptScriptThread(SCRIPTTHREADID_ALL, nullptr, 0), S_OK);
    EXPECT_EQ(h.parseText("Test.Log 0"), S_OK);
    // The other thread interrupts once the loop runs (its first poll).
    std::promise<void> running;
    std::once_flag once;
    pm::setScriptPollHook([&] { std::call_once(once, [&] { running.set_value(); }); });
    std::thread timer([&, started = running.get_future()] {
        started.wait();
        h.engine->InterruptScriptThread(SCRIPTTHREADID_ALL, nullptr, 0);
    });
    EXPECT_EQ(h.run("Do\nx = x + 1\nLoop"), S_OK);
    timer.join();
    pm::setScriptPollHook(nullptr);
    EXPECT_TRUE(h.site->errors.empty());
    EXPECT_EQ(h.engine->InterruptScriptThread(SCRIPTTHREADID_BASE, nullptr, SCRIPTINTERRUPT_DEBUG),
              E_NOTIMPL);
    // The engine runs again afterwards.
    h.engine->SetScriptState(SCRIPTSTATE_INITIALIZED);
    h.engine->AddNamedItem(u"Test", SCRIPTITEM_ISVISIBLE | SCRIPTITEM_ISSOURCE);
    EXPECT_EQ(h.run("Test.Log 5"), S_OK);
    EXPECT_EQ(joined(h.test->log), "0|5");
}

} // namespace

namespace {

DISPID idOf(IDispatch* d, const char16_t* name) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR n = const_cast<LPOLESTR>(name);
    return SUCCEEDED(d->GetIDsOfNames(IID_NULL, &n, 1, 0, &id)) ? id : DISPID_UNKNOWN;
}

// Invokes a member with the given arguments (first first); the result's text, or the HRESULT.
std::string invokeText(IDispatch* d, DISPID id, WORD flags, std::vector<VARIANT> args,
                       EXCEPINFO* ex = nullptr) {
    std::reverse(args.begin(), args.end());
    DISPID named = DISPID_PROPERTYPUT;
    bool put = flags == DISPATCH_PROPERTYPUT;
    DISPPARAMS params{args.data(), put ? &named : nullptr, static_cast<UINT>(args.size()), put ? 1u : 0u};
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO local{};
    HRESULT hr = d->Invoke(id, IID_NULL, 0, flags, &params, &result, ex ? ex : &local, nullptr);
    if (!ex) {
        SysFreeString(local.bstrDescription);
        SysFreeString(local.bstrSource);
    }
    std::string text = FAILED(hr) ? "hr " + std::to_string(hr) : pm::test::variantText(result);
    VariantClear(&result);
    return text;
}

VARIANT longArg(int v) {
    VARIANT a;
    VariantInit(&a);
    a.vt = VT_I4;
    a.lVal = v;
    return a;
}

} // namespace

TEST(EngineScriptDispatch, ReadsWritesAndCallsGlobalsFromCpp) {
    Harness h;
    ASSERT_EQ(h.run("Dim counter\ncounter = 41\nFunction Twice(x)\n  Twice = x * 2 + counter\nEnd Function\n"
                    "Function Fails()\n  Fails = 1 / 0\nEnd Function"),
              S_OK);
    pm::ComPtr<IDispatch> scope;
    ASSERT_EQ(h.engine->GetScriptDispatch(nullptr, scope.put()), S_OK);
    DISPID counter = idOf(scope.get(), u"COUNTER"), twice = idOf(scope.get(), u"twice");
    ASSERT_NE(counter, DISPID_UNKNOWN);
    ASSERT_NE(twice, DISPID_UNKNOWN);
    EXPECT_EQ(idOf(scope.get(), u"nothing_here"), DISPID_UNKNOWN);
    EXPECT_EQ(invokeText(scope.get(), counter, DISPATCH_PROPERTYGET, {}), "41");
    EXPECT_EQ(invokeText(scope.get(), counter, DISPATCH_PROPERTYPUT, {longArg(1)}), "<empty>");
    EXPECT_EQ(invokeText(scope.get(), twice, DISPATCH_METHOD, {longArg(20)}), "41");
    EXCEPINFO ex{};
    EXPECT_EQ(invokeText(scope.get(), idOf(scope.get(), u"Fails"), DISPATCH_METHOD, {}, &ex),
              "hr " + std::to_string(DISP_E_EXCEPTION));
    EXPECT_EQ(ex.scode, MAKE_HRESULT(1, FACILITY_CONTROL, 11));
    EXPECT_EQ(pm::fromBstr(ex.bstrDescription), "Division by zero");
    SysFreeString(ex.bstrDescription);
    SysFreeString(ex.bstrSource);
    EXPECT_EQ(invokeText(scope.get(), twice, DISPATCH_METHOD, {}), "hr " + std::to_string(DISP_E_EXCEPTION));

    pm::ComPtr<IDispatch> item;
    EXPECT_EQ(h.engine->GetScriptDispatch(u"test", item.put()), S_OK);
    EXPECT_EQ(h.engine->GetScriptDispatch(u"NoSuchItem", item.put()), E_INVALIDARG);
    // A scope kept past Close answers failures instead of reaching freed code.
    h.engine->Close();
    EXPECT_NE(invokeText(scope.get(), twice, DISPATCH_METHOD, {longArg(1)}).rfind("hr ", 0),
              std::string::npos);
}

TEST(EngineScriptDispatch, HostCallsAHandlerGivenByGetRef) {
    Harness h;
    ASSERT_EQ(
        h.run(
            "Sub OnClick(what)\n  Test.Log \"clicked \" & what\nEnd Sub\nSet handler = GetRef(\"onclick\")"),
        S_OK);
    pm::ComPtr<IDispatch> scope;
    ASSERT_EQ(h.engine->GetScriptDispatch(nullptr, scope.put()), S_OK);
    VARIANT handler;
    VariantInit(&handler);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    ASSERT_EQ(scope->Invoke(idOf(scope.get(), u"handler"), IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &handler,
                            nullptr, nullptr),
              S_OK);
    ASSERT_EQ(handler.vt, VT_DISPATCH);
    VARIANT what;
    VariantInit(&what);
    what.vt = VT_BSTR;
    what.bstrVal = pm::toBstr("ok");
    EXPECT_EQ(invokeText(handler.pdispVal, DISPID_VALUE, DISPATCH_METHOD, {what}), "<empty>");
    EXPECT_EQ(joined(h.test->log), "clicked ok");
    VariantClear(&what);
    VariantClear(&handler);
}
