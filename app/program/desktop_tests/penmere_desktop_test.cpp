// The editor on a real desktop: the window manager activates its main window with a script open,
// keys typed on the keyboard reach the edit control, and closing with the edit unsaved asks first.

#include "app/file_helpers.h"
#include "app/program/CEditMDIApp.h"
#include "app/program/CEditMDIDoc.h"
#include "app/program/CMainFrame.h"
#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/desktop_tests/support/desktop_session.h"
#include "platform/win/windlg.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace desk = pm::test::desktop;

TEST(PenmereOnTheDesktop, AScriptOpensTakesKeysAndAsksBeforeClosing) {
    if (!desk::available()) GTEST_SKIP() << "no desktop fixture (PM_DESKTOP_STATE)";
    const std::string folder = pm::afxtest::makeTempFolder();
    std::filesystem::copy(PM_PENMERE_DATA_DIR, folder, std::filesystem::copy_options::recursive);
    std::ofstream(folder + "/Settings.ini", std::ios::binary) << "[General]\r\nFirstTime=1\r\n";
    SetAppDirectory((folder + "/").c_str());
    std::string path = folder + "/Projects/demo.js";
    char* argv[] = {const_cast<char*>("penmere"), path.data()};

    auto app = std::make_unique<CEditMDIApp>();
    app->m_argc = 2;
    app->m_argv = argv;
    ASSERT_TRUE(app->InitApplication());
    ASSERT_TRUE(app->InitInstance());
    HWND main = app->m_pMainWnd->m_hWnd;
    ASSERT_TRUE(desk::pumpUntil([main] { return desk::active(main); })) << "the main window was never activated";
    auto* frame = static_cast<CMainFrame*>(app->m_pMainWnd);
    CDocument* doc = frame->MDIGetActive()->GetActiveDocument();
    ASSERT_NE(doc, nullptr);

    desk::keys({"x"});
    ASSERT_TRUE(desk::pumpUntil([doc] { return doc->IsModified() != FALSE; })) << "the key reached the editor";
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

    pm::setMessageBoxHook([](HWND, const std::string&, const std::string&, UINT) { return IDNO; });
    ::SendMessage(main, WM_CLOSE, 0, 0);
    desk::pumpFor(100);
    pm::setMessageBoxHook(nullptr);
    app.reset();
    SetAppDirectory(nullptr);
    pm::afxtest::removeFolder(folder);
}
