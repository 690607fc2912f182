// Macros run through the script module on a small editor: editing through Doc, App's Timer event,
// stopping a macro, the error dialogs and a message box while a timer fires.

#include "support/script_host_fixture.h"

#include "platform/framework/tests/support/framework_test.h"
#include "platform/script/script_hooks.h"
#include "platform/win/richedit.h"
#include "platform/win/tests/support/test_windows.h"
#include "scripting/EditMDITypeLib.h"

#include <gtest/gtest.h>

using scripttest::ScriptHost;

namespace {

class MacroRun : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.NewDocument()); }
    void TearDown() override { pm::setScriptMessageBoxHook(nullptr); }
    // Lets `ms` pass on the test's clock and serves what fell due.
    void tick(DWORD ms) {
        pm::test::advanceClock(ms);
        pm::afxtest::pump();
    }
    ScriptHost host;
};

TEST_F(MacroRun, InsertsTextMovesTheSelectionAndSaves) {
    std::string folder = pm::afxtest::makeTempFolder();
    std::string path = folder + "/macro.txt";
    CDocument* document = static_cast<CView*>(CWnd::FromHandle(host.edit))->GetDocument();
    ASSERT_TRUE(document->OnSaveDocument(path.c_str()));
    document->SetPathName(path.c_str());
    ASSERT_TRUE(host.RunMacro("Doc.Selection = \"alpha\"\r\n"
                              "Doc.NewLine\r\n"
                              "Doc.Selection = \"beta gamma\"\r\n"
                              "Doc.SetSel 7, 11\r\n"
                              "Doc.Selection = UCase(Doc.Selection)\r\n"
                              "n = Doc.Find(\"gamma\", 0, -1)\r\n"
                              "Doc.SetSel n, n\r\n"
                              "Doc.Selection = \"[\" & Doc.GetLineCount() & \"]\"\r\n"
                              "App.SaveAll\r\n"));
    EXPECT_EQ(host.EditText(), "alpha\r\nBETA [2]gamma");
    EXPECT_FALSE(document->IsModified());
    // Each replacement is its own undo step.
    ::SendMessage(host.edit, EM_UNDO, 0, 0);
    EXPECT_EQ(host.EditText(), "alpha\r\nBETA gamma");
    pm::afxtest::removeFolder(folder);
}

TEST_F(MacroRun, TimerEventReachesTheHandlerAndACxxSinkUntilTheIntervalIsZero) {
    pm::ComPtr<scripttest::Sink> sink;
    sink.attach(new scripttest::Sink(S_OK));
    ASSERT_TRUE(scripttest::Advise(host.appObject.GetIDispatch(FALSE), DIID_IAppObjectEvents, sink.get()));
    ASSERT_TRUE(host.RunMacro("Dim ticks\r\n"
                              "App.TimerInterval = 20\r\n"
                              "Sub App_Timer()\r\n"
                              "\tticks = ticks + 1\r\n"
                              "\tDoc.Selection = \"t\"\r\n"
                              "\tIf ticks = 3 Then App.TimerInterval = 0\r\n"
                              "End Sub\r\n"));
    tick(19);
    EXPECT_EQ(host.EditText(), "") << "nothing before the first interval";
    tick(1);
    EXPECT_EQ(host.EditText(), "t");
    tick(20);
    tick(20);
    EXPECT_EQ(host.EditText(), "ttt") << "one event per interval";
    EXPECT_EQ(host.appObject.GetTimerInterval(), 0);
    tick(1000);
    EXPECT_EQ(host.EditText(), "ttt") << "no Timer event after TimerInterval = 0";
    EXPECT_EQ(sink->calls, 3);
}

TEST_F(MacroRun, StopScriptFromInsideAMacroStopsItsEndlessLoop) {
    pm::test::TimePerEmptyLook step(10);
    const DWORD start = ::GetTickCount();
    host.RunMacro("App.StopScript\r\n"
                  "Doc.Selection = \"before\"\r\n"
                  "Do\r\n"
                  "Loop\r\n"
                  "Doc.Selection = \"after\"\r\n");
    EXPECT_EQ(host.EditText(), "before");
    EXPECT_FALSE(host.module->IsRunning());
    const DWORD stoppedAfter = ::GetTickCount() - start;
    EXPECT_GE(stoppedAfter, 100u) << "stopped later, by the timer (a tenth of a second)";
    EXPECT_LT(stoppedAfter, 200u) << "stopped as soon as the timer fell due";
    // The editor still works, and the module runs again.
    ::SendMessage(host.edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("!"));
    EXPECT_EQ(host.EditText(), "before!");
    EXPECT_TRUE(host.RunMacro("Doc.Selection = \"?\"\r\n"));
    EXPECT_EQ(host.EditText(), "before!?");
}

TEST_F(MacroRun, AnEndlessLoopInAnEventHandlerIsStoppedFromTheHost) {
    ASSERT_TRUE(host.RunMacro("Sub App_Timer()\r\n"
                              "\tApp.TimerInterval = 0\r\n"
                              "\tDo\r\n"
                              "\tLoop\r\n"
                              "End Sub\r\n"
                              "App.TimerInterval = 10\r\n"));
    pm::test::TimePerEmptyLook step(10);
    // The user's Stop command arrives while the handler loops (through the queue, like a menu).
    ::SetTimer(host.main, CAppObject::kTimerStopScript, 150, nullptr);
    EXPECT_TRUE(host.PumpUntil([&] { return !host.module->IsRunning(); }));
    ::SendMessage(host.edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("ok"));
    EXPECT_EQ(host.EditText(), "ok");
}

