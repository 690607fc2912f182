// Drops on our windows: local files become WM_DROPFILES (copied: their source keeps them), plain
// text goes to the window under the pointer. This library hands both to the window manager's
// widgets at start-up, files first.

#include "platform/win/shell/drop.h"
#include "platform/win/shell/text_drop.h"
#include "platform/win/wm/registration.h"

namespace {

bool acceptsFiles(HWND hwnd, const QDropEvent* e) {
    return pm::fileDropTarget(hwnd, e) != nullptr;
}

bool registerDropHandlers() {
    pm::wm::addDropHandler({acceptsFiles, pm::postFileDrop, true});
    pm::wm::addDropHandler({pm::acceptsTextDrop, pm::deliverTextDrop, false});
    return true;
}

} // namespace

// Kept linked by the build (pm_library STARTUP).
extern "C" const bool pm_win_shell_startup = registerDropHandlers();
