#pragma once
// The platform's one clock: GetTickCount, message times and timers read it. It follows the steady
// clock, and a test can move it on so that a timer or a time-out falls due without waiting, or hold
// it still so that only its own moves count.
// Private to platform/.

#include <cstdint>

namespace pm::sys {

// Milliseconds on the clock: the steady clock's count plus every advance; while frozen, the count
// when it froze plus every advance.
std::uint64_t clockNow();

// Moves the clock on by `milliseconds`.
void advanceClock(std::uint64_t milliseconds);

// Holds the clock still (true) or lets it follow the steady clock again (false). It never runs
// backwards across either change.
void freezeClock(bool frozen);
bool clockFrozen();

// While the clock is frozen, each look at the message queue that finds nothing moves it on by
// `milliseconds` (0: none), as time passes for a program that is busy between its looks.
void setClockStepPerEmptyLook(std::uint64_t milliseconds);
// Called by the queue when a look finds nothing.
void lookedAtEmptyQueue();

} // namespace pm::sys
