// The editor view.

#include "app/program/CEditMDIView.h"

#include "app/program/CEditMDIDoc.h"
#include "app/program/CInputDlg.h"
#include "app/program/CMainFrame.h"
#include "app/program/CToolsDlg.h"
#include "app/program/editor_globals.h"
#include "app/file_helpers.h"
#include "app/program/resource_ids.h"
#include "app/program/snippets.h"
#include "app/program/tool_commands.h"
#include "app/text_helpers.h"
#include "app/program/view_text_commands.h"

#include "platform/win/richedit.h"

#include <algorithm>
#include <cctype>
#include <vector>

CHHJScriptFormater g_JScriptFormater;

IMPLEMENT_DYNCREATE(CEditMDIView, CHHEditView)

BEGIN_MESSAGE_MAP(CEditMDIView, CHHEditView)
    ON_WM_CREATE()
    ON_WM_SETFOCUS()
    ON_WM_TIMER()
    ON_COMMAND(ID_EDIT_MATCH_BRACE, OnMatchBrace)
    ON_COMMAND(ID_FUNCTIONS_POPUP, OnFunctionsPopup)
    ON_COMMAND(ID_BOOKMARK_CLEAR_ALL, OnClearAllBookmarks)
    ON_COMMAND(ID_EDIT_UPPER_CASE, OnUpperCase)
    ON_COMMAND(ID_EDIT_LOWER_CASE, OnLowerCase)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UPPER_CASE, OnUpdateNeedSelection)
    ON_UPDATE_COMMAND_UI(ID_EDIT_LOWER_CASE, OnUpdateNeedSelection)
    ON_COMMAND(ID_EDIT_NEXT_WORD, OnNextWord)
    ON_COMMAND(ID_EDIT_PREVIOUS_WORD, OnPreviousWord)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_LINECOL, OnUpdateLineColumn)
    ON_COMMAND(ID_SET_TAB_STOPS, OnSetTabStops)
    ON_COMMAND_RANGE(ID_JS_FOR, ID_JS_DO_WHILE + 1, OnSnippet)
    ON_COMMAND_RANGE(ID_JS_FUNCTION + 1, ID_HTML_TABLE - 1, OnSnippet)
    ON_COMMAND_RANGE(ID_HTML_TABLE + 1, ID_HTML_RIGHT, OnSnippet)
    ON_COMMAND_RANGE(ID_MEMBER_FIRST, ID_MEMBER_LAST, OnSnippet)
    ON_COMMAND(ID_JS_FUNCTION, OnFunctionSnippet)
    ON_COMMAND_RANGE(ID_TOOLS_FIRST, ID_TOOLS_LAST, OnToolsRun)
    ON_COMMAND(ID_TOOLS_ADD_EDIT, OnToolsAddEdit)
    ON_COMMAND(ID_FILE_SAVE_AS_TEMPLATE, OnSaveAsTemplate)
    ON_COMMAND(ID_HTML_TABLE, OnInsertTable)
    ON_COMMAND(ID_VIEW_IN_BROWSER, OnViewInBrowser)
    ON_COMMAND(ID_FILE_WEB_EDITOR, OnWebPageEditor)
    ON_COMMAND(ID_FILE_RELOAD, OnReload)
    ON_COMMAND(ID_EDIT_GOTO_LINE, OnGoToLine)
END_MESSAGE_MAP()

CEditMDIView::CEditMDIView() {
    m_pEditCtrl = new CAutoCompleteEditCtrl;
    LoadAutoCompleteIni(GetAppDirectory() + "AutoComplete/AutoComplete.ini");
}

CEditMDIView::~CEditMDIView() = default;

CEditMDIDoc* CEditMDIView::GetDocument() const {
    return static_cast<CEditMDIDoc*>(m_pDocument);
}

int CEditMDIView::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CHHEditView::OnCreate(lpCreateStruct) == -1) return -1;
    m_pEdit = static_cast<CAutoCompleteEditCtrl*>(m_pEditCtrl);
    m_pEdit->EnableBreakpoints(FALSE);
    m_pEdit->SetAccelerators(IDR_EDITACCEL);
    m_pEdit->SetFormater(&g_JScriptFormater);
    LoadKeywordsIni(GetAppDirectory() + "Keywords.ini", g_JScriptFormater.GetKeywordMap());
    CString templatePath = GetPendingTemplate();
    if (!templatePath.IsEmpty()) {
        CString text;
        if (ReadFileToString(templatePath, text)) m_pEdit->SetText(text);
        if (CEditMDIDoc* doc = GetDocument()) doc->SetTemplateOrigin(templatePath);
        SetPendingTemplate("");
    }
    return 0;
}

