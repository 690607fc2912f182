#pragma once
// The five colours of an HTML document's BODY tag: reading them (BGCOLOR, TEXT, LINK, VLINK, ALINK)
// and writing the samples' colours back so that nothing else in the document changes.

#include "colourtool/core/body_tag.h"
#include "colourtool/core/colour_value.h"
#include "colourtool/core/document_colours.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace tintara {

// The colours a BODY tag names, by sample; none for an attribute the tag lacks.
struct BodyColours {
    std::array<std::optional<Rgb>, 5> found;

    const std::optional<Rgb>& of(Sample sample) const { return found[static_cast<std::size_t>(sample)]; }
};

// The colour of an attribute value: a standard colour name in any case (blanks around it aside)
// reads as its colour ("white" gives FF, FF, FF), and "#rgb" as "#rrggbb" ("#fff" is white); any
// other value reads as its hexadecimal characters (either case) in order, the first two red, the
// next two green, the next two blue; missing digits count as none ("#FFFF" gives FF, FF, 00;
// "rgb(255,0,0)" gives B2, 55, 00).
Rgb colourOfAttributeValue(const std::string& value);

// The colours of a located BODY tag; a later attribute of the same name overrides an earlier one.
// A tag without its closing ">" names no colours.
BodyColours readBodyColours(const std::string& document, const BodyTag& tag);

// The colour attributes the tag lacks, in the order BGCOLOR, TEXT, LINK, VLINK, ALINK. An attribute
// written without a value counts as present. A tag without its closing ">" lacks all five.
std::vector<Sample> missingBodyAttributes(const std::string& document, const BodyTag& tag);

// The document with the samples' colours in the tag: each colour attribute's value replaced in its
// own quotes (a bare attribute gets ="#RRGGBB"), and with addMissing, the missing ones appended after
// the last attribute as ` NAME="#RRGGBB"` (in front of a last `x=` whose empty value would take them).
// Every other byte stays. A tag without its closing ">" leaves the document as it is.
std::string rewriteBodyColours(const std::string& document, const BodyTag& tag,
                               const DocumentColours& colours, bool addMissing);

} // namespace tintara
