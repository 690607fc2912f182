// The message queue: retrieval order, filters, hooks, nested loops with capture, worker threads,
// keyboard translation, timers.

#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <QAbstractEventDispatcher>

#include <atomic>
#include <chrono>
#include <future>
#include <mutex>
#include <thread>

using pm::test::MessageRecorder;
using pm::test::recordingClass;
using Trace = std::vector<std::string>;

namespace {

class Queue : public ::testing::Test {
protected:
    void SetUp() override {
        pm::test::pumpMessages();
        w = CreateWindowEx(0, recordingClass(), "w", WS_POPUP | WS_VISIBLE, 100, 100, 200, 150, nullptr,
                           nullptr, nullptr, nullptr);
        SetFocus(w);
        pm::test::pumpMessages();
    }
    void TearDown() override {
        DestroyWindow(w);
        pm::test::pumpMessages();
    }
    HWND w = nullptr;
};

const std::vector<UINT> kOrder = {WM_USER, WM_PAINT, WM_NCPAINT, WM_ERASEBKGND, WM_TIMER};

} // namespace

TEST_F(Queue, PostedMessagesComeBeforePaintAndPaintBeforeTimers) {
    SetTimer(w, 7, 10, nullptr);
    pm::test::advanceClock(40);
    InvalidateRect(w, nullptr, TRUE);
    RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    PostMessage(w, WM_USER, 0, 0);
    MessageRecorder rec;
    rec.name(w, "w");
    MSG msg;
    for (int i = 0; i < 3 && GetMessage(&msg, nullptr, 0, 0); ++i)
        DispatchMessage(&msg);
    KillTimer(w, 7);
    EXPECT_EQ(rec.trace(kOrder),
              (Trace{"w:WM_USER", "w:WM_PAINT", "w:WM_NCPAINT", "w:WM_ERASEBKGND", "w:WM_TIMER"}));
}

TEST_F(Queue, FiltersAndNoRemove) {
    PostMessage(w, WM_USER + 1, 0, 0);
    PostMessage(nullptr, WM_USER + 2, 0, 0);
    PostMessage(w, WM_USER + 3, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_USER + 3, WM_USER + 3, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 3));
    ASSERT_TRUE(PeekMessage(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 2));
    ASSERT_TRUE(PeekMessage(&msg, w, WM_USER, WM_USER + 10, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
    ASSERT_TRUE(PeekMessage(&msg, w, WM_USER, WM_USER + 10, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 3));
    EXPECT_FALSE(PeekMessage(&msg, w, WM_USER, WM_USER + 10, PM_REMOVE));
}

TEST_F(Queue, PeekWithoutRemovingSeesAQueuedKey) {
    pm::test::pressKey(w, 'K');
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>('K'));
    EXPECT_EQ(msg.hwnd, w);
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_TRUE(GetQueueStatus(QS_KEY) & QS_KEY);
}

TEST_F(Queue, KeysAreTranslatedIntoCharacters) {
    MessageRecorder rec;
    rec.name(w, "w");
    pm::test::pressKey(w, 'A');
    pm::test::pressKey(w, 'A', true);
    pm::test::pressKey(w, VK_RETURN);
    pm::test::pressKey(w, 'C', false, true);
    pm::test::pumpMessages();
    std::vector<WPARAM> chars;
    for (const auto& r : rec.messages())
        if (r.message == WM_CHAR) chars.push_back(r.wParam);
    EXPECT_EQ(chars, (std::vector<WPARAM>{'a', 'A', '\r', 3}));
    auto down = std::find_if(rec.messages().begin(), rec.messages().end(),
                             [](const pm::test::Recorded& r) { return r.message == WM_KEYDOWN; });
    ASSERT_NE(down, rec.messages().end());
    EXPECT_EQ(LOWORD(down->lParam), 1);         // repeat count
    EXPECT_EQ((down->lParam >> 16) & 0xFF, 30); // scan code of A
    auto up = std::find_if(rec.messages().begin(), rec.messages().end(),
                           [](const pm::test::Recorded& r) { return r.message == WM_KEYUP; });
    ASSERT_NE(up, rec.messages().end());
    EXPECT_EQ(static_cast<DWORD>(up->lParam) >> 30, 3u); // previous state and transition bits
}

