// The replaceable message box, input box and poll of the script engine.

#include "platform/script/script_hooks.h"

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

// The first button of each MsgBox button set: OK, OK, Abort, Yes, Yes, Retry.
int firstButton(unsigned buttons) {
    static const int kFirst[6] = {1, 1, 3, 6, 6, 4};
    unsigned set = buttons & 0xF;
    return set < 6 ? kFirst[set] : 1;
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
    return hook ? hook(owner, prompt, buttons, title) : firstButton(buttons);
}

bool scriptInputBox(HWND owner, const std::string& prompt, const std::string& title,
                    const std::string& defaultText, std::string& answer) {
    ScriptInputBoxHook hook = inputBoxHook();
    answer.clear();
    return hook ? hook(owner, prompt, title, defaultText, answer) : false;
}

void scriptPoll() {
    ScriptPollHook hook = pollHook();
    if (hook) hook();
}

} // namespace pm
