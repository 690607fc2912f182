#pragma once
// How the desktop's window manager sees a top-level window: its kind (managed or a short-lived
// popup that bypasses the manager), its owner, title, icon and state, and the move, size and state
// requests made from our own non-client area; and the widget operations the window tree needs.
// Private to platform/win; the Qt side is in desktop_widgets.h.

#include "platform/win/wm/window.h"

namespace pm::wm {

// Short-lived popups that never hold the keyboard (menus, tips, drop-down lists: classes with
// CS_SAVEBITS and neither caption nor dialog frame) bypass the window manager. Every other
// top-level window is managed: overlapped windows keep the desktop's frame, popups are frameless
// (we draw their non-client area), owned ones are dialogs or, with WS_EX_TOOLWINDOW, tool windows.
bool bypassesWindowManager(const Window* w);

// The widget that shows w on the desktop, made hidden at creation (a top-level one never takes
// the activation by being shown), and taken down with the window.
void createWidget(Window* w);
void destroyWidget(Window* w);

// The owner as transient parent, the title and the icon, given to the desktop after creation.
void publishToDesktop(Window* w);
void publishOwner(Window* w);
void publishTitle(Window* w);
void publishIcon(Window* w);
// What the window manager is told of the style beyond the window's kind: a topmost window
// (WS_EX_TOPMOST) is kept above the others, and the desktop's frame shows the buttons the style has.
void publishHints(Window* w);
// The widget flags again after a style change (WS_POPUP, WS_CAPTION ...), keeping its visibility.
void refreshWindowFlags(Window* w);

// The widget shown or hidden with the window.
void setWidgetVisible(Window* w, bool visible);
// A top-level window's widget above the desktop's other windows.
void raiseOnDesktop(Window* w);
// A top-level window's widget minimised, maximised, or restored to normal or back to maximised.
void showWidgetMinimized(Window* w);
void showWidgetMaximized(Window* w);
void showWidgetRestored(Window* w, bool toMaximized);
// The widget under the window's new parent (SetParent), hidden: a top-level one again as its
// kind of desktop window, a child one inside its parent's widget.
void reparentWidget(Window* w);

// A mouse-driven move or size of a top-level window handed to the window manager; false when it
// cannot take it (offscreen, a child window, the button no longer down on the desktop), and the
// layer's own loop runs.
bool requestDesktopMoveSize(Window* w, WPARAM command);

// Starts following the window manager's grabs of our top-level windows (an X11 desktop only), for
// the move-size messages of the moves and sizes it runs (desktop_grabs.cpp).
void watchDesktopGrabs();

// A top-level window just shown is placed by the window manager a moment later (one shown maximised
// gets the screen's size only then). Until the desktop shows it, a short while at most, the
// desktop's events are taken in; then the window takes the place and size the manager gave it, so
// that what is placed over it next (a dialog centred over its owner) goes where it really is.
void settleDesktopPlacement(HWND hwnd);

// Minimised or restored by the desktop (its task bar, a key of the window manager): the window
// follows with the Win32 state change.
void followDesktopState(HWND hwnd, bool);

// The desktop's side of activation and mouse capture: its keyboard focus follows our activation,
// and the pointer is grabbed for our capture. Each does nothing for a window without a widget.
void activateOnDesktop(Window* w);
bool desktopHoldsFocus(); // one of our windows has the desktop's keyboard focus
void grabDesktopMouse(Window* w);
void releaseDesktopMouse(Window* w);

} // namespace pm::wm
