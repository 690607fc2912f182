#include "platform/win/tests/support/test_windows.h"

#include "platform/win/sys/clock.h"

namespace pm::test {

void advanceClock(DWORD ms) {
    pm::sys::advanceClock(ms);
}

} // namespace pm::test
