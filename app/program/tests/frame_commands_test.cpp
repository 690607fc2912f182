// The main frame's and the view's commands driven as a user would: Close All and Save All with
// every answer, Go to Line and Go to Function, the browser and Reload, the macros, copying a
// sample into the working folder, and the help pages.

#include "app/program/tests/support/penmere_fixture.h"

#include "app/CIniFile.h"
#include "app/program/CEditMDIDoc.h"
#include "app/program/editor_globals.h"
#include "app/program/resource_ids.h"
#include "editor/CAutoCompleteEditCtrl.h"
#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/shell/shell.h"
#include "platform/win/windlg.h"
#include "scripting/CHHModuleEdit.h"
#include "scripting/CHHVBScriptTextParser.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <deque>
#include <filesystem>

namespace {

class FrameCommands : public PenmereTest {
protected:
    void SetUp() override {
        PenmereTest::SetUp();
        pm::test::writeFile(programFile("Settings.ini"), "[General]\r\nFirstTime=1\r\n");
    }
    void TearDown() override {
        pm::setDialogHook(nullptr);
        PenmereTest::TearDown();
    }
    // Answers the modal dialogs shown from now on, in turn: each is given its action.
    void answerDialogs(std::vector<std::function<void(HWND)>> actions) {
        dialogActions.assign(actions.begin(), actions.end());
        dialogTexts.clear();
        pm::setDialogHook([this](HWND d) {
            char text[512] = {};
            ::GetDlgItemTextA(d, IDC_CONFIRM_TEXT, text, sizeof text);
            dialogTexts.emplace_back(text);
            if (dialogActions.empty()) return;
            auto act = dialogActions.front();
            dialogActions.pop_front();
            act(d);
        });
    }
    static std::function<void(HWND)> press(int id) {
        return [id](HWND d) { ::SendMessage(d, WM_COMMAND, static_cast<WPARAM>(id), 0); };
    }
    // The Scripts dialog's answer: the named macro chosen and loaded.
    static std::function<void(HWND)> loadScript(const char* name) {
        return [name](HWND d) {
            const int index = static_cast<int>(::SendDlgItemMessageA(d, IDC_SCRIPT_LIST, LB_FINDSTRINGEXACT,
                                                                     static_cast<WPARAM>(-1),
                                                                     reinterpret_cast<LPARAM>(name)));
            ::SendDlgItemMessageA(d, IDC_SCRIPT_LIST, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
            ::SendMessage(d, WM_COMMAND, IDC_SCRIPT_LOAD, 0);
        };
    }
    static std::function<void(HWND)> enter(const std::string& text) {
        return [text](HWND d) {
            ::SetDlgItemTextA(d, IDC_INPUT_TEXT, text.c_str());
            ::SendMessage(d, WM_COMMAND, IDOK, 0);
        };
    }
    // The macro editor runs a modal loop of its own: a timer inside it closes it with OK.
    void closeMacroEditorWhenShown() {
        ::SetTimer(frame->m_hWnd, 79, 10, [](HWND hwnd, UINT, UINT_PTR id, DWORD) {
            HWND editor = ::GetActiveWindow();
            if (!editor || editor == hwnd) return;
            ::KillTimer(hwnd, id);
            ::SendMessage(editor, WM_COMMAND, IDOK, 0);
        });
    }
    CEditMDIDoc* open(const std::string& path) {
        auto* doc = static_cast<CEditMDIDoc*>(app->OpenDocumentFile(path.c_str()));
        pump();
        return doc;
    }
    void typeInto(CEditMDIDoc* doc, const std::string& text) {
        CHHEditCtrl* edit = doc->GetEditView()->GetEditCtrl();
        edit->SetFocus();
        edit->SetSel(0, 0);
        pm::afxtest::typeText(edit->m_hWnd, text);
        pump();
    }
    long caret(CEditMDIView* view) { return viewSelection(view).first; }

    std::deque<std::function<void(HWND)>> dialogActions;
    std::vector<std::string> dialogTexts;
};

} // namespace

TEST_F(FrameCommands, CloseAllAsksAboutEachChangedFileAndLosesNothingUnasked) {
    struct Case {
        const char* name;
        std::vector<int> buttons; // dialog 144's answers, in turn
        int frameworkAnswer;      // the framework's question about the untitled document
        bool aSaved, bSaved, untitledSaved;
        size_t left; // documents still open
    };
    const Case cases[] = {
        {"Yes, then No", {IDOK, IDC_CONFIRM_NO}, IDNO, true, false, false, 0},
        {"Yes to all", {IDC_YES_TO_ALL}, IDNO, true, true, true, 0},
        {"No to all", {IDC_NO_TO_ALL}, IDNO, false, false, false, 0},
        {"Cancel", {IDCANCEL}, IDNO, false, false, false, 3},
        {"the framework's Cancel", {IDOK, IDOK}, IDCANCEL, true, true, false, 1},
    };
    for (const Case& c : cases) {
        const std::string a = programFile("Projects/a.js"), b = programFile("Projects/b.js");
        const std::string c1 = programFile("Projects/c.js"), saveAs = programFile("Projects/untitled.js");
        pm::test::writeFile(a, "var a;\n");
        pm::test::writeFile(b, "var b;\n");
        pm::test::writeFile(c1, "var c;\n");
        std::filesystem::remove(saveAs);
        pm::test::writeFile(programFile("Settings.ini"), "[General]\r\nFirstTime=1\r\n");
        start();
        open(c1);
        typeInto(open(a), "1");
        typeInto(open(b), "2");
        command(ID_FILE_NEW);
        typeInto(static_cast<CEditMDIDoc*>(activeView()->GetDocument()), "3");
        answerFileDialog(saveAs);
        std::vector<std::function<void(HWND)>> actions;
        for (int id : c.buttons)
            actions.push_back(press(id));
        answerDialogs(actions);
        boxes.clear();
        boxAnswer = c.frameworkAnswer;
        command(ID_FILE_CLOSE_ALL);

        EXPECT_EQ(pm::test::readFile(a) == "1var a;\n", c.aSaved) << c.name;
        EXPECT_EQ(pm::test::readFile(b) == "2var b;\n", c.bSaved) << c.name;
        EXPECT_EQ(pm::test::readFile(saveAs) == "3", c.untitledSaved)
            << c.name << ": Yes to all saves the untitled one too";
        EXPECT_EQ(GetAllDocuments().size(), c.left) << c.name;
        if (c.buttons.front() == IDOK) {
            ASSERT_FALSE(dialogTexts.empty());
            EXPECT_EQ(dialogTexts[0], "Save changes to " + a + "?") << "the question names the file's path";
        }
        const bool askedUntitled = !boxes.empty() && boxes[0].find("Untitled") != std::string::npos;
        EXPECT_EQ(askedUntitled, c.buttons.front() == IDOK)
            << c.name << ": the framework asks about the untitled one";
        pm::setCommonDialogHook(nullptr);
        pm::setDialogHook(nullptr);
        boxAnswer = IDNO;
        stop();
    }
}

TEST_F(FrameCommands, SaveAllSavesTheFilesAndAsksForTheUntitled) {
    const std::string a = programFile("Projects/a.js");
    pm::test::writeFile(a, "var a;\n");
    start({a});
    typeInto(static_cast<CEditMDIDoc*>(activeView()->GetDocument()), "x");
    command(ID_FILE_NEW);
    typeInto(static_cast<CEditMDIDoc*>(activeView()->GetDocument()), "y");
    boxAnswer = IDNO;
    command(ID_FILE_SAVE_ALL);
    EXPECT_EQ(pm::test::readFile(a), "xvar a;\n");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("Untitled"), std::string::npos);
    EXPECT_EQ(GetAllDocuments().size(), 2u) << "saving closes nothing";
}

