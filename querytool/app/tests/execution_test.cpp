// Running the current statement, the selection, everything and the previous statement: the
// result tabs, the messages and the status bar, and a window that keeps painting meanwhile.

#include "support/tessmark_fixture.h"

#include "querytool/app/query_status_bar.h"
#include "querytool/app/resource_ids.h"
#include "querytool/app/result_grid.h"
#include "querytool/app/result_tabs.h"
#include "querytool/app/sql_editor.h"

#include "platform/win/tests/support/test_windows.h"

#include <chrono>

class Execution : public TessmarkTest {
protected:
    void SetUp() override {
        TessmarkTest::SetUp();
        m_window = Connect();
        ASSERT_NE(nullptr, m_window);
    }
    std::string status(int part) { return m_window->StatusBar()->PartText(part); }
    CQueryWindow* m_window = nullptr;
};

TEST_F(Execution, F5RunsTheStatementAroundTheCaret) {
    const std::string text = "select 1;\nselect 2";
    struct Case {
        long caret;
        const char* messages;
    };
    // Inside the first statement, just after its semicolon, inside the second and at the end.
    const Case cases[] = {{3, "(1 row(s) returned)\n\n"},
                          {9, "(1 row(s) returned)\n\n"},
                          {14, "(1 row(s) returned)\n\n"},
                          {18, "(1 row(s) returned)\n\n"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caret);
        SetEditorText(*m_window, text);
        Select(*m_window, c.caret, c.caret);
        Command(ID_EXECUTECURRENT);
        EXPECT_EQ(c.messages, Messages(*m_window));
        ASSERT_NE(nullptr, m_window->Editor()->LastQuery());
        EXPECT_NE(std::string::npos,
                  m_window->Editor()->LastQuery()->find(c.caret <= 8 ? "select 1" : "select 2"));
    }
    EXPECT_EQ((std::vector<std::string>{"Records", "Messages"}), TabTexts(*m_window));
    EXPECT_EQ(0, SelectedTab(*m_window));
    EXPECT_EQ(" Query batch completed successfully", status(0));
    EXPECT_EQ(" 1 row(s)", status(2));
}

TEST_F(Execution, AllStatementsWithAnErrorEndOnTheMessagesTab) {
    Exec(m_admin, "create table " + m_database + ".t (id int)");
    SetEditorText(*m_window, "select 1; insert into t values (1); selec 2; select * from t where id > 5");
    Command(ID_EXECUTEALL);
    EXPECT_EQ((std::vector<std::string>{"Records", "Records", "Messages"}), TabTexts(*m_window));
    EXPECT_EQ(2, SelectedTab(*m_window));
    const std::string messages = Messages(*m_window);
    EXPECT_EQ(0u, messages.find(
                      "(1 row(s) returned)\n\n(1 row(s) affected)\n\nError Code : 1064\nYou have an error "
                      "in your SQL syntax"));
    EXPECT_NE(std::string::npos, messages.find("\n\n(0 row(s) returned)\n\n"));
    EXPECT_EQ(" Query batch completed with error(s)", status(0));
}

TEST_F(Execution, TheSelectionRunsAloneAndCtrlAltLRunsTheLastPieceAgain) {
    Exec(m_admin, "create table " + m_database + ".t (id int)");
    SetEditorText(*m_window, "insert into t values (1);insert into t values (2);select 9");
    Select(*m_window, 0, 50);
    Command(ID_EXECUTESELECTED);
    EXPECT_EQ("(1 row(s) affected)\n\n(1 row(s) affected)\n\n", Messages(*m_window));
    EXPECT_EQ((std::vector<std::string>{"Messages"}), TabTexts(*m_window));
    Command(ID_PREVIOUSQUERY_KEY);
    EXPECT_EQ("(1 row(s) affected)\n\n", Messages(*m_window));
    EXPECT_EQ((std::vector<std::string>{"2"}),
              QueryRows(m_admin, "select count(*) from " + m_database + ".t where id = 2"));
}

TEST_F(Execution, NothingToRunAndNoPreviousStatement) {
    SetEditorText(*m_window, "  \n\t ");
    Command(ID_EXECUTECURRENT);
    EXPECT_EQ((std::vector<std::string>{"Messages"}), TabTexts(*m_window));
    EXPECT_EQ("", Messages(*m_window));
    EXPECT_EQ(" Query batch completed successfully", status(0));
    m_boxes.clear();
    SetEditorText(*m_window, ";;;");
    Command(ID_EXECUTECURRENT);
    EXPECT_TRUE(TabTexts(*m_window).empty());
    CQueryWindow* fresh = Connect();
    ASSERT_NE(nullptr, fresh);
    Command(ID_PREVIOUSQUERY_KEY);
    EXPECT_EQ((std::vector<std::string>{"Tessmark: Previously no query was executed !!!"}), m_boxes);
}

TEST_F(Execution, ALongStatementLetsTheWindowPaintAndInputWaits) {
    SetEditorText(*m_window, "select sleep(1.5), 'done'");
    HWND editor = m_window->Editor()->Window();
    pm::test::MessageRecorder recorder;
    recorder.watch(editor, "editor");
    recorder.watch(m_window->Tabs()->Grid()->Window(), "grid");
    int turns = 0;
    bool typedDuringRun = false;
    SetBatchWaitHook([&] {
        ++turns;
        if (turns == 20) {
            // Covered and uncovered: the editor is invalid again and must be painted while waiting.
            recorder.clear();
            InvalidateRect(editor, nullptr, TRUE);
            pm::test::pressKey(editor, 'X');
            typedDuringRun = true;
        }
    });
    // The server really sleeps, so the real clock is the subject here: the window waited it out.
    const auto start = std::chrono::steady_clock::now();
    SendMessage(m_app->Frame(), WM_COMMAND, ID_EXECUTECURRENT, 0);
    SetBatchWaitHook(nullptr);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1400));
    ASSERT_TRUE(typedDuringRun);
    // While the statement ran the editor painted; the key stayed queued until the batch ended.
    EXPECT_EQ(std::vector<std::string>{"editor:WM_PAINT"}, recorder.trace({WM_PAINT, WM_KEYDOWN}));
    EXPECT_EQ("(1 row(s) returned)\n\n", Messages(*m_window));
    recorder.clear();
    pm::test::pumpMessages();
    EXPECT_EQ(std::vector<std::string>{"editor:WM_KEYDOWN"}, recorder.trace({WM_KEYDOWN}));
}

TEST_F(Execution, TheProgramsKeysReachTheCommands) {
    SetEditorText(*m_window, "select 1;\nselect 2, 3");
    HWND editor = m_window->Editor()->Window();
    SetFocus(editor);
    auto press = [&](int vk, bool shift, bool control) {
        pm::test::pressKey(editor, vk, shift, control);
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (TranslateTessmarkMessage(msg)) continue;
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    };
    press(VK_F5, true, false); // Shift+F5: everything
    EXPECT_EQ((std::vector<std::string>{"Records", "Records", "Messages"}), TabTexts(*m_window));
    press('2', false, true); // Ctrl+2: the second tab
    EXPECT_EQ(1, SelectedTab(*m_window));
    EXPECT_EQ(" 1 row(s)", status(2));
    SetFocus(editor);
    press('L', false, true); // Ctrl+L: text mode
    EXPECT_TRUE(m_window->TextMode());
}
