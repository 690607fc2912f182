#pragma once
// The maps from handles to the framework objects that wrap them. A permanent entry belongs to an
// object that attached its handle (it lives as long as its owner keeps it); FromHandle on an
// unknown handle makes a temporary object, deleted (without touching the handle) at idle time.

#include <memory>
#include <unordered_map>

namespace pm::afx {

template <class T, class H, H T::*Handle> class HandleMap {
public:
    HandleMap() = default;
    ~HandleMap() { deleteTemporary(); }
    HandleMap(const HandleMap&) = delete;
    HandleMap& operator=(const HandleMap&) = delete;

    // The object attached to h, or a temporary one made for it (by make, when given); nullptr for
    // a null handle.
    T* fromHandle(H h, T* (*make)(H) = nullptr) {
        if (!h) return nullptr;
        if (T* p = fromHandlePermanent(h)) return p;
        auto it = m_temporary.find(h);
        if (it != m_temporary.end()) return it->second;
        T* p = make ? make(h) : new T;
        p->*Handle = h;
        m_temporary[h] = p;
        return p;
    }
    T* fromHandlePermanent(H h) const {
        auto it = m_permanent.find(h);
        return it == m_permanent.end() ? nullptr : it->second;
    }
    // Records p as the permanent object of h; it takes precedence over a temporary one, which
    // lives on until idle time since callers may still hold it.
    void setPermanent(H h, T* p) { m_permanent[h] = p; }
    void removeHandle(H h) { m_permanent.erase(h); }
    bool isTemporary(const T* p) const {
        for (const auto& entry : m_temporary)
            if (entry.second == p) return true;
        return false;
    }
    // Deletes every temporary object; their handles stay as they are.
    void deleteTemporary() {
        auto temporary = std::move(m_temporary);
        m_temporary.clear();
        for (auto& entry : temporary) {
            entry.second->*Handle = H{};
            delete entry.second;
        }
    }
    std::size_t temporaryCount() const { return m_temporary.size(); }

private:
    std::unordered_map<H, T*> m_permanent;
    std::unordered_map<H, T*> m_temporary;
};

} // namespace pm::afx