bool CEditMDIView::isHtmlMenuKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    CFrameWnd* frame = GetParentFrame();
    HACCEL table = frame ? frame->GetDefaultAccelerator() : nullptr;
    const int count = table ? ::CopyAcceleratorTable(table, nullptr, 0) : 0;
    if (count <= 0) return false;
    std::vector<ACCEL> keys(static_cast<size_t>(count));
    ::CopyAcceleratorTable(table, keys.data(), count);
    BYTE held = FVIRTKEY;
    if (::GetKeyState(VK_CONTROL) < 0) held |= FCONTROL;
    if (::GetKeyState(VK_SHIFT) < 0) held |= FSHIFT;
    if (::GetKeyState(VK_MENU) < 0) held |= FALT;
    const BYTE modifiers = FVIRTKEY | FCONTROL | FSHIFT | FALT;
    for (const ACCEL& key : keys) {
        if (key.key != msg.wParam || (key.fVirt & modifiers) != held) continue;
        return key.cmd == ID_HTML_BOLD || key.cmd == ID_HTML_ITALIC || key.cmd == ID_HTML_LINE_BREAK ||
               key.cmd == ID_HTML_PARAGRAPH;
    }
    return false;
}

BOOL CEditMDIView::PreTranslateMessage(MSG* pMsg) {
    if (isHtmlMenuKey(*pMsg) && GetDocument() && !GetDocument()->IsHtml()) {
        ::TranslateMessage(pMsg);
        ::DispatchMessage(pMsg);
        return TRUE;
    }
    return CHHEditView::PreTranslateMessage(pMsg);
}

void CEditMDIView::OnSetFocus(CWnd* pOldWnd) {
    CHHEditView::OnSetFocus(pOldWnd);
    if (auto* frame = dynamic_cast<CMainFrame*>(GetMainWindow())) frame->RebuildFunctionsList(this, FALSE);
}

void CEditMDIView::OnInitialUpdate() {
    CHHEditView::OnInitialUpdate();
    if (CFrameWnd* frame = GetParentFrame()) frame->ShowWindow(SW_SHOWMAXIMIZED);
    RebuildToolsMenu();
}

std::string CEditMDIView::GetLineText(int line) {
    LONG start = m_pEdit->LineIndex(line);
    if (start < 0) return {};
    LONG length = m_pEdit->LineLength(start);
    CString text = m_pEdit->GetTextRange(CHARRANGE{start, start + length});
    return std::string(static_cast<LPCSTR>(text), static_cast<size_t>(text.GetLength()));
}

std::string CEditMDIView::GetWordAtCaret() {
    CHARRANGE sel{};
    m_pEdit->GetSel(sel);
    if (sel.cpMax > sel.cpMin) {
        CString text = m_pEdit->GetTextRange(sel);
        return std::string(static_cast<LPCSTR>(text), static_cast<size_t>(text.GetLength()));
    }
    long line = m_pEdit->LineFromChar(sel.cpMin);
    return WordAroundCaret(GetLineText(static_cast<int>(line)),
                           static_cast<int>(sel.cpMin - m_pEdit->LineIndex(line)));
}

void CEditMDIView::select(long start, long end) {
    m_pEdit->SetSel(start, end);
    m_pEdit->SendMessage(EM_SCROLLCARET);
}

void CEditMDIView::OnFunctionsPopup() {
    const int kFunctionsMenuIndex = 6; // "F&unctions" in the document menu
    TrackContextMenu(AfxGetMainWnd(), CPoint(-1, -1), IDR_JSTYPE, kFunctionsMenuIndex);
}

void CEditMDIView::OnMatchBrace() {
    CString text;
    m_pEdit->GetWindowText(text);
    CHARRANGE sel{};
    m_pEdit->GetSel(sel);
    int partner =
        FindMatchingBrace(std::string(static_cast<LPCSTR>(text), static_cast<size_t>(text.GetLength())),
                          static_cast<int>(sel.cpMax));
    if (partner >= 0) select(partner, partner);
}

void CEditMDIView::OnClearAllBookmarks() {
    m_pEdit->ClearAllBookmarks();
}

