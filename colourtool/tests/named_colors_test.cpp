#include "colourtool/core/named_colors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

using namespace tintara;

namespace {

NamedColorTable standardTable() {
    NamedColorTable table;
    loadNamedColors(table);
    return table;
}

// The names in the order a sorted list box shows them.
std::vector<std::string> displayOrder(const NamedColorTable& table) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < table.count(); ++i)
        names.push_back(table.name(i));
    std::stable_sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(NamedColors, TheTableHas139EntriesInItsFixedOrder) {
    const NamedColorTable table = standardTable();
    ASSERT_EQ(table.count(), 139u);
    struct Row {
        std::size_t index;
        const char* name;
        const char* value;
    };
    const Row rows[] = {
        {0, "Red", "FF0000"},
        {1, "Yellow", "FFFF00"},
        {2, "Lime", "00FF00"},
        {3, "Cyan", "00FFFF"},
        {5, "Magenta", "FF00FF"},
        {9, "Lightgrey", "D3D3D3"},
        {11, "Darkgray", "A9A9A9"},
        {14, "Black", "000000"},
        {26, "Navy", "000080"},
        {27, "Darkblue", "00008B"},
        {41, "Aqua", "00FFFF"},
        {55, "Lime", "00FF00"},
        {63, "Darkolivegreen", "556B2F"},
        {95, "Darkorange", "FF8C00"},
        {100, "Fuchsia", "FF00FF"},
        {120, "Aliceblue", "F0F8FF"},
        {123, "Lightgoldenrodyellow", "FAFAD2"},
        {138, "Snow", "FFFAFA"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(table.name(row.index), row.name);
        EXPECT_EQ(table.value(row.index), row.value);
    }
}

TEST(NamedColors, EveryValueIsSixUpperCaseDigitsAndEveryNameOneCapital) {
    const NamedColorTable table = standardTable();
    for (std::size_t i = 0; i < table.count(); ++i) {
        const std::string& v = table.value(i);
        const std::string& n = table.name(i);
        ASSERT_EQ(v.size(), 6u) << n;
        ASSERT_TRUE(std::all_of(v.begin(), v.end(),
                                [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }));
        ASSERT_TRUE(n[0] >= 'A' && n[0] <= 'Z') << n;
        ASSERT_TRUE(std::all_of(n.begin() + 1, n.end(), [](char c) { return c >= 'a' && c <= 'z'; })) << n;
    }
}

TEST(NamedColors, EveryEntryIsFoundByItsNotationAndName) {
    const NamedColorTable table = standardTable();
    for (std::size_t i = 0; i < table.count(); ++i) {
        const std::optional<std::size_t> byValue = table.findByNotation("#" + table.value(i));
        ASSERT_TRUE(byValue.has_value());
        EXPECT_EQ(table.value(*byValue), table.value(i));
        EXPECT_LE(*byValue, i); // the first entry with that value answers
        const std::optional<std::size_t> byName = table.findByName(table.name(i));
        ASSERT_TRUE(byName.has_value());
        EXPECT_LE(*byName, i);
    }
}

TEST(NamedColors, SharedValuesAnswerTheEarlierName) {
    const NamedColorTable table = standardTable();
    EXPECT_EQ(table.name(*table.findByNotation("#FF0000")), "Red");
    EXPECT_EQ(table.name(*table.findByNotation("#00FFFF")), "Cyan");
    EXPECT_EQ(table.name(*table.findByNotation("#FF00FF")), "Magenta");
    EXPECT_EQ(*table.findByNotation("#00FF00"), 2u);
    EXPECT_EQ(*table.findByName("Lime"), 2u);
}

TEST(NamedColors, ColoursWithoutANameAndOtherCasesAreNotFound) {
    const NamedColorTable table = standardTable();
    EXPECT_FALSE(table.findByNotation("#FF0001"));
    EXPECT_FALSE(table.findByNotation("#ff0000")); // the compare is case-sensitive
    EXPECT_FALSE(table.findByNotation("FF0000"));
    EXPECT_FALSE(table.findByName("red"));
}

TEST(NamedColors, ColourOfAnEntryReadsTheBlueGreenRedDigits) {
    const NamedColorTable table = standardTable();
    EXPECT_EQ(rgbOf(table.colour(*table.findByName("Darkorange"))), (Rgb{255, 140, 0}));
    EXPECT_EQ(table.colour(*table.findByName("Yellow")), 65535);
    EXPECT_EQ(rgbOf(table.colour(*table.findByName("Aliceblue"))), (Rgb{240, 248, 255}));
    for (std::size_t i = 0; i < table.count(); ++i)
        ASSERT_EQ("#" + table.value(i), htmlNotation(rgbOf(table.colour(i))));
}

TEST(NamedColors, CapacityIs151Entries) {
    NamedColorTable table = standardTable();
    for (int i = 139; i < 151; ++i)
        table.add("Extra" + std::to_string(i), "123456");
    EXPECT_EQ(table.count(), 151u);
    EXPECT_THROW(table.add("One too many", "000000"), std::out_of_range);
    EXPECT_EQ(table.count(), 151u);
}

TEST(NamedColors, TheSharedTableIsFilledByTheGlobalsFunctions) {
    Globals_LoadNamedColors();
    EXPECT_EQ(namedColors().count(), 139u);
    Globals_AddNamedColor("Extra", "010203");
    EXPECT_EQ(namedColors().count(), 140u);
    EXPECT_EQ(*namedColors().findByNotation("#010203"), 139u);
}

TEST(NamedColors, PrefixSearchInDisplayOrder) {
    const std::vector<std::string> names = displayOrder(standardTable());
    ASSERT_EQ(names.front(), "Aliceblue");
    struct Case {
        const char* typed;
        const char* selected; // nullptr: nothing matches
    };
    const Case cases[] = {
        {"dark", "Darkblue"}, {"DARKO", "Darkolivegreen"}, {"", "Aliceblue"},    {"lime", "Lime"},
        {"x", nullptr},       {"Snowy", nullptr},          {"s", "Saddlebrown"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const std::optional<std::size_t> at = firstPrefixMatch(names, c.typed);
        if (!c.selected) {
            EXPECT_FALSE(at.has_value());
            continue;
        }
        ASSERT_TRUE(at.has_value());
        EXPECT_EQ(names[*at], c.selected);
    }
    EXPECT_FALSE(firstPrefixMatch({}, ""));
}

TEST(NamedColors, BothLimesStandSideBySideAndShowTheSameColour) {
    const NamedColorTable table = standardTable();
    const std::vector<std::string> names = displayOrder(table);
    const auto first = std::find(names.begin(), names.end(), "Lime");
    ASSERT_NE(first, names.end());
    EXPECT_EQ(*(first + 1), "Lime");
    EXPECT_EQ(table.value(*table.findByName(*first)), "00FF00");
}

// The whole table as a text, ten pairs a row, compared entry by entry with what was loaded.
TEST(NamedColors, EveryEntryAsListed) {
    const std::string listed = R"(
"Red" "FF0000", "Yellow" "FFFF00", "Lime" "00FF00", "Cyan" "00FFFF", "Blue" "0000FF", "Magenta" "FF00FF", "White" "FFFFFF", "Whitesmoke" "F5F5F5", "Gainsboro" "DCDCDC", "Lightgrey" "D3D3D3".
"Silver" "C0C0C0", "Darkgray" "A9A9A9", "Gray" "808080", "Dimgray" "696969", "Black" "000000", "Darkslategray" "2F4F4F", "Slategray" "708090", "Lightslategray" "778899", "Steelblue" "4682B4", "Royalblue" "4169E1".
"Cornflowerblue" "6495ED", "Lightsteelblue" "B0C4DE", "Mediumslateblue" "7B68EE", "Slateblue" "6A5ACD", "Darkslateblue" "483D8B", "Midnightblue" "191970", "Navy" "000080", "Darkblue" "00008B", "Mediumblue" "0000CD", "Dodgerblue" "1E90FF".
"Deepskyblue" "00BFFF", "Lightskyblue" "87CEFA", "Skyblue" "87CEEB", "Lightblue" "ADD8E6", "Powderblue" "B0E0E6", "Azure" "F0FFFF", "Lightcyan" "E0FFFF", "Paleturquoise" "AFEEEE", "Darkturquoise" "00CED1", "Cadetblue" "5F9EA0".
"Mediumturquoise" "48D1CC", "Aqua" "00FFFF", "Turquoise" "40E0D0", "Lightseagreen" "20B2AA", "Darkcyan" "008B8B", "Teal" "008080", "Aquamarine" "7FFFD4", "Mediumaquamarine" "66CDAA", "Darkseagreen" "8FBC8F", "Mediumseagreen" "3CB371".
"Seagreen" "2E8B57", "Darkgreen" "006400", "Green" "008000", "Forestgreen" "228B22", "Limegreen" "32CD32", "Lime" "00FF00", "Chartreuse" "7FFF00", "Lawngreen" "7CFC00", "Greenyellow" "ADFF2F", "Palegreen" "98FB98".
"Lightgreen" "90EE90", "Springgreen" "00FF7F", "Mediumspringgreen" "00FA9A", "Darkolivegreen" "556B2F", "Olivedrab" "6B8E23", "Olive" "808000", "Darkkhaki" "BDB76B", "Darkgoldenrod" "B8860B", "Goldenrod" "DAA520", "Gold" "FFD700".
"Khaki" "F0E68C", "Palegoldenrod" "EEE8AA", "Blanchedalmond" "FFEBCD", "Moccasin" "FFE4B5", "Wheat" "F5DEB3", "Navajowhite" "FFDEAD", "Burlywood" "DEB887", "Tan" "D2B48C", "Rosybrown" "BC8F8F", "Sienna" "A0522D".
"Saddlebrown" "8B4513", "Chocolate" "D2691E", "Peru" "CD853F", "Sandybrown" "F4A460", "Darkred" "8B0000", "Maroon" "800000", "Brown" "A52A2A", "Firebrick" "B22222", "Indianred" "CD5C5C", "Lightcoral" "F08080".
"Salmon" "FA8072", "Darksalmon" "E9967A", "Lightsalmon" "FFA07A", "Coral" "FF7F50", "Tomato" "FF6347", "Darkorange" "FF8C00", "Orange" "FFA500", "Orangered" "FF4500", "Crimson" "DC143C", "Deeppink" "FF1493".
"Fuchsia" "FF00FF", "Hotpink" "FF69B4", "Lightpink" "FFB6C1", "Pink" "FFC0CB", "Palevioletred" "DB7093", "Mediumvioletred" "C71585", "Purple" "800080", "Darkmagenta" "8B008B", "Mediumpurple" "9370DB", "Blueviolet" "8A2BE2".
"Indigo" "4B0082", "Darkviolet" "9400D3", "Darkorchid" "9932CC", "Mediumorchid" "BA55D3", "Orchid" "DA70D6", "Violet" "EE82EE", "Plum" "DDA0DD", "Thistle" "D8BFD8", "Lavender" "E6E6FA", "Ghostwhite" "F8F8FF".
"Aliceblue" "F0F8FF", "Mintcream" "F5FFFA", "Honeydew" "F0FFF0", "Lightgoldenrodyellow" "FAFAD2", "Lemonchiffon" "FFFACD", "Cornsilk" "FFF8DC", "Lightyellow" "FFFFE0", "Ivory" "FFFFF0", "Floralwhite" "FFFAF0", "Linen" "FAF0E6".
"Oldlace" "FDF5E6", "Antiquewhite" "FAEBD7", "Bisque" "FFE4C4", "Peachpuff" "FFDAB9", "Papayawhip" "FFEFD5", "Seashell" "FFF5EE", "Lavenderblush" "FFF0F5", "Mistyrose" "FFE4E1", "Snow" "FFFAFA".
)";
    std::vector<std::pair<std::string, std::string>> pairs;
    for (std::size_t pos = listed.find('"'); pos != std::string::npos; pos = listed.find('"', pos)) {
        std::string fields[2];
        for (std::string& field : fields) {
            const std::size_t open = listed.find('"', pos);
            const std::size_t close = listed.find('"', open + 1);
            field = listed.substr(open + 1, close - open - 1);
            pos = close + 1;
        }
        pairs.emplace_back(fields[0], fields[1]);
    }
    const NamedColorTable table = standardTable();
    ASSERT_EQ(pairs.size(), 139u);
    ASSERT_EQ(table.count(), pairs.size());
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        EXPECT_EQ(table.name(i), pairs[i].first) << i;
        EXPECT_EQ(table.value(i), pairs[i].second) << i;
    }
}
