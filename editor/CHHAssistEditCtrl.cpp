#include "editor/CHHAssistEditCtrl.h"

#include "editor/HHAssistResources.h"
#include "editor/HHAssistRules.h"
#include "platform/framework/CDC.h"
#include "platform/framework/CCmdUI.h"
#include "platform/framework/afxres.h"

#include <algorithm>
#include <string>
#include <string_view>

IMPLEMENT_DYNAMIC(CHHAssistEditCtrl, CHHEditCtrl)

BEGIN_MESSAGE_MAP(CHHAssistEditCtrl, CHHEditCtrl)
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_KILLFOCUS()
    ON_WM_LBUTTONDOWN()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_CUT, OnCut)
    ON_MESSAGE(WM_PASTE, OnPasteMessage)
    ON_MESSAGE(WM_SETTEXT, OnSetTextAssist)
    ON_NOTIFY_REFLECT(EN_SELCHANGE, OnSelChangeAssist)
    ON_WM_COMPAREITEM()
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_DELETEITEM()
    ON_LBN_SELCHANGE(CHHAssistEditCtrl::kListBoxId, OnListSelChange)
    ON_LBN_DBLCLK(CHHAssistEditCtrl::kListBoxId, OnListDblClk)
    ON_COMMAND_RANGE(ID_HHASSIST_TOGGLE_BREAKPOINT, ID_HHASSIST_CLEAR_BOOKMARKS, OnMarkerCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_HHASSIST_TOGGLE_BREAKPOINT, ID_HHASSIST_CLEAR_BREAKPOINTS,
                               OnUpdateBreakpointCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_HHASSIST_TOGGLE_BOOKMARK, ID_HHASSIST_CLEAR_BOOKMARKS,
                               OnUpdateBookmarkCommand)
    ON_COMMAND(ID_HHASSIST_QUICK_INFO, OnQuickInfo)
    ON_COMMAND_RANGE(ID_HHASSIST_LIST_OBJECTS, ID_HHASSIST_LIST_FUNCTIONS, OnListCommand)
END_MESSAGE_MAP()

CHHAssistEditCtrl::CHHAssistEditCtrl() : m_itemColors{RGB(0, 0, 255), RGB(0, 128, 0), RGB(255, 0, 0)} {
    hh::DeclareAssistResources();
}

CHHAssistEditCtrl::~CHHAssistEditCtrl() = default;

// ---- Initialisation ----

BOOL CHHAssistEditCtrl::InitControl(BOOL loadSettings) {
    if (m_nMenuAccelId == 0) SetAccelerators(IDR_HHASSIST_MENU);
    if (!CHHEditCtrl::InitControl(loadSettings)) return FALSE;
    if (!m_wndMargin.Create(this, 0)) return FALSE;
    if (!m_wndListPopup.Create(WS_POPUP, CRect(0, 0, kListWidth, 20), this)) return FALSE;
    const DWORD listStyle =
        WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_SORT | LBS_OWNERDRAWFIXED;
    if (!m_wndList.Create(listStyle, CRect(0, 0, kListWidth, 20), &m_wndListPopup, kListBoxId)) return FALSE;
    if (!m_images.Create(IDB_HHASSIST_ICONS, 16, 0, RGB(255, 0, 0))) return FALSE;
    return m_wndQuickInfo.Create(WS_POPUP | WS_DISABLED | WS_CLIPSIBLINGS, CRect(0, 0, 10, 10), this);
}

// ---- Markers ----

CHHLineMarkerArray& CHHAssistEditCtrl::markers() {
    if (m_bRelineMarkers) {
        m_bRelineMarkers = FALSE;
        hh::RelineMarkers(m_markers, [this](int pos) { return static_cast<int>(LineFromChar(pos)); });
    }
    return m_markers;
}

BYTE CHHAssistEditCtrl::GetLineMarkers(int line) {
    return hh::MarkerFlagsOf(markers(), line);
}

void CHHAssistEditCtrl::SetLineMarker(int line, BYTE bits, int operation) {
    if (line == -1) line = static_cast<int>(LineFromChar(-1));
    if (line < 0 || line >= GetLineCount()) return;
    hh::ApplyLineMarker(markers(), line, LineIndex(line), bits, operation);
    RepaintMargin();
}