TEST_F(Queue, TextInputGivesOneCharacterPerCodePoint) {
    MessageRecorder rec;
    rec.name(w, "w");
    pm::test::typeText(w, "é€");
    pm::test::pumpMessages();
    std::vector<WPARAM> chars;
    for (const auto& r : rec.messages())
        if (r.message == WM_CHAR) chars.push_back(r.wParam);
    EXPECT_EQ(chars, (std::vector<WPARAM>{0xE9, 0x20AC}));
}

namespace {
std::vector<WPARAM> hookedKeys;
std::vector<WPARAM> hookedMouse;
HHOOK keyHook = nullptr;
HHOOK mouseHook = nullptr;

LRESULT CALLBACK keyboardHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        hookedKeys.push_back(wParam);
        if (wParam == 'X') return 1; // swallowed
    }
    return CallNextHookEx(keyHook, code, wParam, lParam);
}

LRESULT CALLBACK mouseHookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        hookedMouse.push_back(wParam);
        if (wParam == WM_RBUTTONDOWN || wParam == WM_RBUTTONUP) return 1;
    }
    return CallNextHookEx(mouseHook, code, wParam, lParam);
}
} // namespace

TEST_F(Queue, HooksSeeInputWhenItIsRetrievedAndCanSwallowIt) {
    hookedKeys.clear();
    hookedMouse.clear();
    keyHook = SetWindowsHookEx(WH_KEYBOARD, keyboardHook, nullptr, GetCurrentThreadId());
    mouseHook = SetWindowsHookEx(WH_MOUSE, mouseHookProc, nullptr, GetCurrentThreadId());
    pm::test::pressKey(w, 'X');
    pm::test::pressKey(w, 'Y');
    pm::test::click(w, POINT{20, 20}, VK_RBUTTON);
    pm::test::click(w, POINT{30, 30});
    EXPECT_TRUE(hookedKeys.empty()) << "hooks run on retrieval, not when Qt delivers";
    MessageRecorder rec;
    rec.name(w, "w");
    pm::test::pumpMessages();
    UnhookWindowsHookEx(keyHook);
    UnhookWindowsHookEx(mouseHook);
    EXPECT_EQ(hookedKeys, (std::vector<WPARAM>{'X', 'X', 'Y', 'Y'}));
    EXPECT_NE(std::find(hookedMouse.begin(), hookedMouse.end(), WM_LBUTTONDOWN), hookedMouse.end());
    EXPECT_EQ(rec.trace({WM_KEYDOWN, WM_KEYUP, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}),
              (Trace{"w:WM_KEYDOWN", "w:WM_KEYUP", "w:WM_LBUTTONDOWN", "w:WM_LBUTTONUP"}));
}

namespace {
SHORT altStateAtE = 0;

LRESULT CALLBACK altEatingHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == VK_MENU) return 1;
    if (code == HC_ACTION && wParam == 'E' && !(lParam & 0x80000000)) altStateAtE = GetKeyState(VK_MENU);
    return CallNextHookEx(keyHook, code, wParam, lParam);
}
} // namespace

// A menu bar that eats the Alt key's press still sees Alt held when the letter of Alt+E comes.
TEST_F(Queue, AKeyAHookSwallowsStillChangesTheKeyState) {
    keyHook = SetWindowsHookEx(WH_KEYBOARD, altEatingHook, nullptr, GetCurrentThreadId());
    altStateAtE = 0;
    pm::test::holdKey(w, VK_MENU, true);
    pm::test::pressKey(w, 'E');
    pm::test::pumpMessages();
    EXPECT_LT(altStateAtE, 0) << "Alt is held while E goes down";
    pm::test::holdKey(w, VK_MENU, false);
    pm::test::pumpMessages();
    UnhookWindowsHookEx(keyHook);
    EXPECT_GE(GetKeyState(VK_MENU), 0) << "and released after";
}

