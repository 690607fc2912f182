// Showing procedures in the script view: what the edit control holds in each view mode, making
// the procedures that do not exist yet, dropping blank ones, and committing edits back into the
// procedure list. A procedure made or shown inside the text already shown is inserted in place,
// so a large module in Object or Full Module View is not rebuilt for it.

#include "scripting/CHHScriptViewBase.h"

#include <algorithm>
#include <cstring>

namespace {

bool isBlank(const CString& text) {
    for (int i = 0; i < text.GetLength(); ++i)
        if (!std::strchr(" \t\r\n", text[i])) return false;
    return true;
}

} // namespace

void CHHScriptViewBase::AddTypedProcedure(LPCTSTR object, LPCTSTR procedure, const CString& head,
                                          const CString& body, const CString& tail) {
    Commit();
    RemoveBlankProcedures();
    m_pEdit->SetProcedureView(nullptr, 0, nullptr, 0); // the list may grow under the control's records
    m_list.AddProcedure(object, procedure, head, body, tail);
    if (!FindObjectInfo(object)) AddCodeOnlyObject(object);
    {
        hh::EditTransaction redraw(*m_pEdit, hh::kLockRedraw);
        DisplayProcedure(object, procedure, FALSE);
    }
    SelectComboText(m_wndObjects, object);
    FillEventsCombo(object);
    SelectComboText(m_wndEvents, procedure);
}

BOOL CHHScriptViewBase::ShowProcedure(LPCTSTR object, LPCTSTR procedure, BOOL existingOnly) {
    Commit();
    CString o = object && *object ? object : "";
    CString e = procedure && *procedure ? procedure : "";
    if (m_list.GetCount() == 0 && m_bNoCreate) return FALSE;
    if (!o.IsEmpty() && FindComboItem(m_wndObjects, o) < 0) o.Empty();
    CHHScriptProcedureList::Location loc;
    const BOOL hasRecord =
        !o.IsEmpty() && (m_list.FindOrCreate(FALSE, IsCaseSensitive(), o, e, loc), loc.pObject);
    if (o.IsEmpty()) {
        if (existingOnly) return FALSE;
        if (m_list.GetCount() > 0)
            o = m_list.GetAt(0).m_strName;
        else if (m_wndObjects.GetCount() > 0)
            o = static_cast<const ComboItem*>(m_wndObjects.GetItemDataPtr(0))->m_strName;
        else
            return FALSE;
    } else if (!hasRecord && m_bNoCreate) {
        if (existingOnly || m_list.GetCount() == 0) return FALSE;
        o = m_list.GetAt(0).m_strName;
        e.Empty();
    }
    std::vector<CString> events;
    GetEventList(o, events);
    if (events.empty()) return FALSE;
    const auto inList = [&](const CString& name) {
        return std::any_of(events.begin(), events.end(), [&](const CString& n) { return SameName(n, name); });
    };
    if (e.IsEmpty() || !inList(e)) {
        if (existingOnly) return FALSE;
        m_list.FindOrCreate(FALSE, IsCaseSensitive(), o, "", loc);
        e = loc.pObject && !loc.pObject->m_procedures.empty() ? loc.pObject->m_procedures.front().m_strName
                                                              : events.front();
    }
    if (m_bNoCreate && !(m_list.FindOrCreate(FALSE, IsCaseSensitive(), o, e, loc))) return FALSE;
    BOOL shown = FALSE;
    {
        hh::EditTransaction redraw(*m_pEdit, hh::kLockRedraw);
        shown = DisplayProcedure(o, e, TRUE);
    }
    if (shown) {
        SelectComboText(m_wndObjects, o);
        FillEventsCombo(o);
        SelectComboText(m_wndEvents, e);
    }
    SaveSnapshot();
    return shown;
}

BOOL CHHScriptViewBase::FindOrCreateProcedure(LPCTSTR object, LPCTSTR procedure,
                                              CHHScriptProcedureList::Location& loc, BOOL& existed) {
    existed = m_list.FindOrCreate(!m_bNoCreate, IsCaseSensitive(), object, procedure, loc);
    if (!loc.pProcedure) return FALSE;
    if (existed) return TRUE;
    CString head = GetHead(object, procedure);
    if (!head.IsEmpty()) head += "\r\n";
    CString tail = GetTail(object, procedure);
    if (!tail.IsEmpty()) tail += "\r\n";
    tail += "\r\n";
    loc.pProcedure->SetTexts(head, GetBody(object, procedure) + "\r\n", tail);
    loc.pObject->AddToTotals(*loc.pProcedure);
    return TRUE;
}

