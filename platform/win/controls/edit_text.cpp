// Text, lines, selection and undo of the edit control.

#include "platform/win/controls/edit_text.h"

#include "platform/win/utf8.h"

#include <algorithm>

namespace pm::ctl {

namespace {

enum class Kind { Space, Break, Word };

Kind kindOf(char c) {
    if (c == ' ' || c == '\t') return Kind::Space;
    if (c == '\r' || c == '\n') return Kind::Break;
    return Kind::Word;
}

} // namespace

std::string EditText::range(std::size_t from, std::size_t to) const {
    if (to <= from) return {};
    return m_text.text(from, to - from);
}

void EditText::indexLines() const {
    if (m_linesValid) return;
    m_lineStarts.assign(1, 0);
    std::size_t n = m_text.size();
    for (std::size_t i = 0; i < n; ++i)
        if (m_text.at(i) == '\n') m_lineStarts.push_back(i + 1);
    m_linesValid = true;
}

int EditText::lineCount() const {
    indexLines();
    return static_cast<int>(m_lineStarts.size());
}

std::size_t EditText::lineStart(int line) const {
    indexLines();
    line = std::clamp(line, 0, static_cast<int>(m_lineStarts.size()) - 1);
    return m_lineStarts[static_cast<std::size_t>(line)];
}

std::size_t EditText::lineEnd(int line) const {
    indexLines();
    line = std::clamp(line, 0, static_cast<int>(m_lineStarts.size()) - 1);
    if (static_cast<std::size_t>(line) + 1 >= m_lineStarts.size()) return m_text.size();
    std::size_t end = m_lineStarts[static_cast<std::size_t>(line) + 1] - 1;
    if (end > m_lineStarts[static_cast<std::size_t>(line)] && m_text.at(end - 1) == '\r') --end;
    return end;
}

int EditText::lineOf(std::size_t pos) const {
    indexLines();
    auto it = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), pos);
    return static_cast<int>(it - m_lineStarts.begin()) - 1;
}

void EditText::select(std::size_t anchor, std::size_t caret) {
    m_anchor = snap(std::min(anchor, length()));
    m_caret = snap(std::min(caret, length()));
}

void EditText::replace(std::size_t from, std::size_t to, std::string_view s) {
    m_text.erase(from, to - from);
    m_text.insert(from, s);
    m_linesValid = false;
}

bool EditText::replaceSelection(std::string_view s, bool undoable, bool typing, bool* truncated) {
    std::size_t from = selStart(), to = selEnd();
    std::size_t room = m_limit > length() - (to - from) ? m_limit - (length() - (to - from)) : 0;
    bool cut = s.size() > room;
    if (cut) {
        std::size_t keep = room;
        while (keep > 0 && keep < s.size() && utf8::isContinuation(static_cast<unsigned char>(s[keep])))
            --keep;
        if (keep > 0 && s[keep - 1] == '\r' && keep < s.size() && s[keep] == '\n') --keep;
        s = s.substr(0, keep);
    }
    if (truncated) *truncated = cut;
    if (s.empty() && from == to) return false;
    std::string removed = range(from, to);
    bool merge = typing && m_undo.valid && removed.empty() && m_undo.removed.empty() &&
                 m_undo.pos + m_undo.inserted.size() == from;
    if (merge) {
        m_undo.inserted.append(s);
    } else if (undoable) {
        m_undo = Undo{true, from, removed, std::string(s)};
    } else {
        m_undo = Undo{};
    }
    replace(from, to, s);
    m_anchor = m_caret = from + s.size();
    return true;
}

void EditText::setText(std::string_view s) {
    replace(0, length(), s);
    m_anchor = m_caret = 0;
    m_undo = Undo{};
}

bool EditText::undo() {
    if (!m_undo.valid) return false;
    Undo u = m_undo;
    replace(u.pos, u.pos + u.inserted.size(), u.removed);
    m_undo = Undo{true, u.pos, u.inserted, u.removed};
    m_anchor = u.pos;
    m_caret = u.pos + u.removed.size();
    return true;
}

std::size_t EditText::sequenceLength(std::size_t pos) const {
    auto lead = static_cast<unsigned char>(m_text.at(pos));
    std::size_t n = utf8::sequenceLength(lead);
    if (n <= 1 || pos + n > length()) return 1;
    for (std::size_t i = 1; i < n; ++i)
        if (!utf8::isContinuation(static_cast<unsigned char>(m_text.at(pos + i)))) return 1;
    return n;
}

std::size_t EditText::snap(std::size_t pos) const {
    pos = std::min(pos, length());
    if (pos == 0 || pos == length()) return pos;
    if (m_text.at(pos) == '\n' && m_text.at(pos - 1) == '\r') return pos - 1;
    if (!utf8::isContinuation(static_cast<unsigned char>(m_text.at(pos)))) return pos;
    for (std::size_t back = 1; back <= 3 && back <= pos; ++back) {
        std::size_t lead = pos - back;
        if (utf8::isContinuation(static_cast<unsigned char>(m_text.at(lead)))) continue;
        return sequenceLength(lead) > back ? lead : pos;
    }
    return pos;
}

std::size_t EditText::next(std::size_t pos) const {
    if (pos >= length()) return length();
    if (m_text.at(pos) == '\r' && pos + 1 < length() && m_text.at(pos + 1) == '\n') return pos + 2;
    return pos + sequenceLength(pos);
}

std::size_t EditText::prev(std::size_t pos) const {
    if (pos == 0) return 0;
    pos = std::min(pos, length());
    if (pos >= 2 && m_text.at(pos - 1) == '\n' && m_text.at(pos - 2) == '\r') return pos - 2;
    return snap(pos - 1);
}

std::size_t EditText::wordRight(std::size_t pos) const {
    std::size_t n = length();
    if (pos >= n) return n;
    if (kindOf(m_text.at(pos)) == Kind::Break) return next(pos);
    while (pos < n && kindOf(m_text.at(pos)) == Kind::Word)
        pos = next(pos);
    while (pos < n && kindOf(m_text.at(pos)) == Kind::Space)
        pos = next(pos);
    return pos;
}

std::size_t EditText::wordLeft(std::size_t pos) const {
    if (pos == 0) return 0;
    std::size_t p = prev(pos);
    if (kindOf(m_text.at(p)) == Kind::Break) return p;
    while (p > 0 && kindOf(m_text.at(p)) == Kind::Space)
        p = prev(p);
    if (kindOf(m_text.at(p)) != Kind::Word) return next(p);
    while (p > 0 && kindOf(m_text.at(prev(p))) == Kind::Word)
        p = prev(p);
    return p;
}

void EditText::wordAt(std::size_t pos, std::size_t& from, std::size_t& to) const {
    pos = snap(pos);
    from = to = pos;
    if (pos >= length() || kindOf(m_text.at(pos)) == Kind::Break) {
        if (pos > 0 && kindOf(m_text.at(prev(pos))) == Kind::Word)
            from = to = prev(pos);
        else
            return;
    }
    Kind k = kindOf(m_text.at(from));
    while (from > 0 && kindOf(m_text.at(prev(from))) == k)
        from = prev(from);
    while (to < length() && kindOf(m_text.at(to)) == k)
        to = next(to);
}

std::size_t EditText::characters(std::size_t from, std::size_t to) const {
    std::size_t count = 0;
    for (std::size_t p = from; p < to; p = next(p))
        ++count;
    return count;
}

} // namespace pm::ctl
