// The INI line reader under each format's rules: what each format takes for blanks, where a header's
// name ends, whether names and values are trimmed, what a line without '=' is, and how long a line
// may be.

#include "platform/win/registry/ini_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Kind = pm::IniLine::Kind;

struct Expected {
    Kind kind;
    std::string name;
    std::string value;
    bool hasEquals;
};

struct LineCase {
    const char* name;
    std::string line;
    Expected profile, settings, wordFile;
};

const std::string kLong = "k=" + std::string(9000, 'x');

const LineCase kLineCases[] = {
    {"only blanks",
     " \t\r",
     {Kind::Blank, "", "", false},
     {Kind::Blank, "", "", false},
     {Kind::Blank, "", "", false}},
    {"a comment after blanks",
     "\t; k=v",
     {Kind::Comment, "", "", false},
     {Kind::Comment, "", "", false},
     {Kind::Comment, "", "", false}},
    {"vertical tab and form feed are blanks of the settings alone",
     "\va=b\f",
     {Kind::Entry, "\va", "b\f", true},
     {Kind::Entry, "a", "b", true},
     {Kind::Entry, "\va", "b\f", true}},
    {"names and values trimmed for the profile alone",
     "  k = v  \r",
     {Kind::Entry, "k", "v", true},
     {Kind::Entry, "k ", " v", true},
     {Kind::Entry, "k ", " v", true}},
    {"an empty key",
     "=v",
     {Kind::Entry, "", "v", true},
     {Kind::Entry, "", "v", true},
     {Kind::Entry, "", "v", true}},
    {"a value keeps its later '='",
     "k=a=b",
     {Kind::Entry, "k", "a=b", true},
     {Kind::Entry, "k", "a=b", true},
     {Kind::Entry, "k", "a=b", true}},
    {"a header's name trimmed for the profile alone",
     "[ Name ]",
     {Kind::Header, "Name", "", false},
     {Kind::Header, " Name ", "", false},
     {Kind::Header, " Name ", "", false}},
    {"an unclosed '[' takes the rest of the line, but is no header of a word file",
     "[open",
     {Kind::Header, "open", "", false},
     {Kind::Header, "open", "", false},
     {Kind::Ignored, "", "", false}},
    {"text after the first ']'",
     "[a]b",
     {Kind::Header, "a", "", false},
     {Kind::Header, "a", "", false},
     {Kind::Ignored, "", "", false}},
    {"a word file's header ends at the last ']'",
     "[a]]",
     {Kind::Header, "a", "", false},
     {Kind::Header, "a", "", false},
     {Kind::Header, "a]", "", false}},
    {"an unclosed '[' with '=' is an entry of a word file",
     "[k=v",
     {Kind::Header, "k=v", "", false},
     {Kind::Header, "k=v", "", false},
     {Kind::Entry, "[k", "v", true}},
    {"an empty header",
     "[]",
     {Kind::Header, "", "", false},
     {Kind::Header, "", "", false},
     {Kind::Header, "", "", false}},
    {"a line without '=': a key, a lowered key with the line as value, nothing",
     " NoEquals ",
     {Kind::Entry, "NoEquals", "", false},
     {Kind::Entry, "noequals", "NoEquals", false},
     {Kind::Ignored, "", "", false}},
    {"a word file's line is cut at 8,192 bytes",
     kLong,
     {Kind::Entry, "k", kLong.substr(2), true},
     {Kind::Entry, "k", kLong.substr(2), true},
     {Kind::Entry, "k", std::string(8190, 'x'), true}},
};

void expectLine(const pm::IniLine& got, const Expected& want) {
    EXPECT_EQ(got.kind, want.kind);
    EXPECT_EQ(got.name, want.name);
    EXPECT_EQ(std::string(got.value), want.value);
    EXPECT_EQ(got.hasEquals, want.hasEquals);
}

TEST(IniLines, EachFormatReadsALineByItsOwnRules) {
    for (const LineCase& c : kLineCases) {
        SCOPED_TRACE(c.name);
        {
            SCOPED_TRACE("profile");
            expectLine(pm::readIniLine(c.line, pm::kProfileIniRules), c.profile);
        }
        {
            SCOPED_TRACE("settings");
            expectLine(pm::readIniLine(c.line, pm::kSettingsIniRules), c.settings);
        }
        {
            SCOPED_TRACE("word file");
            expectLine(pm::readIniLine(c.line, pm::kWordFileIniRules), c.wordFile);
        }
    }
}

TEST(IniLines, TextIsReadLineByLineUntilTheReaderStops) {
    std::vector<std::string> names;
    const auto collect = [&](const pm::IniLine& line) {
        names.push_back(line.name);
        return line.name != "stop";
    };
    pm::readIniLines("[a]\r\nk=1\n\nstop=\nlater=\n", pm::kSettingsIniRules, collect);
    EXPECT_EQ(names, (std::vector<std::string>{"a", "k", "", "stop"}));
    names.clear();
    pm::readIniLines("last=1\n", pm::kSettingsIniRules, collect);
    EXPECT_EQ(names, (std::vector<std::string>{"last"})) << "no line after the last line end";
    names.clear();
    pm::readIniLines("", pm::kSettingsIniRules, collect);
    EXPECT_TRUE(names.empty());
}

} // namespace
