#include "colourtool/core/body_colours.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

using namespace tintara;

namespace {

using Found = std::array<std::optional<Rgb>, 5>;
using S = Sample;
const std::nullopt_t none = std::nullopt;

DocumentColours saveColours() {
    DocumentColours c;
    c.setTag(Sample::Background, "#A1A2A3");
    c.setTag(Sample::NormalText, "#B1B2B3");
    c.setTag(Sample::Link, "#C1C2C3");
    c.setTag(Sample::VisitedLink, "#D1D2D3");
    c.setTag(Sample::ActiveLink, "#E1E2E3");
    return c;
}

struct BodyCase {
    const char* fixture; // tests/data/html/<fixture>.html, saved form in <fixture>.saved
    Found found;         // BGCOLOR, TEXT, LINK, VLINK, ALINK as read when opening
    std::vector<Sample> missing;
};

const std::vector<Sample> kAll(kAllSamples.begin(), kAllSamples.end());

const BodyCase kCases[] = {
    {"upper", {Rgb{255, 255, 255}, Rgb{0, 0, 0}, Rgb{0, 0, 0x88}, Rgb{0x88, 0, 0x88}, Rgb{0, 0, 255}}, {}},
    {"lower_unquoted",
     {Rgb{255, 0, 0}, Rgb{0, 255, 0}, none, none, none},
     {S::Link, S::VisitedLink, S::ActiveLink}},
    {"mixed_quotes",
     {Rgb{0xAB, 0xCD, 0xEF}, Rgb{0x12, 0x34, 0x56}, Rgb{0, 0, 255}, Rgb{1, 2, 3}, Rgb{10, 11, 12}},
     {}},
    {"multiline",
     {none, Rgb{0, 0, 0}, Rgb{0, 0, 255}, Rgb{0x80, 0, 0x80}, none},
     {S::Background, S::ActiveLink}},
    {"gt_in_value",
     {Rgb{255, 255, 255}, none, none, none, none},
     {S::NormalText, S::Link, S::VisitedLink, S::ActiveLink}},
    {"bare", {none, none, none, none, none}, kAll},
    {"colour_names",
     {Rgb{255, 255, 255}, Rgb{255, 255, 255}, Rgb{0xB2, 0x55, 0}, Rgb{0, 0, 0}, Rgb{255, 0, 0}},
     {}},
    {"utf8",
     {none, Rgb{0x10, 0x20, 0x30}, none, none, none},
     {S::Background, S::Link, S::VisitedLink, S::ActiveLink}},
    {"duplicates",
     {Rgb{0x22, 0x22, 0x22}, Rgb{0x33, 0x33, 0x33}, Rgb{0x44, 0x44, 0x44}, Rgb{0x55, 0x55, 0x55},
      Rgb{0x66, 0x66, 0x66}},
     {}},
    {"two_spaces", {Rgb{255, 0, 0}, Rgb{0, 255, 0}, Rgb{0, 0, 255}, Rgb{255, 255, 0}, Rgb{0, 255, 255}}, {}},
    {"bare_attribute", {none, Rgb{0, 0, 0}, none, none, none}, {S::Link, S::VisitedLink, S::ActiveLink}},
    {"hidden_bodies",
     {Rgb{0xAB, 0xCD, 0xEF}, Rgb{0x12, 0x34, 0x56}, Rgb{0, 0, 0xEE}, none, none},
     {S::VisitedLink, S::ActiveLink}},
    {"unclosed", {none, none, none, none, none}, kAll},
    {"unclosed_quote", {none, none, none, none, none}, kAll},
};

std::string html(const char* fixtureName) {
    return fixture(std::string("html/") + fixtureName + ".html");
}
std::string saved(const char* fixtureName) {
    return fixture(std::string("html/") + fixtureName + ".saved");
}

} // namespace

TEST(BodyColours, ReadWhenOpening) {
    for (const BodyCase& c : kCases) {
        SCOPED_TRACE(c.fixture);
        const std::string document = html(c.fixture);
        const std::optional<BodyTag> tag = findBodyTag(document);
        ASSERT_TRUE(tag.has_value());
        EXPECT_EQ(readBodyColours(document, *tag).found, c.found);
    }
}

