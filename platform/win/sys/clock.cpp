#include "platform/win/sys/clock.h"

#include <atomic>
#include <chrono>

namespace pm::sys {
namespace {

std::atomic<std::uint64_t> advanced{0};

} // namespace

std::uint64_t clockNow() {
    using namespace std::chrono;
    auto steady = static_cast<std::uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    return steady + advanced.load(std::memory_order_relaxed);
}

void advanceClock(std::uint64_t milliseconds) {
    advanced.fetch_add(milliseconds, std::memory_order_relaxed);
}

} // namespace pm::sys
