#include "platform/win/sys/clock.h"

#include <atomic>
#include <chrono>

namespace pm::sys {
namespace {

std::atomic<std::uint64_t> advanced{0};
std::atomic<bool> frozen{false};
std::atomic<std::uint64_t> frozenAt{0};
std::atomic<std::uint64_t> stepPerEmptyLook{0};

std::uint64_t steadyNow() {
    using namespace std::chrono;
    return static_cast<std::uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

} // namespace

std::uint64_t clockNow() {
    std::uint64_t base =
        frozen.load(std::memory_order_acquire) ? frozenAt.load(std::memory_order_relaxed) : steadyNow();
    return base + advanced.load(std::memory_order_relaxed);
}

void advanceClock(std::uint64_t milliseconds) {
    advanced.fetch_add(milliseconds, std::memory_order_relaxed);
}

// Thawing keeps the advances: the steady clock has not gone back since it froze, so neither does
// the clock.
void freezeClock(bool freeze) {
    if (freeze == frozen.load()) return;
    if (freeze) frozenAt.store(steadyNow(), std::memory_order_relaxed);
    frozen.store(freeze, std::memory_order_release);
}

bool clockFrozen() {
    return frozen.load(std::memory_order_acquire);
}

void setClockStepPerEmptyLook(std::uint64_t milliseconds) {
    stepPerEmptyLook.store(milliseconds, std::memory_order_relaxed);
}

void lookedAtEmptyQueue() {
    if (!frozen.load(std::memory_order_acquire)) return;
    advanceClock(stepPerEmptyLook.load(std::memory_order_relaxed));
}

} // namespace pm::sys
