// The editor view.

#include "app/program/CEditMDIView.h"

#include "app/program/CEditMDIDoc.h"
#include "app/program/CMainFrame.h"
#include "app/program/editor_globals.h"
#include "app/file_helpers.h"
#include "app/program/resource_ids.h"
#include "app/text_helpers.h"
#include "app/program/view_text_commands.h"

#include "platform/win/richedit.h"

#include <algorithm>
#include <cctype>
#include <vector>

CHHJScriptFormater g_JScriptFormater;

IMPLEMENT_DYNCREATE(CEditMDIView, CView)

BEGIN_MESSAGE_MAP(CEditMDIView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_TIMER()
    ON_COMMAND(ID_EDIT_MATCH_BRACE, OnMatchBrace)
    ON_COMMAND(ID_BOOKMARK_CLEAR_ALL, OnClearAllBookmarks)
    ON_COMMAND(ID_EDIT_UPPER_CASE, OnUpperCase)
    ON_COMMAND(ID_EDIT_LOWER_CASE, OnLowerCase)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UPPER_CASE, OnUpdateNeedSelection)
    ON_UPDATE_COMMAND_UI(ID_EDIT_LOWER_CASE, OnUpdateNeedSelection)
    ON_COMMAND(ID_EDIT_NEXT_WORD, OnNextWord)
    ON_COMMAND(ID_EDIT_PREVIOUS_WORD, OnPreviousWord)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_LINECOL, OnUpdateLineColumn)
    ON_COMMAND(ID_SET_TAB_STOPS, OnSetTabStops)
END_MESSAGE_MAP()

CEditMDIView::CEditMDIView() = default;
CEditMDIView::~CEditMDIView() = default;

CEditMDIDoc* CEditMDIView::GetDocument() const {
    return static_cast<CEditMDIDoc*>(m_pDocument);
}

void CEditMDIView::OnDraw(CDC*) {}

int CEditMDIView::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CView::OnCreate(lpCreateStruct) == -1) return -1;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOHSCROLL |
                        ES_AUTOVSCROLL | ES_NOHIDESEL;
    if (!m_edit.Create(style, CRect(0, 0, 0, 0), this, 1)) return -1;
    m_edit.SetAccelerators(IDR_EDITACCEL);
    m_edit.SetFormater(&g_JScriptFormater);
    m_edit.InitControl(TRUE);
    LoadKeywordsIni(GetAppDirectory() + "Keywords.ini", g_JScriptFormater.GetKeywordMap());
    m_pEdit = &m_edit;
    CString templatePath = GetPendingTemplate();
    if (!templatePath.IsEmpty()) {
        CString text;
        if (ReadFileToString(templatePath, text)) m_edit.SetText(text);
        SetPendingTemplate("");
    }
    return 0;
}

void CEditMDIView::OnSize(UINT nType, int cx, int cy) {
    CView::OnSize(nType, cx, cy);
    if (m_edit.m_hWnd) m_edit.MoveWindow(0, 0, cx, cy);
}

void CEditMDIView::OnSetFocus(CWnd* pOldWnd) {
    CView::OnSetFocus(pOldWnd);
    if (m_edit.m_hWnd) m_edit.SetFocus();
    if (auto* frame = dynamic_cast<CMainFrame*>(GetMainWindow())) frame->RebuildFunctionsList(this, FALSE);
}

void CEditMDIView::OnInitialUpdate() {
    CView::OnInitialUpdate();
    if (CFrameWnd* frame = GetParentFrame()) frame->ShowWindow(SW_SHOWMAXIMIZED);
}

void CEditMDIView::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        CString text = m_edit.GetText();
        ar.Write(static_cast<LPCSTR>(text), static_cast<UINT>(text.GetLength()));
        return;
    }
    CFile* file = ar.GetFile();
    auto length = static_cast<UINT>(file->GetLength());
    std::vector<char> bytes(static_cast<size_t>(length) + 1, '\0');
    UINT read = ar.Read(bytes.data(), length);
    m_edit.SetText(CString(bytes.data(), static_cast<int>(read)));
    m_edit.EmptyUndoBuffer();
    m_edit.SetModified(FALSE);
}

std::string CEditMDIView::GetLineText(int line) {
    LONG start = m_edit.LineIndex(line);
    if (start < 0) return {};
    LONG length = m_edit.LineLength(start);
    CString text = m_edit.GetTextRange(CHARRANGE{start, start + length});
    return std::string(static_cast<LPCSTR>(text), static_cast<size_t>(text.GetLength()));
}

std::string CEditMDIView::GetWordAtCaret() {
    CHARRANGE sel{};
    m_edit.GetSel(sel);
    if (sel.cpMax > sel.cpMin) {
        CString text = m_edit.GetTextRange(sel);
        return std::string(static_cast<LPCSTR>(text), static_cast<size_t>(text.GetLength()));
    }
    long line = m_edit.LineFromChar(sel.cpMin);
    return WordAroundCaret(GetLineText(static_cast<int>(line)), static_cast<int>(sel.cpMin - m_edit.LineIndex(line)));
}

