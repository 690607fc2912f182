// The SQL editor's commands: auto-indent, case, comments, templates and plain paste.

#include "querytool/app/sql_editor.h"

#include "querytool/app/sql_templates.h"

#include "platform/win/richedit.h"

#include <cctype>

namespace {

std::string textRange(HWND edit, LONG start, LONG end) {
    if (end <= start) return std::string();
    std::string text(static_cast<std::size_t>(end - start) * 2 + 1, '\0');
    TEXTRANGEA range{{start, end}, &text[0]};
    text.resize(
        static_cast<std::size_t>(SendMessage(edit, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range))));
    return text;
}

LONG lineStart(HWND edit, LONG line) {
    return static_cast<LONG>(SendMessage(edit, EM_LINEINDEX, static_cast<WPARAM>(line), 0));
}

LONG lineOf(HWND edit, LONG position) {
    return static_cast<LONG>(SendMessage(edit, EM_EXLINEFROMCHAR, 0, position));
}

LONG lineLength(HWND edit, LONG line) {
    return static_cast<LONG>(SendMessage(edit, EM_LINELENGTH, static_cast<WPARAM>(lineStart(edit, line)), 0));
}

void select(HWND edit, LONG start, LONG end) {
    CHARRANGE range{start, end};
    SendMessage(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

} // namespace

// The line that Enter has just ended gives its leading tabs and blanks to the new line.
void CSqlEditor::autoIndent() {
    const LONG caretLine = lineOf(m_edit, Selection().cpMin);
    if (caretLine < 1) return;
    const LONG above = caretLine - 1;
    const LONG length = lineLength(m_edit, above);
    if (length > 255) return;
    const LONG start = lineStart(m_edit, above);
    const std::string line = textRange(m_edit, start, start + length);
    const std::string indent = line.substr(0, line.find_first_not_of(" \t"));
    if (!indent.empty()) ReplaceSelection(indent);
}

void CSqlEditor::changeCase(bool upper) {
    const CHARRANGE selection = Selection();
    std::string text = textRange(m_edit, selection.cpMin, selection.cpMax);
    if (text.empty()) return;
    for (char& c : text) {
        if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    ReplaceSelection(text);
    select(m_edit, selection.cpMin, selection.cpMax);
}

void CSqlEditor::MakeUpperCase() {
    changeCase(true);
}

void CSqlEditor::MakeLowerCase() {
    changeCase(false);
}

void CSqlEditor::CommentSelection() {
    const CHARRANGE selection = Selection();
    const LONG start = lineStart(m_edit, lineOf(m_edit, selection.cpMin));
    LONG end = selection.cpMax;
    std::string text = textRange(m_edit, start, end);
    if (!text.empty() && text.back() == '\r') {
        text.pop_back();
        --end;
    }
    std::string commented = "-- ";
    for (char c : text) {
        commented += c;
        if (c == '\r') commented += "-- ";
    }
    select(m_edit, start, end);
    ReplaceSelection(commented);
}

void CSqlEditor::RemoveComment() {
    const CHARRANGE selection = Selection();
    const LONG first = lineOf(m_edit, selection.cpMin);
    const LONG last = lineOf(m_edit, selection.cpMax);
    for (LONG line = first; line <= last; ++line) {
        const LONG start = lineStart(m_edit, line);
        if (textRange(m_edit, start, start + std::min<LONG>(3, lineLength(m_edit, line))) != "-- ") continue;
        select(m_edit, start, start + 3);
        ReplaceSelection("");
    }
}

void CSqlEditor::InsertTemplate(int id) {
    const std::string text = TemplateMenuText(id);
    if (!text.empty()) ReplaceSelection(text);
}

void CSqlEditor::PastePlainText() {
    if (!OpenClipboard(m_edit)) return;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* text = static_cast<const char*>(GlobalLock(data))) {
            ReplaceSelection(text);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
}
