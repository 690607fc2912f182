// The code-assistance control's member list and quick-information tip.

#include "editor/CHHAssistEditCtrl.h"

#include "editor/HHAssistResources.h"
#include "editor/HHAssistRules.h"
#include "platform/framework/CDC.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int kIconColumn = 18;
constexpr int kTextIndent = 20;

bool isWordChar(char c) {
    return hh::IsWordChar(static_cast<unsigned char>(c));
}

} // namespace

// ---- Expressions ----

BOOL CHHAssistEditCtrl::GetExpressionAt(LPSTR lineText, int column, CHHExpressionInfo& info) {
    return m_pFormater ? m_pFormater->ParseExpressionAt(lineText, column, info) : FALSE;
}

BOOL CHHAssistEditCtrl::ExpressionAt(int pos, BOOL insertDot, CHHExpressionInfo& info, int& lineStart,
                                     int& column) {
    const bool explicitPos = pos >= 0;
    if (!explicitPos) {
        CHARRANGE sel{};
        GetSel(sel);
        pos = sel.cpMin;
    }
    const int line = static_cast<int>(LineFromChar(pos));
    lineStart = LineIndex(line);
    const int length = LineLength(lineStart);
    std::string text(static_cast<LPCSTR>(GetTextRange(CHARRANGE{lineStart, lineStart + length})));
    column = std::min(pos - lineStart, static_cast<int>(text.size()));
    if (insertDot) text.insert(static_cast<size_t>(column++), 1, '.');
    if (explicitPos)
        while (column > 0 && !isWordChar(text[static_cast<size_t>(column - 1)]))
            --column;
    return GetExpressionAt(text.data(), column, info);
}

// ---- Filling and showing ----

void CHHAssistEditCtrl::FillMemberList(CHHExpressionInfo&, CHHMemberItemArray& items, int kind) {
    if (kind != HHLIST_FUNCTIONS || !m_pFormater) return;
    CStringArray names;
    m_pFormater->GetFunctionList(names);
    for (int i = 0; i < names.GetSize(); ++i)
        items.push_back({names[i], HHLIST_FUNCTIONS});
}

void CHHAssistEditCtrl::LoadMemberList(CHHExpressionInfo& info, int kind) {
    CHHMemberItemArray items;
    FillMemberList(info, items, kind);
    // In the list's own order, each item is appended after one comparison.
    const bool byGroup = m_bSortByGroup != FALSE;
    std::stable_sort(items.begin(), items.end(), [byGroup](const CHHMemberItem& a, const CHHMemberItem& b) {
        return hh::CompareMemberItems(a, b, byGroup) < 0;
    });
    m_wndList.SetRedraw(FALSE);
    for (const CHHMemberItem& item : items)
        m_wndList.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(new CHHMemberItem(item)));
    m_wndList.SetRedraw(TRUE);
}

CString CHHAssistEditCtrl::GetQuickInfoText(CHHExpressionInfo& info) {
    if (!info.m_strQualifier.IsEmpty() || !m_pFormater) return CString();
    return m_pFormater->GetFunctionSignature(info.m_strWord);
}

BOOL CHHAssistEditCtrl::ShowMemberList(CHHExpressionInfo& info, int kind, int anchor, LPCSTR word) {
    HideMemberList();
    LoadMemberList(info, kind);
    const int count = m_wndList.GetCount();
    if (count == 0) return FALSE;
    m_nListAnchor = anchor;
    m_wndList.SetFont(&m_font);
    const int height = hh::MemberListHeight(count, m_wndList.GetItemHeight(0));
    POINT pt{};
    SendMessage(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&pt), anchor);
    ClientToScreen(&pt);
    const int lineHeight = GetLineHeight();
    const hh::ListPlacement place =
        hh::PlaceMemberList(pt.y, lineHeight, height, ::GetSystemMetrics(SM_CYSCREEN));
    m_wndListPopup.SetWindowPos(nullptr, pt.x, place.listY, kListWidth, height,
                                SWP_NOZORDER | SWP_NOACTIVATE);
    m_wndList.MoveWindow(0, 0, kListWidth, height);
    m_wndQuickInfo.SetPosition(pt.x, place.tipY, place.tipAbove);
    m_wndListPopup.ShowWindow(SW_SHOWNOACTIVATE);
    m_wndListPopup.EnableWindow(TRUE);
    if (word && *word) {
        for (int i = 0; i < count; ++i) {
            const auto* item = reinterpret_cast<const CHHMemberItem*>(m_wndList.GetItemData(i));
            if (!hh::StartsWithNoCase(static_cast<LPCSTR>(item->m_strText), word)) continue;
            m_wndList.SetCurSel(i);
            UpdateTipForSelection();
            break;
        }
    }
    return TRUE;
}

void CHHAssistEditCtrl::HideMemberList() {
    if (m_wndListPopup.GetSafeHwnd()) {
        m_wndListPopup.ShowWindow(SW_HIDE);
        m_wndList.ResetContent();
    }
    m_nListAnchor = -1;
    HideQuickInfo();
}

