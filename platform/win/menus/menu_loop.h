#pragma once
// The modal menu loop behind TrackPopupMenu and the window menu bar. Private to platform/win.

#include "platform/win/winmenu.h"
#include "platform/win/winuser.h"

namespace pm::menus {

struct LoopStart {
    HWND owner = nullptr;
    HMENU bar = nullptr;   // menu bar mode: the window's menu bar
    HMENU popup = nullptr; // popup mode: the menu TrackPopupMenu shows
    POINT at{0, 0};        // popup mode: where the popup goes (screen, before alignment)
    UINT flags = 0;        // TPM_ flags
    RECT exclude{0, 0, 0, 0};
    int barItem = -1; // menu bar mode: the item selected first
    bool openBarItem = false;
    bool system = false;  // the popup is the window's system menu
    bool byMouse = false; // started by a button press (its release chooses nothing)
};

struct LoopResult {
    UINT id = 0;         // the chosen command, 0 for none
    bool system = false; // chosen from a system menu (WM_SYSCOMMAND)
};

// Runs the loop until a command is chosen or the menu is dismissed; sends the menu messages in
// Win32 order. Posting the chosen command is the caller's.
LoopResult runMenuLoop(const LoopStart& start);
bool menuLoopRunning();
// Ends the running loop with no command.
void endMenuLoop();

// Installs the menu bar's drawing and the keyboard entry into the window manager (once).
void installMenuHooks();

// The menu bar's parts the loop uses (menu_bar.cpp).
RECT barScreenRect(HWND hwnd);
void showBarSelection(HWND hwnd, int selected, bool open);

} // namespace pm::menus
