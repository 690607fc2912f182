#include "scripting/CHHScriptEditCtrl.h"

#include "editor/HHAssistRules.h"
#include "editor/HHAssistResources.h"
#include "platform/framework/CDC.h"
#include "platform/framework/afxres.h"
#include "platform/win/res/resources.h"
#include "scripting/CHHScriptUndoAction.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CHHScriptEditCtrl, CHHAssistEditCtrl)

BEGIN_MESSAGE_MAP(CHHScriptEditCtrl, CHHAssistEditCtrl)
    ON_WM_PAINT()
    ON_CONTROL_REFLECT(EN_CHANGE, OnChange)
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_LBUTTONDOWN()
    ON_NOTIFY_REFLECT(EN_SELCHANGE, OnSelChangeScript)
    ON_COMMAND(60736, OnRevert)
    ON_COMMAND(60744, OnCheckSyntax)
END_MESSAGE_MAP()

namespace {

// The context menu is the code-assistance control's with "&Quick Info" and, after it, "Check
// Syntax" and "Revert to Saved"; the accelerators are the same.
void declareResources() {
    static const bool declared = [] {
        const pm::res::MenuTemplate* assist = pm::res::findMenu(MAKEINTRESOURCE(IDR_HHASSIST_MENU));
        const std::vector<ACCEL>* keys = pm::res::findAccelerators(MAKEINTRESOURCE(IDR_HHASSIST_MENU));
        if (!assist || assist->items.empty() || !keys) return false;
        pm::res::MenuTemplate menu = *assist;
        std::vector<pm::res::MenuItem>& items = menu.items.front().items;
        auto quickInfo = std::find_if(items.begin(), items.end(), [](const pm::res::MenuItem& item) {
            return item.id == ID_HHASSIST_QUICK_INFO;
        });
        if (quickInfo != items.end()) quickInfo->text = "&Quick Info";
        items.insert(quickInfo == items.end() ? items.end() : quickInfo + 1,
                     {pm::res::MenuItem{"", 0, MF_SEPARATOR, {}},
                      pm::res::MenuItem{"Check &Syntax", 60744, 0, {}},
                      pm::res::MenuItem{"&Revert to Saved", 60736, 0, {}}});
        pm::res::addMenu(CHHScriptEditCtrl::kMenuId, menu);
        pm::res::addAccelerators(CHHScriptEditCtrl::kMenuId, *keys);
        return true;
    }();
    (void)declared;
}

// A range overlaps a span [a, b) unless it ends before it or starts at or after its end.
bool overlaps(int start, int end, int a, int b) {
    return !(end < a || start >= b);
}

} // namespace

CHHScriptEditCtrl::Found CHHScriptEditCtrl::procedureAtSelection() {
    CHARRANGE sel{};
    GetSel(sel);
    return FindProcedureAt(sel.cpMin, sel.cpMax);
}

template <class Step> void CHHScriptEditCtrl::checkLeaving(Step step) {
    const Found before = procedureAtSelection();
    const CString object = before.pObject ? before.pObject->m_strName : CString();
    const CString procedure = before.pProcedure ? before.pProcedure->m_strName : CString();
    step();
    const Found after = procedureAtSelection();
    if (before.pProcedure && after.pProcedure != before.pProcedure && m_pOwner)
        m_pOwner->CheckProcedure(object, procedure);
}

void CHHScriptEditCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    switch (nChar) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_UP:
    case VK_DOWN:
        checkLeaving([&] { CHHAssistEditCtrl::OnKeyDown(nChar, nRepCnt, nFlags); });
        return;
    default:
        CHHAssistEditCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
    }
}

void CHHScriptEditCtrl::OnLButtonDown(UINT nFlags, CPoint point) {
    checkLeaving([&] { CHHAssistEditCtrl::OnLButtonDown(nFlags, point); });
}

void CHHScriptEditCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (nChar == '\r' && m_pTextParser && takeHeaderLine()) return;
    CHHAssistEditCtrl::OnChar(nChar, nRepCnt, nFlags);
}

BOOL CHHScriptEditCtrl::takeHeaderLine() {
    const int line = static_cast<int>(LineFromChar(-1));
    const int lineStart = LineIndex(line);
    const int length = std::min(LineLength(lineStart), 1024);
    CString text = GetTextRange(CHARRANGE{lineStart, lineStart + length});
    int blanks = 0;
    while (blanks < text.GetLength() && (text[blanks] == ' ' || text[blanks] == '\t'))
        ++blanks;
    const CString head = text.Mid(blanks);
    CString object, procedure;
    BOOL isFunction = FALSE;
    if (!m_pTextParser->IsProcedureHeader(head, object, procedure, isFunction)) return FALSE;
    SetSel(std::max(0, lineStart - 2), lineStart + length);
    ConstrainSelection(HHCONSTRAIN_DELETE);
    ReplaceSel("");
    if (object.IsEmpty()) object = "(General)";
    if (m_pOwner)
        m_pOwner->AddTypedProcedure(object, procedure, head + "\r\n", "\t\r\n",
                                    m_pTextParser->GetEndLine(isFunction) + "\r\n");
    return TRUE;
}