void CEditMDIView::select(long start, long end) {
    m_edit.SetSel(start, end);
    m_edit.SendMessage(EM_SCROLLCARET);
}

void CEditMDIView::OnMatchBrace() {
    CString text;
    m_edit.GetWindowText(text);
    CHARRANGE sel{};
    m_edit.GetSel(sel);
    int partner = FindMatchingBrace(std::string(static_cast<LPCSTR>(text), static_cast<size_t>(text.GetLength())),
                                    static_cast<int>(sel.cpMax));
    if (partner >= 0) select(partner, partner);
}

void CEditMDIView::OnClearAllBookmarks() {
    // The plain control keeps no bookmarks; nothing to clear.
}

void CEditMDIView::changeCase(bool upper) {
    CHARRANGE sel{};
    m_edit.GetSel(sel);
    if (sel.cpMax <= sel.cpMin) return;
    CString text = m_edit.GetTextRange(sel);
    if (upper) text.MakeUpper();
    else text.MakeLower();
    m_edit.ReplaceSel(text, TRUE);
    select(sel.cpMin, sel.cpMin + text.GetLength());
}

void CEditMDIView::OnUpperCase() {
    changeCase(true);
}

void CEditMDIView::OnLowerCase() {
    changeCase(false);
}

void CEditMDIView::OnUpdateNeedSelection(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_edit.HasSelection());
}

void CEditMDIView::OnNextWord() {
    std::string word = GetWordAtCaret();
    if (word.empty()) return;
    CHARRANGE sel{};
    m_edit.GetSel(sel);
    CString selected = m_edit.GetTextRange(sel);
    LONG start = selected == word.c_str() ? sel.cpMin + 1 : sel.cpMin;
    FINDTEXTEXA find{};
    find.lpstrText = word.c_str();
    find.chrg = {start, -1};
    const DWORD flags = FR_DOWN | FR_MATCHCASE | FR_WHOLEWORD;
    long found = static_cast<long>(m_edit.SendMessage(EM_FINDTEXTEX, flags, reinterpret_cast<LPARAM>(&find)));
    if (found < 0) {
        find.chrg = {0, -1};
        found = static_cast<long>(m_edit.SendMessage(EM_FINDTEXTEX, flags, reinterpret_cast<LPARAM>(&find)));
    }
    if (found >= 0) select(find.chrgText.cpMin, find.chrgText.cpMax);
}

void CEditMDIView::OnPreviousWord() {
    std::string word = GetWordAtCaret();
    if (word.empty()) return;
    CHARRANGE sel{};
    m_edit.GetSel(sel);
    CString selected = m_edit.GetTextRange(sel);
    long start = selected == word.c_str() ? sel.cpMin - 1 : sel.cpMin;
    CString text;
    m_edit.GetWindowText(text);
    int found = start >= 0 ? ReverseFindString(text, word.c_str(), static_cast<int>(start)) : -1;
    if (found < 0) found = ReverseFindString(text, word.c_str(), text.GetLength());
    if (found >= 0) select(found, found + static_cast<long>(word.size()));
}

void CEditMDIView::OnUpdateLineColumn(CCmdUI* pCmdUI) {
    CPoint caret = m_edit.GetCaretLineCol();
    if (caret.y == 0) {
        // Not yet reported by the control (it reports once the caret moves).
        CHARRANGE sel{};
        m_edit.GetSel(sel);
        long line = m_edit.LineFromChar(sel.cpMax);
        caret = CPoint(static_cast<int>(sel.cpMax - m_edit.LineIndex(static_cast<int>(line))) + 1, static_cast<int>(line) + 1);
    }
    pCmdUI->Enable(TRUE);
    pCmdUI->SetText(LineColumnPaneText(caret.y, caret.x).c_str());
}

void CEditMDIView::OnSetTabStops() {
    SetTimer(TIMER_TAB_STOPS, 1, nullptr);
}

void CEditMDIView::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != TIMER_TAB_STOPS) {
        CView::OnTimer(nIDEvent);
        return;
    }
    KillTimer(TIMER_TAB_STOPS);
    applyTabStops();
}

void CEditMDIView::applyTabStops() {
    CClientDC dc(&m_edit);
    CFont* font = m_edit.GetFont();
    CFont* old = font ? dc.SelectObject(font) : nullptr;
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    const int width = ::MulDiv(m_edit.GetTabSize() * tm.tmAveCharWidth, 1440, dc.GetDeviceCaps(LOGPIXELSX));
    if (old) dc.SelectObject(old);
    m_edit.SendMessage(EM_HIDESELECTION, TRUE);
    CHARRANGE sel{};
    m_edit.GetSel(sel);
    m_edit.SetSel(0, -1);
    PARAFORMAT pf{};
    pf.cbSize = sizeof pf;
    pf.dwMask = PFM_TABSTOPS;
    pf.cTabCount = MAX_TAB_STOPS;
    for (int i = 0; i < MAX_TAB_STOPS; ++i) pf.rgxTabs[i] = (i + 1) * width;
    m_edit.SendMessage(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    m_edit.SetSel(sel);
    m_edit.SendMessage(EM_HIDESELECTION, FALSE);
}
