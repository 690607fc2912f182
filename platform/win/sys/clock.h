#pragma once
// The platform's one clock: GetTickCount, message times and timers read it. It follows the steady
// clock, and a test can move it on so that a timer or a time-out falls due without waiting.
// Private to platform/.

#include <cstdint>

namespace pm::sys {

// Milliseconds on the clock (the steady clock's count plus every advance).
std::uint64_t clockNow();

// Moves the clock on by `milliseconds`.
void advanceClock(std::uint64_t milliseconds);

} // namespace pm::sys
