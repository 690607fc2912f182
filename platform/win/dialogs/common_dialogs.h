#pragma once
// The common dialogs' shared parts: asking (the hook, else the desktop's dialog) and the extended
// error. Private to platform/win.

#include "platform/win/commdlg.h"

#include <string>

namespace pm::dialogs {

// The hook's answer when one is set; else the desktop's dialog. Without a desktop and without a
// hook, the dialog counts as cancelled.
CommonDialogAnswer ask(const CommonDialogRequest& request);
CommonDialogAnswer askDesktop(const CommonDialogRequest& request); // qt_common_dialogs.cpp
// The default printer's name, empty when there is none.
std::string defaultPrinterName();

void setExtendedError(DWORD error);

} // namespace pm::dialogs
