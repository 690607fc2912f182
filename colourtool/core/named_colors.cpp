#include "colourtool/core/named_colors.h"

#include "colourtool/core/vb_text.h"

#include <stdexcept>

namespace tintara {

namespace {

struct NamedPair {
    const char* name;
    const char* value;
};

const NamedPair kStandardColors[] = {
    {"Red", "FF0000"},
    {"Yellow", "FFFF00"},
    {"Lime", "00FF00"},
    {"Cyan", "00FFFF"},
    {"Blue", "0000FF"},
    {"Magenta", "FF00FF"},
    {"White", "FFFFFF"},
    {"Whitesmoke", "F5F5F5"},
    {"Gainsboro", "DCDCDC"},
    {"Lightgrey", "D3D3D3"},
    {"Silver", "C0C0C0"},
    {"Darkgray", "A9A9A9"},
    {"Gray", "808080"},
    {"Dimgray", "696969"},
    {"Black", "000000"},
    {"Darkslategray", "2F4F4F"},
    {"Slategray", "708090"},
    {"Lightslategray", "778899"},
    {"Steelblue", "4682B4"},
    {"Royalblue", "4169E1"},
    {"Cornflowerblue", "6495ED"},
    {"Lightsteelblue", "B0C4DE"},
    {"Mediumslateblue", "7B68EE"},
    {"Slateblue", "6A5ACD"},
    {"Darkslateblue", "483D8B"},
    {"Midnightblue", "191970"},
    {"Navy", "000080"},
    {"Darkblue", "00008B"},
    {"Mediumblue", "0000CD"},
    {"Dodgerblue", "1E90FF"},
    {"Deepskyblue", "00BFFF"},
    {"Lightskyblue", "87CEFA"},
    {"Skyblue", "87CEEB"},
    {"Lightblue", "ADD8E6"},
    {"Powderblue", "B0E0E6"},
    {"Azure", "F0FFFF"},
    {"Lightcyan", "E0FFFF"},
    {"Paleturquoise", "AFEEEE"},
    {"Darkturquoise", "00CED1"},
    {"Cadetblue", "5F9EA0"},
    {"Mediumturquoise", "48D1CC"},
    {"Aqua", "00FFFF"},
    {"Turquoise", "40E0D0"},
    {"Lightseagreen", "20B2AA"},
    {"Darkcyan", "008B8B"},
    {"Teal", "008080"},
    {"Aquamarine", "7FFFD4"},
    {"Mediumaquamarine", "66CDAA"},
    {"Darkseagreen", "8FBC8F"},
    {"Mediumseagreen", "3CB371"},
    {"Seagreen", "2E8B57"},
    {"Darkgreen", "006400"},
    {"Green", "008000"},
    {"Forestgreen", "228B22"},
    {"Limegreen", "32CD32"},
    {"Lime", "00FF00"},
    {"Chartreuse", "7FFF00"},
    {"Lawngreen", "7CFC00"},
    {"Greenyellow", "ADFF2F"},
    {"Palegreen", "98FB98"},
    {"Lightgreen", "90EE90"},
    {"Springgreen", "00FF7F"},
    {"Mediumspringgreen", "00FA9A"},
    {"Darkolivegreen", "556B2F"},
    {"Olivedrab", "6B8E23"},
    {"Olive", "808000"},
    {"Darkkhaki", "BDB76B"},
    {"Darkgoldenrod", "B8860B"},
    {"Goldenrod", "DAA520"},
    {"Gold", "FFD700"},
    {"Khaki", "F0E68C"},
    {"Palegoldenrod", "EEE8AA"},
    {"Blanchedalmond", "FFEBCD"},
    {"Moccasin", "FFE4B5"},
    {"Wheat", "F5DEB3"},
    {"Navajowhite", "FFDEAD"},
    {"Burlywood", "DEB887"},
    {"Tan", "D2B48C"},
    {"Rosybrown", "BC8F8F"},
    {"Sienna", "A0522D"},
    {"Saddlebrown", "8B4513"},
    {"Chocolate", "D2691E"},
    {"Peru", "CD853F"},
    {"Sandybrown", "F4A460"},
    {"Darkred", "8B0000"},
    {"Maroon", "800000"},
    {"Brown", "A52A2A"},
    {"Firebrick", "B22222"},
    {"Indianred", "CD5C5C"},
    {"Lightcoral", "F08080"},
    {"Salmon", "FA8072"},
    {"Darksalmon", "E9967A"},
    {"Lightsalmon", "FFA07A"},
    {"Coral", "FF7F50"},
    {"Tomato", "FF6347"},
    {"Darkorange", "FF8C00"},
    {"Orange", "FFA500"},
    {"Orangered", "FF4500"},
    {"Crimson", "DC143C"},
    {"Deeppink", "FF1493"},
    {"Fuchsia", "FF00FF"},
    {"Hotpink", "FF69B4"},
    {"Lightpink", "FFB6C1"},
    {"Pink", "FFC0CB"},
    {"Palevioletred", "DB7093"},
    {"Mediumvioletred", "C71585"},
    {"Purple", "800080"},
    {"Darkmagenta", "8B008B"},
    {"Mediumpurple", "9370DB"},
    {"Blueviolet", "8A2BE2"},
    {"Indigo", "4B0082"},
    {"Darkviolet", "9400D3"},
    {"Darkorchid", "9932CC"},
    {"Mediumorchid", "BA55D3"},
    {"Orchid", "DA70D6"},
    {"Violet", "EE82EE"},
    {"Plum", "DDA0DD"},
    {"Thistle", "D8BFD8"},
    {"Lavender", "E6E6FA"},
    {"Ghostwhite", "F8F8FF"},
    {"Aliceblue", "F0F8FF"},
    {"Mintcream", "F5FFFA"},
    {"Honeydew", "F0FFF0"},
    {"Lightgoldenrodyellow", "FAFAD2"},
    {"Lemonchiffon", "FFFACD"},
    {"Cornsilk", "FFF8DC"},
    {"Lightyellow", "FFFFE0"},
    {"Ivory", "FFFFF0"},
    {"Floralwhite", "FFFAF0"},
    {"Linen", "FAF0E6"},
    {"Oldlace", "FDF5E6"},
    {"Antiquewhite", "FAEBD7"},
    {"Bisque", "FFE4C4"},
    {"Peachpuff", "FFDAB9"},
    {"Papayawhip", "FFEFD5"},
    {"Seashell", "FFF5EE"},
    {"Lavenderblush", "FFF0F5"},
    {"Mistyrose", "FFE4E1"},
    {"Snow", "FFFAFA"},
};

bool startsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    if (prefix.size() > text.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (asciiUpper(text[i]) != asciiUpper(prefix[i])) return false;
    }
    return true;
}

} // namespace

