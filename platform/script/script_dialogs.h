#pragma once
// The dialogs MsgBox and InputBox show when no hook replaces them.

#include "platform/script/script_hooks.h"

namespace pm {

// MessageBox with MsgBox's flags; answers the chosen button's id.
int showScriptMessageBox(HWND owner, const std::string& prompt, unsigned buttons, const std::string& title);
// A modal input dialog; answers false when cancelled, else true with the edit's text in answer.
bool showScriptInputBox(HWND owner, const ScriptInputRequest& request, std::string& answer);

} // namespace pm
