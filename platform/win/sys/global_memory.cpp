// Global and local memory blocks. Moveable blocks are reached through handles; a fixed block's
// handle is its address, as Win32 does.

#include "platform/win/handle_table.h"
#include "platform/win/winbase.h"

#include <cstring>
#include <map>
#include <memory>
#include <mutex>

namespace pm {
namespace {

struct Block {
    std::unique_ptr<unsigned char[]> data;
    SIZE_T size = 0;
    UINT lockCount = 0;
    UINT flags = 0;
};

struct Memory {
    std::mutex mutex;
    HandleTable<Block> moveable;
    std::map<const void*, std::unique_ptr<Block>> fixed;
};

Memory& memory() {
    static Memory m;
    return m;
}

constexpr SIZE_T kMaxBlock = SIZE_T(1) << 40;

std::unique_ptr<Block> makeBlock(UINT flags, SIZE_T bytes) {
    if (bytes > kMaxBlock) return nullptr;
    auto b = std::make_unique<Block>();
    b->data.reset(new (std::nothrow) unsigned char[bytes ? bytes : 1]);
    if (!b->data) return nullptr;
    if (flags & GMEM_ZEROINIT) std::memset(b->data.get(), 0, bytes ? bytes : 1);
    b->size = bytes;
    b->flags = flags;
    return b;
}

// The block of a handle: a moveable handle or a fixed block's address. Caller holds the mutex.
Block* blockOf(HGLOBAL mem) {
    Memory& m = memory();
    if (Block* b = m.moveable.get(reinterpret_cast<std::uintptr_t>(mem))) return b;
    auto it = m.fixed.find(mem);
    return it == m.fixed.end() ? nullptr : it->second.get();
}

} // namespace
} // namespace pm

using namespace pm;

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
    std::unique_ptr<Block> b = makeBlock(flags, bytes);
    if (!b) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    Memory& m = memory();
    std::lock_guard<std::mutex> lock(m.mutex);
    if (!(flags & GMEM_MOVEABLE)) {
        void* p = b->data.get();
        m.fixed[p] = std::move(b);
        return p;
    }
    return reinterpret_cast<HGLOBAL>(m.moveable.add(std::move(b)));
}

HGLOBAL GlobalReAlloc(HGLOBAL mem, SIZE_T bytes, UINT flags) {
    Memory& m = memory();
    std::lock_guard<std::mutex> lock(m.mutex);
    Block* b = blockOf(mem);
    if (!b || bytes > kMaxBlock) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (m.fixed.count(mem)) { // a fixed block cannot move, so it can only shrink
        if (bytes > b->size) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return nullptr;
        }
        b->size = bytes;
        return mem;
    }
    std::unique_ptr<unsigned char[]> data(new (std::nothrow) unsigned char[bytes ? bytes : 1]);
    if (!data) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    std::memcpy(data.get(), b->data.get(), std::min(bytes, b->size));
    if ((flags & GMEM_ZEROINIT) && bytes > b->size) std::memset(data.get() + b->size, 0, bytes - b->size);
    b->data = std::move(data);
    b->size = bytes;
    return mem;
}

LPVOID GlobalLock(HGLOBAL mem) {
    Memory& m = memory();
    std::lock_guard<std::mutex> lock(m.mutex);
    Block* b = blockOf(mem);
    if (!b) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    ++b->lockCount;
    return b->data.get();
}

BOOL GlobalUnlock(HGLOBAL mem) {
    Memory& m = memory();
    std::lock_guard<std::mutex> lock(m.mutex);
    Block* b = blockOf(mem);
    if (!b || b->lockCount == 0) return FALSE;
    --b->lockCount;
    return b->lockCount > 0 ? TRUE : FALSE;
}

HGLOBAL GlobalFree(HGLOBAL mem) {
    if (!mem) return nullptr;
    Memory& m = memory();
    std::lock_guard<std::mutex> lock(m.mutex);
    if (m.moveable.remove(reinterpret_cast<std::uintptr_t>(mem))) return nullptr;
    if (m.fixed.erase(mem)) return nullptr;
    SetLastError(ERROR_INVALID_HANDLE);
    return mem;
}

SIZE_T GlobalSize(HGLOBAL mem) {
    Memory& m = memory();
    std::lock_guard<std::mutex> lock(m.mutex);
    Block* b = blockOf(mem);
    return b ? b->size : 0;
}

UINT GlobalFlags(HGLOBAL mem) {
    Memory& m = memory();
    std::lock_guard<std::mutex> lock(m.mutex);
    Block* b = blockOf(mem);
    return b ? (b->lockCount & 0xFF) : 0x8000; // GMEM_INVALID_HANDLE
}

HGLOBAL GlobalHandle(LPCVOID pointer) {
    Memory& m = memory();
    std::lock_guard<std::mutex> lock(m.mutex);
    if (m.fixed.count(pointer)) return const_cast<LPVOID>(pointer);
    HGLOBAL found = nullptr;
    m.moveable.forEach([&](std::uintptr_t h, const Block& b) {
        if (b.data.get() == pointer) found = reinterpret_cast<HGLOBAL>(h);
    });
    return found;
}

HLOCAL LocalAlloc(UINT flags, SIZE_T bytes) {
    return GlobalAlloc(flags, bytes);
}
HLOCAL LocalFree(HLOCAL mem) {
    return GlobalFree(mem);
}
LPVOID LocalLock(HLOCAL mem) {
    return GlobalLock(mem);
}
BOOL LocalUnlock(HLOCAL mem) {
    return GlobalUnlock(mem);
}