void CHHScriptEditCtrl::OnPaint() {
    CHHAssistEditCtrl::OnPaint();
    drawSeparators();
}

// A change repaints lines in the control's own way; the separators go back over them.
void CHHScriptEditCtrl::OnChange() {
    CHHAssistEditCtrl::OnChange();
    drawSeparators();
}

// A line above every procedure start below the first visible character; two above an object's
// first procedure. Nothing while the control is busy with its own changes.
void CHHScriptEditCtrl::drawSeparators() {
    if (m_bBusy || m_bRedrawLocked || m_bColoringSuppressed) return;
    if (!m_bDrawSeparators || !m_strFilter.IsEmpty() || !m_pObjects) return;
    CRect client;
    GetClientRect(&client);
    const int firstVisible = LineIndex(GetFirstVisibleLine());
    CClientDC dc(this);
    int offset = 0;
    for (int i = 0; i < m_nObjects; ++i) {
        bool first = true;
        for (const CHHScriptProcedure& proc : m_pObjects[i].m_procedures) {
            if (offset > firstVisible) {
                POINT pt{};
                SendMessage(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&pt), offset);
                if (pt.y > client.bottom) return;
                dc.MoveTo(client.left, pt.y - 4);
                dc.LineTo(client.right, pt.y - 4);
                if (first) {
                    dc.MoveTo(client.left, pt.y - 6);
                    dc.LineTo(client.right, pt.y - 6);
                }
            }
            first = false;
            offset += proc.GetLength();
        }
    }
}

CHHScriptEditCtrl::CHHScriptEditCtrl() {
    declareResources();
    SetAccelerators(kMenuId);
}

void CHHScriptEditCtrl::OnRevert() {
    if (m_pOwner) m_pOwner->Revert();
}

void CHHScriptEditCtrl::OnCheckSyntax() {
    if (m_pOwner) m_pOwner->CheckSyntax();
}

void CHHScriptEditCtrl::SetProcedureView(CHHScriptObjectProcedures* objects, int count, LPCTSTR procedure,
                                         int startOffset) {
    m_pObjects = objects;
    m_nObjects = objects ? count : 0;
    m_strFilter = procedure ? procedure : "";
    m_nStartOffset = startOffset;
    RepaintMargin();
}

// Calls visit(object, procedure, start) for every procedure in the text, in text order, until it
// answers true.
template <class Visit> void CHHScriptEditCtrl::forEachShown(Visit visit) {
    int offset = 0;
    for (int i = 0; i < m_nObjects; ++i) {
        CHHScriptObjectProcedures& obj = m_pObjects[i];
        for (CHHScriptProcedure& proc : obj.m_procedures) {
            if (!m_strFilter.IsEmpty() && proc.m_strName != m_strFilter) continue;
            if (visit(obj, proc, offset)) return;
            offset += proc.GetLength();
        }
    }
}

CHHScriptEditCtrl::Found CHHScriptEditCtrl::FindProcedureAt(int start, int end) {
    Found found;
    forEachShown([&](CHHScriptObjectProcedures& obj, CHHScriptProcedure& proc, int offset) {
        if (!overlaps(start, end, offset, offset + proc.GetLength())) return false;
        found = Found{&obj, &proc, offset};
        return true;
    });
    return found;
}

CHHScriptEditCtrl::Found CHHScriptEditCtrl::FindProcedureByName(LPCTSTR object, LPCTSTR procedure) {
    Found found;
    forEachShown([&](CHHScriptObjectProcedures& obj, CHHScriptProcedure& proc, int offset) {
        if (std::strcmp(obj.m_strName, object) != 0 || std::strcmp(proc.m_strName, procedure) != 0)
            return false;
        found = Found{&obj, &proc, offset};
        return true;
    });
    return found;
}

