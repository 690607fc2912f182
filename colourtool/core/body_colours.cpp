#include "colourtool/core/body_colours.h"

#include "colourtool/core/named_colors.h"
#include "colourtool/core/vb_text.h"

#include <algorithm>

namespace tintara {

namespace {

std::optional<Sample> sampleOfAttribute(const std::string& document, const BodyAttribute& attribute) {
    const std::string name =
        asciiUpper(document.substr(attribute.nameBegin, attribute.nameEnd - attribute.nameBegin));
    for (Sample sample : kAllSamples) {
        if (name == bodyAttributeName(sample)) return sample;
    }
    return std::nullopt;
}

struct Edit {
    std::size_t begin;
    std::size_t end;
    std::string text;
};

std::string applyEdits(const std::string& document, std::vector<Edit> edits) {
    std::stable_sort(edits.begin(), edits.end(),
                     [](const Edit& a, const Edit& b) { return a.begin < b.begin; });
    std::string out;
    out.reserve(document.size() + 64 * edits.size());
    std::size_t copied = 0;
    for (const Edit& edit : edits) {
        out.append(document, copied, edit.begin - copied);
        out += edit.text;
        copied = edit.end;
    }
    out.append(document, copied, std::string::npos);
    return out;
}

// The missing attributes, after the last attribute. A last attribute with an empty unquoted value
// ("x=" just before ">") would take the next text as its value, so they go in front of it instead.
Edit appendedAttributes(const std::string& document, const BodyTag& tag, const DocumentColours& colours) {
    std::vector<std::string> parts;
    for (Sample sample : missingBodyAttributes(document, tag))
        parts.push_back(std::string(bodyAttributeName(sample)) + "=\"" + colours.tag(sample) + "\"");
    std::string text;
    const BodyAttribute* last = tag.attributes.empty() ? nullptr : &tag.attributes.back();
    if (last && last->hasValue && last->quote == 0 && last->valueBegin == last->valueEnd) {
        for (const std::string& part : parts)
            text += part + " ";
        return Edit{last->nameBegin, last->nameBegin, text};
    }
    for (const std::string& part : parts)
        text += " " + part;
    return Edit{tag.attributesEnd, tag.attributesEnd, text};
}

// "#rgb", which browsers read as "#rrggbb".
std::optional<Rgb> threeDigitColour(const std::string& value) {
    if (value.size() != 4 || value[0] != '#') return std::nullopt;
    int components[3];
    for (int i = 0; i < 3; ++i) {
        const char digit = value[static_cast<std::size_t>(i) + 1];
        if (!isHexDigit(digit)) return std::nullopt;
        components[i] = hexValue(std::string(2, digit));
    }
    return Rgb{components[0], components[1], components[2]};
}

} // namespace

Rgb colourOfAttributeValue(const std::string& value) {
    const std::size_t first = value.find_first_not_of(" \t\r\n");
    const std::size_t last = value.find_last_not_of(" \t\r\n");
    if (first != std::string::npos) {
        const std::string trimmed = value.substr(first, last + 1 - first);
        if (const std::optional<Rgb> named = standardNamedColour(trimmed)) return *named;
        if (const std::optional<Rgb> shortForm = threeDigitColour(trimmed)) return *shortForm;
    }
    std::string digits;
    for (char c : value) {
        if (isHexDigit(c)) digits += asciiUpper(c);
    }
    auto pair = [&](std::size_t at) { return at < digits.size() ? hexValue(digits.substr(at, 2)) : 0; };
    return Rgb{pair(0), pair(2), pair(4)};
}

BodyColours readBodyColours(const std::string& document, const BodyTag& tag) {
    BodyColours colours;
    if (!tag.closed()) return colours;
    for (const BodyAttribute& attribute : tag.attributes) {
        const std::optional<Sample> sample = sampleOfAttribute(document, attribute);
        if (!sample || !attribute.hasValue) continue;
        const std::string value =
            document.substr(attribute.valueBegin, attribute.valueEnd - attribute.valueBegin);
        colours.found[static_cast<std::size_t>(*sample)] = colourOfAttributeValue(value);
    }
    return colours;
}

std::vector<Sample> missingBodyAttributes(const std::string& document, const BodyTag& tag) {
    std::array<bool, 5> present{};
    if (tag.closed()) {
        for (const BodyAttribute& attribute : tag.attributes) {
            if (const std::optional<Sample> sample = sampleOfAttribute(document, attribute))
                present[static_cast<std::size_t>(*sample)] = true;
        }
    }
    std::vector<Sample> missing;
    for (Sample sample : kAllSamples) {
        if (!present[static_cast<std::size_t>(sample)]) missing.push_back(sample);
    }
    return missing;
}

std::string rewriteBodyColours(const std::string& document, const BodyTag& tag,
                               const DocumentColours& colours, bool addMissing) {
    if (!tag.closed()) return document;
    std::vector<Edit> edits;
    for (const BodyAttribute& attribute : tag.attributes) {
        const std::optional<Sample> sample = sampleOfAttribute(document, attribute);
        if (!sample) continue;
        const std::string& notation = colours.tag(*sample);
        if (attribute.hasValue)
            edits.push_back({attribute.valueBegin, attribute.valueEnd, notation});
        else
            edits.push_back({attribute.nameEnd, attribute.nameEnd, "=\"" + notation + "\""});
    }
    if (addMissing) edits.push_back(appendedAttributes(document, tag, colours));
    return applyEdits(document, std::move(edits));
}

} // namespace tintara
