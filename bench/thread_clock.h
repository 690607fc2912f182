#pragma once
// The CPU time this thread has used, in seconds: what the benchmarks measure, so that other work on
// a shared machine does not count.

#include <ctime>

inline double threadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}