TEST_F(FrameCommands, GoToLineAndGoToFunction) {
    const std::string path = programFile("Projects/lines.js");
    pm::test::writeFile(path, "var a;\nfunction  first(x) {}\nvar b;\nfunction second() {}\nvar c;\n");
    start({path});
    CEditMDIView* view = activeView();
    ASSERT_NE(view, nullptr);
    CHHEditCtrl* edit = view->GetEditCtrl();
    char text[64] = {};
    ::GetMenuStringA(frame->GetMenu(), ID_EDIT_GOTO_LINE, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "Go to Line\tCtrl+G");
    struct Case {
        const char* typed;
        int line;
    };
    for (const Case& c : {Case{"3", 2}, Case{"1", 0}, Case{"99", 5}, Case{"none", 0}, Case{"-4", 0}}) {
        answerDialogs({enter(c.typed)});
        command(ID_EDIT_GOTO_LINE);
        EXPECT_EQ(caret(view), edit->LineIndex(c.line)) << c.typed;
    }
    answerDialogs({[](HWND d) {
        char initial[16] = {};
        ::GetDlgItemTextA(d, IDC_INPUT_TEXT, initial, sizeof initial);
        EXPECT_STREQ(initial, "1");
        ::SendMessage(d, WM_COMMAND, IDCANCEL, 0);
    }});
    edit->SetSel(3, 3);
    command(ID_EDIT_GOTO_LINE);
    EXPECT_EQ(caret(view), 3) << "Cancel leaves the caret";

    CListBox& functions = frame->m_wndInfoBar.m_wndFunctions;
    ASSERT_EQ(functions.GetCount(), 2);
    const int second = functions.FindStringExact(-1, "second()");
    functions.SetCurSel(second);
    command(ID_FUNCTIONS_GOTO);
    EXPECT_EQ(caret(view), edit->LineIndex(3) + 9) << "on the line, 9 after the start of \"function\"";
    functions.SetCurSel(functions.FindStringExact(-1, "first(x)"));
    command(ID_FUNCTIONS_GOTO);
    EXPECT_EQ(caret(view), edit->LineIndex(1) + 9) << "the blanks before the name are trimmed away";
}

