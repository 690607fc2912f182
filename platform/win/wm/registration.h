#pragma once
// Registration points for the libraries above the window manager. The window manager never calls
// up into them: each registers what it adds from its own library at start-up (a static object
// whose file the build keeps linked, see pm_library's STARTUP). Private to platform/win.

#include "platform/win/handles.h"

class QDropEvent;

namespace pm::wm {

// Adds a function that registers system window classes ("BUTTON", "MDICLIENT" ...). Each runs
// once, before the first look-up of a class that follows its registration.
void addSystemClassProvider(void (*provide)());
// Runs the providers not yet run (the class look-up calls this).
void runSystemClassProviders();

// What a top-level window's widget does with a drag over its window tree: `accepts` answers
// whether the window under the drag would take it, `deliver` hands the drop over. Handlers are
// asked in the order they were added; the first that answers true wins.
struct DropHandler {
    bool (*accepts)(HWND hwnd, const QDropEvent* e);
    bool (*deliver)(HWND hwnd, const QDropEvent* e);
    // The source keeps what it gives: the drop is taken as a copy (or a link), never as a move,
    // after which the source would delete it (files dropped on a window are opened, not moved).
    bool keepsSource = false;
};
void addDropHandler(DropHandler handler);

// Loads a class's menu by name for a top-level window made without one (the menus library sets
// it); without a loader such a window simply has no menu.
using ClassMenuLoader = HMENU (*)(HINSTANCE instance, const char* name);
void setClassMenuLoader(ClassMenuLoader load);
HMENU loadClassMenu(HINSTANCE instance, const char* name);
// The first handler that takes a drag over hwnd's window tree, or nullptr.
const DropHandler* dropHandlerFor(HWND hwnd, const QDropEvent* e);

} // namespace pm::wm
