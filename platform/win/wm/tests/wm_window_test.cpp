// Windows: creation and destruction sequences, handles, Z-order, parents, words and texts.

#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

using pm::test::MessageRecorder;
using pm::test::recordingClass;
using Trace = std::vector<std::string>;

namespace {

const std::vector<UINT> kLifeCycle = {
    WM_GETMINMAXINFO, WM_NCCREATE,   WM_NCCALCSIZE,        WM_CREATE,           WM_SIZE,
    WM_MOVE,          WM_SHOWWINDOW, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_PARENTNOTIFY,
    WM_DESTROY,       WM_NCDESTROY,  WM_ACTIVATEAPP,       WM_NCACTIVATE,       WM_ACTIVATE,
    WM_SETFOCUS,      WM_KILLFOCUS,  WM_NCPAINT,           WM_ERASEBKGND,       WM_PAINT,
    WM_TIMER,         WM_USER};

class Windows : public ::testing::Test {
protected:
    void SetUp() override {
        top = CreateWindowEx(0, recordingClass(), "top", WS_POPUP, 10, 10, 300, 200, nullptr, nullptr,
                             nullptr, nullptr);
    }
    void TearDown() override {
        if (IsWindow(top)) DestroyWindow(top);
        pm::test::pumpMessages();
    }
    HWND child(const char* name, DWORD style = WS_CHILD | WS_VISIBLE, HWND parent = nullptr, int id = 0) {
        return CreateWindowEx(0, recordingClass(), name, style, 0, 0, 50, 40, parent ? parent : top,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }
    HWND top = nullptr;
};

} // namespace

TEST_F(Windows, CreationSequenceOfAVisibleChild) {
    MessageRecorder rec;
    rec.name(top, "parent");
    HWND c = child("c");
    rec.name(c, "c");
    EXPECT_EQ(rec.trace(kLifeCycle), (Trace{"c:WM_NCCREATE", "c:WM_NCCALCSIZE", "c:WM_CREATE", "c:WM_SIZE",
                                            "c:WM_MOVE", "c:WM_SHOWWINDOW", "c:WM_WINDOWPOSCHANGING",
                                            "c:WM_WINDOWPOSCHANGED", "parent:WM_PARENTNOTIFY"}));
}

TEST_F(Windows, TopLevelCreationShowAndActivation) {
    MessageRecorder rec;
    HWND w = CreateWindowEx(0, recordingClass(), "main", WS_OVERLAPPEDWINDOW, 50, 50, 200, 150, nullptr,
                            nullptr, nullptr, nullptr);
    rec.name(w, "w");
    SetActiveWindow(nullptr);
    rec.clear();
    ShowWindow(w, SW_SHOW);
    Trace t = rec.trace(kLifeCycle);
    Trace want{"w:WM_SHOWWINDOW", "w:WM_WINDOWPOSCHANGING", "w:WM_ACTIVATEAPP",     "w:WM_NCACTIVATE",
               "w:WM_ACTIVATE",   "w:WM_SETFOCUS",          "w:WM_WINDOWPOSCHANGED"};
    // The other top-level windows of the program also hear of the application's activation.
    t.erase(std::remove_if(t.begin(), t.end(), [](const std::string& s) { return s[0] == '?'; }), t.end());
    EXPECT_EQ(t, want);
    EXPECT_EQ(GetActiveWindow(), w);
    EXPECT_EQ(GetFocus(), w);
    DestroyWindow(w);
}

TEST_F(Windows, DestroySendsDestroyParentFirstAndNcDestroyChildrenFirst) {
    HWND a = child("a");
    HWND a1 = child("a1", WS_CHILD | WS_VISIBLE, a);
    MessageRecorder rec;
    rec.name(top, "top");
    rec.name(a, "a");
    rec.name(a1, "a1");
    DestroyWindow(a);
    EXPECT_EQ(rec.trace(kLifeCycle),
              (Trace{"top:WM_PARENTNOTIFY", "a:WM_WINDOWPOSCHANGING", "a:WM_WINDOWPOSCHANGED", "a:WM_DESTROY",
                     "a1:WM_DESTROY", "a1:WM_NCDESTROY", "a:WM_NCDESTROY"}));
    EXPECT_FALSE(IsWindow(a));
    EXPECT_FALSE(IsWindow(a1));
    EXPECT_EQ(SendMessage(a, WM_USER, 1, 2), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_FALSE(PostMessage(a, WM_USER, 0, 0));
}

TEST_F(Windows, StaleHandleIsNotReusedForANewWindow) {
    HWND a = child("a");
    DestroyWindow(a);
    HWND b = child("b");
    EXPECT_NE(a, b);
    EXPECT_FALSE(IsWindow(a));
    EXPECT_TRUE(IsWindow(b));
}

TEST_F(Windows, ChildrenGoBelowTheirSiblings) {
    HWND a = child("a"), b = child("b"), c = child("c");
    EXPECT_EQ(GetWindow(top, GW_CHILD), a);
    EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
    EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), c);
    EXPECT_EQ(GetWindow(c, GW_HWNDNEXT), nullptr);
    EXPECT_EQ(GetWindow(c, GW_HWNDFIRST), a);
    EXPECT_EQ(GetWindow(a, GW_HWNDLAST), c);
    SetWindowPos(c, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(top, GW_CHILD), c);
    EXPECT_EQ(GetWindow(c, GW_HWNDNEXT), a);
    SetWindowPos(c, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), c);
    SetWindowPos(a, b, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(top, GW_CHILD), b);
    EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), a);
    EXPECT_EQ(GetWindow(a, GW_HWNDPREV), b);
}

