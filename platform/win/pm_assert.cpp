#include "platform/win/pm_assert.h"

#include <cstdio>
#include <cstdlib>

namespace pm {

void assertFailed(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, condition);
    std::fflush(stderr);
    std::abort();
}

} // namespace pm
