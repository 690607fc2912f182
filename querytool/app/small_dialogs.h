#pragma once
// The "SQL Templates" dialog, the "Keyboard Shortcuts" dialog and the About box.

#include "platform/win/windows.h"

#include <string>

class CQueryWindow;

void ShowTemplatesDialog(CQueryWindow& window);
void ShowShortcutsDialog(HWND owner);
void ShowAboutBox(HWND owner);

// The fixed text of the Keyboard Shortcuts dialog.
std::string KeyboardShortcutsText();
