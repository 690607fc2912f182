#pragma once
// Menu: a form's tree of named menu items, shown as popups with Form::PopupMenu. A caption of "-"
// makes a separator; hidden items are left out of the popup.

#include "platform/forms/control.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vb {

class Menu {
public:
    explicit Menu(std::string name, std::string caption = "");
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    std::string Name;
    int Index = -1; // the position in a menu item array, -1 outside one
    std::string Caption;
    std::string Tag;
    bool Checked = false;
    bool Enabled = true;
    bool Visible = true;
    // Raised with the item's Index, so that the elements of an item array share one procedure.
    std::function<void(int index)> Click;

    // Adds a child item at the end (an array element when `index` is 0 or more).
    Menu& add(const std::string& name, const std::string& caption, int index = -1);
    // Creates element `index` of the item array `name` after its last element: a copy of the lowest
    // element's caption, tag, checked and enabled state and Click, hidden.
    Menu& Load(const std::string& name, int index);
    // The child item `name` (element `index` of an array), or nullptr.
    Menu* item(const std::string& name, int index = -1) const;
    const std::vector<std::unique_ptr<Menu>>& items() const { return m_items; }

    // A popup menu of the visible children (submenus for children with items of their own); `commands`
    // receives the item of each command id.
    HMENU buildPopup(std::map<UINT, Menu*>& commands) const;

private:
    std::vector<std::unique_ptr<Menu>> m_items;
};

} // namespace vb