TEST_F(Windows, NewTopLevelWindowsGoOnTopAndTopmostStaysAbove) {
    HWND a =
        CreateWindowEx(0, recordingClass(), "a", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND t = CreateWindowEx(WS_EX_TOPMOST, recordingClass(), "t", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                            nullptr, nullptr);
    HWND b =
        CreateWindowEx(0, recordingClass(), "b", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(GetTopWindow(nullptr), t);
    EXPECT_EQ(GetWindow(t, GW_HWNDNEXT), b);
    EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), a);
    SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(GetWindow(t, GW_HWNDNEXT), a);
    SetWindowPos(t, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_FALSE(GetWindowLong(t, GWL_EXSTYLE) & WS_EX_TOPMOST);
    SetWindowPos(b, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(GetTopWindow(nullptr), b);
    for (HWND h : {a, t, b})
        DestroyWindow(h);
}

// A window made for a topmost owner is topmost too and goes above it; one made for an ordinary
// owner stays ordinary.
TEST_F(Windows, AWindowOwnedByATopmostWindowIsTopmostAboveIt) {
    HWND onTop = CreateWindowEx(WS_EX_TOPMOST, recordingClass(), "on top", WS_POPUP, 0, 0, 10, 10, nullptr,
                                nullptr, nullptr, nullptr);
    HWND plain = CreateWindowEx(0, recordingClass(), "plain", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                nullptr, nullptr);
    HWND overTop = CreateWindowEx(0, recordingClass(), "box", WS_POPUP | WS_CAPTION, 0, 0, 10, 10, onTop,
                                  nullptr, nullptr, nullptr);
    HWND overPlain = CreateWindowEx(0, recordingClass(), "box", WS_POPUP | WS_CAPTION, 0, 0, 10, 10, plain,
                                    nullptr, nullptr, nullptr);
    EXPECT_TRUE(GetWindowLong(overTop, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetTopWindow(nullptr), overTop);
    EXPECT_EQ(GetWindow(overTop, GW_HWNDNEXT), onTop);
    EXPECT_FALSE(GetWindowLong(overPlain, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetWindow(onTop, GW_HWNDNEXT), overPlain);
    for (HWND h : {overTop, overPlain, onTop, plain})
        DestroyWindow(h);
}

TEST_F(Windows, SetParentKeepsVisibilityAndMovesTheWindowInTheTree) {
    HWND a = child("a"), b = child("b");
    HWND moved = child("moved", WS_CHILD | WS_VISIBLE, a);
    EXPECT_EQ(SetParent(moved, b), a);
    EXPECT_EQ(GetParent(moved), b);
    EXPECT_TRUE(GetWindowLong(moved, GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(GetWindow(b, GW_CHILD), moved);
    EXPECT_EQ(GetWindow(a, GW_CHILD), nullptr);
    EXPECT_TRUE(IsChild(top, moved));
    EXPECT_FALSE(IsChild(a, moved));
    EXPECT_EQ(SetParent(b, moved), nullptr); // a window cannot go below its own descendant
}

TEST_F(Windows, WordsStylesTextsAndProperties) {
    HWND c = child("c", WS_CHILD, nullptr, 42);
    EXPECT_EQ(GetDlgCtrlID(c), 42);
    EXPECT_EQ(GetDlgItem(top, 42), c);
    SetWindowLongPtr(c, GWL_USERDATA, 1234);
    EXPECT_EQ(GetWindowLongPtr(c, GWL_USERDATA), 1234);
    MessageRecorder rec;
    rec.name(c, "c");
    SetWindowLong(c, GWL_STYLE, GetWindowLong(c, GWL_STYLE) | WS_BORDER);
    EXPECT_EQ(rec.trace(), (Trace{"c:WM_STYLECHANGING", "c:WM_STYLECHANGED"}));
    EXPECT_TRUE(GetWindowLong(c, GWL_STYLE) & WS_BORDER);
    char text[16];
    SetWindowText(c, "hello world");
    EXPECT_EQ(GetWindowTextLength(c), 11);
    EXPECT_EQ(GetWindowText(c, text, 6), 5);
    EXPECT_STREQ(text, "hello");
    SetProp(c, "Key", reinterpret_cast<HANDLE>(7));
    EXPECT_EQ(GetProp(c, "KEY"), reinterpret_cast<HANDLE>(7));
    EXPECT_EQ(RemoveProp(c, "key"), reinterpret_cast<HANDLE>(7));
    EXPECT_EQ(GetProp(c, "key"), nullptr);
    char cls[32];
    GetClassName(c, cls, sizeof cls);
    EXPECT_STREQ(cls, recordingClass());
    EXPECT_EQ(FindWindowEx(top, nullptr, nullptr, "hello world"), c);
}

TEST_F(Windows, SubclassChainsCallThePreviousProcedure) {
    static WNDPROC previous = nullptr;
    static int seen = 0;
    HWND c = child("c");
    previous = reinterpret_cast<WNDPROC>(SetWindowLongPtr(
        c, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            if (m == WM_USER) ++seen;
            return CallWindowProc(previous, h, m, w, l);
        })));
    MessageRecorder rec;
    rec.name(c, "c");
    SendMessage(c, WM_USER, 0, 0);
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(rec.trace(), (Trace{"c:WM_USER"}));
}

TEST_F(Windows, RectanglesAndMapping) {
    SetWindowPos(top, nullptr, 100, 50, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    HWND c = CreateWindowEx(WS_EX_CLIENTEDGE, recordingClass(), "c", WS_CHILD | WS_VISIBLE, 10, 20, 100, 80,
                            top, nullptr, nullptr, nullptr);
    RECT r;
    GetWindowRect(c, &r);
    EXPECT_EQ(r.left, 110);
    EXPECT_EQ(r.top, 70);
    GetClientRect(c, &r);
    EXPECT_EQ(r.right, 96);
    EXPECT_EQ(r.bottom, 76);
    POINT p{0, 0};
    ClientToScreen(c, &p);
    EXPECT_EQ(p.x, 112);
    EXPECT_EQ(p.y, 72);
    MapWindowPoints(c, top, &p, 1);
    EXPECT_EQ(p.x, 112 + 12);
    EXPECT_EQ(WindowFromPoint(POINT{115, 75}), c);
    EXPECT_EQ(WindowFromPoint(POINT{105, 55}), top);
    EXPECT_EQ(ChildWindowFromPoint(top, POINT{15, 25}), c);
}

TEST_F(Windows, PositionAndVisibilityTraces) {
    struct Case {
        const char* name;
        void (*action)(HWND c);
        Trace want;
    } cases[] = {
        {"move",
         [](HWND c) { SetWindowPos(c, nullptr, 5, 6, 0, 0, SWP_NOSIZE | SWP_NOZORDER); },
         {"c:WM_WINDOWPOSCHANGING", "c:WM_WINDOWPOSCHANGED", "c:WM_MOVE"}},
        {"size",
         [](HWND c) { SetWindowPos(c, nullptr, 0, 0, 70, 60, SWP_NOMOVE | SWP_NOZORDER); },
         {"c:WM_WINDOWPOSCHANGING", "c:WM_NCCALCSIZE", "c:WM_WINDOWPOSCHANGED", "c:WM_SIZE"}},
        {"move and size",
         [](HWND c) { MoveWindow(c, 1, 2, 30, 20, TRUE); },
         {"c:WM_WINDOWPOSCHANGING", "c:WM_NCCALCSIZE", "c:WM_WINDOWPOSCHANGED", "c:WM_MOVE", "c:WM_SIZE"}},
        {"unchanged",
         [](HWND c) { SetWindowPos(c, nullptr, 0, 0, 50, 40, SWP_NOZORDER); },
         {"c:WM_WINDOWPOSCHANGING", "c:WM_WINDOWPOSCHANGED"}},
        {"Z-order",
         [](HWND c) { SetWindowPos(c, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); },
         {"c:WM_WINDOWPOSCHANGING", "c:WM_WINDOWPOSCHANGED"}},
        {"frame changed",
         [](HWND c) {
             SetWindowPos(c, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
         },
         {"c:WM_WINDOWPOSCHANGING", "c:WM_NCCALCSIZE", "c:WM_WINDOWPOSCHANGED"}},
        {"hide",
         [](HWND c) { ShowWindow(c, SW_HIDE); },
         {"c:WM_SHOWWINDOW", "c:WM_WINDOWPOSCHANGING", "c:WM_WINDOWPOSCHANGED"}},
        {"show a shown window",
         [](HWND c) { ShowWindow(c, SW_SHOW); },
         {"c:WM_WINDOWPOSCHANGING", "c:WM_WINDOWPOSCHANGED"}},
        {"maximise",
         [](HWND c) { ShowWindow(c, SW_MAXIMIZE); },
         {"c:WM_GETMINMAXINFO", "c:WM_WINDOWPOSCHANGING", "c:WM_NCCALCSIZE", "c:WM_WINDOWPOSCHANGED",
          "c:WM_SIZE"}},
        {"post, paint, timer",
         [](HWND c) {
             SetTimer(c, 1, 10, nullptr);
             InvalidateRect(c, nullptr, FALSE);
             PostMessage(c, WM_USER, 0, 0);
             pm::test::advanceClock(20);
             MSG m;
             for (int i = 0; i < 3 && GetMessage(&m, nullptr, 0, 0); ++i)
                 DispatchMessage(&m);
             KillTimer(c, 1);
         },
         {"c:WM_USER", "c:WM_PAINT", "c:WM_TIMER"}},
    };
    ShowWindow(top, SW_SHOWNA);
    for (const Case& k : cases) {
        HWND c = child("c");
        pm::test::pumpMessages();
        MessageRecorder rec;
        rec.name(c, "c");
        k.action(c);
        EXPECT_EQ(rec.trace(kLifeCycle), k.want) << k.name;
        DestroyWindow(c);
    }
}

// A child hears WM_CHILDACTIVATE, after WM_WINDOWPOSCHANGED, when it is placed without
// SWP_NOACTIVATE or shown by an activating command, and not otherwise.
TEST_F(Windows, ChildActivationTraces) {
    struct Case {
        const char* name;
        DWORD style;
        void (*action)(HWND c);
        Trace want;
    } cases[] = {
        {"move",
         WS_CHILD | WS_VISIBLE,
         [](HWND c) { SetWindowPos(c, nullptr, 5, 6, 0, 0, SWP_NOSIZE | SWP_NOZORDER); },
         {"c:WM_WINDOWPOSCHANGED", "c:WM_CHILDACTIVATE"}},
        {"to the top",
         WS_CHILD | WS_VISIBLE,
         [](HWND c) { BringWindowToTop(c); },
         {"c:WM_WINDOWPOSCHANGED", "c:WM_CHILDACTIVATE"}},
        {"move without activation",
         WS_CHILD | WS_VISIBLE,
         [](HWND c) { MoveWindow(c, 1, 2, 30, 20, TRUE); },
         {"c:WM_WINDOWPOSCHANGED"}},
        {"hide",
         WS_CHILD | WS_VISIBLE,
         [](HWND c) { SetWindowPos(c, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_HIDEWINDOW); },
         {"c:WM_WINDOWPOSCHANGED"}},
        {"show",
         WS_CHILD,
         [](HWND c) { ShowWindow(c, SW_SHOW); },
         {"c:WM_WINDOWPOSCHANGED", "c:WM_CHILDACTIVATE"}},
        {"show maximised",
         WS_CHILD,
         [](HWND c) { ShowWindow(c, SW_SHOWMAXIMIZED); },
         {"c:WM_WINDOWPOSCHANGED", "c:WM_CHILDACTIVATE"}},
        {"show without activation",
         WS_CHILD,
         [](HWND c) { ShowWindow(c, SW_SHOWNA); },
         {"c:WM_WINDOWPOSCHANGED"}},
        {"show minimised",
         WS_CHILD,
         [](HWND c) { ShowWindow(c, SW_SHOWMINIMIZED); },
         {"c:WM_WINDOWPOSCHANGED"}},
        {"pop-up",
         WS_POPUP | WS_VISIBLE,
         [](HWND c) { SetWindowPos(c, nullptr, 5, 6, 0, 0, SWP_NOSIZE | SWP_NOZORDER); },
         {"c:WM_WINDOWPOSCHANGED"}},
    };
    ShowWindow(top, SW_SHOW);
    for (const Case& k : cases) {
        HWND c = child("c", k.style);
        pm::test::pumpMessages();
        MessageRecorder rec;
        rec.name(c, "c");
        k.action(c);
        EXPECT_EQ(rec.trace({WM_WINDOWPOSCHANGED, WM_CHILDACTIVATE}), k.want) << k.name;
        DestroyWindow(c);
    }
}

TEST_F(Windows, OwnedWindowsAreDestroyedBeforeTheirOwner) {
    HWND owner = CreateWindowEx(0, recordingClass(), "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                nullptr, nullptr);
    HWND owned = CreateWindowEx(0, recordingClass(), "owned", WS_POPUP, 0, 0, 10, 10, owner, nullptr, nullptr,
                                nullptr);
    EXPECT_EQ(GetWindow(owned, GW_OWNER), owner);
    EXPECT_EQ(GetParent(owned), owner);
    MessageRecorder rec;
    rec.name(owner, "owner");
    rec.name(owned, "owned");
    DestroyWindow(owner);
    EXPECT_EQ(rec.trace({WM_DESTROY, WM_NCDESTROY}),
              (Trace{"owned:WM_DESTROY", "owned:WM_NCDESTROY", "owner:WM_DESTROY", "owner:WM_NCDESTROY"}));
    EXPECT_FALSE(IsWindow(owned));
}

TEST_F(Windows, AMaximisedWindowMinimisedComesBackMaximisedAndThenToItsNormalPlace) {
    struct Case {
        const char* name;
        HWND parent;
    } cases[] = {{"top-level", nullptr}, {"child", top}};
    ShowWindow(top, SW_SHOW);
    for (const Case& k : cases) {
        HWND w = CreateWindowEx(0, recordingClass(), k.name, (k.parent ? WS_CHILD : WS_POPUP) | WS_VISIBLE,
                                20, 30, 120, 90, k.parent, nullptr, nullptr, nullptr);
        RECT normal;
        GetWindowRect(w, &normal);
        ShowWindow(w, SW_SHOWMAXIMIZED);
        RECT maximised;
        GetWindowRect(w, &maximised);
        ShowWindow(w, SW_MINIMIZE);
        EXPECT_TRUE(IsIconic(w)) << k.name;
        EXPECT_FALSE(IsZoomed(w)) << k.name;
        WINDOWPLACEMENT placement{};
        GetWindowPlacement(w, &placement);
        EXPECT_EQ(placement.flags & WPF_RESTORETOMAXIMIZED, static_cast<UINT>(WPF_RESTORETOMAXIMIZED))
            << k.name;
        RECT normalInParent = normal; // a child's placement is in its parent's client coordinates
        MapWindowPoints(nullptr, k.parent, reinterpret_cast<POINT*>(&normalInParent), 2);
        EXPECT_TRUE(EqualRect(&placement.rcNormalPosition, &normalInParent)) << k.name;
        ShowWindow(w, SW_RESTORE);
        RECT r;
        GetWindowRect(w, &r);
        EXPECT_TRUE(IsZoomed(w)) << k.name;
        EXPECT_TRUE(EqualRect(&r, &maximised)) << k.name;
        ShowWindow(w, SW_RESTORE);
        GetWindowRect(w, &r);
        EXPECT_FALSE(IsZoomed(w)) << k.name;
        EXPECT_TRUE(EqualRect(&r, &normal)) << k.name;
        DestroyWindow(w);
    }
}
