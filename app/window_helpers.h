#pragma once
// The clipboard, string resources, context menus and the desktop's programs for pages and files.

#include "platform/framework/CString.h"
#include "platform/win/handles.h"

// Puts a copy of lpszText on the clipboard as CF_TEXT, for the window that has the focus. FALSE
// when the clipboard cannot be opened or emptied; the clipboard is left closed in every case.
BOOL CopyTextToClipboard(LPCTSTR lpszText);

// The program's string resource nID; empty when there is none.
CString LoadResString(UINT nID);

// Pops up sub-menu nSubMenu of menu resource nMenuID at the cursor, tracking the right mouse button
// too, with its commands going to hOwner; the menu is destroyed afterwards.
void TrackMenuResource(HWND hOwner, UINT nMenuID, int nSubMenu);

// Opens a page, document, folder or address with the desktop's program for it (the shell's "open").
// When that fails, a message names lpszShown (the target when null) and says why; FALSE then.
BOOL OpenWithDesktop(HWND hOwner, LPCTSTR lpszTarget, LPCTSTR lpszShown = nullptr);
