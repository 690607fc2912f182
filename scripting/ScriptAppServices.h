#pragma once
// What the automation objects use of the application: its main window, and the edit control of
// the active view of the main window's active child frame. The application installs the finder of
// its views' edit controls at start-up; until then there is no active edit control.

#include "platform/framework/afxwin.h"

#include <functional>

// The application's main window, or null.
CWnd* GetMainWindow();
// The edit control of the active view, or null when there is no main window, frame or view.
CWnd* GetActiveEditCtrl();
// Installs how the edit control of a view is found (null: none).
void SetEditCtrlOfView(std::function<CWnd*(CView*)> finder);