// Every clean procedure whose body is only blanks and line ends goes, with its text in the edit
// control when it is shown; an object left without procedures goes too, with its information when
// it was only code.
void CHHScriptViewBase::RemoveBlankProcedures() {
    m_pEdit->SetProcedureView(nullptr, 0, nullptr, 0); // the records move under the control
    int position = 0;
    for (int i = 0; i < m_list.GetCount();) {
        CHHScriptObjectProcedures& obj = m_list.GetAt(i);
        auto& procs = obj.m_procedures;
        for (auto it = procs.begin(); it != procs.end();) {
            if (it->m_bDirty || !isBlank(it->m_strBody)) {
                if (it->m_bShown) position += it->GetLength();
                ++it;
                continue;
            }
            if (it->m_bShown) m_pEdit->ReplaceRange(CHARRANGE{position, position + it->GetLength()}, "");
            obj.m_nBodyTotal -= it->m_nBodyLength;
            obj.m_nHeadTailTotal -= it->m_nHeadLength + it->m_nTailLength;
            it = procs.erase(it);
        }
        if (!procs.empty()) {
            ++i;
            continue;
        }
        const CString name = obj.m_strName;
        m_list.RemoveAt(i);
        const CHHScriptObjectInfo* info = FindObjectInfo(name);
        if (info && info->m_bCodeOnly) {
            const int item = FindComboItem(m_wndObjects, name);
            if (item >= 0) m_wndObjects.DeleteString(static_cast<UINT>(item));
            RemoveObjectInfo(name);
        }
    }
    RefreshProcedureView();
}

void CHHScriptViewBase::RefreshProcedureView() {
    if (m_nMode == HHMODE_MODULE && m_strCurrentObject.IsEmpty()) {
        m_pEdit->SetProcedureView(m_list.GetCount() ? &m_list.GetAt(0) : nullptr, m_list.GetCount(), nullptr,
                                  0);
        return;
    }
    CHHScriptProcedureList::Location loc;
    const BOOL event = m_nMode == HHMODE_EVENT;
    m_list.FindOrCreate(FALSE, IsCaseSensitive(), m_strCurrentObject, event ? m_strCurrentEvent : CString(),
                        loc);
    if (!loc.pObject || (event && !loc.pProcedure)) {
        m_pEdit->SetProcedureView(nullptr, 0, nullptr, 0);
        return;
    }
    if (event)
        m_pEdit->SetProcedureView(loc.pObject, 1, loc.pProcedure->m_strName,
                                  loc.nObjectStart + loc.nProcedureOffset);
    else
        m_pEdit->SetProcedureView(loc.pObject, 1, nullptr, loc.nObjectStart);
}

void CHHScriptViewBase::SetEditText(const CString& text) {
    m_pEdit->SetProcedureView(nullptr, 0, nullptr, 0);
    m_pEdit->SetText(text);
}

void CHHScriptViewBase::MarkShown(const CHHScriptObjectProcedures* object,
                                  const CHHScriptProcedure* procedure) {
    for (int i = 0; i < m_list.GetCount(); ++i) {
        CHHScriptObjectProcedures& obj = m_list.GetAt(i);
        obj.m_bShown = !object || &obj == object;
        for (CHHScriptProcedure& proc : obj.m_procedures)
            proc.m_bShown = obj.m_bShown && (!procedure || &proc == procedure);
    }
}

void CHHScriptViewBase::ClearShown() {
    for (int i = 0; i < m_list.GetCount(); ++i) {
        CHHScriptObjectProcedures& obj = m_list.GetAt(i);
        obj.m_bShown = FALSE;
        for (CHHScriptProcedure& proc : obj.m_procedures)
            proc.m_bShown = FALSE;
    }
}

CString CHHScriptViewBase::ShownText() const {
    CString text;
    for (int i = 0; i < m_list.GetCount(); ++i)
        for (const CHHScriptProcedure& proc : m_list.GetAt(i).m_procedures)
            if (proc.m_bShown) text += proc.m_strHead + proc.m_strBody + proc.m_strTail;
    return text;
}

