#pragma once
// What a desktop does for our top-level windows where one runs: a window manager that stacks,
// places, activates, minimises and maximises them, a pointer that may be over other programs, and
// the desktop's own dialogs. Without one (no display: the tests) the window tree is the whole
// truth. One of the two is chosen once, when it is first asked for, and serves the process.
// Private to platform/win.

#include "platform/win/commdlg.h"
#include "platform/win/wm/window.h"

#include <functional>

namespace pm::wm {

class DesktopServices {
public:
    virtual ~DesktopServices() = default;

    // The owner told to the window manager as the window's transient parent.
    virtual void publishOwner(Window* w) = 0;
    // A top-level window's widget raised above the desktop's other windows.
    virtual void raise(Window* w) = 0;
    // A top-level window's widget shown maximised, or restored to normal or back to maximised.
    virtual void showMaximized(Window* w) = 0;
    virtual void showRestored(Window* w, bool toMaximized) = 0;
    // Whether the desktop places the top-level window itself now (maximised or minimised there),
    // so that the window follows the desktop's geometry instead of setting it.
    virtual bool placesWindow(const Window* w) const = 0;

    // A mouse-driven move or size (SC_MOVE, SC_SIZE plus the side) handed to the window manager;
    // false when it cannot take it (a child window, the button no longer down) and the layer's own
    // loop runs.
    virtual bool startMoveSize(Window* w, WPARAM command) = 0;
    // A top-level window just shown is placed by the window manager a moment later (one shown
    // maximised gets the screen's size only then). Until the desktop shows it, a short while at most,
    // the desktop's events are taken in; then the window takes the place and size the manager gave
    // it, so that what is placed over it next (a dialog centred over its owner) goes where it is.
    virtual void settlePlacement(HWND hwnd) = 0;

    // The desktop minimised, restored or maximised the window (its task bar, a key of the window
    // manager): the window follows with the Win32 state change.
    virtual void stateChanged(HWND hwnd) = 0;
    // The desktop activated or deactivated one of our windows: the window tree follows.
    virtual void activationChanged(HWND hwnd, bool active) = 0;
    // Our activation asked of the window manager, so that the desktop's keyboard focus is ours too.
    virtual void activate(Window* w) = 0;

    // Where the pointer is on the screen now.
    virtual POINT cursorPos() const = 0;
    // One of the desktop's own dialogs, shown by `show`; cancelled (an empty answer) where none can.
    virtual CommonDialogAnswer runDialog(const std::function<CommonDialogAnswer()>& show) = 0;
};

DesktopServices& desktopServices();

} // namespace pm::wm