void CEditMDIView::changeCase(bool upper) {
    CHARRANGE sel{};
    m_pEdit->GetSel(sel);
    if (sel.cpMax <= sel.cpMin) return;
    CString text = m_pEdit->GetTextRange(sel);
    if (upper)
        text.MakeUpper();
    else
        text.MakeLower();
    m_pEdit->ReplaceSel(text, TRUE);
    select(sel.cpMin, sel.cpMin + text.GetLength());
}

void CEditMDIView::OnUpperCase() {
    changeCase(true);
}

void CEditMDIView::OnLowerCase() {
    changeCase(false);
}

void CEditMDIView::OnUpdateNeedSelection(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_pEdit->HasSelection());
}

void CEditMDIView::OnNextWord() {
    std::string word = GetWordAtCaret();
    if (word.empty()) return;
    CHARRANGE sel{};
    m_pEdit->GetSel(sel);
    CString selected = m_pEdit->GetTextRange(sel);
    LONG start = selected == word.c_str() ? sel.cpMin + 1 : sel.cpMin;
    FINDTEXTEXA find{};
    find.lpstrText = word.c_str();
    find.chrg = {start, -1};
    const DWORD flags = FR_DOWN | FR_MATCHCASE | FR_WHOLEWORD;
    long found =
        static_cast<long>(m_pEdit->SendMessage(EM_FINDTEXTEX, flags, reinterpret_cast<LPARAM>(&find)));
    if (found < 0) {
        find.chrg = {0, -1};
        found =
            static_cast<long>(m_pEdit->SendMessage(EM_FINDTEXTEX, flags, reinterpret_cast<LPARAM>(&find)));
    }
    if (found >= 0) select(find.chrgText.cpMin, find.chrgText.cpMax);
}

void CEditMDIView::OnPreviousWord() {
    std::string word = GetWordAtCaret();
    if (word.empty()) return;
    CHARRANGE sel{};
    m_pEdit->GetSel(sel);
    CString selected = m_pEdit->GetTextRange(sel);
    long start = selected == word.c_str() ? sel.cpMin - 1 : sel.cpMin;
    CString text;
    m_pEdit->GetWindowText(text);
    int found = start >= 0 ? ReverseFindString(text, word.c_str(), static_cast<int>(start)) : -1;
    if (found < 0) found = ReverseFindString(text, word.c_str(), text.GetLength());
    if (found >= 0) select(found, found + static_cast<long>(word.size()));
}

namespace {

// The pane was sized for "0000, 000": a long file's line and column need more room, which the pane
// takes (and keeps) rather than cut the numbers.
void widenPane(CStatusBar& bar, int nIndex, const CString& text) {
    UINT id = 0, style = 0;
    int width = 0;
    bar.GetPaneInfo(nIndex, id, style, width);
    CClientDC dc(&bar);
    CFont* font = bar.GetFont();
    CFont* old = font ? dc.SelectObject(font) : nullptr;
    const int needed = dc.GetTextExtent(text).cx;
    if (old) dc.SelectObject(old);
    if (needed > width) bar.SetPaneInfo(nIndex, id, style, needed);
}

} // namespace

void CEditMDIView::OnUpdateLineColumn(CCmdUI* pCmdUI) {
    CPoint caret = m_pEdit->GetCaretLineCol();
    if (caret.y == 0) {
        // Not yet reported by the control (it reports once the caret moves).
        CHARRANGE sel{};
        m_pEdit->GetSel(sel);
        long line = m_pEdit->LineFromChar(sel.cpMax);
        caret = CPoint(static_cast<int>(sel.cpMax - m_pEdit->LineIndex(static_cast<int>(line))) + 1,
                       static_cast<int>(line) + 1);
    }
    pCmdUI->Enable(TRUE);
    const CString text = LineColumnPaneText(caret.y, caret.x).c_str();
    pCmdUI->SetText(text);
    if (auto* bar = dynamic_cast<CStatusBar*>(pCmdUI->m_pOther))
        widenPane(*bar, static_cast<int>(pCmdUI->m_nIndex), text);
}

void CEditMDIView::OnSetTabStops() {
    SetTimer(TIMER_TAB_STOPS, 1, nullptr);
}

void CEditMDIView::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != TIMER_TAB_STOPS) {
        CHHEditView::OnTimer(nIDEvent);
        return;
    }
    KillTimer(TIMER_TAB_STOPS);
    applyTabStops();
}

