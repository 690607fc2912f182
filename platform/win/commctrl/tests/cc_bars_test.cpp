// Status bar, progress bar, trackbar and up-down control: their messages, and the notifications
// their parent receives in Win32 order.
#include "platform/win/commctrl.h"
#include "platform/win/windows.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// What the parent received: WM_NOTIFY codes and WM_HSCROLL / WM_VSCROLL / WM_DRAWITEM.
struct Heard {
    UINT msg;
    int code;
    int pos;
};
std::vector<Heard> g_heard;
LRESULT g_notifyAnswer = 0;

LRESULT CALLBACK parentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_NOTIFY: {
        auto* nm = reinterpret_cast<NMHDR*>(lParam);
        int pos = 0;
        if (nm->code == UDN_DELTAPOS) pos = reinterpret_cast<NMUPDOWN*>(lParam)->iPos;
        if (nm->code == NM_CLICK) pos = static_cast<int>(reinterpret_cast<NMMOUSE*>(lParam)->dwItemSpec);
        g_heard.push_back({msg, static_cast<int>(nm->code), pos});
        return g_notifyAnswer;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
        g_heard.push_back({msg, LOWORD(wParam), static_cast<short>(HIWORD(wParam))});
        return 0;
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        g_heard.push_back({msg, static_cast<int>(dis->itemID), static_cast<int>(dis->itemData)});
        return TRUE;
    }
    default:
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

class Bars : public ::testing::Test {
protected:
    void SetUp() override {
        InitCommonControls();
        parent = pm::test::createParent(parentProc, 400, 200, true);
        g_heard.clear();
        g_notifyAnswer = 0;
    }
    void TearDown() override { DestroyWindow(parent); }
    HWND child(const char* cls, DWORD style, int x, int y, int cx, int cy, const char* text = "") {
        return CreateWindowEx(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, parent,
                              reinterpret_cast<HMENU>(7), nullptr, nullptr);
    }
    HWND parent = nullptr;
};

TEST_F(Bars, RegistrationAndVersion) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    EXPECT_TRUE(InitCommonControlsEx(&icc));
    INITCOMMONCONTROLSEX wrong{3, ICC_WIN95_CLASSES};
    EXPECT_FALSE(InitCommonControlsEx(&wrong));
    WNDCLASS wc{};
    for (const char* cls : {STATUSCLASSNAME, PROGRESS_CLASS, TRACKBAR_CLASS, UPDOWN_CLASS}) {
        SCOPED_TRACE(cls);
        EXPECT_TRUE(GetClassInfo(nullptr, cls, &wc));
    }
    DLLVERSIONINFO v{sizeof v, 0, 0, 0, 0};
    ASSERT_EQ(DllGetVersion(&v), S_OK);
    EXPECT_EQ(MAKELONG(v.dwMinorVersion, v.dwMajorVersion), MAKELONG(81, 5));
    DLLVERSIONINFO small{4, 0, 0, 0, 0};
    EXPECT_NE(DllGetVersion(&small), S_OK);
}

TEST_F(Bars, StatusBarPartsTextsAndRectangles) {
    HWND sb = child(STATUSCLASSNAME, SBARS_SIZEGRIP, 0, 0, 0, 0, "Ready");
    RECT rc{}, pc{};
    GetWindowRect(sb, &rc);
    GetClientRect(parent, &pc);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_EQ(rc.bottom, pc.bottom);
    EXPECT_EQ(rc.right - rc.left, pc.right);
    EXPECT_GE(rc.bottom - rc.top, 18);

    int rights[3] = {100, 250, -1};
    ASSERT_TRUE(SendMessage(sb, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(rights)));
    int back[3] = {};
    EXPECT_EQ(SendMessage(sb, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(back)), 3);
    EXPECT_EQ(back[1], 250);
    EXPECT_EQ(back[2], -1);
    EXPECT_FALSE(SendMessage(sb, SB_SETPARTS, 0, reinterpret_cast<LPARAM>(rights)));

    SendMessage(sb, SB_SETTEXT, 1 | SBT_POPOUT, reinterpret_cast<LPARAM>("Line 4"));
    EXPECT_EQ(SendMessage(sb, SB_GETTEXTLENGTH, 1, 0), MAKELONG(6, SBT_POPOUT));
    char text[32] = {};
    EXPECT_EQ(LOWORD(SendMessage(sb, SB_GETTEXT, 1, reinterpret_cast<LPARAM>(text))), 6);
    EXPECT_STREQ(text, "Line 4");
    SendMessage(sb, SB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Ready");
    EXPECT_FALSE(SendMessage(sb, SB_SETTEXT, 3, reinterpret_cast<LPARAM>("x")));

    RECT part{};
    ASSERT_TRUE(SendMessage(sb, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&part)));
    EXPECT_EQ(part.right, 250);
    EXPECT_GT(part.left, 100);
    ASSERT_TRUE(SendMessage(sb, SB_GETRECT, 2, reinterpret_cast<LPARAM>(&part)));
    EXPECT_EQ(part.right, pc.right);
    EXPECT_FALSE(SendMessage(sb, SB_GETRECT, 3, reinterpret_cast<LPARAM>(&part)));

    pm::test::click(sb, POINT{150, 5});
    pm::test::pumpMessages();
    ASSERT_FALSE(g_heard.empty());
    EXPECT_EQ(g_heard.back().code, static_cast<int>(NM_CLICK));
    EXPECT_EQ(g_heard.back().pos, 1);
}

