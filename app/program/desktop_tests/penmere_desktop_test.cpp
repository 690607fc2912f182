// The editor on a real desktop: the window manager activates its main window with a script open,
// keys typed on the keyboard reach the edit control, and closing with the edit unsaved asks first;
// the Tools dialog's prompt for a new tool takes the name typed into it; Alt and the arrow keys
// walk the menu bar while the pointer rests elsewhere;
// a second start of the program with a file, while another program is in front, hands the file to
// the running editor, which opens it and comes to the front; names typed into the file dialogs that
// are no regular file end in a message; a file dragged from another program and dropped on the
// editor opens.

#include "app/file_helpers.h"
#include "app/program/CEditMDIApp.h"
#include "app/program/CEditMDIDoc.h"
#include "app/program/CMainFrame.h"
#include "app/program/editor_globals.h"
#include "app/program/resource_ids.h"
#include "cmake/test_files.h"
#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/desktop_tests/support/desktop_session.h"
#include "platform/win/windlg.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include <signal.h>
#include <sys/stat.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace desk = pm::test::desktop;

namespace {

pid_t spawnProgram(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    return ::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0 ? pid : 0;
}

// Waits (dispatching messages) until the process ends; its exit status, or -1.
int waitForExit(pid_t pid) {
    int status = -1;
    bool ended = desk::pumpUntil([&] { return ::waitpid(pid, &status, WNOHANG) == pid; }, 15000);
    return ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A copy of the program folder (first run over), the program folder of the editor from now on.
std::string makeProgramFolder() {
    const std::string folder = pm::afxtest::makeTempFolder();
    std::filesystem::copy(PM_PENMERE_DATA_DIR, folder, std::filesystem::copy_options::recursive);
    pm::test::writeFile(folder + "/Settings.ini", "[General]\r\nFirstTime=1\r\n");
    SetAppDirectory((folder + "/").c_str());
    GetSettings().RemoveAll(); // the store outlives an earlier run in this process
    return folder;
}

// The editor started in this process on a program folder of its own, with a file when one is
// named. Its end closes the editor (answering No to a save prompt) and removes the folder.
class EditorOnDesktop {
public:
    ~EditorOnDesktop() {
        if (m_app) {
            pm::setMessageBoxHook([](HWND, const std::string&, const std::string&, UINT) { return IDNO; });
            if (::IsWindow(main)) ::SendMessage(main, WM_CLOSE, 0, 0);
            desk::pumpFor(100);
            pm::setMessageBoxHook(nullptr);
            m_app.reset();
        }
        SetAppDirectory(nullptr);
        std::filesystem::current_path("/");
        pm::afxtest::removeFolder(folder);
    }

    // Starts the editor with `file` on its command line (none when empty); true once its main
    // window is the desktop's active window.
    bool start(const std::string& file = "") {
        m_file = file;
        m_argv = {const_cast<char*>("penmere"), m_file.data()};
        m_app = std::make_unique<CEditMDIApp>();
        m_app->m_argc = file.empty() ? 1 : 2;
        m_app->m_argv = m_argv.data();
        if (!m_app->InitApplication() || !m_app->InitInstance()) return false;
        main = m_app->m_pMainWnd->m_hWnd;
        return desk::pumpUntil([this] { return desk::active(main); });
    }

    CMainFrame* frame() const { return static_cast<CMainFrame*>(m_app->m_pMainWnd); }

    const std::string folder = makeProgramFolder();
    HWND main = nullptr;

private:
    std::string m_file;
    std::vector<char*> m_argv;
    std::unique_ptr<CEditMDIApp> m_app;
};

} // namespace

TEST(PenmereOnTheDesktop, AScriptOpensTakesKeysAndAsksBeforeClosing) {
    if (!desk::available()) GTEST_SKIP() << "no desktop fixture (PM_DESKTOP_STATE)";
    EditorOnDesktop editor;
    ASSERT_TRUE(editor.start(editor.folder + "/Projects/demo.js")) << "the main window was never activated";
    HWND main = editor.main;
    CDocument* doc = editor.frame()->MDIGetActive()->GetActiveDocument();
    ASSERT_NE(doc, nullptr);

    desk::keys({"x"});
    ASSERT_TRUE(desk::pumpUntil([doc] { return doc->IsModified() != FALSE; }))
        << "the key reached the editor";
    // The application's idle work, as its message loop runs it: menus, bars and tabs follow.
    pm::afxtest::runIdle();
    // The tab strip looks at its windows' titles on a timer of its own.
    desk::pumpFor(600);
    desk::saveScreenPng("penmere_desktop");

    std::vector<std::string> asked;
    pm::setMessageBoxHook([&asked](HWND, const std::string& text, const std::string&, UINT) {
        asked.push_back(text);
        return IDCANCEL;
    });
    ::PostMessage(main, WM_CLOSE, 0, 0);
    desk::pumpFor(200);
    EXPECT_EQ(asked.size(), 1u) << "closing with an unsaved edit asks";
    EXPECT_TRUE(::IsWindow(main)) << "Cancel keeps the program open";
}

TEST(PenmereOnTheDesktop, AltAndTheArrowKeysWalkTheMenuBarWhileThePointerRestsElsewhere) {
    if (!desk::available()) GTEST_SKIP() << "no desktop fixture (PM_DESKTOP_STATE)";
    EditorOnDesktop editor;
    ASSERT_TRUE(editor.start(editor.folder + "/Projects/demo.js")) << "the main window was never activated";
    HWND main = editor.main;
    CDKMenuBar* bar = editor.frame()->GetMenuBar();
    RECT window{};
    ::GetWindowRect(main, &window);
    desk::xdotool({"mousemove", std::to_string(window.left + 600), std::to_string(window.top + 500)});

    desk::keys({"alt"});
    ASSERT_TRUE(desk::pumpUntil([bar] { return bar->m_bKeyboardMode != FALSE; }))
        << "Alt alone activates the bar";
    desk::pumpFor(400); // the bar's hot item outlasts the pointer resting elsewhere
    desk::keys({"Right"});
    EXPECT_TRUE(desk::pumpUntil([bar] { return bar->SendMessage(TB_GETHOTITEM) == 1; }))
        << "Right moves to Edit";
    desk::keys({"Escape"});
    EXPECT_TRUE(desk::pumpUntil([bar] { return bar->m_bKeyboardMode == FALSE; }));

    // Alt+F opens File with its first item selected: Enter (given inside the menu's loop) chooses New.
    const size_t before = GetAllDocuments().size();
    desk::giveInputInTurn({{[bar] { return bar->m_nOpenPopup == 0; },
                            [] {
                                return std::vector<std::string>{"sleep", "0.2", "key", "Return"};
                            }}});
    desk::keys({"alt+f"});
    EXPECT_EQ(desk::stepsGivenUp(), std::vector<std::size_t>{}) << "Alt+F opened File";
    EXPECT_TRUE(desk::pumpUntil([before] { return GetAllDocuments().size() == before + 1; }))
        << "Enter chose New";
}

TEST(PenmereOnTheDesktop, FilesDraggedFromAnotherProgramOpen) {
    if (!desk::available()) GTEST_SKIP() << "no desktop fixture (PM_DESKTOP_STATE)";
    EditorOnDesktop editor;
    ASSERT_TRUE(editor.start()) << "the main window was never activated";
    CMainFrame* frame = editor.frame();
    const std::string dropped = editor.folder + "/Projects/dropped.js";
    pm::test::writeFile(dropped, "var dropped;\n");
    const pid_t source = spawnProgram({PM_FILE_DRAG_SOURCE, dropped});
    ASSERT_NE(source, 0);
    const POINT target = desk::centre(desk::screenRect(frame->m_hWndMDIClient));
    const std::string x = std::to_string(target.x), y = std::to_string(target.y);
    desk::xdotool({"search",
                   "--sync",
                   "--name",
                   "file drag source",
                   "mousemove",
                   "--window",
                   "%1",
                   "80",
                   "60",
                   "mousedown",
                   "1",
                   "sleep",
                   "0.2",
                   "mousemove",
                   "--window",
                   "%1",
                   "100",
                   "80",
                   "sleep",
                   "0.2",
                   "mousemove",
                   x,
                   y,
                   "sleep",
                   "0.3",
                   "mousemove",
                   std::to_string(target.x + 6),
                   std::to_string(target.y + 6),
                   "sleep",
                   "0.3",
                   "mouseup",
                   "1"});
    EXPECT_TRUE(desk::pumpUntil([frame, &dropped] {
        CMDIChildWnd* child = frame->MDIGetActive();
        CDocument* doc = child ? child->GetActiveDocument() : nullptr;
        return doc && std::string(doc->GetPathName()) == dropped;
    })) << "the dropped file opened";
    desk::saveScreenPng("penmere_dropped_file");
    ::kill(source, SIGTERM);
    ::waitpid(source, nullptr, 0);
}

TEST(PenmereOnTheDesktop, ASecondStartHandsItsFileToTheRunningEditorWhichComesToTheFront) {
    if (!desk::available()) GTEST_SKIP() << "no desktop fixture (PM_DESKTOP_STATE)";
    EditorOnDesktop editor;
    const std::string handed = editor.folder + "/Projects/handed.htm";
    pm::test::writeFile(handed, "<p>handed over</p>\n");
    std::filesystem::current_path(editor.folder); // the second start runs from a folder of its own
    ASSERT_TRUE(editor.start()) << "the main window was never activated";
    HWND main = editor.main;
    CMainFrame* frame = editor.frame();

    // Another program comes to the front.
    const pid_t other = spawnProgram({"xmessage", "-name", "otherprogram", "Another program in front"});
    ASSERT_NE(other, 0);
    ASSERT_TRUE(desk::pumpUntil([main] {
        return desk::activeXWindow() != 0 && desk::activeXWindow() != desk::xWindow(main);
    })) << "the other program never came to the front";
    ASSERT_TRUE(desk::pumpUntil([main] { return ::GetActiveWindow() != main; }))
        << "the editor saw it leave the front";
    // The user works in the other program: the window manager keeps the front for it from then on,
    // unless the user brings another program forward.
    desk::xdotool({"getactivewindow", "mousemove", "--window", "%1", "5", "5", "click", "1"});

    // The program started again with the file, from another folder.
    EXPECT_EQ(waitForExit(spawnProgram({PM_PENMERE_EXE, handed})), 0)
        << "the second start ends once it has handed over";
    EXPECT_TRUE(desk::pumpUntil([frame, &handed] {
        CMDIChildWnd* child = frame->MDIGetActive();
        CDocument* doc = child ? child->GetActiveDocument() : nullptr;
        return doc && std::string(doc->GetPathName()) == handed;
    })) << "the running editor opened the file";
    EXPECT_TRUE(desk::pumpUntil([main] { return desk::active(main); })) << "and came to the front";
    desk::saveScreenPng("penmere_handed_over");

    ::kill(other, SIGTERM);
    ::waitpid(other, nullptr, 0);
}

// Tools > Add/Edit Tools, then its New: the name typed into the prompt over the Tools dialog and
// its OK clicked add the tool to the dialog's list.
TEST(PenmereOnTheDesktop, TheNewToolPromptOverTheToolsDialogTakesTheName) {
    if (!desk::available()) GTEST_SKIP() << "no desktop fixture (PM_DESKTOP_STATE)";
    EditorOnDesktop editor;
    ASSERT_TRUE(editor.start(editor.folder + "/Projects/demo.js")) << "the main window was never activated";
    HWND main = editor.main;

    HWND tools = nullptr, prompt = nullptr;
    int listed = -1;
    desk::giveInputInTurn({
        {[&] { return (tools = desk::activeOwnedBy(main)) != nullptr; },
         [&] { return desk::clickAt(desk::centre(desk::screenRect(::GetDlgItem(tools, IDC_TOOL_NEW)))); }},
        {[&] { return (prompt = desk::activeOwnedBy(tools)) != nullptr; },
         [&] {
             std::vector<std::string> input{"key", "--delay", "30", "l", "s", "sleep", "0.3"};
             for (const std::string& a :
                  desk::clickAt(desk::centre(desk::screenRect(::GetDlgItem(prompt, IDOK)))))
                 input.push_back(a);
             return input;
         }},
        {[&] { return !::IsWindow(prompt) && desk::activeOwnedBy(main) == tools; },
         [&] {
             listed = static_cast<int>(::SendDlgItemMessage(tools, IDC_TOOL_LIST, LB_FINDSTRINGEXACT, -1,
                                                            reinterpret_cast<LPARAM>("ls")));
             return std::vector<std::string>{"key", "Escape"};
         }},
        // Ended by the Escape; were it not, the dialog would be ended after a while and fail the test.
        {[&] { return !::IsWindow(tools); },
         [] {
             return std::vector<std::string>{"sleep", "0"};
         }},
    });
    ::SendMessage(main, WM_COMMAND, ID_TOOLS_ADD_EDIT, 0);
    EXPECT_EQ(desk::stepsGivenUp(), std::vector<std::size_t>{}) << "steps that waited in vain";
    EXPECT_GE(listed, 0) << "the new tool is in the list";
    EXPECT_TRUE(desk::pumpUntil([main] { return desk::active(main); }));
}

TEST(PenmereOnTheDesktop, ClosingADocumentLeavesTheKeyboardWithTheNextOne) {
    if (!desk::available()) GTEST_SKIP() << "no desktop fixture (PM_DESKTOP_STATE)";
    EditorOnDesktop editor;
    ASSERT_TRUE(editor.start(editor.folder + "/Projects/demo.js")) << "the main window was never activated";
    HWND main = editor.main;
    CMainFrame* frame = editor.frame();
    CDocument* demo = frame->MDIGetActive()->GetActiveDocument();
    ::SendMessage(main, WM_COMMAND, ID_FILE_NEW, 0);
    desk::pumpFor(300);
    ASSERT_NE(frame->MDIGetActive()->GetActiveDocument(), demo);
    ::SendMessage(main, WM_COMMAND, ID_FILE_CLOSE, 0);
    desk::pumpFor(300);
    ASSERT_EQ(frame->MDIGetActive()->GetActiveDocument(), demo);

    desk::keys({"x"});
    EXPECT_TRUE(desk::pumpUntil([demo] { return demo->IsModified() != FALSE; }))
        << "the key reached the editor";
    EXPECT_TRUE(desk::active(main)) << "the main window keeps the front";
    EXPECT_NE(desk::property(main, "_NET_WM_STATE").find("MAXIMIZED"), std::string::npos)
        << "the window stays maximised";
}

// Names that are no regular file, typed into the desktop's file dialogs as a user types them: Save
// As to a new file under /proc and Open of a named pipe are each refused with a message naming the
// file, and the dialog is shown again (nothing reads or waits on what the name stands for), and the editor
// goes on taking keys.
TEST(PenmereOnTheDesktop, SaveAsUnderProcAndOpenOfANamedPipeEndInAMessage) {
    if (!desk::available()) GTEST_SKIP() << "no desktop fixture (PM_DESKTOP_STATE)";
    EditorOnDesktop editor;
    ASSERT_TRUE(editor.start(editor.folder + "/Projects/demo.js")) << "the main window was never activated";
    HWND main = editor.main;
    CDocument* doc = editor.frame()->MDIGetActive()->GetActiveDocument();
    ASSERT_NE(doc, nullptr);
    std::vector<std::string> told;
    pm::setMessageBoxHook([&told](HWND, const std::string& text, const std::string&, UINT) {
        told.push_back(text);
        return IDOK;
    });
    desk::typeIntoNextFileDialog(main, "/proc/x.sql", true);
    ::SendMessage(main, WM_COMMAND, ID_FILE_SAVE_AS, 0);
    ASSERT_EQ(told.size(), 1u) << "Save As ended without a message";
    EXPECT_EQ(told[0], "/proc/x.sql is a system file, not a regular file");
    EXPECT_EQ(std::string(doc->GetPathName()), editor.folder + "/Projects/demo.js")
        << "the document keeps its file";

    const std::string pipe = editor.folder + "/pipe.js";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    desk::typeIntoNextFileDialog(main, pipe, true);
    ::SendMessage(main, WM_COMMAND, ID_FILE_OPEN, 0);
    ASSERT_EQ(told.size(), 2u) << "Open ended without a message";
    EXPECT_EQ(told[1], pipe + " is a named pipe, not a regular file");
    pm::setMessageBoxHook(nullptr);

    ASSERT_TRUE(desk::pumpUntil([main] { return desk::active(main); }));
    doc->SetModifiedFlag(FALSE);
    desk::keys({"y"});
    EXPECT_TRUE(desk::pumpUntil([doc] { return doc->IsModified() != FALSE; }))
        << "the key reached the editor";
}