TEST_F(FrameCommands, BrowserShowsSavedPagesButNoJavaScriptAndReloadReadsTheFile) {
    pm::test::writeFile(programFile("Settings.ini"), "[General]\r\nFirstTime=1\r\nAutoReload=0\r\n");
    std::filesystem::create_directory(programFile("Projects/site.js"));
    const std::string page = programFile("Projects/site.js/page.htm"),
                      script = programFile("Projects/demo.js");
    pm::test::writeFile(page, "<p>x</p>");
    start({page});
    typeInto(static_cast<CEditMDIDoc*>(activeView()->GetDocument()), "<b>");
    opened.clear();
    command(ID_VIEW_IN_BROWSER);
    EXPECT_EQ(pm::test::readFile(page), "<b><p>x</p>") << "saved before viewing";
    ASSERT_EQ(opened.size(), 1u) << "a page in a folder whose name holds .js is shown";
    EXPECT_NE(opened[0].find("page.htm"), std::string::npos);

    pm::test::writeFile(script, "function kept() {}\n");
    open(script);
    opened.clear();
    command(ID_VIEW_IN_BROWSER);
    EXPECT_TRUE(opened.empty()) << "JavaScript files are not shown";

    pm::test::writeFile(script, "function kept() {}\nfunction added() {}\n");
    command(ID_FILE_RELOAD);
    EXPECT_EQ(viewText(activeView()), "function kept() {}\nfunction added() {}\n");
    EXPECT_FALSE(activeView()->GetDocument()->IsModified());
    // The caret's line names a listed function, so only the reload itself can bring the new one.
    CListBox& functions = frame->m_wndInfoBar.m_wndFunctions;
    EXPECT_EQ(functions.GetCount(), 2) << "the Functions list is the reloaded text's";
    EXPECT_GE(functions.FindStringExact(-1, "added()"), 0);
}

