#include "platform/win/richedit/split_vector.h"

#include <sys/mman.h>

#include <cstdlib>
#include <new>

namespace pm::richedit {

namespace {

// Blocks from this size on are mapped pages of their own, which grow by remapping.
constexpr std::size_t kMappedFrom = std::size_t{1} << 20;

void* mapPages(std::size_t bytes) {
    void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    // Large pages where the system offers them: far fewer page faults while a big text fills in.
    madvise(p, bytes, MADV_HUGEPAGE);
    return p;
}

} // namespace

void* resizeStorage(void* old, std::size_t oldBytes, std::size_t newBytes) {
    if (newBytes < kMappedFrom) {
        void* p = std::realloc(old, newBytes);
        if (!p) throw std::bad_alloc();
        return p;
    }
    if (old && oldBytes >= kMappedFrom) {
        void* p = mremap(old, oldBytes, newBytes, MREMAP_MAYMOVE);
        if (p == MAP_FAILED) throw std::bad_alloc();
        madvise(p, newBytes, MADV_HUGEPAGE);
        return p;
    }
    void* p = mapPages(newBytes);
    if (old) {
        std::memcpy(p, old, oldBytes);
        std::free(old);
    }
    return p;
}

void freeStorage(void* block, std::size_t bytes) {
    if (!block) return;
    if (bytes >= kMappedFrom)
        munmap(block, bytes);
    else
        std::free(block);
}

} // namespace pm::richedit
