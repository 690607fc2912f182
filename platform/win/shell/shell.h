#pragma once
// Private parts of the shell services: the replaceable opener behind ShellExecute.

#include "platform/win/handles.h"
#include "platform/win/wintypes.h"

#include <functional>
#include <string>
#include <vector>

namespace pm {

struct ShellOpenRequest {
    enum Kind { Url, Program };
    Kind kind = Url;
    std::string target;            // URL (file:// for local documents and folders) or program path
    std::vector<std::string> args; // program parameters
    std::string dir;               // program working folder, may be empty
};

// Performs the request; true when it was handed over successfully.
using ShellOpenHook = std::function<bool(const ShellOpenRequest&)>;

// Replaces the opener (an empty hook restores the desktop's); returns the previous one.
ShellOpenHook setShellOpenHook(ShellOpenHook hook);

// Splits a parameter string on blanks; double quotes group blanks into one argument and are removed.
// Backslashes before a quote are halved, and an odd one leaves the quote in the argument (\" is a
// quote); other backslashes are kept as they are.
std::vector<std::string> splitCommandLine(const std::string& text);

// A sound PlaySound was asked to play: the wave file and the flags.
struct PlayedSound {
    std::string file;
    DWORD flags = 0;
};
// The sounds asked for since the last call, oldest first; the record is emptied.
std::vector<PlayedSound> takePlayedSounds();

} // namespace pm

// ---- Notification-area icons ----

namespace pm {

// Forces whether a notification area exists (1 yes, 0 no, -1 ask the desktop), for tests.
void setTrayAvailableOverride(int available);
// True while the icon (hwnd, id) exists; its tip into *tip when given.
bool trayIconExists(HWND hwnd, UINT id, std::string* tip = nullptr);
// Acts as a click on the icon: reason is a QSystemTrayIcon::ActivationReason value.
void trayIconActivated(HWND hwnd, UINT id, int reason);

} // namespace pm
