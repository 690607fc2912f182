#include "platform/win/richedit/text_buffer.h"

#include <algorithm>

namespace pm::richedit {

int TextBuffer::lineStart(int line) const {
    if (line <= 0) return 0;
    if (line >= lineCount()) return length();
    return lines_.positionFromPartition(line);
}

int TextBuffer::lineEnd(int line) const {
    if (line < 0) return 0;
    if (line >= lineCount() - 1) return length();
    return lines_.positionFromPartition(line + 1) - 1;
}

int TextBuffer::lineFromPosition(int pos) const {
    if (pos <= 0) return 0;
    return lines_.partitionFromPosition(std::min(pos, length()));
}

std::string TextBuffer::text(int pos, int len) const {
    pos = std::clamp(pos, 0, length());
    len = std::clamp(len, 0, length() - pos);
    std::string out(static_cast<std::size_t>(len), '\0');
    bytes_.copy(static_cast<std::size_t>(pos), static_cast<std::size_t>(len), out.data());
    return out;
}

std::string_view TextBuffer::view(int pos, int len) {
    pos = std::clamp(pos, 0, length());
    len = std::clamp(len, 0, length() - pos);
    if (len == 0) return {};
    return {bytes_.rangePointer(static_cast<std::size_t>(pos), static_cast<std::size_t>(len)),
            static_cast<std::size_t>(len)};
}

void TextBuffer::insert(int pos, std::string_view bytes) {
    if (bytes.empty()) return;
    pos = std::clamp(pos, 0, length());
    int line = lineFromPosition(pos);
    lines_.reserve(static_cast<int>(std::count(bytes.begin(), bytes.end(), '\r')));
    bytes_.insert(static_cast<std::size_t>(pos), bytes.data(), bytes.size());
    lines_.insertText(line, static_cast<int>(bytes.size()));
    int next = line + 1;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r') continue;
        lines_.insertPartition(next++, pos + static_cast<int>(i) + 1);
    }
}

void TextBuffer::erase(int pos, int len) {
    pos = std::clamp(pos, 0, length());
    len = std::clamp(len, 0, length() - pos);
    if (len == 0) return;
    int first = lineFromPosition(pos);
    // Line starts in (pos, pos + len] lose the break before them.
    int last = lines_.partitionFromPosition(pos + len);
    for (int line = last; line > first; --line)
        lines_.removePartition(line);
    lines_.insertText(first, -len);
    bytes_.erase(static_cast<std::size_t>(pos), static_cast<std::size_t>(len));
}

void TextBuffer::clear() {
    bytes_.clear();
    lines_.clear();
}

std::string normalizeLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\n') {
            out.push_back('\r');
            continue;
        }
        out.push_back(c);
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
    return out;
}

} // namespace pm::richedit
