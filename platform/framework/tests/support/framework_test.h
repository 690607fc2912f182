#pragma once
// Helpers for the framework's tests: pumping the queue with the application's translation and
// idle work, input, and pictures of windows.

#include "platform/framework/afxwin.h"

#include <string>
#include <vector>

namespace pm::afxtest {

// Dispatches queued messages the way CWinApp::Run does (PreTranslateMessage first), then runs the
// application's idle work until it asks for no more.
void pump();
// Only the idle work (OnIdle 0, 1, ... until it returns FALSE).
void runIdle();
void click(HWND hwnd, POINT client);
void pressKey(HWND any, int vk, bool shift = false, bool control = false, bool alt = false);
// Presses a key without serving the queue afterwards, so that a menu the key opens reads the keys
// queued after it from inside its own loop.
void queueKey(HWND any, int vk, bool shift = false, bool control = false, bool alt = false);
// Presses (down) or releases a key alone, for keys held during mouse input (Ctrl during a drag).
void holdKey(HWND any, int vk, bool down);
void typeText(HWND any, const std::string& text);
// Types text as a person at a US keyboard does (Shift down and up around shifted characters),
// `msPerKey` of the clock for each character, serving the queue as the application does between keys.
void typeAtPace(HWND any, const std::string& text, DWORD msPerKey);
// A tool-bar image strip of `count` 16x15 coloured squares, so pictures tell the buttons apart.
HBITMAP makeButtonImages(int count);
// Saves the window as <test output>/<name>.png; true on success.
bool savePng(HWND hwnd, const std::string& name);
// Saves the whole screen as <test output>/<name>.png: every top-level window of ours, with what
// is drawn on the desktop's overlay (drag outlines) on top.
bool saveScreenPng(const std::string& name);
// The part of the screen inside `part` (screen coordinates), without the overlay.
bool saveScreenPng(const std::string& name, const RECT& part);
// The outline pixels on the desktop's overlay inside rect (screen coordinates): how many are drawn.
int overlayPixelsIn(const RECT& rect);
// The same with the visible popups drawn over it where they are on the screen (lists, tips).
bool savePngWithPopups(HWND hwnd, const std::vector<HWND>& popups, const std::string& name);
// A folder of its own under the system's temporary folder, removed by the caller's fixture.
std::string makeTempFolder();
void removeFolder(const std::string& folder);

} // namespace pm::afxtest
