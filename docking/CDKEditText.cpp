#include "docking/CDKEditText.h"

#include <algorithm>
#include <cctype>

void CDKEditText::SetFixedTexts(const std::string& left, const std::string& right) {
    m_left = left;
    m_right = right;
}

void CDKEditText::SetMask(const std::string& mask, char prompt) {
    m_mask = mask;
    m_prompt = prompt;
    Empty();
}

void CDKEditText::Empty() {
    m_input.clear();
    for (size_t i = 0; i < m_mask.size(); ++i)
        m_input += IsSlot(i) ? m_prompt : m_mask[i];
}

bool CDKEditText::IsSlot(size_t i) const {
    if (i >= m_mask.size()) return false;
    const char m = m_mask[i];
    return m == '#' || m == 'A' || m == 'a' || m == '?';
}

bool CDKEditText::Fits(size_t i, char ch) const {
    const auto c = static_cast<unsigned char>(ch);
    switch (m_mask[i]) {
    case '#':
        return std::isdigit(c);
    case 'A':
        return std::isalpha(c);
    case 'a':
        return std::isalnum(c);
    case '?':
        return c >= 32;
    default:
        return false;
    }
}

int CDKEditText::FirstSlot() const {
    for (size_t i = 0; i < m_mask.size(); ++i)
        if (IsSlot(i)) return static_cast<int>(i);
    return static_cast<int>(m_mask.size());
}

int CDKEditText::AfterLastSlot() const {
    for (size_t i = m_mask.size(); i > 0; --i)
        if (IsSlot(i - 1)) return static_cast<int>(i);
    return 0;
}

bool CDKEditText::IsInputPosition(int pos) const {
    const int i = ToInput(pos);
    if (!HasMask()) return i >= 0 && i <= static_cast<int>(m_input.size());
    return (i >= 0 && IsSlot(static_cast<size_t>(i))) || i == AfterLastSlot();
}

int CDKEditText::NextInputPosition(int pos) const {
    int i = std::max(ToInput(pos), 0);
    if (!HasMask()) return ToText(std::min(i, static_cast<int>(m_input.size())));
    const int end = AfterLastSlot();
    while (i < end && !IsSlot(static_cast<size_t>(i)))
        ++i;
    return ToText(std::min(i, end));
}

int CDKEditText::PrevInputPosition(int pos) const {
    int i = ToInput(pos);
    if (!HasMask()) return ToText(std::clamp(i, 0, static_cast<int>(m_input.size())));
    const int end = AfterLastSlot();
    if (i >= end) return ToText(end);
    while (i >= 0 && !IsSlot(static_cast<size_t>(i)))
        --i;
    return i < 0 ? ToText(FirstSlot()) : ToText(i);
}

int CDKEditText::DeleteRange(int& start, int& end) {
    if (end < start) std::swap(start, end);
    start = std::clamp(start, ToText(0), InputEnd());
    end = std::clamp(end, start, InputEnd());
    const auto from = static_cast<size_t>(ToInput(start));
    const auto to = static_cast<size_t>(ToInput(end));
    if (!HasMask()) {
        m_input.erase(from, to - from);
        return static_cast<int>(to - from);
    }
    int deleted = 0;
    for (size_t i = from; i < to; ++i) {
        if (!IsSlot(i)) continue;
        m_input[i] = m_prompt;
        ++deleted;
    }
    return deleted;
}

int CDKEditText::InsertCharAt(char ch, int& pos) {
    pos = NextInputPosition(pos);
    if (!HasMask()) {
        m_input.insert(static_cast<size_t>(ToInput(pos)), 1, ch);
        return pos;
    }
    const auto at = static_cast<size_t>(ToInput(pos));
    if (!IsSlot(at) || !Fits(at, ch)) return -1;
    // The characters from here on move one place right, up to the first free place; each must
    // fit the place it moves to.
    std::string moved = m_input;
    char carry = ch;
    for (size_t i = at; i < m_mask.size(); ++i) {
        if (!IsSlot(i)) continue;
        if (!Fits(i, carry)) return -1;
        std::swap(carry, moved[i]);
        if (carry != m_prompt) continue;
        m_input = moved;
        return pos;
    }
    return -1;
}

int CDKEditText::SetCharAt(int pos, char ch) {
    pos = NextInputPosition(pos);
    const auto at = static_cast<size_t>(ToInput(pos));
    if (!HasMask()) {
        if (at < m_input.size()) {
            m_input[at] = ch;
        } else {
            m_input += ch;
        }
        return pos;
    }
    if (!IsSlot(at) || !Fits(at, ch)) return -1;
    m_input[at] = ch;
    return pos;
}

int CDKEditText::Backspace(int caret) {
    int i = std::min(ToInput(caret), static_cast<int>(m_input.size())) - 1;
    if (!HasMask()) {
        if (i < 0) return -1;
        m_input.erase(static_cast<size_t>(i), 1);
        return ToText(i);
    }
    while (i >= 0 && !IsSlot(static_cast<size_t>(i)))
        --i;
    if (i < 0) return -1;
    m_input[static_cast<size_t>(i)] = m_prompt;
    return ToText(i);
}

void CDKEditText::SetInputText(std::string text, int pos) {
    if (!m_left.empty() && text.compare(0, m_left.size(), m_left) == 0) text.erase(0, m_left.size());
    if (!m_right.empty() && text.size() >= m_right.size() &&
        text.compare(text.size() - m_right.size(), m_right.size(), m_right) == 0)
        text.erase(text.size() - m_right.size());
    if (!HasMask()) {
        const auto at = static_cast<size_t>(std::clamp(ToInput(pos), 0, static_cast<int>(m_input.size())));
        m_input.insert(at, text);
        return;
    }
    size_t i = static_cast<size_t>(ToInput(NextInputPosition(pos)));
    for (char ch : text) {
        // Empty places pushed in front of a literal (a paste into the middle) are dropped.
        if (ch == m_prompt && i < m_mask.size() && !IsSlot(i)) continue;
        while (i < m_mask.size() && !IsSlot(i) && m_mask[i] != ch)
            ++i;
        if (i >= m_mask.size()) return;
        if (!IsSlot(i)) {
            ++i; // the literal itself
        } else if (ch == m_prompt || Fits(i, ch)) {
            m_input[i++] = ch;
        }
    }
}
