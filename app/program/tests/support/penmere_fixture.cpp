// The editor run in the test process.

#include "app/program/tests/support/penmere_fixture.h"

#include "app/file_helpers.h"
#include "app/program_registration.h"
#include "app/program/editor_globals.h"
#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/commdlg.h"
#include "platform/win/shell/shell.h"
#include "platform/win/tests/support/test_windows.h"
#include "platform/win/windlg.h"
#include "platform/win/winreg.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>

namespace {

// One program folder for the whole test process, filled anew for each test: the edit control's
// word files are loaded once a process, from the folder first used.
// (Kept on the heap, so that it outlives the exit handler that removes it.)
const std::string& processProgramFolder() {
    static const std::string* folder = [] {
        auto* made = new std::string(pm::afxtest::makeTempFolder());
        std::atexit([] { pm::afxtest::removeFolder(processProgramFolder()); });
        return made;
    }();
    return *folder;
}

// Deletes a key with all its subkeys.
void deleteKeyTree(HKEY parent, const std::string& name) {
    HKEY key = nullptr;
    if (::RegOpenKeyEx(parent, name.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    char sub[256];
    DWORD length = sizeof sub;
    while (::RegEnumKeyEx(key, 0, sub, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
        deleteKeyTree(key, sub);
        length = sizeof sub;
    }
    ::RegCloseKey(key);
    ::RegDeleteKey(parent, name.c_str());
}

} // namespace

void PenmereTest::SetUp() {
    // Each test starts as a new user: nothing an earlier test of the process saved, such as the
    // bars' layout or another program's registration, is found at start-up.
    deleteKeyTree(HKEY_CURRENT_USER, "Software\\Talvora3");
    deleteKeyTree(HKEY_CURRENT_USER, g_strProgramsKey);
    folder = processProgramFolder();
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        std::filesystem::remove_all(entry.path());
    std::filesystem::copy(PM_PENMERE_DATA_DIR, folder, std::filesystem::copy_options::recursive);
    std::filesystem::copy(PM_PENMERE_WORDS_DIR, folder + "/AutoComplete",
                          std::filesystem::copy_options::recursive);
    SetAppDirectory((folder + "/").c_str());
    pm::setShellOpenHook([this](const pm::ShellOpenRequest& request) {
        opened.push_back(request.target);
        return true;
    });
    pm::setMessageBoxHook([this](HWND, const std::string& text, const std::string&, UINT) {
        boxes.push_back(text);
        return boxAnswer;
    });
}

void PenmereTest::TearDown() {
    stop();
    pm::setCommonDialogHook(nullptr);
    pm::setMessageBoxHook(nullptr);
    pm::setShellOpenHook(nullptr);
    SetAppDirectory(nullptr);
}

void PenmereTest::start(const std::vector<std::string>& args, bool runStartupTimer) {
    argStore = {"penmere"};
    argStore.insert(argStore.end(), args.begin(), args.end());
    argv.clear();
    for (std::string& a : argStore)
        argv.push_back(a.data());
    GetSettings().RemoveAll();
    EnableFunctionsList(FALSE);
    app = std::make_unique<CEditMDIApp>();
    app->m_argc = static_cast<int>(argv.size());
    app->m_argv = argv.data();
    ASSERT_TRUE(app->InitApplication());
    ASSERT_TRUE(app->InitInstance());
    frame = static_cast<CMainFrame*>(app->m_pMainWnd);
    if (runStartupTimer) pump(20);
}

void PenmereTest::stop() {
    if (!app) return;
    if (frame && ::IsWindow(frame->m_hWnd)) {
        boxAnswer = IDNO;
        ::SendMessage(frame->m_hWnd, WM_CLOSE, 0, 0);
        pump();
    }
    app->ExitInstance();
    frame = nullptr;
    app.reset();
}

void PenmereTest::pump(unsigned ms) {
    if (ms) pm::test::advanceClock(ms);
    pm::afxtest::pump();
}

bool PenmereTest::pumpUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        pump();
    }
    return true;
}

void PenmereTest::command(UINT id) {
    ::SendMessage(frame->m_hWnd, WM_COMMAND, id, 0);
    pump();
}

CEditMDIView* PenmereTest::activeView() {
    CMDIChildWnd* child = frame ? frame->MDIGetActive() : nullptr;
    return child ? dynamic_cast<CEditMDIView*>(child->GetActiveView()) : nullptr;
}

std::string PenmereTest::viewText(CEditMDIView* view) {
    CString t;
    view->GetEditCtrl()->GetWindowText(t);
    std::string text(t, static_cast<size_t>(t.GetLength()));
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

std::pair<long, long> PenmereTest::viewSelection(CEditMDIView* view) {
    CHARRANGE sel{};
    view->GetEditCtrl()->GetSel(sel);
    return {sel.cpMin, sel.cpMax};
}

std::string PenmereTest::windowText(HWND hwnd) {
    char text[512] = {};
    ::GetWindowText(hwnd, text, sizeof text);
    return text;
}

void PenmereTest::answerFileDialog(const std::string& path) {
    pm::setCommonDialogHook([path](const pm::CommonDialogRequest&) {
        pm::CommonDialogAnswer a;
        a.accepted = true;
        a.paths = {path};
        return a;
    });
}
