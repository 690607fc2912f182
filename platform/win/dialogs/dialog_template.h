#pragma once
// Reading binary dialog templates into the resource form; creating dialogs from either. Private to
// platform/win.

#include "platform/win/res/resources.h"
#include "platform/win/windlg.h"

namespace pm::dialogs {

// Reads a standard (non-extended) binary template; false when it is not one.
bool parseTemplate(LPCDLGTEMPLATEA source, res::DialogTemplate* out);

HWND createDialog(const res::DialogTemplate& t, HWND parent, DLGPROC proc, LPARAM param, bool modal);
INT_PTR runModal(const res::DialogTemplate& t, HWND parent, DLGPROC proc, LPARAM param);

} // namespace pm::dialogs
