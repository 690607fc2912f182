#pragma once
// Cells of a combo that stand for commands: whether the main window enables a command, and the
// texts a cell shows (the command's prompt and its tip, with the accelerator keys of the main
// window's accelerator table appended after a tab).

#include "platform/framework/afxwin.h"

namespace docking {

// What the target's command routing says of a command: 1 enabled, 0 disabled, -1 no handler.
int ProbeCommand(CCmdTarget* pTarget, UINT nID);
// Whether the main window's command routing enables the command (no main window: enabled).
BOOL IsCommandEnabled(UINT nID);

struct CommandTexts {
    CString strPrompt; // the string resource before its first line break
    CString strTip;    // after it (the whole string without a break), then "\t" and each accelerator
};
CommandTexts GetCommandTexts(UINT nID);
// "Alt+", "Ctrl+", "Shift+" as the accelerator carries them, then its key's name or character.
CString AcceleratorText(const ACCEL& accel);

} // namespace docking
