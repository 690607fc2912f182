// The frame, the connect dialog and the database combo, driven in the test process against the
// private MariaDB server.

#include "support/tessmark_fixture.h"

#include "querytool/app/app_globals.h"
#include "querytool/app/resource_ids.h"
#include "querytool/app/small_dialogs.h"
#include "querytool/app/sql_editor.h"

#include "cmake/test_files.h"
#include "platform/win/commctrl.h"
#include "platform/win/shell/shell.h"
#include "platform/win/tests/support/test_windows.h"

#include <filesystem>
#include <gmock/gmock.h>

namespace {

std::string comboText(HWND combo) {
    char text[256] = {};
    COMBOBOXEXITEMA item{};
    item.mask = CBEIF_TEXT;
    item.iItem = SendMessage(combo, CB_GETCURSEL, 0, 0);
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessage(combo, CBEM_GETITEM, 0, reinterpret_cast<LPARAM>(&item));
    return text;
}

bool itemEnabled(HWND frame, int id) {
    return (GetMenuState(GetMenu(frame), static_cast<UINT>(id), MF_BYCOMMAND) & MF_GRAYED) == 0;
}

std::string windowText(HWND hwnd) {
    char text[512] = {};
    GetWindowText(hwnd, text, sizeof text);
    return text;
}

// Fills the connect dialog once it shows and presses OK (or Cancel with an empty password text
// of null).
struct ConnectAnswers {
    std::vector<std::string> passwords; // one per time the dialog's OK is pressed; then Cancel
    std::string port;
};

} // namespace

class Frame : public TessmarkTest {};

TEST_F(Frame, WithoutAConnectionTheConnectionItemsAreGreyedAndCtrlQDoesNothing) {
    HWND frame = m_app->Frame();
    EXPECT_EQ("Tessmark", windowText(frame));
    for (int id : {ID_DISCONNECT, ID_SAVE, ID_OPEN, ID_CUT, ID_FIND, ID_TEXTMODE, ID_ADDKEY})
        EXPECT_FALSE(itemEnabled(frame, id)) << id;
    EXPECT_TRUE(itemEnabled(frame, ID_CONNECT));
    EXPECT_FALSE(IsWindowEnabled(m_app->Combo()));
    EXPECT_EQ(TBSTATE_INDETERMINATE,
              SendMessage(m_app->ToolBar(), TB_GETSTATE, ID_EXECUTEBUTTON, 0) & TBSTATE_INDETERMINATE);
    Command(ID_CTRLQ);
    EXPECT_TRUE(m_boxes.empty());
    EXPECT_TRUE(IsWindow(frame));
}

TEST_F(Frame, AWrongPasswordShowsTheServerMessageAndTheDialogStaysUntilARightOne) {
    ConnectAnswers answers{{"wrong", ""}, TestServerPort()};
    std::size_t tries = 0;
    pm::setDialogHook([&](HWND dialog) {
        if (GetDlgItem(dialog, IDC_HOST) == nullptr) return;
        pm::test::pumpMessages(); // the fields are filled after the dialog shows
        SetDlgItemText(dialog, IDC_HOST, "127.0.0.1");
        SetDlgItemText(dialog, IDC_USER, "root");
        SetDlgItemText(dialog, IDC_PORT, answers.port.c_str());
        while (tries < answers.passwords.size() && IsWindow(dialog)) {
            SetDlgItemText(dialog, IDC_PASSWORD, answers.passwords[tries++].c_str());
            SendMessage(dialog, WM_COMMAND, IDOK, 0);
        }
    });
    m_app->NewConnection();
    ASSERT_EQ(2u, tries);
    ASSERT_EQ(1u, m_boxes.size());
    // The server names the client's host as it sees it ('localhost' or the address).
    EXPECT_THAT(m_boxes[0],
                ::testing::MatchesRegex("Tessmark: Error No\\. 1045\n"
                                        "Access denied for user 'root'@'[^']+' \\(using password: YES\\)"));
    CQueryWindow* window = m_app->ActiveQueryWindow();
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(1, g_appGlobals->connectionCount);
    EXPECT_EQ("Query - 127.0.0.1.root", windowText(window->Window()));
    EXPECT_TRUE(itemEnabled(m_app->Frame(), ID_SAVE));
    EXPECT_TRUE(IsWindowEnabled(m_app->Combo()));
    // The settings file keeps host, user and port, never the password.
    std::string settings = pm::test::readFile(m_folder + "/tessmark.ini");
    EXPECT_NE(std::string::npos, settings.find("Host=127.0.0.1"));
    EXPECT_NE(std::string::npos, settings.find("Port=" + answers.port));
    EXPECT_EQ(std::string::npos, settings.find("wrong"));
}

