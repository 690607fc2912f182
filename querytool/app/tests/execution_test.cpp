// Running the current statement, the selection, everything and the previous statement: the
// result tabs, the messages and the status bar, and a window that keeps painting meanwhile.

#include "support/tessmark_fixture.h"

#include "querytool/app/query_status_bar.h"
#include "querytool/app/resource_ids.h"
#include "querytool/app/result_grid.h"
#include "querytool/app/result_tabs.h"
#include "querytool/app/sql_editor.h"

#include "platform/win/tests/support/test_windows.h"

#include <algorithm>
#include <chrono>
#include <new>
#include <stdexcept>

class Execution : public TessmarkTest {
protected:
    void SetUp() override {
        TessmarkTest::SetUp();
        m_window = Connect();
        ASSERT_NE(nullptr, m_window);
    }
    std::string status(int part) { return m_window->StatusBar()->PartText(part); }
    CHARRANGE Selection() { return m_window->Editor()->Selection(); }
    // The editor's client point at the left of the character.
    POINT charPosition(long index) {
        const LRESULT at =
            SendMessage(m_window->Editor()->Window(), EM_POSFROMCHAR, static_cast<WPARAM>(index), 0);
        return POINT{GET_X_LPARAM(at) + 1, GET_Y_LPARAM(at) + 3};
    }
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

// A selection made with the keys or the mouse holds the editor's own line breaks (CR). It runs
// every statement as Shift+F5 runs the whole text: past "#" and "--" comments, through a DELIMITER
// block and a "----" heading; a piece of only comments is said in the messages.
TEST_F(Execution, ASelectionRunsEveryStatementAsTheWholeTextDoes) {
    const std::string script = "-- header\n"
                               "select 1 as a; # c ; x\n"
                               "select 2 as b; -- two\n"
                               "DELIMITER $$\n"
                               "create procedure p() begin select 3; select 4; end$$\n"
                               "DELIMITER ;\n"
                               "call p();\n"
                               "---- a heading\n"
                               "select 5 as e;\n"
                               "-- trailer";
    SetEditorText(*m_window, script);
    const std::string returned = "(1 row(s) returned)\n\n", comments = "(comments only, not sent)\n\n";
    const std::string expected =
        returned + returned + comments + "(0 row(s) affected)\n\n" + returned + returned + comments;
    const std::vector<std::string> tabs{"Records", "Records", "Records", "Records", "Messages"};
    const std::string dropProcedure = "drop procedure " + m_database + ".p";
    Command(ID_EXECUTEALL);
    EXPECT_EQ(expected, Messages(*m_window));
    EXPECT_EQ(tabs, TabTexts(*m_window));
    Exec(m_admin, dropProcedure);

    HWND editor = m_window->Editor()->Window();
    SetFocus(editor);
    PressKey(VK_HOME, false, true);
    for (int line = 0; line < 9; ++line)
        PressKey(VK_DOWN, true);
    PressKey(VK_END, true);
    ASSERT_EQ(static_cast<LONG>(script.size()), Selection().cpMax);
    PressKey(VK_F5, false, true); // Ctrl+F5
    EXPECT_EQ(expected, Messages(*m_window));
    EXPECT_EQ(tabs, TabTexts(*m_window));
    EXPECT_EQ(" Query batch completed successfully", status(0));
    Exec(m_admin, dropProcedure);

    // Dragged over the second and third lines, then F5: the statement after the comment runs too.
    SetFocus(editor);
    PressKey(VK_HOME, false, true);
    POINT from = charPosition(10), to = charPosition(54);
    pm::test::pressMouse(editor, from);
    pm::test::pumpMessages();
    pm::test::moveMouse(editor, to);
    pm::test::pumpMessages();
    pm::test::releaseMouse(editor, to);
    pm::test::pumpMessages();
    ASSERT_EQ(10, Selection().cpMin);
    ASSERT_EQ(54, Selection().cpMax);
    SetFocus(editor);
    PressKey(VK_F5);
    EXPECT_EQ(returned + returned + comments, Messages(*m_window));
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
    SetEditorText(*m_window, "select sleep(0.5), 'done'");
    HWND editor = m_window->Editor()->Window();
    pm::test::MessageRecorder recorder;
    recorder.watch(editor, "editor");
    recorder.watch(m_window->Tabs()->Grid()->Window(), "grid");
    int turns = 0;
    SetBatchWaitHook([&] {
        if (++turns > 1) return;
        // Covered and uncovered: the editor is invalid again and must be painted while waiting.
        recorder.clear();
        InvalidateRect(editor, nullptr, TRUE);
        pm::test::pressKey(editor, 'X');
    });
    const auto start = std::chrono::steady_clock::now();
    SendMessage(m_app->Frame(), WM_COMMAND, ID_EXECUTECURRENT, 0);
    SetBatchWaitHook(nullptr);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(450));
    // The wait woke for paints and for the end of the work, not every few milliseconds.
    EXPECT_LT(turns, 10);
    // While the statement ran the editor painted; the key stayed queued until the batch ended.
    const std::vector<std::string> trace = recorder.trace({WM_PAINT, WM_KEYDOWN});
    EXPECT_NE(trace.end(), std::find(trace.begin(), trace.end(), "editor:WM_PAINT"));
    EXPECT_EQ(trace.end(), std::find(trace.begin(), trace.end(), "editor:WM_KEYDOWN"));
    EXPECT_EQ("(1 row(s) returned)\n\n", Messages(*m_window));
    recorder.clear();
    pm::test::pumpMessages();
    EXPECT_EQ(std::vector<std::string>{"editor:WM_KEYDOWN"}, recorder.trace({WM_KEYDOWN}));
}

TEST_F(Execution, TheProgramsKeysReachTheCommands) {
    SetEditorText(*m_window, "select 1;\nselect 2, 3");
    HWND editor = m_window->Editor()->Window();
    SetFocus(editor);
    PressKey(VK_F5, true); // Shift+F5: everything
    EXPECT_EQ((std::vector<std::string>{"Records", "Records", "Messages"}), TabTexts(*m_window));
    PressKey('2', false, true); // Ctrl+2: the second tab
    EXPECT_EQ(1, SelectedTab(*m_window));
    EXPECT_EQ(" 1 row(s)", status(2));
    SetFocus(editor);
    PressKey('L', false, true); // Ctrl+L: text mode
    EXPECT_TRUE(m_window->TextMode());
}

// The worker's failures end the batch as errors of the window thread, never the program.
TEST(BatchWorker, WhatTheWorkThrowsComesBackAsTheTextOfAnError) {
    EXPECT_EQ("Out of memory !!!", RunWhilePainting([] { throw std::bad_alloc(); }));
    EXPECT_EQ("lost", RunWhilePainting([] { throw std::runtime_error("lost"); }));
    EXPECT_EQ("", RunWhilePainting([] {}));
}
