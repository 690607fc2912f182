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

// A top-level window that has its widget.
bool isDesktopTopLevel(const Window* w);

// The owner as transient parent, the title and the icon, given to the desktop after creation.
void publishToDesktop(Window* w);
void publishTitle(Window* w);
void publishIcon(Window* w);
// What the window manager is told of the style beyond the window's kind: a topmost window
// (WS_EX_TOPMOST) is kept above the others, and the desktop's frame shows the buttons the style has.
void publishHints(Window* w);
// The widget flags again after a style change (WS_POPUP, WS_CAPTION ...), keeping its visibility.
void refreshWindowFlags(Window* w);

// The widget shown or hidden with the window.
void setWidgetVisible(Window* w, bool visible);
// A top-level window's widget minimised (the desktop's side of maximising and restoring is in
// desktop_services.h).
void showWidgetMinimized(Window* w);
// The widget under the window's new parent (SetParent), hidden: a top-level one again as its
// kind of desktop window, a child one inside its parent's widget.
void reparentWidget(Window* w);

// Starts following the window manager's grabs of our top-level windows (an X11 desktop only), for
// the move-size messages of the moves and sizes it runs (desktop_grabs.cpp).
void watchDesktopGrabs();

// The desktop's side of mouse capture: the pointer is grabbed for our capture. Each does nothing
// for a window without a widget.
bool desktopHoldsFocus(); // one of our windows has the desktop's keyboard focus
void grabDesktopMouse(Window* w);
void releaseDesktopMouse(Window* w);

} // namespace pm::wm
