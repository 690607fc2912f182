#pragma once
// The BODY tag of an HTML document, located as the first tag named BODY (ASCII case ignored, so
// byte positions in the document stay exact) outside comments, the attribute values of other tags
// and the text of script and style elements, and scanned attribute by attribute: names and values
// are separated by any blanks (space, tab, line breaks), values may be in double, single or no
// quotes, and a ">" inside a quoted value does not end the tag.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tintara {

// One attribute, as byte offsets into the document.
struct BodyAttribute {
    std::size_t nameBegin = 0;
    std::size_t nameEnd = 0;
    bool hasValue = false;      // an "=" follows the name
    std::size_t valueBegin = 0; // the value's bytes, without its quotes
    std::size_t valueEnd = 0;
    char quote = 0; // '"', '\'' or 0 for an unquoted value
};

struct BodyTag {
    std::size_t nameBegin = 0;           // the "B" of "BODY", just after "<"
    std::size_t attributesEnd = 0;       // just after the last attribute (or the tag name)
    std::size_t end = std::string::npos; // the closing ">", npos when the document ends first
    std::vector<BodyAttribute> attributes;

    bool closed() const { return end != std::string::npos; }
};

// The most attributes a BODY tag is scanned for; a tag with more is treated as one without its
// closing ">" (its colours are neither read nor rewritten).
constexpr std::size_t kMaxBodyAttributes = 10000;

// The first BODY tag of the document, or none when it holds none.
std::optional<BodyTag> findBodyTag(const std::string& document);

} // namespace tintara
