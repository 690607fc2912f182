#pragma once
// ControlArray: controls of one kind sharing a name and their event procedures, told apart by
// Index. Load adds an element at run time as a hidden copy of the lowest element.

#include "platform/forms/control.h"

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>

namespace vb {

template <class T> class ControlArray {
public:
    using IndexEvent = std::function<void(int index)>;
    using IndexMouseEvent = std::function<void(int index, int button, int shift, int x, int y)>;
    using IndexKeyEvent = std::function<void(int index, int& keyCode, int shift)>;
    using IndexKeyPressEvent = std::function<void(int index, int& keyAscii)>;

    explicit ControlArray(std::string name) : m_name(std::move(name)) {}
    // The elements' events call back into the array, so it stays where it was made.
    ControlArray(const ControlArray&) = delete;
    ControlArray& operator=(const ControlArray&) = delete;

    // Adds a design-time element (visible as given) at `index`.
    T& add(int index, std::unique_ptr<T> element) {
        if (m_elements.count(index)) throw std::invalid_argument("Object already loaded");
        T& added = *element;
        added.Name = m_name;
        added.Index = index;
        wire(added);
        m_elements[index] = std::move(element);
        return added;
    }

    // Creates element `index` as a copy of the lowest element, hidden.
    T& Load(int index) {
        if (m_elements.empty()) throw std::out_of_range("Control array element does not exist");
        std::unique_ptr<T> copy = m_elements.begin()->second->clone();
        copy->SetVisible(false);
        return add(index, std::move(copy));
    }

    // Removes a run-time element.
    void Unload(int index) { m_elements.erase(index); }

    T& operator[](int index) const {
        auto it = m_elements.find(index);
        if (it == m_elements.end()) throw std::out_of_range("Control array element does not exist");
        return *it->second;
    }
    bool exists(int index) const { return m_elements.count(index) != 0; }
    int Count() const { return static_cast<int>(m_elements.size()); }
    int LBound() const { return m_elements.empty() ? 0 : m_elements.begin()->first; }
    int UBound() const { return m_elements.empty() ? -1 : m_elements.rbegin()->first; }

    IndexEvent Click, DblClick, GotFocus, LostFocus;
    IndexMouseEvent MouseDown, MouseMove, MouseUp;
    IndexKeyEvent KeyDown;
    IndexKeyPressEvent KeyPress;
    // Raised for the elements of kinds that have these events (text boxes, scroll bars).
    IndexEvent Change, Scroll;

private:
    template <class U, class = void> struct HasChange : std::false_type {};
    template <class U>
    struct HasChange<U, std::void_t<decltype(std::declval<U&>().Change)>> : std::true_type {};
    template <class U, class = void> struct HasScroll : std::false_type {};
    template <class U>
    struct HasScroll<U, std::void_t<decltype(std::declval<U&>().Scroll)>> : std::true_type {};

    void wire(T& element) {
        int index = element.Index;
        element.Click = plain(Click, index);
        element.DblClick = plain(DblClick, index);
        element.GotFocus = plain(GotFocus, index);
        element.LostFocus = plain(LostFocus, index);
        element.MouseDown = mouse(MouseDown, index);
        element.MouseMove = mouse(MouseMove, index);
        element.MouseUp = mouse(MouseUp, index);
        element.KeyDown = [this, index](int& keyCode, int shift) {
            if (KeyDown) KeyDown(index, keyCode, shift);
        };
        element.KeyPress = [this, index](int& keyAscii) {
            if (KeyPress) KeyPress(index, keyAscii);
        };
        if constexpr (HasChange<T>::value) element.Change = plain(Change, index);
        if constexpr (HasScroll<T>::value) element.Scroll = plain(Scroll, index);
    }
    PlainEvent plain(IndexEvent& event, int index) {
        return [&event, index] { raise(event, index); };
    }
    static void raise(const IndexEvent& event, int index) {
        if (event) event(index);
    }
    MouseEvent mouse(IndexMouseEvent& event, int index) {
        return [&event, index](int button, int shift, int x, int y) {
            if (event) event(index, button, shift, x, y);
        };
    }

    std::string m_name;
    std::map<int, std::unique_ptr<T>> m_elements;
};

} // namespace vb
