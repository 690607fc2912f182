#pragma once
// Replaceable services of the script engine: its message and input boxes, and a poll called while
// a script runs (so that a host can serve timers and set the abort flag during a long loop).
// The program installs dialog-backed hooks; tests install their own.

#include "platform/win/handles.h"

#include <functional>
#include <string>

namespace pm {

// Shows a message box for MsgBox; answers the button's id (IDOK 1 ... IDNO 7).
using ScriptMessageBoxHook =
    std::function<int(HWND owner, const std::string& prompt, unsigned buttons, const std::string& title)>;
// Shows an input box for InputBox; answers false when cancelled.
using ScriptInputBoxHook = std::function<bool(HWND owner, const std::string& prompt, const std::string& title,
                                              const std::string& defaultText, std::string& answer)>;
using ScriptPollHook = std::function<void()>;

// Null restores the default: a message box answers as if its first button (OK, Yes, Abort, Retry)
// were chosen; an input box answers as if cancelled.
void setScriptMessageBoxHook(ScriptMessageBoxHook hook);
void setScriptInputBoxHook(ScriptInputBoxHook hook);
// Called about every 10 ms of running script; null for none.
void setScriptPollHook(ScriptPollHook hook);

int scriptMessageBox(HWND owner, const std::string& prompt, unsigned buttons, const std::string& title);
bool scriptInputBox(HWND owner, const std::string& prompt, const std::string& title,
                    const std::string& defaultText, std::string& answer);
void scriptPoll();

} // namespace pm