TEST_F(Bars, StatusBarGripSizesTheParent) {
    HWND sb = child(STATUSCLASSNAME, SBARS_SIZEGRIP, 0, 0, 0, 0);
    RECT rc{};
    GetWindowRect(sb, &rc);
    EXPECT_EQ(SendMessage(sb, WM_NCHITTEST, 0, MAKELPARAM(rc.right - 3, rc.bottom - 3)), HTBOTTOMRIGHT);
    EXPECT_EQ(SendMessage(sb, WM_NCHITTEST, 0, MAKELPARAM(rc.left + 3, rc.bottom - 3)), HTCLIENT);
    SendMessage(sb, WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, MAKELPARAM(rc.right - 3, rc.bottom - 3));
    MSG m{};
    ASSERT_TRUE(PeekMessage(&m, parent, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE));
    EXPECT_EQ(m.wParam, static_cast<WPARAM>(HTBOTTOMRIGHT));
    HWND plain = child(STATUSCLASSNAME, 0, 0, 0, 0, 0);
    GetWindowRect(plain, &rc);
    EXPECT_EQ(SendMessage(plain, WM_NCHITTEST, 0, MAKELPARAM(rc.right - 3, rc.bottom - 3)), HTCLIENT);
}

TEST_F(Bars, StatusBarSimpleModeAndOwnerDraw) {
    HWND sb = child(STATUSCLASSNAME, 0, 0, 0, 0, 0);
    SendMessage(sb, SB_SETTEXT, 0 | SBT_OWNERDRAW, 1234);
    EXPECT_EQ(SendMessage(sb, SB_GETTEXT, 0, 0), 1234);
    UpdateWindow(sb);
    ASSERT_EQ(g_heard.size(), 1u);
    EXPECT_EQ(g_heard[0].msg, static_cast<UINT>(WM_DRAWITEM));
    EXPECT_EQ(g_heard[0].pos, 1234);

    g_heard.clear();
    SendMessage(sb, SB_SIMPLE, TRUE, 0);
    SendMessage(sb, SB_SIMPLE, TRUE, 0);
    EXPECT_TRUE(SendMessage(sb, SB_ISSIMPLE, 0, 0));
    ASSERT_EQ(g_heard.size(), 1u);
    EXPECT_EQ(g_heard[0].code, static_cast<int>(SBN_SIMPLEMODECHANGE));
    EXPECT_TRUE(SendMessage(sb, SB_SETTEXT, SB_SIMPLEID, reinterpret_cast<LPARAM>("Menu help")));
}

TEST_F(Bars, ProgressMessages) {
    HWND pb = child(PROGRESS_CLASS, 0, 10, 10, 200, 18);
    struct Step {
        const char* name;
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT result;
        int pos;
    };
    const Step steps[] = {
        {"old range answered", PBM_SETRANGE, 0, MAKELPARAM(0, 50), MAKELONG(0, 100), 0},
        {"set position", PBM_SETPOS, 20, 0, 0, 20},
        {"clamped above", PBM_SETPOS, 80, 0, 20, 50},
        {"delta", PBM_DELTAPOS, static_cast<WPARAM>(-15), 0, 50, 35},
        {"step size", PBM_SETSTEP, 10, 0, 10, 35},
        {"step", PBM_STEPIT, 0, 0, 35, 45},
        {"step past the end starts over", PBM_STEPIT, 0, 0, 45, 5},
        {"32-bit range", PBM_SETRANGE32, 100, 100000, MAKELONG(0, 50), 100},
        {"high end", PBM_GETRANGE, FALSE, 0, 100000, 100},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        EXPECT_EQ(SendMessage(pb, s.msg, s.wParam, s.lParam), s.result);
        EXPECT_EQ(SendMessage(pb, PBM_GETPOS, 0, 0), s.pos);
    }
    PBRANGE r{};
    EXPECT_EQ(SendMessage(pb, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&r)), 100);
    EXPECT_EQ(r.iHigh, 100000);
}

