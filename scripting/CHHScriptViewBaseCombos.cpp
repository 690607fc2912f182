// The script view's bar: the owner-drawn objects and events combos, choosing in them, keeping them
// in step with the caret, and the close and view-mode buttons.

#include "scripting/CHHScriptViewBase.h"

#include <memory>

// ---- Combo items ----

CString CHHScriptViewBase::ComboText(CComboBox& combo) {
    const int sel = combo.GetCurSel();
    if (sel < 0) return CString();
    const auto* item = static_cast<const ComboItem*>(combo.GetItemDataPtr(sel));
    return item ? item->m_strName : CString();
}

int CHHScriptViewBase::FindComboItem(CComboBox& combo, LPCTSTR name) {
    if (!name) return -1;
    for (int i = 0; i < combo.GetCount(); ++i) {
        const auto* item = static_cast<const ComboItem*>(combo.GetItemDataPtr(i));
        if (item && SameName(item->m_strName, name)) return i;
    }
    return -1;
}

// The combo sorts the new item through WM_COMPAREITEM and frees it through WM_DELETEITEM.
void CHHScriptViewBase::AddComboItem(CComboBox& combo, LPCTSTR name, DWORD flags) {
    auto item = std::make_unique<ComboItem>();
    item->m_strName = name;
    item->m_dwFlags = flags;
    if (combo.AddString(reinterpret_cast<LPCTSTR>(item.get())) >= 0) item.release();
}

BOOL CHHScriptViewBase::SelectComboText(CComboBox& combo, LPCTSTR text) {
    const int item = FindComboItem(combo, text);
    combo.SetCurSel(item);
    return item >= 0;
}

void CHHScriptViewBase::FillEventsCombo(LPCTSTR object) {
    m_wndEvents.ResetContent();
    std::vector<CString> events;
    GetEventList(object, events);
    for (const CString& name : events)
        AddComboItem(m_wndEvents, name, 0);
}

// ---- Owner drawing ----

int CHHScriptViewBase::OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCIS) {
    if (nIDCtl != IDC_HHSV_OBJECTS && nIDCtl != IDC_HHSV_EVENTS) return CView::OnCompareItem(nIDCtl, lpCIS);
    const auto* a = reinterpret_cast<const ComboItem*>(lpCIS->itemData1);
    const auto* b = reinterpret_cast<const ComboItem*>(lpCIS->itemData2);
    if (!a || !b) return a ? 1 : b ? -1 : 0;
    const DWORD kindA = a->m_dwFlags & (HHOBJ_MEMBER_KIND1 | HHOBJ_MEMBER_KIND2);
    const DWORD kindB = b->m_dwFlags & (HHOBJ_MEMBER_KIND1 | HHOBJ_MEMBER_KIND2);
    if (IsListSorted() && kindA != kindB) return kindA < kindB ? -1 : 1;
    const int order = a->m_strName.CompareNoCase(b->m_strName);
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

void CHHScriptViewBase::OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT lpDIS) {
    if (nIDCtl != IDC_HHSV_OBJECTS && nIDCtl != IDC_HHSV_EVENTS) return CView::OnDeleteItem(nIDCtl, lpDIS);
    delete reinterpret_cast<ComboItem*>(lpDIS->itemData);
}

void CHHScriptViewBase::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDIS) {
    if (nIDCtl == IDC_HHSV_OBJECTS) return DrawComboItem(m_wndObjects, *lpDIS);
    if (nIDCtl == IDC_HHSV_EVENTS) return DrawComboItem(m_wndEvents, *lpDIS);
    CView::OnDrawItem(nIDCtl, lpDIS);
}

// Italic for an object that is only code, and for a procedure that is not one of its object's
// events; bold for an object or procedure the module has code for.
CFont* CHHScriptViewBase::ComboItemFont(CComboBox& combo, const ComboItem& item) {
    CHHScriptProcedureList::Location loc;
    if (&combo == &m_wndObjects) {
        const CHHScriptObjectInfo* info = FindObjectInfo(item.m_strName);
        if (info && info->m_bCodeOnly) return &m_fontItalic;
        m_list.FindOrCreate(FALSE, IsCaseSensitive(), item.m_strName, "", loc);
        return loc.pObject ? &m_fontBold : &m_fontNormal;
    }
    if (!m_list.FindOrCreate(FALSE, IsCaseSensitive(), ComboText(m_wndObjects), item.m_strName, loc))
        return &m_fontNormal;
    return loc.pProcedure->m_bNotAnEvent ? &m_fontItalic : &m_fontBold;
}

