#pragma once
// How many entries of each handle table are live: windows, GDI objects, menus, image lists, timers,
// hooks. Each table registers a count at start-up from its own file; tests compare the counts
// before and after each test, so a window, object, timer or hook that a test leaves behind shows.
// Entries that live as long as the process (stock objects, the desktop window) are not counted.

#include "platform/win/handles.h"

#include <cstddef>

namespace pm {

using LiveCount = std::size_t (*)();

// Registers the live count of one kind of handle ("windows", "GDI objects" ...). Returns true, so
// that a file can register from the initialiser of a constant.
bool registerHandleKind(const char* kind, LiveCount count);

// Calls visit once per registered kind with its live count now.
void forEachLiveHandleKind(void (*visit)(const char* kind, std::size_t live, void* context), void* context);

// The object is a cache kept for the whole run (a brush or font made once and reused, or made anew
// in place of the last one), so it is not counted as live. DeleteObject still deletes it.
void keepForProcess(HGDIOBJ object);

// The hook stays installed for the thread's life (the framework's window-creation hook does), so it
// is not counted as live.
void keepHookForThread(HHOOK hook);

} // namespace pm
