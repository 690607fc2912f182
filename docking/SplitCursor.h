#pragma once
// The cursors over splitters: the application's own (resources 30980 for a splitter that moves
// sideways, 30981 for one that moves up and down), or the system's sizing cursors when it has none.

#include "platform/framework/afxwin.h"

HCURSOR LoadSplitCursor(bool bSideways);
