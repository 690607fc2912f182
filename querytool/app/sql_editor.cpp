// The SQL editor: the control, its subclass procedure and the colouring of the visible text.

#include "querytool/app/sql_editor.h"

#include "querytool/app/app_globals.h"
#include "querytool/app/application.h"
#include "querytool/app/find_replace.h"
#include "querytool/app/query_status_bar.h"
#include "querytool/app/query_window.h"
#include "querytool/app/resource_ids.h"

#include "querytool/statements.h"

#include "platform/win/richedit.h"

#include <algorithm>

namespace {

// Token steps between two looks at the queue during a tokenizer pass.
constexpr std::size_t kStepsPerSlice = 4000;

const COLORREF kColours[] = {0xFF0000, 0xFF00FF, 0x808000, 0x0000FF, 0x808080};
constexpr COLORREF kDefaultColour = 0x000000;

// The visible text's font before its tokens are coloured.
constexpr float kResetPoints = 11.5f;

// Applies change to the font of the range from start to end.
template <typename Change>
void changeRangeFont(ITextDocument* document, long start, long end, Change change) {
    ITextRange* range = nullptr;
    if (FAILED(document->Range(start, end, &range)) || !range) return;
    ITextFont* font = nullptr;
    if (SUCCEEDED(range->GetFont(&font)) && font) {
        change(*font);
        font->Release();
    }
    range->Release();
}

void setRangeColour(ITextDocument* document, long start, long end, COLORREF colour) {
    changeRangeFont(document, start, end,
                    [colour](ITextFont& font) { font.SetForeColor(static_cast<long>(colour)); });
}

void resetRange(ITextDocument* document, long start, long end) {
    changeRangeFont(document, start, end, [](ITextFont& font) {
        font.SetSize(kResetPoints);
        font.SetBold(tomFalse);
        font.SetForeColor(static_cast<long>(kDefaultColour));
    });
}

} // namespace

COLORREF CSqlEditor::TokenColour(std::uint32_t kind) {
    return kind < std::size(kColours) ? kColours[kind] : kDefaultColour;
}

CSqlEditor::CSqlEditor(CQueryWindow& window) : m_window(window) {
    m_edit = CreateWindowEx(WS_EX_CLIENTEDGE, RICHEDIT_CLASSA, "", 0x503000C4, 5, 160, 150, 150,
                            window.Window(), reinterpret_cast<HMENU>(IDC_EDITOR), nullptr, this);
    SetWindowLongPtr(m_edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(m_edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CSqlEditor::EditProc)));
    SendMessage(m_edit, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SCROLL);
    SendMessage(m_edit, EM_EXLIMITTEXT, 0, 0xA00000);
    IRichEditOle* ole = nullptr;
    SendMessage(m_edit, EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&ole));
    if (ole) {
        ole->QueryInterface(IID_ITextDocument, reinterpret_cast<void**>(&m_document));
        ole->Release();
    }
    if (!m_document) MessageBox(window.Window(), "Could not get the OLE interface", "Tessmark", MB_ICONSTOP);
    HDC dc = GetDC(window.Window());
    m_font = CreateFont(-MulDiv(9, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, 0, 0, 0,
                        DEFAULT_CHARSET, 0, 0, 0, 0, "Courier New");
    ReleaseDC(window.Window(), dc);
    SendMessage(m_edit, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), TRUE);
    m_tokenizer = std::make_unique<CSqlTokenizer>(g_appGlobals->keywords);
}

CSqlEditor::~CSqlEditor() {
    if (m_document) m_document->Release();
    if (IsWindow(m_edit)) {
        SetWindowLongPtr(m_edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
        DestroyWindow(m_edit);
    }
    DeleteObject(m_font);
}

std::string CSqlEditor::GetText() const {
    const int length = GetWindowTextLength(m_edit);
    if (length <= 0) return std::string();
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowText(m_edit, &text[0], length + 1)));
    return WithLineFeeds(text);
}

std::string CSqlEditor::SelectedText() const {
    return EditSelectedText(m_edit);
}

