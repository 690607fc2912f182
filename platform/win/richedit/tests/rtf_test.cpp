#include "platform/win/richedit/rtf_reader.h"

#include <gtest/gtest.h>

using namespace pm::richedit;

namespace {

// The text with each run written as [c=RRGGBB|auto b i u]text.
std::string describe(const RtfDocument& doc, const FormatTable& formats) {
    std::string out;
    std::size_t pos = 0;
    for (const FormattedPiece& p : doc.pieces) {
        const RunFormat& f = formats.get(p.format);
        char head[64];
        if (f.autoColor)
            std::snprintf(head, sizeof head, "[auto%s%s%s]", f.bold ? " b" : "", f.italic ? " i" : "",
                          f.underline ? " u" : "");
        else
            std::snprintf(head, sizeof head, "[%02X%02X%02X%s%s%s]", GetRValue(f.color), GetGValue(f.color),
                          GetBValue(f.color), f.bold ? " b" : "", f.italic ? " i" : "",
                          f.underline ? " u" : "");
        out += head;
        out += doc.text.substr(pos, static_cast<std::size_t>(p.length));
        pos += static_cast<std::size_t>(p.length);
    }
    return out;
}

RtfError readInPieces(std::string_view rtf, std::size_t size, FormatTable& formats, bool wholeText,
                      RtfDocument& doc) {
    DocumentOutput out(doc);
    RtfReader reader(RunFormat{}, formats, out);
    for (std::size_t at = 0; at < rtf.size(); at += size)
        if (RtfError e = reader.feed(rtf.substr(at, size)); e != RtfError::None) return e;
    return reader.finish(wholeText);
}

} // namespace

TEST(RtfReader, StreamsOfTheEditorsGiveTextAndRuns) {
    struct Case {
        const char* name;
        const char* rtf;
        bool wholeText;
        const char* expected;
    } cases[] = {
        {"colour table and classes",
         "{{\\colortbl\\red0\\green0\\blue0;\\red0\\green0\\blue255;}\r\n\\cf1\\b\\i0 var\\cf0\\b0\\i0  "
         "x\r\n\\par }",
         true, "[0000FF b]var[000000] x"},
        {"final par of a whole text adds no break",
         "{{\\colortbl\\red1\\green2\\blue3;}\\cf0 a\r\n\\par b\r\n\\par }", true, "[010203]a\rb"},
        {"final par kept for a selection", "{{\\colortbl\\red1\\green2\\blue3;}a\r\n\\par }", false,
         "[auto]a\r"},
        {"escapes, tabs and hex bytes", "{\\\\x\\{y\\}\\tab z\\'e9}", true, "[auto]\\x{y}\tz\xE9"},
        {"one space after a control word is eaten", "{\\b  two}", true, "[auto b] two"},
        {"unknown words and destinations are skipped",
         "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\*\\foo bar}\\qc ok}", true, "[auto]ok"},
        {"groups restore the format", "{a{\\b b{\\i c}d}e}", true,
         "[auto]a[auto b]b[auto b i]c[auto b]d[auto]e"},
        {"underline on and off", "{\\ul u\\ulnone n}", true, "[auto u]u[auto]n"},
        {"empty text", "{}", true, ""},
        {"a colour index past the table keeps the base colour", "{{\\colortbl\\red9\\green9\\blue9;}\\cf7 t}",
         true, "[auto]t"},
        {"a mark inside a skipped destination is no final break", "{a{\\*\\x\\par}{\\fonttbl\\line}}", true,
         "[auto]a"},
    };
    for (const Case& c : cases) {
        FormatTable formats;
        RtfDocument doc;
        ASSERT_EQ(readRtf(c.rtf, RunFormat{}, formats, c.wholeText, doc), RtfError::None) << c.name;
        std::string got = describe(doc, formats);
        EXPECT_EQ(got, c.expected) << c.name;
    }
}

