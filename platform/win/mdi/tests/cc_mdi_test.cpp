// MDI client: activation order, Ctrl+F6 cycling, maximising with the frame's menu-bar buttons, the
// window list, closing the active child, minimised children along the bottom, tiling and cascading.
#include "platform/win/windows.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr UINT kFirstChild = 50000;
HWND g_client = nullptr;
std::vector<std::string> g_trace;
std::map<HWND, std::string> g_names;
// The title that the MDICREATESTRUCT of the last child created carried (empty: none came).
std::string g_createTitle;
// Children answer WM_MOUSEACTIVATE themselves instead of leaving it to DefMDIChildProc.
bool g_ownMouseActivate = false;

std::string nameOf(HWND h) {
    auto it = g_names.find(h);
    return it == g_names.end() ? "-" : it->second;
}

LRESULT CALLBACK frameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefFrameProc(hwnd, g_client, msg, wParam, lParam);
}

LRESULT CALLBACK childProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    std::string me = nameOf(hwnd);
    switch (msg) {
    case WM_NCCREATE: {
        const auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
        const auto* mcs = static_cast<const MDICREATESTRUCT*>(cs->lpCreateParams);
        g_createTitle = mcs && mcs->szTitle ? mcs->szTitle : "";
        g_names[hwnd] = cs->lpszName;
        break;
    }
    case WM_NCACTIVATE:
        g_trace.push_back(me + ":WM_NCACTIVATE " + std::to_string(wParam ? 1 : 0));
        break;
    case WM_MDIACTIVATE:
        g_trace.push_back(me + ":WM_MDIACTIVATE " + nameOf(reinterpret_cast<HWND>(wParam)) + ">" +
                          nameOf(reinterpret_cast<HWND>(lParam)));
        break;
    case WM_SYSCOMMAND:
        g_trace.push_back(me + ":WM_SYSCOMMAND " + std::to_string(wParam & 0xFFF0));
        break;
    case WM_MOUSEACTIVATE:
        if (g_ownMouseActivate) return MA_ACTIVATE;
        break;
    default:
        break;
    }
    return DefMDIChildProc(hwnd, msg, wParam, lParam);
}

std::string menuText(HMENU menu, int pos) {
    char text[64] = {};
    GetMenuString(menu, static_cast<UINT>(pos), text, sizeof text, MF_BYPOSITION);
    return text;
}

