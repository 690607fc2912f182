// Windows of other processes: a program started with WinExec is waited for until it waits for
// input; its window, named by the number it wrote down, lives for IsWindow, belongs to its process
// and takes WM_COPYDATA while the sender waits (also when it sends back in the meantime); once it
// has ended, its handle is dead. Handles of two processes never coincide.

#include "platform/win/tests/support/test_windows.h"

#include "cmake/test_files.h"
#include "platform/win/handle_table.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

std::vector<std::string> received;

LRESULT CALLBACK ownProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COPYDATA) return ::DefWindowProc(hwnd, message, wParam, lParam);
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    received.emplace_back(static_cast<const char*>(data->lpData), data->cbData);
    return 5;
}

LRESULT sendText(HWND to, HWND from, ULONG_PTR kind, const std::string& text) {
    COPYDATASTRUCT data{kind, static_cast<DWORD>(text.size()), const_cast<char*>(text.data())};
    return ::SendMessage(to, WM_COPYDATA, reinterpret_cast<WPARAM>(from), reinterpret_cast<LPARAM>(&data));
}

} // namespace

TEST(RemoteWindows, HandlesOfTwoProcessesDifferAndTellTheirProcess) {
    pm::HandleTable<int> mine(1234), theirs(1235), untagged;
    const std::uintptr_t a = mine.add(std::make_unique<int>(1));
    const std::uintptr_t b = theirs.add(std::make_unique<int>(2));
    EXPECT_NE(a, b) << "the same slot and generation in two processes";
    EXPECT_EQ(pm::HandleTable<int>::tagOf(a), 1234u);
    EXPECT_EQ(mine.get(b), nullptr) << "another process's handle is not one of ours";
    ASSERT_NE(mine.get(a), nullptr);
    mine.remove(a);
    EXPECT_EQ(mine.get(a), nullptr) << "a freed tagged handle is stale";
    const std::uintptr_t reused = mine.add(std::make_unique<int>(3));
    EXPECT_NE(reused, a);
    EXPECT_NE(untagged.add(std::make_unique<int>(4)), 0u);
}

TEST(RemoteWindows, AnotherProcessesWindowTakesCopyDataWhileTheSenderWaits) {
    std::string folder = (std::filesystem::temp_directory_path() / "remote-XXXXXX").string();
    ASSERT_NE(::mkdtemp(folder.data()), nullptr);
    const std::string handleFile = folder + "/peer.handle";
    HWND own = pm::test::createParent(ownProc, 50, 50);
    ASSERT_NE(own, nullptr);

    const std::string line = std::string(PM_REMOTE_PEER) + " " + handleFile;
    ASSERT_GT(::WinExec(line.c_str(), SW_SHOWNORMAL), 31u);
    ASSERT_TRUE(std::filesystem::exists(handleFile)) << "WinExec came back before the peer waited for input";
    HWND peer = reinterpret_cast<HWND>(std::strtoull(pm::test::readFile(handleFile).c_str(), nullptr, 10));
    EXPECT_TRUE(::IsWindow(peer));
    DWORD process = 0;
    ::GetWindowThreadProcessId(peer, &process);
    EXPECT_NE(process, ::GetCurrentProcessId());
    EXPECT_NE(process, 0u);

    EXPECT_EQ(sendText(peer, own, 0, "/home/user/a b.js"), 1);
    EXPECT_EQ(sendText(peer, own, 1, std::string("path;word\0tail", 14)), 2) << "every byte travels";
    EXPECT_EQ(sendText(peer, nullptr, 2, ""), 3);
    EXPECT_EQ(sendText(peer, own, 7, "back"), 8);
    EXPECT_EQ(received, std::vector<std::string>{"back"}) << "sent back to us while we waited";
    PDWORD_PTR none = nullptr;
    EXPECT_EQ(::SendMessageTimeout(peer, WM_CLOSE, 0, 0, SMTO_NORMAL, 1000, none), 0)
        << "only WM_COPYDATA goes to another process";
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));

    EXPECT_EQ(sendText(peer, own, 99, "bye"), 100);
    const std::string log = pm::test::readFile(handleFile + ".log");
    EXPECT_EQ(log, "0:/home/user/a b.js:alive\n1:path;word" + std::string(1, '\0') +
                       "tail:alive\n2::none\n7:back:alive\n99:bye:alive\n");
    EXPECT_FALSE(::IsWindow(peer)) << "destroyed before it answered";
    EXPECT_EQ(sendText(peer, own, 0, "late"), 0);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));

    EXPECT_EQ(::WinExec((folder + "/missing-program").c_str(), SW_SHOWNORMAL),
              static_cast<UINT>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(::WinExec(handleFile.c_str(), SW_SHOWNORMAL), static_cast<UINT>(ERROR_BAD_FORMAT));
    ::DestroyWindow(own);
    std::filesystem::remove_all(folder);
}

namespace {

int paints = 0;
int users = 0;

LRESULT CALLBACK countingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER) ++users;
    if (message != WM_PAINT) return ::DefWindowProc(hwnd, message, wParam, lParam);
    PAINTSTRUCT ps;
    ::BeginPaint(hwnd, &ps);
    ::EndPaint(hwnd, &ps);
    ++paints;
    return 0;
}

} // namespace

// The started program takes a moment of real time to end: that wait is the subject.
TEST(RemoteWindows, WinExecPaintsTheCallersWindowsWhileItWaitsAndKeepsOtherMessages) {
    HWND own = pm::test::createParent(countingProc, 50, 50);
    ASSERT_NE(own, nullptr);
    ::ShowWindow(own, SW_SHOWNA);
    ::InvalidateRect(own, nullptr, TRUE);
    ::PostMessage(own, WM_USER, 0, 0);
    paints = users = 0;
    ASSERT_GT(::WinExec("sleep 0.2", SW_SHOWNORMAL), 31u);
    EXPECT_GE(paints, 1) << "the window was painted during the wait";
    EXPECT_EQ(users, 0) << "other messages wait for the caller's own loop";
    MSG msg;
    EXPECT_TRUE(::PeekMessage(&msg, own, WM_USER, WM_USER, PM_REMOVE));
    ::DestroyWindow(own);
}