TEST(RtfReader, AStreamCutAnywhereReadsAsAWhole) {
    const char* streams[] = {
        ("{{\\colortbl\\red0\\green0\\blue0;\\red0\\green0\\blue255;}\r\n\\cf1\\b\\i0 var\\cf0\\b0\\i0  "
         "x\r\n\\par y\\tab\\'e9\\\\\\{z\\}\r\n\\par }"),
        "{\\cf-12 a\\cf1234567890 b\\ulnone c\\ul0\\b1 d\\abcdefghijklmnopqrstuvwxyzabcdefghij e}",
        "{\\cf99999999999 x}",
        "{\\'4",
        "{x\\",
        "{\\b \\par",
    };
    for (const char* rtf : streams) {
        for (bool whole : {true, false}) {
            FormatTable wholeFormats;
            RtfDocument expected;
            RtfError expectedError = readRtf(rtf, RunFormat{}, wholeFormats, whole, expected);
            for (std::size_t size : {1, 2, 3, 5, 8}) {
                FormatTable formats;
                RtfDocument doc;
                RtfError e = readInPieces(rtf, size, formats, whole, doc);
                ASSERT_EQ(e, expectedError) << rtf << " in pieces of " << size;
                if (e != RtfError::None) continue;
                EXPECT_EQ(describe(doc, formats), describe(expected, wholeFormats))
                    << rtf << " in pieces of " << size;
            }
        }
    }
}

TEST(RtfReader, ALargeStreamGoesOutInBatchesThatJoinUp) {
    std::string rtf = "{{\\colortbl\\red0\\green0\\blue0;\\red0\\green0\\blue255;}";
    std::string text;
    for (int i = 0; i < 30000; ++i) {
        rtf += i % 2 ? "\\cf1 word\\cf0  x\r\n\\par " : "\\cf1 word\\cf0  y\\tab ";
        text += i % 2 ? "word x\r" : "word y\t";
    }
    rtf += "}";
    FormatTable wholeFormats;
    RtfDocument whole;
    ASSERT_EQ(readRtf(rtf, RunFormat{}, wholeFormats, true, whole), RtfError::None);
    text.pop_back(); // the final \par of a whole text
    EXPECT_EQ(whole.text, text);
    EXPECT_EQ(whole.pieces.size(), 60000u);
    for (std::size_t size : {1000, 4096}) {
        FormatTable formats;
        RtfDocument doc;
        ASSERT_EQ(readInPieces(rtf, size, formats, true, doc), RtfError::None);
        EXPECT_EQ(describe(doc, formats), describe(whole, wholeFormats)) << size;
    }
}

TEST(RtfReader, MalformedInputEndsWithAnError) {
    struct Case {
        const char* rtf;
        RtfError error;
    } cases[] = {
        {"{abc", RtfError::UnbalancedGroups},
        {"abc}", RtfError::UnbalancedGroups},
        {"{\\cf99999999999 x}", RtfError::NumberTooLarge},
        {"{x\\", RtfError::Truncated},
        {"{\\'4", RtfError::Truncated},
    };
    for (const Case& c : cases) {
        FormatTable formats;
        RtfDocument doc;
        EXPECT_EQ(readRtf(c.rtf, RunFormat{}, formats, true, doc), c.error) << c.rtf;
        EXPECT_TRUE(doc.text.empty());
    }
    std::string deep(10000, '{');
    FormatTable formats;
    RtfDocument doc;
    EXPECT_EQ(readRtf(deep, RunFormat{}, formats, true, doc), RtfError::TooDeep);
}

TEST(RtfReader, TheBaseFormatSuppliesFaceSizeAndProtection) {
    RunFormat base;
    base.face = "Courier New";
    base.heightTwips = 200;
    base.protect = true;
    FormatTable formats;
    RtfDocument doc;
    ASSERT_EQ(readRtf("{{\\colortbl\\red0\\green128\\blue0;}\\cf0 x}", base, formats, true, doc),
              RtfError::None);
    ASSERT_EQ(doc.pieces.size(), 1u);
    const RunFormat& f = formats.get(doc.pieces[0].format);
    EXPECT_EQ(f.face, "Courier New");
    EXPECT_TRUE(f.protect);
    EXPECT_EQ(f.color, RGB(0, 128, 0));
}
