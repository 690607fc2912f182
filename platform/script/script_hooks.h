#pragma once
// Replaceable services of the script engine: its message and input boxes, and a poll called while
// a script runs (so that a host can serve timers and set the abort flag during a long loop).
// By default MsgBox and InputBox show real dialogs of the window layer; a caller may install its
// own hooks instead.

#include "platform/win/handles.h"

#include <functional>
#include <optional>
#include <string>

namespace pm {

// What InputBox asks: its texts, and the position of the box's top-left corner in twips from the
// screen's top-left corner (a missing x centres the box; a missing y puts it a third of the way
// down the screen).
struct ScriptInputRequest {
    std::string prompt;
    std::string title;
    std::string defaultText;
    std::optional<int> xTwips, yTwips;
};

// Shows a message box for MsgBox; answers the button's id (IDOK 1 ... IDNO 7). buttons holds
// MsgBox's button, icon, default-button and modality flags (the MB_ values).
using ScriptMessageBoxHook =
    std::function<int(HWND owner, const std::string& prompt, unsigned buttons, const std::string& title)>;
// Shows an input box for InputBox; answers false when cancelled.
using ScriptInputBoxHook =
    std::function<bool(HWND owner, const ScriptInputRequest& request, std::string& answer)>;
using ScriptPollHook = std::function<void()>;

// Null restores the default: the window layer's MessageBox, and a modal input dialog of ours
// (prompt, edit, OK and Cancel) owned by the given window.
void setScriptMessageBoxHook(ScriptMessageBoxHook hook);
void setScriptInputBoxHook(ScriptInputBoxHook hook);
// Called about every 10 ms of running script; null for none.
void setScriptPollHook(ScriptPollHook hook);

int scriptMessageBox(HWND owner, const std::string& prompt, unsigned buttons, const std::string& title);
bool scriptInputBox(HWND owner, const ScriptInputRequest& request, std::string& answer);
void scriptPoll();

} // namespace pm
