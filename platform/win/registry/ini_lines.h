#pragma once
// The lines of INI-format text, each read as blank, a comment, a section header or an entry. The
// formats that use INI text share this reader and differ only in the rules they give it.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace pm {

struct IniRules {
    // How a header's name ends.
    enum class HeaderEnd {
        FirstBracket, // at the first ']'; a '[' without one takes the rest of the line
        LineEnd,      // at a ']' that ends the line; any other line starting with '[' is an entry
    };
    // What a line without '=' is.
    enum class BareLine {
        Key,        // an entry whose key is the line, without a value
        LoweredKey, // an entry whose key is the line in lower case and whose value is the line
        Ignored,    // nothing
    };

    std::string_view blanks; // taken off both ends of a line
    HeaderEnd headerEnd;
    BareLine bareLine;
    bool trimNames;            // blanks are taken off names and values too
    std::size_t maxLineLength; // a longer line is cut to this many bytes before it is read
};

// The private-profile functions' files: names and values trimmed, a bare line a key. A CR counts as
// blank, so lines of an LF file that end in CR LF still read right.
inline constexpr IniRules kProfileIniRules{" \t\r", IniRules::HeaderEnd::FirstBracket,
                                           IniRules::BareLine::Key, true, std::string_view::npos};
// The settings store: names and values as the trimmed line has them, a bare line a key of its own
// text in lower case.
inline constexpr IniRules kSettingsIniRules{" \t\r\n\v\f", IniRules::HeaderEnd::FirstBracket,
                                            IniRules::BareLine::LoweredKey, false, std::string_view::npos};
// Word files: a header is the whole line in brackets, bare lines mean nothing, lines are cut at
// 8,192 bytes.
inline constexpr IniRules kWordFileIniRules{" \t\r\n", IniRules::HeaderEnd::LineEnd,
                                            IniRules::BareLine::Ignored, false, 8192};

struct IniLine {
    enum class Kind { Blank, Comment, Header, Entry, Ignored };

    Kind kind = Kind::Blank;
    std::string name;       // the header's section name or the entry's key
    std::string_view value; // the entry's value: what follows its '=', or the line for a lowered key
    bool hasEquals = false; // the entry has an '='
};

// Reads one line (without its line end) by the rules. The value refers into line.
IniLine readIniLine(std::string_view line, const IniRules& rules);

// Reads each line of text, split at LF, by the rules, until visit returns false.
void readIniLines(std::string_view text, const IniRules& rules,
                  const std::function<bool(const IniLine&)>& visit);

} // namespace pm
