// The table maker driven offscreen: cells typed in the floating editors, flags clicked, the Give
// Name dialog answered, and the table made on the private MariaDB server.

#include "support/tessmark_fixture.h"

#include "querytool/app/tools/object_browser.h"
#include "querytool/app/tools/table_maker_grid.h"
#include "querytool/app/tools/tool_resource_ids.h"

#include "platform/win/commctrl.h"
#include "platform/win/tests/support/test_windows.h"

#include <functional>

namespace {

constexpr int kGridId = 1094, kEditId = 1095, kTypeListId = 1096;

struct Grid {
    HWND list;
    HWND edit;
    HWND types;
    CTableMakerGrid* grid;
};

Grid gridOf(HWND dialog) {
    HWND list = GetDlgItem(dialog, kGridId);
    return {list, GetDlgItem(list, kEditId), GetDlgItem(list, kTypeListId),
            reinterpret_cast<CTableMakerGrid*>(GetWindowLongPtr(list, GWLP_USERDATA))};
}

// Types the text into the open edit box and presses Tab.
void typeAndTab(const Grid& g, const std::string& text) {
    SetWindowText(g.edit, text.c_str());
    SendMessage(g.edit, WM_KEYDOWN, VK_TAB, 0);
    pm::test::pumpMessages();
}

// Picks a type in the open type list as a confirmed choice does.
void chooseType(const Grid& g, const char* type) {
    SendMessage(g.types, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(type));
    SendMessage(g.list, WM_COMMAND, MAKEWPARAM(kTypeListId, CBN_SELENDOK), reinterpret_cast<LPARAM>(g.types));
}

void clickCell(const Grid& g, int row, int column) {
    RECT cell{};
    ListView_GetSubItemRect(g.list, row, column, LVIR_BOUNDS, &cell);
    SendMessage(g.list, WM_LBUTTONDOWN, MK_LBUTTON,
                MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
}

std::string typeListText(const Grid& g) {
    char text[64] = {};
    GetWindowText(g.types, text, sizeof text);
    return text;
}

} // namespace

class TableMaker : public TessmarkTest {
protected:
    void SetUp() override {
        TessmarkTest::SetUp();
        m_window = Connect();
        ASSERT_NE(nullptr, m_window);
        m_browser = m_window->ObjectBrowser();
    }
    HTREEITEM databaseNode() {
        HWND tree = m_browser->GetTree();
        HTREEITEM root = reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
        for (HTREEITEM item = reinterpret_cast<HTREEITEM>(
                 SendMessage(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(root)));
             item; item = reinterpret_cast<HTREEITEM>(
                       SendMessage(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item))))
            if (m_browser->NodeLabel(item) == m_database) return item;
        return nullptr;
    }
    // Opens the table maker on the test's database; `fill` drives the grid, `naming` the Give Name
    // dialog (name and engine; an empty name cancels it).
    void Make(const std::function<void(HWND)>& fill, const std::string& name, const std::string& engine) {
        pm::setDialogHook([&](HWND dialog) {
            pm::test::pumpMessages();
            if (GetDlgItem(dialog, IDC_TABLENAME)) {
                ++m_namings;
                if (name.empty()) return void(SendMessage(dialog, WM_COMMAND, IDCANCEL, 0));
                SetDlgItemText(dialog, IDC_TABLENAME, name.c_str());
                SendDlgItemMessage(dialog, IDC_TABLETYPE, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>(engine.c_str()));
                SendMessage(dialog, WM_COMMAND, IDOK, 0);
                return;
            }
            if (!GetDlgItem(dialog, IDC_CREATETABLE)) return;
            fill(dialog);
            if (IsWindowVisible(dialog)) {
                m_boxAnswer = IDYES;
                SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
            }
        });
        SendMessage(m_browser->GetTree(), TVM_SELECTITEM, TVGN_CARET,
                    reinterpret_cast<LPARAM>(databaseNode()));
        Command(ID_NEWTABLE);
        pm::setDialogHook(nullptr);
    }
    std::vector<std::string> tablesUnderDatabase() {
        HWND tree = m_browser->GetTree();
        std::vector<std::string> names;
        for (HTREEITEM item = reinterpret_cast<HTREEITEM>(
                 SendMessage(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(databaseNode())));
             item; item = reinterpret_cast<HTREEITEM>(
                       SendMessage(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item))))
            names.push_back(m_browser->NodeLabel(item));
        return names;
    }

    CQueryWindow* m_window = nullptr;
    CObjectBrowser* m_browser = nullptr;
    int m_namings = 0;
};

