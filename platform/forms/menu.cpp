#include "platform/forms/menu.h"

#include <stdexcept>

namespace vb {

Menu::Menu(std::string name, std::string caption) : Name(std::move(name)), Caption(std::move(caption)) {}

Menu& Menu::add(const std::string& name, const std::string& caption, int index) {
    m_items.push_back(std::make_unique<Menu>(name, caption));
    m_items.back()->Index = index;
    return *m_items.back();
}

Menu& Menu::Load(const std::string& name, int index) {
    if (item(name, index)) throw std::invalid_argument("Object already loaded");
    const Menu* lowest = nullptr;
    std::size_t last = 0;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        const Menu& m = *m_items[i];
        if (m.Name != name || m.Index < 0) continue;
        if (!lowest || m.Index < lowest->Index) lowest = &m;
        last = i;
    }
    if (!lowest) throw std::out_of_range("Menu item array does not exist");
    auto copy = std::make_unique<Menu>(name, lowest->Caption);
    copy->Index = index;
    copy->Tag = lowest->Tag;
    copy->Checked = lowest->Checked;
    copy->Enabled = lowest->Enabled;
    copy->Click = lowest->Click;
    copy->Visible = false;
    auto at = m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(last + 1), std::move(copy));
    return **at;
}

Menu* Menu::item(const std::string& name, int index) const {
    for (const auto& m : m_items)
        if (m->Name == name && m->Index == index) return m.get();
    return nullptr;
}

HMENU Menu::buildPopup(std::map<UINT, Menu*>& commands) const {
    HMENU popup = CreatePopupMenu();
    for (const auto& m : m_items) {
        if (!m->Visible) continue;
        if (m->Caption == "-") {
            AppendMenu(popup, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = MF_STRING | (m->Checked ? MF_CHECKED : 0) | (m->Enabled ? 0 : MF_GRAYED);
        if (!m->m_items.empty()) {
            HMENU sub = m->buildPopup(commands);
            AppendMenu(popup, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), m->Caption.c_str());
            continue;
        }
        auto id = static_cast<UINT>(commands.size() + 1);
        commands[id] = m.get();
        AppendMenu(popup, flags, id, m->Caption.c_str());
    }
    return popup;
}

} // namespace vb
