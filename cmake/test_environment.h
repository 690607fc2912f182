#pragma once
// What every test program links (cmake/test_environment.cpp): a private settings folder, offscreen
// Qt, and a check that each test gives back the windows, GDI objects, menus, image lists, timers
// and hooks it made.

namespace pm::test {

// The running test keeps handles on purpose (a window that lives for the whole process, say): the
// check of live handles is skipped for it. The reason says why.
void keepsHandles(const char* reason);

} // namespace pm::test