BOOL CHHScriptEditCtrl::GetProcedureBody(LPCTSTR object, LPCTSTR procedure, CHARRANGE& sel, CString& text) {
    const Found found = FindProcedureByName(object, procedure);
    if (!found.pProcedure) return FALSE;
    const int bodyStart = found.nStart + found.pProcedure->m_nHeadLength;
    const int bodyEnd = bodyStart + std::max(0, found.pProcedure->m_nBodyLength - 2);
    text = GetTextRange(CHARRANGE{bodyStart, bodyEnd});
    GetSel(sel);
    sel.cpMin -= found.nStart;
    sel.cpMax -= found.nStart;
    return TRUE;
}

BOOL CHHScriptEditCtrl::SetProcedureBody(LPCTSTR object, LPCTSTR procedure, int selStart, int selEnd,
                                         const CString& text) {
    const Found found = FindProcedureByName(object, procedure);
    if (!found.pProcedure) return FALSE;
    m_bRestoring = TRUE;
    hh::EditTransaction edit(*this, hh::kLockRedraw | hh::kHideSelection);
    const int bodyStart = found.nStart + found.pProcedure->m_nHeadLength;
    if (found.pProcedure->m_nBodyLength > 1) {
        SetSel(bodyStart, bodyStart + found.pProcedure->m_nBodyLength - 2);
    } else {
        SetSel(bodyStart, bodyStart);
        ReplaceSel("\r\n");
        SetSel(bodyStart, bodyStart);
    }
    ReplaceSel(text);
    m_bRestoring = FALSE;
    SetSel(found.nStart + selEnd, found.nStart + selEnd);
    PostScrollCaret();
    SetSel(found.nStart + selStart, found.nStart + selEnd);
    return TRUE;
}

hh::EditableRange CHHScriptEditCtrl::editableRangeOf(const Found& found) {
    hh::EditableRange range{0, 0};
    if (!found.pProcedure || found.pProcedure->m_bLocked) return range;
    range.start = found.nStart + found.pProcedure->m_nHeadLength;
    range.end = range.start + found.pProcedure->m_nBodyLength;
    return range;
}

void CHHScriptEditCtrl::GetEditableRange(int& start, int& end) {
    start = -1;
    end = 0;
    if (m_bRestoring || !m_pObjects) return;
    const hh::EditableRange range = editableRangeOf(procedureAtSelection());
    start = range.start;
    end = range.end;
}

int CHHScriptEditCtrl::caretForTyping(int pos) {
    const int length = static_cast<int>(GetTextLength());
    if (!m_pObjects || pos != length || pos == 0) return pos;
    return hh::CaretForTyping(editableRangeOf(FindProcedureAt(pos - 1, pos - 1)), pos, length);
}

// After the closing line break of a body that ends the text (a macro of global code only, or its
// declarations shown alone) nothing can be typed, not even a line break: Ctrl+End, a click below
// the text or going to an error there puts the caret at the end of that body's last line instead.
void CHHScriptEditCtrl::OnSelChangeScript(NMHDR* pNMHDR, LRESULT* pResult) {
    const CHARRANGE sel = reinterpret_cast<SELCHANGE*>(pNMHDR)->chrg;
    if (sel.cpMin == sel.cpMax && !m_bBusy && !m_bInternalChange && !m_bRestoring) {
        const int caret = caretForTyping(sel.cpMin);
        if (caret != sel.cpMin) {
            *pResult = 0;
            SetSel(caret, caret); // reports its own change of selection
            return;
        }
    }
    OnSelChangeAssist(pNMHDR, pResult);
}

void CHHScriptEditCtrl::OnTextChanged(BOOL deleted, int start, int end) {
    if (m_bBusy) return;
    const Found found = FindProcedureAt(start, end);
    if (found.pProcedure) {
        found.pProcedure->m_bDirty = TRUE;
        found.pObject->m_bModified = TRUE;
        if (start != end) {
            const int count = deleted ? start - end : end - start;
            found.pProcedure->m_nBodyLength += count;
            found.pObject->m_nBodyTotal += count;
            moveMarkers(found, deleted, start, end);
        }
    }
    if (end - start > 1) RepaintMargin();
    CHHEditCtrl::OnTextChanged(deleted, start, end);
}

// The procedure's markers go to text positions, move with the change, and come back relative to
// the procedure's start and first line.
void CHHScriptEditCtrl::moveMarkers(const Found& found, BOOL deleted, int start, int end) {
    CHHLineMarkerArray& markers = found.pProcedure->m_markers;
    if (markers.empty()) return;
    for (CHHLineMarker& m : markers)
        m.m_nLineStart += found.nStart;
    const int firstLine = static_cast<int>(LineFromChar(found.nStart));
    for (CHHLineMarker& m : markers)
        m.m_nLine += firstLine;
    hh::ShiftLineMarkers(markers, deleted != FALSE, start, end,
                         [this](int pos) { return static_cast<int>(LineFromChar(pos)); });
    for (CHHLineMarker& m : markers) {
        m.m_nLine -= firstLine;
        m.m_nLineStart = LineIndex(m.m_nLine + firstLine) - found.nStart;
    }
}

