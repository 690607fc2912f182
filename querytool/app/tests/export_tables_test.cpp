// The Export Tables (dump) dialog driven offscreen against the private MariaDB server.

#include "support/tessmark_fixture.h"

#include "querytool/app/resource_ids.h"
#include "querytool/app/tools/list_items.h"
#include "querytool/app/tools/tool_resource_ids.h"

#include "cmake/test_files.h"
#include "platform/win/commctrl.h"
#include "platform/win/commdlg.h"
#include "platform/win/tests/support/test_windows.h"

#include <algorithm>
#include <functional>

namespace {

std::string itemText(HWND dialog, int id) {
    char text[512] = {};
    GetDlgItemText(dialog, id, text, sizeof text);
    return text;
}

std::string selectedTable(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_DUMPTABLES);
    const int selected = SelectedListItem(list);
    return selected < 0 ? "" : ListItemText(list, selected);
}

// The dialog's progress while a dump runs, looked at on a short timer.
std::function<void(HWND)> g_onTimer;
void CALLBACK onTimer(HWND dialog, UINT, UINT_PTR, DWORD) {
    if (g_onTimer) g_onTimer(dialog);
}

} // namespace

class ExportTables : public TessmarkTest {
protected:
    void SetUp() override {
        TessmarkTest::SetUp();
        m_window = Connect();
        ASSERT_NE(nullptr, m_window);
    }
    // Opens the dialog; `drive` runs once it is set up, with the test's database chosen.
    void Run(const std::function<void(HWND)>& drive) {
        pm::setDialogHook([&](HWND dialog) {
            if (!GetDlgItem(dialog, IDC_DUMPDATABASES)) return;
            pm::test::pumpMessages();
            HWND databases = GetDlgItem(dialog, IDC_DUMPDATABASES);
            const std::vector<std::string> names = ListTexts(databases);
            const auto found = std::find(names.begin(), names.end(), m_database);
            ASSERT_NE(names.end(), found);
            SelectListItem(databases, static_cast<int>(found - names.begin()));
            drive(dialog);
            SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        Command(ID_EXPORTTABLES);
        pm::setDialogHook(nullptr);
    }
    void exportTo(HWND dialog, const std::string& path) {
        SetDlgItemText(dialog, IDC_DUMPFILE, path.c_str());
        SendMessage(dialog, WM_COMMAND, IDOK, 0);
    }
    CQueryWindow* m_window = nullptr;
};

TEST_F(ExportTables, TwoHostileTablesRestoreWithTheStandardClientIntoEqualTables) {
    MYSQL* c = m_window->Connection();
    ASSERT_EQ(0, mysql_query(c, "create table `order` (id int primary key, txt varchar(100), b blob)"));
    ASSERT_EQ(
        0,
        mysql_query(
            c,
            "create table `we``ird caf\xC3\xA9` (id int primary key, `select` text) character set utf8mb4"));
    ASSERT_EQ(0, mysql_query(c, "create table plain (a int)"));
    ASSERT_EQ(0, mysql_query(c, "insert into `order` values (1, 'it''s', NULL), (2, 'back\\\\slash\\r\\n', "
                                "x'00FF0A0D5C27221A'), (3, 'x''); drop table plain; -- ', '')"));
    ASSERT_EQ(0,
              mysql_query(
                  c, "insert into `we``ird caf\xC3\xA9` values (1, '\xE6\x97\xA5\xE6\x9C\xAC;'), (2, NULL)"))
        << mysql_error(c);
    const std::string path = m_folder + "/hostile.sql";
    Run([&](HWND dialog) {
        EXPECT_EQ((std::vector<std::string>{"order", "plain", "we`ird caf\xC3\xA9"}),
                  ListTexts(GetDlgItem(dialog, IDC_DUMPTABLES)));
        SetDlgItemText(dialog, IDC_DUMPFIND, "OR");
        EXPECT_EQ("order", selectedTable(dialog));
        SendMessage(dialog, WM_COMMAND, IDC_DUMPADD, 0);
        SetDlgItemText(dialog, IDC_DUMPFIND, "zz");
        EXPECT_EQ("", selectedTable(dialog));
        SetDlgItemText(dialog, IDC_DUMPFIND, "WE");
        SendMessage(dialog, WM_COMMAND, IDC_DUMPADD, 0);
        EXPECT_EQ((std::vector<std::string>{"order", "we`ird caf\xC3\xA9"}),
                  ListTexts(GetDlgItem(dialog, IDC_DUMPSELECTED)));
        SetDlgItemText(dialog, IDC_DUMPFILE, path.c_str());
        pm::test::pumpMessages();
        EXPECT_TRUE(
            pm::test::saveWindowPng(dialog, pm::test::outputFolder() + "/tessmark_export_dialog.png"));
        SendMessage(dialog, WM_COMMAND, IDOK, 0);
        EXPECT_EQ("Exporting of data successful", itemText(dialog, IDC_DUMPRESULT));
    });
    EXPECT_TRUE(m_boxes.empty()) << m_boxes.front();

    const std::string restored = m_database + "_r";
    Exec(m_admin, "drop database if exists " + restored);
    Exec(m_admin, "create database " + restored);
    ASSERT_EQ(0, RunServerClient("mariadb", restored, path));
    for (const char* table : {"`order`", "`we``ird caf\xC3\xA9`"}) {
        const std::string order = " order by 1";
        EXPECT_EQ(QueryRows(m_admin, "select * from " + m_database + "." + table + order),
                  QueryRows(m_admin, "select * from " + restored + "." + table + order))
            << table;
    }
    EXPECT_TRUE(QueryRows(m_admin, "show tables from " + restored + " like 'plain'").empty());
    Exec(m_admin, "drop database " + restored);
}

TEST_F(ExportTables, AStopInTheMiddleLeavesNoLockAndAFileReportedAsPartial) {
    MYSQL* c = m_window->Connection();
    ASSERT_EQ(0, mysql_query(c, "create table big (a int, b varchar(100))"));
    ASSERT_EQ(0, mysql_query(c, "insert into big select seq, repeat('b', 100) from seq_1_to_300000"));
    ASSERT_EQ(0, mysql_query(c, "create table other (a int)"));
    const std::string path = m_folder + "/stopped.sql";
    bool pictured = false;
    g_onTimer = [&](HWND dialog) {
        const int position = static_cast<int>(SendDlgItemMessage(dialog, IDC_DUMPPROGRESS, PBM_GETPOS, 0, 0));
        if (pictured || itemText(dialog, IDC_DUMPRESULT) != "Writing data for big" || position < 2000) return;
        pictured = true;
        EXPECT_EQ("&Stop", itemText(dialog, IDCANCEL));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
        EXPECT_TRUE(
            pm::test::saveWindowPng(dialog, pm::test::outputFolder() + "/tessmark_dump_progress.png"));
        SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    };
    // The export serves the queue every so many milliseconds of its work with the real server: the
    // clock runs as that work takes time, so the timer comes while it writes.
    pm::test::RealClock realClock;
    Run([&](HWND dialog) {
        SendMessage(dialog, WM_COMMAND, IDC_DUMPADDALL, 0);
        SetTimer(dialog, 77, 1, onTimer);
        exportTo(dialog, path);
        KillTimer(dialog, 77);
        EXPECT_EQ("Export stopped: the file holds part of the data", itemText(dialog, IDC_DUMPRESULT));
        EXPECT_EQ("Cancel", itemText(dialog, IDCANCEL));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
    });
    g_onTimer = nullptr;
    EXPECT_TRUE(pictured);
    // A table the dump left locked would make this fail with "was not locked with LOCK TABLES".
    EXPECT_EQ(0, mysql_query(c, "insert into other values (1)")) << mysql_error(c);
    const std::string file = pm::test::readFile(path);
    EXPECT_NE(std::string::npos, file.find("-- This dump is incomplete: it was stopped by the user.\r\n"));
    EXPECT_EQ(std::string::npos, file.find("INSERT INTO big VALUES ('300000',"));
}

TEST_F(ExportTables, MissingChoicesAreReportedAndTheDialogStays) {
    MYSQL* c = m_window->Connection();
    ASSERT_EQ(0, mysql_query(c, "create table t (a int)"));
    ASSERT_EQ(0, mysql_query(c, "create table u (a int)"));
    const std::string path = m_folder + "/nothing.sql";
    std::vector<std::string> titles;
    pm::setCommonDialogHook([&](const pm::CommonDialogRequest& request) {
        titles.push_back(request.title);
        pm::CommonDialogAnswer answer;
        answer.accepted = true;
        answer.paths = {path};
        return answer;
    });
    Run([&](HWND dialog) {
        exportTo(dialog, path);
        HWND tables = GetDlgItem(dialog, IDC_DUMPTABLES), selected = GetDlgItem(dialog, IDC_DUMPSELECTED);
        SendMessage(dialog, WM_COMMAND, IDC_DUMPADDALL, 0);
        SelectListItem(selected, 1);
        SendMessage(dialog, WM_COMMAND, IDC_DUMPREMOVE, 0);
        EXPECT_EQ((std::vector<std::string>{"u"}), ListTexts(tables));
        SendMessage(dialog, WM_COMMAND, IDC_DUMPREMOVEALL, 0);
        EXPECT_EQ((std::vector<std::string>{"t", "u"}), ListTexts(tables));
        EXPECT_EQ(0, ListCount(selected));
        SendMessage(dialog, WM_COMMAND, IDC_DUMPADDALL, 0);
        SendMessage(dialog, WM_COMMAND, IDC_DUMPBROWSE, 0);
        EXPECT_EQ(path, itemText(dialog, IDC_DUMPFILE));
        exportTo(dialog, "");
        CheckDlgButton(dialog, IDC_DUMPDATA, BST_UNCHECKED);
        CheckDlgButton(dialog, IDC_DUMPSTRUCTURE, BST_UNCHECKED);
        exportTo(dialog, path);
        EXPECT_EQ("Some error occured while exporting data", itemText(dialog, IDC_DUMPRESULT));
        // Choosing the database again empties the export list.
        HWND databases = GetDlgItem(dialog, IDC_DUMPDATABASES);
        const int chosen = SelectedListItem(databases);
        SelectListItem(databases, chosen == 0 ? 1 : 0);
        SelectListItem(databases, chosen);
        EXPECT_EQ(0, ListCount(GetDlgItem(dialog, IDC_DUMPSELECTED)));
        EXPECT_EQ(2, ListCount(GetDlgItem(dialog, IDC_DUMPTABLES)));
    });
    pm::setCommonDialogHook(nullptr);
    EXPECT_EQ((std::vector<std::string>{"Save As"}), titles);
    EXPECT_EQ((std::vector<std::string>{"Tessmark: Select atleast one table(s).",
                                        "Tessmark: Please specify a filename."}),
              m_boxes);
    EXPECT_EQ(0u, pm::test::readFile(path).find("-- Tessmark v1.71\r\n"));
}
