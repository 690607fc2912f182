// The framework's test helpers over the window system's.

#include "platform/framework/tests/support/framework_test.h"

#include "platform/win/tests/support/test_windows.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace pm::afxtest {

void runIdle() {
    CWinApp* app = AfxGetApp();
    if (!app) {
        AfxDeleteTempMaps();
        return;
    }
    for (LONG count = 0; app->OnIdle(count); ++count) {
    }
}

void pump() {
    MSG msg{};
    for (int round = 0; round < 50; ++round) {
        bool any = false;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            any = true;
            if (msg.message == WM_QUIT) continue;
            if (!pm::afx::preTranslateForApp(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessage(&msg);
            }
        }
        runIdle();
        if (!any) break;
    }
}

void click(HWND hwnd, POINT client) {
    pm::test::click(hwnd, client);
    pump();
}

void pressKey(HWND any, int vk, bool shift, bool control, bool alt) {
    pm::test::pressKey(any, vk, shift, control, alt);
    pump();
}

void typeText(HWND any, const std::string& text) {
    pm::test::typeText(any, QString::fromUtf8(text.c_str()));
    pump();
}

bool savePng(HWND hwnd, const std::string& name) {
    return pm::test::saveWindowPng(hwnd, pm::test::outputFolder() + "/" + QString::fromStdString(name) + ".png");
}

std::string makeTempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "afxtest-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const char* made = ::mkdtemp(name.data());
    return made ? std::string(made) : std::string();
}

void removeFolder(const std::string& folder) {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

} // namespace pm::afxtest
