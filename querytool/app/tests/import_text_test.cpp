// The text import dialog against the private MariaDB server.

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

class ImportText : public TessmarkTest {
protected:
    void SetUp() override {
        TessmarkTest::SetUp();
        Exec(m_admin, "create table " + m_database +
                          ".t (a int, b varchar(20), c varchar(10) default 'z') "
                          "character set utf8mb4");
        m_window = Connect();
        ASSERT_NE(nullptr, m_window);
        pm::setCommonDialogHook([this](const pm::CommonDialogRequest& request) {
            m_titles.push_back(request.title);
            pm::CommonDialogAnswer answer;
            answer.accepted = true;
            answer.paths = {m_file};
            return answer;
        });
    }
    void TearDown() override {
        pm::setCommonDialogHook(nullptr);
        TessmarkTest::TearDown();
    }
    // Opens the dialog with the test's database and table t chosen.
    void Run(const std::function<void(HWND)>& drive) {
        pm::setDialogHook([&](HWND dialog) {
            pm::test::pumpMessages();
            choose(dialog, IDC_IMPORTDATABASES, m_database);
            choose(dialog, IDC_IMPORTTABLES, "t");
            drive(dialog);
            SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        Command(ID_IMPORTTEXT);
        pm::setDialogHook(nullptr);
    }
    static void choose(HWND dialog, int id, const std::string& name) {
        HWND list = GetDlgItem(dialog, id);
        const std::vector<std::string> names = ListTexts(list);
        const auto found = std::find(names.begin(), names.end(), name);
        ASSERT_NE(names.end(), found) << name;
        SelectListItem(list, static_cast<int>(found - names.begin()));
    }
    static void tick(HWND dialog, int id, bool on = true) {
        CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED);
        SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                    reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    }
    CQueryWindow* m_window = nullptr;
    std::string m_file;
    std::vector<std::string> m_titles;
};

TEST_F(ImportText, ACsvIsImportedWithTheChosenSeparatorsIntoTheTickedColumns) {
    m_file = m_folder + "/my data.csv";
    pm::test::writeFile(m_file, "1;\"caf\xC3\xA9; bar\"\r\n2;back\\slash\r\n3;\"it's\"\r\n");
    Run([&](HWND dialog) {
        HWND columns = GetDlgItem(dialog, IDC_IMPORTCOLUMNS);
        EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), ListTexts(columns));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_IMPORTALL)));
        ListView_SetCheckState(columns, 2, FALSE);
        SendMessage(dialog, WM_COMMAND, IDC_IMPORTBROWSE, 0);
        SetDlgItemText(dialog, IDC_TERMINATEDTEXT, ";");
        tick(dialog, IDC_ENCLOSED);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_ENCLOSEDTEXT)));
        SetDlgItemText(dialog, IDC_ENCLOSEDTEXT, "\"");
        tick(dialog, IDC_OPTIONALLY);
        tick(dialog, IDC_REPLACE);
        tick(dialog, IDC_IGNORE);
        EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(dialog, IDC_REPLACE));
        pm::test::pumpMessages();
        EXPECT_TRUE(
            pm::test::saveWindowPng(dialog, pm::test::outputFolder() + "/tessmark_import_dialog.png"));
        SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ((std::vector<std::string>{"Open File"}), m_titles);
    EXPECT_EQ((std::vector<std::string>{"Tessmark: Records: 3  Deleted: 0  Skipped: 0  Warnings: 0"}),
              m_boxes);
    EXPECT_EQ((std::vector<std::string>{"1|caf\xC3\xA9; bar|z", "2|back\\slash|z", "3|it's|z"}),
              QueryRows(m_admin, "select * from " + m_database + ".t order by a"));
}

TEST_F(ImportText, MissingChoicesAndRefusedStatementsKeepTheDialogOpen) {
    m_file = m_folder + "/missing.csv";
    Run([&](HWND dialog) {
        SendMessage(dialog, WM_COMMAND, IDOK, 0); // no file yet
        SendMessage(dialog, WM_COMMAND, IDC_IMPORTBROWSE, 0);
        SendMessage(dialog, WM_COMMAND, IDOK, 0); // the file does not exist
        char file[1024] = {};
        GetDlgItemText(dialog, IDC_IMPORTFILE, file, sizeof file);
        EXPECT_EQ(m_file, file); // the choices stay for a correction
    });
    ASSERT_EQ(2u, m_boxes.size());
    EXPECT_EQ("Tessmark: Please specify a filename.", m_boxes[0]);
    EXPECT_EQ(0u, m_boxes[1].find("Tessmark: Error Code : ")) << m_boxes[1];
    EXPECT_TRUE(QueryRows(m_admin, "select * from " + m_database + ".t").empty());
}

// The server's own count follows every import: a file whose lines end otherwise than the dialog
// says is one line, skipped as the header, and values the server had to change come with its
// warnings.
TEST_F(ImportText, TheServersCountAndWarningsFollowEveryImport) {
    struct Case {
        const char* name;
        const char* bytes;
        const char* report;
    };
    const Case cases[] = {
        {"line feeds where CR LF was chosen", "a,b\n1,x\n2,y\n",
         "Tessmark: Records: 0  Deleted: 0  Skipped: 0  Warnings: 0"},
        {"a word in a number column", "a,b\r\nabc,x\r\n",
         "Tessmark: Records: 1  Deleted: 0  Skipped: 0  Warnings: 2\n\nWarning 1366: Incorrect integer "
         "value: "
         "'abc' for column `"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_boxes.clear();
        m_file = m_folder + "/lines.csv";
        pm::test::writeFile(m_file, c.bytes);
        Run([&](HWND dialog) {
            SendMessage(dialog, WM_COMMAND, IDC_IMPORTBROWSE, 0);
            tick(dialog, IDC_IGNORELINES);
            SetDlgItemText(dialog, IDC_IGNORELINESTEXT, "1");
            SendMessage(dialog, WM_COMMAND, IDOK, 0);
        });
        ASSERT_EQ(1u, m_boxes.size());
        EXPECT_EQ(0u, m_boxes[0].find(c.report)) << m_boxes[0];
    }
}
