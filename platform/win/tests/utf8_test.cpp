#include "platform/win/utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::size_t decodeBytes(const std::string& bytes, char32_t* c) {
    return pm::utf8::decode(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), c);
}

} // namespace

TEST(Utf8, DecodeTakesValidSequencesAndRefusesTheRest) {
    struct Case {
        const char* name;
        std::string bytes;
        std::size_t length;
        char32_t character;
    } cases[] = {
        {"ascii", "A", 1, U'A'},
        {"two bytes", "\xC3\xA9", 2, U'\u00E9'},
        {"three bytes", "\xE2\x82\xAC", 3, U'\u20AC'},
        {"four bytes", "\xF0\x9F\x98\x80", 4, U'\U0001F600'},
        {"highest", "\xF4\x8F\xBF\xBF", 4, U'\U0010FFFF'},
        {"only what the lead asks for", "\xC3\xA9\xA9", 2, U'\u00E9'},
        {"continuation alone", "\xA9", 0, 0},
        {"overlong two", "\xC0\x80", 0, 0},
        {"overlong three", "\xE0\x80\x80", 0, 0},
        {"overlong four", "\xF0\x80\x80\x80", 0, 0},
        {"surrogate", "\xED\xA0\x80", 0, 0},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", 0, 0},
        {"lead beyond F4", "\xF5\x80\x80\x80", 0, 0},
        {"cut short", "\xE2\x82", 0, 0},
        {"broken", "\xE2\x41\xAC", 0, 0},
    };
    for (const Case& c : cases) {
        char32_t got = 0;
        EXPECT_EQ(decodeBytes(c.bytes, &got), c.length) << c.name;
        if (c.length) {
            EXPECT_EQ(got, c.character) << c.name;
        }
    }
}

TEST(Utf8, EncodeRoundTripsAtEachLengthBoundary) {
    for (char32_t c :
         {U'\0', U'\x7F', U'\x80', U'\u07FF', U'\u0800', U'\uFFFF', U'\U00010000', U'\U0010FFFF'}) {
        std::string bytes;
        pm::utf8::append(bytes, c);
        ASSERT_EQ(bytes.size(), pm::utf8::sequenceLength(static_cast<unsigned char>(bytes[0]))) << int(c);
        for (std::size_t i = 1; i < bytes.size(); ++i)
            EXPECT_TRUE(pm::utf8::isContinuation(static_cast<unsigned char>(bytes[i]))) << int(c);
        char32_t back = 0;
        EXPECT_EQ(decodeBytes(bytes, &back), bytes.size()) << int(c);
        EXPECT_EQ(back, c);
    }
}

TEST(Utf8, FromUtf16JoinsSurrogatePairsAndReplacesLoneOnes) {
    EXPECT_EQ(pm::utf8::fromUtf16(u"a\u00E9\u20AC"), "a\xC3\xA9\xE2\x82\xAC");
    EXPECT_EQ(pm::utf8::fromUtf16(u"\U0001F600"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(pm::utf8::fromUtf16(std::u16string{u'x', char16_t(0xD83D), u'y'}), "x\xEF\xBF\xBDy");
    EXPECT_EQ(pm::utf8::fromUtf16(std::u16string{char16_t(0xDE00)}), "\xEF\xBF\xBD");
    // The escape of a byte that is not UTF-8 keeps its three bytes.
    EXPECT_EQ(pm::utf8::fromUtf16(std::u16string{char16_t(0xDC80), char16_t(0xDCE9), char16_t(0xDCFF)}),
              "\xED\xB2\x80\xED\xB3\xA9\xED\xB3\xBF");
    EXPECT_EQ(pm::utf8::fromUtf16(std::u16string{char16_t(0xDC7F)}), "\xEF\xBF\xBD") << "below the escapes";
}

// A character for each valid sequence and for each other byte, as macros count the text.
TEST(Utf8, CharactersCountEachValidSequenceAndEachOtherByte) {
    struct Case {
        const char* name;
        std::string bytes;
        std::size_t count;
        std::vector<std::size_t> offsets; // of characters 0, 1, ...
    } cases[] = {
        {"empty", "", 0, {0}},
        {"ascii", "ab", 2, {0, 1, 2}},
        {"UTF-8", "\xC3\xA9t\xE2\x82\xAC\xF0\x9F\x98\x80", 4, {0, 2, 3, 6, 10}},
        {"Windows-1252", "caf\xE9 \x92", 6, {0, 1, 2, 3, 4, 5, 6}},
        {"a sequence cut short", "\xE2\x82!", 3, {0, 1, 2, 3}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pm::utf8::characterCount(c.bytes.data(), c.bytes.size()), c.count) << c.name;
        for (std::size_t i = 0; i < c.offsets.size(); ++i)
            EXPECT_EQ(pm::utf8::characterOffset(c.bytes.data(), c.bytes.size(), i), c.offsets[i])
                << c.name << " character " << i;
        EXPECT_EQ(pm::utf8::characterOffset(c.bytes.data(), c.bytes.size(), c.count + 5), c.bytes.size())
            << c.name << ": past the end";
    }
}

TEST(Utf8, ShownCharactersFallBackToWindows1252ByteByByte) {
    const std::string bytes = "\x80\xC3\xA9\xC3";
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    char32_t c = 0;
    EXPECT_EQ(pm::decodeChar(b, 4, &c), 1u);
    EXPECT_EQ(c, U'\u20AC');
    EXPECT_EQ(pm::decodeChar(b + 1, 3, &c), 2u);
    EXPECT_EQ(c, U'\u00E9');
    EXPECT_EQ(pm::decodeChar(b + 3, 1, &c), 1u); // a lead with nothing after it
    EXPECT_EQ(c, U'\u00C3');
    EXPECT_EQ(pm::decodeChar(b, 0, &c), 0u);
}