TEST_F(FrameCommands, NewAndSelectedMacrosAreSavedToTheirOwnFiles) {
    start({programFile("Projects/demo.js")});
    const std::string script = programFile("Scripts/Test.hbs");
    answerDialogs({enter("Test")});
    closeMacroEditorWhenShown();
    command(ID_SCRIPT_NEW);
    ASSERT_TRUE(std::filesystem::exists(script)) << "made from the template";
    EXPECT_EQ(std::string(frame->GetScriptPath()), script);

    answerDialogs({enter("Other.HBS")});
    closeMacroEditorWhenShown();
    command(ID_SCRIPT_NEW);
    EXPECT_TRUE(std::filesystem::exists(programFile("Scripts/Other.HBS"))) << "no second extension";

    pm::test::writeFile(script, "kept");
    ::KillTimer(frame->m_hWnd, 79);
    boxAnswer = IDCANCEL;
    answerDialogs({enter("Test")});
    command(ID_SCRIPT_NEW);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back(), "Script already exists. Overwrite?");
    EXPECT_EQ(pm::test::readFile(script), "kept");

    // A macro chosen from the Scripts folder is saved there after editing, also when another
    // listing has made another folder the current one.
    const std::string hello = programFile("Scripts/Hello.hbs");
    const std::string helloBytes = pm::test::readFile(hello);
    answerDialogs({loadScript("Hello.hbs")});
    command(ID_SCRIPT_SELECT);
    EXPECT_EQ(std::string(frame->GetScriptPath()), hello);
    frame->FillWorkingDirList();
    std::filesystem::remove(hello);
    closeMacroEditorWhenShown();
    command(ID_SCRIPT_EDIT);
    EXPECT_TRUE(std::filesystem::exists(hello)) << "saved to the Scripts folder";
    EXPECT_FALSE(std::filesystem::exists(programFile("Projects/Hello.hbs")));
    EXPECT_EQ(pm::test::readFile(hello).size(), helloBytes.size());
}

namespace {

// What the user types in the macro editor when it opens, before closing it; set by the test.
std::string g_typedInEditor;
bool g_editorOpened = false;

// Types into the macro editor ("Script") once it is shown, then closes it.
void fixInMacroEditor(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    HWND editor = ::GetActiveWindow();
    char caption[32] = {};
    if (editor) ::GetWindowTextA(editor, caption, sizeof caption);
    if (std::string(caption) != "Script") return;
    ::KillTimer(hwnd, id);
    g_editorOpened = true;
    HWND view = ::GetDlgItem(editor, 100);
    pm::afxtest::typeText(::GetDlgItem(view, 28275), g_typedInEditor);
    ::SendMessage(editor, WM_COMMAND, IDOK, 0);
}

} // namespace

// After End in an error dialog the next command opens the macro editor at the error; what was
// changed there is saved to the macro's file when the user says so, and a failed save is told.
TEST_F(FrameCommands, FixesMadeInTheEditorOpenedAtAnErrorAreSavedWhenTheUserSaysSo) {
    start();
    const std::string scripts = programFile("Scripts"), hello = programFile("Scripts/Hello.hbs");
    answerDialogs({loadScript("Hello.hbs")});
    command(ID_SCRIPT_SELECT);
    ASSERT_EQ(std::string(frame->GetScriptPath()), hello);
    CHHModuleEdit& module = app->GetModule();
    const std::string question = "Save changes to " + hello + "?";
    const struct {
        const char* name;
        const char* typed;
        int answer;
        bool folderGone;
        std::vector<std::string> boxes;
        bool fixSaved;
    } cases[] = {
        {"Yes", "\rend if", IDYES, false, {question}, true},
        {"No", "\rend if", IDNO, false, {question}, false},
        {"nothing changed", "", IDYES, false, {}, false},
        {"the save fails", "\rend if", IDYES, true, {question, "Failed to save document."}, false},
    };
    // The editor capitalises the keywords typed.
    const auto holdsFix = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char ch) { return std::tolower(ch); });
        return text.find("\r\n\tend if\r\n") != std::string::npos;
    };
    CHHVBScriptTextParser parser;
    for (const auto& c : cases) {
        module.GetProcedures().RemoveAll();
        module.GetProcedures().Parse("x = 1\r\nIf x Then\r\n\ty = 2\r\n", &parser);
        ASSERT_TRUE(module.SaveToFile(hello.c_str()));
        if (c.folderGone) std::filesystem::rename(scripts, scripts + ".away");
        g_typedInEditor = c.typed;
        g_editorOpened = false;
        ::SetTimer(frame->m_hWnd, 79, 10, fixInMacroEditor);
        answerDialogs({press(28279)}); // End
        boxes.clear();
        boxAnswer = c.answer;
        command(ID_SCRIPT_RUN);
        ASSERT_TRUE(pumpUntil([] { return g_editorOpened; })) << c.name;
        pump();
        if (c.folderGone) std::filesystem::rename(scripts + ".away", scripts);
        EXPECT_EQ(boxes, c.boxes) << c.name;
        EXPECT_EQ(holdsFix(pm::test::readFile(hello)), c.fixSaved) << c.name;
        EXPECT_EQ(holdsFix(static_cast<const char*>(module.GetProcedures().GetText())), *c.typed != 0)
            << c.name << ": the module keeps it";
    }
}