TEST(BodyColours, MissingAttributesInTheirFixedOrder) {
    for (const BodyCase& c : kCases) {
        SCOPED_TRACE(c.fixture);
        const std::string document = html(c.fixture);
        const std::optional<BodyTag> tag = findBodyTag(document);
        ASSERT_TRUE(tag.has_value());
        EXPECT_EQ(missingBodyAttributes(document, *tag), c.missing);
    }
}

TEST(BodyColours, RewriteChangesOnlyTheColourValuesAndAppendsTheMissingOnes) {
    for (const BodyCase& c : kCases) {
        SCOPED_TRACE(c.fixture);
        const std::string document = html(c.fixture);
        const std::optional<BodyTag> tag = findBodyTag(document);
        ASSERT_TRUE(tag.has_value());
        EXPECT_EQ(rewriteBodyColours(document, *tag, saveColours(), true), saved(c.fixture));
    }
}

TEST(BodyColours, DecliningTheMissingOnesAddsNothing) {
    const std::string bare = html("bare");
    EXPECT_EQ(rewriteBodyColours(bare, *findBodyTag(bare), saveColours(), false), bare);
    const std::string lower = html("lower_unquoted");
    std::string expected = lower;
    expected.replace(expected.find("#ff0000"), 7, "#A1A2A3");
    expected.replace(expected.find("#00ff00"), 7, "#B1B2B3");
    EXPECT_EQ(rewriteBodyColours(lower, *findBodyTag(lower), saveColours(), false), expected);
}

TEST(BodyColours, ASecondRewriteIsStable) {
    for (const BodyCase& c : kCases) {
        SCOPED_TRACE(c.fixture);
        const std::string once = saved(c.fixture);
        const std::optional<BodyTag> tag = findBodyTag(once);
        ASSERT_TRUE(tag.has_value());
        if (tag->closed()) {
            EXPECT_TRUE(missingBodyAttributes(once, *tag).empty());
        }
        EXPECT_EQ(rewriteBodyColours(once, *tag, saveColours(), true), once);
    }
}

TEST(BodyTag, TheFirstBodyTagAsABrowserReadsThePage) {
    struct Case {
        std::string document;
        std::size_t nameBegin; // npos: no BODY tag
        std::size_t end;
    };
    const std::size_t npos = std::string::npos;
    const Case cases[] = {
        {"<BODY>", 1, 5},
        {"<bOdY a=1>", 1, 9},
        {"<body/>", 1, 6},
        {"<BODY", 1, npos},
        {"\xC3\x9F<body>", 3, 7}, // bytes before count as bytes
        // Not a BODY tag.
        {"<html>", npos, npos},
        {"< BODY>", npos, npos},
        {"", npos, npos},
        {"<BOD", npos, npos},
        {"<BODYX a><body>", 10, 14},
        {"</body><body>", 8, 12},
        // Comments, declarations and processing instructions.
        {"xx<!-- <body> --><BODY>", 18, 22},
        {"<!--><body>", 6, 10},
        {"<!---><body>", 7, 11},
        {"<!-- -- <body> -- --><body>", 22, 26},
        {"<!-- <body>", npos, npos},
        {"<!DOCTYPE html><?xml <body> ?><body>", 31, 35},
        // The attribute values of other tags.
        {"<a title=\"<body>\" b='<body>' c=x<body><body>", 39, 43},
        {"<div title=\"<body>", npos, npos},
        // The text of script and style elements, to their own end tag.
        {"<script>document.write(\"<body text='#111111'>\")</script><body>", 57, 61},
        {"<SCRIPT type=\"x>\">if (a<b) '<body>';</Script ><body>", 47, 51},
        {"<script>'</scripty><body>'</script><body>", 36, 40},
        {"<style>/* <body> */</style><body>", 28, 32},
        {"<scripts><body>", 10, 14},
        {"<script><body>", npos, npos},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.document);
        const std::optional<BodyTag> tag = findBodyTag(c.document);
        if (c.nameBegin == npos) {
            EXPECT_FALSE(tag.has_value());
            continue;
        }
        ASSERT_TRUE(tag.has_value());
        EXPECT_EQ(tag->nameBegin, c.nameBegin);
        EXPECT_EQ(tag->end, c.end);
    }
}