class Mdi : public ::testing::Test {
protected:
    void SetUp() override {
        static bool registered = false;
        if (!registered) {
            WNDCLASS wc{};
            wc.lpfnWndProc = frameProc;
            wc.lpszClassName = "CcMdiFrame";
            RegisterClass(&wc);
            wc.lpfnWndProc = childProc;
            wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
            wc.lpszClassName = "CcMdiChild";
            RegisterClass(&wc);
            registered = true;
        }
        g_trace.clear();
        g_names.clear();
        g_ownMouseActivate = false;
        menu = CreateMenu();
        HMENU file = CreatePopupMenu();
        AppendMenu(file, MF_STRING, 1, "E&xit");
        windowMenu = CreatePopupMenu();
        AppendMenu(windowMenu, MF_STRING, 2, "&Cascade");
        AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
        AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(windowMenu), "&Window");
        frame = CreateWindowEx(0, "CcMdiFrame", "Frame", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME,
                               80, 80, 600, 420, nullptr, menu, nullptr, nullptr);
        CLIENTCREATESTRUCT ccs{windowMenu, kFirstChild};
        RECT rc{};
        GetClientRect(frame, &rc);
        g_client =
            CreateWindowEx(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                           0, rc.right, rc.bottom, frame, reinterpret_cast<HMENU>(1), nullptr, &ccs);
        ShowWindow(frame, SW_SHOW);
        pm::test::pumpMessages();
    }
    void TearDown() override {
        DestroyWindow(frame);
        g_client = nullptr;
        pm::test::pumpMessages();
    }

    HWND create(const char* name, DWORD style = WS_VISIBLE, int x = CW_USEDEFAULT, int y = CW_USEDEFAULT,
                int cx = CW_USEDEFAULT, int cy = CW_USEDEFAULT) {
        MDICREATESTRUCT mcs{"CcMdiChild", name, nullptr, x, y, cx, cy, style, 0};
        return reinterpret_cast<HWND>(SendMessage(g_client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    }
    HWND active(BOOL* maximised = nullptr) {
        return reinterpret_cast<HWND>(
            SendMessage(g_client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(maximised)));
    }
    std::string frameTitle() {
        char text[128] = {};
        GetWindowText(frame, text, sizeof text);
        return text;
    }
    // Replaces the client by one with both scroll bars, as a program asks for them.
    void useScrollingClient() {
        DestroyWindow(g_client);
        RECT rc{};
        GetClientRect(frame, &rc);
        CLIENTCREATESTRUCT ccs{windowMenu, kFirstChild};
        g_client = CreateWindowEx(0, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, 0,
                                  0, rc.right, rc.bottom, frame, reinterpret_cast<HMENU>(1), nullptr, &ccs);
    }
    // Delivers queued messages with the MDI keyboard interface, as a program's loop does.
    void pumpWithAccelerators() {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (TranslateMDISysAccel(g_client, &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
        pm::test::pumpMessages();
    }

    HWND frame = nullptr;
    HMENU menu = nullptr;
    HMENU windowMenu = nullptr;
};

TEST_F(Mdi, CreationPassesTheCreateStructAndNumbersTheChildren) {
    HWND a = create("A");
    ASSERT_TRUE(a);
    EXPECT_EQ(g_createTitle, "A");
    HWND b = create("B");
    EXPECT_EQ(GetWindowLongPtr(a, GWL_ID), static_cast<LONG_PTR>(kFirstChild));
    EXPECT_EQ(GetWindowLongPtr(b, GWL_ID), static_cast<LONG_PTR>(kFirstChild + 1));
    EXPECT_TRUE(GetWindowLongPtr(a, GWL_EXSTYLE) & WS_EX_MDICHILD);
    EXPECT_EQ((GetWindowLongPtr(a, GWL_STYLE) & WS_CAPTION), WS_CAPTION);
    EXPECT_EQ(active(), b);
    EXPECT_EQ(GetWindow(g_client, GW_CHILD), b) << "the active child is on top";

    // Children show without WS_VISIBLE, unless the client has MDIS_ALLCHILDSTYLES.
    HWND shown = create("C", 0);
    EXPECT_TRUE(IsWindowVisible(shown));
    EXPECT_EQ(active(), shown);
    SetWindowLongPtr(g_client, GWL_STYLE, GetWindowLongPtr(g_client, GWL_STYLE) | MDIS_ALLCHILDSTYLES);
    HWND hidden = create("D", WS_CHILD | WS_CAPTION);
    EXPECT_FALSE(IsWindowVisible(hidden));
    EXPECT_EQ(active(), shown);
}

TEST_F(Mdi, ChildActivationActivatesTheChild) {
    SetWindowLongPtr(g_client, GWL_STYLE, GetWindowLongPtr(g_client, GWL_STYLE) | MDIS_ALLCHILDSTYLES);
    struct Case {
        const char* name;
        void (*action)(HWND hidden);
        bool activates;
    } cases[] = {
        {"shown", [](HWND c) { ShowWindow(c, SW_SHOW); }, true},
        {"shown normal", [](HWND c) { ShowWindow(c, SW_SHOWNORMAL); }, true},
        {"shown without activation", [](HWND c) { ShowWindow(c, SW_SHOWNA); }, false},
        {"shown by SetWindowPos",
         [](HWND c) { SetWindowPos(c, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW); },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND shown = create("A", WS_CHILD | WS_CAPTION | WS_VISIBLE);
        HWND hidden = create("B", WS_CHILD | WS_CAPTION);
        ASSERT_EQ(active(), shown);
        c.action(hidden);
        EXPECT_EQ(active(), c.activates ? hidden : shown);
        DestroyWindow(shown);
        DestroyWindow(hidden);
    }
}

TEST_F(Mdi, AClickActivatesAChildThroughChildActivation) {
    HWND a = create("A");
    create("B");
    g_ownMouseActivate = true;
    RECT ra{};
    GetClientRect(a, &ra);
    pm::test::click(a, POINT{2, ra.bottom - 3});
    pm::test::pumpMessages();
    EXPECT_EQ(active(), a);
}

TEST_F(Mdi, ActivationSendsBothChildrenTheirMessagesInOrder) {
    HWND a = create("A");
    HWND b = create("B");
    create("C");
    g_trace.clear();
    SendMessage(g_client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(a), 0);
    std::vector<std::string> expected{"C:WM_NCACTIVATE 0", "C:WM_MDIACTIVATE C>A", "A:WM_NCACTIVATE 1",
                                      "A:WM_MDIACTIVATE C>A"};
    EXPECT_EQ(g_trace, expected);
    EXPECT_EQ(active(), a);
    EXPECT_EQ(GetFocus(), a);
    g_trace.clear();
    SendMessage(g_client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(a), 0);
    EXPECT_TRUE(g_trace.empty()) << "activating the active child changes nothing";
    // A click in an inactive child activates it (at its lower left corner, which the others leave free).
    RECT rb{};
    GetClientRect(b, &rb);
    pm::test::click(b, POINT{2, rb.bottom - 3});
    pm::test::pumpMessages();
    EXPECT_EQ(active(), b);
    // The frame's activation reaches the active child's caption.
    g_trace.clear();
    SendMessage(frame, WM_NCACTIVATE, FALSE, 0);
    EXPECT_EQ(g_trace, std::vector<std::string>{"B:WM_NCACTIVATE 0"});
}

TEST_F(Mdi, ControlF6CyclesThroughEveryChild) {
    HWND a = create("A");
    HWND b = create("B");
    HWND c = create("C");
    struct Step {
        int vk;
        bool shift;
        HWND expected;
    };
    const Step steps[] = {{VK_F6, false, b}, {VK_F6, false, a}, {VK_F6, false, c}, {VK_TAB, false, b},
                          {VK_F6, true, c},  {VK_TAB, true, a}, {VK_F6, true, b}};
    for (const Step& s : steps) {
        pm::test::pressKey(frame, s.vk, s.shift, true);
        pumpWithAccelerators();
        EXPECT_EQ(nameOf(active()), nameOf(s.expected)) << "key " << s.vk << (s.shift ? " with Shift" : "");
    }
    // Ctrl+F4 closes the active child; the next one takes over.
    pm::test::pressKey(frame, VK_F4, false, true);
    pumpWithAccelerators();
    EXPECT_FALSE(IsWindow(b));
    EXPECT_TRUE(active() == a || active() == c);

    // With the children maximised the keys go round the same way, the maximised state with them.
    SendMessage(g_client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(active()), 0);
    HWND before = active();
    pm::test::pressKey(frame, VK_F6, false, true);
    pumpWithAccelerators();
    BOOL maximised = FALSE;
    EXPECT_NE(active(&maximised), before);
    EXPECT_TRUE(maximised);
}

TEST_F(Mdi, AChildsSystemMenuNamesTheChildsKeysAndItsNextItemActivatesTheNextChild) {
    HWND a = create("A");
    HWND b = create("B");
    const auto itemText = [](HMENU m, UINT id) {
        char text[64] = {};
        GetMenuString(m, id, text, sizeof text, MF_BYCOMMAND);
        return std::string(text);
    };
    HMENU system = GetSystemMenu(b, FALSE);
    EXPECT_EQ(itemText(system, SC_CLOSE), "&Close\tCtrl+F4");
    EXPECT_EQ(itemText(system, SC_NEXTWINDOW), "Nex&t\tCtrl+F6");
    EXPECT_EQ(itemText(GetSystemMenu(frame, FALSE), SC_CLOSE), "&Close\tAlt+F4");
    EXPECT_EQ(itemText(GetSystemMenu(frame, FALSE), SC_NEXTWINDOW), "");
    ASSERT_EQ(active(), b);
    SendMessage(b, WM_SYSCOMMAND, SC_NEXTWINDOW, 0);
    EXPECT_EQ(active(), a);
}

TEST_F(Mdi, MaximisedChildPutsItsIconAndButtonsIntoTheFrameMenu) {
    HWND a = create("A");
    HWND b = create("B");
    int plain = GetMenuItemCount(menu);
    SendMessage(g_client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(b), 0);
    BOOL maximised = FALSE;
    EXPECT_EQ(active(&maximised), b);
    EXPECT_TRUE(maximised);
    ASSERT_EQ(GetMenuItemCount(menu), plain + 4);
    MENUITEMINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_BITMAP | MIIM_SUBMENU | MIIM_DATA;
    ASSERT_TRUE(GetMenuItemInfo(menu, 0, TRUE, &info));
    EXPECT_EQ(info.hbmpItem, HBMMENU_SYSTEM);
    EXPECT_EQ(info.hSubMenu, GetSystemMenu(b, FALSE));
    EXPECT_EQ(reinterpret_cast<HWND>(info.dwItemData), b);
    const UINT buttons[] = {SC_MINIMIZE, SC_RESTORE, SC_CLOSE};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(GetMenuItemID(menu, plain + 1 + i), buttons[i]);
    EXPECT_EQ(frameTitle(), "Frame - [B]");
    EXPECT_EQ(menuText(menu, 2), "&Window") << "the document menus move one place right";
    HMENU system = GetSystemMenu(b, FALSE);
    SendMessage(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(system), MAKELPARAM(0, 0));
    EXPECT_FALSE(GetMenuState(system, SC_RESTORE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(system, SC_MAXIMIZE, MF_BYCOMMAND) & MF_GRAYED);

    // The buttons sit at the right end of the bar.
    RECT bar{}, close{};
    GetWindowRect(frame, &bar);
    ASSERT_TRUE(GetMenuItemRect(frame, menu, static_cast<UINT>(plain + 3), &close));
    RECT clientOnScreen{};
    GetClientRect(frame, &clientOnScreen);
    POINT origin{0, 0};
    ClientToScreen(frame, &origin);
    EXPECT_EQ(close.right, origin.x + clientOnScreen.right);

    // A maximised child hands its state on to the child activated next.
    g_trace.clear();
    SendMessage(g_client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(a), 0);
    EXPECT_TRUE(IsZoomed(a));
    EXPECT_FALSE(IsZoomed(b));
    EXPECT_EQ(frameTitle(), "Frame - [A]");
    ASSERT_TRUE(GetMenuItemInfo(menu, 0, TRUE, &info));
    EXPECT_EQ(reinterpret_cast<HWND>(info.dwItemData), a);

    // The restore button in the menu bar restores the child.
    RECT restore{};
    ASSERT_TRUE(GetMenuItemRect(frame, menu, static_cast<UINT>(plain + 2), &restore));
    POINT at{(restore.left + restore.right) / 2, (restore.top + restore.bottom) / 2};
    ScreenToClient(frame, &at);
    g_trace.clear();
    pm::test::click(frame, at);
    pm::test::pumpMessages();
    EXPECT_FALSE(IsZoomed(a));
    EXPECT_EQ(g_trace.size() >= 1 ? g_trace.front() : "", "A:WM_SYSCOMMAND " + std::to_string(SC_RESTORE));
    EXPECT_EQ(GetMenuItemCount(menu), plain);
    EXPECT_EQ(frameTitle(), "Frame");
    EXPECT_EQ(menuText(menu, 1), "&Window");

    // Commands of the system-menu range reach a maximised child through the frame.
    SendMessage(g_client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(a), 0);
    SendMessage(frame, WM_COMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(a));
    EXPECT_EQ(active(&maximised), b);
    EXPECT_TRUE(maximised) << "the next child takes the maximised state";
    EXPECT_EQ(frameTitle(), "Frame - [B]");
}

TEST_F(Mdi, WindowMenuListsTheChildren) {
    HWND a = create("A");
    create("B");
    HWND c = create("C");
    const std::vector<std::string> expected{"&Cascade", "", "&1 A", "&2 B", "&3 C"};
    ASSERT_EQ(GetMenuItemCount(windowMenu), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(menuText(windowMenu, i), expected[static_cast<std::size_t>(i)]);
    EXPECT_EQ(GetMenuItemID(windowMenu, 2), kFirstChild);
    EXPECT_TRUE(GetMenuState(windowMenu, kFirstChild + 2, MF_BYCOMMAND) & MF_CHECKED);
    SendMessage(frame, WM_COMMAND, kFirstChild, 0);
    EXPECT_EQ(active(), a);
    EXPECT_TRUE(GetMenuState(windowMenu, kFirstChild, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(GetMenuState(windowMenu, kFirstChild + 2, MF_BYCOMMAND) & MF_CHECKED);
    SetWindowText(c, "Renamed");
    EXPECT_EQ(menuText(windowMenu, 4), "&3 Renamed");

    // Past nine windows the list ends with "More Windows...".
    for (int i = 0; i < 8; ++i)
        create(("W" + std::to_string(i)).c_str());
    ASSERT_EQ(GetMenuItemCount(windowMenu), 2 + 9 + 1);
    EXPECT_EQ(menuText(windowMenu, 11), "&More Windows...");
    EXPECT_EQ(GetMenuItemID(windowMenu, 11), kFirstChild + 9);

    // A new window menu takes the list; the old one is left as it was.
    HMENU other = CreatePopupMenu();
    AppendMenu(other, MF_STRING, 3, "&Tile");
    SendMessage(g_client, WM_MDISETMENU, 0, reinterpret_cast<LPARAM>(other));
    EXPECT_EQ(GetMenuItemCount(windowMenu), 1);
    EXPECT_EQ(GetMenuItemCount(other), 1 + 1 + 9 + 1);

    // Without children the list and its separator are gone.
    for (HWND child = GetWindow(g_client, GW_CHILD); child; child = GetWindow(g_client, GW_CHILD))
        SendMessage(g_client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
    EXPECT_EQ(GetMenuItemCount(other), 1);
    EXPECT_EQ(active(), nullptr);
    DestroyMenu(other);
}

TEST_F(Mdi, ClosingTheActiveChildActivatesTheNext) {
    HWND a = create("A");
    HWND b = create("B");
    HWND c = create("C");
    g_trace.clear();
    SendMessage(c, WM_CLOSE, 0, 0);
    std::vector<std::string> expected{"C:WM_NCACTIVATE 0", "C:WM_MDIACTIVATE C>B", "B:WM_NCACTIVATE 1",
                                      "B:WM_MDIACTIVATE C>B"};
    EXPECT_EQ(g_trace, expected);
    EXPECT_FALSE(IsWindow(c));
    EXPECT_EQ(active(), b);
    // Destroying an inactive child keeps the active one and renumbers the rest.
    SendMessage(g_client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(a), 0);
    EXPECT_EQ(active(), b);
    EXPECT_EQ(GetWindowLongPtr(b, GWL_ID), static_cast<LONG_PTR>(kFirstChild));
    // A child destroyed directly leaves no active child behind.
    DestroyWindow(b);
    EXPECT_EQ(active(), nullptr);
}

TEST_F(Mdi, AHiddenActiveChildHandsActivationToTheNextShownOne) {
    HWND a = create("A");
    HWND b = create("B");
    HWND c = create("C");
    ASSERT_EQ(active(), c);
    ShowWindow(c, SW_HIDE);
    SendMessage(g_client, WM_MDINEXT, 0, 0);
    EXPECT_EQ(active(), b);
    // Hidden and alone, it stays the client's active child.
    DestroyWindow(a);
    DestroyWindow(c);
    ShowWindow(b, SW_HIDE);
    SendMessage(g_client, WM_MDINEXT, 0, 0);
    EXPECT_EQ(active(), b);
}

// A document moved into a pane hides its child, which becomes the active one; the maximised child
// it came from stays maximised.
TEST_F(Mdi, AHiddenChildActivatedLeavesTheMaximisedOneMaximised) {
    HWND a = create("A");
    HWND b = create("B");
    SendMessage(g_client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(b), 0);
    ShowWindow(a, SW_HIDE);
    SendMessage(g_client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(a), 0);
    EXPECT_EQ(active(), a);
    EXPECT_TRUE(IsZoomed(b));
    EXPECT_FALSE(IsWindowVisible(a));
}

// A program showing a child's system menu itself (a menu bar of its own) finds the items the
// child's state allows.
TEST_F(Mdi, AMaximisedChildsSystemMenuOffersOnlyWhatItsStateAllows) {
    HWND a = create("A");
    const auto enabled = [](HWND child, UINT id) {
        return !(GetMenuState(GetSystemMenu(child, FALSE), id, MF_BYCOMMAND) & MF_GRAYED);
    };
    SendMessage(g_client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(a), 0);
    for (UINT id : {SC_MAXIMIZE, SC_MOVE, SC_SIZE})
        EXPECT_FALSE(enabled(a, id)) << id;
    for (UINT id : {SC_RESTORE, SC_MINIMIZE, SC_CLOSE})
        EXPECT_TRUE(enabled(a, id)) << id;
    SendMessage(g_client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(a), 0);
    for (UINT id : {SC_MAXIMIZE, SC_MOVE, SC_SIZE})
        EXPECT_TRUE(enabled(a, id)) << id;
    EXPECT_FALSE(enabled(a, SC_RESTORE));
}

TEST_F(Mdi, MinimisedChildrenLineUpAlongTheBottom) {
    HWND a = create("A");
    HWND b = create("B");
    HWND c = create("C");
    ShowWindow(c, SW_MINIMIZE);
    ShowWindow(a, SW_MINIMIZE);
    RECT area{};
    GetClientRect(g_client, &area);
    int w = GetSystemMetrics(SM_CXMINIMIZED), h = GetSystemMetrics(SM_CYMINIMIZED);
    auto placeOf = [](HWND child) {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, g_client, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    RECT rc = placeOf(c), ra = placeOf(a);
    EXPECT_EQ(rc.left, 0);
    EXPECT_EQ(rc.bottom, area.bottom);
    EXPECT_EQ(ra.left, w);
    EXPECT_EQ(ra.top, area.bottom - h);
    EXPECT_EQ(active(), b) << "a minimised active child gives way";
    // Restoring the first icon leaves a gap that the next minimised child fills.
    ShowWindow(c, SW_RESTORE);
    ShowWindow(b, SW_MINIMIZE);
    EXPECT_EQ(placeOf(b).left, 0);
    SendMessage(g_client, WM_MDIICONARRANGE, 0, 0);
    EXPECT_EQ(placeOf(a).left, 0) << "arranged in creation order";
    EXPECT_EQ(placeOf(b).left, w);
    // A double click on an icon's caption restores it.
    SendMessage(b, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    EXPECT_FALSE(IsIconic(b));
}

TEST_F(Mdi, TileAndCascadePlaceTheShownChildren) {
    HWND a = create("A");
    HWND b = create("B");
    RECT area{};
    GetClientRect(g_client, &area);
    auto placeOf = [](HWND child) {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, g_client, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    struct Case {
        UINT message;
        WPARAM how;
        RECT top, other; // the topmost child (B) and the other one
    };
    int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
    int cx = std::max<int>(area.right - step, area.right / 2),
        cy = std::max<int>(area.bottom - step, area.bottom / 2);
    const Case cases[] = {
        {WM_MDITILE,
         MDITILE_VERTICAL,
         {0, 0, area.right / 2, area.bottom},
         {area.right / 2, 0, area.right, area.bottom}},
        {WM_MDITILE,
         MDITILE_HORIZONTAL,
         {0, 0, area.right, area.bottom / 2},
         {0, area.bottom / 2, area.right, area.bottom}},
        {WM_MDICASCADE, 0, {step, step, step + cx, step + cy}, {0, 0, cx, cy}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message == WM_MDITILE ? (c.how ? "tile horizontally" : "tile vertically") : "cascade");
        SendMessage(g_client, c.message, c.how, 0);
        RECT rb = placeOf(b), ra = placeOf(a);
        EXPECT_TRUE(EqualRect(&rb, &c.top))
            << rb.left << "," << rb.top << "," << rb.right << "," << rb.bottom;
        EXPECT_TRUE(EqualRect(&ra, &c.other))
            << ra.left << "," << ra.top << "," << ra.right << "," << ra.bottom;
    }
    // A maximised child is restored first.
    SendMessage(g_client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(b), 0);
    SendMessage(g_client, WM_MDITILE, MDITILE_VERTICAL, 0);
    EXPECT_FALSE(IsZoomed(b));
}

// However many children there are, a cascade keeps each one whole inside the client and above
// the row of minimised children: windows that do not fit start again from the top-left corner.
TEST_F(Mdi, CascadeKeepsEveryChildInsideTheClient) {
    for (int count : {1, 4, 40}) {
        SCOPED_TRACE(count);
        for (HWND c = GetWindow(g_client, GW_CHILD); c; c = GetWindow(g_client, GW_CHILD))
            SendMessage(g_client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(c), 0);
        ShowWindow(create("icon"), SW_MINIMIZE);
        std::vector<HWND> children;
        for (int i = 0; i < count; ++i)
            children.push_back(create("child"));
        SendMessage(g_client, WM_MDICASCADE, 0, 0);
        RECT area{};
        GetClientRect(g_client, &area);
        area.bottom -= GetSystemMetrics(SM_CYMINIMIZED);
        for (HWND c : children) {
            RECT r{};
            GetWindowRect(c, &r);
            MapWindowPoints(nullptr, g_client, reinterpret_cast<POINT*>(&r), 2);
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= area.right && r.bottom <= area.bottom)
                << r.left << "," << r.top << "," << r.right << "," << r.bottom << " in " << area.right << "x"
                << area.bottom;
        }
    }
}

TEST_F(Mdi, ScrollBarsCoverChildrenBeyondTheClient) {
    useScrollingClient();
    auto bars = [] { return GetWindowLongPtr(g_client, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL); };
    EXPECT_EQ(bars(), 0) << "nothing to scroll yet";
    RECT area{};
    GetClientRect(g_client, &area);
    HWND a = create("A", WS_VISIBLE, area.right - 50, 10, 200, 100);
    EXPECT_EQ(bars(), WS_HSCROLL);
    GetClientRect(g_client, &area);
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(g_client, SB_HORZ, &si);
    EXPECT_EQ(si.nMin, 0);
    EXPECT_EQ(si.nMax, area.right + 150 - 1);
    EXPECT_EQ(si.nPage, static_cast<UINT>(area.right));
    EXPECT_EQ(si.nPos, 0);

    auto left = [&a] {
        RECT r{};
        GetWindowRect(a, &r);
        MapWindowPoints(nullptr, g_client, reinterpret_cast<POINT*>(&r), 2);
        return r.left;
    };
    int line = GetSystemMetrics(SM_CXHSCROLL);
    struct Case {
        WORD code;
        int thumb;
        int left; // of the child afterwards
    };
    const Case cases[] = {
        {SB_LINEDOWN, 0, area.right - 50 - line},
        {SB_BOTTOM, 0, area.right - 200},
        {SB_LINEDOWN, 0, area.right - 200}, // already at the end
        {SB_TOP, 0, area.right - 50},
        {SB_THUMBPOSITION, 100, area.right - 150},
        {SB_PAGEUP, 0, area.right - 50},
        {SB_PAGEDOWN, 0, area.right - 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        SendMessage(g_client, WM_HSCROLL, MAKEWPARAM(c.code, c.thumb), 0);
        EXPECT_EQ(left(), c.left);
    }
    // The range is measured again when scrolling ends: all in view now, so no bar.
    GetScrollInfo(g_client, SB_HORZ, &si);
    EXPECT_EQ(si.nPos, 150);
    SendMessage(g_client, WM_HSCROLL, SB_ENDSCROLL, 0);
    EXPECT_EQ(bars(), 0);

    // A child above the client calls for the vertical bar, its range reaching up to the child; the
    // bar narrows the client, so A, at its right edge, calls for the horizontal one.
    HWND b = create("B", WS_VISIBLE, 0, -40, 100, 100);
    EXPECT_EQ(bars(), WS_HSCROLL | WS_VSCROLL);
    GetScrollInfo(g_client, SB_VERT, &si);
    EXPECT_EQ(si.nMin, -40);
    SendMessage(g_client, WM_VSCROLL, SB_TOP, 0);
    RECT rb{};
    GetWindowRect(b, &rb);
    MapWindowPoints(nullptr, g_client, reinterpret_cast<POINT*>(&rb), 2);
    EXPECT_EQ(rb.top, 0);

    // Arranging or maximising brings everything into view: no bars.
    SendMessage(g_client, WM_MDITILE, MDITILE_VERTICAL, 0);
    EXPECT_EQ(bars(), 0);
    MoveWindow(a, -30, 0, 100, 100, TRUE);
    EXPECT_EQ(bars(), WS_HSCROLL);
    SendMessage(g_client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(a), 0);
    EXPECT_EQ(bars(), 0);
    RECT inside{}, whole{};
    GetClientRect(a, &inside);
    GetClientRect(g_client, &whole);
    EXPECT_TRUE(EqualRect(&inside, &whole))
        << "the maximised child fills the client the bars left " << inside.right << "x" << inside.bottom
        << " " << whole.right << "x" << whole.bottom;
    SendMessage(g_client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(a), 0);
    EXPECT_EQ(bars(), WS_HSCROLL);
}

TEST_F(Mdi, TheScrollBarsArrowScrollsTheChildren) {
    useScrollingClient();
    RECT area{};
    GetClientRect(g_client, &area);
    HWND a = create("A", WS_VISIBLE, 10, area.bottom - 20, 100, 100);
    ASSERT_EQ(GetWindowLongPtr(g_client, GWL_STYLE) & WS_VSCROLL, WS_VSCROLL);
    GetClientRect(g_client, &area);
    // The lower arrow of the vertical bar, just right of the client area.
    pm::test::click(g_client, POINT{area.right + GetSystemMetrics(SM_CXVSCROLL) / 2, area.bottom - 3});
    pm::test::pumpMessages();
    RECT r{};
    GetWindowRect(a, &r);
    MapWindowPoints(nullptr, g_client, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.top, area.bottom - 20 - GetSystemMetrics(SM_CYVSCROLL));
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(g_client, SB_VERT, &si);
    EXPECT_EQ(si.nPos, 0) << "measured again when the scroll ended";
    EXPECT_EQ(si.nMax, r.bottom - 1);
}

TEST_F(Mdi, MoreWindowsChoosesAnyChild) {
    std::vector<HWND> children;
    for (int i = 0; i < 11; ++i)
        children.push_back(create(("W" + std::to_string(i)).c_str()));
    // From inside the dialog's loop: the last window of the list, then OK.
    SetTimer(frame, 3, 10, [](HWND hwnd, UINT, UINT_PTR id, DWORD) {
        KillTimer(hwnd, id);
        HWND dialog = FindWindow(nullptr, "Select Window");
        ASSERT_TRUE(dialog);
        HWND list = GetDlgItem(dialog, 100);
        EXPECT_EQ(SendMessage(list, LB_GETCOUNT, 0, 0), 11);
        EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 10) << "the active window is chosen first";
        SendMessage(list, LB_SETCURSEL, 9, 0);
        SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    SendMessage(frame, WM_COMMAND, kFirstChild + 9, 0);
    EXPECT_EQ(active(), children[9]);
}

TEST_F(Mdi, AltMinusOpensTheActiveChildsSystemMenu) {
    create("A");
    g_trace.clear();
    SetTimer(frame, 4, 10, [](HWND hwnd, UINT, UINT_PTR id, DWORD) {
        KillTimer(hwnd, id);
        EndMenu();
    });
    SendMessage(frame, WM_SYSCOMMAND, SC_KEYMENU, '-');
    EXPECT_EQ(g_trace, std::vector<std::string>{"A:WM_SYSCOMMAND " + std::to_string(SC_KEYMENU)});
}

} // namespace
