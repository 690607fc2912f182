#pragma once
// A table of objects reached through opaque handles. A handle packs a slot number and the slot's
// generation, so a handle kept after its object was freed is recognised as stale instead of
// reaching whatever now lives in the slot. Entries have stable addresses (std::deque).

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

namespace pm {

template <class T> class HandleTable {
public:
    // Stores obj and returns its handle value (never 0).
    std::uintptr_t add(std::unique_ptr<T> obj) {
        std::uint32_t slot;
        if (!m_free.empty()) {
            slot = m_free.back();
            m_free.pop_back();
        } else {
            slot = static_cast<std::uint32_t>(m_entries.size());
            m_entries.emplace_back();
        }
        Entry& e = m_entries[slot];
        e.object = std::move(obj);
        return pack(slot, e.generation);
    }

    // The object of a live handle, or nullptr for 0, stale or foreign values.
    T* get(std::uintptr_t handle) const {
        std::uint32_t slot, generation;
        if (!unpack(handle, slot, generation)) return nullptr;
        const Entry& e = m_entries[slot];
        return e.generation == generation ? e.object.get() : nullptr;
    }

    // Frees the object of a live handle; returns it so the caller decides when it dies.
    std::unique_ptr<T> remove(std::uintptr_t handle) {
        std::uint32_t slot, generation;
        if (!unpack(handle, slot, generation)) return nullptr;
        Entry& e = m_entries[slot];
        if (e.generation != generation || !e.object) return nullptr;
        std::unique_ptr<T> obj = std::move(e.object);
        if (++e.generation == 0) e.generation = 1;
        m_free.push_back(slot);
        return obj;
    }

    template <class F> void forEach(F f) const {
        for (std::size_t i = 0; i < m_entries.size(); ++i)
            if (m_entries[i].object) f(pack(static_cast<std::uint32_t>(i), m_entries[i].generation), *m_entries[i].object);
    }

private:
    struct Entry {
        std::unique_ptr<T> object;
        std::uint32_t generation = 1;
    };

    // Value: generation in the high 32 bits, slot + 1 above four zero bits, so a handle is never 0
    // and never a small integer such as an id or a count.
    static std::uintptr_t pack(std::uint32_t slot, std::uint32_t generation) {
        return static_cast<std::uintptr_t>(generation) << 32 | static_cast<std::uintptr_t>(slot + 1) << 4;
    }
    bool unpack(std::uintptr_t handle, std::uint32_t& slot, std::uint32_t& generation) const {
        if ((handle & 0xF) != 0) return false;
        std::uintptr_t s = (handle & 0xFFFFFFFFu) >> 4;
        if (s == 0 || s > m_entries.size()) return false;
        slot = static_cast<std::uint32_t>(s - 1);
        generation = static_cast<std::uint32_t>(handle >> 32);
        return true;
    }

    std::deque<Entry> m_entries;
    std::vector<std::uint32_t> m_free;
};

} // namespace pm
