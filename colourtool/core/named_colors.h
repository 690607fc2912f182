#pragma once
// The table of named colours: names as shown to the user and their "RRGGBB" values, filled once at
// start-up with the 139 standard pairs, and the look-ups of the name label and the named-colour dialog.

#include "colourtool/core/colour_value.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace tintara {

class NamedColorTable {
public:
    static constexpr std::size_t kCapacity = 151;

    // Stores a pair at the next free index; throws std::out_of_range when all 151 entries are used.
    void add(const std::string& name, const std::string& value);

    std::size_t count() const { return m_count; }
    const std::string& name(std::size_t index) const { return m_names.at(index); }
    const std::string& value(std::size_t index) const { return m_values.at(index); }

    // The first entry whose value with "#" in front equals `notation` exactly (case-sensitive).
    std::optional<std::size_t> findByNotation(const std::string& notation) const;

    // The first entry whose name equals `name` exactly (case-sensitive).
    std::optional<std::size_t> findByName(const std::string& name) const;

    // The colour value of an entry: "&H" and its blue, green and red digit pairs read as one number.
    ColourValue colour(std::size_t index) const;

private:
    std::array<std::string, kCapacity> m_names;
    std::array<std::string, kCapacity> m_values;
    std::size_t m_count = 0;
};

// The program's one table, shared by every window.
NamedColorTable& namedColors();

// Adds a pair to the shared table (throws std::out_of_range when it is full).
void Globals_AddNamedColor(const std::string& name, const std::string& value);

// Appends the 139 standard pairs to the shared table, in their fixed order.
void Globals_LoadNamedColors();

// Appends the 139 standard pairs to `table`.
void loadNamedColors(NamedColorTable& table);

// The colour of a standard name, ignoring ASCII case ("white", "WHITE"); none for any other text.
std::optional<Rgb> standardNamedColour(const std::string& name);

// The first entry, in the given display order, that begins with `typed` ignoring ASCII case; an
// empty text matches the first entry; none when nothing matches or the list is empty.
std::optional<std::size_t> firstPrefixMatch(const std::vector<std::string>& displayOrder,
                                            const std::string& typed);

} // namespace tintara
