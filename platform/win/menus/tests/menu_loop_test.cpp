// The menu loop: keyboard walks through a menu bar and popups, the message order, mouse input seen
// by hooks, dismissal by a click outside (the click going on to the window under it), TPM_RETURNCMD,
// owner-drawn items, EndMenu, and pictures.

#include "platform/win/tests/support/test_images.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>
#include <map>

using pm::test::MessageRecorder;
using pm::test::pumpMessages;
using Trace = std::vector<std::string>;

namespace {

enum : UINT {
    kNew = 101,
    kOpen = 102,
    kExit = 103,
    kUndo = 201,
    kPaste = 202,
    kWrap = 203,
    kLine = 211,
    kPage = 212
};

const std::vector<UINT> kMenuMessages{WM_SYSCOMMAND,   WM_ENTERMENULOOP, WM_INITMENU, WM_INITMENUPOPUP,
                                      WM_MENUSELECT,   WM_MEASUREITEM,   WM_DRAWITEM, WM_UNINITMENUPOPUP,
                                      WM_EXITMENULOOP, WM_COMMAND,       WM_MENUCHAR};

std::string name(UINT m) {
    static const std::map<UINT, std::string> names{
        {WM_SYSCOMMAND, "WM_SYSCOMMAND"},     {WM_ENTERMENULOOP, "WM_ENTERMENULOOP"},
        {WM_INITMENU, "WM_INITMENU"},         {WM_INITMENUPOPUP, "WM_INITMENUPOPUP"},
        {WM_MENUSELECT, "WM_MENUSELECT"},     {WM_MEASUREITEM, "WM_MEASUREITEM"},
        {WM_DRAWITEM, "WM_DRAWITEM"},         {WM_UNINITMENUPOPUP, "WM_UNINITMENUPOPUP"},
        {WM_EXITMENULOOP, "WM_EXITMENULOOP"}, {WM_COMMAND, "WM_COMMAND"},
        {WM_MENUCHAR, "WM_MENUCHAR"}};
    auto it = names.find(m);
    return it == names.end() ? "?" : it->second;
}

// Menu messages as "WM_X a" where a is the item the message names: the id or position for
// WM_MENUSELECT ("close" when the menu closes), the command for WM_COMMAND and WM_SYSCOMMAND.
Trace menuTrace(const MessageRecorder& rec) {
    Trace t;
    for (const auto& m : rec.messages()) {
        if (std::find(kMenuMessages.begin(), kMenuMessages.end(), m.message) == kMenuMessages.end()) continue;
        std::string s = name(m.message);
        if (m.message == WM_MENUSELECT)
            s += HIWORD(m.wParam) == 0xFFFF ? " close" : " " + std::to_string(LOWORD(m.wParam));
        else if (m.message == WM_COMMAND || m.message == WM_SYSCOMMAND)
            s += " " + std::to_string(LOWORD(m.wParam));
        t.push_back(s);
    }
    return t;
}

std::function<void()> g_onTimer;

void CALLBACK timerProc(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    KillTimer(hwnd, id);
    if (g_onTimer) g_onTimer();
}

// Runs f from inside the next message loop (the menu loop), once.
void inLoop(HWND hwnd, std::function<void()> f) {
    g_onTimer = std::move(f);
    SetTimer(hwnd, 77, 10, timerProc);
}

std::vector<HWND> popupWindows() {
    std::vector<HWND> found;
    for (HWND h = FindWindowEx(nullptr, nullptr, "#32768", nullptr); h;
         h = FindWindowEx(nullptr, h, "#32768", nullptr))
        if (IsWindowVisible(h)) found.push_back(h);
    return found;
}

// The windows given, drawn where they are on the screen, in the order given.
QImage screenPicture(const std::vector<HWND>& windows) {
    QImage screen(760, 520, QImage::Format_RGB32);
    screen.fill(QColor(0, 128, 128));
    QPainter p(&screen);
    for (HWND h : windows) {
        RECT r;
        GetWindowRect(h, &r);
        p.drawImage(r.left, r.top, pm::test::windowImage(h));
    }
    return screen;
}

class MenuLoop : public ::testing::Test {
protected:
    void SetUp() override {
        bar = CreateMenu();
        file = CreatePopupMenu();
        AppendMenu(file, MF_STRING, kNew, "&New\tCtrl+N");
        AppendMenu(file, MF_STRING | MF_CHECKED, kOpen, "&Open...");
        AppendMenu(file, MF_SEPARATOR, 0, nullptr);
        AppendMenu(file, MF_STRING, kExit, "E&xit");
        edit = CreatePopupMenu();
        AppendMenu(edit, MF_STRING | MF_GRAYED, kUndo, "&Undo\tCtrl+Z");
        AppendMenu(edit, MF_SEPARATOR, 0, nullptr);
        insert = CreatePopupMenu();
        AppendMenu(insert, MF_STRING, kLine, "&Line");
        AppendMenu(insert, MF_STRING, kPage, "Pa&ge");
        AppendMenu(edit, MF_POPUP, reinterpret_cast<UINT_PTR>(insert), "&Insert");
        AppendMenu(edit, MF_STRING, kPaste, "&Paste\tCtrl+V");
        AppendMenu(edit, MF_STRING | MF_CHECKED, kWrap, "&Word Wrap");
        AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
        AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), "&Edit");
        main = CreateWindowEx(0, pm::test::recordingClass(), "Menus", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40,
                              40, 500, 300, nullptr, bar, nullptr, nullptr);
        SetForegroundWindow(main);
        SetFocus(main);
        pumpMessages();
        rec.name(main, "main");
        rec.clear();
    }
    void TearDown() override {
        g_onTimer = nullptr;
        DestroyWindow(main);
        pumpMessages();
    }
    MessageRecorder rec;
    HMENU bar = nullptr, file = nullptr, edit = nullptr, insert = nullptr;
    HWND main = nullptr;
};

} // namespace

