// Finding and replacing in the edit control: FindNext with its wrap point (one pass to the end,
// one from the start back to where the round began, then not found), repeat-find, Replace and
// Replace All as one undo step, and the Find and Replace dialogs.

#include "editor/CHHEditCtrl.h"
#include "editor/CHHEditUndoAction.h"
#include "editor/CHHFindDlg.h"
#include "editor/CHHFindParams.h"
#include "editor/CHHReplaceDlg.h"
#include "editor/HHEditSettings.h"
#include "editor/HHEditRules.h"
#include "platform/framework/CCmdTarget.h"
#include "platform/win/richedit_runs.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>
#include <strings.h>

namespace {

DWORD findFlags(const CHHFindParams& params) {
    return (params.m_bWholeWord ? FR_WHOLEWORD : 0) | (params.m_bMatchCase ? FR_MATCHCASE : 0);
}

} // namespace

BOOL CHHEditCtrl::findInRange(const CHHFindParams& params, long from, long to, CHARRANGE& found) {
    to = std::min<long>(to, GetTextLength());
    if (params.m_strFind.IsEmpty() || from < 0 || from > to) return FALSE;
    FINDTEXTEX find{};
    find.chrg = CHARRANGE{static_cast<LONG>(from), static_cast<LONG>(to)};
    find.lpstrText = params.m_strFind;
    if (FindText(findFlags(params), &find) < 0) return FALSE;
    found = find.chrgText;
    return TRUE;
}

BOOL CHHEditCtrl::FindNext(const CHHFindParams& params) {
    // An empty pattern matches nothing: a search for it could never move on.
    if (params.m_strFind.IsEmpty()) return FALSE;
    CWaitCursor wait;
    CHARRANGE sel{};
    GetSel(sel);
    if (m_bNewSearch) {
        m_nWrapPoint = sel.cpMin;
        m_bNewSearch = FALSE;
    }
    const long length = GetTextLength();
    const hh::SearchRange range = hh::FindRange(sel.cpMin, sel.cpMax, length, m_nWrapPoint);
    CHARRANGE found{};
    if (findInRange(params, range.from, range.to, found)) {
        SetSel(found);
        return TRUE;
    }
    if (m_nWrapPoint <= 0) return FALSE;
    const long wrapTo = m_nWrapPoint;
    m_nWrapPoint = static_cast<int>(m_nWrapPoint - length);
    if (!findInRange(params, 0, wrapTo, found)) return FALSE;
    SetSel(found);
    return TRUE;
}

void CHHEditCtrl::FindNextMatch() {
    const CHHFindParams& params = CHHFindParams::Get();
    if (FindNext(params)) return;
    m_bNewSearch = TRUE;
    FindNext(params);
}

void CHHEditCtrl::NotFound(LPCSTR findText) {
    m_bNewSearch = TRUE;
    MessageBeepHook(findText);
}

BOOL CHHEditCtrl::SelectionIsFindText(const CHHFindParams& params) {
    CHARRANGE sel{};
    GetSel(sel);
    const CString selected = GetTextRange(sel);
    if (selected.GetLength() != params.m_strFind.GetLength() || selected.IsEmpty()) return FALSE;
    return params.m_bMatchCase ? std::strcmp(selected, params.m_strFind) == 0
                               : ::strcasecmp(selected, params.m_strFind) == 0;
}

// The matches are found first and replaced in one change of the span from the first to the last,
// so the time grows with the text, not with matches times text, and undo restores it in one step.
BOOL CHHEditCtrl::ReplaceAll(const CHHFindParams& params, BOOL inSelection) {
    CWaitCursor wait;
    CHARRANGE saved{};
    GetSel(saved);
    const long start = inSelection ? saved.cpMin : 0;
    long end = inSelection ? saved.cpMax : GetTextLength();
    // Every match in one pass, each searched for from the end of the one before.
    std::vector<CHARRANGE> matches;
    if (!params.m_strFind.IsEmpty() && start <= std::min<long>(end, GetTextLength())) {
        const pm::FindAllText find{CHARRANGE{static_cast<LONG>(start), static_cast<LONG>(end)},
                                   params.m_strFind, &matches};
        SendMessage(pm::findAllTextMessage(), findFlags(params), reinterpret_cast<LPARAM>(&find));
    }
    m_bNewSearch = TRUE;
    if (matches.empty()) {
        NotFound(params.m_strFind);
        return FALSE;
    }
    CHARRANGE span{matches.front().cpMin, matches.back().cpMax};
    const std::string replaced = replacedSpan(matches, params.m_strReplace);
    // One snapshot before the change: the whole command is one undo step.
    hh::EditTransaction command(*this,
                                hh::kHideSelection | hh::kLockRedraw | hh::kUndoGroup | hh::kNoTracking);
    CHHUndoAction* const previous = m_undo.GetCurrentAction();
    SaveUndoState(span.cpMin, span.cpMax, hh::kEditReplace);
    // Its undo puts the colours back with the text instead of colouring every line again.
    auto* step = dynamic_cast<CHHEditUndoAction*>(m_undo.GetCurrentAction());
    if (step && step != previous) step->KeepColours(keepColours(span.cpMin, span.cpMax));
    noteReplacedMatches(matches, params.m_strReplace.GetLength());
    SetSel(span);
    ReplaceSel(replaced.c_str());
    m_replaced.clear(); // also when the change was refused
    CHARRANGE after{};
    GetSel(after);
    end += after.cpMax - span.cpMax;
    const long length = GetTextLength();
    if (inSelection)
        SetSel(start, end);
    else
        SetSel(std::min<long>(saved.cpMin, length), std::min<long>(saved.cpMax, length));
    return TRUE;
}

