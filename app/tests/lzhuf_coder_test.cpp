#include "app/lzhuf_coder.h"
#include "app/lzhuf_tree.h"
#include "app/memory_bytes.h"
#include "cmake/test_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

std::string Compress(const std::string& data) {
    MemorySource in(data);
    MemorySink out;
    EXPECT_EQ(LzhufCoder().Compress(in, static_cast<std::uint32_t>(data.size()), out),
              LzhufCoder::Result::Ok);
    return out.bytes();
}

LzhufCoder::Result Expand(const std::string& packed, std::string& data) {
    MemorySource in(packed);
    MemorySink out;
    LzhufCoder::Result result = LzhufCoder().Expand(in, packed.size(), out);
    data = out.bytes();
    return result;
}

std::string RandomBytes(std::size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::string s(n, '\0');
    for (char& c : s)
        c = static_cast<char>(rng());
    return s;
}

std::string SampleText(std::size_t n) {
    static const char* words[] = {"function", "var", "document", "window", "return", "if",    "else",
                                  "{",        "}",   "(",        ")",      ";",      "\r\n",  "alert",
                                  "for",      "i",   "=",        "0",      "<",      "length"};
    std::mt19937 rng(7);
    std::string s;
    while (s.size() < n)
        s += std::string(words[rng() % 20]) + (rng() % 3 ? " " : "");
    s.resize(n);
    return s;
}

struct RoundTrip {
    const char* name;
    std::string data;
};

void PrintTo(const RoundTrip& c, std::ostream* os) {
    *os << c.name;
}

class LzhufRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(LzhufRoundTrip, GivesTheDataBack) {
    const std::string& data = GetParam().data;
    std::string packed = Compress(data);
    ASSERT_GE(packed.size(), 8u);
    EXPECT_EQ(packed.substr(0, 4), "QZ10");
    std::uint32_t stored = 0;
    std::memcpy(&stored, packed.data() + 4, 4);
    EXPECT_EQ(stored, data.size());
    std::string back;
    ASSERT_EQ(Expand(packed, back), LzhufCoder::Result::Ok);
    EXPECT_TRUE(back == data) << "sizes " << back.size() << " and " << data.size();
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, LzhufRoundTrip,
    ::testing::Values(RoundTrip{"Empty", ""}, RoundTrip{"OneByte", "x"}, RoundTrip{"OneBlank", " "},
                      RoundTrip{"Text59", SampleText(59)}, RoundTrip{"Text60", SampleText(60)},
                      RoundTrip{"Text61", SampleText(61)}, RoundTrip{"Random4095", RandomBytes(4095, 1)},
                      RoundTrip{"Random4096", RandomBytes(4096, 2)},
                      RoundTrip{"Random4097", RandomBytes(4097, 3)}, RoundTrip{"Text4097", SampleText(4097)},
                      RoundTrip{"Blanks10000", std::string(10000, ' ')},
                      RoundTrip{"Zeros100000", std::string(100000, '\0')},
                      RoundTrip{"Random200000", RandomBytes(200000, 4)},
                      RoundTrip{"Text5MB", SampleText(5 * 1024 * 1024)},
                      RoundTrip{"AllBytes",
                                [] {
                                    std::string s;
                                    for (int i = 0; i < 256 * 40; i++)
                                        s += static_cast<char>(i * 7 % 256);
                                    return s;
                                }()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LzhufCoder, EmptyInputIsTheHeaderAlone) {
    EXPECT_EQ(Compress(""), std::string("QZ10\0\0\0\0", 8));
}

TEST(LzhufCoder, RunOfEqualBytesIsOneLiteralAndOneMatch) {
    // A literal and a match take about 27 bits; a second literal would need 9 more.
    for (int n = 4; n <= 61; n++) {
        std::string packed = Compress(std::string(static_cast<std::size_t>(n), 'A'));
        EXPECT_LE(packed.size(), 8u + 4u) << n;
    }
}

TEST(LzhufCoder, GoldenFile) {
    std::string text = pm::test::readFile(PM_TEST_DATA_DIR "/compressor/sample.ini");
    ASSERT_FALSE(text.empty());
    const std::string goldenPath = PM_TEST_DATA_DIR "/compressor/sample.ini.qz";
    if (!pm::test::expectGolden(goldenPath, Compress(text))) return;
    std::string golden = pm::test::readFile(goldenPath);
    std::string back;
    ASSERT_EQ(Expand(golden, back), LzhufCoder::Result::Ok);
    EXPECT_EQ(back, text);
}

// Counts growing like Fibonacci numbers above the block of unused symbols make the tree deeper
// than 16 levels before the root reaches the rebuild limit.
TEST(LzhufTree, CodesLongerThan16BitsLeadBackToTheirSymbol) {
    LzhufTree tree;
    long a = 330, b = 330;
    for (int symbol = 0; symbol < 9; symbol++) {
        for (long n = 0; n < a; n++)
            tree.Update(symbol);
        long next = a + b;
        a = b;
        b = next;
    }
    int longest = 0;
    for (int symbol = 0; symbol < LzhufTree::kSymbols; symbol++) {
        std::uint64_t bits;
        int length;
        tree.Code(symbol, bits, length);
        longest = std::max(longest, length);
        int node = tree.Root();
        for (int i = length - 1; i >= 0; i--) {
            ASSERT_LT(node, LzhufTree::kNodes) << "reached a leaf early";
            node = tree.Child(node, static_cast<int>(bits >> i & 1));
        }
        EXPECT_EQ(node - LzhufTree::kNodes, symbol);
    }
    EXPECT_GT(longest, 16);
}

TEST(LzhufCoder, PositionTables) {
    const LzhufCoder::PositionTables& t = LzhufCoder::Positions();
    const int lengths[][2] = {{0, 3},  {1, 4},  {3, 4},  {4, 5},  {11, 5}, {12, 6},
                              {23, 6}, {24, 7}, {47, 7}, {48, 8}, {63, 8}};
    for (const auto& l : lengths)
        EXPECT_EQ(t.length[l[0]], l[1]) << l[0];
    const int codes[][2] = {{0, 0x00},  {1, 0x20},  {2, 0x30},  {3, 0x40},  {4, 0x50},  {5, 0x58},
                            {11, 0x88}, {12, 0x90}, {13, 0x94}, {23, 0xBC}, {24, 0xC0}, {25, 0xC2},
                            {47, 0xEE}, {48, 0xF0}, {49, 0xF1}, {63, 0xFF}};
    for (const auto& c : codes)
        EXPECT_EQ(t.code[c[0]], c[1]) << c[0];
    int indexCount[64] = {}, lengthCount[9] = {};
    for (int b = 0; b < 256; b++) {
        indexCount[t.decodeIndex[b]]++;
        lengthCount[t.decodeLength[b]]++;
        EXPECT_EQ(b >> (8 - t.decodeLength[b]), t.code[t.decodeIndex[b]] >> (8 - t.decodeLength[b])) << b;
    }
    EXPECT_EQ(indexCount[0], 32);
    EXPECT_EQ(indexCount[3], 16);
    EXPECT_EQ(indexCount[11], 8);
    EXPECT_EQ(indexCount[23], 4);
    EXPECT_EQ(indexCount[47], 2);
    EXPECT_EQ(indexCount[63], 1);
    const int expectedLengths[9] = {0, 0, 0, 32, 48, 64, 48, 48, 16};
    for (int l = 0; l < 9; l++)
        EXPECT_EQ(lengthCount[l], expectedLengths[l]) << l;
}

TEST(LzhufCoder, DamagedInputsFailWithoutLargeOutput) {
    std::string text = SampleText(20000);
    std::string packed = Compress(text);
    struct Case {
        const char* name;
        std::string input;
        LzhufCoder::Result result;
    };
    std::string lying = packed;
    lying[7] = '\x7F'; // about 2 GB announced
    std::string longer = packed;
    longer[5] = static_cast<char>(longer[5] + 1); // 256 bytes more than the stream holds
    std::string corrupted = packed;
    for (std::size_t i = 40; i < corrupted.size(); i += 97)
        corrupted[i] = static_cast<char>(~corrupted[i]);
    const Case cases[] = {
        {"WrongMagic", "QZ11" + packed.substr(4), LzhufCoder::Result::Ok},
        {"NoMagic", "", LzhufCoder::Result::Ok},
        {"MagicOnly", "QZ10", LzhufCoder::Result::Corrupt},
        {"ZeroLength", std::string("QZ10\0\0\0\0garbage", 15), LzhufCoder::Result::Ok},
        {"Truncated", packed.substr(0, packed.size() / 2), LzhufCoder::Result::Corrupt},
        {"HeaderOnly", packed.substr(0, 8), LzhufCoder::Result::Corrupt},
        {"LyingLength", lying, LzhufCoder::Result::Corrupt},
        {"LongerThanStream", longer, LzhufCoder::Result::Corrupt},
    };
    for (const Case& c : cases) {
        std::string out;
        EXPECT_EQ(Expand(c.input, out), c.result) << c.name;
        EXPECT_LE(out.size(), text.size() + 256) << c.name;
        if (c.result == LzhufCoder::Result::Ok) {
            EXPECT_TRUE(out.empty()) << c.name;
        }
    }
    std::string out;
    Expand(corrupted, out); // any result, within bounds
    EXPECT_LE(out.size(), text.size());
}

TEST(LzhufCoder, WriteFailuresAreReported) {
    std::string text = SampleText(300000);
    for (std::size_t limit : {std::size_t(0), std::size_t(5), std::size_t(70000)}) {
        MemorySource in(text);
        MemorySink out(limit);
        EXPECT_EQ(LzhufCoder().Compress(in, static_cast<std::uint32_t>(text.size()), out),
                  LzhufCoder::Result::WriteFailed)
            << limit;
    }
    std::string packed = Compress(text);
    MemorySource in(packed);
    MemorySink out(1000);
    EXPECT_EQ(LzhufCoder().Expand(in, packed.size(), out), LzhufCoder::Result::WriteFailed);
}

TEST(LzhufCoder, ShortSourceIsReported) {
    std::string text = "only this";
    MemorySource in(text);
    MemorySink out;
    EXPECT_EQ(LzhufCoder().Compress(in, 100, out), LzhufCoder::Result::ShortInput);
}

TEST(LzhufCoder, ProgressMarks) {
    std::string text = SampleText(50000);
    std::vector<std::uint32_t> seen;
    LzhufCoder coder;
    coder.SetProgress([&](std::uint32_t& done, std::uint32_t& total) {
        EXPECT_EQ(total, 50000u);
        seen.push_back(done);
    });
    MemorySource in(text);
    MemorySink out;
    ASSERT_EQ(coder.Compress(in, 50000, out), LzhufCoder::Result::Ok);
    ASSERT_GE(seen.size(), 5u); // a report about every 10240 bytes, then the last one
    EXPECT_EQ(seen.back(), 50000u);
    EXPECT_LE(seen.front(), 1100u);
}

} // namespace
