#pragma once
// Windows of other processes. Window handles carry their process's id, so a handle written down as
// a number by one process names the same window in another. Each process of the user listens on a
// local socket of its own ($XDG_RUNTIME_DIR/pmwin/wnd-<pid>, in a folder only the user may enter)
// and answers there whether one of its windows lives, whether it waits for input yet, and
// WM_COPYDATA sent to its windows, which its user-interface thread handles as a sent message while
// the sender waits. Private to platform/win.

#include "platform/win/winuser.h"

#include <cstdint>

namespace pm::wm::remote {

// The tag of this process's window handles.
std::uint32_t processTag();
// Starts listening (once); without a usable runtime folder the process's windows stay private.
void startEndpoint();
// The window records of this process as they come and go (the endpoint answers from any thread).
void windowCreated(HWND hwnd);
void windowFreed(HWND hwnd);
// The user-interface thread waits for input: a program start waiting for this process goes on.
void markInputIdle();

// The id of the process whose window the handle names.
std::uint32_t processOf(HWND hwnd);
// A handle of another process's window (live or not).
bool isForeign(HWND hwnd);
// Whether another process's window lives (false when that process is gone).
bool isWindow(HWND hwnd);
// Sends a message to another process's window and waits for its answer, at most milliseconds
// (INFINITE: until it answers or its process ends). Only WM_COPYDATA travels; false when the
// message could not be delivered or answered in time (the last error says why).
bool send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD milliseconds, LRESULT* result);
// Whether process pid's user-interface thread has waited for input.
bool isInputIdle(int pid);

} // namespace pm::wm::remote
