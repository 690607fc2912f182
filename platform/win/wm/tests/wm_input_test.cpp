// Input semantics: activation by clicks, focus changes, double clicks, cursor messages, parent
// notification, key state, message hooks, the caret.

#include "platform/win/tests/support/test_images.h"

#include "platform/win/wm/beeps.h"

#include <gtest/gtest.h>

using pm::test::MessageRecorder;
using pm::test::recordingClass;
using Trace = std::vector<std::string>;

namespace {

class Input : public ::testing::Test {
protected:
    void SetUp() override {
        pm::test::pumpMessages();
        a = CreateWindowEx(0, recordingClass(), "a", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 300, 200,
                           nullptr, nullptr, nullptr, nullptr);
        b = CreateWindowEx(0, recordingClass(), "b", WS_POPUP | WS_CAPTION | WS_VISIBLE, 400, 0, 300, 200,
                           nullptr, nullptr, nullptr, nullptr);
        child = CreateWindowEx(0, recordingClass(), "child", WS_CHILD | WS_VISIBLE, 10, 10, 100, 80, a,
                               nullptr, nullptr, nullptr);
        SetActiveWindow(b);
        pm::test::pumpMessages();
    }
    void TearDown() override {
        DestroyWindow(a);
        DestroyWindow(b);
        pm::test::pumpMessages();
    }
    HWND a = nullptr, b = nullptr, child = nullptr;
};

} // namespace

TEST_F(Input, AClickOnAnInactiveWindowActivatesItThroughMouseActivate) {
    MessageRecorder rec;
    rec.name(a, "a");
    rec.name(b, "b");
    rec.name(child, "child");
    pm::test::click(child, POINT{5, 5});
    pm::test::pumpMessages();
    Trace t = rec.trace({WM_MOUSEACTIVATE, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS,
                         WM_SETCURSOR, WM_PARENTNOTIFY, WM_LBUTTONDOWN, WM_LBUTTONUP});
    t.erase(t.begin(), std::find(t.begin(), t.end(), "child:WM_MOUSEACTIVATE"));
    Trace want{"child:WM_MOUSEACTIVATE", "a:WM_MOUSEACTIVATE", "b:WM_NCACTIVATE",   "b:WM_ACTIVATE",
               "a:WM_NCACTIVATE",        "a:WM_ACTIVATE",      "b:WM_KILLFOCUS",    "a:WM_SETFOCUS",
               "child:WM_SETCURSOR",     "a:WM_SETCURSOR",     "a:WM_PARENTNOTIFY", "child:WM_LBUTTONDOWN"};
    t.resize(std::min(t.size(), want.size()));
    EXPECT_EQ(t, want);
    EXPECT_EQ(GetActiveWindow(), a);
    EXPECT_EQ(GetFocus(), a);
}

TEST_F(Input, AClickOnAChildActivatesItWithinItsParent) {
    SetActiveWindow(a);
    pm::test::pumpMessages();
    MessageRecorder rec;
    rec.name(a, "a");
    rec.name(child, "child");
    pm::test::click(child, POINT{5, 5});
    pm::test::pumpMessages();
    EXPECT_EQ(rec.trace({WM_MOUSEACTIVATE, WM_CHILDACTIVATE, WM_LBUTTONDOWN}),
              (Trace{"child:WM_MOUSEACTIVATE", "a:WM_MOUSEACTIVATE", "child:WM_CHILDACTIVATE",
                     "child:WM_LBUTTONDOWN"}));
}

TEST_F(Input, FocusChangesNameTheOtherWindow) {
    SetFocus(child);
    MessageRecorder rec;
    rec.name(a, "a");
    rec.name(child, "child");
    HWND other = CreateWindowEx(0, recordingClass(), "", WS_CHILD | WS_VISIBLE, 150, 10, 50, 50, a, nullptr,
                                nullptr, nullptr);
    rec.name(other, "other");
    EXPECT_EQ(SetFocus(other), child);
    ASSERT_EQ(rec.messages().size() >= 2, true);
    auto kill = std::find_if(rec.messages().begin(), rec.messages().end(),
                             [](const pm::test::Recorded& r) { return r.message == WM_KILLFOCUS; });
    auto set = std::find_if(rec.messages().begin(), rec.messages().end(),
                            [](const pm::test::Recorded& r) { return r.message == WM_SETFOCUS; });
    ASSERT_NE(kill, rec.messages().end());
    ASSERT_NE(set, rec.messages().end());
    EXPECT_LT(kill, set);
    EXPECT_EQ(kill->hwnd, child);
    EXPECT_EQ(reinterpret_cast<HWND>(kill->wParam), other);
    EXPECT_EQ(reinterpret_cast<HWND>(set->wParam), child);
    EXPECT_EQ(GetFocus(), other);
    EXPECT_EQ(GetActiveWindow(), a) << "focusing a window activates its top-level window";
}

