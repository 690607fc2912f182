// Macros run through the script module on a small editor: editing through Doc, App's Timer event,
// stopping a macro, the error dialogs and a message box while a timer fires.

#include "support/script_host_fixture.h"

#include "cmake/test_files.h"
#include "platform/framework/tests/support/framework_test.h"
#include "platform/script/script_hooks.h"
#include "platform/win/richedit.h"
#include "platform/win/tests/support/test_windows.h"
#include "scripting/EditMDITypeLib.h"

#include <gtest/gtest.h>

#include <string>

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
    EXPECT_FALSE(host.module->IsRunning()) << "without an event handler the run ends with its code";
}

// A text that is not UTF-8 (an old Windows-1252 file) goes through a macro and comes back with
// every byte it had: only the ASCII letters change case, and the saved file differs in them alone.
TEST_F(MacroRun, AWindows1252TextKeepsEveryByteThroughAMacro) {
    const std::string folder = pm::afxtest::makeTempFolder();
    const std::string path = folder + "/legacy.txt";
    const std::string legacy = "caf\xE9 na\xEFve \x93quoted\x94\r\n\xE9t\xE9 \x80 5\r\n";
    ::SendMessage(host.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(legacy.c_str()));
    CDocument* document = static_cast<CView*>(CWnd::FromHandle(host.edit))->GetDocument();
    ASSERT_TRUE(host.RunMacro("Doc.SetSel 0, -1\r\n"
                              "Doc.Selection = UCase(Doc.Selection)\r\n"
                              "Set r = New RegExp\r\n"
                              "r.Pattern = \"Q(UO)TED\"\r\n"
                              "Doc.SetSel 0, -1\r\n"
                              "Doc.Selection = r.Replace(Doc.Selection, \"$1\")\r\n"));
    const std::string expected = "CAF\xE9 NA\xEFVE \x93UO\x94\r\n\xE9T\xE9 \x80 5\r\n";
    EXPECT_EQ(host.EditText(), expected);
    ASSERT_TRUE(document->OnSaveDocument(path.c_str()));
    EXPECT_EQ(pm::test::readFile(path), expected);
    pm::afxtest::removeFolder(folder);
}

// Doc counts the characters a macro sees: positions found with InStr, Len and Find select the
// text they name on lines with accented letters, in UTF-8 and in Windows-1252 alike.
TEST_F(MacroRun, PositionsFromInStrSelectTheirTextOnAccentedLines) {
    const std::string text =
        "plain line\r\nd\xC3\xA9j\xC3\xA0 vu \xE2\x82\xAC target\r\ncaf\xE9 \xE9t\xE9 target\r\n";
    const struct {
        int line;
        std::string expected;
    } cases[] = {
        {0, "plain line\r\n"},
        {1, "d\xC3\xA9j\xC3\xA0 vu \xE2\x82\xAC [target]\r\n"},
        {2, "caf\xE9 \xE9t\xE9 [target]\r\n"},
    };
    for (const auto& c : cases) {
        ::SendMessage(host.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        const std::string line = std::to_string(c.line);
        ASSERT_TRUE(host.RunMacro("s = Doc.GetLine(" + line +
                                  ")\r\n"
                                  "p = InStr(s, \"target\")\r\n"
                                  "If p > 0 Then\r\n"
                                  "\tstart = Doc.CharIndex(" +
                                  line +
                                  ") + p - 1\r\n"
                                  "\tDoc.SetSel start, start + Len(\"target\")\r\n"
                                  "\tDoc.Selection = \"[\" & Doc.Selection & \"]\"\r\n"
                                  "End If\r\n"
                                  "n = Doc.Find(\"[target]\", 0, Doc.GetTextLength())\r\n"
                                  "If n >= 0 And Doc.LineIndex(n) <> " +
                                  line +
                                  " Then Doc.Selection = \"wrong line\"\r\n"
                                  "If Doc.LineLength(Doc.CharIndex(" +
                                  line + ")) <> Len(Doc.GetLine(" + line +
                                  ")) Then Doc.Selection = \"wrong length\"\r\n"))
            << c.line;
        const std::string shown = host.EditText();
        size_t at = 0;
        for (int i = 0; i < c.line; ++i)
            at = shown.find("\r\n", at) + 2;
        EXPECT_EQ(shown.substr(at, c.expected.size()), c.expected) << c.line;
        EXPECT_EQ(shown.find("wrong"), std::string::npos) << shown;
    }
}

// A line of a megabyte comes to the macro whole.
TEST_F(MacroRun, GetLineReturnsALongLineWhole) {
    const std::string text = "short\r\n" + std::string(1 << 20, 'x') + "\xE9\r\nend";
    ::SendMessage(host.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    ASSERT_TRUE(host.RunMacro("s = Doc.GetLine(1)\r\n"
                              "Doc.SetSel 0, 0\r\n"
                              "Doc.Selection = Len(s) & \";\" & Asc(Right(s, 1)) & \";\"\r\n"));
    EXPECT_EQ(host.EditText().substr(0, 12), "1048577;233;") << "the whole line, its last letter too";
}

} // namespace
