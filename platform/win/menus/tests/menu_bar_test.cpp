// The window menu bar: menus from resources, mouse clicks on the bar, the system menu by
// keyboard, SetMenu and DrawMenuBar resizing the client area, and a picture of a framed window.

#include "platform/win/res/resources.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

using pm::test::pumpMessages;

namespace {

enum : UINT { kOpen = 301, kSave = 302, kAbout = 303 };

void declareMenu() {
    static bool done = false;
    if (done) return;
    done = true;
    pm::res::MenuTemplate t;
    t.items = {
        {"&File",
         0,
         MF_POPUP,
         {{"&Open...\tCtrl+O", kOpen, 0, {}}, {"", 0, MF_SEPARATOR, {}}, {"&Save", kSave, MF_GRAYED, {}}}},
        {"&Help", 0, MF_POPUP, {{"&About", kAbout, MF_CHECKED, {}}}}};
    pm::res::addMenu(7, t);
}

std::vector<UINT> g_commands;
std::vector<UINT> g_sysCommands;
std::vector<WPARAM> g_chars;

LRESULT CALLBACK frameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND) g_commands.push_back(LOWORD(wParam));
    if (msg == WM_CHAR || msg == WM_SYSCHAR) g_chars.push_back(wParam);
    if (msg == WM_SYSCOMMAND) {
        g_sysCommands.push_back(static_cast<UINT>(wParam & 0xFFF0));
        if ((wParam & 0xFFF0) == SC_CLOSE) return 0; // keep the window for the test
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

class MenuBar : public ::testing::Test {
protected:
    void SetUp() override {
        declareMenu();
        static bool registered = false;
        if (!registered) {
            WNDCLASS wc{};
            wc.lpfnWndProc = frameProc;
            wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
            wc.lpszClassName = "PmMenuFrame";
            registered = RegisterClass(&wc) != 0;
        }
        g_commands.clear();
        g_sysCommands.clear();
        g_chars.clear();
        menu = LoadMenu(nullptr, MAKEINTRESOURCE(7));
        frame = CreateWindowEx(0, "PmMenuFrame", "Menu Bar",
                               WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                                   WS_MAXIMIZEBOX | WS_VISIBLE,
                               60, 60, 360, 220, nullptr, menu, nullptr, nullptr);
        SetForegroundWindow(frame);
        SetFocus(frame);
        pumpMessages();
    }
    void TearDown() override {
        DestroyWindow(frame);
        pumpMessages();
    }
    // A point on the bar over the item at `index`, in screen coordinates.
    POINT barItem(int index) {
        RECT item{};
        EXPECT_TRUE(GetMenuItemRect(frame, menu, index, &item));
        return POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    }
    HMENU menu = nullptr;
    HWND frame = nullptr;
};

} // namespace

