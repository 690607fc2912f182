#pragma once
// A table of objects reached through opaque handles. A handle packs a slot number and the slot's
// generation, so a handle kept after its object was freed is recognised as stale instead of
// reaching whatever now lives in the slot. Entries have stable addresses (std::deque).
//
// A table made with a tag (a process id) packs the tag into every handle as well, so its handles
// differ from those of the same table in any other process: a handle written down as a number and
// read back by another process still names one object of one process.

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

namespace pm {

template <class T> class HandleTable {
public:
    // The largest tag: process ids of 64-bit Linux stay below 2^22.
    static constexpr std::uint32_t kMaxTag = (1u << 22) - 1;

    HandleTable() = default;
    explicit HandleTable(std::uint32_t tag) : m_tag(tag & kMaxTag) {}

    // The tag packed into a handle of a tagged table (0 for untagged handles).
    static std::uint32_t tagOf(std::uintptr_t handle) {
        return (handle & 0xF) == 0 ? static_cast<std::uint32_t>(handle >> kTagShift) : 0;
    }

    // Stores obj and returns its handle value (never 0); 0 when every slot a handle can name is taken.
    std::uintptr_t add(std::unique_ptr<T> obj) {
        std::uint32_t slot;
        if (!m_free.empty()) {
            slot = m_free.back();
            m_free.pop_back();
        } else {
            if (m_entries.size() >= slotLimit()) return 0;
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
        return sameGeneration(e.generation, generation) ? e.object.get() : nullptr;
    }

    // Frees the object of a live handle; returns it so the caller decides when it dies.
    std::unique_ptr<T> remove(std::uintptr_t handle) {
        std::uint32_t slot, generation;
        if (!unpack(handle, slot, generation)) return nullptr;
        Entry& e = m_entries[slot];
        if (!sameGeneration(e.generation, generation) || !e.object) return nullptr;
        std::unique_ptr<T> obj = std::move(e.object);
        if (++e.generation == 0) e.generation = 1;
        m_free.push_back(slot);
        return obj;
    }

    // The number of live entries.
    std::size_t liveCount() const { return m_entries.size() - m_free.size(); }

    // The most entries a handle of this table can name: 2^20 - 1 when tagged, 2^28 - 1 untagged.
    std::size_t slotLimit() const { return m_tag == 0 ? kUntaggedSlotLimit : kTaggedSlotMask; }

    // Whether the table is consistent: every free slot is empty and listed once, every other slot
    // holds an object, and no generation is 0 (a handle is never 0). For tests and checks.
    bool checkInvariants() const {
        std::vector<bool> listed(m_entries.size(), false);
        for (std::uint32_t slot : m_free) {
            if (slot >= m_entries.size() || listed[slot] || m_entries[slot].object) return false;
            listed[slot] = true;
        }
        for (std::size_t i = 0; i < m_entries.size(); ++i)
            if (m_entries[i].generation == 0 || (!listed[i] && !m_entries[i].object)) return false;
        return m_entries.size() <= slotLimit();
    }

    template <class F> void forEach(F f) const {
        for (std::size_t i = 0; i < m_entries.size(); ++i)
            if (m_entries[i].object)
                f(pack(static_cast<std::uint32_t>(i), m_entries[i].generation), *m_entries[i].object);
    }

private:
    struct Entry {
        std::unique_ptr<T> object;
        std::uint32_t generation = 1;
    };

    // Untagged: generation in the high 32 bits, slot + 1 above four zero bits, so a handle is never
    // 0 and never a small integer such as an id or a count. Tagged: the tag in the top 22 bits, 18
    // bits of generation and 20 bits of slot + 1 (a million live objects) above the four zero bits.
    static constexpr int kTagShift = 42;
    static constexpr int kTaggedGenerationShift = 24;
    static constexpr std::uintptr_t kTaggedSlotMask = (std::uintptr_t(1) << 20) - 1;
    static constexpr std::uint32_t kTaggedGenerationMask = (1u << 18) - 1;
    static constexpr std::size_t kUntaggedSlotLimit = (std::size_t(1) << 28) - 1;

    std::uintptr_t pack(std::uint32_t slot, std::uint32_t generation) const {
        if (m_tag == 0)
            return static_cast<std::uintptr_t>(generation) << 32 | static_cast<std::uintptr_t>(slot + 1) << 4;
        return static_cast<std::uintptr_t>(m_tag) << kTagShift |
               static_cast<std::uintptr_t>(generation & kTaggedGenerationMask) << kTaggedGenerationShift |
               (static_cast<std::uintptr_t>(slot + 1) & kTaggedSlotMask) << 4;
    }
    bool unpack(std::uintptr_t handle, std::uint32_t& slot, std::uint32_t& generation) const {
        if ((handle & 0xF) != 0) return false;
        std::uintptr_t s;
        if (m_tag == 0) {
            s = (handle & 0xFFFFFFFFu) >> 4;
            generation = static_cast<std::uint32_t>(handle >> 32);
        } else {
            if (tagOf(handle) != m_tag) return false;
            s = (handle >> 4) & kTaggedSlotMask;
            generation = static_cast<std::uint32_t>(handle >> kTaggedGenerationShift) & kTaggedGenerationMask;
        }
        if (s == 0 || s > m_entries.size()) return false;
        slot = static_cast<std::uint32_t>(s - 1);
        return true;
    }
    // A tagged handle's generation is cut to its bits when compared.
    bool sameGeneration(std::uint32_t stored, std::uint32_t packed) const {
        return m_tag == 0 ? stored == packed : (stored & kTaggedGenerationMask) == packed;
    }

    std::uint32_t m_tag = 0;
    std::deque<Entry> m_entries;
    std::vector<std::uint32_t> m_free;
};

} // namespace pm
