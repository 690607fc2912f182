#pragma once
// MsgBox: a message box over the window system's MessageBox, with VB's flag and result values.

#include <string>

namespace vb {

enum MsgBoxStyle {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton1 = 0,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};

enum MsgBoxResult { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

// Shows `prompt` with the buttons and icon of `buttons`, owned by the active window (or, when none
// is active, by the form that was active last); an empty title
// gives the application's title. Returns the button chosen.
int MsgBox(const std::string& prompt, int buttons = vbOKOnly, const std::string& title = "");

} // namespace vb