void CEditMDIView::applyTabStops() {
    CClientDC dc(m_pEdit);
    CFont* font = m_pEdit->GetFont();
    CFont* old = font ? dc.SelectObject(font) : nullptr;
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    const int width = ::MulDiv(m_pEdit->GetTabSize() * tm.tmAveCharWidth, 1440, dc.GetDeviceCaps(LOGPIXELSX));
    if (old) dc.SelectObject(old);
    m_pEdit->SendMessage(EM_HIDESELECTION, TRUE);
    CHARRANGE sel{};
    m_pEdit->GetSel(sel);
    m_pEdit->SetSel(0, -1);
    PARAFORMAT pf{};
    pf.cbSize = sizeof pf;
    pf.dwMask = PFM_TABSTOPS;
    pf.cTabCount = MAX_TAB_STOPS;
    for (int i = 0; i < MAX_TAB_STOPS; ++i)
        pf.rgxTabs[i] = (i + 1) * width;
    m_pEdit->SendMessage(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    m_pEdit->SetSel(sel);
    m_pEdit->SendMessage(EM_HIDESELECTION, FALSE);
}

std::string CEditMDIView::caretIndent() {
    CHARRANGE sel{};
    m_pEdit->GetSel(sel);
    const long line = m_pEdit->LineFromChar(sel.cpMin);
    return CaretIndent(static_cast<int>(sel.cpMin - m_pEdit->LineIndex(static_cast<int>(line))) + 1);
}

void CEditMDIView::insertSnippet(const SnippetInsertion& snippet) {
    CHARRANGE sel{};
    m_pEdit->GetSel(sel);
    m_pEdit->ReplaceSel(snippet.text.c_str(), TRUE);
    select(sel.cpMin + snippet.selStart, sel.cpMin + snippet.selEnd);
}

void CEditMDIView::OnSnippet(UINT nID) {
    CHARRANGE sel{};
    m_pEdit->GetSel(sel);
    CString selected = m_pEdit->GetTextRange(sel);
    std::optional<SnippetInsertion> snippet = SnippetForCommand(
        nID, std::string(static_cast<LPCSTR>(selected), static_cast<size_t>(selected.GetLength())),
        caretIndent());
    if (snippet) insertSnippet(*snippet);
}

void CEditMDIView::OnFunctionSnippet() {
    CInputDlg dlg("Function Name", "", this);
    if (dlg.DoModal() != IDOK) return;
    const std::string name = FunctionSnippetName(std::string(static_cast<LPCSTR>(dlg.m_strText)));
    insertSnippet(FunctionSnippet(name, caretIndent()));
    if (auto* frame = dynamic_cast<CMainFrame*>(GetMainWindow()))
        frame->m_wndInfoBar.m_wndFunctions.AddString(name.c_str());
}

void CEditMDIView::RebuildToolsMenu() {
    auto* frame = dynamic_cast<CMainFrame*>(GetMainWindow());
    HMENU menu = frame ? frame->GetMenu() : nullptr;
    HMENU tools = menu ? ::GetSubMenu(menu, TOOLS_SUBMENU) : nullptr;
    if (!tools) return;
    while (::GetMenuItemCount(tools) > 2)
        ::DeleteMenu(tools, 2, MF_BYPOSITION);
    const std::vector<std::string> names = LoadToolNames(GetSettings());
    for (size_t i = 0; i < names.size(); ++i)
        ::AppendMenu(tools, MF_STRING, ID_TOOLS_FIRST + static_cast<UINT>(i), names[i].c_str());
}

void CEditMDIView::OnToolsRun(UINT nID) {
    ToolMacroValues values;
    values.filePath = std::string(static_cast<LPCSTR>(GetDocument()->GetPathName()));
    std::string appDir(static_cast<LPCSTR>(GetAppDirectory()));
    if (appDir.size() > 1 && (appDir.back() == '/' || appDir.back() == '\\')) appDir.pop_back();
    values.appDir = appDir;
    values.windowsDir = static_cast<LPCSTR>(GetWindowsFolder());
    values.systemDir = static_cast<LPCSTR>(GetSystemFolder());
    RunTool(GetSettings(), static_cast<int>(nID - ID_TOOLS_FIRST), values);
}

void CEditMDIView::OnToolsAddEdit() {
    CToolsDlg dlg(GetSettings(), this);
    dlg.DoModal();
    RebuildToolsMenu();
}