// Selected items in the highlight colours; objects with member kinds in the member list's colours.
void CHHScriptViewBase::DrawComboItem(CComboBox& combo, const DRAWITEMSTRUCT& dis) {
    const int listHeight = combo.GetItemHeight(0);
    if ((dis.itemState & ODS_COMBOBOXEDIT) && listHeight > 0 && combo.GetItemHeight(-1) != listHeight)
        combo.SetItemHeight(-1, static_cast<UINT>(listHeight));
    const auto* item = reinterpret_cast<const ComboItem*>(dis.itemData);
    const DWORD kinds = item ? item->m_dwFlags & (HHOBJ_MEMBER_KIND1 | HHOBJ_MEMBER_KIND2) : 0;
    COLORREF text = ::GetSysColor(COLOR_WINDOWTEXT);
    COLORREF back = ::GetSysColor(COLOR_WINDOW);
    if (dis.itemState & ODS_SELECTED) {
        text = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
        back = ::GetSysColor(COLOR_HIGHLIGHT);
    } else if (kinds) {
        text = GetListItemColor(kinds & HHOBJ_MEMBER_KIND1 ? 0 : 1);
    }
    CDC* dc = CDC::FromHandle(dis.hDC);
    dc->SetTextColor(text);
    dc->SetBkColor(back);
    CFont* old = dc->SelectObject(item ? ComboItemFont(combo, *item) : &m_fontNormal);
    const CRect rc(dis.rcItem);
    const CString name = item ? item->m_strName : CString();
    dc->ExtTextOut(rc.left + 1, rc.top + 1, ETO_OPAQUE, &rc, name, static_cast<UINT>(name.GetLength()),
                   nullptr);
    dc->SelectObject(old);
    if (dis.itemState & ODS_FOCUS) dc->DrawFocusRect(&rc);
}

// ---- Choosing ----

void CHHScriptViewBase::OnObjectsFocus() {
    m_strFocusObject = ComboText(m_wndObjects);
    m_strFocusEvent = ComboText(m_wndEvents);
}

void CHHScriptViewBase::OnEventsFocus() {
    OnObjectsFocus();
}

void CHHScriptViewBase::OnObjectChosen() {
    const CString chosen = ComboText(m_wndObjects);
    if (chosen != m_strFocusObject && !ShowProcedure(chosen, nullptr, FALSE))
        SelectComboText(m_wndObjects, m_strFocusObject);
    m_strFocusObject.Empty();
    m_pEdit->SetFocus();
}

void CHHScriptViewBase::OnEventChosen() {
    const CString object = ComboText(m_wndObjects), event = ComboText(m_wndEvents);
    if (!object.IsEmpty() && !event.IsEmpty() && event != m_strFocusEvent &&
        !ShowProcedure(object, event, TRUE)) {
        SelectComboText(m_wndObjects, m_strFocusObject);
        SelectComboText(m_wndEvents, m_strFocusEvent);
    }
    m_strFocusEvent.Empty();
    m_pEdit->SetFocus();
}

void CHHScriptViewBase::OnCloseClicked() {
    const int state = m_nCloseState ? 0 : 1;
    if (OnCloseButton(state)) m_nCloseState = state;
    m_wndClose.SetCheck(m_nCloseState ? BST_CHECKED : BST_UNCHECKED);
}

void CHHScriptViewBase::OnModeButton(UINT nID) {
    SetEditMode(nID == IDC_HHSV_EVENT_VIEW    ? HHMODE_EVENT
                : nID == IDC_HHSV_OBJECT_VIEW ? HHMODE_OBJECT
                                              : HHMODE_MODULE);
}

// ---- Keeping the combos with the caret ----

LRESULT CHHScriptViewBase::OnCaretMoved(WPARAM wParam, LPARAM) {
    SyncCombos(m_pEdit->LineIndex(static_cast<int>(wParam)));
    return 0;
}

void CHHScriptViewBase::SyncCombos(int charIndex) {
    if (m_nMode == HHMODE_EVENT) {
        if (ComboText(m_wndEvents) != m_strCurrentEvent) SelectComboText(m_wndEvents, m_strCurrentEvent);
        return;
    }
    int offset = 0;
    for (int i = 0; i < m_list.GetCount(); ++i) {
        const CHHScriptObjectProcedures& obj = m_list.GetAt(i);
        if (!obj.m_bShown) continue;
        if (charIndex >= offset + obj.GetLength()) {
            offset += obj.GetLength();
            continue;
        }
        if (ComboText(m_wndObjects) != obj.m_strName) {
            SelectComboText(m_wndObjects, obj.m_strName);
            FillEventsCombo(obj.m_strName);
        }
        for (const CHHScriptProcedure& proc : obj.m_procedures) {
            if (charIndex < offset + proc.GetLength()) {
                if (ComboText(m_wndEvents) != proc.m_strName) SelectComboText(m_wndEvents, proc.m_strName);
                return;
            }
            offset += proc.GetLength();
        }
        return;
    }
}
