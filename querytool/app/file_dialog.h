#pragma once
// The Open and Save dialogs as the program's commands and tools ask them: the current folder (the
// personal folder) stays where it is.

#include "platform/win/windows.h"

#include <string>

struct FileDialogRequest {
    bool save = false;
    const char* filter = nullptr; // pairs of text and pattern, ending with an empty text
    const char* title = nullptr;
    const char* defaultExtension = nullptr; // none when null
};

// The chosen path, or "" when the dialog was cancelled; `filterIndex` (when given) gets the
// chosen filter, counted from 1.
std::string AskFileName(HWND owner, const FileDialogRequest& request, DWORD* filterIndex = nullptr);