TEST_F(TableMaker, ATableOfFourColumnsIsMadeAndShowsOnceUnderItsDatabase) {
    Exec(m_admin, "create table " + m_database + ".existing (a int)");
    Make(
        [&](HWND dialog) {
            const Grid g = gridOf(dialog);
            ASSERT_NE(nullptr, g.grid);
            EXPECT_TRUE(IsWindowVisible(g.edit));
            typeAndTab(g, "id");
            EXPECT_TRUE(IsWindowVisible(g.types));
            EXPECT_EQ("bigint", typeListText(g)); // a row without a type starts on the first entry
            chooseType(g, "int");
            typeAndTab(g, "11");
            typeAndTab(g, "");
            typeAndTab(g, "name");
            chooseType(g, "varchar");
            typeAndTab(g, "40");
            typeAndTab(g, "it's");
            typeAndTab(g, "price");
            chooseType(g, "decimal");
            typeAndTab(g, "8,2");
            typeAndTab(g, "0.50");
            typeAndTab(g, "note");
            chooseType(g, "text");
            g.grid->TogglePrimaryKey(0);
            for (int column : {9, 8, 10})
                clickCell(g, 0, column); // Unsigned, Not Null, Auto Increment
            clickCell(g, 1, 6);          // Unique
            clickCell(g, 1, 8);          // Not Null
            pm::test::pumpMessages();
            EXPECT_TRUE(
                pm::test::saveWindowPng(dialog, pm::test::outputFolder() + "/tessmark_table_maker.png"));
            SendMessage(dialog, WM_COMMAND, IDC_CREATETABLE, 0);
        },
        "gadgets", "InnoDB");
    EXPECT_EQ((std::vector<std::string>{"Tessmark: Table created successfully."}), m_boxes);
    EXPECT_EQ((std::vector<std::string>{"id|int(11) unsigned|NO|PRI|<NULL>|auto_increment",
                                        "name|varchar(40)|NO|UNI|it's|", "price|decimal(8,2)|YES||0.50|",
                                        "note|text|YES||''|"}),
              QueryRows(m_admin, "show columns from " + m_database + ".gadgets"));
    EXPECT_EQ((std::vector<std::string>{"existing", "gadgets"}), tablesUnderDatabase());
    HWND tree = m_browser->GetTree();
    HTREEITEM chosen = reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    EXPECT_EQ("gadgets", m_browser->NodeLabel(chosen));
}

TEST_F(TableMaker, GridNavigationAndRowsKeepTheEditedCellValid) {
    Make(
        [&](HWND dialog) {
            const Grid g = gridOf(dialog);
            const int rows = static_cast<int>(g.grid->Rows().size());
            ASSERT_GT(rows, 1);
            // Tab from the last row's Default Value cell appends a row and goes on in its name.
            g.grid->OpenCell(rows - 1, CTableMakerGrid::kDefault);
            typeAndTab(g, "x");
            EXPECT_EQ(rows + 1, static_cast<int>(g.grid->Rows().size()));
            EXPECT_EQ(rows, g.grid->CurrentRow());
            EXPECT_EQ(CTableMakerGrid::kName, g.grid->CurrentColumn());

            // Deleting a row above the edited one keeps editing on the same row record.
            g.grid->OpenCell(2, CTableMakerGrid::kName);
            SetWindowText(g.edit, "kept");
            g.grid->DeleteRow(0);
            EXPECT_EQ(1, g.grid->CurrentRow());
            // Deleting the edited row forgets the cell, so nothing lands in another row.
            g.grid->OpenCell(1, CTableMakerGrid::kName);
            SetWindowText(g.edit, "lost");
            g.grid->DeleteRow(1);
            g.grid->CommitCell();
            for (const ColumnRow& row : g.grid->Rows())
                EXPECT_NE("lost", row.name);

            g.grid->TogglePrimaryKey(0);
            g.grid->TogglePrimaryKey(0);
            EXPECT_FALSE(g.grid->Rows()[0].primaryKey);

            // An empty first row sends nothing and shows nothing; the dialog stays.
            SendMessage(dialog, WM_COMMAND, IDC_CREATETABLE, 0);
            EXPECT_TRUE(m_boxes.empty());
            EXPECT_TRUE(IsWindowVisible(dialog));
        },
        "t", "MyISAM");
    EXPECT_EQ(1, m_namings);
    EXPECT_EQ(
        (std::vector<std::string>{"Tessmark: You will lose all the changes.\nYou still want to quit ?"}),
        m_boxes);
    EXPECT_TRUE(QueryRows(m_admin, "show tables from " + m_database).empty());
}

