#include "platform/win/tests/support/test_windows.h"

#include "platform/win/sys/clock.h"

namespace pm::test {

void advanceClock(DWORD ms) {
    pm::sys::advanceClock(ms);
}

void freezeClock() {
    pm::sys::freezeClock(true);
}

TimePerEmptyLook::TimePerEmptyLook(DWORD ms) {
    pm::sys::setClockStepPerEmptyLook(ms);
}

TimePerEmptyLook::~TimePerEmptyLook() {
    pm::sys::setClockStepPerEmptyLook(0);
}

RealClock::RealClock() {
    pm::sys::freezeClock(false);
}

RealClock::~RealClock() {
    pm::sys::freezeClock(true);
}

} // namespace pm::test
