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
    for (std::size_t i = 0; i < table.count(); ++i) names.push_back(table.name(i));
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
        {0, "Red", "FF0000"},         {1, "Yellow", "FFFF00"},      {2, "Lime", "00FF00"},
        {3, "Cyan", "00FFFF"},        {5, "Magenta", "FF00FF"},     {9, "Lightgrey", "D3D3D3"},
        {11, "Darkgray", "A9A9A9"},   {14, "Black", "000000"},      {26, "Navy", "000080"},
        {27, "Darkblue", "00008B"},   {41, "Aqua", "00FFFF"},       {55, "Lime", "00FF00"},
        {63, "Darkolivegreen", "556B2F"}, {95, "Darkorange", "FF8C00"}, {100, "Fuchsia", "FF00FF"},
        {120, "Aliceblue", "F0F8FF"}, {123, "Lightgoldenrodyellow", "FAFAD2"}, {138, "Snow", "FFFAFA"},
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
        ASSERT_TRUE(std::all_of(v.begin(), v.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }));
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
    for (int i = 139; i < 151; ++i) table.add("Extra" + std::to_string(i), "123456");
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
        {"dark", "Darkblue"}, {"DARKO", "Darkolivegreen"}, {"", "Aliceblue"}, {"lime", "Lime"},
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
