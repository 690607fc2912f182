#pragma once
// The editor's process-wide objects and helpers: the settings store, the main window and the active
// editor, the pending template path, the Functions list switch, resource strings, paths and
// context menus.

#include "app/CIniFile.h"

#include "scripting/ScriptAppServices.h"

#include "platform/framework/afxwin.h"

#include <vector>

class CEditMDIView;

// The one settings store (Settings.ini once the main frame has loaded it).
CIniFile& GetSettings();
// Loads path into the settings store, plain and writable.
BOOL LoadSettingsFile(LPCTSTR lpszPath);

// The active view of the main frame's active child window, when it is an editor view. The main
// window and the active edit control (GetMainWindow, GetActiveEditCtrl) are the script host's.
CEditMDIView* GetActiveEditView();

// Every document of the application, in template order.
std::vector<CDocument*> GetAllDocuments();
// Whether the document is still one of the application's (a modal loop may have closed it).
BOOL IsOpenDocument(const CDocument* pDoc);

void SetPendingTemplate(LPCTSTR lpszPath);
CString GetPendingTemplate();

BOOL IsFunctionsListEnabled();
void EnableFunctionsList(BOOL bEnable);

// The string resource of id, empty when there is none.
CString ResourceString(UINT nID);
// Drive and directory of the path, with the trailing separator.
CString GetFolderOfPath(LPCTSTR lpszPath);
// "$(" + name + ")".
CString MacroToken(LPCTSTR lpszName);

// Tracks sub-menu nIndex of menu resource nMenuID as a pop-up whose commands go to pOwner; at
// (-1, -1) it opens 5 pixels right of and below the cursor.
void TrackContextMenu(CWnd* pOwner, CPoint point, UINT nMenuID, int nIndex);
// Where TrackContextMenu opens for point (screen coordinates).
CPoint ContextMenuPosition(CPoint point);
