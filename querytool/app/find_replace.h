#pragma once
// Find and Replace in a rich edit for the common Find/Replace dialog's requests, shared by the SQL
// editor and the text view.

#include "platform/win/commdlg.h"
#include "platform/win/windows.h"

#include <string>

// Handles one request: the dialog closing (the application forgets it) or find next, replace and
// replace all in the control; the focus goes back to the control.
void HandleFindReplace(HWND edit, const FINDREPLACEA& request);

// Replaces every match of `find` from the start of the text with `replacement`, going on after each
// inserted text; returns the count.
int ReplaceAllInEdit(HWND edit, const char* find, const char* replacement, DWORD flags);

// The control's selected text.
std::string EditSelectedText(HWND edit);
