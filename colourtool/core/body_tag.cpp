#include "colourtool/core/body_tag.h"

#include "colourtool/core/vb_text.h"

#include <cstring>

namespace tintara {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

class Scanner {
public:
    Scanner(const std::string& text, std::size_t pos) : m_text(text), m_pos(pos) {}

    // Passes over a tag's attributes: the position after its closing ">", or npos when the text ends
    // first.
    std::size_t skip() {
        for (;;) {
            skipSeparators();
            if (atEnd()) return std::string::npos;
            if (m_text[m_pos] == '>') return m_pos + 1;
            BodyAttribute attribute;
            if (!scanAttribute(attribute)) return std::string::npos;
        }
    }

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

bool startsWithIgnoringCase(const std::string& text, std::size_t at, const char* upperPrefix) {
    for (std::size_t k = 0; upperPrefix[k]; ++k) {
        if (at + k >= text.size() || asciiUpper(text[at + k]) != upperPrefix[k]) return false;
    }
    return true;
}

bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool endsTagName(const std::string& text, std::size_t at) {
    return at >= text.size() || isBlank(text[at]) || text[at] == '/' || text[at] == '>';
}

std::size_t tagNameEnd(const std::string& text, std::size_t at) {
    while (!endsTagName(text, at))
        ++at;
    return at;
}

// Whether the tag whose name starts at `at` is named `upperName` (ASCII case ignored).
bool tagNamed(const std::string& text, std::size_t at, const char* upperName) {
    return startsWithIgnoringCase(text, at, upperName) && endsTagName(text, at + std::strlen(upperName));
}

// The position after a comment that starts at `at` ("<!--"), or npos when the text ends inside it.
// "<!-->" and "<!--->" are empty comments, as browsers read them.
std::size_t afterComment(const std::string& text, std::size_t at) {
    const std::size_t inner = at + 4;
    if (text.compare(inner, 1, ">") == 0) return inner + 1;
    if (text.compare(inner, 2, "->") == 0) return inner + 2;
    const std::size_t close = text.find("-->", inner);
    return close == std::string::npos ? close : close + 3;
}

// The "<" of the end tag that closes the text of a script or style element, or npos.
std::size_t closingTag(const std::string& text, std::size_t from, const char* upperName) {
    for (std::size_t at = text.find("</", from); at != std::string::npos; at = text.find("</", at + 2)) {
        if (tagNamed(text, at + 2, upperName)) return at;
    }
    return std::string::npos;
}

// The "<" of the first BODY tag: comments, declarations, end tags, the attributes of other tags and
// the text of script and style elements are passed over, as a browser reads the page.
std::size_t findBodyStart(const std::string& text) {
    std::size_t at = text.find('<');
    while (at != std::string::npos) {
        const std::size_t next = at + 1;
        if (text.compare(at, 4, "<!--") == 0) {
            at = afterComment(text, at);
        } else if (next < text.size() && (text[next] == '!' || text[next] == '?' || text[next] == '/')) {
            at = text.find('>', next);
            if (at != std::string::npos) ++at;
        } else if (next < text.size() && isAsciiLetter(text[next])) {
            if (tagNamed(text, next, "BODY")) return at;
            at = Scanner(text, tagNameEnd(text, next)).skip();
            for (const char* rawText : {"SCRIPT", "STYLE"}) {
                if (at != std::string::npos && tagNamed(text, next, rawText))
                    at = closingTag(text, at, rawText);
            }
        } else {
            at = next;
        }
        if (at != std::string::npos) at = text.find('<', at);
    }
    return std::string::npos;
}

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
