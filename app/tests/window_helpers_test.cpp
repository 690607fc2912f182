#include "app/window_helpers.h"

#include "platform/win/res/resources.h"
#include "platform/win/winbase.h"
#include "platform/win/winmenu.h"
#include "platform/win/winuser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Under LeakSanitizer: the font library keeps a cache for the life of the process.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig";
}

namespace {

std::string ClipboardText() {
    if (!OpenClipboard(nullptr)) return "<not open>";
    std::string text = "<none>";
    HANDLE data = GetClipboardData(CF_TEXT);
    if (const char* bytes = data ? static_cast<const char*>(GlobalLock(data)) : nullptr) {
        text = bytes;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

TEST(Clipboard, CopyTextToClipboard) {
    ASSERT_TRUE(CopyTextToClipboard("function alpha(a, b)"));
    EXPECT_EQ(ClipboardText(), "function alpha(a, b)");
    ASSERT_TRUE(CopyTextToClipboard(""));
    EXPECT_EQ(ClipboardText(), "");
}

TEST(Resources, LoadResString) {
    pm::res::addString(61234, "Corvane JavaScript Editor");
    EXPECT_STREQ(LoadResString(61234), "Corvane JavaScript Editor");
    EXPECT_STREQ(LoadResString(61235), "");
}

std::vector<UINT> g_commands;

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) g_commands.push_back(LOWORD(wParam));
    return DefWindowProc(hwnd, message, wParam, lParam);
}

TEST(Menus, TrackMenuResourceSendsTheChosenCommandToTheOwner) {
    using pm::res::MenuItem;
    pm::res::addMenu(
        7001,
        pm::res::MenuTemplate{{
            MenuItem{"&Edit", 0, MF_POPUP, {MenuItem{"&Copy", 301, 0, {}}}},
            MenuItem{
                "&List", 0, MF_POPUP, {MenuItem{"&Go to", 401, 0, {}}, MenuItem{"&Refresh", 402, 0, {}}}},
        }});
    WNDCLASS wc{};
    wc.lpfnWndProc = OwnerProc;
    wc.lpszClassName = "MenuOwnerTest";
    RegisterClass(&wc);
    HWND owner = CreateWindowEx(0, "MenuOwnerTest", "owner", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr,
                                nullptr, nullptr, nullptr);
    ASSERT_TRUE(owner);
    ShowWindow(owner, SW_SHOW);
    // Keys waiting in the queue choose the second item of the second sub-menu.
    for (int vk : {VK_DOWN, VK_DOWN, VK_RETURN}) {
        PostMessage(owner, WM_KEYDOWN, vk, 1);
        PostMessage(owner, WM_KEYUP, vk, 0xC0000001);
    }
    TrackMenuResource(owner, 7001, 1);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessage(&msg);
    EXPECT_EQ(g_commands, std::vector<UINT>{402});
    TrackMenuResource(owner, 7999, 0); // no such menu: nothing happens
    DestroyWindow(owner);
}

} // namespace
