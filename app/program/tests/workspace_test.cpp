// The workspace, the program registration and the hand-over of files, and files changed by another
// program, driven offscreen: the open documents come back after a restart, texts handed over by
// WM_COPYDATA open and find, the web-page editor is started when it does not run, and a file
// rewritten outside reloads silently or after asking, while the watcher ends with the program.

#include "app/program/tests/support/penmere_fixture.h"

#include "app/program/CEditMDIDoc.h"
#include "app/program/editor_globals.h"
#include "app/program/resource_ids.h"
#include "app/program_registration.h"
#include "platform/framework/tests/support/framework_test.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include <sys/stat.h>

namespace {

class Workspace : public PenmereTest {
protected:
    void SetUp() override {
        PenmereTest::SetUp();
        pm::test::writeFile(programFile("Settings.ini"), "[General]\r\nFirstTime=1\r\n");
    }
    void TearDown() override {
        if (hook) ::UnhookWindowsHookEx(hook);
        hook = nullptr;
        PenmereTest::TearDown();
    }
    BOOL handOver(ULONG_PTR kind, const std::string& text) {
        COPYDATASTRUCT data{kind, static_cast<DWORD>(text.size()), const_cast<char*>(text.data())};
        const LRESULT answer = ::SendMessage(frame->m_hWnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
        pump();
        return static_cast<BOOL>(answer);
    }
    void type(const std::string& text) {
        CHHEditCtrl* edit = activeView()->GetEditCtrl();
        edit->SetFocus();
        edit->SetSel(0, 0);
        pm::afxtest::typeText(edit->m_hWnd, text);
        pump();
    }
    // Records the paths of the file-change messages the frame takes from its queue.
    void recordFileChanges() {
        changed.clear();
        hook = ::SetWindowsHookEx(
            WH_GETMESSAGE,
            [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
                const auto* msg = reinterpret_cast<const MSG*>(lParam);
                if (code == HC_ACTION && wParam == PM_REMOVE && msg->message == WM_FILE_CHANGED)
                    changed.emplace_back(*reinterpret_cast<const CString*>(msg->lParam));
                return ::CallNextHookEx(nullptr, code, wParam, lParam);
            },
            nullptr, ::GetCurrentThreadId());
    }
    std::string settingsValue(const char* section, int index) {
        CIniFile settings;
        settings.Load(programFile("Settings.ini").c_str(), FALSE, TRUE);
        CString value;
        return settings.GetIndexedString(section, index, value) ? std::string(value) : std::string("<none>");
    }

    HHOOK hook = nullptr;
    static inline std::vector<std::string> changed;
};

int threadCount() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/task"))
        ++count;
    return count;
}

} // namespace

TEST_F(Workspace, TheOpenDocumentsComeBackAfterARestart) {
    const std::string a = programFile("Projects/a.js"), b = programFile("Projects/b.htm");
    pm::test::writeFile(a, "var a;\n");
    pm::test::writeFile(b, "<p>b</p>\n");
    pm::test::writeFile(programFile("Settings.ini"),
                        "[General]\r\nFirstTime=1\r\n[Workspace]\r\n0=x\r\n1=y\r\n2=z\r\n3=w\r\n");
    start({a});
    boxes.clear(); // the earlier list's paths do not exist: the framework says so
    app->CloseAllDocuments(FALSE);
    ASSERT_NE(app->OpenDocumentFile(a.c_str()), nullptr);
    ASSERT_NE(app->OpenDocumentFile(b.c_str()), nullptr);
    command(ID_FILE_NEW);
    stop();
    EXPECT_EQ(settingsValue("Workspace", 0), a);
    EXPECT_EQ(settingsValue("Workspace", 1), b);
    EXPECT_EQ(settingsValue("Workspace", 2), "<none>")
        << "the untitled document is not listed; the key after the list goes";
    EXPECT_EQ(settingsValue("Workspace", 3), "w") << "entries beyond the end stay, unread";

    start();
    EXPECT_EQ(frame->GetOpenFileList(), (std::vector<std::string>{a, b}));
    EXPECT_TRUE(boxes.empty());
    app->CloseAllDocuments(FALSE);
    stop();
    EXPECT_EQ(settingsValue("Workspace", 0), "<none>") << "closing with nothing open empties the list";
    start();
    EXPECT_TRUE(GetAllDocuments().empty());
}

