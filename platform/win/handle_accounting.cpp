#include "platform/win/handle_accounting.h"

#include <utility>
#include <vector>

namespace pm {
namespace {

std::vector<std::pair<const char*, LiveCount>>& kinds() {
    static std::vector<std::pair<const char*, LiveCount>> k;
    return k;
}

} // namespace

bool registerHandleKind(const char* kind, LiveCount count) {
    kinds().emplace_back(kind, count);
    return true;
}

void forEachLiveHandleKind(void (*visit)(const char* kind, std::size_t live, void* context), void* context) {
    for (const auto& [kind, count] : kinds())
        visit(kind, count(), context);
}

} // namespace pm