BYTE CHHScriptEditCtrl::GetLineMarkers(int line) {
    const int lineStart = LineIndex(line);
    if (lineStart < 0) return 0;
    const Found found = FindProcedureAt(lineStart, lineStart);
    if (!found.pProcedure) return 0;
    return hh::MarkerFlagsOf(found.pProcedure->m_markers,
                             line - static_cast<int>(LineFromChar(found.nStart)));
}

void CHHScriptEditCtrl::SetLineMarker(int line, BYTE bits, int operation) {
    if (line < 0) line = static_cast<int>(LineFromChar(-1));
    if (line >= GetLineCount()) return;
    const int lineStart = LineIndex(line);
    const Found found = FindProcedureAt(lineStart, lineStart);
    if (!found.pProcedure) return;
    const int relativeStart = lineStart - found.nStart;
    if (operation != hh::kMarkerClear && relativeStart >= found.pProcedure->GetLength() - 2) return;
    const int relativeLine = line - static_cast<int>(LineFromChar(found.nStart));
    CHHLineMarkerArray& markers = found.pProcedure->m_markers;
    const BYTE before = hh::MarkerFlagsOf(markers, relativeLine);
    hh::ApplyLineMarker(markers, relativeLine, relativeStart, bits, operation);
    const BYTE after = hh::MarkerFlagsOf(markers, relativeLine);
    if ((bits & HHMARK_BREAKPOINT) && ((before ^ after) & HHMARK_BREAKPOINT))
        notifyBreakpoint(found, CHHLineMarker{relativeLine, relativeStart, after},
                         (after & HHMARK_BREAKPOINT) != 0);
    RepaintMargin();
}

void CHHScriptEditCtrl::ClearAllMarkers(BYTE bits) {
    forEachShown([&](CHHScriptObjectProcedures& obj, CHHScriptProcedure& proc, int offset) {
        if (bits & HHMARK_BREAKPOINT)
            for (const CHHLineMarker& m : proc.m_markers)
                if (m.m_nFlags & HHMARK_BREAKPOINT) notifyBreakpoint(Found{&obj, &proc, offset}, m, FALSE);
        hh::ClearMarkerBits(proc.m_markers, bits);
        return false;
    });
    RepaintMargin();
}

void CHHScriptEditCtrl::notifyBreakpoint(const Found& found, const CHHLineMarker& marker, BOOL on) {
    if (!m_pOwner) return;
    m_pOwner->NotifyOwner(found.pObject->m_strName, found.pProcedure->m_strName, marker.m_nLine,
                          marker.m_nLineStart, found.nStart + m_nStartOffset, on);
}

void CHHScriptEditCtrl::SaveUndoState(int start, int end, int) {
    if (m_bRestoring) return; // an undo or redo writing a body back
    const Found found = FindProcedureAt(start, end);
    if (!found.pProcedure) return;
    m_undo.AddAction(new CHHScriptUndoAction(this, found.pObject->m_strName, found.pProcedure->m_strName),
                     TRUE);
}

BOOL CHHScriptEditCtrl::ColorizeText(const char16_t* text, int length, WORD* attributes) {
    if (length <= 0) return FALSE;
    // The hook colours from zeros; the control may pass a long line's tokens as they were.
    if (m_pOwner) std::fill(attributes, attributes + length, static_cast<WORD>(0));
    if (m_pOwner && m_pOwner->ColorizeHook(text, length, attributes)) {
        if (m_pFormater) m_pFormater->ColorizeKeywords(text, length, attributes);
        return TRUE;
    }
    return CHHEditCtrl::ColorizeText(text, length, attributes);
}

void CHHScriptEditCtrl::OnCaretLineChanged(int line, int charPos) {
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_HHSCRIPT_CARET_MOVED, static_cast<WPARAM>(line), charPos);
}

void CHHScriptEditCtrl::FillMemberList(CHHExpressionInfo& info, CHHMemberItemArray& items, int kind) {
    if (m_pOwner) m_pOwner->FillMemberList(info, items, kind);
}

CString CHHScriptEditCtrl::GetQuickInfoText(CHHExpressionInfo& info) {
    CString text = m_pOwner ? m_pOwner->GetQuickInfo(info, info.m_strWord) : CString();
    return text.IsEmpty() ? CHHAssistEditCtrl::GetQuickInfoText(info) : text;
}