TEST_F(Workspace, TheFileNamedAtTheStartStaysActiveAndAPipeInTheListIsSkipped) {
    const std::string a = programFile("Projects/a.js"), b = programFile("Projects/b.js");
    const std::string pipe = programFile("Projects/pipe.js");
    pm::test::writeFile(a, "var a;\n");
    pm::test::writeFile(b, "var b;\n");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    pm::test::writeFile(programFile("Settings.ini"),
                        "[General]\r\nFirstTime=1\r\n[Workspace]\r\n0=" + b + "\r\n1=" + pipe + "\r\n");
    start({a});
    ASSERT_NE(activeView(), nullptr);
    EXPECT_EQ(std::string(activeView()->GetDocument()->GetPathName()), a)
        << "the file named on the command line is the active document";
    EXPECT_EQ(frame->GetOpenFileList(), (std::vector<std::string>{a, b}));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find(pipe), std::string::npos) << boxes[0];
    EXPECT_NE(boxes[0].find("not a regular file"), std::string::npos) << boxes[0];
    stop(); // closing does not wait for a writer of the pipe
    EXPECT_EQ(settingsValue("Workspace", 2), "<none>");
}

TEST_F(Workspace, HandedOverTextsOpenAFileAndFindInIt) {
    const std::string path = programFile("Projects/find.js");
    pm::test::writeFile(path, "alpha beta Beta alpha\n");
    start();
    EXPECT_TRUE(handOver(kCopyDataOpenAndFind, path + ";alpha"));
    CEditMDIView* view = activeView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(std::string(view->GetDocument()->GetPathName()), path);
    EXPECT_EQ(viewSelection(view), std::make_pair(0L, 5L)) << "a match at the very start is found";
    EXPECT_EQ(::GetActiveWindow(), frame->m_hWnd) << "the frame comes to the front";

    view->GetEditCtrl()->SetSel(12, 12);
    EXPECT_TRUE(handOver(kCopyDataOpenAndFind, path + ";Beta"));
    EXPECT_EQ(viewSelection(view), std::make_pair(11L, 15L))
        << "with case, from the start, in the open document";
    EXPECT_EQ(GetAllDocuments().size(), 1u) << "an open document is not opened twice";

    frame->ShowWindow(SW_MINIMIZE);
    pump();
    ASSERT_TRUE(frame->IsIconic());
    EXPECT_TRUE(handOver(kCopyDataOpen, path));
    EXPECT_EQ(GetAllDocuments().size(), 1u);
    EXPECT_FALSE(frame->IsIconic()) << "a minimised editor comes back to show the file";
    boxes.clear();
    EXPECT_TRUE(handOver(5, path)) << "an unknown kind is answered too";
    EXPECT_TRUE(handOver(kCopyDataOpenAndFind, "alpha")) << "without ';' the path is empty";
    EXPECT_EQ(boxes.size(), 1u) << "the framework's message about the empty path";
    EXPECT_EQ(GetAllDocuments().size(), 1u);
}

TEST_F(Workspace, TheProgramRegistersItsPathAndWindow) {
    start();
    CString path;
    HWND window = nullptr;
    ASSERT_TRUE(FindProgramWindow("PENMERE", path, window));
    EXPECT_EQ(window, frame->m_hWnd);
    char self[4096] = {};
    ::GetModuleFileName(nullptr, self, sizeof self);
    EXPECT_EQ(std::string(path), self) << "the running program, which another program can start";
}