TEST_F(MacroRun, ASyntaxErrorShowsTheSyntaxDialogWithLineColumnAndText) {
    host.pictureName = "script_syntax_error";
    EXPECT_FALSE(host.RunMacro("Doc.Selection = \"a\"\r\n"
                               "If x Then\r\n"
                               "x = (1 +\r\n"));
    ASSERT_EQ(host.dialogCaptions.size(), 1u);
    EXPECT_EQ(host.dialogCaptions[0], "Syntax Error");
    const std::string& text = host.dialogTexts[0];
    EXPECT_EQ(text.rfind("Line 2, Column ", 0), 0u) << text;
    EXPECT_NE(text.find("\n\nSource line: x = (1 +"), std::string::npos) << text;
    EXPECT_NE(text.find("\nDescription: "), std::string::npos) << text;
    EXPECT_EQ(host.EditText(), "") << "nothing of a script that does not compile runs";
    EXPECT_TRUE(host.module->IsErrorPending()) << "End leaves the error for the editor";
    EXPECT_EQ(host.module->GetErrorLine(), 2);
}

TEST_F(MacroRun, ARunTimeErrorInAnEventHandlerIsReportedAndTheHostGoesOn) {
    host.pictureName = "script_runtime_error";
    host.answerButton = 28278; // Continue
    ASSERT_TRUE(host.RunMacro("Dim n\r\n"
                              "Sub App_Timer()\r\n"
                              "\tn = n + 1\r\n"
                              "\tIf n = 1 Then x = 1 / 0\r\n"
                              "\tDoc.Selection = \"after\"\r\n"
                              "\tApp.TimerInterval = 0\r\n"
                              "End Sub\r\n"
                              "App.TimerInterval = 10\r\n"));
    EXPECT_TRUE(host.PumpUntil([&] { return host.EditText() == "after"; }));
    ASSERT_EQ(host.dialogCaptions.size(), 1u);
    EXPECT_EQ(host.dialogCaptions[0], "Run-Time Error");
    // The loose lines come first in the module text: the handler starts on line 2.
    EXPECT_EQ(host.dialogTexts[0].rfind("Line 4, Column 15\n", 0), 0u) << host.dialogTexts[0];
    EXPECT_NE(host.dialogTexts[0].find("Description: Division by zero"), std::string::npos)
        << host.dialogTexts[0];
    EXPECT_TRUE(host.module->IsRunning()) << "Continue keeps the macro running";
}

TEST_F(MacroRun, EndAtARunTimeErrorStopsTheMacro) {
    host.answerButton = 28279; // End
    host.RunMacro("Doc.Selection = \"a\"\r\n"
                  "x = 1 / 0\r\n"
                  "Doc.Selection = \"b\"\r\n");
    EXPECT_EQ(host.EditText(), "a");
    EXPECT_FALSE(host.module->IsRunning());
    EXPECT_TRUE(host.module->IsErrorPending());
    EXPECT_EQ(host.module->GetErrorLine(), 1);
}

TEST_F(MacroRun, AMessageBoxInsideAMacroLetsTimersRun) {
    int boxes = 0;
    pm::setScriptMessageBoxHook([&](HWND, const std::string&, unsigned, const std::string&) {
        ++boxes;
        // The box waits (a modal loop) until the timer ran its handler twice.
        host.PumpUntil([&] { return host.EditText().size() >= 2; });
        return IDOK;
    });
    ASSERT_TRUE(host.RunMacro("Dim shown\r\n"
                              "Sub App_Timer()\r\n"
                              "\tIf shown Then\r\n"
                              "\t\tDoc.Selection = \"t\"\r\n"
                              "\tElse\r\n"
                              "\t\tshown = True\r\n"
                              "\t\tMsgBox \"waiting\"\r\n"
                              "\t\tApp.TimerInterval = 0\r\n"
                              "\t\tDoc.Selection = \"|\"\r\n"
                              "\tEnd If\r\n"
                              "End Sub\r\n"
                              "App.TimerInterval = 10\r\n"));
    EXPECT_TRUE(host.PumpUntil([&] { return host.EditText().find('|') != std::string::npos; }));
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(host.EditText().substr(0, 2), "tt");
    EXPECT_EQ(host.EditText().back(), '|');
}

TEST_F(MacroRun, RunWhileTheGlobalCodeRunsDoesNothing) {
    BOOL again = FALSE;
    pm::setScriptMessageBoxHook([&](HWND, const std::string&, unsigned, const std::string&) {
        again = host.module->Run(); // the Run command, served while the box waits
        return IDOK;
    });
    ASSERT_TRUE(host.RunMacro("Doc.Selection = \"a\"\r\n"
                              "MsgBox \"waiting\"\r\n"
                              "Doc.Selection = \"b\"\r\n"));
    EXPECT_TRUE(again);
    EXPECT_EQ(host.EditText(), "ab");
    EXPECT_TRUE(host.module->IsRunning());
}

} // namespace