// Run, Pause and Stop follow the macro's real state: a macro that handles no event is over when
// its code returns, one with an event handler runs until it is stopped, by the menu or by itself.
TEST_F(FrameCommands, TheMacroCommandsFollowTheRunsRealState) {
    start({programFile("Projects/demo.js")});
    answerDialogs({loadScript("Hello.hbs")});
    command(ID_SCRIPT_SELECT);
    CHHModuleEdit& module = app->GetModule();
    struct EnableProbe : CCmdUI {
        void Enable(BOOL bOn) override { m_bOn = bOn; }
        BOOL m_bOn = TRUE;
    };
    const auto enabled = [&](UINT id) {
        EnableProbe probe;
        probe.m_nID = id;
        probe.DoUpdate(frame, FALSE);
        return probe.m_bOn != FALSE;
    };
    const auto expectRunning = [&](bool running, const char* when) {
        EXPECT_EQ(enabled(ID_SCRIPT_RUN), !running) << when;
        EXPECT_EQ(enabled(ID_SCRIPT_PAUSE), running) << when;
        EXPECT_EQ(enabled(ID_SCRIPT_STOP), running) << when;
    };
    const auto run = [&](const char* text) {
        CHHVBScriptTextParser parser;
        module.GetProcedures().RemoveAll();
        module.GetProcedures().Parse(text, &parser);
        command(ID_SCRIPT_RUN);
    };
    expectRunning(false, "before a run");
    run("Doc.SetSel 0, 0\r\n");
    expectRunning(false, "code without an event handler has ended");
    run("Sub App_Timer()\r\nEnd Sub\r\n");
    expectRunning(true, "a handler waits for its events");
    command(ID_SCRIPT_STOP);
    expectRunning(false, "stopped from the menu");
    run("Sub app_timer()\r\nEnd Sub\r\nApp.StopScript\r\n");
    expectRunning(true, "the stop comes a moment later");
    pump(150);
    expectRunning(false, "stopped by the macro itself");
    run("Sub Other_Timer()\r\nEnd Sub\r\n");
    expectRunning(false, "named like a handler of an object the macro does not have");
}

TEST_F(FrameCommands, SamplesAreCopiedToTheWorkingFolderOnce) {
    start();
    std::string settings = pm::test::readFile(programFile("Settings.ini"));
    EXPECT_NE(settings.find("ProjectDir=" + programFile("Projects")), std::string::npos)
        << "the defaults are written back";
    EXPECT_NE(settings.find("ProjectMask=*.*"), std::string::npos);
    CNotifyTreeCtrl& tree = frame->m_wndProjBar.m_wndTree;
    HTREEITEM loop = tree.FindChild("Loop.js", tree.FindChild("Basics", tree.GetRootItem()));
    ASSERT_NE(loop, nullptr);
    tree.SelectItem(loop);
    CListBox& workDir = frame->m_wndInfoBar.m_wndWorkDir;
    const int before = workDir.GetCount();
    command(ID_SOLUTIONS_COPY);
    EXPECT_EQ(pm::test::readFile(programFile("Projects/Loop.js")),
              pm::test::readFile(programFile("Solutions/Basics/Loop.js")));
    EXPECT_EQ(workDir.GetCount(), before + 1);
    EXPECT_GE(workDir.FindStringExact(-1, "Loop.js"), 0);

    pm::test::writeFile(programFile("Projects/Loop.js"), "mine");
    boxAnswer = IDCANCEL;
    command(ID_SOLUTIONS_COPY);
    EXPECT_EQ(boxes.back(), "File already exists. Overwrite?");
    EXPECT_EQ(pm::test::readFile(programFile("Projects/Loop.js")), "mine");
    boxAnswer = IDOK;
    command(ID_SOLUTIONS_COPY);
    EXPECT_EQ(pm::test::readFile(programFile("Projects/Loop.js")),
              pm::test::readFile(programFile("Solutions/Basics/Loop.js")));
    EXPECT_EQ(workDir.GetCount(), before + 1) << "no second entry";
}