TEST_F(MenuLoop, KeyboardWalkThroughTheBarGivesTheWin32Trace) {
    ASSERT_EQ(GetMenu(main), bar);
    for (int vk : {VK_MENU, VK_RIGHT, VK_DOWN, VK_DOWN, VK_RIGHT, VK_ESCAPE, int{'P'}})
        pm::test::pressKey(main, vk);
    pumpMessages();
    Trace expected{"WM_SYSCOMMAND 61696", "WM_ENTERMENULOOP",    "WM_INITMENU",        "WM_MENUSELECT 0",
                   "WM_MENUSELECT 1",     "WM_INITMENUPOPUP",    "WM_MENUSELECT 201",  "WM_MENUSELECT 2",
                   "WM_INITMENUPOPUP",    "WM_MENUSELECT 211",   "WM_UNINITMENUPOPUP", "WM_MENUSELECT 202",
                   "WM_UNINITMENUPOPUP",  "WM_MENUSELECT close", "WM_EXITMENULOOP",    "WM_COMMAND 202"};
    EXPECT_EQ(menuTrace(rec), expected);
    EXPECT_TRUE(popupWindows().empty());
}

TEST_F(MenuLoop, AltWithAMnemonicOpensThatMenuAndEscapeLeaves) {
    pm::test::pressKey(main, 'E', false, false, true);
    for (int vk : {VK_ESCAPE, VK_ESCAPE})
        pm::test::pressKey(main, vk);
    pumpMessages();
    Trace expected{"WM_SYSCOMMAND 61696", "WM_ENTERMENULOOP",    "WM_INITMENU",
                   "WM_MENUSELECT 1",     "WM_INITMENUPOPUP",    "WM_MENUSELECT 201",
                   "WM_UNINITMENUPOPUP",  "WM_MENUSELECT close", "WM_EXITMENULOOP"};
    EXPECT_EQ(menuTrace(rec), expected);
}

