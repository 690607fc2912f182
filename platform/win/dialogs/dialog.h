#pragma once
// The dialog manager's record of each dialog. Private to platform/win.

#include "platform/win/windlg.h"
#include "platform/win/wingdi.h"

namespace pm::dialogs {

constexpr char kDialogClass[] = "#32770";

struct DialogState {
    HFONT font = nullptr;
    bool ownsFont = false;
    SIZE baseUnits{0, 0};
    bool modal = false;
    bool ended = false;
    INT_PTR result = 0;
    int defId = 0; // DM_SETDEFID, 0 until set
    HWND focusSaved = nullptr;
};

// The state of a dialog created by the dialog manager, or nullptr.
DialogState* stateOf(HWND dialog);
DialogState& newState(HWND dialog);
void forgetState(HWND dialog);

void registerDialogClass();
// Base units of a font: average width of the letters and the height.
SIZE baseUnitsOf(HFONT font);

// Moves the focus to a control the way the dialog manager does: edit texts are selected and the
// default push button follows the focus.
void setDialogFocus(HWND dialog, HWND control);
// The dialog's default push button id (DM_GETDEFID), 0 for none.
int defaultId(HWND dialog);
// The first control that is a default push button, as created; 0 for none.
int firstDefaultButton(HWND dialog);

} // namespace pm::dialogs
