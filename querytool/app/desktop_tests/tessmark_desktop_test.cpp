// The query tool on a real desktop, against the private MariaDB server: a selection dragged with
// the mouse and run with Ctrl+F5, a hundred result tabs reached by the strip's arrows and keys, and
// an exit by the window manager's close that a Cancel ends.

#include "querytool/app/tests/support/tessmark_fixture.h"

#include "querytool/app/app_globals.h"
#include "querytool/app/result_tabs.h"
#include "querytool/app/sql_editor.h"

#include "platform/win/commctrl.h"
#include "platform/win/desktop_tests/support/desktop_session.h"
#include "platform/win/richedit.h"

#include <string>
#include <vector>

namespace desk = pm::test::desktop;

namespace {

// The program's own loop lets its accelerators and dialogs take a message first; the desktop
// helpers' pump does so through this hook, which turns a message taken so into WM_NULL.
LRESULT CALLBACK programsLoop(int code, WPARAM removed, LPARAM message) {
    auto* msg = reinterpret_cast<MSG*>(message);
    if (code == HC_ACTION && removed == PM_REMOVE && g_appGlobals && TranslateTessmarkMessage(*msg))
        msg->message = WM_NULL;
    return CallNextHookEx(nullptr, code, removed, message);
}

} // namespace

class TessmarkOnTheDesktop : public TessmarkTest {
protected:
    void SetUp() override {
        if (!desk::available()) GTEST_SKIP() << "no desktop fixture (PM_DESKTOP_STATE)";
        m_hook = SetWindowsHookEx(WH_GETMESSAGE, programsLoop, nullptr, GetCurrentThreadId());
        TessmarkTest::SetUp();
        m_window = Connect();
        ASSERT_NE(nullptr, m_window);
        ASSERT_TRUE(desk::pumpUntil([&] { return desk::active(m_app->Frame()); })) << "never activated";
    }
    // The screen point a little right of, and below the top of, the character's left edge.
    POINT charPoint(long index, int right) {
        HWND editor = m_window->Editor()->Window();
        const LRESULT at = SendMessage(editor, EM_POSFROMCHAR, static_cast<WPARAM>(index), 0);
        POINT point{GET_X_LPARAM(at) + right, GET_Y_LPARAM(at) + 4};
        ClientToScreen(editor, &point);
        return point;
    }
    void TearDown() override {
        TessmarkTest::TearDown();
        if (m_hook) UnhookWindowsHookEx(m_hook);
    }
    CQueryWindow* m_window = nullptr;
    HHOOK m_hook = nullptr;
};

TEST_F(TessmarkOnTheDesktop, ASelectionDraggedWithTheMouseRunsEveryStatement) {
    const std::string script = "select 1 as a; # c ; x\n"
                               "select 2 as b;\n"
                               "-- note\n"
                               "DELIMITER $$\n"
                               "create procedure p() begin select 3; end$$\n"
                               "DELIMITER ;\n"
                               "call p();";
    SetEditorText(*m_window, script);
    const long end = static_cast<long>(script.size());
    desk::drag(charPoint(0, 1), charPoint(end - 1, 12));
    ASSERT_TRUE(desk::pumpUntil([&] {
        const CHARRANGE selection = m_window->Editor()->Selection();
        return selection.cpMin == 0 && selection.cpMax == end;
    })) << "the drag selected "
        << m_window->Editor()->Selection().cpMin << " to " << m_window->Editor()->Selection().cpMax;
    desk::keys({"ctrl+F5"});
    const std::vector<std::string> tabs{"Records", "Records", "Records", "Messages"};
    ASSERT_TRUE(desk::pumpUntil([&] { return TabTexts(*m_window) == tabs; }));
    const std::string returned = "(1 row(s) returned)\n\n";
    EXPECT_EQ(returned + returned + "(comments only, not sent)\n\n(0 row(s) affected)\n\n" + returned,
              Messages(*m_window));
    desk::saveScreenPng("tessmark_desktop_selection");
}

TEST_F(TessmarkOnTheDesktop, AHundredResultTabsAreReachedByTheStripsArrowsAndKeys) {
    std::string script;
    for (int i = 1; i <= 100; ++i)
        script += "select " + std::to_string(i) + ";\n";
    SetEditorText(*m_window, script);
    desk::keys({"shift+F5"});
    HWND tabs = m_window->Tabs()->Window();
    ASSERT_TRUE(desk::pumpUntil([&] { return SendMessage(tabs, TCM_GETITEMCOUNT, 0, 0) == 101; }));
    HWND arrows = FindWindowEx(tabs, nullptr, UPDOWN_CLASS, nullptr);
    ASSERT_TRUE(arrows && IsWindowVisible(arrows));
    const RECT arrowsOnScreen = desk::screenRect(arrows);
    RECT room{};
    GetWindowRect(arrows, &room);
    MapWindowPoints(nullptr, tabs, reinterpret_cast<POINT*>(&room), 2);
    auto shown = [&](int i) {
        RECT rc{};
        SendMessage(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rc));
        return rc.left >= 0 && rc.right <= room.left;
    };
    ASSERT_FALSE(shown(100));

    // The right arrow held down scrolls to the last tab.
    const POINT right{arrowsOnScreen.right - 4, (arrowsOnScreen.top + arrowsOnScreen.bottom) / 2};
    desk::xdotool({"mousemove", std::to_string(right.x), std::to_string(right.y), "mousedown", "1"});
    const bool reachedEnd = desk::pumpUntil([&] { return shown(100); }, 20000);
    desk::xdotool({"mouseup", "1"});
    ASSERT_TRUE(reachedEnd);
    EXPECT_FALSE(shown(0));
    EXPECT_EQ(0, SelectedTab(*m_window));

    // From the editor, Ctrl+R twice puts the focus on the strip; its arrow keys select and show tabs.
    desk::click(charPoint(0, 1));
    ASSERT_TRUE(desk::pumpUntil([&] { return GetFocus() == m_window->Editor()->Window(); }));
    desk::keys({"ctrl+r"});
    desk::keys({"ctrl+r"});
    ASSERT_TRUE(desk::pumpUntil([&] { return GetFocus() == tabs; }));
    desk::keys({"Right", "Right", "Right"});
    ASSERT_TRUE(desk::pumpUntil([&] { return SelectedTab(*m_window) == 3; }));
    EXPECT_TRUE(shown(3));
    desk::saveScreenPng("tessmark_desktop_tabs");
}

TEST_F(TessmarkOnTheDesktop, CancelInTheQuestionOfAnExitByTheCloseBoxKeepsEveryWindow) {
    SetEditorText(*m_window, "select 1");
    CQueryWindow* second = Connect();
    ASSERT_NE(nullptr, second);
    SetEditorText(*second, "select 2");
    m_boxAnswer = IDCANCEL;
    desk::keys({"alt+F4"});
    ASSERT_TRUE(desk::pumpUntil([&] { return !m_boxes.empty(); })) << "the window manager's close never came";
    desk::pumpFor(500);
    EXPECT_EQ(1u, m_boxes.size());
    EXPECT_TRUE(IsWindow(m_app->Frame()));
    EXPECT_EQ(2, g_appGlobals->connectionCount);
}