TEST_F(Workspace, TheWebPageEditorIsStartedWhenItDoesNotRunAndGetsTheSavedPage) {
    const std::string log = programFile("stand-in.log");
    ::setenv("PM_STAND_IN_LOG", log.c_str(), 1);
    ASSERT_TRUE(RegisterProgramWindow("Sarrowby", PM_WEB_EDITOR_STAND_IN, reinterpret_cast<HWND>(0x1230)));
    const std::string page = programFile("Projects/page.htm");
    pm::test::writeFile(page, "<p>page</p>");
    start({page});
    type("<h1>");
    command(ID_FILE_WEB_EDITOR);
    EXPECT_EQ(pm::test::readFile(page), "<h1><p>page</p>") << "saved first";
    EXPECT_EQ(pm::test::readFile(log), "0:" + page + "\n") << "started, then handed the page";
    command(ID_FILE_WEB_EDITOR);
    EXPECT_EQ(pm::test::readFile(log), "0:" + page + "\n0:" + page + "\n")
        << "handed straight to the running one";

    ASSERT_NE(app->OpenDocumentFile(programFile("Projects/demo.js").c_str()), nullptr);
    pump();
    command(ID_FILE_WEB_EDITOR);
    EXPECT_EQ(pm::test::readFile(log).size(), 2 * (page.size() + 3))
        << "JavaScript files are not handed over";

    CString path;
    HWND standIn = nullptr;
    ASSERT_TRUE(FindProgramWindow("Sarrowby", path, standIn));
    EXPECT_TRUE(SendCopyDataString(frame->m_hWnd, standIn, 99, ""));
    ::unsetenv("PM_STAND_IN_LOG");
}