CHARRANGE CSqlEditor::Selection() const {
    CHARRANGE range{};
    SendMessage(m_edit, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range;
}

void CSqlEditor::ReplaceSelection(const std::string& text) {
    SendMessage(m_edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

LRESULT CALLBACK CSqlEditor::EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* editor = reinterpret_cast<CSqlEditor*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    return editor->onMessage(msg, wParam, lParam);
}

LRESULT CSqlEditor::onMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const UINT findMessage = g_appGlobals->application->FindReplaceMessage();
    if (findMessage != 0 && msg == findMessage) {
        OnFindReplace(*reinterpret_cast<const FINDREPLACEA*>(lParam));
        return 0;
    }
    switch (msg) {
    case WM_CHAR:
        if (wParam == VK_RETURN) {
            // The break goes in first, then the indentation of the line it ended.
            const LRESULT result = CallWindowProc(m_previous, m_edit, msg, wParam, lParam);
            autoIndent();
            return result;
        }
        break;
    case WM_SIZE: {
        const LRESULT result = CallWindowProc(m_previous, m_edit, msg, wParam, lParam);
        if (!m_colouring) PostMessage(m_edit, WM_USER_COLORIZE, 0, 0);
        fitFormattingRect();
        return result;
    }
    case WM_VSCROLL:
        if (!m_colouring) PostMessage(m_edit, WM_USER_COLORIZE, 0, 0);
        fitFormattingRect();
        break;
    case WM_LBUTTONUP:
    case WM_KEYUP:
        m_window.StatusBar()->ShowCaretPosition(m_edit);
        break;
    case WM_CONTEXTMENU:
        showContextMenu(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_USER_COLORIZE:
        colourise();
        return 0;
    case WM_USER_STOPCOLORIZE:
        tokenize(wParam == 0);
        return 0;
    }
    return CallWindowProc(m_previous, m_edit, msg, wParam, lParam);
}

// A tokenizer pass in slices: a fresh request restarts it over the new text; between slices the
// pass gives way to any waiting input or newer request and continues afterwards.
void CSqlEditor::tokenize(bool restart) {
    if (restart) {
        m_passText = GetText();
        m_passRunning = m_tokenizer->BeginPass(m_passText.empty() ? nullptr : m_passText.c_str(), 0);
        if (!m_passRunning) return;
    }
    if (!m_passRunning) return;
    MSG waiting;
    while (!m_tokenizer->ContinuePass(kStepsPerSlice)) {
        const bool inputWaits = PeekMessage(&waiting, nullptr, WM_KEYFIRST, WM_MOUSELAST, PM_NOREMOVE) != 0;
        const bool newerPass =
            PeekMessage(&waiting, m_edit, WM_USER_STOPCOLORIZE, WM_USER_STOPCOLORIZE, PM_NOREMOVE);
        if (inputWaits || newerPass) {
            if (!newerPass) PostMessage(m_edit, WM_USER_STOPCOLORIZE, 1, 0);
            return;
        }
    }
    m_passRunning = false;
    PostMessage(m_edit, WM_USER_COLORIZE, 1, 0);
}

// Colours the visible text from the token list (the window is marked modified by the change notice
// itself, so a pass's request carries nothing more).
void CSqlEditor::colourise() {
    if (m_colouring || !m_document) return;
    MSG merged;
    while (PeekMessage(&merged, m_edit, WM_USER_COLORIZE, WM_USER_COLORIZE, PM_REMOVE)) {
    }
    RECT client;
    GetClientRect(m_edit, &client);
    POINT topLeft{client.left, client.top};
    POINT bottomRight{client.right - 1, client.bottom - 1};
    m_visibleFirst =
        static_cast<long>(SendMessage(m_edit, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&topLeft)));
    m_visibleLast =
        static_cast<long>(SendMessage(m_edit, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&bottomRight)));
    ITextRange* window = nullptr;
    ClientToScreen(m_edit, &topLeft);
    if (SUCCEEDED(m_document->RangeFromPoint(topLeft.x, topLeft.y, &window)) && window) {
        window->Expand(tomWindow, nullptr);
        window->GetStart(&m_visibleFirst);
        window->GetEnd(&m_visibleLast);
        window->Release();
    }
    m_colouring = true;
    m_document->Undo(tomSuspend, nullptr);
    m_document->Freeze(nullptr);
    resetRange(m_document, m_visibleFirst, m_visibleLast);
    // Tokens follow each other in the text: the first visible one is found by halving.
    const std::vector<SqlToken>& tokens = m_tokenizer->Tokens();
    auto token = std::partition_point(tokens.begin(), tokens.end(), [this](const SqlToken& t) {
        return static_cast<long>(t.end) < m_visibleFirst;
    });
    for (; token != tokens.end() && static_cast<long>(token->start) <= m_visibleLast; ++token) {
        // A comment's end is the index after it; every other token's end is its last character.
        const long end = token->kind == SQL_TOKEN_COMMENT ? token->end : token->end + 1;
        if (end <= m_visibleFirst) continue;
        setRangeColour(m_document, static_cast<long>(token->start), end, TokenColour(token->kind));
    }
    m_document->Unfreeze(nullptr);
    m_document->Undo(tomResume, nullptr);
    m_colouring = false;
}

void CSqlEditor::fitFormattingRect() {
    RECT client;
    GetClientRect(m_edit, &client);
    HDC dc = CreateDC("DISPLAY", nullptr, nullptr, nullptr);
    HGDIOBJ old = SelectObject(dc, m_font);
    TEXTMETRIC metrics{};
    GetTextMetrics(dc, &metrics);
    SelectObject(dc, old);
    DeleteDC(dc);
    const int lineHeight = metrics.tmHeight > 0 ? metrics.tmHeight : 1;
    client.bottom = client.top + lineHeight * ((client.bottom - client.top) / lineHeight);
    SendMessage(m_edit, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&client));
}

void CSqlEditor::showContextMenu(POINT screen) {
    CApplication& app = *g_appGlobals->application;
    HMENU edit = app.MenuPopup(1);
    SendMessage(app.Frame(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
    TrackPopupMenu(edit, TPM_RIGHTBUTTON, screen.x, screen.y, 0, app.Frame(), nullptr);
}

void CSqlEditor::OnFindReplace(const FINDREPLACEA& request) {
    m_findReplace = request;
    HandleFindReplace(m_edit, request);
}