TEST_F(FrameCommands, HelpOpensOurOwnPagesAndTheWordAtTheCaret) {
    const std::string path = programFile("Projects/help.js");
    pm::test::writeFile(path, "alert('x');\n");
    start({path});
    activeView()->GetEditCtrl()->SetSel(2, 2);
    struct Case {
        UINT id;
        const char* ends;
    };
    const Case cases[] = {
        {ID_HELP_KEYWORD, "/Help/JSRef.htm#alert"},
        {ID_HELP_REFERENCE, "/Help/JSRef.htm"},
        {ID_HELP_MANUAL, "/Help/Manual.htm"},
        {ID_HELP_UPGRADES, "/Help/Updates.htm"},
        {ID_HELP_EMAIL, "mailto:editor@corvane.example"},
        {ID_HELP_SITE_CSS, "https://www.w3.org/Style/CSS/"},
    };
    for (const Case& c : cases) {
        opened.clear();
        command(c.id);
        ASSERT_EQ(opened.size(), 1u) << c.ends;
        const std::string& target = opened[0];
        EXPECT_EQ(target.substr(target.size() - std::min(target.size(), std::strlen(c.ends))), c.ends);
    }
    for (const char* page : {"Help/JSRef.htm", "Help/Manual.htm", "Help/Updates.htm"})
        EXPECT_TRUE(std::filesystem::exists(programFile(page))) << page;
    EXPECT_NE(pm::test::readFile(programFile("Help/JSRef.htm")).find("id=\"alert\""), std::string::npos);

    command(ID_SHOW_WINDOW_HANDLE);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back(), std::to_string(reinterpret_cast<std::uintptr_t>(frame->m_hWnd)));
}

