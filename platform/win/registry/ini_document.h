#pragma once
// The lines of one INI file, with the look-ups and edits of the private-profile functions. Lines
// are kept as written, so an edit changes only the lines it concerns.

#include <cstddef>
#include <string>
#include <vector>

namespace pm {

class IniDocument {
public:
    // Splits text into lines. The first line end found (LF or CR LF) is the file's: it is taken off
    // every line and used when writing, so the file's other bytes stay as they were.
    explicit IniDocument(const std::string& text = std::string());

    // The file's text, every line followed by the document's line end.
    std::string text() const;

    std::vector<std::string> sectionNames() const;
    // Key names of a section in file order; empty when the section does not exist.
    std::vector<std::string> keyNames(const std::string& section) const;
    // The section's entry lines, trimmed, in file order (comments and blank lines left out).
    std::vector<std::string> sectionLines(const std::string& section) const;
    // Finds the value of a key (blanks and one pair of enclosing quotes removed).
    bool value(const std::string& section, const std::string& key, std::string& result) const;

    // Each edit returns whether the text changed.
    bool setValue(const std::string& section, const std::string& key, const std::string& value);
    bool removeKey(const std::string& section, const std::string& key);
    bool removeSection(const std::string& section);
    bool replaceSection(const std::string& section, const std::vector<std::string>& lines);

private:
    struct Span {
        std::size_t header; // index of the "[name]" line
        std::size_t end;    // one past the section's last line
    };

    bool findSection(const std::string& section, Span& span) const;
    bool findKey(const Span& span, const std::string& key, std::size_t& line) const;
    // Index after the section's last non-blank line: where new lines of the section go.
    std::size_t contentEnd(const Span& span) const;
    void appendSection(const std::string& section, const std::vector<std::string>& lines);

    std::vector<std::string> m_lines;
    std::string m_lineEnd = "\r\n";
};

} // namespace pm