TEST_F(Input, DoubleClicksOnlyForClassesThatAskForThem) {
    WNDCLASS wc{};
    wc.lpfnWndProc = MessageRecorder::recordingProc;
    wc.lpszClassName = "NoDoubleClicks";
    RegisterClass(&wc);
    HWND plain = CreateWindowEx(0, "NoDoubleClicks", "", WS_CHILD | WS_VISIBLE, 150, 10, 50, 50, a, nullptr,
                                nullptr, nullptr);
    SetActiveWindow(a);
    MessageRecorder rec;
    rec.name(child, "child");
    rec.name(plain, "plain");
    pm::test::doubleClick(child, POINT{5, 5});
    pm::test::doubleClick(plain, POINT{5, 5});
    pm::test::pumpMessages();
    EXPECT_EQ(
        rec.trace({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK}),
        (Trace{"child:WM_LBUTTONDOWN", "child:WM_LBUTTONUP", "child:WM_LBUTTONDBLCLK", "child:WM_LBUTTONUP",
               "plain:WM_LBUTTONDOWN", "plain:WM_LBUTTONUP", "plain:WM_LBUTTONDOWN", "plain:WM_LBUTTONUP"}));
}

TEST_F(Input, MouseMessagesCarryClientCoordinatesAndKeyStates) {
    SetActiveWindow(a);
    MessageRecorder rec;
    rec.name(child, "child");
    pm::test::pressMouse(child, POINT{7, 9});
    pm::test::pumpMessages();
    EXPECT_TRUE(GetKeyState(VK_LBUTTON) & 0x8000);
    pm::test::releaseMouse(child, POINT{7, 9});
    pm::test::pumpMessages();
    EXPECT_FALSE(GetKeyState(VK_LBUTTON) & 0x8000);
    auto down = std::find_if(rec.messages().begin(), rec.messages().end(),
                             [](const pm::test::Recorded& r) { return r.message == WM_LBUTTONDOWN; });
    ASSERT_NE(down, rec.messages().end());
    EXPECT_EQ(GET_X_LPARAM(down->lParam), 7);
    EXPECT_EQ(GET_Y_LPARAM(down->lParam), 9);
    EXPECT_EQ(down->wParam & MK_LBUTTON, static_cast<WPARAM>(MK_LBUTTON));
    DWORD pos = GetMessagePos();
    POINT p{7, 9};
    ClientToScreen(child, &p);
    EXPECT_EQ(GET_X_LPARAM(pos), p.x);
    POINT cursor;
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor.y, p.y);
}

namespace {
std::vector<UINT> gotMessages;
std::vector<UINT> sentMessages;
HHOOK getHook = nullptr, callHook = nullptr;
LRESULT CALLBACK getMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        gotMessages.push_back(msg->message);
        if (msg->message == WM_USER + 1) msg->message = WM_USER + 2; // hooks may change the message
    }
    return CallNextHookEx(getHook, code, wParam, lParam);
}
LRESULT CALLBACK callWndProcHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) sentMessages.push_back(reinterpret_cast<CWPSTRUCT*>(lParam)->message);
    return CallNextHookEx(callHook, code, wParam, lParam);
}
} // namespace

TEST_F(Input, GetMessageAndCallWndProcHooks) {
    gotMessages.clear();
    sentMessages.clear();
    getHook = SetWindowsHookEx(WH_GETMESSAGE, getMessageHook, nullptr, GetCurrentThreadId());
    callHook = SetWindowsHookEx(WH_CALLWNDPROC, callWndProcHook, nullptr, GetCurrentThreadId());
    MessageRecorder rec;
    rec.name(a, "a");
    PostMessage(a, WM_USER + 1, 0, 0);
    SendMessage(a, WM_USER + 3, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, a, WM_USER, WM_USER + 5, PM_REMOVE));
    DispatchMessage(&msg);
    UnhookWindowsHookEx(getHook);
    UnhookWindowsHookEx(callHook);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 2));
    EXPECT_EQ(gotMessages, (std::vector<UINT>{WM_USER + 1}));
    EXPECT_EQ(sentMessages, (std::vector<UINT>{WM_USER + 3})) << "dispatched messages do not pass the hook";
    EXPECT_EQ(rec.trace({WM_USER + 2, WM_USER + 3}), (Trace{"a:WM_?", "a:WM_?"}));
}

