#pragma once
// Helpers for the framework's tests: pumping the queue with the application's translation and
// idle work, input, and pictures of windows.

#include "platform/framework/afxwin.h"

#include <string>

namespace pm::afxtest {

// Dispatches queued messages the way CWinApp::Run does (PreTranslateMessage first), then runs the
// application's idle work until it asks for no more.
void pump();
// Only the idle work (OnIdle 0, 1, ... until it returns FALSE).
void runIdle();
void click(HWND hwnd, POINT client);
void pressKey(HWND any, int vk, bool shift = false, bool control = false, bool alt = false);
void typeText(HWND any, const std::string& text);
// Saves the window as <test output>/<name>.png; true on success.
bool savePng(HWND hwnd, const std::string& name);
// A folder of its own under the system's temporary folder, removed by the caller's fixture.
std::string makeTempFolder();
void removeFolder(const std::string& folder);

} // namespace pm::afxtest
