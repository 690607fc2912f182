#include "platform/win/tests/support/test_windows.h"

#include "platform/win/sys/clock.h"

namespace pm::test {

void advanceClock(DWORD ms) {
    pm::sys::advanceClock(ms);
}

FrozenClock::FrozenClock() {
    pm::sys::freezeClock(true);
}

FrozenClock::~FrozenClock() {
    pm::sys::freezeClock(false);
}

void FrozenClock::passOnEachEmptyLook(DWORD ms) {
    pm::sys::setClockStepPerEmptyLook(ms);
}

} // namespace pm::test