namespace {
int movesInLoop = 0;
bool loopEnded = false;

LRESULT CALLBACK captureProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_LBUTTONDOWN) {
        SetCapture(hwnd);
        MSG m;
        while (GetCapture() == hwnd && GetMessage(&m, nullptr, 0, 0))
            DispatchMessage(&m);
        loopEnded = true;
        return 0;
    }
    if (msg == WM_MOUSEMOVE && GetCapture() == hwnd) ++movesInLoop;
    if (msg == WM_LBUTTONUP && GetCapture() == hwnd) ReleaseCapture();
    return DefWindowProc(hwnd, msg, wParam, lParam);
}
} // namespace

TEST_F(Queue, NestedLoopWithCaptureEndsOnReleaseCapture) {
    WNDCLASS wc{};
    wc.lpfnWndProc = captureProc;
    wc.lpszClassName = "CaptureLoop";
    RegisterClass(&wc);
    HWND c = CreateWindowEx(0, "CaptureLoop", "", WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, w, nullptr, nullptr,
                            nullptr);
    HWND other = CreateWindowEx(0, recordingClass(), "", WS_CHILD | WS_VISIBLE, 100, 10, 50, 50, w, nullptr,
                                nullptr, nullptr);
    MessageRecorder rec;
    rec.watch(c, "c");
    rec.name(other, "other");
    movesInLoop = 0;
    loopEnded = false;
    pm::test::pressMouse(c, POINT{5, 5});
    pm::test::moveMouse(other, POINT{10, 10}); // over another window: still ours while captured
    pm::test::moveMouse(other, POINT{20, 20});
    pm::test::releaseMouse(other, POINT{20, 20});
    pm::test::pumpMessages();
    EXPECT_TRUE(loopEnded);
    EXPECT_EQ(movesInLoop, 2);
    EXPECT_EQ(GetCapture(), nullptr);
    Trace t = rec.trace({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_CAPTURECHANGED, WM_MOUSEMOVE});
    t.erase(t.begin(), std::find(t.begin(), t.end(), "c:WM_LBUTTONDOWN"));
    EXPECT_EQ(t, (Trace{"c:WM_LBUTTONDOWN", "c:WM_MOUSEMOVE", "c:WM_MOUSEMOVE", "c:WM_LBUTTONUP",
                        "c:WM_CAPTURECHANGED"}));
    auto up = std::find_if(rec.messages().begin(), rec.messages().end(),
                           [](const pm::test::Recorded& r) { return r.message == WM_LBUTTONUP; });
    ASSERT_NE(up, rec.messages().end());
    EXPECT_EQ(GET_X_LPARAM(up->lParam), 110); // in c's client coordinates
}

TEST_F(Queue, WorkerThreadPostWakesAWaitingGetMessage) {
    // The worker posts once the loop is about to block.
    std::promise<void> blocking;
    std::once_flag once;
    auto watch =
        QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                         [&] { std::call_once(once, [&] { blocking.set_value(); }); });
    std::thread worker([this, blocked = blocking.get_future()] {
        blocked.wait();
        PostMessage(w, WM_USER + 9, 42, 0);
    });
    MSG msg{};
    auto start = std::chrono::steady_clock::now();
    while (GetMessage(&msg, nullptr, 0, 0) && msg.message != WM_USER + 9)
        DispatchMessage(&msg);
    worker.join();
    QObject::disconnect(watch);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 9));
    EXPECT_EQ(msg.wParam, 42u);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST_F(Queue, SendMessageFromAWorkerRunsOnTheWindowsThread) {
    std::atomic<LRESULT> result{-1};
    std::thread worker([this, &result] {
        result = SendMessage(w, WM_GETTEXTLENGTH, 0, 0);
        PostMessage(w, WM_USER + 5, 0, 0);
    });
    MSG msg{};
    while (GetMessage(&msg, nullptr, 0, 0) && msg.message != WM_USER + 5)
        DispatchMessage(&msg);
    worker.join();
    EXPECT_EQ(result.load(), 1); // "w"
}

