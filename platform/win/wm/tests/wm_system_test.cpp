// System services: global memory, errors and their texts, the module path, the clipboard,
// resources and the beep record.

#include "platform/win/tests/support/test_windows.h"

#include "platform/win/res/resources.h"
#include "platform/win/wm/beeps.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(GlobalMemory, MoveableAndFixedBlocks) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 16);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GlobalSize(h), 16u);
    auto* p = static_cast<char*>(GlobalLock(h));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p[15], 0);
    std::strcpy(p, "hello");
    EXPECT_FALSE(GlobalUnlock(h));
    h = GlobalReAlloc(h, 1000, GMEM_MOVEABLE);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GlobalSize(h), 1000u);
    EXPECT_STREQ(static_cast<char*>(GlobalLock(h)), "hello");
    GlobalUnlock(h);
    EXPECT_EQ(GlobalFree(h), nullptr);
    EXPECT_EQ(GlobalLock(h), nullptr) << "a freed handle is stale";
    HGLOBAL f = GlobalAlloc(GPTR, 8);
    EXPECT_EQ(GlobalLock(f), f) << "a fixed block's handle is its address";
    GlobalUnlock(f);
    EXPECT_EQ(GlobalHandle(f), f);
    EXPECT_EQ(GlobalFree(f), nullptr);
    EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(-1)), nullptr);
}

TEST(Errors, LastErrorAndMessageTexts) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    char buf[256];
    DWORD n =
        FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, ERROR_ACCESS_DENIED, 0, buf, sizeof buf, nullptr);
    EXPECT_STREQ(buf, "Access is denied.\r\n");
    EXPECT_EQ(n, std::strlen(buf));
    n = FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_MAX_WIDTH_MASK, nullptr,
                      ERROR_ACCESS_DENIED, 0, buf, sizeof buf, nullptr);
    EXPECT_STREQ(buf, "Access is denied.");
    EXPECT_EQ(FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, 987654, 0, buf, sizeof buf, nullptr), 0u);
    char* allocated = nullptr;
    FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr, ERROR_SUCCESS, 0,
                  reinterpret_cast<LPSTR>(&allocated), 0, nullptr);
    ASSERT_NE(allocated, nullptr);
    EXPECT_STREQ(allocated, "The operation completed successfully.\r\n");
    LocalFree(allocated);
}

