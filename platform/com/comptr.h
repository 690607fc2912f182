#pragma once
// Small helpers for implementing and holding COM objects.

#include "platform/com/unknwn.h"

#include <atomic>
#include <utility>

namespace pm {

// An owning interface pointer: AddRef on copy, Release on destruction.
template <class T> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(T* p) : m_p(p) { // takes a new reference
        if (m_p) m_p->AddRef();
    }
    ComPtr(const ComPtr& o) : ComPtr(o.m_p) {}
    ComPtr(ComPtr&& o) noexcept : m_p(o.m_p) { o.m_p = nullptr; }
    ~ComPtr() { reset(); }
    ComPtr& operator=(const ComPtr& o) {
        ComPtr(o).swap(*this);
        return *this;
    }
    ComPtr& operator=(ComPtr&& o) noexcept {
        ComPtr(std::move(o)).swap(*this);
        return *this;
    }
    void swap(ComPtr& o) noexcept { std::swap(m_p, o.m_p); }
    void reset() {
        T* p = m_p;
        m_p = nullptr;
        if (p) p->Release();
    }
    // Takes over a reference the caller already holds.
    void attach(T* p) {
        reset();
        m_p = p;
    }
    T* detach() { return std::exchange(m_p, nullptr); }
    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    // The address for an out parameter; releases what was held.
    T** put() {
        reset();
        return &m_p;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }
    // QueryInterface into another holder.
    template <class U> HRESULT as(REFIID iid, ComPtr<U>& out) const {
        if (!m_p) return E_POINTER;
        return m_p->QueryInterface(iid, out.putVoid());
    }

private:
    T* m_p = nullptr;
};

// Reference counting for objects implementing one or more interfaces. The object starts with one
// reference owned by its creator and deletes itself when the count reaches zero.
template <class... Interfaces> class ComObject : public Interfaces... {
public:
    ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;
    virtual ~ComObject() = default;

    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG left = --m_refs;
        if (left == 0) delete this;
        return left;
    }

private:
    std::atomic<ULONG> m_refs{1};
};

// Answers QueryInterface with p when iid matches, adding a reference.
template <class T> HRESULT answerInterface(T* p, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = static_cast<void*>(p);
    p->AddRef();
    return S_OK;
}

} // namespace pm
