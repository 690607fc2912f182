// The result views: the grid over a large stored result, cell texts and widths, the clipboard copy,
// the text view with its find, and pictures of the main window.

#include "support/tessmark_fixture.h"

#include "querytool/app/app_globals.h"
#include "querytool/app/find_replace.h"
#include "querytool/app/messages_pane.h"
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
    // The width of "EEEEEE" in the grid's font: the room of "(NULL)".
    int sixCapitals() {
        HDC dc = GetDC(grid());
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessage(grid(), WM_GETFONT, 0, 0)));
        SIZE six{};
        GetTextExtentPoint32(dc, "EEEEEE", 6, &six);
        SelectObject(dc, old);
        ReleaseDC(grid(), dc);
        return six.cx;
    }
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
    EXPECT_EQ(sixCapitals() + 20, column(5).cx);
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

// A NULL reads "(NULL)" whatever its column's type; a column of "[BLOB]" and "(NULL)" is as wide as
// what it shows, however long its values.
TEST_F(ResultViews, NullsOfEveryTypeReadNullAndBlobColumnsFitWhatTheyShow) {
    Exec(m_admin, "create table " + m_database + ".t (id int, notes text, photo blob, prefs json)");
    Exec(m_admin, "insert into " + m_database +
                      ".t values (1, repeat('n', 22000), unhex('89504E470D0A1A0A'), '{\"x\":1}'), "
                      "(2, null, null, null)");
    run("select * from t");
    for (int column : {2, 3, 4}) {
        SCOPED_TRACE(column);
        EXPECT_EQ("[BLOB]", cell(grid(), 0, column));
        EXPECT_EQ("(NULL)", cell(grid(), 1, column));
        LVCOLUMNA info{};
        info.mask = LVCF_WIDTH;
        SendMessage(grid(), LVM_GETCOLUMN, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(sixCapitals() + 20, info.cx);
    }
}

// Values with NUL bytes (a PNG in the first row) never end the copy: the clipboard's text cannot
// hold those bytes, so they are left out and every row comes.
TEST_F(ResultViews, ABinaryValueDoesNotCutTheCopiedRows) {
    Exec(m_admin, "create table " + m_database + ".t (id int, photo blob)");
    Exec(m_admin, "insert into " + m_database +
                      ".t values (1, unhex('89504E470D0A1A0A0000000D49484452')), (2, 'b'), (3, 'c')");
    run("select * from t");
    Command(ID_COPYALL);
    const std::string copied = clipboardText(grid());
    EXPECT_EQ(0u, copied.find("1,"));
    EXPECT_EQ(copied.size() - 12, copied.find("\r\n2,b\r\n3,c\r\n")) << copied;
    EXPECT_NE(std::string::npos, copied.find("IHDR"));
}

// The messages of a long batch are all kept, so the error after 2,000 INSERTs shows, and a line
// wider than the pane can be scrolled to its end.
TEST_F(ResultViews, TheMessagesPaneKeepsALongBatchAndScrollsALongLine) {
    Exec(m_admin, "create table " + m_database + ".t (id int primary key)");
    std::string script;
    for (int i = 1; i <= 2000; ++i)
        script += "insert into t values (" + std::to_string(i) + ");\n";
    script += "insert into t values (1);\nselec " + std::string(300, '9') + ";";
    run(script);
    const std::string messages = Messages(*m_window);
    EXPECT_NE(std::string::npos,
              messages.find("(1 row(s) affected)\n\nError Code : 1062\nDuplicate entry '1'"));
    EXPECT_EQ(messages.size() - 2, messages.rfind("at line 1\n\n") + 9);
    HWND pane = m_window->Tabs()->Messages()->Window();
    EXPECT_TRUE(IsWindowVisible(pane));
    SetFocus(pane);
    PressKey(VK_END, false, true);
    pm::test::pumpMessages();
    SCROLLINFO bar{sizeof bar, SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(pane, SB_HORZ, &bar));
    RECT client{};
    GetClientRect(pane, &client);
    EXPECT_GT(bar.nMax - bar.nMin + 1, client.right * 3 / 2);
}

// With a hundred result sets the strip shows its scroll arrows; every tab is reached by the arrows
// and by the strip's own keys once Ctrl+R, pressed again in the shown view, has moved the focus to it.
TEST_F(ResultViews, AHundredResultSetsLeaveEveryTabWithinReach) {
    std::string script;
    for (int i = 1; i <= 100; ++i)
        script += "select " + std::to_string(i) + ";\n";
    run(script);
    HWND tabs = m_window->Tabs()->Window();
    ASSERT_EQ(101, SendMessage(tabs, TCM_GETITEMCOUNT, 0, 0));
    HWND arrows = FindWindowEx(tabs, nullptr, UPDOWN_CLASS, nullptr);
    ASSERT_TRUE(arrows && IsWindowVisible(arrows));
    RECT room{};
    GetWindowRect(arrows, &room);
    MapWindowPoints(nullptr, tabs, reinterpret_cast<POINT*>(&room), 2);
    auto shown = [&](int i) {
        RECT rc{};
        SendMessage(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rc));
        return rc.left >= 0 && rc.right <= room.left;
    };
    SetFocus(m_window->Editor()->Window());
    PressKey('R', false, true);
    EXPECT_EQ(grid(), GetFocus());
    PressKey('R', false, true);
    ASSERT_EQ(tabs, GetFocus());
    for (int i = 1; i <= 100; ++i)
        PressKey(VK_RIGHT);
    EXPECT_EQ(100, SelectedTab(*m_window));
    EXPECT_TRUE(shown(100));
    EXPECT_EQ(tabs, GetFocus());
    EXPECT_TRUE(IsWindowVisible(m_window->Tabs()->Messages()->Window()));

    const POINT left{(room.right - room.left) / 4, (room.bottom - room.top) / 2};
    for (int i = 0; i < 100; ++i)
        pm::test::click(arrows, left);
    pm::test::pumpMessages();
    EXPECT_TRUE(shown(0));
    EXPECT_EQ(100, SelectedTab(*m_window));
    EXPECT_TRUE(
        pm::test::saveWindowPng(m_app->Frame(), pm::test::outputFolder() + "/tessmark_hundred_tabs.png"));
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