// A letter two bar items share selects each in turn without opening it; Enter opens the one
// selected, with its first item selected.
TEST_F(MenuLoop, ALetterTwoBarItemsShareSelectsEachInTurn) {
    HMENU format = CreatePopupMenu();
    AppendMenu(format, MF_STRING, kLine, "&Line");
    AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(format), "F&ormat && File");
    HMENU fonts = CreatePopupMenu();
    AppendMenu(fonts, MF_STRING, kPage, "&Page");
    AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(fonts), "&Fonts");
    DrawMenuBar(main);
    pumpMessages();
    rec.clear();
    pm::test::pressKey(main, 'F', false, false, true);
    for (int vk : {int{'F'}, int{'F'}, VK_RETURN, VK_ESCAPE, VK_ESCAPE})
        pm::test::pressKey(main, vk);
    pumpMessages();
    Trace expected{"WM_SYSCOMMAND 61696", "WM_ENTERMENULOOP",    "WM_INITMENU",      "WM_MENUSELECT 0",
                   "WM_MENUSELECT 3",     "WM_MENUSELECT 0",     "WM_INITMENUPOPUP", "WM_MENUSELECT 101",
                   "WM_UNINITMENUPOPUP",  "WM_MENUSELECT close", "WM_EXITMENULOOP"};
    EXPECT_EQ(menuTrace(rec), expected) << "File, then Fonts, then File again, which Enter opens";
}

// Alt released alone asks for the menu bar (SC_KEYMENU); a key pressed while Alt was down, also one
// an accelerator took, keeps it out.
namespace {
WNDPROC g_mainProc = nullptr;
int g_keyMenus = 0;
LRESULT CALLBACK countKeyMenus(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU) {
        ++g_keyMenus;
        return 0;
    }
    return CallWindowProc(g_mainProc, hwnd, msg, wParam, lParam);
}
} // namespace

TEST_F(MenuLoop, AltEntersTheBarOnlyWhenReleasedAlone) {
    g_keyMenus = 0;
    g_mainProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(main, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&countKeyMenus)));
    ACCEL keys[] = {{FVIRTKEY | FALT, '1', 77}};
    HACCEL table = CreateAcceleratorTable(keys, 1);
    pm::test::holdKey(main, VK_MENU, true);
    pm::test::pressKey(main, '1', false, false, true);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
        if (!TranslateAccelerator(main, table, &msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    pm::test::holdKey(main, VK_MENU, false);
    pumpMessages();
    EXPECT_EQ(0, g_keyMenus);
    EXPECT_EQ(menuTrace(rec), (Trace{"WM_COMMAND 77"}));
    pm::test::pressKey(main, VK_MENU);
    pumpMessages();
    EXPECT_EQ(1, g_keyMenus);
    SetWindowLongPtr(main, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_mainProc));
    DestroyAcceleratorTable(table);
}

TEST_F(MenuLoop, UnknownMnemonicAsksTheOwnerWithMenuChar) {
    for (int vk : {VK_MENU, VK_DOWN, int{'Q'}, VK_ESCAPE, VK_ESCAPE})
        pm::test::pressKey(main, vk);
    pumpMessages();
    Trace t = menuTrace(rec);
    ASSERT_NE(std::find(t.begin(), t.end(), "WM_MENUCHAR"), t.end());
    for (const auto& m : rec.messages())
        if (m.message == WM_MENUCHAR) {
            EXPECT_EQ(LOWORD(m.wParam), 'q');
            EXPECT_EQ(HIWORD(m.wParam), MF_POPUP);
            EXPECT_EQ(reinterpret_cast<HMENU>(m.lParam), file);
        }
    EXPECT_EQ(t.back(), "WM_EXITMENULOOP");
}

TEST_F(MenuLoop, MouseHookSeesInputAndAClickOutsideEndsWithNoCommand) {
    static int mouseMessages = 0;
    mouseMessages = 0;
    HHOOK hook = SetWindowsHookEx(
        WH_MOUSE,
        [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
            if (code >= 0 && wParam == WM_LBUTTONDOWN) ++mouseMessages;
            return CallNextHookEx(nullptr, code, wParam, lParam);
        },
        nullptr, GetCurrentThreadId());
    pm::test::click(main, POINT{420, 200});
    BOOL r = TrackPopupMenu(file, TPM_RETURNCMD, 60, 60, 0, main, nullptr);
    UnhookWindowsHookEx(hook);
    pumpMessages();
    EXPECT_EQ(r, 0);
    EXPECT_EQ(mouseMessages, 1);
    Trace expected{"WM_ENTERMENULOOP",   "WM_INITMENU",         "WM_INITMENUPOPUP",
                   "WM_UNINITMENUPOPUP", "WM_MENUSELECT close", "WM_EXITMENULOOP"};
    EXPECT_EQ(menuTrace(rec), expected);
    // The press that dismissed the menu reaches the window under it once the menu is gone.
    int presses = 0;
    for (const auto& m : rec.messages())
        if (m.message == WM_LBUTTONDOWN && LOWORD(m.lParam) == 420 && HIWORD(m.lParam) == 200) ++presses;
    EXPECT_EQ(presses, 1);
}