TEST(BodyTag, AttributeSpans) {
    const std::string document = "<body a b = 'x y' c=\"1>2\" d=e/ f='' g=>";
    const std::optional<BodyTag> tag = findBodyTag(document);
    ASSERT_TRUE(tag.has_value());
    ASSERT_TRUE(tag->closed());
    struct Expect {
        const char* name;
        bool hasValue;
        const char* value;
        char quote;
    };
    const Expect expected[] = {{"a", false, "", 0},  {"b", true, "x y", '\''}, {"c", true, "1>2", '"'},
                               {"d", true, "e/", 0}, {"f", true, "", '\''},    {"g", true, "", 0}};
    ASSERT_EQ(tag->attributes.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const BodyAttribute& a = tag->attributes[i];
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(document.substr(a.nameBegin, a.nameEnd - a.nameBegin), expected[i].name);
        EXPECT_EQ(a.hasValue, expected[i].hasValue);
        if (a.hasValue) {
            EXPECT_EQ(document.substr(a.valueBegin, a.valueEnd - a.valueBegin), expected[i].value);
        }
        EXPECT_EQ(a.quote, expected[i].quote);
    }
    EXPECT_EQ(tag->attributesEnd, document.size() - 1);
}

TEST(BodyColours, ValuesReadAsColourNamesOrAsTheirHexadecimalCharactersInOrder) {
    struct Case {
        const char* value;
        Rgb rgb;
    };
    const Case cases[] = {
        {"#ff0000", {255, 0, 0}},
        // Three digits read as browsers read them; other short or long forms digit by digit.
        {"#FFF", {255, 255, 255}},
        {" #a5c ", {0xAA, 0x55, 0xCC}},
        {"FFF", {255, 15, 0}},
        {"#FFFF", {255, 255, 0}},
        {"#12345", {0x12, 0x34, 5}},
        {"#ffg", {255, 0, 0}},
        {"", {0, 0, 0}},
        {"#1", {1, 0, 0}},
        {"#123456789", {0x12, 0x34, 0x56}},
        {"rgb(255,0,0)", {0xB2, 0x55, 0}},
        // Names of the colour table, in any case, read as their colours.
        {"white", {255, 255, 255}},
        {"black", {0, 0, 0}},
        {"RED", {255, 0, 0}},
        {" Navy ", {0, 0, 0x80}},
        {"lightgrey", {0xD3, 0xD3, 0xD3}},
        {"MediumSpringGreen", {0, 0xFA, 0x9A}},
        // Not a name: the hexadecimal characters as before.
        {"whites", {0x0E, 0, 0}},
        {"bl ack", {0xBA, 0x0C, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(colourOfAttributeValue(c.value), c.rgb) << c.value;
}

TEST(BodyColours, AnEmptyLastValueDoesNotSwallowTheAddedAttributes) {
    const std::string document = "<body link='#00f' x=>";
    const std::optional<BodyTag> tag = findBodyTag(document);
    ASSERT_TRUE(tag.has_value());
    const std::string once = rewriteBodyColours(document, *tag, saveColours(), true);
    EXPECT_EQ(
        once,
        "<body link='#C1C2C3' BGCOLOR=\"#A1A2A3\" TEXT=\"#B1B2B3\" VLINK=\"#D1D2D3\" ALINK=\"#E1E2E3\" x=>");
    const std::optional<BodyTag> again = findBodyTag(once);
    ASSERT_TRUE(again.has_value());
    EXPECT_TRUE(missingBodyAttributes(once, *again).empty());
}

TEST(BodyTag, ATagWithTooManyAttributesIsLeftAlone) {
    std::string document = "<BODY";
    for (std::size_t i = 0; i < kMaxBodyAttributes; ++i)
        document += " a";
    const std::string atTheLimit = document + " bgcolor=#123456>";
    const std::optional<BodyTag> tag = findBodyTag(atTheLimit);
    ASSERT_TRUE(tag.has_value());
    EXPECT_FALSE(tag->closed());
    EXPECT_EQ(tag->attributes.size(), kMaxBodyAttributes);
    EXPECT_FALSE(readBodyColours(atTheLimit, *tag).of(Sample::Background).has_value());
    EXPECT_EQ(rewriteBodyColours(atTheLimit, *tag, saveColours(), true), atTheLimit);

    const std::string belowTheLimit = "<BODY" + document.substr(7) + " bgcolor=#123456>";
    const std::optional<BodyTag> fits = findBodyTag(belowTheLimit);
    ASSERT_TRUE(fits.has_value());
    EXPECT_TRUE(fits->closed());
    EXPECT_EQ(readBodyColours(belowTheLimit, *fits).of(Sample::Background), (Rgb{0x12, 0x34, 0x56}));
}
