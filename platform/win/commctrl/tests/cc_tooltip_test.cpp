// Tooltips: tools and their texts, showing after the initial delay with TTN_GETDISPINFO and
// TTN_SHOW, popping on a click with TTN_POP, and tracking tools placed by the program.
#include "platform/win/commctrl.h"
#include "platform/win/windows.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<int> g_codes;

LRESULT CALLBACK ownerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_NOTIFY) return DefWindowProc(hwnd, msg, wParam, lParam);
    auto* nm = reinterpret_cast<NMHDR*>(lParam);
    g_codes.push_back(static_cast<int>(nm->code));
    if (nm->code == TTN_GETDISPINFO) {
        auto* di = reinterpret_cast<NMTTDISPINFO*>(lParam);
        std::snprintf(di->szText, sizeof di->szText, "Tool %d", static_cast<int>(nm->idFrom));
    }
    return 0;
}

class Tips : public ::testing::Test {
protected:
    void SetUp() override {
        InitCommonControls();
        owner = pm::test::createParent(ownerProc, 300, 200);
        tip = CreateWindowEx(WS_EX_TOPMOST, TOOLTIPS_CLASS, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             0, 0, 0, 0, owner, nullptr, nullptr, nullptr);
        SendMessage(tip, TTM_SETDELAYTIME, TTDT_INITIAL, 10);
        g_codes.clear();
    }
    void TearDown() override {
        DestroyWindow(tip);
        DestroyWindow(owner);
    }
    TOOLINFO tool(UINT_PTR id, RECT rc, const char* text, UINT flags = TTF_SUBCLASS) {
        TOOLINFO ti{};
        ti.cbSize = sizeof ti;
        ti.uFlags = flags;
        ti.hwnd = owner;
        ti.uId = id;
        ti.rect = rc;
        ti.lpszText = const_cast<LPSTR>(text);
        return ti;
    }
    // Pumps until the tip's visibility is `visible` or the clock has moved on `rounds` times 5 ms.
    bool waitShown(bool visible, int rounds = 200) {
        for (int i = 0; i < rounds; ++i) {
            pm::test::pumpMessages();
            if ((IsWindowVisible(tip) != FALSE) == visible) return true;
            pm::test::advanceClock(5);
        }
        return false;
    }
    HWND owner = nullptr, tip = nullptr;
};

TEST_F(Tips, ToolsAndTheirTexts) {
    TOOLINFO a = tool(1, RECT{0, 0, 50, 50}, "Open");
    TOOLINFO b = tool(2, RECT{60, 0, 110, 50}, LPSTR_TEXTCALLBACK);
    ASSERT_TRUE(SendMessage(tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&a)));
    ASSERT_TRUE(SendMessage(tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&b)));
    EXPECT_EQ(SendMessage(tip, TTM_GETTOOLCOUNT, 0, 0), 2);

    a.lpszText = const_cast<LPSTR>("Open a file");
    SendMessage(tip, TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&a));
    char buffer[80] = {};
    TOOLINFO out = tool(1, RECT{}, buffer, 0);
    ASSERT_TRUE(SendMessage(tip, TTM_GETTOOLINFO, 0, reinterpret_cast<LPARAM>(&out)));
    EXPECT_STREQ(buffer, "Open a file");
    EXPECT_EQ(out.uFlags, static_cast<UINT>(TTF_SUBCLASS));

    TTHITTESTINFO hit{owner, POINT{70, 10}, {}};
    hit.ti.cbSize = sizeof(TOOLINFO);
    ASSERT_TRUE(SendMessage(tip, TTM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    EXPECT_EQ(hit.ti.uId, 2u);
    hit.pt = POINT{200, 100};
    EXPECT_FALSE(SendMessage(tip, TTM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));

    RECT moved{200, 100, 250, 150};
    b.rect = moved;
    SendMessage(tip, TTM_NEWTOOLRECT, 0, reinterpret_cast<LPARAM>(&b));
    hit.pt = POINT{210, 110};
    EXPECT_TRUE(SendMessage(tip, TTM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));

    SendMessage(tip, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&a));
    EXPECT_EQ(SendMessage(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_FALSE(SendMessage(tip, TTM_GETTOOLINFO, 0, reinterpret_cast<LPARAM>(&out)));
}

TEST_F(Tips, RestingOnAToolShowsTheTipAndAClickPopsIt) {
    TOOLINFO b = tool(2, RECT{60, 0, 110, 50}, LPSTR_TEXTCALLBACK);
    SendMessage(tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&b));
    pm::test::moveMouse(owner, POINT{70, 20});
    pm::test::moveMouse(owner, POINT{72, 21});
    ASSERT_TRUE(waitShown(true));
    const std::vector<int> shown{static_cast<int>(TTN_GETDISPINFO), static_cast<int>(TTN_SHOW)};
    EXPECT_EQ(g_codes, shown);
    RECT rc{};
    GetWindowRect(tip, &rc);
    EXPECT_GT(rc.right - rc.left, 20);
    EXPECT_GE(rc.top, 100 + 21);
    pm::test::saveWindowPng(tip, pm::test::outputFolder() + "/cc_tooltip.png");

    g_codes.clear();
    pm::test::click(owner, POINT{72, 21});
    pm::test::pumpMessages();
    EXPECT_FALSE(IsWindowVisible(tip));
    EXPECT_EQ(g_codes, std::vector<int>{static_cast<int>(TTN_POP)});
}

TEST_F(Tips, RelayedMovesOutsideEveryToolShowNothing) {
    TOOLINFO a = tool(1, RECT{0, 0, 50, 50}, "Open", 0);
    SendMessage(tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&a));
    pm::test::moveMouse(owner, POINT{150, 150});
    MSG m{owner, WM_MOUSEMOVE, 0, MAKELPARAM(150, 150), 0, {}};
    SendMessage(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
    EXPECT_FALSE(waitShown(true, 20));
    SendMessage(tip, TTM_ACTIVATE, FALSE, 0);
    m.lParam = MAKELPARAM(10, 10);
    SendMessage(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
    EXPECT_FALSE(waitShown(true, 20));
}

TEST_F(Tips, TrackingToolsGoWhereTheProgramSays) {
    TOOLINFO t = tool(5, RECT{}, "Tracking", TTF_TRACK | TTF_ABSOLUTE);
    SendMessage(tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&t));
    SendMessage(tip, TTM_TRACKPOSITION, 0, MAKELPARAM(400, 300));
    SendMessage(tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&t));
    EXPECT_TRUE(IsWindowVisible(tip));
    RECT rc{};
    GetWindowRect(tip, &rc);
    EXPECT_EQ(rc.left, 400);
    EXPECT_EQ(rc.top, 300);
    SendMessage(tip, TTM_TRACKPOSITION, 0, MAKELPARAM(420, 310));
    GetWindowRect(tip, &rc);
    EXPECT_EQ(rc.left, 420);
    SendMessage(tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&t));
    EXPECT_FALSE(IsWindowVisible(tip));
    const std::vector<int> codes{static_cast<int>(TTN_SHOW), static_cast<int>(TTN_SHOW),
                                 static_cast<int>(TTN_POP)};
    EXPECT_EQ(g_codes, codes);
}

} // namespace
