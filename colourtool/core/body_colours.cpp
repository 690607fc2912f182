#include "colourtool/core/body_colours.h"

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
    std::stable_sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.begin < b.begin; });
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

} // namespace

Rgb colourOfAttributeValue(const std::string& value) {
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

std::string rewriteBodyColours(const std::string& document, const BodyTag& tag, const DocumentColours& colours,
                               bool addMissing) {
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
    if (addMissing) {
        std::string appended;
        for (Sample sample : missingBodyAttributes(document, tag))
            appended += std::string(" ") + bodyAttributeName(sample) + "=\"" + colours.tag(sample) + "\"";
        edits.push_back({tag.attributesEnd, tag.attributesEnd, appended});
    }
    return applyEdits(document, std::move(edits));
}

} // namespace tintara
