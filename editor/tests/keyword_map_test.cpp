// The word table: exact byte-for-byte words, replacement of a class, growth to many words, and
// look-ups from 16-bit text.

#include "editor/CHHKeywordMap.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::u16string widen(const std::string& text) {
    std::u16string wide;
    for (unsigned char c : text)
        wide.push_back(c);
    return wide;
}

WORD lookupWide(const CHHKeywordMap& map, const std::string& word) {
    const std::u16string wide = widen(word);
    return map.Lookup(wide.data(), static_cast<int>(wide.size()));
}

TEST(KeywordMap, ExactWordsOnly) {
    CHHKeywordMap map;
    map.SetAt("while", 1);
    WORD cls = 0;
    EXPECT_TRUE(map.Lookup("while", cls));
    EXPECT_EQ(cls, 1);
    EXPECT_FALSE(map.Lookup("While", cls));
    EXPECT_FALSE(map.Lookup("whil", cls));
    EXPECT_FALSE(map.Lookup("whiles", cls));
    EXPECT_FALSE(map.Lookup(nullptr, cls));
    EXPECT_EQ(lookupWide(map, "while"), 1);
    EXPECT_EQ(lookupWide(map, "WHILE"), 0);
}

TEST(KeywordMap, LastClassWins) {
    CHHKeywordMap map;
    map.SetAt("delete", 1);
    map.SetAt("delete", 8);
    EXPECT_EQ(map.GetCount(), 1);
    EXPECT_EQ(lookupWide(map, "delete"), 8);
}

TEST(KeywordMap, EmptyAndHighBytes) {
    CHHKeywordMap map;
    map.SetAt("", 2);
    map.SetAt("caf\xe9", 4);
    EXPECT_EQ(lookupWide(map, ""), 2);
    EXPECT_EQ(lookupWide(map, "caf\xe9"), 4);
    const std::u16string beyondBytes = u"caf\u01e9";
    EXPECT_EQ(map.Lookup(beyondBytes.data(), 4), 0);
    EXPECT_EQ(map.Lookup(nullptr, 3), 0);
    EXPECT_EQ(map.Lookup(beyondBytes.data(), -1), 0);
}

TEST(KeywordMap, LongWords) {
    CHHKeywordMap map;
    const std::string longWord(700, 'w');
    map.SetAt(longWord.c_str(), 16);
    EXPECT_EQ(lookupWide(map, longWord), 16);
    EXPECT_EQ(lookupWide(map, std::string(699, 'w')), 0);
}

// The application adds up to 10000 words per section, each also in lower case.
TEST(KeywordMap, GrowsToManyWords) {
    CHHKeywordMap map;
    for (int i = 0; i < 30000; ++i)
        map.SetAt(("Word" + std::to_string(i)).c_str(), static_cast<WORD>(1 + i % 3));
    EXPECT_EQ(map.GetCount(), 30000);
    for (int i = 0; i < 30000; ++i)
        ASSERT_EQ(lookupWide(map, "Word" + std::to_string(i)), 1 + i % 3) << i;
    EXPECT_EQ(lookupWide(map, "Word30000"), 0);
    EXPECT_EQ(lookupWide(map, "word1"), 0);
    map.RemoveAll();
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(lookupWide(map, "Word1"), 0);
    map.SetAt("again", 1);
    EXPECT_EQ(lookupWide(map, "again"), 1);
}

} // namespace
