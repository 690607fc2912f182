#pragma once
// What the GDI's records hold of the Qt images behind them: owning references to the images kept by
// the image store (image_store.h). A record copies, moves and drops such a reference like a value;
// the GDI's own code sees the pixels through image_pixels.h, and only the backend files see inside.

#include <memory>

namespace pm::gdi {

class StoredImage; // a QImage (image_store.h)

// The store's side of a reference: a copy of a value, and the end of one.
StoredImage* copyStored(const StoredImage& image);
void destroyStored(StoredImage* image);

// An owning reference to one value of a store, or to none. A copy refers to a copy of the value.
template <class T> class StoredRef {
public:
    StoredRef() = default;
    explicit StoredRef(T* value) : m_value(value) {}
    StoredRef(const StoredRef& other) : m_value(other ? copyStored(*other) : nullptr) {}
    StoredRef(StoredRef&&) noexcept = default;
    StoredRef& operator=(const StoredRef& other) {
        if (this != &other) m_value.reset(other ? copyStored(*other) : nullptr);
        return *this;
    }
    StoredRef& operator=(StoredRef&&) noexcept = default;

    explicit operator bool() const { return m_value != nullptr; }
    T* get() const { return m_value.get(); }
    T& operator*() const { return *m_value; }
    T* operator->() const { return m_value.get(); }

private:
    struct Destroy {
        void operator()(T* value) const { destroyStored(value); }
    };
    std::unique_ptr<T, Destroy> m_value;
};

using ImageRef = StoredRef<StoredImage>;

} // namespace pm::gdi
