// The table diagnostics and flush dialogs against the private MariaDB server.

#include "support/tessmark_fixture.h"

#include "querytool/app/resource_ids.h"
#include "querytool/app/tools/list_items.h"
#include "querytool/app/tools/tool_resource_ids.h"

#include "platform/win/commctrl.h"
#include "platform/win/tests/support/test_windows.h"

#include <functional>

class DiagnosticsDialogs : public TessmarkTest {
protected:
    void SetUp() override {
        TessmarkTest::SetUp();
        for (const char* table : {"a", "b", "c"})
            Exec(m_admin, "create table " + m_database + "." + table + " (x int) engine=MyISAM");
        m_window = Connect();
        ASSERT_NE(nullptr, m_window);
    }
    void Open(int command, const std::function<void(HWND)>& drive) {
        pm::setDialogHook([&](HWND dialog) {
            drive(dialog);
            SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        Command(command);
        pm::setDialogHook(nullptr);
    }
    static std::vector<std::string> results(HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_DIAGRESULTS);
        std::vector<std::string> rows;
        for (int i = 0; i < ListCount(list); ++i)
            rows.push_back(ListItemText(list, i, 0) + "|" + ListItemText(list, i, 1) + "|" +
                           ListItemText(list, i, 2) + "|" + ListItemText(list, i, 3));
        return rows;
    }
    CQueryWindow* m_window = nullptr;
};

TEST_F(DiagnosticsDialogs, TickedTablesAreCheckedQuicklyAndRepairedWithTheServersRowsListed) {
    Open(ID_DIAGNOSTICS, [&](HWND dialog) {
        char database[256] = {};
        GetDlgItemText(dialog, IDC_DIAGDATABASES, database, sizeof database);
        EXPECT_EQ(m_database, database);
        HWND tables = GetDlgItem(dialog, IDC_DIAGTABLES);
        EXPECT_EQ((std::vector<std::string>{"c", "b", "a"}), ListTexts(tables));
        for (int i = 0; i < 3; ++i)
            EXPECT_TRUE(ListView_GetCheckState(tables, i)) << i;
        ListView_SetCheckState(tables, 1, FALSE);
        CheckDlgButton(dialog, IDC_CHECKQUICK, BST_CHECKED);
        SendMessage(dialog, WM_COMMAND, IDC_CHECK, 0);
        const std::string d = m_database;
        EXPECT_EQ((std::vector<std::string>{d + ".c|check|status|OK", d + ".a|check|status|OK"}),
                  results(dialog));
        CheckDlgButton(dialog, IDC_REPAIRQUICK, BST_CHECKED);
        SendMessage(dialog, WM_COMMAND, IDC_REPAIR, 0);
        EXPECT_EQ((std::vector<std::string>{d + ".c|repair|status|OK", d + ".a|repair|status|OK"}),
                  results(dialog));
        pm::test::pumpMessages();
        EXPECT_TRUE(
            pm::test::saveWindowPng(dialog, pm::test::outputFolder() + "/tessmark_table_diagnostics.png"));

        CheckDlgButton(dialog, IDC_DIAGALL, BST_UNCHECKED);
        SendMessage(dialog, WM_COMMAND, IDC_DIAGALL, 0);
        SendMessage(dialog, WM_COMMAND, IDC_ANALYZE, 0);
        EXPECT_TRUE(results(dialog).empty());
    });
    EXPECT_TRUE(m_boxes.empty()) << m_boxes.front();
}

TEST_F(DiagnosticsDialogs, FlushSendsTheChosenStatementAndShowsTheOutcome) {
    Open(ID_FLUSH, [&](HWND dialog) {
        EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, IDC_FLUSHLOGS));
        CheckRadioButton(dialog, IDC_FLUSHLOGS, IDC_FLUSHSTATUS, IDC_FLUSHSTATUS);
        SendMessage(dialog, WM_COMMAND, IDOK, 0);
        char text[64] = {};
        GetDlgItemText(dialog, IDC_FLUSHRESULT, text, sizeof text);
        EXPECT_STREQ("Operation successful.", text);
    });
    EXPECT_TRUE(m_boxes.empty());
    // A refused flush: the same connection cannot flush while it holds a table lock.
    ASSERT_EQ(0, mysql_query(m_window->Connection(), ("lock tables " + m_database + ".a read").c_str()));
    Open(ID_FLUSH, [&](HWND dialog) {
        CheckRadioButton(dialog, IDC_FLUSHLOGS, IDC_FLUSHSTATUS, IDC_FLUSHREADLOCK);
        SendMessage(dialog, WM_COMMAND, IDOK, 0);
        char text[64] = {};
        GetDlgItemText(dialog, IDC_FLUSHRESULT, text, sizeof text);
        EXPECT_STREQ("Error in operation.", text);
    });
    ASSERT_EQ(1u, m_boxes.size());
    EXPECT_EQ(0u, m_boxes[0].find("Tessmark: Error Code : ")) << m_boxes[0];
    mysql_query(m_window->Connection(), "unlock tables");
}
