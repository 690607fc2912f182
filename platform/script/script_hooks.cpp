// The replaceable message box, input box and poll of the script engine.

#include "platform/script/script_hooks.h"
#include "platform/script/script_dialogs.h"

namespace pm {

namespace {

ScriptMessageBoxHook& messageBoxHook() {
    static ScriptMessageBoxHook hook;
    return hook;
}
ScriptInputBoxHook& inputBoxHook() {
    static ScriptInputBoxHook hook;
    return hook;
}
ScriptPollHook& pollHook() {
    static ScriptPollHook hook;
    return hook;
}

} // namespace

void setScriptMessageBoxHook(ScriptMessageBoxHook hook) {
    messageBoxHook() = std::move(hook);
}
void setScriptInputBoxHook(ScriptInputBoxHook hook) {
    inputBoxHook() = std::move(hook);
}
void setScriptPollHook(ScriptPollHook hook) {
    pollHook() = std::move(hook);
}

int scriptMessageBox(HWND owner, const std::string& prompt, unsigned buttons, const std::string& title) {
    ScriptMessageBoxHook hook = messageBoxHook(); // a copy: the hook may replace itself
    return hook ? hook(owner, prompt, buttons, title) : showScriptMessageBox(owner, prompt, buttons, title);
}

bool scriptInputBox(HWND owner, const ScriptInputRequest& request, std::string& answer) {
    ScriptInputBoxHook hook = inputBoxHook();
    answer.clear();
    return hook ? hook(owner, request, answer) : showScriptInputBox(owner, request, answer);
}

void scriptPoll() {
    ScriptPollHook hook = pollHook();
    if (hook) hook();
}

} // namespace pm
