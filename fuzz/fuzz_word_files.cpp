// Feeds arbitrary text to the word-file reader as a member file: every section's entries are
// turned into member items and tips, and each line is searched for a "name = new Type" assignment.
// Checks that items are never empty and that the reader stays inside its bounds.
#include "editor/HHWordFiles.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const hh::WordFile file = hh::WordFile::Parse(text);
    // The section name is the text of the first bracketed line, as a member file names its object.
    const std::size_t open = text.find('['), close = text.find(']');
    const std::string section = open < close && close != std::string_view::npos
                                    ? std::string(text.substr(open + 1, close - open - 1))
                                    : "";
    CHHMemberItemArray items;
    std::string description;
    int entries = 0;
    file.ForEachEntry(section, [&](const std::string& entry) {
        if (++entries > hh::kMaxWordFileEntries) std::abort();
        hh::AppendEntryItems(entry, items);
        hh::EntryDescription(entry, "Value", description);
        return true;
    });
    for (const CHHMemberItem& item : items)
        if (item.m_strText.GetLength() == 0) std::abort();
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string type = hh::FindNewTypeInLine(text.substr(start, end - start), "s");
        if (type.size() > 100) std::abort();
        start = end + 1;
    }
    return 0;
}
