#pragma once
// Internal services shared by the window manager's sources. Private to platform/win.

#include "platform/win/wm/window.h"

#include <functional>

namespace pm::wm {

// ---- Window table (window_table.cpp) ----
Window* window(HWND hwnd);      // nullptr for 0 and stale handles
Window* desktop();              // the root: its children are the top-level windows
Window* newWindow();            // a fresh record with its handle; null when every handle is taken
void freeWindow(Window* w);     // forgets the record; its handle becomes stale
void collectDestroyedWindows(); // frees forgotten records once no window procedure runs
int procDepth();                // window procedures running on the stack
bool onUiThread();
template <class F> void forEachChildDeep(Window* w, F f) {
    for (Window* c : std::vector<Window*>(w->children)) {
        f(c);
        forEachChildDeep(c, f);
    }
}

// ---- Classes (window_class.cpp) ----
WindowClass* findClass(LPCSTR name);

// ---- Geometry (geometry.cpp) ----
POINT windowScreenOrigin(const Window* w); // screen position of the window's top-left corner
POINT clientScreenOrigin(const Window* w);
RECT windowRectOnScreen(const Window* w);
bool isVisible(const Window* w); // visible itself and every ancestor
Window* topLevelOf(Window* w);
bool isDescendant(const Window* ancestor, const Window* w);
Window* windowFromScreenPoint(POINT screen, int* hitTest); // sends WM_NCHITTEST
void recalcClient(Window* w, const WINDOWPOS* pos);        // WM_NCCALCSIZE

// ---- The desktop's side of geometry (desktop_window.cpp) ----
void syncWidgetGeometry(Window* w); // the widget where the window tree says
void restackWidget(Window* w);

// ---- Z-order (zorder.cpp) ----
void insertInZOrder(Window* w, HWND after);
void unlinkFromParent(Window* w);

// ---- Sending (send.cpp) ----
LRESULT callProc(Window* w, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT send(Window* w, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

// ---- Queue (queue.cpp) ----
void postFront(const MSG& msg);
// Puts a mouse press that was taken from the queue back at its front, to be aimed anew when it is
// read: the press that dismisses a menu outside it still reaches the window under it.
void returnPressToQueue(const MSG& press);
// Mouse input still in the queue is aimed anew when it is read (the capture changed): a release a
// peek looked at before a press took the capture still goes to the capturing window.
void reaimQueuedMouseInput();
void wakeLoop();
DWORD messageTime();
void pumpQt(bool wait);
void setCurrentMessage(const MSG& msg);
// Handles the messages that other threads sent to this one and wait for (the user-interface thread
// does so while it waits itself, for an answer from another process).
void runIncomingSends();

// ---- Painting (painting.cpp) ----
void markDirty(Window* w);
Window* nextWindowToPaint(Window* filter);
// Invalidates a rectangle of the window (window coordinates) but the part inside keep.
void invalidateRect(Window* w, const RECT& windowRect, UINT flags, const RECT& keep = RECT{});
// Follows a new size of the window: its image comes at that size when it is next needed.
void resizeImage(Window* w);
// Lets go of the window's image once its visible children cover all of it.
void letGoOfCoveredImage(Window* w);
// Inverts the colours of a rectangle given in client coordinates (cut to the client area) in w's
// image and shows it: the caret's drawing.
void invertClientRect(Window* w, const RECT& clientRect);
void forgetPaintState(Window* w);

// ---- Focus and activation (focus.cpp) ----
void activate(Window* w, int how);
void activateNext(Window* leaving); // the owner, else the next visible top-level window
void forgetFocusState(Window* w);   // the window is being destroyed
Window* activeWindow();
Window* focusWindow();
Window* captureWindow();
// Follows an activation change the desktop made (the user switching windows on a real desktop).
void followDesktopActivation(HWND hwnd, bool active);

// ---- Input (input.cpp) ----
void setKeyDown(int vk, bool down, bool async);
bool keyDown(int vk);
// Shift, Ctrl and Alt as the keyboard holds them now: keys pressed or released while a window
// outside this queue (the desktop's own dialog, another program) had the keyboard.
void takeModifierKeysFromKeyboard();
// The key of the last key press taken from the queue, whoever handled it (an accelerator too).
int lastKeyPressed();
WPARAM mouseKeyFlags();
POINT cursorScreenPos();

// ---- Timers (timers.cpp) ----
bool takeDueTimer(Window* filter, MSG* msg, bool remove);
void killWindowTimers(Window* w);
void armTimerWaker(); // before the loop waits: wakes it when the next timer falls due
// The caret's blink: tick runs every period on the event loop, outside the message queue (no
// message loop sees it as WM_TIMER). Starting it again restarts the period.
void startBlinking(UINT milliseconds, void (*tick)());
void stopBlinking();

// ---- Hooks (hooks.cpp) ----
bool hooksInstalled(int idHook);
LRESULT callHooks(int idHook, int code, WPARAM wParam, LPARAM lParam);

// ---- Caret (caret.cpp) ----
void hideCaretForPaint(Window* w);
void showCaretAfterPaint(Window* w);
void forgetCaret(Window* w);

// ---- Non-client area (nonclient.cpp, sizing.cpp) ----
RECT nonClientInsets(DWORD style, DWORD exStyle, int menuHeight, bool desktopFrame);
bool hasDesktopFrame(const Window* w);
LRESULT defNcHitTest(Window* w, POINT screen);
void defNcPaint(Window* w);
void runMoveSizeLoop(Window* w, WPARAM command, POINT start);
void defSysCommand(Window* w, WPARAM command, LPARAM lParam);
void defNcLButtonDown(Window* w, WPARAM hit, LPARAM lParam);
// A move or size that the window manager runs for the top-level window w, from its grab of the
// window to its release. Asked for by us (a caption or border drag of our own non-client area,
// `side` the WMSZ_ edge of a size, 0 for a move), it is announced at once with WM_ENTERSIZEMOVE;
// seen only as the manager's grab (a drag of the desktop's own title bar or border), it is
// announced with the first change of place the manager makes during the grab.
void desktopMoveSizeStarted(Window* w, bool asked, int side);
bool desktopMoveSizeRuns(const Window* w);
// The place the window manager gives w (screen): inside a move or size it goes through WM_MOVING
// or WM_SIZING, whose handler may change it, before the window takes it.
void followDesktopGeometry(Window* w, RECT proposed);
// The manager's grab ended: WM_EXITSIZEMOVE when the move or size was announced.
void desktopMoveSizeEnded(Window* w);
// The desktop's deactivation of w while the manager holds it for a move or size: the window stays
// active through the move (as in Win32), and is deactivated when the grab ends without the desktop's
// focus coming back. True when the deactivation is held.
bool holdDesktopDeactivation(Window* w);

// Hand-offs to other parts of the layer (menus), set by them when present.
// The menu loop, for WM_SYSCOMMAND SC_KEYMENU and SC_MOUSEMENU (HTMENU and HTSYSMENU clicks).
using KeyMenuHandler = std::function<void(HWND, WPARAM, LPARAM)>;
void setKeyMenuHandler(KeyMenuHandler handler);
KeyMenuHandler keyMenuHandler();
// The menu bar of a top-level window whose GWL_ID holds its menu: its height for a window width,
// and its drawing into the window DC (bar in window coordinates). Without them the bar is
// SM_CYMENU high and drawn empty.
struct MenuBarHooks {
    int (*height)(HWND hwnd, int width) = nullptr;
    void (*paint)(HWND hwnd, HDC windowDC, const RECT& bar) = nullptr;
    // The window is being destroyed (after WM_NCDESTROY): its menu bar and system menu go with it.
    void (*destroyed)(HWND hwnd) = nullptr;
};
void setMenuBarHooks(const MenuBarHooks& hooks);
const MenuBarHooks& menuBarHooks();
int menuBarHeight(const Window* w);
// The standard scroll bars of WS_VSCROLL / WS_HSCROLL windows: drawing (bar is SB_VERT or SB_HORZ,
// area in window coordinates) and tracking a click on one (screen point). Without them the area is
// drawn empty and clicks do nothing.
struct ScrollBarHooks {
    void (*paint)(HWND hwnd, HDC windowDC, int bar, const RECT& area) = nullptr;
    void (*track)(HWND hwnd, int bar, POINT screen) = nullptr;
};
void setScrollBarHooks(const ScrollBarHooks& hooks);
const ScrollBarHooks& scrollBarHooks();

// ---- Window positions (window_pos.cpp) ----
BOOL setWindowPos(Window* w, HWND after, int x, int y, int cx, int cy, UINT flags);

} // namespace pm::wm
