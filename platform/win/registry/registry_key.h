#pragma once
// One key of a registry hive: named subkeys and named, typed values, each kept sorted by name
// without regard to ASCII case, so look-ups are logarithmic and enumeration by index is direct.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace pm {

struct RegistryValue {
    std::string name;
    std::uint32_t type = 0;
    std::string data;
};

class RegistryKey {
public:
    explicit RegistryKey(std::string name = std::string()) : m_name(std::move(name)) {}

    const std::string& name() const { return m_name; }

    RegistryKey* subkey(const std::string& name) const;
    // The subkey, created when missing; created tells which.
    RegistryKey& ensureSubkey(const std::string& name, bool* created = nullptr);
    bool removeSubkey(const std::string& name);
    std::size_t subkeyCount() const { return m_subkeys.size(); }
    const RegistryKey& subkeyAt(std::size_t index) const { return *m_subkeys[index]; }

    const RegistryValue* value(const std::string& name) const;
    // Sets a value; false when it already held exactly this type and data.
    bool setValue(const std::string& name, std::uint32_t type, const std::string& data);
    bool removeValue(const std::string& name);
    std::size_t valueCount() const { return m_values.size(); }
    const RegistryValue& valueAt(std::size_t index) const { return m_values[index]; }

    // Compares names as the registry does: ASCII letters without regard to case.
    static int compareNames(const std::string& a, const std::string& b);

private:
    std::vector<std::unique_ptr<RegistryKey>>::const_iterator findSubkey(const std::string& name) const;
    std::vector<RegistryValue>::const_iterator findValue(const std::string& name) const;

    std::string m_name;
    std::vector<std::unique_ptr<RegistryKey>> m_subkeys;
    std::vector<RegistryValue> m_values;
};

} // namespace pm
