// The object browser of a query window against the private MariaDB server: lazy filling, labels,
// hostile names, refresh keeping the selection, drops and the INSERT template.

#include "support/tessmark_fixture.h"

#include "querytool/app/resource_ids.h"
#include "querytool/app/sql_editor.h"
#include "querytool/app/tools/object_browser.h"
#include "querytool/app/tools/tool_resource_ids.h"

#include "platform/win/commctrl.h"
#include "platform/win/tests/support/test_windows.h"

#include <cstring>

namespace {

const char kHostile[] = "we`ird caf\xC3\xA9";

} // namespace

class ObjectBrowser : public TessmarkTest {
protected:
    void SetUp() override {
        TessmarkTest::SetUp();
        Exec(m_admin, "create table " + m_database +
                          ".`order` (id int primary key, `order date` date, "
                          "note varchar(20) null, unique key two (note, `order date`))");
        Exec(m_admin, "create table " + m_database + ".`we``ird caf\xC3\xA9` (a int) character set utf8mb4");
        m_window = Connect();
        ASSERT_NE(nullptr, m_window);
        m_browser = m_window->ObjectBrowser();
        m_tree = m_browser->GetTree();
    }
    HTREEITEM childOf(HTREEITEM node) {
        return reinterpret_cast<HTREEITEM>(
            SendMessage(m_tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(node)));
    }
    std::vector<std::string> labels(HTREEITEM node) {
        std::vector<std::string> texts;
        for (HTREEITEM item = childOf(node); item;
             item = reinterpret_cast<HTREEITEM>(
                 SendMessage(m_tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item))))
            texts.push_back(m_browser->NodeLabel(item));
        return texts;
    }
    HTREEITEM find(HTREEITEM node, const std::string& label) {
        for (HTREEITEM item = childOf(node); item;
             item = reinterpret_cast<HTREEITEM>(
                 SendMessage(m_tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item))))
            if (m_browser->NodeLabel(item) == label) return item;
        ADD_FAILURE() << "no node " << label;
        return nullptr;
    }
    void expand(HTREEITEM node) {
        SendMessage(m_tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node));
    }
    void select(HTREEITEM node) {
        SendMessage(m_tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node));
    }
    HTREEITEM selected() {
        return reinterpret_cast<HTREEITEM>(SendMessage(m_tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    }
    HTREEITEM root() { return childOf(TVI_ROOT); }
    HTREEITEM database() { return find(root(), m_database); }
    std::string currentDatabase() {
        const std::vector<std::string> rows = QueryRows(m_window->Connection(), "select database()");
        return rows.empty() ? "" : rows[0];
    }

    CQueryWindow* m_window = nullptr;
    CObjectBrowser* m_browser = nullptr;
    HWND m_tree = nullptr;
};

TEST_F(ObjectBrowser, DatabasesTablesColumnsAndIndexesFillOnFirstExpansion) {
    EXPECT_EQ("root@127.0.0.1", m_browser->NodeLabel(root()));
    const std::vector<std::string> databases = labels(root());
    EXPECT_NE(databases.end(), std::find(databases.begin(), databases.end(), "mysql"));
    EXPECT_EQ((std::vector<std::string>{"Dummy Column"}), labels(database()));

    expand(database());
    EXPECT_EQ((std::vector<std::string>{"order", kHostile}), labels(database()));
    HTREEITEM order = find(database(), "order");
    EXPECT_EQ((std::vector<std::string>{"Item"}), labels(order));
    expand(order);
    EXPECT_EQ((std::vector<std::string>{"Columns", "Indexes"}), labels(order));
    EXPECT_EQ((std::vector<std::string>{"id [int(11), NOT NULL]", "order date [date, NULL]",
                                        "note [varchar(20), NULL]"}),
              labels(find(order, "Columns")));
    EXPECT_EQ((std::vector<std::string>{"PRIMARY, id", "two, note", "two, order date"}),
              labels(find(order, "Indexes")));
    HTREEITEM hostile = find(database(), kHostile);
    expand(hostile);
    EXPECT_EQ((std::vector<std::string>{"a [int(11), NULL]"}), labels(find(hostile, "Columns")));
    EXPECT_TRUE(m_boxes.empty()) << m_boxes.front();

    // Expanding another database leaves the session's database alone.
    expand(find(root(), "mysql"));
    EXPECT_EQ(m_database, currentDatabase());

    // Enter on a node expands it; other key releases never reach the tree's own handling.
    HTREEITEM performance = find(root(), "performance_schema");
    select(performance);
    SendMessage(m_tree, WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ((std::vector<std::string>{"Dummy Column"}), labels(performance));
    SendMessage(m_tree, WM_KEYUP, VK_RETURN, 0);
    EXPECT_FALSE(labels(performance).empty());
    EXPECT_NE("Dummy Column", labels(performance).front());

    expand(find(find(root(), "mysql"), "db"));

    // The picture: the system databases folded again, the test's database open down to the columns
    // and indexes of `order`.
    SendMessage(m_tree, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(find(root(), "mysql")));
    SendMessage(m_tree, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(performance));
    expand(find(order, "Columns"));
    expand(find(order, "Indexes"));
    select(find(order, "Columns"));
    pm::test::pumpMessages();
    EXPECT_TRUE(pm::test::saveWindowPng(m_window->Window(),
                                        pm::test::outputFolder() + "/tessmark_object_browser.png"));
}

TEST_F(ObjectBrowser, RefreshComesBackToTheSameFolderAndToTheRootWhenTheDatabaseWent) {
    expand(database());
    HTREEITEM order = find(database(), "order");
    expand(order);
    select(childOf(find(order, "Indexes")));
    Exec(m_admin, "create table " + m_database + ".later (x int)");
    Command(ID_REFRESHBROWSER_KEY);
    HTREEITEM folder = selected();
    EXPECT_EQ("Indexes", m_browser->NodeLabel(folder));
    EXPECT_EQ((std::vector<std::string>{"later", "order", kHostile}), labels(database()));

    select(find(database(), kHostile));
    Command(ID_REFRESHBROWSER);
    EXPECT_EQ(kHostile, m_browser->NodeLabel(selected()));

    Exec(m_admin, "create database " + m_database + "_gone");
    Command(ID_REFRESHBROWSER);
    select(find(root(), m_database + "_gone"));
    Exec(m_admin, "drop database " + m_database + "_gone");
    Command(ID_REFRESHBROWSER);
    EXPECT_EQ(root(), selected());
    EXPECT_TRUE(m_boxes.empty()) << m_boxes.front();
}

TEST_F(ObjectBrowser, DropsAskFirstAndQuoteTheNames) {
    Exec(m_admin, "create table " + m_database + ".`x, mysql.db` (a int)");
    Command(ID_REFRESHBROWSER);
    expand(database());
    select(find(database(), "x, mysql.db"));
    m_boxAnswer = IDNO;
    Command(ID_DROPTABLE);
    EXPECT_EQ(3u, labels(database()).size());
    m_boxAnswer = IDYES;
    Command(ID_DROPTABLE);
    EXPECT_EQ((std::vector<std::string>{"order", kHostile}), labels(database()));
    EXPECT_FALSE(QueryRows(m_admin, "select count(*) from mysql.db").empty());

    Exec(m_admin, "create database `" + m_database + "-x`");
    Command(ID_REFRESHBROWSER);
    select(find(root(), m_database + "-x"));
    Command(ID_DROPDATABASE);
    EXPECT_TRUE(QueryRows(m_admin, "show databases like '" + m_database + "-x'").empty());
    const std::vector<std::string> left = labels(root());
    EXPECT_EQ(left.end(), std::find(left.begin(), left.end(), m_database + "-x"));
    EXPECT_EQ(3u, m_boxes.size()); // the three questions, and no error
}

TEST_F(ObjectBrowser, InsertTemplateNamesEveryColumnWholeAndGoesIntoTheEditor) {
    SetEditorText(*m_window, "");
    expand(database());
    select(find(database(), "order"));
    Command(ID_INSERTSTATEMENT);
    EXPECT_EQ("insert into " + m_database +
                  ".`order` \n\t(id, `order date`, note)\n\tvalues\n\t(id, `order date`, note)",
              m_window->Editor()->GetText());
}

// A right click on a node selects it and opens the context menu with the node's commands enabled;
// the one chosen goes to the query window through the frame.
TEST_F(ObjectBrowser, TheContextMenuOfATableInsertsItsStatement) {
    SetEditorText(*m_window, "");
    expand(database());
    HTREEITEM table = find(database(), "order");
    RECT item{};
    std::memcpy(&item, &table, sizeof table); // the item goes in, its rectangle comes back
    ASSERT_TRUE(SendMessage(m_tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&item)));
    // Up from no item goes to the last one ("New Table", disabled for a table), Up again to "Insert
    // Statement For The Table"; the keys wait in the queue for the menu loop.
    pm::test::pressKey(m_tree, VK_UP);
    pm::test::pressKey(m_tree, VK_UP);
    pm::test::pressKey(m_tree, VK_RETURN);
    SendMessage(m_tree, WM_RBUTTONDOWN, MK_RBUTTON,
                MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2));
    pm::test::pumpMessages();
    EXPECT_EQ(table, selected());
    EXPECT_EQ(0u, m_window->Editor()->GetText().find("insert into " + m_database + ".`order` "));

    // Esc closes the menu and runs nothing.
    SetEditorText(*m_window, "");
    pm::test::pressKey(m_tree, VK_UP);
    pm::test::pressKey(m_tree, VK_UP);
    pm::test::pressKey(m_tree, VK_ESCAPE);
    SendMessage(m_tree, WM_RBUTTONDOWN, MK_RBUTTON,
                MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2));
    pm::test::pumpMessages();
    EXPECT_EQ("", m_window->Editor()->GetText());
}