void NamedColorTable::add(const std::string& name, const std::string& value) {
    if (m_count >= kCapacity) throw std::out_of_range("named-colour table is full");
    m_names[m_count] = name;
    m_values[m_count] = value;
    ++m_count;
}

std::optional<std::size_t> NamedColorTable::findByNotation(const std::string& notation) const {
    for (std::size_t i = 0; i < m_count; ++i) {
        if ("#" + m_values[i] == notation) return i;
    }
    return std::nullopt;
}

std::optional<std::size_t> NamedColorTable::findByName(const std::string& name) const {
    for (std::size_t i = 0; i < m_count; ++i) {
        if (m_names[i] == name) return i;
    }
    return std::nullopt;
}

ColourValue NamedColorTable::colour(std::size_t index) const {
    const std::string& v = value(index);
    auto pair = [&](std::size_t at) { return at < v.size() ? v.substr(at, 2) : std::string(); };
    return hexValue(pair(4) + pair(2) + pair(0));
}

std::optional<Rgb> standardNamedColour(const std::string& name) {
    const std::string wanted = asciiUpper(name);
    for (const NamedPair& pair : kStandardColors) {
        if (asciiUpper(std::string(pair.name)) != wanted) continue;
        const std::string value = pair.value;
        return Rgb{hexValue(value.substr(0, 2)), hexValue(value.substr(2, 2)), hexValue(value.substr(4, 2))};
    }
    return std::nullopt;
}

NamedColorTable& namedColors() {
    static NamedColorTable table;
    return table;
}

void Globals_AddNamedColor(const std::string& name, const std::string& value) {
    namedColors().add(name, value);
}

void Globals_LoadNamedColors() {
    loadNamedColors(namedColors());
}

void loadNamedColors(NamedColorTable& table) {
    for (const NamedPair& pair : kStandardColors)
        table.add(pair.name, pair.value);
}

std::optional<std::size_t> firstPrefixMatch(const std::vector<std::string>& displayOrder,
                                            const std::string& typed) {
    for (std::size_t i = 0; i < displayOrder.size(); ++i) {
        if (startsWithIgnoringCase(displayOrder[i], typed)) return i;
    }
    return std::nullopt;
}

} // namespace tintara