TEST_F(Bars, TrackbarKeysAndMouseReportInOrder) {
    HWND tb = child(TRACKBAR_CLASS, TBS_AUTOTICKS, 10, 10, 220, 40);
    SendMessage(tb, TBM_SETRANGE, TRUE, MAKELPARAM(0, 20));
    SendMessage(tb, TBM_SETPOS, TRUE, 30);
    EXPECT_EQ(SendMessage(tb, TBM_GETPOS, 0, 0), 20);
    SendMessage(tb, TBM_SETPOS, TRUE, 10);
    EXPECT_EQ(SendMessage(tb, TBM_SETPAGESIZE, 0, 5), 20);
    SendMessage(tb, TBM_SETTICFREQ, 5, 0);
    EXPECT_EQ(SendMessage(tb, TBM_GETNUMTICS, 0, 0), 5);
    EXPECT_TRUE(SendMessage(tb, TBM_SETTIC, 0, 7));
    EXPECT_EQ(SendMessage(tb, TBM_GETTIC, 0, 0), 7);

    SetFocus(tb);
    pm::test::pressKey(tb, VK_RIGHT);
    pm::test::pumpMessages();
    EXPECT_EQ(SendMessage(tb, TBM_GETPOS, 0, 0), 11);
    ASSERT_EQ(g_heard.size(), 2u);
    EXPECT_EQ(g_heard[0].code, TB_LINEDOWN);
    EXPECT_EQ(g_heard[1].code, TB_ENDTRACK);
    EXPECT_EQ(g_heard[0].msg, static_cast<UINT>(WM_HSCROLL));

    g_heard.clear();
    RECT thumb{};
    SendMessage(tb, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    POINT from{(thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2};
    RECT channel{};
    SendMessage(tb, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    pm::test::pressMouse(tb, from);
    pm::test::moveMouse(tb, POINT{channel.right + 10, from.y});
    pm::test::releaseMouse(tb, POINT{channel.right + 10, from.y});
    pm::test::pumpMessages();
    EXPECT_EQ(SendMessage(tb, TBM_GETPOS, 0, 0), 20);
    ASSERT_GE(g_heard.size(), 3u);
    EXPECT_EQ(g_heard[0].code, TB_THUMBTRACK);
    EXPECT_EQ(g_heard[g_heard.size() - 2].code, TB_THUMBPOSITION);
    EXPECT_EQ(g_heard[g_heard.size() - 2].pos, 20);
    EXPECT_EQ(g_heard.back().code, TB_ENDTRACK);

    g_heard.clear();
    pm::test::click(tb, POINT{channel.left + 2, from.y});
    pm::test::pumpMessages();
    EXPECT_EQ(SendMessage(tb, TBM_GETPOS, 0, 0), 15);
    ASSERT_EQ(g_heard.size(), 2u);
    EXPECT_EQ(g_heard[0].code, TB_PAGEUP);
}

TEST_F(Bars, UpDownAsksTheParentAndShowsItsBuddy) {
    HWND edit = child("STATIC", 0, 10, 10, 80, 20);
    HWND ud = child(UPDOWN_CLASS, UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY, 0, 0, 16, 20);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessage(ud, UDM_GETBUDDY, 0, 0)), edit);
    EXPECT_EQ(SendMessage(ud, UDM_GETRANGE, 0, 0), MAKELONG(0, 100));
    SendMessage(ud, UDM_SETRANGE32, 0, 5000);
    SendMessage(ud, UDM_SETPOS32, 0, 1999);
    char text[16] = {};
    GetWindowText(edit, text, sizeof text);
    EXPECT_STREQ(text, "1,999");

    RECT rc{};
    GetClientRect(ud, &rc);
    POINT up{rc.right / 2, 2};
    pm::test::click(ud, up);
    pm::test::pumpMessages();
    EXPECT_EQ(SendMessage(ud, UDM_GETPOS32, 0, 0), 2000);
    ASSERT_EQ(g_heard.size(), 3u);
    EXPECT_EQ(g_heard[0].code, static_cast<int>(UDN_DELTAPOS));
    EXPECT_EQ(g_heard[0].pos, 1999);
    EXPECT_EQ(g_heard[1].msg, static_cast<UINT>(WM_VSCROLL));
    EXPECT_EQ(g_heard[1].code, SB_THUMBPOSITION);
    EXPECT_EQ(g_heard[1].pos, 2000);
    EXPECT_EQ(g_heard[2].code, SB_ENDSCROLL);

    g_heard.clear();
    g_notifyAnswer = 1;
    pm::test::click(ud, up);
    pm::test::pumpMessages();
    EXPECT_EQ(SendMessage(ud, UDM_GETPOS32, 0, 0), 2000);
    ASSERT_EQ(g_heard.size(), 2u);
    EXPECT_EQ(g_heard[1].code, SB_ENDSCROLL);

    SetWindowText(edit, "abc");
    BOOL error = FALSE;
    SendMessage(ud, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&error));
    EXPECT_TRUE(error);
    EXPECT_EQ(HIWORD(SendMessage(ud, UDM_GETPOS, 0, 0)), 1);
}