TEST_F(FrameCommands, ThePaneCommandsHideAndShowTheirPanesWithACheckMark) {
    start();
    HMENU view = ::GetSubMenu(frame->GetMenu(), 1);
    auto checked = [&](UINT id) {
        frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(view), 1);
        return (::GetMenuState(view, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
    };
    for (const auto& [id, pane] : {std::pair<UINT, CControlBar*>{ID_VIEW_INFO_PANE, &frame->m_wndInfoBar},
                                   {ID_VIEW_PROJECT_PANE, &frame->m_wndProjBar}}) {
        ASSERT_TRUE(pane->IsWindowVisible()) << id;
        EXPECT_TRUE(checked(id));
        command(id);
        EXPECT_FALSE(pane->IsWindowVisible()) << id;
        EXPECT_FALSE(checked(id));
        command(id);
        EXPECT_TRUE(pane->IsWindowVisible()) << id;
        EXPECT_TRUE(checked(id));
    }
}

// The frame's timers that macros set: 1 brings the App object's Timer event, 2 stops the macro.
TEST_F(FrameCommands, MacroTimersFireTheTimerEventAndStopTheMacro) {
    start({programFile("Projects/demo.js")});
    CHHModuleEdit& module = app->GetModule();
    module.SetEditOnError(FALSE);
    CHHVBScriptTextParser parser;
    ASSERT_TRUE(module.GetProcedures().Parse("Sub App_Timer()\r\n"
                                             "    Doc.Selection = \"tick\"\r\n"
                                             "    App.TimerInterval = 0\r\n"
                                             "    App.StopScript\r\n"
                                             "End Sub\r\n"
                                             "App.TimerInterval = 20\r\n",
                                             &parser));
    activeView()->GetEditCtrl()->SetSel(0, 0);
    module.Run();
    pump();
    EXPECT_TRUE(module.IsRunning()) << "waiting for its events";
    pump(20);
    EXPECT_EQ(viewText(activeView()).rfind("tick", 0), 0u) << "timer 1 brought the Timer event";
    EXPECT_TRUE(module.IsRunning()) << "the stop comes 100 ms later";
    pump(100);
    EXPECT_FALSE(module.IsRunning()) << "timer 2 stopped the macro";
    pump(100);
    EXPECT_EQ(viewText(activeView()).find("tick", 4), std::string::npos) << "one event only";
    EXPECT_TRUE(boxes.empty());
}

// With no program on the desktop for a page, each place that opens one says so and names it.
TEST_F(FrameCommands, APageTheDesktopCannotOpenIsReportedByName) {
    const std::string page = programFile("Projects/page.htm");
    pm::test::writeFile(page, "<p>x</p>");
    start({page});
    pm::setShellOpenHook([](const pm::ShellOpenRequest&) { return false; });
    struct Case {
        UINT id;
        std::string named;
    };
    const Case cases[] = {
        {ID_VIEW_IN_BROWSER, page},
        {ID_HELP_KEYWORD, programFile("Help/JSRef.htm")},
        {ID_HELP_MANUAL, programFile("Help/Manual.htm")},
        {ID_HELP_EMAIL, "mailto:editor@corvane.example"},
    };
    for (const Case& c : cases) {
        boxes.clear();
        command(c.id);
        ASSERT_EQ(boxes.size(), 1u) << c.named;
        EXPECT_EQ(boxes[0], c.named + "\ncould not be opened: no program of this desktop opens it.");
    }
}

namespace {

// The value the settings file holds now, "<none>" when it holds none.
std::string storedSetting(const std::string& path, const char* section, const char* key) {
    CIniFile settings;
    settings.Load(path.c_str(), FALSE, TRUE);
    CString value;
    return settings.GetString(section, key, value) ? std::string(value) : std::string("<none>");
}

// The check mark the frame's update handler gives a command.
class CheckProbe : public CCmdUI {
public:
    void SetCheck(int nCheck) override { m_nChecked = nCheck; }
    int m_nChecked = -1;
};

} // namespace

// Each option is stored under its key (at once, or for automatic reload when the program closes)
// and comes back with its check mark at the next start.
TEST_F(FrameCommands, OptionsAreStoredAndComeBackAtTheNextStart) {
    struct Case {
        UINT id;
        const char* section;
        const char* key;
        bool savedAtOnce;
    };
    const Case cases[] = {
        {ID_OPTIONS_SAVE_BEFORE_VIEW, "Init", "SaveOnCompile", true},
        {ID_OPTIONS_AUTO_COMPLETE, "Intellisense", "Auto", true},
        {ID_OPTIONS_LIST_UNIQUE, "Intellisense", "ListUnique", true},
        {ID_OPTIONS_LINE_NUMBERS, "General", "LineNo", true},
        {ID_OPTIONS_AUTO_RELOAD, "General", "AutoReload", false},
    };
    const std::string settings = programFile("Settings.ini");
    const auto state = [this](UINT id) {
        if (id == ID_OPTIONS_LIST_UNIQUE) return GetAutoCompleteListUnique() ? 1 : 0; // no menu item shows it
        CheckProbe probe;
        probe.m_nID = id;
        probe.DoUpdate(frame, FALSE);
        return probe.m_nChecked;
    };
    for (const Case& c : cases) {
        pm::test::writeFile(settings, "[General]\r\nFirstTime=1\r\n");
        start();
        const int before = state(c.id);
        ASSERT_TRUE(before == 0 || before == 1) << c.key;
        command(c.id);
        const std::string written = before ? "0" : "1";
        EXPECT_EQ(state(c.id), 1 - before) << c.key;
        EXPECT_EQ(storedSetting(settings, c.section, c.key), c.savedAtOnce ? written : "<none>") << c.key;
        stop();
        EXPECT_EQ(storedSetting(settings, c.section, c.key), written) << c.key;
        start();
        EXPECT_EQ(state(c.id), 1 - before) << c.key << " at the next start";
        stop();
    }
}

// The lines of the Functions list go to the clipboard, and the Working Dir and Solutions entries
// open with the desktop's programs at their full paths.
TEST_F(FrameCommands, FunctionsCopiedAndFilesOpenedWithTheDesktop) {
    const std::string path = programFile("Projects/funcs.js");
    pm::test::writeFile(path, "function beta() {}\nfunction alpha(a) {}\n");
    start({path});
    CListBox& functions = frame->m_wndInfoBar.m_wndFunctions;
    ASSERT_EQ(functions.GetCount(), 2);
    const auto clipboard = [this] {
        std::string text;
        if (!::OpenClipboard(frame->m_hWnd)) return text;
        if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
            text = static_cast<const char*>(::GlobalLock(data));
            ::GlobalUnlock(data);
        }
        ::CloseClipboard();
        return text;
    };
    functions.SetCurSel(1);
    command(ID_FUNCTIONS_COPY);
    EXPECT_EQ(clipboard(), "beta()");
    command(ID_FUNCTIONS_COPY_ALL);
    EXPECT_EQ(clipboard(), "alpha(a)\r\nbeta()\r\n");
    functions.SetCurSel(-1);
    struct EnableProbe : CCmdUI {
        void Enable(BOOL bOn) override { m_bOn = bOn; }
        BOOL m_bOn = TRUE;
    } enable;
    enable.m_nID = ID_FUNCTIONS_COPY;
    enable.DoUpdate(frame, FALSE);
    EXPECT_FALSE(enable.m_bOn) << "Copy needs a selected line";

    CListBox& workDir = frame->m_wndInfoBar.m_wndWorkDir;
    workDir.SetCurSel(workDir.FindStringExact(-1, "funcs.js"));
    CNotifyTreeCtrl& tree = frame->m_wndProjBar.m_wndTree;
    tree.SelectItem(tree.FindChild("Loop.js", tree.FindChild("Basics", tree.GetRootItem())));
    struct Case {
        UINT id;
        std::string target;
    };
    const std::string projects = programFile("Projects");
    const Case cases[] = {
        {ID_WORKDIR_OPEN_NATIVE, path},
        {ID_WORKDIR_EXPLORER, projects},
        {ID_SOLUTIONS_OPEN_NATIVE, programFile("Solutions/Basics/Loop.js")},
        {ID_SOLUTIONS_EXPLORER, programFile("Solutions/Basics/Loop.js")},
        {ID_HELP_TUTORIAL, programFile("Tutorial/Index.htm")},
        {ID_HELP_WEBSITE, programFile("Web/Corvane.htm")},
    };
    for (const Case& c : cases) {
        opened.clear();
        command(c.id);
        ASSERT_EQ(opened.size(), 1u) << c.id;
        // A file's address: "file:" and the absolute path (no byte here needs escaping).
        std::string target = opened[0];
        ASSERT_EQ(target.rfind("file:", 0), 0u) << target;
        target.erase(0, target.find_first_not_of('/', 5) - 1);
        while (target.size() > 1 && target.back() == '/')
            target.pop_back();
        EXPECT_EQ(target, c.target) << c.id;
    }
}