TEST_F(MenuLoop, TheSecondPressOfADoubleClickOutsideEndsTheMenuAndReachesTheWindow) {
    // The first click of the double click is taken before the menu opens (a menu opened by a
    // press), so the double click itself is the first thing the menu sees.
    pm::test::doubleClick(main, POINT{420, 200});
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessage(&msg);
        if (msg.message == WM_LBUTTONUP) break;
    }
    rec.clear();
    inLoop(main, [] { EndMenu(); }); // ends a menu that let the double click pass
    BOOL r = TrackPopupMenu(file, TPM_RETURNCMD, 60, 60, 0, main, nullptr);
    pumpMessages();
    EXPECT_EQ(r, 0);
    int doubleClicks = 0;
    for (const auto& m : rec.messages())
        if (m.message == WM_LBUTTONDBLCLK && LOWORD(m.lParam) == 420 && HIWORD(m.lParam) == 200)
            ++doubleClicks;
    EXPECT_EQ(doubleClicks, 1);
}

TEST_F(MenuLoop, ReturnCmdGivesTheIdWithoutCommandAndOtherwiseCommandFollowsExit) {
    struct Case {
        const char* name;
        UINT flags;
        BOOL result;
        bool command;
    } cases[] = {{"return", TPM_RETURNCMD, kOpen, false},
                 {"post", 0, TRUE, true},
                 {"nonotify", TPM_NONOTIFY | TPM_RETURNCMD, kOpen, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rec.clear();
        for (int vk : {VK_DOWN, VK_DOWN, VK_RETURN})
            pm::test::pressKey(main, vk);
        EXPECT_EQ(TrackPopupMenu(file, c.flags, 60, 60, 0, main, nullptr), c.result);
        pumpMessages();
        Trace t = menuTrace(rec);
        EXPECT_EQ(!t.empty() && t.back() == "WM_COMMAND 102", c.command);
        if (c.command) {
            EXPECT_EQ(t[t.size() - 2], "WM_EXITMENULOOP");
        }
        if (c.flags & TPM_NONOTIFY) {
            EXPECT_TRUE(t.empty());
        }
    }
}

TEST_F(MenuLoop, APopupWindowTellsTheMenuItShows) {
    HMENU shown = nullptr;
    inLoop(main, [&] {
        std::vector<HWND> popups = popupWindows();
        ASSERT_EQ(popups.size(), 1u);
        shown = reinterpret_cast<HMENU>(SendMessage(popups[0], MN_GETHMENU, 0, 0));
        pm::test::pressKey(popups[0], VK_ESCAPE);
    });
    TrackPopupMenu(edit, 0, 60, 60, 0, main, nullptr);
    EXPECT_EQ(shown, edit);
}

TEST_F(MenuLoop, MouseChoosesAnItemAndRightButtonCountsOnlyWithTheFlag) {
    for (UINT flags : {0u, static_cast<UINT>(TPM_RIGHTBUTTON)}) {
        SCOPED_TRACE(flags);
        inLoop(main, [&] {
            std::vector<HWND> popups = popupWindows();
            ASSERT_EQ(popups.size(), 1u);
            // The first item sits right under the top border.
            pm::test::click(popups[0], POINT{30, 10}, VK_RBUTTON);
            pm::test::click(popups[0], POINT{30, 10});
        });
        UINT id = TrackPopupMenu(file, flags | TPM_RETURNCMD, 100, 100, 0, main, nullptr);
        EXPECT_EQ(id, static_cast<UINT>(kNew));
    }
}

TEST_F(MenuLoop, AlignmentFlagsPlaceThePopup) {
    struct Case {
        UINT flags;
        bool rightOfX, belowY;
    } cases[] = {{TPM_LEFTALIGN | TPM_TOPALIGN, true, true},
                 {TPM_RIGHTALIGN | TPM_BOTTOMALIGN, false, false}};
    for (const Case& c : cases) {
        RECT r{};
        inLoop(main, [&] {
            GetWindowRect(popupWindows().at(0), &r);
            EndMenu();
        });
        EXPECT_EQ(TrackPopupMenu(file, c.flags | TPM_RETURNCMD, 300, 300, 0, main, nullptr), 0);
        EXPECT_EQ(c.rightOfX ? r.left : r.right, 300);
        EXPECT_EQ(c.belowY ? r.top : r.bottom, 300);
    }
}

namespace {

std::vector<std::pair<UINT, ULONG_PTR>> g_ownerDrawn; // item id and data per WM_DRAWITEM

LRESULT CALLBACK ownerDrawProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_MEASUREITEM) {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        mis->itemWidth = 80;
        mis->itemHeight = 20;
    }
    if (msg == WM_DRAWITEM) {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        EXPECT_EQ(dis->CtlType, static_cast<UINT>(ODT_MENU));
        EXPECT_EQ(dis->rcItem.bottom - dis->rcItem.top, 20);
        g_ownerDrawn.push_back({dis->itemID, dis->itemData});
    }
    return MessageRecorder::recordingProc(hwnd, msg, wParam, lParam);
}

} // namespace