TEST_F(Bars, UpDownTakesTheArrowKeysOfItsBuddy) {
    HWND buddy = child("STATIC", 0, 10, 10, 80, 20);
    HWND ud = child(UPDOWN_CLASS, UDS_SETBUDDYINT | UDS_AUTOBUDDY | UDS_ARROWKEYS, 90, 10, 16, 20);
    SendMessage(ud, UDM_SETRANGE32, 0, 10);
    SendMessage(ud, UDM_SETPOS32, 0, 5);
    SetFocus(buddy);
    pm::test::pressKey(buddy, VK_UP);
    pm::test::pumpMessages();
    EXPECT_EQ(SendMessage(ud, UDM_GETPOS32, 0, 0), 6);
    ASSERT_EQ(g_heard.size(), 3u);
    EXPECT_EQ(g_heard[0].code, static_cast<int>(UDN_DELTAPOS));
    EXPECT_EQ(g_heard[1].code, SB_THUMBPOSITION);
    EXPECT_EQ(g_heard[2].code, SB_ENDSCROLL);
    pm::test::pressKey(buddy, VK_DOWN);
    pm::test::pressKey(buddy, VK_DOWN);
    pm::test::pumpMessages();
    EXPECT_EQ(SendMessage(ud, UDM_GETPOS32, 0, 0), 4);
    char text[8] = {};
    GetWindowText(buddy, text, sizeof text);
    EXPECT_STREQ(text, "4");
}

TEST_F(Bars, UpDownWrapsAtTheEnds) {
    HWND ud = child(UPDOWN_CLASS, UDS_WRAP, 10, 10, 16, 24);
    SendMessage(ud, UDM_SETRANGE, 0, MAKELPARAM(3, 0));
    SendMessage(ud, UDM_SETPOS, 0, MAKELPARAM(3, 0));
    pm::test::click(ud, POINT{8, 2});
    pm::test::pumpMessages();
    EXPECT_EQ(LOWORD(SendMessage(ud, UDM_GETPOS, 0, 0)), 0);
    pm::test::click(ud, POINT{8, 20});
    pm::test::pumpMessages();
    EXPECT_EQ(LOWORD(SendMessage(ud, UDM_GETPOS, 0, 0)), 3);
}

TEST_F(Bars, UpDownAcceleratorsSetTheStep) {
    HWND ud = child(UPDOWN_CLASS, 0, 10, 10, 16, 24);
    SendMessage(ud, UDM_SETRANGE32, 0, 1000);
    SendMessage(ud, UDM_SETPOS32, 0, 10);
    UDACCEL defaults[4] = {};
    EXPECT_EQ(SendMessage(ud, UDM_GETACCEL, 4, reinterpret_cast<LPARAM>(defaults)), 3);
    EXPECT_EQ(defaults[0].nInc, 1u);
    const UDACCEL accels[] = {{3, 50}, {0, 5}};
    EXPECT_FALSE(SendMessage(ud, UDM_SETACCEL, 0, reinterpret_cast<LPARAM>(accels)));
    ASSERT_TRUE(SendMessage(ud, UDM_SETACCEL, 2, reinterpret_cast<LPARAM>(accels)));
    UDACCEL back[2] = {};
    EXPECT_EQ(SendMessage(ud, UDM_GETACCEL, 2, reinterpret_cast<LPARAM>(back)), 2);
    EXPECT_EQ(back[0].nSec, 0u) << "kept in order of time";
    struct Case {
        POINT at;
        int expected;
    };
    const Case cases[] = {{{8, 2}, 15}, {{8, 2}, 20}, {{8, 20}, 15}};
    for (const Case& c : cases) {
        pm::test::click(ud, c.at);
        pm::test::pumpMessages();
        EXPECT_EQ(SendMessage(ud, UDM_GETPOS32, 0, 0), c.expected);
    }
}

} // namespace
