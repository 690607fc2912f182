// The result views: the grid over a large stored result, cell texts and widths, the clipboard copy,
// the text view with its find, and pictures of the main window.

#include "support/tessmark_fixture.h"

#include "querytool/app/app_globals.h"
#include "querytool/app/find_replace.h"
#include "querytool/app/resource_ids.h"
#include "querytool/app/result_grid.h"
#include "querytool/app/result_tabs.h"
#include "querytool/app/result_text.h"
#include "querytool/app/sql_editor.h"

#include "platform/win/commctrl.h"
#include "platform/win/richedit.h"
#include "platform/win/tests/support/test_windows.h"

namespace {

std::string cell(HWND list, int row, int column) {
    char text[512] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessage(list, LVM_GETITEMTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
}

std::string clipboardText(HWND owner) {
    std::string text;
    if (!OpenClipboard(owner)) return text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

std::string windowText(HWND hwnd) {
    std::string text(static_cast<std::size_t>(GetWindowTextLength(hwnd)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowText(hwnd, &text[0], static_cast<int>(text.size()))));
    return text;
}

} // namespace

class ResultViews : public TessmarkTest {
protected:
    void SetUp() override {
        TessmarkTest::SetUp();
        m_window = Connect();
        ASSERT_NE(nullptr, m_window);
    }
    void run(const std::string& sql) {
        SetEditorText(*m_window, sql);
        Command(ID_EXECUTEALL);
    }
    HWND grid() { return m_window->Tabs()->Grid()->Window(); }
    CQueryWindow* m_window = nullptr;
};

TEST_F(ResultViews, AMillionRowsShowAtOnceAndTheLastRowIsReachedDirectly) {
    run("select seq, concat('row ', seq) as label from seq_1_to_1000000");
    ASSERT_EQ(1000000, SendMessage(grid(), LVM_GETITEMCOUNT, 0, 0));
    EXPECT_EQ("1", cell(grid(), 0, 1));
    EXPECT_EQ("row 1", cell(grid(), 0, 2));
    SendMessage(grid(), LVM_ENSUREVISIBLE, 999999, FALSE);
    pm::test::pumpMessages();
    const LRESULT top = SendMessage(grid(), LVM_GETTOPINDEX, 0, 0);
    const LRESULT perPage = SendMessage(grid(), LVM_GETCOUNTPERPAGE, 0, 0);
    EXPECT_EQ(1000000 - perPage, top);
    EXPECT_EQ("1000000", cell(grid(), 999999, 1));
    EXPECT_EQ("row 1000000", cell(grid(), 999999, 2));
}

TEST_F(ResultViews, CellTextsAlignmentAndColumnWidths) {
    Exec(m_admin, "create table " + m_database +
                      ".t (n int, v varchar(400), b text, z tinyblob, nothing_at_all int, e enum('a'))");
    Exec(m_admin, "insert into " + m_database + ".t values (1, repeat('x', 300), 'blob', 'z', null, 'a')");
    run("select * from t");
    EXPECT_EQ("1", cell(grid(), 0, 1));
    EXPECT_EQ(std::string(255, 'x'), cell(grid(), 0, 2));
    EXPECT_EQ("[BLOB]", cell(grid(), 0, 3));
    EXPECT_EQ("[BLOB]", cell(grid(), 0, 4));
    EXPECT_EQ("(NULL)", cell(grid(), 0, 5));
    auto column = [&](int index) {
        LVCOLUMNA info{};
        info.mask = LVCF_FMT | LVCF_WIDTH;
        SendMessage(grid(), LVM_GETCOLUMN, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
        return info;
    };
    EXPECT_EQ(0, column(0).cx);
    EXPECT_EQ(LVCFMT_RIGHT, column(1).fmt & LVCFMT_JUSTIFYMASK);
    EXPECT_EQ(LVCFMT_LEFT, column(2).fmt & LVCFMT_JUSTIFYMASK);
    EXPECT_EQ(LVCFMT_LEFT, column(3).fmt & LVCFMT_JUSTIFYMASK);
    EXPECT_EQ(LVCFMT_LEFT, column(6).fmt & LVCFMT_JUSTIFYMASK); // an enumeration comes as a string
    // An all-NULL column is six capital Es plus 20 wide, however long its name.
    HDC dc = GetDC(grid());
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessage(grid(), WM_GETFONT, 0, 0)));
    SIZE six{};
    GetTextExtentPoint32(dc, "EEEEEE", 6, &six);
    SelectObject(dc, old);
    ReleaseDC(grid(), dc);
    EXPECT_EQ(six.cx + 20, column(5).cx);
    // A cut at 255 bytes never splits a character.
    run("select concat(repeat('x', 254), 'é') as u");
    EXPECT_EQ(std::string(254, 'x'), cell(grid(), 0, 1));
    // The clipboard gets the whole values.
    run("select * from t");
    Command(ID_COPYALL);
    const std::string copied = clipboardText(grid());
    EXPECT_EQ("1," + std::string(300, 'x') + ",blob,z,(NULL),a\r\n", copied);
}

TEST_F(ResultViews, CopyAllJoinsValuesAndCopySelectedTakesTheRunFromTheMark) {
    run("select 1 as a, null as b union all select 2, 'x' union all select 3, 'y'");
    Command(ID_COPYALL);
    EXPECT_EQ("1,(NULL)\r\n2,x\r\n3,y\r\n", clipboardText(grid()));
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    SendMessage(grid(), LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
    SendMessage(grid(), LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&state));
    SendMessage(grid(), LVM_SETSELECTIONMARK, 0, 1);
    Command(ID_COPYSELECTED);
    EXPECT_EQ("2,x\r\n3,y\r\n", clipboardText(grid()));
}

TEST_F(ResultViews, LeavingATabScrolledDownAndComingBackRestoresTheTopRow) {
    run("select seq from seq_1_to_500; select 1");
    SendMessage(grid(), LVM_ENSUREVISIBLE, 300, FALSE);
    pm::test::pumpMessages();
    const LRESULT top = SendMessage(grid(), LVM_GETTOPINDEX, 0, 0);
    ASSERT_GT(top, 0);
    NMHDR notice{m_window->Tabs()->Window(), IDC_RESULTTABS, static_cast<UINT>(TCN_SELCHANGING)};
    SendMessage(m_window->Window(), WM_NOTIFY, IDC_RESULTTABS, reinterpret_cast<LPARAM>(&notice));
    SendMessage(m_window->Tabs()->Window(), TCM_SETCURSEL, 1, 0);
    notice.code = static_cast<UINT>(TCN_SELCHANGE);
    SendMessage(m_window->Window(), WM_NOTIFY, IDC_RESULTTABS, reinterpret_cast<LPARAM>(&notice));
    EXPECT_EQ(0, SendMessage(grid(), LVM_GETTOPINDEX, 0, 0));
    notice.code = static_cast<UINT>(TCN_SELCHANGING);
    SendMessage(m_window->Window(), WM_NOTIFY, IDC_RESULTTABS, reinterpret_cast<LPARAM>(&notice));
    SendMessage(m_window->Tabs()->Window(), TCM_SETCURSEL, 0, 0);
    notice.code = static_cast<UINT>(TCN_SELCHANGE);
    SendMessage(m_window->Window(), WM_NOTIFY, IDC_RESULTTABS, reinterpret_cast<LPARAM>(&notice));
    EXPECT_EQ(top, SendMessage(grid(), LVM_GETTOPINDEX, 0, 0));
}

TEST_F(ResultViews, TheTextViewShowsTheTableAndFindsInIt) {
    run("select 1 as id, 'ab' as name union all select 2, null union all select 3, 'abcde'");
    Command(ID_TEXTMODE_KEY);
    HWND text = m_window->Tabs()->Text()->Window();
    EXPECT_TRUE(IsWindowVisible(text));
    EXPECT_FALSE(IsWindowVisible(grid()));
    EXPECT_EQ("id      name  \r\n"
              "------  ------\r\n"
              "1       ab    \r\n"
              "2       (NULL)\r\n"
              "3       abcde \r\n",
              windowText(text));
    FINDREPLACEA find{};
    char what[] = "(NULL)";
    find.lpstrFindWhat = what;
    find.Flags = FR_FINDNEXT | FR_DOWN;
    CHARRANGE start{0, 0};
    SendMessage(text, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
    HandleFindReplace(text, find);
    EXPECT_EQ("(NULL)", EditSelectedText(text));
    HandleFindReplace(text, find);
    EXPECT_EQ((std::vector<std::string>{"Find: Cannot find \"(NULL)\""}), m_boxes);
    char replacement[] = "x";
    char missing[] = "nowhere";
    find.lpstrFindWhat = missing;
    find.lpstrReplaceWith = replacement;
    find.Flags = FR_REPLACEALL;
    HandleFindReplace(text, find);
    EXPECT_EQ("Replace: Cannot find \"nowhere\"", m_boxes.back());
    // Back to the grid without reading the result again.
    Command(ID_TEXTMODE_KEY);
    EXPECT_TRUE(IsWindowVisible(grid()));
    EXPECT_EQ("abcde", cell(grid(), 2, 2));
}

TEST_F(ResultViews, PicturesOfTheMainWindow) {
    Exec(m_admin, "create table " + m_database + ".people (id int, name varchar(20), born date)");
    Exec(m_admin, "insert into " + m_database +
                      ".people values (1, 'Ada', '1815-12-10'), (2, 'Grace', '1906-12-09'), (3, null, null)");
    run("select * from people;\nselect count(*) as total from people");
    CQueryWindow* second = Connect();
    ASSERT_NE(nullptr, second);
    SetEditorText(*second, "select id, name from people where id < 3");
    Command(ID_TEXTMODE_KEY);
    Command(ID_EXECUTEALL);
    Command(ID_TILE);
    ASSERT_TRUE(
        pm::test::saveWindowPng(m_app->Frame(), pm::test::outputFolder() + "/tessmark_main_window.png"));
    EXPECT_TRUE(IsWindowVisible(m_window->Tabs()->Grid()->Window()));
    EXPECT_TRUE(IsWindowVisible(second->Tabs()->Text()->Window()));
}