// The document's text lives in its one edit view: no command of the Window menu makes a second,
// empty window whose closing or saving loses the edits.
TEST_F(FrameCommands, WindowMenuCommandsKeepTheDocumentsEdits) {
    const std::string a = programFile("Projects/a.js");
    pm::test::writeFile(a, "var a;\n");
    start({a});
    auto* doc = static_cast<CEditMDIDoc*>(activeView()->GetDocument());
    typeInto(doc, "x");
    HMENU bar = frame->GetMenu();
    HMENU windows = nullptr;
    for (int i = 0; i < ::GetMenuItemCount(bar) && !windows; ++i) {
        char name[64] = {};
        ::GetMenuStringA(bar, static_cast<UINT>(i), name, sizeof name, MF_BYPOSITION);
        if (std::strcmp(name, "&Window") == 0) windows = ::GetSubMenu(bar, i);
    }
    ASSERT_NE(windows, nullptr);
    std::vector<UINT> commands;
    for (int i = 0; i < ::GetMenuItemCount(windows); ++i) {
        const UINT id = ::GetMenuItemID(windows, i);
        if (id != 0 && id != static_cast<UINT>(-1) && id < AFX_IDM_FIRST_MDICHILD) commands.push_back(id);
    }
    ASSERT_FALSE(commands.empty());
    boxAnswer = IDYES;
    for (UINT id : commands) {
        command(id);
        ::SendMessage(doc->GetEditView()->GetParentFrame()->m_hWnd, WM_CLOSE, 0, 0);
        pump();
        if (GetAllDocuments().empty()) break;
    }
    if (!GetAllDocuments().empty()) command(ID_FILE_SAVE_ALL);
    EXPECT_EQ(pm::test::readFile(a), "xvar a;\n") << "the edit was lost or the file emptied";
}