TEST_F(Frame, CancellingTheDialogOpensNothing) {
    pm::setDialogHook([](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
    m_app->NewConnection();
    EXPECT_EQ(nullptr, m_app->ActiveQueryWindow());
    EXPECT_EQ(0, g_appGlobals->connectionCount);
}

TEST_F(Frame, TheDatabaseComboFollowsUseAndTheChoice) {
    Exec(m_admin, "create database if not exists tm_other");
    CQueryWindow* window = Connect();
    ASSERT_NE(nullptr, window);
    SetEditorText(*window, "use tm_other");
    Command(ID_EXECUTECURRENT);
    EXPECT_EQ("tm_other", comboText(m_app->Combo()));
    EXPECT_EQ("tm_other", window->DatabaseName());
    // Mixed case selects on the server, but the combo keeps its text.
    SetEditorText(*window, "Use " + m_database);
    Command(ID_EXECUTECURRENT);
    EXPECT_EQ("tm_other", comboText(m_app->Combo()));

    SendMessage(m_app->Frame(), WM_COMMAND, MAKEWPARAM(IDC_DBCOMBO, CBN_DROPDOWN), 0);
    EXPECT_GE(SendMessage(m_app->Combo(), CB_GETCOUNT, 0, 0), 3);
    SendMessage(m_app->Frame(), WM_COMMAND, MAKEWPARAM(IDC_DBCOMBO, CBN_SELENDCANCEL), 0);
    EXPECT_EQ(1, SendMessage(m_app->Combo(), CB_GETCOUNT, 0, 0)) << "closed without a choice";
    EXPECT_EQ("tm_other", comboText(m_app->Combo()));
    SendMessage(m_app->Frame(), WM_COMMAND, MAKEWPARAM(IDC_DBCOMBO, CBN_DROPDOWN), 0);
    const LRESULT index = SendMessage(m_app->Combo(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(m_database.c_str()));
    ASSERT_GE(index, 0);
    SendMessage(m_app->Combo(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessage(m_app->Frame(), WM_COMMAND, MAKEWPARAM(IDC_DBCOMBO, CBN_SELCHANGE), 0);
    EXPECT_EQ(m_database, comboText(m_app->Combo()));
    EXPECT_EQ(1, SendMessage(m_app->Combo(), CB_GETCOUNT, 0, 0));
    EXPECT_EQ(m_database, g_appGlobals->currentDatabase);
    Exec(m_admin, "drop database tm_other");
}

TEST_F(Frame, ClosingTheFrameWritesTheDatabaseAndExitDoesNot) {
    CQueryWindow* window = Connect();
    ASSERT_NE(nullptr, window);
    g_appGlobals->currentDatabase = m_database;
    Command(ID_EXIT);
    std::string afterExit = pm::test::readFile(m_folder + "/tessmark.ini");
    EXPECT_NE(std::string::npos, afterExit.find("Database=0")) << afterExit;
    EndTessmark();

    m_app = StartTessmark(nullptr);
    ASSERT_NE(nullptr, Connect());
    g_appGlobals->currentDatabase = m_database;
    SendMessage(m_app->Frame(), WM_CLOSE, 0, 0);
    std::string afterClose = pm::test::readFile(m_folder + "/tessmark.ini");
    EXPECT_NE(std::string::npos, afterClose.find("Database=" + m_database));
}

TEST_F(Frame, DisconnectAllKeepsTheWindowWhoseCloseQuestionWasCancelled) {
    CQueryWindow* kept = Connect();
    ASSERT_NE(nullptr, kept);
    SetEditorText(*kept, "select 1");
    ASSERT_NE(nullptr, Connect());
    ASSERT_NE(nullptr, Connect());
    ASSERT_EQ(3, g_appGlobals->connectionCount);
    m_boxAnswer = IDCANCEL;
    Command(ID_DISCONNECTALL);
    EXPECT_EQ(1, g_appGlobals->connectionCount);
    EXPECT_EQ(kept, m_app->ActiveQueryWindow());
    ASSERT_EQ(1u, m_boxes.size());
    EXPECT_EQ("Tessmark: File not saved.\n\nDo you want to save the SQL statement(s)", m_boxes[0]);
}

// Cancel in one window's question ends the whole exit, by the close box or by File > Exit: no later
// window is asked or closed.
TEST_F(Frame, CancelInAQuestionDuringExitStopsTheWholeExit) {
    for (int command : {0, static_cast<int>(ID_EXIT)}) {
        SCOPED_TRACE(command ? "Exit" : "close box");
        m_boxes.clear();
        for (int i = 0; i < 2; ++i) {
            CQueryWindow* window = Connect();
            ASSERT_NE(nullptr, window);
            SetEditorText(*window, "select 1");
        }
        const int before = g_appGlobals->connectionCount;
        m_boxAnswer = IDCANCEL;
        if (command)
            Command(command);
        else
            SendMessage(m_app->Frame(), WM_CLOSE, 0, 0);
        pm::test::pumpMessages();
        ASSERT_TRUE(IsWindow(m_app->Frame()));
        EXPECT_EQ(before, g_appGlobals->connectionCount);
        EXPECT_EQ(1u, m_boxes.size());
    }
}

TEST_F(Frame, ALongPasswordIsSentWhole) {
    const std::string password(120, 'p');
    Exec(m_admin, "create or replace user 'tm_long'@'%' identified by '" + password + "'");
    const std::string port = TestServerPort();
    pm::setDialogHook([&](HWND dialog) {
        if (GetDlgItem(dialog, IDC_HOST) == nullptr) return;
        pm::test::pumpMessages();
        SetDlgItemText(dialog, IDC_HOST, "127.0.0.1");
        SetDlgItemText(dialog, IDC_USER, "tm_long");
        SetDlgItemText(dialog, IDC_PORT, port.c_str());
        SetDlgItemText(dialog, IDC_PASSWORD, password.c_str());
        SendMessage(dialog, WM_COMMAND, IDOK, 0);
        if (!m_boxes.empty()) SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    m_app->NewConnection();
    EXPECT_TRUE(m_boxes.empty()) << (m_boxes.empty() ? "" : m_boxes[0]);
    EXPECT_NE(nullptr, m_app->ActiveQueryWindow());
    Exec(m_admin, "drop user 'tm_long'@'%'");
}

TEST_F(Frame, DroppingTheCurrentDatabaseLeavesNoNameToSelectAgain) {
    Exec(m_admin, "create database if not exists tm_usedrop");
    CQueryWindow* window = Connect();
    ASSERT_NE(nullptr, window);
    SetEditorText(*window, "use tm_usedrop");
    Command(ID_EXECUTECURRENT);
    ASSERT_EQ("tm_usedrop", g_appGlobals->currentDatabase);
    SetEditorText(*window, "drop database tm_usedrop"); // mentions "use" in the name
    Command(ID_EXECUTECURRENT);
    EXPECT_EQ("No database selected", comboText(m_app->Combo()));
    EXPECT_EQ("", g_appGlobals->currentDatabase);
    EXPECT_EQ("No database selected", window->DatabaseName());
}

TEST(KeyboardShortcuts, TwentyNineLinesWithOneTabAfterCtrlShiftKeys) {
    const std::string text = KeyboardShortcutsText();
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    ASSERT_EQ(29u, lines.size());
    EXPECT_EQ("F5\t\tExecute the current query", lines[0]);
    EXPECT_EQ("Ctrl+Shift+E\tOpen up the Export Data dialog box", lines[28]);
}

// F1 opens the help page of the current folder, else the program folder's; a page found nowhere is
// reported with the system's "not found".
TEST_F(Frame, HelpOpensThePageOfTheCurrentFolderElseTheProgramFolders) {
    EXPECT_EQ("/opt/tessmark/tessmarkhelp.htm", HelpPagePath(m_folder, "/opt/tessmark"));
    std::vector<std::string> opened;
    pm::setShellOpenHook([&](const pm::ShellOpenRequest& request) {
        opened.push_back(request.target);
        return true;
    });
    Command(ID_HELP_KEY);
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(
        (std::vector<std::string>{"Tessmark: Could not open the HELP file.\n2:No such file or directory"}),
        m_boxes);
    pm::test::writeFile(m_folder + "/tessmarkhelp.htm", "<html></html>");
    EXPECT_EQ("tessmarkhelp.htm", HelpPagePath(m_folder, "/opt/tessmark"));
    Command(ID_HELP);
    pm::setShellOpenHook(nullptr);
    ASSERT_EQ(1u, opened.size());
    EXPECT_THAT(opened[0], ::testing::EndsWith("/tessmarkhelp.htm"));
    EXPECT_EQ(1u, m_boxes.size());
}

// Filling the new window's object browser focuses the tree; keys typed after connecting still go
// into the SQL editor.
TEST_F(Frame, KeysTypedAfterConnectingGoIntoTheEditor) {
    const std::string port = TestServerPort();
    pm::setDialogHook([&](HWND dialog) {
        if (GetDlgItem(dialog, IDC_HOST) == nullptr) return;
        pm::test::pumpMessages();
        SetDlgItemText(dialog, IDC_HOST, "127.0.0.1");
        SetDlgItemText(dialog, IDC_USER, "root");
        SetDlgItemText(dialog, IDC_PORT, port.c_str());
        SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    m_app->NewConnection();
    pm::test::pumpMessages();
    CQueryWindow* window = m_app->ActiveQueryWindow();
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(window->Editor()->Window(), GetFocus());
    pm::test::typeText(m_app->Frame(), "select 42");
    pm::test::pumpMessages();
    EXPECT_EQ("select 42", windowText(window->Editor()->Window()));
}

// Minimising the active window activates the next one, whose editor takes the keys.
TEST_F(Frame, KeysTypedAfterMinimisingAWindowGoIntoTheNextWindowsEditor) {
    CQueryWindow* first = Connect();
    CQueryWindow* second = Connect();
    ASSERT_TRUE(first && second);
    SendMessage(second->Window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    pm::test::pumpMessages();
    ASSERT_EQ(first, m_app->ActiveQueryWindow());
    EXPECT_EQ(first->Editor()->Window(), GetFocus());
    pm::test::typeText(m_app->Frame(), "select 7");
    pm::test::pumpMessages();
    EXPECT_EQ("select 7", windowText(first->Editor()->Window()));
    EXPECT_EQ("", windowText(second->Editor()->Window()));
}