// Without a web-page editor to hand the page to, the user is told so in the link-failed dialog.
TEST_F(Workspace, AFailedHandOverShowsTheLinkFailedDialog) {
    const std::string page = programFile("Projects/alone.htm");
    pm::test::writeFile(page, "<p>alone</p>");
    start({page});
    std::string caption;
    pm::setDialogHook([&](HWND dialog) {
        char text[64] = {};
        ::GetWindowTextA(dialog, text, sizeof text);
        caption = text;
        ::SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    command(ID_FILE_WEB_EDITOR);
    pm::setDialogHook(nullptr);
    EXPECT_EQ(caption, "Corvane Sarrowby");
}

TEST_F(Workspace, AFileRewrittenOutsideReloadsSilentlyOrAfterAskingWhenEdited) {
    const std::string path = programFile("Projects/watched.js");
    pm::test::writeFile(path, "var one;\n");
    start({path});
    CEditMDIView* view = activeView();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(frame->GetFileWatcher().IsWatched(path.c_str()));

    pm::test::writeFile(path, "var two = 2;\n");
    EXPECT_TRUE(pumpUntil([&] { return viewText(view) == "var two = 2;\n"; })) << "unmodified: reloaded";
    EXPECT_TRUE(boxes.empty()) << "without a question";
    EXPECT_FALSE(view->GetDocument()->IsModified());

    type("// mine\n");
    boxAnswer = IDNO;
    pm::test::writeFile(path, "var three = 3;\n");
    ASSERT_TRUE(pumpUntil([&] { return !boxes.empty(); })) << "edited: the user is asked";
    EXPECT_NE(boxes[0].find(path), std::string::npos);
    EXPECT_EQ(viewText(view), "// mine\nvar two = 2;\n") << "No keeps the edits";
    EXPECT_TRUE(view->GetDocument()->IsModified());

    boxes.clear();
    boxAnswer = IDYES;
    pm::test::writeFile(path, "var four = 4;\n");
    EXPECT_TRUE(pumpUntil([&] { return viewText(view) == "var four = 4;\n"; })) << "Yes reloads";
    EXPECT_FALSE(boxes.empty());
    EXPECT_FALSE(view->GetDocument()->IsModified());
}

// While the user is asked about one edited document, other files that change (a branch checked
// out under the editor) are reloaded once the question is answered; none is left stale.
TEST_F(Workspace, FilesChangedWhileTheUserIsAskedAreReloadedAfterTheAnswer) {
    const std::string edited = programFile("Projects/edited.js"), other = programFile("Projects/other.js");
    pm::test::writeFile(edited, "var e;\n");
    pm::test::writeFile(other, "var o;\n");
    start({other});
    CEditMDIView* otherView = activeView();
    ASSERT_NE(app->OpenDocumentFile(edited.c_str()), nullptr);
    pump();
    CEditMDIView* editedView = activeView();
    type("// mine\n");
    recordFileChanges();
    int questions = 0;
    pm::setMessageBoxHook([&](HWND, const std::string&, const std::string&, UINT) {
        ++questions;
        // The question's own loop goes on delivering messages while the user reads it.
        if (questions == 1) {
            // The edited file first: its change is in by the time the other's is.
            pm::test::writeFile(edited, "var e = 'checked out, again';\n");
            pm::test::writeFile(other, "var o = 'checked out';\n");
            EXPECT_TRUE(pumpUntil([&] { return std::count(changed.begin(), changed.end(), other) > 0; }));
            pump();
        }
        return IDNO;
    });
    pm::test::writeFile(edited, "var e = 'checked out';\n");
    ASSERT_TRUE(pumpUntil([&] { return questions > 0; }));
    pump();
    EXPECT_EQ(viewText(otherView), "var o = 'checked out';\n") << "the unedited document follows its file";
    EXPECT_EQ(viewText(editedView), "// mine\nvar e;\n") << "No keeps the edits";
    EXPECT_EQ(questions, 1) << "one answer covers the changes made while it was asked";
    stop(); // while the answers above are still there to give
}

TEST_F(Workspace, OwnSavesAndReloadSwitchedOffLeaveTheDocumentAlone) {
    const std::string saved = programFile("Projects/saved.js"), other = programFile("Projects/other.js");
    pm::test::writeFile(saved, "var s;\n");
    pm::test::writeFile(other, "var o;\n");
    start({saved});
    ASSERT_NE(app->OpenDocumentFile(other.c_str()), nullptr);
    pump();
    CEditMDIView* otherView = activeView();
    recordFileChanges();

    // The editor's own save is no change from outside: nothing comes for it.
    ASSERT_NE(app->OpenDocumentFile(saved.c_str()), nullptr);
    pump();
    type("x");
    command(ID_FILE_SAVE);
    pm::test::writeFile(other, "var o = 'outside';\n");
    ASSERT_TRUE(pumpUntil([&] { return viewText(otherView) == "var o = 'outside';\n"; }));
    EXPECT_EQ(std::count(changed.begin(), changed.end(), saved), 0) << "only the other file changed";
    EXPECT_GE(std::count(changed.begin(), changed.end(), other), 1);

    command(ID_OPTIONS_AUTO_RELOAD);
    EXPECT_FALSE(frame->IsAutoReload());
    changed.clear();
    pm::test::writeFile(other, "var o = 'again, while off';\n");
    ASSERT_TRUE(pumpUntil([&] { return !changed.empty(); }));
    EXPECT_EQ(viewText(otherView), "var o = 'outside';\n") << "with reloading off the document stays";
}

TEST_F(Workspace, TheWatcherEndsWithTheProgramAndRunsOnAfterACancelledClose) {
    const std::string path = programFile("Projects/watched.js");
    pm::test::writeFile(path, "var one;\n");
    start({path});
    ASSERT_TRUE(frame->GetFileWatcher().IsRunning());
    type("edit ");
    boxAnswer = IDCANCEL;
    ::SendMessage(frame->m_hWnd, WM_CLOSE, 0, 0);
    pump();
    ASSERT_TRUE(::IsWindow(frame->m_hWnd));
    EXPECT_TRUE(frame->GetFileWatcher().IsRunning()) << "watching goes on after a cancelled close";

    const int running = threadCount();
    boxAnswer = IDNO;
    stop();
    EXPECT_LE(threadCount(), running - 1) << "the worker has ended";
}