TEST_F(MenuBar, LoadMenuBuildsTheResourceMenu) {
    ASSERT_EQ(GetMenu(frame), menu);
    ASSERT_EQ(GetMenuItemCount(menu), 2);
    HMENU file = GetSubMenu(menu, 0);
    ASSERT_EQ(GetMenuItemCount(file), 3);
    EXPECT_EQ(GetMenuItemID(file, 0), static_cast<UINT>(kOpen));
    EXPECT_EQ(GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(GetMenuState(menu, kSave, MF_BYCOMMAND) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(LoadMenu(nullptr, MAKEINTRESOURCE(999)), nullptr);
}

TEST_F(MenuBar, SetMenuChangesTheClientAreaAndGetMenuFollows) {
    RECT with, without;
    GetClientRect(frame, &with);
    ASSERT_TRUE(SetMenu(frame, nullptr));
    EXPECT_EQ(GetMenu(frame), nullptr);
    GetClientRect(frame, &without);
    EXPECT_EQ(without.bottom - with.bottom, GetSystemMetrics(SM_CYMENU));
    ASSERT_TRUE(SetMenu(frame, menu));
    EXPECT_EQ(GetMenu(frame), menu);
    DestroyMenu(CreateMenu()); // menus come and go without touching the bar
    EXPECT_TRUE(DrawMenuBar(frame));
}

TEST_F(MenuBar, AWindowMadeWithoutAMenuGetsItsClassMenu) {
    WNDCLASS wc{};
    wc.lpfnWndProc = DefWindowProc;
    wc.lpszMenuName = MAKEINTRESOURCE(7);
    wc.lpszClassName = "PmClassMenuFrame";
    RegisterClass(&wc);
    HWND withClassMenu = CreateWindowEx(0, "PmClassMenuFrame", "", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                        nullptr, nullptr, nullptr, nullptr);
    HMENU classMenu = GetMenu(withClassMenu);
    ASSERT_NE(nullptr, classMenu);
    EXPECT_NE(menu, classMenu);
    EXPECT_EQ(static_cast<UINT>(kOpen), GetMenuItemID(GetSubMenu(classMenu, 0), 0));
    HWND child = CreateWindowEx(0, "PmClassMenuFrame", "", WS_CHILD, 0, 0, 10, 10, withClassMenu,
                                reinterpret_cast<HMENU>(5), nullptr, nullptr);
    EXPECT_EQ(5, GetDlgCtrlID(child));
    DestroyWindow(withClassMenu);
    UnregisterClass("PmClassMenuFrame", nullptr);
}

TEST_F(MenuBar, ClicksOpenABarMenuAndChooseAnItem) {
    POINT help = barItem(1);
    ScreenToClient(frame, &help);
    // The press on "Help" opens its menu; from inside the loop, a click on its first item chooses it.
    SetTimer(frame, 1, 10, [](HWND hwnd, UINT, UINT_PTR id, DWORD) {
        KillTimer(hwnd, id);
        HWND popup = FindWindowEx(nullptr, nullptr, "#32768", nullptr);
        ASSERT_TRUE(popup);
        pm::test::click(popup, POINT{30, 10});
    });
    pm::test::click(frame, help);
    pumpMessages();
    EXPECT_EQ(g_commands, std::vector<UINT>{kAbout});
}

TEST_F(MenuBar, AltSpaceOpensTheSystemMenuWithItsStates) {
    HMENU system = GetSystemMenu(frame, FALSE);
    ASSERT_TRUE(system);
    EXPECT_EQ(GetMenuItemCount(system), 7);
    EXPECT_EQ(GetMenuDefaultItem(system, FALSE, 0), static_cast<UINT>(SC_CLOSE));
    pm::test::pressKey(frame, VK_SPACE, false, false, true);
    for (int vk : {VK_UP, VK_RETURN})
        pm::test::pressKey(frame, vk); // up from nothing: Close
    pumpMessages();
    EXPECT_EQ(GetMenuState(system, SC_RESTORE, MF_BYCOMMAND) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(GetMenuState(system, SC_SIZE, MF_BYCOMMAND) & MF_GRAYED, 0u);
    ASSERT_FALSE(g_sysCommands.empty());
    EXPECT_EQ(g_sysCommands.back(), static_cast<UINT>(SC_CLOSE));
    EXPECT_EQ(GetSystemMenu(frame, TRUE), nullptr);
}

TEST_F(MenuBar, PictureOfAFramedWindowWithAMenuBar) {
    RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_TRUE(pm::test::saveWindowPng(frame, pm::test::outputFolder() + "/menu_bar_window.png"));
}

TEST_F(MenuBar, BarItemsWithoutAPopupAreCommands) {
    constexpr UINT kGo = 304;
    AppendMenu(menu, MF_STRING | MF_RIGHTJUSTIFY, kGo, "&Go");
    DrawMenuBar(frame);
    RECT go{}, window{};
    ASSERT_TRUE(GetMenuItemRect(frame, menu, 2, &go));
    GetWindowRect(frame, &window);
    POINT client{0, 0};
    ClientToScreen(frame, &client);
    EXPECT_EQ(go.right, window.right - (client.x - window.left)) << "right-justified";
    POINT at = barItem(2);
    ScreenToClient(frame, &at);
    pm::test::click(frame, at);
    pumpMessages();
    // By keyboard: F10 selects the first item, Left wraps to the last, Enter chooses it.
    for (int vk : {VK_F10, VK_LEFT, VK_RETURN})
        pm::test::pressKey(frame, vk);
    pumpMessages();
    EXPECT_EQ(g_commands, (std::vector<UINT>{kGo, kGo}));
    EXPECT_TRUE(g_chars.empty()) << "the Enter that chose the item is not typed into the window";
}

TEST_F(MenuBar, TheKeyThatEndsTheMenuTypesNothingIntoTheWindow) {
    for (int vk : {VK_F10, VK_DOWN, VK_RETURN}) // File > Open... by keyboard
        pm::test::pressKey(frame, vk);
    pumpMessages();
    EXPECT_EQ(g_commands, std::vector<UINT>{kOpen});
    for (int vk : {VK_F10, VK_DOWN, VK_ESCAPE, VK_ESCAPE}) // opened, closed, and the bar left
        pm::test::pressKey(frame, vk);
    pumpMessages();
    EXPECT_EQ(g_commands, std::vector<UINT>{kOpen});
    EXPECT_TRUE(g_chars.empty());
    pm::test::pressKey(frame, 'A');
    pumpMessages();
    EXPECT_EQ(g_chars, std::vector<WPARAM>{'a'}) << "outside the menu keys type as ever";
}
