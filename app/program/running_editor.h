#pragma once
// A second start of the editor with a file: the file goes to the editor that runs already, which
// opens it and comes to the front, and this start ends.

#include "platform/framework/afxwin.h"

// TRUE when the command line named a file and a running editor took it.
BOOL HandCommandLineToRunningEditor(CWinApp& app);