TEST(Errors, MessageStringsWithInserts) {
    struct Case {
        const char* name;
        const char* format;
        DWORD flags;
        const char* want;
    } cases[] = {
        {"plain inserts", "%1 and %2", FORMAT_MESSAGE_ARGUMENT_ARRAY, "one and 2"},
        {"reordered", "%2-%1", FORMAT_MESSAGE_ARGUMENT_ARRAY, "2-one"},
        {"number format", "n=%3!d!", FORMAT_MESSAGE_ARGUMENT_ARRAY, "n=-7"},
        {"escapes", "100%% done%n", FORMAT_MESSAGE_ARGUMENT_ARRAY, "100% done\r\n"},
        {"ignored inserts", "%1 stays %2!d!", FORMAT_MESSAGE_IGNORE_INSERTS, "%1 stays %2!d!"},
        {"end mark", "cut%0 here", FORMAT_MESSAGE_ARGUMENT_ARRAY, "cut"},
    };
    DWORD_PTR args[] = {reinterpret_cast<DWORD_PTR>("one"), reinterpret_cast<DWORD_PTR>("2"),
                        static_cast<DWORD_PTR>(static_cast<LONG_PTR>(-7))};
    for (const Case& c : cases) {
        char buf[64] = {};
        FormatMessage(FORMAT_MESSAGE_FROM_STRING | c.flags, c.format, 0, 0, buf, sizeof buf,
                      reinterpret_cast<va_list*>(args));
        EXPECT_STREQ(buf, c.want) << c.name;
    }
    char tiny[4];
    EXPECT_EQ(FormatMessage(FORMAT_MESSAGE_FROM_STRING, "too long", 0, 0, tiny, sizeof tiny, nullptr), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

TEST(Module, PathTimeAndThreads) {
    char path[MAX_PATH];
    DWORD n = GetModuleFileName(nullptr, path, MAX_PATH);
    ASSERT_GT(n, 0u);
    EXPECT_NE(std::strstr(path, "win_wm_system_test"), nullptr);
    char small[5];
    EXPECT_EQ(GetModuleFileName(nullptr, small, sizeof small), 5u);
    EXPECT_EQ(std::strlen(small), 4u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    DWORD t0 = GetTickCount();
    pm::test::advanceClock(20);
    EXPECT_EQ(GetTickCount() - t0, 20u);
    EXPECT_NE(GetModuleHandle(nullptr), nullptr);
    EXPECT_NE(GetCurrentThreadId(), 0u);
}

TEST(Module, WindowsAndSystemFoldersStandInAsSharedDataAndLibraries) {
    char folder[MAX_PATH];
    EXPECT_EQ(GetWindowsDirectory(folder, MAX_PATH), 10u);
    EXPECT_STREQ(folder, "/usr/share");
    EXPECT_EQ(GetSystemDirectory(folder, MAX_PATH), 8u);
    EXPECT_STREQ(folder, "/usr/lib");
    char small[8] = "kept";
    EXPECT_EQ(GetSystemDirectory(small, sizeof small), 9u) << "the size needed, NUL included";
    EXPECT_STREQ(small, "kept");
}

TEST(Clipboard, TextAndRegisteredFormatsRoundTrip) {
    UINT custom = RegisterClipboardFormat("Pm Custom Format");
    EXPECT_GE(custom, 0xC000u);
    EXPECT_EQ(RegisterClipboardFormat("pm custom format"), custom);
    EXPECT_FALSE(EmptyClipboard()) << "the clipboard must be open";
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(OpenClipboard(nullptr));
    EmptyClipboard();
    const char text[] = "caf\xC3\xA9 line";
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, sizeof text);
    std::memcpy(GlobalLock(h), text, sizeof text);
    GlobalUnlock(h);
    SetClipboardData(CF_TEXT, h);
    HGLOBAL c = GlobalAlloc(GMEM_MOVEABLE, 3);
    std::memcpy(GlobalLock(c), "\x01\x00\x02", 3);
    GlobalUnlock(c);
    SetClipboardData(custom, c);
    CloseClipboard();
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_TRUE(IsClipboardFormatAvailable(custom));
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE got = GetClipboardData(CF_TEXT);
    ASSERT_NE(got, nullptr);
    EXPECT_STREQ(static_cast<char*>(GlobalLock(got)), text);
    GlobalUnlock(got);
    HANDLE bytes = GetClipboardData(custom);
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(GlobalSize(bytes), 3u);
    EXPECT_EQ(static_cast<char*>(GlobalLock(bytes))[2], 2);
    GlobalUnlock(bytes);
    CloseClipboard();
}

namespace {
const unsigned char kPixel[] = {1, 2, 3};
pm::res::Registrar resources([] {
    pm::res::addStrings({{100, "Hello"}, {101, "prompt\ntip"}});
    pm::res::addAccelerators(200, {{FVIRTKEY | FCONTROL, 'O', 300}});
    pm::res::addAccelerators("MAINACCEL", {{FVIRTKEY, VK_F1, 301}});
    pm::res::addMenu(400, pm::res::MenuTemplate{{{"&File", 0, 0x10, {{"&Open\tCtrl+O", 300, 0, {}}}}}});
    pm::res::addImage(pm::res::ImageKind::Bitmap, 500, kPixel, sizeof kPixel);
});
} // namespace

TEST(Resources, StringsTablesAndImages) {
    char buf[32];
    EXPECT_EQ(LoadString(nullptr, 100, buf, sizeof buf), 5);
    EXPECT_STREQ(buf, "Hello");
    EXPECT_EQ(LoadString(nullptr, 101, buf, 7), 6);
    EXPECT_STREQ(buf, "prompt");
    EXPECT_EQ(LoadString(nullptr, 999, buf, sizeof buf), 0);
    EXPECT_STREQ(buf, "");
    const char* direct = nullptr;
    EXPECT_EQ(LoadString(nullptr, 100, reinterpret_cast<LPSTR>(&direct), 0), 5);
    EXPECT_STREQ(direct, "Hello");
    HACCEL a = LoadAccelerators(nullptr, MAKEINTRESOURCE(200));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(LoadAccelerators(nullptr, MAKEINTRESOURCE(200)), a);
    ACCEL entry{};
    EXPECT_EQ(CopyAcceleratorTable(a, &entry, 1), 1);
    EXPECT_EQ(entry.cmd, 300);
    EXPECT_NE(LoadAccelerators(nullptr, "mainaccel"), nullptr) << "names ignore case";
    EXPECT_EQ(LoadAccelerators(nullptr, MAKEINTRESOURCE(201)), nullptr);
    const pm::res::MenuTemplate* menu = pm::res::findMenu(MAKEINTRESOURCE(400));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->items.at(0).items.at(0).id, 300u);
    EXPECT_EQ(pm::res::findImage(pm::res::ImageKind::Bitmap, "#500").size, 3u);
    EXPECT_EQ(pm::res::findImage(pm::res::ImageKind::Icon, MAKEINTRESOURCE(500)).data, nullptr);
}

TEST(Beeps, MessageBeepIsRecorded) {
    pm::takeRecordedBeeps();
    MessageBeep(MB_ICONEXCLAMATION);
    MessageBeep(0);
    EXPECT_EQ(pm::takeRecordedBeeps(), (std::vector<UINT>{MB_ICONEXCLAMATION, 0}));
    EXPECT_TRUE(pm::takeRecordedBeeps().empty());
}