TEST_F(Queue, QuitEndsGetMessageWithTheExitCode) {
    PostMessage(w, WM_USER, 0, 0);
    PostQuitMessage(3);
    MSG msg;
    EXPECT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
    EXPECT_FALSE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 3u);
}

namespace {
int callbackTicks = 0;
void CALLBACK onTick(HWND, UINT, UINT_PTR, DWORD) {
    ++callbackTicks;
}
} // namespace

TEST_F(Queue, TimersFireOncePerDueAndCallbacksAreCalled) {
    callbackTicks = 0;
    UINT_PTR id = SetTimer(nullptr, 0, 1, onTick); // runs at 10 ms
    ASSERT_NE(id, 0u);
    pm::test::advanceClock(60);
    MSG msg;
    int timers = 0;
    while (PeekMessage(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
        ++timers;
        DispatchMessage(&msg);
    }
    EXPECT_EQ(timers, 1) << "one WM_TIMER per timer at a time";
    EXPECT_EQ(callbackTicks, 1);
    EXPECT_TRUE(KillTimer(nullptr, id));
    EXPECT_FALSE(KillTimer(nullptr, id));
}

TEST_F(Queue, TimersFallDueOnTheClockTestsMoveAndWakeAWaitingLoop) {
    SetTimer(w, 3, 60000, nullptr);
    MSG msg;
    // The clock also runs on by itself, so "early" leaves a second for a busy machine.
    pm::test::advanceClock(59000);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) << "a second early";
    pm::test::advanceClock(1000);
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
    pm::test::advanceClock(60000 * 3);
    EXPECT_TRUE(PeekMessage(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_FALSE(PeekMessage(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) << "three periods late, due once";
    KillTimer(w, 3);
    // A loop waiting for nothing but a timer wakes when it falls due.
    SetTimer(w, 4, 10, nullptr);
    while (GetMessage(&msg, nullptr, 0, 0) && msg.message != WM_TIMER)
        DispatchMessage(&msg);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
    EXPECT_EQ(msg.wParam, 4u);
    KillTimer(w, 4);
}

namespace {
std::vector<WPARAM> commands;
LRESULT CALLBACK commandProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND) commands.push_back(wParam);
    return DefWindowProc(hwnd, msg, wParam, lParam);
}
} // namespace

TEST_F(Queue, AcceleratorsTranslateKeysIntoCommands) {
    ACCEL table[] = {{FVIRTKEY | FCONTROL, 'S', 100}, {FVIRTKEY, VK_F5, 101}, {0, 'q', 102}};
    HACCEL accel = CreateAcceleratorTable(table, 3);
    SetWindowLongPtr(w, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(commandProc));
    commands.clear();
    pm::test::pressKey(w, 'S', false, true);
    pm::test::pressKey(w, 'S');
    pm::test::pressKey(w, VK_F5);
    pm::test::pressKey(w, 'Q');
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (TranslateAccelerator(w, accel, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    EXPECT_EQ(commands, (std::vector<WPARAM>{MAKEWPARAM(100, 1), MAKEWPARAM(101, 1), MAKEWPARAM(102, 1)}));
    EXPECT_EQ(CopyAcceleratorTable(accel, nullptr, 0), 3);
    DestroyAcceleratorTable(accel);
}

TEST_F(Queue, MsgWaitForMultipleObjectsWaitsForMessagesOrTime) {
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, 30, QS_ALLINPUT),
              static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(29));
    PostMessage(w, WM_USER, 0, 0);
    EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_ALLINPUT),
              static_cast<DWORD>(WAIT_OBJECT_0));
    HANDLE h = reinterpret_cast<HANDLE>(16);
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &h, FALSE, 0, QS_ALLINPUT), WAIT_FAILED)
        << "no waiter for handles yet";
}
