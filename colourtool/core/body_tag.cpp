#include "colourtool/core/body_tag.h"

#include "colourtool/core/vb_text.h"

namespace tintara {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

std::size_t findBodyStart(const std::string& document) {
    static const char pattern[] = "<BODY";
    for (std::size_t i = document.find('<'); i != std::string::npos; i = document.find('<', i + 1)) {
        std::size_t k = 1;
        while (k < 5 && i + k < document.size() && asciiUpper(document[i + k]) == pattern[k])
            ++k;
        if (k == 5) return i;
    }
    return std::string::npos;
}

class Scanner {
public:
    Scanner(const std::string& text, std::size_t pos) : m_text(text), m_pos(pos) {}

    // Scans attributes up to the closing ">" (or the end of the text) into `tag`.
    void scan(BodyTag& tag) {
        for (;;) {
            skipSeparators();
            if (atEnd()) return;
            if (m_text[m_pos] == '>') {
                tag.end = m_pos;
                return;
            }
            BodyAttribute attribute;
            if (tag.attributes.size() == kMaxBodyAttributes || !scanAttribute(attribute)) return;
            tag.attributes.push_back(attribute);
            tag.attributesEnd = m_pos;
        }
    }

private:
    bool atEnd() const { return m_pos >= m_text.size(); }

    void skipBlanks() {
        while (!atEnd() && isBlank(m_text[m_pos]))
            ++m_pos;
    }

    // Blanks and stray "/" between attributes.
    void skipSeparators() {
        while (!atEnd() && (isBlank(m_text[m_pos]) || m_text[m_pos] == '/'))
            ++m_pos;
    }

    // Reads one attribute; false when its quoted value runs to the end of the text.
    bool scanAttribute(BodyAttribute& attribute) {
        attribute.nameBegin = m_pos;
        ++m_pos; // the first character belongs to the name, even an "="
        while (!atEnd() && !isBlank(m_text[m_pos]) && m_text[m_pos] != '/' && m_text[m_pos] != '>' &&
               m_text[m_pos] != '=')
            ++m_pos;
        attribute.nameEnd = m_pos;
        const std::size_t afterName = m_pos;
        skipBlanks();
        if (atEnd() || m_text[m_pos] != '=') {
            m_pos = afterName;
            return true;
        }
        ++m_pos;
        skipBlanks();
        attribute.hasValue = true;
        return scanValue(attribute);
    }

    bool scanValue(BodyAttribute& attribute) {
        const char first = atEnd() ? 0 : m_text[m_pos];
        if (first == '"' || first == '\'') {
            attribute.quote = first;
            attribute.valueBegin = m_pos + 1;
            const std::size_t close = m_text.find(first, attribute.valueBegin);
            if (close == std::string::npos) return false;
            attribute.valueEnd = close;
            m_pos = close + 1;
            return true;
        }
        attribute.valueBegin = m_pos;
        while (!atEnd() && !isBlank(m_text[m_pos]) && m_text[m_pos] != '>')
            ++m_pos;
        attribute.valueEnd = m_pos;
        return true;
    }

    const std::string& m_text;
    std::size_t m_pos;
};

} // namespace

std::optional<BodyTag> findBodyTag(const std::string& document) {
    const std::size_t start = findBodyStart(document);
    if (start == std::string::npos) return std::nullopt;
    BodyTag tag;
    tag.nameBegin = start + 1;
    tag.attributesEnd = start + 5;
    Scanner(document, start + 5).scan(tag);
    return tag;
}

} // namespace tintara