void CHHAssistEditCtrl::HideQuickInfo() {
    if (m_wndQuickInfo.GetSafeHwnd()) m_wndQuickInfo.ShowWindow(SW_HIDE);
}

CString CHHAssistEditCtrl::GetSelectedItemText() {
    const int index = m_wndList.GetSafeHwnd() ? m_wndList.GetCurSel() : -1;
    if (index < 0) return CString();
    return reinterpret_cast<const CHHMemberItem*>(m_wndList.GetItemData(index))->m_strText;
}

// ---- Following the typing ----

int CHHAssistEditCtrl::TypedPrefixEnd() {
    const int line = static_cast<int>(LineFromChar(m_nListAnchor));
    const int lineEnd = LineIndex(line) + LineLength(LineIndex(line));
    const CString rest = GetTextRange(CHARRANGE{m_nListAnchor, std::max(m_nListAnchor, lineEnd)});
    return m_nListAnchor + hh::TypedPrefixLength(static_cast<LPCSTR>(rest));
}

void CHHAssistEditCtrl::SelectByTypedPrefix() {
    if (!IsListOpen()) return;
    const int end = TypedPrefixEnd();
    const CString prefix = GetTextRange(CHARRANGE{m_nListAnchor, end});
    int found = -1;
    for (int i = 0; !prefix.IsEmpty() && i < m_wndList.GetCount(); ++i) {
        const auto* item = reinterpret_cast<const CHHMemberItem*>(m_wndList.GetItemData(i));
        if (hh::StartsWithNoCase(static_cast<LPCSTR>(item->m_strText), static_cast<LPCSTR>(prefix))) {
            found = i;
            break;
        }
    }
    m_wndList.SetCurSel(found);
    UpdateTipForSelection();
}

void CHHAssistEditCtrl::CommitSelection() {
    const CString text = GetSelectedItemText();
    if (!text.IsEmpty()) {
        m_bAssistChanging = TRUE;
        SetSel(m_nListAnchor, TypedPrefixEnd());
        ReplaceSel(text, TRUE);
        m_bAssistChanging = FALSE;
    }
    HideMemberList();
}

void CHHAssistEditCtrl::UpdateTipForSelection() {
    const CString text = GetSelectedItemText();
    CHHExpressionInfo info;
    int lineStart = 0, column = 0;
    ExpressionAt(-1, FALSE, info, lineStart, column);
    info.m_strWord = text;
    const CString tip = text.IsEmpty() ? CString() : GetQuickInfoText(info);
    if (tip.IsEmpty())
        HideQuickInfo();
    else
        m_wndQuickInfo.SetTextAndShow(tip);
}

void CHHAssistEditCtrl::OnSelChangeAssist(NMHDR* pNMHDR, LRESULT* pResult) {
    CHHEditCtrl::OnSelChange(pNMHDR, pResult);
    if (m_bAssistChanging || m_bInternalChange) return;
    if (m_bTransientTip) {
        m_bTransientTip = FALSE;
        HideQuickInfo();
    }
    if (!IsListOpen()) return;
    const CHARRANGE sel = reinterpret_cast<SELCHANGE*>(pNMHDR)->chrg;
    if (sel.cpMin < m_nListAnchor || sel.cpMax > TypedPrefixEnd()) HideMemberList();
}

// ---- Keys ----

void CHHAssistEditCtrl::OnDotTyped() {
    CHHExpressionInfo info;
    int lineStart = 0, column = 0;
    const BOOL found = ExpressionAt(-1, TRUE, info, lineStart, column);
    HideMemberList();
    CHHEditCtrl::OnChar('.', 1, 0);
    // A '.' after no name at all offers no list: the '.' is simply typed.
    if (!found) return;
    const int anchor = lineStart + (info.m_nWordStart >= 0 ? info.m_nWordStart : column);
    ShowMemberList(info, HHLIST_MEMBERS, anchor, info.m_strWord);
}

void CHHAssistEditCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
    ConstrainSelection(HHCONSTRAIN_TYPING);
    if (IsListOpen() && hh::IsCommitChar(static_cast<int>(nChar))) {
        CommitSelection();
        if (nChar == '\r') return;
    }
    CHARRANGE sel{};
    GetSel(sel);
    if (nChar == '.' && !(IsListOpen() && sel.cpMin == m_nListAnchor)) {
        OnDotTyped();
        return;
    }
    CHHEditCtrl::OnChar(nChar, nRepCnt, nFlags);
    if (nChar == ' ' || nChar == '(') {
        // The word the character follows.
        ShowQuickInfo(FALSE, std::max(0, static_cast<int>(sel.cpMin) - 1));
        return;
    }
    if (nChar == '.' || nChar == '\b' || isWordChar(static_cast<char>(nChar))) SelectByTypedPrefix();
}

void CHHAssistEditCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (IsListOpen()) {
        switch (nChar) {
        case VK_ESCAPE:
            HideMemberList();
            return;
        case VK_PRIOR:
        case VK_NEXT:
        case VK_UP:
        case VK_DOWN:
            m_wndList.SendMessage(WM_KEYDOWN, nChar, 0);
            UpdateTipForSelection();
            return;
        default:
            break;
        }
    }
    if (nChar == VK_DELETE) ConstrainSelection(HHCONSTRAIN_DELETE);
    if (nChar == VK_BACK) ConstrainSelection(HHCONSTRAIN_BACKSPACE);
    CHHEditCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
    if (nChar == VK_DELETE || nChar == VK_BACK) SelectByTypedPrefix();
}

// ---- Quick information ----

void CHHAssistEditCtrl::ShowQuickInfo(BOOL walkBack, int pos) {
    CHHExpressionInfo info;
    int lineStart = 0, column = 0;
    ExpressionAt(pos, FALSE, info, lineStart, column);
    CString text = GetQuickInfoText(info);
    while (walkBack && text.IsEmpty() && info.m_nWordStart > 1) {
        ExpressionAt(lineStart + info.m_nWordStart - 1, FALSE, info, lineStart, column);
        text = GetQuickInfoText(info);
    }
    if (text.IsEmpty()) {
        HideQuickInfo();
    } else {
        const int wordStart = lineStart + std::max(0, info.m_nWordStart);
        POINT pt{};
        SendMessage(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&pt), wordStart);
        ClientToScreen(&pt);
        m_wndQuickInfo.SetPosition(pt.x, pt.y + GetLineHeight() + 1, FALSE);
        m_wndQuickInfo.SetTextAndShow(text);
    }
    m_bTransientTip = TRUE;
}

void CHHAssistEditCtrl::OnQuickInfo() {
    ShowQuickInfo(TRUE, -1);
}

// ---- List commands ----

void CHHAssistEditCtrl::OnListCommand(UINT nID) {
    OpenListForCommand(nID);
}

void CHHAssistEditCtrl::OpenListForCommand(UINT nID) {
    CHHExpressionInfo info;
    int lineStart = 0, column = 0;
    const BOOL found = ExpressionAt(-1, FALSE, info, lineStart, column);
    const int wordAnchor = lineStart + (info.m_nWordStart >= 0 ? info.m_nWordStart : column);
    const CString word = info.m_strWord;
    if (nID == ID_HHASSIST_LIST_MEMBERS && found) {
        ShowMemberList(info, HHLIST_MEMBERS, wordAnchor, word);
        return;
    }
    CHHExpressionInfo empty;
    const int kind = nID == ID_HHASSIST_LIST_OBJECTS ? HHLIST_MEMBERS : HHLIST_FUNCTIONS;
    ShowMemberList(empty, kind, found ? wordAnchor : column + lineStart, word);
}

void CHHAssistEditCtrl::OnListSelChange() {
    UpdateTipForSelection();
}

void CHHAssistEditCtrl::OnListDblClk() {
    CommitSelection();
}

// ---- Owner-drawn items ----

int CHHAssistEditCtrl::OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT cis) {
    if (nIDCtl != static_cast<int>(kListBoxId)) return static_cast<int>(Default());
    const auto* a = reinterpret_cast<const CHHMemberItem*>(cis->itemData1);
    const auto* b = reinterpret_cast<const CHHMemberItem*>(cis->itemData2);
    return hh::CompareMemberItems(*a, *b, m_bSortByGroup != FALSE);
}

void CHHAssistEditCtrl::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT mis) {
    if (nIDCtl != static_cast<int>(kListBoxId)) {
        Default();
        return;
    }
    mis->itemHeight = static_cast<UINT>(std::max(GetLineHeight(), 15));
}

void CHHAssistEditCtrl::OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT dis) {
    if (nIDCtl != static_cast<int>(kListBoxId)) {
        Default();
        return;
    }
    delete reinterpret_cast<CHHMemberItem*>(dis->itemData);
}

void CHHAssistEditCtrl::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT dis) {
    if (nIDCtl != static_cast<int>(kListBoxId)) {
        Default();
        return;
    }
    if (static_cast<int>(dis->itemID) < 0 || !dis->itemData) return;
    const auto* item = reinterpret_cast<const CHHMemberItem*>(dis->itemData);
    CDC* dc = CDC::FromHandle(dis->hDC);
    const CRect r(dis->rcItem);
    const bool selected = (dis->itemState & ODS_SELECTED) != 0;
    dc->FillSolidRect(r.left, r.top, kIconColumn, r.Height(), ::GetSysColor(COLOR_WINDOW));
    m_images.Draw(dc, item->GetImage(), CPoint(r.left + 1, r.top + (r.Height() - 13) / 2), ILD_TRANSPARENT);
    CRect text(r.left + kIconColumn, r.top, r.right, r.bottom);
    const int group = item->GetGroup();
    const COLORREF fore = selected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT)
                                   : (group ? GetListItemColor(group - 1) : ::GetSysColor(COLOR_WINDOWTEXT));
    dc->FillSolidRect(&text, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    dc->SetTextColor(fore);
    dc->SetBkColor(::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    CRect label(r.left + kTextIndent, r.top, r.right, r.bottom);
    dc->DrawText(item->m_strText, &label, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (dis->itemState & ODS_FOCUS) dc->DrawFocusRect(&r);
}
