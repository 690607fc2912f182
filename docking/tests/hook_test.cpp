// The hook chain: several hooks on one window see each message newest first, leave it in any order,
// are all undone when the window goes, and tell the window when the mouse enters and leaves.

#include "docking/CDKHookWnd.h"

#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_seen;
const UINT kProbe = WM_USER + 7;

LRESULT CALLBACK ownProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kProbe) g_seen.push_back("window");
    if (message == WM_HOOK_MOUSEENTER) g_seen.push_back("enter");
    if (message == WM_HOOK_MOUSELEAVE) g_seen.push_back("leave");
    return ::DefWindowProc(hwnd, message, wParam, lParam);
}

class NamedHook : public CDKHookWnd {
public:
    explicit NamedHook(std::string name) : m_name(std::move(name)) {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kProbe) g_seen.push_back(m_name);
        return CDKHookWnd::WindowProc(message, wParam, lParam);
    }

private:
    std::string m_name;
};

class HookChain : public ::testing::Test {
protected:
    void SetUp() override {
        g_seen.clear();
        WNDCLASS wc{};
        wc.lpfnWndProc = ownProc;
        wc.lpszClassName = "HookedWindow";
        wc.hbrBackground = ::GetSysColorBrush(COLOR_WINDOW);
        ::RegisterClass(&wc);
        hwnd = ::CreateWindowEx(0, "HookedWindow", "Hooked", WS_OVERLAPPED | WS_VISIBLE, 50, 50, 200, 150,
                                nullptr, nullptr, nullptr, nullptr);
        window = CWnd::FromHandle(hwnd);
    }
    void TearDown() override {
        if (::IsWindow(hwnd)) ::DestroyWindow(hwnd);
        pm::test::pumpMessages();
    }
    std::vector<std::string> probe() {
        g_seen.clear();
        ::SendMessage(hwnd, kProbe, 0, 0);
        return g_seen;
    }
    HWND hwnd = nullptr;
    CWnd* window = nullptr;
};

} // namespace

TEST_F(HookChain, HooksSeeMessagesNewestFirstAndLeaveInAnyOrder) {
    auto own = ::GetWindowLongPtr(hwnd, GWLP_WNDPROC);
    NamedHook older("older"), newer("newer");
    older.HookWindow(window);
    newer.HookWindow(window);
    EXPECT_EQ(probe(), (std::vector<std::string>{"newer", "older", "window"}));
    older.UnhookWindow();
    EXPECT_FALSE(older.IsHooked());
    EXPECT_EQ(probe(), (std::vector<std::string>{"newer", "window"}));
    newer.UnhookWindow();
    EXPECT_EQ(probe(), std::vector<std::string>{"window"});
    EXPECT_EQ(::GetWindowLongPtr(hwnd, GWLP_WNDPROC), own);
    EXPECT_EQ(CDKHookWnd::FindHook(hwnd), nullptr);
}

TEST_F(HookChain, DestroyingTheWindowUndoesEveryHook) {
    NamedHook first("first"), second("second");
    first.HookWindow(window);
    second.HookWindow(window);
    ::DestroyWindow(hwnd);
    EXPECT_EQ(CDKHookWnd::FindHook(hwnd), nullptr);
    EXPECT_FALSE(first.IsHooked());
    EXPECT_FALSE(second.IsHooked());
}

TEST_F(HookChain, EnteringIsSeenOnAMoveAndLeavingOnTheTimer) {
    NamedHook hook("hook");
    hook.HookWindow(window);
    hook.m_nTimerID = window->SetTimer(5, 20, nullptr);
    g_seen.clear();
    pm::test::moveMouse(hwnd, POINT{40, 40});
    pm::test::pumpMessages();
    pm::test::moveMouse(hwnd, POINT{60, 50});
    pm::test::pumpMessages();
    EXPECT_EQ(g_seen, std::vector<std::string>{"enter"});
    // Outside: the timer notices, once.
    POINT outside{400, 400};
    ::ClientToScreen(hwnd, &outside);
    ::SetCursorPos(outside.x, outside.y);
    for (int i = 0; i < 3; ++i) {
        ::SendMessage(hwnd, WM_TIMER, hook.m_nTimerID, 0);
        pm::test::pumpMessages();
    }
    EXPECT_EQ(g_seen, (std::vector<std::string>{"enter", "leave"}));
}

TEST_F(HookChain, HookingAgainMovesTheHookInsteadOfChainingItToItself) {
    NamedHook hook("hook");
    hook.HookWindow(window);
    hook.HookWindow(window);
    EXPECT_EQ(probe(), (std::vector<std::string>{"hook", "window"}));
    // On to a second window: the first gets its own procedure back and sees the hook no more.
    HWND other = ::CreateWindowEx(0, "HookedWindow", "Other", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                                  nullptr, nullptr);
    auto own = ::GetWindowLongPtr(other, GWLP_WNDPROC);
    hook.HookWindow(CWnd::FromHandle(other));
    EXPECT_EQ(probe(), std::vector<std::string>{"window"});
    EXPECT_EQ(CDKHookWnd::FindHook(hwnd), nullptr);
    g_seen.clear();
    ::SendMessage(other, kProbe, 0, 0);
    EXPECT_EQ(g_seen, (std::vector<std::string>{"hook", "window"}));
    hook.UnhookWindow();
    EXPECT_EQ(::GetWindowLongPtr(other, GWLP_WNDPROC), own);
    ::DestroyWindow(other);
}
