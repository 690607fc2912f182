#include "querytool/app/query_status_bar.h"

#include "querytool/app/resource_ids.h"

#include "platform/win/commctrl.h"
#include "platform/win/richedit.h"

void StatusPartEdges(int width, int edges[4]) {
    edges[0] = static_cast<int>(width * 0.6666666666666666);
    edges[1] = edges[0] + (width - edges[0]) / 3;
    edges[2] = edges[1] + (width - edges[1]) / 2;
    edges[3] = -1;
}

CQueryStatusBar::CQueryStatusBar(HWND queryWindow) : m_queryWindow(queryWindow) {
    m_window = CreateWindowEx(0, STATUSCLASSNAME, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, queryWindow,
                              reinterpret_cast<HMENU>(IDC_QUERYSTATUS), nullptr, nullptr);
}

CQueryStatusBar::~CQueryStatusBar() {
    if (IsWindow(m_window)) DestroyWindow(m_window);
}

void CQueryStatusBar::setPart(int part, const std::string& text) {
    SendMessage(m_window, SB_SETTEXT, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.c_str()));
}

std::string CQueryStatusBar::PartText(int part) const {
    char text[512] = {};
    SendMessage(m_window, SB_GETTEXT, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text));
    return text;
}

void CQueryStatusBar::SetText(const char* text) {
    setPart(0, text);
}

void CQueryStatusBar::ShowElapsed(std::uint32_t milliseconds) {
    setPart(1, " " + std::to_string(milliseconds) + " ms");
}

void CQueryStatusBar::ShowRowCount(std::uint64_t rows) {
    setPart(2, " " + std::to_string(static_cast<unsigned long>(rows)) + " row(s)");
}

namespace {

// The characters between two positions of the editor, whose positions count the bytes of its UTF-8
// text: every byte but a continuation byte starts a character.
LONG charactersBetween(HWND editor, LONG start, LONG end) {
    if (end <= start) return 0;
    std::string text(static_cast<std::size_t>(end - start) + 1, '\0');
    TEXTRANGEA range{{start, end}, &text[0]};
    text.resize(
        static_cast<std::size_t>(SendMessage(editor, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range))));
    LONG characters = 0;
    for (const char byte : text)
        characters += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
    return characters;
}

} // namespace

void CQueryStatusBar::ShowCaretPosition(HWND editor) {
    CHARRANGE selection{};
    SendMessage(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    const LRESULT line = SendMessage(editor, EM_LINEFROMCHAR, static_cast<WPARAM>(selection.cpMax), 0);
    const LRESULT lineStart = SendMessage(editor, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
    const LONG column = charactersBetween(editor, static_cast<LONG>(lineStart), selection.cpMax) + 1;
    setPart(3, " Ln " + std::to_string(line + 1) + ", Col " + std::to_string(column));
}

void CQueryStatusBar::ShowBatchResult(bool success) {
    SetText(success ? " Query batch completed successfully" : " Query batch completed with error(s)");
}

void CQueryStatusBar::Layout(int width, int height) {
    MoveWindow(m_window, 0, height - 20, width, 20, TRUE);
    StatusPartEdges(width, m_edges);
    SendMessage(m_window, SB_SETPARTS, 4, reinterpret_cast<LPARAM>(m_edges));
}
