#include "docking/HistoryText.h"

namespace docking {

std::string JoinHistory(const std::vector<std::string>& entries) {
    std::string text;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i > 0) text += '|';
        for (char ch : entries[i]) {
            if (ch == '|' || ch == '\\') text += '\\';
            text += ch;
        }
    }
    return text;
}

std::vector<std::string> SplitHistory(const std::string& text) {
    std::vector<std::string> entries;
    if (text.empty()) return entries;
    std::string entry;
    for (size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        const bool bEscape = ch == '\\' && i + 1 < text.size() && (text[i + 1] == '|' || text[i + 1] == '\\');
        if (bEscape) {
            entry += text[++i];
        } else if (ch == '|') {
            entries.push_back(entry);
            entry.clear();
        } else {
            entry += ch;
        }
    }
    entries.push_back(entry);
    return entries;
}

} // namespace docking
