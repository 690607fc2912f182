#pragma once
// The clipboard and string resources.

#include "platform/framework/CString.h"

// Puts a copy of lpszText on the clipboard as CF_TEXT, for the window that has the focus. FALSE
// when the clipboard cannot be opened or emptied; the clipboard is left closed in every case.
BOOL CopyTextToClipboard(LPCTSTR lpszText);

// The program's string resource nID; empty when there is none.
CString LoadResString(UINT nID);
