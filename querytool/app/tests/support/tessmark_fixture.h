#pragma once
// The query tool running in the test process: a fresh working folder (settings file and personal
// folder), message boxes answered and recorded, and query windows connected to the private
// MariaDB server with a database of the test's own.

#include "querytool/app/application.h"
#include "querytool/app/query_window.h"

#include "querytool/tests/support/test_server.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class TessmarkTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new query window connected as root to the test server, with the test's database selected.
    CQueryWindow* Connect();
    void Command(int id);
    // Presses a key (with Shift or Ctrl held) in the window that has the focus, and lets the
    // program's own loop take it: its accelerators first.
    void PressKey(int vk, bool shift = false, bool control = false);
    // The editor's whole text, set as typed text would be (colouring and modified flag follow).
    void SetEditorText(CQueryWindow& window, const std::string& text);
    void Select(CQueryWindow& window, long start, long end);
    std::string Messages(CQueryWindow& window);
    std::vector<std::string> TabTexts(CQueryWindow& window);
    int SelectedTab(CQueryWindow& window);

    CApplication* m_app = nullptr;
    std::string m_folder;             // the current folder while the test runs
    std::vector<std::string> m_boxes; // "caption: text" of every message box
    int m_boxAnswer = IDOK;
    MYSQL* m_admin = nullptr;
    std::string m_database;

private:
    std::string m_previousFolder;
};