// Typed from the keyboard, Tab and Enter move on to the next cell without entering the cell's text.
TEST_F(TableMaker, TabAndEnterFromTheKeyboardLeaveTheCellsText) {
    Make(
        [&](HWND dialog) {
            const Grid g = gridOf(dialog);
            const auto type = [&](const char* text, int key) {
                pm::test::typeText(g.edit, text);
                pm::test::pressKey(g.edit, key);
                pm::test::pumpMessages();
            };
            type("id", VK_TAB);
            chooseType(g, "int");
            type("11", VK_TAB);
            type("", VK_RETURN);
            type("name", VK_RETURN);
            const ColumnRow& first = g.grid->Rows()[0];
            EXPECT_EQ("id", first.name);
            EXPECT_EQ("11", first.length);
            EXPECT_EQ("", first.defaultValue);
            EXPECT_EQ("name", g.grid->Rows()[1].name);
        },
        "", "");
}

// The grid's context menu, chosen with keys that wait in the queue for its loop: Down once is "Set
// Primary Key", twice "Insert Column"; Up once is "Delete Column".
TEST_F(TableMaker, TheGridsContextMenuInsertsDeletesAndKeysRows) {
    Make(
        [&](HWND dialog) {
            const Grid g = gridOf(dialog);
            const std::size_t rows = g.grid->Rows().size();
            g.grid->OpenCell(0, CTableMakerGrid::kName);
            typeAndTab(g, "first");
            RECT cell{};
            ListView_GetSubItemRect(g.list, 0, CTableMakerGrid::kName, LVIR_BOUNDS, &cell);
            const LPARAM at = MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
            const auto choose = [&](std::initializer_list<int> keys) {
                for (int key : keys)
                    pm::test::pressKey(g.list, key);
                SendMessage(g.list, WM_RBUTTONDOWN, MK_RBUTTON, at);
                pm::test::pumpMessages();
            };
            choose({VK_DOWN, VK_DOWN, VK_RETURN});
            ASSERT_EQ(rows + 1, g.grid->Rows().size());
            EXPECT_EQ("", g.grid->Rows()[0].name);
            EXPECT_EQ("first", g.grid->Rows()[1].name);
            choose({VK_UP, VK_RETURN});
            ASSERT_EQ(rows, g.grid->Rows().size());
            EXPECT_EQ("first", g.grid->Rows()[0].name);
            choose({VK_DOWN, VK_RETURN});
            EXPECT_TRUE(g.grid->Rows()[0].primaryKey);
            choose({VK_DOWN, VK_ESCAPE});
            EXPECT_TRUE(g.grid->Rows()[0].primaryKey);
            EXPECT_EQ(rows, g.grid->Rows().size());
        },
        "", "");
}

TEST_F(TableMaker, ARefusedStatementShowsTheServerErrorAndKeepsTheGrid) {
    Make(
        [&](HWND dialog) {
            const Grid g = gridOf(dialog);
            typeAndTab(g, "a");
            chooseType(g, "int");
            SendMessage(dialog, WM_COMMAND, IDC_CREATETABLE, 0); // ISAM: an engine the server lacks
            EXPECT_EQ("a", g.grid->Rows()[0].name);
            EXPECT_TRUE(IsWindowVisible(dialog));
        },
        "t", "ISAM");
    ASSERT_EQ(2u, m_boxes.size());
    EXPECT_EQ(0u, m_boxes[0].find("Tessmark: Error Code : 1286\n")) << m_boxes[0];
}
