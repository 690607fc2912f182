#include "tessmark_fixture.h"

#include "querytool/app/app_globals.h"
#include "querytool/app/messages_pane.h"
#include "querytool/app/result_tabs.h"
#include "querytool/app/sql_editor.h"

#include "platform/win/commctrl.h"
#include "platform/win/richedit.h"
#include "platform/win/tests/support/test_windows.h"

#include <filesystem>
#include <unistd.h>

void TessmarkTest::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    m_folder = TestOutputPath("work");
    m_database = "tm_" + std::to_string(std::hash<std::string>()(info->name()) % 1000000000);
    std::filesystem::remove_all(m_folder);
    std::filesystem::create_directories(m_folder);
    char previous[4096] = {};
    m_previousFolder = getcwd(previous, sizeof previous) ? previous : ".";
    ASSERT_EQ(0, chdir(m_folder.c_str()));
    pm::setMessageBoxHook([this](HWND, const std::string& text, const std::string& caption, UINT) {
        m_boxes.push_back(caption + ": " + text);
        return m_boxAnswer;
    });
    m_admin = ConnectToTestServer();
    ASSERT_NE(nullptr, m_admin);
    Exec(m_admin, "drop database if exists " + m_database);
    Exec(m_admin, "create database " + m_database);
    m_app = StartTessmark(nullptr);
}

void TessmarkTest::TearDown() {
    if (g_appGlobals) {
        m_boxAnswer = IDNO;
        if (IsWindow(m_app->Frame())) SendMessage(m_app->Frame(), WM_COMMAND, 40007, 0);
        pm::test::pumpMessages();
        EndTessmark();
    }
    pm::setMessageBoxHook(nullptr);
    pm::setDialogHook(nullptr);
    if (m_admin) {
        Exec(m_admin, "drop database if exists " + m_database);
        mysql_close(m_admin);
    }
    if (!m_previousFolder.empty()) (void)chdir(m_previousFolder.c_str());
}

CQueryWindow* TessmarkTest::Connect() {
    MYSQL* connection = ConnectToTestServer();
    if (!connection) return nullptr;
    g_appGlobals->currentDatabase = m_database; // selected in every new window
    EXPECT_TRUE(m_app->OpenConnection(connection));
    pm::test::pumpMessages();
    CQueryWindow* window = m_app->ActiveQueryWindow();
    EXPECT_TRUE(window && window->DatabaseName() == m_database);
    return window;
}

void TessmarkTest::Command(int id) {
    SendMessage(m_app->Frame(), WM_COMMAND, static_cast<WPARAM>(id), 0);
    pm::test::pumpMessages();
}

void TessmarkTest::PressKey(int vk, bool shift, bool control) {
    pm::test::pressKey(m_app->Frame(), vk, shift, control);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (TranslateTessmarkMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

void TessmarkTest::SetEditorText(CQueryWindow& window, const std::string& text) {
    HWND edit = window.Editor()->Window();
    SendMessage(edit, EM_SETSEL, 0, -1);
    SendMessage(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    pm::test::pumpMessages();
}

void TessmarkTest::Select(CQueryWindow& window, long start, long end) {
    CHARRANGE range{static_cast<LONG>(start), static_cast<LONG>(end)};
    SendMessage(window.Editor()->Window(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

std::string TessmarkTest::Messages(CQueryWindow& window) {
    HWND pane = window.Tabs()->Messages()->Window();
    std::string text(static_cast<std::size_t>(GetWindowTextLength(pane)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowText(pane, &text[0], static_cast<int>(text.size()))));
    std::string plain;
    for (char c : text)
        if (c != '\r') plain += c;
    return plain;
}

std::vector<std::string> TessmarkTest::TabTexts(CQueryWindow& window) {
    std::vector<std::string> texts;
    HWND tabs = window.Tabs()->Window();
    const int count = static_cast<int>(SendMessage(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[64] = {};
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessage(tabs, TCM_GETITEM, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        texts.push_back(text);
    }
    return texts;
}

int TessmarkTest::SelectedTab(CQueryWindow& window) {
    return static_cast<int>(SendMessage(window.Tabs()->Window(), TCM_GETCURSEL, 0, 0));
}
