// The creation hook (WH_CBT, HCBT_CREATEWND): it sees each new window before its first message, may
// subclass it there, and may refuse the creation.

#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Seen {
    HHOOK hook = nullptr;
    HWND created = nullptr;
    std::string className;
    int cx = 0;
    bool refuse = false;
    WNDPROC previous = nullptr;
    std::vector<UINT> messages;
};
Seen seen;

LRESULT CALLBACK subclassed(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    seen.messages.push_back(msg);
    return CallWindowProc(seen.previous, hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK onCreate(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && !seen.created) {
        seen.created = reinterpret_cast<HWND>(wParam);
        auto* cbt = reinterpret_cast<CBT_CREATEWND*>(lParam);
        seen.className = cbt->lpcs->lpszClass;
        seen.cx = cbt->lpcs->cx;
        if (seen.refuse) return 1;
        seen.previous = reinterpret_cast<WNDPROC>(
            SetWindowLongPtr(seen.created, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&subclassed)));
    }
    return CallNextHookEx(seen.hook, code, wParam, lParam);
}

class CreationHook : public ::testing::Test {
protected:
    void SetUp() override {
        seen = Seen{};
        seen.hook = SetWindowsHookEx(WH_CBT, &onCreate, nullptr, 0);
    }
    void TearDown() override { UnhookWindowsHookEx(seen.hook); }
};

} // namespace

TEST_F(CreationHook, SubclassesBeforeTheFirstMessage) {
    HWND top = CreateWindowEx(0, "BUTTON", "b", WS_POPUP, 0, 0, 120, 30, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(top);
    EXPECT_EQ(seen.created, top);
    EXPECT_EQ(seen.className, "BUTTON");
    EXPECT_EQ(seen.cx, 120);
    ASSERT_FALSE(seen.messages.empty());
    EXPECT_TRUE(seen.messages.front() == WM_GETMINMAXINFO || seen.messages.front() == WM_NCCREATE);
    EXPECT_NE(std::find(seen.messages.begin(), seen.messages.end(), WM_CREATE), seen.messages.end());
    DestroyWindow(top);
}

TEST_F(CreationHook, ANonzeroAnswerRefusesTheWindow) {
    seen.refuse = true;
    HWND top = CreateWindowEx(0, "STATIC", "s", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(top, nullptr);
    EXPECT_FALSE(IsWindow(seen.created));
}
