#include "platform/win/registry/registry_key.h"

#include <algorithm>

namespace pm {

namespace {

unsigned char lower(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return u >= 'A' && u <= 'Z' ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

} // namespace

int RegistryKey::compareNames(const std::string& a, const std::string& b) {
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = lower(a[i]), y = lower(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::vector<std::unique_ptr<RegistryKey>>::const_iterator
RegistryKey::findSubkey(const std::string& name) const {
    return std::lower_bound(m_subkeys.begin(), m_subkeys.end(), name,
                            [](const std::unique_ptr<RegistryKey>& k, const std::string& n) {
                                return compareNames(k->name(), n) < 0;
                            });
}

std::vector<RegistryValue>::const_iterator RegistryKey::findValue(const std::string& name) const {
    return std::lower_bound(
        m_values.begin(), m_values.end(), name,
        [](const RegistryValue& v, const std::string& n) { return compareNames(v.name, n) < 0; });
}

RegistryKey* RegistryKey::subkey(const std::string& name) const {
    auto it = findSubkey(name);
    return it != m_subkeys.end() && compareNames((*it)->name(), name) == 0 ? it->get() : nullptr;
}

RegistryKey& RegistryKey::ensureSubkey(const std::string& name, bool* created) {
    auto it = findSubkey(name);
    bool found = it != m_subkeys.end() && compareNames((*it)->name(), name) == 0;
    if (created) *created = !found;
    if (found) return **it;
    return **m_subkeys.insert(m_subkeys.begin() + (it - m_subkeys.begin()),
                              std::make_unique<RegistryKey>(name));
}

bool RegistryKey::removeSubkey(const std::string& name) {
    auto it = findSubkey(name);
    if (it == m_subkeys.end() || compareNames((*it)->name(), name) != 0) return false;
    m_subkeys.erase(it);
    return true;
}

const RegistryValue* RegistryKey::value(const std::string& name) const {
    auto it = findValue(name);
    return it != m_values.end() && compareNames(it->name, name) == 0 ? &*it : nullptr;
}

bool RegistryKey::setValue(const std::string& name, std::uint32_t type, const std::string& data) {
    auto it = findValue(name);
    if (it != m_values.end() && compareNames(it->name, name) == 0) {
        RegistryValue& v = m_values[static_cast<std::size_t>(it - m_values.begin())];
        if (v.type == type && v.data == data) return false;
        v.type = type;
        v.data = data;
        return true;
    }
    m_values.insert(it, RegistryValue{name, type, data});
    return true;
}

bool RegistryKey::removeValue(const std::string& name) {
    auto it = findValue(name);
    if (it == m_values.end() || compareNames(it->name, name) != 0) return false;
    m_values.erase(it);
    return true;
}

} // namespace pm