TEST_F(MenuLoop, OwnerDrawnItemsAreMeasuredThenDrawnAndSubmenusCarryMinusOne) {
    HMENU menu = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
    AppendMenu(sub, MF_STRING, kLine, "&Line");
    AppendMenu(menu, MF_OWNERDRAW, kNew, reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(0x1234)));
    AppendMenu(menu, MF_OWNERDRAW | MF_POPUP, reinterpret_cast<UINT_PTR>(sub),
               reinterpret_cast<LPCSTR>(0x99));
    SetWindowLongPtr(main, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ownerDrawProc));
    g_ownerDrawn.clear();
    pm::test::pressKey(main, VK_ESCAPE);
    TrackPopupMenu(menu, TPM_RETURNCMD, 60, 60, 0, main, nullptr);
    Trace t = menuTrace(rec);
    Trace expected{"WM_ENTERMENULOOP",    "WM_INITMENU",    "WM_INITMENUPOPUP", "WM_MEASUREITEM",
                   "WM_MEASUREITEM",      "WM_DRAWITEM",    "WM_DRAWITEM",      "WM_UNINITMENUPOPUP",
                   "WM_MENUSELECT close", "WM_EXITMENULOOP"};
    EXPECT_EQ(t, expected);
    std::vector<std::pair<UINT, ULONG_PTR>> drawn{{kNew, 0x1234}, {static_cast<UINT>(-1), 0x99}};
    EXPECT_EQ(g_ownerDrawn, drawn);
    DestroyMenu(menu);
}

TEST_F(MenuLoop, PicturesOfAnOpenPopupWithASubmenuAndOfTheMenuBar) {
    ASSERT_TRUE(pm::test::saveWindowPng(main, pm::test::outputFolder() + "/menu_bar.png"));
    QImage picture;
    inLoop(main, [&] {
        std::vector<HWND> windows{main};
        for (HWND h : popupWindows())
            windows.push_back(h);
        picture = screenPicture(windows);
        EndMenu();
    });
    for (int vk : {VK_DOWN, VK_DOWN, VK_RIGHT})
        pm::test::pressKey(main, vk); // over Undo to Insert, open it
    TrackPopupMenu(edit, TPM_RETURNCMD, 120, 120, 0, main, nullptr);
    ASSERT_FALSE(picture.isNull());
    EXPECT_TRUE(picture.save(QString::fromStdString(pm::test::outputFolder() + "/menu_popup.png")));
}