// Puts the text for the mode into the edit control (inserting the procedure alone when the rest
// is shown already) and the caret at the procedure's body.
BOOL CHHScriptViewBase::DisplayProcedure(LPCTSTR object, LPCTSTR procedure, BOOL removeBlank) {
    if (removeBlank && m_strCurrentObject != "?") RemoveBlankProcedures();
    CHHScriptProcedureList::Location loc;
    BOOL existed = FALSE;
    if (!FindOrCreateProcedure(object, procedure, loc, existed)) return FALSE;
    CHHScriptProcedure& proc = *loc.pProcedure;
    const BOOL insert = !existed || !proc.m_bShown;
    int start = 0; // the procedure's position in the edit control
    switch (m_nMode) {
    case HHMODE_EVENT:
        MarkShown(loc.pObject, &proc);
        SetEditText(ShownText());
        m_pEdit->SetProcedureView(loc.pObject, 1, proc.m_strName, loc.nObjectStart + loc.nProcedureOffset);
        m_strCurrentObject = object;
        m_strCurrentEvent = procedure;
        break;
    case HHMODE_OBJECT:
        start = loc.nProcedureOffset;
        if (!SameName(m_strCurrentObject, object)) {
            MarkShown(loc.pObject, nullptr);
            SetEditText(ShownText());
        } else if (insert) {
            m_pEdit->ReplaceRange(CHARRANGE{start, start}, proc.m_strHead + proc.m_strBody + proc.m_strTail);
            proc.m_bShown = TRUE;
        }
        m_pEdit->SetProcedureView(loc.pObject, 1, nullptr, loc.nObjectStart);
        m_strCurrentObject = object;
        m_strCurrentEvent.Empty();
        break;
    default:
        start = loc.nObjectStart + loc.nProcedureOffset;
        if (!m_strCurrentObject.IsEmpty()) {
            MarkShown(nullptr, nullptr);
            SetEditText(ShownText());
        } else if (insert) {
            m_pEdit->ReplaceRange(CHARRANGE{start, start}, proc.m_strHead + proc.m_strBody + proc.m_strTail);
            proc.m_bShown = loc.pObject->m_bShown = TRUE;
        }
        m_pEdit->SetProcedureView(&m_list.GetAt(0), m_list.GetCount(), nullptr, 0);
        m_strCurrentObject.Empty();
        m_strCurrentEvent.Empty();
    }
    m_pEdit->GoToLine(0, start + proc.m_nHeadLength + std::min(proc.m_nBodyLength, 1));
    return TRUE;
}

void CHHScriptViewBase::Commit() {
    if (!m_pEdit || !m_pEdit->GetSafeHwnd()) return;
    int offset = 0;
    for (int i = 0; i < m_list.GetCount(); ++i) {
        CHHScriptObjectProcedures& obj = m_list.GetAt(i);
        if (!obj.m_bShown) continue;
        for (CHHScriptProcedure& proc : obj.m_procedures) {
            if (!proc.m_bShown) continue;
            if (obj.m_bModified && proc.m_bDirty) {
                const int start = offset + proc.m_nHeadLength;
                proc.m_strBody = m_pEdit->GetTextRange(CHARRANGE{start, start + proc.m_nBodyLength});
                proc.m_bDirty = FALSE;
            }
            offset += proc.GetLength();
        }
        obj.m_bModified = FALSE;
    }
}

void CHHScriptViewBase::GoToLineColumn(int line, int column) {
    if (m_nMode != HHMODE_MODULE) SetEditMode(HHMODE_MODULE);
    m_pEdit->GoToLine(line, column);
}

// A mode change rebuilds the text; without a selected procedure nothing is shown, and the next
// show builds the text afresh.
void CHHScriptViewBase::SetEditMode(int mode) {
    const int buttons[3] = {1, 0, 2}; // event, object, module view buttons
    for (CButton& button : m_wndModes)
        button.SetCheck(BST_UNCHECKED);
    m_wndModes[buttons[mode]].SetCheck(BST_CHECKED);
    if (mode == m_nMode) return;
    hh::EditTransaction redraw(*m_pEdit, hh::kLockRedraw);
    Commit();
    m_nMode = mode;
    const CString o = ComboText(m_wndObjects), e = ComboText(m_wndEvents);
    if (!o.IsEmpty() && !e.IsEmpty()) {
        m_strCurrentObject = m_strCurrentEvent = "??";
        const BOOL noCreate = m_bNoCreate;
        m_bNoCreate = FALSE;
        DisplayProcedure(o, e, FALSE);
        m_bNoCreate = noCreate;
    } else {
        ClearShown();
        m_strCurrentObject = m_strCurrentEvent = "?";
        SetEditText("");
    }
}
