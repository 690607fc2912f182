#include "platform/win/richedit/text_buffer.h"

#include <algorithm>

namespace pm::richedit {

int TextBuffer::lineStart(int line) const {
    if (line <= 0) return 0;
    if (line >= lineCount()) return length();
    return m_lines.positionFromPartition(line);
}

int TextBuffer::lineEnd(int line) const {
    if (line < 0) return 0;
    if (line >= lineCount() - 1) return length();
    return m_lines.positionFromPartition(line + 1) - 1;
}

int TextBuffer::lineFromPosition(int pos) const {
    if (pos <= 0) return 0;
    return m_lines.partitionFromPosition(std::min(pos, length()));
}

std::string TextBuffer::text(int pos, int len) const {
    pos = std::clamp(pos, 0, length());
    len = std::clamp(len, 0, length() - pos);
    std::string out(static_cast<std::size_t>(len), '\0');
    m_bytes.copy(static_cast<std::size_t>(pos), static_cast<std::size_t>(len), out.data());
    return out;
}

std::string_view TextBuffer::view(int pos, int len) {
    pos = std::clamp(pos, 0, length());
    len = std::clamp(len, 0, length() - pos);
    if (len == 0) return {};
    return {m_bytes.rangePointer(static_cast<std::size_t>(pos), static_cast<std::size_t>(len)),
            static_cast<std::size_t>(len)};
}

void TextBuffer::insert(int pos, std::string_view bytes) {
    if (bytes.empty()) return;
    pos = std::clamp(pos, 0, length());
    int line = lineFromPosition(pos);
    m_lines.reserve(static_cast<int>(std::count(bytes.begin(), bytes.end(), '\r')));
    m_bytes.insert(static_cast<std::size_t>(pos), bytes.data(), bytes.size());
    m_lines.insertText(line, static_cast<int>(bytes.size()));
    int next = line + 1;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r') continue;
        m_lines.insertPartition(next++, pos + static_cast<int>(i) + 1);
    }
}

void TextBuffer::erase(int pos, int len) {
    pos = std::clamp(pos, 0, length());
    len = std::clamp(len, 0, length() - pos);
    if (len == 0) return;
    int first = lineFromPosition(pos);
    // Line starts in (pos, pos + len] lose the break before them.
    int last = m_lines.partitionFromPosition(pos + len);
    for (int line = last; line > first; --line)
        m_lines.removePartition(line);
    m_lines.insertText(first, -len);
    m_bytes.erase(static_cast<std::size_t>(pos), static_cast<std::size_t>(len));
}

void TextBuffer::clear() {
    m_bytes.clear();
    m_lines.clear();
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
