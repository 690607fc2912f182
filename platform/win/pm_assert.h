#pragma once
// PM_ASSERT(condition): a check of an invariant that only a fault elsewhere can break. It is on in the
// trees that tests and sanitizers run (the CMake option PM_ASSERTS) and compiles to nothing in a release
// tree. A failed check prints the condition and where it stands, then aborts, so that a test fails at
// the fault itself rather than at a later symptom.

#if defined(PM_ASSERTS_ON)
#define PM_ASSERT(condition) ((condition) ? (void)0 : ::pm::assertFailed(#condition, __FILE__, __LINE__))
#else
#define PM_ASSERT(condition) ((void)sizeof((condition) ? 1 : 0))
#endif

namespace pm {
[[noreturn]] void assertFailed(const char* condition, const char* file, int line);
} // namespace pm
