#pragma once
// ControlArray: controls of one kind sharing a name and their event procedures, told apart by
// Index. Load adds an element at run time as a hidden copy of the lowest element.

#include "platform/forms/control.h"

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

namespace vb {

template <class T> class ControlArray {
public:
    using IndexEvent = std::function<void(int index)>;
    using IndexMouseEvent = std::function<void(int index, int button, int shift, int x, int y)>;

    explicit ControlArray(std::string name) : m_name(std::move(name)) {}

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

    IndexEvent Click, DblClick;
    IndexMouseEvent MouseDown, MouseMove, MouseUp;

private:
    void wire(T& element) {
        int index = element.Index;
        element.Click = [this, index] { raise(Click, index); };
        element.DblClick = [this, index] { raise(DblClick, index); };
        element.MouseDown = mouse(MouseDown, index);
        element.MouseMove = mouse(MouseMove, index);
        element.MouseUp = mouse(MouseUp, index);
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