// The span from the first match to the last with every match replaced, made in one buffer: the
// span's text is read into it far enough on that what is written, from the start, never overtakes
// what is still to be read.
std::string CHHEditCtrl::replacedSpan(const std::vector<CHARRANGE>& matches, const CString& replace) {
    const LONG begin = matches.front().cpMin;
    const std::size_t replaceLength = static_cast<std::size_t>(replace.GetLength());
    long growth = 0, ahead = 0;
    for (const CHARRANGE& match : matches) {
        growth += static_cast<long>(replaceLength) - (match.cpMax - match.cpMin);
        ahead = std::max(ahead, growth);
    }
    const std::size_t spanLength = static_cast<std::size_t>(matches.back().cpMax - begin);
    std::string text(static_cast<std::size_t>(ahead) + spanLength + 1, '\0');
    TEXTRANGEA range{};
    range.chrg = CHARRANGE{begin, matches.back().cpMax};
    range.lpstrText = text.data() + ahead;
    SendMessage(EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
    const char* const old = range.lpstrText;
    char* out = text.data();
    LONG read = begin;
    for (const CHARRANGE& match : matches) {
        const std::size_t kept = static_cast<std::size_t>(match.cpMin - read);
        std::memmove(out, old + (read - begin), kept);
        out += kept;
        std::memcpy(out, static_cast<LPCSTR>(replace), replaceLength);
        out += replaceLength;
        read = match.cpMax;
    }
    text.resize(static_cast<std::size_t>(out - text.data()));
    return text;
}

// The matches as the change of the one span reports them: each where it lies once the ones
// before it are replaced.
void CHHEditCtrl::noteReplacedMatches(const std::vector<CHARRANGE>& matches, int replaceLength) {
    m_replaced.clear();
    m_replaced.reserve(matches.size());
    int shift = 0;
    for (const CHARRANGE& match : matches) {
        const int removed = match.cpMax - match.cpMin;
        m_replaced.push_back({match.cpMin + shift, removed, replaceLength});
        shift += replaceLength - removed;
    }
}

LRESULT CHHEditCtrl::OnReplaceMessage(WPARAM wParam, LPARAM lParam) {
    const CHHFindParams& params = CHHFindParams::Get();
    CHHReplaceDlg* dialog = reinterpret_cast<CHHReplaceDlg*>(lParam);
    switch (static_cast<int>(wParam)) {
    case IDC_HHFIND_REPLACE:
        if (SelectionIsFindText(params)) ReplaceSel(params.m_strReplace);
        [[fallthrough]];
    case IDC_HHFIND_NEXT:
        if (!FindNext(params)) {
            NotFound(params.m_strFind);
            return FALSE;
        }
        if (dialog) dialog->MoveAwayFrom(this);
        return TRUE;
    case IDC_HHFIND_REPLACEALL:
        return ReplaceAll(params, dialog && dialog->m_nReplaceIn == CHHReplaceDlg::kSelection);
    default:
        return 0;
    }
}

void CHHEditCtrl::DoFindDialog() {
    CHHFindParams& params = CHHFindParams::Get();
    CHHFindDlg dlg(this);
    dlg.m_params = params;
    // The dialog starts with the selected text (empty without a selection); the remembered texts
    // stay in its list.
    CHARRANGE sel{};
    GetSel(sel);
    dlg.m_params.m_strFind = GetTextRange(sel);
    const INT_PTR result = dlg.DoModal();
    if (result != IDC_HHFIND_NEXT && result != IDC_HHFIND_MARKALL) return;
    params = dlg.m_params;
    s_strFindText = params.m_strFind;
    if (result == IDC_HHFIND_NEXT) {
        if (!FindNext(params)) NotFound(params.m_strFind);
        return;
    }
    CWaitCursor wait;
    CHARRANGE found{};
    for (long pos = 0; findInRange(params, pos, GetTextLength(), found); pos = found.cpMax)
        MarkLine(static_cast<int>(LineFromChar(found.cpMin)));
}

void CHHEditCtrl::DoReplaceDialog() {
    CHHReplaceDlg dlg(this);
    dlg.m_params = CHHFindParams::Get();
    CHARRANGE sel{};
    GetSel(sel);
    dlg.m_nReplaceIn = sel.cpMin != sel.cpMax ? CHHReplaceDlg::kSelection : CHHReplaceDlg::kWholeFile;
    dlg.m_bSelectionSpansLines = LineFromChar(sel.cpMin) != LineFromChar(sel.cpMax);
    HideSelection(FALSE, TRUE);
    dlg.DoModal();
    if (::GetFocus() != m_hWnd) HideSelection(TRUE, TRUE);
}
