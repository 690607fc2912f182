// The edit control's keyboard, line, clipboard and context-menu commands.

#include "editor/CHHEditCtrl.h"

#include "editor/HHEditRules.h"
#include "platform/framework/CCmdUI.h"
#include "platform/framework/CMenu.h"

#include <string>

namespace {

bool keyDown(int vk) {
    return (::GetKeyState(vk) & 0x8000) != 0;
}

} // namespace

void CHHEditCtrl::IndentSelection() {
    ShiftOrCommentLines(FALSE, TRUE);
}
void CHHEditCtrl::OutdentSelection() {
    ShiftOrCommentLines(FALSE, FALSE);
}
void CHHEditCtrl::CommentSelection() {
    ShiftOrCommentLines(TRUE, TRUE);
}
void CHHEditCtrl::UncommentSelection() {
    ShiftOrCommentLines(TRUE, FALSE);
}

void CHHEditCtrl::GoToLine(int line, int column) {
    const long pos = LineIndex(line) + column;
    SetSel(pos, pos);
    PostScrollCaret();
}

void CHHEditCtrl::ShiftOrCommentLines(BOOL comment, BOOL add) {
    CHARRANGE sel{};
    GetSel(sel);
    if (sel.cpMin == sel.cpMax) return;
    const int first = static_cast<int>(LineFromChar(sel.cpMin));
    int last = static_cast<int>(LineFromChar(sel.cpMax));
    if (last > first && LineIndex(last) == sel.cpMax) --last;
    // The whole command is one undo step: one snapshot before its first edit.
    hh::EditTransaction command(*this, hh::kUndoGroup | hh::kHideSelection | hh::kLockRedraw);
    const bool changed = shiftOrCommentEach(first, last, comment, add);
    const long selStart = LineIndex(first);
    const long lastStart = LineIndex(last);
    const long selEnd = lastStart + LineLength(lastStart);
    if (comment && changed) ColorizeRange(selStart, selEnd, FALSE);
    SetSel(selStart, selEnd);
}

bool CHHEditCtrl::shiftOrCommentEach(int first, int last, BOOL comment, BOOL add) {
    hh::EditTransaction lines(*this, hh::kNoColouring | hh::kNoTracking);
    const std::string commentText = static_cast<LPCTSTR>(GetLineCommentString());
    const std::string inserted = comment ? commentText : std::string("\t");
    bool changed = false;
    for (int line = first; line <= last; ++line) {
        const std::string text = lineText(line);
        const long start = LineIndex(line);
        long from = start, to = start;
        std::string replacement;
        if (comment && add) {
            if (hh::FindLeadingComment(text, commentText) >= 0) continue;
            replacement = inserted;
        } else if (comment) {
            const int at = hh::FindLeadingComment(text, commentText);
            if (at < 0) continue;
            from = start + at;
            to = from + static_cast<long>(commentText.size());
        } else if (add) {
            replacement = inserted;
        } else {
            to = start + hh::OutdentLength(text, m_nTabSize);
            if (to == from) continue;
        }
        if (!changed) SaveUndoState(from, to, hh::kEditReplace);
        SetSel(from, to);
        ReplaceSel(replacement.c_str());
        changed = true;
    }
    return changed;
}

void CHHEditCtrl::OnChar(UINT nChar, UINT, UINT) {
    if (nChar == '\t' && !keyDown(VK_CONTROL)) {
        if (!HasSelection()) {
            ReplaceSel("\t");
        } else if (keyDown(VK_SHIFT)) {
            OutdentSelection();
        } else {
            IndentSelection();
        }
        return;
    }
    if (nChar != '\r' || !m_bAutoIndent) {
        Default();
        return;
    }
    CHARRANGE sel{};
    GetSel(sel);
    const int line = static_cast<int>(LineFromChar(sel.cpMin));
    const std::string text = lineText(line);
    const int indent = hh::AutoIndentLength(text, sel.cpMin - LineIndex(line));
    Default();
    if (indent <= 0) return;
    // The indentation belongs to the Enter's undo step.
    hh::EditTransaction sameStep(*this, hh::kNoTracking);
    ReplaceSel(text.substr(0, static_cast<std::size_t>(indent)).c_str());
}

void CHHEditCtrl::OnKeyDown(UINT nChar, UINT, UINT) {
    const bool control = keyDown(VK_CONTROL);
    if (control && (nChar == VK_DELETE || nChar == VK_BACK)) {
        CHARRANGE sel{};
        GetSel(sel);
        if (sel.cpMin == sel.cpMax) {
            // One character; a line break is its two positions together.
            const int lineStart = LineIndex(static_cast<int>(LineFromChar(sel.cpMin)));
            if (nChar == VK_DELETE) {
                const bool atBreak = sel.cpMin == lineStart + LineLength(lineStart);
                sel.cpMax = std::min<long>(sel.cpMin + (atBreak ? 2 : 1), GetTextLength());
            } else {
                sel.cpMin = std::max<long>(0, sel.cpMin - (sel.cpMin == lineStart ? 2 : 1));
            }
            SetSel(sel);
        }
        ReplaceSel("");
        return;
    }
    if (control && nChar == VK_HOME) {
        SetSel(0, 0);
        PostScrollCaret();
        return;
    }
    Default();
}

LRESULT CHHEditCtrl::OnPaste(WPARAM, LPARAM) {
    BeginWaitCursor();
    if (::OpenClipboard(m_hWnd)) {
        HANDLE data = ::GetClipboardData(CF_TEXT);
        const char* text = data ? static_cast<const char*>(::GlobalLock(data)) : nullptr;
        if (text) {
            hh::EditTransaction paste(*this, hh::kLockRedraw | hh::kNoKeywordCase);
            ReplaceSel(text);
        }
        if (text) ::GlobalUnlock(data);
        ::CloseClipboard();
    }
    EndWaitCursor();
    return 0;
}

void CHHEditCtrl::OnRButtonDown(UINT nFlags, CPoint point) {
    if (!HasSelection()) {
        // The caret goes where the click was.
        DefWindowProc(WM_LBUTTONDOWN, nFlags | MK_LBUTTON, MAKELPARAM(point.x, point.y));
        DefWindowProc(WM_LBUTTONUP, nFlags, MAKELPARAM(point.x, point.y));
    }
    ClientToScreen(&point);
    ShowContextMenu(point);
}

void CHHEditCtrl::OnContextMenu(CWnd*, CPoint point) {
    if (point.x < 0 || point.y < 0) {
        point = CPoint(5, 5);
        ClientToScreen(&point);
    }
    ShowContextMenu(point);
}

void CHHEditCtrl::ShowContextMenu(CPoint screen) {
    CMenu menu;
    if (!menu.LoadMenu(m_nMenuAccelId)) return;
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup) return;
    OnContextMenuPopup(popup);
    CWnd* target = m_bMenuToParent ? GetParent() : this;
    pm::afx::updateMenuItems(popup, target);
    popup->TrackPopupMenu(TPM_RIGHTBUTTON, screen.x, screen.y, target);
}