void CHHAssistEditCtrl::ClearAllMarkers(BYTE bits) {
    hh::ClearMarkerBits(markers(), bits);
    RepaintMargin();
}

void CHHAssistEditCtrl::MarkLine(int line) {
    SetBookmark(line, TRUE);
}

void CHHAssistEditCtrl::EnableBreakpoints(BOOL enable) {
    if (enable)
        m_nDisabledMarkers &= static_cast<BYTE>(~HHMARK_BREAKPOINT);
    else
        m_nDisabledMarkers |= HHMARK_BREAKPOINT;
}

void CHHAssistEditCtrl::ToggleBreakpoint(int line) {
    if (AreBreakpointsEnabled()) SetLineMarker(line, HHMARK_BREAKPOINT, hh::kMarkerToggle);
}

void CHHAssistEditCtrl::ToggleBookmark(int line) {
    SetLineMarker(line, HHMARK_BOOKMARK, hh::kMarkerToggle);
}

void CHHAssistEditCtrl::SetBookmark(int line, BOOL set) {
    SetLineMarker(line, HHMARK_BOOKMARK, set ? hh::kMarkerSet : hh::kMarkerClear);
}

void CHHAssistEditCtrl::ClearAllBreakpoints() {
    if (AreBreakpointsEnabled()) ClearAllMarkers(HHMARK_BREAKPOINT);
}

void CHHAssistEditCtrl::ClearAllBookmarks() {
    ClearAllMarkers(HHMARK_BOOKMARK);
}

void CHHAssistEditCtrl::GoToBookmark(BOOL forward) {
    const int caretLine = static_cast<int>(LineFromChar(-1));
    const int line = hh::NextMarkedLine(markers(), HHMARK_BOOKMARK, caretLine, forward != FALSE);
    if (line >= 0) GoToLine(line, 0);
}

// A change may come in pieces reported after the whole text changed (Replace All, an undo): the
// markers' positions follow each piece, their lines are found once the text is read again.
void CHHAssistEditCtrl::OnTextChanged(BOOL deleted, int start, int end) {
    if (m_bBusy || start == end) return;
    hh::MoveMarkerStarts(m_markers, deleted != FALSE, start, end);
    m_bRelineMarkers = TRUE;
    if (end - start > 1) RepaintMargin();
    CHHEditCtrl::OnTextChanged(deleted, start, end);
}

void CHHAssistEditCtrl::RepaintMargin() {
    if (m_wndMargin.GetSafeHwnd()) m_wndMargin.Invalidate();
}

COLORREF CHHAssistEditCtrl::GetListItemColor(int index) const {
    return index >= 0 && index < 3 ? m_itemColors[index] : 0;
}

void CHHAssistEditCtrl::OnMarkerCommand(UINT nID) {
    switch (nID) {
    case ID_HHASSIST_TOGGLE_BREAKPOINT:
        ToggleBreakpoint(-1);
        break;
    case ID_HHASSIST_CLEAR_BREAKPOINTS:
        ClearAllBreakpoints();
        break;
    case ID_HHASSIST_TOGGLE_BOOKMARK:
        ToggleBookmark(-1);
        break;
    case ID_HHASSIST_PREV_BOOKMARK:
    case ID_HHASSIST_NEXT_BOOKMARK:
        GoToBookmark(nID == ID_HHASSIST_NEXT_BOOKMARK);
        break;
    default:
        ClearAllBookmarks();
        break;
    }
}

void CHHAssistEditCtrl::OnUpdateBreakpointCommand(CCmdUI* pCmdUI) {
    pCmdUI->Enable(AreBreakpointsEnabled());
}

void CHHAssistEditCtrl::OnUpdateBookmarkCommand(CCmdUI* pCmdUI) {
    pCmdUI->Enable(!(m_nDisabledMarkers & HHMARK_BOOKMARK));
}

// ---- Protected range ----

void CHHAssistEditCtrl::GetEditableRange(int& start, int& end) {
    start = -1;
    end = 0;
}

void CHHAssistEditCtrl::ConstrainSelection(int) {
    hh::EditableRange range;
    GetEditableRange(range.start, range.end);
    if (range.start < 0) return;
    CHARRANGE sel{};
    GetSel(sel);
    int start = sel.cpMin, end = sel.cpMax;
    hh::ConstrainToRange(range, start, end);
    if (start != sel.cpMin || end != sel.cpMax) SetSel(start, end);
}