TEST(InsertTemplate, WrapsOnceALinePassesTheFitLessTen) {
    const std::vector<std::string> columns = {"alpha", "beta", "gamma"};
    // Widths after each column: 13, 19, 26.
    EXPECT_EQ("insert into d.t \n\t(alpha, beta, gamma)\n\tvalues\n\t(alpha, beta, gamma)",
              InsertTemplate("d", "t", columns, 36));
    EXPECT_EQ("insert into d.t \n\t(alpha, beta, gamma\n\t)\n\tvalues\n\t(alpha, beta, gamma\n\t)",
              InsertTemplate("d", "t", columns, 35));
    EXPECT_EQ("insert into d.t \n\t(alpha, \n\tbeta, gamma\n\t)\n\tvalues\n\t(alpha, \n\tbeta, gamma\n\t)",
              InsertTemplate("d", "t", columns, 22));
}

TEST(ObjectBrowserLabels, RootAndColumnLabels) {
    EXPECT_EQ("root@localhost", ServerNodeLabel("", nullptr));
    EXPECT_EQ("ann@db.example", ServerNodeLabel("ann", "db.example"));
    EXPECT_EQ("a [int, NULL]", ColumnNodeLabel("a", "int", "YES"));
    EXPECT_EQ("a [int, NOT NULL]", ColumnNodeLabel("a", "int", "NO"));
    EXPECT_EQ("a [int, NOT NULL]", ColumnNodeLabel("a", "int", ""));
}