namespace {
int filtered = 0;
HHOOK filterHook = nullptr;
LRESULT CALLBACK msgFilterHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_DIALOGBOX) {
        ++filtered;
        return 1;
    }
    return CallNextHookEx(filterHook, code, wParam, lParam);
}
} // namespace

TEST_F(Input, MessageFilterHooksAnswerCallMsgFilter) {
    filtered = 0;
    MSG msg{a, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_FALSE(CallMsgFilter(&msg, MSGF_DIALOGBOX));
    filterHook = SetWindowsHookEx(WH_MSGFILTER, msgFilterHook, nullptr, GetCurrentThreadId());
    EXPECT_TRUE(CallMsgFilter(&msg, MSGF_DIALOGBOX));
    EXPECT_FALSE(CallMsgFilter(&msg, MSGF_MENU));
    UnhookWindowsHookEx(filterHook);
    EXPECT_EQ(filtered, 1);
}

TEST_F(Input, CaretBlinksAsAnInvertedRectangle) {
    SetActiveWindow(a);
    ASSERT_TRUE(CreateCaret(child, nullptr, 2, 12));
    SetCaretPos(20, 30);
    QImage before = pm::test::windowImage(child);
    ShowCaret(child);
    QImage shown = pm::test::windowImage(child);
    EXPECT_NE(shown.pixel(20, 30), before.pixel(20, 30));
    EXPECT_EQ(shown.pixel(22, 30), before.pixel(22, 30));
    POINT p;
    GetCaretPos(&p);
    EXPECT_EQ(p.x, 20);
    HideCaret(child);
    EXPECT_EQ(pm::test::windowImage(child), before);
    DestroyCaret();
    EXPECT_FALSE(GetCaretPos(&p));
}

TEST_F(Input, DisabledWindowsGetNoClicks) {
    SetActiveWindow(a);
    EnableWindow(child, FALSE);
    EXPECT_FALSE(IsWindowEnabled(child));
    MessageRecorder rec;
    rec.name(a, "a");
    rec.name(child, "child");
    pm::test::click(child, POINT{5, 5});
    pm::test::pumpMessages();
    Trace t = rec.trace({WM_LBUTTONDOWN});
    EXPECT_EQ(t, (Trace{"a:WM_LBUTTONDOWN"})) << "the click goes to the enabled parent";
}

TEST_F(Input, AClickOnADisabledOwnerBeepsAndBringsItsPopupForward) {
    HWND dialog = CreateWindowEx(0, recordingClass(), "dialog", WS_POPUP | WS_CAPTION | WS_VISIBLE, 50, 250,
                                 100, 80, a, nullptr, nullptr, nullptr);
    EnableWindow(a, FALSE);
    SetActiveWindow(b);
    MessageRecorder rec;
    rec.name(a, "a");
    rec.name(child, "child");
    pm::takeRecordedBeeps();
    pm::test::click(child, POINT{5, 5});
    pm::test::pumpMessages();
    EXPECT_TRUE(rec.trace({WM_LBUTTONDOWN, WM_LBUTTONUP}).empty());
    EXPECT_EQ(pm::takeRecordedBeeps().size(), 1u);
    EXPECT_EQ(GetActiveWindow(), dialog);
    EnableWindow(a, TRUE);
    DestroyWindow(dialog);
}

// A prompt over a modal dialog over the window: both under it are disabled, and a click on the
// window brings the prompt forward, the one that was active last of those it owns.
TEST_F(Input, AClickOnTheWindowUnderNestedModalWindowsBringsTheTopmostForward) {
    HWND dialog = CreateWindowEx(0, recordingClass(), "dialog", WS_POPUP | WS_CAPTION | WS_VISIBLE, 50, 250,
                                 200, 150, a, nullptr, nullptr, nullptr);
    EnableWindow(a, FALSE);
    HWND prompt = CreateWindowEx(0, recordingClass(), "prompt", WS_POPUP | WS_CAPTION | WS_VISIBLE, 80, 280,
                                 100, 80, dialog, nullptr, nullptr, nullptr);
    EnableWindow(dialog, FALSE);
    EXPECT_EQ(GetLastActivePopup(a), prompt);
    SetActiveWindow(b);
    pm::test::click(child, POINT{5, 5});
    pm::test::pumpMessages();
    EXPECT_EQ(GetActiveWindow(), prompt);
    EnableWindow(dialog, TRUE);
    EnableWindow(a, TRUE);
    DestroyWindow(prompt);
    DestroyWindow(dialog);
}
