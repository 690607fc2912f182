#pragma once
// Private: turning Qt drops of local files on a window's widget into posted WM_DROPFILES.

#include "platform/win/handles.h"

class QDropEvent;

namespace pm {

// The window under the event's position, within the tree of `hwnd` (the widget's window), that
// accepts files; nullptr when none does or the data holds no local file.
HWND fileDropTarget(HWND hwnd, const QDropEvent* e);
// Posts WM_DROPFILES with a new HDROP to the target; false when there is none.
bool postFileDrop(HWND hwnd, const QDropEvent* e);

} // namespace pm
