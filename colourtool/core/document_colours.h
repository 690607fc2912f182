#pragma once
// The five colours of an HTML document, as the samples of the main window hold them: each in the
// "#RRGGBB" notation, in the order of their BODY attributes.

#include <array>
#include <string>

namespace tintara {

// The document-colour samples, in the order BGCOLOR, TEXT, LINK, VLINK, ALINK.
enum class Sample { Background, NormalText, Link, VisitedLink, ActiveLink };

constexpr std::array<Sample, 5> kAllSamples = {Sample::Background, Sample::NormalText, Sample::Link,
                                               Sample::VisitedLink, Sample::ActiveLink};

// The BODY attribute that carries a sample's colour: "BGCOLOR", "TEXT", "LINK", "VLINK", "ALINK".
const char* bodyAttributeName(Sample sample);

class DocumentColours {
public:
    // The colours of a new document: "#FFFFFF", "#000000", "#0000FF", "#880088", "#0000FF".
    static DocumentColours defaults();

    const std::string& tag(Sample sample) const { return m_tags[index(sample)]; }
    void setTag(Sample sample, std::string notation) { m_tags[index(sample)] = std::move(notation); }

    bool operator==(const DocumentColours& o) const { return m_tags == o.m_tags; }

private:
    static std::size_t index(Sample sample) { return static_cast<std::size_t>(sample); }

    std::array<std::string, 5> m_tags;
};

} // namespace tintara
