#pragma once
// The text of a masked edit: a fixed left text, the user's input and a fixed right text. Positions
// are those of the whole window text. Without a mask the input is free text. With a mask, the
// input has the mask's length: '#' takes a digit, 'A' a letter, 'a' a letter or digit, '?' any
// printable character; every other mask character is a literal that stays where it is. Empty
// places show the prompt character.

#include <string>

class CDKEditText {
public:
    void SetFixedTexts(const std::string& left, const std::string& right);
    void SetMask(const std::string& mask, char prompt);
    const std::string& Left() const { return m_left; }
    const std::string& Right() const { return m_right; }
    const std::string& Input() const { return m_input; }
    std::string Text() const { return m_left + m_input + m_right; }
    int InputEnd() const { return static_cast<int>(m_left.size() + m_input.size()); }

    void Empty();
    bool IsInputPosition(int pos) const;
    int NextInputPosition(int pos) const;
    int PrevInputPosition(int pos) const;
    // Removes (free text) or blanks (mask) what lies in [start, end), both clamped to the input;
    // the number of input places deleted.
    int DeleteRange(int& start, int& end);
    // The position written, or -1 when the character is refused there.
    int InsertCharAt(char ch, int& pos);
    int SetCharAt(int pos, char ch);
    // Removes the input character before the caret; its position, or -1 when there is none.
    int Backspace(int caret);
    // Puts text into the input from pos on. The fixed texts are dropped from its ends where they
    // stand there, so the whole window text can be handed back; with a mask, literals in the text
    // are matched, and characters that fit no place are dropped.
    void SetInputText(std::string text, int pos);

private:
    bool HasMask() const { return !m_mask.empty(); }
    bool IsSlot(size_t i) const;
    bool Fits(size_t i, char ch) const;
    int FirstSlot() const;
    int AfterLastSlot() const;
    int ToInput(int pos) const { return pos - static_cast<int>(m_left.size()); }
    int ToText(int i) const { return i + static_cast<int>(m_left.size()); }

    std::string m_left, m_input, m_right;
    std::string m_mask;
    char m_prompt = '_';
};
