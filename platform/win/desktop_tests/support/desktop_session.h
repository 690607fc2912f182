#pragma once
// Test helpers for the desktop tests: they run on a virtual X display with a real window manager
// (the CTest fixture started by start_desktop.sh). Input goes in through the X test extension
// (xdotool), so it travels window manager -> X server -> Qt -> our queue; what the desktop sees
// (titles, classes, stacking, the active window) is read back with xprop.

#include "platform/win/windows.h"

#include <functional>
#include <string>
#include <vector>

namespace pm::test::desktop {

// True when the fixture's display was found; tests skip themselves otherwise.
bool available();

// Dispatches messages until `done` holds or `milliseconds` pass; returns done().
bool pumpUntil(const std::function<bool()>& done, int milliseconds = 5000);
void pumpFor(int milliseconds);

// Runs xdotool with these arguments, dispatching messages until it is done.
void xdotool(const std::vector<std::string>& args);
// Runs xdotool and waits for it without taking messages: all its input is on the X server before
// the queue sees any of it, as when a program is busy while the user clicks.
void xdotoolWhileBusy(const std::vector<std::string>& args);
// Starts xdotool and returns at once: for input to a modal loop that is about to run.
void xdotoolInBackground(const std::vector<std::string>& args);

// Runs a shell command and returns at once: for watching and answering a loop that is not ours
// (the desktop's own dialogs), where no timer of ours runs.
void shellInBackground(const std::string& command);

// Answers the next file dialog over `owner` as a user does, from a timer that runs inside the
// dialog's own loop: once the dialog has the keyboard, it types `name` into its name box and, once
// the box shows it, presses Return. With `escapeTheNext`, it then waits for the dialog to come up
// again (the name was refused) and closes that one with Escape. A step that waits in vain for
// twenty seconds fails the test and closes the dialog, so that the test ends.
void typeIntoNextFileDialog(HWND owner, const std::string& name, bool escapeTheNext);

// Input at screen coordinates.
void click(POINT screen);
// Clicks until `done` holds (at most three clicks, two seconds each): on a busy machine a click can
// reach a window before it is ready for it, and a user clicks again then.
bool clickUntil(POINT screen, const std::function<bool()>& done);
void drag(POINT from, POINT to);
// Keys by their X names ("5", "Return", "Escape", "ctrl+n").
void keys(const std::vector<std::string>& names);

// Saves the whole screen (window manager and all) as test output PNG `name`.png.
void saveScreenPng(const std::string& name);
// The colour the screen shows at a point, as the X server has it.
COLORREF screenPixel(POINT screen);
// True when every pixel the screen shows in `area` (screen coordinates) has this colour.
bool screenShowsOnly(const RECT& area, COLORREF colour);

// The X window of hwnd's top-level window (0 when it has none).
unsigned long xWindow(HWND hwnd);
// A property of hwnd's top-level X window as xprop prints its value ("" when not set); `format`
// is xprop's format for it ("32c": cardinals as numbers), or its own choice when empty.
std::string property(HWND hwnd, const std::string& name, const std::string& format = "");
// The window the window manager has activated (_NET_ACTIVE_WINDOW).
unsigned long activeXWindow();
// True when the window manager has activated hwnd's top-level window and its keyboard input has
// reached us (the X focus event came in): keys typed now go to it.
bool active(HWND hwnd);
// True when the window manager stacks a's top-level window above b's.
bool stackedAbove(HWND a, HWND b);
// True when the window manager shows the window iconified.
bool iconic(HWND hwnd);

// The next modal loop's window (dialog, message box) as the desktop showed it once the window
// manager had activated it, seen from a timer inside the loop, which then answers it with `input`
// (xdotool's arguments, such as {"key", "Return"}).
struct ModalSighting {
    HWND window = nullptr;
    bool aboveOwner = false; // stacked above the owner
    std::string title;       // its _NET_WM_NAME
};
// With `picture`, the screen is saved then as test output PNG `picture`.png.
void answerNextModal(HWND owner, const std::vector<std::string>& input, const std::string& picture = "");
const ModalSighting& modalSighting();

// Input given in turn from a timer (it runs inside modal loops too): each step's input (xdotool's
// arguments) once what it waits for holds. A step that waits in vain for ten seconds is given up:
// the steps after it are not given, and Escape is pressed until no window owned by another is
// active, so that a test fails instead of hanging. A last step that waits for the loop's window to
// go makes a lost last input a step given up.
struct InputStep {
    std::function<bool()> ready;
    std::function<std::vector<std::string>()> input;
};
void giveInputInTurn(std::vector<InputStep> steps);
// The numbers of the steps given up, once every step was given or given up (it waits for that,
// so that no step's timer outlives the test).
const std::vector<std::size_t>& stepsGivenUp();

// The visible window owned by `owner` that the desktop has activated and shows where the layer
// has it (null when there is none).
HWND activeOwnedBy(HWND owner);
// xdotool's arguments for a click at a screen point.
std::vector<std::string> clickAt(POINT screen);

// The screen rectangle of hwnd's top-level X window as the X server has it (xwininfo).
RECT desktopRect(HWND hwnd);
// The screen rectangle of a window as the layer keeps it.
RECT screenRect(HWND hwnd);
POINT centre(const RECT& r);

} // namespace pm::test::desktop