BOOL CHHAssistEditCtrl::IsProtectedChange(const ENPROTECTED* p) {
    hh::EditableRange range;
    GetEditableRange(range.start, range.end);
    if (range.start < 0 || range.end < 0) return FALSE;
    hh::ProtectedChange change;
    change.a = p->chrg.cpMin;
    change.b = p->chrg.cpMax;
    if (p->msg == WM_CHAR && p->wParam == '\r')
        change.input = hh::kInputEnter;
    else if (p->msg == WM_CUT)
        change.input = hh::kInputCut;
    else if (p->msg == WM_KEYDOWN && p->wParam == VK_DELETE)
        change.input = hh::kInputDelete;
    else if (p->msg == WM_KEYDOWN && p->wParam == VK_BACK)
        change.input = hh::kInputBackspace;
    const auto startsLine = [this](int pos) {
        return pos >= 0 && LineIndex(static_cast<int>(LineFromChar(pos))) == pos;
    };
    change.aStartsLine = startsLine(change.a);
    return !hh::IsChangeAllowed(range, change);
}

void CHHAssistEditCtrl::OnLButtonDown(UINT, CPoint) {
    ConstrainSelection(HHCONSTRAIN_CLICK_OR_CUT);
    Default();
}

LRESULT CHHAssistEditCtrl::OnCut(WPARAM, LPARAM) {
    ConstrainSelection(HHCONSTRAIN_CLICK_OR_CUT);
    return Default();
}

LRESULT CHHAssistEditCtrl::OnPasteMessage(WPARAM wParam, LPARAM lParam) {
    ConstrainSelection(HHCONSTRAIN_TYPING);
    return CHHEditCtrl::OnPaste(wParam, lParam);
}

LRESULT CHHAssistEditCtrl::OnSetTextAssist(WPARAM wParam, LPARAM lParam) {
    if (m_markers.empty()) return CHHEditCtrl::OnSetText(wParam, lParam);
    const CString before = GetTextRange(CHARRANGE{0, static_cast<LONG>(GetTextLength())});
    const LRESULT result = CHHEditCtrl::OnSetText(wParam, lParam);
    const CString after = GetTextRange(CHARRANGE{0, static_cast<LONG>(GetTextLength())});
    const hh::ChangedSpan span =
        hh::FindChangedSpan(std::string_view(before, static_cast<size_t>(before.GetLength())),
                            std::string_view(after, static_cast<size_t>(after.GetLength())));
    hh::MoveMarkerStarts(m_markers, true, span.start, span.oldEnd);
    hh::MoveMarkerStarts(m_markers, false, span.start, span.newEnd);
    m_bRelineMarkers = TRUE;
    RepaintMargin();
    return result;
}

// ---- Painting and sizing ----

void CHHAssistEditCtrl::OnPaint() {
    // The margin's numbers follow the first visible line and the line count (its width too).
    const int first = GetFirstVisibleLine();
    const int lines = GetLineCount();
    if (first != m_nLastFirstVisible || lines != m_nLastLineCount) {
        m_nLastFirstVisible = first;
        m_nLastLineCount = lines;
        RepaintMargin();
        if (m_wndMargin.GetSafeHwnd() && !m_bBusy && !m_bRedrawLocked) m_wndMargin.UpdateWindow();
    }
    Default();
}

void CHHAssistEditCtrl::OnSize(UINT, int, int cy) {
    Default();
    if (!m_wndMargin.GetSafeHwnd()) return;
    CRect r;
    m_wndMargin.GetWindowRect(&r);
    m_wndMargin.SetWindowPos(nullptr, 0, 0, r.Width(), cy + 2, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CHHAssistEditCtrl::OnDestroy() {
    m_wndQuickInfo.DestroyWindow();
    m_wndListPopup.DestroyWindow();
    CHHEditCtrl::OnDestroy();
}

// ---- Focus ----

void CHHAssistEditCtrl::OnKillFocus(CWnd* pNewWnd) {
    CHHEditCtrl::OnKillFocus(pNewWnd);
    const HWND to = pNewWnd ? pNewWnd->GetSafeHwnd() : nullptr;
    if (to && (to == m_wndList.GetSafeHwnd() || to == m_wndListPopup.GetSafeHwnd())) return;
    HideMemberList();
}
